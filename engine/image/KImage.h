// Image files for the picture classes: a file or a block of memory turned into a decoded image,
// and screen captures written to image files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class KDecodedImage {
 public:
  int16_t Width() const { return int16_t(width_); }
  int16_t Height() const { return int16_t(height_); }
  int BitsPerPixel() const { return bitsPerPixel_; }
  bool HasAlpha() const { return hasAlpha_; }
  // B, G, R, A of the pixel at x in row y, rows counted from the bottom of the image.
  const uint8_t* PixelFromBottom(int x, int y) const {
    return &bgra_[(size_t(height_ - 1 - y) * size_t(width_) + size_t(x)) * 4];
  }
  // Row r counted from the top: width x 4 bytes B, G, R, A.
  const uint8_t* RowFromTop(int r) const { return &bgra_[size_t(r) * size_t(width_) * 4]; }

 private:
  friend class KImageFactory;
  int width_ = 0, height_ = 0, bitsPerPixel_ = 0;
  bool hasAlpha_ = false;
  std::vector<uint8_t> bgra_;
};

enum KImageFormat { kImageBMP = 0, kImageJPEG = 1, kImageTGA = 2, kImagePNG = 3 };

namespace KImage {

// Lower-cases the path in place, reads the file through the engine's file reader and decodes
// it by its extension (".tga", ".jpg", ".bmp", ".png", and ".gif" while GIF is allowed; when a
// name holds several, the last one tried wins). None when the file is missing, empty or has no
// known extension; a file that does not decode gives a 0 x 0 image.
std::unique_ptr<KDecodedImage> DecodeImageFile(char* path);

// The same from memory; the name, taken as it is, only chooses the decoder (".tga", ".jpg",
// ".bmp", ".png").
std::unique_ptr<KDecodedImage> DecodeImageMemory(const char* name, const uint8_t* bytes, size_t size);

// Writes 32-bit pixels (rows bottom-up, as read back from a renderer) as BMP, JPEG, TGA or PNG.
bool SaveImage(const uint8_t* bgraBottomUp, int width, int height, const char* path, int format);

// Only the OpenGL renderer's pictures load GIF files; the window sets this with the renderer.
void SetGifAllowed(bool allowed);

}  // namespace KImage
