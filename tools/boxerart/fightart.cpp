// The fight and corner screens' pictures, drawn with cairo in the game's look: dark leather,
// gold trim, lit gradients, DejaVu Sans Condensed for every letter.
#include "fightart.h"

#include <functional>

#include "paint.h"

namespace boxerart {

namespace {

std::vector<FightPicture> made;

enum class Btn { Dark, Red, Gold, Lit };

// A button filling (x, y, w, h), inside a 2 px margin for the hover's glow.
void button(cairo_t* cr, double x, double y, double w, double h, Btn style, bool hover,
            uint32_t seed) {
  Col top, bottom;
  switch (style) {
    case Btn::Dark: top = hexc(0x3A3D46); bottom = hexc(0x1E2026); break;
    case Btn::Red: top = pal::redLit; bottom = pal::red; break;
    case Btn::Gold: top = pal::goldLit; bottom = hexc(0x9C7422); break;
    case Btn::Lit: top = hexc(0x4A3A1E); bottom = hexc(0x2A2114); break;
  }
  if (hover) {
    top = mix(top, Col{1, 1, 1}, 0.18);
    bottom = mix(bottom, Col{1, 1, 1}, 0.1);
    glowStroke(cr, [&] { roundRect(cr, x + 1, y + 1, w - 2, h - 2, 4); }, pal::goldLit, 5, 0.35);
  }
  // Shadow, body, grain, bevel.
  roundRect(cr, x + 2, y + 3, w - 4, h - 4, 4);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_fill(cr);
  roundRect(cr, x + 2, y + 2, w - 4, h - 4, 4);
  vGradient(cr, y + 2, y + h - 2, top, bottom);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  grain(cr, x + 2, y + 2, w - 4, h - 4, 0.06, seed);
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x + 5, y + 2.5);
  cairo_line_to(cr, x + w - 5, y + 2.5);
  rgba(cr, pal::goldLit, hover ? 0.9 : 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  roundRect(cr, x + 2.5, y + 2.5, w - 5, h - 5, 4);
  bool bright = hover || style == Btn::Lit;
  rgba(cr, bright ? pal::goldLit : pal::gold, hover ? 1.0 : (style == Btn::Lit ? 0.9 : 0.45));
  cairo_set_line_width(cr, bright ? 1.5 : 1);
  cairo_stroke(cr);
}

void chevrons(cairo_t* cr, double x, double cy, int n, double size, Col c) {
  for (int i = 0; i < n; ++i) {
    double px = x + i * size * 0.7;
    cairo_move_to(cr, px, cy - size / 2);
    cairo_line_to(cr, px + size * 0.55, cy);
    cairo_line_to(cr, px, cy + size / 2);
    cairo_close_path(cr);
  }
  rgba(cr, c);
  cairo_fill(cr);
}

void emit(const std::string& gfxDir, const std::string& name, const Image& img) {
  writePng(img, gfxDir + "/" + name);
  made.push_back({name, img});
}

// ---- K.O. and T.K.O. -------------------------------------------------------------------------
constexpr int kBannerW = 180, kBannerH = 70;

void burst(cairo_t* cr, double cx, double cy, double rx, double ry, int points, double inner,
           uint32_t seed) {
  cairo_new_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double a = 2 * kPi * i / (points * 2) + 0.1;
    double k = i % 2 ? inner : 1.0 - 0.18 * hash2(i, 3, seed);
    double px = cx + std::cos(a) * rx * k, py = cy + std::sin(a) * ry * k;
    if (i == 0) cairo_move_to(cr, px, py);
    else cairo_line_to(cr, px, py);
  }
  cairo_close_path(cr);
}

Image banner(const std::string& text, Col fillTop, Col fillBottom, Col burstCol, uint32_t seed) {
  Canvas cv(kBannerW, kBannerH);
  cairo_t* cr = cv.cr();
  const double cx = kBannerW / 2.0, cy = kBannerH / 2.0;
  // An impact burst behind the letters.
  burst(cr, cx, cy, 88, 34, 14, 0.62, seed);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 4, cx, cy, 90);
  cairo_pattern_add_color_stop_rgba(p, 0, burstCol.r, burstCol.g, burstCol.b, 0.95);
  cairo_pattern_add_color_stop_rgba(p, 1, burstCol.r * 0.6, burstCol.g * 0.5, burstCol.b * 0.4, 0.85);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 0.05, 0.03, 0.02, 0.85);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // The letters: slanted, thick dark rim, lit gradient.
  font(cr, true, 46);
  cairo_save(cr);
  cairo_matrix_t shear;
  cairo_matrix_init(&shear, 1, 0, -0.22, 1, 0, 0);
  cairo_translate(cr, cx + 8, cy + 16);
  cairo_transform(cr, &shear);
  double w = textWidth(cr, text);
  double sx = std::min(1.0, 150 / w);
  cairo_scale(cr, sx, 1);
  cairo_move_to(cr, -w / 2, 0);
  cairo_text_path(cr, text.c_str());
  cairo_restore(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_save(cr);
  cairo_translate(cr, 2, 3);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  cairo_set_line_width(cr, 7);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, cx + 8, cy + 16);
  cairo_transform(cr, &shear);
  cairo_scale(cr, sx, 1);
  cairo_move_to(cr, -w / 2, 0);
  cairo_text_path(cr, text.c_str());
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0.06, 0.03, 0.03, 1);
  cairo_set_line_width(cr, 6);
  cairo_stroke_preserve(cr);
  rgba(cr, pal::goldLit);
  cairo_set_line_width(cr, 2);
  cairo_stroke_preserve(cr);
  vGradient(cr, cy - 18, cy + 16, fillTop, fillBottom);
  cairo_fill(cr);
  return cv.image();
}

// ---- the referee's count --------------------------------------------------------------------
constexpr int kCountW = 48, kCountPitch = 125, kCountInk = 70;

Image countSheet() {
  Canvas cv(kCountW * 3, kCountPitch * 4);
  cairo_t* cr = cv.cr();
  for (int n = 0; n < 10; ++n) {
    double x0 = kCountW * (n % 3), y0 = kCountPitch * (n / 3);
    std::string s = std::to_string(n + 1);  // the referee counts one to ten
    font(cr, true, 62);
    double w = textWidth(cr, s);
    double sx = std::min(1.0, 42 / w);
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, kCountW, kCountInk);
    cairo_clip(cr);
    auto path = [&] {
      cairo_save(cr);
      cairo_translate(cr, x0 + kCountW / 2.0, y0 + 57);
      cairo_scale(cr, sx, 1);
      cairo_move_to(cr, -w / 2, 0);
      cairo_text_path(cr, s.c_str());
      cairo_restore(cr);
    };
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Shadow, dark rim, gold edge, white face lit from above.
    cairo_save(cr);
    cairo_translate(cr, 2, 3);
    path();
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    path();
    cairo_set_source_rgba(cr, 0.05, 0.05, 0.07, 1);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    rgba(cr, pal::gold);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke_preserve(cr);
    vGradient(cr, y0 + 12, y0 + 58, Col{1, 1, 1}, pal::white * 0.82);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  return cv.image();
}

// ---- the crowd's camera flashes ----------------------------------------------------------------
constexpr int kFlashW = 125, kFlashH = 100;

Image flashStrip() {
  Canvas cv(kFlashW * 4, kFlashH);
  cairo_t* cr = cv.cr();
  const double spots[3][2] = {{40, 40}, {92, 62}, {66, 24}};
  for (int cell = 1; cell <= 3; ++cell) {
    double x0 = kFlashW * cell;
    cairo_save(cr);
    cairo_rectangle(cr, x0, 0, kFlashW, kFlashH);
    cairo_clip(cr);
    for (int f = 0; f < cell; ++f) {
      double fx = x0 + spots[(f + cell) % 3][0], fy = spots[(f + cell) % 3][1];
      // The people round the flash, caught in its light for a moment.
      for (int k = 0; k < 7; ++k) {
        double a = 2 * kPi * k / 7 + cell, d = 20 + 9 * hash2(k, f, cell);
        double hx = fx + std::cos(a) * d, hy = fy + std::sin(a) * d * 0.7 + 6;
        double lit = std::max(0.0, 1 - d / 36);
        cairo_arc(cr, hx, hy + 11, 9, kPi, 2 * kPi);
        cairo_set_source_rgba(cr, 0.07, 0.07, 0.08, 0.75 * lit);
        cairo_fill(cr);
        cairo_arc(cr, hx, hy, 5, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.09, 0.08, 0.07, 0.8 * lit);
        cairo_fill(cr);
        cairo_arc(cr, hx, hy, 5, a + kPi - 0.9, a + kPi + 0.9);
        cairo_set_source_rgba(cr, 1, 0.95, 0.85, 0.6 * lit);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
      }
      // The flash: a hot core, a wide soft glow and four thin rays.
      cairo_pattern_t* g = cairo_pattern_create_radial(fx, fy, 0, fx, fy, 34);
      cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 1);
      cairo_pattern_add_color_stop_rgba(g, 0.12, 1, 0.98, 0.92, 0.9);
      cairo_pattern_add_color_stop_rgba(g, 0.4, 1, 0.9, 0.7, 0.3);
      cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.85, 0.6, 0);
      cairo_set_source(cr, g);
      cairo_arc(cr, fx, fy, 34, 0, 2 * kPi);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      for (int r = 0; r < 4; ++r) {
        double a = r * kPi / 2 + 0.35;
        double ex = fx + std::cos(a) * 30, ey = fy + std::sin(a) * 30;
        cairo_pattern_t* ray = cairo_pattern_create_linear(fx, fy, ex, ey);
        cairo_pattern_add_color_stop_rgba(ray, 0, 1, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgba(ray, 1, 1, 1, 1, 0);
        cairo_set_source(cr, ray);
        cairo_move_to(cr, fx - std::cos(a) * 30, fy - std::sin(a) * 30);
        cairo_line_to(cr, fx + std::cos(a) * 30, fy + std::sin(a) * 30);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_pattern_destroy(ray);
      }
    }
    cairo_restore(cr);
  }
  return cv.image();
}

// ---- buttons -----------------------------------------------------------------------------------
constexpr int kPaceW = 120, kPaceH = 36, kScroll = 36, kContinueW = 124, kContinueH = 40,
              kTowelW = 147, kTowelH = 35;

void towelIcon(cairo_t* cr, double x, double y, bool hover) {
  // A towel thrown in a curve.
  cairo_move_to(cr, x, y + 4);
  cairo_curve_to(cr, x + 6, y - 2, x + 14, y + 2, x + 18, y - 1);
  cairo_line_to(cr, x + 20, y + 13);
  cairo_curve_to(cr, x + 14, y + 17, x + 7, y + 12, x + 2, y + 17);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke_preserve(cr);
  rgba(cr, hover ? Col{1, 1, 1} : pal::white);
  cairo_fill(cr);
  for (int k = 0; k < 2; ++k) {
    cairo_move_to(cr, x + 1 + k * 1.2, y + 9 + k * 3);
    cairo_curve_to(cr, x + 7, y + 5 + k * 3, x + 13, y + 9 + k * 3, x + 19, y + 6 + k * 3);
  }
  rgba(cr, pal::redLit, 0.9);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
}

Image fightButtons() {
  Canvas cv(512, 200);
  cairo_t* cr = cv.cr();
  static const char* paces[3] = {"SLOW", "NORMAL", "FAST"};
  for (int state = 0; state < 3; ++state)
    for (int i = 0; i < 3; ++i) {
      double x = 122 * i, y = 38 * state;
      bool hover = state == 1, on = state == 2;
      button(cr, x, y, kPaceW, kPaceH, on ? Btn::Red : Btn::Dark, hover, 300 + uint32_t(i));
      font(cr, true, 13);
      Col text = on || hover ? Col{1, 0.95, 0.82} : pal::gold;
      double w = textWidth(cr, paces[i]);
      double iconW = 9 + (i + 1) * 6.3;
      double start = x + kPaceW / 2.0 - (w + iconW + 6) / 2;
      chevrons(cr, start, y + kPaceH / 2.0, i + 1, 10, text);
      label(cr, paces[i], start + iconW + 6 + w / 2, y + 23, text);
    }
  for (int state = 0; state < 2; ++state)
    for (int d = 0; d < 2; ++d) {
      double x = 370 + 40 * d, y = 38 * state;
      button(cr, x, y, kScroll, kScroll, Btn::Dark, state == 1, 310 + uint32_t(d));
      double cx = x + kScroll / 2.0, cy = y + kScroll / 2.0 + 0.5;
      double s = d == 0 ? -1 : 1;
      cairo_move_to(cr, cx - 8, cy - 4 * s);
      cairo_line_to(cr, cx + 8, cy - 4 * s);
      cairo_line_to(cr, cx, cy + 5 * s);
      cairo_close_path(cr);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
      cairo_set_line_width(cr, 2);
      cairo_stroke_preserve(cr);
      rgba(cr, state == 1 ? pal::goldLit : pal::gold);
      cairo_fill(cr);
    }
  static const char* conts[2] = {"CONTINUE", "RESULT"};
  for (int k = 0; k < 2; ++k)
    for (int state = 0; state < 2; ++state) {
      double x = 128 * (2 * k + state), y = 114;
      button(cr, x, y, kContinueW, kContinueH, k == 0 ? Btn::Red : Btn::Gold, state == 1, 320 + uint32_t(k));
      font(cr, true, 14);
      Col text = k == 0 ? Col{1, 0.95, 0.85} : hexc(0x2A1A08);
      double w = textWidth(cr, conts[k]);
      double start = x + kContinueW / 2.0 - (w + 14) / 2;
      if (k == 0) label(cr, conts[k], start + w / 2, y + 25, text);
      else {
        cairo_move_to(cr, start, y + 25);
        rgba(cr, text);
        cairo_show_text(cr, conts[k]);
      }
      chevrons(cr, start + w + 6, y + kContinueH / 2.0, 1, 10, text);
    }
  for (int state = 0; state < 2; ++state) {
    double x = 150 * state, y = 160;
    button(cr, x, y, kTowelW, kTowelH, Btn::Dark, state == 1, 330);
    // A red stripe: this one ends the fight.
    roundRect(cr, x + 4, y + 4, 5, kTowelH - 8, 2);
    rgba(cr, pal::redLit, 0.9);
    cairo_fill(cr);
    towelIcon(cr, x + 15, y + 10, state == 1);
    font(cr, true, 12.5);
    label(cr, "Throw the towel!", x + 92, y + 22, state == 1 ? Col{1, 1, 1} : pal::white);
  }
  return cv.image();
}

// ---- the commentary icons --------------------------------------------------------------------
constexpr int kIcon = 24;

void gloveIcon(cairo_t* cr, double cx, double cy, Col c, Col cuff) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, -0.5);
  // Cuff, fist, thumb; a dark rim round each.
  auto rim = [&](Col fill) {
    cairo_set_source_rgba(cr, 0.03, 0.03, 0.04, 1);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    rgba(cr, fill);
    cairo_fill(cr);
  };
  roundRect(cr, -4.5, 3, 9, 7, 1.5);
  rim(cuff);
  cairo_save(cr);
  cairo_scale(cr, 1, 1.12);
  cairo_arc(cr, 0, -2.5, 7.2, 0, 2 * kPi);
  cairo_restore(cr);
  rim(c);
  cairo_save(cr);
  cairo_translate(cr, -6, 0);
  cairo_scale(cr, 0.55, 1);
  cairo_arc(cr, 0, 0, 4, 0, 2 * kPi);
  cairo_restore(cr);
  rim(c * 0.85);
  cairo_arc(cr, 2, -6, 2.4, 0, 2 * kPi);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
  cairo_fill(cr);
  cairo_restore(cr);
}

Image commentaryIcons() {
  Canvas cv(kIcon * 3, kIcon);
  cairo_t* cr = cv.cr();
  // Cell 0: the opponent's events (red corner); cell 1: the player's boxer's (blue); cell 2:
  // the referee and the result (the bell).
  gloveIcon(cr, 12, 12.5, pal::redLit, pal::white);
  gloveIcon(cr, 36, 12.5, pal::blueLit, pal::white);
  double cx = 60, cy = 12;
  cairo_move_to(cr, cx - 8, cy + 6);
  cairo_curve_to(cr, cx - 7, cy - 1, cx - 6, cy - 8, cx, cy - 8);
  cairo_curve_to(cr, cx + 6, cy - 8, cx + 7, cy - 1, cx + 8, cy + 6);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 0.03, 0.03, 0.04, 1);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke_preserve(cr);
  vGradient(cr, cy - 8, cy + 6, pal::goldLit, hexc(0x9C7422));
  cairo_fill(cr);
  roundRect(cr, cx - 9.5, cy + 5, 19, 3, 1.2);
  cairo_set_source_rgba(cr, 0.03, 0.03, 0.04, 1);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke_preserve(cr);
  rgba(cr, pal::gold);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + 9, 2, 0, 2 * kPi);
  cairo_set_source_rgba(cr, 0.03, 0.03, 0.04, 1);
  cairo_fill(cr);
  cairo_arc(cr, cx - 2.5, cy - 3, 1.8, 0, 2 * kPi);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_fill(cr);
  return cv.image();
}

// ---- the injury meter and the body-area pictures ---------------------------------------------
constexpr int kMeterW = 150, kMeterH = 8, kAreaW = 150, kAreaH = 101;

void warningBadge(cairo_t* cr, double x, double y, bool severe) {
  if (severe) {
    cairo_arc(cr, x, y, 8, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.05, 0.02, 0.02, 1);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    rgba(cr, pal::bad);
    cairo_fill(cr);
  } else {
    cairo_move_to(cr, x, y - 8);
    cairo_line_to(cr, x + 8.5, y + 7);
    cairo_line_to(cr, x - 8.5, y + 7);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.05, 0.03, 0.0, 1);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    rgba(cr, hexc(0xE8A23A));
    cairo_fill(cr);
  }
  font(cr, true, 11);
  double w = textWidth(cr, "!");
  cairo_move_to(cr, x - w / 2, y + (severe ? 4 : 5));
  cairo_set_source_rgba(cr, severe ? 1 : 0.1, severe ? 1 : 0.06, severe ? 1 : 0.0, 1);
  cairo_show_text(cr, "!");
}

// A cut: a short jagged line with drops below it.
void cut(cairo_t* cr, double x, double y, double len, double angle, bool drops) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, -len / 2, 0);
  for (int i = 1; i <= 4; ++i) cairo_line_to(cr, -len / 2 + len * i / 4, (i % 2 ? -1.6 : 1.6));
  cairo_set_source_rgba(cr, 0.25, 0.0, 0.0, 0.9);
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgba(cr, 0.85, 0.08, 0.06, 1);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
  if (drops)
    for (int d = 0; d < 2; ++d) {
      double dx = x - 3 + d * 6, dy = y + 6 + d * 5;
      cairo_move_to(cr, dx, dy - 4);
      cairo_curve_to(cr, dx + 2.5, dy, dx + 2.5, dy + 2.5, dx, dy + 2.5);
      cairo_curve_to(cr, dx - 2.5, dy + 2.5, dx - 2.5, dy, dx, dy - 4);
      cairo_set_source_rgba(cr, 0.75, 0.05, 0.04, 0.95);
      cairo_fill(cr);
    }
}

// Strain marks: three short strokes fanning out from a point.
void marks(cairo_t* cr, double x, double y, double angle, Col c) {
  for (int k = -1; k <= 1; ++k) {
    double a = angle + k * 0.45;
    cairo_move_to(cr, x + std::cos(a) * 5, y + std::sin(a) * 5);
    cairo_line_to(cr, x + std::cos(a) * 11, y + std::sin(a) * 11);
  }
  rgba(cr, c, 0.95);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

// The body area (0 head, 1 face, 2 ribs, 3 stomach) hurt, at (x, y) of the picture; the
// drawings under them are the corner screen's: head, face, chest and stomach centred at x 75,
// with the area's label along the bottom, which stays clear.
void injuryArea(cairo_t* cr, double x, double y, int area, bool severe) {
  Col hot = severe ? Col{0.9, 0.1, 0.06} : Col{0.95, 0.6, 0.15};
  double a = severe ? 0.62 : 0.5;
  cairo_save(cr);
  cairo_rectangle(cr, x, y, kAreaW, kAreaH - 16);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  Col mark = severe ? Col{1, 0.35, 0.25} : hexc(0xF2CE6B);
  switch (area) {
    case 0:  // head: a lump over the crown, the strain of a heavy blow
      softSpot(cr, 80, 30, 30, 24, hot, a);
      if (severe) softSpot(cr, 62, 46, 20, 16, hot, 0.45);
      marks(cr, 100, 20, -0.6, mark);
      if (severe) marks(cr, 50, 22, -2.4, mark);
      if (severe) cut(cr, 66, 28, 16, 0.5, true);
      break;
    case 1:  // face: a swollen eye, a cut over the brow when it is severe
      softSpot(cr, 86, 42, 16, 12, hot, a + 0.1);
      softSpot(cr, 74, 60, 24, 18, hot, a * 0.6);
      cairo_arc(cr, 86, 43, 5.5, 0, 2 * kPi);
      cairo_set_source_rgba(cr, 0.25, 0.05, 0.18, severe ? 0.85 : 0.6);
      cairo_fill(cr);
      if (severe) {
        cut(cr, 84, 32, 14, -0.25, true);
        softSpot(cr, 62, 68, 10, 7, hot, 0.6);
      }
      break;
    case 2:  // ribs: the left side of the chest, cracked when severe
      softSpot(cr, 98, 48, 26, 30, hot, a);
      if (severe) softSpot(cr, 56, 52, 18, 22, hot, 0.4);
      marks(cr, 112, 36, -0.3, mark);
      if (severe) {
        cairo_move_to(cr, 90, 34);
        cairo_line_to(cr, 96, 42);
        cairo_line_to(cr, 92, 48);
        cairo_line_to(cr, 99, 58);
        cairo_set_source_rgba(cr, 0.2, 0.0, 0.0, 0.95);
        cairo_set_line_width(cr, 2.2);
        cairo_stroke(cr);
      }
      break;
    default:  // stomach: a deep bruise round the middle
      softSpot(cr, 75, 64, 28, 20, hot, a);
      cairo_save(cr);
      cairo_translate(cr, 80, 62);
      cairo_scale(cr, 1.4, 1);
      cairo_arc(cr, 0, 0, 6, 0, 2 * kPi);
      cairo_restore(cr);
      cairo_set_source_rgba(cr, 0.3, 0.05, 0.25, severe ? 0.75 : 0.45);
      cairo_fill(cr);
      marks(cr, 104, 58, 0.2, mark);
      if (severe) marks(cr, 46, 58, kPi - 0.2, mark);
      break;
  }
  cairo_restore(cr);
  warningBadge(cr, x + kAreaW - 14, y + 14, severe);
}

Image injuryPictures() {
  Canvas cv(304, 424);
  cairo_t* cr = cv.cr();
  // The meter: red at the left, through amber to green; its right part is cut away as the
  // injury grows, so a badly hurt area shows only red.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, kMeterW, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.75, 0.13, 0.1);
  cairo_pattern_add_color_stop_rgb(p, 0.35, 0.86, 0.45, 0.12);
  cairo_pattern_add_color_stop_rgb(p, 0.6, 0.8, 0.7, 0.18);
  cairo_pattern_add_color_stop_rgb(p, 1, pal::good.r, pal::good.g, pal::good.b);
  cairo_rectangle(cr, 0, 0, kMeterW, kMeterH);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_rectangle(cr, 0, 1, kMeterW, 2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, kMeterH - 2, kMeterW, 2);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  for (int x = 15; x < kMeterW; x += 15) {
    cairo_rectangle(cr, x, 0, 1, kMeterH);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill(cr);
  }
  for (int area = 0; area < 4; ++area)
    for (int severe = 0; severe < 2; ++severe)
      injuryArea(cr, 152 * severe, 10 + 103 * area, area, severe == 1);
  return cv.image();
}

// ---- the round numbers ---------------------------------------------------------------------
constexpr int kRoundW = 80, kRoundH = 59, kRounds = 12;

Image roundColumn() {
  Canvas cv(kRoundW, kRoundH * kRounds);
  cairo_t* cr = cv.cr();
  for (int r = 0; r < kRounds; ++r) {
    double y0 = kRoundH * r;
    cairo_rectangle(cr, 0, y0, kRoundW, kRoundH);
    vGradient(cr, y0, y0 + kRoundH, pal::arena1, pal::arena0);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 0, y0, kRoundW, kRoundH);
    cairo_clip(cr);
    softSpot(cr, kRoundW / 2.0, y0 + kRoundH / 2.0, 46, 34, hexc(0x7A4A22), 0.55);
    grain(cr, 0, y0, kRoundW, kRoundH, 0.05, 400 + uint32_t(r));
    std::string s = std::to_string(r + 1);
    font(cr, true, 44);
    double w = textWidth(cr, s);
    cairo_move_to(cr, kRoundW / 2.0 - w / 2 + 1.5, y0 + 46 + 2);
    cairo_text_path(cr, s.c_str());
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_fill(cr);
    cairo_move_to(cr, kRoundW / 2.0 - w / 2, y0 + 46);
    cairo_text_path(cr, s.c_str());
    cairo_set_source_rgba(cr, 0.1, 0.07, 0.02, 1);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke_preserve(cr);
    vGradient(cr, y0 + 14, y0 + 46, pal::goldLit, hexc(0xA87A22));
    cairo_fill(cr);
    cairo_rectangle(cr, 0.5, y0 + 0.5, kRoundW - 1, kRoundH - 1);
    rgba(cr, pal::gold, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  return cv.image();
}

}  // namespace

int makeFightArt(const std::string& gfxDir) {
  made.clear();
  emit(gfxDir, "KO.png", banner("K.O.", Col{1, 0.45, 0.35}, pal::red, pal::goldLit, 7));
  emit(gfxDir, "TKO.png", banner("T.K.O.", Col{1, 0.97, 0.9}, pal::white * 0.75, pal::redLit, 9));
  emit(gfxDir, "COUNT.png", countSheet());
  emit(gfxDir, "FLASH.png", flashStrip());
  emit(gfxDir, "FIGHTBTN.png", fightButtons());
  emit(gfxDir, "FIGHTICO.png", commentaryIcons());
  emit(gfxDir, "INJURY.png", injuryPictures());
  emit(gfxDir, "ROUNDS.png", roundColumn());
  return int(made.size());
}

const std::vector<FightPicture>& fightPictures() { return made; }

}  // namespace boxerart
