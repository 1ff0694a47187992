// KBitmapFont on both renderers with a font picture made for the test: every glyph a solid
// 4 x 8 white block, so drawn text can be found pixel by pixel.
#include <memory>

#include "font/KBitmapFont.h"
#include "frame.h"
#include "support/tempdir.h"
#include "support/renderers.h"

namespace {

#pragma pack(push, 1)
struct Record {
  uint8_t character, zero;
  int16_t x1, y1, x2, y2, advance, lineHeight;
};
#pragma pack(pop)
static_assert(sizeof(Record) == 14);

const Record kWithMinus[] = {{' ', 0, 0, 0, 0, 0, 4, 10}, {'a', 0, 0, 0, 3, 7, 5, 8},  {'b', 0, 4, 0, 7, 7, 5, 8},
                             {'-', 0, 8, 0, 11, 7, 5, 8}, {'5', 0, 12, 0, 15, 7, 5, 8}, {0, 0, 0, 0, 0, 0, 0, 0}};
// 5-pixel letters and an 8-pixel space.
const Record kWideSpace[] = {{' ', 0, 0, 0, 0, 0, 8, 10}, {'a', 0, 0, 0, 3, 7, 5, 8}, {'b', 0, 4, 0, 7, 7, 5, 8},
                             {0, 0, 0, 0, 0, 0, 0, 0}};
const Record kDigitsOnly[] = {{' ', 0, 0, 0, 0, 0, 4, 10}, {'5', 0, 12, 0, 15, 7, 5, 8}, {0, 0, 0, 0, 0, 0, 0, 0}};

class Fonts : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    frame_ = std::make_unique<TestFrame>(GetParam());
    ASSERT_NE(frame_->window, nullptr);
    frame_->clear();
    std::vector<uint32_t> px(16 * 8, 0xFFFFFFFFu);
    px[0] = 0;  // the space's one-pixel glyph is transparent
    ASSERT_TRUE(writePng(dir_.file("font.png"), px, 16, 8));
    font_ = std::make_unique<KBitmapFont>(dir_.file("font.png").c_str(), kWithMinus);
    ASSERT_TRUE(font_->IsLoaded());
  }
  void TearDown() override {
    font_.reset();
    frame_.reset();
  }
  bool lit(int x, int y) { return frame_->at(x, y) != 0; }
  // The lit columns of one row, as a string of '#' and '.'.
  std::string row(int y, int x1, int x2) {
    auto f = frame_->read();
    std::string s;
    for (int x = x1; x < x2; ++x) s += f[size_t(y) * kFrameW + size_t(x)] ? '#' : '.';
    return s;
  }
  TempDir dir_;
  std::unique_ptr<TestFrame> frame_;
  std::unique_ptr<KBitmapFont> font_;
};

TEST_P(Fonts, NumbersWithBothTables) {
  font_->DrawNumber(-5, 10, 10, 0);
  EXPECT_EQ(row(12, 8, 22), "..####.####...");
  KBitmapFont digits(dir_.file("font.png").c_str(), kDigitsOnly);
  digits.DrawNumber(-5, 10, 30, 0);
  EXPECT_EQ(row(32, 8, 22), "..####........") << "no minus glyph: skipped without advance";
}

TEST_P(Fonts, Widths) {
  EXPECT_EQ(font_->GetTextWidth("ab a", 1), 23);
  EXPECT_EQ(font_->GetTextWidthN("ab a", 2, 0), 10);
  EXPECT_EQ(font_->GetTextWidthN("ab", 9, 0), 10);
  EXPECT_EQ(font_->GetTextWidth("a?b", 0), 10) << "characters not in the table count nothing";
  EXPECT_EQ(font_->GetTextWidth("", 0), -1);
  EXPECT_EQ(font_->GetTextWidth(nullptr, 0), -1);
  font_->SetSpaceExtra(7);
  EXPECT_EQ(font_->GetTextWidth("a a", 0), 14) << "the space extra is not measured";
  KBitmapFont missing(dir_.file("none.png").c_str(), kWithMinus);
  EXPECT_FALSE(missing.IsLoaded());
  EXPECT_EQ(missing.GetTextWidth("a", 0), -1);
}

TEST_P(Fonts, RightAndCentred) {
  font_->SetSpaceExtra(10);
  font_->DrawTextRight("a a", 100, 10, 0);
  EXPECT_EQ(row(12, 84, 100), "..####.....####.");
  font_->DrawTextCentered("ab", 0, 40, 30, 0);  // width 10: starts at 15
  EXPECT_EQ(row(32, 13, 26), "..####.####..");
}

TEST_P(Fonts, OneCharacterParagraphDrawsNothing) {
  EXPECT_EQ(font_->DrawParagraph("a", 10, 100, 20, 0, 0), 20);
  EXPECT_EQ(row(22, 0, 40), std::string(40, '.'));
}

TEST_P(Fonts, NewlineBreaksALineThatFits) {
  font_->SetLineSpacing(2);
  EXPECT_EQ(font_->DrawParagraph("ab\nb", 10, 150, 20, 0, 0), 44);  // two lines of 10 + 2
  EXPECT_EQ(row(22, 8, 22), "..####.####...");
  EXPECT_EQ(row(34, 8, 22), "..####........");
}

TEST_P(Fonts, LongWordIsCut) {
  // 5 pixels a letter in 22: four letters fit.
  EXPECT_EQ(font_->DrawParagraph("aaaaaaaaaa", 10, 32, 0, 0, 0), 30);
  EXPECT_EQ(row(2, 10, 32), "####.####.####.####...");
  EXPECT_EQ(row(22, 10, 32), "####.####.............");
}

TEST_P(Fonts, JustifiedLastLineIsLeftAligned) {
  // "ab ab" (24 wide) stretched to 30: the space grows by 6; the last "ab" keeps its spacing.
  EXPECT_EQ(font_->DrawParagraph("ab ab ab", 10, 40, 0, 3, 0), 20);
  EXPECT_EQ(row(2, 10, 40), "####.####...........####.####.");
  EXPECT_EQ(row(12, 10, 40), "####.####.....................");
  EXPECT_EQ(font_->GetSpaceExtra(), 0);
}

TEST_P(Fonts, WrapsAtSpacesAndAligns) {
  EXPECT_EQ(font_->DrawParagraph("ab ab ab", 10, 40, 0, 1, 0), 20);
  EXPECT_EQ(row(2, 10, 40), "......####.####.....####.####.");
  EXPECT_EQ(font_->DrawParagraph("", 10, 40, 7, 0, 0), 7);
}

TEST_P(Fonts, LineNeverEndsAtTheSpaceThatOverflowed) {
  // "aaa bbb " is 46 pixels, too wide for 40, and its overflowing character is the space: the
  // break goes one character back and on to the space before, so "bbb" starts the next line
  // (although "aaa bbb" alone would be 38 pixels).
  KBitmapFont font(dir_.file("font.png").c_str(), kWideSpace);
  ASSERT_TRUE(font.IsLoaded());
  EXPECT_EQ(font.DrawParagraph("aaa bbb bb", 10, 50, 0, 0, 0), 20) << "two lines of 10";
  EXPECT_EQ(row(2, 10, 50), "####.####.####..........................");
  EXPECT_EQ(row(12, 10, 50), "####.####.####.........####.####........");
  std::vector<std::string> lines;
  for (const KTextLine& l : font.WrapText("aaa bbb bb", 40, 0)) lines.push_back(l.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"aaa", "bbb bb"}));
  // When a letter overflows, the break is at the last space before it, as always.
  lines.clear();
  for (const KTextLine& l : font.WrapText("aaa bbbb b", 40, 0)) lines.push_back(l.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"aaa", "bbbb b"}));
}

TEST(FontWrap, EveryLineTakesAtLeastOneCharacter) {
  // Glyphs wider than the column: one character a line, the text is laid out to its end.
  const auto wide = [](unsigned char) { return 50.0f; };
  std::vector<std::string> lines;
  for (const KTextLine& l : KBitmapFont::WrapText("abc d", 20, wide)) lines.push_back(l.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
  const std::vector<KTextLine> two = KBitmapFont::WrapText("ab\nb", 100, [](unsigned char) { return 5.0f; });
  ASSERT_EQ(two.size(), 2u);
  EXPECT_TRUE(two[0].newline);
  EXPECT_FALSE(two[0].last);
  EXPECT_TRUE(two[1].last);
  EXPECT_TRUE(KBitmapFont::WrapText("a", 100, wide).empty()) << "one character alone draws nothing";
}

INSTANTIATE_TEST_SUITE_P(Renderers, Fonts, ::testing::Values(true, false),
                         rendererName);

}  // namespace
