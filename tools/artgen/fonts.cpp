// The two bitmap font pictures, laid out by the game's own glyph tables: every glyph is
// rendered with FreeType into its rectangle as white ink with clean anti-aliased alpha.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "artgen.h"
#include "ui/fonttables.h"

namespace art {

namespace {

uint32_t cp1252ToUnicode(unsigned char c) {
  switch (c) {
    case 0x80: return 0x20AC;
    case 0x8A: return 0x0160;
    case 0x8E: return 0x017D;
    case 0x9A: return 0x0161;
    case 0x9E: return 0x017E;
    default: return c;
  }
}

struct Coverage {
  int w, h;
  std::vector<float> a;
  float at(int x, int y) const {
    return (x < 0 || y < 0 || x >= w || y >= h) ? 0.f : a[static_cast<size_t>(y) * w + x];
  }
};

struct FontPicture {
  int w, h;
  Coverage ink, shadow;
};

// Renders one glyph centred in the advance of its rectangle, its baseline `baseline` rows
// below the rectangle's top; too wide a glyph is narrowed to fit.
void renderGlyph(FT_Face face, const GlyphRecord& g, int baseline, FontPicture& pic,
                 int shadowDx, int shadowDy) {
  FT_UInt index = FT_Get_Char_Index(face, cp1252ToUnicode(g.character));
  if (!index) throw std::runtime_error("typeface lacks a glyph of the table");
  int cellW = g.x2 - g.x1 + 1, cellH = g.y2 - g.y1 + 1;
  int room = std::max(1, g.advance - 1);
  FT_Set_Transform(face, nullptr, nullptr);
  FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT);
  FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
  int inkW = static_cast<int>(face->glyph->bitmap.width);
  int above = face->glyph->bitmap_top;  // rows above the baseline
  int below = static_cast<int>(face->glyph->bitmap.rows) - above;
  double sx = inkW > room ? room / double(inkW + 0.6) : 1.0;
  // Accented capitals are taller than the cell: they are pressed down to fit it.
  double sy = above > baseline ? baseline / double(above + 0.4) : 1.0;
  if (below > cellH - baseline) sy = std::min(sy, (cellH - baseline) / double(below + 0.4));
  if (sx < 1.0 || sy < 1.0) {
    FT_Matrix m{static_cast<FT_Fixed>(0x10000 * sx), 0, 0, static_cast<FT_Fixed>(0x10000 * sy)};
    FT_Set_Transform(face, &m, nullptr);
    FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_HINTING);
    FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
    inkW = static_cast<int>(face->glyph->bitmap.width);
  }
  const FT_Bitmap& bm = face->glyph->bitmap;
  int left = g.x1 + std::max(0, (room + 1 - inkW) / 2);
  int top = g.y1 + baseline - face->glyph->bitmap_top;
  for (unsigned r = 0; r < bm.rows; ++r)
    for (unsigned c = 0; c < bm.width; ++c) {
      float v = bm.buffer[r * bm.pitch + c] / 255.f;
      if (v <= 0) continue;
      int x = left + static_cast<int>(c), y = top + static_cast<int>(r);
      auto put = [&](Coverage& cov, int px, int py) {
        if (px < g.x1 || px >= g.x1 + cellW || py < g.y1 || py >= g.y1 + cellH) return;
        float& d = cov.a[static_cast<size_t>(py) * cov.w + px];
        d = std::max(d, v);
      };
      put(pic.ink, x, y);
      put(pic.shadow, x + shadowDx, y + shadowDy);
    }
}

void writeFont(const GlyphRecord* table, const std::string& name, const std::string& fontPath,
               double pixelSize, int baseline, double shadowAlpha, bool outline) {
  int w = 0, h = 0;
  for (const GlyphRecord* g = table; g->character; ++g) {
    w = std::max<int>(w, g->x2 + 1);
    h = std::max<int>(h, g->y2 + 1);
  }
  // Whole picture sizes: a little slack to the next multiple of 8.
  w = (w + 7) / 8 * 8;
  h = (h + 7) / 8 * 8;
  FT_Library lib;
  FT_Init_FreeType(&lib);
  FT_Face face;
  if (FT_New_Face(lib, fontPath.c_str(), 0, &face)) throw std::runtime_error("no typeface " + fontPath);
  FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(pixelSize * 64), 72, 72);
  FontPicture pic{w, h, Coverage{w, h, std::vector<float>(static_cast<size_t>(w) * h)},
                  Coverage{w, h, std::vector<float>(static_cast<size_t>(w) * h)}};
  for (const GlyphRecord* g = table; g->character; ++g) {
    if (g->character == ' ') continue;
    renderGlyph(face, *g, baseline, pic, 1, 1);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(lib);

  Canvas c(w, h);
  cairo_surface_flush(c.surface());
  for (int y = 0; y < h; ++y) {
    uint32_t* row = c.row(y);
    for (int x = 0; x < w; ++x) {
      float ai = pic.ink.at(x, y);
      float as = pic.shadow.at(x, y) * static_cast<float>(shadowAlpha);
      if (outline) {
        // A dark rim around big glyphs: the ink's neighbourhood.
        float rim = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) rim = std::max(rim, pic.ink.at(x + dx, y + dy));
        as = std::max(as, rim * 0.85f);
      }
      float a = ai + as * (1 - ai);
      if (a <= 0) {
        row[x] = 0;
        continue;
      }
      // Ink white (slightly warm toward the bottom for big glyphs), shadow black; premultiplied.
      float shade = outline ? 1.0f - 0.18f * (y % 21) / 20.0f : 1.0f;
      float white = ai * shade;
      auto ch = [&](float v) { return static_cast<uint32_t>(std::clamp(v, 0.f, 1.f) * 255 + 0.5f); };
      uint32_t A = ch(a), R = ch(white), G = ch(white * (outline ? 0.98f : 1.f)),
               B = ch(white * (outline ? 0.92f : 1.f));
      R = std::min(R, A);
      G = std::min(G, A);
      B = std::min(B, A);
      row[x] = (A << 24) | (R << 16) | (G << 8) | B;
    }
  }
  cairo_surface_mark_dirty(c.surface());
  emit(c, name);
}

}  // namespace

void makeFonts() {
  // Small font: 14-row cells, baseline on row 11, DejaVu Sans Bold at 12.5 px.
  writeFont(smallFontTable, "tinyfont.png", opt.textFont, 12.5, 11, 0.55, false);
  addPicture("tinyfont.png", 256, 72,
             "the small text font: white glyphs with a soft shadow, five rows of 14 pixels laid "
             "out by the small font's glyph table",
             "every screen (all run-time text)");
  // Digit font: 21-row cells, baseline on row 18, DejaVu Sans Condensed Bold.
  writeFont(digitFontTable, "font2.png", opt.headingFont, 24, 18, 0.0, true);
  addPicture("font2.png", 64, 64,
             "the large digit font: white digits with a dark rim, laid out by the digit table",
             "large numbers (fight and result screens)");
}

}  // namespace art
