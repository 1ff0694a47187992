// The pictures of the shell and career screens: launcher, main menu, new manager, the career
// frame "menu.jpg" with all its off-screen parts, the panels, rankings, finances, save/load,
// calendar pop-up, tutorial panel, window frames, pointers, icons and logos.
#include <cmath>
#include <memory>
#include <string>

#include "artgen.h"

namespace art {

namespace {

using std::string;

// ---- shared scenery ---------------------------------------------------------------------------
// The dark arena: a vertical gradient, a warm spotlight and fine grain.
void arena(Canvas& c, int x, int y, int w, int h, double sx, double sy, uint32_t seed,
           double light = 1.0) {
  cairo_t* cr = c.cr();
  vGradient(cr, x, y, w, h, pal::arena1, pal::arena0);
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  spotlight(cr, sx, sy, w * 0.55, h * 0.6, hex(0x5A3A1E), 0.55 * light);
  spotlight(cr, sx, sy, w * 0.25, h * 0.3, hex(0x8A5A2A), 0.25 * light);
  cairo_restore(cr);
  grain(c, x, y, w, h, 0.06, 90, seed, 3);
  grain(c, x, y, w, h, 0.03, 2.2, seed + 1, 1);
}

// A ring seen at an angle: canvas floor, apron, posts and ropes, lit from above.
void ringPerspective(Canvas& c, double cx, double topY, double botY, double topW, double botW,
                     uint32_t seed) {
  cairo_t* cr = c.cr();
  auto quad = [&](double inset) {
    double t = inset;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - topW / 2 - t * 0.6, topY - t * 0.3);
    cairo_line_to(cr, cx + topW / 2 + t * 0.6, topY - t * 0.3);
    cairo_line_to(cr, cx + botW / 2 + t, botY + t * 0.5);
    cairo_line_to(cr, cx - botW / 2 - t, botY + t * 0.5);
    cairo_close_path(cr);
  };
  // Apron skirt below the floor.
  cairo_save(cr);
  quad(18);
  cairo_line_to(cr, cx - botW / 2 - 18, botY + 60);
  setColor(cr, hex(0x0E0F12));
  cairo_fill(cr);
  cairo_move_to(cr, cx - botW / 2 - 18, botY + 9);
  cairo_line_to(cr, cx + botW / 2 + 18, botY + 9);
  cairo_line_to(cr, cx + botW / 2 + 18, botY + 46);
  cairo_line_to(cr, cx - botW / 2 - 18, botY + 46);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, botY + 9, 0, botY + 46);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.42, 0.09, 0.08);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.12, 0.03, 0.03);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Canvas floor with its lit centre.
  quad(14);
  p = cairo_pattern_create_radial(cx, (topY + botY) / 2, 10, cx, (topY + botY) / 2, botW * 0.6);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.27, 0.43, 0.58);
  cairo_pattern_add_color_stop_rgb(p, 0.6, pal::canvasLit.r, pal::canvasLit.g, pal::canvasLit.b);
  cairo_pattern_add_color_stop_rgb(p, 1, pal::canvasEdge.r * 0.8, pal::canvasEdge.g * 0.8,
                                   pal::canvasEdge.b * 0.8);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  weave(c, static_cast<int>(cx - botW / 2 - 20), static_cast<int>(topY - 8),
        static_cast<int>(botW + 40), static_cast<int>(botY - topY + 16), 0.05, seed);
  // Centre logo ring on the canvas.
  cairo_save(cr);
  cairo_translate(cr, cx, (topY + botY) / 2 + 4);
  cairo_scale(cr, 1, (botY - topY) / ((topW + botW) / 2) * 0.95);
  cairo_arc(cr, 0, 0, (topW + botW) * 0.12, 0, 2 * M_PI);
  setColor(cr, pal::gold, 0.25);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, (topW + botW) * 0.10, 0, 2 * M_PI);
  setColor(cr, pal::red, 0.22);
  cairo_fill(cr);
  cairo_restore(cr);
  // Posts and ropes.
  double postH = (botY - topY) * 0.55;
  struct Pt { double x, y, h; };
  Pt posts[4] = {{cx - topW / 2 - 8, topY - 4, postH * 0.7}, {cx + topW / 2 + 8, topY - 4, postH * 0.7},
                 {cx + botW / 2 + 12, botY + 6, postH}, {cx - botW / 2 - 12, botY + 6, postH}};
  RGB ropeCol[3] = {pal::redLit, pal::white, pal::blueLit};
  for (int k = 0; k < 3; ++k) {
    double f = 0.35 + k * 0.28;
    auto at = [&](int i) { return Pt{posts[i].x, posts[i].y - posts[i].h * f, 0}; };
    int order[5] = {0, 1, 2, 3, 0};
    for (int s = 0; s < 4; ++s) {
      Pt a = at(order[s]), b = at(order[s + 1]);
      cairo_move_to(cr, a.x, a.y);
      cairo_line_to(cr, b.x, b.y);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
      cairo_set_line_width(cr, s >= 2 ? 5 : 3.5);
      cairo_stroke(cr);
      cairo_move_to(cr, a.x, a.y - 0.8);
      cairo_line_to(cr, b.x, b.y - 0.8);
      setColor(cr, ropeCol[k], 0.95);
      cairo_set_line_width(cr, s >= 2 ? 3 : 2);
      cairo_stroke(cr);
    }
  }
  for (int i = 0; i < 4; ++i) {
    double w = i >= 2 ? 9 : 6;
    cairo_rectangle(cr, posts[i].x - w / 2, posts[i].y - posts[i].h, w, posts[i].h);
    cairo_pattern_t* p = cairo_pattern_create_linear(posts[i].x - w / 2, 0, posts[i].x + w / 2, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.25, 0.25, 0.27);
    cairo_pattern_add_color_stop_rgb(p, 0.4, 0.85, 0.82, 0.75);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.2, 0.2, 0.22);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Corner pad: red and blue corners, neutral between.
    RGB pad = i == 0 ? pal::red : i == 2 ? pal::blue : hex(0x8A8A8A);
    roundRect(cr, posts[i].x - w, posts[i].y - posts[i].h * 0.92, w * 2, posts[i].h * 0.7, 3);
    setColor(cr, pad, 0.95);
    cairo_fill(cr);
  }
}

// Silhouettes of a crowd in the dark.
void crowd(Canvas& c, double x0, double x1, double baseY, double size, uint32_t seed, double alpha) {
  cairo_t* cr = c.cr();
  int n = static_cast<int>((x1 - x0) / (size * 0.9));
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < n; ++i) {
      double x = x0 + (i + 0.5 + (row ? 0.5 : 0)) * (x1 - x0) / n + (hash2(i, row, seed) - 0.5) * size * 0.4;
      double s = size * (0.85 + 0.3 * hash2(i, row + 7, seed)) * (row ? 0.85 : 1);
      double y = baseY - row * size * 0.55 + (hash2(i, 3, seed) - 0.5) * size * 0.2;
      cairo_arc(cr, x, y - s * 0.9, s * 0.32, 0, 2 * M_PI);
      cairo_move_to(cr, x - s * 0.55, y + s);
      cairo_curve_to(cr, x - s * 0.55, y - s * 0.35, x + s * 0.55, y - s * 0.35, x + s * 0.55, y + s);
      cairo_close_path(cr);
    }
  cairo_set_source_rgba(cr, 0.02, 0.02, 0.03, alpha);
  cairo_fill(cr);
}

// Light beams from above.
void beams(Canvas& c, double x, double y, double spread, double len, double alpha) {
  cairo_t* cr = c.cr();
  for (int i = -1; i <= 1; ++i) {
    double a = i * spread;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, a);
    cairo_move_to(cr, -6, 0);
    cairo_line_to(cr, 6, 0);
    cairo_line_to(cr, len * 0.22, len);
    cairo_line_to(cr, -len * 0.22, len);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, len);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.85, 0.6, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.85, 0.6, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
}

// The game's title, gold capitals.
void titleLogo(Canvas& c, double cx, double baseY, double size) {
  cairo_t* cr = c.cr();
  glow(c, [&](cairo_t* g) {
    setFont(g, Face::Heading, size);
    double w = textWidth(g, "BRAWNMOOR");
    cairo_move_to(g, cx - w / 2, baseY);
    cairo_text_path(g, "BRAWNMOOR");
  }, hex(0xC07020), 0.55, static_cast<int>(size / 6));
  goldText(cr, "BRAWNMOOR", cx, baseY, size, 1, true);
}

std::unique_ptr<Canvas> frame;       // menu.jpg's visible 800 x 600
std::unique_ptr<Canvas> careerBase;  // the frame with the two standard panels on it

void dark(Canvas& c, int x, int y, int w, int h) {
  vGradient(c.cr(), x, y, w, h, hex(0x191B20), hex(0x121317));
}

// A hover image: the backdrop under the hotspot, then the lit button over it.
void backdrop(Canvas& dst, const Canvas& from, int sx, int sy, int w, int h, int x, int y) {
  copyRect(dst, from, sx, sy, w, h, x, y);
}

// ---- the career frame ------------------------------------------------------------------------------
void tabButton(Canvas& c, int i, double x, double y, bool hover) {
  iconButton(c, x + 1, y + 1, 74, 73, hover ? Btn::Red : Btn::Dark, hover,
             [&](cairo_t* cr, double cx, double cy, double, bool hv) {
               tabIcon(cr, i, cx, cy - 1, 40, hv ? hex(0xFFE7A0) : pal::gold);
             });
}

void captionPlate(Canvas& c, double x, double y) {
  field(c, x + 1, y + 2, 197, 29);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, x + 4.5, y + 5.5, 190, 23);
  setColor(cr, pal::gold, 0.18);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void makeFrame() {
  frame = std::make_unique<Canvas>(800, 600);
  Canvas& c = *frame;
  cairo_t* cr = c.cr();
  arena(c, 0, 0, 800, 600, 400, 300, 11);
  // The ring far below the panels, visible around the save/load panel.
  ringPerspective(c, 400, 215, 430, 430, 640, 12);
  crowd(c, 0, 800, 150, 26, 13, 0.85);
  beams(c, 400, 100, 0.45, 420, 0.05);
  vignette(c, 0.55);
  // Header band.
  panel(c, 12, 8, 776, 92, 14);
  for (int i = 0; i < 6; ++i) tabButton(c, i, 25 + 75 * i, 19, false);
  captionPlate(c, 522, 25);
  setFont(cr, Face::Heading, 11);
  spacedText(cr, "BRAWNMOOR", 621, 46, 3, scale(pal::gold, 0.55), 1);
  // Emblem right of the caption plate: a star on a medallion.
  gem(cr, 752, 42, 15, hex(0x6B1212));
  goldStar(cr, 752, 42, 10);
  // Manager line.
  field(c, 488, 63, 274, 24);
  // Status bar and help area.
  cairo_rectangle(cr, 0, 531, 800, 69);
  vGradient(cr, 0, 531, 800, 69, hex(0x0E0F12), hex(0x08090B), 0.75);
  cairo_move_to(cr, 20, 531.5);
  cairo_line_to(cr, 780, 531.5);
  setColor(cr, pal::gold, 0.35);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  panel(c, 24, 503, 752, 26, 15, true, hex(0x1E2128));
  dither(c, 0.012, 16);
}

void makePanels() {
  // The standard pair: a left panel (38..426) and a right panel (429..763), y 101..497, cut
  // into a 510-pixel left picture and a 224-pixel right picture.
  Canvas both(734, 400);
  copyRect(both, *frame, 36, 100, 734, 400, 0, 0);
  panel(both, 2, 1, 388, 396, 21);
  panel(both, 393, 1, 334, 396, 22);
  Canvas left(510, 400), right(224, 400);
  copyRect(left, both, 0, 0, 510, 400, 0, 0);
  copyRect(right, both, 510, 0, 224, 400, 0, 0);
  emit(left, "PANLEFT01.jpg");
  emit(right, "PANRIGHT02.jpg");
  addPicture("PANLEFT01.jpg", 510, 400,
             "the left piece of the standard pair of leather panels: the left panel (screen "
             "38..426) and the first part of the right panel",
             "rankings (drawn at (36, 100)); also the natural base of the boxer, search and "
             "month screens");
  addRegion("PANLEFT01.jpg", "whole picture", 0, 0, 510, 400, "at (36, 100)");
  addPicture("PANRIGHT02.jpg", 224, 400, "the right piece of the pair (screen 546..770)",
             "rankings (drawn at (546, 100)) and the same screens as PANLEFT01.jpg");
  addRegion("PANRIGHT02.jpg", "whole picture", 0, 0, 224, 400, "at (546, 100)");
  careerBase = std::make_unique<Canvas>(800, 600);
  careerBase->paint(*frame, 0, 0);
  careerBase->paint(both, 36, 100);
}

// ---- menu.jpg ---------------------------------------------------------------------------------------
void slotCard(Canvas& c, double x, double y, int group, bool hover) {
  // A stable slot: weight-group badge on the left, room for the boxer's name and record.
  cairo_t* cr = c.cr();
  double bx = x + 2, by = y + 2, bw = 318, bh = 50;
  if (hover) {
    Canvas g(326, 58);
    roundRect(g.cr(), 3, 3, bw + 2, bh + 2, 6);
    setColor(g.cr(), pal::goldLit, 0.8);
    cairo_fill(g.cr());
    blur(g, 2);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, 322, 54);
    cairo_clip(cr);
    c.paint(g, x - 2, y - 2);
    cairo_restore(cr);
  } else {
    softShadow(c, bx, by + 1, bw, bh, 5, 1.5, 0.6);
  }
  cairo_save(cr);
  roundRect(cr, bx, by, bw, bh, 5);
  cairo_clip(cr);
  RGB top = hover ? hex(0x3A3F4B) : hex(0x2B2F38), bot = hover ? hex(0x1F2229) : hex(0x16181D);
  vGradient(cr, bx, by, bw, bh, top, bot);
  cairo_restore(cr);
  leather(c, static_cast<int>(bx), static_cast<int>(by), static_cast<int>(bw), static_cast<int>(bh),
          0.06, 31 + group);
  // Badge.
  RGB badge = group == 1 ? pal::red : group == 2 ? hex(0x6E4A12) : pal::blue;
  cairo_save(cr);
  roundRect(cr, bx + 4, by + 4, 62, bh - 8, 4);
  vGradient(cr, bx + 4, by + 4, 62, bh - 8, scale(mix(badge, hex(0xFFFFFF), 0.15), hover ? 1.35 : 1.1),
            scale(badge, hover ? 0.95 : 0.7));
  roundRect(cr, bx + 4.5, by + 4.5, 61, bh - 9, 4);
  setColor(cr, pal::gold, hover ? 1.0 : 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  double gs = group == 1 ? 30 : group == 2 ? 25 : 20;
  glove(cr, bx + 35, by + 19, gs, -0.25, hover ? hex(0xD8402F) : hex(0xB8322A), pal::white);
  setFont(cr, Face::Heading, 9);
  const char* name = group == 1 ? "HEAVY" : group == 2 ? "MIDDLE" : "LIGHT";
  shadowText(cr, name, bx + 35, by + bh - 7, hover ? pal::goldLit : pal::gold, 1);
  roundRect(cr, bx + 0.5, by + 0.5, bw - 1, bh - 1, 5);
  if (hover) {
    setColor(cr, pal::goldLit);
    cairo_set_line_width(cr, 1.5);
  } else {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
    cairo_set_line_width(cr, 1);
  }
  cairo_stroke(cr);
  cairo_move_to(cr, bx + 70, by + 1.5);
  cairo_line_to(cr, bx + bw - 6, by + 1.5);
  setColor(cr, pal::gold, hover ? 0.9 : 0.45);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void profilePanel(Canvas& c, double x, double y) {
  // 375 x 118: title strip, five rating rows; the outermost line is dark.
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, x, y, 375, 118);
  setColor(cr, hex(0x07080A));
  cairo_fill(cr);
  cairo_save(cr);
  roundRect(cr, x + 1, y + 1, 373, 116, 3);
  cairo_clip(cr);
  vGradient(cr, x, y, 375, 118, hex(0x2E323C), hex(0x1A1C22));
  cairo_restore(cr);
  leather(c, static_cast<int>(x + 2), static_cast<int>(y + 2), 371, 114, 0.09, 41);
  cairo_save(cr);
  roundRect(cr, x + 2, y + 2, 371, 114, 3);
  setColor(cr, pal::gold, 0.75);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_rectangle(cr, x + 4, y + 4, 367, 17);
  vGradient(cr, x + 4, y + 4, 367, 17, hex(0x8E1B1B), hex(0x4A0E0E));
  cairo_move_to(cr, x + 4, y + 21.5);
  cairo_line_to(cr, x + 371, y + 21.5);
  setColor(cr, pal::gold, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Rating tracks where the point markers go.
  for (int r = 0; r < 5; ++r) {
    double ry = y + 24 + 18 * r;
    roundRect(cr, x + 112, ry, 250, 16, 2);
    setColor(cr, hex(0x0C0D10), 0.55);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void makeMenu() {
  Canvas c(1024, 1024);
  cairo_t* cr = c.cr();
  dark(c, 0, 0, 1024, 1024);
  c.paint(*frame, 0, 0);
  const string scr = "screens 3, 5, 6, 7, 11, 12";
  addPicture("menu.jpg", 1024, 1024,
             "the frame of the career screens (header with tab bar, caption plate and manager "
             "line, status bar, help area, the arena behind) and, outside the visible 800 x "
             "600, every hover image and shared button of those screens",
             "boxer, finances, rankings, search, month and save/load screens; manager profile "
             "panel");
  addRegion("menu.jpg", "frame", 0, 0, 800, 600, "at (0, 0) on " + scr);
  // Tabs: hover images, same place as the tab on screen.
  static const char* captions[6] = {"MONTH", "BOXERS", "FINANCES", "RANKINGS", "SEARCH", "SAVE / LOAD"};
  for (int i = 0; i < 6; ++i) {
    backdrop(c, *frame, 25 + 75 * i, 19, 76, 76, 75 * i, 600);
    cairo_save(cr);
    cairo_rectangle(cr, 75 * i + 1, 600, 74, 76);
    cairo_clip(cr);
    tabButton(c, i, 75 * i, 600, true);
    cairo_restore(cr);
    addRegion("menu.jpg", string("tab ") + std::to_string(i + 1) + " hover (76 x 75 or 76 x 76)",
              75 * i, 600, 76, 76, "at (" + std::to_string(25 + 75 * i) + ", 19)");
  }
  for (int k = 0; k < 6; ++k) {
    backdrop(c, *frame, 522, 25, 199, 33, 800, 33 * k);
    captionPlate(c, 800, 33 * k);
    goldText(cr, captions[k], 800 + 99.5, 33 * k + 23, 17, 1, true);
    addRegion("menu.jpg", string("caption of tab ") + std::to_string(k + 1) + " (" + captions[k] + ")",
              800, 33 * k, 199, 33, "at (522, 25) while tab " + std::to_string(k + 1) + " is hovered");
  }
  // Steppers: hover at the fixed places, normal images beside them.
  auto stepper = [&](double x, double y, bool plus, bool hover, int bx, int by) {
    backdrop(c, *careerBase, bx, by, 18, 20, static_cast<int>(x), static_cast<int>(y));
    iconButton(c, x, y, 18, 20, hover ? Btn::Red : Btn::Dark, hover,
               [&](cairo_t* g, double cx, double cy, double s, bool hv) {
                 plusMinusIcon(g, cx, cy, s * 1.1, plus, hv ? hex(0xFFF0C0) : pal::goldLit);
               });
  };
  stepper(922, 209, false, true, 163, 399);
  stepper(941, 209, true, true, 212, 399);
  stepper(962, 209, false, false, 163, 399);
  stepper(982, 209, true, false, 212, 399);
  addRegion("menu.jpg", "stepper minus, hover", 922, 209, 18, 20, "search filters, offer steppers (screen 7)");
  addRegion("menu.jpg", "stepper plus, hover", 941, 209, 18, 20, "search filters, offer steppers (screen 7)");
  addRegion("menu.jpg", "stepper minus, normal", 962, 209, 18, 20, "drawn by the screen where a stepper sits");
  addRegion("menu.jpg", "stepper plus, normal", 982, 209, 18, 20, "drawn by the screen where a stepper sits");
  // Boxer screen view buttons (the third lies lower in the picture).
  static const char* views[3] = {"PORTRAIT", "FIGHTS", "RANKING"};
  int viewSrc[3][2] = {{920, 233}, {920, 254}, {657, 958}};
  for (int v = 0; v < 3; ++v) {
    backdrop(c, *careerBase, 313, 140 + 25 * v, 96, 22, viewSrc[v][0], viewSrc[v][1]);
    button(c, viewSrc[v][0], viewSrc[v][1], 96, 22, views[v], Btn::Red, true, 10.5);
    addRegion("menu.jpg", string("view button ") + views[v] + ", hover", viewSrc[v][0], viewSrc[v][1],
              96, 22, "boxer screen at (313, " + std::to_string(140 + 25 * v) + ")");
    backdrop(c, *careerBase, 313, 140 + 25 * v, 96, 22, 830, 460 + 23 * v);
    button(c, 830, 460 + 23 * v, 96, 22, views[v], Btn::Dark, false, 10.5);
    addRegion("menu.jpg", string("view button ") + views[v] + ", normal", 830, 460 + 23 * v, 96, 22,
              "boxer screen at (313, " + std::to_string(140 + 25 * v) + ")");
  }
  // Search and reset.
  static const char* sr[2] = {"SEARCH", "RESET"};
  int srPos[2][2] = {{233, 468}, {326, 468}};
  for (int k = 0; k < 2; ++k) {
    backdrop(c, *careerBase, srPos[k][0], srPos[k][1], 88, 20, 922, 284 + 21 * k);
    button(c, 922, 284 + 21 * k, 88, 20, sr[k], k == 0 ? Btn::Red : Btn::Dark, true, 10);
    addRegion("menu.jpg", string(sr[k]) + " button, hover", 922, 284 + 21 * k, 88, 20,
              "search screen at (" + std::to_string(srPos[k][0]) + ", 468)");
    backdrop(c, *careerBase, srPos[k][0], srPos[k][1], 88, 20, 830, 646 + 22 * k);
    button(c, 830, 646 + 22 * k, 88, 20, sr[k], Btn::Dark, false, 10);
    addRegion("menu.jpg", string(sr[k]) + " button, normal", 830, 646 + 22 * k, 88, 20,
              "search screen at (" + std::to_string(srPos[k][0]) + ", 468)");
  }
  // Boxer screen panel buttons.
  static const char* tabs4[4] = {"SKILLS", "TRAINING", "PERSONAL", "CONDITION"};
  for (int i = 0; i < 4; ++i) {
    backdrop(c, *careerBase, 310, 239 + 30 * i, 101, 26, 920, 338 + 30 * i);
    button(c, 920, 338 + 30 * i, 101, 26, tabs4[i], Btn::Red, true, 11);
    addRegion("menu.jpg", string("panel button ") + tabs4[i] + ", hover", 920, 338 + 30 * i, 101, 26,
              "boxer screen at (310, " + std::to_string(239 + 30 * i) + ")");
    backdrop(c, *careerBase, 310, 239 + 30 * i, 101, 26, 830, 532 + 28 * i);
    button(c, 830, 532 + 28 * i, 101, 26, tabs4[i], Btn::Dark, false, 11);
    addRegion("menu.jpg", string("panel button ") + tabs4[i] + ", normal", 830, 532 + 28 * i, 101, 26,
              "boxer screen at (310, " + std::to_string(239 + 30 * i) + ")");
  }
  // Stable slots by weight group: hover at the fixed places, normal below.
  for (int g = 1; g <= 3; ++g) {
    backdrop(c, *careerBase, 434, 110, 322, 54, 0, 621 + 55 * g);
    slotCard(c, 0, 621 + 55 * g, g, true);
    const char* gn = g == 1 ? "heavy (categories 1..3)" : g == 2 ? "middle (4..8)" : "light (9..17)";
    addRegion("menu.jpg", string("stable slot, ") + gn + ", hover", 0, 621 + 55 * g, 322, 54,
              "boxer screen at (434, 110 + 65 j)");
    backdrop(c, *careerBase, 434, 110, 322, 54, 0, 786 + 55 * g);
    slotCard(c, 0, 786 + 55 * g, g, false);
    addRegion("menu.jpg", string("stable slot, ") + gn + ", normal", 0, 786 + 55 * g, 322, 54,
              "boxer screen at (434, 110 + 65 j)");
  }
  // Page arrows: hover at the fixed places, normal beside the other normals.
  for (int k = 0; k < 2; ++k) {
    for (int hv = 0; hv < 2; ++hv) {
      int x = hv ? 378 + 22 * k : 930 + 23 * k, y = hv ? 680 : 646;
      backdrop(c, *careerBase, 40 + 185 * k, 110, 21, 21, x, y);
      iconButton(c, x, y, 21, 21, hv ? Btn::Red : Btn::Dark, hv,
                 [&](cairo_t* g, double cx, double cy, double s, bool h2) {
                   arrowIcon(g, cx + (k ? 0.5 : -0.5), cy, s * 0.85, k, h2 ? hex(0xFFF0C0) : pal::goldLit);
                 });
      addRegion("menu.jpg", string(k ? "arrow right" : "arrow left") + (hv ? ", hover" : ", normal"), x, y,
                21, 21,
                "finances (40 / 225, 110) and (40 / 225, 320); search list (470 / 700, 469) at 20 x 20");
    }
  }
  // Confirm, chosen, offer.
  static const char* small3[3] = {"CONFIRM", "CURRENT", "OFFER"};
  int smallSrc[3][2] = {{344, 712}, {344, 732}, {344, 752}};
  int smallAt[3][2] = {{100, 440}, {100, 440}, {325, 300}};
  for (int k = 0; k < 3; ++k) {
    int w = k == 2 ? 84 : 85;
    backdrop(c, *careerBase, smallAt[k][0], smallAt[k][1], w, 18, smallSrc[k][0], smallSrc[k][1]);
    button(c, smallSrc[k][0], smallSrc[k][1], w, 18, small3[k], k == 1 ? Btn::Gold : Btn::Red, true, 9.5);
    addRegion("menu.jpg", string(small3[k]) + " button, hover", smallSrc[k][0], smallSrc[k][1], w, 18,
              k == 2 ? "search screen at (325, 300)" : "finances at (100, 440)");
    backdrop(c, *careerBase, smallAt[k][0], smallAt[k][1], w, 18, 830, 692 + 20 * k);
    button(c, 830, 692 + 20 * k, w, 18, small3[k], k == 1 ? Btn::Gold : Btn::Dark, false, 9.5);
    addRegion("menu.jpg", string(small3[k]) + " button, normal", 830, 692 + 20 * k, w, 18,
              k == 2 ? "search screen at (325, 300)" : "finances at (100, 440)");
  }
  // Contract buttons of the boxer screen's condition tab.
  static const char* contract[3] = {"TALK", "RELEASE", "RENEW"};
  for (int k = 0; k < 3; ++k) {
    backdrop(c, *careerBase, 60 + 120 * k, 460, 96, 22, 830, 756 + 24 * k);
    button(c, 830, 756 + 24 * k, 96, 22, contract[k], Btn::Dark, false, 10.5);
    backdrop(c, *careerBase, 60 + 120 * k, 460, 96, 22, 928, 756 + 24 * k);
    button(c, 928, 756 + 24 * k, 96, 22, contract[k], Btn::Red, true, 10.5);
    addRegion("menu.jpg", string(contract[k]) + " button, normal", 830, 756 + 24 * k, 96, 22,
              "boxer screen, condition tab");
    addRegion("menu.jpg", string(contract[k]) + " button, hover", 928, 756 + 24 * k, 96, 22,
              "boxer screen, condition tab");
  }
  // Month screen: watch (eye) and instant (monitor) buttons, and the advance button.
  auto eye = [](cairo_t* g, double cx, double cy, double s, bool hv) {
    RGB col = hv ? hex(0xFFF0C0) : pal::goldLit;
    cairo_save(g);
    cairo_move_to(g, cx - s * 0.42, cy);
    cairo_curve_to(g, cx - s * 0.2, cy - s * 0.3, cx + s * 0.2, cy - s * 0.3, cx + s * 0.42, cy);
    cairo_curve_to(g, cx + s * 0.2, cy + s * 0.3, cx - s * 0.2, cy + s * 0.3, cx - s * 0.42, cy);
    cairo_close_path(g);
    cairo_set_source_rgba(g, 0, 0, 0, 0.8);
    cairo_set_line_width(g, 2.5);
    cairo_stroke_preserve(g);
    setColor(g, col);
    cairo_set_line_width(g, 1.4);
    cairo_stroke(g);
    cairo_arc(g, cx, cy, s * 0.13, 0, 2 * M_PI);
    setColor(g, col);
    cairo_fill(g);
    cairo_restore(g);
  };
  auto monitor = [](cairo_t* g, double cx, double cy, double s, bool hv) {
    RGB col = hv ? hex(0xFFF0C0) : pal::goldLit;
    cairo_save(g);
    roundRect(g, cx - s * 0.34, cy - s * 0.28, s * 0.68, s * 0.44, 1.5);
    cairo_set_source_rgba(g, 0, 0, 0, 0.8);
    cairo_set_line_width(g, 2.5);
    cairo_stroke_preserve(g);
    setColor(g, col);
    cairo_set_line_width(g, 1.4);
    cairo_stroke(g);
    cairo_rectangle(g, cx - s * 0.24, cy - s * 0.19, s * 0.48, s * 0.26);
    setColor(g, hv ? hex(0x7FD0FF) : hex(0x4A90C8));
    cairo_fill(g);
    cairo_move_to(g, cx - s * 0.15, cy + s * 0.32);
    cairo_line_to(g, cx + s * 0.15, cy + s * 0.32);
    cairo_move_to(g, cx, cy + s * 0.16);
    cairo_line_to(g, cx, cy + s * 0.32);
    setColor(g, col);
    cairo_set_line_width(g, 1.6);
    cairo_stroke(g);
    cairo_restore(g);
  };
  for (int k = 0; k < 2; ++k)
    for (int hv = 0; hv < 2; ++hv) {
      int x = 830 + 34 * (2 * k + hv), y = 830;
      backdrop(c, *careerBase, 440, 118, 32, 32, x, y);
      iconButton(c, x, y, 32, 32, hv ? Btn::Red : Btn::Dark, hv, k == 0 ? std::function<void(cairo_t*, double, double, double, bool)>(eye) : monitor);
      addRegion("menu.jpg", string(k ? "instant (monitor) button" : "watch (eye) button") + (hv ? ", hover" : ", normal"),
                x, y, 32, 32, k ? "month screen, right end of each fight row" : "month screen, left end of each fight row");
    }
  for (int hv = 0; hv < 2; ++hv) {
    backdrop(c, *careerBase, 600, 455, 140, 30, 830, 866 + 32 * hv);
    button(c, 830, 866 + 32 * hv, 140, 30, "NEXT MONTH", hv ? Btn::Red : Btn::Red, hv != 0, 12);
    addRegion("menu.jpg", string("NEXT MONTH button") + (hv ? ", hover" : ", normal"), 830, 866 + 32 * hv, 140, 30,
              "month screen (the advance button)");
  }
  // The manager profile panel and its parts; the view button at (657, 958) shares a row
  // with the panel and a column with the rankings header, so it was drawn first.
  profilePanel(c, 453, 841);
  addRegion("menu.jpg", "profile panel", 453, 841, 375, 118, "at (224, 205), opaque");
  {
    // Close mark on the panel's top-right corner.
    Canvas pp(375, 118);
    copyRect(pp, c, 453, 841, 375, 118, 0, 0);
    copyRect(c, pp, 360, 3, 11, 12, 328, 712);
    cairo_save(cr);
    cairo_move_to(cr, 330.5, 715);
    cairo_line_to(cr, 336.5, 721);
    cairo_move_to(cr, 336.5, 715);
    cairo_line_to(cr, 330.5, 721);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    setColor(cr, pal::goldLit);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
    addRegion("menu.jpg", "profile panel close mark", 328, 712, 11, 12, "at (584, 208), opaque");
  }
  // Row label plates (drawn at 70 %).
  cairo_save(cr);
  cairo_rectangle(cr, 459, 815, 106, 16);
  vGradient(cr, 459, 815, 106, 16, hex(0x7A1A18), hex(0x3E0C0C));
  cairo_rectangle(cr, 459.5, 815.5, 105, 15);
  setColor(cr, pal::gold, 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  addRegion("menu.jpg", "profile row plate", 459, 815, 106, 16, "at (230, 229 + 18 r), alpha 0.7");
  // Shadows of the panel: below (375 x 9) and at the right (5 x 110).
  vGradient(cr, 0, 1015, 375, 9, hex(0x000000), hex(0x1A1A1A));
  addRegion("menu.jpg", "profile panel shadow, bottom", 0, 1015, 375, 9, "at (229, 318), alpha 0.6");
  cairo_save(cr);
  cairo_pattern_t* sp = cairo_pattern_create_linear(1000, 0, 1005, 0);
  cairo_pattern_add_color_stop_rgb(sp, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgb(sp, 1, 0.1, 0.1, 0.1);
  cairo_set_source(cr, sp);
  cairo_rectangle(cr, 1000, 0, 5, 110);
  cairo_fill(cr);
  cairo_pattern_destroy(sp);
  cairo_restore(cr);
  addRegion("menu.jpg", "profile panel shadow, right", 1000, 0, 5, 110, "at (599, 210), alpha 0.6");
  // Rankings list: heading strip over one row band; the bands alone are its lower 36 rows.
  {
    double x = 331, y = 959;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, 327, 18);
    vGradient(cr, x, y, 327, 18, hex(0x8E1B1B), hex(0x4C0E0E));
    cairo_move_to(cr, x, y + 17.5);
    cairo_line_to(cr, x + 327, y + 17.5);
    setColor(cr, pal::gold, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    setFont(cr, Face::Heading, 10);
    shadowText(cr, "#", x + 20, y + 13, pal::goldLit, 1);
    shadowText(cr, "BOXER", x + 53, y + 13, pal::goldLit, 0);
    shadowText(cr, "W", x + 202, y + 13, pal::goldLit, 1);
    shadowText(cr, "D", x + 238, y + 13, pal::goldLit, 1);
    shadowText(cr, "L", x + 276.5, y + 13, pal::goldLit, 1);
    shadowText(cr, "KO", x + 307.5, y + 13, pal::goldLit, 1);
    // Two row stripes and the start of the next.
    double by = 977;
    cairo_rectangle(cr, x, by, 327, 17);
    setColor(cr, hex(0x2A2E37));
    cairo_fill(cr);
    cairo_rectangle(cr, x, by + 17, 327, 17);
    setColor(cr, hex(0x1D2027));
    cairo_fill(cr);
    cairo_rectangle(cr, x, by + 34, 327, 2);
    setColor(cr, hex(0x2A2E37));
    cairo_fill(cr);
    for (double ly : {by + 16.5, by + 33.5}) {
      cairo_move_to(cr, x, ly);
      cairo_line_to(cr, x + 327, ly);
    }
    setColor(cr, hex(0x000000), 0.35);
    cairo_stroke(cr);
    // Faint column rules.
    for (double cx : {x + 40.5, x + 190.5, x + 222.5, x + 257.5, x + 292.5}) {
      cairo_move_to(cr, cx, y + 18);
      cairo_line_to(cr, cx, by + 36);
    }
    setColor(cr, pal::gold, 0.12);
    cairo_stroke(cr);
    // Dark outer columns.
    cairo_rectangle(cr, x, y, 1, 54);
    cairo_rectangle(cr, x + 326, y, 1, 54);
    setColor(cr, hex(0x07080A));
    cairo_fill(cr);
    cairo_restore(cr);
    leather(c, 331, 977, 327, 36, 0.05, 51);
  }
  addRegion("menu.jpg", "rankings heading with first band", 331, 959, 327, 53, "rankings at (432, 105)");
  addRegion("menu.jpg", "rankings row band (two rows)", 331, 977, 327, 36, "rankings at (432, 157 + 34 f), f = 0..8");
  dither(c, 0.01, 52);
  emit(c, "menu.jpg");
}

// ---- rankings: RANKS.jpg -------------------------------------------------------------------------------
void makeRanks() {
  Canvas c(512, 512);
  dark(c, 0, 0, 512, 512);
  // Content over the left panel: screen (47, 105) is picture (0, 0).
  Canvas content(375, 450);
  copyRect(content, *careerBase, 47, 105, 375, 390, 0, 0);
  copyRect(content, *careerBase, 47, 380, 375, 60, 0, 390);
  cairo_t* k = content.cr();
  auto at = [](double sx, double sy) { return std::pair<double, double>(sx - 47, sy - 105); };
  auto fieldAt = [&](double x1, double y1, double x2, double y2) {
    auto p = at(x1, y1);
    field(content, p.first, p.second, x2 - x1, y2 - y1);
  };
  auto caption = [&](const char* s, double sx, double sy) {
    auto p = at(sx, sy);
    setFont(k, Face::Heading, 11);
    spacedText(k, s, p.first, p.second, 1.2, pal::gold, 1);
  };
  auto arrowBtn = [&](Canvas& dst, double x, double y, int dir, bool hv) {
    iconButton(dst, x, y, 24, 22, hv ? Btn::Red : Btn::Dark, hv, [&](cairo_t* g, double cx, double cy, double s, bool h2) {
      arrowIcon(g, cx, cy, s * 0.85, dir, h2 ? hex(0xFFF0C0) : pal::goldLit);
    });
  };
  // Category bar.
  fieldAt(98, 108, 364, 132);
  arrowBtn(content, 72 - 47, 109 - 105, 0, false);
  arrowBtn(content, 366 - 47, 109 - 105, 1, false);
  caption("SELECT ONE OF YOUR BOXERS", 234, 168);
  fieldAt(126, 182, 334, 204);
  arrowBtn(content, 100 - 47, 182 - 105, 0, false);
  arrowBtn(content, 340 - 47, 182 - 105, 1, false);
  fieldAt(52, 212, 418, 274);
  caption("OPPONENT", 234, 302);
  fieldAt(52, 311, 418, 373);
  caption("FIGHT DATE", 234, 398);
  fieldAt(126, 413, 336, 434);
  // The busy strip (shown over the date area while a fight is scheduled).
  {
    cairo_save(k);
    cairo_rectangle(k, 0, 390, 375, 60);
    cairo_clip(k);
    panel(content, 4, 392, 367, 56, 61, false, hex(0x3A1414));
    setFont(k, Face::Heading, 11);
    spacedText(k, "SCHEDULED FIGHT", 187, 407, 1.2, pal::goldLit, 1);
    field(content, 63 - 47, 411 - 380 + 390, 157, 22);
    field(content, 243 - 47, 411 - 380 + 390, 159, 22);
    cairo_restore(k);
  }
  c.paint(content, 0, 0);
  addPicture("RANKS.jpg", 512, 512,
             "the rankings screen's left half (category bar, your boxer, opponent, fight date), "
             "the scheduled-fight strip, and the search screen's toggles and mode arrows",
             "rankings screen; boxer search screen");
  addRegion("RANKS.jpg", "rankings left half", 0, 0, 375, 390, "rankings at (47, 105)");
  addRegion("RANKS.jpg", "scheduled-fight strip", 0, 390, 375, 60, "rankings at (47, 380) while the slot is busy");
  // Hover images of the always-present arrows (normal ones are part of the left half).
  int arrowsAt[4][2] = {{72, 109}, {366, 109}, {100, 182}, {340, 182}};
  static const char* an[4] = {"category left", "category right", "your boxer left", "your boxer right"};
  for (int i = 0; i < 4; ++i) {
    int x = 380 + 26 * (i % 2), y = 70 + 24 * (i / 2);
    copyRect(c, content, arrowsAt[i][0] - 47, arrowsAt[i][1] - 105, 24, 22, x, y);
    arrowBtn(c, x, y, i % 2, true);
    addRegion("RANKS.jpg", string(an[i]) + " arrow, hover", x, y, 24, 22,
              "rankings at (" + std::to_string(arrowsAt[i][0]) + ", " + std::to_string(arrowsAt[i][1]) + ")");
  }
  // OK and CANCEL share one place below the date.
  static const char* oc[2] = {"OK", "CANCEL"};
  for (int i = 0; i < 2; ++i) {
    copyRect(c, content, 190 - 47, 446 - 105, 84, 22, 380, 120 + 24 * i);
    button(c, 380, 120 + 24 * i, 84, 22, oc[i], i ? Btn::Dark : Btn::Red, true, 11);
    addRegion("RANKS.jpg", string(oc[i]) + " button", 380, 120 + 24 * i, 84, 22,
              "rankings at (190, 446): alpha 0.8 while active, opaque when hovered");
  }
  // Search toggles (off, on) and the mode arrows.
  for (int on = 0; on < 2; ++on) {
    int x = on ? 411 : 384;
    copyRect(c, *careerBase, 45, 340, 25, 25, x, 37);
    iconButton(c, x, 37, 25, 25, Btn::Dark, false, [&](cairo_t* g, double cx, double cy, double s, bool) {
      roundRect(g, cx - s * 0.32, cy - s * 0.32, s * 0.64, s * 0.64, 2);
      setColor(g, hex(0x0A0B0D));
      cairo_fill(g);
      if (on) {
        cairo_move_to(g, cx - s * 0.25, cy);
        cairo_line_to(g, cx - s * 0.05, cy + s * 0.22);
        cairo_line_to(g, cx + s * 0.32, cy - s * 0.3);
        cairo_set_source_rgba(g, 0, 0, 0, 0.9);
        cairo_set_line_width(g, 4);
        cairo_stroke_preserve(g);
        setColor(g, pal::goldLit);
        cairo_set_line_width(g, 2.4);
        cairo_stroke(g);
      }
    });
    addRegion("RANKS.jpg", on ? "toggle on" : "toggle off", x, 37, 25, 25, "search screen at (45, 340) and (240, 340)");
  }
  for (int r = 0; r < 2; ++r) {
    int x = r ? 481 : 381;
    copyRect(c, *careerBase, r ? 394 : 44, 370, 25, 24, x, 199);
    iconButton(c, x, 199, 25, 24, Btn::Red, true, [&](cairo_t* g, double cx, double cy, double s, bool) {
      arrowIcon(g, cx, cy, s * 0.85, r, hex(0xFFF0C0));
    });
    addRegion("RANKS.jpg", r ? "search mode arrow right" : "search mode arrow left", x, 199, 25, 24,
              r ? "search screen at (394, 370)" : "search screen at (44, 370)");
  }
  dither(c, 0.01, 62);
  emit(c, "RANKS.jpg");
}

// ---- finances: PANRIGHT01.jpg with the sponsors' logos ------------------------------------------------------
void sponsorLogo(Canvas& c, int brand, double x, double y) {
  cairo_t* cr = c.cr();
  double w = 160, h = 72;
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  struct Look { uint32_t bg0, bg1, fg; const char* l1; const char* l2; };
  static const Look looks[6] = {
      {0x2B2F36, 0x15171B, 0xE8E8E8, "IRONFIST", "SPORTS"},
      {0xC0261E, 0x5E0D0A, 0xFFFFFF, "REDLINE", "ENERGY"},
      {0x16130C, 0x050403, 0xE8C060, "GOLDBELT", "WATCHES"},
      {0x1C5FA8, 0x0B2A50, 0xFFFFFF, "NORTHWIND", "AIR"},
      {0x3A3D42, 0x18191C, 0xF2A531, "TITAN", "MOTORS"},
      {0x0E2A22, 0x04120E, 0xD9C27A, "CROWN", "BANK"}};
  const Look& L = looks[brand - 1];
  vGradient(cr, x, y, w, h, hex(L.bg0), hex(L.bg1));
  RGB fg = hex(L.fg);
  double cx = x + 40, cy = y + 36;
  // Emblems.
  cairo_save(cr);
  switch (brand) {
    case 1: glove(cr, cx, cy - 2, 44, -0.2, hex(0x9A9DA3), hex(0x3A3D42)); break;
    case 2:
      cairo_move_to(cr, cx + 6, cy - 24);
      cairo_line_to(cr, cx - 12, cy + 3);
      cairo_line_to(cr, cx, cy + 3);
      cairo_line_to(cr, cx - 6, cy + 24);
      cairo_line_to(cr, cx + 14, cy - 5);
      cairo_line_to(cr, cx + 2, cy - 5);
      cairo_close_path(cr);
      setColor(cr, hex(0xFFD23A));
      cairo_fill_preserve(cr);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      break;
    case 3:
      cairo_arc(cr, cx, cy, 20, 0, 2 * M_PI);
      setColor(cr, fg);
      cairo_set_line_width(cr, 3);
      cairo_stroke(cr);
      for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        cairo_move_to(cr, cx + 15 * std::cos(a), cy + 15 * std::sin(a));
        cairo_line_to(cr, cx + 18 * std::cos(a), cy + 18 * std::sin(a));
      }
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      cairo_move_to(cr, cx, cy);
      cairo_line_to(cr, cx, cy - 12);
      cairo_move_to(cr, cx, cy);
      cairo_line_to(cr, cx + 8, cy + 3);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      break;
    case 4:
      for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, cx - 26, cy - 10 + i * 10);
        cairo_curve_to(cr, cx - 8, cy - 22 + i * 10, cx + 8, cy + 2 + i * 10, cx + 26, cy - 12 + i * 10);
      }
      setColor(cr, fg);
      cairo_set_line_width(cr, 3);
      cairo_stroke(cr);
      break;
    case 5:
      cairo_move_to(cr, cx - 24, cy + 16);
      cairo_line_to(cr, cx - 10, cy - 18);
      cairo_line_to(cr, cx + 10, cy - 18);
      cairo_line_to(cr, cx + 24, cy + 16);
      cairo_close_path(cr);
      setColor(cr, fg);
      cairo_fill(cr);
      cairo_rectangle(cr, cx - 5, cy - 10, 10, 26);
      setColor(cr, hex(L.bg1));
      cairo_fill(cr);
      break;
    case 6:
      cairo_move_to(cr, cx - 22, cy + 12);
      cairo_line_to(cr, cx - 24, cy - 12);
      cairo_line_to(cr, cx - 11, cy);
      cairo_line_to(cr, cx, cy - 18);
      cairo_line_to(cr, cx + 11, cy);
      cairo_line_to(cr, cx + 24, cy - 12);
      cairo_line_to(cr, cx + 22, cy + 12);
      cairo_close_path(cr);
      setColor(cr, fg);
      cairo_fill(cr);
      break;
  }
  cairo_restore(cr);
  setFont(cr, Face::Heading, brand == 4 ? 15 : 17);
  shadowText(cr, L.l1, x + 74, y + 36, fg, 0);
  setFont(cr, Face::Regular, 10);
  spacedText(cr, L.l2, x + 74, y + 52, 2.2, mix(fg, hex(L.bg0), 0.3), 0);
  cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
  setColor(cr, pal::gold, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  grain(c, static_cast<int>(x), static_cast<int>(y), 160, 72, 0.04, 30, 70 + brand);
}

void makeFinances() {
  Canvas c(512, 600);
  cairo_t* cr = c.cr();
  dark(c, 0, 0, 512, 600);
  copyRect(c, *careerBase, 252, 100, 512, 400, 0, 0);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 512, 400);
  cairo_clip(cr);
  panel(c, 6, 1, 505, 396, 71);
  cairo_restore(cr);
  // The books: a recessed table with ruled rows and three column heads.
  field(c, 16, 14, 482, 318);
  for (int r = 0; r < 9; ++r) {
    cairo_rectangle(cr, 18, 48 + 30 * r, 478, 15);
    setColor(cr, hex(0xFFFFFF), r % 2 ? 0.0 : 0.025);
    cairo_fill(cr);
  }
  for (int r = 0; r <= 9; ++r) {
    cairo_move_to(cr, 22, 47.5 + 30 * r);
    cairo_line_to(cr, 492, 47.5 + 30 * r);
  }
  setColor(cr, pal::gold, 0.12);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  for (double x : {226.5, 316.5, 406.5}) {
    cairo_move_to(cr, x, 20);
    cairo_line_to(cr, x, 326);
  }
  setColor(cr, pal::gold, 0.15);
  cairo_stroke(cr);
  static const char* tb[3] = {"INCOME", "EXPENSES", "BALANCE"};
  int normalX[3] = {38, 185, 333}, hoverX[3] = {43, 188, 333};
  for (int i = 0; i < 3; ++i) copyRect(c, c, normalX[i], 344, 132, 20, hoverX[i], 408);
  for (int i = 0; i < 3; ++i) {
    button(c, normalX[i], 344, 132, 20, tb[i], Btn::Dark, false, 10.5);
    button(c, hoverX[i], 408, 132, 20, tb[i], Btn::Red, true, 10.5);
  }
  for (int b = 1; b <= 6; ++b) sponsorLogo(c, b, 8 + 168 * ((b - 1) % 3), 436 + 80 * ((b - 1) / 3));
  dither(c, 0.01, 72);
  emit(c, "PANRIGHT01.jpg");
  addPicture("PANRIGHT01.jpg", 512, 600,
             "the finances screen's books panel with its three table buttons, their hover "
             "images, and the six sponsors' logos",
             "finances screen");
  addRegion("PANRIGHT01.jpg", "books panel", 0, 0, 512, 400,
            "finances at (252, 100), drawn over PANLEFT01.jpg; its buttons lie under hotspots 7..9");
  for (int i = 0; i < 3; ++i)
    addRegion("PANRIGHT01.jpg", string(tb[i]) + " button, hover", hoverX[i], 408, 132, 20,
              "finances at (" + std::to_string(252 + normalX[i]) + ", 444)");
  static const char* brands[6] = {"Ironfist Sports", "Redline Energy", "Goldbelt Watches",
                                  "Northwind Air", "Titan Motors", "Crown Bank"};
  for (int b = 1; b <= 6; ++b)
    addRegion("PANRIGHT01.jpg", "sponsor logo " + std::to_string(b) + " (" + brands[b - 1] + ")",
              8 + 168 * ((b - 1) % 3), 436 + 80 * ((b - 1) / 3), 160, 72,
              "finances, advertising page, by sponsorBrand " + std::to_string(b));
}

// ---- save/load: LOADSAVE.jpg ------------------------------------------------------------------------------------
void makeLoadSave() {
  Canvas c(512, 512);
  cairo_t* cr = c.cr();
  dark(c, 0, 0, 512, 512);
  copyRect(c, *frame, 250, 100, 300, 400, 0, 0);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 300, 400);
  cairo_clip(cr);
  panel(c, 3, 2, 294, 394, 81);
  goldText(cr, "SAVED GAMES", 150, 32, 18, 1, true);
  cairo_move_to(cr, 40, 40.5);
  cairo_line_to(cr, 260, 40.5);
  setColor(cr, pal::gold, 0.5);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  field(c, 10, 46, 280, 206);
  for (int j = 0; j < 10; ++j) {
    cairo_rectangle(cr, 12, 49 + 20 * j, 276, 20);
    setColor(cr, hex(0xFFFFFF), j % 2 ? 0.0 : 0.03);
    cairo_fill(cr);
  }
  // A disk medallion beside the buttons.
  gem(cr, 62, 309, 36, hex(0x4A0F0F));
  cairo_arc(cr, 62, 309, 36, 0, 2 * M_PI);
  setColor(cr, pal::gold, 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  tabIcon(cr, 5, 62, 309, 40, pal::goldLit);
  cairo_restore(cr);
  static const char* b[4] = {"LOAD", "SAVE", "MAIN MENU", "OPTIONS"};
  for (int i = 0; i < 4; ++i) {
    copyRect(c, c, 125, 260 + 33 * i, 158, 32, 318, 33 * i);
    button(c, 318, 33 * i, 158, 32, b[i], i == 2 ? Btn::Dark : i == 3 ? Btn::Blue : Btn::Red, true, 13);
  }
  // Selection bar.
  cairo_save(cr);
  roundRect(cr, 0, 405, 271, 20, 3);
  vGradient(cr, 0, 405, 271, 20, hex(0xC0392B), hex(0x6E1410));
  roundRect(cr, 0.5, 405.5, 270, 19, 3);
  setColor(cr, pal::goldLit);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  dither(c, 0.01, 82);
  emit(c, "LOADSAVE.jpg");
  addPicture("LOADSAVE.jpg", 512, 512, "the save/load panel with its slot list, the three buttons and the selection bar",
             "save/load menu (screen 12)");
  addRegion("LOADSAVE.jpg", "panel", 0, 0, 300, 400, "at (250, 100)");
  for (int i = 0; i < 4; ++i)
    addRegion("LOADSAVE.jpg", string(b[i]) + " button", 318, 33 * i, 158, 32,
              "at (375, " + std::to_string(360 + 33 * i) + "), alpha 0.8; opaque when hovered");
  addRegion("LOADSAVE.jpg", "selection bar", 0, 405, 271, 20, "at (264, 149 + 20 s), alpha 0.8");
}

// ---- main menu -----------------------------------------------------------------------------------------------
void makeMainMenu() {
  Canvas c(800, 692);
  cairo_t* cr = c.cr();
  arena(c, 0, 0, 800, 692, 400, 420, 91, 1.3);
  crowd(c, -20, 820, 330, 30, 92, 0.9);
  ringPerspective(c, 400, 360, 520, 470, 700, 93);
  beams(c, 400, 0, 0.32, 560, 0.07);
  spotlight(cr, 400, 300, 330, 230, hex(0xFFD9A0), 0.08);
  vignette(c, 0.6);
  titleLogo(c, 400, 132, 78);
  setFont(cr, Face::Heading, 15);
  spacedText(cr, "BOXING MANAGER", 400, 168, 6, pal::white, 1);
  cairo_move_to(cr, 250, 180.5);
  cairo_line_to(cr, 550, 180.5);
  setColor(cr, pal::gold, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Bottom band for the copyright, version and help lines.
  cairo_rectangle(cr, 0, 536, 800, 64);
  vGradient(cr, 0, 536, 800, 64, hex(0x060708), hex(0x0B0C0E), 0.8);
  cairo_move_to(cr, 0, 536.5);
  cairo_line_to(cr, 800, 536.5);
  setColor(cr, pal::gold, 0.4);
  cairo_stroke(cr);
  // A plate behind the buttons.
  panel(c, 250, 222, 300, 308, 94, true, hex(0x1A1C22));
  // The four buttons of the layout file, then OPTIONS below them (set by the screen itself).
  static const char* labels[5] = {"NEW MANAGER", "LOAD GAME", "QUICK START", "QUIT", "OPTIONS"};
  int hx[5] = {0, 240, 480, 0, 240}, hy[5] = {600, 600, 600, 646, 646};
  for (int i = 0; i < 5; ++i) copyRect(c, c, 280, 240 + 56 * i, 240, 46, hx[i], hy[i]);
  for (int i = 0; i < 5; ++i) {
    const Btn style = i == 3 ? Btn::Dark : i == 4 ? Btn::Blue : Btn::Red;
    button(c, 280, 240 + 56 * i, 240, 46, labels[i], style, false, 17);
    button(c, hx[i], hy[i], 240, 46, labels[i], style, true, 17);
  }
  cairo_rectangle(cr, 480, 646, 320, 46);
  setColor(cr, hex(0x101114));
  cairo_fill(cr);
  dither(c, 0.012, 95);
  emit(c, "mainmenu.jpg");
  addPicture("mainmenu.jpg", 800, 692, "the main menu: title, lit ring and the five buttons; their hover images below the screen",
             "main menu (screen 1), slot 0");
  for (int i = 0; i < 4; ++i)
    addRegion("mainmenu.jpg", string(labels[i]) + ", hover (layout GUI1 record " + std::to_string(i + 1) + ")",
              hx[i], hy[i], 240, 46, "at (280, " + std::to_string(240 + 56 * i) + ")");
  addRegion("mainmenu.jpg", "OPTIONS, hover (hotspot 5, set by the screen)", hx[4], hy[4], 240, 46, "at (280, 464)");
}

// ---- new manager: create.jpg --------------------------------------------------------------------------------
void makeCreate() {
  Canvas c(800, 640);
  cairo_t* cr = c.cr();
  arena(c, 0, 0, 800, 640, 560, 280, 101);
  crowd(c, 0, 800, 110, 24, 102, 0.7);
  vignette(c, 0.5);
  panel(c, 12, 8, 776, 70, 103);
  goldText(cr, "NEW MANAGER", 400, 55, 30, 1, true);
  // Licence card on the left.
  panel(c, 30, 96, 332, 344, 104);
  {
    field(c, 48, 118, 150, 186);
    cairo_save(cr);
    roundRect(cr, 49, 119, 148, 184, 3);
    cairo_clip(cr);
    spotlight(cr, 123, 170, 110, 120, hex(0x6A4A2A), 0.6);
    // Silhouette of the manager: hat, shoulders, tie.
    cairo_arc(cr, 123, 196, 30, 0, 2 * M_PI);
    cairo_move_to(cr, 58, 304);
    cairo_curve_to(cr, 60, 250, 88, 232, 123, 232);
    cairo_curve_to(cr, 158, 232, 186, 250, 188, 304);
    cairo_close_path(cr);
    setColor(cr, hex(0x0A0B0E));
    cairo_fill(cr);
    roundRect(cr, 86, 158, 74, 12, 3);
    cairo_rectangle(cr, 98, 138, 50, 24);
    setColor(cr, hex(0x0A0B0E));
    cairo_fill(cr);
    cairo_move_to(cr, 123, 236);
    cairo_line_to(cr, 117, 250);
    cairo_line_to(cr, 123, 290);
    cairo_line_to(cr, 129, 250);
    cairo_close_path(cr);
    setColor(cr, pal::red);
    cairo_fill(cr);
    cairo_restore(cr);
    setFont(cr, Face::Heading, 15);
    spacedText(cr, "MANAGER", 282, 140, 2, pal::gold, 1);
    spacedText(cr, "LICENCE", 282, 160, 2, pal::gold, 1);
    for (int i = 0; i < 5; ++i) {
      cairo_move_to(cr, 212, 190.5 + 18 * i);
      cairo_line_to(cr, 348, 190.5 + 18 * i);
    }
    setColor(cr, pal::gold, 0.2);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Gold seal with a star.
    gem(cr, 282, 300, 26, hex(0x7A1212));
    cairo_arc(cr, 282, 300, 26, 0, 2 * M_PI);
    setColor(cr, pal::gold);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    goldStar(cr, 282, 300, 15);
    glove(cr, 110, 378, 56, -0.5, pal::redLit, pal::white);
    glove(cr, 158, 384, 56, 0.45, pal::blueLit, pal::white);
    setFont(cr, Face::Heading, 11);
    spacedText(cr, "SIGN UP AND", 272, 370, 1.5, pal::white, 1);
    spacedText(cr, "BUILD A STABLE", 272, 388, 1.5, pal::white, 1);
  }
  // The form on the right.
  panel(c, 370, 96, 412, 344, 105);
  setFont(cr, Face::Heading, 12);
  auto label = [&](const char* s, double x, double y) { shadowText(cr, s, x, y, pal::gold, 0); };
  label("NAME", 384, 150);
  field(c, 452, 136, 284, 20);
  label("AGE", 384, 175);
  field(c, 440, 160, 50, 20);
  label("BOXERS", 624, 175);
  field(c, 692, 160, 34, 20);
  label("NATION", 384, 199);
  field(c, 518, 185, 208, 20);
  arrowIcon(cr, 712, 195, 11, 3, pal::goldLit);
  cairo_move_to(cr, 384, 220.5);
  cairo_line_to(cr, 766, 220.5);
  setColor(cr, pal::gold, 0.4);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  setFont(cr, Face::Heading, 11);
  spacedText(cr, "MANAGER SKILLS", 575, 246, 2, pal::goldLit, 1);
  static const char* skills[5] = {"TRAINING", "SCOUTING", "MOTIVATION", "NEGOTIATION", "MEDIA"};
  for (int d = 0; d < 5; ++d) {
    double y = 270 + 32 * d;
    setFont(cr, Face::Heading, 11);
    label(skills[d], 382, y + 19);
    field(c, 468, y + 1, 206, 28);
    for (int i = 0; i < 7; ++i) {
      starPath(cr, 473 + 28 * i + 15, y + 15, 11, 0.45);
      setColor(cr, pal::gold, 0.16);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
    for (int pm = 0; pm < 2; ++pm)
      iconButton(c, 680 + 24 * pm, y + 5, 20, 20, pm ? Btn::Red : Btn::Dark, false,
                 [&](cairo_t* g, double cx, double cy, double s, bool) { plusMinusIcon(g, cx, cy, s, pm == 1, pal::goldLit); });
  }
  // Free points and cash.
  panel(c, 30, 450, 752, 36, 106, true, hex(0x1E2128));
  setFont(cr, Face::Heading, 12);
  label("FREE POINTS", 42, 473);
  field(c, 154, 458, 406, 22);
  field(c, 598, 458, 176, 22);
  static const char* bl[3] = {"BACK", "RESET", "START"};
  int bxs[3] = {40, 320, 600};
  for (int i = 0; i < 3; ++i) copyRect(c, c, bxs[i], 492, 160, 36, 170 * i, 600);
  for (int i = 0; i < 3; ++i) {
    Btn st = i == 2 ? Btn::Red : Btn::Dark;
    button(c, bxs[i], 492, 160, 36, bl[i], st, false, 14);
    button(c, 170 * i, 600, 160, 36, bl[i], i == 2 ? Btn::Red : Btn::Red, true, 14);
  }
  // Help band.
  cairo_rectangle(cr, 0, 531, 800, 69);
  vGradient(cr, 0, 531, 800, 69, hex(0x0E0F12), hex(0x08090B), 0.75);
  cairo_move_to(cr, 20, 531.5);
  cairo_line_to(cr, 780, 531.5);
  setColor(cr, pal::gold, 0.35);
  cairo_stroke(cr);
  // Scroll thumb of the nation list.
  cairo_rectangle(cr, 510, 600, 290, 40);
  setColor(cr, hex(0x101114));
  cairo_fill(cr);
  cairo_save(cr);
  roundRect(cr, 619, 600, 10, 8, 2);
  vGradient(cr, 619, 600, 10, 8, pal::goldLit, hex(0x8A6420));
  cairo_move_to(cr, 621, 603.5);
  cairo_line_to(cr, 627, 603.5);
  cairo_move_to(cr, 621, 605.5);
  cairo_line_to(cr, 627, 605.5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  dither(c, 0.012, 107);
  emit(c, "create.jpg");
  addPicture("create.jpg", 800, 640,
             "the new-manager screen: licence card, the form (name, age, boxers, nation, five "
             "manager skills with star tracks and - / + buttons), free points, cash and three "
             "buttons; hover images and the nation list's scroll thumb below the screen",
             "new-manager screen (screen 2), slot 5");
  for (int i = 0; i < 3; ++i)
    addRegion("create.jpg", string(bl[i]) + ", hover (layout GUI2 record " + std::to_string(i + 1) + ")",
              170 * i, 600, 160, 36, "at (" + std::to_string(bxs[i]) + ", 492)");
  addRegion("create.jpg", "nation list scroll thumb", 619, 600, 10, 8, "at (725, 207 + 4.4 p)");
  for (int d = 0; d < 5; ++d) {
    addRegion("create.jpg", string(skills[d]) + " minus (drawn in place)", 680, 275 + 32 * d, 20, 20,
              "click area of the skill's - button");
    addRegion("create.jpg", string(skills[d]) + " plus (drawn in place)", 704, 275 + 32 * d, 20, 20,
              "click area of the skill's + button");
  }
}

// ---- launcher.png ------------------------------------------------------------------------------------------------
void makeLauncher() {
  Canvas c(400, 340);
  cairo_t* cr = c.cr();
  arena(c, 0, 0, 400, 300, 200, 170, 111, 1.2);
  crowd(c, -10, 410, 120, 16, 112, 0.8);
  ringPerspective(c, 200, 128, 200, 230, 340, 113);
  beams(c, 200, 0, 0.35, 260, 0.08);
  vignette(c, 0.55);
  titleLogo(c, 200, 72, 46);
  setFont(cr, Face::Heading, 10);
  spacedText(cr, "BOXING MANAGER", 200, 94, 4, pal::white, 1);
  panel(c, 12, 154, 376, 142, 114, true, hex(0x1E2128));
  field(c, 24, 161, 352, 22);
  // Transparent below the visible area.
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr, 0, 300, 400, 40);
  cairo_fill(cr);
  cairo_restore(cr);
  dither(c, 0.01, 115);
  // Tick at (5, 305)-(26, 328).
  cairo_save(cr);
  cairo_move_to(cr, 8, 318);
  cairo_line_to(cr, 14, 325);
  cairo_line_to(cr, 24, 307);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
  cairo_set_line_width(cr, 5.5);
  cairo_stroke_preserve(cr);
  setColor(cr, pal::goldLit);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_restore(cr);
  // Check box (40, 310) 15 x 15 and start button (69, 304) 100 x 30: their transparent rims
  // carry a gold glow in their colour, which shows when the hover draws them opaque.
  cairo_save(cr);
  roundRect(cr, 41, 311, 13, 13, 2);
  vGradient(cr, 41, 311, 13, 13, hex(0x08090B), hex(0x22252C));
  roundRect(cr, 41.5, 311.5, 12, 12, 2);
  setColor(cr, pal::gold, 0.9);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  Canvas sb(100, 30);
  copyRect(sb, c, 149, 267, 100, 30, 0, 0);
  button(sb, 0, 0, 100, 30, "START", Btn::Red, false, 13);
  // Compose the start button's pixels by hand: body opaque, rim transparent with glow colour.
  Pixels body = toPixels(sb);
  Canvas lit(100, 30);
  copyRect(lit, c, 149, 267, 100, 30, 0, 0);
  button(lit, 0, 0, 100, 30, "START", Btn::Red, true, 13);
  Pixels hov = toPixels(lit);
  Pixels all = toPixels(c);
  auto put = [&](int x, int y, const uint8_t* px, uint8_t a) {
    uint8_t* o = &all.rgba[(static_cast<size_t>(y) * all.w + x) * 4];
    o[0] = px[0];
    o[1] = px[1];
    o[2] = px[2];
    o[3] = a;
  };
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) {
      bool inside = x >= 3 && x < 97 && y >= 3 && y < 27;
      const uint8_t* p = inside ? &body.rgba[(y * 100 + x) * 4] : &hov.rgba[(y * 100 + x) * 4];
      put(69 + x, 304 + y, p, inside ? 255 : 0);
    }
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      bool rim = x == 0 || y == 0 || x == 14 || y == 14;
      if (!rim) continue;
      uint8_t g[3] = {0xF2, 0xCE, 0x6B};
      put(40 + x, 310 + y, g, 0);
    }
  std::string path = opt.gfxDir + "/launcher.png";
  writePng(all, path);
  made.push_back(Made{"launcher.png", all});
  addPicture("launcher.png", 400, 340,
             "the launcher: title over a lit ring and the options panel; below the visible 400 x "
             "300 the check box, the tick and the start button (their transparent rims hold a "
             "gold glow that shows when the hover draws them opaque)",
             "launcher (screen 4), slot 0");
  addRegion("launcher.png", "check box", 40, 310, 15, 15, "at (30, 194) and (205, 194)");
  addRegion("launcher.png", "tick", 5, 305, 21, 23, "at (28, 186) and (203, 186)");
  addRegion("launcher.png", "start button", 69, 304, 100, 30, "at (149, 267): alpha 0.7, opaque when hovered");
}

// ---- pop-ups and frames ---------------------------------------------------------------------------------------
void makeCalendar() {
  Canvas c(256, 256);
  cairo_t* cr = c.cr();
  arena(c, 0, 0, 256, 256, 128, 60, 121);
  panel(c, 2, 2, 252, 252, 122, false);
  // Desk calendar: binder rings, red header, page with a date grid and one day circled.
  double x = 64, y = 22, w = 128, h = 92;
  softShadow(c, x, y + 4, w, h, 4, 3, 0.7);
  cairo_save(cr);
  roundRect(cr, x, y, w, h, 4);
  vGradient(cr, x, y, w, h, pal::white, hex(0xCFC4AC));
  cairo_rectangle(cr, x, y, w, 24);
  vGradient(cr, x, y, w, 24, pal::redLit, pal::red);
  cairo_restore(cr);
  weave(c, static_cast<int>(x), static_cast<int>(y + 24), static_cast<int>(w), static_cast<int>(h - 24), 0.04, 123);
  for (int i = 0; i < 4; ++i) {
    double rx = x + 22 + i * 28;
    roundRect(cr, rx - 3, y - 8, 6, 16, 3);
    cairo_pattern_t* p = cairo_pattern_create_linear(rx - 3, 0, rx + 3, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.5, 0.38, 0.12);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 1, 0.9, 0.55);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.45, 0.33, 0.1);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 7; ++k) {
      cairo_rectangle(cr, x + 10 + k * 16, y + 32 + r * 14, 11, 9);
      setColor(cr, hex(0x3A2E22), 0.35);
      cairo_fill(cr);
    }
  cairo_arc(cr, x + 15.5 + 4 * 16, y + 36.5 + 2 * 14, 9, 0, 2 * M_PI);
  setColor(cr, pal::redLit);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  glove(cr, 42, 96, 40, -0.4, pal::redLit, pal::white);
  glove(cr, 214, 100, 40, 0.4, pal::blueLit, pal::white);
  // Text area (run-time lines from y 133 on).
  field(c, 10, 124, 236, 122);
  dither(c, 0.012, 124);
  emit(c, "CALENDAR.jpg");
  addPicture("CALENDAR.jpg", 256, 256, "the monthly message pop-up: a desk calendar over a dark text area",
             "every screen after a month advance, at (272, 172)");
  addRegion("CALENDAR.jpg", "whole picture", 0, 0, 256, 256, "at (272, 172); text lines from y 305 to 408");
}

void makeTutorial() {
  // Tall enough for the longest step's text (it ends near y 460 on the screen), short enough
  // to leave the status line and the help lines under it readable.
  constexpr int kH = 262;
  Canvas c(256, kH);
  cairo_t* cr = c.cr();
  vGradient(cr, 0, 0, 256, kH, hex(0x0E0F12), hex(0x0E0F12));
  cairo_save(cr);
  roundRect(cr, 1, 1, 254, kH - 2, 8);
  cairo_clip(cr);
  vGradient(cr, 0, 0, 256, kH, hex(0xF4ECD9), hex(0xDCCFB2));
  cairo_restore(cr);
  weave(c, 2, 2, 252, kH - 4, 0.05, 131);
  cairo_save(cr);
  spotlight(cr, 128, kH / 2 + 20, 200, kH * 2 / 3, hex(0xFFFFFF), 0.12);
  // Gold title ribbon (the title is drawn over it in black).
  cairo_rectangle(cr, 8, 12, 240, 26);
  vGradient(cr, 8, 12, 240, 26, pal::goldLit, hex(0xB8892C));
  cairo_move_to(cr, 8, 38.5);
  cairo_line_to(cr, 248, 38.5);
  setColor(cr, hex(0x5A3E10), 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Whistle medallion at the left of the title.
  gem(cr, 30, 25, 17, pal::red);
  cairo_arc(cr, 30, 25, 17, 0, 2 * M_PI);
  setColor(cr, hex(0x5A3E10));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  setFont(cr, Face::Heading, 20);
  shadowText(cr, "?", 30, 32, pal::white, 1);
  // Border.
  roundRect(cr, 2, 2, 252, kH - 4, 7);
  setColor(cr, hex(0x8A6420));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  roundRect(cr, 6.5, 6.5, 243, kH - 13, 5);
  setColor(cr, hex(0x8A6420), 0.45);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  vignette(c, 0.12);
  emit(c, "tutorial.jpg");
  addPicture("tutorial.jpg", 256, kH, "the tutorial panel: light canvas with a gold title ribbon, for black text",
             "tutorial, at (470, 235) or (70, 235)");
  addRegion("tutorial.jpg", "whole picture", 0, 0, 256, kH, "at (470, 235); steps 4 and 5 at (70, 235)");
}

void makeWindows() {
  for (int n = 1; n <= 3; ++n) {
    Canvas c(256, 256);
    cairo_t* cr = c.cr();
    RGB fillTop = n == 1 ? hex(0x8C8F96) : n == 2 ? hex(0x2C3039) : hex(0x5A1614);
    RGB fillBot = n == 1 ? hex(0x70737A) : n == 2 ? hex(0x1E2128) : hex(0x3A0D0C);
    RGB rim = n == 1 ? hex(0xF0F0F0) : pal::gold;
    cairo_save(cr);
    roundRect(cr, 0.5, 0.5, 255, 255, 8);
    cairo_clip(cr);
    // The inside must tile: flat colour with the light kept near the edges.
    setColor(cr, mix(fillTop, fillBot, 0.5));
    cairo_paint(cr);
    cairo_restore(cr);
    grain(c, 0, 0, 256, 256, 0.03, 2.5, 140 + n, 1);
    cairo_save(cr);
    for (int i = 0; i < 6; ++i) {
      roundRect(cr, 1 + i, 1 + i, 254 - 2 * i, 254 - 2 * i, 8);
      setColor(cr, fillTop, 0.06);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
    roundRect(cr, 1, 1, 254, 254, 8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundRect(cr, 3, 3, 250, 250, 7);
    setColor(cr, rim, n == 1 ? 0.95 : 0.85);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundRect(cr, 5.5, 5.5, 245, 245, 5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    string name = "window" + std::to_string(n) + ".png";
    emit(c, name);
    addPicture(name, 256, 256,
               n == 1 ? "nine-piece frame, light steel (tinted red and blue by the fight screen)"
               : n == 2 ? "nine-piece frame, dark leather with gold trim"
                        : "nine-piece frame, red leather with gold trim",
               n == 1 ? "fight screen statistics boxes (slot 25)" : "message windows and notes (slots 26, 27)");
    addRegion(name, "nine pieces: corners from the four corners, edges and inside next to them", 0, 0, 256, 256,
              "boxes of any size; the border lies within 7 pixels of each edge");
  }
}

// ---- pointers, icons, logos ------------------------------------------------------------------------------------
void arrowPath(cairo_t* cr) {
  cairo_move_to(cr, 1, 1);
  cairo_line_to(cr, 1, 22);
  cairo_line_to(cr, 6.5, 17);
  cairo_line_to(cr, 10.5, 26);
  cairo_line_to(cr, 14.5, 24.2);
  cairo_line_to(cr, 10.5, 15.5);
  cairo_line_to(cr, 17.5, 15.5);
  cairo_close_path(cr);
}

void makePointers() {
  {
    Canvas c(32, 32);
    cairo_t* cr = c.cr();
    arrowPath(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 14, 24);
    cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.95, 0.75);
    cairo_pattern_add_color_stop_rgb(p, 0.5, pal::goldLit.r, pal::goldLit.g, pal::goldLit.b);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.62, 0.44, 0.12);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 0.08, 0.04, 0, 1);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
    emit(c, "pointer.tga");
  }
  {
    Canvas c(32, 32);
    glove(c.cr(), 15, 15, 23, -0.78, pal::redLit, pal::white);
    emit(c, "Pointer2.tga");
  }
  {
    Canvas c(32, 32);
    cairo_t* cr = c.cr();
    cairo_translate(cr, 1, 1);
    arrowPath(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
    cairo_fill(cr);
    blur(c, 1);
    emit(c, "Pointer_s.tga");
  }
  addPicture("pointer.tga", 32, 32, "the arrow pointer, gold with a dark rim, tip at (1, 1)", "every screen");
  addRegion("pointer.tga", "pointer", 0, 0, 32, 32, "at the mouse position");
  addPicture("Pointer2.tga", 32, 32, "the hand pointer: a red glove punching up-left", "every screen, over a hotspot");
  addRegion("Pointer2.tga", "pointer", 0, 0, 32, 32, "at the mouse position");
  addPicture("Pointer_s.tga", 32, 32, "the pointer's soft shadow", "every screen");
  addRegion("Pointer_s.tga", "shadow", 0, 0, 32, 32, "at the mouse position + (2, 2), alpha 0.5");
}

void makeIcons() {
  {
    Canvas c(30, 30);
    goldStar(c.cr(), 15, 15.5, 13.5);
    emit(c, "STAR.tga");
    addPicture("STAR.tga", 30, 30, "a gold star; its thirds are 10 pixels wide", "new-manager screen (skill stars)");
    addRegion("STAR.tga", "star", 0, 0, 30, 30, "at (473 + 28 i, y); thirds are its left 10 or 20 columns");
  }
  {
    Canvas c(64, 64);
    cairo_t* cr = c.cr();
    gem(cr, 7.5, 7.5, 6.5, pal::gold);
    cairo_arc(cr, 5.8, 5.6, 1.8, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    cairo_fill(cr);
    goldStar(cr, 48, 8, 7.2);
    // Up arrow (green) and down arrow (red), rows 16..38.
    auto arrow = [&](double x, double w, bool up, RGB col) {
      double cx = x + w / 2;
      cairo_new_path(cr);
      if (up) {
        cairo_move_to(cr, cx, 17);
        cairo_line_to(cr, x + w - 1, 28);
        cairo_line_to(cr, cx + 3.5, 28);
        cairo_line_to(cr, cx + 3.5, 38);
        cairo_line_to(cr, cx - 3.5, 38);
        cairo_line_to(cr, cx - 3.5, 28);
        cairo_line_to(cr, x + 1, 28);
      } else {
        cairo_move_to(cr, cx, 38);
        cairo_line_to(cr, x + w - 1, 27);
        cairo_line_to(cr, cx + 3.5, 27);
        cairo_line_to(cr, cx + 3.5, 17);
        cairo_line_to(cr, cx - 3.5, 17);
        cairo_line_to(cr, cx - 3.5, 27);
        cairo_line_to(cr, x + 1, 27);
      }
      cairo_close_path(cr);
      cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + w, 0);
      RGB hi = mix(col, hex(0xFFFFFF), 0.4), lo = scale(col, 0.6);
      cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
      cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
      cairo_set_source(cr, p);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(p);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    };
    arrow(0, 18, true, pal::good);
    arrow(18, 20, false, pal::bad);
    emit(c, "SKILLPOINT.png");
    addPicture("SKILLPOINT.png", 64, 64, "the skill point (a gold pip), the rank arrows up and down, and a small star",
               "new-manager screen, profile panel, rankings, month and boxer screens");
    addRegion("SKILLPOINT.png", "skill point", 0, 0, 16, 16, "new manager (160 + 20 i, 463); profile panel (337 + 12 d, row)");
    addRegion("SKILLPOINT.png", "rank improved arrow", 0, 15, 18, 24, "rankings (465, 121 + 17 r), zoom 1.2 - u / 2");
    addRegion("SKILLPOINT.png", "rank worsened arrow", 18, 15, 20, 24, "rankings (465, 121 + 17 r), zoom 1.2 - u / 2");
    addRegion("SKILLPOINT.png", "small star (16 x 16)", 40, 0, 16, 16, "boxer screen, condition tab (fitness, morale)");
  }
  {
    Canvas c(56, 56);
    cairo_t* cr = c.cr();
    spotlight(cr, 28, 26, 27, 27, hex(0xFFC870), 0.6);
    cairo_arc(cr, 28, 26, 17, 0, 2 * M_PI);
    cairo_pattern_t* p = cairo_pattern_create_radial(23, 20, 1, 28, 26, 18);
    cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.97, 0.85);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.95, 0.72, 0.3);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.45, 0.22, 0.05);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 0.15, 0.07, 0, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    setFont(cr, Face::Heading, 22);
    shadowText(cr, "L", 28, 34, hex(0x2A1404), 1);
    setFont(cr, Face::Heading, 9);
    spacedText(cr, "LUMORA", 28, 53, 0.8, pal::goldLit, 1);
    emit(c, "Lumora.tga");
    addPicture("Lumora.tga", 56, 56, "the engine's logo: a warm light orb with its letter and name", "main menu");
    addRegion("Lumora.tga", "logo", 0, 0, 56, 56, "main menu at (735, 10)");
  }
  {
    Canvas c(400, 200);
    cairo_t* cr = c.cr();
    setColor(cr, hex(0x000000));
    cairo_paint(cr);
    spotlight(cr, 200, 90, 200, 110, hex(0x6A3A14), 0.5);
    // Horn emblem: a curved horn in gold on a ring.
    cairo_arc(cr, 200, 78, 44, 0, 2 * M_PI);
    setColor(cr, pal::gold);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_arc(cr, 200, 78, 38, 0, 2 * M_PI);
    setColor(cr, pal::gold, 0.4);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 172, 96);
    cairo_curve_to(cr, 176, 60, 206, 48, 232, 56);
    cairo_line_to(cr, 234, 74);
    cairo_curve_to(cr, 212, 70, 194, 80, 188, 100);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(170, 50, 235, 100);
    cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.93, 0.65);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.6, 0.42, 0.12);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_arc(cr, 180, 98, 8, 0, 2 * M_PI);
    setColor(cr, pal::goldLit);
    cairo_fill(cr);
    goldText(cr, "HALVORN", 200, 160, 34, 1, true);
    setFont(cr, Face::Regular, 11);
    spacedText(cr, "INTERACTIVE", 200, 182, 5, scale(pal::white, 0.8), 1);
    dither(c, 0.01, 151);
    emit(c, "hvlogo.jpg");
    addPicture("hvlogo.jpg", 400, 200, "the studio logo on black", "loading screen");
    addRegion("hvlogo.jpg", "logo", 0, 0, 400, 200, "loading screen at (200, 150)");
  }
}

// ---- options screen: OPTIONS.png ---------------------------------------------------------------
// The background (arena, the panel with its rows, the band for the help lines) and, below the
// screen, the images the screen draws over it with their alpha: the choice buttons in two widths
// (normal, hovered, chosen, chosen and hovered), the volume steppers, the bar, its fill and its
// knob, and the BACK button. Every caption is drawn at run time from the text table.
constexpr int kRowTop = 112, kRowStep = 46, kRows = 8;

void clearRect(Canvas& c, int x, int y, int w, int h) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_restore(cr);
}

void bar(Canvas& c, double x, double y, double w, double h, bool fill) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  roundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, h / 2 - 1);
  if (fill) {
    vGradient(cr, x, y, w, h, pal::goldLit, hex(0x9C7424));
  } else {
    vGradient(cr, x, y, w, h, hex(0x07080A), hex(0x1B1E24));
  }
  roundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, h / 2 - 1);
  cairo_set_line_width(cr, 1);
  if (fill) setColor(cr, hex(0x5A4010), 0.9);
  else setColor(cr, pal::gold, 0.45);
  cairo_stroke(cr);
  if (fill) {  // a gloss along the top
    cairo_move_to(cr, x + h / 2, y + 2.5);
    cairo_line_to(cr, x + w - h / 2, y + 2.5);
    setColor(cr, hex(0xFFF3C4), 0.5);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void knob(Canvas& c, double x, double y, double w, double h, bool lit) {
  cairo_t* cr = c.cr();
  if (lit) glow(c, [&](cairo_t* g) { roundRect(g, x + 1, y + 1, w - 2, h - 2, 3); }, pal::goldLit, 0.8, 2);
  cairo_save(cr);
  roundRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 3);
  vGradient(cr, x, y, w, h, lit ? hex(0xE0483A) : pal::redLit, lit ? hex(0xA32420) : pal::red);
  roundRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 3);
  setColor(cr, lit ? pal::goldLit : pal::gold);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int i = -1; i <= 1; ++i) {  // grip lines
    cairo_move_to(cr, x + 3.5, y + h / 2 + 3 * i + 0.5);
    cairo_line_to(cr, x + w - 3.5, y + h / 2 + 3 * i + 0.5);
  }
  setColor(cr, hex(0x2A0808), 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void chips(Canvas& c, int y, int w) {
  // Normal, hovered, chosen, chosen and hovered.
  button(c, 0, y, w, 26, "", Btn::Dark, false);
  button(c, w, y, w, 26, "", Btn::Dark, true);
  button(c, 2 * w, y, w, 26, "", Btn::Red, false);
  button(c, 3 * w, y, w, 26, "", Btn::Red, true);
}

void makeOptions() {
  Canvas c(800, 720);
  cairo_t* cr = c.cr();
  arena(c, 0, 0, 800, 600, 400, 300, 301, 1.0);
  beams(c, 400, 0, 0.30, 520, 0.05);
  spotlight(cr, 400, 280, 360, 260, hex(0xFFD9A0), 0.06);
  vignette(c, 0.6);
  panel(c, 90, 56, 620, 474, 302, true, hex(0x1C1F26));
  // The title's place, between two gold rules.
  cairo_save(cr);
  cairo_set_line_width(cr, 1);
  for (int side = 0; side < 2; ++side) {
    const double x0 = side ? 480 : 130, x1 = side ? 670 : 320;
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, pal::gold.r, pal::gold.g, pal::gold.b, side ? 0.8 : 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1, pal::gold.r, pal::gold.g, pal::gold.b, side ? 0.0 : 0.8);
    cairo_set_source(cr, p);
    cairo_move_to(cr, x0, 80.5);
    cairo_line_to(cr, x1, 80.5);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
  }
  starPath(cr, 400, 96, 5, 2.2);
  setColor(cr, pal::gold, 0.8);
  cairo_fill(cr);
  // The rows: a dark field behind each label, faint rules between the rows.
  for (int r = 0; r < kRows; ++r) {
    const int top = kRowTop + kRowStep * r;
    field(c, 112, top, 178, 26);
    if (r > 0) {
      cairo_move_to(cr, 112, top - 10.5);
      cairo_line_to(cr, 688, top - 10.5);
      setColor(cr, pal::gold, 0.16);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
  }
  // The help band at the bottom, as on the main menu.
  cairo_rectangle(cr, 0, 536, 800, 64);
  vGradient(cr, 0, 536, 800, 64, hex(0x060708), hex(0x0B0C0E), 0.85);
  cairo_move_to(cr, 0, 536.5);
  cairo_line_to(cr, 800, 536.5);
  setColor(cr, pal::gold, 0.4);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  dither(c, 0.01, 303);

  // Below the screen: the images, on a transparent ground.
  clearRect(c, 0, 600, 800, 120);
  chips(c, 600, 90);
  chips(c, 630, 120);
  iconButton(c, 480, 630, 24, 24, Btn::Dark, false,
             [](cairo_t* k, double cx, double cy, double, bool) { plusMinusIcon(k, cx, cy, 10, false, pal::goldLit); });
  iconButton(c, 504, 630, 24, 24, Btn::Dark, true,
             [](cairo_t* k, double cx, double cy, double, bool) { plusMinusIcon(k, cx, cy, 10, false, pal::white); });
  iconButton(c, 528, 630, 24, 24, Btn::Dark, false,
             [](cairo_t* k, double cx, double cy, double, bool) { plusMinusIcon(k, cx, cy, 10, true, pal::goldLit); });
  iconButton(c, 552, 630, 24, 24, Btn::Dark, true,
             [](cairo_t* k, double cx, double cy, double, bool) { plusMinusIcon(k, cx, cy, 10, true, pal::white); });
  bar(c, 0, 660, 240, 14, false);
  bar(c, 240, 660, 240, 14, true);
  knob(c, 480, 656, 12, 22, false);
  knob(c, 492, 656, 12, 22, true);
  button(c, 0, 684, 160, 34, "", Btn::Red, false);
  button(c, 160, 684, 160, 34, "", Btn::Red, true);

  Pixels px = toPixels(c);
  writePng(px, opt.gfxDir + "/OPTIONS.png");
  made.push_back(Made{"OPTIONS.png", px});
  addPicture("OPTIONS.png", 800, 720,
             "the options screen: the panel with its eight rows and the help band; below the screen, on a "
             "transparent ground, the choice buttons, the volume steppers, bar and knob and the BACK button "
             "(captions come from the text table)",
             "options screen (screen 13), slot 50");
  addRegion("OPTIONS.png", "background", 0, 0, 800, 600, "at (0, 0)");
  static const char* const states[4] = {"normal", "hovered", "chosen", "chosen, hovered"};
  for (int i = 0; i < 4; ++i) {
    addRegion("OPTIONS.png", std::string("small choice, ") + states[i], 90 * i, 600, 90, 26,
              "language and window size rows, at (300 + 96 i, row top)");
    addRegion("OPTIONS.png", std::string("large choice, ") + states[i], 120 * i, 630, 120, 26,
              "display, scaling, tutorial, renderer rows, at (300 + 130 i, row top)");
  }
  addRegion("OPTIONS.png", "minus, normal and hovered", 480, 630, 48, 24, "at (300, row top + 1)");
  addRegion("OPTIONS.png", "plus, normal and hovered", 528, 630, 48, 24, "at (580, row top + 1)");
  addRegion("OPTIONS.png", "volume bar", 0, 660, 240, 14, "at (332, row top + 6)");
  addRegion("OPTIONS.png", "volume bar fill (cut to the level)", 240, 660, 240, 14, "over the bar");
  addRegion("OPTIONS.png", "knob, normal and hovered", 480, 656, 24, 22, "at the level, row top + 2");
  addRegion("OPTIONS.png", "BACK, normal and hovered", 0, 684, 320, 34, "at (320, 482)");
}

}  // namespace

void makeShell() {
  makeFrame();
  makePanels();
  makeMenu();
  makeRanks();
  makeFinances();
  makeLoadSave();
  makeMainMenu();
  makeOptions();
  makeCreate();
  makeLauncher();
  makeCalendar();
  makeTutorial();
  makeWindows();
  makePointers();
  makeIcons();
}

// Shared with the fight pictures: the career base for the portrait stage masks.
const Canvas& careerBaseCanvas() { return *careerBase; }
const Canvas& frameCanvas() { return *frame; }

}  // namespace art
