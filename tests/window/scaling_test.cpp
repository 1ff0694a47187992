// The picture shown in a window of another size: where it lies (sharp whole multiples, smooth
// fill), the scalers, the mouse mapped back to the picture (bars outside it), and both renderers
// presenting a scaled frame with black bars at the sizes players use.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "painter.h"
#include "platform/input.h"
#include "platform/scaler.h"
#include "platform/window.h"
#include "support/renderers.h"
#include "tools/KTools.h"
#include "window/KInput.h"
#include "window/KWindowDD.h"
#include "window/KWindowFactory.h"
#include "window/KWindowGL.h"

using platform::fitPicture;
using platform::PictureRect;
using platform::Scaling;

namespace {

void expectRect(const PictureRect& r, int x, int y, int w, int h) {
  EXPECT_EQ(r.x, x);
  EXPECT_EQ(r.y, y);
  EXPECT_EQ(r.width, w);
  EXPECT_EQ(r.height, h);
}

}  // namespace

TEST(PictureFit, SharpTakesWholeMultiplesAndSmoothFillsTheHeight) {
  // The same size: the whole area either way.
  expectRect(fitPicture(800, 600, 800, 600, Scaling::Sharp), 0, 0, 800, 600);
  expectRect(fitPicture(800, 600, 800, 600, Scaling::Smooth), 0, 0, 800, 600);
  // 1280 x 720: one multiple fits; smooth fills the height with bars at the sides.
  expectRect(fitPicture(800, 600, 1280, 720, Scaling::Sharp), 240, 60, 800, 600);
  expectRect(fitPicture(800, 600, 1280, 720, Scaling::Smooth), 160, 0, 960, 720);
  // 1920 x 1080: twice would be 1200 high.
  expectRect(fitPicture(800, 600, 1920, 1080, Scaling::Sharp), 560, 240, 800, 600);
  expectRect(fitPicture(800, 600, 1920, 1080, Scaling::Smooth), 240, 0, 1440, 1080);
  // 2560 x 1440 and 4K.
  expectRect(fitPicture(800, 600, 2560, 1440, Scaling::Sharp), 480, 120, 1600, 1200);
  expectRect(fitPicture(800, 600, 2560, 1440, Scaling::Smooth), 320, 0, 1920, 1440);
  expectRect(fitPicture(800, 600, 3840, 2160, Scaling::Sharp), 720, 180, 2400, 1800);
  // A tall window: bars above and below.
  expectRect(fitPicture(800, 600, 1000, 1200, Scaling::Smooth), 0, 225, 1000, 750);
  // Smaller than the picture: not even one multiple fits, so sharp shrinks it as smooth does.
  expectRect(fitPicture(800, 600, 640, 600, Scaling::Sharp), 0, 60, 640, 480);
}

TEST(PictureFit, PointsOnTheBarsLieBeyondThePicturesInclusiveEdges) {
  const PictureRect r = fitPicture(800, 600, 1920, 1080, Scaling::Smooth);  // (240, 0) 1440 x 1080
  int x, y;
  platform::pointToPicture(r, 800, 600, 240, 0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  platform::pointToPicture(r, 800, 600, 240 + 1439, 1079, x, y);
  EXPECT_EQ(x, 799);
  EXPECT_EQ(y, 599);
  platform::pointToPicture(r, 800, 600, 240 + 720, 540, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  // The bars: never inside 0..800 x 0..600, so a hotspot reaching the picture's edge
  // (x + width = 800, tested inclusively) does not see them.
  platform::pointToPicture(r, 800, 600, 239, 500, x, y);
  EXPECT_LE(x, -1);
  platform::pointToPicture(r, 800, 600, 0, 500, x, y);
  EXPECT_LE(x, -1);
  platform::pointToPicture(r, 800, 600, 240 + 1440, 500, x, y);
  EXPECT_GE(x, 801);
  platform::pointToPicture(r, 800, 600, 1919, 500, x, y);
  EXPECT_GE(x, 801);
  const PictureRect sharp = fitPicture(800, 600, 1920, 1080, Scaling::Sharp);  // (560, 240)
  platform::pointToPicture(sharp, 800, 600, 700, 239, x, y);
  EXPECT_LE(y, -1);
  platform::pointToPicture(sharp, 800, 600, 700, 840, x, y);
  EXPECT_GE(y, 601);
}

TEST(PictureFit, HighDensityWindowsMapPointsThroughRealPixels) {
  // A window of 800 x 600 points drawn on 1600 x 1200 pixels: the picture fills it twice over,
  // and a point still lands where it is on the picture.
  int x, y;
  platform::windowPointToPicture(400, 300, 800, 600, 1600, 1200, 800, 600, Scaling::Sharp, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  platform::windowPointToPicture(799, 599, 800, 600, 1600, 1200, 800, 600, Scaling::Sharp, x, y);
  EXPECT_EQ(x, 799);
  EXPECT_EQ(y, 599);
  // 960 x 540 points on 1920 x 1080 pixels, smooth: bars of 120 points at the sides.
  platform::windowPointToPicture(119, 270, 960, 540, 1920, 1080, 800, 600, Scaling::Smooth, x, y);
  EXPECT_LE(x, -1);
  platform::windowPointToPicture(120, 0, 960, 540, 1920, 1080, 800, 600, Scaling::Smooth, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  platform::windowPointToPicture(480, 270, 960, 540, 1920, 1080, 800, 600, Scaling::Smooth, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
}

TEST(Scalers, NearestRepeatsEachPixelAsASquareAtWholeMultiples) {
  const uint32_t src[4] = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  std::vector<uint32_t> out(6 * 6, 0);
  platform::scaleNearest(src, 2, 2, 2, out.data(), 6, 6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(out[size_t(y) * 6 + size_t(x)], src[(y / 3) * 2 + x / 3] | 0xFF000000u) << x << "," << y;
}

TEST(Scalers, BilinearKeepsFlatAreasAndBlendsAcrossEdges) {
  // A black left half and a white right half, 8 x 2, scaled to 18 x 4.
  std::vector<uint32_t> src(16);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 8; ++x) src[size_t(y) * 8 + size_t(x)] = x < 4 ? 0x000000u : 0xFFFFFFu;
  std::vector<uint32_t> out(18 * 4, 0);
  platform::scaleBilinear(src.data(), 8, 2, 8, out.data(), 18, 4, 18);
  for (int y = 0; y < 4; ++y) {
    const uint32_t* row = out.data() + size_t(y) * 18;
    EXPECT_EQ(row[0], 0xFF000000u);
    EXPECT_EQ(row[17], 0xFFFFFFFFu);
    // Rising across the edge, never falling, with greys in between.
    int greys = 0;
    for (int x = 1; x < 18; ++x) {
      EXPECT_GE(row[x] & 0xFF, row[x - 1] & 0xFF);
      const uint32_t v = row[x] & 0xFF;
      if (v > 0 && v < 255) ++greys;
      EXPECT_EQ((row[x] >> 8) & 0xFF, v);  // channels stay together
    }
    EXPECT_GE(greys, 1);
  }
  // Shrinking keeps a flat colour flat.
  std::vector<uint32_t> flat(40 * 30, 0x336699u), small(13 * 7, 0);
  platform::scaleBilinear(flat.data(), 40, 30, 40, small.data(), 13, 7, 13);
  for (uint32_t p : small) EXPECT_EQ(p, 0xFF336699u);
}

// Both renderers in a window larger than the picture: the frame is scaled into it, bars black,
// and the mouse comes back in the picture's pixels.
class ScaledWindow : public ::testing::TestWithParam<bool> {
 protected:
  static constexpr int kW = 320, kH = 240;

  KWindow* open(int windowW, int windowH, bool smooth) {
    KWindow* w = KTools::CreateWindow(GetParam() ? 1 : 0, 1);
    w->SetSmoothScaling(smooth);
    w->SetWindowScale(0);
    w->SetFreeWindowSize(windowW, windowH);
    EXPECT_TRUE(w->CreateGameWindow(kW, kH, 32, true, "scaled")) << platform::lastError();
    for (int i = 0; i < 20; ++i) w->ProcessEvents();
    return w;
  }

  // Left half red, right half blue, a white square in the top-left corner.
  void draw(KWindow* w) {
    w->SetClearColor(0, 0, 0, 1);
    w->SetWorldView(0, 0, 0, 1, true);
    auto p = Painter::Create(w);
    p->FillRect(0, 0, kW / 2, kH, 1, 0, 0, 1);
    p->FillRect(kW / 2, 0, kW, kH, 0, 0, 1, 1);
    p->FillRect(0, 0, 40, 40, 1, 1, 1, 1);
  }

  // The window as shown, rows from the top.
  std::vector<uint32_t> shown(KWindow* w, int& width, int& height) {
    std::vector<uint32_t> px;
    if (GetParam()) {
      std::vector<uint32_t> up;
      EXPECT_TRUE(static_cast<KWindowGL*>(w)->ReadPresentedWindow(up, width, height));
      px.resize(up.size());
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          px[size_t(y) * size_t(width) + size_t(x)] = up[size_t(height - 1 - y) * size_t(width) + size_t(x)];
    } else {
      w->FlipBackBuffer(false, true);
      EXPECT_TRUE(w->GetWindowHandle()->readWindow(px, width, height));
    }
    for (uint32_t& p : px) p &= 0xFFFFFFu;
    return px;
  }

  void pushMotion(KWindow* w, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = w->GetWindowHandle()->id();
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
    for (int i = 0; i < 5; ++i) w->ProcessEvents();
  }
};

TEST_P(ScaledWindow, SmoothFillsTheHeightWithBarsAtTheSides) {
  KWindow* w = open(1280, 720, true);
  int cw = 0, ch = 0;
  w->GetClientSize(cw, ch);
  ASSERT_EQ(cw, 1280);
  ASSERT_EQ(ch, 720);
  EXPECT_EQ(w->GetWidth(), kW);  // the game's own size
  draw(w);
  if (GetParam()) {
    EXPECT_TRUE(static_cast<KWindowGL*>(w)->DrawsOffscreen());
  }
  int width = 0, height = 0;
  std::vector<uint32_t> px = shown(w, width, height);
  ASSERT_EQ(width, 1280);
  ASSERT_EQ(height, 720);
  auto at = [&](int x, int y) { return px[size_t(y) * size_t(width) + size_t(x)]; };
  // 960 x 720 at (160, 0): bars 160 wide, black.
  EXPECT_EQ(at(10, 360), 0x000000u);
  EXPECT_EQ(at(159, 100), 0x000000u);
  EXPECT_EQ(at(1121, 600), 0x000000u);
  EXPECT_EQ(at(1279, 10), 0x000000u);
  // The picture three times over: red left, blue right, the white square 120 x 120.
  EXPECT_EQ(at(400, 400), 0xFF0000u);
  EXPECT_EQ(at(900, 400), 0x0000FFu);
  EXPECT_EQ(at(200, 50), 0xFFFFFFu);
  EXPECT_EQ(at(260, 100), 0xFFFFFFu);
  EXPECT_NE(at(300, 140), 0xFFFFFFu);

  // The mouse in picture pixels; on a bar outside the picture.
  pushMotion(w, 160 + 3 * 100, 3 * 50);
  EXPECT_EQ(KInput::GetMouseX(), 100);
  EXPECT_EQ(KInput::GetMouseY(), 50);
  pushMotion(w, 100, 300);
  EXPECT_LT(KInput::GetMouseX(), 0);
  pushMotion(w, 1200, 300);
  EXPECT_GT(KInput::GetMouseX(), kW);
  delete w;
}

TEST_P(ScaledWindow, SharpShowsWholeMultiplesWithNearestSamples) {
  KWindow* w = open(1100, 800, false);  // three times 320 x 240 fits (960 x 720)
  draw(w);
  int width = 0, height = 0;
  std::vector<uint32_t> px = shown(w, width, height);
  ASSERT_EQ(width, 1100);
  ASSERT_EQ(height, 800);
  auto at = [&](int x, int y) { return px[size_t(y) * size_t(width) + size_t(x)]; };
  // (70, 40) to (1030, 760): every pixel pure, the edge between red and blue sharp.
  EXPECT_EQ(at(69, 400), 0x000000u);
  EXPECT_EQ(at(70, 400), 0xFF0000u);
  EXPECT_EQ(at(70 + 479, 400), 0xFF0000u);
  EXPECT_EQ(at(70 + 480, 400), 0x0000FFu);
  EXPECT_EQ(at(1029, 400), 0x0000FFu);
  EXPECT_EQ(at(1030, 400), 0x000000u);
  EXPECT_EQ(at(500, 39), 0x000000u);
  EXPECT_EQ(at(500, 40), 0xFF0000u);
  EXPECT_EQ(at(70 + 119, 40 + 119), 0xFFFFFFu);
  EXPECT_EQ(at(70 + 120, 40 + 119), 0xFF0000u);
  pushMotion(w, 70 + 3 * 200 + 2, 40 + 3 * 100 + 2);
  EXPECT_EQ(KInput::GetMouseX(), 200);
  EXPECT_EQ(KInput::GetMouseY(), 100);
  // Screenshots keep the picture's own size.
  if (GetParam()) {
    std::vector<uint32_t> frame(size_t(kW) * kH);
    EXPECT_TRUE(static_cast<KWindowGL*>(w)->ReadBackBuffer(0, 0, kW, kH, frame.data()));
    EXPECT_EQ(frame[size_t(kH - 1 - 10) * kW + 10] & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(frame[size_t(kH - 1 - 100) * kW + 300] & 0xFFFFFFu, 0x0000FFu);
  }
  delete w;
}

TEST_P(ScaledWindow, WindowScaleMakesTheWindowAMultipleOfThePicture) {
  KWindow* w = KTools::CreateWindow(GetParam() ? 1 : 0, 1);
  w->SetWindowScale(2);
  ASSERT_TRUE(w->CreateGameWindow(kW, kH, 32, true, "twice"));
  int cw = 0, ch = 0;
  w->GetClientSize(cw, ch);
  EXPECT_EQ(cw, 2 * kW);
  EXPECT_EQ(ch, 2 * kH);
  EXPECT_GE(w->GetLargestWindowScale(), 1);
  SDL_Window* sdl = SDL_GetWindowFromID(w->GetWindowHandle()->id());
  EXPECT_FALSE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_RESIZABLE);
  w->SetWindowScale(0);  // the player may resize it now (a headless driver keeps no such flag)
  if (!platform::headlessVideo()) {
    EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_RESIZABLE);
  }
  delete w;
}

TEST_P(ScaledWindow, APlayerResizingTheWindowKeepsThePictureAndTheMouse) {
  // The offscreen driver cannot grow an OpenGL window's drawable after it is made; a desktop can.
  if (GetParam() && platform::headlessVideo()) GTEST_SKIP() << "needs a desktop for OpenGL";
  KWindow* w = open(kW, kH, true);
  draw(w);
  w->FlipBackBuffer(false, true);
  SDL_Window* sdl = SDL_GetWindowFromID(w->GetWindowHandle()->id());
  SDL_SetWindowSize(sdl, 960, 480);
  for (int i = 0; i < 20; ++i) w->ProcessEvents();
  int cw = 0, ch = 0;
  w->GetClientSize(cw, ch);
  ASSERT_EQ(cw, 960);
  ASSERT_EQ(ch, 480);
  draw(w);
  int width = 0, height = 0;
  std::vector<uint32_t> px = shown(w, width, height);
  ASSERT_EQ(width, 960);
  ASSERT_EQ(height, 480);
  auto at = [&](int x, int y) { return px[size_t(y) * size_t(width) + size_t(x)]; };
  // 640 x 480 at (160, 0).
  EXPECT_EQ(at(80, 240), 0x000000u);
  EXPECT_EQ(at(880, 240), 0x000000u);
  EXPECT_EQ(at(300, 300), 0xFF0000u);
  EXPECT_EQ(at(700, 300), 0x0000FFu);
  pushMotion(w, 160 + 2 * 150, 2 * 100);
  EXPECT_EQ(KInput::GetMouseX(), 150);
  EXPECT_EQ(KInput::GetMouseY(), 100);
  delete w;
}

INSTANTIATE_TEST_SUITE_P(Renderers, ScaledWindow, ::testing::Values(false, true), rendererName);
