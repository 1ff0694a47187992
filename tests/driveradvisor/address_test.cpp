#include <gtest/gtest.h>

#include <string>

#include "core/address.h"

namespace {

using namespace vantorel;

TEST(Address, PercentEncodesEverythingButUnreservedBytes) {
  EXPECT_EQ(percentEncode("GeForce4 Ti-4200_x.y~z"), "GeForce4%20Ti-4200_x.y~z");
  EXPECT_EQ(percentEncode("ATI Radeon 9600 & 9800"), "ATI%20Radeon%209600%20%26%209800");
  EXPECT_EQ(percentEncode("a#b?c=d+e/f%g"), "a%23b%3Fc%3Dd%2Be%2Ff%25g");
  EXPECT_EQ(percentEncode("Radeon\xAE 9600 \xC3\xBC"), "Radeon%AE%209600%20%C3%BC");
  EXPECT_EQ(percentEncode(std::string("a\0b\r\n", 5)), "a%00b%0D%0A");
  EXPECT_EQ(percentEncode(""), "");
}

TEST(Address, BuildsTheQuery) {
  EXPECT_EQ(queryAddress("http://db.example/", "NVIDIA GeForce & Co #1", "61"),
            "http://db.example/addadriver.php?card=NVIDIA%20GeForce%20%26%20Co%20%231&os=61");
  EXPECT_EQ(queryAddress("http://db.example/oqdd/", "i915", "510"),
            "http://db.example/oqdd/addadriver.php?card=i915&os=510");
}

TEST(Address, AddsTheSlashAfterAServerWithoutOne) {
  EXPECT_EQ(queryAddress("http://127.0.0.1:8080", "x", "61"), "http://127.0.0.1:8080/addadriver.php?card=x&os=61");
}

TEST(Address, BuildsTheBrowserPages) {
  EXPECT_EQ(manufacturerPageAddress("http://db.example/", "ATI Radeon 9600", "410"),
            "http://db.example/drivermanufact.php?videocard=ATI%20Radeon%209600&os=410");
  EXPECT_EQ(updatePageAddress("http://db.example/"), "http://db.example/updatevideodrivers.html");
  EXPECT_EQ(std::string(kDirectXPage).rfind("https://www.microsoft.com/", 0), 0u);
}

TEST(Address, CanonicalFormEncodesUnsafeCharactersBeforeTheQueryOnly) {
  EXPECT_EQ(canonicalAddress("http://db.example/my drivers/addadriver.php?card=a b&os=61"),
            "http://db.example/my%20drivers/addadriver.php?card=a b&os=61");
  EXPECT_EQ(canonicalAddress("http://db.example/a|b^c#x y"), "http://db.example/a%7Cb%5Ec#x y");
  EXPECT_EQ(canonicalAddress("http://db.example/addadriver.php?card=A%20B&os=61"),
            "http://db.example/addadriver.php?card=A%20B&os=61");
}

TEST(Address, CanonicalFormLongerThan519CharactersIsNotUsed) {
  const std::string fits = "http://db.example/" + std::string(501, 'a');
  ASSERT_EQ(fits.size(), kAddressMax);
  EXPECT_EQ(canonicalAddress(fits), fits);
  const std::string grows = "http://db.example/" + std::string(499, 'a') + " ";  // 518 -> 520
  EXPECT_EQ(canonicalAddress(grows), grows);
  const std::string fitsEncoded = "http://db.example/" + std::string(498, 'a') + " ";  // 517 -> 519
  EXPECT_EQ(canonicalAddress(fitsEncoded), "http://db.example/" + std::string(498, 'a') + "%20");
}

TEST(Address, LoopbackHostsNameThisMachine) {
  for (const char* host : {"localhost", "LocalHost", "127.0.0.1", "127.1.2.3", "127.255.255.255", "::1", "[::1]",
                           "0:0:0:0:0:0:0:1", "0000::0001", "[0::1]"}) {
    EXPECT_TRUE(isLoopbackHost(host)) << host;
  }
  for (const char* host : {"", "db.example", "127.example", "localhost.example", "128.0.0.1", "10.0.0.1",
                           "127.0.0", "127.0.0.1.5", "127.0.0.256", "1127.0.0.1", "::", "::2", "1::1", ":::1",
                           "::1:", "[::1", "::ffff:127.0.0.1", "0:0:0:0:0:0:0:0:1", "::00001"}) {
    EXPECT_FALSE(isLoopbackHost(host)) << host;
  }
}

}  // namespace
