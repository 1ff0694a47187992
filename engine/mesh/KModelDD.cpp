#include "mesh/KModelDD.h"

#include <cmath>
#include <memory>

#include "graphics/KGraphicDD.h"
#include "graphics/KGraphicFactory.h"
#include "window/KScreen.h"
#include "window/KWindowDD.h"

namespace {

constexpr float kPi = 3.14159265358979323846f;

// What the 2D view had set on the device, given back by End3D.
struct SavedView {
  bool inPass = false;
  softdd::Device* device = nullptr;
  softdd::Surface* target = nullptr;
  softdd::ZBuffer* zbuffer = nullptr;
  softdd::Matrix world{}, view{}, projection{};
  softdd::Viewport viewport{};
  bool zTest = false, zWrite = true;
  softdd::ZCompare zFunc = softdd::ZCompare::LessEqual;
  bool blending = false;
  softdd::Blend src = softdd::Blend::One, dst = softdd::Blend::Zero;
};
SavedView saved;

// The z-buffer lent to a pass on a window that has none.
std::unique_ptr<softdd::ZBuffer> ownZ;

float radians(float degrees) { return degrees * kPi / 180.0f; }

}  // namespace

KGraphic* KModelDD::NewTexturePicture() { return KTools::CreateGraphic(); }

void KModelDD::MeshChanged() {
  const size_t n = mesh_.faces.size() * 3;
  flat_.clear();
  smooth_.clear();
  flat_.reserve(n);
  smooth_.reserve(n);
  for (const KFace& f : mesh_.faces) {
    const int32_t corners[3] = {f.a, f.b, f.c};
    // Flat shading takes a triangle's colour from its first corner, OpenGL from its last: the
    // flat list starts each face at its third corner (the same turn, so the same winding).
    for (int k : {2, 0, 1}) {
      const KVertex& p = mesh_.vertices[size_t(corners[k])];
      flat_.push_back({p.x, p.y, p.z, f.nx, f.ny, f.nz, f.corner[k].u, f.corner[k].v});
    }
    for (int k = 0; k < 3; ++k) {
      const KVertex& p = mesh_.vertices[size_t(corners[k])];
      smooth_.push_back({p.x, p.y, p.z, p.nx, p.ny, p.nz, f.corner[k].u, f.corner[k].v});
    }
  }
}

void KModelDD::SetPerspective(double fovDegrees, double aspect, double zNear, double zFar) {
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d) return;
  const double h = std::tan(fovDegrees * double(kPi) / 360.0) * zNear, w = h * aspect;
  d->setTransform(softdd::TransformKind::Projection,
                  softdd::Matrix::frustum(float(-w), float(w), float(-h), float(h), float(zNear), float(zFar)));
}

void KModelDD::Begin3D(bool clearDepth, bool orthographic) {
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d || !d->renderTarget()) return;
  if (!saved.inPass || saved.device != d) {
    saved.inPass = true;
    saved.device = d;
    saved.target = d->renderTarget();
    saved.zbuffer = d->zbuffer();
    saved.world = d->transform(softdd::TransformKind::World);
    saved.view = d->transform(softdd::TransformKind::View);
    saved.projection = d->transform(softdd::TransformKind::Projection);
    saved.viewport = d->viewport();
    saved.zTest = d->zTest();
    saved.zWrite = d->zWrite();
    saved.zFunc = d->zFunc();
    saved.blending = d->blending();
    saved.src = d->sourceBlend();
    saved.dst = d->destinationBlend();
  }
  softdd::Surface* target = saved.target;
  softdd::ZBuffer* z = saved.zbuffer;
  if (!z) {
    if (!ownZ || ownZ->width() != target->width() || ownZ->height() != target->height()) {
      ownZ = std::make_unique<softdd::ZBuffer>(target->width(), target->height());
      clearDepth = true;
    }
    z = ownZ.get();
  }
  d->setRenderTarget(target, z);
  // The 3D area's bottom-left corner on the screen's; the device counts rows from the top.
  d->setViewport(softdd::Viewport{0, target->height() - kViewHeight, kViewWidth, kViewHeight, 0.0f, 1.0f});
  SetPerspective(45.0, double(kViewWidth) / kViewHeight, 0.1, 500.0);
  orthographic_ = orthographic;
  if (orthographic)
    d->setTransform(softdd::TransformKind::Projection,
                    softdd::Matrix::orthographic(0, float(kViewWidth), 0, float(kViewHeight), -500, 500));
  d->setTransform(softdd::TransformKind::View, softdd::Matrix::identity());
  d->setTransform(softdd::TransformKind::World, softdd::Matrix::identity());
  d->setFlatShading(false);
  d->setCull(softdd::Cull::None);
  d->setZTest(true);
  d->setZFunc(softdd::ZCompare::LessEqual);
  d->setZWrite(true);
  if (clearDepth) {
    const softdd::Rect all{0, 0, target->width(), target->height()};
    d->clear(softdd::kClearZBuffer, 0, 1.0f, &all);
  }
  softdd::Light light;
  light.directional = false;
  light.x = light.y = light.z = 1.0f;
  light.ambient = {1, 1, 1, 1};
  light.diffuse = {1, 1, 1, 1};
  d->setLight(light);
  d->setAmbient({0.2f, 0.2f, 0.2f, 1});
  d->setLightEnabled(true);
}

void KModelDD::End3D() {
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d) return;
  d->setZTest(false);
  d->setLightEnabled(false);
  d->setFlatShading(false);
  if (saved.inPass && saved.device == d) {
    d->setRenderTarget(saved.target, saved.zbuffer);
    d->setTransform(softdd::TransformKind::World, saved.world);
    d->setTransform(softdd::TransformKind::View, saved.view);
    d->setTransform(softdd::TransformKind::Projection, saved.projection);
    d->setViewport(saved.viewport);
    d->setZWrite(saved.zWrite);
    d->setZFunc(saved.zFunc);
    d->setZTest(saved.zTest);
    d->setBlending(saved.blending);
    d->setBlendFactors(saved.src, saved.dst);
  }
  saved.inPass = false;
}

void KModelDD::Draw(const std::vector<softdd::LitVertex>& list, bool flat, float x, float y, float z, float rx,
                    float ry, float rz) {
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d || list.empty()) return;
  using softdd::Matrix;
  // OpenGL's translate, scale, rotate x, y, z for row vectors: the last turn applies first.
  Matrix world = Matrix::identity();
  if (rz != 0) world = world * Matrix::rotationZ(radians(rz));
  if (ry != 0) world = world * Matrix::rotationY(radians(ry));
  if (rx != 0) world = world * Matrix::rotationX(radians(rx));
  if (scale_[0] != 1 || scale_[1] != 1 || scale_[2] != 1) world = world * Matrix::scaling(scale_[0], scale_[1], scale_[2]);
  world = world * Matrix::translation(x, orthographic_ ? float(kViewHeight) - y : y, z);
  d->setTransform(softdd::TransformKind::World, world);
  d->setBlending(blending_);
  d->setBlendFactors(softdd::Blend::SrcAlpha, blendAlphaOver_ ? softdd::Blend::InvSrcAlpha : softdd::Blend::DestAlpha);
  KGraphicDD* picture = dynamic_cast<KGraphicDD*>(texture_);
  if (picture && picture->GetTexture()) {
    picture->BindRepeat();
  } else {
    d->setTexture(nullptr);
    KScreen::ForgetBoundTexture();
  }
  const float a = Opacity();
  softdd::Material m;
  if (flat) {
    m.ambient = {0.2f, 0.2f, 0.2f, a};
    m.diffuse = {0.8f, 0.8f, 0.8f, a};
  } else {
    m.ambient = {0.7f, 0.7f, 0.7f, a};
    m.diffuse = {0.7f, 0.7f, 0.7f, a};
  }
  d->setMaterial(m);
  d->setFlatShading(flat);
  d->drawLit(softdd::Primitive::TriangleList, list.data(), int(list.size()));
  d->setFlatShading(false);
}

void KModelDD::RenderFlat(float x, float y, float z, float rx, float ry, float rz) {
  Draw(flat_, true, x, y, z, rx, ry, rz);
}

void KModelDD::RenderSmooth(float x, float y, float z, float rx, float ry, float rz) {
  Draw(smooth_, false, x, y, z, rx, ry, rz);
}
