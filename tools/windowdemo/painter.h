// A small drawing helper for the window demo, the frame benchmark and the window tests: filled
// rectangles and pictures blitted the way the engine's picture classes draw them (screen pixels
// with y down turned into the renderers' bottom-up space, power-of-two textures, nearest
// texels, opaque or blended by the source alpha, tinted), on either renderer.
#pragma once

#include <cstdint>
#include <memory>

class KWindow;

class Painter {
 public:
  // The painter for the window's renderer; null when the window is not open.
  static std::unique_ptr<Painter> Create(KWindow* window);
  virtual ~Painter() = default;

  // Filled rectangle, corners (x1, y1) and (x2, y2); blended when a < 1.
  virtual void FillRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) = 0;
  // A picture from 0xAARRGGBB pixels, rows top-down; -1 on failure. alpha keeps the alpha
  // channel (16-bit A4R4G4B4 on the software renderer, else X1R5G5B5, dithered).
  virtual int MakePicture(const uint32_t* argb, int width, int height, bool alpha) = 0;
  // The picture's source rectangle drawn at (dx, dy) in its own size, or stretched to (dw, dh)
  // when they are above 0; blended by the source alpha or opaque; tinted by the colour
  // 0xAARRGGBB (white: untinted).
  virtual void Blit(int picture, float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool blend,
                    uint32_t tint = 0xFFFFFFFFu, float dw = 0, float dh = 0) = 0;
  // Waits until everything drawn so far is in the back buffer (for timing).
  virtual void Finish() = 0;
};
