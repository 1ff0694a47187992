#include "graphics/KGraphicGL.h"

#include "platform/opengl.h"

#include "tools/KTools.h"
#include "window/KScreen.h"

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

KGraphicGL::KGraphicGL() {
  if (KScreen::GetScreenWidth() == 0)
    KTools::MessageBox("Screen Dimensions not specified, you will not see anything",
                       "KGraphicGL::SetScreenSize Not Called!");
  SetInitialBlend();
}

KGraphicGL::~KGraphicGL() { ReleaseTexture(); }

void KGraphicGL::SetScreenSize(short width, short height, short depth) {
  KScreen::SetScreenSize(width, height, depth);
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
}

int KGraphicGL::TextureSideFor(int width, int height) const {
  int side = 4;
  while (side < width || side < height) side *= 2;
  return side;
}

short KGraphicGL::FactorConstant(KBlendFactor factor) const {
  switch (factor) {
    case KBlendFactor::Zero: return GL_ZERO;
    case KBlendFactor::One: return GL_ONE;
    case KBlendFactor::SrcAlpha: return GL_SRC_ALPHA;
    case KBlendFactor::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case KBlendFactor::DstAlpha: return GL_DST_ALPHA;
  }
  return GL_ONE;
}

void KGraphicGL::Bind() {
  if (KScreen::GetBoundTexture() != intptr_t(texture_)) {
    glBindTexture(GL_TEXTURE_2D, texture_);
    KScreen::SetBoundTexture(intptr_t(texture_));
  }
}

bool KGraphicGL::UploadTexture(const uint32_t* argb, int side, bool alphaFormat, bool highQuality, bool smooth,
                               bool repeat) {
  ReleaseTexture();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  if (!texture) return false;
  texture_ = texture;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture_);
  KScreen::SetBoundTexture(intptr_t(texture_));
  const GLint internal = alphaFormat ? (highQuality ? GL_RGBA8 : GL_RGBA) : (highQuality ? GL_RGB8 : GL_RGB);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, internal, side, side, 0, GL_BGRA, GL_UNSIGNED_BYTE, argb);
  const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  const GLint wrap = repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
  return glGetError() == GL_NO_ERROR;
}

void KGraphicGL::ReleaseTexture() {
  if (!texture_) return;
  GLuint texture = texture_;
  if (KScreen::GetBoundTexture() == intptr_t(texture_)) KScreen::ForgetBoundTexture();
  glDeleteTextures(1, &texture);
  texture_ = 0;
}

void KGraphicGL::UpdateTextureArea(const uint32_t* argb, int x, int y, int width, int height, int pitch) {
  Bind();
  glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch);
  glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_BGRA, GL_UNSIGNED_BYTE, argb);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void KGraphicGL::ApplySampler() {
  Bind();
  const GLint filter = smooth_ ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  const GLint wrap = repeat_ ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

void KGraphicGL::BindRepeat() {
  glEnable(GL_TEXTURE_2D);
  repeat_ = true;
  if (texture_) ApplySampler();
}

void KGraphicGL::FinishDrawing() { glFinish(); }

void KGraphicGL::DrawQuad(const KQuadVertex v[4], bool textured, Blending blending, const float rgba[4]) {
  const float h = KScreen::GetScreenHeight();
  const bool withTexture = textured && texture_;
  if (withTexture) {
    glEnable(GL_TEXTURE_2D);
    Bind();
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  if (blending == Blending::Off) {
    glDisable(GL_BLEND);
  } else {
    glEnable(GL_BLEND);
    if (blending == Blending::Picture)
      glBlendFunc(GLenum(blendSrc_), GLenum(blendDst_));
    else
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(v[i].u, v[i].v);
    glVertex2f(v[i].x, h - v[i].y);
  }
  glEnd();
  glColor4f(1, 1, 1, 1);
  if (!withTexture) {
    glEnable(GL_TEXTURE_2D);
    KScreen::ForgetBoundTexture();
  }
}

void KGraphicGL::DrawPoints(const float* xy, int count, const float rgba[4]) {
  const float h = KScreen::GetScreenHeight();
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GLenum(blendSrc_), GLenum(blendDst_));
  glColor4f(rgba[0], rgba[1], rgba[2], rgba[3]);
  glBegin(count == 1 ? GL_POINTS : GL_LINES);
  for (int i = 0; i < count; ++i) glVertex2f(xy[2 * i], h - xy[2 * i + 1]);
  glEnd();
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  KScreen::ForgetBoundTexture();
}

bool KGraphicGL::ReadScreen(bool front, int x, int y, int width, int height, std::vector<uint32_t>& argb) {
  const int h = KScreen::GetScreenHeight();
  std::vector<uint32_t> up;
  try {
    up.resize(size_t(width) * size_t(height));
    argb.resize(up.size());
  } catch (...) {
    return false;
  }
  // A window shown scaled draws into an offscreen picture of the screen's size: that picture is
  // both the frame being drawn and, until it is drawn over, the one shown.
  GLint offscreen = 0;
  glGetIntegerv(0x8CA6 /* GL_FRAMEBUFFER_BINDING */, &offscreen);
  while (glGetError() != GL_NO_ERROR) {
  }
  const GLenum attachment = 0x8CE0;  // GL_COLOR_ATTACHMENT0
  glReadBuffer(offscreen ? attachment : front ? GL_FRONT : GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, h - y - height, width, height, GL_BGRA, GL_UNSIGNED_BYTE, up.data());
  glReadBuffer(offscreen ? attachment : GL_BACK);
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c)
      argb[size_t(r) * size_t(width) + size_t(c)] = up[size_t(height - 1 - r) * size_t(width) + size_t(c)];
  return glGetError() == GL_NO_ERROR;
}

void KQuadBatchGL::AddBlitAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                                    bool flipY) {
  if (picture_) picture_->BlitAlphaRect(sx1, sy1, sx2, sy2, short(dx), short(dy), flipX, flipY);
}

void KQuadBatchGL::AddBlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                      float zoom, float alpha, bool flipX, bool flipY, float centerX,
                                      float centerY) {
  if (picture_)
    picture_->BlitAlphaRectFx(sx1, sy1, sx2, sy2, short(dx), short(dy), angle, zoom, alpha, flipX, flipY, centerX,
                              centerY);
}

void KQuadBatchGL::DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) {
  if (picture_) picture_->DrawRect(x1, y1, x2, y2, r, g, b, a);
}
