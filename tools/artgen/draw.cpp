// Canvases, noise, textures, shapes, text and the game's panel and button looks.
#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <stdexcept>

#include "artgen.h"

namespace art {

Options opt;

RGB hex(uint32_t v) {
  return RGB{((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
RGB mix(RGB a, RGB b, double t) {
  return RGB{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
RGB scale(RGB c, double f) {
  return RGB{std::min(1.0, c.r * f), std::min(1.0, c.g * f), std::min(1.0, c.b * f)};
}
void setColor(cairo_t* cr, RGB c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

namespace pal {
const RGB arena0 = hex(0x121418), arena1 = hex(0x1C1F26), panel = hex(0x23262E),
          canvasLit = hex(0x2A4A6B), canvasEdge = hex(0x1B3048), red = hex(0x8E1B1B),
          redLit = hex(0xB8322A), blue = hex(0x1F4E8C), blueLit = hex(0x3470C0),
          gold = hex(0xD4A437), goldLit = hex(0xF2CE6B), white = hex(0xEFE6D2),
          good = hex(0x3FA34D), bad = hex(0xC0392B), even = hex(0x7F8C8D), black = hex(0x0B0C0E),
          leatherDark = hex(0x181A20);
}

// ---- canvases ----------------------------------------------------------------------------
Canvas::Canvas(int w, int h) : w_(w), h_(h) {
  surf_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cr_ = cairo_create(surf_);
}
Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surf_);
}
uint32_t* Canvas::row(int y) {
  cairo_surface_flush(surf_);
  return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surf_) +
                                     y * cairo_image_surface_get_stride(surf_));
}
void Canvas::paint(const Canvas& src, double x, double y, double alpha) {
  cairo_surface_flush(src.surface());
  cairo_save(cr_);
  cairo_set_source_surface(cr_, src.surface(), x, y);
  cairo_paint_with_alpha(cr_, alpha);
  cairo_restore(cr_);
  cairo_surface_mark_dirty(surf_);
}
void Canvas::paintPart(const Canvas& src, int sx, int sy, int w, int h, double x, double y,
                       double alpha) {
  cairo_surface_flush(src.surface());
  cairo_save(cr_);
  cairo_rectangle(cr_, x, y, w, h);
  cairo_clip(cr_);
  cairo_set_source_surface(cr_, src.surface(), x - sx, y - sy);
  cairo_paint_with_alpha(cr_, alpha);
  cairo_restore(cr_);
}

void copyRect(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int x, int y) {
  if (&dst == &src) {
    Canvas tmp(w, h);
    tmp.paintPart(src, sx, sy, w, h, 0, 0);
    copyRect(dst, tmp, 0, 0, w, h, x, y);
    return;
  }
  cairo_surface_flush(src.surface());
  cairo_t* cr = dst.cr();
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, src.surface(), x - sx, y - sy);
  cairo_paint(cr);
  cairo_restore(cr);
}

// ---- noise -----------------------------------------------------------------------------------
double hash2(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0xFFFFFF);
}
double valueNoise(double x, double y, uint32_t seed) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  double fx = x - xi, fy = y - yi;
  double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  double a = hash2(xi, yi, seed), b = hash2(xi + 1, yi, seed), c = hash2(xi, yi + 1, seed),
         d = hash2(xi + 1, yi + 1, seed);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}
double fbm(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * valueNoise(x, y, seed + i * 101);
    norm += amp;
    x *= 2.03;
    y *= 2.03;
    amp *= 0.5;
  }
  return sum / norm;
}

namespace {
// Applies f(x, y) -> brightness factor to the pixels of a rectangle.
template <class F>
void modulate(Canvas& c, int x0, int y0, int w, int h, F f) {
  cairo_surface_flush(c.surface());
  int x1 = std::min(c.width(), x0 + w), y1 = std::min(c.height(), y0 + h);
  x0 = std::max(0, x0);
  y0 = std::max(0, y0);
  for (int y = y0; y < y1; ++y) {
    uint32_t* r = c.row(y);
    for (int x = x0; x < x1; ++x) {
      uint32_t p = r[x];
      uint32_t a = p >> 24;
      if (a == 0) continue;
      double k = f(x, y);
      auto ch = [&](int s) {
        double v = ((p >> s) & 255) * k;
        return static_cast<uint32_t>(std::clamp(v + 0.5, 0.0, double(a)));
      };
      r[x] = (a << 24) | (ch(16) << 16) | (ch(8) << 8) | ch(0);
    }
  }
  cairo_surface_mark_dirty(c.surface());
}
}  // namespace

void grain(Canvas& c, int x, int y, int w, int h, double amp, double cell, uint32_t seed,
           int octaves) {
  modulate(c, x, y, w, h, [&](int px, int py) {
    return 1.0 + amp * (fbm(px / cell, py / cell, octaves, seed) - 0.5) * 2.0;
  });
}

void leather(Canvas& c, int x, int y, int w, int h, double amp, uint32_t seed) {
  modulate(c, x, y, w, h, [&](int px, int py) {
    double pebble = valueNoise(px / 2.3, py / 2.3, seed);
    double pebble2 = valueNoise(px / 4.7 + 11, py / 4.7, seed + 7);
    double mottle = fbm(px / 60.0, py / 60.0, 3, seed + 3);
    double crease = std::fabs(fbm(px / 90.0, py / 35.0, 4, seed + 9) - 0.5);
    double v = 0.45 * (pebble - 0.5) + 0.35 * (pebble2 - 0.5) + 0.8 * (mottle - 0.5);
    if (crease < 0.02) v -= (0.02 - crease) * 18;
    return 1.0 + amp * v * 2.0;
  });
}

void weave(Canvas& c, int x, int y, int w, int h, double amp, uint32_t seed) {
  modulate(c, x, y, w, h, [&](int px, int py) {
    double t = 0.5 * std::sin(px * 2.1) * std::sin(py * 2.1 + 0.8);
    double n = fbm(px / 3.0, py / 3.0, 2, seed) - 0.5;
    double m = fbm(px / 80.0, py / 80.0, 3, seed + 5) - 0.5;
    return 1.0 + amp * (0.6 * t + 0.8 * n + 1.2 * m);
  });
}

void dither(Canvas& c, double amp, uint32_t seed) {
  modulate(c, 0, 0, c.width(), c.height(),
           [&](int px, int py) { return 1.0 + amp * (hash2(px, py, seed) - 0.5) * 2.0; });
}

// ---- shapes -----------------------------------------------------------------------------------
void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void vGradient(cairo_t* cr, double x, double y, double w, double h, RGB top, RGB bottom,
               double a) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, a);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void spotlight(cairo_t* cr, double cx, double cy, double rx, double ry, RGB c, double a) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, a);
  cairo_pattern_add_color_stop_rgba(p, 0.45, c.r, c.g, c.b, a * 0.55);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void vignette(Canvas& c, double strength) {
  double cx = c.width() / 2.0, cy = c.height() / 2.0;
  modulate(c, 0, 0, c.width(), c.height(), [&](int x, int y) {
    double dx = (x - cx) / cx, dy = (y - cy) / cy;
    double d = std::sqrt(dx * dx * 0.8 + dy * dy);
    return 1.0 - strength * std::clamp((d - 0.45) / 0.85, 0.0, 1.0);
  });
}

void blur(Canvas& c, int radius) {
  if (radius < 1) return;
  cairo_surface_flush(c.surface());
  int w = c.width(), h = c.height();
  std::vector<uint32_t> tmp(std::max(w, h));
  auto pass = [&](uint32_t* base, int n, int stride) {
    int sums[4] = {0, 0, 0, 0};
    auto get = [&](int i) { return base[std::clamp(i, 0, n - 1) * stride]; };
    for (int i = -radius; i <= radius; ++i)
      for (int ch = 0; ch < 4; ++ch) sums[ch] += (get(i) >> (ch * 8)) & 255;
    int div = 2 * radius + 1;
    for (int i = 0; i < n; ++i) {
      uint32_t v = 0;
      for (int ch = 0; ch < 4; ++ch) v |= static_cast<uint32_t>(sums[ch] / div) << (ch * 8);
      tmp[i] = v;
      uint32_t add = get(i + radius + 1), sub = get(i - radius);
      for (int ch = 0; ch < 4; ++ch)
        sums[ch] += static_cast<int>((add >> (ch * 8)) & 255) - static_cast<int>((sub >> (ch * 8)) & 255);
    }
    for (int i = 0; i < n; ++i) base[i * stride] = tmp[i];
  };
  int stride = cairo_image_surface_get_stride(c.surface()) / 4;
  uint32_t* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(c.surface()));
  for (int k = 0; k < 3; ++k) {
    for (int y = 0; y < h; ++y) pass(data + y * stride, w, 1);
    for (int x = 0; x < w; ++x) pass(data + x, h, stride);
  }
  cairo_surface_mark_dirty(c.surface());
}

void softShadow(Canvas& c, double x, double y, double w, double h, double r, double blurR,
                double alpha) {
  int m = static_cast<int>(blurR * 3 + 2);
  Canvas s(static_cast<int>(w) + 2 * m, static_cast<int>(h) + 2 * m);
  roundRect(s.cr(), m, m, w, h, r);
  cairo_set_source_rgba(s.cr(), 0, 0, 0, alpha);
  cairo_fill(s.cr());
  blur(s, static_cast<int>(blurR));
  c.paint(s, x - m, y - m);
}

void glow(Canvas& c, const std::function<void(cairo_t*)>& shape, RGB col, double alpha,
          int radius) {
  Canvas s(c.width(), c.height());
  shape(s.cr());
  setColor(s.cr(), col, alpha);
  cairo_fill(s.cr());
  blur(s, radius);
  c.paint(s, 0, 0);
}

// ---- text ---------------------------------------------------------------------------------------
namespace {
FT_Library ftLib() {
  static FT_Library lib = [] {
    FT_Library l;
    if (FT_Init_FreeType(&l)) throw std::runtime_error("FreeType did not start");
    return l;
  }();
  return lib;
}
cairo_font_face_t* faceFor(const std::string& path) {
  static std::map<std::string, cairo_font_face_t*> faces;
  auto it = faces.find(path);
  if (it != faces.end()) return it->second;
  FT_Face f;
  if (FT_New_Face(ftLib(), path.c_str(), 0, &f))
    throw std::runtime_error("cannot open the typeface " + path);
  cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(f, 0);
  faces[path] = cf;
  return cf;
}
}  // namespace

void setFont(cairo_t* cr, Face f, double size) {
  cairo_set_font_face(cr, faceFor(f == Face::Heading ? opt.headingFont : opt.regularFont));
  cairo_set_font_size(cr, size);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, fo);
  cairo_font_options_destroy(fo);
}

double textWidth(cairo_t* cr, const std::string& s) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  return e.x_advance;
}

static double alignX(cairo_t* cr, const std::string& s, double x, int align) {
  double w = textWidth(cr, s);
  return align == 1 ? x - w / 2 : align == 2 ? x - w : x;
}

void text(cairo_t* cr, const std::string& s, double x, double y, RGB c, int align, double alpha) {
  cairo_move_to(cr, alignX(cr, s, x, align), y);
  setColor(cr, c, alpha);
  cairo_show_text(cr, s.c_str());
}

void shadowText(cairo_t* cr, const std::string& s, double x, double y, RGB c, int align) {
  double x0 = alignX(cr, s, x, align);
  cairo_move_to(cr, x0 + 1, y + 1);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
  cairo_show_text(cr, s.c_str());
  cairo_move_to(cr, x0, y);
  setColor(cr, c);
  cairo_show_text(cr, s.c_str());
}

void goldText(cairo_t* cr, const std::string& s, double x, double y, double size, int align,
              bool lit) {
  setFont(cr, Face::Heading, size);
  double x0 = alignX(cr, s, x, align);
  cairo_save(cr);
  // Shadow and dark rim.
  cairo_move_to(cr, x0 + 1, y + 1);
  cairo_text_path(cr, s.c_str());
  cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
  cairo_set_line_width(cr, size > 20 ? 2.5 : 1.2);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  cairo_move_to(cr, x0, y);
  cairo_text_path(cr, s.c_str());
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y - size * 0.75, 0, y);
  RGB top = lit ? hex(0xFFF0B8) : pal::goldLit, mid = lit ? pal::goldLit : pal::gold,
      bot = lit ? pal::gold : hex(0x9A7424);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 0.5, mid.r, mid.g, mid.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bot.r, bot.g, bot.b);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void spacedText(cairo_t* cr, const std::string& s, double x, double y, double spacing, RGB c,
                int align) {
  double total = 0;
  for (char ch : s) total += textWidth(cr, std::string(1, ch)) + spacing;
  total -= spacing;
  double px = align == 1 ? x - total / 2 : align == 2 ? x - total : x;
  for (char ch : s) {
    std::string one(1, ch);
    shadowText(cr, one, px, y, c, 0);
    px += textWidth(cr, one) + spacing;
  }
}

// ---- looks ------------------------------------------------------------------------------------------
void panel(Canvas& c, double x, double y, double w, double h, uint32_t seed, bool shadow,
           RGB fill) {
  cairo_t* cr = c.cr();
  if (shadow) softShadow(c, x + 1, y + 4, w, h, 6, 3, 0.75);
  cairo_save(cr);
  roundRect(cr, x, y, w, h, 6);
  cairo_clip(cr);
  // Fill at 85 % over what is below, lit from above.
  vGradient(cr, x, y, w, h, scale(fill, 1.25), scale(fill, 0.85), 0.85);
  cairo_restore(cr);
  leather(c, static_cast<int>(x + 2), static_cast<int>(y + 2), static_cast<int>(w - 4),
          static_cast<int>(h - 4), 0.10, seed);
  cairo_save(cr);
  // A soft highlight along the top edge.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + 40);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 0.9, 0.7, 0.07);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 0.9, 0.7, 0);
  cairo_set_source(cr, p);
  roundRect(cr, x, y, w, h, 6);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Dark inner line, then the gold border.
  roundRect(cr, x + 2.5, y + 2.5, w - 5, h - 5, 4.5);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.75);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  roundRect(cr, x + 1, y + 1, w - 2, h - 2, 5.5);
  setColor(cr, pal::gold, 0.7);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // A brighter glint on the top border.
  cairo_pattern_t* g = cairo_pattern_create_linear(x, 0, x + w, 0);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.9, 0.5, 0);
  cairo_pattern_add_color_stop_rgba(g, 0.35, 1, 0.93, 0.6, 0.55);
  cairo_pattern_add_color_stop_rgba(g, 0.7, 1, 0.9, 0.5, 0);
  cairo_set_source(cr, g);
  cairo_move_to(cr, x + 8, y + 1);
  cairo_line_to(cr, x + w - 8, y + 1);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

void field(Canvas& c, double x, double y, double w, double h) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  roundRect(cr, x, y, w, h, 3);
  vGradient(cr, x, y, w, h, hex(0x0C0D10), hex(0x17191E), 0.92);
  roundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 3);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.9);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, x + 3, y + h + 0.5);
  cairo_line_to(cr, x + w - 3, y + h + 0.5);
  setColor(cr, pal::gold, 0.35);
  cairo_stroke(cr);
  cairo_restore(cr);
}

namespace {
void buttonColours(Btn style, RGB& lit, RGB& base) {
  switch (style) {
    case Btn::Red: lit = pal::redLit; base = pal::red; break;
    case Btn::Blue: lit = pal::blueLit; base = pal::blue; break;
    case Btn::Gold: lit = hex(0xC99A3A); base = hex(0x7A5A1C); break;
    case Btn::Dark: lit = hex(0x474B57); base = hex(0x202329); break;
  }
}
}  // namespace

void iconButton(Canvas& c, double x, double y, double w, double h, Btn style, bool hover,
                const std::function<void(cairo_t*, double, double, double, bool)>& icon) {
  cairo_t* cr = c.cr();
  RGB lit, base;
  buttonColours(style, lit, base);
  double m = 2, bx = x + m, by = y + m, bw = w - 2 * m, bh = h - 2 * m;
  double r = std::min(4.0, bh / 2);
  if (hover) {
    lit = scale(mix(lit, hex(0xFFFFFF), 0.08), 1.22);
    base = scale(base, 1.3);
    Canvas g(static_cast<int>(w + 8), static_cast<int>(h + 8));
    roundRect(g.cr(), 4 + m - 1, 4 + m - 1, bw + 2, bh + 2, r + 1);
    setColor(g.cr(), pal::goldLit, 0.9);
    cairo_fill(g.cr());
    blur(g, 2);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    c.paint(g, x - 4, y - 4);
    cairo_restore(cr);
  } else {
    softShadow(c, bx, by + 1, bw, bh, r, 1, 0.6);
  }
  cairo_save(cr);
  roundRect(cr, bx, by, bw, bh, r);
  cairo_clip(cr);
  vGradient(cr, bx, by, bw, bh, lit, base);
  // Glossy upper half.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, by, 0, by + bh * 0.55);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, hover ? 0.22 : 0.14);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.0);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, bx, by, bw, bh * 0.55);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  leather(c, static_cast<int>(bx), static_cast<int>(by), static_cast<int>(bw),
          static_cast<int>(bh), 0.05, 77);
  cairo_save(cr);
  // Outline: dark when idle, full gold when hovered; gold bevel line on top.
  roundRect(cr, bx + 0.5, by + 0.5, bw - 1, bh - 1, r);
  if (hover) {
    setColor(cr, pal::goldLit, 1.0);
    cairo_set_line_width(cr, 1.5);
  } else {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.85);
    cairo_set_line_width(cr, 1);
  }
  cairo_stroke(cr);
  cairo_move_to(cr, bx + r, by + 1.5);
  cairo_line_to(cr, bx + bw - r, by + 1.5);
  setColor(cr, hover ? hex(0xFFF0B8) : pal::gold, hover ? 0.95 : 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  icon(cr, bx + bw / 2, by + bh / 2, std::min(bw, bh), hover);
  cairo_restore(cr);
}

void button(Canvas& c, double x, double y, double w, double h, const std::string& label,
            Btn style, bool hover, double fontSize) {
  iconButton(c, x, y, w, h, style, hover, [&](cairo_t* cr, double cx, double cy, double, bool hv) {
    if (label.empty()) return;
    double fs = fontSize > 0 ? fontSize : std::min(15.0, (h - 4) * 0.62);
    setFont(cr, Face::Heading, fs);
    double tw = textWidth(cr, label);
    while (tw > w - 14 && fs > 7) {
      fs -= 0.5;
      setFont(cr, Face::Heading, fs);
      tw = textWidth(cr, label);
    }
    shadowText(cr, label, cx, cy + fs * 0.36, hv ? hex(0xFFF4D0) : pal::white, 1);
  });
}

void arrowIcon(cairo_t* cr, double cx, double cy, double s, int dir, RGB c) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, dir == 0 ? M_PI : dir == 1 ? 0 : dir == 2 ? -M_PI / 2 : M_PI / 2);
  cairo_move_to(cr, s * 0.42, 0);
  cairo_line_to(cr, -s * 0.28, -s * 0.40);
  cairo_line_to(cr, -s * 0.28, s * 0.40);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke_preserve(cr);
  setColor(cr, c);
  cairo_fill(cr);
  cairo_restore(cr);
}

void plusMinusIcon(cairo_t* cr, double cx, double cy, double s, bool plus, RGB c) {
  double t = std::max(2.0, s * 0.18), l = s * 0.5;
  cairo_save(cr);
  cairo_rectangle(cr, cx - l / 2, cy - t / 2, l, t);
  if (plus) cairo_rectangle(cr, cx - t / 2, cy - l / 2, t, l);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke_preserve(cr);
  setColor(cr, c);
  cairo_fill(cr);
  cairo_restore(cr);
}

void starPath(cairo_t* cr, double cx, double cy, double r, double inner, double rot) {
  for (int i = 0; i < 10; ++i) {
    double a = (rot + i * 36) * M_PI / 180, rr = (i % 2) ? r * inner : r;
    if (i == 0)
      cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
    else
      cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
  }
  cairo_close_path(cr);
}

void goldStar(cairo_t* cr, double cx, double cy, double r) {
  cairo_save(cr);
  starPath(cr, cx + 0.8, cy + 1.0, r, 0.45);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  cairo_fill(cr);
  starPath(cr, cx, cy, r, 0.45);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.4, 0, cx, cy, r * 1.1);
  cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.96, 0.75);
  cairo_pattern_add_color_stop_rgb(p, 0.45, pal::goldLit.r, pal::goldLit.g, pal::goldLit.b);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.62, 0.44, 0.12);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 0.25, 0.15, 0.02, 0.9);
  cairo_set_line_width(cr, std::max(0.8, r * 0.07));
  cairo_stroke(cr);
  // Facets: lines from the centre to the points.
  for (int i = 0; i < 5; ++i) {
    double a = (-90 + i * 72) * M_PI / 180;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.8 * std::cos(a), cy + r * 0.8 * std::sin(a));
  }
  cairo_set_source_rgba(cr, 1, 1, 0.9, 0.35);
  cairo_set_line_width(cr, std::max(0.6, r * 0.05));
  cairo_stroke(cr);
  cairo_restore(cr);
}

void gem(cairo_t* cr, double cx, double cy, double r, RGB c) {
  cairo_save(cr);
  cairo_arc(cr, cx + 0.6, cy + 0.8, r, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, 0, cx, cy, r);
  RGB hi = mix(c, hex(0xFFFFFF), 0.65);
  cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 0.5, c.r, c.g, c.b);
  RGB lo = scale(c, 0.45);
  cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 0.1, 0.06, 0.0, 0.9);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void glove(cairo_t* cr, double cx, double cy, double s, double angle, RGB c, RGB cuff) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, s / 100.0, s / 100.0);
  auto bodyPath = [&]() {
    cairo_new_path(cr);
    cairo_move_to(cr, -28, 30);
    cairo_curve_to(cr, -44, 10, -46, -30, -20, -44);
    cairo_curve_to(cr, 0, -54, 34, -50, 40, -26);
    cairo_curve_to(cr, 46, -4, 38, 22, 26, 30);
    cairo_close_path(cr);
  };
  // Shadow, body, thumb, cuff, lace.
  cairo_save(cr);
  cairo_translate(cr, 4, 5);
  bodyPath();
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_fill(cr);
  cairo_restore(cr);
  bodyPath();
  cairo_pattern_t* p = cairo_pattern_create_radial(-8, -26, 4, 0, -5, 58);
  RGB hi = mix(c, hex(0xFFFFFF), 0.5), lo = scale(c, 0.4);
  cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 0.45, c.r, c.g, c.b);
  cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  // Thumb.
  cairo_move_to(cr, -30, 14);
  cairo_curve_to(cr, -52, 8, -54, -14, -38, -18);
  cairo_curve_to(cr, -30, -12, -24, 0, -18, 8);
  cairo_close_path(cr);
  p = cairo_pattern_create_linear(-54, 0, -18, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, lo.r, lo.g, lo.b);
  cairo_pattern_add_color_stop_rgb(p, 1, c.r, c.g, c.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // Cuff.
  roundRect(cr, -27, 26, 54, 30, 5);
  p = cairo_pattern_create_linear(-27, 0, 27, 0);
  RGB chi = mix(cuff, hex(0xFFFFFF), 0.35), clo = scale(cuff, 0.55);
  cairo_pattern_add_color_stop_rgb(p, 0, clo.r, clo.g, clo.b);
  cairo_pattern_add_color_stop_rgb(p, 0.4, chi.r, chi.g, chi.b);
  cairo_pattern_add_color_stop_rgb(p, 1, clo.r, clo.g, clo.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.8);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, -20, 34);
  cairo_line_to(cr, 20, 34);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // Highlight on the knuckles.
  cairo_arc(cr, -2, -30, 14, M_PI * 1.1, M_PI * 1.75);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void tabIcon(cairo_t* cr, int which, double cx, double cy, double s, RGB c) {
  // Engraved: a light lower-right rim and a dark body, drawn twice.
  for (int pass = 0; pass < 2; ++pass) {
    cairo_save(cr);
    cairo_translate(cr, cx + (pass == 0 ? 1.2 : 0), cy + (pass == 0 ? 1.2 : 0));
    cairo_scale(cr, s / 40.0, s / 40.0);
    RGB col = pass == 0 ? hex(0x000000) : c;
    double a = pass == 0 ? 0.7 : 1.0;
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, col, a);
    switch (which) {
      case 0: {  // calendar
        roundRect(cr, -16, -13, 32, 29, 3);
        cairo_stroke(cr);
        cairo_rectangle(cr, -16, -13, 32, 8);
        cairo_fill(cr);
        for (int i : {-9, 9}) {
          cairo_move_to(cr, i, -18);
          cairo_line_to(cr, i, -10);
        }
        cairo_stroke(cr);
        for (int r = 0; r < 3; ++r)
          for (int k = 0; k < 4; ++k) cairo_rectangle(cr, -12 + k * 7, -1 + r * 5.5, 4, 3.5);
        cairo_fill(cr);
        break;
      }
      case 1: {  // boxer: head and raised gloves
        cairo_arc(cr, 0, -8, 7, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_move_to(cr, -15, 18);
        cairo_curve_to(cr, -14, 4, -6, 1, 0, 1);
        cairo_curve_to(cr, 6, 1, 14, 4, 15, 18);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_arc(cr, -13, -6, 6.5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_arc(cr, 13, -6, 6.5, 0, 2 * M_PI);
        cairo_fill(cr);
        break;
      }
      case 2: {  // coins
        for (int i = 0; i < 4; ++i) {
          cairo_save(cr);
          cairo_translate(cr, -5, 12 - i * 6);
          cairo_scale(cr, 1, 0.38);
          cairo_arc(cr, 0, 0, 11, 0, 2 * M_PI);
          cairo_restore(cr);
          cairo_stroke(cr);
        }
        cairo_arc(cr, 9, 3, 10, 0, 2 * M_PI);
        cairo_stroke(cr);
        setFont(cr, Face::Heading, 13);
        cairo_move_to(cr, 5.2, 7.8);
        cairo_show_text(cr, "$");
        break;
      }
      case 3: {  // ladder
        cairo_move_to(cr, -10, -18);
        cairo_line_to(cr, -10, 18);
        cairo_move_to(cr, 10, -18);
        cairo_line_to(cr, 10, 18);
        for (int i = 0; i < 5; ++i) {
          cairo_move_to(cr, -10, -13 + i * 7);
          cairo_line_to(cr, 10, -13 + i * 7);
        }
        cairo_stroke(cr);
        cairo_arc(cr, 16, -15, 3, 0, 2 * M_PI);
        cairo_fill(cr);
        break;
      }
      case 4: {  // magnifier
        cairo_set_line_width(cr, 3.2);
        cairo_arc(cr, -4, -4, 11, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 6);
        cairo_move_to(cr, 4, 4);
        cairo_line_to(cr, 15, 15);
        cairo_stroke(cr);
        break;
      }
      case 5: {  // disk
        cairo_move_to(cr, -16, -16);
        cairo_line_to(cr, 11, -16);
        cairo_line_to(cr, 16, -11);
        cairo_line_to(cr, 16, 16);
        cairo_line_to(cr, -16, 16);
        cairo_close_path(cr);
        cairo_stroke(cr);
        cairo_rectangle(cr, -9, -16, 17, 10);
        cairo_fill(cr);
        roundRect(cr, -10, 2, 20, 11, 1.5);
        cairo_stroke(cr);
        break;
      }
    }
    cairo_restore(cr);
  }
}

}  // namespace art
