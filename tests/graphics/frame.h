// A window of either renderer for the picture tests, and its frame read back top-down.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/KImage.h"
#include "window/KWindowDD.h"
#include "window/KWindowFactory.h"
#include "window/KWindowGL.h"

constexpr int kFrameW = 160, kFrameH = 120;

struct TestFrame {
  KWindow* window = nullptr;
  bool gl = false;
  explicit TestFrame(bool useGL) : gl(useGL) {
    window = KTools::CreateWindow(useGL ? 1 : 0, 0);
    if (window && !window->CreateGameWindow(kFrameW, kFrameH, 32, true, "graphics test")) {
      delete window;
      window = nullptr;
    }
  }
  ~TestFrame() { delete window; }
  void clear(float r = 0, float g = 0, float b = 0) {
    window->SetClearColor(r, g, b, 1);
    window->SetWorldView(0, 0, 0, 1, true);
  }
  // 0x00RRGGBB, row 0 at the top.
  std::vector<uint32_t> read() {
    std::vector<uint32_t> f(size_t(kFrameW) * kFrameH);
    if (gl) {
      std::vector<uint32_t> up(f.size());
      static_cast<KWindowGL*>(window)->ReadBackBuffer(0, 0, kFrameW, kFrameH, up.data());
      for (int y = 0; y < kFrameH; ++y)
        for (int x = 0; x < kFrameW; ++x)
          f[size_t(y) * kFrameW + size_t(x)] = up[size_t(kFrameH - 1 - y) * kFrameW + size_t(x)] & 0xFFFFFFu;
    } else {
      softdd::Surface* s = static_cast<KWindowDD*>(window)->BackSurface();
      for (int y = 0; y < kFrameH; ++y)
        for (int x = 0; x < kFrameW; ++x) f[size_t(y) * kFrameW + size_t(x)] = s->row(y)[x] & 0xFFFFFFu;
    }
    return f;
  }
  uint32_t at(int x, int y) { return read()[size_t(y) * kFrameW + size_t(x)]; }
};

inline int channelDiff(uint32_t a, uint32_t b) {
  int d = 0;
  for (int s = 0; s < 24; s += 8) d = std::max(d, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
  return d;
}

// Writes 0xAARRGGBB pixels (rows top-down) as a PNG file.
inline bool writePng(const std::string& path, const std::vector<uint32_t>& argb, int w, int h) {
  std::vector<uint8_t> bgra(size_t(w) * size_t(h) * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = argb[size_t(y) * size_t(w) + size_t(x)];
      uint8_t* o = &bgra[(size_t(h - 1 - y) * size_t(w) + size_t(x)) * 4];
      o[0] = uint8_t(p);
      o[1] = uint8_t(p >> 8);
      o[2] = uint8_t(p >> 16);
      o[3] = uint8_t(p >> 24);
    }
  return KImage::SaveImage(bgra.data(), w, h, path.c_str(), kImagePNG);
}
