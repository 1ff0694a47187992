#include "graphics/KGraphicCommon.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "image/KImage.h"
#include "window/KScreen.h"

namespace {

constexpr float kPi = 3.14159265358979f;

uint32_t argbOf(const uint8_t* bgra) {
  return uint32_t(bgra[3]) << 24 | uint32_t(bgra[2]) << 16 | uint32_t(bgra[1]) << 8 | bgra[0];
}

float clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

const float kWhite[4] = {1, 1, 1, 1};

}  // namespace

KGraphicCommon::KGraphicCommon() : smooth_(KScreen::GetDefaultSmoothFiltering()) {
  // Every picture uses square two-dimensional textures.
  KScreen::SetUseTextureRectangle(false);
}

void KGraphicCommon::SetInitialBlend() { SetBlendMode(K_BLEND_ALPHA); }

// ---- loading ---------------------------------------------------------------------------------

bool KGraphicCommon::LoadDecoded(const KDecodedImage* image, const KDecodedImage* mask, bool highQuality,
                                 bool alpha) {
  KScreen::SetUseTextureRectangle(false);
  const bool is32 = image->BitsPerPixel() == 32 || image->HasAlpha();
  const int w = image->Width(), h = image->Height();
  if (keyPixelX_ >= 0 && keyPixelY_ >= 0 && keyPixelX_ < w && keyPixelY_ < h) {
    const uint8_t* p = image->RowFromTop(keyPixelY_) + size_t(keyPixelX_) * 4;
    SetColorKey(true, p[2], p[1], p[0]);
  }
  const int side = TextureSideFor(w, h);
  // One work buffer serves every load: a new one for each picture would be paged in afresh.
  // The picture's rows are written whole and only the rest is cleared.
  static thread_local std::vector<uint32_t> buffer;
  buffer.resize(size_t(side) * size_t(side));
  for (int r = 0; r < h; ++r) {
    const uint8_t* row = image->RowFromTop(r);
    const uint8_t* maskRow = mask && r < mask->Height() ? mask->RowFromTop(r) : nullptr;
    uint32_t* out = &buffer[size_t(r) * size_t(side)];
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = row + size_t(x) * 4;
      uint32_t a = is32 ? p[3] : 255u;
      if (mask) a = maskRow && x < mask->Width() ? maskRow[size_t(x) * 4] : 255u;
      if (keyOn_ && p[2] == keyR_ && p[1] == keyG_ && p[0] == keyB_) a = (alpha || mask) ? 0u : 255u;
      out[x] = (argbOf(p) & 0xFFFFFFu) | a << 24;
    }
    std::fill(out + w, out + side, 0u);
  }
  std::fill(buffer.begin() + ptrdiff_t(size_t(h) * size_t(side)), buffer.end(), 0u);
  width_ = float(w);
  height_ = float(h);
  textureSide_ = float(side);
  const bool alphaFormat = mask ? true : alpha;
  source32_ = is32;
  if (!UploadTexture(buffer.data(), side, alphaFormat, highQuality, smooth_, repeat_)) {
    width_ = height_ = textureSide_ = 0;
    return false;
  }
  return true;
}

bool KGraphicCommon::LoadFile(const char* path, const char* maskPath, bool highQuality, bool alpha) {
  ClearPicture();
  if (!path) return false;
  std::string name(path);  // the decoder lower-cases its copy, not the caller's text
  std::unique_ptr<KDecodedImage> image = KImage::DecodeImageFile(name.data());
  if (!image) return false;
  std::unique_ptr<KDecodedImage> mask;
  if (maskPath) {
    std::string maskName(maskPath);
    mask = KImage::DecodeImageFile(maskName.data());
    if (!mask) return false;
  }
  if (!LoadDecoded(image.get(), mask.get(), highQuality, alpha)) return false;
  RememberSource(path, maskPath, highQuality, alpha);
  return true;
}

bool KGraphicCommon::LoadPicture(const char* path, bool highQuality, bool alpha) {
  return LoadFile(path, nullptr, highQuality, alpha);
}

bool KGraphicCommon::LoadPictureKeyed(const char* path, short keyX, short keyY) {
  keyPixelX_ = keyX;
  keyPixelY_ = keyY;
  return LoadPicture(path, true, true);
}

bool KGraphicCommon::LoadPictureWithMask(const char* path, const char* maskPath, bool highQuality) {
  return LoadFile(path, maskPath ? maskPath : "", highQuality, true);
}

bool KGraphicCommon::LoadPictureFromMemory(const char* name, const uint8_t* bytes, size_t size, bool highQuality,
                                           bool alpha) {
  ClearPicture();
  std::unique_ptr<KDecodedImage> image = KImage::DecodeImageMemory(name, bytes, size);
  if (!image) return false;
  return LoadDecoded(image.get(), nullptr, highQuality, alpha);
}

bool KGraphicCommon::LoadPictureFromMemoryKeyed(const char* name, const uint8_t* bytes, size_t size, short keyX,
                                                short keyY) {
  keyPixelX_ = keyX;
  keyPixelY_ = keyY;
  return LoadPictureFromMemory(name, bytes, size, true, true);
}

void KGraphicCommon::FreePicture() {
  ClearPicture();
  keyPixelX_ = keyPixelY_ = -1;
}

void KGraphicCommon::ClearPicture() {
  ReleaseTexture();
  width_ = height_ = textureSide_ = 0;
  // The caller's array belongs to the picture made from it only: UpdatePictureFromArray never
  // writes it into a later picture (the caller may have freed it by then).
  array_ = nullptr;
}

bool KGraphicCommon::MakePictureFromArray(uint32_t* pixels, int width, int height, bool alpha) {
  ClearPicture();
  if (!pixels || width <= 0 || height <= 0) return false;
  const size_t count = size_t(width) * size_t(height);
  // The caller's pixels are RGBA bytes (red first in memory); key-coloured ones are cleared in
  // the caller's array itself.
  if (keyOn_)
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* p = reinterpret_cast<const uint8_t*>(pixels + i);
      if (p[0] == keyR_ && p[1] == keyG_ && p[2] == keyB_) pixels[i] = 0;
    }
  array_ = pixels;
  arrayAlpha_ = alpha;
  const int side = TextureSideFor(width, height);
  std::vector<uint32_t> buffer(size_t(side) * size_t(side), 0);
  for (int r = 0; r < height; ++r)
    ArgbFromRgba(pixels + size_t(r) * size_t(width), &buffer[size_t(r) * size_t(side)], width);
  width_ = float(width);
  height_ = float(height);
  textureSide_ = float(side);
  source32_ = false;
  if (!UploadTexture(buffer.data(), side, true, alpha, false, false)) {
    width_ = height_ = textureSide_ = 0;
    return false;
  }
  return true;
}

void KGraphicCommon::UpdatePictureFromArray() {
  if (!array_ || !HasTexture()) return;
  const int w = int(width_), h = int(height_);
  std::vector<uint32_t> argb(size_t(w) * size_t(h));
  ArgbFromRgba(array_, argb.data(), w * h);
  UpdateTextureArea(argb.data(), 0, 0, w, h, w);
}

void KGraphicCommon::ArgbFromRgba(const uint32_t* rgba, uint32_t* argb, int count) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(rgba);
  for (int i = 0; i < count; ++i, p += 4)
    argb[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

// ---- grabs -----------------------------------------------------------------------------------

bool KGraphicCommon::GrabBackBuffer(KGrabPixelFunction function) {
  const int w = KScreen::GetScreenWidth(), h = KScreen::GetScreenHeight();
  std::vector<uint32_t> screen;
  if (w <= 0 || h <= 0 || !ReadScreen(false, 0, 0, w, h, screen)) return false;
  ClearPicture();
  const int side = TextureSideFor(w, h);
  std::vector<uint32_t> buffer(size_t(side) * size_t(side), 0);
  const uint32_t key = uint32_t(keyR_) << 16 | uint32_t(keyG_) << 8 | keyB_;
  for (int r = 0; r < h; ++r)
    for (int x = 0; x < w; ++x) {
      uint32_t p = screen[size_t(r) * size_t(w) + size_t(x)];
      if (function) {
        uint8_t cr = uint8_t(p >> 16), cg = uint8_t(p >> 8), cb = uint8_t(p);
        function(x, h - 1 - r, &cr, &cg, &cb);
        p = uint32_t(cr) << 16 | uint32_t(cg) << 8 | cb;
      }
      p |= 0xFF000000u;
      if (keyOn_ && (p & 0xFFFFFFu) == key) p = 0;
      buffer[size_t(r) * size_t(side) + size_t(x)] = p;
    }
  width_ = float(w);
  height_ = float(h);
  textureSide_ = float(side);
  source32_ = false;
  return UploadTexture(buffer.data(), side, true, true, false, false);
}

bool KGraphicCommon::GrabFrontBuffer() {
  const int w = KScreen::GetScreenWidth(), h = KScreen::GetScreenHeight();
  std::vector<uint32_t> screen;
  if (w <= 0 || h <= 0 || !ReadScreen(true, 0, 0, w, h, screen)) return false;
  ClearPicture();
  const int side = TextureSideFor(w, h);
  std::vector<uint32_t> buffer(size_t(side) * size_t(side), 0);
  for (int r = 0; r < h; ++r)
    for (int x = 0; x < w; ++x)
      buffer[size_t(r) * size_t(side) + size_t(x)] = screen[size_t(r) * size_t(w) + size_t(x)] | 0xFF000000u;
  width_ = float(w);
  height_ = float(h);
  textureSide_ = float(side);
  source32_ = false;
  return UploadTexture(buffer.data(), side, false, false, false, false);
}

bool KGraphicCommon::CopyBackBufferRect(int x, int y, int width, int height) {
  if (!HasTexture()) return true;
  // Only the part that lies on the screen and in the texture.
  const int side = int(textureSide_);
  const int x2 = std::min({x + width, int(KScreen::GetScreenWidth()), side});
  const int y2 = std::min({y + height, int(KScreen::GetScreenHeight()), side});
  x = std::max(x, 0);
  y = std::max(y, 0);
  if (x2 <= x || y2 <= y) return true;
  std::vector<uint32_t> pixels;
  if (ReadScreen(false, x, y, x2 - x, y2 - y, pixels)) {
    for (uint32_t& p : pixels) p |= 0xFF000000u;
    UpdateTextureArea(pixels.data(), x, y, x2 - x, y2 - y, x2 - x);
  }
  return true;
}

// ---- settings --------------------------------------------------------------------------------

void KGraphicCommon::SetTextureQuality(bool smooth) {
  smooth_ = smooth;
  if (HasTexture()) ApplySampler();
}

void KGraphicCommon::SetTextureWrap(bool repeat) {
  repeat_ = repeat;
  if (HasTexture()) ApplySampler();
}

void KGraphicCommon::SetColorKey(bool enabled, uint8_t r, uint8_t g, uint8_t b) {
  keyOn_ = enabled;
  keyR_ = r;
  keyG_ = g;
  keyB_ = b;
}

void KGraphicCommon::SetBlitColor(float r, float g, float b, float a) {
  if (r == 1 && g == 1 && b == 1 && a == 1) {
    tintOn_ = false;
    return;
  }
  tint_[0] = clamp01(r);
  tint_[1] = clamp01(g);
  tint_[2] = clamp01(b);
  tint_[3] = clamp01(a);
  tintOn_ = true;
}

void KGraphicCommon::SetBlendFunc(short source, short destination) {
  blendSrc_ = source;
  blendDst_ = destination;
}

void KGraphicCommon::SetBlendMode(int mode) {
  using F = KBlendFactor;
  static const F table[7][2] = {{F::SrcAlpha, F::DstAlpha}, {F::SrcAlpha, F::InvSrcAlpha},
                                {F::One, F::InvSrcAlpha},   {F::Zero, F::InvSrcAlpha},
                                {F::SrcAlpha, F::One},      {F::One, F::Zero},
                                {F::InvSrcAlpha, F::One}};
  if (mode < 0 || mode > 6) return;
  SetBlendFunc(FactorConstant(table[mode][0]), FactorConstant(table[mode][1]));
}

// ---- geometry --------------------------------------------------------------------------------

void KGraphicCommon::RectQuad(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float w, float h,
                              bool flipX, bool flipY, KQuadVertex out[4]) const {
  const float side = textureSide_ > 0 ? textureSide_ : 1;
  float u1 = sx1 / side, u2 = sx2 / side, v1 = sy1 / side, v2 = sy2 / side;
  if (flipX) std::swap(u1, u2);
  if (flipY) std::swap(v1, v2);
  out[0] = {dx, dy, u1, v1};
  out[1] = {dx + w, dy, u2, v1};
  out[2] = {dx + w, dy + h, u2, v2};
  out[3] = {dx, dy + h, u1, v2};
}

void KGraphicCommon::Transform(KQuadVertex q[4], float px, float py, float zx, float zy, float angle) {
  const float rad = angle * 2.0f * kPi / 360.0f;
  const float c = std::cos(rad), s = std::sin(rad);
  for (int i = 0; i < 4; ++i) {
    const float x = (q[i].x - px) * zx, y = (q[i].y - py) * zy;
    // Counter-clockwise on a screen whose y grows downwards.
    q[i].x = px + x * c + y * s;
    q[i].y = py - x * s + y * c;
  }
}

void KGraphicCommon::Blit(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY,
                          bool blended) {
  KQuadVertex q[4];
  RectQuad(sx1, sy1, sx2, sy2, dx, dy, sx2 - sx1, sy2 - sy1, flipX, flipY, q);
  if (!blended) {
    DrawQuad(q, true, Blending::Off, kWhite);
    return;
  }
  DrawQuad(q, true, Blending::Picture, tintOn_ ? tint_ : kWhite);
}

void KGraphicCommon::BlitFx(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle, float zoom,
                            bool flipX, bool flipY) {
  if (zoom == 0) return;
  const float w = sx2 - sx1, h = sy2 - sy1;
  KQuadVertex q[4];
  RectQuad(sx1, sy1, sx2, sy2, dx, dy, w, h, flipX, flipY, q);
  Transform(q, dx + w / 2, dy + h / 2, zoom, zoom, angle);
  DrawQuad(q, true, Blending::Off, kWhite);
}

bool KGraphicCommon::AlphaRectQuad(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                                   bool flipY, KQuadVertex out[4], float rgba[4]) const {
  RectQuad(sx1, sy1, sx2, sy2, dx, dy, sx2 - sx1, sy2 - sy1, flipX, flipY, out);
  for (int i = 0; i < 4; ++i) rgba[i] = tintOn_ ? tint_[i] : 1.0f;
  return true;
}

bool KGraphicCommon::AlphaRectFxQuad(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                     float zoom, float alpha, bool flipX, bool flipY, float centerX, float centerY,
                                     KQuadVertex out[4], float rgba[4]) const {
  if (zoom == 0 || alpha <= 0) return false;
  const float w = sx2 - sx1, h = sy2 - sy1;
  RectQuad(sx1, sy1, sx2, sy2, dx, dy, w, h, flipX, flipY, out);
  if (angle != 0 || zoom != 1 || scaleX_ != 1 || scaleY_ != 1)
    Transform(out, dx + w / 2 + centerX, dy + h / 2 + centerY, zoom * scaleX_, zoom * scaleY_, angle);
  for (int i = 0; i < 3; ++i) rgba[i] = tintOn_ ? tint_[i] : 1.0f;
  rgba[3] = tintOn_ ? alpha * tint_[3] : alpha;
  rgba[3] = clamp01(rgba[3]);
  return true;
}

void KGraphicCommon::BlitRectSimple(float sx1, float sy1, float sx2, float sy2, short dx, short dy) {
  Blit(sx1, sy1, sx2, sy2, dx, dy, false, false, false);
}
void KGraphicCommon::BlitAlphaRectSimple(float sx1, float sy1, float sx2, float sy2, short dx, short dy) {
  Blit(sx1, sy1, sx2, sy2, dx, dy, false, false, true);
}
void KGraphicCommon::BlitRect(float sx1, float sy1, float sx2, float sy2, short dx, short dy, bool flipX,
                              bool flipY) {
  Blit(sx1, sy1, sx2, sy2, dx, dy, flipX, flipY, false);
}
void KGraphicCommon::BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                               bool flipY) {
  Blit(sx1, sy1, sx2, sy2, dx, dy, flipX, flipY, false);
}
void KGraphicCommon::BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, short dx, short dy, bool flipX,
                                   bool flipY) {
  Blit(sx1, sy1, sx2, sy2, dx, dy, flipX, flipY, true);
}
void KGraphicCommon::BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                                    bool flipY) {
  Blit(sx1, sy1, sx2, sy2, dx, dy, flipX, flipY, true);
}
void KGraphicCommon::BlitRectFx(float sx1, float sy1, float sx2, float sy2, short dx, short dy, float angle,
                                float zoom, bool flipX, bool flipY) {
  BlitFx(sx1, sy1, sx2, sy2, dx, dy, angle, zoom, flipX, flipY);
}
void KGraphicCommon::BlitRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                 float zoom, bool flipX, bool flipY) {
  BlitFx(sx1, sy1, sx2, sy2, dx, dy, angle, zoom, flipX, flipY);
}
void KGraphicCommon::BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, short dx, short dy, float angle,
                                     float zoom, float alpha, bool flipX, bool flipY, float centerX,
                                     float centerY) {
  BlitAlphaRectFxF(sx1, sy1, sx2, sy2, dx, dy, angle, zoom, alpha, flipX, flipY, centerX, centerY);
}
void KGraphicCommon::BlitAlphaRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                      float zoom, float alpha, bool flipX, bool flipY, float centerX,
                                      float centerY) {
  KQuadVertex q[4];
  float rgba[4];
  if (!AlphaRectFxQuad(sx1, sy1, sx2, sy2, dx, dy, angle, zoom, alpha, flipX, flipY, centerX, centerY, q, rgba))
    return;
  DrawQuad(q, true, Blending::Picture, rgba);
}

void KGraphicCommon::BlitStretch(float sx1, float sy1, float sx2, float sy2, float x1, float y1, float x2, float y2,
                                 float alpha, float angle, bool flipX, bool flipY, float centerX, float centerY) {
  KQuadVertex q[4];
  RectQuad(sx1, sy1, sx2, sy2, x1, y1, x2 - x1, y2 - y1, flipX, flipY, q);
  if (angle != 0) Transform(q, (x1 + x2) / 2 + centerX, (y1 + y2) / 2 + centerY, 1, 1, angle);
  if (alpha < 0) alpha = 1;
  float rgba[4] = {1, 1, 1, alpha};
  if (tintOn_) {
    rgba[0] = tint_[0];
    rgba[1] = tint_[1];
    rgba[2] = tint_[2];
    rgba[3] = alpha * tint_[3];
  }
  rgba[3] = clamp01(rgba[3]);
  DrawQuad(q, true, Blending::Picture, rgba);
}

void KGraphicCommon::BlitArbitraryQuad(float su1, float sv1, float su2, float sv2, float su3, float sv3, float su4,
                                       float sv4, float dx1, float dy1, float dx2, float dy2, float dx3, float dy3,
                                       float dx4, float dy4) {
  const float side = textureSide_ > 0 ? textureSide_ : 1;
  const KQuadVertex q[4] = {{dx1, dy1, su1 / side, sv1 / side},
                            {dx2, dy2, su2 / side, sv2 / side},
                            {dx3, dy3, su3 / side, sv3 / side},
                            {dx4, dy4, su4 / side, sv4 / side}};
  DrawQuad(q, true, Blending::Picture, tintOn_ ? tint_ : kWhite);
}

void KGraphicCommon::BlitWholeTurned(float x, float y, float width, float height, float extent, float angle) {
  // Texture (0, 0) at the bottom-right corner, (extent, extent) at the top-left: turned by 180.
  KQuadVertex q[4] = {{x, y, extent, extent},
                      {x + width, y, 0, extent},
                      {x + width, y + height, 0, 0},
                      {x, y + height, extent, 0}};
  Transform(q, x + width / 2, y + height / 2, 1, 1, angle);
  DrawQuad(q, true, Blending::Off, kWhite);
}

// ---- untextured ------------------------------------------------------------------------------

void KGraphicCommon::DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) {
  const float ix1 = float(int(x1)), iy1 = float(int(y1)), ix2 = float(int(x2)), iy2 = float(int(y2));
  const KQuadVertex q[4] = {{ix1, iy1, 0, 0}, {ix2, iy1, 0, 0}, {ix2, iy2, 0, 0}, {ix1, iy2, 0, 0}};
  const float rgba[4] = {r, g, b, a};
  DrawQuad(q, false, a != 1 ? Blending::Alpha : Blending::Off, rgba);
}

void KGraphicCommon::DrawLine(float x1, float y1, float x2, float y2, float r, float g, float b, float a) {
  // Through the centres of the pixels (x1 - 1, y1 - 1) and (x2, y2).
  const float xy[4] = {x1 - 1 + 0.5f, y1 - 1 + 0.5f, x2 + 0.5f, y2 + 0.5f};
  const float rgba[4] = {r, g, b, a};
  DrawPoints(xy, 2, rgba);
}

void KGraphicCommon::PlotPixel(float x, float y, float r, float g, float b, float a) {
  const float xy[2] = {float(std::floor(x)) + 0.5f, float(std::floor(y)) + 0.5f};
  const float rgba[4] = {r, g, b, a};
  DrawPoints(xy, 1, rgba);
}
