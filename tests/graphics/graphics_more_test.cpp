// KGraphic on both renderers, the parts the first suite leaves out: pictures with a mask,
// the software twin's reload after its device was rebuilt, four-corner, stretched and turned
// blits at known places, filtering, wrap, picture scale, GIF files, the message box of a
// picture made before the screen size is known, and what a failed load leaves behind.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "frame.h"
#include "graphics/KGraphicDD.h"
#include "graphics/KGraphicFactory.h"
#include "graphics/KGraphicGL.h"
#include "support/tempdir.h"
#include "support/pixels.h"
#include "tools/KTools.h"
#include "window/KScreen.h"
#include "support/renderers.h"

namespace {

constexpr uint32_t kRed = 0xFF0000u, kGreen = 0x00FF00u, kBlue = 0x0000FFu, kWhite = 0xFFFFFFu;

// 4 x 4, opaque quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
std::vector<uint32_t> quadrants() {
  std::vector<uint32_t> p(16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      p[size_t(y) * 4 + size_t(x)] = 0xFF000000u | (y < 2 ? (x < 2 ? kRed : kGreen) : (x < 2 ? kBlue : kWhite));
  return p;
}

class MorePictures : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    frame_ = std::make_unique<TestFrame>(GetParam());
    ASSERT_NE(frame_->window, nullptr);
    frame_->clear();
    pic_.reset(KTools::CreateGraphic());
    ASSERT_NE(pic_, nullptr);
    ASSERT_TRUE(writePng(dir_.file("quad.png"), quadrants(), 4, 4));
    ASSERT_TRUE(pic_->LoadPicture(dir_.file("quad.png").c_str(), true, true));
    ASSERT_EQ(pic_->GetTextureSide(), 4);  // both twins: the image fills its texture
  }
  void TearDown() override {
    pic_.reset();
    frame_.reset();
  }
  bool gl() const { return GetParam(); }
  std::vector<uint32_t> shot() {
    f_ = frame_->read();
    return f_;
  }
  uint32_t at(int x, int y) const { return f_[size_t(y) * kFrameW + size_t(x)]; }
  // How many pixels of the rectangle [x1, x2) x [y1, y2) are not black.
  int litIn(int x1, int y1, int x2, int y2) const {
    int n = 0;
    for (int y = y1; y < y2; ++y)
      for (int x = x1; x < x2; ++x) n += at(x, y) != 0;
    return n;
  }
  TempDir dir_;
  std::unique_ptr<TestFrame> frame_;
  std::unique_ptr<KGraphic> pic_;
  std::vector<uint32_t> f_;
};

// ---- mask ------------------------------------------------------------------------------------

TEST_P(MorePictures, MaskValuesBecomeAlpha) {
  // Colours from the picture, alpha from the mask's columns: 255, 0x88, 0, 255. 0x88 is a
  // value the software twin's 4-bit alpha holds exactly.
  std::vector<uint32_t> mask(16);
  const uint8_t column[4] = {0xFF, 0x88, 0x00, 0xFF};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) mask[size_t(y) * 4 + size_t(x)] = 0xFF000000u | column[x] * 0x010101u;
  ASSERT_TRUE(writePng(dir_.file("mask.png"), mask, 4, 4));
  ASSERT_TRUE(pic_->LoadPictureWithMask(dir_.file("quad.png").c_str(), dir_.file("mask.png").c_str(), true));
  EXPECT_EQ(pic_->GetWidth(), 4);
  EXPECT_EQ(pic_->GetHeight(), 4);
  frame_->clear(0, 0, 1);
  pic_->BlitAlphaRect(0, 0, 4, 4, 10, 10, false, false);
  pic_->BlitRect(0, 0, 4, 4, 20, 10, false, false);
  shot();
  EXPECT_EQ(at(10, 10), kRed) << "mask 255: opaque";
  EXPECT_LE(channelDiff(at(11, 10), 0x880077u), 2) << std::hex << at(11, 10) << " red at 0x88 over blue";
  EXPECT_EQ(at(12, 10), kBlue) << "mask 0: the background shows";
  EXPECT_EQ(at(13, 10), kGreen);
  EXPECT_EQ(at(12, 13), kBlue);
  EXPECT_EQ(at(13, 13), kWhite);
  EXPECT_EQ(at(22, 10), kGreen) << "drawn opaque the mask does not matter";

  // A colour-keyed pixel gets alpha 0 even where the mask is 255.
  pic_->SetColorKey(true, 255, 255, 255);
  ASSERT_TRUE(pic_->LoadPictureWithMask(dir_.file("quad.png").c_str(), dir_.file("mask.png").c_str(), false));
  pic_->SetColorKey(false, 0, 0, 0);
  frame_->clear(0, 0, 1);
  pic_->BlitAlphaRect(0, 0, 4, 4, 10, 10, false, false);
  shot();
  EXPECT_EQ(at(13, 13), kBlue) << "white is the key";
  EXPECT_EQ(at(13, 10), kGreen);
  EXPECT_EQ(at(10, 10), kRed);
}

TEST_P(MorePictures, MissingMaskOrPictureFailsAndLeavesThePictureEmpty) {
  ASSERT_TRUE(writePng(dir_.file("mask.png"), std::vector<uint32_t>(16, 0xFFFFFFFFu), 4, 4));
  EXPECT_FALSE(pic_->LoadPictureWithMask(dir_.file("quad.png").c_str(), dir_.file("nomask.png").c_str(), true));
  EXPECT_EQ(pic_->GetWidth(), 0) << "a failed load leaves an empty picture, not the old size";
  EXPECT_EQ(pic_->GetHeight(), 0);
  EXPECT_EQ(pic_->GetTextureSide(), 0);
  EXPECT_FALSE(pic_->LoadPictureWithMask(dir_.file("none.png").c_str(), dir_.file("mask.png").c_str(), true));
  EXPECT_FALSE(pic_->LoadPictureWithMask(dir_.file("quad.png").c_str(), nullptr, true));
  EXPECT_EQ(pic_->GetWidth(), 0);
  // And it loads again afterwards.
  EXPECT_TRUE(pic_->LoadPictureWithMask(dir_.file("quad.png").c_str(), dir_.file("mask.png").c_str(), true));
  EXPECT_EQ(pic_->GetWidth(), 4);
  EXPECT_FALSE(pic_->LoadPicture(dir_.file("gone.png").c_str(), true, true));
  EXPECT_EQ(pic_->GetWidth(), 0);
}

TEST_P(MorePictures, UpdateFromArrayNeverWritesAStaleArrayIntoALaterPicture) {
  std::vector<uint32_t> pixels(16, rgbaPixel(0xFF0000FFu));
  ASSERT_TRUE(pic_->MakePictureFromArray(pixels.data(), 4, 4, true));
  pixels.assign(16, rgbaPixel(0xFFFFFF00u));
  pic_->UpdatePictureFromArray();
  pic_->BlitRect(0, 0, 4, 4, 10, 10, false, false);
  shot();
  EXPECT_EQ(at(11, 11), 0xFFFF00u) << "the array is sent again";
  // Loaded from a file afterwards, the picture no longer belongs to the array (which its
  // owner may already have freed).
  ASSERT_TRUE(pic_->LoadPicture(dir_.file("quad.png").c_str(), true, true));
  pixels.assign(16, rgbaPixel(0xFF00FFFFu));
  pic_->UpdatePictureFromArray();
  pic_->BlitRect(0, 0, 4, 4, 20, 10, false, false);
  shot();
  EXPECT_EQ(at(20, 10), kRed);
  EXPECT_EQ(at(23, 13), kWhite);
}

// ---- four corners, stretch, turned -----------------------------------------------------------

TEST_P(MorePictures, ArbitraryQuadMapsEachCornerToItsPoint) {
  // Straight: the picture five times enlarged on 20..40.
  pic_->BlitArbitraryQuad(0, 0, 4, 0, 4, 4, 0, 4, 20, 20, 40, 20, 40, 40, 20, 40);
  // Corners exchanged: source (0, 0) at the bottom-right, so the picture is turned by 180.
  pic_->BlitArbitraryQuad(0, 0, 4, 0, 4, 4, 0, 4, 80, 60, 60, 60, 60, 40, 80, 40);
  // Only the source's top-left quadrant, on 100..120.
  pic_->BlitArbitraryQuad(0, 0, 2, 0, 2, 2, 0, 2, 100, 20, 120, 20, 120, 40, 100, 40);
  shot();
  EXPECT_EQ(at(20, 20), kRed);
  EXPECT_EQ(at(29, 29), kRed);
  EXPECT_EQ(at(30, 20), kGreen);
  EXPECT_EQ(at(39, 29), kGreen);
  EXPECT_EQ(at(20, 30), kBlue);
  EXPECT_EQ(at(39, 39), kWhite);
  EXPECT_EQ(at(19, 25), 0u);
  EXPECT_EQ(at(40, 25), 0u);
  EXPECT_EQ(at(25, 40), 0u);
  EXPECT_EQ(litIn(20, 20, 40, 40), 400);
  EXPECT_EQ(at(60, 40), kWhite);
  EXPECT_EQ(at(79, 40), kBlue);
  EXPECT_EQ(at(60, 59), kGreen);
  EXPECT_EQ(at(79, 59), kRed);
  EXPECT_EQ(at(100, 20), kRed);
  EXPECT_EQ(at(119, 39), kRed);
}

TEST_P(MorePictures, ArbitraryQuadIsBlendedAndTinted) {
  frame_->clear(0, 0, 1);
  pic_->SetBlitColor(1, 1, 0, 0.5f);
  pic_->BlitArbitraryQuad(0, 0, 4, 0, 4, 4, 0, 4, 20, 20, 40, 20, 40, 40, 20, 40);
  pic_->SetBlitColor(1, 1, 1, 1);
  shot();
  // Red over blue at half: (0x80, 0, 0x7F); white tinted yellow over blue: (0x80, 0x80, 0x7F).
  EXPECT_LE(channelDiff(at(22, 22), 0x80007Fu), 2) << std::hex << at(22, 22);
  EXPECT_LE(channelDiff(at(37, 37), 0x80807Fu), 2) << std::hex << at(37, 37);
  EXPECT_LE(channelDiff(at(22, 37), 0x00007Fu), 2) << std::hex << at(22, 37) << " blue tinted out";
}

TEST_P(MorePictures, StretchFlippedBlendedAndTurned) {
  frame_->clear(0, 0, 0);
  // 4 x 4 onto 10..50 x 10..30, mirrored both ways.
  pic_->BlitStretch(0, 0, 4, 4, 10, 10, 50, 30, -1, 0, true, true, 0, 0);
  shot();
  EXPECT_EQ(at(10, 10), kWhite) << "a negative alpha counts as 1";
  EXPECT_EQ(at(49, 10), kBlue);
  EXPECT_EQ(at(10, 29), kGreen);
  EXPECT_EQ(at(49, 29), kRed);
  EXPECT_EQ(litIn(10, 10, 50, 30), 800);
  EXPECT_EQ(litIn(0, 0, kFrameW, kFrameH), 800);

  // Half alpha, tinted: alpha times the tint's alpha.
  frame_->clear(0, 0, 0);
  pic_->BlitStretch(0, 0, 4, 4, 10, 10, 50, 30, 0.5f, 0, false, false, 0, 0);
  pic_->SetBlitColor(1, 1, 1, 0.5f);
  pic_->BlitStretch(0, 0, 4, 4, 60, 10, 100, 30, 1, 0, false, false, 0, 0);
  pic_->SetBlitColor(1, 1, 1, 1);
  shot();
  EXPECT_LE(channelDiff(at(12, 12), 0x800000u), 2) << std::hex << at(12, 12);
  EXPECT_LE(channelDiff(at(62, 12), 0x800000u), 2) << std::hex << at(62, 12);

  // Turned 90 degrees counter-clockwise about the centre (30, 20): 20 wide, 40 high.
  frame_->clear(0, 0, 0);
  pic_->BlitStretch(0, 0, 4, 4, 10, 10, 50, 30, 1, 90, false, false, 0, 0);
  shot();
  EXPECT_EQ(at(25, 30), kRed) << "the top-left quadrant goes to the bottom-left";
  EXPECT_EQ(at(25, 10), kGreen);
  EXPECT_EQ(at(35, 30), kBlue);
  EXPECT_EQ(at(35, 10), kWhite);
  EXPECT_EQ(at(15, 20), 0u);
  EXPECT_EQ(at(45, 20), 0u);
  EXPECT_GE(litIn(20, 0, 40, 40), 790);
  EXPECT_LE(litIn(0, 0, kFrameW, kFrameH), 810);

  // With the centre moved 10 to the right the pivot is (40, 20): the quad covers 30..50 x 10..50.
  frame_->clear(0, 0, 0);
  pic_->BlitStretch(0, 0, 4, 4, 10, 10, 50, 30, 1, 90, false, false, 10, 0);
  shot();
  EXPECT_EQ(at(35, 45), kRed);
  EXPECT_EQ(at(45, 15), kWhite);
  EXPECT_EQ(at(25, 20), 0u);
  EXPECT_GE(litIn(30, 10, 50, 50), 790);
}

TEST_P(MorePictures, WholeTurnedShowsTheTextureTurnedAndOpaque) {
  // angle 0: turned by 180.
  pic_->BlitWholeTurned(10, 10, 20, 20, 1.0f, 0);
  // angle 90: then a quarter turn counter-clockwise, 90 clockwise in all.
  pic_->BlitWholeTurned(50, 10, 20, 20, 1.0f, 90);
  // Half the extent: only the texture's top-left quarter, the red quadrant.
  pic_->BlitWholeTurned(90, 10, 20, 20, 0.5f, 0);
  shot();
  EXPECT_EQ(at(10, 10), kWhite);
  EXPECT_EQ(at(29, 10), kBlue);
  EXPECT_EQ(at(10, 29), kGreen);
  EXPECT_EQ(at(29, 29), kRed);
  EXPECT_EQ(litIn(10, 10, 30, 30), 400);
  EXPECT_EQ(at(52, 12), kBlue);
  EXPECT_EQ(at(67, 12), kRed);
  EXPECT_EQ(at(52, 27), kWhite);
  EXPECT_EQ(at(67, 27), kGreen);
  EXPECT_EQ(at(90, 10), kRed);
  EXPECT_EQ(at(109, 29), kRed);
  EXPECT_EQ(litIn(90, 10, 110, 30), 400);

  // Blending off: a pixel of alpha 0 still shows its colour.
  std::vector<uint32_t> clear(16, rgbaPixel(0x0000FF00u));
  ASSERT_TRUE(pic_->MakePictureFromArray(clear.data(), 4, 4, true));
  frame_->clear(1, 0, 0);
  pic_->BlitWholeTurned(10, 10, 8, 8, 1.0f, 0);
  shot();
  EXPECT_EQ(at(12, 12), kGreen);
}

// ---- filtering, wrap, picture scale ----------------------------------------------------------

// Distinct colours along row y from x1 to x2.
int shades(const std::vector<uint32_t>& f, int y, int x1, int x2) {
  std::vector<uint32_t> seen;
  for (int x = x1; x < x2; ++x) {
    const uint32_t p = f[size_t(y) * kFrameW + size_t(x)];
    if (std::find(seen.begin(), seen.end(), p) == seen.end()) seen.push_back(p);
  }
  return int(seen.size());
}

TEST_P(MorePictures, TextureQualityNearestOrLinear) {
  // Left half black, right half white, ten times enlarged on 20..60.
  std::vector<uint32_t> px(16);
  for (int i = 0; i < 16; ++i) px[size_t(i)] = (i % 4) < 2 ? 0xFF000000u : 0xFFFFFFFFu;
  ASSERT_TRUE(writePng(dir_.file("edge.png"), px, 4, 4));
  ASSERT_TRUE(pic_->LoadPicture(dir_.file("edge.png").c_str(), true, false));
  pic_->BlitStretch(0, 0, 4, 4, 20, 20, 60, 60, 1, 0, false, false, 0, 0);  // the default: nearest
  pic_->SetTextureQuality(true);
  pic_->BlitStretch(0, 0, 4, 4, 20, 70, 60, 110, 1, 0, false, false, 0, 0);
  pic_->SetTextureQuality(false);
  pic_->BlitStretch(0, 0, 4, 4, 80, 20, 120, 60, 1, 0, false, false, 0, 0);
  shot();
  EXPECT_EQ(shades(f_, 40, 20, 60), 2) << "nearest: black and white only";
  EXPECT_EQ(at(39, 40), 0u);
  EXPECT_EQ(at(40, 40), kWhite);
  EXPECT_GE(shades(f_, 90, 20, 60), 6) << "linear: a ramp between the halves";
  const uint32_t mid = at(40, 90);
  EXPECT_GT(mid & 0xFF, 0x20u) << std::hex << mid;
  EXPECT_LT(mid & 0xFF, 0xE0u) << std::hex << mid;
  EXPECT_EQ(shades(f_, 40, 80, 120), 2) << "back to nearest";
  // A new load keeps the picture's filtering.
  pic_->SetTextureQuality(true);
  ASSERT_TRUE(pic_->LoadPicture(dir_.file("edge.png").c_str(), true, false));
  frame_->clear();
  pic_->BlitStretch(0, 0, 4, 4, 20, 20, 60, 60, 1, 0, false, false, 0, 0);
  shot();
  EXPECT_GE(shades(f_, 40, 20, 60), 6);
}

// A blit at its own size on whole pixels shows every texel as it is, filtered or not; a half
// pixel off, filtering mixes neighbours.
TEST_P(MorePictures, LinearFilteringLeavesAnUnscaledBlitExact) {
  std::vector<uint32_t> px(64);
  for (int i = 0; i < 64; ++i) px[size_t(i)] = 0xFF000000u | uint32_t(i * 0x030507);
  ASSERT_TRUE(writePng(dir_.file("grid.png"), px, 8, 8));
  ASSERT_TRUE(pic_->LoadPicture(dir_.file("grid.png").c_str(), true, false));
  pic_->BlitRect(0, 0, 8, 8, 10, 10, false, false);
  pic_->SetTextureQuality(true);
  pic_->BlitRect(0, 0, 8, 8, 30, 10, false, false);
  pic_->BlitAlphaRect(0, 0, 8, 8, 50, 10, false, false);
  pic_->BlitRectF(0, 0, 8, 8, 70.5f, 10, false, false);
  shot();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(at(30 + x, 10 + y), at(10 + x, 10 + y)) << x << "," << y;
      EXPECT_EQ(at(50 + x, 10 + y), at(10 + x, 10 + y)) << x << "," << y;
    }
  int mixed = 0;
  for (int x = 1; x < 7; ++x) mixed += at(71 + x, 12) != at(10 + x, 12) && at(71 + x, 12) != at(11 + x, 12);
  EXPECT_GT(mixed, 2) << "half a pixel off, neighbours are mixed";
}

TEST_P(MorePictures, WrapRepeatsWhenTheSourceLeavesThePicture) {
  // Source 0..8: twice the picture's size, onto 10..50 (five pixels a texel).
  pic_->BlitStretch(0, 0, 8, 8, 10, 10, 50, 50, 1, 0, false, false, 0, 0);
  EXPECT_FALSE(pic_->GetTextureWrap());
  pic_->SetTextureWrap(true);
  EXPECT_TRUE(pic_->GetTextureWrap());
  pic_->BlitStretch(0, 0, 8, 8, 60, 10, 100, 50, 1, 0, false, false, 0, 0);
  pic_->SetTextureWrap(false);
  pic_->BindRepeat();
  EXPECT_TRUE(pic_->GetTextureWrap());
  pic_->BlitStretch(0, 0, 8, 8, 110, 10, 150, 50, 1, 0, false, false, 0, 0);
  shot();
  // Clamped: the right half repeats the last column (green above, white below).
  EXPECT_EQ(at(12, 12), kRed);
  EXPECT_EQ(at(32, 12), kGreen);
  EXPECT_EQ(at(47, 12), kGreen);
  EXPECT_EQ(at(47, 47), kWhite);
  // Repeated: the picture again in each quarter.
  for (int x0 : {60, 110}) {
    EXPECT_EQ(at(x0 + 2, 12), kRed);
    EXPECT_EQ(at(x0 + 22, 12), kRed) << x0;
    EXPECT_EQ(at(x0 + 32, 12), kGreen) << x0;
    EXPECT_EQ(at(x0 + 22, 32), kRed) << x0;
    EXPECT_EQ(at(x0 + 37, 47), kWhite) << x0;
    EXPECT_EQ(at(x0 + 2, 47), kBlue) << x0;
  }
  // The wrap flag survives a reload.
  ASSERT_TRUE(pic_->LoadPicture(dir_.file("quad.png").c_str(), true, true));
  frame_->clear();
  pic_->BlitStretch(0, 0, 8, 8, 10, 10, 50, 50, 1, 0, false, false, 0, 0);
  shot();
  EXPECT_EQ(at(32, 12), kRed);
}

TEST_P(MorePictures, PictureScaleActsOnTheEffectBlitsOnly) {
  pic_->SetPictureScale(2, 1);
  EXPECT_EQ(pic_->GetPictureScaleX(), 2);
  // About the pivot (22, 22): 8 wide, 4 high, 18..26 x 20..24.
  pic_->BlitAlphaRectFx(0, 0, 4, 4, 20, 20, 0, 1, 1, false, false, 0, 0);
  // With zoom 2 as well: 16 x 8 about (72, 22): 64..80 x 18..26.
  pic_->BlitAlphaRectFx(0, 0, 4, 4, 70, 20, 0, 2, 1, false, false, 0, 0);
  // The plain blits ignore it.
  pic_->BlitAlphaRect(0, 0, 4, 4, 120, 20, false, false);
  pic_->BlitRectFx(0, 0, 4, 4, 120, 40, 0, 1, false, false);
  shot();
  EXPECT_EQ(litIn(18, 20, 26, 24), 32);
  EXPECT_EQ(litIn(0, 0, 60, 60), 32);
  EXPECT_EQ(at(18, 20), kRed);
  EXPECT_EQ(at(21, 20), kRed);
  EXPECT_EQ(at(22, 20), kGreen);
  EXPECT_EQ(at(25, 23), kWhite);
  EXPECT_EQ(litIn(64, 18, 80, 26), 128);
  EXPECT_EQ(litIn(60, 0, 110, 60), 128);
  EXPECT_EQ(litIn(120, 20, 124, 24), 16);
  EXPECT_EQ(litIn(110, 0, kFrameW, 60), 32);
  // The batch applies it as the picture does.
  std::unique_ptr<KQuadBatch> batch(KTools::CreateBatch());
  frame_->clear();
  batch->Begin(pic_.get());
  batch->AddBlitAlphaRectFx(0, 0, 4, 4, 20, 20, 0, 1, 1, false, false, 0, 0);
  batch->Flush();
  shot();
  EXPECT_EQ(litIn(18, 20, 26, 24), 32);
  EXPECT_EQ(litIn(0, 0, kFrameW, kFrameH), 32);
}

// ---- GIF -------------------------------------------------------------------------------------

TEST_P(MorePictures, GifLoadsWithOpenGLOnly) {
  // One red pixel: global colour table red, black; one LZW-coded pixel of index 0.
  const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                               ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, ';'};
  dir_.write("dot.gif", std::string(reinterpret_cast<const char*>(gif), sizeof gif));
  const bool loaded = pic_->LoadPicture(dir_.file("dot.gif").c_str(), true, true);
  EXPECT_EQ(loaded, gl());
  if (!loaded) return;
  EXPECT_EQ(pic_->GetWidth(), 1);
  pic_->BlitRect(0, 0, 1, 1, 10, 10, false, false);
  shot();
  EXPECT_EQ(at(10, 10), kRed);
}

// ---- the message box -------------------------------------------------------------------------

std::vector<std::pair<std::string, std::string>> boxes;
void recordBox(const char* caption, const char* text) { boxes.emplace_back(caption, text); }

TEST_P(MorePictures, PictureMadeBeforeTheScreenSizeIsKnown) {
  pic_.reset();
  frame_.reset();
  boxes.clear();
  KTools::SetMessageBoxHandler(recordBox);
  KScreen::SetScreenSize(0, 0, 0);
  std::unique_ptr<KGraphic> early(gl() ? static_cast<KGraphic*>(new KGraphicGL()) : new KGraphicDD());
  if (gl()) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, "Screen Dimensions not specified, you will not see anything");
    EXPECT_EQ(boxes[0].second, "KGraphicGL::SetScreenSize Not Called!");
  } else {
    // No software device yet: loads fail.
    EXPECT_FALSE(early->LoadPicture(dir_.file("quad.png").c_str(), true, true));
  }
  // Construction went on: once the window is open the picture loads and draws.
  frame_ = std::make_unique<TestFrame>(gl());
  ASSERT_NE(frame_->window, nullptr);
  frame_->clear();
  const size_t shown = boxes.size();
  std::unique_ptr<KGraphic> later(KTools::CreateGraphic());
  EXPECT_EQ(boxes.size(), shown) << "no box once the screen size is known";
  KTools::SetMessageBoxHandler(nullptr);
  ASSERT_TRUE(early->LoadPicture(dir_.file("quad.png").c_str(), true, true));
  early->BlitRect(0, 0, 4, 4, 10, 10, false, false);
  shot();
  EXPECT_EQ(at(10, 10), kRed);
  EXPECT_EQ(at(13, 13), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Renderers, MorePictures, ::testing::Values(true, false),
                         rendererName);

// ---- the software twin after its device was rebuilt ------------------------------------------

class SoftwareRebuild : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_ = std::make_unique<TestFrame>(false);
    ASSERT_NE(frame_->window, nullptr);
    frame_->clear();
    ASSERT_TRUE(writePng(dir_.file("quad.png"), quadrants(), 4, 4));
  }
  KWindowDD* window() { return static_cast<KWindowDD*>(frame_->window); }
  // The window surface is lost for good: the window makes its device anew and reloads.
  void rebuild() {
    const unsigned before = window()->GetRebuildCount();
    window()->GetWindowHandle()->loseSurface(false);
    window()->ProcessEvents();
    ASSERT_EQ(window()->GetRebuildCount(), before + 1);
    ASSERT_NE(KWindowDD::GetDevice(), nullptr);
    frame_->clear();
  }
  std::vector<uint32_t> drawn(KGraphic* pic, bool blended) {
    frame_->clear(0, 0, 1);
    if (blended)
      pic->BlitAlphaRect(0, 0, pic->GetWidth(), pic->GetHeight(), 10, 10, false, false);
    else
      pic->BlitRect(0, 0, pic->GetWidth(), pic->GetHeight(), 10, 10, false, false);
    return frame_->read();
  }
  TempDir dir_;
  std::unique_ptr<TestFrame> frame_;
};

TEST_F(SoftwareRebuild, PicturesDrawTheSamePixelsAfterTheRebuild) {
  std::vector<uint32_t> mask(16, 0xFF000000u);
  for (int i = 0; i < 16; i += 2) mask[size_t(i)] = 0xFFFFFFFFu;
  ASSERT_TRUE(writePng(dir_.file("mask.png"), mask, 4, 4));
  const size_t registered = KGraphicDD::RegisteredCount();
  std::unique_ptr<KGraphic> plain(KTools::CreateGraphic()), masked(KTools::CreateGraphic()),
      keyed(KTools::CreateGraphic());
  EXPECT_EQ(KGraphicDD::RegisteredCount(), registered + 3);
  ASSERT_TRUE(plain->LoadPicture(dir_.file("quad.png").c_str(), true, false));
  ASSERT_TRUE(masked->LoadPictureWithMask(dir_.file("quad.png").c_str(), dir_.file("mask.png").c_str(), true));
  ASSERT_TRUE(keyed->LoadPictureKeyed(dir_.file("quad.png").c_str(), 3, 0));  // green is the key
  const auto plainBefore = drawn(plain.get(), false), maskedBefore = drawn(masked.get(), true),
             keyedBefore = drawn(keyed.get(), true);
  EXPECT_EQ(maskedBefore[size_t(10) * kFrameW + 11], kBlue) << "masked out";
  EXPECT_EQ(keyedBefore[size_t(10) * kFrameW + 13], kBlue) << "keyed out";
  rebuild();
  EXPECT_EQ(drawn(plain.get(), false), plainBefore);
  EXPECT_EQ(drawn(masked.get(), true), maskedBefore);
  EXPECT_EQ(drawn(keyed.get(), true), keyedBefore);
  keyed.reset();
  EXPECT_EQ(KGraphicDD::RegisteredCount(), registered + 2);
  rebuild();  // a destroyed picture is out of the registry
  EXPECT_EQ(drawn(plain.get(), false), plainBefore);
}

TEST_F(SoftwareRebuild, PicturesAreLoadedAgainFromTheirFiles) {
  std::unique_ptr<KGraphic> pic(KTools::CreateGraphic());
  ASSERT_TRUE(pic->LoadPicture(dir_.file("quad.png").c_str(), true, true));
  // The file changes on disk: the rebuild shows what the file holds now.
  ASSERT_TRUE(writePng(dir_.file("quad.png"), std::vector<uint32_t>(16, 0xFFFFFF00u), 4, 4));
  EXPECT_EQ(drawn(pic.get(), true)[size_t(10) * kFrameW + 10], kRed);
  rebuild();
  EXPECT_EQ(drawn(pic.get(), true)[size_t(10) * kFrameW + 10], 0xFFFF00u);
}

TEST_F(SoftwareRebuild, PicturesNotFromFilesKeepTheirPixels) {
  std::unique_ptr<KGraphic> fromMemory(KTools::CreateGraphic()), fromArray(KTools::CreateGraphic()),
      freed(KTools::CreateGraphic());
  // Each was loaded from the file first, then replaced: the rebuild must not bring the file back.
  for (KGraphic* p : {fromMemory.get(), fromArray.get(), freed.get()})
    ASSERT_TRUE(p->LoadPicture(dir_.file("quad.png").c_str(), true, true));
  ASSERT_TRUE(writePng(dir_.file("cyan.png"), std::vector<uint32_t>(16, 0xFF00FFFFu), 4, 4));
  std::ifstream in(dir_.file("cyan.png"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(fromMemory->LoadPictureFromMemory("cyan.png", reinterpret_cast<const uint8_t*>(bytes.data()),
                                                bytes.size(), true, true));
  std::vector<uint32_t> magenta(16, rgbaPixel(0xFFFF00FFu));
  ASSERT_TRUE(fromArray->MakePictureFromArray(magenta.data(), 4, 4, true));
  freed->FreePicture();
  rebuild();
  EXPECT_EQ(drawn(fromMemory.get(), true)[size_t(11) * kFrameW + 11], 0x00FFFFu);
  EXPECT_EQ(drawn(fromArray.get(), true)[size_t(11) * kFrameW + 11], 0xFF00FFu);
  EXPECT_EQ(freed->GetWidth(), 0) << "a freed picture stays empty";
}

TEST(SoftwarePictures, TexturesAreSixteenBit) {
  TestFrame frame(false);
  ASSERT_NE(frame.window, nullptr);
  TempDir dir;
  ASSERT_TRUE(writePng(dir.file("quad.png"), quadrants(), 4, 4));
  std::unique_ptr<KGraphic> pic(KTools::CreateGraphic());
  auto* dd = static_cast<KGraphicDD*>(pic.get());
  ASSERT_TRUE(pic->LoadPicture(dir.file("quad.png").c_str(), true, false));
  ASSERT_NE(dd->GetTexture(), nullptr);
  // The PNG was written with an alpha channel: A4R4G4B4 even though alpha was not asked for.
  EXPECT_EQ(dd->GetTexture()->format(), softdd::TextureFormat::A4R4G4B4);
  std::vector<uint32_t> opaque(16, rgbaPixel(0xFF808080u));
  ASSERT_TRUE(pic->MakePictureFromArray(opaque.data(), 4, 4, false));
  EXPECT_EQ(dd->GetTexture()->format(), softdd::TextureFormat::A4R4G4B4);
  ASSERT_TRUE(pic->GrabFrontBuffer());
  EXPECT_EQ(dd->GetTexture()->format(), softdd::TextureFormat::X1R5G5B5);
}

}  // namespace
