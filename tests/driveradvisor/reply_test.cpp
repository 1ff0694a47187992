#include <gtest/gtest.h>

#include <string>

#include "core/reply.h"

namespace {

using namespace vantorel;

constexpr char kFull[] =
    "manufact:NVIDIA\r\n"
    "officialurl:http://www.nvidia.com/drivers\r\n"
    "description:GeForce GTX 1080\r\n"
    "advice:Take the latest certified driver\r\n"
    "url:http://download.nvidia.com/x.run\r\n"
    "version:535.54\r\n";

TEST(Reply, NoResultIsTheFirstFiveCharacters) {
  EXPECT_TRUE(isNoResult("nores"));
  EXPECT_TRUE(isNoResult("nores\r\n"));
  EXPECT_TRUE(isNoResult("noresult for this card"));
  EXPECT_FALSE(isNoResult("nore"));
  EXPECT_FALSE(isNoResult(" nores"));
  EXPECT_FALSE(isNoResult("manufact:x\r\nnores"));
  EXPECT_FALSE(isNoResult(""));
}

TEST(Reply, ReadsTheFourValues) {
  const ReplyValues v = parseReply(kFull);
  EXPECT_EQ(v.manufacturer, "NVIDIA");
  EXPECT_EQ(v.officialUrl, "http://www.nvidia.com/drivers");
  EXPECT_EQ(v.description, "GeForce GTX 1080");
  EXPECT_EQ(v.advice, "Take the latest certified driver");
}

TEST(Reply, AWebsiteOfZeroIsReadAsItStandsWithTheOtherKeys) {
  const ReplyValues v = parseReply("manufact:ATI\r\nofficialurl:0\r\ndescription:Radeon\r\nadvice:Wait\r\n");
  EXPECT_EQ(v.officialUrl, "0");
  EXPECT_EQ(v.manufacturer, "ATI");
  EXPECT_EQ(v.description, "Radeon");
  EXPECT_EQ(v.advice, "Wait");
}

TEST(Reply, LineFeedEndingsReadTheSameAsCarriageReturnLineFeed) {
  std::string lf = kFull;
  for (size_t at; (at = lf.find('\r')) != std::string::npos;) lf.erase(at, 1);
  const ReplyValues a = parseReply(kFull), b = parseReply(lf);
  EXPECT_EQ(a.manufacturer, b.manufacturer);
  EXPECT_EQ(a.officialUrl, b.officialUrl);
  EXPECT_EQ(a.description, b.description);
  EXPECT_EQ(a.advice, b.advice);
  // A lone carriage return ends a value too; the last value may end without any.
  EXPECT_EQ(extractValue("manufact:Matrox\rdescription:G400", "manufact:"), "Matrox");
  EXPECT_EQ(extractValue("manufact:Matrox\rdescription:G400", "description:"), "G400");
}

TEST(Reply, TakesTheFirstOccurrenceEvenInsideAnotherValue) {
  const char* reply =
      "description:Radeon 9600 advice:update the BIOS first\r\n"
      "advice:Take the 4.2 driver\r\n";
  EXPECT_EQ(extractValue(reply, "advice:"), "update the BIOS first");
  EXPECT_EQ(extractValue(reply, "description:"), "Radeon 9600 advice:update the BIOS first");
  // "url:" is found inside "officialurl:".
  EXPECT_EQ(extractValue("officialurl:http://a\r\nurl:http://b\r\n", "url:"), "http://a");
}

TEST(Reply, KeepsSpacesAfterTheKey) {
  EXPECT_EQ(extractValue("manufact: ATI \r\n", "manufact:"), " ATI ");
}

TEST(Reply, AValueOf255CharactersIsKeptAndOneOf256IsEmpty) {
  const std::string v255(255, 'a'), v256(256, 'b');
  EXPECT_EQ(extractValue("advice:" + v255 + "\r\nmanufact:x", "advice:"), v255);
  EXPECT_EQ(extractValue("advice:" + v256 + "\r\nmanufact:x", "advice:"), "");
  EXPECT_EQ(extractValue("advice:" + v256, "advice:"), "");
  EXPECT_EQ(extractValue("advice:" + v256 + "\r\nmanufact:x", "manufact:"), "x");
}

TEST(Reply, MissingKeysAndEmptyValuesAreEmpty) {
  const ReplyValues v = parseReply("manufact:\r\ndescription:GeForce\r\n");
  EXPECT_EQ(v.manufacturer, "");
  EXPECT_EQ(v.officialUrl, "");
  EXPECT_EQ(v.description, "GeForce");
  EXPECT_EQ(v.advice, "");
  const ReplyValues none = parseReply("");
  EXPECT_EQ(none.manufacturer + none.officialUrl + none.description + none.advice, "");
  EXPECT_EQ(extractValue("Manufact:ATI", "manufact:"), "");  // keys are case-sensitive
}

}  // namespace
