// Drawing with cairo in the game's look: canvases that turn into pictures, the two typefaces,
// rounded shapes, gradients, glows, grain and shadowed labels.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

#include "core.h"

namespace boxerart {

// The typefaces: DejaVu Sans Condensed Bold (headings, buttons) and Regular.
void setFonts(const std::string& heading, const std::string& regular);

// A cairo canvas (premultiplied ARGB, transparent at first) that turns into a picture.
class Canvas {
 public:
  Canvas(int w, int h);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  cairo_t* cr() const { return cr_; }
  Image image() const;
  // Draws a picture at (x, y), scaled by `scale`.
  void picture(const Image& img, double x, double y, double scale = 1.0);

 private:
  int w_, h_;
  cairo_surface_t* surf_;
  cairo_t* cr_;
};

void rgba(cairo_t* cr, Col c, double a = 1);
void roundRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A vertical gradient as the current source.
void vGradient(cairo_t* cr, double y0, double y1, Col top, Col bottom, double a = 1);
void font(cairo_t* cr, bool heading, double size);
double textWidth(cairo_t* cr, const std::string& s);
// Text with its baseline at y, centred on x, with a 1 px dark shadow.
void label(cairo_t* cr, const std::string& s, double x, double y, Col c, double a = 1);
// Text with its baseline at y starting at x, with a 1 px dark shadow.
void labelLeft(cairo_t* cr, const std::string& s, double x, double y, Col c, double a = 1);
// A soft glow along the path that `shape` draws.
void glowStroke(cairo_t* cr, const std::function<void()>& shape, Col c, double width, double a);
// Fine grain over a rectangle (leather, canvas).
void grain(cairo_t* cr, double x, double y, double w, double h, double amount, uint32_t seed);
// A soft elliptic light or shadow.
void softSpot(cairo_t* cr, double x, double y, double rx, double ry, Col c, double a);

}  // namespace boxerart
