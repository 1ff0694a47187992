// A window of either renderer for the model tests (640 x 480, the size of the 3D area, with a
// depth buffer), its frame read back top-down, the message boxes caught, and test meshes.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "image/KImage.h"
#include "mesh/KMeshFile.h"
#include "mesh/KModel.h"
#include "support/tempdir.h"
#include "tools/KTools.h"
#include "window/KWindowDD.h"
#include "window/KWindowFactory.h"
#include "window/KWindowGL.h"

constexpr int kModelW = 640, kModelH = 480;

struct ModelWindow {
  KWindow* window = nullptr;
  bool gl = false;
  ModelWindow(bool useGL, bool depthBuffer = true, int width = kModelW, int height = kModelH)
      : gl(useGL), w(width), h(height) {
    window = KTools::CreateWindow(useGL ? 1 : 0, depthBuffer ? 1 : 0);
    if (window && !window->CreateGameWindow(short(width), short(height), 32, true, "model test")) {
      delete window;
      window = nullptr;
    }
  }
  ~ModelWindow() { delete window; }
  void clear(float r, float g, float b) {
    window->SetClearColor(r, g, b, 1);
    window->SetWorldView(0, 0, 0, 1, true);
  }
  // 0x00RRGGBB, row 0 at the top.
  std::vector<uint32_t> read() {
    std::vector<uint32_t> f(size_t(w) * size_t(h));
    if (gl) {
      std::vector<uint32_t> up(f.size());
      static_cast<KWindowGL*>(window)->ReadBackBuffer(0, 0, w, h, up.data());
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) f[size_t(y) * size_t(w) + size_t(x)] = up[size_t(h - 1 - y) * size_t(w) + size_t(x)] & 0xFFFFFFu;
    } else {
      softdd::Surface* s = static_cast<KWindowDD*>(window)->BackSurface();
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) f[size_t(y) * size_t(w) + size_t(x)] = s->row(y)[x] & 0xFFFFFFu;
    }
    return f;
  }
  int w, h;
};

// Every message box shown, caption and text.
struct MessageBoxes {
  static std::vector<std::pair<std::string, std::string>>& shown() {
    static std::vector<std::pair<std::string, std::string>> boxes;
    return boxes;
  }
  MessageBoxes() {
    shown().clear();
    KTools::ForgetReportedFiles();
    KTools::SetMessageBoxHandler([](const char* caption, const char* text) { shown().emplace_back(caption, text); });
  }
  ~MessageBoxes() { KTools::SetMessageBoxHandler(nullptr); }
  bool any(const std::string& captionOrText) const {
    for (const auto& b : shown())
      if (b.first == captionOrText || b.second == captionOrText) return true;
    return false;
  }
  size_t count() const { return shown().size(); }
};

// Writes 0xAARRGGBB pixels (rows top-down) as a PNG file.
inline bool writeModelPng(const std::string& path, const std::vector<uint32_t>& argb, int w, int h) {
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

// A cube from lo to hi on every axis: 8 vertices, 12 faces, texture "skins\cube.png" with the
// texture vertices (0, 0), (1, 0), (1, 0.25), (0, 1).
inline std::string cubeASE(float lo = 1, float hi = 3, const char* bitmap = "C:\\art\\skins\\cube.png") {
  std::string s = "*3DSMAX_ASCIIEXPORT\t200\r\n*MATERIAL_LIST {\r\n\t*MAP_DIFFUSE {\r\n\t\t*BITMAP \"";
  s += bitmap;
  s += "\"\r\n\t}\r\n}\r\n*GEOMOBJECT {\r\n\t*MESH {\r\n\t\t*MESH_NUMVERTEX 8\r\n\t\t*MESH_NUMFACES 12\r\n"
       "\t\t*MESH_VERTEX_LIST {\r\n";
  const float p[8][3] = {{lo, lo, lo}, {hi, lo, lo}, {hi, hi, lo}, {lo, hi, lo},
                         {lo, lo, hi}, {hi, lo, hi}, {hi, hi, hi}, {lo, hi, hi}};
  for (int i = 0; i < 8; ++i) {
    char line[128];
    std::snprintf(line, sizeof line, "\t\t\t*MESH_VERTEX %4d\t%.4f\t%.4f\t%.4f\r\n", i, p[i][0], p[i][1], p[i][2]);
    s += line;
  }
  s += "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n";
  const int f[12][3] = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                        {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
  for (int i = 0; i < 12; ++i) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "\t\t\t*MESH_FACE %4d:    A: %4d B: %4d C: %4d AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1\r\n", i,
                  f[i][0], f[i][1], f[i][2]);
    s += line;
  }
  s += "\t\t}\r\n\t\t*MESH_NUMTVERTEX 4\r\n\t\t*MESH_TVERTLIST {\r\n"
       "\t\t\t*MESH_TVERT 0\t0.0000\t0.0000\t0.0000\r\n\t\t\t*MESH_TVERT 1\t1.0000\t0.0000\t0.0000\r\n"
       "\t\t\t*MESH_TVERT 2\t1.0000\t0.2500\t0.0000\r\n\t\t\t*MESH_TVERT 3\t0.0000\t1.0000\t0.0000\r\n"
       "\t\t}\r\n\t\t*MESH_NUMTVFACES 12\r\n\t\t*MESH_TFACELIST {\r\n";
  for (int i = 0; i < 12; ++i) s += "\t\t\t*MESH_TFACE " + std::to_string(i) + "\t0\t1\t2\r\n";
  s += "\t\t}\r\n\t}\r\n}\r\n";
  return s;
}

// A sphere of radius 1 about the origin (z up): 16 slices, 12 stacks; the texture goes twice
// round it (u 0..2), so repeat wrapping is needed.
inline KMesh sphereMesh(const char* textureName) {
  KMesh m;
  std::snprintf(m.textureName, sizeof m.textureName, "%s", textureName);
  const int slices = 16, stacks = 12;
  const float pi = 3.14159265f;
  for (int j = 0; j <= stacks; ++j)
    for (int i = 0; i < slices; ++i) {
      float t = pi * float(j) / stacks, p = 2 * pi * float(i) / slices;
      m.vertices.push_back({std::sin(t) * std::cos(p), std::sin(t) * std::sin(p), std::cos(t), 0, 0, 0});
    }
  auto at = [&](int i, int j) { return int32_t(j * slices + (i % slices)); };
  for (int j = 0; j < stacks; ++j)
    for (int i = 0; i < slices; ++i) {
      float u0 = 2.0f * float(i) / slices, u1 = 2.0f * float(i + 1) / slices;
      float v0 = float(j) / stacks, v1 = float(j + 1) / stacks;
      KFace f{};
      f.a = at(i, j), f.b = at(i, j + 1), f.c = at(i + 1, j + 1);
      f.corner[0] = {u0, v0, {}}, f.corner[1] = {u0, v1, {}}, f.corner[2] = {u1, v1, {}};
      m.faces.push_back(f);
      f.a = at(i, j), f.b = at(i + 1, j + 1), f.c = at(i + 1, j);
      f.corner[0] = {u0, v0, {}}, f.corner[1] = {u1, v1, {}}, f.corner[2] = {u1, v0, {}};
      m.faces.push_back(f);
    }
  KMeshFiles::ComputeNormals(m);
  return m;
}

// An 8 x 8 checker of two warm colours (no blue at all), 0xAARRGGBB rows top-down.
inline std::vector<uint32_t> checkerPixels(int side = 64) {
  std::vector<uint32_t> p(size_t(side) * size_t(side));
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      p[size_t(y) * size_t(side) + size_t(x)] = ((x / 8 + y / 8) & 1) ? 0xFFF0C000u : 0xFFC02000u;
  return p;
}
