// A picture: one image held as a texture of the current renderer, with the operations that draw
// all or part of it (plain, blended, mirrored, turned and zoomed blits, stretched and
// four-corner blits) and untextured rectangles, lines and points. Coordinates are screen pixels,
// origin top-left, y down; colours are floats 0..1; angles degrees, positive counter-clockwise.
//
// KGraphic is the abstract interface: its virtual operations keep a fixed slot order (0 the
// destructor ... 39 SetPictureScale). KGraphicGL draws with OpenGL, KGraphicDD with the
// engine's software renderer; KTools::CreateGraphic (KGraphicFactory.h) makes the one that
// matches the window. KQuadBatch collects many blits of one picture.
#pragma once

#include <cstddef>
#include <cstdint>

// Per-pixel function of GrabBackBuffer: x, y counted from the bottom row, and the pixel's
// red, green and blue bytes, which it may change.
using KGrabPixelFunction = void (*)(int x, int y, uint8_t* r, uint8_t* g, uint8_t* b);

class KGraphic {
 public:
  /* 0 */ virtual ~KGraphic() = default;
  /* 1 */ virtual bool LoadPictureKeyed(const char* path, short keyX, short keyY) = 0;
  /* 2 */ virtual void BlitRectSimple(float sx1, float sy1, float sx2, float sy2, short dx, short dy) = 0;
  /* 3 */ virtual void BlitAlphaRectSimple(float sx1, float sy1, float sx2, float sy2, short dx, short dy) = 0;
  /* 4 */ virtual bool LoadPictureFromMemory(const char* name, const uint8_t* bytes, size_t size, bool highQuality,
                                             bool alpha) = 0;
  /* 5 */ virtual bool LoadPictureFromMemoryKeyed(const char* name, const uint8_t* bytes, size_t size, short keyX,
                                                  short keyY) = 0;
  /* 6 */ virtual bool LoadPictureWithMask(const char* path, const char* maskPath, bool highQuality) = 0;
  /* 7 */ virtual bool LoadPicture(const char* path, bool highQuality, bool alpha) = 0;
  /* 8 */ virtual void FreePicture() = 0;
  /* 9 */ virtual float GetWidth() = 0;
  /* 10 */ virtual float GetHeight() = 0;
  /* 11 */ virtual void SetTextureQuality(bool smooth) = 0;
  /* 12 */ virtual void DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) = 0;
  /* 13 */ virtual void DrawLine(float x1, float y1, float x2, float y2, float r, float g, float b, float a) = 0;
  /* 14 */ virtual void PlotPixel(float x, float y, float r, float g, float b, float a) = 0;
  /* 15 */ virtual void BlitRect(float sx1, float sy1, float sx2, float sy2, short dx, short dy, bool flipX,
                                 bool flipY) = 0;
  /* 16 */ virtual void BlitRectFx(float sx1, float sy1, float sx2, float sy2, short dx, short dy, float angle,
                                   float zoom, bool flipX, bool flipY) = 0;
  /* 17 */ virtual void BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, short dx, short dy, bool flipX,
                                      bool flipY) = 0;
  /* 18 */ virtual void BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, short dx, short dy, float angle,
                                        float zoom, float alpha, bool flipX, bool flipY, float centerX,
                                        float centerY) = 0;
  /* 19 */ virtual void BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                                  bool flipY) = 0;
  /* 20 */ virtual void BlitRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                    float zoom, bool flipX, bool flipY) = 0;
  /* 21 */ virtual void BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                                       bool flipY) = 0;
  /* 22 */ virtual void BlitAlphaRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                         float zoom, float alpha, bool flipX, bool flipY, float centerX,
                                         float centerY) = 0;
  /* 23 */ virtual void BlitWholeTurned(float x, float y, float width, float height, float extent, float angle) = 0;
  /* 24 */ virtual void BlitArbitraryQuad(float su1, float sv1, float su2, float sv2, float su3, float sv3, float su4,
                                          float sv4, float dx1, float dy1, float dx2, float dy2, float dx3, float dy3,
                                          float dx4, float dy4) = 0;
  /* 25 */ virtual void SetBlendFunc(short source, short destination) = 0;
  /* 26 */ virtual void SetBlendMode(int mode) = 0;
  /* 27 */ virtual void BlitStretch(float sx1, float sy1, float sx2, float sy2, float x1, float y1, float x2, float y2,
                                    float alpha, float angle, bool flipX, bool flipY, float centerX, float centerY) = 0;
  /* 28 */ virtual bool GrabBackBuffer(KGrabPixelFunction function = nullptr) = 0;
  /* 29 */ virtual bool GrabFrontBuffer() = 0;
  /* 30 */ virtual void SetColorKey(bool enabled, uint8_t r, uint8_t g, uint8_t b) = 0;
  /* 31 */ virtual void SetTextureWrap(bool repeat) = 0;
  /* 32 */ virtual void SetBlitColor(float r, float g, float b, float a) = 0;
  // The pixels are RGBA bytes (red first in memory, rows top-down); with the colour key on,
  // key-coloured pixels are cleared to 0 in the caller's array. The array is remembered (the
  // caller keeps it alive) and UpdatePictureFromArray sends it again.
  /* 33 */ virtual bool MakePictureFromArray(uint32_t* pixels, int width, int height, bool alpha) = 0;
  /* 34 */ virtual void UpdatePictureFromArray() = 0;
  /* 35 */ virtual void FinishDrawing() = 0;
  /* 36 */ virtual bool CopyBackBufferRect(int x, int y, int width, int height) = 0;
  /* 37 */ virtual bool CopyBackBufferDefault() = 0;
  /* 38 */ virtual void BindRepeat() = 0;
  /* 39 */ virtual void SetPictureScale(float scaleX, float scaleY) = 0;

  // Read-only views of the picture's settings (not part of the slot table).
  float GetTextureSide() const { return textureSide_; }
  bool IsTinted() const { return tintOn_; }
  void GetTint(float rgba[4]) const {
    rgba[0] = tint_[0];
    rgba[1] = tint_[1];
    rgba[2] = tint_[2];
    rgba[3] = tint_[3];
  }
  short GetBlendSource() const { return blendSrc_; }
  short GetBlendDestination() const { return blendDst_; }
  bool HasColorKey() const { return keyOn_; }
  bool GetTextureWrap() const { return repeat_; }
  float GetPictureScaleX() const { return scaleX_; }
  float GetPictureScaleY() const { return scaleY_; }

 protected:
  KGraphic() = default;

  float width_ = 0, height_ = 0;
  float textureSide_ = 0;
  short keyPixelX_ = -1, keyPixelY_ = -1;
  bool keyOn_ = false;
  uint8_t keyR_ = 0, keyG_ = 0, keyB_ = 0;
  bool tintOn_ = false;
  float tint_[4] = {1, 1, 1, 1};
  short blendSrc_ = 0, blendDst_ = 0;
  float scaleX_ = 1, scaleY_ = 1;
  bool repeat_ = false;
  uint32_t* array_ = nullptr;
  bool arrayAlpha_ = false;
};

// Blend modes of SetBlendMode.
enum : int {
  K_BLEND_SRCALPHA_DSTALPHA = 0,
  K_BLEND_ALPHA = 1,
  K_BLEND_PREMULTIPLIED = 2,
  K_BLEND_ERASE = 3,
  K_BLEND_ADD = 4,
  K_BLEND_COPY = 5,
  K_BLEND_INVALPHA_ADD = 6,
};
