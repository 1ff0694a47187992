// Review images for docs/: a contact sheet of every picture, scaled down and named, and for
// "menu.jpg" and "launcher.png" an overlay that outlines every region the game reads.
#include <algorithm>
#include <cmath>
#include <string>

#include "artgen.h"

namespace art {

namespace {

cairo_surface_t* surfaceOf(const Pixels& p) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.w, p.h);
  unsigned char* d = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < p.h; ++y) {
    uint32_t* r = reinterpret_cast<uint32_t*>(d + y * stride);
    for (int x = 0; x < p.w; ++x) {
      const uint8_t* q = &p.rgba[(static_cast<size_t>(y) * p.w + x) * 4];
      uint32_t a = q[3];
      r[x] = (a << 24) | ((q[0] * a / 255) << 16) | ((q[1] * a / 255) << 8) | (q[2] * a / 255);
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

const Made* find(const std::string& name) {
  for (const Made& m : made)
    if (m.name == name) return &m;
  return nullptr;
}

void checker(cairo_t* cr, double x, double y, double w, double h) {
  for (int j = 0; j * 8 < h; ++j)
    for (int i = 0; i * 8 < w; ++i) {
      cairo_rectangle(cr, x + i * 8, y + j * 8, std::min(8.0, w - i * 8), std::min(8.0, h - j * 8));
      double v = (i + j) % 2 ? 0.32 : 0.24;
      cairo_set_source_rgb(cr, v, v, v);
      cairo_fill(cr);
    }
}

void contactSheet() {
  const int cellW = 200, cellH = 170, cols = 6;
  int n = static_cast<int>(made.size());
  int rows = (n + cols - 1) / cols;
  Canvas c(cols * cellW + 20, rows * cellH + 70);
  cairo_t* cr = c.cr();
  cairo_set_source_rgb(cr, 0.07, 0.08, 0.09);
  cairo_paint(cr);
  goldText(cr, "BRAWNMOOR — every picture of data/gfx", 10, 38, 24, 0, true);
  for (int i = 0; i < n; ++i) {
    const Made& m = made[i];
    double x = 10 + (i % cols) * cellW, y = 60 + (i / cols) * cellH;
    double s = std::min({(cellW - 16.0) / m.px.w, (cellH - 36.0) / m.px.h, 1.0});
    if (m.px.w <= 64 && m.px.h <= 64) s = std::min(3.0, (cellH - 36.0) / m.px.h);
    double w = m.px.w * s, h = m.px.h * s;
    double ox = x + (cellW - w) / 2, oy = y + 4 + (cellH - 36 - h) / 2;
    checker(cr, ox, oy, w, h);
    cairo_surface_t* src = surfaceOf(m.px);
    cairo_save(cr);
    cairo_translate(cr, ox, oy);
    cairo_scale(cr, s, s);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), s < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(src);
    cairo_rectangle(cr, ox - 0.5, oy - 0.5, w + 1, h + 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    setFont(cr, Face::Heading, 12);
    text(cr, m.name, x + cellW / 2.0, y + cellH - 16, pal::goldLit, 1);
    setFont(cr, Face::Regular, 10);
    text(cr, std::to_string(m.px.w) + " × " + std::to_string(m.px.h), x + cellW / 2.0, y + cellH - 4,
         pal::white, 1, 0.7);
  }
  writePicture(c, opt.docsDir + "/contact-sheet.png");
}

void overlay(const std::string& name, double zoom, const std::string& out) {
  const Made* m = find(name);
  if (!m) return;
  int W = static_cast<int>(m->px.w * zoom), H = static_cast<int>(m->px.h * zoom);
  int legendW = 430;
  Canvas c(W + legendW, std::max(H, 200));
  cairo_t* cr = c.cr();
  cairo_set_source_rgb(cr, 0.07, 0.08, 0.09);
  cairo_paint(cr);
  checker(cr, 0, 0, W, H);
  cairo_surface_t* src = surfaceOf(m->px);
  cairo_save(cr);
  cairo_scale(cr, zoom, zoom);
  cairo_set_source_surface(cr, src, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(src);
  // Darken the picture a little so the outlines read.
  cairo_rectangle(cr, 0, 0, W, H);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_fill(cr);
  int k = 0;
  double ly = 18;
  setFont(cr, Face::Regular, 11);
  for (const Region& r : regions()) {
    if (r.picture != name) continue;
    ++k;
    double hue = std::fmod(k * 0.61803, 1.0);
    RGB col{0.5 + 0.5 * std::cos(6.283 * hue), 0.5 + 0.5 * std::cos(6.283 * (hue - 0.33)),
            0.5 + 0.5 * std::cos(6.283 * (hue - 0.66))};
    col = mix(col, hex(0xFFFFFF), 0.25);
    bool whole = r.w == m->px.w && r.h == m->px.h;
    cairo_rectangle(cr, r.x * zoom + 0.5, r.y * zoom + 0.5, r.w * zoom - 1, r.h * zoom - 1);
    setColor(cr, col, 0.95);
    cairo_set_line_width(cr, whole ? 2 : 1.5);
    if (whole) {
      double d[2] = {6, 4};
      cairo_set_dash(cr, d, 2, 0);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    std::string tag = std::to_string(k);
    setFont(cr, Face::Heading, 10);
    double tw = textWidth(cr, tag) + 4;
    double tx = r.x * zoom + 1, ty = r.y * zoom + 1;
    cairo_rectangle(cr, tx, ty, tw, 12);
    setColor(cr, col, 0.9);
    cairo_fill(cr);
    text(cr, tag, tx + 2, ty + 10, hex(0x000000), 0);
    setFont(cr, Face::Regular, 11);
    std::string line = tag + "  " + r.name + "  (" + std::to_string(r.x) + ", " + std::to_string(r.y) +
                       ") " + std::to_string(r.w) + "×" + std::to_string(r.h);
    text(cr, line, W + 10, ly, col, 0);
    ly += 14;
  }
  writePicture(c, opt.docsDir + "/" + out);
}

}  // namespace

void makeReview() {
  contactSheet();
  overlay("menu.jpg", 1.0, "regions-menu.png");
  overlay("launcher.png", 2.0, "regions-launcher.png");
}

}  // namespace art

// ---- screen mock-ups (for the developer's eye; not part of the data) ----------------------------
#include "ui/fonttables.h"

namespace art {

namespace {

struct Mock {
  Canvas c{800, 600};
  void pic(const std::string& name, int sx, int sy, int w, int h, double x, double y, double alpha = 1.0) {
    const Made* m = find(name);
    if (!m) return;
    cairo_surface_t* s = surfaceOf(m->px);
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_source_surface(cr, s, x - sx, y - sy);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    cairo_surface_destroy(s);
  }
  void whole(const std::string& name, double x, double y) {
    const Made* m = find(name);
    if (m) pic(name, 0, 0, m->px.w, m->px.h, x, y);
  }
  double width(const std::string& s) {
    double w = 0;
    for (unsigned char ch : s)
      if (const GlyphRecord* g = findGlyph(smallFontTable, ch)) w += g->advance;
    return w;
  }
  void say(const std::string& s, double x, double y, RGB col = RGB{1, 1, 1}, int align = 0) {
    const Made* f = find("tinyfont.png");
    if (align == 1) x -= width(s) / 2;
    if (align == 2) x -= width(s);
    cairo_surface_t* fs = surfaceOf(f->px);
    cairo_t* cr = c.cr();
    double px = x;
    for (unsigned char ch : s) {
      const GlyphRecord* g = findGlyph(smallFontTable, ch);
      if (!g) continue;
      cairo_save(cr);
      cairo_rectangle(cr, static_cast<int>(px), y, g->x2 - g->x1 + 1, g->y2 - g->y1 + 1);
      cairo_clip(cr);
      setColor(cr, col);
      cairo_mask_surface(cr, fs, static_cast<int>(px) - g->x1, y - g->y1);
      cairo_restore(cr);
      px += g->advance;
    }
    cairo_surface_destroy(fs);
  }
  void save(const std::string& path) { writePicture(c, path); }
};

}  // namespace

void makeMockups(const std::string& dir) {
  {
    Mock m;
    m.whole("mainmenu.jpg", 0, 0);
    m.pic("mainmenu.jpg", 240, 600, 240, 46, 280, 296);
    m.whole("Lumora.tga", 735, 10);
    m.say("Load a saved game.", 400, 570, RGB{1, 1, 1}, 1);
    m.say("\xA9 Brawnmoor team. All rights reserved.", 5, 545);
    m.say("Version 1.3.8", 790, 545, RGB{1, 1, 1}, 2);
    m.save(dir + "/mock-mainmenu.png");
  }
  {
    Mock m;
    m.pic("menu.jpg", 0, 0, 800, 600, 0, 0);
    m.whole("PANLEFT01.jpg", 36, 100);
    m.whole("PANRIGHT02.jpg", 546, 100);
    m.pic("RANKS.jpg", 0, 0, 375, 390, 47, 105);
    m.say("Welterweight", 231, 118, RGB{1, 1, 1}, 1);
    m.say("Marco Rinaldi", 230, 189, RGB{1, 1, 1}, 1);
    m.say("Click a name in the list to pick an opponent", 231, 215, RGB{1, 1, 1}, 1);
    m.say("Strength", 80, 232);
    m.say("54", 199, 232, RGB{1, 1, 1}, 1);
    m.say("Quickness", 250, 232);
    m.say("Ivan Petrov, age 24, from Russia", 230, 316, RGB{1, 1, 1}, 1);
    m.say("Mar 2025", 231, 419, RGB{1, 1, 1}, 1);
    m.pic("menu.jpg", 922, 209, 18, 20, 104, 414, 0.8);
    m.pic("menu.jpg", 941, 209, 18, 20, 340, 414, 0.8);
    m.pic("RANKS.jpg", 380, 120, 84, 22, 190, 446, 0.8);
    m.pic("menu.jpg", 331, 959, 327, 53, 432, 105);
    for (int f = 0; f < 9; ++f) m.pic("menu.jpg", 331, 977, 327, 36, 432, 157 + 34 * f);
    cairo_t* cr = m.c.cr();
    cairo_rectangle(cr, 433, 124 + 17 * 5, 323, 16);
    cairo_set_source_rgb(cr, 0.8, 0, 0);
    cairo_fill(cr);
    for (int r = 0; r < 20; ++r) {
      m.say(std::to_string(r + 1), 452, 126 + 17 * r, RGB{1, 1, 1}, 1);
      m.say(r % 3 ? "Kowalski J." : "Okafor D.", 485, 126 + 17 * r);
      m.say(std::to_string(20 - r), 634, 126 + 17 * r, RGB{1, 1, 1}, 1);
      m.say("2", 670, 126 + 17 * r, RGB{1, 1, 1}, 1);
      m.say(std::to_string(r / 3), 708, 126 + 17 * r, RGB{1, 1, 1}, 1);
      m.say(std::to_string(9 - r / 3), 740, 126 + 17 * r, RGB{1, 1, 1}, 1);
    }
    m.pic("SKILLPOINT.png", 0, 15, 18, 24, 465, 121 + 17 * 2);
    m.say("Showing page 1/5", 595, 474, RGB{1, 1, 1}, 1);
    m.pic("menu.jpg", 75 * 3, 600, 76, 75, 25 + 75 * 3, 19);
    m.pic("menu.jpg", 800, 99, 199, 33, 522, 25);
    m.say("Jack Doyle (IRL)", 500, 71);
    m.say("Feb 2025", 754, 71, RGB{1, 1, 1}, 2);
    m.say("Cash: 225 $", 765, 512, RGB{1, 1, 1}, 2);
    m.say("Age: 25", 38, 512);
    m.say("Record: 0 won, 0 drawn, 0 lost", 165, 512);
    m.say("Rankings: browse the seventeen weight categories and arrange fights.", 400, 550, RGB{1, 1, 1}, 1);
    m.save(dir + "/mock-rankings.png");
  }
  {
    Mock m;
    m.pic("menu.jpg", 0, 0, 800, 600, 0, 0);
    m.whole("PANLEFT01.jpg", 36, 100);
    m.whole("PANRIGHT02.jpg", 546, 100);
    m.pic("STARLET.jpg", 0, 0, 256, 256, 45, 110);
    m.pic("STARLET.jpg", 264, 0, 274, 10, 36, 100);
    m.pic("STARLET.jpg", 264, 12, 274, 14, 36, 366);
    m.pic("STARLET.jpg", 264, 30, 9, 256, 36, 110);
    m.pic("STARLET.jpg", 276, 30, 9, 256, 301, 110);
    m.say("Marco Rinaldi", 172, 351, RGB{1, 1, 1}, 1);
    for (int v = 0; v < 3; ++v) m.pic("menu.jpg", 830, 460 + 23 * v, 96, 22, 313, 140 + 25 * v);
    m.pic("menu.jpg", 920, 233, 96, 22, 313, 140);
    for (int i = 0; i < 4; ++i) m.pic("menu.jpg", 830, 532 + 28 * i, 101, 26, 310, 239 + 30 * i);
    m.pic("menu.jpg", 920, 338, 101, 26, 310, 239);
    for (int j = 0; j < 3; ++j) {
      m.pic("menu.jpg", 0, 841 + 55 * j, 322, 54, 434, 110 + 65 * j);
      m.say(j ? "Tom Becker" : "Marco Rinaldi", 510, 122 + 65 * j);
      m.say("Rank 57  -  12 won, 3 lost", 510, 140 + 65 * j, RGB{0.8, 0.8, 0.8});
    }
    m.pic("menu.jpg", 0, 731, 322, 54, 434, 175);
    cairo_t* cr = m.c.cr();
    const char* sk[7] = {"Strength", "Agility", "Endurance", "Charisma", "Quickness", "Stamina", "Technique"};
    for (int i = 0; i < 7; ++i) {
      double x = i < 4 ? 50 : 234, y = (i < 4 ? 400 + 23 * i : 400 + 23 * (i - 4));
      cairo_rectangle(cr, x, y, 1.5 * 90, 16);
      cairo_set_source_rgb(cr, 0.3, 0, 0);
      cairo_fill(cr);
      cairo_rectangle(cr, x, y, 1.5 * 60, 16);
      cairo_set_source_rgb(cr, 0.6, 0, 0);
      cairo_fill(cr);
      m.say(sk[i], x + 4, y + 1);
      m.say("60", i < 4 ? 215 : 398, y + 1, RGB{1, 1, 1}, 1);
    }
    m.pic("menu.jpg", 75 * 1, 600, 76, 75, 100, 19);
    m.pic("menu.jpg", 800, 33, 199, 33, 522, 25);
    m.save(dir + "/mock-boxer.png");
  }
  {
    Mock m;
    m.pic("menu.jpg", 0, 0, 800, 600, 0, 0);
    m.pic("LOADSAVE.jpg", 0, 0, 300, 400, 250, 100);
    for (int i = 0; i < 3; ++i) m.pic("LOADSAVE.jpg", 318, 33 * i, 158, 32, 375, 360 + 33 * i, i == 1 ? 1.0 : 0.8);
    m.pic("LOADSAVE.jpg", 0, 405, 271, 20, 264, 149 + 20 * 3, 0.8);
    for (int j = 0; j < 10; ++j)
      m.say(j == 3 ? "Jack Doyle (Feb 2025)" : "Empty Savegame Slot", 400, 153 + 20 * j, RGB{1, 1, 1}, 1);
    m.save(dir + "/mock-loadsave.png");
  }
  {
    Mock m;
    m.whole("ringback.jpg", 0, 0);
    // The figures come from tools/boxerart (docs/fight-figures.png shows them in the ring).
    m.say("Round 3 of 10", 300, 520, RGB{1, 1, 1}, 1);
    m.say("D. Okafor and M. Rinaldi", 300, 540, RGB{1, 1, 1}, 1);
    m.say("14", 538, 17, RGB{1, 1, 1}, 1);
    m.say("22", 688, 47, RGB{1, 1, 1}, 1);
    m.say("D. Okafor", 575, 110, RGB{1, 1, 1}, 1);
    m.say("M. Rinaldi", 725, 110, RGB{1, 1, 1}, 1);
    m.say("Time left: 2:14", 657, 143, RGB{1, 1, 1}, 1);
    m.save(dir + "/mock-fight.png");
  }
  {
    Mock m;
    m.pic("create.jpg", 0, 0, 800, 600, 0, 0);
    m.say("Jack Doyle", 458, 140);
    m.say("25", 465, 165, RGB{1, 1, 1}, 1);
    m.say("2", 710, 165, RGB{1, 1, 1}, 1);
    m.say("Ireland", 622, 189, RGB{1, 1, 1}, 1);
    for (int d = 0; d < 5; ++d)
      for (int i = 0; i < 2 + d % 3; ++i) m.whole("STAR.tga", 473 + 28 * i, 270 + 32 * d);
    for (int i = 0; i < 12; ++i) m.pic("SKILLPOINT.png", 0, 0, 16, 16, 160 + 20 * i, 463);
    m.say("Starting Cash", 637, 465, RGB{1, 1, 1}, 1);
    m.say("212", 717, 465, RGB{1, 1, 1}, 1);
    m.say("$", 745, 465, RGB{1, 1, 1}, 1);
    m.pic("create.jpg", 340, 600, 160, 36, 600, 492);
    m.say("START: begin your career. Spend all your free points first.", 400, 550, RGB{1, 1, 1}, 1);
    m.save(dir + "/mock-create.png");
  }
}

}  // namespace art
