// Pictures, writers and noise.
#include "core.h"

#include <jpeglib.h>
#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace boxerart {

namespace {
uint8_t byte(double v) { return uint8_t(std::lround(clamp01(v) * 255.0)); }
}  // namespace

void Image::set(int x, int y, Col c, double a) {
  uint8_t* p = at(x, y);
  p[0] = byte(c.r);
  p[1] = byte(c.g);
  p[2] = byte(c.b);
  p[3] = byte(a);
}

Col Image::get(int x, int y) const {
  const uint8_t* p = at(x, y);
  return {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0};
}

Col Image::sample(double fx, double fy) const {
  fx -= 0.5;
  fy -= 0.5;
  double flx = std::floor(fx), fly = std::floor(fy);
  int x0 = int(flx), y0 = int(fly);
  double tx = fx - flx, ty = fy - fly;
  auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
  int xa = wrap(x0, w), xb = wrap(x0 + 1, w), ya = wrap(y0, h), yb = wrap(y0 + 1, h);
  Col a = get(xa, ya), b = get(xb, ya), c = get(xa, yb), d = get(xb, yb);
  return mix(mix(a, b, tx), mix(c, d, tx), ty);
}

void Image::over(const Image& src, int x, int y, double alpha) {
  for (int sy = 0; sy < src.h; ++sy) {
    int dy = y + sy;
    if (dy < 0 || dy >= h) continue;
    for (int sx = 0; sx < src.w; ++sx) {
      int dx = x + sx;
      if (dx < 0 || dx >= w) continue;
      const uint8_t* s = src.at(sx, sy);
      uint8_t* d = at(dx, dy);
      double sa = s[3] / 255.0 * alpha, da = d[3] / 255.0;
      double oa = sa + da * (1 - sa);
      if (oa <= 0) {
        d[0] = d[1] = d[2] = d[3] = 0;
        continue;
      }
      for (int k = 0; k < 3; ++k)
        d[k] = byte((s[k] / 255.0 * sa + d[k] / 255.0 * da * (1 - sa)) / oa);
      d[3] = byte(oa);
    }
  }
}

Image Image::reduced(int f) const {
  Image out(w / f, h / f);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x) {
      double acc[4] = {0, 0, 0, 0};
      for (int j = 0; j < f; ++j)
        for (int i = 0; i < f; ++i) {
          const uint8_t* p = at(x * f + i, y * f + j);
          double a = p[3] / 255.0;
          for (int k = 0; k < 3; ++k) acc[k] += p[k] / 255.0 * a;
          acc[3] += a;
        }
      uint8_t* o = out.at(x, y);
      double n = double(f * f);
      for (int k = 0; k < 3; ++k) o[k] = acc[3] > 0 ? byte(acc[k] / acc[3]) : 0;
      o[3] = byte(acc[3] / n);
    }
  return out;
}

Image Image::scaled(int nw, int nh) const {
  Image out(nw, nh);
  double sx = double(w) / nw, sy = double(h) / nh;
  for (int y = 0; y < nh; ++y)
    for (int x = 0; x < nw; ++x) {
      double acc[4] = {0, 0, 0, 0};
      double x0 = x * sx, x1 = (x + 1) * sx, y0 = y * sy, y1 = (y + 1) * sy;
      if (sx <= 1 && sy <= 1) {
        // Enlarging: bilinear between pixel centres, clamped at the border.
        double fx = (x + 0.5) * sx - 0.5, fy = (y + 0.5) * sy - 0.5;
        int ix = std::clamp(int(std::floor(fx)), 0, w - 1), iy = std::clamp(int(std::floor(fy)), 0, h - 1);
        int jx = std::min(ix + 1, w - 1), jy = std::min(iy + 1, h - 1);
        double tx = clamp01(fx - ix), ty = clamp01(fy - iy);
        const uint8_t* q[4] = {at(ix, iy), at(jx, iy), at(ix, jy), at(jx, jy)};
        double wt[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
        for (int n = 0; n < 4; ++n) {
          double a = q[n][3] / 255.0 * wt[n];
          for (int k = 0; k < 3; ++k) acc[k] += q[n][k] / 255.0 * a;
          acc[3] += a;
        }
        uint8_t* o = out.at(x, y);
        for (int k = 0; k < 3; ++k) o[k] = acc[3] > 0 ? byte(acc[k] / acc[3]) : 0;
        o[3] = byte(acc[3]);
        continue;
      }
      double area = 0;
      for (int py = int(y0); py < int(std::ceil(y1)) && py < h; ++py)
        for (int px2 = int(x0); px2 < int(std::ceil(x1)) && px2 < w; ++px2) {
          double wx = std::min<double>(px2 + 1, x1) - std::max<double>(px2, x0);
          double wy = std::min<double>(py + 1, y1) - std::max<double>(py, y0);
          double wgt = std::max(0.0, wx) * std::max(0.0, wy);
          const uint8_t* p = at(px2, py);
          double a = p[3] / 255.0 * wgt;
          for (int k = 0; k < 3; ++k) acc[k] += p[k] / 255.0 * a;
          acc[3] += a;
          area += wgt;
        }
      uint8_t* o = out.at(x, y);
      for (int k = 0; k < 3; ++k) o[k] = acc[3] > 0 ? byte(acc[k] / acc[3]) : 0;
      o[3] = area > 0 ? byte(acc[3] / area) : 0;
    }
  return out;
}

Image Image::crop(int x, int y, int cw, int ch) const {
  Image out(cw, ch);
  for (int j = 0; j < ch; ++j)
    for (int i = 0; i < cw; ++i) {
      int sx = x + i, sy = y + j;
      if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
      std::copy_n(at(sx, sy), 4, out.at(i, j));
    }
  return out;
}

namespace {
FILE* openOut(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  return f;
}
}  // namespace

void writePng(const Image& img, const std::string& path, bool opaque) {
  FILE* f = openOut(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    throw std::runtime_error("PNG writing failed: " + path);
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, img.w, img.h, 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  std::vector<uint8_t> row(size_t(img.w) * 4);
  for (int y = 0; y < img.h; ++y) {
    const uint8_t* src = img.at(0, y);
    if (opaque) {
      for (int x = 0; x < img.w; ++x)
        for (int k = 0; k < 3; ++k) row[size_t(x) * 3 + k] = src[size_t(x) * 4 + k];
    } else {
      std::copy_n(src, size_t(img.w) * 4, row.data());
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(f) != 0) throw std::runtime_error("cannot finish " + path);
}

void writeJpeg(const Image& img, const std::string& path, int quality, bool fullChroma) {
  FILE* f = openOut(path);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = JDIMENSION(img.w);
  cinfo.image_height = JDIMENSION(img.h);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  if (fullChroma) {
    cinfo.comp_info[0].h_samp_factor = 1;
    cinfo.comp_info[0].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(img.w) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* src = img.at(0, int(cinfo.next_scanline));
    for (int x = 0; x < img.w; ++x)
      for (int k = 0; k < 3; ++k) row[size_t(x) * 3 + k] = src[size_t(x) * 4 + k];
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(f) != 0) throw std::runtime_error("cannot finish " + path);
}

bool readJpeg(const std::string& path, Image& img) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  jpeg_decompress_struct cinfo;
  struct Err {
    jpeg_error_mgr mgr;
    jmp_buf jump;
  } err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = [](j_common_ptr c) { longjmp(reinterpret_cast<Err*>(c->err)->jump, 1); };
  // Everything that lives across a jump back to setjmp is made before it.
  Image out;
  std::vector<uint8_t> row;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out = Image(int(cinfo.output_width), int(cinfo.output_height));
  row.assign(size_t(cinfo.output_width) * 3, 0);
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = int(cinfo.output_scanline);
    JSAMPROW r = row.data();
    jpeg_read_scanlines(&cinfo, &r, 1);
    for (int x = 0; x < out.w; ++x) {
      uint8_t* o = out.at(x, y);
      o[0] = row[size_t(x) * 3];
      o[1] = row[size_t(x) * 3 + 1];
      o[2] = row[size_t(x) * 3 + 2];
      o[3] = 255;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(f);
  img = std::move(out);
  return true;
}

bool readPng(const std::string& path, Image& img) {
  png_image pi;
  std::memset(&pi, 0, sizeof pi);
  pi.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&pi, path.c_str())) return false;
  pi.format = PNG_FORMAT_RGBA;
  Image out(int(pi.width), int(pi.height));
  if (!png_image_finish_read(&pi, nullptr, out.px.data(), 0, nullptr)) {
    png_image_free(&pi);
    return false;
  }
  img = std::move(out);
  return true;
}

void makeDirs(const std::string& path) {
  std::string cur;
  for (size_t i = 0; i <= path.size(); ++i) {
    if ((i == path.size() || path[i] == '/') && !cur.empty()) mkdir(cur.c_str(), 0755);
    if (i < path.size()) cur += path[i];
  }
}

void copyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
  if (!in || !out) throw std::runtime_error("cannot copy " + from + " to " + to);
}

double hash2(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double vnoise(double x, double y, uint32_t seed, int periodX) {
  double flx = std::floor(x), fly = std::floor(y);
  int xi = int(flx), yi = int(fly);
  double fx = x - flx, fy = y - fly;
  double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  auto wx = [&](int v) { return periodX > 0 ? ((v % periodX) + periodX) % periodX : v; };
  double a = hash2(wx(xi), yi, seed), b = hash2(wx(xi + 1), yi, seed);
  double c = hash2(wx(xi), yi + 1, seed), d = hash2(wx(xi + 1), yi + 1, seed);
  double top = a + (b - a) * sx, bottom = c + (d - c) * sx;
  return top + (bottom - top) * sy;
}

double fbm(double x, double y, int octaves, uint32_t seed, int periodX) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * vnoise(x, y, seed + uint32_t(i) * 101u, periodX);
    norm += amp;
    x *= 2;
    y *= 2;
    periodX *= 2;
    amp *= 0.5;
  }
  return sum / norm;
}

}  // namespace boxerart
