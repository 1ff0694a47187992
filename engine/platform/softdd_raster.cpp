#include "platform/softdd_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace softdd::raster {
namespace {

// A screen-space vertex: pixels, depth 0..1, q = 1/w, colour 0..255, texture coordinates.
struct RV {
  float x, y, z, q;
  float r, g, b, a;
  float u, v;
};

// An attribute as a plane over the screen: its value at the setup origin and its gradients.
struct Plane {
  float a0, dx, dy;
  double at(double fx, double fy) const { return double(a0) + double(dx) * fx + double(dy) * fy; }
};

struct Setup {
  float ox, oy;
  Plane u, v, q, z, r, g, b, a;
  uint32_t color;  // A8R8G8B8 when the colour is the same at every corner
  bool white, gouraud, persp, textured;
  // Texels map 1:1 onto pixels with every pixel centre on a texel centre: linear filtering
  // then gives exactly the nearest texel, so the nearest span does the work.
  bool aligned;
};

using SpanFn = void (*)(const Context&, const Setup&, int y, int x1, int x2);

// Vertices are snapped to 1/256 pixel so that a corner computed twice lands on the same point.
inline float snap(float v) { return std::floor(v * 256.0f + 0.5f) * (1.0f / 256.0f); }

// Exact round(a * b / 255) for bytes.
inline uint32_t mul8(uint32_t a, uint32_t b) {
  uint32_t t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

inline uint32_t modulate(uint32_t t, uint32_t c) {
  return mul8(t >> 24, c >> 24) << 24 | mul8((t >> 16) & 255, (c >> 16) & 255) << 16 |
         mul8((t >> 8) & 255, (c >> 8) & 255) << 8 | mul8(t & 255, c & 255);
}

// Source over destination by the source's alpha, two channels per multiply.
inline uint32_t blendAlpha(uint32_t s, uint32_t d) {
  uint32_t a = s >> 24;
  uint32_t ia = 255 - a;
  uint32_t rb = (s & 0xFF00FFu) * a + (d & 0xFF00FFu) * ia + 0x800080u;
  rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
  uint32_t g = (s & 0xFF00u) * a + (d & 0xFF00u) * ia + 0x8000u;
  g = ((g + ((g >> 8) & 0xFF00u)) >> 8) & 0xFF00u;
  return 0xFF000000u | rb | g;
}

inline uint32_t factor(Blend f, uint32_t sc, uint32_t sa, uint32_t dc) {
  switch (f) {
    case Blend::Zero: return 0;
    case Blend::One: return 255;
    case Blend::SrcColor: return sc;
    case Blend::InvSrcColor: return 255 - sc;
    case Blend::SrcAlpha: return sa;
    case Blend::InvSrcAlpha: return 255 - sa;
    case Blend::DestAlpha: return 255;  // the target has no alpha: it counts as opaque
    case Blend::InvDestAlpha: return 0;
    case Blend::DestColor: return dc;
    case Blend::InvDestColor: return 255 - dc;
    case Blend::SrcAlphaSat: return 0;  // min(source alpha, 1 - destination alpha)
  }
  return 0;
}

inline uint32_t blendGeneral(uint32_t s, uint32_t d, Blend sf, Blend df) {
  uint32_t sa = s >> 24;
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t sc = (s >> shift) & 255, dc = (d >> shift) & 255;
    uint32_t v = mul8(sc, factor(sf, sc, sa, dc)) + mul8(dc, factor(df, sc, sa, dc));
    out |= std::min(v, 255u) << shift;
  }
  return out;
}

inline uint32_t blendPixel(const Context& c, uint32_t s, uint32_t d) {
  switch (c.blendKind) {
    case 0: return s;
    case 1: return blendAlpha(s, d);
    default: return blendGeneral(s, d, c.src, c.dst);
  }
}

inline bool zPasses(ZCompare f, float z, float stored) {
  switch (f) {
    case ZCompare::Never: return false;
    case ZCompare::Less: return z < stored;
    case ZCompare::Equal: return z == stored;
    case ZCompare::LessEqual: return z <= stored;
    case ZCompare::Greater: return z > stored;
    case ZCompare::NotEqual: return z != stored;
    case ZCompare::GreaterEqual: return z >= stored;
    case ZCompare::Always: return true;
  }
  return true;
}

inline int wrapOrClamp(int i, int size, bool repeat) {
  if (repeat) return i & (size - 1);
  return i < 0 ? 0 : (i >= size ? size - 1 : i);
}

inline uint32_t sampleNearest(const Context& c, float u, float v) {
  int x = wrapOrClamp(int(std::floor(u)), c.texW, c.repeat);
  int y = wrapOrClamp(int(std::floor(v)), c.texH, c.repeat);
  return c.tex[(y << c.texShift) + x];
}

inline uint32_t lerp8(uint32_t a, uint32_t b, uint32_t f) {  // f in 0..256, rounded
  uint32_t rb = ((a & 0xFF00FFu) * (256 - f) + (b & 0xFF00FFu) * f + 0x800080u) >> 8;
  uint32_t ag = (((a >> 8) & 0xFF00FFu) * (256 - f) + ((b >> 8) & 0xFF00FFu) * f + 0x800080u) >> 8;
  return (rb & 0xFF00FFu) | ((ag & 0xFF00FFu) << 8);
}

inline uint32_t sampleLinear(const Context& c, float u, float v) {
  float fu = u - 0.5f, fv = v - 0.5f;
  float iu = std::floor(fu), iv = std::floor(fv);
  uint32_t wu = uint32_t((fu - iu) * 256.0f), wv = uint32_t((fv - iv) * 256.0f);
  int x0 = wrapOrClamp(int(iu), c.texW, c.repeat), x1 = wrapOrClamp(int(iu) + 1, c.texW, c.repeat);
  int y0 = wrapOrClamp(int(iv), c.texH, c.repeat), y1 = wrapOrClamp(int(iv) + 1, c.texH, c.repeat);
  const uint32_t* r0 = c.tex + (y0 << c.texShift);
  const uint32_t* r1 = c.tex + (y1 << c.texShift);
  return lerp8(lerp8(r0[x0], r0[x1], wu), lerp8(r1[x0], r1[x1], wu), wv);
}

inline uint32_t packColor(float r, float g, float b, float a) {
  auto byte = [](float v) { return uint32_t(v <= 0.0f ? 0 : (v >= 255.0f ? 255 : int(v + 0.5f))); };
  return byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}

// ---------------------------------------------------------------------------------------------
// Span loops

inline int64_t floorToInt(double v) {
  int64_t i = int64_t(v);
  return (double(i) > v) ? i - 1 : i;
}

#if defined(__SSE2__)
// Exact round(a * b / 255) in each 16-bit lane.
inline __m128i mul8x8(__m128i a, __m128i b) {
  __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

// Two pixels widened to 16-bit lanes: tinted, then over the destination by their alpha, with
// the same rounding as the one-pixel code.
template <int kBlend, bool kModulate>
inline __m128i shadeTwo(__m128i t, __m128i d, __m128i color) {
  if constexpr (kModulate) t = mul8x8(t, color);
  if constexpr (kBlend == 0) {
    (void)d;
    return t;
  } else {
    __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(t, 0xFF), 0xFF);
    __m128i ia = _mm_sub_epi16(_mm_set1_epi16(255), a);
    __m128i sum = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(t, a), _mm_mullo_epi16(d, ia)), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(sum, _mm_srli_epi16(sum, 8)), 8);
  }
}

template <int kBlend, bool kModulate>
inline void shadeFour(uint32_t* dst, __m128i texels, __m128i color) {
  const __m128i zero = _mm_setzero_si128();
  __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
  __m128i lo = shadeTwo<kBlend, kModulate>(_mm_unpacklo_epi8(texels, zero), _mm_unpacklo_epi8(d, zero), color);
  __m128i hi = shadeTwo<kBlend, kModulate>(_mm_unpackhi_epi8(texels, zero), _mm_unpackhi_epi8(d, zero), color);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_packus_epi16(lo, hi));
}
#endif

// Untextured, one colour, no depth test: filled or blended.
template <int kBlend>
void spanFill(const Context& c, const Setup& s, int y, int x1, int x2) {
  uint32_t* dst = c.pixels + size_t(y) * size_t(c.pitch);
  if constexpr (kBlend == 0) {
    std::fill(dst + x1, dst + x2, s.color);
  } else {
    uint32_t a = s.color >> 24;
    if (a == 0) return;
    int x = x1;
#if defined(__SSE2__)
    const __m128i color = _mm_set1_epi32(int(s.color));
    for (; x + 4 <= x2; x += 4) shadeFour<1, false>(dst + x, color, color);
#endif
    for (; x < x2; ++x) dst[x] = blendAlpha(s.color, dst[x]);
  }
}

// One texel onto its pixel: tinted, then written or laid over by its alpha (an opaque texel
// is copied, a clear one leaves the pixel).
template <int kBlend, bool kModulate>
inline void putTexel(uint32_t& pixel, uint32_t t, uint32_t color) {
  if constexpr (kModulate) t = modulate(t, color);
  if constexpr (kBlend == 0) {
    pixel = t;
  } else {
    uint32_t a = t >> 24;
    if (a == 255)
      pixel = t;
    else if (a != 0)
      pixel = blendAlpha(t, pixel);
  }
}

// Textured with nearest texels, one colour, no perspective, no depth test; opaque or blended by
// the source alpha. A texture row followed 1:1 is copied whole; otherwise four pixels at a time.
template <int kBlend, bool kModulate>
void spanTexture(const Context& c, const Setup& s, int y, int x1, int x2) {
  uint32_t* dst = c.pixels + size_t(y) * size_t(c.pitch);
  const double fx = double(x1) + 0.5 - s.ox, fy = double(y) + 0.5 - s.oy;
  int64_t u = floorToInt(s.u.at(fx, fy) * 65536.0);
  int64_t v = floorToInt(s.v.at(fx, fy) * 65536.0);
  const int64_t du = floorToInt(double(s.u.dx) * 65536.0 + 0.5);
  const int64_t dv = floorToInt(double(s.v.dx) * 65536.0 + 0.5);
  const uint32_t color = s.color;
  auto put = [&](int x, uint32_t t) { putTexel<kBlend, kModulate>(dst[x], t, color); };
  const int wmask = c.texW - 1;
  const int64_t last = c.texW - 1;
  auto column = [&](int64_t uu) -> int {
    int64_t i = uu >> 16;
    if (c.repeat) return int(i) & wmask;
    return int(i < 0 ? 0 : (i > last ? last : i));
  };
  if (dv == 0) {
    const uint32_t* row = c.tex + (wrapOrClamp(int(v >> 16), c.texH, c.repeat) << c.texShift);
    if constexpr (kBlend == 0 && !kModulate) {
      int64_t first = u >> 16;
      if (du == 65536 && first >= 0 && first + (x2 - x1) <= c.texW) {
        std::memcpy(dst + x1, row + first, size_t(x2 - x1) * 4);
        return;
      }
    }
    int x = x1;
#if defined(__SSE2__)
    if constexpr (kBlend != 0 || kModulate) {
      const __m128i color16 = _mm_unpacklo_epi8(_mm_set1_epi32(int(color)), _mm_setzero_si128());
      for (; x + 4 <= x2; x += 4, u += 4 * du) {
        __m128i t = _mm_set_epi32(int(row[column(u + 3 * du)]), int(row[column(u + 2 * du)]),
                                  int(row[column(u + du)]), int(row[column(u)]));
        shadeFour<kBlend, kModulate>(dst + x, t, color16);
      }
    }
#endif
    for (; x < x2; ++x, u += du) put(x, row[column(u)]);
    return;
  }
  for (int x = x1; x < x2; ++x, u += du, v += dv) {
    int iy = wrapOrClamp(int(v >> 16), c.texH, c.repeat);
    put(x, c.tex[(iy << c.texShift) + column(u)]);
  }
}

// Textured with linear filtering, one colour, no perspective, no depth test; opaque or blended
// by the source alpha: the scaled pictures of the 2D screens. Texture coordinates step in 16.16
// fixed point; a span along a texture row (the usual scaled blit) finds its two rows and their
// weight once.
template <int kBlend, bool kModulate>
void spanLinear(const Context& c, const Setup& s, int y, int x1, int x2) {
  uint32_t* dst = c.pixels + size_t(y) * size_t(c.pitch);
  const double fx = double(x1) + 0.5 - s.ox, fy = double(y) + 0.5 - s.oy;
  // Texel centres sit at half coordinates: the filter's origin is half a texel back.
  int64_t u = floorToInt((s.u.at(fx, fy) - 0.5) * 65536.0);
  int64_t v = floorToInt((s.v.at(fx, fy) - 0.5) * 65536.0);
  const int64_t du = floorToInt(double(s.u.dx) * 65536.0 + 0.5);
  const int64_t dv = floorToInt(double(s.v.dx) * 65536.0 + 0.5);
  const uint32_t color = s.color;
  const int w = c.texW, h = c.texH;
  const bool repeat = c.repeat;
  auto sampleRows = [&](const uint32_t* r0, const uint32_t* r1, uint32_t wv, int64_t uu) {
    const int iu = int(uu >> 16);
    const uint32_t wu = uint32_t(uu >> 8) & 255u;
    int i0, i1;
    if (iu >= 0 && iu + 1 < w) {
      i0 = iu;
      i1 = iu + 1;
    } else {
      i0 = wrapOrClamp(iu, w, repeat);
      i1 = wrapOrClamp(iu + 1, w, repeat);
    }
    uint32_t top = wu ? lerp8(r0[i0], r0[i1], wu) : r0[i0];
    if (wv == 0) return top;
    uint32_t bottom = wu ? lerp8(r1[i0], r1[i1], wu) : r1[i0];
    return lerp8(top, bottom, wv);
  };
  auto put = [&](int x, uint32_t t) { putTexel<kBlend, kModulate>(dst[x], t, color); };
  auto rowOf = [&](int i) { return c.tex + (wrapOrClamp(i, h, repeat) << c.texShift); };
  if (dv == 0) {
    const int iv = int(v >> 16);
    const uint32_t wv = uint32_t(v >> 8) & 255u;
    const uint32_t* r0 = rowOf(iv);
    const uint32_t* r1 = rowOf(iv + 1);
    for (int x = x1; x < x2; ++x, u += du) put(x, sampleRows(r0, r1, wv, u));
    return;
  }
  for (int x = x1; x < x2; ++x, u += du, v += dv) {
    const int iv = int(v >> 16);
    put(x, sampleRows(rowOf(iv), rowOf(iv + 1), uint32_t(v >> 8) & 255u, u));
  }
}

// Everything else: depth test, colours across the triangle, linear filtering, perspective,
// any blend factors.
template <bool kPersp>
void spanGeneral(const Context& c, const Setup& s, int y, int x1, int x2) {
  uint32_t* dst = c.pixels + size_t(y) * size_t(c.pitch);
  float* zrow = (c.zTest && c.z) ? c.z + size_t(y) * size_t(c.zpitch) : nullptr;
  const double fx = double(x1) + 0.5 - s.ox, fy = double(y) + 0.5 - s.oy;
  float u = float(s.u.at(fx, fy)), v = float(s.v.at(fx, fy)), q = float(s.q.at(fx, fy));
  float z = float(s.z.at(fx, fy));
  float r = float(s.r.at(fx, fy)), g = float(s.g.at(fx, fy)), b = float(s.b.at(fx, fy)),
        a = float(s.a.at(fx, fy));
  for (int x = x1; x < x2; ++x) {
    do {
      if (zrow) {
        if (!zPasses(c.zFunc, z, zrow[x])) break;
        if (c.zWrite) zrow[x] = z;
      }
      uint32_t color = s.gouraud ? packColor(r, g, b, a) : s.color;
      uint32_t src = color;
      if (s.textured) {
        float tu = u, tv = v;
        if constexpr (kPersp) {
          float w = 1.0f / q;
          tu *= w;
          tv *= w;
        }
        uint32_t t = c.linear ? sampleLinear(c, tu, tv) : sampleNearest(c, tu, tv);
        src = color == 0xFFFFFFFFu ? t : modulate(t, color);
      }
      dst[x] = blendPixel(c, src, dst[x]);
    } while (false);
    u += s.u.dx;
    v += s.v.dx;
    if constexpr (kPersp) q += s.q.dx;
    z += s.z.dx;
    if (s.gouraud) {
      r += s.r.dx;
      g += s.g.dx;
      b += s.b.dx;
      a += s.a.dx;
    }
  }
}

SpanFn chooseSpan(const Context& c, const Setup& s) {
  bool simple = !s.persp && !c.zTest && !s.gouraud && c.blendKind < 2;
  if (simple && s.textured && c.linear && !s.aligned) {
    if (c.blendKind == 0) return s.white ? spanLinear<0, false> : spanLinear<0, true>;
    return s.white ? spanLinear<1, false> : spanLinear<1, true>;
  }
  if (simple) {
    if (!s.textured) return c.blendKind == 0 ? spanFill<0> : spanFill<1>;
    if (c.blendKind == 0) return s.white ? spanTexture<0, false> : spanTexture<0, true>;
    return s.white ? spanTexture<1, false> : spanTexture<1, true>;
  }
  return s.persp ? spanGeneral<true> : spanGeneral<false>;
}

RV project(const Context& c, const Device::ScreenVertex& s) {
  RV r;
  float q = 1.0f / s.clip[3];
  r.x = snap(c.vpX + (s.clip[0] * q + 1.0f) * c.vpHalfW);
  r.y = snap(c.vpY + (1.0f - s.clip[1] * q) * c.vpHalfH);
  r.z = c.minZ + s.clip[2] * q * c.zRange;
  r.q = q;
  r.r = s.r;
  r.g = s.g;
  r.b = s.b;
  r.a = s.a;
  r.u = s.u;
  r.v = s.v;
  return r;
}

void plot(const Context& c, int x, int y, float z, uint32_t color) {
  if (x < c.clipX1 || x >= c.clipX2 || y < c.clipY1 || y >= c.clipY2) return;
  if (c.zTest && c.z) {
    float& stored = c.z[size_t(y) * size_t(c.zpitch) + size_t(x)];
    if (!zPasses(c.zFunc, z, stored)) return;
    if (c.zWrite) stored = z;
  }
  uint32_t& d = c.pixels[size_t(y) * size_t(c.pitch) + size_t(x)];
  d = blendPixel(c, color, d);
}

}  // namespace

bool begin(Context& c, Surface* target, ZBuffer* zbuffer, const Viewport& vp, const Texture* texture,
           bool linear, bool repeat, bool blending, Blend src, Blend dst, bool zTest, bool zWrite,
           ZCompare zFunc, Cull cull) {
  if (!target || target->lost()) return false;
  c.pixels = target->pixels();
  c.pitch = target->pitch();
  bool zUsable = zbuffer && zbuffer->width() == target->width() && zbuffer->height() == target->height();
  c.z = zUsable ? zbuffer->row(0) : nullptr;
  c.zpitch = zUsable ? zbuffer->width() : 0;
  c.clipX1 = std::max(vp.x, 0);
  c.clipY1 = std::max(vp.y, 0);
  c.clipX2 = std::min(vp.x + vp.width, target->width());
  c.clipY2 = std::min(vp.y + vp.height, target->height());
  if (c.clipX1 >= c.clipX2 || c.clipY1 >= c.clipY2) return false;
  c.vpX = float(vp.x);
  c.vpY = float(vp.y);
  c.vpHalfW = float(vp.width) * 0.5f;
  c.vpHalfH = float(vp.height) * 0.5f;
  c.minZ = vp.minZ;
  c.zRange = vp.maxZ - vp.minZ;
  c.tex = texture ? texture->texels() : nullptr;
  c.texW = texture ? texture->width() : 1;
  c.texH = texture ? texture->height() : 1;
  c.texShift = texture ? texture->widthShift() : 0;
  c.linear = linear;
  c.repeat = repeat;
  c.src = src;
  c.dst = dst;
  if (!blending || (src == Blend::One && dst == Blend::Zero))
    c.blendKind = 0;
  else if (src == Blend::SrcAlpha && dst == Blend::InvSrcAlpha)
    c.blendKind = 1;
  else
    c.blendKind = 2;
  // Without a z-buffer there is nothing to test against.
  c.zTest = zTest && c.z;
  c.zWrite = zWrite;
  c.zFunc = zFunc;
  c.cull = cull;
  return true;
}

void triangle(const Context& c, const Device::ScreenVertex& A, const Device::ScreenVertex& B,
              const Device::ScreenVertex& D, DeviceStats& stats) {
  RV v[3] = {project(c, A), project(c, B), project(c, D)};
  const float area = (v[1].x - v[0].x) * (v[2].y - v[0].y) - (v[2].x - v[0].x) * (v[1].y - v[0].y);
  if (!(area != 0.0f) || !std::isfinite(area)) return;
  // y points down: a positive area is a clockwise triangle on the screen.
  if (c.cull == Cull::Clockwise && area > 0.0f) return;
  if (c.cull == Cull::CounterClockwise && area < 0.0f) return;

  Setup s;
  s.ox = v[0].x;
  s.oy = v[0].y;
  const float inv = 1.0f / area;
  const float x10 = v[1].x - v[0].x, x20 = v[2].x - v[0].x;
  const float y10 = v[1].y - v[0].y, y20 = v[2].y - v[0].y;
  auto plane = [&](float a0, float a1, float a2) {
    Plane p;
    p.a0 = a0;
    p.dx = ((a1 - a0) * y20 - (a2 - a0) * y10) * inv;
    p.dy = ((a2 - a0) * x10 - (a1 - a0) * x20) * inv;
    return p;
  };
  s.textured = c.tex != nullptr;
  float qmax = std::max({v[0].q, v[1].q, v[2].q}), qmin = std::min({v[0].q, v[1].q, v[2].q});
  s.persp = s.textured && (qmax - qmin) > qmax * 1e-5f;
  s.q = plane(v[0].q, v[1].q, v[2].q);
  if (s.textured) {
    const float tw = float(c.texW), th = float(c.texH);
    if (s.persp) {
      s.u = plane(v[0].u * tw * v[0].q, v[1].u * tw * v[1].q, v[2].u * tw * v[2].q);
      s.v = plane(v[0].v * th * v[0].q, v[1].v * th * v[1].q, v[2].v * th * v[2].q);
    } else {
      s.u = plane(v[0].u * tw, v[1].u * tw, v[2].u * tw);
      s.v = plane(v[0].v * th, v[1].v * th, v[2].v * th);
    }
  } else {
    s.u = s.v = Plane{0, 0, 0};
  }
  s.aligned = false;
  if (s.textured && c.linear && !s.persp) {
    const float e = 1e-5f;
    if (std::fabs(s.u.dx - 1.0f) < e && std::fabs(s.u.dy) < e && std::fabs(s.v.dx) < e &&
        std::fabs(s.v.dy - 1.0f) < e) {
      const double px = std::floor(double(s.ox)) + 0.5 - s.ox, py = std::floor(double(s.oy)) + 0.5 - s.oy;
      const double tu = s.u.at(px, py) - 0.5, tv = s.v.at(px, py) - 0.5;
      s.aligned = tu - std::floor(tu) < 1.0 / 512 && tv - std::floor(tv) < 1.0 / 512;
    }
  }
  s.z = plane(v[0].z, v[1].z, v[2].z);
  auto same = [](float a, float b, float d) { return std::fabs(a - b) < 0.5f && std::fabs(a - d) < 0.5f; };
  s.gouraud = !(same(v[0].r, v[1].r, v[2].r) && same(v[0].g, v[1].g, v[2].g) && same(v[0].b, v[1].b, v[2].b) &&
                same(v[0].a, v[1].a, v[2].a));
  s.color = packColor(v[0].r, v[0].g, v[0].b, v[0].a);
  s.white = s.color == 0xFFFFFFFFu;
  if (s.gouraud) {
    s.r = plane(v[0].r, v[1].r, v[2].r);
    s.g = plane(v[0].g, v[1].g, v[2].g);
    s.b = plane(v[0].b, v[1].b, v[2].b);
    s.a = plane(v[0].a, v[1].a, v[2].a);
  } else {
    s.r = s.g = s.b = s.a = Plane{0, 0, 0};
  }
  const SpanFn span = chooseSpan(c, s);

  // Walk the edges from the top vertex down: the long edge on one side, the two short ones on
  // the other. Each edge's x is computed from its upper end, so an edge shared by two triangles
  // gives both the same pixels.
  int o[3] = {0, 1, 2};
  if (v[o[1]].y < v[o[0]].y) std::swap(o[0], o[1]);
  if (v[o[2]].y < v[o[1]].y) std::swap(o[1], o[2]);
  if (v[o[1]].y < v[o[0]].y) std::swap(o[0], o[1]);
  const RV& top = v[o[0]];
  const RV& mid = v[o[1]];
  const RV& bot = v[o[2]];
  if (!(bot.y > top.y)) return;
  const float yLo = float(c.clipY1) - 1.0f, yHi = float(c.clipY2) + 1.0f;
  const int yStart = std::max(int(std::ceil(std::clamp(top.y, yLo, yHi) - 0.5f)), c.clipY1);
  const int yEnd = std::min(int(std::ceil(std::clamp(bot.y, yLo, yHi) - 0.5f)), c.clipY2);
  const float slopeLong = (bot.x - top.x) / (bot.y - top.y);
  const float slopeUpper = mid.y > top.y ? (mid.x - top.x) / (mid.y - top.y) : 0.0f;
  const float slopeLower = bot.y > mid.y ? (bot.x - mid.x) / (bot.y - mid.y) : 0.0f;
  const bool shortOnLeft = (mid.x - top.x) * (bot.y - top.y) - (mid.y - top.y) * (bot.x - top.x) < 0.0f;
  const float xLo = float(c.clipX1) - 1.0f, xHi = float(c.clipX2) + 1.0f;
  uint64_t pixels = 0;
  for (int y = yStart; y < yEnd; ++y) {
    const float yc = float(y) + 0.5f;
    const float xLong = top.x + (yc - top.y) * slopeLong;
    const float xShort = yc < mid.y ? top.x + (yc - top.y) * slopeUpper : mid.x + (yc - mid.y) * slopeLower;
    const float left = std::clamp(shortOnLeft ? xShort : xLong, xLo, xHi);
    const float right = std::clamp(shortOnLeft ? xLong : xShort, xLo, xHi);
    const int x1 = std::max(int(std::ceil(left - 0.5f)), c.clipX1);
    const int x2 = std::min(int(std::ceil(right - 0.5f)), c.clipX2);
    if (x1 < x2) {
      span(c, s, y, x1, x2);
      pixels += uint64_t(x2 - x1);
    }
  }
  stats.triangles++;
  stats.pixels += pixels;
}

void line(const Context& c, const Device::ScreenVertex& A, const Device::ScreenVertex& B, DeviceStats& stats) {
  const RV a = project(c, A), b = project(c, B);
  const float dx = b.x - a.x, dy = b.y - a.y;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const float major = xMajor ? dx : dy;
  if (major == 0.0f) return;  // a line of no length draws nothing
  const float start = xMajor ? a.x : a.y, end = xMajor ? b.x : b.y;
  // Pixels whose centres lie from the start (included) to the end (left out) along the major axis.
  int first, last, step;
  if (major > 0) {
    first = int(std::ceil(start - 0.5f));
    last = int(std::ceil(end - 0.5f));
    step = 1;
  } else {
    first = int(std::floor(start - 0.5f));
    last = int(std::floor(end - 0.5f));
    step = -1;
  }
  const int limit = 1 << 16;  // never walk further than any surface reaches
  first = std::clamp(first, -limit, limit);
  last = std::clamp(last, -limit, limit);
  for (int p = first; p != last; p += step) {
    float t = (float(p) + 0.5f - start) / major;
    float minor = xMajor ? a.y + t * dy : a.x + t * dx;
    int m = int(std::floor(minor));
    uint32_t color = packColor(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                               a.a + (b.a - a.a) * t);
    float z = a.z + (b.z - a.z) * t;
    if (xMajor)
      plot(c, p, m, z, color);
    else
      plot(c, m, p, z, color);
    stats.pixels++;
  }
}

void point(const Context& c, const Device::ScreenVertex& A, DeviceStats& stats) {
  const RV a = project(c, A);
  if (!std::isfinite(a.x) || !std::isfinite(a.y) || std::fabs(a.x) > 1e6f || std::fabs(a.y) > 1e6f) return;
  plot(c, int(std::floor(a.x)), int(std::floor(a.y)), a.z, packColor(a.r, a.g, a.b, a.a));
  stats.pixels++;
}

}  // namespace softdd::raster
