#include "window/KWindowDD.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/input.h"
#include "image/KImage.h"
#include "tools/KTools.h"
#include "window/KInput.h"
#include "window/KScreen.h"

KWindowDD* KWindowDD::active_ = nullptr;

namespace {

constexpr float kPi = 3.14159265358979323846f;

uint32_t packChannel(float v) { return uint32_t(std::clamp(v, 0.0f, 1.0f) * 255.0f); }

// Keeps the picture classes' texture and blend state across the window's own drawing.
class SavedDrawState {
 public:
  explicit SavedDrawState(softdd::Device& d)
      : device_(d), texture_(d.texture()), blending_(d.blending()), src_(d.sourceBlend()),
        dst_(d.destinationBlend()) {}
  ~SavedDrawState() {
    device_.setTexture(texture_);
    device_.setBlending(blending_);
    device_.setBlendFactors(src_, dst_);
  }

 private:
  softdd::Device& device_;
  const softdd::Texture* texture_;
  bool blending_;
  softdd::Blend src_, dst_;
};

}  // namespace

KWindowDD::KWindowDD(bool wantDepthBuffer) { wantDepthBuffer_ = wantDepthBuffer; }

KWindowDD::~KWindowDD() {
  ReleaseSurfaces();
  cursorTexture_.reset();
  delete window_;
  window_ = nullptr;
  quit_ = true;
  KInput::ShowCursor();
  if (active_ == this) active_ = nullptr;
}

softdd::Device* KWindowDD::GetDevice() { return active_ ? active_->device_.get() : nullptr; }

intptr_t KWindowDD::WindowProc(platform::Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  KWindowDD* self = static_cast<KWindowDD*>(window->user());
  if (!self) return platform::defaultWindowProc(window, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

intptr_t KWindowDD::HandleMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  bool handled;
  TranslateToCallback(window_, message, wparam, lparam, handled);
  if (handled) return 0;
  switch (message) {
    case platform::kMsgClose:
    case platform::kMsgDestroy:
      quit_ = true;
      platform::postQuitMessage(0);
      return 0;
    case platform::kMsgMouseWheel:
      KInput::SetWheelDelta(int16_t(uint16_t(wparam >> 16)));
      return 0;
    case platform::kMsgActivateApp:
      // Full screen covers the desktop at its own resolution, so another program in front
      // takes no display mode away; a window that left full screen meanwhile is put back, and
      // its surface is taken anew.
      if (fullScreen_ && window_ && wparam) {
        window_->reclaimDisplayMode();
        window_->loseSurface();
      }
      return platform::defaultWindowProc(window_, message, wparam, lparam);
    default:
      return platform::defaultWindowProc(window_, message, wparam, lparam);
  }
}

bool KWindowDD::CreateGameWindow(short width, short height, short depth, bool windowed, const char* title) {
  if (window_) {
    ReleaseSurfaces();
    delete window_;
    window_ = nullptr;
  }
  width_ = width;
  height_ = height;
  depth_ = depth < 1 ? 16 : depth;
  fullScreen_ = !windowed;
  std::snprintf(title_, sizeof title_, "%s", title ? title : "");
  KScreen::SetScreenSize(width_, height_, depth_);
  return OpenWindow();
}

bool KWindowDD::OpenWindow() {
  platform::WindowDesc d;
  d.title = title_;
  d.width = width_;
  d.height = height_;
  d.depth = depth_;
  d.fullScreen = fullScreen_;
  d.parent = parent_;
  DescribePresentation(d);
  window_ = platform::Window::create(d);
  if (!window_) return false;
  window_->setProc(&KWindowDD::WindowProc, this);
  KTools::SetMessagePump(&KWindow::PumpOneMessage);
  KInput::Init(window_);
  if (fullScreen_ && !window_->fullScreen()) {  // the display mode could not be set
    delete window_;
    window_ = nullptr;
    return false;
  }
  if (!CreateSurfaces()) {
    delete window_;
    window_ = nullptr;
    return false;
  }
  active_ = this;
  return true;
}

bool KWindowDD::CreateSurfaces() {
  back_ = std::make_unique<softdd::Surface>(width_, height_);
  if (!back_->ok()) return false;
  if (wantDepthBuffer_) zbuffer_ = std::make_unique<softdd::ZBuffer>(width_, height_);
  device_ = std::make_unique<softdd::Device>(back_.get(), zbuffer_.get());
  back_->fill(0);
  window_->restoreSurface();
  window_->present(back_->pixels(), back_->pitch());
  SetDefaultWorldView();
  return true;
}

void KWindowDD::ReleaseSurfaces() {
  device_.reset();
  zbuffer_.reset();
  back_.reset();
}

void KWindowDD::RestoreLostSurface() {
  if (!window_ || !window_->surfaceLost()) return;
  if (window_->restoreSurface()) return;
  // The surface cannot be had back: everything is made anew, the window with it, and every
  // picture loads its texture again.
  ReleaseSurfaces();
  delete window_;
  window_ = nullptr;
  ++rebuilds_;
  if (OpenWindow()) KScreen::ReloadTextures();
}

void KWindowDD::SetDefaultWorldView() { SetWorldView(0, 0, 0, 1.0f, false); }

void KWindowDD::SetWorldView(float tx, float ty, float angle, float zoom, bool clear) {
  if (!device_) return;
  using softdd::Matrix;
  const float cx = width_ / 2.0f, cy = height_ / 2.0f;
  // The same transform as the OpenGL window's, for row vectors: move by (tx, ty) / zoom, then
  // about the centre scale by zoom and turn by angle degrees.
  Matrix world = Matrix::translation(-cx, -cy, 0) * Matrix::scaling(zoom, zoom, 1) *
                 Matrix::rotationZ(angle * 2.0f * kPi / 360.0f) * Matrix::translation(cx, cy, 0);
  if (zoom != 0) world = Matrix::translation(tx / zoom, ty / zoom, 0) * world;
  device_->setTransform(softdd::TransformKind::World, world);
  device_->setTransform(softdd::TransformKind::View, Matrix::identity());
  device_->setTransform(softdd::TransformKind::Projection,
                        Matrix::orthographic(0, float(width_), 0, float(height_), -100, 100));
  device_->setViewport(softdd::Viewport{0, 0, width_, height_, 0.0f, 1.0f});
  device_->setZTest(false);
  device_->setCull(softdd::Cull::None);
  if (clear) device_->clear(softdd::kClearTarget | (zbuffer_ ? softdd::kClearZBuffer : 0u), clearColor_, 1.0f);
}

void KWindowDD::SetClearColor(float r, float g, float b, float a) {
  clearColor_ = packChannel(a) << 24 | packChannel(r) << 16 | packChannel(g) << 8 | packChannel(b);
}

void KWindowDD::SetParentWindow(KWindowHandle parent) { parent_ = parent; }

void KWindowDD::Terminate() { quit_ = true; }

bool KWindowDD::SetFullScreen(bool fullScreen) {
  if (!window_ || fullScreen == fullScreen_) return fullScreen_;
  // The renderer and the window are made again in the other mode; a window the player sized
  // comes back at that size.
  if (!fullScreen_ && windowScale_ == 0) GetClientSize(freeWidth_, freeHeight_);
  ReleaseSurfaces();
  delete window_;
  window_ = nullptr;
  fullScreen_ = fullScreen;
  if (!OpenWindow()) {
    fullScreen_ = !fullScreen;  // the display refused: back to the mode it had
    OpenWindow();
  }
  KScreen::ReloadTextures();
  return fullScreen_;
}

bool KWindowDD::HasFocus() { return window_ && window_->foreground(); }

void KWindowDD::SetTitle(const char* title) {
  if (title != title_) std::snprintf(title_, sizeof title_, "%s", title ? title : "");
  if (window_) window_->setTitle(title_);
}

void KWindowDD::FlipBackBuffer(bool waitWhileInactive, bool resetView) {
  if (!window_ || !device_) return;
  if (softwareCursor_) {
    SetDefaultWorldView();
    DrawSoftwareCursor();
  }
  uint32_t t = KTools::GetMilliseconds();
  if (gamma_ < 1.0f) {
    SetDefaultWorldView();
    DrawGammaCover();
  }
  // Nothing here can wait for the display's vertical blank: the present waits for the next
  // refresh tick instead, unless vertical sync is off.
  if (frameTime_ >= 0) pacer_.wait(window_->refreshRate());
  window_->present(back_->pixels(), back_->pitch());  // a lost surface is restored below
  if (resetView) SetDefaultWorldView();
  ProcessEvents();
  ApplyFrameCap(t);
  if (waitWhileInactive) WaitWhileInactive();
  // What was read so far belongs to the frame that ends here: the next frame sees it.
  platform::endInputFrame();
}

void KWindowDD::ProcessEvents() {
  if (ScreenshotKeyDown(false)) TakeHotKeyScreenshot(false);
  PumpOneMessage();
  if (window_ && window_->minimized()) {
    // Nothing is drawn while minimised: wait for the window to come back.
    platform::Message m;
    while (platform::windowAlive(window_) && window_->minimized() && !quit_) {
      if (!platform::waitMessage(m, 250)) continue;
      if (m.message == platform::kMsgQuit) break;
      platform::translateMessage(m);
      platform::dispatchMessage(m);
    }
    KTools::ResyncClock();
  }
  RestoreLostSurface();
}

bool KWindowDD::IsQuitting() { return quit_; }
void KWindowDD::SetQuit(bool quit) { quit_ = quit; }
KWindowHandle KWindowDD::GetWindowHandle() { return window_; }
void KWindowDD::SetMaxFrameRate(int fps) { StoreMaxFrameRate(fps); }
bool KWindowDD::HasTextureRectangle() { return true; }
bool KWindowDD::IsHardwareAccelerated() { return true; }
void KWindowDD::SetUseTextureRectangle(bool) {}
void KWindowDD::SetGamma(float gamma) { gamma_ = gamma < 0 ? 0 : gamma; }
int KWindowDD::GetWidth() { return width_; }
int KWindowDD::GetHeight() { return height_; }

void KWindowDD::Restore() {
  if (window_) window_->restore();
}

void KWindowDD::Minimize() {
  if (window_) window_->minimize();
}

void KWindowDD::SetSoftwareCursor(bool on) { softwareCursor_ = on; }

void KWindowDD::DrawSoftwareCursor() {
  if (!cursorTexture_) {
    cursorTexture_.reset(softdd::Texture::create(kCursorSize, kCursorSize, softdd::TextureFormat::A4R4G4B4));
    if (!cursorTexture_) return;
    cursorTexture_->write(CursorImage(), kCursorSize, kCursorSize, kCursorSize);
  }
  int x, y;
  platform::cursorPosition(window_, x, y);
  const float left = float(x), right = float(x + kCursorSize);
  const float top = float(height_ - y), bottom = float(height_ - y - kCursorSize);
  const softdd::Vertex quad[4] = {
      {left, top, 0, 0xFFFFFFFFu, 0, 0},
      {right, top, 0, 0xFFFFFFFFu, 1, 0},
      {right, bottom, 0, 0xFFFFFFFFu, 1, 1},
      {left, bottom, 0, 0xFFFFFFFFu, 0, 1},
  };
  SavedDrawState saved(*device_);
  device_->setTexture(cursorTexture_.get());
  device_->setBlending(true);
  device_->setBlendFactors(softdd::Blend::SrcAlpha, softdd::Blend::InvSrcAlpha);
  device_->draw(softdd::Primitive::TriangleFan, quad, 4);
  KScreen::ForgetBoundTexture();
}

void KWindowDD::DrawGammaCover() {
  const uint32_t color = packChannel(1.0f - gamma_) << 24;
  const float w = float(width_), h = float(height_);
  const softdd::Vertex quad[4] = {
      {0, 0, 0, color, 0, 0}, {w, 0, 0, color, 0, 0}, {w, h, 0, color, 0, 0}, {0, h, 0, color, 0, 0}};
  SavedDrawState saved(*device_);
  device_->setTexture(nullptr);
  device_->setBlending(true);
  device_->setBlendFactors(softdd::Blend::SrcAlpha, softdd::Blend::InvSrcAlpha);
  device_->draw(softdd::Primitive::TriangleFan, quad, 4);
  KScreen::ForgetBoundTexture();
}

bool KWindowDD::SaveScreenshot(const char* path, int format, int width, int height) {
  if (!back_) return false;
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
    // The frame is copied and drawn reduced (nearest samples) into the lower-left corner.
    std::vector<uint32_t> frame;
    try {
      frame.assign(back_->pixels(), back_->pixels() + size_t(width_) * size_t(height_));
    } catch (...) {
      return false;
    }
    for (int j = 0; j < height; ++j) {
      int sy = int((int64_t(j) * 2 + 1) * height_ / (2 * height));  // rows from the bottom
      uint32_t* dst = back_->row(height_ - 1 - j);
      const uint32_t* src = frame.data() + size_t(height_ - 1 - sy) * size_t(width_);
      for (int i = 0; i < width; ++i) dst[i] = src[int((int64_t(i) * 2 + 1) * width_ / (2 * width))];
    }
  }
  // The lower-left width x height area, rows from the bottom up as a renderer reads them back.
  for (int j = 0; j < height; ++j) {
    const uint32_t* src = back_->row(height_ - 1 - j);
    uint32_t* dst = pixels.data() + size_t(j) * size_t(width);
    for (int i = 0; i < width; ++i) dst[i] = src[i] | 0xFF000000u;
  }
  return KImage::SaveImage(reinterpret_cast<const uint8_t*>(pixels.data()), width, height, path, format);
}

void KWindowDD::SetClipRect(int x1, int y1, int x2, int y2) {
  if (!device_) return;
  if (!zbuffer_) {
    // The clip works through the z-buffer: a window opened without one gets it now.
    zbuffer_ = std::make_unique<softdd::ZBuffer>(width_, height_);
    softdd::Viewport vp = device_->viewport();
    device_->setRenderTarget(back_.get(), zbuffer_.get());
    device_->setViewport(vp);
  }
  zbuffer_->fill(0.0f);
  softdd::Rect r{x1, y1, x2, y2};
  zbuffer_->fill(1.0f, &r);
  device_->setZTest(true);
  device_->setZFunc(softdd::ZCompare::Less);
  device_->setZWrite(false);
}

void KWindowDD::SetMessageHook(KMessageHook hook) { hook_ = hook; }
void KWindowDD::SetGameCallback(KGameCallback callback) { callback_ = callback; }
void KWindowDD::EnumerateDisplayModes(KDisplayModeCallback callback) { ListDisplayModes(callback); }

void KWindowDD::Show(bool visible) {
  if (window_) window_->show(visible);
}

bool KWindowDD::IsVisible() { return window_ && window_->visible(); }
