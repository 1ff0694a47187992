#include "font/KBitmapFont.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "graphics/KGraphic.h"
#include "graphics/KGraphicFactory.h"

namespace {

constexpr size_t kRecordSize = 14;

int16_t read16(const unsigned char* p) { return int16_t(uint16_t(p[0] | p[1] << 8)); }

}  // namespace

KBitmapFont::KBitmapFont(const char* picturePath, const void* glyphTable) {
  picture_ = KTools::CreateGraphic();
  if (!picture_) return;
  table_ = static_cast<const unsigned char*>(glyphTable);
  loaded_ = picturePath && picture_->LoadPicture(picturePath, true, true);
  picture_->SetTextureQuality(false);
}

KBitmapFont::~KBitmapFont() { delete picture_; }

void KBitmapFont::SetColor(float r, float g, float b, float a) {
  color_[0] = r;
  color_[1] = g;
  color_[2] = b;
  color_[3] = a;
}

bool KBitmapFont::FindGlyph(unsigned char c, Glyph& glyph) const {
  if (!picture_ || !loaded_ || !table_ || c == 0) return false;
  for (const unsigned char* r = table_; r[0] != 0; r += kRecordSize) {
    if (r[0] != c) continue;
    glyph = {read16(r + 2), read16(r + 4), read16(r + 6), read16(r + 8), read16(r + 10)};
    return true;
  }
  return false;
}

int KBitmapFont::LineHeight() const { return table_ ? read16(table_ + 12) : 0; }

void KBitmapFont::DrawText(const char* text, float x, float y, float spacing) {
  if (!text || !*text || !picture_ || !loaded_) return;
  picture_->SetBlitColor(color_[0], color_[1], color_[2], color_[3]);
  float pen = x;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    Glyph g;
    if (!FindGlyph(*c, g)) continue;
    picture_->BlitAlphaRect(float(g.x1), float(g.y1), float(g.x2 + 1), float(g.y2 + 1), short(int(pen)), short(y),
                            false, false);
    if (*c == ' ') pen += spaceExtra_;
    pen += spacing + float(g.advance);
  }
}

void KBitmapFont::DrawTextRight(const char* text, float rightX, float y, float spacing) {
  if (!text || !*text || !picture_ || !loaded_) return;
  picture_->SetBlitColor(color_[0], color_[1], color_[2], color_[3]);
  float pen = rightX;
  for (size_t i = std::strlen(text); i-- > 0;) {
    Glyph g;
    if (!FindGlyph(static_cast<unsigned char>(text[i]), g)) continue;
    pen -= spacing + float(g.advance);
    picture_->BlitAlphaRect(float(g.x1), float(g.y1), float(g.x2 + 1), float(g.y2 + 1), short(int(pen)), short(y),
                            false, false);
  }
}

void KBitmapFont::DrawTextCentered(const char* text, float x1, float x2, float y, float spacing) {
  const float width = GetTextWidth(text, spacing);
  if (width > 0) DrawText(text, float(int(((x2 - x1) - width) * 0.5f + x1)), y, spacing);
}

void KBitmapFont::DrawNumber(int number, float x, float y, float spacing) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%d", number);
  DrawText(buffer, x, y, spacing);
}

void KBitmapFont::DrawNumberRight(int number, float rightX, float y, float spacing) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%d", number);
  DrawTextRight(buffer, rightX, y, spacing);
}

void KBitmapFont::DrawNumberCentered(int number, float x1, float x2, float y, float spacing) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%d", number);
  DrawTextCentered(buffer, x1, x2, y, spacing);
}

float KBitmapFont::GetTextWidth(const char* text, float spacing) {
  if (!text) return -1;
  return GetTextWidthN(text, int(std::strlen(text)), spacing);
}

float KBitmapFont::GetTextWidthN(const char* text, int count, float spacing) {
  if (!picture_ || !loaded_ || !table_ || !text || !*text) return -1;
  float width = 0;
  for (int i = 0; i < count && text[i]; ++i) {
    Glyph g;
    if (FindGlyph(static_cast<unsigned char>(text[i]), g)) width += spacing + float(g.advance);
  }
  return width;
}

std::vector<KTextLine> KBitmapFont::WrapText(const char* text, float width,
                                             const std::function<float(unsigned char)>& advance) {
  std::vector<KTextLine> lines;
  if (!text || !*text) return lines;
  // The work copy is as long as the text: no length limit, nothing cut off.
  std::string work(text);
  const size_t length = work.size();
  size_t start = 0;
  while (true) {
    const size_t remaining = length - start;
    bool finished = false, newline = false;
    size_t end = start;
    if (remaining <= 1) {
      finished = true;
      // A whole text of one character draws nothing; a last word of one character after a
      // break is still drawn.
      end = start > 0 ? length : start;
    } else {
      float w = advance(static_cast<unsigned char>(work[start]));
      for (size_t i = 1;; ++i) {
        if (work[start + i] == '\n') {
          work[start + i] = ' ';
          newline = true;
          end = start + i;
          break;
        }
        w += advance(static_cast<unsigned char>(work[start + i]));  // the first i + 1 characters
        if (w >= width) {
          // Characters 0 .. i - 1 fit. The break goes at i - 1 and back to the nearest space;
          // with none, the word is cut after i characters (at least one: a glyph wider than
          // the column cannot stall the layout).
          size_t at = i - 1;
          while (at > 0 && work[start + at] != ' ') --at;
          end = start + (at > 0 ? at : i);
          break;
        }
        if (i + 1 >= remaining) {
          finished = true;
          end = length;
          break;
        }
      }
    }
    if (end > start) lines.push_back(KTextLine{work.substr(start, end - start), finished, newline});
    start = end;
    while (start < length && work[start] == ' ') ++start;
    if (finished || start >= length) break;
  }
  if (!lines.empty()) lines.back().last = true;
  return lines;
}

std::vector<KTextLine> KBitmapFont::WrapText(const char* text, float width, float spacing) {
  // Without a picture nothing is measured (every width is -1): no line is ever too wide.
  if (!picture_ || !loaded_ || !table_) return WrapText(text, 1e30f, [](unsigned char) { return 0.0f; });
  return WrapText(text, width, [this, spacing](unsigned char c) {
    Glyph g;
    return FindGlyph(c, g) ? spacing + float(g.advance) : 0.0f;
  });
}

float KBitmapFont::DrawParagraph(const char* text, float x1, float x2, float y, int alignment, float spacing) {
  if (!text || !*text || !table_) return y;
  const int lineHeight = LineHeight();
  const float available = x2 - x1;
  spaceExtra_ = 0;
  for (const KTextLine& line : WrapText(text, available, spacing)) {
    switch (alignment) {
      case 1: DrawTextRight(line.text.c_str(), x2, y, spacing); break;
      case 2: DrawTextCentered(line.text.c_str(), x1, x2, y, spacing); break;
      case 3: {
        int spaces = 0;
        for (char c : line.text) spaces += c == ' ';
        const float lineWidth = GetTextWidth(line.text.c_str(), spacing);
        spaceExtra_ = (line.last || line.newline || spaces == 0) ? 0 : (available - lineWidth) / float(spaces);
        DrawText(line.text.c_str(), x1, y, spacing);
        spaceExtra_ = 0;
        break;
      }
      default: DrawText(line.text.c_str(), x1, y, spacing); break;
    }
    y = float(int(float(lineHeight) + lineSpacing_ + y));
  }
  return y;
}
