// Fuzzes the picture loader's own code around the image library: the choice of decoder by the
// file's name, the size, depth and alpha it reports, and the picture's load into a power-of-two
// texture with a colour key taken from one of its pixels. An input is four bytes of set-up and
// the file: the name it goes by (byte 0: ".tga", ".jpg", ".bmp", ".png", GIF, "a.png.tga", a
// name without a known extension), the key pixel (bytes 1 and 2; 255 none) and whether the
// texture keeps alpha (byte 3). Whatever the file holds, the picture has the decoded size or
// none, its texture covers it, and nothing reads outside the decoded pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "graphics/KGraphicCommon.h"
#include "image/KImage.h"
#include "platform/image_codec.h"
#include "tools/KTools.h"

namespace {

// The shared picture code over a texture that only checks what it is given.
class CheckedPicture final : public KGraphicCommon {
 public:
  uint32_t sum = 0;

 private:
  int TextureSideFor(int width, int height) const override {
    int side = 1;
    while (side < width || side < height) side *= 2;
    return side;
  }
  short FactorConstant(KBlendFactor) const override { return 0; }
  bool UploadTexture(const uint32_t* argb, int side, bool, bool, bool, bool) override {
    if (side < GetWidth() || side < GetHeight() || (side & (side - 1)) != 0) std::abort();
    // Every texel is read, so a buffer smaller than side x side shows.
    for (size_t i = 0; i < size_t(side) * size_t(side); ++i) sum += argb[i];
    texture_ = true;
    return true;
  }
  void ReleaseTexture() override { texture_ = false; }
  bool HasTexture() const override { return texture_; }
  void UpdateTextureArea(const uint32_t*, int, int, int, int, int) override {}
  void ApplySampler() override {}
  void DrawQuad(const KQuadVertex*, bool, Blending, const float*) override {}
  void DrawPoints(const float*, int, const float*) override {}
  bool ReadScreen(bool, int, int, int, int, std::vector<uint32_t>&) override { return false; }
  void FinishDrawing() override {}
  void BindRepeat() override {}

  bool texture_ = false;
};

const char* const kNames[] = {"p.tga", "p.jpg", "p.bmp", "p.png", nullptr, "p.png.tga", "p.txt"};
constexpr int kNameCount = 7;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KTools::SetMessageBoxHandler([](const char*, const char*) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const char* name = kNames[data[0] % kNameCount];
  const short keyX = data[1] == 255 ? -1 : short(data[1]);
  const short keyY = data[2] == 255 ? -1 : short(data[2]);
  const bool alpha = data[3] & 1;
  const uint8_t* file = data + 4;
  const size_t fileSize = size - 4;

  if (!name) {
    // GIF, which only the OpenGL renderer's pictures read, straight from the codec.
    platform::DecodedPixels pixels;
    if (platform::decodeImage(file, fileSize, "GIF", pixels)) {
      if (pixels.width <= 0 || pixels.height <= 0 ||
          pixels.bgra.size() != size_t(pixels.width) * size_t(pixels.height) * 4)
        std::abort();
    } else if (pixels.width != 0 || pixels.height != 0 || !pixels.bgra.empty()) {
      std::abort();
    }
    return 0;
  }

  std::unique_ptr<KDecodedImage> image = KImage::DecodeImageMemory(name, file, fileSize);
  if (!image) {
    if (data[0] % kNameCount != 6) std::abort();  // only the unknown extension gives none
  } else {
    const int w = image->Width(), h = image->Height();
    if (w < 0 || h < 0 || (w == 0) != (h == 0)) std::abort();
    if (w > 0) {
      // The corner pixels from both ends of the rows.
      uint32_t corners = image->PixelFromBottom(0, 0)[0] + image->PixelFromBottom(w - 1, h - 1)[3] +
                         image->RowFromTop(h - 1)[size_t(w) * 4 - 1];
      (void)corners;
    }
  }

  // The texture's code does the same for every pixel: a large picture (the decoder allows 2,048
  // pixels a side) would make one input cost as much as thousands of small ones, and find nothing
  // a small one does not.
  if (image && int(image->Width()) * int(image->Height()) > 128 * 128) return 0;
  CheckedPicture picture;
  const bool loaded = keyX >= 0 || keyY >= 0
                          ? picture.LoadPictureFromMemoryKeyed(name, file, fileSize, keyX, keyY)
                          : picture.LoadPictureFromMemory(name, file, fileSize, true, alpha);
  if (loaded != bool(image)) std::abort();
  if (image && (picture.GetWidth() != image->Width() || picture.GetHeight() != image->Height())) std::abort();
  return 0;
}
