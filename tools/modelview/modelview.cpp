// brawnmoor-modelview: the 3D boxer drawn by both renderers, and the 3D pass benchmark.
//
//   brawnmoor-modelview --turntable FILE.png [--model PATH] [--skin PATH]
//   brawnmoor-modelview --bench FRAMES [--renderer gl|dd|both]
//   brawnmoor-modelview --game-pose FILE.png [--model PATH]
//
// --turntable draws the model (data/boxer01.k3d with its own skin by default) at four turns
// with each renderer, flat and smooth, and saves a sheet of 256 x 256 portraits: rows OpenGL
// flat, software flat, OpenGL smooth, software smooth.
//
// --game-pose draws the model as the boxer record screen places it, in an 800 x 600 software
// window, with the portrait area framed.
//
// --bench turns a textured model in the 256 x 256 portrait area, frame after frame, uncapped:
// a sphere of exactly 2,000 triangles with the boxer's skin, then the boxer itself. It prints
// the milliseconds per frame of the 3D pass alone (Begin3D with the depth clear, Render,
// End3D) and of the whole frame (the 2D view cleared, the pass, the present).
#include <time.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "graphics/KGraphic.h"
#include "graphics/KGraphicFactory.h"
#include "image/KImage.h"
#include "mesh/KMeshFile.h"
#include "mesh/KModelFactory.h"
#include "tools/KTools.h"
#include "window/KWindowDD.h"
#include "window/KWindowFactory.h"
#include "window/KWindowGL.h"

namespace {

constexpr int kWinW = 640, kWinH = 480, kCell = 256;
// The portrait: the model's centre in the middle of the 3D area, upright (its z axis up).
constexpr float kDistance = -2.8f, kUpright = -90.0f;

double nowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

struct Renderer {
  KWindow* window = nullptr;
  bool gl = false;
  explicit Renderer(bool useGL) : gl(useGL) {
    window = KTools::CreateWindow(useGL ? 1 : 0, 1);
    if (window && !window->CreateGameWindow(kWinW, kWinH, 32, true, "Brawnmoor model view")) {
      delete window;
      window = nullptr;
    }
    if (window) window->SetMaxFrameRate(-1);
  }
  ~Renderer() { delete window; }
  const char* name() const { return gl ? "OpenGL" : "software"; }
  // The frame being drawn, 0xAARRGGBB, row 0 at the top.
  std::vector<uint32_t> read() {
    std::vector<uint32_t> f(size_t(kWinW) * kWinH);
    if (gl) {
      std::vector<uint32_t> up(f.size());
      static_cast<KWindowGL*>(window)->ReadBackBuffer(0, 0, kWinW, kWinH, up.data());
      for (int y = 0; y < kWinH; ++y)
        for (int x = 0; x < kWinW; ++x) f[size_t(y) * kWinW + size_t(x)] = up[size_t(kWinH - 1 - y) * kWinW + size_t(x)];
    } else {
      softdd::Surface* s = static_cast<KWindowDD*>(window)->BackSurface();
      for (int y = 0; y < kWinH; ++y)
        for (int x = 0; x < kWinW; ++x) f[size_t(y) * kWinW + size_t(x)] = s->row(y)[x];
    }
    return f;
  }
};

// A sphere of radius 0.5 with 40 slices and 26 stacks: 2 x 40 x 25 = 2,000 triangles, the
// texture wrapped twice around it.
KMesh sphere() {
  KMesh m;
  const int slices = 40, stacks = 26;
  const float pi = 3.14159265f;
  for (int j = 0; j <= stacks; ++j)
    for (int i = 0; i < slices; ++i) {
      float t = pi * float(j) / stacks, p = 2 * pi * float(i) / slices;
      float nx = std::sin(t) * std::cos(p), ny = std::sin(t) * std::sin(p), nz = std::cos(t);
      m.vertices.push_back({0.5f * nx, 0.5f * ny, 0.5f * nz, nx, ny, nz});
    }
  auto at = [&](int i, int j) { return int32_t(j * slices + (i % slices)); };
  auto face = [&](int32_t a, int32_t b, int32_t c, float ua, float va, float ub, float vb, float uc, float vc) {
    KFace f{};
    f.a = a;
    f.b = b;
    f.c = c;
    f.corner[0].u = ua;
    f.corner[0].v = va;
    f.corner[1].u = ub;
    f.corner[1].v = vb;
    f.corner[2].u = uc;
    f.corner[2].v = vc;
    m.faces.push_back(f);
  };
  for (int j = 0; j < stacks; ++j)
    for (int i = 0; i < slices; ++i) {
      float u0 = 2.0f * float(i) / slices, u1 = 2.0f * float(i + 1) / slices;
      float v0 = float(j) / stacks, v1 = float(j + 1) / stacks;
      if (j != stacks - 1) face(at(i, j), at(i, j + 1), at(i + 1, j + 1), u0, v0, u0, v1, u1, v1);
      if (j != 0) face(at(i, j), at(i + 1, j + 1), at(i + 1, j), u0, v0, u1, v1, u1, v0);
    }
  KMeshFiles::ComputeNormals(m);
  return m;
}

bool writePng(const std::string& path, const std::vector<uint32_t>& argb, int w, int h) {
  std::vector<uint8_t> bgra(size_t(w) * size_t(h) * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = argb[size_t(y) * size_t(w) + size_t(x)];
      uint8_t* o = &bgra[(size_t(h - 1 - y) * size_t(w) + size_t(x)) * 4];
      o[0] = uint8_t(p);
      o[1] = uint8_t(p >> 8);
      o[2] = uint8_t(p >> 16);
      o[3] = 255;
    }
  return KImage::SaveImage(bgra.data(), w, h, path.c_str(), kImagePNG);
}

int turntable(const std::string& out, const std::string& model, const std::string& skin) {
  const int angles = 4, rows = 4;
  const int sheetW = angles * kCell, sheetH = rows * kCell;
  std::vector<uint32_t> sheet(size_t(sheetW) * sheetH, 0xFF000000u);
  for (int r = 0; r < 2; ++r) {
    Renderer rd(r == 0);
    if (!rd.window) {
      std::fprintf(stderr, "modelview: no %s window\n", rd.name());
      return 1;
    }
    std::unique_ptr<KModel> m(KTools::CreateModel());
    if (!m->LoadK3D(model.c_str(), skin.empty())) {
      std::fprintf(stderr, "modelview: cannot load %s\n", model.c_str());
      return 1;
    }
    std::unique_ptr<KGraphic> picture;
    if (!skin.empty()) {
      picture.reset(KTools::CreateGraphic());
      if (!picture->LoadPicture(skin.c_str(), true, true)) return 1;
      m->SetTexture(picture.get());
    }
    for (int shading = 0; shading < 2; ++shading) {
      m->SetShadingMode(shading);
      for (int a = 0; a < angles; ++a) {
        rd.window->SetClearColor(0.16f, 0.18f, 0.24f, 1);
        rd.window->SetWorldView(0, 0, 0, 1, true);
        m->Begin3D(true, false);
        m->Render(0, 0, kDistance, kUpright, 0, float(a) * 360.0f / angles + 20.0f);
        m->End3D();
        std::vector<uint32_t> f = rd.read();
        const int row = shading * 2 + r;
        for (int y = 0; y < kCell; ++y)
          for (int x = 0; x < kCell; ++x)
            sheet[size_t(row * kCell + y) * sheetW + size_t(a * kCell + x)] =
                f[size_t((kWinH - kCell) / 2 + y) * kWinW + size_t((kWinW - kCell) / 2 + x)];
        rd.window->FlipBackBuffer(false, true);
      }
    }
    m.reset();
  }
  if (!writePng(out, sheet, sheetW, sheetH)) {
    std::fprintf(stderr, "modelview: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

void benchOne(Renderer& rd, KModel& m, KGraphic& finisher, const char* what, int frames, float distance) {
  // The portrait area: 256 x 256 in the middle of the 3D area.
  double pass = 0;
  const double start = nowMs();
  for (int f = 0; f < frames; ++f) {
    rd.window->SetWorldView(0, 0, 0, 1, true);
    const double p0 = nowMs();
    m.Begin3D(true, false);
    m.Render(0, 0, distance, kUpright, 0, float(f) * 0.5f);
    m.End3D();
    finisher.FinishDrawing();  // OpenGL: wait until the pass is drawn
    pass += nowMs() - p0;
    rd.window->FlipBackBuffer(false, true);
  }
  const double whole = (nowMs() - start) / frames;
  std::printf("%-8s %-28s %4d triangles: 3D pass %.3f ms, whole frame %.3f ms (%.0f frames/s), %d frames\n",
              rd.name(), what, m.GetFaceCount(), pass / frames, whole, 1000.0 / whole, frames);
}

// The boxer record screen's pose in the 800 x 600 game window: the portrait area
// (45, 110)-(301, 366) framed in white, the figure of a boxer 180 cm tall turned by 30 degrees.
int gamePose(const std::string& out, const std::string& model) {
  KWindow* window = KTools::CreateWindow(0, 1);
  if (!window || !window->CreateGameWindow(800, 600, 32, true, "Brawnmoor model view")) return 1;
  std::unique_ptr<KModel> m(KTools::CreateModel());
  int status = 1;
  if (m->LoadK3D(model.c_str(), true)) {
    window->SetClearColor(0.16f, 0.18f, 0.24f, 1);
    window->SetWorldView(0, 0, 0, 1, true);
    const float height = 180;
    m->Begin3D(true, false);
    m->Render(-0.525f, (height - 145) / 200, -2.4f + (height - 150) / 250, -85, 0, 30);
    m->End3D();
    std::unique_ptr<KGraphic> pen(KTools::CreateGraphic());
    pen->DrawRect(44, 109, 302, 110, 1, 1, 1, 1);
    pen->DrawRect(44, 366, 302, 367, 1, 1, 1, 1);
    pen->DrawRect(44, 109, 45, 367, 1, 1, 1, 1);
    pen->DrawRect(301, 109, 302, 367, 1, 1, 1, 1);
    pen.reset();
    status = window->SaveScreenshot(out.c_str(), K_IMAGE_PNG, 0, 0) ? 0 : 1;
  }
  m.reset();
  delete window;
  return status;
}

int bench(int frames, int which, const std::string& model, const std::string& skin) {
  char dir[] = "/tmp/brawnmoor-modelview-XXXXXX";
  if (!mkdtemp(dir)) return 1;
  const std::string spherePath = std::string(dir) + "/sphere.k3d";
  if (!KMeshFiles::SaveK3D(spherePath.c_str(), sphere(), kTagGL)) return 1;
  int status = 0;
  for (int r = 0; r < 2; ++r) {
    if (!(which & (1 << r))) continue;
    Renderer rd(r == 0);
    if (!rd.window) {
      status = 1;
      continue;
    }
    std::unique_ptr<KGraphic> picture(KTools::CreateGraphic());
    if (!picture->LoadPicture(skin.c_str(), true, true)) {
      std::fprintf(stderr, "modelview: cannot load %s\n", skin.c_str());
      status = 1;
      continue;
    }
    for (int shading = 0; shading < 2; ++shading) {
      std::unique_ptr<KModel> ball(KTools::CreateModel()), boxer(KTools::CreateModel());
      if (!ball->LoadK3D(spherePath.c_str(), false) || !boxer->LoadK3D(model.c_str(), false)) {
        status = 1;
        continue;
      }
      ball->SetTexture(picture.get());
      boxer->SetTexture(picture.get());
      ball->SetShadingMode(shading);
      boxer->SetShadingMode(shading);
      benchOne(rd, *ball, *picture, shading ? "sphere, smooth" : "sphere, flat", frames, -2.2f);
      benchOne(rd, *boxer, *picture, shading ? "boxer01, smooth" : "boxer01, flat", frames, kDistance);
    }
  }
  std::remove(spherePath.c_str());
  rmdir(dir);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, pose, model, skin;
  int frames = 0, which = 3;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--turntable") && i + 1 < argc) out = argv[++i];
    else if (!std::strcmp(argv[i], "--game-pose") && i + 1 < argc) pose = argv[++i];
    else if (!std::strcmp(argv[i], "--bench") && i + 1 < argc) frames = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--model") && i + 1 < argc) model = argv[++i];
    else if (!std::strcmp(argv[i], "--skin") && i + 1 < argc) skin = argv[++i];
    else if (!std::strcmp(argv[i], "--renderer") && i + 1 < argc) {
      const char* r = argv[++i];
      which = !std::strcmp(r, "gl") ? 1 : !std::strcmp(r, "dd") ? 2 : 3;
    } else {
      std::fprintf(stderr,
                   "usage: brawnmoor-modelview --turntable FILE.png [--model PATH] [--skin PATH]\n"
                   "       brawnmoor-modelview --bench FRAMES [--renderer gl|dd|both] [--model PATH] [--skin PATH]\n");
      return 2;
    }
  }
  KTools::SetMessageBoxHandler([](const char* caption, const char* text) {
    std::fprintf(stderr, "modelview: %s: %s\n", caption, text);
  });
  if (model.empty()) model = KTools::GetDataPath("data/boxer01.k3d");
  if (frames > 0) {
    if (skin.empty()) skin = KTools::GetDataPath("data/gfx/boxer01.jpg");
    return bench(frames, which, model, skin);
  }
  if (!pose.empty()) return gamePose(pose, model);
  if (out.empty()) {
    std::fprintf(stderr, "modelview: --turntable FILE.png or --bench FRAMES\n");
    return 2;
  }
  return turntable(out, model, skin);
}
