// The model drawn with OpenGL 1.x: immediate-mode triangles with the fixed-function light,
// depth test and texture. The only file of the mesh facility that includes OpenGL headers is
// KModelGL.cpp.
#pragma once

#include "mesh/KModel.h"

class KModelGL : public KModel {
 public:
  KModelGL() = default;
  ~KModelGL() override = default;
  void SetPerspective(double fovDegrees, double aspect, double zNear, double zFar) override;
  void Begin3D(bool clearDepth, bool orthographic) override;
  void End3D() override;
  void RenderFlat(float x, float y, float z, float rx, float ry, float rz) override;
  void RenderSmooth(float x, float y, float z, float rx, float ry, float rz) override;

 protected:
  KGraphic* NewTexturePicture() override;
  const char* FileTag() const override { return kTagGL; }
  bool HighQualityASETexture() const override { return false; }

 private:
  // Model transform, blending and texture of both shadings.
  void Prepare(float x, float y, float z, float rx, float ry, float rz);
  void Finish();
};
