// The application icon for the desktop menu: a red glove punching up out of a dark rounded
// tile, gold rim and a spotlight behind it, drawn at each size rather than scaled down.
#include <algorithm>
#include <cmath>
#include <string>

#include "artgen.h"

namespace art {

namespace {

void drawIcon(Canvas& c) {
  cairo_t* cr = c.cr();
  double s = c.width();
  double m = s * 0.04, r = s * 0.18;
  // The tile: arena dark with a warm spotlight, then the gold rim.
  cairo_save(cr);
  roundRect(cr, m, m, s - 2 * m, s - 2 * m, r);
  cairo_clip(cr);
  vGradient(cr, 0, 0, s, s, pal::arena1, pal::arena0);
  spotlight(cr, s * 0.5, s * 0.42, s * 0.48, s * 0.42, hex(0xF2CE6B), 0.35);
  // The ring canvas at the foot, with its rope in the corner colours.
  cairo_rectangle(cr, 0, s * 0.74, s, s * 0.26);
  cairo_pattern_t* p = cairo_pattern_create_radial(s * 0.5, s * 0.78, s * 0.05, s * 0.5, s * 0.8,
                                                   s * 0.6);
  cairo_pattern_add_color_stop_rgb(p, 0, 0x2A / 255.0, 0x4A / 255.0, 0x6B / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, 0x1B / 255.0, 0x30 / 255.0, 0x48 / 255.0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_rectangle(cr, 0, s * 0.70, s, std::max(1.0, s * 0.025));
  setColor(cr, pal::white, 0.85);
  cairo_fill(cr);
  cairo_restore(cr);
  glove(cr, s * 0.52, s * 0.47, s * 0.62, -0.35, pal::redLit, pal::white);
  roundRect(cr, m + 1, m + 1, s - 2 * m - 2, s - 2 * m - 2, r);
  setColor(cr, pal::gold, 0.9);
  cairo_set_line_width(cr, std::max(1.5, s * 0.03));
  cairo_stroke(cr);
  // A faint gold star above the glove: the title to win.
  if (s >= 48) goldStar(cr, s * 0.80, s * 0.22, s * 0.08);
}

}  // namespace

void makeIcons(const std::string& dir) {
  for (int size : {48, 128, 256}) {
    Canvas c(size, size);
    drawIcon(c);
    writePng(toPixels(c), dir + "/brawnmoor-" + std::to_string(size) + ".png");
  }
}

}  // namespace art
