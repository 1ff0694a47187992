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

// ---- damaged and foreign picture files ------------------------------------------------------

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// An uncompressed-colour, run-length encoded TGA of width x 1 grey pixels, 32 bits a pixel.
std::string runLengthTga(int width) {
  std::string t(18, '\0');
  t[2] = 10;  // run-length true colour
  t[12] = char(width & 0xFF);
  t[13] = char(width >> 8);
  t[14] = 1;
  t[16] = 32;
  t[17] = 8;
  for (int left = width; left > 0; left -= 128) {
    const int run = left < 128 ? left : 128;
    t += char(0x80 | (run - 1));
    t += std::string("\x80\x80\x80\xFF", 4);
  }
  return t;
}

TEST(Images, OnlyTheEnginesFormatsAreRead) {
  // A portable bitmap is a format of the image library but not of the engine: a file holding one
  // is not decoded, whatever it is called.
  const std::string pbm = "P1\n2 2\n0 1\n1 0\n";
  for (const char* name : {"a.png", "a.jpg", "a.bmp"}) {
    auto image = KImage::DecodeImageMemory(name, bytesOf(pbm), pbm.size());
    ASSERT_TRUE(image) << name;
    EXPECT_EQ(image->Width(), 0) << name;
  }
  // The engine's formats are still told by their first bytes: a PNG called .jpg is read.
  TempDir dir;
  std::vector<uint8_t> pixels = pattern(3, 2);
  ASSERT_TRUE(KImage::SaveImage(pixels.data(), 3, 2, dir.file("m.png").c_str(), kImagePNG));
  const std::string png = readAll(dir.file("m.png"));
  auto image = KImage::DecodeImageMemory("photo.jpg", bytesOf(png), png.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 3);
}

TEST(Images, PicturesWiderThan2048PixelsAreRefused) {
  // A few hundred bytes of run-length data make a picture of any width; one wider than 32,767
  // pixels would not even fit the picture's size.
  for (int width : {2048, 2049, 40000}) {
    const std::string tga = runLengthTga(width);
    auto image = KImage::DecodeImageMemory("wide.tga", bytesOf(tga), tga.size());
    ASSERT_TRUE(image) << width;
    EXPECT_EQ(image->Width(), width == 2048 ? 2048 : 0) << width;
    EXPECT_EQ(image->Height(), width == 2048 ? 1 : 0) << width;
  }
}

TEST(Images, GifPicturesAreTheirFirstFrame) {
  // 2 x 2 pixels of four colours, the fourth transparent.
  const std::string gif("GIF89a\x02\x00\x02\x00\xF1\x00\x00"
                        "\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\xFF\xFF\xFF"
                        "\x21\xF9\x04\x01\x00\x00\x03\x00"
                        "\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x00"
                        "\x02\x03\x44\x34\x05\x00\x3B", 50);
  auto image = KImage::DecodeImageMemory("g.png", bytesOf(gif), gif.size());
  ASSERT_TRUE(image);
  ASSERT_EQ(image->Width(), 2);
  ASSERT_EQ(image->Height(), 2);
  EXPECT_TRUE(image->HasAlpha());
  const uint8_t* topLeft = image->RowFromTop(0);
  EXPECT_EQ(topLeft[2], 255);  // red
  EXPECT_EQ(topLeft[3], 255);
  const uint8_t* bottomRight = image->RowFromTop(1) + 4;
  EXPECT_EQ(bottomRight[3], 0);  // the transparent colour
}

}  // namespace
