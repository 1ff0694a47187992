// The software-renderer painter: the picture class's quads as triangle fans on the device.
#include <memory>
#include <vector>

#include "painter.h"
#include "window/KScreen.h"
#include "window/KWindowDD.h"
#include "window/KWindowFactory.h"

namespace {

class DDPainter : public Painter {
 public:
  explicit DDPainter(KWindow* window) : height_(float(window->GetHeight())) {}

  void FillRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) override {
    softdd::Device* d = KWindowDD::GetDevice();
    if (!d) return;
    uint32_t c = pack(a) << 24 | pack(r) << 16 | pack(g) << 8 | pack(b);
    softdd::Vertex quad[4] = {{x1, height_ - y1, 0, c, 0, 0},
                              {x2, height_ - y1, 0, c, 0, 0},
                              {x2, height_ - y2, 0, c, 0, 0},
                              {x1, height_ - y2, 0, c, 0, 0}};
    d->setTexture(nullptr);
    d->setBlending(a != 1.0f);
    d->setBlendFactors(softdd::Blend::SrcAlpha, softdd::Blend::InvSrcAlpha);
    d->draw(softdd::Primitive::TriangleFan, quad, 4);
    KScreen::ForgetBoundTexture();
  }

  int MakePicture(const uint32_t* argb, int width, int height, bool alpha) override {
    int side = 1;
    while (side < width || side < height) side *= 2;
    std::unique_ptr<softdd::Texture> t(softdd::Texture::create(
        side, side, alpha ? softdd::TextureFormat::A4R4G4B4 : softdd::TextureFormat::X1R5G5B5));
    if (!t) return -1;
    t->write(argb, width, height, width, 0, 0, true);
    pictures_.push_back(std::move(t));
    return int(pictures_.size()) - 1;
  }

  void Blit(int picture, float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool blend, uint32_t tint,
            float dw, float dh) override {
    softdd::Device* d = KWindowDD::GetDevice();
    if (!d || picture < 0 || picture >= int(pictures_.size())) return;
    const softdd::Texture* t = pictures_[size_t(picture)].get();
    if (KScreen::GetBoundTexture() != intptr_t(t)) {
      d->setTexture(t);
      KScreen::SetBoundTexture(intptr_t(t));
    }
    d->setBlending(blend);
    d->setBlendFactors(softdd::Blend::SrcAlpha, softdd::Blend::InvSrcAlpha);
    const float w = dw > 0 ? dw : sx2 - sx1, h = dh > 0 ? dh : sy2 - sy1;
    const float tw = float(t->width()), th = float(t->height());
    const float u1 = sx1 / tw, u2 = sx2 / tw, v1 = sy1 / th, v2 = sy2 / th;
    const float top = height_ - dy, bottom = height_ - dy - h;
    softdd::Vertex quad[4] = {{dx, top, 0, tint, u1, v1},
                              {dx + w, top, 0, tint, u2, v1},
                              {dx + w, bottom, 0, tint, u2, v2},
                              {dx, bottom, 0, tint, u1, v2}};
    d->draw(softdd::Primitive::TriangleFan, quad, 4);
  }

  void Finish() override {}

 private:
  static uint32_t pack(float v) { return uint32_t((v < 0 ? 0 : v > 1 ? 1 : v) * 255.0f + 0.5f); }
  float height_;
  std::vector<std::unique_ptr<softdd::Texture>> pictures_;
};

}  // namespace

std::unique_ptr<Painter> MakeGLPainter(KWindow* window);

std::unique_ptr<Painter> Painter::Create(KWindow* window) {
  if (!window || !window->GetWindowHandle()) return nullptr;
  if (KTools::GetRendererChoice()) return MakeGLPainter(window);
  KScreen::ForgetBoundTexture();
  return std::make_unique<DDPainter>(window);
}
