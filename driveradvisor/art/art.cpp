#include "art/art.h"

#include <algorithm>
#include <cmath>

namespace vantorel {

namespace {

struct Rgb {
  double r, g, b;
};
constexpr Rgb hex(unsigned v) { return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0}; }

constexpr Rgb kArenaDark = hex(0x121418);
constexpr Rgb kArenaLit = hex(0x1C1F26);
constexpr Rgb kPanel = hex(0x23262E);
constexpr Rgb kBlue = hex(0x1F4E8C);
constexpr Rgb kBlueLit = hex(0x3470C0);
constexpr Rgb kGold = hex(0xD4A437);
constexpr Rgb kGoldLit = hex(0xF2CE6B);
constexpr Rgb kCanvasWhite = hex(0xEFE6D2);

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void addStop(cairo_pattern_t* p, double at, Rgb c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  addStop(p, 0, top);
  addStop(p, 1, bottom);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

void outline(cairo_t* cr, Rgb c, double width, double alpha = 1.0) {
  setColour(cr, c, alpha);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

// Fine deterministic noise so the large dark area does not band.
void grain(cairo_t* cr, int width, int height) {
  unsigned seed = 12345;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      const double a = ((seed >> 16) & 255) / 255.0 * 0.025;
      cairo_set_source_rgba(cr, 1, 1, 1, a);
      cairo_rectangle(cr, x, y, 1, 1);
      cairo_fill(cr);
    }
  }
}

void drawFan(cairo_t* cr, double cx, double cy, double r) {
  cairo_arc(cr, cx, cy, r + 2, 0, 2 * M_PI);
  setColour(cr, kArenaDark);
  cairo_fill_preserve(cr);
  outline(cr, kGold, 1.5);
  for (int blade = 0; blade < 7; ++blade) {
    const double a = blade * 2 * M_PI / 7;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, a);
    cairo_move_to(cr, 0, -3);
    cairo_curve_to(cr, r * 0.45, -r * 0.55, r * 0.95, -r * 0.35, r * 0.95, 0);
    cairo_curve_to(cr, r * 0.6, -r * 0.05, r * 0.3, 0, 3, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
  }
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 2, cx, cy, r);
  addStop(p, 0, kCanvasWhite, 0.9);
  addStop(p, 1, kCanvasWhite, 0.45);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_arc(cr, cx, cy, r * 0.28, 0, 2 * M_PI);
  fillVertical(cr, cy - r * 0.28, cy + r * 0.28, kGoldLit, kGold);
  outline(cr, kArenaDark, 1);
}

}  // namespace

Surface drawLogo() {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kLogoWidth, kLogoHeight));
  cairo_t* cr = cairo_create(surface.get());
  const double w = kLogoWidth, h = kLogoHeight;

  // The panel: a spotlight falling on the card, a vignette towards the edges.
  roundedRect(cr, 1, 1, w - 2, h - 2, 6);
  cairo_pattern_t* spot = cairo_pattern_create_radial(w / 2, h * 0.4, 4, w / 2, h * 0.45, w * 0.62);
  addStop(spot, 0, kPanel);
  addStop(spot, 0.55, kArenaLit);
  addStop(spot, 1, kArenaDark);
  cairo_set_source(cr, spot);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(spot);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  grain(cr, kLogoWidth, kLogoHeight);
  cairo_restore(cr);
  roundedRect(cr, 1, 1, w - 2, h - 2, 6);
  outline(cr, kGold, 2, 0.7);
  roundedRect(cr, 2.5, 2.5, w - 5, h - 5, 5);
  outline(cr, kArenaDark, 1);

  // The slot bracket on the left.
  roundedRect(cr, 9.5, 13.5, 7, 62, 1.5);
  fillVertical(cr, 13, 76, kCanvasWhite, hex(0x9C9585));
  outline(cr, kArenaDark, 1);
  for (double y : {22.0, 34.0, 46.0, 58.0}) {
    cairo_rectangle(cr, 11.5, y, 3, 6);
    setColour(cr, kArenaDark);
    cairo_fill(cr);
  }

  // The gold contacts below the board, with the key notch.
  for (int i = 0; i < 24; ++i) {
    const double x = 32 + i * 3.2;
    if (i == 7) continue;
    cairo_rectangle(cr, x, 63, 2.2, 9);
    fillVertical(cr, 63, 72, kGoldLit, kGold);
    cairo_new_path(cr);
  }

  // The board.
  roundedRect(cr, 16.5, 18.5, 107, 46, 3);
  fillVertical(cr, 18, 65, kBlueLit, kBlue);
  outline(cr, kArenaDark, 1);
  cairo_move_to(cr, 19, 19.5);
  cairo_line_to(cr, 121, 19.5);
  outline(cr, kGoldLit, 1, 0.8);

  // The cooler: a shroud holding the fan and the heat sink fins.
  roundedRect(cr, 22.5, 23.5, 96, 36, 4);
  fillVertical(cr, 23, 60, hex(0x2C3038), kArenaDark);
  outline(cr, kGold, 1, 0.9);
  for (int i = 0; i < 9; ++i) {
    const double x = 72.5 + i * 4.5;
    cairo_move_to(cr, x, 28);
    cairo_line_to(cr, x, 55);
    outline(cr, kCanvasWhite, 1.5, 0.55);
  }
  drawFan(cr, 46, 41.5, 14);

  // The program's name in gold capitals with a dark shadow.
  cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 14);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, "VANTOREL", &ext);
  const double tx = (w - ext.width) / 2 - ext.x_bearing, ty = 91;
  setColour(cr, kArenaDark);
  cairo_move_to(cr, tx + 1, ty + 1);
  cairo_show_text(cr, "VANTOREL");
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, ty - 11, 0, ty);
  addStop(gold, 0, kGoldLit);
  addStop(gold, 1, kGold);
  cairo_set_source(cr, gold);
  cairo_move_to(cr, tx, ty);
  cairo_show_text(cr, "VANTOREL");
  cairo_pattern_destroy(gold);

  cairo_destroy(cr);
  cairo_surface_flush(surface.get());
  return surface;
}

Surface drawMonitorIcon(int size) {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size));
  cairo_t* cr = cairo_create(surface.get());
  const double s = size;
  const double line = std::max(1.0, s / 32);

  // The stand: a neck and a foot in gold.
  cairo_move_to(cr, s * 0.42, s * 0.70);
  cairo_line_to(cr, s * 0.58, s * 0.70);
  cairo_line_to(cr, s * 0.62, s * 0.86);
  cairo_line_to(cr, s * 0.38, s * 0.86);
  cairo_close_path(cr);
  fillVertical(cr, s * 0.7, s * 0.86, kGoldLit, kGold);
  outline(cr, kArenaDark, line);
  roundedRect(cr, s * 0.2, s * 0.84, s * 0.6, s * 0.1, s * 0.03);
  fillVertical(cr, s * 0.84, s * 0.94, kGoldLit, kGold);
  outline(cr, kArenaDark, line);

  // The case and its gold rim.
  roundedRect(cr, s * 0.04, s * 0.08, s * 0.92, s * 0.66, s * 0.08);
  fillVertical(cr, s * 0.08, s * 0.74, hex(0x2C3038), kArenaDark);
  outline(cr, kGold, line);

  // The screen, lit in the middle like a spotlit ring.
  const double sx = s * 0.13, sy = s * 0.16, sw = s * 0.74, sh = s * 0.48;
  cairo_rectangle(cr, sx, sy, sw, sh);
  cairo_pattern_t* glow = cairo_pattern_create_radial(sx + sw * 0.45, sy + sh * 0.4, 0, sx + sw / 2, sy + sh / 2, sw * 0.65);
  addStop(glow, 0, kBlueLit);
  addStop(glow, 1, kBlue);
  cairo_set_source(cr, glow);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(glow);
  outline(cr, kArenaDark, line);

  // A gold card shape on the screen, readable down to 16 pixels.
  cairo_rectangle(cr, sx + sw * 0.22, sy + sh * 0.32, sw * 0.56, sh * 0.30);
  setColour(cr, kGoldLit);
  cairo_fill(cr);
  cairo_rectangle(cr, sx + sw * 0.32, sy + sh * 0.62, sw * 0.30, sh * 0.12);
  setColour(cr, kGold);
  cairo_fill(cr);

  cairo_destroy(cr);
  cairo_surface_flush(surface.get());
  return surface;
}

}  // namespace vantorel
