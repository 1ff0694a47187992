#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "art/art.h"

namespace {

using namespace vantorel;

struct Pixel {
  int r, g, b, a;
};

Pixel at(const Surface& s, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(s.get()) + y * cairo_image_surface_get_stride(s.get());
  const uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];  // premultiplied ARGB
  return {int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255), int(p >> 24)};
}

TEST(Art, TheLogoFillsThePictureRectangle) {
  const Surface logo = drawLogo();
  ASSERT_EQ(cairo_surface_status(logo.get()), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(logo.get()), 135);
  EXPECT_EQ(cairo_image_surface_get_height(logo.get()), 99);
  // Rounded corners, an opaque dark panel, a gold rim, the blue board.
  EXPECT_LT(at(logo, 0, 0).a, 128);
  const Pixel panel = at(logo, 67, 5);
  EXPECT_EQ(panel.a, 255);
  EXPECT_LT(panel.r + panel.g + panel.b, 3 * 60);
  const Pixel rim = at(logo, 67, 1);
  EXPECT_GT(rim.r, rim.b + 40);
  const Pixel board = at(logo, 20, 62);
  EXPECT_GT(board.b, board.r + 60);
}

TEST(Art, TheLogoIsTheSameEveryTime) {
  const Surface a = drawLogo(), b = drawLogo();
  const size_t bytes = size_t(cairo_image_surface_get_stride(a.get())) * 99;
  EXPECT_EQ(0, memcmp(cairo_image_surface_get_data(a.get()), cairo_image_surface_get_data(b.get()), bytes));
}

TEST(Art, TheIconIsAMonitorOnATransparentGround) {
  for (int size : {16, 32, 48, 64}) {
    const Surface icon = drawMonitorIcon(size);
    ASSERT_EQ(cairo_image_surface_get_width(icon.get()), size);
    EXPECT_EQ(at(icon, 0, size - 1).a, 0) << size;                       // background
    const Pixel screen = at(icon, size / 5, size / 4);
    EXPECT_EQ(screen.a, 255) << size;
    EXPECT_GT(screen.b, screen.r + 40) << size;                          // the blue screen
    const Pixel foot = at(icon, size / 2, size * 89 / 100);
    EXPECT_GT(foot.r, foot.b + 60) << size;                              // the gold stand
  }
}

TEST(Art, TheLogoIsWrittenAsA32BitBitmapForWindows) {
  const Surface logo = drawLogo();
  const std::string path = ::testing::TempDir() + "vantorel-logo-test.bmp";
  ASSERT_TRUE(writeBitmap(logo, path));
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::vector<unsigned char> bytes(54 + 135 * 99 * 4 + 1);
  const size_t size = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  std::remove(path.c_str());
  ASSERT_EQ(size, 54u + 135 * 99 * 4);
  auto u32 = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24); };
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(u32(2), size);
  EXPECT_EQ(u32(10), 54u);  // where the pixels begin
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(u32(18), 135u);
  EXPECT_EQ(u32(22), 99u);  // bottom-up
  EXPECT_EQ(bytes[28], 32);
  EXPECT_EQ(u32(30), 0u);  // BI_RGB
  // Every pixel as cairo has it, the last row first: B, G, R, A.
  for (int y : {0, 5, 62, 98}) {
    for (int x : {0, 20, 67, 134}) {
      const Pixel p = at(logo, x, y);
      const size_t offset = 54 + (size_t(98 - y) * 135 + x) * 4;
      EXPECT_EQ(bytes[offset], p.b) << x << "," << y;
      EXPECT_EQ(bytes[offset + 1], p.g) << x << "," << y;
      EXPECT_EQ(bytes[offset + 2], p.r) << x << "," << y;
      EXPECT_EQ(bytes[offset + 3], p.a) << x << "," << y;
    }
  }
  EXPECT_FALSE(writeBitmap(logo, ::testing::TempDir() + "no-such-folder/logo.bmp"));
}

// The logo's lettering fills cairo's and fontconfig's caches; they are emptied at the end so
// that the leak checker sees only what the advisor itself keeps.
class EmptyFontCaches : public ::testing::Environment {
 public:
  void TearDown() override {
    cairo_debug_reset_static_data();
    FcFini();
  }
};
const auto* const kFontCaches = ::testing::AddGlobalTestEnvironment(new EmptyFontCaches);

}  // namespace
