// What both picture twins share: loading (decoding, the colour key, the power-of-two buffer),
// the geometry of every blit, tint, blend modes, grabs and pixel arrays. Each twin supplies
// the few renderer operations beneath (upload, draw one quad, read the screen).
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/KGraphic.h"

class KDecodedImage;

// One corner of a quad: screen position (pixels, y down) and texture coordinates (0..1).
struct KQuadVertex {
  float x, y, u, v;
};

// Blend factors in renderer-neutral form.
enum class KBlendFactor { Zero, One, SrcAlpha, InvSrcAlpha, DstAlpha };

class KGraphicCommon : public KGraphic {
 public:
  bool LoadPictureKeyed(const char* path, short keyX, short keyY) override;
  void BlitRectSimple(float sx1, float sy1, float sx2, float sy2, short dx, short dy) override;
  void BlitAlphaRectSimple(float sx1, float sy1, float sx2, float sy2, short dx, short dy) override;
  bool LoadPictureFromMemory(const char* name, const uint8_t* bytes, size_t size, bool highQuality,
                             bool alpha) override;
  bool LoadPictureFromMemoryKeyed(const char* name, const uint8_t* bytes, size_t size, short keyX,
                                  short keyY) override;
  bool LoadPictureWithMask(const char* path, const char* maskPath, bool highQuality) override;
  bool LoadPicture(const char* path, bool highQuality, bool alpha) override;
  void FreePicture() override;
  float GetWidth() override { return width_; }
  float GetHeight() override { return height_; }
  void SetTextureQuality(bool smooth) override;
  void DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) override;
  void DrawLine(float x1, float y1, float x2, float y2, float r, float g, float b, float a) override;
  void PlotPixel(float x, float y, float r, float g, float b, float a) override;
  void BlitRect(float sx1, float sy1, float sx2, float sy2, short dx, short dy, bool flipX, bool flipY) override;
  void BlitRectFx(float sx1, float sy1, float sx2, float sy2, short dx, short dy, float angle, float zoom,
                  bool flipX, bool flipY) override;
  void BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, short dx, short dy, bool flipX,
                     bool flipY) override;
  void BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, short dx, short dy, float angle, float zoom,
                       float alpha, bool flipX, bool flipY, float centerX, float centerY) override;
  void BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY) override;
  void BlitRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle, float zoom,
                   bool flipX, bool flipY) override;
  void BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                      bool flipY) override;
  void BlitAlphaRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle, float zoom,
                        float alpha, bool flipX, bool flipY, float centerX, float centerY) override;
  void BlitWholeTurned(float x, float y, float width, float height, float extent, float angle) override;
  void BlitArbitraryQuad(float su1, float sv1, float su2, float sv2, float su3, float sv3, float su4, float sv4,
                         float dx1, float dy1, float dx2, float dy2, float dx3, float dy3, float dx4,
                         float dy4) override;
  void SetBlendFunc(short source, short destination) override;
  void SetBlendMode(int mode) override;
  void BlitStretch(float sx1, float sy1, float sx2, float sy2, float x1, float y1, float x2, float y2, float alpha,
                   float angle, bool flipX, bool flipY, float centerX, float centerY) override;
  bool GrabBackBuffer(KGrabPixelFunction function) override;
  bool GrabFrontBuffer() override;
  void SetColorKey(bool enabled, uint8_t r, uint8_t g, uint8_t b) override;
  void SetTextureWrap(bool repeat) override;
  void SetBlitColor(float r, float g, float b, float a) override;
  bool MakePictureFromArray(uint32_t* pixels, int width, int height, bool alpha) override;
  void UpdatePictureFromArray() override;
  bool CopyBackBufferRect(int x, int y, int width, int height) override;
  bool CopyBackBufferDefault() override { return CopyBackBufferRect(0, 0, 256, 256); }
  void SetPictureScale(float scaleX, float scaleY) override {
    scaleX_ = scaleX;
    scaleY_ = scaleY;
  }

  // The quads of the blended blits, as the quad batch stores them: false when nothing is drawn.
  // rgba receives the vertex colour.
  bool AlphaRectQuad(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY,
                     KQuadVertex out[4], float rgba[4]) const;
  bool AlphaRectFxQuad(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle, float zoom,
                       float alpha, bool flipX, bool flipY, float centerX, float centerY, KQuadVertex out[4],
                       float rgba[4]) const;

 protected:
  KGraphicCommon();
  // How a quad is blended: not at all, with the picture's blend function, or with source alpha
  // over one minus source alpha.
  enum class Blending { Off, Picture, Alpha };

  virtual int TextureSideFor(int width, int height) const = 0;
  virtual short FactorConstant(KBlendFactor factor) const = 0;
  // Replaces the texture with one of side x side texels from A8R8G8B8 words (rows top-down).
  // alphaFormat: a texture with alpha; highQuality: full precision.
  virtual bool UploadTexture(const uint32_t* argb, int side, bool alphaFormat, bool highQuality, bool smooth,
                             bool repeat) = 0;
  virtual void ReleaseTexture() = 0;
  virtual bool HasTexture() const = 0;
  virtual void UpdateTextureArea(const uint32_t* argb, int x, int y, int width, int height, int pitch) = 0;
  // Filtering and wrap of the current texture from smooth_ and repeat_.
  virtual void ApplySampler() = 0;
  virtual void DrawQuad(const KQuadVertex v[4], bool textured, Blending blending, const float rgba[4]) = 0;
  // Two points: a line; one point: a point. Positions are pixel centres (y down).
  virtual void DrawPoints(const float* xy, int count, const float rgba[4]) = 0;
  // The back (or front) buffer as A8R8G8B8 words, rows top-down; false when there is none.
  virtual bool ReadScreen(bool front, int x, int y, int width, int height, std::vector<uint32_t>& argb) = 0;
  // After a successful file load: the names it came from (the software twin reloads them).
  virtual void RememberSource(const char* /*path*/, const char* /*maskPath*/, bool /*highQuality*/, bool /*alpha*/) {}

  // Empties the picture before it is loaded anew (or freed): no texture, size 0 x 0, no pixel
  // array remembered. A load that fails leaves it so.
  void ClearPicture();
  // Puts the decoded picture (and mask) into a texture.
  bool LoadDecoded(const KDecodedImage* image, const KDecodedImage* mask, bool highQuality, bool alpha);
  bool LoadFile(const char* path, const char* maskPath, bool highQuality, bool alpha);
  void Blit(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY, bool blended);
  void BlitFx(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle, float zoom, bool flipX,
              bool flipY);
  void RectQuad(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float w, float h, bool flipX,
                bool flipY, KQuadVertex out[4]) const;
  // Scales the quad by (zx, zy) and turns it by angle degrees (counter-clockwise on screen) about
  // the pivot.
  static void Transform(KQuadVertex q[4], float px, float py, float zx, float zy, float angle);
  void SetInitialBlend();
  // Pixels given as RGBA bytes (red first in memory) to the A8R8G8B8 words of an upload.
  static void ArgbFromRgba(const uint32_t* rgba, uint32_t* argb, int count);

  bool smooth_;
  // Whether the image being uploaded has its own alpha (32 bits or an alpha channel).
  bool source32_ = false;
};
