// The software renderer on its own: coverage rules, texturing, blending, the z-buffer, clipping
// and the 16-bit texel formats, read back pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/softdd.h"

using namespace softdd;

namespace {

constexpr int kW = 64, kH = 48;

// A device set up as the window's 2D view: pixels with y up, z = 0.
struct Canvas {
  Surface surface{kW, kH};
  ZBuffer zbuffer{kW, kH};
  Device device{&surface, &zbuffer};
  Canvas() {
    device.setTransform(TransformKind::Projection, Matrix::orthographic(0, kW, 0, kH, -100, 100));
    surface.fill(0);
  }
  // Screen pixels (y down) to the view's coordinates.
  static Vertex v(float x, float y, uint32_t color, float u = 0, float t = 0) { return Vertex{x, kH - y, 0, color, u, t}; }
  void rect(float x1, float y1, float x2, float y2, uint32_t color) {
    Vertex q[4] = {v(x1, y1, color), v(x2, y1, color), v(x2, y2, color), v(x1, y2, color)};
    device.draw(Primitive::TriangleFan, q, 4);
  }
  uint32_t at(int x, int y) const { return surface.row(y)[x] & 0xFFFFFFu; }
};

int channel(uint32_t c, int shift) { return int((c >> shift) & 255); }

}  // namespace

TEST(SoftwareRenderer, RectangleCoversExactlyItsPixels) {
  Canvas c;
  c.rect(10, 5, 20, 15, 0xFFFF0000u);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      bool inside = x >= 10 && x < 20 && y >= 5 && y < 15;
      ASSERT_EQ(c.at(x, y), inside ? 0xFF0000u : 0u) << x << "," << y;
    }
  EXPECT_EQ(c.device.stats().pixels, 100u);
}

TEST(SoftwareRenderer, SharedEdgesAreDrawnOnce) {
  // Half-transparent quads made of two triangles, and a fan of thin slivers around a centre:
  // with blending, a pixel drawn twice would come out brighter.
  Canvas c;
  c.device.setBlending(true);
  c.device.setBlendFactors(Blend::SrcAlpha, Blend::InvSrcAlpha);
  c.rect(3.3f, 2.7f, 40.6f, 30.2f, 0x80FFFFFFu);
  Vertex fan[10];
  fan[0] = Canvas::v(53, 32, 0x80FFFFFFu);
  for (int i = 0; i < 9; ++i) {
    float a = float(i) * 2.0f * 3.14159265f / 8.0f;
    fan[i + 1] = Canvas::v(53 + 10.3f * std::cos(a), 32 + 10.3f * std::sin(a), 0x80FFFFFFu);
  }
  c.device.draw(Primitive::TriangleFan, fan, 10);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      uint32_t p = c.at(x, y);
      ASSERT_TRUE(p == 0u || p == 0x808080u) << x << "," << y << " " << std::hex << p;
    }
}

TEST(SoftwareRenderer, PixelCentresDecideCoverage) {
  Canvas c;
  // Edges through pixel centres: the left and top ones belong to the rectangle, the right and
  // bottom ones do not.
  c.rect(2.5f, 2.5f, 5.5f, 4.5f, 0xFF00FF00u);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(c.at(x, y) != 0, x >= 2 && x < 5 && y >= 2 && y < 4) << x << "," << y;
}

TEST(SoftwareRenderer, TextureIsMappedTexelForTexel) {
  Canvas c;
  std::unique_ptr<Texture> t(Texture::create(16, 16, TextureFormat::X1R5G5B5));
  ASSERT_TRUE(t);
  std::vector<uint32_t> px(16 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) px[size_t(y * 16 + x)] = 0xFF000000u | uint32_t((x * 16) << 16) | uint32_t((y * 16) << 8);
  t->write(px.data(), 16, 16, 16);
  c.device.setTexture(t.get());
  // Texels (2, 3)-(10, 9) drawn at (20, 11).
  Vertex q[4] = {Canvas::v(20, 11, 0xFFFFFFFFu, 2 / 16.f, 3 / 16.f), Canvas::v(28, 11, 0xFFFFFFFFu, 10 / 16.f, 3 / 16.f),
                 Canvas::v(28, 17, 0xFFFFFFFFu, 10 / 16.f, 9 / 16.f), Canvas::v(20, 17, 0xFFFFFFFFu, 2 / 16.f, 9 / 16.f)};
  c.device.draw(Primitive::TriangleFan, q, 4);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(c.at(20 + x, 11 + y), fromX1R5G5B5(toX1R5G5B5(px[size_t((3 + y) * 16 + 2 + x)])) & 0xFFFFFFu) << x << "," << y;
  EXPECT_EQ(c.at(19, 11), 0u);
  EXPECT_EQ(c.at(28, 11), 0u);
}

TEST(SoftwareRenderer, MirroredAndStretchedTexture) {
  Canvas c;
  std::unique_ptr<Texture> t(Texture::create(4, 4, TextureFormat::A4R4G4B4));
  uint32_t px[16];
  for (int i = 0; i < 16; ++i) px[i] = 0xFF000000u | uint32_t(i * 17);
  t->write(px, 4, 4, 4);
  c.device.setTexture(t.get());
  // The whole texture, left and right exchanged, drawn twice as large.
  Vertex q[4] = {Canvas::v(0, 0, 0xFFFFFFFFu, 1, 0), Canvas::v(8, 0, 0xFFFFFFFFu, 0, 0), Canvas::v(8, 8, 0xFFFFFFFFu, 0, 1),
                 Canvas::v(0, 8, 0xFFFFFFFFu, 1, 1)};
  c.device.draw(Primitive::TriangleFan, q, 4);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(c.at(x, y), uint32_t((y / 2) * 4 + (3 - x / 2)) * 17) << x << "," << y;
}

TEST(SoftwareRenderer, BlendingMatchesTheFormula) {
  // Every alpha level of a 4-bit texture over two backgrounds, tinted and not: the four-pixel
  // loops and the one-pixel loop must give round((s * a + d * (255 - a)) / 255) exactly.
  for (uint32_t tint : {0xFFFFFFFFu, 0xC0B8322Au}) {
    for (uint32_t background : {0x00000000u, 0x00FF8040u}) {
      Canvas c;
      c.surface.fill(background);
      std::unique_ptr<Texture> t(Texture::create(16, 1, TextureFormat::A4R4G4B4));
      uint32_t px[16];
      for (int i = 0; i < 16; ++i) px[i] = uint32_t(i * 17) << 24 | 0xFF3377u;
      t->write(px, 16, 1, 16);
      c.device.setTexture(t.get());
      c.device.setBlending(true);
      c.device.setBlendFactors(Blend::SrcAlpha, Blend::InvSrcAlpha);
      Vertex q[4] = {Canvas::v(0, 0, tint, 0, 0), Canvas::v(16, 0, tint, 1, 0), Canvas::v(16, 1, tint, 1, 1),
                     Canvas::v(0, 1, tint, 0, 1)};
      c.device.draw(Primitive::TriangleFan, q, 4);
      auto mul = [](int a, int b) { return (a * b + 127) / 255; };
      for (int i = 0; i < 16; ++i) {
        uint32_t texel = fromA4R4G4B4(toA4R4G4B4(px[i]));
        int a = mul(channel(texel, 24), channel(tint, 24));
        for (int shift : {0, 8, 16}) {
          int s = mul(channel(texel, shift), channel(tint, shift));
          int d = channel(background, shift);
          int expected = (s * a + d * (255 - a) + 127) / 255;
          EXPECT_NEAR(channel(c.at(i, 0), shift), expected, 0) << "texel " << i << " shift " << shift << std::hex
                                                              << " tint " << tint << " bg " << background;
        }
      }
    }
  }
}

TEST(SoftwareRenderer, BlendFactorsOtherThanAlpha) {
  Canvas c;
  c.surface.fill(0x00404040u);
  c.device.setBlending(true);
  c.device.setBlendFactors(Blend::SrcAlpha, Blend::One);  // additive
  c.rect(0, 0, 4, 4, 0x80FF0000u);
  EXPECT_EQ(c.at(1, 1), 0xC04040u);
  c.device.setBlendFactors(Blend::Zero, Blend::InvSrcAlpha);  // darkens by the alpha only
  c.rect(4, 0, 8, 4, 0x80FFFFFFu);
  EXPECT_EQ(c.at(5, 1), 0x202020u);
  c.device.setBlendFactors(Blend::SrcAlpha, Blend::DestAlpha);  // the target counts as opaque
  c.rect(8, 0, 12, 4, 0x80000080u);
  EXPECT_EQ(c.at(9, 1), 0x404080u);
}

TEST(SoftwareRenderer, ZBufferClipsWithLessThanAndNoWrites) {
  Canvas c;
  c.zbuffer.fill(0.0f);
  Rect inside{10, 10, 20, 20};
  c.zbuffer.fill(1.0f, &inside);
  c.device.setZTest(true);
  c.device.setZFunc(ZCompare::Less);
  c.device.setZWrite(false);
  c.rect(0, 0, kW, kH, 0xFFFFFFFFu);
  c.rect(0, 0, kW, kH, 0xFF0000FFu);  // a second draw still passes: nothing was written
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      bool in = x >= 10 && x < 20 && y >= 10 && y < 20;
      ASSERT_EQ(c.at(x, y), in ? 0x0000FFu : 0u) << x << "," << y;
    }
  EXPECT_EQ(c.zbuffer.row(15)[15], 1.0f);
}

TEST(SoftwareRenderer, DepthTestWithWritesKeepsTheNearest) {
  Surface s(8, 8);
  ZBuffer z(8, 8);
  Device d(&s, &z);
  d.setTransform(TransformKind::Projection, Matrix::frustum(-1, 1, -1, 1, 1, 10));
  d.setZTest(true);
  d.setZFunc(ZCompare::LessEqual);
  d.setZWrite(true);
  auto wall = [&](float depth, uint32_t color) {
    Vertex q[4] = {{-20, -20, -depth, color, 0, 0}, {20, -20, -depth, color, 0, 0}, {20, 20, -depth, color, 0, 0},
                   {-20, 20, -depth, color, 0, 0}};
    d.draw(Primitive::TriangleFan, q, 4);
  };
  wall(3, 0xFF00FF00u);
  wall(5, 0xFFFF0000u);  // behind: hidden
  EXPECT_EQ(s.row(4)[4] & 0xFFFFFFu, 0x00FF00u);
  wall(2, 0xFF0000FFu);  // in front
  EXPECT_EQ(s.row(4)[4] & 0xFFFFFFu, 0x0000FFu);
}

TEST(SoftwareRenderer, NearPlaneClipsTrianglesThatCrossIt) {
  Surface s(32, 32);
  Device d(&s, nullptr);
  d.setTransform(TransformKind::Projection, Matrix::frustum(-1, 1, -1, 1, 1, 100));
  // A floor running from behind the eye far into the distance.
  Vertex q[4] = {{-5, -1, 5, 0xFFFFFFFFu, 0, 0}, {5, -1, 5, 0xFFFFFFFFu, 0, 0}, {5, -1, -50, 0xFFFFFFFFu, 0, 0},
                 {-5, -1, -50, 0xFFFFFFFFu, 0, 0}};
  d.draw(Primitive::TriangleFan, q, 4);
  // The lower half is floor, the upper half is empty sky.
  EXPECT_EQ(s.row(31)[16] & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(s.row(2)[16] & 0xFFFFFFu, 0u);
  EXPECT_GT(d.stats().triangles, 0u);
}

TEST(SoftwareRenderer, PerspectiveTextureIsCorrected) {
  // A textured floor in perspective: texel rows that are equal in the world shrink with
  // distance, so the nearer half of the texture takes more than half of the floor's rows.
  Surface s(64, 64);
  Device d(&s, nullptr);
  d.setTransform(TransformKind::Projection, Matrix::frustum(-1, 1, -1, 1, 1, 100));
  std::unique_ptr<Texture> t(Texture::create(2, 2, TextureFormat::X1R5G5B5));
  uint32_t px[4] = {0xFFFF0000u, 0xFFFF0000u, 0xFF0000FFu, 0xFF0000FFu};
  t->write(px, 2, 2, 2);
  d.setTexture(t.get());
  Vertex q[4] = {{-1, -1, -1.5f, 0xFFFFFFFFu, 0, 1}, {1, -1, -1.5f, 0xFFFFFFFFu, 1, 1}, {1, -1, -10, 0xFFFFFFFFu, 1, 0},
                 {-1, -1, -10, 0xFFFFFFFFu, 0, 0}};
  d.draw(Primitive::TriangleFan, q, 4);
  int red = 0, blue = 0;
  for (int y = 0; y < 64; ++y) {
    uint32_t p = s.row(y)[32] & 0xFFFFFFu;
    red += p == 0xFF0000u;
    blue += p == 0x0000FFu;
  }
  ASSERT_GT(red + blue, 10);
  EXPECT_GT(blue, 2 * red);  // the near (blue) half is much taller on the screen
}

TEST(SoftwareRenderer, ViewportClipsAndMapsClipSpace) {
  Canvas c;
  c.device.setViewport(Viewport{8, 4, 16, 8, 0, 1});
  c.device.setTransform(TransformKind::Projection, Matrix::identity());
  Vertex q[4] = {{-2, -2, 0.5f, 0xFFFF0000u, 0, 0}, {2, -2, 0.5f, 0xFFFF0000u, 0, 0}, {2, 2, 0.5f, 0xFFFF0000u, 0, 0},
                 {-2, 2, 0.5f, 0xFFFF0000u, 0, 0}};
  c.device.draw(Primitive::TriangleFan, q, 4);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      bool in = x >= 8 && x < 24 && y >= 4 && y < 12;
      ASSERT_EQ(c.at(x, y) != 0, in) << x << "," << y;
    }
}

TEST(SoftwareRenderer, GouraudColoursAndFlatShading) {
  Canvas c;
  Vertex tri[3] = {Canvas::v(0, 0, 0xFFFF0000u), Canvas::v(60, 0, 0xFF0000FFu), Canvas::v(0, 40, 0xFF0000FFu)};
  c.device.draw(Primitive::TriangleList, tri, 3);
  uint32_t nearRed = c.at(1, 1), middle = c.at(15, 10);
  EXPECT_GT(channel(nearRed, 16), 230);
  EXPECT_GT(channel(middle, 0), 60);
  EXPECT_GT(channel(middle, 16), 60);
  c.device.setFlatShading(true);
  c.surface.fill(0);
  c.device.draw(Primitive::TriangleList, tri, 3);
  EXPECT_EQ(c.at(15, 10), 0xFF0000u);  // the first vertex's colour throughout
}

TEST(SoftwareRenderer, LinesLeaveOutTheirLastPixelAndPointsHitTheirPixel) {
  Canvas c;
  Vertex l[2] = {Canvas::v(2.5f, 3.5f, 0xFFFFFFFFu), Canvas::v(9.5f, 3.5f, 0xFFFFFFFFu)};
  c.device.draw(Primitive::LineList, l, 2);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(c.at(x, 3) != 0, x >= 2 && x < 9) << x;
  Vertex p[1] = {Canvas::v(30.2f, 20.7f, 0xFF00FF00u)};
  c.device.draw(Primitive::PointList, p, 1);
  EXPECT_EQ(c.at(30, 20), 0x00FF00u);
  EXPECT_EQ(c.device.stats().pixels, 7u + 1u);
}

TEST(SoftwareRenderer, CullingDropsTheChosenWinding) {
  Canvas c;
  Vertex cw[3] = {Canvas::v(0, 0, 0xFFFFFFFFu), Canvas::v(10, 0, 0xFFFFFFFFu), Canvas::v(0, 10, 0xFFFFFFFFu)};
  c.device.setCull(Cull::Clockwise);
  c.device.draw(Primitive::TriangleList, cw, 3);
  EXPECT_EQ(c.device.stats().triangles, 0u);
  c.device.setCull(Cull::CounterClockwise);
  c.device.draw(Primitive::TriangleList, cw, 3);
  EXPECT_EQ(c.device.stats().triangles, 1u);
}

TEST(SoftwareRenderer, LightingFollowsTheNormal) {
  Surface s(16, 16);
  Device d(&s, nullptr);
  d.setTransform(TransformKind::Projection, Matrix::orthographic(-1, 1, -1, 1, -10, 10));
  Light light;
  light.directional = true;
  light.z = 1;  // shining from the viewer
  d.setLight(light);
  d.setAmbient(Color{0, 0, 0, 1});
  Material m;
  m.ambient = Color{0, 0, 0, 1};
  m.diffuse = Color{1, 1, 1, 1};
  d.setMaterial(m);
  auto quad = [&](float nx, float nz) {
    LitVertex q[4] = {{-1, -1, 0, nx, 0, nz, 0, 0}, {1, -1, 0, nx, 0, nz, 0, 0}, {1, 1, 0, nx, 0, nz, 0, 0},
                      {-1, 1, 0, nx, 0, nz, 0, 0}};
    d.drawLit(Primitive::TriangleFan, q, 4);
    return s.row(8)[8] & 0xFF;
  };
  EXPECT_EQ(quad(0, 1), 255u);       // facing the light
  EXPECT_NEAR(double(quad(1, 1)), 180.0, 2.0);  // turned 45 degrees: cos 45
  EXPECT_EQ(quad(0, -1), 0u);        // facing away
}

TEST(SoftwareRenderer, SixteenBitFormatsRoundAndWiden) {
  EXPECT_EQ(toA4R4G4B4(0xFFFFFFFFu), 0xFFFFu);
  EXPECT_EQ(fromA4R4G4B4(0xF8C4u), 0xFF88CC44u);
  EXPECT_EQ(toX1R5G5B5(0x00FF0000u), 0xFC00u);
  EXPECT_EQ(fromX1R5G5B5(0x7C00u), 0xFFFF0000u);  // the X bit is ignored: always opaque
  for (uint32_t v = 0; v < 256; ++v) {
    uint32_t c = v << 24 | v << 16 | v << 8 | v;
    uint32_t back = fromA4R4G4B4(toA4R4G4B4(c));
    EXPECT_LE(std::abs(int(back & 255) - int(v)), 8) << v;
    back = fromX1R5G5B5(toX1R5G5B5(c));
    EXPECT_LE(std::abs(int(back & 255) - int(v)), 4) << v;
  }
  EXPECT_EQ(Texture::create(48, 16, TextureFormat::A4R4G4B4), nullptr);  // not a power of two
}

TEST(SoftwareRenderer, LockedTexelsReachTheSamplingCopy) {
  std::unique_ptr<Texture> t(Texture::create(4, 4, TextureFormat::A4R4G4B4));
  int pitch = 0;
  uint16_t* texels = t->lock(pitch);
  ASSERT_EQ(pitch, 4);
  texels[5] = 0xF0F0;
  t->unlock();
  EXPECT_EQ(t->texels()[5], 0xFF00FF00u);
}

TEST(SoftwareRenderer, RotationTurnsCounterClockwiseWithYUp) {
  Matrix r = Matrix::rotationZ(3.14159265f / 2);
  float x = 1 * r.m[0][0] + 0 * r.m[1][0], y = 1 * r.m[0][1] + 0 * r.m[1][1];
  EXPECT_NEAR(x, 0, 1e-6);
  EXPECT_NEAR(y, 1, 1e-6);
}

TEST(SoftwareRenderer, DitheringKeepsExactColoursAndAveragesGradients) {
  std::unique_ptr<Texture> t(Texture::create(16, 16, TextureFormat::X1R5G5B5));
  std::vector<uint32_t> px(256);
  for (uint32_t v : {0x000000u, 0xFFFFFFu, 0xFF0000u, 0x08F784u}) {  // values five bits hold exactly
    std::fill(px.begin(), px.end(), 0xFF000000u | v);
    t->write(px.data(), 16, 16, 16, 0, 0, true);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(t->texels()[i] & 0xFFFFFFu, v) << std::hex << v;
  }
  // A level between two steps comes out as a mix of both that averages to it.
  std::fill(px.begin(), px.end(), 0xFF000000u | 0x0C0C0Cu);
  t->write(px.data(), 16, 16, 16, 0, 0, true);
  double sum = 0;
  for (int i = 0; i < 256; ++i) sum += double(t->texels()[i] & 255);
  EXPECT_NEAR(sum / 256, 12.0, 1.0);
}

// Linear filtering of scaled, mirrored and turned pictures, opaque and blended, clamped and
// repeated, against bilinear filtering computed in double: within two levels per channel
// (weights in steps of 1/256, then three roundings: two lerps and the blend).
TEST(SoftwareRenderer, LinearFilteringMatchesBilinearReference) {
  constexpr int kT = 8;
  uint32_t px[kT * kT];
  for (int i = 0; i < kT * kT; ++i)
    px[i] = uint32_t((i * 37) % 16 * 17) << 24 | uint32_t((i * 53) % 256) << 16 | uint32_t((i * 91) % 256) << 8 |
            uint32_t((i * 29) % 256);
  std::unique_ptr<Texture> t(Texture::create(kT, kT, TextureFormat::A4R4G4B4));
  t->write(px, kT, kT, kT);
  const uint32_t* texels = t->texels();
  struct Case {
    const char* name;
    float x0, y0;           // screen corner carrying (u0, v0)
    float ax, ay, bx, by;   // screen edges carrying u and v across the whole range
    float u0, v0, u1, v1;   // texture coordinates (0..1 is the whole texture)
    bool repeat, blend;
    uint32_t tint;
  };
  const Case cases[] = {
      {"enlarged", 3, 2, 40, 0, 0, 40, 0, 0, 1, 1, false, false, 0xFFFFFFFFu},
      {"reduced", 50, 4, 7, 0, 0, 7, 0, 0, 1, 1, false, false, 0xFFFFFFFFu},
      {"mirrored and tinted", 2, 2, 30, 0, 0, 20, 1, 0, 0, 1, false, true, 0xC08040FFu},
      {"repeated", 1, 1, 60, 0, 0, 44, -1, -0.5f, 2, 1.5f, true, true, 0xFFFFFFFFu},
      {"turned", 30, 2, 24, 14, -14, 24, 0, 0, 1, 1, false, true, 0xFFFFFFFFu},
  };
  auto wrap = [](int i, bool repeat) { return repeat ? ((i % kT) + kT) % kT : std::clamp(i, 0, kT - 1); };
  for (const Case& k : cases) {
    Canvas c;
    c.surface.fill(0x00204060u);
    c.device.setTexture(t.get());
    c.device.setLinearFilter(true);
    c.device.setWrap(k.repeat);
    c.device.setBlending(k.blend);
    c.device.setBlendFactors(Blend::SrcAlpha, Blend::InvSrcAlpha);
    Vertex q[4] = {Canvas::v(k.x0, k.y0, k.tint, k.u0, k.v0),
                   Canvas::v(k.x0 + k.ax, k.y0 + k.ay, k.tint, k.u1, k.v0),
                   Canvas::v(k.x0 + k.ax + k.bx, k.y0 + k.ay + k.by, k.tint, k.u1, k.v1),
                   Canvas::v(k.x0 + k.bx, k.y0 + k.by, k.tint, k.u0, k.v1)};
    c.device.draw(Primitive::TriangleFan, q, 4);
    // The screen point p = corner + s * a + r * b has u = u0 + s (u1 - u0), v = v0 + r (v1 - v0).
    const double det = double(k.ax) * k.by - double(k.ay) * k.bx;
    int checked = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const double dx = x + 0.5 - k.x0, dy = y + 0.5 - k.y0;
        const double s = (dx * k.by - dy * k.bx) / det, r = (k.ax * dy - k.ay * dx) / det;
        const double margin = 1.5 / std::max(std::abs(det) / std::hypot(k.bx, k.by), 1.0);
        if (s < margin || s > 1 - margin || r < margin || r > 1 - margin) continue;
        const double u = (k.u0 + s * (k.u1 - k.u0)) * kT - 0.5, v = (k.v0 + r * (k.v1 - k.v0)) * kT - 0.5;
        const int iu = int(std::floor(u)), iv = int(std::floor(v));
        const double fu = u - iu, fv = v - iv;
        const uint32_t c00 = texels[wrap(iv, k.repeat) * kT + wrap(iu, k.repeat)],
                       c10 = texels[wrap(iv, k.repeat) * kT + wrap(iu + 1, k.repeat)],
                       c01 = texels[wrap(iv + 1, k.repeat) * kT + wrap(iu, k.repeat)],
                       c11 = texels[wrap(iv + 1, k.repeat) * kT + wrap(iu + 1, k.repeat)];
        auto filtered = [&](int shift) {
          return (1 - fv) * ((1 - fu) * channel(c00, shift) + fu * channel(c10, shift)) +
                 fv * ((1 - fu) * channel(c01, shift) + fu * channel(c11, shift));
        };
        const double a = k.blend ? filtered(24) * channel(k.tint, 24) / 255.0 : 255.0;
        for (int shift : {0, 8, 16}) {
          const double src = filtered(shift) * channel(k.tint, shift) / 255.0;
          const double expected = (src * a + channel(0x00204060u, shift) * (255 - a)) / 255.0;
          ASSERT_NEAR(channel(c.at(x, y), shift), expected, 2.0) << k.name << " at " << x << "," << y;
        }
        ++checked;
      }
    EXPECT_GE(checked, 9) << k.name;
  }
}
