#include "image/KImage.h"

#include <cctype>
#include <cstring>
#include <string>

#include "platform/image_codec.h"
#include "tools/KFileReader.h"

class KImageFactory {
 public:
  static std::unique_ptr<KDecodedImage> Decode(const uint8_t* bytes, size_t size, const char* type) {
    auto image = std::make_unique<KDecodedImage>();
    platform::DecodedPixels pixels;
    if (platform::decodeImage(bytes, size, type, pixels)) {
      image->width_ = pixels.width;
      image->height_ = pixels.height;
      image->bitsPerPixel_ = pixels.bitsPerPixel;
      image->hasAlpha_ = pixels.hasAlpha;
      image->bgra_ = std::move(pixels.bgra);
    }
    // A file that does not decode still gives an image, of 0 x 0 pixels.
    return image;
  }
};

namespace KImage {
namespace {

bool gifAllowed = true;

// The decoders to try for a name, in the order the name is searched.
std::unique_ptr<KDecodedImage> decodeByName(const std::string& name, const uint8_t* bytes,
                                            size_t size, bool withGif) {
  static const struct { const char* extension; const char* type; } kDecoders[] = {
      {".tga", "TGA"}, {".jpg", "JPG"}, {".bmp", "BMP"}, {".png", "PNG"}, {".gif", "GIF"}};
  std::unique_ptr<KDecodedImage> result;
  for (const auto& d : kDecoders) {
    if (!withGif && std::strcmp(d.type, "GIF") == 0) continue;
    if (name.find(d.extension) == std::string::npos) continue;
    result = KImageFactory::Decode(bytes, size, d.type);  // the last one found wins
  }
  return result;
}

}  // namespace

void SetGifAllowed(bool allowed) { gifAllowed = allowed; }

std::unique_ptr<KDecodedImage> DecodeImageFile(char* path) {
  if (!path) return nullptr;
  for (char* p = path; *p; ++p) *p = char(std::tolower(static_cast<unsigned char>(*p)));
  std::vector<uint8_t> bytes;
  if (!KFileReader::ReadWholeFile(path, bytes) || bytes.empty()) return nullptr;
  return decodeByName(path, bytes.data(), bytes.size(), gifAllowed);
}

std::unique_ptr<KDecodedImage> DecodeImageMemory(const char* name, const uint8_t* bytes, size_t size) {
  if (!bytes || !name) return nullptr;
  return decodeByName(name, bytes, size, false);
}

bool SaveImage(const uint8_t* bgraBottomUp, int width, int height, const char* path, int format) {
  return platform::encodeImage(bgraBottomUp, width, height, path, format);
}

}  // namespace KImage
