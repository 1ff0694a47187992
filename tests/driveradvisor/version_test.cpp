// The text rules of the card name and the system version, the same on every system.
#include <gtest/gtest.h>

#include <string>

#include "core/card.h"

namespace {

using namespace vantorel;

TEST(OsVersion, WritesMajorAndMinorOneAfterTheOther) {
  EXPECT_EQ(osVersionFromRelease("5.1.2600"), "51");
  EXPECT_EQ(osVersionFromRelease("4.10.2222"), "410");
  EXPECT_EQ(osVersionFromRelease("6.1.0-13-amd64"), "61");
  EXPECT_EQ(osVersionFromRelease("6.18.44-fc-v1272"), "618");
  EXPECT_EQ(osVersionFromRelease("3.0"), "30");
}

TEST(OsVersion, CountsWhatCannotBeReadAsZero) {
  EXPECT_EQ(osVersionFromRelease("6"), "60");
  EXPECT_EQ(osVersionFromRelease("6-rc1"), "60");
  EXPECT_EQ(osVersionFromRelease(""), "00");
  EXPECT_EQ(osVersionFromRelease("linux"), "00");
}

TEST(OsVersion, TwoNumbersInDecimal) {
  EXPECT_EQ(osVersionText(5, 1), "51");    // Windows XP
  EXPECT_EQ(osVersionText(4, 10), "410");  // Windows 98
  EXPECT_EQ(osVersionText(6, 1), "61");    // Windows 7
  EXPECT_EQ(osVersionText(10, 0), "100");  // Windows 10 and 11
}

TEST(CardName, EndsAtTheFirstNulAndIsCutTo127Characters) {
  EXPECT_EQ(cardNameText("NVIDIA GeForce GTX 1080"), "NVIDIA GeForce GTX 1080");
  EXPECT_EQ(cardNameText(std::string("Radeon\0garbage", 14)), "Radeon");
  EXPECT_EQ(cardNameText(std::string(200, 'x')), std::string(kCardNameMax, 'x'));
  EXPECT_EQ(cardNameText(""), "");
}

}  // namespace
