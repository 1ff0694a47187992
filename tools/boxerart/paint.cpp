// Drawing helpers.
#include "paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

namespace boxerart {

namespace {
FT_Library ftLib = nullptr;
cairo_font_face_t* headingFace = nullptr;
cairo_font_face_t* regularFace = nullptr;

cairo_font_face_t* loadFace(const std::string& path) {
  if (!ftLib && FT_Init_FreeType(&ftLib) != 0) throw std::runtime_error("FreeType does not start");
  FT_Face face;
  if (FT_New_Face(ftLib, path.c_str(), 0, &face) != 0) throw std::runtime_error("cannot read " + path);
  return cairo_ft_font_face_create_for_ft_face(face, 0);
}
}  // namespace

void setFonts(const std::string& heading, const std::string& regular) {
  headingFace = loadFace(heading);
  regularFace = loadFace(regular);
}

Canvas::Canvas(int w, int h) : w_(w), h_(h) {
  surf_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cr_ = cairo_create(surf_);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, fo);
  cairo_font_options_destroy(fo);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surf_);
}

Image Canvas::image() const {
  cairo_surface_flush(surf_);
  Image img(w_, h_);
  const unsigned char* data = cairo_image_surface_get_data(surf_);
  int stride = cairo_image_surface_get_stride(surf_);
  for (int y = 0; y < h_; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
    for (int x = 0; x < w_; ++x) {
      uint32_t v = row[x], a = v >> 24;
      uint8_t* o = img.at(x, y);
      for (int k = 0; k < 3; ++k) {
        uint32_t ch = (v >> (16 - 8 * k)) & 255;
        o[k] = a ? uint8_t(std::min<uint32_t>(255, (ch * 255 + a / 2) / a)) : 0;
      }
      o[3] = uint8_t(a);
    }
  }
  return img;
}

void Canvas::picture(const Image& img, double x, double y, double scale) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.w, img.h);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int yy = 0; yy < img.h; ++yy) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(yy) * size_t(stride));
    for (int xx = 0; xx < img.w; ++xx) {
      const uint8_t* p = img.at(xx, yy);
      uint32_t a = p[3];
      auto pre = [&](int k) { return uint32_t((p[k] * a + 127) / 255); };
      row[xx] = (a << 24) | (pre(0) << 16) | (pre(1) << 8) | pre(2);
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_save(cr_);
  cairo_translate(cr_, x, y);
  cairo_scale(cr_, scale, scale);
  cairo_set_source_surface(cr_, s, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
  cairo_paint(cr_);
  cairo_restore(cr_);
  cairo_surface_destroy(s);
}

void rgba(cairo_t* cr, Col c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void vGradient(cairo_t* cr, double y0, double y1, Col top, Col bottom, double a) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, a);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void font(cairo_t* cr, bool heading, double size) {
  cairo_font_face_t* f = heading ? headingFace : regularFace;
  if (!f) throw std::logic_error("the typefaces are not set");
  cairo_set_font_face(cr, f);
  cairo_set_font_size(cr, size);
}

double textWidth(cairo_t* cr, const std::string& s) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  return e.x_advance;
}

void labelLeft(cairo_t* cr, const std::string& s, double x, double y, Col c, double a) {
  cairo_move_to(cr, x + 1, y + 1);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.75 * a);
  cairo_show_text(cr, s.c_str());
  cairo_move_to(cr, x, y);
  rgba(cr, c, a);
  cairo_show_text(cr, s.c_str());
}

void label(cairo_t* cr, const std::string& s, double x, double y, Col c, double a) {
  labelLeft(cr, s, x - textWidth(cr, s) / 2, y, c, a);
}

void glowStroke(cairo_t* cr, const std::function<void()>& shape, Col c, double width, double a) {
  for (int i = 4; i >= 1; --i) {
    shape();
    cairo_set_line_width(cr, width * i / 4.0);
    rgba(cr, c, a / 3);
    cairo_stroke(cr);
  }
}

void grain(cairo_t* cr, double x, double y, double w, double h, double amount, uint32_t seed) {
  for (int j = 0; j < int(h); j += 2)
    for (int i = 0; i < int(w); i += 2) {
      double n = hash2(i, j, seed) - 0.5;
      cairo_rectangle(cr, x + i, y + j, 2, 2);
      if (n > 0) cairo_set_source_rgba(cr, 1, 1, 1, n * amount);
      else cairo_set_source_rgba(cr, 0, 0, 0, -n * amount);
      cairo_fill(cr);
    }
}

void softSpot(cairo_t* cr, double x, double y, double rx, double ry, Col c, double a) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, a);
  cairo_pattern_add_color_stop_rgba(p, 0.55, c.r, c.g, c.b, a * 0.6);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

}  // namespace boxerart
