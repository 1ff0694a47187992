// The fight screen's figure sheets as the ring view cuts them: "BOXERS.png" in frames of 125 x
// 125, eight to a row (52 used), "DOWN.png" in frames of 160 x 260, six to a row (16 used).
// Every used frame holds a figure kept clear of its cell's edges (the ring view turns each
// frame about its centre, so anything on an edge would show as a cut line), the unused cells
// are clear, and each corner wears its own colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "image/KImage.h"

namespace {

const std::string kGfx = std::string(BRAWNMOOR_DATA) + "/gfx/";

struct Sheet {
  const char* name;
  int w, h, cw, ch, frames;
};
const Sheet kBoxers{"BOXERS.png", 1000, 875, 125, 125, 52};
const Sheet kDown{"DOWN.png", 960, 780, 160, 260, 16};

std::unique_ptr<KDecodedImage> load(const Sheet& s) {
  std::string path = kGfx + s.name;
  return KImage::DecodeImageFile(path.data());
}

// Pixels are stored blue, green, red, alpha.
const uint8_t* px(const KDecodedImage& img, int x, int y) { return img.RowFromTop(y) + x * 4; }

struct Cell {
  int ink = 0;        // pixels of the figure itself (nearly opaque)
  int edge = 0;       // pixels not fully clear on the cell's outer two rows and columns
  double redness = 0; // mean (red - blue) over the figure's strongly coloured pixels
  int coloured = 0;
};

Cell cell(const KDecodedImage& img, const Sheet& s, int n) {
  Cell c;
  const int x0 = (n % (s.w / s.cw)) * s.cw, y0 = (n / (s.w / s.cw)) * s.ch;
  for (int y = y0; y < y0 + s.ch; ++y)
    for (int x = x0; x < x0 + s.cw; ++x) {
      const uint8_t* p = px(img, x, y);
      bool border = x < x0 + 2 || x >= x0 + s.cw - 2 || y < y0 + 2 || y >= y0 + s.ch - 2;
      if (border && p[3] > 0) ++c.edge;
      if (p[3] < 230) continue;
      ++c.ink;
      int r = p[2], b = p[0], g = p[1];
      int hi = std::max(r, std::max(g, b)), lo = std::min(r, std::min(g, b));
      // Trunks and gloves: strongly coloured red or blue (skin is orange-ish: its blue is
      // well below its red but so is its saturation, hence both tests).
      if (hi - lo > 90 && (r > g + 60 || b > g + 40)) {
        c.redness += r - b;
        ++c.coloured;
      }
    }
  if (c.coloured) c.redness /= c.coloured;
  return c;
}

bool boxersFrameIsRed(int n) {
  return n <= 8 || (n >= 17 && n <= 24) || (n >= 32 && n <= 38) || (n >= 46 && n <= 48);
}

void checkGrid(const Sheet& s, bool (*isRed)(int)) {
  auto img = load(s);
  ASSERT_TRUE(img) << s.name;
  ASSERT_EQ(img->Width(), s.w) << s.name;
  ASSERT_EQ(img->Height(), s.h) << s.name;
  ASSERT_TRUE(img->HasAlpha()) << s.name;
  EXPECT_EQ(s.w % s.cw, 0);
  EXPECT_EQ(s.h % s.ch, 0);
  const int cells = (s.w / s.cw) * (s.h / s.ch);
  ASSERT_GE(cells, s.frames);
  for (int n = 0; n < cells; ++n) {
    Cell c = cell(*img, s, n);
    if (n >= s.frames) {
      EXPECT_EQ(c.ink + c.edge, 0) << s.name << ": unused cell " << n << " is not clear";
      continue;
    }
    // A figure, not a speck: at least a twentieth of the cell.
    EXPECT_GT(c.ink, s.cw * s.ch / 20) << s.name << " frame " << n;
    EXPECT_EQ(c.edge, 0) << s.name << " frame " << n << " touches its cell's edge";
    ASSERT_GT(c.coloured, 40) << s.name << " frame " << n << ": no kit colour";
    if (isRed(n)) EXPECT_GT(c.redness, 60) << s.name << " frame " << n << " should be the red corner";
    else EXPECT_LT(c.redness, -60) << s.name << " frame " << n << " should be the blue corner";
  }
}

TEST(FigureSheets, BoxersSheetHasItsFramesInCornerColours) { checkGrid(kBoxers, boxersFrameIsRed); }

TEST(FigureSheets, DownSheetHasItsFramesInCornerColours) {
  checkGrid(kDown, [](int n) { return n >= 8; });
}

// The frames move: the walking cycle and the guard swing are different pictures from frame to
// frame, and a punch at impact reaches further down the frame (the way the figure faces) than
// the guard does.
int front(const KDecodedImage& img, const Sheet& s, int n) {
  const int x0 = (n % 8) * s.cw, y0 = (n / 8) * s.ch;
  int most = 0;
  for (int y = y0; y < y0 + s.ch; ++y)
    for (int x = x0; x < x0 + s.cw; ++x)
      if (px(img, x, y)[3] > 200) most = std::max(most, y - y0);
  return most;
}

int differentPixels(const KDecodedImage& img, const Sheet& s, int a, int b) {
  int n = 0;
  for (int y = 0; y < s.ch; ++y)
    for (int x = 0; x < s.cw; ++x) {
      const uint8_t* p = px(img, (a % 8) * s.cw + x, (a / 8) * s.ch + y);
      const uint8_t* q = px(img, (b % 8) * s.cw + x, (b / 8) * s.ch + y);
      n += (p[3] > 128) != (q[3] > 128);
    }
  return n;
}

TEST(FigureSheets, PosesMoveFromFrameToFrame) {
  auto img = load(kBoxers);
  ASSERT_TRUE(img);
  for (int n = 0; n < 7; ++n) EXPECT_GT(differentPixels(*img, kBoxers, n, n + 1), 20) << "walk " << n;
  for (int n = 46; n < 48; ++n) EXPECT_GT(differentPixels(*img, kBoxers, n, n + 1), 20) << "guard " << n;
  // Impact frames: the straight on 23 (red) and 30 (blue), the hook on 37 and 44.
  for (int impact : {23, 30}) EXPECT_GT(front(*img, kBoxers, impact), front(*img, kBoxers, 47) + 15) << impact;
  for (int impact : {37, 44}) EXPECT_GT(front(*img, kBoxers, impact), front(*img, kBoxers, 47) + 4) << impact;
}

}  // namespace
