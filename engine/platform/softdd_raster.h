// The software device's pixel stage (inside the platform layer only): triangles are walked in
// spans with the top-left rule, and each span is drawn by a loop chosen once per triangle for
// its state, so the common cases (a picture copied 1:1, a blended sprite, a filled rectangle)
// run without per-pixel decisions.
#pragma once

#include <cstdint>

#include "platform/softdd.h"

namespace softdd::raster {

struct Context {
  uint32_t* pixels;
  int pitch;
  float* z;  // null without a z-buffer
  int zpitch;
  int clipX1, clipY1, clipX2, clipY2;  // the viewport inside the surface
  float vpX, vpY, vpHalfW, vpHalfH, minZ, zRange;
  const uint32_t* tex;  // null: untextured
  int texW, texH, texShift;
  bool linear, repeat;
  int blendKind;  // 0 none, 1 source alpha over the target, 2 any factors
  Blend src, dst;
  bool zTest, zWrite;
  ZCompare zFunc;
  Cull cull;
};

// False when nothing can be drawn (no target, an empty viewport).
bool begin(Context& c, Surface* target, ZBuffer* zbuffer, const Viewport& viewport, const Texture* texture,
           bool linear, bool repeat, bool blending, Blend src, Blend dst, bool zTest, bool zWrite,
           ZCompare zFunc, Cull cull);

// Clip-space vertices in front of the near plane.
void triangle(const Context& c, const Device::ScreenVertex& a, const Device::ScreenVertex& b,
              const Device::ScreenVertex& d, DeviceStats& stats);
void line(const Context& c, const Device::ScreenVertex& a, const Device::ScreenVertex& b, DeviceStats& stats);
void point(const Context& c, const Device::ScreenVertex& a, DeviceStats& stats);

}  // namespace softdd::raster
