// The model drawn by the engine's software renderer (platform/softdd.h) on KWindowDD's device:
// vertex lists for both shadings are built once from the records when the mesh changes, and
// each Render hands one of them to the device, which transforms, lights, clips and rasterises
// them against the z-buffer. A window opened without a z-buffer lends the 3D pass one of the
// model facility's own for its duration.
#pragma once

#include <vector>

#include "mesh/KModel.h"
#include "platform/softdd.h"

class KModelDD : public KModel {
 public:
  KModelDD() = default;
  ~KModelDD() override = default;
  void SetPerspective(double fovDegrees, double aspect, double zNear, double zFar) override;
  void Begin3D(bool clearDepth, bool orthographic) override;
  void End3D() override;
  void RenderFlat(float x, float y, float z, float rx, float ry, float rz) override;
  void RenderSmooth(float x, float y, float z, float rx, float ry, float rz) override;

  // The lists the device draws: three corners per face, in face order.
  const std::vector<softdd::LitVertex>& GetFlatList() const { return flat_; }
  const std::vector<softdd::LitVertex>& GetSmoothList() const { return smooth_; }

 protected:
  KGraphic* NewTexturePicture() override;
  const char* FileTag() const override { return kTagDD; }
  void MeshChanged() override;

 private:
  void Draw(const std::vector<softdd::LitVertex>& list, bool flat, float x, float y, float z, float rx, float ry,
            float rz);
  std::vector<softdd::LitVertex> flat_, smooth_;
};
