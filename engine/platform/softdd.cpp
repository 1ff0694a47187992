// Surfaces, textures, matrices and the device's vertex stage: transform, lighting, primitive
// assembly and clipping. The pixels are drawn by softdd_raster.cpp.
#include "platform/softdd.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/softdd_raster.h"

namespace softdd {

// ---------------------------------------------------------------------------------------------
// Surfaces

namespace {

bool clipRect(const Rect* rect, int width, int height, Rect& out) {
  out = rect ? *rect : Rect{0, 0, width, height};
  out.x1 = std::max(out.x1, 0);
  out.y1 = std::max(out.y1, 0);
  out.x2 = std::min(out.x2, width);
  out.y2 = std::min(out.y2, height);
  return out.x1 < out.x2 && out.y1 < out.y2;
}

}  // namespace

Surface::Surface(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(size_t(width_) * size_t(height_), 0u) {}

void Surface::fill(uint32_t color, const Rect* rect) {
  Rect r;
  if (!clipRect(rect, width_, height_, r)) return;
  for (int y = r.y1; y < r.y2; ++y) std::fill(row(y) + r.x1, row(y) + r.x2, color);
}

ZBuffer::ZBuffer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      values_(size_t(width_) * size_t(height_), 1.0f) {}

void ZBuffer::fill(float z, const Rect* rect) {
  Rect r;
  if (!clipRect(rect, width_, height_, r)) return;
  for (int y = r.y1; y < r.y2; ++y) std::fill(row(y) + r.x1, row(y) + r.x2, z);
}

// ---------------------------------------------------------------------------------------------
// Texels

namespace {

uint32_t quantise(uint32_t channel, uint32_t steps) { return (channel * steps + 127) / 255; }

}  // namespace

uint16_t toA4R4G4B4(uint32_t c) {
  return uint16_t((quantise(c >> 24, 15) << 12) | (quantise((c >> 16) & 255, 15) << 8) |
                  (quantise((c >> 8) & 255, 15) << 4) | quantise(c & 255, 15));
}

uint16_t toX1R5G5B5(uint32_t c) {
  return uint16_t(0x8000u | (quantise((c >> 16) & 255, 31) << 10) |
                  (quantise((c >> 8) & 255, 31) << 5) | quantise(c & 255, 31));
}

uint32_t fromA4R4G4B4(uint16_t t) {
  uint32_t a = (t >> 12) & 15, r = (t >> 8) & 15, g = (t >> 4) & 15, b = t & 15;
  return (a * 17) << 24 | (r * 17) << 16 | (g * 17) << 8 | (b * 17);
}

uint32_t fromX1R5G5B5(uint16_t t) {
  uint32_t r = (t >> 10) & 31, g = (t >> 5) & 31, b = t & 31;
  return 0xFF000000u | ((r << 3) | (r >> 2)) << 16 | ((g << 3) | (g >> 2)) << 8 | ((b << 3) | (b >> 2));
}

Texture* Texture::create(int width, int height, TextureFormat format) {
  auto pow2 = [](int v) { return v >= 1 && v <= 4096 && (v & (v - 1)) == 0; };
  if (!pow2(width) || !pow2(height)) return nullptr;
  return new Texture(width, height, format);
}

Texture::Texture(int width, int height, TextureFormat format)
    : width_(width), height_(height), widthShift_(0), format_(format),
      texels_(size_t(width) * size_t(height), 0),
      // What the zero texels widen to.
      wide_(size_t(width) * size_t(height), format == TextureFormat::A4R4G4B4 ? fromA4R4G4B4(0) : fromX1R5G5B5(0)) {
  while ((1 << widthShift_) < width_) ++widthShift_;
}

uint16_t* Texture::lock(int& pitchPixels) {
  pitchPixels = width_;
  return texels_.data();
}

void Texture::unlock() { widen(0, 0, width_, height_); }

void Texture::write(const uint32_t* argb, int width, int height, int pitchPixels, int x, int y, bool dither) {
  int x1 = std::max(x, 0), y1 = std::max(y, 0);
  int x2 = std::min(x + width, width_), y2 = std::min(y + height, height_);
  if (x1 >= x2 || y1 >= y2 || !argb) return;
  // A 4 x 4 ordered pattern: each channel takes the step above instead of the one below when
  // its distance between the two (in sixteenths) exceeds the pattern's value at that texel.
  // The choice depends only on the channel's value and the pattern's value, so it is looked up.
  static const uint8_t kBayer[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
  struct DitherTables {
    uint8_t four[16][256];  // 4-bit step for (threshold, value)
    uint8_t five[16][256];  // 5-bit step
    DitherTables() {
      auto widen4 = [](uint32_t q) { return q * 17; };
      auto widen5 = [](uint32_t q) { return (q << 3) | (q >> 2); };
      auto q = [](uint32_t v, uint32_t threshold, uint32_t steps, auto widenStep) {
        uint32_t low = v * steps / 255;
        while (low < steps && widenStep(low + 1) <= v) ++low;
        while (low > 0 && widenStep(low) > v) --low;
        if (low == steps) return low;
        uint32_t a = widenStep(low), b = widenStep(low + 1);
        return (v - a) * 16 > threshold * (b - a) ? low + 1 : low;
      };
      for (uint32_t t = 0; t < 16; ++t)
        for (uint32_t v = 0; v < 256; ++v) {
          four[t][v] = uint8_t(q(v, t, 15, widen4));
          five[t][v] = uint8_t(q(v, t, 31, widen5));
        }
    }
  };
  static const DitherTables tables;
  for (int ty = y1; ty < y2; ++ty) {
    const uint32_t* src = argb + size_t(ty - y) * size_t(pitchPixels) + (x1 - x);
    uint16_t* dst = texels_.data() + size_t(ty) * size_t(width_);
    for (int tx = x1; tx < x2; ++tx) {
      uint32_t c = *src++;
      if (!dither) {
        dst[tx] = format_ == TextureFormat::A4R4G4B4 ? toA4R4G4B4(c) : toX1R5G5B5(c);
        continue;
      }
      const uint32_t threshold = kBayer[(ty & 3) * 4 + (tx & 3)];
      if (format_ == TextureFormat::A4R4G4B4) {
        const uint8_t* t4 = tables.four[threshold];
        dst[tx] = uint16_t(t4[c >> 24] << 12 | t4[(c >> 16) & 255] << 8 | t4[(c >> 8) & 255] << 4 | t4[c & 255]);
      } else {
        const uint8_t* t5 = tables.five[threshold];
        dst[tx] = uint16_t(0x8000u | t5[(c >> 16) & 255] << 10 | t5[(c >> 8) & 255] << 5 | t5[c & 255]);
      }
    }
  }
  widen(x1, y1, x2, y2);
}

void Texture::widen(int x1, int y1, int x2, int y2) {
  for (int y = y1; y < y2; ++y) {
    const uint16_t* src = texels_.data() + size_t(y) * size_t(width_);
    uint32_t* dst = wide_.data() + size_t(y) * size_t(width_);
    if (format_ == TextureFormat::A4R4G4B4)
      for (int x = x1; x < x2; ++x) dst[x] = fromA4R4G4B4(src[x]);
    else
      for (int x = x1; x < x2; ++x) dst[x] = fromX1R5G5B5(src[x]);
  }
}

// ---------------------------------------------------------------------------------------------
// Matrices

Matrix Matrix::identity() {
  Matrix r{};
  for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
  return r;
}

Matrix Matrix::translation(float x, float y, float z) {
  Matrix r = identity();
  r.m[3][0] = x;
  r.m[3][1] = y;
  r.m[3][2] = z;
  return r;
}

Matrix Matrix::scaling(float x, float y, float z) {
  Matrix r = identity();
  r.m[0][0] = x;
  r.m[1][1] = y;
  r.m[2][2] = z;
  return r;
}

Matrix Matrix::rotationX(float a) {
  Matrix r = identity();
  float c = std::cos(a), s = std::sin(a);
  r.m[1][1] = c;
  r.m[1][2] = s;
  r.m[2][1] = -s;
  r.m[2][2] = c;
  return r;
}

Matrix Matrix::rotationY(float a) {
  Matrix r = identity();
  float c = std::cos(a), s = std::sin(a);
  r.m[0][0] = c;
  r.m[0][2] = -s;
  r.m[2][0] = s;
  r.m[2][2] = c;
  return r;
}

Matrix Matrix::rotationZ(float a) {
  Matrix r = identity();
  float c = std::cos(a), s = std::sin(a);
  r.m[0][0] = c;
  r.m[0][1] = s;
  r.m[1][0] = -s;
  r.m[1][1] = c;
  return r;
}

// Both projections take OpenGL's arguments (the eye looks down -z; near and far are distances
// along it) and give clip-space z from 0 at the near plane to 1 at the far one.
Matrix Matrix::orthographic(float l, float r, float b, float t, float n, float f) {
  Matrix m{};
  m.m[0][0] = 2.0f / (r - l);
  m.m[1][1] = 2.0f / (t - b);
  m.m[2][2] = -1.0f / (f - n);
  m.m[3][0] = -(r + l) / (r - l);
  m.m[3][1] = -(t + b) / (t - b);
  m.m[3][2] = -n / (f - n);
  m.m[3][3] = 1.0f;
  return m;
}

Matrix Matrix::frustum(float l, float r, float b, float t, float n, float f) {
  Matrix m{};
  m.m[0][0] = 2.0f * n / (r - l);
  m.m[1][1] = 2.0f * n / (t - b);
  m.m[2][0] = (r + l) / (r - l);
  m.m[2][1] = (t + b) / (t - b);
  m.m[2][2] = -f / (f - n);
  m.m[2][3] = -1.0f;
  m.m[3][2] = -f * n / (f - n);
  return m;
}

Matrix Matrix::operator*(const Matrix& b) const {
  Matrix r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j] + m[i][3] * b.m[3][j];
  return r;
}

// ---------------------------------------------------------------------------------------------
// Device

Device::Device(Surface* target, ZBuffer* zbuffer)
    : target_(target), zbuffer_(zbuffer), world_(Matrix::identity()), view_(Matrix::identity()),
      projection_(Matrix::identity()), combined_(Matrix::identity()) {
  viewport_ = Viewport{0, 0, target ? target->width() : 0, target ? target->height() : 0, 0.0f, 1.0f};
}

Device::~Device() = default;

void Device::setRenderTarget(Surface* target, ZBuffer* zbuffer) {
  target_ = target;
  zbuffer_ = zbuffer;
  viewport_ = Viewport{0, 0, target ? target->width() : 0, target ? target->height() : 0, 0.0f, 1.0f};
}

void Device::setTransform(TransformKind kind, const Matrix& m) {
  (kind == TransformKind::World ? world_ : kind == TransformKind::View ? view_ : projection_) = m;
  combinedDirty_ = true;
}

const Matrix& Device::transform(TransformKind kind) const {
  return kind == TransformKind::World ? world_ : kind == TransformKind::View ? view_ : projection_;
}

void Device::setViewport(const Viewport& viewport) { viewport_ = viewport; }

void Device::setBlendFactors(Blend source, Blend destination) {
  srcBlend_ = source;
  dstBlend_ = destination;
}

void Device::clear(unsigned flags, uint32_t color, float z, const Rect* rect) {
  Rect r = rect ? *rect
                : Rect{viewport_.x, viewport_.y, viewport_.x + viewport_.width, viewport_.y + viewport_.height};
  if ((flags & kClearTarget) && target_) target_->fill(color, &r);
  if ((flags & kClearZBuffer) && zbuffer_) zbuffer_->fill(z, &r);
}

void Device::prepare() {
  if (combinedDirty_) {
    combined_ = world_ * view_ * projection_;
    combinedDirty_ = false;
  }
}

namespace {

inline void transformPoint(const Matrix& m, float x, float y, float z, float out[4]) {
  for (int j = 0; j < 4; ++j) out[j] = x * m.m[0][j] + y * m.m[1][j] + z * m.m[2][j] + m.m[3][j];
}

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

}  // namespace

void Device::draw(Primitive primitive, const Vertex* vertices, int count) {
  if (!target_ || !vertices || count <= 0) return;
  prepare();
  if (screen_.size() < size_t(count)) screen_.resize(size_t(count));
  for (int i = 0; i < count; ++i) {
    const Vertex& v = vertices[i];
    ScreenVertex& s = screen_[size_t(i)];
    transformPoint(combined_, v.x, v.y, v.z, s.clip);
    s.r = float((v.color >> 16) & 255);
    s.g = float((v.color >> 8) & 255);
    s.b = float(v.color & 255);
    s.a = float(v.color >> 24);
    s.u = v.u;
    s.v = v.v;
  }
  drawTransformed(primitive, count);
}

void Device::drawLit(Primitive primitive, const LitVertex* vertices, int count) {
  if (!target_ || !vertices || count <= 0) return;
  prepare();
  if (screen_.size() < size_t(count)) screen_.resize(size_t(count));
  const Matrix worldView = world_ * view_;
  const Material& mat = material_;
  float base[3] = {mat.emissive.r + ambient_.r * mat.ambient.r, mat.emissive.g + ambient_.g * mat.ambient.g,
                   mat.emissive.b + ambient_.b * mat.ambient.b};
  if (lightOn_) {
    base[0] += light_.ambient.r * mat.ambient.r;
    base[1] += light_.ambient.g * mat.ambient.g;
    base[2] += light_.ambient.b * mat.ambient.b;
  }
  // Normals go through the inverse transpose of the world-view's 3 x 3 part (its cofactors,
  // turned by the determinant's sign: the length does not matter, they are normalised), so
  // that an uneven scale keeps them square to the surface.
  const auto& w = worldView.m;
  float nm[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
      nm[r][c] = w[r1][c1] * w[r2][c2] - w[r1][c2] * w[r2][c1];
    }
  const float det = w[0][0] * nm[0][0] + w[0][1] * nm[0][1] + w[0][2] * nm[0][2];
  if (det < 0.0f)
    for (auto& row : nm)
      for (float& e : row) e = -e;
  for (int i = 0; i < count; ++i) {
    const LitVertex& v = vertices[i];
    ScreenVertex& s = screen_[size_t(i)];
    transformPoint(combined_, v.x, v.y, v.z, s.clip);
    float rgb[3] = {base[0], base[1], base[2]};
    if (lightOn_) {
      float eye[4];
      transformPoint(worldView, v.x, v.y, v.z, eye);
      float n[3];
      for (int j = 0; j < 3; ++j) n[j] = v.nx * nm[0][j] + v.ny * nm[1][j] + v.nz * nm[2][j];
      float nl = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      float l[3];
      if (light_.directional) {
        l[0] = light_.x, l[1] = light_.y, l[2] = light_.z;
      } else {
        l[0] = light_.x - eye[0], l[1] = light_.y - eye[1], l[2] = light_.z - eye[2];
      }
      float ll = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
      if (nl > 0.0f && ll > 0.0f) {
        float d = (n[0] * l[0] + n[1] * l[1] + n[2] * l[2]) / (nl * ll);
        if (d > 0.0f) {
          rgb[0] += d * light_.diffuse.r * mat.diffuse.r;
          rgb[1] += d * light_.diffuse.g * mat.diffuse.g;
          rgb[2] += d * light_.diffuse.b * mat.diffuse.b;
        }
      }
    }
    s.r = clamp01(rgb[0]) * 255.0f;
    s.g = clamp01(rgb[1]) * 255.0f;
    s.b = clamp01(rgb[2]) * 255.0f;
    s.a = clamp01(mat.diffuse.a) * 255.0f;
    s.u = v.u;
    s.v = v.v;
  }
  drawTransformed(primitive, count);
}

void Device::drawTransformed(Primitive primitive, int count) {
  switch (primitive) {
    case Primitive::TriangleList:
      for (int i = 0; i + 2 < count; i += 3) triangle(i, i + 1, i + 2);
      break;
    case Primitive::TriangleStrip:
      // Every other triangle is turned round so that all keep the strip's winding.
      for (int i = 0; i + 2 < count; ++i)
        if (i & 1)
          triangle(i + 1, i, i + 2);
        else
          triangle(i, i + 1, i + 2);
      break;
    case Primitive::TriangleFan:
      for (int i = 1; i + 1 < count; ++i) triangle(0, i, i + 1);
      break;
    case Primitive::LineList:
    case Primitive::LineStrip: {
      int step = primitive == Primitive::LineList ? 2 : 1;
      for (int i = 0; i + 1 < count; i += step) {
        ScreenVertex a = screen_[size_t(i)], b = screen_[size_t(i + 1)];
        // Lines are only kept whole or dropped at the near and far planes.
        if (a.clip[3] <= 0.0f || b.clip[3] <= 0.0f) continue;
        line(a, b);
      }
      break;
    }
    case Primitive::PointList:
      for (int i = 0; i < count; ++i)
        if (screen_[size_t(i)].clip[3] > 0.0f) point(screen_[size_t(i)]);
      break;
  }
}

namespace {

// Distance of a clip-space vertex inside a clipping plane (negative: outside): near z >= 0,
// far z <= w, and w above zero.
inline float planeDistance(const Device::ScreenVertex& v, int plane) {
  switch (plane) {
    case 0: return v.clip[2];
    case 1: return v.clip[3] - v.clip[2];
    default: return v.clip[3] - 1e-6f;
  }
}

Device::ScreenVertex lerpVertex(const Device::ScreenVertex& a, const Device::ScreenVertex& b, float t) {
  Device::ScreenVertex r;
  for (int j = 0; j < 4; ++j) r.clip[j] = a.clip[j] + (b.clip[j] - a.clip[j]) * t;
  r.r = a.r + (b.r - a.r) * t;
  r.g = a.g + (b.g - a.g) * t;
  r.b = a.b + (b.b - a.b) * t;
  r.a = a.a + (b.a - a.a) * t;
  r.u = a.u + (b.u - a.u) * t;
  r.v = a.v + (b.v - a.v) * t;
  return r;
}

}  // namespace

void Device::triangle(int ia, int ib, int ic) {
  ScreenVertex tri[3] = {screen_[size_t(ia)], screen_[size_t(ib)], screen_[size_t(ic)]};
  if (flat_) {
    for (int k = 1; k < 3; ++k) {
      tri[k].r = tri[0].r;
      tri[k].g = tri[0].g;
      tri[k].b = tri[0].b;
      tri[k].a = tri[0].a;
    }
  }
  clippedTriangle(tri);
}

void Device::clippedTriangle(const ScreenVertex* in) {
  unsigned outside = 0, allOutside = 7;
  for (int k = 0; k < 3; ++k) {
    unsigned codes = 0;
    for (int p = 0; p < 3; ++p)
      if (planeDistance(in[k], p) < 0.0f) codes |= 1u << p;
    outside |= codes;
    allOutside &= codes;
  }
  if (allOutside) return;
  raster::Context ctx;
  if (!raster::begin(ctx, target_, zbuffer_, viewport_, texture_, linear_, repeat_, blending_,
                     srcBlend_, dstBlend_, zTest_, zWrite_, zFunc_, cull_))
    return;
  if (!outside) {
    raster::triangle(ctx, in[0], in[1], in[2], stats_);
    return;
  }
  // Sutherland-Hodgman against the planes the triangle crosses; at most six corners remain.
  ScreenVertex bufA[9], bufB[9];
  ScreenVertex* cur = bufA;
  ScreenVertex* next = bufB;
  int n = 3;
  for (int k = 0; k < 3; ++k) cur[k] = in[k];
  for (int p = 0; p < 3 && n > 0; ++p) {
    if (!(outside & (1u << p))) continue;
    int m = 0;
    for (int k = 0; k < n; ++k) {
      const ScreenVertex& a = cur[k];
      const ScreenVertex& b = cur[(k + 1) % n];
      float da = planeDistance(a, p), db = planeDistance(b, p);
      if (da >= 0.0f) next[m++] = a;
      if ((da >= 0.0f) != (db >= 0.0f)) next[m++] = lerpVertex(a, b, da / (da - db));
    }
    std::swap(cur, next);
    n = m;
  }
  for (int k = 1; k + 1 < n; ++k) raster::triangle(ctx, cur[0], cur[k], cur[k + 1], stats_);
}

void Device::line(const ScreenVertex& a, const ScreenVertex& b) {
  raster::Context ctx;
  if (!raster::begin(ctx, target_, zbuffer_, viewport_, nullptr, false, false, blending_, srcBlend_,
                     dstBlend_, zTest_, zWrite_, zFunc_, Cull::None))
    return;
  raster::line(ctx, a, b, stats_);
}

void Device::point(const ScreenVertex& a) {
  raster::Context ctx;
  if (!raster::begin(ctx, target_, zbuffer_, viewport_, nullptr, false, false, blending_, srcBlend_,
                     dstBlend_, zTest_, zWrite_, zFunc_, Cull::None))
    return;
  raster::point(ctx, a, stats_);
}

}  // namespace softdd
