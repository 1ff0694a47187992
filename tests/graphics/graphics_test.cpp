// KGraphic on both renderers: loading, texture sides, every kind of blit, tint, blend modes,
// untextured drawing, the quad batch; the two renderers compared on one scene.
#include <cstring>
#include <memory>

#include "frame.h"
#include "graphics/KGraphicDD.h"
#include "graphics/KGraphicFactory.h"
#include "graphics/KGraphicGL.h"
#include "support/pixels.h"
#include "support/tempdir.h"
#include "window/KScreen.h"
#include "support/renderers.h"

namespace {

// 4 x 4: left half red, right half green; bottom row blue with alpha 0x88 (a value both
// renderers hold exactly).
std::vector<uint32_t> testPixels() {
  std::vector<uint32_t> p(16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) p[size_t(y) * 4 + size_t(x)] = y == 3 ? 0x880000FFu : x < 2 ? 0xFFFF0000u : 0xFF00FF00u;
  return p;
}

class Pictures : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    frame_ = std::make_unique<TestFrame>(GetParam());
    ASSERT_NE(frame_->window, nullptr);
    frame_->clear();
    pic_.reset(KTools::CreateGraphic());
    ASSERT_NE(pic_, nullptr);
    pixels_ = rgbaPixels(testPixels());
    ASSERT_TRUE(pic_->MakePictureFromArray(pixels_.data(), 4, 4, true));
  }
  void TearDown() override {
    pic_.reset();
    frame_.reset();
  }
  std::unique_ptr<TestFrame> frame_;
  std::unique_ptr<KGraphic> pic_;
  std::vector<uint32_t> pixels_;
};

TEST_P(Pictures, FactoryFollowsRenderer) {
  EXPECT_EQ(dynamic_cast<KGraphicGL*>(pic_.get()) != nullptr, GetParam());
  EXPECT_EQ(dynamic_cast<KGraphicDD*>(pic_.get()) != nullptr, !GetParam());
}

TEST_P(Pictures, TextureSides) {
  TempDir dir;
  std::vector<uint32_t> wide(300 * 20, 0xFF808080u), small(4, 0xFFFFFFFFu);
  ASSERT_TRUE(writePng(dir.file("wide.png"), wide, 300, 20));
  ASSERT_TRUE(writePng(dir.file("small.png"), small, 2, 2));
  ASSERT_TRUE(pic_->LoadPicture(dir.file("wide.png").c_str(), true, true));
  EXPECT_EQ(pic_->GetWidth(), 300);
  EXPECT_EQ(pic_->GetHeight(), 20);
  EXPECT_EQ(pic_->GetTextureSide(), 512);
  ASSERT_TRUE(pic_->LoadPicture(dir.file("small.png").c_str(), true, true));
  EXPECT_EQ(pic_->GetTextureSide(), GetParam() ? 4 : 2);  // the software twin has no minimum of 4
}

TEST_P(Pictures, LoadingFailuresAndCapitals) {
  TempDir dir;
  std::vector<uint32_t> px(16, 0xFF00FF00u);
  ASSERT_TRUE(writePng(dir.file("pic.tga.png"), px, 4, 4));
  EXPECT_TRUE(pic_->LoadPicture(dir.file("pic.tga.png").c_str(), true, true)) << "the last extension found wins";
  ASSERT_TRUE(writePng(dir.file("caps.png"), px, 4, 4));
  std::string caps = dir.path() + "/CAPS.PNG";
  EXPECT_TRUE(pic_->LoadPicture(caps.c_str(), true, true));
  EXPECT_EQ(caps, dir.path() + "/CAPS.PNG") << "the caller's text is left as it was";
  dir.write("pic.jpeg", "not looked at");
  EXPECT_FALSE(pic_->LoadPicture(dir.file("pic.jpeg").c_str(), true, true));
  dir.write("empty.png", "");
  EXPECT_FALSE(pic_->LoadPicture(dir.file("empty.png").c_str(), true, true));
  EXPECT_FALSE(pic_->LoadPicture(dir.file("missing.png").c_str(), true, true));
  dir.write("broken.png", "garbage that no decoder takes");
  EXPECT_TRUE(pic_->LoadPicture(dir.file("broken.png").c_str(), true, true));
  EXPECT_EQ(pic_->GetWidth(), 0);
}

TEST_P(Pictures, OpaqueAndBlended) {
  frame_->clear(0, 0, 1);
  pic_->BlitRect(0, 0, 4, 4, 10, 10, false, false);
  pic_->BlitAlphaRect(0, 0, 4, 4, 20, 10, false, false);
  auto f = frame_->read();
  auto px = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(px(10, 10), 0xFF0000u);
  EXPECT_EQ(px(13, 10), 0x00FF00u);
  EXPECT_EQ(px(10, 13), 0x0000FFu) << "opaque: blue whatever its alpha";
  EXPECT_EQ(px(20, 10), 0xFF0000u);
  EXPECT_EQ(px(9, 10), 0x0000FFu);
  EXPECT_EQ(px(14, 10), 0x0000FFu);
  // Blue at alpha 0x88 over red-cleared ... over blue stays blue: draw over red instead.
  frame_->clear(1, 0, 0);
  pic_->BlitAlphaRect(0, 3, 4, 4, 30, 30, false, false);
  const uint32_t mixed = frame_->at(30, 30);
  EXPECT_LE(channelDiff(mixed, 0x770088u), 2) << std::hex << mixed;
}

TEST_P(Pictures, Mirrored) {
  pic_->BlitRect(0, 0, 4, 4, 10, 10, true, false);
  pic_->BlitRect(0, 0, 4, 4, 20, 10, false, true);
  auto f = frame_->read();
  auto px = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(px(10, 10), 0x00FF00u);
  EXPECT_EQ(px(13, 10), 0xFF0000u);
  EXPECT_EQ(px(20, 10), 0x0000FFu);
  EXPECT_EQ(px(20, 13), 0xFF0000u);
}

TEST_P(Pictures, RotatedAndZoomed) {
  // Turned 90 degrees counter-clockwise and zoomed twice about the centre (12, 12): the
  // 8 x 8 result covers 8..16; the blue bottom row lands on the right, red (left) at the bottom.
  pic_->BlitRectFx(0, 0, 4, 4, 10, 10, 90, 2, false, false);
  auto f = frame_->read();
  auto px = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(px(15, 12), 0x0000FFu);
  EXPECT_EQ(px(9, 15), 0xFF0000u);
  EXPECT_EQ(px(9, 8), 0x00FF00u);
  EXPECT_EQ(px(7, 12), 0u);
  EXPECT_EQ(px(16, 12), 0u);
  pic_->BlitRectFx(0, 0, 4, 4, 40, 40, 0, 0, false, false);  // zoom 0 draws nothing
  EXPECT_EQ(frame_->at(41, 41), 0u);
}

TEST_P(Pictures, AlphaFxIdentityEqualsAlphaRect) {
  frame_->clear(0.5f, 0.5f, 0.5f);
  pic_->BlitAlphaRect(0, 0, 4, 4, 10, 10, false, false);
  pic_->BlitAlphaRectFx(0, 0, 4, 4, 30, 10, 0, 1, 1, false, false, 0, 0);
  auto f = frame_->read();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(f[size_t(9 + y) * kFrameW + size_t(9 + x)], f[size_t(9 + y) * kFrameW + size_t(29 + x)]);
  pic_->BlitAlphaRectFx(0, 0, 4, 4, 50, 10, 0, 1, 0, false, false, 0, 0);  // alpha 0: nothing
  EXPECT_EQ(frame_->at(50, 10), frame_->at(60, 60));
}

TEST_P(Pictures, Tint) {
  pic_->SetBlitColor(1, 1, 1, 1);
  EXPECT_FALSE(pic_->IsTinted());
  pic_->SetBlitColor(2, 0.5f, 0.5f, 1);
  ASSERT_TRUE(pic_->IsTinted());
  float t[4];
  pic_->GetTint(t);
  EXPECT_EQ(t[0], 1);
  EXPECT_EQ(t[1], 0.5f);
  std::vector<uint32_t> white(16, rgbaPixel(0xFFFFFFFFu));
  ASSERT_TRUE(pic_->MakePictureFromArray(white.data(), 4, 4, true));
  pic_->BlitAlphaRect(0, 0, 4, 4, 10, 10, false, false);
  EXPECT_LE(channelDiff(frame_->at(11, 11), 0xFF8080u), 1) << std::hex << frame_->at(11, 11);
  pic_->SetBlitColor(1, 1, 1, 1);
  pic_->BlitAlphaRect(0, 0, 4, 4, 20, 10, false, false);
  EXPECT_EQ(frame_->at(21, 11), 0xFFFFFFu);
}

TEST_P(Pictures, ColorKey) {
  std::vector<uint32_t> px(16, 0xFFFF00FFu);  // magenta key colour
  px[0] = 0xFF00FF00u;
  TempDir dir;
  ASSERT_TRUE(writePng(dir.file("key.png"), px, 4, 4));
  pic_->SetColorKey(true, 255, 0, 255);
  ASSERT_TRUE(pic_->LoadPicture(dir.file("key.png").c_str(), true, true));
  pic_->BlitAlphaRect(0, 0, 4, 4, 10, 10, false, false);
  ASSERT_TRUE(pic_->LoadPicture(dir.file("key.png").c_str(), true, false));
  pic_->BlitAlphaRect(0, 0, 4, 4, 20, 10, false, false);
  // Keyed from its top-left pixel: green becomes transparent.
  pic_->SetColorKey(false, 0, 0, 0);
  ASSERT_TRUE(pic_->LoadPictureKeyed(dir.file("key.png").c_str(), 0, 0));
  pic_->BlitAlphaRect(0, 0, 4, 4, 30, 10, false, false);
  auto f = frame_->read();
  auto at = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(at(10, 10), 0x00FF00u);
  EXPECT_EQ(at(12, 12), 0u) << "keyed with alpha: transparent";
  EXPECT_EQ(at(22, 12), 0xFF00FFu) << "keyed without alpha: the key colour shows";
  EXPECT_EQ(at(30, 10), 0u);
  EXPECT_EQ(at(32, 12), 0xFF00FFu);
}

TEST_P(Pictures, ArrayPixelsAreRgbaBytesAlsoForTheColourKey) {
  // Bytes in memory: red, green, blue, alpha (values a 4-bit texture holds exactly).
  const uint8_t bytes[4][4] = {
      {0xFF, 0x88, 0x00, 0xFF}, {0x00, 0x88, 0xFF, 0xFF}, {0x00, 0x88, 0xFF, 0xFF}, {0x88, 0x00, 0xFF, 0xFF}};
  std::vector<uint32_t> px(4);
  std::memcpy(px.data(), bytes, sizeof bytes);
  const uint32_t orange = px[0], violet = px[3];
  pic_->SetColorKey(true, 0x00, 0x88, 0xFF);
  ASSERT_TRUE(pic_->MakePictureFromArray(px.data(), 2, 2, true));
  EXPECT_EQ(px[0], orange) << "blue-first bytes are not the key";
  EXPECT_EQ(px[1], 0u) << "key-coloured pixels are cleared in the caller's array";
  EXPECT_EQ(px[2], 0u);
  EXPECT_EQ(px[3], violet);
  pic_->BlitAlphaRect(0, 0, 2, 2, 10, 10, false, false);
  auto f = frame_->read();
  auto at = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(at(10, 10), 0xFF8800u) << std::hex << at(10, 10);
  EXPECT_EQ(at(11, 10), 0u) << "the keyed pixel is transparent";
  EXPECT_EQ(at(11, 11), 0x8800FFu) << std::hex << at(11, 11);
  // Sent again, the array is read in the same order.
  const uint8_t green[4] = {0x00, 0xFF, 0x00, 0xFF};
  std::memcpy(&px[0], green, 4);
  pic_->UpdatePictureFromArray();
  pic_->BlitRect(0, 0, 2, 2, 20, 10, false, false);
  EXPECT_EQ(frame_->at(20, 10), 0x00FF00u) << std::hex << frame_->at(20, 10);
}

TEST_P(Pictures, DrawRectOpaqueAndBlended) {
  frame_->clear(0, 0, 1);
  pic_->DrawRect(10.7f, 10, 20, 20, 1, 0, 0, 1);
  pic_->DrawRect(30, 10, 40, 20, 1, 0, 0, 0.5f);
  auto f = frame_->read();
  auto at = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(at(10, 10), 0xFF0000u) << "corners truncated";
  EXPECT_EQ(at(19, 19), 0xFF0000u);
  EXPECT_EQ(at(20, 19), 0x0000FFu);
  EXPECT_LE(channelDiff(at(35, 15), 0x80007Fu), 1) << std::hex << at(35, 15);
}

TEST_P(Pictures, LinesAndPoints) {
  pic_->PlotPixel(5, 6, 1, 1, 1, 1);
  pic_->DrawLine(11, 31, 30, 30, 0, 1, 0, 1);
  auto f = frame_->read();
  auto at = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(at(5, 6), 0xFFFFFFu);
  EXPECT_EQ(at(4, 6) | at(6, 6) | at(5, 5) | at(5, 7), 0u);
  EXPECT_EQ(at(20, 30), 0x00FF00u);
}

TEST_P(Pictures, BlendModes) {
  const short s = pic_->GetBlendSource(), d = pic_->GetBlendDestination();
  pic_->SetBlendMode(7);
  EXPECT_EQ(pic_->GetBlendSource(), s);
  EXPECT_EQ(pic_->GetBlendDestination(), d);
  // Additive: blue at alpha 0x88 added to red.
  frame_->clear(1, 0, 0);
  pic_->SetBlendMode(K_BLEND_ADD);
  pic_->BlitAlphaRect(0, 3, 4, 4, 10, 10, false, false);
  EXPECT_LE(channelDiff(frame_->at(11, 10), 0xFF0088u), 1) << std::hex << frame_->at(11, 10);
  pic_->SetBlendMode(-1);
  EXPECT_NE(pic_->GetBlendDestination(), d);
}

TEST_P(Pictures, StretchAndWholeTurned) {
  pic_->BlitStretch(0, 0, 4, 4, 10, 10, 50, 30, 1, 0, false, false, 0, 0);
  auto f = frame_->read();
  auto at = [&](int x, int y) { return f[size_t(y) * kFrameW + size_t(x)]; };
  EXPECT_EQ(at(10, 10), 0xFF0000u);
  EXPECT_EQ(at(49, 10), 0x00FF00u);
  EXPECT_EQ(at(50, 10), 0u);
  frame_->clear();
  const float e = 4.0f / pic_->GetTextureSide();
  pic_->BlitWholeTurned(10, 10, 8, 8, e, 0);  // shown turned by 180 degrees
  f = frame_->read();
  EXPECT_EQ(at(10, 10), 0x0000FFu);
  EXPECT_EQ(at(17, 17), 0xFF0000u);
}

TEST_P(Pictures, QuadBatchDrawsLikeThePicture) {
  std::unique_ptr<KQuadBatch> batch(KTools::CreateBatch());
  ASSERT_NE(batch, nullptr);
  pic_->BlitAlphaRect(0, 0, 4, 4, 10, 10, false, false);
  pic_->BlitAlphaRectFx(0, 0, 4, 4, 10, 30, 45, 2, 0.5f, true, false, 1, 0);
  batch->Begin(pic_.get());
  batch->AddBlitAlphaRect(0, 0, 4, 4, 40, 10, false, false);
  for (int i = 0; i < 600; ++i) batch->AddBlitAlphaRect(0, 0, 4, 4, 300, 300, false, false);  // past one store
  batch->AddBlitAlphaRectFx(0, 0, 4, 4, 40, 30, 45, 2, 0.5f, true, false, 1, 0);
  batch->Flush();
  auto f = frame_->read();
  for (int y = 8; y < 45; ++y)
    for (int x = 4; x < 30; ++x)
      EXPECT_LE(channelDiff(f[size_t(y) * kFrameW + size_t(x)], f[size_t(y) * kFrameW + size_t(x + 30)]), 1);
  if (auto* dd = dynamic_cast<KQuadBatchDD*>(batch.get())) {
    EXPECT_EQ(dd->GetFlushCount(), 2u);
  }
}

TEST_P(Pictures, GrabBackBuffer) {
  frame_->clear(0, 1, 0);
  pic_->DrawRect(0, 0, 10, 10, 1, 0, 0, 1);
  ASSERT_TRUE(pic_->GrabBackBuffer(nullptr));
  EXPECT_EQ(pic_->GetWidth(), kFrameW);
  frame_->clear();
  pic_->BlitRect(0, 0, 20, 20, 50, 50, false, false);
  EXPECT_EQ(frame_->at(55, 55), 0xFF0000u);
  EXPECT_EQ(frame_->at(65, 65), 0x00FF00u);
}

INSTANTIATE_TEST_SUITE_P(Renderers, Pictures, ::testing::Values(true, false),
                         rendererName);

TEST(PicturesBoth, RenderersDrawTheSameScene) {
  std::vector<uint32_t> frames[2];
  for (int gl = 0; gl < 2; ++gl) {
    TestFrame frame(gl == 1);
    ASSERT_NE(frame.window, nullptr);
    frame.clear(0.2f, 0.2f, 0.2f);
    std::unique_ptr<KGraphic> pic(KTools::CreateGraphic());
    std::vector<uint32_t> px(32 * 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        px[size_t(y) * 32 + size_t(x)] = rgbaPixel((x < 16 ? 0xFF000000u : 0x88000000u) | (y < 16 ? 0xFFFF00u : 0x00FFFFu));
    ASSERT_TRUE(pic->MakePictureFromArray(px.data(), 32, 32, true));
    pic->BlitRect(0, 0, 32, 32, 5, 5, false, false);
    pic->BlitAlphaRectFx(0, 0, 32, 32, 60, 30, 30, 1.5f, 0.75f, false, true, 0, 0);
    pic->SetBlitColor(1, 0.5f, 0.25f, 1);
    pic->BlitStretch(0, 0, 32, 32, 100, 60, 150, 110, 1, 10, false, false, 0, 0);
    pic->SetBlitColor(1, 1, 1, 1);
    pic->DrawRect(10, 80, 60, 110, 0, 0, 1, 0.5f);
    frames[gl] = frame.read();
  }
  int differing = 0, lit = 0;
  for (size_t i = 0; i < frames[0].size(); ++i) {
    if (frames[0][i] != 0x333333u || frames[1][i] != 0x333333u) ++lit;
    if (channelDiff(frames[0][i], frames[1][i]) > 4) ++differing;
  }
  EXPECT_GT(lit, 5000);
  EXPECT_LT(differing, lit / 50) << differing << " of " << lit;
}

}  // namespace
