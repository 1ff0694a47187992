#include "platform/scaler.h"

#include <algorithm>
#include <cstring>
#include <vector>

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
    t[size_t(i)] = Tap{index, w};
  }
  return t;
}

inline uint32_t lerp(uint32_t a, uint32_t b, uint32_t w) {
  const uint32_t iw = 256 - w;
  const uint32_t rb = (((a & 0xFF00FFu) * iw + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
  const uint32_t g = (((a & 0x00FF00u) * iw + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
  return rb | g;
}

void scaleRow(const uint32_t* in, const Tap* t, uint32_t* out, int n) {
  for (int x = 0; x < n; ++x) {
    const Tap& k = t[x];
    out[x] = k.w ? lerp(in[k.index], in[k.index + 1], k.w) : (in[k.index] & 0xFFFFFFu);
  }
}

}  // namespace

void scaleBilinear(const uint32_t* src, int sw, int sh, int sp, uint32_t* dst, int dw, int dh, int dp) {
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const std::vector<Tap> tx = taps(sw, dw), ty = taps(sh, dh);
  // Two source rows scaled across, kept while consecutive destination rows share them.
  std::vector<uint32_t> rows(size_t(dw) * 2);
  uint32_t* row[2] = {rows.data(), rows.data() + dw};
  int rowOf[2] = {-1, -1};
  auto scaled = [&](int sy) -> const uint32_t* {
    for (int i = 0; i < 2; ++i)
      if (rowOf[i] == sy) return row[i];
    const int slot = rowOf[0] == sy - 1 ? 1 : 0;  // keep the row above
    scaleRow(src + size_t(sy) * size_t(sp), tx.data(), row[slot], dw);
    rowOf[slot] = sy;
    return row[slot];
  };
  for (int y = 0; y < dh; ++y) {
    const Tap& k = ty[size_t(y)];
    uint32_t* out = dst + size_t(y) * size_t(dp);
    const uint32_t* a = scaled(k.index);
    if (!k.w) {
      for (int x = 0; x < dw; ++x) out[x] = a[x] | 0xFF000000u;
      continue;
    }
    const uint32_t* b = scaled(k.index + 1);
    a = scaled(k.index);  // still there: the second row went into the other slot
    const uint32_t w = k.w, iw = 256 - w;
    for (int x = 0; x < dw; ++x) {
      const uint32_t p = a[x], q = b[x];
      const uint32_t rb = (((p & 0xFF00FFu) * iw + (q & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
      const uint32_t g = (((p & 0x00FF00u) * iw + (q & 0x00FF00u) * w) >> 8) & 0x00FF00u;
      out[x] = rb | g | 0xFF000000u;
    }
  }
}

}  // namespace platform
