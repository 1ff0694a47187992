#include <gtest/gtest.h>

#include <sys/utsname.h>

#include <filesystem>
#include <string>

#include "../support/tempdir.h"
#include "core/card.h"
#include "pci_fixture.h"

namespace {

using namespace vantorel;

class Card : public ::testing::Test {
 protected:
  CardSources sources(const std::string& dump) {
    dir.write("pci.ids", kTestPciIds);
    dir.write("bus.dump", dump);
    CardSources s;
    s.pciDumpFile = dir.file("bus.dump");
    s.pciIdsFile = dir.file("pci.ids");
    s.drmClassDir = dir.file("drm");
    return s;
  }
  // A DRM card folder whose device links to a driver, as under /sys/class/drm.
  void drmCard(const std::string& name, const std::string& driver) {
    namespace fs = std::filesystem;
    fs::create_directories(dir.file("drivers/" + driver));
    fs::create_directories(dir.file("drm/" + name + "/device"));
    fs::create_symlink(dir.file("drivers/" + driver), dir.file("drm/" + name + "/device/driver"));
  }
  TempDir dir;
};

TEST_F(Card, TakesTheFirstDisplayDeviceByBusOrderWithItsDatabaseNames) {
  // Listed out of order; the network card is no display device.
  const std::string dump = dumpDevice("00:03.0", 0x1af4, 0x1041, 0x02, 0x00) +
                           dumpDevice("02:00.0", 0x10de, 0x1b80, 0x03, 0x00) +
                           dumpDevice("01:00.0", 0xf00d, 0x0960, 0x03, 0x80);
  EXPECT_EQ(pciDisplayDescription(sources(dump)), "Quenndal & Sons Vantor 9600 #2");
  EXPECT_EQ(detectCardName(sources(dump)), "Quenndal & Sons Vantor 9600 #2");
}

TEST_F(Card, NamesAVgaController) {
  EXPECT_EQ(detectCardName(sources(dumpDevice("00:02.0", 0x10de, 0x1b80, 0x03, 0x00))),
            "NVIDIA Corporation GP104 [GeForce GTX 1080]");
}

TEST_F(Card, FallsBackToTheDisplayDriverWithoutADisplayDevice) {
  drmCard("card1", "amdgpu");
  drmCard("card0", "i915");
  std::filesystem::create_directories(dir.file("drm/card0-HDMI-A-1"));
  std::filesystem::create_directories(dir.file("drm/renderD128"));
  EXPECT_EQ(detectCardName(sources(dumpDevice("00:03.0", 0x1af4, 0x1041, 0x02, 0x00))), "i915");
}

TEST_F(Card, FallsBackToTheDisplayDriverWhenTheDatabaseDoesNotNameTheCard) {
  drmCard("card0", "nouveau");
  const CardSources s = sources(dumpDevice("00:02.0", 0x10de, 0x2504, 0x03, 0x00));
  EXPECT_EQ(pciDisplayDescription(s), "");
  EXPECT_EQ(detectCardName(s), "nouveau");
}

TEST_F(Card, ReadsTheDriverFromUeventWithoutTheLink) {
  dir.write("drm/card0/device/uevent", "PCI_CLASS=30000\nDRIVER=virtio-pci\n");
  EXPECT_EQ(drmDriverName(dir.file("drm")), "virtio-pci");
}

TEST_F(Card, IsEmptyWhenNothingNamesIt) {
  EXPECT_EQ(detectCardName(sources("")), "");
  CardSources missing = sources("");
  missing.pciDumpFile = dir.file("no-such.dump");  // libpci's fatal error comes back here
  EXPECT_EQ(detectCardName(missing), "");
  EXPECT_EQ(drmDriverName(dir.file("no-such-folder")), "");
}

TEST_F(Card, IsCutTo127Characters) {
  const std::string longName(200, 'x');
  dir.write("pci.ids", std::string("f00d  ") + longName + "\n\t0960  Card\n");
  CardSources s;
  s.pciIdsFile = dir.file("pci.ids");
  dir.write("bus.dump", dumpDevice("00:02.0", 0xf00d, 0x0960, 0x03, 0x00));
  s.pciDumpFile = dir.file("bus.dump");
  s.drmClassDir = dir.file("drm");
  EXPECT_EQ(detectCardName(s), std::string(kCardNameMax, 'x'));
}

TEST(OsVersion, ComesFromTheRunningKernel) {
  utsname names{};
  ASSERT_EQ(uname(&names), 0);
  EXPECT_EQ(detectOsVersion(), osVersionFromRelease(names.release));
}

}  // namespace
