// The OpenGL picture: a square power-of-two RGBA texture (side at least 4), drawn as
// immediate-mode quads in the 2D view of KWindowGL. The only file of the engine's picture
// facility that includes OpenGL headers is KGraphicGL.cpp.
#pragma once

#include <cstdint>

#include "graphics/KGraphicCommon.h"
#include "graphics/KQuadBatch.h"

class KGraphicGL : public KGraphicCommon {
 public:
  // Shows a message box when the screen size is not known yet (nothing would be seen), then
  // continues.
  KGraphicGL();
  ~KGraphicGL() override;
  void FinishDrawing() override;
  void BindRepeat() override;

  // Records the screen size and turns on texturing and smooth shading.
  static void SetScreenSize(short width, short height, short depth);
  unsigned GetTextureHandle() const { return texture_; }

 protected:
  int TextureSideFor(int width, int height) const override;
  short FactorConstant(KBlendFactor factor) const override;
  bool UploadTexture(const uint32_t* argb, int side, bool alphaFormat, bool highQuality, bool smooth,
                     bool repeat) override;
  void ReleaseTexture() override;
  bool HasTexture() const override { return texture_ != 0; }
  void UpdateTextureArea(const uint32_t* argb, int x, int y, int width, int height, int pitch) override;
  void ApplySampler() override;
  void DrawQuad(const KQuadVertex v[4], bool textured, Blending blending, const float rgba[4]) override;
  void DrawPoints(const float* xy, int count, const float rgba[4]) override;
  bool ReadScreen(bool front, int x, int y, int width, int height, std::vector<uint32_t>& argb) override;

 private:
  void Bind();
  unsigned texture_ = 0;
};

// With OpenGL the batch hands every blit to its picture at once.
class KQuadBatchGL : public KQuadBatch {
 public:
  void Reserve(int) override {}
  void Begin(KGraphic* picture) override {
    if (picture) picture_ = picture;
  }
  void Flush() override {}
  void AddBlitAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                        bool flipY) override;
  void AddBlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle, float zoom,
                          float alpha, bool flipX, bool flipY, float centerX, float centerY) override;
  void DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) override;

 private:
  KGraphic* picture_ = nullptr;
};
