#include "ui/hotspots.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "support/tempdir.h"
#include "tools/KTools.h"

namespace {

class Hotspots : public ::testing::Test {
 protected:
  void SetUp() override {
    resetHotspots();
    hotspotCount = 4;
    setHotspot(1, 0, 600, 100, 30, 10, 10, 1, 1, 6);
    setHotspot(2, 0, 630, 100, 30, 50, 20, 1, 1, 6);  // overlaps hotspot 1
    setHotspot(3, 0, 660, 20, 20, 300, 300, 0, 1, 6);
  }
};

TEST_F(Hotspots, TheLowerIndexWinsAndInactiveOnesAreIgnored) {
  EXPECT_EQ(hotspotAt(60, 25), 1);
  EXPECT_EQ(hotspotAt(140, 45), 2);
  EXPECT_EQ(hotspotAt(110, 40), 1);   // bounds are inclusive: x + width, y + height
  EXPECT_EQ(hotspotAt(111, 40), 2);
  EXPECT_EQ(hotspotAt(310, 310), 3);  // state 0: active without highlight
  hotspots[3].state = -1;
  EXPECT_EQ(hotspotAt(310, 310), 0);
  hotspots[0] = hotspots[1];          // index 0 is never tested
  hotspots[1].state = -1;
  EXPECT_EQ(hotspotAt(20, 15), 0);
  hotspotCount = 2;                   // nor are indices from hotspotCount on
  EXPECT_EQ(hotspotAt(140, 45), 0);
}

TEST_F(Hotspots, HoverSoundsOnlyOnANewButton) {
  EXPECT_TRUE(updateHover(20, 15));    // onto 1
  EXPECT_FALSE(updateHover(21, 15));   // still on 1
  EXPECT_FALSE(updateHover(500, 500)); // off
  EXPECT_EQ(hovered, 0);
  EXPECT_FALSE(updateHover(20, 15));   // back onto the same button
  EXPECT_TRUE(updateHover(140, 45));   // onto another
  resetHotspots();
  EXPECT_EQ(lastHovered, -1);
}

TEST_F(Hotspots, LayoutFilesStoreLineFeedsAsTextLines) {
  // A coordinate of 10 holds a 0x0A byte.
  setHotspot(0, 0, 0, 0, 0, 0, 0, -1, 0, 0);
  hotspots[1].x = 10;
  hotspots[2].y = 0x0A0A;
  std::vector<uint8_t> stored = encodeLayout(4);
  size_t lineFeeds = 0, pairs = 0;
  for (size_t i = 0; i < stored.size(); ++i) {
    lineFeeds += stored[i] == 0x0A;
    pairs += stored[i] == 0x0A && i > 0 && stored[i - 1] == 0x0D;
  }
  EXPECT_GT(lineFeeds, 0u);
  EXPECT_EQ(lineFeeds, pairs);
  EXPECT_EQ(stored.size(), 4 * 24 + lineFeeds);
  Hotspot before[4];
  std::memcpy(before, hotspots, sizeof before);
  std::memset(hotspots, 0, sizeof before);
  EXPECT_EQ(decodeLayout(stored.data(), stored.size(), 4), 4);
  EXPECT_EQ(std::memcmp(before, hotspots, sizeof before), 0);
  // A 0x1A byte ends the text: only the records before it are read.
  std::vector<uint8_t> cut = stored;
  cut.insert(cut.begin() + 30, 0x1A);
  EXPECT_EQ(decodeLayout(cut.data(), cut.size(), 4), 1);
}

TEST_F(Hotspots, ReadingAndWritingTheFiles) {
  TempDir dir;
  KTools::OverrideExeFolder(dir.path().c_str());
  std::filesystem::create_directories(dir.file("data"));
  Hotspot saved[4];
  std::memcpy(saved, hotspots, sizeof saved);
  ASSERT_TRUE(writeLayoutFile(7));
  std::memset(hotspots, 0, sizeof saved);
  hotspotCount = 4;
  ASSERT_TRUE(readLayoutFile(7));
  EXPECT_EQ(std::memcmp(saved, hotspots, sizeof saved), 0);
  // A missing file leaves the table as the entry step left it.
  resetHotspots();
  EXPECT_FALSE(readLayoutFile(8));
  for (const Hotspot& h : hotspots) EXPECT_EQ(h.state, -1);
  KTools::OverrideExeFolder(nullptr);
}

TEST(LayoutFiles, TheShippedMenusHaveTheirButtons) {
  // The generated layout files of the main menu (four buttons) and the new-manager screen
  // (three buttons) decode to active hotspots inside the screen.
  KTools::OverrideExeFolder(nullptr);
  for (int n : {1, 2}) {
    resetHotspots();
    hotspotCount = int16_t(n == 1 ? 5 : 4);
    ASSERT_TRUE(readLayoutFile(n)) << n;
    for (int i = 1; i < hotspotCount; ++i) {
      EXPECT_GE(hotspots[i].state, 0) << n << ":" << i;
      EXPECT_GT(hotspots[i].width, 0);
      EXPECT_LE(hotspots[i].x + hotspots[i].width, 800);
      EXPECT_LE(hotspots[i].y + hotspots[i].height, 600);
    }
  }
}

}  // namespace
