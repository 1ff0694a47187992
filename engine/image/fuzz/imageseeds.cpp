// Writes the picture fuzzer's seeds (image_fuzz.cpp): squares cut from shipped pictures, saved
// by the engine in each format it writes (BMP, JPEG, TGA, PNG), two shipped small pictures as
// they are, and a small GIF; each with the fuzzer's four set-up bytes in front.
//
//   brawnmoor-imageseeds OUT
#include <cstdio>
#include <string>
#include <memory>
#include <tuple>
#include <vector>

#include "image/KImage.h"
#include "tools/KFileReader.h"
#include "tools/KTools.h"

namespace {

bool writeSeed(const std::string& path, uint8_t selector, uint8_t keyX, uint8_t keyY, uint8_t alpha,
               const std::vector<uint8_t>& file) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const uint8_t head[4] = {selector, keyX, keyY, alpha};
  bool ok = std::fwrite(head, 1, 4, f) == 4 && std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && ok;
}

// A side x side square from the middle of a picture, rows bottom-up as SaveImage takes them.
std::vector<uint8_t> square(const KDecodedImage& image, int side) {
  std::vector<uint8_t> pixels(size_t(side) * size_t(side) * 4);
  const int x0 = (image.Width() - side) / 2, y0 = (image.Height() - side) / 2;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const uint8_t* p = image.PixelFromBottom(x0 + x, y0 + y);
      for (int k = 0; k < 4; ++k) pixels[(size_t(y) * size_t(side) + size_t(x)) * 4 + size_t(k)] = p[k];
    }
  return pixels;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brawnmoor-imageseeds OUT\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::string scratch = out + "/.scratch";
  int written = 0;
  // Selector bytes: 0 .tga, 1 .jpg, 2 .bmp, 3 .png (image_fuzz.cpp).
  static const struct { const char* extension; int format; uint8_t selector; } kFormats[] = {
      {"tga", kImageTGA, 0}, {"jpg", kImageJPEG, 1}, {"bmp", kImageBMP, 2}, {"png", kImagePNG, 3}};
  for (const char* name : {"data/gfx/SKILLPOINT.png", "data/gfx/STARLET.jpg", "data/gfx/Lumora.tga"}) {
    std::string path = KTools::GetDataPath(name);
    std::unique_ptr<KDecodedImage> image = KImage::DecodeImageFile(path.data());
    if (!image || image->Width() < 12 || image->Height() < 12) {
      std::fprintf(stderr, "imageseeds: cannot read %s\n", name);
      return 1;
    }
    const std::vector<uint8_t> pixels = square(*image, 12);
    const std::string stem = std::string(name).substr(9, std::string(name).find('.') - 9);
    for (const auto& f : kFormats) {
      if (!KImage::SaveImage(pixels.data(), 12, 12, scratch.c_str(), f.format)) return 1;
      std::vector<uint8_t> file;
      if (!KFileReader::ReadWholeFile(scratch.c_str(), file)) return 1;
      if (!writeSeed(out + "/" + stem + "-cut." + f.extension, f.selector, uint8_t(written % 3), 0, 1, file)) return 1;
      ++written;
    }
  }
  std::remove(scratch.c_str());
  // Shipped small pictures whole: a TGA with a key pixel at the corner, a PNG with alpha.
  for (const auto& [name, selector, key] : {std::tuple{"data/gfx/pointer.tga", uint8_t(0), uint8_t(0)},
                                           std::tuple{"data/gfx/FIGHTICO.png", uint8_t(3), uint8_t(255)}}) {
    std::vector<uint8_t> file;
    if (!KFileReader::ReadWholeFile(KTools::GetDataPath(name), file)) return 1;
    if (!writeSeed(out + "/" + std::string(name).substr(9), selector, key, key, 1, file)) return 1;
    ++written;
  }
  // A 2 x 2 GIF of four colours (selector 4: straight from the codec).
  const std::vector<uint8_t> gif = {
      'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0xF1, 0, 0,            // screen, 4-colour table
      255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255,                  // red, green, blue, white
      0x21, 0xF9, 4, 1, 0, 0, 3, 0,                                    // colour 3 transparent
      0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0,                                 // the image, 2 x 2
      2, 3, 0x44, 0x34, 0x05, 0, 0x3B};
  if (!writeSeed(out + "/four-colours.gif", 4, 255, 255, 1, gif)) return 1;
  ++written;
  std::printf("imageseeds: %d seed files in %s\n", written, out.c_str());
  return 0;
}
