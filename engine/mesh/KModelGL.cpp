#include "mesh/KModelGL.h"

#include "platform/opengl.h"

#include <cmath>
#include <new>

#include "graphics/KGraphicGL.h"
#include "window/KScreen.h"

namespace {

// The 2D view the pass found, given back by End3D.
bool inPass = false;
GLint saved2DViewport[4] = {0, 0, 0, 0};

}  // namespace

KGraphic* KModelGL::NewTexturePicture() { return new (std::nothrow) KGraphicGL(); }

void KModelGL::SetPerspective(double fovDegrees, double aspect, double zNear, double zFar) {
  const double h = std::tan(fovDegrees * 3.14159265358979323846 / 360.0) * zNear, w = h * aspect;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-w, w, -h, h, zNear, zFar);
  glMatrixMode(GL_MODELVIEW);
}

void KModelGL::Begin3D(bool clearDepth, bool orthographic) {
  glFlush();
  if (!inPass) {
    glGetIntegerv(GL_VIEWPORT, saved2DViewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    inPass = true;
  }
  // The 3D area in screen pixels, scaled as the window scales the whole screen.
  const double sw = KScreen::GetScreenWidth() > 0 ? double(saved2DViewport[2]) / KScreen::GetScreenWidth() : 1.0;
  const double sh = KScreen::GetScreenHeight() > 0 ? double(saved2DViewport[3]) / KScreen::GetScreenHeight() : 1.0;
  glViewport(saved2DViewport[0], saved2DViewport[1], GLsizei(std::lround(kViewWidth * sw)),
             GLsizei(std::lround(kViewHeight * sh)));
  SetPerspective(45.0, double(kViewWidth) / kViewHeight, 0.1, 500.0);
  orthographic_ = orthographic;
  if (orthographic) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kViewWidth, 0, kViewHeight, -500, 500);
    glMatrixMode(GL_MODELVIEW);
  }
  glShadeModel(GL_SMOOTH);
  glClearColor(0, 0, 0, 1);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_TRUE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  if (clearDepth) glClear(GL_DEPTH_BUFFER_BIT);
  // The light sits in view space: it is placed under an identity model view.
  glLoadIdentity();
  const GLfloat one[4] = {1, 1, 1, 1};
  const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1};
  glLightfv(GL_LIGHT1, GL_AMBIENT, one);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, one);
  glLightfv(GL_LIGHT1, GL_POSITION, one);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
  // Normals stay unit length under SetScale.
  glEnable(GL_NORMALIZE);
}

void KModelGL::End3D() {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_LIGHT1);
  glDisable(GL_NORMALIZE);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_BLEND);
  glShadeModel(GL_SMOOTH);
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  if (inPass) {
    glViewport(saved2DViewport[0], saved2DViewport[1], saved2DViewport[2], saved2DViewport[3]);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    inPass = false;
  }
}

void KModelGL::Prepare(float x, float y, float z, float rx, float ry, float rz) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(x, orthographic_ ? float(kViewHeight) - y : y, z);
  if (scale_[0] != 1 || scale_[1] != 1 || scale_[2] != 1) glScalef(scale_[0], scale_[1], scale_[2]);
  if (rx != 0) glRotatef(rx, 1, 0, 0);
  if (ry != 0) glRotatef(ry, 0, 1, 0);
  if (rz != 0) glRotatef(rz, 0, 0, 1);
  if (blending_) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, blendAlphaOver_ ? GL_ONE_MINUS_SRC_ALPHA : GL_DST_ALPHA);
  } else {
    glDisable(GL_BLEND);
  }
  KGraphicGL* picture = dynamic_cast<KGraphicGL*>(texture_);
  if (picture && picture->GetTextureHandle() != 0) {
    picture->BindRepeat();
  } else {
    glDisable(GL_TEXTURE_2D);
    KScreen::ForgetBoundTexture();
  }
}

void KModelGL::Finish() { glColor4f(1, 1, 1, 1); }

void KModelGL::RenderFlat(float x, float y, float z, float rx, float ry, float rz) {
  if (mesh_.faces.empty()) return;
  Prepare(x, y, z, rx, ry, rz);
  glShadeModel(GL_FLAT);
  glDisable(GL_COLOR_MATERIAL);
  const float a = Opacity();
  const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, a}, diffuse[4] = {0.8f, 0.8f, 0.8f, a};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glColor4f(1, 1, 1, 1);
  const KVertex* v = mesh_.vertices.data();
  glBegin(GL_TRIANGLES);
  for (const KFace& f : mesh_.faces) {
    glNormal3f(f.nx, f.ny, f.nz);
    const int32_t corners[3] = {f.a, f.b, f.c};
    for (int k = 0; k < 3; ++k) {
      glTexCoord2f(f.corner[k].u, f.corner[k].v);
      const KVertex& p = v[corners[k]];
      glVertex3f(p.x, p.y, p.z);
    }
  }
  glEnd();
  Finish();
}

void KModelGL::RenderSmooth(float x, float y, float z, float rx, float ry, float rz) {
  if (mesh_.faces.empty()) return;
  Prepare(x, y, z, rx, ry, rz);
  glShadeModel(GL_SMOOTH);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(0.7f, 0.7f, 0.7f, Opacity());
  const KVertex* v = mesh_.vertices.data();
  glBegin(GL_TRIANGLES);
  for (const KFace& f : mesh_.faces) {
    const int32_t corners[3] = {f.a, f.b, f.c};
    for (int k = 0; k < 3; ++k) {
      const KVertex& p = v[corners[k]];
      glNormal3f(p.nx, p.ny, p.nz);
      glTexCoord2f(f.corner[k].u, f.corner[k].v);
      glVertex3f(p.x, p.y, p.z);
    }
  }
  glEnd();
  // The material keeps the grey; the colour goes back to white.
  glDisable(GL_COLOR_MATERIAL);
  Finish();
}
