// KBitmapFont on both renderers with the game's own font pictures and glyph tables (the small
// text font, tinyfont.png, and the digit font, font2.png): the drawn text matches the glyphs of
// the picture laid side by side by the table's advances, every changed pixel lies inside the
// measured box, and the width drawn is the width measured.
#include <cmath>
#include <memory>
#include <string>

#include "font/KBitmapFont.h"
#include "frame.h"
#include "graphics/KGraphic.h"
#include "support/renderers.h"
#include "ui/fonttables.h"

namespace {

const std::string kGfx = std::string(BRAWNMOOR_DATA) + "/gfx/";
// The grey background as the renderer cleared it (0x80 or 0x7F a channel).
uint32_t gGrey = 0x808080u;

struct Picture {
  int w = 0, h = 0;
  std::vector<uint8_t> bgra;  // rows top-down
  const uint8_t* at(int x, int y) const { return &bgra[(size_t(y) * size_t(w) + size_t(x)) * 4]; }
};

Picture decode(const std::string& name) {
  std::string path = kGfx + name;
  std::unique_ptr<KDecodedImage> image = KImage::DecodeImageFile(path.data());
  Picture p;
  if (!image) return p;
  p.w = image->Width();
  p.h = image->Height();
  for (int r = 0; r < p.h; ++r) p.bgra.insert(p.bgra.end(), image->RowFromTop(r), image->RowFromTop(r) + p.w * 4);
  return p;
}

// The sum of the advances of the characters the table holds, taken from the table itself.
int advances(const GlyphRecord* table, const std::string& text) {
  int sum = 0;
  for (unsigned char c : text)
    if (const GlyphRecord* g = findGlyph(table, c)) sum += g->advance;
  return sum;
}

// What DrawText (left to right) or DrawTextRight (right to left) should leave on a grey frame:
// each glyph's rectangle of the font picture blended over it with its alpha, in drawing order.
std::vector<uint32_t> expected(const Picture& font, const GlyphRecord* table, const std::string& text, int x, int y,
                               bool fromRight) {
  std::vector<uint32_t> f(size_t(kFrameW) * kFrameH, gGrey);
  std::vector<std::pair<const GlyphRecord*, int>> placed;
  if (!fromRight) {
    int pen = x;
    for (unsigned char c : text)
      if (const GlyphRecord* g = findGlyph(table, c)) {
        placed.emplace_back(g, pen);
        pen += g->advance;
      }
  } else {
    int pen = x;
    for (size_t i = text.size(); i-- > 0;)
      if (const GlyphRecord* g = findGlyph(table, static_cast<unsigned char>(text[i]))) {
        pen -= g->advance;
        placed.emplace_back(g, pen);
      }
  }
  for (auto [g, px] : placed)
    for (int r = g->y1; r <= g->y2; ++r)
      for (int c = g->x1; c <= g->x2; ++c) {
        const int sx = px + c - g->x1, sy = y + r - g->y1;
        if (sx < 0 || sy < 0 || sx >= kFrameW || sy >= kFrameH) continue;
        const uint8_t* s = font.at(c, r);
        const float a = s[3] / 255.0f;
        uint32_t& d = f[size_t(sy) * kFrameW + size_t(sx)];
        uint32_t out = 0;
        for (int k = 0; k < 3; ++k) {
          const float v = s[k] * a + float((d >> (8 * k)) & 255) * (1 - a);
          out |= uint32_t(std::lround(v)) << (8 * k);
        }
        d = out;
      }
  return f;
}

class ShippedFonts : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    frame_ = std::make_unique<TestFrame>(GetParam());
    ASSERT_NE(frame_->window, nullptr);
    small_ = std::make_unique<KBitmapFont>((kGfx + "tinyfont.png").c_str(), smallFontTable);
    digits_ = std::make_unique<KBitmapFont>((kGfx + "font2.png").c_str(), digitFontTable);
    ASSERT_TRUE(small_->IsLoaded());
    ASSERT_TRUE(digits_->IsLoaded());
    smallPicture_ = decode("tinyfont.png");
    digitPicture_ = decode("font2.png");
    ASSERT_GT(smallPicture_.w, 0);
    ASSERT_GT(digitPicture_.w, 0);
    grey();
  }
  void TearDown() override {
    small_.reset();
    digits_.reset();
    frame_.reset();
  }
  void grey() {
    frame_->clear(0.5f, 0.5f, 0.5f);
    gGrey = frame_->at(0, 0);
  }
  // The frame against the expected one: the largest channel difference, and the bounds of the
  // pixels that are not the background.
  struct Result {
    int worst = 0;
    int x1 = kFrameW, y1 = kFrameH, x2 = -1, y2 = -1;
    int changed = 0;
  };
  Result compare(const std::vector<uint32_t>& want) {
    const std::vector<uint32_t> got = frame_->read();
    Result r;
    for (int y = 0; y < kFrameH; ++y)
      for (int x = 0; x < kFrameW; ++x) {
        const uint32_t p = got[size_t(y) * kFrameW + size_t(x)];
        r.worst = std::max(r.worst, channelDiff(p, want[size_t(y) * kFrameW + size_t(x)]));
        if (p == gGrey) continue;
        ++r.changed;
        r.x1 = std::min(r.x1, x);
        r.y1 = std::min(r.y1, y);
        r.x2 = std::max(r.x2, x);
        r.y2 = std::max(r.y2, y);
      }
    return r;
  }
  // The software twin keeps 4 bits a channel (with an ordered dither); OpenGL keeps 8.
  int tolerance() const { return GetParam() ? 2 : 24; }

  std::unique_ptr<TestFrame> frame_;
  std::unique_ptr<KBitmapFont> small_, digits_;
  Picture smallPicture_, digitPicture_;
};

TEST_P(ShippedFonts, SmallFontTextLandsInItsMeasuredBox) {
  // Capitals, lower case, digits, punctuation, the "$" that starts one column early, and
  // Windows-1252 letters (u umlaut, e acute, n tilde, the euro sign).
  const std::string texts[] = {"Brawnmoor", "Fight $120!", "M\xFCller \xC9ric Se\xF1or", "5 \x80 und 12 %",
                               "WAVY jig?"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    grey();
    const int x = 6, y = 20;
    const float width = small_->GetTextWidth(text.c_str(), 0);
    ASSERT_EQ(width, advances(smallFontTable, text));
    ASSERT_LT(x + width, kFrameW);
    small_->DrawText(text.c_str(), x, y, 0);
    const Result r = compare(expected(smallPicture_, smallFontTable, text, x, y, false));
    EXPECT_LE(r.worst, tolerance());
    ASSERT_GT(r.changed, 20);
    // Inside the box: x .. x + width (the last glyph's rectangle is one column wider than its
    // advance), y .. y + 13; and filling it out to within a glyph's margin.
    EXPECT_GE(r.x1, x);
    EXPECT_LE(r.x2, x + int(width));
    EXPECT_GE(r.y1, y);
    EXPECT_LE(r.y2, y + 13);
    EXPECT_LE(r.x1, x + 2);
    EXPECT_GE(r.x2, x + int(width) - 3);
  }
}

TEST_P(ShippedFonts, RightAlignedAndCentredTextStayInTheirBoxes) {
  const std::string text = "Champion 1995";
  const int width = advances(smallFontTable, text);
  small_->DrawTextRight(text.c_str(), 150, 30, 0);
  Result r = compare(expected(smallPicture_, smallFontTable, text, 150, 30, true));
  EXPECT_LE(r.worst, tolerance());
  EXPECT_GE(r.x1, 150 - width);
  EXPECT_LE(r.x2, 150);
  EXPECT_GE(r.x2, 150 - 3);
  grey();
  small_->DrawTextCentered(text.c_str(), 0, kFrameW, 30, 0);
  const int left = int((kFrameW - width) * 0.5f);
  r = compare(expected(smallPicture_, smallFontTable, text, left, 30, false));
  EXPECT_LE(r.worst, tolerance());
  EXPECT_GE(r.x1, left);
  EXPECT_LE(r.x2, left + width);
}

TEST_P(ShippedFonts, DigitFontNumbers) {
  digits_->DrawNumber(1234567890, 8, 40, 0);
  const float width = digits_->GetTextWidth("1234567890", 0);
  EXPECT_EQ(width, 10 + 14 + 14 + 15 + 14 + 14 + 14 + 14 + 14 + 14);
  Result r = compare(expected(digitPicture_, digitFontTable, "1234567890", 8, 40, false));
  EXPECT_LE(r.worst, tolerance());
  EXPECT_GE(r.x1, 8);
  EXPECT_LE(r.x2, 8 + int(width));
  EXPECT_GE(r.y1, 40);
  EXPECT_LE(r.y2, 40 + 20);
  EXPECT_GE(r.y2, 40 + 15);
  // The digit table has no minus sign: -5 draws the 5 at x, without an advance for the minus.
  grey();
  digits_->DrawNumber(-5, 30, 40, 0);
  r = compare(expected(digitPicture_, digitFontTable, "5", 30, 40, false));
  EXPECT_LE(r.worst, tolerance());
  EXPECT_GE(r.x1, 30);
  EXPECT_LE(r.x2, 30 + 14);
  // The small font has one: "-" (advance 4) then "5".
  grey();
  small_->DrawNumber(-5, 30, 40, 0);
  r = compare(expected(smallPicture_, smallFontTable, "-5", 30, 40, false));
  EXPECT_LE(r.worst, tolerance());
  EXPECT_LE(r.x2, 30 + 4 + 7);
}

TEST_P(ShippedFonts, FractionalPenAndSpacingDrawLikeOneBlitPerGlyph) {
  // The pen moves in floats (x 3.7, spacing 1.5) and each glyph is drawn at its integer part,
  // tinted with the font colour: exactly the pixels of one BlitAlphaRect per glyph.
  const std::string text = "Left jab, right hook: 12 $";
  small_->SetColor(1.0f, 0.8f, 0.4f, 0.9f);
  small_->DrawText(text.c_str(), 3.7f, 50, 1.5f);
  const std::vector<uint32_t> viaFont = frame_->read();
  grey();
  KGraphic* pic = small_->GetPicture();
  pic->SetBlitColor(1.0f, 0.8f, 0.4f, 0.9f);
  float pen = 3.7f;
  for (unsigned char c : text) {
    const GlyphRecord* g = findGlyph(smallFontTable, c);
    if (!g) continue;
    pic->BlitAlphaRect(g->x1, g->y1, g->x2 + 1, g->y2 + 1, short(int(pen)), 50, false, false);
    pen += 1.5f + float(g->advance);
  }
  pic->SetBlitColor(1, 1, 1, 1);
  const std::vector<uint32_t> direct = frame_->read();
  int differing = 0, lit = 0;
  for (size_t i = 0; i < direct.size(); ++i) {
    differing += viaFont[i] != direct[i];
    lit += direct[i] != gGrey;
  }
  EXPECT_GT(lit, 300);
  EXPECT_EQ(differing, 0);
}

TEST_P(ShippedFonts, ParagraphsLongerThanTheOldBuffersAreDrawnToTheEnd) {
  // 6,000 characters (more than 4,095), one word of 700 letters (a line longer than 511 before
  // it is cut), then a newline and "END": nothing overflows and the text is drawn to its end.
  std::string text;
  while (text.size() < 6000) text += "Jab cross hook. ";
  text += std::string(700, 'i');
  text += "\nEND";
  // The game's line step: the table's line height (2, from its first record) plus 10.
  small_->SetLineSpacing(10);
  const float y0 = small_->DrawParagraph(text.c_str(), 4, 150, 0, 3, 0);
  ASSERT_GT(y0, 12 * 200);
  // Again, moved up so that the last line lands on rows 100 .. 113.
  grey();
  const float top = 100 - (y0 - 12);
  EXPECT_EQ(small_->DrawParagraph(text.c_str(), 4, 150, top, 3, 0), 112);
  const std::vector<uint32_t> f = frame_->read();
  // The last line is "END" alone, left-aligned (rows 102 .. 113: below the line before it).
  int lastRight = -1, above = 0;
  for (int x = 0; x < kFrameW; ++x) {
    for (int y = 102; y < 114; ++y)
      if (f[size_t(y) * kFrameW + size_t(x)] != gGrey) lastRight = x;
    for (int y = 88; y < 100; ++y) above += f[size_t(y) * kFrameW + size_t(x)] != gGrey;
  }
  const int endWidth = int(small_->GetTextWidth("END", 0));
  EXPECT_GT(lastRight, 4 + endWidth - 4);
  EXPECT_LE(lastRight, 4 + endWidth);
  EXPECT_GT(above, 60) << "the end of the long word";
}

INSTANTIATE_TEST_SUITE_P(Renderers, ShippedFonts, ::testing::Values(true, false),
                         rendererName);

}  // namespace
