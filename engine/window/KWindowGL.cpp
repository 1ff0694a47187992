#include "window/KWindowGL.h"

#include "platform/opengl.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/input.h"
#include "image/KImage.h"
#include "tools/KTools.h"
#include "window/KInput.h"
#include "window/KScreen.h"

const char* const KWindowGL::kEngineBanner = "Lumora game library";

namespace {

std::string lowerText(const GLubyte* text) {
  std::string s = text ? reinterpret_cast<const char*>(text) : "";
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool hasExtension(const char* list, const char* name) {
  if (!list) return false;
  size_t n = std::strlen(name);
  for (const char* p = std::strstr(list, name); p; p = std::strstr(p + 1, name))
    if ((p == list || p[-1] == ' ') && (p[n] == ' ' || p[n] == 0)) return true;
  return false;
}

}  // namespace

// The frame buffer object functions, by the extension's names or the core ones.
struct FrameBufferFunctions {
  void(BRAWNMOOR_GL_CALL* genFramebuffers)(GLsizei, GLuint*);
  void(BRAWNMOOR_GL_CALL* deleteFramebuffers)(GLsizei, const GLuint*);
  void(BRAWNMOOR_GL_CALL* bindFramebuffer)(GLenum, GLuint);
  void(BRAWNMOOR_GL_CALL* framebufferTexture2D)(GLenum, GLenum, GLenum, GLuint, GLint);
  void(BRAWNMOOR_GL_CALL* genRenderbuffers)(GLsizei, GLuint*);
  void(BRAWNMOOR_GL_CALL* deleteRenderbuffers)(GLsizei, const GLuint*);
  void(BRAWNMOOR_GL_CALL* bindRenderbuffer)(GLenum, GLuint);
  void(BRAWNMOOR_GL_CALL* renderbufferStorage)(GLenum, GLenum, GLsizei, GLsizei);
  void(BRAWNMOOR_GL_CALL* framebufferRenderbuffer)(GLenum, GLenum, GLenum, GLuint);
  GLenum(BRAWNMOOR_GL_CALL* checkFramebufferStatus)(GLenum);
};

namespace {

constexpr GLenum kFrameBuffer = 0x8D40;        // GL_FRAMEBUFFER(_EXT)
constexpr GLenum kRenderBuffer = 0x8D41;       // GL_RENDERBUFFER(_EXT)
constexpr GLenum kColorAttachment0 = 0x8CE0;   // GL_COLOR_ATTACHMENT0(_EXT)
constexpr GLenum kDepthAttachment = 0x8D00;    // GL_DEPTH_ATTACHMENT(_EXT)
constexpr GLenum kFrameBufferComplete = 0x8CD5;
constexpr GLenum kDepthComponent16 = 0x81A5;

template <typename F>
bool fetch(const platform::Window* w, F& to, const char* name, const char* suffix) {
  char full[64];
  std::snprintf(full, sizeof full, "%s%s", name, suffix);
  to = reinterpret_cast<F>(w->glFunction(full));
  return to != nullptr;
}

}  // namespace

KWindowGL::KWindowGL(bool wantDepthBuffer) { wantDepthBuffer_ = wantDepthBuffer; }

KWindowGL::~KWindowGL() {
  if (window_) {
    if (window_->makeCurrent()) {
      if (cursorTexture_) glDeleteTextures(1, &cursorTexture_);
      ReleaseOffscreenTarget();
    }
    delete window_;  // the context, the window and the full-screen display mode with it
    window_ = nullptr;
  }
  delete fbo_;
  quit_ = true;
  KInput::ShowCursor();
}

intptr_t KWindowGL::WindowProc(platform::Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  KWindowGL* self = static_cast<KWindowGL*>(window->user());
  if (!self) return platform::defaultWindowProc(window, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

intptr_t KWindowGL::HandleMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  bool handled;
  TranslateToCallback(window_, message, wparam, lparam, handled);
  if (handled) return 0;
  switch (message) {
    case platform::kMsgClose:
    case platform::kMsgDestroy:
      quit_ = true;  // the game decides when the window goes
      return 0;
    case platform::kMsgPaint:
      // While another window is in front the game loop is paused: show the last frame again.
      if (!HasFocus() && contextReady_ && !inPaint_) {
        inPaint_ = true;
        FlipBackBuffer(false, true);
        inPaint_ = false;
      }
      return 0;
    case platform::kMsgActivateApp:
      // Full screen covers the desktop at its own resolution: nothing to give back while
      // another program is in front; a window that left full screen meanwhile is put back.
      if (fullScreen_ && !probe_ && window_ && wparam) window_->reclaimDisplayMode();
      return 0;
    case platform::kMsgMouseWheel:
      KInput::SetWheelDelta(int16_t(uint16_t(wparam >> 16)));
      return 0;
    default:
      return platform::defaultWindowProc(window_, message, wparam, lparam);
  }
}

bool KWindowGL::CreateGameWindow(short width, short height, short depth, bool windowed, const char* title) {
  quit_ = false;
  if (window_) {  // opened again: the old window goes first
    if (window_->makeCurrent()) ReleaseOffscreenTarget();
    delete window_;
    window_ = nullptr;
    contextReady_ = false;
    cursorTexture_ = 0;
  }
  offscreen_ = offscreenFailed_ = false;
  delete fbo_;
  fbo_ = nullptr;
  if (probe_) {
    width = height = 256;
    depth = -1;
    windowed = true;
  }
  width_ = width;
  height_ = height;
  depth_ = depth;
  fullScreen_ = !windowed;
  KScreen::SetScreenSize(width, height, depth);
  std::snprintf(title_, sizeof title_, "%s", title ? title : "");

  // The desktop keeps its colour depth while windowed: this platform cannot change it under a
  // running desktop.
  platform::WindowDesc d;
  d.title = title_;
  d.width = width;
  d.height = height;
  d.depth = depth;
  d.fullScreen = !windowed;
  d.opengl = true;
  d.depthBuffer = wantDepthBuffer_;
  d.parent = parent_;
  DescribePresentation(d);
  if (probe_) {
    d.hidden = true;
    d.borderless = true;
    d.positioned = true;
    d.x = d.y = 30;
  }
  window_ = platform::Window::create(d);
  if (!window_) return false;
  window_->setProc(&KWindowGL::WindowProc, this);
  KTools::SetMessagePump(&KWindow::PumpOneMessage);
  fullScreen_ = window_->fullScreen();
  if (!probe_) {
    SetTitle(title_);
    KInput::Init(window_);
  }
  if (!window_->makeCurrent()) return false;

  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  swapControl_ = window_->setSwapInterval(1);
  swapInterval_ = swapControl_ ? 1 : -1;
  rectangleTextures_ = hasExtension(extensions, "GL_EXT_texture_rectangle") ||
                       hasExtension(extensions, "GL_NV_texture_rectangle");
  HasTextureRectangle();

  KScreen::SetScreenSize(width, height, depth);
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  if (!probe_) KInput::Init(window_);
  KTools::InitClock();
  if (!probe_) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    contextReady_ = true;
    FlipBackBuffer(true, true);
  }

  std::string vendor = lowerText(glGetString(GL_VENDOR));
  std::string renderer = lowerText(glGetString(GL_RENDERER));
  if (vendor.find("microsoft corporation") != std::string::npos || renderer.find("gdi generic") != std::string::npos ||
      renderer.find("llvmpipe") != std::string::npos || renderer.find("softpipe") != std::string::npos ||
      renderer.find("software rasterizer") != std::string::npos)
    hardwareAccelerated_ = false;
  contextReady_ = true;
  SetDefaultWorldView();
  ApplyViewport();
  return true;
}

void KWindowGL::ApplyViewport() {
  if (!window_) return;
  // A window of another size than the picture draws into the offscreen picture, scaled at the
  // present; without frame buffer objects the viewport itself is scaled into the window.
  const bool scaled = window_->scaled() && !probe_;
  if (scaled && !targetFrameBuffer_ && !offscreenFailed_) CreateOffscreenTarget();
  UseOffscreenTarget(scaled && targetFrameBuffer_);
  platform::Viewport vp = RenderViewport();
  glViewport(vp.x, vp.y, vp.width, vp.height);
}

platform::Viewport KWindowGL::RenderViewport() const {
  if (offscreen_ || !window_) return platform::Viewport{0, 0, width_, height_};
  return window_->viewport();
}

bool KWindowGL::CreateOffscreenTarget() {
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  const char* suffix = hasExtension(extensions, "GL_ARB_framebuffer_object") ? ""
                       : hasExtension(extensions, "GL_EXT_framebuffer_object") ? "EXT"
                                                                                : nullptr;
  if (!suffix) {
    offscreenFailed_ = true;
    return false;
  }
  FrameBufferFunctions* f = new FrameBufferFunctions{};
  bool ok = fetch(window_, f->genFramebuffers, "glGenFramebuffers", suffix) &&
            fetch(window_, f->deleteFramebuffers, "glDeleteFramebuffers", suffix) &&
            fetch(window_, f->bindFramebuffer, "glBindFramebuffer", suffix) &&
            fetch(window_, f->framebufferTexture2D, "glFramebufferTexture2D", suffix) &&
            fetch(window_, f->genRenderbuffers, "glGenRenderbuffers", suffix) &&
            fetch(window_, f->deleteRenderbuffers, "glDeleteRenderbuffers", suffix) &&
            fetch(window_, f->bindRenderbuffer, "glBindRenderbuffer", suffix) &&
            fetch(window_, f->renderbufferStorage, "glRenderbufferStorage", suffix) &&
            fetch(window_, f->framebufferRenderbuffer, "glFramebufferRenderbuffer", suffix) &&
            fetch(window_, f->checkFramebufferStatus, "glCheckFramebufferStatus", suffix);
  if (!ok) {
    delete f;
    offscreenFailed_ = true;
    return false;
  }
  delete fbo_;
  fbo_ = f;
  // A texture of the picture's size where the context takes any size, else the next powers of two.
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  const bool anySize = hasExtension(extensions, "GL_ARB_texture_non_power_of_two") || (version && version[0] >= '2');
  targetTextureWidth_ = width_;
  targetTextureHeight_ = height_;
  if (!anySize) {
    targetTextureWidth_ = targetTextureHeight_ = 1;
    while (targetTextureWidth_ < width_) targetTextureWidth_ *= 2;
    while (targetTextureHeight_ < height_) targetTextureHeight_ *= 2;
  }
  while (glGetError() != GL_NO_ERROR) {
  }
  GLuint texture = 0, frameBuffer = 0, depth = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, targetTextureWidth_, targetTextureHeight_, 0, GL_BGRA, GL_UNSIGNED_BYTE,
               nullptr);
  KScreen::ForgetBoundTexture();
  f->genFramebuffers(1, &frameBuffer);
  f->bindFramebuffer(kFrameBuffer, frameBuffer);
  f->framebufferTexture2D(kFrameBuffer, kColorAttachment0, GL_TEXTURE_2D, texture, 0);
  if (wantDepthBuffer_) {
    f->genRenderbuffers(1, &depth);
    f->bindRenderbuffer(kRenderBuffer, depth);
    f->renderbufferStorage(kRenderBuffer, kDepthComponent16, targetTextureWidth_, targetTextureHeight_);
    f->framebufferRenderbuffer(kFrameBuffer, kDepthAttachment, kRenderBuffer, depth);
  }
  const bool complete = f->checkFramebufferStatus(kFrameBuffer) == kFrameBufferComplete && glGetError() == GL_NO_ERROR;
  f->bindFramebuffer(kFrameBuffer, 0);
  offscreen_ = false;
  targetTexture_ = texture;
  targetFrameBuffer_ = frameBuffer;
  targetDepth_ = depth;
  if (!complete) {
    ReleaseOffscreenTarget();
    offscreenFailed_ = true;
    return false;
  }
  // The picture starts black, as a new window does.
  f->bindFramebuffer(kFrameBuffer, frameBuffer);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | (depth ? GL_DEPTH_BUFFER_BIT : 0));
  f->bindFramebuffer(kFrameBuffer, 0);
  return true;
}

void KWindowGL::ReleaseOffscreenTarget() {
  if (fbo_) {
    if (offscreen_) fbo_->bindFramebuffer(kFrameBuffer, 0);
    if (targetFrameBuffer_) fbo_->deleteFramebuffers(1, &targetFrameBuffer_);
    if (targetDepth_) fbo_->deleteRenderbuffers(1, &targetDepth_);
  }
  if (targetTexture_) glDeleteTextures(1, &targetTexture_);
  targetFrameBuffer_ = targetTexture_ = targetDepth_ = 0;
  offscreen_ = false;
  KScreen::ForgetBoundTexture();
}

void KWindowGL::UseOffscreenTarget(bool use) {
  if (use == offscreen_ || !fbo_) return;
  fbo_->bindFramebuffer(kFrameBuffer, use ? targetFrameBuffer_ : 0);
  offscreen_ = use;
}

void KWindowGL::ComposeScaledFrame() {
  int dw = 0, dh = 0;
  window_->drawableSize(dw, dh);
  const platform::Viewport vp = window_->viewport();
  UseOffscreenTarget(false);
  glDisable(GL_SCISSOR_TEST);
  glViewport(0, 0, dw, dh);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, dw, 0, dh, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, targetTexture_);
  // Sharp: every picture pixel a square of whole window pixels; smooth: filtered.
  const GLint filter = smoothScaling_ ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glColor4f(1, 1, 1, 1);
  const float u = float(width_) / float(targetTextureWidth_), v = float(height_) / float(targetTextureHeight_);
  const float x1 = float(vp.x), y1 = float(vp.y), x2 = float(vp.x + vp.width), y2 = float(vp.y + vp.height);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(x1, y1);
  glTexCoord2f(u, 0);
  glVertex2f(x2, y1);
  glTexCoord2f(u, v);
  glVertex2f(x2, y2);
  glTexCoord2f(0, v);
  glVertex2f(x1, y2);
  glEnd();
  KScreen::ForgetBoundTexture();
}

bool KWindowGL::ReadPresentedWindow(std::vector<uint32_t>& pixels, int& width, int& height) {
  if (!contextReady_ || !window_) return false;
  const bool wasOffscreen = offscreen_;
  if (wasOffscreen) ComposeScaledFrame();
  window_->drawableSize(width, height);
  pixels.assign(size_t(width) * size_t(height), 0);
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
  for (uint32_t& p : pixels) p |= 0xFF000000u;
  const bool ok = glGetError() == GL_NO_ERROR;
  if (wasOffscreen) {
    UseOffscreenTarget(true);
    SetDefaultWorldView();
  }
  return ok;
}

void KWindowGL::SetDefaultWorldView() { SetWorldView(0, 0, 0, 1.0f, false); }

void KWindowGL::SetWorldView(float tx, float ty, float angle, float zoom, bool clear) {
  if (!contextReady_) return;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width_, 0, height_, -100, 100);
  // A clip rectangle lasts until the next view.
  glDisable(GL_SCISSOR_TEST);
  if (clear) {
    glClearColor(clearColor_[0], clearColor_[1], clearColor_[2], clearColor_[3]);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(width_ / 2.0f, height_ / 2.0f, 0);
  glRotatef(angle, 0, 0, 1);
  glScalef(zoom, zoom, 1);
  glTranslatef(-width_ / 2.0f, -height_ / 2.0f, 0);
  if (zoom != 0) glTranslatef(tx / zoom, ty / zoom, 0);
  glDisable(GL_DEPTH_TEST);
  ApplyViewport();
  glEnable(GL_DITHER);
}

void KWindowGL::SetClearColor(float r, float g, float b, float a) {
  clearColor_[0] = r;
  clearColor_[1] = g;
  clearColor_[2] = b;
  clearColor_[3] = a;
}

void KWindowGL::SetParentWindow(KWindowHandle parent) { parent_ = parent; }

void KWindowGL::Terminate() {
  quit_ = true;
  platform::postQuitMessage(0);
}

bool KWindowGL::SetFullScreen(bool fullScreen) {
  if (!window_ || fullScreen == fullScreen_) return fullScreen_;
  if (fullScreen) {
    if (window_->setFullScreen(true, width_, height_, depth_)) fullScreen_ = true;
  } else {
    window_->setFullScreen(false, width_, height_, depth_);
    fullScreen_ = false;
  }
  if (contextReady_) ApplyViewport();
  return fullScreen_;
}

bool KWindowGL::HasFocus() { return window_ && window_->foreground(); }

void KWindowGL::SetTitle(const char* title) {
  if (title != title_) std::snprintf(title_, sizeof title_, "%s", title ? title : "");
  if (window_) window_->setTitle(title_);
}

void KWindowGL::SetSwapInterval(int interval) {
  if (!swapControl_ || swapInterval_ == interval || !window_) return;
  if (window_->setSwapInterval(interval)) swapInterval_ = interval;
}

void KWindowGL::FlipBackBuffer(bool waitWhileInactive, bool resetView) {
  if (!window_ || !contextReady_) return;
  if (softwareCursor_) {
    SetDefaultWorldView();
    DrawSoftwareCursor();
  }
  uint32_t t = KTools::GetMilliseconds();
  const bool verticalSync = frameTime_ >= 0;
  if (verticalSync) SetSwapInterval(1);
  if (gamma_ < 1.0f) {
    SetDefaultWorldView();
    DrawGammaCover();
  }
  const bool composed = offscreen_;
  if (composed) ComposeScaledFrame();
  window_->swapBuffers();
  if (composed) {
    // The next frame draws into the picture again (it keeps what was drawn, as a back buffer
    // that is not cleared would).
    UseOffscreenTarget(true);
    if (!resetView) ApplyViewport();
  }
  // Where the swap cannot wait for the display (no swap control, or a display without a
  // refresh such as Xvfb), the present waits for the next refresh tick instead.
  if (verticalSync) pacer_.wait(window_->refreshRate());
  if (resetView) SetDefaultWorldView();
  ProcessEvents();
  ApplyFrameCap(t);
  if (waitWhileInactive) WaitWhileInactive();
  // What was read so far belongs to the frame that ends here: the next frame sees it.
  platform::endInputFrame();
}

void KWindowGL::ProcessEvents() {
  if (ScreenshotKeyDown(true)) TakeHotKeyScreenshot(true);
  PumpOneMessage();
}

bool KWindowGL::IsQuitting() { return quit_; }
void KWindowGL::SetQuit(bool quit) { quit_ = quit; }
KWindowHandle KWindowGL::GetWindowHandle() { return window_; }

void KWindowGL::SetMaxFrameRate(int fps) {
  StoreMaxFrameRate(fps);
  if (fps < 0) SetSwapInterval(0);
}

bool KWindowGL::HasTextureRectangle() {
  KScreen::SetUseTextureRectangle(false);
  return rectangleTextures_;
}

bool KWindowGL::IsHardwareAccelerated() {
  if (!contextReady_) {
    KWindowGL probe(false);
    probe.probe_ = true;
    probe.CreateGameWindow(640, 480, 16, true, kEngineBanner);
    hardwareAccelerated_ = probe.hardwareAccelerated_;
  }
  quit_ = false;
  return hardwareAccelerated_;
}

void KWindowGL::SetUseTextureRectangle(bool use) { rectangleTextures_ = use; }
void KWindowGL::SetGamma(float gamma) { gamma_ = gamma; }
int KWindowGL::GetWidth() { return width_; }
int KWindowGL::GetHeight() { return height_; }

void KWindowGL::Restore() {
  if (window_) window_->restore();
}

void KWindowGL::Minimize() {
  if (window_) window_->minimize();
}

void KWindowGL::SetSoftwareCursor(bool on) { softwareCursor_ = on; }

void KWindowGL::DrawSoftwareCursor() {
  if (!cursorTexture_) {
    const uint32_t* argb = CursorImage();
    uint32_t rgba[kCursorSize * kCursorSize];
    for (int i = 0; i < kCursorSize * kCursorSize; ++i) {
      uint32_t p = argb[i];
      uint8_t bytes[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
      std::memcpy(&rgba[i], bytes, 4);
    }
    glGenTextures(1, &cursorTexture_);
    glBindTexture(GL_TEXTURE_2D, cursorTexture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kCursorSize, kCursorSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  }
  int x, y;
  platform::cursorPosition(window_, x, y);
  const float left = float(x), right = float(x + kCursorSize);
  const float top = float(height_ - y), bottom = float(height_ - y - kCursorSize);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, cursorTexture_);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, 1);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(left, top);
  glTexCoord2f(1, 0);
  glVertex2f(right, top);
  glTexCoord2f(1, 1);
  glVertex2f(right, bottom);
  glTexCoord2f(0, 1);
  glVertex2f(left, bottom);
  glEnd();
  glDisable(GL_BLEND);
  KScreen::ForgetBoundTexture();
}

void KWindowGL::DrawGammaCover() {
  float alpha = std::clamp(1.0f - gamma_, 0.0f, 1.0f);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0, 0, 0, alpha);
  glBegin(GL_QUADS);
  glVertex2f(0, 0);
  glVertex2f(float(width_), 0);
  glVertex2f(float(width_), float(height_));
  glVertex2f(0, float(height_));
  glEnd();
  glColor4f(1, 1, 1, 1);
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  KScreen::ForgetBoundTexture();
}

bool KWindowGL::ReadBackBuffer(int x, int y, int width, int height, uint32_t* pixels) {
  if (!contextReady_ || !window_ || width <= 0 || height <= 0) return false;
  glFinish();
  glReadBuffer(offscreen_ ? kColorAttachment0 : GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  platform::Viewport vp = RenderViewport();
  if (vp.width == width_ && vp.height == height_) {
    glReadPixels(vp.x + x, vp.y + y, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
  } else {
    // The picture is scaled into the window: read where it lies and take every logical pixel's
    // nearest sample.
    std::vector<uint32_t> all(size_t(vp.width) * size_t(vp.height));
    glReadPixels(vp.x, vp.y, vp.width, vp.height, GL_BGRA, GL_UNSIGNED_BYTE, all.data());
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) {
        int sx = std::min(vp.width - 1, int((int64_t(x + i) * 2 + 1) * vp.width / (2 * width_)));
        int sy = std::min(vp.height - 1, int((int64_t(y + j) * 2 + 1) * vp.height / (2 * height_)));
        pixels[size_t(j) * size_t(width) + size_t(i)] = all[size_t(sy) * size_t(vp.width) + size_t(sx)];
      }
  }
  // A frame buffer without alpha reads as opaque.
  for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) pixels[i] |= 0xFF000000u;
  return glGetError() == GL_NO_ERROR;
}

bool KWindowGL::SaveScreenshot(const char* path, int format, int width, int height) {
  if (!contextReady_) return false;
  const bool whole = width <= 0 || height <= 0;
  if (whole) {
    width = width_;
    height = height_;
  }
  width = std::min<int>(width, width_);
  height = std::min<int>(height, height_);
  std::vector<uint32_t> pixels;
  try {
    pixels.resize(size_t(width) * size_t(height));
  } catch (...) {
    return false;
  }
  if (!whole) {
    // The frame is copied into a texture and drawn reduced into the lower-left corner.
    std::vector<uint32_t> frame;
    try {
      frame.resize(size_t(width_) * size_t(height_));
    } catch (...) {
      return false;
    }
    if (!ReadBackBuffer(0, 0, width_, height_, frame.data())) return false;
    int side = 4;
    while (side < width_ || side < height_) side *= 2;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, side, side, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, frame.data());
    SetDefaultWorldView();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    const float u = float(width_) / float(side), v = float(height_) / float(side);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(u, 0);
    glVertex2f(float(width), 0);
    glTexCoord2f(u, v);
    glVertex2f(float(width), float(height));
    glTexCoord2f(0, v);
    glVertex2f(0, float(height));
    glEnd();
    glDeleteTextures(1, &texture);
    KScreen::ForgetBoundTexture();
  }
  if (!ReadBackBuffer(0, 0, width, height, pixels.data())) return false;
  return KImage::SaveImage(reinterpret_cast<const uint8_t*>(pixels.data()), width, height, path, format);
}

void KWindowGL::SetClipRect(int x1, int y1, int x2, int y2) {
  if (!contextReady_ || !window_) return;
  platform::Viewport vp = RenderViewport();
  // Screen pixels, y down, to the drawable's pixels, y up.
  auto sx = [&](int x) { return vp.x + int(int64_t(x) * vp.width / std::max<int>(width_, 1)); };
  auto sy = [&](int y) { return vp.y + int(int64_t(height_ - y) * vp.height / std::max<int>(height_, 1)); };
  glScissor(sx(x1), sy(y2), sx(x2) - sx(x1), sy(y1) - sy(y2));
  glEnable(GL_SCISSOR_TEST);
}

void KWindowGL::SetMessageHook(KMessageHook hook) { hook_ = hook; }
void KWindowGL::SetGameCallback(KGameCallback callback) { callback_ = callback; }
void KWindowGL::EnumerateDisplayModes(KDisplayModeCallback callback) { ListDisplayModes(callback); }

void KWindowGL::Show(bool visible) {
  if (window_) window_->show(visible);
}

bool KWindowGL::IsVisible() { return window_ && window_->visible(); }
