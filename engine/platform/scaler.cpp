#include "platform/scaler.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

PictureRect fitPicture(int lw, int lh, int ow, int oh, Scaling scaling) {
  if (lw <= 0 || lh <= 0 || ow <= 0 || oh <= 0) return PictureRect{0, 0, std::max(ow, 0), std::max(oh, 0)};
  if (lw == ow && lh == oh) return PictureRect{0, 0, ow, oh};
  int w, h;
  const int multiple = std::min(ow / lw, oh / lh);
  if (scaling == Scaling::Sharp && multiple >= 1) {
    w = lw * multiple;
    h = lh * multiple;
  } else if (int64_t(ow) * lh <= int64_t(oh) * lw) {
    w = ow;
    h = std::max(1, int(int64_t(ow) * lh / lw));
  } else {
    h = oh;
    w = std::max(1, int(int64_t(oh) * lw / lh));
  }
  return PictureRect{(ow - w) / 2, (oh - h) / 2, w, h};
}

void pointToPicture(const PictureRect& r, int lw, int lh, int x, int y, int& px, int& py) {
  auto map = [](int v, int origin, int size, int logical) {
    if (size <= 0) return v;
    const int offset = v - origin;
    const int64_t n = int64_t(offset) * logical;
    if (offset < 0) return int(-((-n + size - 1) / size));  // rounded down: -1 or less
    if (offset >= size) return std::max(int(n / size), logical) + 1;
    return std::min(int(n / size), logical - 1);
  };
  px = map(x, r.x, r.width, lw);
  py = map(y, r.y, r.height, lh);
}

void windowPointToPicture(int x, int y, int cw, int ch, int dw, int dh, int lw, int lh, Scaling scaling, int& px,
                          int& py) {
  auto toPixels = [](int v, int from, int to) {
    if (from <= 0 || from == to) return v;
    const int64_t n = int64_t(v) * to;
    return int(n >= 0 ? n / from : -((-n + from - 1) / from));
  };
  if (cw == lw && ch == lh && dw == lw && dh == lh) {
    px = x;
    py = y;
    return;
  }
  pointToPicture(fitPicture(lw, lh, dw, dh, scaling), lw, lh, toPixels(x, cw, dw), toPixels(y, ch, dh), px, py);
}

void scaleNearest(const uint32_t* src, int sw, int sh, int sp, uint32_t* dst, int dw, int dh, int dp) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  // The source column of each destination column, from pixel centres.
  std::vector<int> column(size_t(dw), 0);
  for (int x = 0; x < dw; ++x) column[size_t(x)] = std::min(sw - 1, int((int64_t(x) * 2 + 1) * sw / (2 * int64_t(dw))));
  const bool wholeX = dw % sw == 0;
  const int kx = dw / sw;
  int lastRow = -1;
  uint32_t* lastOut = nullptr;
  for (int y = 0; y < dh; ++y) {
    const int sy = std::min(sh - 1, int((int64_t(y) * 2 + 1) * sh / (2 * int64_t(dh))));
    uint32_t* out = dst + size_t(y) * size_t(dp);
    if (sy == lastRow) {  // the row above came from the same source row
      std::memcpy(out, lastOut, size_t(dw) * 4);
      continue;
    }
    const uint32_t* in = src + size_t(sy) * size_t(sp);
    if (wholeX) {
      uint32_t* o = out;
      for (int x = 0; x < sw; ++x) {
        const uint32_t p = in[x] | 0xFF000000u;
        for (int k = 0; k < kx; ++k) *o++ = p;
      }
    } else {
      for (int x = 0; x < dw; ++x) out[x] = in[column[size_t(x)]] | 0xFF000000u;
    }
    lastRow = sy;
    lastOut = out;
  }
}

namespace {

// Bilinear weights in 1/256 steps.
struct Tap {
  int index;   // the left (upper) sample
  int next;    // the right (lower) one, the same at the edge
  uint32_t w;  // weight of the next sample, 0..256
};

std::vector<Tap> taps(int from, int to) {
  std::vector<Tap> t(static_cast<size_t>(to));
  for (int i = 0; i < to; ++i) {
    // The destination pixel's centre in source pixels, 16.16 fixed point, less half a pixel.
    int64_t c = ((int64_t(i) * 2 + 1) * from * 65536) / (2 * int64_t(to)) - 32768;
    if (c < 0) c = 0;
    int index = int(c >> 16);
    uint32_t w = uint32_t((c & 0xFFFF) + 128) >> 8;
    if (index >= from - 1) {
      index = from - 1;
      w = 0;
    }
    t[size_t(i)] = Tap{index, std::min(index + 1, from - 1), w};
  }
  return t;
}

inline uint32_t lerp(uint32_t a, uint32_t b, uint32_t w) {
  const uint32_t iw = 256 - w;
  const uint32_t rb = (((a & 0xFF00FFu) * iw + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
  const uint32_t g = (((a & 0x00FF00u) * iw + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
  return rb | g;
}

#if defined(__SSE2__)
// Four pixels of a and b mixed with per-channel weights (16-bit lanes: two pixels per register).
inline __m128i lerp4(__m128i a, __m128i b, __m128i wlo, __m128i whi) {
  const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(256);
  const __m128i alo = _mm_unpacklo_epi8(a, zero), ahi = _mm_unpackhi_epi8(a, zero);
  const __m128i blo = _mm_unpacklo_epi8(b, zero), bhi = _mm_unpackhi_epi8(b, zero);
  // a x (256 - w) + b x w stays below 65536: unsigned 16-bit lanes hold it.
  const __m128i lo = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(alo, _mm_sub_epi16(full, wlo)), _mm_mullo_epi16(blo, wlo)), 8);
  const __m128i hi = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(ahi, _mm_sub_epi16(full, whi)), _mm_mullo_epi16(bhi, whi)), 8);
  return _mm_or_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(int(0xFF000000u)));
}
#endif

// One source row scaled across: the samples of each destination pixel gathered, then mixed.
void scaleRow(const uint32_t* in, const Tap* t, const uint16_t* laneWeights, uint32_t* out, int n) {
  int x = 0;
#if defined(__SSE2__)
  for (; x + 4 <= n; x += 4) {
    const __m128i a = _mm_set_epi32(int(in[t[x + 3].index]), int(in[t[x + 2].index]), int(in[t[x + 1].index]),
                                    int(in[t[x].index]));
    const __m128i b = _mm_set_epi32(int(in[t[x + 3].next]), int(in[t[x + 2].next]), int(in[t[x + 1].next]),
                                    int(in[t[x].next]));
    const __m128i wlo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(laneWeights + size_t(x) * 4));
    const __m128i whi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(laneWeights + size_t(x) * 4 + 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), lerp4(a, b, wlo, whi));
  }
#else
  (void)laneWeights;
#endif
  for (; x < n; ++x) out[x] = lerp(in[t[x].index], in[t[x].next], t[x].w) | 0xFF000000u;
}

// Two rows mixed with one weight.
void mixRows(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int n) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i wv = _mm_set1_epi16(int16_t(w));
  for (; x + 4 <= n; x += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), lerp4(pa, pb, wv, wv));
  }
#endif
  for (; x < n; ++x) out[x] = lerp(a[x], b[x], w) | 0xFF000000u;
}

}  // namespace

void scaleBilinear(const uint32_t* src, int sw, int sh, int sp, uint32_t* dst, int dw, int dh, int dp) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const std::vector<Tap> tx = taps(sw, dw), ty = taps(sh, dh);
  // Each column's weight once per channel, as the vector code takes them.
  std::vector<uint16_t> laneWeights(size_t(dw) * 4);
  for (int x = 0; x < dw; ++x)
    for (int c = 0; c < 4; ++c) laneWeights[size_t(x) * 4 + size_t(c)] = uint16_t(tx[size_t(x)].w);
  // Two source rows scaled across, kept while consecutive destination rows share them.
  std::vector<uint32_t> rows(size_t(dw) * 2);
  uint32_t* row[2] = {rows.data(), rows.data() + dw};
  int rowOf[2] = {-1, -1};
  auto scaled = [&](int sy) -> const uint32_t* {
    for (int i = 0; i < 2; ++i)
      if (rowOf[i] == sy) return row[i];
    const int slot = rowOf[0] == sy - 1 ? 1 : 0;  // keep the row above
    scaleRow(src + size_t(sy) * size_t(sp), tx.data(), laneWeights.data(), row[slot], dw);
    rowOf[slot] = sy;
    return row[slot];
  };
  for (int y = 0; y < dh; ++y) {
    const Tap& k = ty[size_t(y)];
    uint32_t* out = dst + size_t(y) * size_t(dp);
    const uint32_t* a = scaled(k.index);
    if (!k.w) {
      std::memcpy(out, a, size_t(dw) * 4);
      continue;
    }
    const uint32_t* b = scaled(k.next);
    a = scaled(k.index);  // still there: the second row went into the other slot
    mixRows(a, b, k.w, out, dw);
  }
}

}  // namespace platform
