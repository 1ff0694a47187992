#include "image/KImage.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "support/tempdir.h"

namespace {

// A 5 x 3 picture, rows bottom-up as a renderer reads them back: each pixel tells its place.
std::vector<uint8_t> pattern(int w, int h) {
  std::vector<uint8_t> p(size_t(w) * size_t(h) * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* px = &p[(size_t(y) * size_t(w) + size_t(x)) * 4];
      px[0] = uint8_t(40 * x);       // blue
      px[1] = uint8_t(80 * y);       // green
      px[2] = uint8_t(200 - 30 * x);  // red
      px[3] = uint8_t(255 - 60 * y);  // alpha
    }
  return p;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Images, SavedPixelsComeBack) {
  TempDir dir;
  const int w = 5, h = 3;
  std::vector<uint8_t> pixels = pattern(w, h);
  struct Case { int format; const char* name; bool alpha; int tolerance; } cases[] = {
      {kImagePNG, "shot.png", true, 0}, {kImageTGA, "shot.tga", true, 0},
      {kImageBMP, "shot.bmp", false, 0}, {kImageJPEG, "shot.jpg", false, 60}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(KImage::SaveImage(pixels.data(), w, h, dir.file(c.name).c_str(), c.format));
    std::string path = dir.file(c.name);
    auto image = KImage::DecodeImageFile(path.data());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->Width(), w);
    ASSERT_EQ(image->Height(), h);
    if (c.format == kImageJPEG) continue;  // lossy; its size is checked above
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint8_t* want = &pixels[(size_t(y) * w + size_t(x)) * 4];
        const uint8_t* got = image->PixelFromBottom(x, y);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], want[k], c.tolerance) << x << "," << y;
        if (c.alpha) {
          EXPECT_EQ(got[3], want[3]) << x << "," << y;
        }
      }
  }
  EXPECT_FALSE(KImage::SaveImage(pixels.data(), w, h, dir.file("shot.xyz").c_str(), 4));
  EXPECT_FALSE(KImage::SaveImage(pixels.data(), 0, h, dir.file("none.png").c_str(), kImagePNG));
}

TEST(Images, TheExtensionChoosesTheDecoderOnTheLowerCasedPath) {
  TempDir dir;
  std::vector<uint8_t> pixels = pattern(4, 4);
  ASSERT_TRUE(KImage::SaveImage(pixels.data(), 4, 4, dir.file("menu.png").c_str(), kImagePNG));
  // Written in capitals: found through the case-insensitive reader, decoded as PNG, and the
  // caller's text is lower-cased.
  std::string upper = dir.file("MENU.PNG");
  auto image = KImage::DecodeImageFile(upper.data());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 4);
  std::string lowered = dir.file("MENU.PNG");
  for (char& ch : lowered) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  EXPECT_EQ(upper, lowered);
  // ".tga" and ".png" in one name: the later decoder (PNG) wins.
  ASSERT_TRUE(KImage::SaveImage(pixels.data(), 4, 4, dir.file("a.tga.png").c_str(), kImagePNG));
  std::string both = dir.file("a.tga.png");
  image = KImage::DecodeImageFile(both.data());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 4);
  // A four-letter JPEG ending is not known.
  ASSERT_TRUE(KImage::SaveImage(pixels.data(), 4, 4, dir.file("photo.jpeg").c_str(), kImageJPEG));
  std::string jpeg = dir.file("photo.jpeg");
  EXPECT_FALSE(KImage::DecodeImageFile(jpeg.data()));
}

TEST(Images, MissingEmptyAndUndecodableFiles) {
  TempDir dir;
  std::string missing = dir.file("none.png");
  EXPECT_FALSE(KImage::DecodeImageFile(missing.data()));
  dir.write("empty.png", "");
  std::string empty = dir.file("empty.png");
  EXPECT_FALSE(KImage::DecodeImageFile(empty.data()));
  // Read but not decodable: an image of 0 x 0.
  dir.write("junk.png", "this is not a picture at all");
  std::string junk = dir.file("junk.png");
  auto image = KImage::DecodeImageFile(junk.data());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 0);
  EXPECT_EQ(image->Height(), 0);
}

TEST(Images, FromMemoryTheNameIsTakenAsItIs) {
  TempDir dir;
  std::vector<uint8_t> pixels = pattern(3, 2);
  ASSERT_TRUE(KImage::SaveImage(pixels.data(), 3, 2, dir.file("m.png").c_str(), kImagePNG));
  std::string bytes = readAll(dir.file("m.png"));
  const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
  auto image = KImage::DecodeImageMemory("icon.png", data, bytes.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 3);
  EXPECT_TRUE(image->HasAlpha());
  EXPECT_FALSE(KImage::DecodeImageMemory("ICON.PNG", data, bytes.size()));  // no lower-casing
  EXPECT_FALSE(KImage::DecodeImageMemory("icon.png", nullptr, 10));
  EXPECT_FALSE(KImage::DecodeImageMemory("icon.gif", data, bytes.size()));  // GIF only from files
}

}  // namespace
