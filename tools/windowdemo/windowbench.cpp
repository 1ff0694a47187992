// The frame benchmark: a typical frame (the 2D view cleared, a full-screen 800 x 600 picture,
// then 300 textured quads blended by their alpha, sizes 16, 32 and 64 pixels in turn, every
// fourth one tinted) drawn with each renderer, uncapped and without vertical sync. Prints the
// milliseconds per frame of the drawing alone and of the whole frame with its present.
//
//   brawnmoor-windowbench [--renderer gl|dd|both] [--frames N]
//
// Runs headless under SDL's offscreen driver unless SDL_VIDEODRIVER says otherwise.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "painter.h"
#include "window/KWindow.h"
#include "window/KWindowFactory.h"

namespace {

constexpr int kWidth = 800, kHeight = 600, kQuads = 300;

double nowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

struct Result {
  bool ok;
  double drawMs, frameMs;
};

Result run(bool useGL, int frames) {
  KWindow* window = KTools::CreateWindow(useGL ? 1 : 0, 1);
  if (!window || !window->CreateGameWindow(kWidth, kHeight, 32, true, "Brawnmoor frame benchmark")) {
    delete window;
    return Result{false, 0, 0};
  }
  window->SetMaxFrameRate(-1);
  std::unique_ptr<Painter> painter = Painter::Create(window);

  std::vector<uint32_t> backdrop(size_t(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      backdrop[size_t(y) * kWidth + size_t(x)] =
          0xFF000000u | uint32_t(x * 255 / kWidth) << 16 | uint32_t(y * 255 / kHeight) << 8 | 0x40u;
  int picture = painter->MakePicture(backdrop.data(), kWidth, kHeight, false);
  std::vector<uint32_t> sprite(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      float dx = (x - 31.5f) / 32, dy = (y - 31.5f) / 32, d = std::sqrt(dx * dx + dy * dy);
      uint32_t a = d >= 1 ? 0 : uint32_t((1 - d) * 255);
      sprite[size_t(y) * 64 + size_t(x)] = a << 24 | 0xD4A437u;
    }
  int spriteId = painter->MakePicture(sprite.data(), 64, 64, true);

  struct Quad {
    float x, y;
    int size;
    uint32_t tint;
  };
  std::vector<Quad> quads(kQuads);
  unsigned seed = 12345;
  auto rnd = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 16) % unsigned(n));
  };
  for (int i = 0; i < kQuads; ++i) {
    int size = 16 << (i % 3);
    quads[size_t(i)] = Quad{float(rnd(kWidth - size)), float(rnd(kHeight - size)), size,
                            i % 4 == 3 ? 0xC0B8322Au : 0xFFFFFFFFu};
  }

  double draw = 0, total = 0;
  const int warmUp = 20;
  for (int f = 0; f < warmUp + frames; ++f) {
    double t0 = nowMs();
    window->SetWorldView(0, 0, 0, 1.0f, true);
    painter->Blit(picture, 0, 0, kWidth, kHeight, 0, 0, false);
    for (const Quad& q : quads)
      painter->Blit(spriteId, 0, 0, 64, 64, q.x, q.y, true, q.tint, float(q.size), float(q.size));
    painter->Finish();
    double t1 = nowMs();
    window->FlipBackBuffer(false, true);
    double t2 = nowMs();
    if (f >= warmUp) {
      draw += t1 - t0;
      total += t2 - t0;
    }
  }
  painter.reset();
  delete window;
  return Result{true, draw / frames, total / frames};
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  bool gl = true, dd = true;
  int frames = 300;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--renderer") && i + 1 < argc) {
      const char* r = argv[++i];
      gl = !std::strcmp(r, "gl") || !std::strcmp(r, "both");
      dd = !std::strcmp(r, "dd") || !std::strcmp(r, "both");
    } else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) {
      frames = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: %s [--renderer gl|dd|both] [--frames N]\n", argv[0]);
      return 2;
    }
  }
  std::printf("frame: 800 x 600 picture + %d blended quads (16/32/64 px in turn, every fourth tinted), %d frames\n", kQuads,
              frames);
  int failures = 0;
  for (int pass = 0; pass < 2; ++pass) {
    bool useGL = pass == 1;
    if (useGL ? !gl : !dd) continue;
    Result r = run(useGL, frames);
    const char* name = useGL ? "OpenGL  " : "software";
    if (!r.ok) {
      std::printf("%s: the window could not be opened\n", name);
      ++failures;
      continue;
    }
    std::printf("%s: %.3f ms per frame drawn, %.3f ms per frame with the present (%.0f frames/s)", name, r.drawMs,
                r.frameMs, 1000.0 / r.frameMs);
    if (!useGL) std::printf("  [target under 4 ms: %s]", r.frameMs < 4.0 ? "met" : "missed");
    std::printf("\n");
  }
  return failures ? 1 : 0;
}
