#include <cstdint>
#include <cstdio>
#include <vector>

#include "art/art.h"

namespace vantorel {

namespace {

void put16(std::vector<unsigned char>& out, uint16_t v) {
  out.push_back(v & 255);
  out.push_back(v >> 8);
}
void put32(std::vector<unsigned char>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 255);
}

}  // namespace

bool writeBitmap(const Surface& surface, const std::string& path) {
  cairo_surface_t* s = surface.get();
  if (cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) return false;
  cairo_surface_flush(s);
  const int width = cairo_image_surface_get_width(s);
  const int height = cairo_image_surface_get_height(s);
  const int stride = cairo_image_surface_get_stride(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const uint32_t pixels = uint32_t(width) * uint32_t(height) * 4;

  std::vector<unsigned char> out;
  out.reserve(54 + pixels);
  // The file header, then BITMAPINFOHEADER.
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + pixels);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, uint32_t(width));
  put32(out, uint32_t(height));  // positive: the last row first
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);  // BI_RGB
  put32(out, pixels);
  put32(out, 2835);  // 72 dots an inch
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < width; ++x) put32(out, row[x]);  // 0xAARRGGBB: bytes B, G, R, A
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace vantorel
