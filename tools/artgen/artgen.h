// The picture generator's shared toolkit: canvases, colours, procedural textures, shapes,
// text, the game's panel and button looks, the picture writers and the region registry that
// the review images and docs/assets.md are made from.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

// ---- colours ---------------------------------------------------------------------------
struct RGB {
  double r, g, b;
};
RGB hex(uint32_t rgb);
RGB mix(RGB a, RGB b, double t);
RGB scale(RGB c, double f);
void setColor(cairo_t* cr, RGB c, double a = 1.0);

namespace pal {
extern const RGB arena0, arena1, panel, canvasLit, canvasEdge, red, redLit, blue, blueLit, gold,
    goldLit, white, good, bad, even, black, leatherDark;
}

// ---- canvases --------------------------------------------------------------------------
// A cairo image surface (premultiplied ARGB32) with its context.
class Canvas {
 public:
  Canvas(int w, int h);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surf_; }
  int width() const { return w_; }
  int height() const { return h_; }
  uint32_t* row(int y);
  // Draws another canvas (or a part of it) at (x, y).
  void paint(const Canvas& src, double x, double y, double alpha = 1.0);
  void paintPart(const Canvas& src, int sx, int sy, int w, int h, double x, double y,
                 double alpha = 1.0);

 private:
  int w_, h_;
  cairo_surface_t* surf_;
  cairo_t* cr_;
};

// Copies a rectangle of `src` (which may be `dst` itself) to (x, y) of `dst`, replacing it.
void copyRect(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int x, int y);

// ---- procedural noise (deterministic) ----------------------------------------------------
double hash2(int x, int y, uint32_t seed);
double valueNoise(double x, double y, uint32_t seed);                  // 0..1
double fbm(double x, double y, int octaves, uint32_t seed);            // about 0..1
// Multiplies the brightness of the pixels in the rectangle by 1 + amp x (noise - 0.5) x 2.
void grain(Canvas& c, int x, int y, int w, int h, double amp, double cell, uint32_t seed,
           int octaves = 3);
// Leather: soft pebbled grain with creases.
void leather(Canvas& c, int x, int y, int w, int h, double amp, uint32_t seed);
// Woven canvas: fine cross threads.
void weave(Canvas& c, int x, int y, int w, int h, double amp, uint32_t seed);
// Fine per-pixel noise so that gradients do not band in JPEG.
void dither(Canvas& c, double amp, uint32_t seed);

// ---- shapes and light --------------------------------------------------------------------
void roundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void vGradient(cairo_t* cr, double x, double y, double w, double h, RGB top, RGB bottom,
               double a = 1.0);
// A soft elliptic light: colour at the centre fading to transparent.
void spotlight(cairo_t* cr, double cx, double cy, double rx, double ry, RGB c, double a);
void vignette(Canvas& c, double strength);
// Blurs the whole canvas (three box passes of the given radius).
void blur(Canvas& c, int radius);
// A soft shadow of a rounded rectangle.
void softShadow(Canvas& c, double x, double y, double w, double h, double r, double blurR,
                double alpha);
// Glow around a path drawn by `shape` (the path is filled in colour and blurred).
void glow(Canvas& c, const std::function<void(cairo_t*)>& shape, RGB col, double alpha,
          int radius);

// ---- text -----------------------------------------------------------------------------
enum class Face { Heading, Regular };
void setFont(cairo_t* cr, Face f, double size);
double textWidth(cairo_t* cr, const std::string& s);
// Text drawn with its baseline at y; align 0 left, 1 centre (x is the centre), 2 right.
void text(cairo_t* cr, const std::string& s, double x, double y, RGB c, int align = 0,
          double alpha = 1.0);
// Heading text: gold gradient fill with a 1 px dark shadow.
void goldText(cairo_t* cr, const std::string& s, double x, double y, double size, int align = 1,
              bool lit = false);
void shadowText(cairo_t* cr, const std::string& s, double x, double y, RGB c, int align = 1);
// Letters spaced apart (for small engraved captions).
void spacedText(cairo_t* cr, const std::string& s, double x, double y, double spacing, RGB c,
                int align = 1);

// ---- the game's looks ----------------------------------------------------------------------
// A leather panel with gold border, dark inner line and shadow (drawn into c).
void panel(Canvas& c, double x, double y, double w, double h, uint32_t seed, bool shadow = true,
           RGB fill = RGB{0x23 / 255.0, 0x26 / 255.0, 0x2E / 255.0});
// A recessed field (behind run-time text).
void field(Canvas& c, double x, double y, double w, double h);
enum class Btn { Red, Blue, Gold, Dark };
// A bevelled button filling (x, y, w, h) with a 2 px margin for the hover glow.
void button(Canvas& c, double x, double y, double w, double h, const std::string& label,
            Btn style, bool hover, double fontSize = 0);
// Icon buttons share the look: the icon is drawn by `icon` inside the button.
void iconButton(Canvas& c, double x, double y, double w, double h, Btn style, bool hover,
                const std::function<void(cairo_t*, double, double, double, bool)>& icon);
void arrowIcon(cairo_t* cr, double cx, double cy, double s, int dir, RGB c);  // 0 left 1 right 2 up 3 down
void plusMinusIcon(cairo_t* cr, double cx, double cy, double s, bool plus, RGB c);
void starPath(cairo_t* cr, double cx, double cy, double r, double inner, double rot = -90);
void goldStar(cairo_t* cr, double cx, double cy, double r);
void gem(cairo_t* cr, double cx, double cy, double r, RGB c);

// The six tab icons: calendar, boxer, coins, ladder, magnifier, disk.
void tabIcon(cairo_t* cr, int which, double cx, double cy, double s, RGB c);
void glove(cairo_t* cr, double cx, double cy, double s, double angle, RGB c, RGB cuff);

// ---- output ------------------------------------------------------------------------------
// Straight (not premultiplied) RGBA pixels, top row first.
struct Pixels {
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;
};
Pixels toPixels(const Canvas& c);
void writePng(const Pixels& p, const std::string& path, bool opaque = false);
void writeJpeg(const Pixels& p, const std::string& path, int quality = 92);
void writeTga(const Pixels& p, const std::string& path);
// Writes an opaque PNG (the review images).
void writePicture(const Canvas& c, const std::string& path);

// ---- registry -------------------------------------------------------------------------------
struct Region {
  std::string picture, name;
  int x, y, w, h;
  std::string screen;  // where the game shows it (screen and position)
};
struct PictureInfo {
  std::string name;
  int w, h;
  std::string shows, usedBy;
};
void addPicture(const std::string& name, int w, int h, const std::string& shows,
                const std::string& usedBy);
void addRegion(const std::string& picture, const std::string& name, int x, int y, int w, int h,
               const std::string& screen);
const std::vector<PictureInfo>& pictures();
const std::vector<Region>& regions();

// Finished pictures kept in memory for the review images.
struct Made {
  std::string name;
  Pixels px;
};
extern std::vector<Made> made;
// Writes a finished picture into the output folder and keeps it for the review images.
void emit(const Canvas& c, const std::string& name);

struct Options {
  std::string gfxDir, dataDir, docsDir, headingFont, regularFont, textFont;
};
extern Options opt;

// Picture families.
void makeFonts();
void makeShell();
void makeFight();
void makeLayouts();
void makeReview();
void makeMockups(const std::string& dir);
// The desktop icon at 48, 128 and 256 pixels: brawnmoor-<size>.png in `dir`.
void makeIcons(const std::string& dir);

}  // namespace art
