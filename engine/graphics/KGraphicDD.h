// The software-renderer picture: a 16-bit texture of platform/softdd.h (A4R4G4B4 when alpha is
// asked for or the image has its own alpha, else X1R5G5B5) whose side is the smallest power of
// two not below the larger image dimension, drawn as triangle fans on KWindowDD's device.
// Every picture is entered in a registry while it exists; after the window has rebuilt its
// device, every picture loaded from files is loaded again from the names it remembers.
// Loads fail while no software window is open.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/KGraphicCommon.h"
#include "graphics/KQuadBatch.h"
#include "platform/softdd.h"

class KGraphicDD : public KGraphicCommon {
 public:
  KGraphicDD();
  ~KGraphicDD() override;
  void FinishDrawing() override {}
  void BindRepeat() override;

  const softdd::Texture* GetTexture() const { return texture_.get(); }
  // Draws stored triangles (a list) with this picture's texture, blended with its blend function.
  void DrawTriangles(const softdd::Vertex* vertices, int count);
  // Loads every registered picture again from its files (installed as the screen's reloader).
  static void ReloadAll();
  static size_t RegisteredCount();

 protected:
  int TextureSideFor(int width, int height) const override;
  short FactorConstant(KBlendFactor factor) const override;
  bool UploadTexture(const uint32_t* argb, int side, bool alphaFormat, bool highQuality, bool smooth,
                     bool repeat) override;
  void ReleaseTexture() override;
  bool HasTexture() const override { return texture_ != nullptr; }
  void UpdateTextureArea(const uint32_t* argb, int x, int y, int width, int height, int pitch) override;
  void ApplySampler() override {
    texSmooth_ = smooth_;
    texRepeat_ = repeat_;
  }
  void DrawQuad(const KQuadVertex v[4], bool textured, Blending blending, const float rgba[4]) override;
  void DrawPoints(const float* xy, int count, const float rgba[4]) override;
  bool ReadScreen(bool front, int x, int y, int width, int height, std::vector<uint32_t>& argb) override;
  void RememberSource(const char* path, const char* maskPath, bool highQuality, bool alpha) override;

 private:
  void SetTextureStage(softdd::Device* device, bool textured);
  std::unique_ptr<softdd::Texture> texture_;
  std::string path_, maskPath_;
  bool texSmooth_ = false, texRepeat_ = false;
  bool hasMask_ = false, loadHighQuality_ = true, loadAlpha_ = true;
};

// With the software renderer the batch stores quads (two triangles each) and draws them in one
// call.
class KQuadBatchDD : public KQuadBatch {
 public:
  void Reserve(int quads) override;
  void Begin(KGraphic* picture) override;
  void Flush() override;
  void AddBlitAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                        bool flipY) override;
  void AddBlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle, float zoom,
                          float alpha, bool flipX, bool flipY, float centerX, float centerY) override;
  void DrawRect(float, float, float, float, float, float, float, float) override {}
  int GetCount() const { return count_; }
  int GetCapacity() const { return int(vertices_.size() / 6); }
  unsigned GetFlushCount() const { return flushes_; }

 private:
  void Add(const KQuadVertex q[4], const float rgba[4]);
  KGraphicDD* picture_ = nullptr;
  std::vector<softdd::Vertex> vertices_;
  int count_ = 0;
  unsigned flushes_ = 0;
  softdd::Matrix savedWorld_ = softdd::Matrix::identity();
};
