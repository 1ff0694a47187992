// The OpenGL painter: immediate-mode quads, as the OpenGL picture class draws them.
#include <GL/gl.h>

#include <vector>

#include "painter.h"
#include "window/KScreen.h"
#include "window/KWindow.h"

namespace {

struct GLPicture {
  GLuint texture;
  int side;
};

class GLPainter : public Painter {
 public:
  explicit GLPainter(KWindow* window) : height_(float(window->GetHeight())) {}
  ~GLPainter() override {
    for (GLPicture& p : pictures_) glDeleteTextures(1, &p.texture);
    KScreen::ForgetBoundTexture();
  }

  void FillRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) override {
    glDisable(GL_TEXTURE_2D);
    if (a != 1.0f) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
      glDisable(GL_BLEND);
    }
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex2f(x1, height_ - y1);
    glVertex2f(x2, height_ - y1);
    glVertex2f(x2, height_ - y2);
    glVertex2f(x1, height_ - y2);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    KScreen::ForgetBoundTexture();
  }

  int MakePicture(const uint32_t* argb, int width, int height, bool alpha) override {
    int side = 4;
    while (side < width || side < height) side *= 2;
    std::vector<uint32_t> texels(size_t(side) * size_t(side), 0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint32_t p = argb[size_t(y) * size_t(width) + size_t(x)];
        if (!alpha) p |= 0xFF000000u;
        texels[size_t(y) * size_t(side) + size_t(x)] = p;
      }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    KScreen::SetBoundTexture(intptr_t(texture));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA8 : GL_RGB8, side, side, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 texels.data());
    pictures_.push_back(GLPicture{texture, side});
    return int(pictures_.size()) - 1;
  }

  void Blit(int picture, float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool blend, uint32_t tint,
            float dw, float dh) override {
    if (picture < 0 || picture >= int(pictures_.size())) return;
    const GLPicture& p = pictures_[size_t(picture)];
    glEnable(GL_TEXTURE_2D);
    if (KScreen::GetBoundTexture() != intptr_t(p.texture)) {
      glBindTexture(GL_TEXTURE_2D, p.texture);
      KScreen::SetBoundTexture(intptr_t(p.texture));
    }
    if (blend) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
      glDisable(GL_BLEND);
    }
    glColor4ub(GLubyte(tint >> 16), GLubyte(tint >> 8), GLubyte(tint), GLubyte(tint >> 24));
    const float w = dw > 0 ? dw : sx2 - sx1, h = dh > 0 ? dh : sy2 - sy1;
    const float side = float(p.side);
    const float u1 = sx1 / side, u2 = sx2 / side, v1 = sy1 / side, v2 = sy2 / side;
    const float top = height_ - dy, bottom = height_ - dy - h;
    glBegin(GL_QUADS);
    glTexCoord2f(u1, v1);
    glVertex2f(dx, top);
    glTexCoord2f(u2, v1);
    glVertex2f(dx + w, top);
    glTexCoord2f(u2, v2);
    glVertex2f(dx + w, bottom);
    glTexCoord2f(u1, v2);
    glVertex2f(dx, bottom);
    glEnd();
    glColor4f(1, 1, 1, 1);
  }

  void Finish() override { glFinish(); }

 private:
  float height_;
  std::vector<GLPicture> pictures_;
};

}  // namespace

std::unique_ptr<Painter> MakeGLPainter(KWindow* window) { return std::make_unique<GLPainter>(window); }
