#include "graphics/KGraphicDD.h"

#include <set>

#include "window/KScreen.h"
#include "window/KWindowDD.h"

namespace {

std::set<KGraphicDD*>& registry() {
  static std::set<KGraphicDD*> pictures;
  return pictures;
}

uint32_t pack(float v) { return uint32_t((v < 0 ? 0 : v > 1 ? 1 : v) * 255.0f + 0.5f); }

uint32_t packColor(const float rgba[4]) {
  return pack(rgba[3]) << 24 | pack(rgba[0]) << 16 | pack(rgba[1]) << 8 | pack(rgba[2]);
}

}  // namespace

KGraphicDD::KGraphicDD() {
  registry().insert(this);
  KScreen::SetTextureReloader(&KGraphicDD::ReloadAll);
  SetInitialBlend();
}

KGraphicDD::~KGraphicDD() {
  registry().erase(this);
  ReleaseTexture();
}

void KGraphicDD::ReloadAll() {
  // A copy: a reload never adds or removes pictures, but stay safe against it.
  std::vector<KGraphicDD*> pictures(registry().begin(), registry().end());
  for (KGraphicDD* p : pictures) {
    if (p->path_.empty()) continue;
    const std::string path = p->path_, mask = p->maskPath_;
    p->LoadFile(path.c_str(), p->hasMask_ ? mask.c_str() : nullptr, p->loadHighQuality_, p->loadAlpha_);
  }
}

size_t KGraphicDD::RegisteredCount() { return registry().size(); }

void KGraphicDD::RememberSource(const char* path, const char* maskPath, bool highQuality, bool alpha) {
  path_ = path;
  hasMask_ = maskPath != nullptr;
  maskPath_ = maskPath ? maskPath : "";
  loadHighQuality_ = highQuality;
  loadAlpha_ = alpha;
}

int KGraphicDD::TextureSideFor(int width, int height) const {
  int side = 1;
  while (side < width || side < height) side *= 2;
  return side;
}

short KGraphicDD::FactorConstant(KBlendFactor factor) const {
  using softdd::Blend;
  switch (factor) {
    case KBlendFactor::Zero: return short(Blend::Zero);
    case KBlendFactor::One: return short(Blend::One);
    case KBlendFactor::SrcAlpha: return short(Blend::SrcAlpha);
    case KBlendFactor::InvSrcAlpha: return short(Blend::InvSrcAlpha);
    case KBlendFactor::DstAlpha: return short(Blend::DestAlpha);
  }
  return short(Blend::One);
}

bool KGraphicDD::UploadTexture(const uint32_t* argb, int side, bool alphaFormat, bool /*highQuality*/,
                               bool smooth, bool repeat) {
  ReleaseTexture();
  if (!KWindowDD::GetDevice()) return false;
  const softdd::TextureFormat format =
      alphaFormat || source32_ ? softdd::TextureFormat::A4R4G4B4 : softdd::TextureFormat::X1R5G5B5;
  texture_.reset(softdd::Texture::create(side, side, format));
  if (!texture_) return false;
  texture_->write(argb, side, side, side, 0, 0, true);
  texSmooth_ = smooth;
  texRepeat_ = repeat;
  return true;
}

void KGraphicDD::ReleaseTexture() {
  // Whatever replaces the texture (a load from memory or an array, a grab, FreePicture) is no
  // longer the file remembered: a rebuild must not load that file over it. A file load names
  // its files again once it has succeeded.
  path_.clear();
  maskPath_.clear();
  hasMask_ = false;
  if (!texture_) return;
  if (KScreen::GetBoundTexture() == intptr_t(texture_.get())) KScreen::ForgetBoundTexture();
  if (softdd::Device* d = KWindowDD::GetDevice(); d && d->texture() == texture_.get()) d->setTexture(nullptr);
  texture_.reset();
}

void KGraphicDD::UpdateTextureArea(const uint32_t* argb, int x, int y, int width, int height, int pitch) {
  if (texture_) texture_->write(argb, width, height, pitch, x, y, true);
}

void KGraphicDD::BindRepeat() {
  repeat_ = texRepeat_ = true;
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d || !texture_) return;
  SetTextureStage(d, true);
}

void KGraphicDD::SetTextureStage(softdd::Device* d, bool textured) {
  if (textured && texture_) {
    if (KScreen::GetBoundTexture() != intptr_t(texture_.get()) || d->texture() != texture_.get()) {
      d->setTexture(texture_.get());
      KScreen::SetBoundTexture(intptr_t(texture_.get()));
    }
    d->setLinearFilter(texSmooth_);
    d->setWrap(texRepeat_);
  } else {
    d->setTexture(nullptr);
    KScreen::ForgetBoundTexture();
  }
}

void KGraphicDD::DrawQuad(const KQuadVertex v[4], bool textured, Blending blending, const float rgba[4]) {
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d) return;
  const float h = KScreen::GetScreenHeight();
  SetTextureStage(d, textured);
  d->setBlending(blending != Blending::Off);
  if (blending == Blending::Picture)
    d->setBlendFactors(softdd::Blend(blendSrc_), softdd::Blend(blendDst_));
  else if (blending == Blending::Alpha)
    d->setBlendFactors(softdd::Blend::SrcAlpha, softdd::Blend::InvSrcAlpha);
  const uint32_t c = packColor(rgba);
  softdd::Vertex quad[4];
  for (int i = 0; i < 4; ++i) quad[i] = {v[i].x, h - v[i].y, 0, c, v[i].u, v[i].v};
  d->draw(softdd::Primitive::TriangleFan, quad, 4);
}

void KGraphicDD::DrawPoints(const float* xy, int count, const float rgba[4]) {
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d) return;
  const float h = KScreen::GetScreenHeight();
  SetTextureStage(d, false);
  d->setBlending(true);
  d->setBlendFactors(softdd::Blend(blendSrc_), softdd::Blend(blendDst_));
  const uint32_t c = packColor(rgba);
  softdd::Vertex points[2];
  for (int i = 0; i < count && i < 2; ++i) points[i] = {xy[2 * i], h - xy[2 * i + 1], 0, c, 0, 0};
  d->draw(count == 1 ? softdd::Primitive::PointList : softdd::Primitive::LineList, points, count);
}

bool KGraphicDD::ReadScreen(bool /*front*/, int x, int y, int width, int height, std::vector<uint32_t>& argb) {
  // The software window presents its back surface as it is: the front buffer shows the same
  // frame once it has been presented, and the back surface is what both grabs read.
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d || !d->renderTarget()) return false;
  const softdd::Surface* s = d->renderTarget();
  try {
    argb.assign(size_t(width) * size_t(height), 0);
  } catch (...) {
    return false;
  }
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c) {
      const int sx = x + c, sy = y + r;
      if (sx >= 0 && sy >= 0 && sx < s->width() && sy < s->height())
        argb[size_t(r) * size_t(width) + size_t(c)] = s->row(sy)[sx] | 0xFF000000u;
    }
  return true;
}

void KGraphicDD::DrawTriangles(const softdd::Vertex* vertices, int count) {
  softdd::Device* d = KWindowDD::GetDevice();
  if (!d || count <= 0) return;
  SetTextureStage(d, true);
  d->setBlending(true);
  d->setBlendFactors(softdd::Blend(blendSrc_), softdd::Blend(blendDst_));
  d->draw(softdd::Primitive::TriangleList, vertices, count);
}

// ---- the batch ------------------------------------------------------------------------------

void KQuadBatchDD::Reserve(int quads) {
  if (quads > GetCapacity()) vertices_.resize(size_t(quads) * 6);
}

void KQuadBatchDD::Begin(KGraphic* picture) {
  if (vertices_.empty()) Reserve(512);
  count_ = 0;
  if (picture) picture_ = dynamic_cast<KGraphicDD*>(picture);
  if (softdd::Device* d = KWindowDD::GetDevice()) savedWorld_ = d->transform(softdd::TransformKind::World);
}

void KQuadBatchDD::Flush() {
  softdd::Device* d = KWindowDD::GetDevice();
  if (picture_ && d && count_ > 0) {
    picture_->DrawTriangles(vertices_.data(), count_ * 6);
    ++flushes_;
  }
  if (d) d->setTransform(softdd::TransformKind::World, savedWorld_);
  count_ = 0;
}

void KQuadBatchDD::Add(const KQuadVertex q[4], const float rgba[4]) {
  if (vertices_.empty()) Reserve(512);
  if (count_ >= GetCapacity()) {
    KGraphicDD* picture = picture_;
    Flush();
    Begin(picture);
  }
  const float h = KScreen::GetScreenHeight();
  const uint32_t c = packColor(rgba);
  static const int order[6] = {0, 1, 2, 0, 2, 3};
  softdd::Vertex* out = &vertices_[size_t(count_) * 6];
  for (int i = 0; i < 6; ++i) {
    const KQuadVertex& v = q[order[i]];
    out[i] = {v.x, h - v.y, 0, c, v.u, v.v};
  }
  ++count_;
}

void KQuadBatchDD::AddBlitAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                                    bool flipY) {
  if (!picture_) return;
  KQuadVertex q[4];
  float rgba[4];
  if (picture_->AlphaRectQuad(sx1, sy1, sx2, sy2, dx, dy, flipX, flipY, q, rgba)) Add(q, rgba);
}

void KQuadBatchDD::AddBlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                      float zoom, float alpha, bool flipX, bool flipY, float centerX,
                                      float centerY) {
  if (!picture_) return;
  KQuadVertex q[4];
  float rgba[4];
  if (picture_->AlphaRectFxQuad(sx1, sy1, sx2, sy2, dx, dy, angle, zoom, alpha, flipX, flipY, centerX, centerY, q,
                                rgba))
    Add(q, rgba);
}
