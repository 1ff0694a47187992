// The software renderer that stands in for DirectDraw 7 with a Direct3D 7 device: surfaces,
// 16-bit textures, a z-buffer and a device that transforms, lights, clips and rasterises
// triangles, lines and points into a 32-bit surface. It needs no display at all; the window
// layer (window.h) presents the finished picture.
//
// Conventions, the same as the OpenGL renderer's so that both draw the same pixels:
// - Matrices multiply row vectors (v' = v * M); a vertex goes through world, view and projection
//   in that order. After projection z runs from 0 (near) to 1 (far).
// - The viewport maps clip space to surface pixels with y pointing down; pixel centres lie at
//   (x + 0.5, y + 0.5). A pixel is drawn when its centre lies inside a triangle, or on a left or
//   top edge (the top-left rule), so triangles that share an edge never draw a pixel twice.
// - Texture coordinates run from 0 to 1 over the texture; texel centres lie at half texels.
// - Colours are A8R8G8B8 words. The texture is modulated by the vertex colour (colour and alpha).
// - The render target has no alpha: destination alpha reads as 1.
//
// Nothing here allocates while drawing. Single-threaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace softdd {

struct Rect {
  int x1, y1, x2, y2;  // x2, y2 exclusive
};

// A 32-bit X8R8G8B8 surface: primary, back buffer or off-screen picture. The top byte of each
// pixel is ignored.
class Surface {
 public:
  Surface(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  int pitch() const { return width_; }  // in pixels
  uint32_t* pixels() { return pixels_.data(); }
  const uint32_t* pixels() const { return pixels_.data(); }
  uint32_t* row(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
  const uint32_t* row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }
  // Fills the rectangle (the whole surface for null), clipped to the surface.
  void fill(uint32_t color, const Rect* rect = nullptr);
  // A surface that was lost keeps its memory but must be restored before it is drawn to or
  // shown; restoring gives it back with undefined contents (here: as they were).
  bool lost() const { return lost_; }
  void setLost(bool lost) { lost_ = lost; }
  bool ok() const { return !pixels_.empty() || width_ == 0 || height_ == 0; }

 private:
  int width_, height_;
  std::vector<uint32_t> pixels_;
  bool lost_ = false;
};

// A depth buffer of floats, 0 (near) to 1 (far).
class ZBuffer {
 public:
  ZBuffer(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  float* row(int y) { return values_.data() + size_t(y) * size_t(width_); }
  const float* row(int y) const { return values_.data() + size_t(y) * size_t(width_); }
  void fill(float z, const Rect* rect = nullptr);

 private:
  int width_, height_;
  std::vector<float> values_;
};

enum class TextureFormat : uint8_t {
  A4R4G4B4,  // four bits of alpha, red, green and blue
  X1R5G5B5,  // five bits of red, green and blue; opaque
};

// 16-bit colour words and back to A8R8G8B8 (each channel rounded to the nearest step, and
// widened by repeating its top bits).
uint16_t toA4R4G4B4(uint32_t argb);
uint16_t toX1R5G5B5(uint32_t argb);
uint32_t fromA4R4G4B4(uint16_t texel);
uint32_t fromX1R5G5B5(uint16_t texel);

// A texture with sides that are powers of two (1 to 4096). It holds its texels in the 16-bit
// format and keeps a widened 32-bit copy that the rasteriser samples; lock hands out the 16-bit
// texels, unlock brings the copy up to date.
class Texture {
 public:
  // Null when a side is not a power of two from 1 to 4096.
  static Texture* create(int width, int height, TextureFormat format);
  int width() const { return width_; }
  int height() const { return height_; }
  TextureFormat format() const { return format_; }
  uint16_t* lock(int& pitchPixels);
  void unlock();
  // Writes A8R8G8B8 pixels (rows top-down) at (x, y), converted to the texture's format; parts
  // outside the texture are cut. With dither, each channel is rounded by a 4 x 4 ordered
  // pattern between the two nearest steps, so that gradients do not band; a value the format
  // holds exactly (as it widens its steps: 0, 255, ...) stays as it is.
  void write(const uint32_t* argb, int width, int height, int pitchPixels, int x = 0, int y = 0,
             bool dither = false);
  // The widened texels, row by row.
  const uint32_t* texels() const { return wide_.data(); }
  int widthShift() const { return widthShift_; }

 private:
  Texture(int width, int height, TextureFormat format);
  void widen(int x1, int y1, int x2, int y2);
  int width_, height_, widthShift_;
  TextureFormat format_;
  std::vector<uint16_t> texels_;
  std::vector<uint32_t> wide_;
};

struct Matrix {
  float m[4][4];
  static Matrix identity();
  static Matrix translation(float x, float y, float z);
  static Matrix scaling(float x, float y, float z);
  // Rotations by an angle in radians; positive turns x towards y (counter-clockwise when y
  // points up), y towards z, z towards x.
  static Matrix rotationX(float radians);
  static Matrix rotationY(float radians);
  static Matrix rotationZ(float radians);
  // Orthographic projection of left..right, bottom..top (y up), near..far to clip space.
  static Matrix orthographic(float left, float right, float bottom, float top, float zNear, float zFar);
  // Perspective projection of the frustum left..right, bottom..top at the near plane.
  static Matrix frustum(float left, float right, float bottom, float top, float zNear, float zFar);
  Matrix operator*(const Matrix& b) const;
};

// Blend factors, with Direct3D's numbers.
enum class Blend : uint8_t {
  Zero = 1,
  One = 2,
  SrcColor = 3,
  InvSrcColor = 4,
  SrcAlpha = 5,
  InvSrcAlpha = 6,
  DestAlpha = 7,
  InvDestAlpha = 8,
  DestColor = 9,
  InvDestColor = 10,
  SrcAlphaSat = 11,
};

// Depth comparisons: the new z against the stored one.
enum class ZCompare : uint8_t { Never = 1, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };

enum class Primitive : uint8_t { PointList = 1, LineList, LineStrip, TriangleList, TriangleStrip, TriangleFan };

enum class Cull : uint8_t { None, Clockwise, CounterClockwise };  // which screen winding is dropped

enum class TransformKind : uint8_t { World, View, Projection };

// A vertex with its own colour.
struct Vertex {
  float x, y, z;
  uint32_t color;  // A8R8G8B8
  float u, v;
};

// A vertex lit by the device's light and material.
struct LitVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
};

struct Color {
  float r, g, b, a;
};

// One light, in view (camera) space: a point light at a position, or a directional light
// shining from the given direction towards the origin.
struct Light {
  bool directional = false;
  float x = 0, y = 0, z = 0;
  Color ambient{0, 0, 0, 1};
  Color diffuse{1, 1, 1, 1};
};

struct Material {
  Color ambient{0.2f, 0.2f, 0.2f, 1};
  Color diffuse{0.8f, 0.8f, 0.8f, 1};
  Color emissive{0, 0, 0, 1};
};

struct Viewport {
  int x, y, width, height;
  float minZ, maxZ;
};

enum : unsigned { kClearTarget = 1, kClearZBuffer = 2 };

// What the device drew since the counters were last reset.
struct DeviceStats {
  uint64_t triangles = 0;
  uint64_t pixels = 0;
};

// The device: render states and the drawing operations. It draws into a render target and,
// when one is set, tests against and writes to a z-buffer of the same size.
class Device {
 public:
  Device(Surface* target, ZBuffer* zbuffer);
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  void setRenderTarget(Surface* target, ZBuffer* zbuffer);
  Surface* renderTarget() const { return target_; }
  ZBuffer* zbuffer() const { return zbuffer_; }

  void setTransform(TransformKind kind, const Matrix& m);
  const Matrix& transform(TransformKind kind) const;
  // Also clips: nothing is drawn outside the viewport.
  void setViewport(const Viewport& viewport);
  const Viewport& viewport() const { return viewport_; }

  // Texture stage: the texture (null: untextured), linear or nearest filtering, repeat or clamp.
  void setTexture(const Texture* texture) { texture_ = texture; }
  const Texture* texture() const { return texture_; }
  void setLinearFilter(bool linear) { linear_ = linear; }
  void setWrap(bool repeat) { repeat_ = repeat; }

  void setBlending(bool enabled) { blending_ = enabled; }
  bool blending() const { return blending_; }
  void setBlendFactors(Blend source, Blend destination);
  Blend sourceBlend() const { return srcBlend_; }
  Blend destinationBlend() const { return dstBlend_; }

  void setZTest(bool enabled) { zTest_ = enabled; }
  void setZFunc(ZCompare compare) { zFunc_ = compare; }
  void setZWrite(bool enabled) { zWrite_ = enabled; }
  bool zTest() const { return zTest_; }
  bool zWrite() const { return zWrite_; }
  ZCompare zFunc() const { return zFunc_; }

  void setCull(Cull cull) { cull_ = cull; }
  // Flat shading colours a triangle with its first vertex's colour.
  void setFlatShading(bool flat) { flat_ = flat; }

  // Lighting of LitVertex drawing: one light, a material and a global ambient colour.
  void setLight(const Light& light) { light_ = light; }
  void setLightEnabled(bool enabled) { lightOn_ = enabled; }
  void setMaterial(const Material& material) { material_ = material; }
  void setAmbient(const Color& ambient) { ambient_ = ambient; }

  // Fills the render target with a colour and/or the z-buffer with a depth, inside the rectangle
  // (the viewport for null).
  void clear(unsigned flags, uint32_t color, float z, const Rect* rect = nullptr);

  void draw(Primitive primitive, const Vertex* vertices, int count);
  void drawLit(Primitive primitive, const LitVertex* vertices, int count);

  const DeviceStats& stats() const { return stats_; }
  void resetStats() { stats_ = DeviceStats(); }

  // A vertex after the vertex stage: clip-space position, colour (0..255 per channel) and
  // texture coordinates.
  struct ScreenVertex {
    float clip[4];
    float r, g, b, a;
    float u, v;
  };

 private:
  void prepare();
  void drawTransformed(Primitive primitive, int count);
  void triangle(int a, int b, int c);
  void clippedTriangle(const ScreenVertex* in);
  void line(const ScreenVertex& a, const ScreenVertex& b);
  void point(const ScreenVertex& a);

  Surface* target_;
  ZBuffer* zbuffer_;
  Matrix world_, view_, projection_, combined_;
  bool combinedDirty_ = true;
  Viewport viewport_;
  const Texture* texture_ = nullptr;
  bool linear_ = false, repeat_ = false;
  bool blending_ = false;
  Blend srcBlend_ = Blend::One, dstBlend_ = Blend::Zero;
  bool zTest_ = false, zWrite_ = true;
  ZCompare zFunc_ = ZCompare::LessEqual;
  Cull cull_ = Cull::None;
  bool flat_ = false;
  Light light_;
  bool lightOn_ = true;
  Material material_;
  Color ambient_{0.2f, 0.2f, 0.2f, 1};
  DeviceStats stats_;
  // Transformed vertices of the current call; grown only when a larger call comes.
  std::vector<ScreenVertex> screen_;
};

}  // namespace softdd
