// A textured triangle mesh with its own small 3D pass: Begin3D sets a perspective (or
// orthographic) view of the fixed 640 x 480 3D area with one light, Render draws the mesh at a
// position with a scale and three turns, flat or smooth shaded, and End3D gives the 2D view
// back as it was.
//
// KModel is the abstract interface: its virtual operations keep a fixed slot order (0 the
// destructor ... 16 Clear). KModelGL draws with OpenGL, KModelDD with the engine's software
// renderer; KTools::CreateModel (KModelFactory.h) makes the one that matches the window.
//
// The 3D area is 640 x 480 pixels of the screen whatever the window's size, its bottom-left
// corner on the screen's bottom-left corner. The light is a white point light at (1, 1, 1) in
// view space with full ambient and diffuse parts, over a global ambient of 0.2. Flat shading
// lights a white material of ambient 0.2 and diffuse 0.8 with each face's normal; smooth
// shading lights a grey material of 0.7 with each vertex's normal. The texture modulates the lit
// colour and is sampled with repeat wrapping. With blending on, the blending value is the
// model's opacity.
#pragma once

#include <cstdint>
#include <vector>

#include "mesh/KMeshFile.h"

class KGraphic;

class KModel {
 public:
  // The size of the 3D area in screen pixels.
  static constexpr int kViewWidth = 640;
  static constexpr int kViewHeight = 480;

  /* 0 */ virtual ~KModel();
  // A perspective projection: vertical field of view in degrees, width / height, the near and
  // far distances.
  /* 1 */ virtual void SetPerspective(double fovDegrees, double aspect, double zNear, double zFar) = 0;
  // Starts the 3D pass: the 3D area, the default perspective (45 degrees, 640 / 480, 0.1, 500)
  // or an orthographic view of 0..640 x 0..480 (depth -500..500, Render's y counted from the
  // top), depth test, the light; clears the depth buffer when asked.
  /* 2 */ virtual void Begin3D(bool clearDepth, bool orthographic) = 0;
  // Ends the 3D pass: depth test and lighting off, the 2D view and area as before Begin3D.
  /* 3 */ virtual void End3D() = 0;
  /* 4 */ virtual void SetScale(float x, float y, float z);
  // 0 flat, 1 smooth.
  /* 5 */ virtual void SetShadingMode(int mode);
  // Draws the mesh moved to (x, y, z), scaled, and turned about x, then y, then z (degrees):
  // flat or smooth as the shading mode says.
  /* 6 */ virtual void Render(float x, float y, float z, float rx, float ry, float rz);
  /* 7 */ virtual void RenderFlat(float x, float y, float z, float rx, float ry, float rz) = 0;
  /* 8 */ virtual void RenderSmooth(float x, float y, float z, float rx, float ry, float rz) = 0;
  // true: source alpha over one minus source alpha; false: source alpha and destination alpha.
  /* 9 */ virtual void SetBlendMode(bool alphaOver);
  // A picture of this renderer used as the texture; an owned texture is deleted first; the new
  // one is not owned (null: no texture).
  /* 10 */ virtual void SetTexture(KGraphic* picture);
  /* 11 */ virtual void SetBlending(bool enabled, float value);
  // The readers: false with the mesh facility's message boxes (KMeshFile.h). With loadTexture
  // the texture named by the file is loaded from the model's folder into a picture the model
  // owns; when it cannot be loaded a message box says so and the model still loads.
  /* 12 */ virtual bool LoadASE(const char* path, float scale, bool loadTexture);
  /* 13 */ virtual bool LoadObjectText(const char* path, float scale, bool loadTexture);
  /* 14 */ virtual bool LoadK3D(const char* path, bool loadTexture);
  // Writes the binary mesh file with this renderer's tag; false without faces or when the file
  // cannot be written.
  /* 15 */ virtual bool SaveK3D(const char* path);
  // Frees the mesh and an owned texture, and forgets the texture.
  /* 16 */ virtual void Clear();

  // Read-only views (not part of the slot table).
  const KMesh& GetMesh() const { return mesh_; }
  int GetVertexCount() const { return int(mesh_.vertices.size()); }
  int GetFaceCount() const { return int(mesh_.faces.size()); }
  KGraphic* GetTexture() const { return texture_; }
  bool OwnsTexture() const { return ownsTexture_; }
  int GetShadingMode() const { return shading_; }
  bool IsBlending() const { return blending_; }
  float GetBlendValue() const { return blendValue_; }
  bool GetBlendAlphaOver() const { return blendAlphaOver_; }
  void GetScale(float xyz[3]) const {
    xyz[0] = scale_[0];
    xyz[1] = scale_[1];
    xyz[2] = scale_[2];
  }
  // Whether the current (or last) 3D pass is orthographic.
  static bool IsOrthographic() { return orthographic_; }

 protected:
  KModel() = default;
  KModel(const KModel&) = delete;
  KModel& operator=(const KModel&) = delete;

  // A new, empty picture of this renderer for a texture the model loads.
  virtual KGraphic* NewTexturePicture() = 0;
  // The tag of the binary files this renderer writes.
  virtual const char* FileTag() const = 0;
  // Whether the ASE reader loads its texture in high quality.
  virtual bool HighQualityASETexture() const { return true; }
  // Called after the mesh changed (loaded or cleared).
  virtual void MeshChanged() {}

  // Loads mesh_.texturePath into a new owned picture, or shows "Could not load texture".
  void LoadOwnTexture(bool highQuality);
  void ForgetTexture();
  // The opacity the renderers draw with.
  float Opacity() const { return blending_ ? blendValue_ : 1.0f; }

  KMesh mesh_;
  KGraphic* texture_ = nullptr;
  bool ownsTexture_ = false;
  float scale_[3] = {1, 1, 1};
  int shading_ = 0;
  bool blending_ = false;
  float blendValue_ = 1.0f;
  bool blendAlphaOver_ = true;

  static bool orthographic_;
};
