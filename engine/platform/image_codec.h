// Image decoding and encoding for the engine's image facility, on SDL2_image (PNG, JPEG, BMP,
// TGA), stb_image (GIF), SDL (BMP) and stb_image_write (TGA).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct DecodedPixels {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  bool hasAlpha = false;
  std::vector<uint8_t> bgra;  // width x height pixels, rows top-down, bytes B, G, R, A
};

// Decodes a whole file held in memory as the given type ("TGA", "JPG", "BMP", "PNG", "GIF"):
// a TGA file as TGA; otherwise its first bytes choose among BMP, GIF, JPEG and PNG, whatever the
// type says. False when it is none of these, a picture without pixels, or one with a side beyond
// 2,048 pixels (refused from the header, before anything is allocated for it). A GIF file gives
// its first frame on its logical screen.
bool decodeImage(const uint8_t* bytes, size_t size, const char* type, DecodedPixels& out);

// Writes 32-bit B, G, R, A pixels (rows bottom-up, width x 4 bytes each) to a file:
// format 0 BMP, 1 JPEG, 2 TGA, 3 PNG. False when nothing was written.
bool encodeImage(const uint8_t* bgraBottomUp, int width, int height, const char* path, int format);

}  // namespace platform
