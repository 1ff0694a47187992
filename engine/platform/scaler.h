// Scaling a 32-bit picture into a rectangle: where the picture lies in a larger (or smaller)
// area, and the two ways of filling it, nearest samples and bilinear.
//
// Pixels are 32-bit words 0xXXRRGGBB; the top byte is not kept (the destination's is 0xFF).
#pragma once

#include <cstdint>

namespace platform {

// How the picture fills a window or screen of another size.
enum class Scaling : uint8_t {
  Sharp,   // whole multiples only, nearest samples; bars around what is left
  Smooth,  // as large as fits with the aspect kept, bilinear; bars on two sides at most
};

struct PictureRect {
  int x, y, width, height;  // top-left origin
};

// Where a picture of logicalW x logicalH lies, centred, in an outer area of outerW x outerH.
// Sharp: the largest whole multiple that fits (the smooth rectangle when not even one fits);
// smooth: the largest rectangle of the picture's aspect. The same size gives the whole area.
PictureRect fitPicture(int logicalW, int logicalH, int outerW, int outerH, Scaling scaling);

// A point of the outer area (x, y) mapped back to the picture's pixels. A point on the bars
// lands outside 0..logical - 1 and beyond the inclusive edges the game tests against: left of
// or above the picture at -1 or less, right of or below it at logical + 1 or more.
void pointToPicture(const PictureRect& rect, int logicalW, int logicalH, int x, int y, int& px, int& py);

// A point of a window given in the desktop's points (the unit of mouse events), mapped to the
// picture shown in it: points to real pixels (clientW x clientH points are drawableW x
// drawableH pixels), then as pointToPicture.
void windowPointToPicture(int x, int y, int clientW, int clientH, int drawableW, int drawableH, int logicalW,
                          int logicalH, Scaling scaling, int& px, int& py);

// Scales the whole source picture into the destination rectangle (dst points at its top-left
// pixel). Nearest takes the sample under each pixel's centre; whole multiples repeat pixels.
void scaleNearest(const uint32_t* src, int srcW, int srcH, int srcPitch, uint32_t* dst, int dstW, int dstH,
                  int dstPitch);
// Bilinear between the four samples around each pixel's centre (edges clamped).
void scaleBilinear(const uint32_t* src, int srcW, int srcH, int srcPitch, uint32_t* dst, int dstW, int dstH,
                   int dstPitch);

}  // namespace platform
