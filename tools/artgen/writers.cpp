// Picture writers (PNG through libpng, JPEG through libjpeg, TGA by hand) and the registry.
#include <cstddef>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>

#include <algorithm>

#include "artgen.h"

namespace art {

std::vector<Made> made;

Pixels toPixels(const Canvas& c) {
  cairo_surface_flush(c.surface());
  Pixels p;
  p.w = c.width();
  p.h = c.height();
  p.rgba.resize(static_cast<size_t>(p.w) * p.h * 4);
  const unsigned char* data = cairo_image_surface_get_data(c.surface());
  int stride = cairo_image_surface_get_stride(c.surface());
  for (int y = 0; y < p.h; ++y) {
    const uint32_t* r = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < p.w; ++x) {
      uint32_t v = r[x];
      uint32_t a = v >> 24;
      uint8_t* o = &p.rgba[(static_cast<size_t>(y) * p.w + x) * 4];
      auto un = [&](int s) -> uint8_t {
        uint32_t ch = (v >> s) & 255;
        return a == 0 ? 0 : static_cast<uint8_t>(std::min<uint32_t>(255, (ch * 255 + a / 2) / a));
      };
      o[0] = un(16);
      o[1] = un(8);
      o[2] = un(0);
      o[3] = static_cast<uint8_t>(a);
    }
  }
  return p;
}

namespace {
FILE* openOut(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  return f;
}
}  // namespace

void writePng(const Pixels& p, const std::string& path, bool opaque) {
  FILE* f = openOut(path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    throw std::runtime_error("PNG writing failed: " + path);
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, p.w, p.h, 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, opaque ? 9 : 6);
  png_write_info(png, info);
  std::vector<uint8_t> rgb(static_cast<size_t>(p.w) * 3);
  for (int y = 0; y < p.h; ++y) {
    const uint8_t* row = &p.rgba[static_cast<size_t>(y) * p.w * 4];
    if (!opaque) {
      png_write_row(png, const_cast<png_bytep>(row));
      continue;
    }
    for (int x = 0; x < p.w; ++x)
      for (int k = 0; k < 3; ++k) rgb[x * 3 + k] = row[x * 4 + k];
    png_write_row(png, rgb.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

void writeJpeg(const Pixels& p, const std::string& path, int quality) {
  FILE* f = openOut(path);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = p.w;
  cinfo.image_height = p.h;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  // Full colour resolution: small captions and thin gold lines stay crisp.
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(p.w) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* src = &p.rgba[static_cast<size_t>(cinfo.next_scanline) * p.w * 4];
    for (int x = 0; x < p.w; ++x) {
      // Pictures without alpha are composed on black.
      unsigned a = src[x * 4 + 3];
      for (int k = 0; k < 3; ++k) row[x * 3 + k] = static_cast<uint8_t>(src[x * 4 + k] * a / 255);
    }
    JSAMPROW rp = row.data();
    jpeg_write_scanlines(&cinfo, &rp, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(f);
}

void writeTga(const Pixels& p, const std::string& path) {
  FILE* f = openOut(path);
  uint8_t h[18] = {};
  h[2] = 2;  // uncompressed true colour
  h[12] = static_cast<uint8_t>(p.w & 255);
  h[13] = static_cast<uint8_t>(p.w >> 8);
  h[14] = static_cast<uint8_t>(p.h & 255);
  h[15] = static_cast<uint8_t>(p.h >> 8);
  h[16] = 32;
  h[17] = 8;  // 8 alpha bits, rows stored bottom-up
  std::fwrite(h, 1, sizeof h, f);
  std::vector<uint8_t> row(static_cast<size_t>(p.w) * 4);
  for (int y = p.h - 1; y >= 0; --y) {
    const uint8_t* src = &p.rgba[static_cast<size_t>(y) * p.w * 4];
    for (int x = 0; x < p.w; ++x) {
      row[x * 4 + 0] = src[x * 4 + 2];
      row[x * 4 + 1] = src[x * 4 + 1];
      row[x * 4 + 2] = src[x * 4 + 0];
      row[x * 4 + 3] = src[x * 4 + 3];
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  std::fclose(f);
}

static bool endsWith(const std::string& s, const std::string& e) {
  return s.size() >= e.size() && s.compare(s.size() - e.size(), e.size(), e) == 0;
}

void writePicture(const Canvas& c, const std::string& path) {
  // Review images: opaque, compressed hard.
  writePng(toPixels(c), path, true);
}

void emit(const Canvas& c, const std::string& name) {
  Pixels p = toPixels(c);
  std::string path = opt.gfxDir + "/" + name;
  if (endsWith(name, ".jpg"))
    writeJpeg(p, path);
  else if (endsWith(name, ".tga"))
    writeTga(p, path);
  else
    writePng(p, path);
  made.push_back(Made{name, std::move(p)});
}

// ---- registry ---------------------------------------------------------------------------------
namespace {
std::vector<PictureInfo>& pics() {
  static std::vector<PictureInfo> v;
  return v;
}
std::vector<Region>& regs() {
  static std::vector<Region> v;
  return v;
}
}  // namespace

void addPicture(const std::string& name, int w, int h, const std::string& shows,
                const std::string& usedBy) {
  pics().push_back(PictureInfo{name, w, h, shows, usedBy});
}
void addRegion(const std::string& picture, const std::string& name, int x, int y, int w, int h,
               const std::string& screen) {
  regs().push_back(Region{picture, name, x, y, w, h, screen});
}
const std::vector<PictureInfo>& pictures() { return pics(); }
const std::vector<Region>& regions() { return regs(); }

}  // namespace art
