#include "mesh/KModel.h"

#include "graphics/KGraphic.h"
#include "tools/KTools.h"

bool KModel::orthographic_ = false;

KModel::~KModel() { ForgetTexture(); }

void KModel::ForgetTexture() {
  if (ownsTexture_) delete texture_;
  texture_ = nullptr;
  ownsTexture_ = false;
}

void KModel::SetScale(float x, float y, float z) {
  scale_[0] = x;
  scale_[1] = y;
  scale_[2] = z;
}

void KModel::SetShadingMode(int mode) { shading_ = mode; }

void KModel::Render(float x, float y, float z, float rx, float ry, float rz) {
  if (shading_ == 1)
    RenderSmooth(x, y, z, rx, ry, rz);
  else
    RenderFlat(x, y, z, rx, ry, rz);
}

void KModel::SetBlendMode(bool alphaOver) { blendAlphaOver_ = alphaOver; }

void KModel::SetTexture(KGraphic* picture) {
  if (picture == texture_) {
    // The model's own picture handed back to it stays its own: nothing to delete twice.
    return;
  }
  ForgetTexture();
  texture_ = picture;
}

void KModel::SetBlending(bool enabled, float value) {
  blending_ = enabled;
  blendValue_ = value;
}

void KModel::Clear() {
  mesh_.Clear();
  ForgetTexture();
  MeshChanged();
}

void KModel::LoadOwnTexture(bool highQuality) {
  if (mesh_.texturePath.empty()) return;
  KGraphic* picture = NewTexturePicture();
  if (picture && picture->LoadPicture(mesh_.texturePath.c_str(), highQuality, true) && picture->GetWidth() > 0) {
    texture_ = picture;
    ownsTexture_ = true;
    return;
  }
  delete picture;
  KTools::MessageBox("Could not load texture", mesh_.texturePath.c_str());
}

bool KModel::LoadASE(const char* path, float scale, bool loadTexture) {
  Clear();
  bool ok = KMeshFiles::LoadASE(path, scale, mesh_);
  if (ok && loadTexture && mesh_.textureName[0]) LoadOwnTexture(HighQualityASETexture());
  MeshChanged();
  return ok;
}

bool KModel::LoadObjectText(const char* path, float scale, bool /*loadTexture: the listing names none*/) {
  Clear();
  bool ok = KMeshFiles::LoadObjectText(path, scale, mesh_);
  MeshChanged();
  return ok;
}

bool KModel::LoadK3D(const char* path, bool loadTexture) {
  Clear();
  bool ok = KMeshFiles::LoadK3D(path, mesh_);
  if (ok && loadTexture && mesh_.textureName[0]) LoadOwnTexture(true);
  MeshChanged();
  return ok;
}

bool KModel::SaveK3D(const char* path) { return KMeshFiles::SaveK3D(path, mesh_, FileTag()); }
