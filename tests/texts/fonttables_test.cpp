#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "ui/fonttables.h"

namespace {

TEST(FontTables, RecordsAre14Bytes) {
  EXPECT_EQ(sizeof(GlyphRecord), 14u);
  EXPECT_EQ(sizeof smallFontTable, 14u * 142);
  EXPECT_EQ(sizeof digitFontTable, 14u * 12);
}

TEST(FontTables, SmallFontHas141GlyphsThenTheEndRecord) {
  int n = 0;
  while (smallFontTable[n].character != 0) ++n;
  EXPECT_EQ(n, kSmallFontGlyphs);
  std::set<int> seen;
  for (int i = 0; i < n; ++i) {
    EXPECT_TRUE(seen.insert(smallFontTable[i].character).second) << i;
    EXPECT_EQ(smallFontTable[i].zero, 0);
  }
}

TEST(FontTables, SmallFontSpaceRecord) {
  const GlyphRecord& space = smallFontTable[0];
  EXPECT_EQ(space.character, ' ');
  EXPECT_EQ(space.x1, 0);
  EXPECT_EQ(space.y1, 0);
  EXPECT_EQ(space.x2, 0);
  EXPECT_EQ(space.y2, 0);
  EXPECT_EQ(space.advance, 8);
  EXPECT_EQ(space.lineHeight, 2);
}

TEST(FontTables, SmallFontRowsFollowTheLayoutRule) {
  int rowStarts = 0;
  for (int i = 1; i < kSmallFontGlyphs; ++i) {
    const GlyphRecord& g = smallFontTable[i];
    EXPECT_EQ(g.y2, g.y1 + 13) << i;
    EXPECT_EQ(g.x2, g.x1 + g.advance) << i;
    EXPECT_EQ(g.lineHeight, 13) << i;
    EXPECT_TRUE(g.y1 == 0 || g.y1 == 14 || g.y1 == 28 || g.y1 == 42 || g.y1 == 56) << i;
    const GlyphRecord& previous = smallFontTable[i - 1];
    if (i == 1 || g.y1 != previous.y1) {
      EXPECT_EQ(g.x1, 0) << i;
      ++rowStarts;
    } else if (g.character == '$') {
      EXPECT_EQ(g.x1, previous.x2);
      EXPECT_EQ(g.x1, 242);
    } else {
      EXPECT_EQ(g.x1, previous.x2 + 1) << i;
    }
  }
  EXPECT_EQ(rowStarts, 5);
}

TEST(FontTables, SmallFontSpotChecks) {
  const GlyphRecord* a = findGlyph(smallFontTable, 'A');
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->x1, 0);
  EXPECT_EQ(a->x2, 10);
  EXPECT_EQ(findGlyph(smallFontTable, 'W')->advance, 14);
  EXPECT_EQ(findGlyph(smallFontTable, 'V')->x1, findGlyph(smallFontTable, 'W')->x2 + 1);
  EXPECT_EQ(findGlyph(smallFontTable, 0x80)->advance, 14);  // euro sign
  EXPECT_EQ(findGlyph(smallFontTable, 0xA9)->y1, 28);       // copyright sign
  EXPECT_EQ(findGlyph(smallFontTable, 0xE9)->advance, 7);   // e acute
  EXPECT_EQ(findGlyph(smallFontTable, '_')->y1, 56);
  EXPECT_EQ(findGlyph(smallFontTable, 0x9E)->advance, 8);   // z caron
  // Characters the font lacks.
  for (unsigned char c : {';', '&', '*', '#', '[', '\xA1', '\xBF', '\x9C'})
    EXPECT_EQ(findGlyph(smallFontTable, c), nullptr) << int(c);
  EXPECT_EQ(findGlyph(smallFontTable, 0), nullptr);
  EXPECT_EQ(findGlyph(nullptr, 'A'), nullptr);
}

TEST(FontTables, DigitFont) {
  int n = 0;
  while (digitFontTable[n].character != 0) ++n;
  EXPECT_EQ(n, kDigitFontGlyphs);
  EXPECT_EQ(digitFontTable[0].character, ' ');
  EXPECT_EQ(digitFontTable[0].advance, 9);
  EXPECT_EQ(digitFontTable[0].lineHeight, 14);
  const GlyphRecord* four = findGlyph(digitFontTable, '4');
  ASSERT_NE(four, nullptr);
  EXPECT_EQ(four->x1, 0);
  EXPECT_EQ(four->y1, 21);
  EXPECT_EQ(four->x2, 15);
  EXPECT_EQ(four->y2, 41);
  EXPECT_EQ(four->advance, 15);
  EXPECT_EQ(findGlyph(digitFontTable, '9')->x1, 15);
  EXPECT_EQ(findGlyph(digitFontTable, '-'), nullptr);  // no minus sign
}

}  // namespace
