// The glyph tables of the game's two bitmap fonts, kept in the game's data and lent
// to KBitmapFont, which reads them as 14-byte little-endian records ended by a record whose
// character is 0. The small text font draws from "data\gfx\tinyfont.png", the digit font from
// "data\gfx\font2.png"; the pictures themselves are drawn by the asset generators.
#pragma once

#include <cstddef>
#include <cstdint>

struct GlyphRecord {
  uint8_t character;   // Windows-1252 code; 0 ends the table
  uint8_t zero;
  int16_t x1;          // left column in the font picture
  int16_t y1;          // top row
  int16_t x2;          // right column, inclusive
  int16_t y2;          // bottom row, inclusive
  int16_t advance;     // pen movement in pixels
  int16_t lineHeight;  // only the first record's value is used
};
static_assert(sizeof(GlyphRecord) == 14);
static_assert(offsetof(GlyphRecord, character) == 0);
static_assert(offsetof(GlyphRecord, zero) == 1);
static_assert(offsetof(GlyphRecord, x1) == 2);
static_assert(offsetof(GlyphRecord, y1) == 4);
static_assert(offsetof(GlyphRecord, x2) == 6);
static_assert(offsetof(GlyphRecord, y2) == 8);
static_assert(offsetof(GlyphRecord, advance) == 10);
static_assert(offsetof(GlyphRecord, lineHeight) == 12);

// The fonts' pictures.
constexpr const char* kSmallFontFile = "data\\gfx\\tinyfont.png";
constexpr const char* kLargeFontFile = "data\\gfx\\font2.png";

constexpr int kSmallFontGlyphs = 141;
constexpr int kDigitFontGlyphs = 11;

// Glyph table 1: the small text font (space first, then five picture rows), plus the end record.
extern const GlyphRecord smallFontTable[kSmallFontGlyphs + 1];
// Glyph table 2: the large digit font, plus the end record.
extern const GlyphRecord digitFontTable[kDigitFontGlyphs + 1];

// The record of a character, searched linearly from the start as the font does; null when the
// table has none (the end record, or character 0, is never found).
const GlyphRecord* findGlyph(const GlyphRecord* table, unsigned char character);
