// The 3D pass drawn by both renderers and read back: the same textured, lit meshes give the
// same silhouettes and close colours; depth, the 3D area's place, the orthographic view,
// repeat wrapping, blending, and the 2D view after End3D.
#include <cmath>
#include <cstdlib>

#include "graphics/KGraphicFactory.h"
#include "mesh/KModelFactory.h"
#include "model_fixture.h"

namespace {

const std::string kData = BRAWNMOOR_DATA;

// The pixels that are not the pure blue background.
std::vector<bool> silhouette(const std::vector<uint32_t>& frame) {
  std::vector<bool> s(frame.size());
  for (size_t i = 0; i < frame.size(); ++i) s[i] = frame[i] != 0x0000FFu;
  return s;
}

struct Comparison {
  size_t a = 0, b = 0, both = 0, differ = 0;
  double meanColourDiff = 0;
};

Comparison compare(const std::vector<uint32_t>& fa, const std::vector<uint32_t>& fb) {
  const std::vector<bool> sa = silhouette(fa), sb = silhouette(fb);
  Comparison c;
  double sum = 0;
  for (size_t i = 0; i < fa.size(); ++i) {
    c.a += sa[i];
    c.b += sb[i];
    if (sa[i] != sb[i]) c.differ++;
    if (sa[i] && sb[i]) {
      c.both++;
      for (int s = 8; s < 24; s += 8) sum += std::abs(int((fa[i] >> s) & 255) - int((fb[i] >> s) & 255));
    }
  }
  c.meanColourDiff = c.both ? sum / (2.0 * double(c.both)) : 0;
  return c;
}

// Draws with a fresh window of each renderer and returns both frames (OpenGL first).
template <typename Draw>
std::pair<std::vector<uint32_t>, std::vector<uint32_t>> drawBoth(Draw draw) {
  std::vector<uint32_t> frames[2];
  for (int r = 0; r < 2; ++r) {
    ModelWindow win(r == 0);
    EXPECT_NE(win.window, nullptr);
    if (!win.window) return {};
    win.clear(0, 0, 1);
    draw(win);
    frames[r] = win.read();
  }
  return {frames[0], frames[1]};
}

class Rendered : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(writeModelPng(dir_.file("checker.png"), checkerPixels(), 64, 64));
    ASSERT_TRUE(KMeshFiles::SaveK3D(dir_.file("sphere.k3d").c_str(), sphereMesh("checker.png"), kTagGL));
  }
  TempDir dir_;
  MessageBoxes boxes_;
};

TEST_F(Rendered, ATexturedLitSphereLooksTheSameInBothRenderers) {
  for (int shading = 0; shading < 2; ++shading) {
    auto [gl, dd] = drawBoth([&](ModelWindow&) {
      std::unique_ptr<KModel> m(KTools::CreateModel());
      ASSERT_TRUE(m->LoadK3D(dir_.file("sphere.k3d").c_str(), true));
      ASSERT_NE(m->GetTexture(), nullptr);
      m->SetShadingMode(shading);
      m->SetScale(1.0f, 0.8f, 1.2f);
      m->Begin3D(true, false);
      m->Render(0.4f, -0.3f, -5.0f, -80, 10, 35);
      m->End3D();
    });
    const Comparison c = compare(gl, dd);
    // A sphere of radius about 1 at distance 5 is some 115 pixels across its radius.
    EXPECT_GT(c.a, 20000u) << shading;
    EXPECT_LT(c.a, 70000u) << shading;
    EXPECT_LE(double(c.differ), 0.01 * double(c.a)) << "silhouettes, shading " << shading;
    EXPECT_LT(c.meanColourDiff, 8.0) << "colours, shading " << shading;
    // Lit: the middle, which faces the light near the eye, is brighter than the rim.
    if (shading == 0) {
      const std::vector<bool> s = silhouette(dd);
      double cx = 0, cy = 0, n = 0;
      for (int y = 0; y < kModelH; ++y)
        for (int x = 0; x < kModelW; ++x)
          if (s[size_t(y) * kModelW + size_t(x)]) cx += x, cy += y, n++;
      ASSERT_GT(n, 0);
      cx /= n, cy /= n;
      const double radius = std::sqrt(n / 3.14159);
      double inner = 0, outer = 0;
      int nInner = 0, nOuter = 0;
      for (int y = 0; y < kModelH; ++y)
        for (int x = 0; x < kModelW; ++x) {
          const size_t i = size_t(y) * kModelW + size_t(x);
          if (!s[i]) continue;
          const double r = std::hypot(x - cx, y - cy) / radius;
          const double lum = double((dd[i] >> 16) & 255) + double((dd[i] >> 8) & 255);
          if (r < 0.4) inner += lum, nInner++;
          if (r > 0.85) outer += lum, nOuter++;
        }
      ASSERT_GT(nInner, 0);
      ASSERT_GT(nOuter, 0);
      EXPECT_GT(inner / nInner, outer / nOuter * 1.2);
    }
  }
}

TEST_F(Rendered, TheShippedBoxerLooksTheSameInBothRenderers) {
  const std::string path = kData + "/boxer01.k3d";
  auto [gl, dd] = drawBoth([&](ModelWindow&) {
    std::unique_ptr<KModel> m(KTools::CreateModel());
    ASSERT_TRUE(m->LoadK3D(path.c_str(), true)) << path;
    ASSERT_NE(m->GetTexture(), nullptr) << "the skin beside the mesh";
    m->Begin3D(true, false);
    m->Render(0, 0, -2.8f, -90, 0, 30);
    m->End3D();
  });
  const Comparison c = compare(gl, dd);
  if (const char* keep = std::getenv("BRAWNMOOR_KEEP_FRAMES")) {
    writeModelPng(std::string(keep) + "/boxer-gl.png", gl, kModelW, kModelH);
    writeModelPng(std::string(keep) + "/boxer-dd.png", dd, kModelW, kModelH);
  }
  EXPECT_GT(c.a, 5000u);
  EXPECT_LE(double(c.differ), 0.02 * double(c.a));
  EXPECT_LT(c.meanColourDiff, 12.0);
  // Upright: head at the top, feet at the bottom of a figure taller than wide.
  int top = kModelH, bottom = 0, left = kModelW, right = 0;
  const std::vector<bool> s = silhouette(dd);
  for (int y = 0; y < kModelH; ++y)
    for (int x = 0; x < kModelW; ++x)
      if (s[size_t(y) * kModelW + size_t(x)]) {
        top = std::min(top, y), bottom = std::max(bottom, y);
        left = std::min(left, x), right = std::max(right, x);
      }
  EXPECT_GT(bottom - top, 2 * (right - left));
  EXPECT_LT(std::abs((top + bottom) / 2 - 240), 10);
}

TEST_F(Rendered, TheNearerSurfaceWinsWhateverTheOrder) {
  for (bool gl : {true, false}) {
    for (bool depthBuffer : {true, false}) {
      if (gl && !depthBuffer) continue;  // an OpenGL window without a depth buffer cannot test depth
      ModelWindow win(gl, depthBuffer);
      ASSERT_NE(win.window, nullptr);
      win.clear(0, 0, 1);
      std::unique_ptr<KModel> nearBall(KTools::CreateModel()), farBall(KTools::CreateModel());
      ASSERT_TRUE(nearBall->LoadK3D(dir_.file("sphere.k3d").c_str(), false));
      ASSERT_TRUE(farBall->LoadK3D(dir_.file("sphere.k3d").c_str(), true));
      nearBall->SetScale(0.3f, 0.3f, 0.3f);
      nearBall->Begin3D(true, false);
      nearBall->Render(0, 0, -4, 0, 0, 0);  // white (untextured), in front
      farBall->Render(0, 0, -6, 0, 0, 0);   // checkered, behind, drawn later
      nearBall->End3D();
      const uint32_t centre = win.read()[240 * kModelW + 320];
      EXPECT_GT(centre & 255, 100u) << "untextured white shows, not the warm checker; gl " << gl;
      if (!gl) {
        // The lent z-buffer goes back: the window's device is as it was.
        EXPECT_EQ(KWindowDD::GetDevice()->zbuffer() != nullptr, depthBuffer);
        EXPECT_FALSE(KWindowDD::GetDevice()->zTest());
      }
    }
  }
}

TEST_F(Rendered, TheAreaSitsBottomLeftAndTheTwoDViewComesBack) {
  // In an 800 x 600 window the 640 x 480 area covers x 0..640, y 120..600. The orthographic view
  // counts Render's y from the area's top.
  for (bool useGL : {true, false}) {
    ModelWindow win(useGL, true, 800, 600);
    ASSERT_NE(win.window, nullptr);
    win.clear(0, 0, 1);
    std::unique_ptr<KModel> m(KTools::CreateModel());
    ASSERT_TRUE(m->LoadK3D(dir_.file("sphere.k3d").c_str(), true));
    m->SetScale(20, 20, 20);  // a ball of radius 20 pixels
    m->Begin3D(true, true);
    EXPECT_TRUE(KModel::IsOrthographic());
    m->Render(100, 50, 0, 0, 0, 0);
    m->End3D();
    // 2D drawing after End3D lands where the 2D view says.
    std::unique_ptr<KGraphic> pen(KTools::CreateGraphic());
    pen->DrawRect(700, 20, 720, 40, 0, 1, 0, 1);
    const std::vector<uint32_t> f = win.read();
    EXPECT_EQ(f[size_t(120 + 50) * 800 + 100] & 255, 0u) << "the ball at (100, 120 + 50); gl " << useGL;
    EXPECT_EQ(f[size_t(50) * 800 + 100] & 255, 255u) << "nothing at (100, 50); gl " << useGL;
    EXPECT_EQ(f[size_t(30) * 800 + 710], 0x00FF00u) << "the rectangle; gl " << useGL;
    int ball = 0;
    for (uint32_t p : f) ball += (p & 255) < 128 && p != 0x00FF00u;
    EXPECT_NEAR(ball, 3.14159 * 400, 150) << "gl " << useGL;
  }
}

TEST_F(Rendered, TexturesRepeat) {
  // A square facing the eye with u running 0..2: the texture's left half (red) and right half
  // (yellow) show twice.
  std::vector<uint32_t> halves(64 * 64);
  for (int i = 0; i < 64 * 64; ++i) halves[size_t(i)] = (i % 64) < 32 ? 0xFFFF0000u : 0xFFFFFF00u;
  ASSERT_TRUE(writeModelPng(dir_.file("halves.png"), halves, 64, 64));
  KMesh quad;
  std::snprintf(quad.textureName, sizeof quad.textureName, "halves.png");
  quad.vertices = {{-1, -1, 0, 0, 0, 1}, {1, -1, 0, 0, 0, 1}, {1, 1, 0, 0, 0, 1}, {-1, 1, 0, 0, 0, 1}};
  KFace f{};
  f.a = 0, f.b = 1, f.c = 2, f.nz = 1;
  f.corner[0] = {0, 0.5f, {}}, f.corner[1] = {2, 0.5f, {}}, f.corner[2] = {2, 0.5f, {}};
  quad.faces.push_back(f);
  f.a = 0, f.b = 2, f.c = 3;
  f.corner[0] = {0, 0.5f, {}}, f.corner[1] = {2, 0.5f, {}}, f.corner[2] = {0, 0.5f, {}};
  quad.faces.push_back(f);
  ASSERT_TRUE(KMeshFiles::SaveK3D(dir_.file("quad.k3d").c_str(), quad, kTagGL));
  auto [gl, dd] = drawBoth([&](ModelWindow&) {
    std::unique_ptr<KModel> m(KTools::CreateModel());
    ASSERT_TRUE(m->LoadK3D(dir_.file("quad.k3d").c_str(), true));
    m->Begin3D(true, false);
    m->Render(0, 0, -2.0f, 0, 0, 0);
    m->End3D();
  });
  for (const auto* frame : {&gl, &dd}) {
    // The quad spans about x 30..610 at y 240: quarters red, yellow, red, yellow.
    const uint32_t q[4] = {(*frame)[240 * kModelW + 100], (*frame)[240 * kModelW + 250],
                           (*frame)[240 * kModelW + 390], (*frame)[240 * kModelW + 540]};
    for (int k = 0; k < 4; ++k) {
      EXPECT_GT((q[k] >> 16) & 255, 100u) << k;
      EXPECT_EQ(((q[k] >> 8) & 255) > 100, k % 2 == 1) << std::hex << q[k] << " quarter " << k;
    }
  }
}

TEST_F(Rendered, BlendingMixesWithWhatIsThere) {
  auto [gl, dd] = drawBoth([&](ModelWindow& win) {
    win.clear(0, 0, 1);
    std::unique_ptr<KModel> m(KTools::CreateModel());
    ASSERT_TRUE(m->LoadK3D(dir_.file("sphere.k3d").c_str(), false));
    m->SetBlending(true, 0.5f);
    m->Begin3D(true, false);
    m->Render(0, 0, -4, 0, 0, 0);
    m->End3D();
  });
  for (const auto* frame : {&gl, &dd}) {
    const uint32_t centre = (*frame)[240 * kModelW + 320];
    // Half the blue background (and a little of the dark far side) stays under the lit white.
    EXPECT_GT((centre >> 16) & 255, 100u) << std::hex << centre;
    EXPECT_LT((centre >> 16) & 255, 160u) << std::hex << centre;
    EXPECT_GT(centre & 255, 180u) << std::hex << centre;
  }
  EXPECT_LT(std::abs(int(gl[240 * kModelW + 320] & 255) - int(dd[240 * kModelW + 320] & 255)), 6);
}

}  // namespace
