// Single-byte (Windows-1252) text drawn from one picture that holds every glyph, with a glyph
// table lent by the caller: 14-byte little-endian records (character, zero, x1, y1, x2, y2 with
// inclusive right and bottom, advance, line height), ended by a record whose character is 0.
// Only the first record's line height is used. A glyph is drawn from (x1, y1, x2 + 1, y2 + 1).
#pragma once

#include <functional>
#include <string>
#include <vector>

class KGraphic;

// One line of a wrapped paragraph.
struct KTextLine {
  std::string text;
  bool last = false;     // the paragraph ends with this line
  bool newline = false;  // a newline character ended it
};

class KBitmapFont {
 public:
  // Loads the picture (high quality, alpha; then nearest filtering). The table is borrowed:
  // the caller keeps it alive as long as the font.
  KBitmapFont(const char* picturePath, const void* glyphTable);
  ~KBitmapFont();
  KBitmapFont(const KBitmapFont&) = delete;
  KBitmapFont& operator=(const KBitmapFont&) = delete;

  void SetColor(float r, float g, float b, float a);
  void SetSpaceExtra(float extra) { spaceExtra_ = extra; }
  void SetLineSpacing(float spacing) { lineSpacing_ = spacing; }
  float GetSpaceExtra() const { return spaceExtra_; }

  void DrawText(const char* text, float x, float y, float spacing);
  void DrawTextRight(const char* text, float rightX, float y, float spacing);
  void DrawTextCentered(const char* text, float x1, float x2, float y, float spacing);
  void DrawNumber(int number, float x, float y, float spacing);
  void DrawNumberRight(int number, float rightX, float y, float spacing);
  void DrawNumberCentered(int number, float x1, float x2, float y, float spacing);

  // -1 without a picture or table, or for a null or empty text.
  float GetTextWidth(const char* text, float spacing);
  float GetTextWidthN(const char* text, int count, float spacing);

  // Lays out a paragraph between x1 and x2 from y: alignment 0 left, 1 right, 2 centred,
  // 3 justified. Returns y after the last line.
  float DrawParagraph(const char* text, float x1, float x2, float y, int alignment, float spacing);
  // The lines DrawParagraph draws for a column `width` pixels wide.
  std::vector<KTextLine> WrapText(const char* text, float width, float spacing);

  // The line breaking of DrawParagraph on its own, for any measure: `advance` gives the pen
  // movement of one character (spacing included; 0 for a character the font lacks). A newline
  // ends a line; a line whose first i + 1 characters are at least `width` wide ends at the last
  // space among its first i - 1 characters, or, with none, the word is cut after i characters.
  // A text of one character has no line; a last word of one character after a break has.
  static std::vector<KTextLine> WrapText(const char* text, float width,
                                         const std::function<float(unsigned char)>& advance);

  KGraphic* GetPicture() const { return picture_; }
  bool IsLoaded() const { return loaded_; }

 private:
  struct Glyph {
    int x1, y1, x2, y2, advance;
  };
  bool FindGlyph(unsigned char c, Glyph& glyph) const;
  int LineHeight() const;

  KGraphic* picture_ = nullptr;
  const unsigned char* table_ = nullptr;
  bool loaded_ = false;
  float spaceExtra_ = 0, lineSpacing_ = 0;
  float color_[4] = {1, 1, 1, 1};
};
