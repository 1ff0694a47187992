// The pictures of the fight screens and the career's big moments: the ring seen from above
// (ringback.jpg), the corner screen (FIGHT.jpg), the text-mode list frame (text-only.png), the
// portrait stage of the boxer screen (STARLET.jpg), the result pictures and the four
// random-event pictures. The fight figure sheets (BOXERS.png, DOWN.png) are rendered from the
// boxer model by tools/boxerart.
#include <cmath>
#include <string>

#include "artgen.h"

namespace art {

const Canvas& careerBaseCanvas();
const Canvas& frameCanvas();

namespace {

using std::string;

void darkArena(Canvas& c, int x, int y, int w, int h, uint32_t seed) {
  vGradient(c.cr(), x, y, w, h, pal::arena1, pal::arena0);
  grain(c, x, y, w, h, 0.06, 80, seed, 3);
  grain(c, x, y, w, h, 0.03, 2.0, seed + 1, 1);
}

void topCrowd(Canvas& c, int x, int y, int w, int h, uint32_t seed) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  for (int j = 0; j < h / 14 + 1; ++j)
    for (int i = 0; i < w / 14 + 1; ++i) {
      double px = x + i * 14 + 7 + (hash2(i, j, seed) - 0.5) * 6, py = y + j * 14 + 7 + (hash2(j, i, seed) - 0.5) * 6;
      double r = 4.5 + hash2(i, j, seed + 1) * 1.5;
      RGB shirt = mix(hex(0x101216), hex(0x22201E), hash2(i, j, seed + 2));
      cairo_arc(cr, px, py + 2, r + 2, 0, 2 * M_PI);
      setColor(cr, shirt);
      cairo_fill(cr);
      cairo_arc(cr, px, py, r * 0.75, 0, 2 * M_PI);
      setColor(cr, mix(hex(0x0A0807), hex(0x1E1610), hash2(i, j, seed + 3)));
      cairo_fill(cr);
      if (hash2(i, j, seed + 4) > 0.996) spotlight(cr, px, py, 8, 8, hex(0xFFF4E0), 0.6);
    }
  cairo_restore(cr);
}

void makeRing() {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  darkArena(c, 0, 0, 800, 600, 201);
  topCrowd(c, 380, 0, 120, 500, 202);
  topCrowd(c, 0, 380, 380, 120, 203);
  cairo_rectangle(cr, 372, 0, 8, 380);
  cairo_rectangle(cr, 0, 372, 380, 8);
  setColor(cr, hex(0x0A0B0D));
  cairo_fill(cr);
  // Apron and canvas.
  cairo_rectangle(cr, 0, 0, 372, 372);
  setColor(cr, hex(0x3A0E0C));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, 366, 366);
  cairo_pattern_t* p = cairo_pattern_create_radial(185, 185, 20, 185, 185, 260);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.30, 0.48, 0.66);
  cairo_pattern_add_color_stop_rgb(p, 0.55, pal::canvasLit.r, pal::canvasLit.g, pal::canvasLit.b);
  cairo_pattern_add_color_stop_rgb(p, 1, pal::canvasEdge.r * 0.7, pal::canvasEdge.g * 0.7, pal::canvasEdge.b * 0.7);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  weave(c, 0, 0, 366, 366, 0.06, 204);
  // Centre logo.
  cairo_arc(cr, 185, 185, 62, 0, 2 * M_PI);
  setColor(cr, pal::gold, 0.22);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  setFont(cr, Face::Heading, 22);
  text(cr, "BRAWNMOOR", 185, 193, pal::white, 1, 0.13);
  // Ropes: three strands on each side, posts and corner pads.
  RGB ropeCol[3] = {pal::redLit, pal::white, pal::blueLit};
  for (int k = 0; k < 3; ++k) {
    double o = 6 + k * 3.2;
    cairo_rectangle(cr, o, o, 366 - 2 * o, 366 - 2 * o);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, 3.4);
    cairo_stroke(cr);
    cairo_rectangle(cr, o, o, 366 - 2 * o, 366 - 2 * o);
    setColor(cr, ropeCol[k], 0.92);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
  }
  double corners[4][2] = {{10, 10}, {356, 10}, {356, 356}, {10, 356}};
  RGB pads[4] = {pal::red, hex(0xD8D0C0), pal::blue, hex(0xD8D0C0)};
  for (int i = 0; i < 4; ++i) {
    roundRect(cr, corners[i][0] - 10, corners[i][1] - 10, 20, 20, 4);
    setColor(cr, pads[i]);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    gem(cr, corners[i][0], corners[i][1], 4, hex(0xBFC3C9));
  }
  spotlight(cr, 185, 185, 240, 240, hex(0xFFF2D8), 0.12);
  // The statistics side: dark leather with a divider, round clock plate and score plates.
  panel(c, 500, 0, 300, 600, 205, false, hex(0x1A1C22));
  cairo_move_to(cr, 651.5, 8);
  cairo_line_to(cr, 651.5, 126);
  setColor(cr, pal::gold, 0.35);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  for (int side = 0; side < 2; ++side) {
    double x0 = 504 + 150 * side;
    field(c, x0, 6, 143, 88);
    // Row marks: miss (swoosh), hit (star burst), knockdown (falling figure).
    double ix = x0 + 12;
    cairo_arc(cr, ix, 23, 6, M_PI * 0.2, M_PI * 1.3);
    setColor(cr, pal::even);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    starPath(cr, ix, 53, 7, 0.45);
    setColor(cr, side ? pal::blueLit : pal::redLit);
    cairo_fill(cr);
    cairo_move_to(cr, ix - 7, 86);
    cairo_line_to(cr, ix + 7, 86);
    cairo_move_to(cr, ix - 2, 86);
    cairo_line_to(cr, ix + 4, 76);
    setColor(cr, pal::goldLit);
    cairo_stroke(cr);
    cairo_arc(cr, ix + 5, 74, 2.5, 0, 2 * M_PI);
    cairo_fill(cr);
    field(c, x0, 102, 143, 24);
    cairo_rectangle(cr, x0 + 2, 103, 139, 3);
    setColor(cr, side ? pal::blue : pal::red, 0.9);
    cairo_fill(cr);
  }
  field(c, 504, 130, 293, 30);
  // Stopwatch.
  cairo_arc(cr, 527, 145, 10, 0, 2 * M_PI);
  setColor(cr, pal::goldLit);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, 527, 145);
  cairo_line_to(cr, 527, 138);
  cairo_move_to(cr, 524, 133);
  cairo_line_to(cr, 530, 133);
  cairo_stroke(cr);
  // Caption band at the bottom.
  panel(c, 0, 500, 500, 100, 206, false, hex(0x16181D));
  field(c, 96, 512, 400, 76);
  dither(c, 0.012, 207);
  emit(c, "ringback.jpg");
  addPicture("ringback.jpg", 800, 600,
             "the fight screen's background: the ring from above (the floor of the simulation, "
             "25..345 in both axes, is the screen's pixels), ringside crowd, the statistics side "
             "(score plates with miss / hit / knockdown marks, name plates, clock plate) and the "
             "caption band",
             "fight screen (screen 9), slot 7");
  addRegion("ringback.jpg", "ring (ropes at 6..360)", 0, 0, 372, 372, "under the figures, at (0, 0)");
  addRegion("ringback.jpg", "statistics side", 500, 0, 300, 600, "boxes drawn over it at x 504 and 654");
  addRegion("ringback.jpg", "caption band", 0, 500, 500, 100, "captions centred in x 100..500, y 520..560");
}

void makeCorner() {
  Canvas c(800, 700);
  cairo_t* cr = c.cr();
  darkArena(c, 0, 0, 800, 700, 211);
  cairo_t* g = cr;
  // The corner: a red post, three ropes running off, a stool, a towel, in a warm spot.
  spotlight(g, 400, 160, 260, 200, hex(0x7A4A22), 0.55);
  cairo_save(g);
  cairo_rectangle(g, 205, 0, 390, 420);
  cairo_clip(g);
  cairo_rectangle(g, 386, 20, 28, 300);
  cairo_pattern_t* p = cairo_pattern_create_linear(386, 0, 414, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.25, 0.25, 0.27);
  cairo_pattern_add_color_stop_rgb(p, 0.45, 0.8, 0.78, 0.72);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.2, 0.2, 0.22);
  cairo_set_source(g, p);
  cairo_fill(g);
  cairo_pattern_destroy(p);
  roundRect(g, 378, 40, 44, 210, 8);
  vGradient(g, 378, 40, 44, 210, pal::redLit, hex(0x4A0C0C));
  RGB ropeCol[3] = {pal::redLit, pal::white, pal::blueLit};
  for (int k = 0; k < 3; ++k) {
    double y = 70 + k * 70;
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(g, 400, y);
      cairo_line_to(g, 400 + side * 260, y + 120);
      cairo_set_source_rgba(g, 0, 0, 0, 0.5);
      cairo_set_line_width(g, 9);
      cairo_stroke(g);
      cairo_move_to(g, 400, y - 1);
      cairo_line_to(g, 400 + side * 260, y + 119);
      setColor(g, ropeCol[k]);
      cairo_set_line_width(g, 6);
      cairo_stroke(g);
    }
  }
  // Towel over the middle rope.
  cairo_move_to(g, 430, 150);
  cairo_curve_to(g, 450, 150, 470, 160, 478, 168);
  cairo_line_to(g, 470, 240);
  cairo_line_to(g, 436, 232);
  cairo_close_path(g);
  setColor(g, pal::white, 0.9);
  cairo_fill(g);
  // Stool.
  cairo_save(g);
  cairo_translate(g, 330, 300);
  cairo_scale(g, 1, 0.35);
  cairo_arc(g, 0, 0, 34, 0, 2 * M_PI);
  cairo_restore(g);
  setColor(g, hex(0x3A2418));
  cairo_fill(g);
  for (int l = -1; l <= 1; l += 2) {
    cairo_move_to(g, 330 + l * 24, 304);
    cairo_line_to(g, 330 + l * 30, 372);
  }
  cairo_move_to(g, 330, 310);
  cairo_line_to(g, 330, 376);
  setColor(g, hex(0x2A1A12));
  cairo_set_line_width(g, 5);
  cairo_stroke(g);
  cairo_restore(g);
  weave(c, 205, 0, 390, 420, 0.03, 212);
  vignette(c, 0.45);
  // Left column: four injury areas with a healthy body drawing each and a meter track.
  static const char* parts[4] = {"HEAD", "FACE", "RIBS", "STOMACH"};
  for (int i = 0; i < 4; ++i) {
    double y = 14 + 130 * i;
    panel(c, 36, y, 162, 126, 213 + i, true, hex(0x1E2128));
    field(c, 42, y + 7, 150, 101);
    double cx = 117, cy = y + 57;
    RGB line = hex(0x6F8FAF);
    cairo_set_line_width(g, 2);
    setColor(g, line, 0.8);
    switch (i) {
      case 0:
        cairo_arc(g, cx, cy - 6, 26, 0, 2 * M_PI);
        cairo_stroke(g);
        cairo_move_to(g, cx - 10, cy + 20);
        cairo_line_to(g, cx - 12, cy + 42);
        cairo_move_to(g, cx + 10, cy + 20);
        cairo_line_to(g, cx + 12, cy + 42);
        cairo_stroke(g);
        break;
      case 1:
        cairo_save(g);
        cairo_translate(g, cx, cy);
        cairo_scale(g, 0.78, 1.0);
        cairo_arc(g, 0, 0, 36, 0, 2 * M_PI);
        cairo_restore(g);
        cairo_stroke(g);
        for (int s = -1; s <= 1; s += 2) {
          cairo_arc(g, cx + s * 11, cy - 8, 4, 0, 2 * M_PI);
          cairo_stroke(g);
        }
        cairo_move_to(g, cx - 10, cy + 16);
        cairo_curve_to(g, cx - 4, cy + 20, cx + 4, cy + 20, cx + 10, cy + 16);
        cairo_stroke(g);
        break;
      default:
        cairo_move_to(g, cx - 40, cy - 40);
        cairo_curve_to(g, cx - 30, cy - 46, cx + 30, cy - 46, cx + 40, cy - 40);
        cairo_line_to(g, cx + 30, cy + 40);
        cairo_line_to(g, cx - 30, cy + 40);
        cairo_close_path(g);
        cairo_stroke(g);
        if (i == 2) {
          for (int r = 0; r < 3; ++r)
            for (int s = -1; s <= 1; s += 2) {
              cairo_move_to(g, cx + s * 6, cy - 22 + r * 12);
              cairo_curve_to(g, cx + s * 18, cy - 26 + r * 12, cx + s * 28, cy - 18 + r * 12, cx + s * 30, cy - 10 + r * 12);
            }
          cairo_stroke(g);
        } else {
          cairo_arc(g, cx, cy + 14, 16, 0, 2 * M_PI);
          cairo_stroke(g);
          cairo_arc(g, cx, cy + 14, 2.5, 0, 2 * M_PI);
          cairo_fill(g);
        }
    }
    setFont(g, Face::Heading, 10);
    spacedText(g, parts[i], 48, y + 104, 1, pal::gold, 0);
    field(c, 42, y + 110, 152, 10);
  }
  // Right column: condition box and the three order plates.
  panel(c, 596, 18, 164, 116, 221, true, hex(0x1E2128));
  field(c, 606, 67, 146, 20);
  field(c, 606, 97, 146, 20);
  static const char* orders[3] = {"TARGET", "STYLE", "CORNER"};
  auto orderPlate = [&](Canvas& dst, double x, double y, int k, bool hover) {
    iconButton(dst, x, y, 160, 48, hover ? Btn::Red : Btn::Dark, hover, [&](cairo_t* q, double cx, double, double, bool hv) {
      setFont(q, Face::Heading, 10);
      spacedText(q, orders[k], cx, y + 14, 1.5, hv ? hex(0xFFF0C0) : pal::gold, 1);
      roundRect(q, x + 10, y + 23, 140, 20, 3);
      cairo_set_source_rgba(q, 0, 0, 0, 0.45);
      cairo_fill(q);
    });
  };
  for (int k = 0; k < 3; ++k) {
    double y = 230 + 133 * k;
    panel(c, 594, y - 9, 168, 58, 222 + k, true, hex(0x1A1C22));
    copyRect(c, c, 598, y - 4, 160, 48, 162 * k, 600);
    orderPlate(c, 598, y - 4, k, false);
  }
  for (int k = 0; k < 3; ++k) {
    double y = 230 + 133 * k;
    (void)y;
    orderPlate(c, 162 * k, 600, k, true);
  }
  // Centre: the two start buttons, the round-number frame and the scorecard area.
  static const char* starts[2] = {"RING VIEW", "COMMENTARY"};
  for (int i = 0; i < 2; ++i) {
    copyRect(c, c, 226 + 184 * i, 196, 170, 44, 490, 600 + 48 * i);
    button(c, 226 + 184 * i, 196, 170, 44, starts[i], i ? Btn::Blue : Btn::Red, false, 15);
    button(c, 490, 600 + 48 * i, 170, 44, starts[i], i ? Btn::Blue : Btn::Red, true, 15);
  }
  panel(c, 368, 318, 104, 92, 225, true, hex(0x1A1C22));
  setFont(g, Face::Heading, 10);
  spacedText(g, "ROUND", 420, 333, 2, pal::gold, 1);
  field(c, 378, 338, 84, 63);
  panel(c, 226, 428, 362, 84, 226, true, hex(0x1E2128));
  // Help band.
  vGradient(g, 0, 546, 800, 54, hex(0x0E0F12), hex(0x08090B), 0.8);
  cairo_move_to(g, 20, 546.5);
  cairo_line_to(g, 780, 546.5);
  setColor(g, pal::gold, 0.35);
  cairo_set_line_width(g, 1);
  cairo_stroke(g);
  cairo_rectangle(g, 660, 600, 140, 100);
  cairo_rectangle(g, 0, 648, 490, 52);
  setColor(g, hex(0x101114));
  cairo_fill(g);
  dither(c, 0.012, 227);
  emit(c, "FIGHT.jpg");
  addPicture("FIGHT.jpg", 800, 700,
             "the corner screen: the corner under a warm light, four injury areas with a healthy "
             "body drawing and meter track each, the condition box, the three order plates, the "
             "two start buttons, the round-number frame and the scorecard area; hover images below",
             "corner screen (screen 8), slot 15");
  addRegion("FIGHT.jpg", "background", 0, 0, 800, 600, "at (0, 0)");
  for (int k = 0; k < 3; ++k)
    addRegion("FIGHT.jpg", string("order plate ") + orders[k] + ", hover", 162 * k, 600, 160, 48,
              "at (598, " + std::to_string(226 + 133 * k) + ") (hotspot " + std::to_string(k + 1) + ")");
  for (int i = 0; i < 2; ++i)
    addRegion("FIGHT.jpg", string(starts[i]) + " button, hover", 490, 600 + 48 * i, 170, 44,
              "at (" + std::to_string(226 + 184 * i) + ", 196) (hotspot " + std::to_string(4 + i) + ")");
}

void makeTextOnly() {
  Canvas c(496, 440);
  cairo_t* cr = c.cr();
  softShadow(c, 14, 34, 466, 398, 6, 4, 0.8);
  roundRect(cr, 14, 30, 466, 400, 6);
  setColor(cr, hex(0x15171C), 0.88);
  cairo_fill(cr);
  leather(c, 16, 32, 462, 396, 0.08, 231);
  cairo_rectangle(cr, 18, 36, 458, 24);
  vGradient(cr, 18, 36, 458, 24, hex(0x8E1B1B), hex(0x4C0E0E), 0.95);
  for (int r = 0; r < 12; ++r) {
    cairo_rectangle(cr, 18, 70 + 30 * r, 458, 26);
    cairo_set_source_rgba(cr, 1, 1, 1, r % 2 ? 0.02 : 0.05);
    cairo_fill(cr);
  }
  for (double x : {325.5, 437.5}) {
    cairo_move_to(cr, x, 38);
    cairo_line_to(cr, x, 426);
  }
  setColor(cr, pal::gold, 0.25);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  roundRect(cr, 15, 31, 464, 398, 6);
  setColor(cr, pal::gold, 0.75);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  emit(c, "text-only.png");
  addPicture("text-only.png", 496, 440,
             "the frame of the written commentary: a translucent leather list with a red heading "
             "band, twelve row bands 30 pixels apart and column rules for time and icon",
             "fight screen in text mode, slot 23");
  addRegion("text-only.png", "list frame", 0, 0, 496, 440,
            "at (0, 0): heads at y 42, lines at y 76 + 30 r, columns at x 28, 330..435, 440..465");
}

void makeStarlet() {
  Canvas c(544, 288);
  cairo_t* cr = c.cr();
  vGradient(cr, 0, 0, 544, 288, hex(0x101114), hex(0x101114));
  // The stage: a dark studio with ropes out of focus and a warm rim light.
  vGradient(cr, 0, 0, 256, 256, hex(0x23262E), hex(0x0C0D10));
  spotlight(cr, 128, 70, 170, 150, hex(0x9A6A3A), 0.55);
  for (int k = 0; k < 3; ++k) {
    cairo_move_to(cr, 0, 120 + 34 * k);
    cairo_line_to(cr, 256, 104 + 34 * k);
    setColor(cr, k == 0 ? pal::redLit : k == 1 ? pal::white : pal::blueLit, 0.22);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
  }
  {
    Canvas stage(256, 256);
    stage.paintPart(c, 0, 0, 256, 256, 0, 0);
    blur(stage, 2);
    c.paintPart(stage, 0, 0, 256, 256, 0, 0);
  }
  cairo_save(cr);
  cairo_translate(cr, 128, 236);
  cairo_scale(cr, 1, 0.18);
  cairo_arc(cr, 0, 0, 110, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  grain(c, 0, 0, 256, 256, 0.05, 2, 241, 1);
  cairo_rectangle(cr, 0.5, 0.5, 255, 255);
  setColor(cr, pal::gold, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Mask strips cut from the boxer screen's panel around the stage.
  const Canvas& base = careerBaseCanvas();
  c.paintPart(base, 36, 100, 274, 10, 264, 0);
  {
    Canvas t(274, 14);
    t.paintPart(base, 36, 366, 274, 14, 0, 0);
    c.paintPart(t, 0, 0, 274, 14, 264, 12);
    Canvas l(9, 256);
    l.paintPart(base, 36, 110, 9, 256, 0, 0);
    c.paintPart(l, 0, 0, 9, 256, 264, 30);
    Canvas r(9, 256);
    r.paintPart(base, 301, 110, 9, 256, 0, 0);
    c.paintPart(r, 0, 0, 9, 256, 276, 30);
  }
  dither(c, 0.01, 242);
  emit(c, "STARLET.jpg");
  addPicture("STARLET.jpg", 544, 288,
             "the boxer screen's portrait stage (a studio backdrop for the 3D figure) and the four "
             "strips of panel around it that mask the figure's edges",
             "boxer screen, left panel 0 (slot 14)");
  addRegion("STARLET.jpg", "stage", 0, 0, 256, 256, "at (45, 110), before the 3D figure");
  addRegion("STARLET.jpg", "mask strip, top", 264, 0, 274, 10, "at (36, 100), after the figure");
  addRegion("STARLET.jpg", "mask strip, bottom", 264, 12, 274, 14, "at (36, 366), after the figure");
  addRegion("STARLET.jpg", "mask strip, left", 264, 30, 9, 256, "at (36, 110), after the figure");
  addRegion("STARLET.jpg", "mask strip, right", 276, 30, 9, 256, "at (301, 110), after the figure");
}

void resultScene(const string& name, int kind) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  RGB light = kind == 0 ? hex(0x9A6A2A) : kind == 1 ? hex(0x2A3A5A) : hex(0x5A5A5A);
  vGradient(cr, 0, 0, 800, 600, pal::arena1, pal::arena0);
  grain(c, 0, 0, 800, 600, 0.06, 90, 250 + kind, 3);
  spotlight(cr, 400, 250, 460, 330, light, 0.75);
  // Light beams and the crowd.
  for (int i = -2; i <= 2; ++i) {
    cairo_save(cr);
    cairo_translate(cr, 400 + i * 120, -20);
    cairo_rotate(cr, -i * 0.12);
    cairo_move_to(cr, -10, 0);
    cairo_line_to(cr, 10, 0);
    cairo_line_to(cr, 90, 520);
    cairo_line_to(cr, -90, 520);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 520);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.9, 0.7, kind == 1 ? 0.03 : 0.07);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.9, 0.7, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
  for (int row = 0; row < 3; ++row)
    for (int i = 0; i < 30; ++i) {
      double x = i * 28 + (row % 2) * 14 + (hash2(i, row, 260) - 0.5) * 8, y = 470 - row * 22;
      double s = 16 + hash2(i, row, 261) * 5;
      cairo_arc(cr, x, y - s, s * 0.42, 0, 2 * M_PI);
      cairo_move_to(cr, x - s * 0.7, y + 30);
      cairo_curve_to(cr, x - s * 0.7, y - s * 0.4, x + s * 0.7, y - s * 0.4, x + s * 0.7, y + 30);
      cairo_close_path(cr);
    }
  cairo_set_source_rgba(cr, 0.01, 0.01, 0.015, 0.92);
  cairo_fill(cr);
  if (kind == 0) {
    // A raised glove and a championship belt, confetti.
    for (int i = 0; i < 160; ++i) {
      double x = hash2(i, 1, 262) * 800, y = hash2(i, 2, 262) * 440;
      RGB col = i % 3 == 0 ? pal::goldLit : i % 3 == 1 ? pal::redLit : pal::white;
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, hash2(i, 3, 262) * 3);
      cairo_rectangle(cr, -3, -1.5, 6, 3);
      setColor(cr, col, 0.8);
      cairo_fill(cr);
      cairo_restore(cr);
    }
    cairo_save(cr);
    roundRect(cr, 250, 300, 300, 58, 22);
    vGradient(cr, 250, 300, 300, 58, hex(0x2A2418), hex(0x0E0C08));
    roundRect(cr, 250, 300, 300, 58, 22);
    setColor(cr, pal::gold);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_restore(cr);
    gem(cr, 400, 329, 48, pal::gold);
    goldStar(cr, 400, 329, 30);
    glove(cr, 400, 175, 150, 0.0, pal::redLit, pal::white);
    goldText(cr, "VICTORY", 400, 110, 70, 1, true);
  } else if (kind == 1) {
    // A glove on the canvas, a towel, cold light.
    cairo_save(cr);
    cairo_translate(cr, 400, 380);
    cairo_scale(cr, 1, 0.25);
    cairo_arc(cr, 0, 0, 230, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, pal::canvasEdge, 0.9);
    cairo_fill(cr);
    glove(cr, 360, 330, 120, 1.75, hex(0x7A1A18), hex(0xB0A890));
    cairo_move_to(cr, 470, 300);
    cairo_curve_to(cr, 520, 290, 560, 320, 570, 360);
    cairo_line_to(cr, 480, 372);
    cairo_close_path(cr);
    setColor(cr, pal::white, 0.75);
    cairo_fill(cr);
    setFont(cr, Face::Heading, 70);
    cairo_move_to(cr, 400 - textWidth(cr, "DEFEAT") / 2, 130);
    cairo_text_path(cr, "DEFEAT");
    cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* lp = cairo_pattern_create_linear(0, 75, 0, 130);
    cairo_pattern_add_color_stop_rgb(lp, 0, 0.85, 0.35, 0.28);
    cairo_pattern_add_color_stop_rgb(lp, 1, 0.42, 0.08, 0.06);
    cairo_set_source(cr, lp);
    cairo_fill(cr);
    cairo_pattern_destroy(lp);
  } else {
    glove(cr, 330, 240, 140, 1.35, pal::redLit, pal::white);
    glove(cr, 470, 240, 140, -1.35, pal::blueLit, pal::white);
    spotlight(cr, 400, 232, 40, 40, hex(0xFFFFFF), 0.5);
    goldText(cr, "DRAW", 400, 130, 70, 1, false);
  }
  // Text band at the bottom.
  cairo_rectangle(cr, 0, 496, 800, 104);
  vGradient(cr, 0, 496, 800, 104, hex(0x060708), hex(0x0B0C0E), 0.88);
  cairo_move_to(cr, 0, 496.5);
  cairo_line_to(cr, 800, 496.5);
  setColor(cr, pal::gold, 0.5);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  vignette(c, 0.5);
  dither(c, 0.012, 263 + kind);
  emit(c, name);
  addPicture(name, 800, 600,
             kind == 0 ? "the result of a win: gold light, a raised glove, the belt, confetti"
             : kind == 1 ? "the result of a loss: cold light, a glove on the canvas, a towel"
                         : "the result of a draw: two gloves touching under an even light",
             "result screen (screen 10)");
  addRegion(name, "whole picture", 0, 0, 800, 600, "at (0, 0); text lines at y 510..580 on the dark band");
}

void eventPicture(int n) {
  Canvas c(256, 160);
  cairo_t* cr = c.cr();
  vGradient(cr, 0, 0, 256, 160, pal::arena1, pal::arena0);
  grain(c, 0, 0, 256, 160, 0.06, 40, 270 + n, 3);
  switch (n) {
    case 1: {  // a cash gift: banknotes and coins in warm light
      spotlight(cr, 128, 80, 150, 100, hex(0x8A6A2A), 0.7);
      for (int i = 0; i < 5; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 110 + i * 6, 84 - i * 5);
        cairo_rotate(cr, -0.2 + i * 0.08);
        roundRect(cr, -55, -26, 110, 52, 3);
        vGradient(cr, -55, -26, 110, 52, hex(0x6FA070), hex(0x3A6A40));
        roundRect(cr, -55, -26, 110, 52, 3);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_arc(cr, 0, 0, 15, 0, 2 * M_PI);
        setColor(cr, hex(0xCDE0C0), 0.6);
        cairo_stroke(cr);
        setFont(cr, Face::Heading, 16);
        text(cr, "$", 0, 6, hex(0x1E3A20), 1, 0.8);
        cairo_restore(cr);
      }
      for (int i = 0; i < 6; ++i) gem(cr, 40 + i * 9, 128 - i * 3, 13, pal::gold);
      goldStar(cr, 210, 40, 14);
      break;
    }
    case 2: {  // morale falls: rain on a dark window, a glove hanging low
      spotlight(cr, 128, 60, 120, 80, hex(0x2A3A55), 0.7);
      for (int i = 0; i < 90; ++i) {
        double x = hash2(i, 1, 280) * 256, y = hash2(i, 2, 280) * 160;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x - 3, y + 12);
      }
      setColor(cr, hex(0x8FA8C8), 0.35);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
      cairo_move_to(cr, 128, 0);
      cairo_line_to(cr, 128, 70);
      setColor(cr, hex(0x6A6050));
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      glove(cr, 128, 100, 70, M_PI, hex(0x6A1A18), hex(0x8A8070));
      break;
    }
    case 3: {  // car accident: a crumpled car under flashing lights
      spotlight(cr, 70, 50, 90, 70, hex(0xC04020), 0.5);
      spotlight(cr, 190, 50, 90, 70, hex(0x2050C0), 0.5);
      cairo_move_to(cr, 40, 118);
      cairo_line_to(cr, 60, 88);
      cairo_line_to(cr, 110, 80);
      cairo_line_to(cr, 150, 92);
      cairo_line_to(cr, 170, 84);
      cairo_line_to(cr, 200, 100);
      cairo_line_to(cr, 214, 118);
      cairo_close_path(cr);
      vGradient(cr, 40, 80, 180, 40, hex(0x9A9DA3), hex(0x3A3D42));
      cairo_move_to(cr, 40, 118);
      cairo_line_to(cr, 60, 88);
      cairo_line_to(cr, 110, 80);
      cairo_line_to(cr, 150, 92);
      cairo_line_to(cr, 170, 84);
      cairo_line_to(cr, 200, 100);
      cairo_line_to(cr, 214, 118);
      cairo_close_path(cr);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      for (double wx : {72.0, 184.0}) {
        cairo_arc(cr, wx, 120, 13, 0, 2 * M_PI);
        setColor(cr, hex(0x0A0A0C));
        cairo_fill(cr);
        cairo_arc(cr, wx, 120, 5, 0, 2 * M_PI);
        setColor(cr, hex(0x8A8A90));
        cairo_fill(cr);
      }
      // Warning triangle.
      cairo_move_to(cr, 232, 96);
      cairo_line_to(cr, 250, 130);
      cairo_line_to(cr, 214, 130);
      cairo_close_path(cr);
      setColor(cr, pal::bad);
      cairo_set_line_width(cr, 4);
      cairo_stroke(cr);
      cairo_rectangle(cr, 0, 132, 256, 28);
      setColor(cr, hex(0x0A0B0D), 0.8);
      cairo_fill(cr);
      break;
    }
    case 4: {  // potentials rise: a rising graph with stars over a dumbbell
      spotlight(cr, 128, 80, 140, 100, hex(0x2A6A3A), 0.5);
      cairo_move_to(cr, 30, 130);
      cairo_line_to(cr, 80, 110);
      cairo_line_to(cr, 120, 116);
      cairo_line_to(cr, 170, 70);
      cairo_line_to(cr, 214, 36);
      setColor(cr, pal::good);
      cairo_set_line_width(cr, 6);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke(cr);
      arrowIcon(cr, 220, 32, 24, 2, pal::good);
      goldStar(cr, 60, 50, 12);
      goldStar(cr, 110, 34, 9);
      goldStar(cr, 150, 118, 8);
      cairo_rectangle(cr, 70, 138, 116, 6);
      setColor(cr, hex(0x9A9DA3));
      cairo_fill(cr);
      for (double wx : {64.0, 180.0}) {
        roundRect(cr, wx, 126, 12, 30, 2);
        setColor(cr, hex(0x2A2D33));
        cairo_fill(cr);
      }
      break;
    }
  }
  cairo_rectangle(cr, 0.5, 0.5, 255, 159);
  setColor(cr, pal::gold, 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  vignette(c, 0.35);
  dither(c, 0.012, 290 + n);
  string name = "random0" + std::to_string(n) + ".jpg";
  emit(c, name);
  static const char* what[4] = {"a cash gift: banknotes and coins in warm light",
                                "morale falls: rain and a glove hanging low",
                                "a car accident: a crumpled car under flashing lights",
                                "potentials rise: a rising graph with stars"};
  addPicture(name, 256, 160, what[n - 1], "message window of random event " + std::to_string(14 + n));
  addRegion(name, "whole picture", 0, 0, 256, 160, "inside the message window");
}

}  // namespace

void makeFight() {
  makeRing();
  makeCorner();
  makeTextOnly();
  makeStarlet();
  resultScene("VICTORY.jpg", 0);
  resultScene("LOST.jpg", 1);
  resultScene("DRAW.jpg", 2);
  for (int n = 1; n <= 4; ++n) eventPicture(n);
}

}  // namespace art
