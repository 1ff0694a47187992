#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <thread>
#include <vector>

#include "platform/input.h"

#if defined(BRAWNMOOR_HAVE_X11)
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

namespace platform {
namespace {

void readEvent(const SDL_Event& e);

std::vector<Window*> liveWindows;
std::deque<Message> messageQueue;
char errorText[512];
int videoUsers = 0;

void noteError(const char* what) {
  std::snprintf(errorText, sizeof errorText, "%s: %s", what, SDL_GetError());
}

bool startVideo() {
  // SDL's video stays up once started: shutting it down and starting it again at once (the
  // launcher's window closes, the game's opens) is slow and, with X11, not always possible.
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    // The engine decides what closing, losing the focus and clicking into the window mean.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A software window's picture goes to the window as it is; SDL would otherwise push every
    // frame through a texture of its own 2D renderer, which costs more than the copy.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Window sizes count in the desktop's points and pictures in real pixels on a high-density
    // display (where the system distinguishes them).
    SDL_SetHint("SDL_WINDOWS_DPI_AWARENESS", "permonitorv2");
    SDL_SetHint("SDL_WINDOWS_DPI_SCALING", "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      noteError("video");
      return false;
    }
    SDL_ShowCursor(cursorVisible() ? SDL_ENABLE : SDL_DISABLE);
  }
  ++videoUsers;
  return true;
}

void drainSdlEvents() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) readEvent(e);
}

void stopVideo() {
  if (videoUsers > 0 && --videoUsers == 0) {
    // Nothing that was queued can reach a window any more.
    drainSdlEvents();
    messageQueue.clear();
    resetInputState();
  }
}

SDL_Window* sdlOf(const Window* w) { return w ? SDL_GetWindowFromID(w->id()) : nullptr; }

Window* windowForId(uint32_t id) {
  for (Window* w : liveWindows)
    if (w->id() == id) return w;
  // Events without a window (pushed by a program) go to the newest window.
  if (id == 0 && !liveWindows.empty()) return liveWindows.back();
  return nullptr;
}

void configureGL(const WindowDesc& d, bool minimal) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  if (minimal) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    return;
  }
  if (d.depth == 16 || d.depth == 15) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, d.depth == 16 ? 6 : 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  } else if (d.depth >= 24) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  }
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, d.depthBuffer ? 16 : 0);
}

intptr_t packPoint(int x, int y) {
  return intptr_t(uint32_t(uint16_t(x)) | (uint32_t(uint16_t(y)) << 16));
}

// On an X display without a window manager (Xvfb) nobody answers a full-screen request: the
// window is made to cover the screen here, at the size SDL gave it.
void coverScreenWithoutWindowManager(SDL_Window* s) {
#if defined(BRAWNMOOR_HAVE_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(s, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  char selection[32];
  std::snprintf(selection, sizeof selection, "WM_S%d", DefaultScreen(display));
  if (XGetSelectionOwner(display, XInternAtom(display, selection, False)) != 0) return;
  // The whole display the window is on, as a full-screen window over the desktop covers it.
  SDL_Rect bounds{0, 0, 0, 0};
  if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(s)), &bounds) != 0 || bounds.w <= 0)
    SDL_GetWindowSize(s, &bounds.w, &bounds.h);
  XMoveResizeWindow(display, info.info.x11.window, bounds.x, bounds.y, unsigned(bounds.w), unsigned(bounds.h));
  XRaiseWindow(display, info.info.x11.window);
  XSync(display, False);
#else
  (void)s;
#endif
}

void postBack(Window* w, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  messageQueue.push_back(Message{w, message, wparam, lparam});
}

void readWindowEvent(const SDL_WindowEvent& e) {
  Window* w = windowForId(e.windowID);
  if (!w) return;
  switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
      postBack(w, kMsgClose, 0, 0);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      postBack(w, kMsgPaint, 0, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      w->noteFocus(true);
      postBack(w, kMsgActivateApp, 1, 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      w->noteFocus(false);
      // Keys and buttons released while another window had the focus never reach us.
      resetInputState();
      postBack(w, kMsgActivateApp, 0, 0);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      w->noteFocus(false);
      postBack(w, kMsgSize, kSizeMinimized, 0);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      postBack(w, kMsgSize, kSizeRestored, packPoint(w->width(), w->height()));
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      w->noteSizeChanged();
      postBack(w, kMsgSize, kSizeRestored, packPoint(w->width(), w->height()));
      break;
    case SDL_WINDOWEVENT_SHOWN:
      postBack(w, kMsgShowWindow, 1, 0);
      break;
    case SDL_WINDOWEVENT_HIDDEN:
      postBack(w, kMsgShowWindow, 0, 0);
      break;
    case SDL_WINDOWEVENT_LEAVE:
      inputstate::cursorLeft(w);
      break;
    default:
      break;
  }
}

void readEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      // Asked from outside (a signal, the session ending): every window is asked to close.
      for (Window* w : liveWindows) postBack(w, kMsgClose, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      readWindowEvent(e.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      Window* w = windowForId(e.key.windowID);
      bool down = e.type == SDL_KEYDOWN;
      int vk = virtualKeyForEvent(e.key.keysym.scancode, e.key.keysym.sym);
      inputstate::keyChanged(vk, e.key.keysym.scancode, down);
      if (w)
        postBack(w, down ? kMsgKeyDown : kMsgKeyUp, uintptr_t(vk),
                 intptr_t(inputstate::keyLParam(e.key.keysym.scancode, down, e.key.repeat != 0)));
      break;
    }
    case SDL_TEXTINPUT: {
      Window* w = windowForId(e.text.windowID);
      if (!w) break;
      uint8_t bytes[SDL_TEXTINPUTEVENT_TEXT_SIZE];
      size_t n = utf8ToWindows1252(e.text.text, bytes, sizeof bytes);
      for (size_t i = 0; i < n; ++i) postBack(w, kMsgChar, bytes[i], 1);
      break;
    }
    case SDL_MOUSEMOTION: {
      if (e.motion.which == SDL_TOUCH_MOUSEID) break;
      Window* w = windowForId(e.motion.windowID);
      if (!w) break;
      inputstate::cursorMoved(w, e.motion.x, e.motion.y);
      int x, y;
      w->toLogical(e.motion.x, e.motion.y, x, y);
      postBack(w, kMsgMouseMove, mouseKeyFlags(), packPoint(x, y));
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (e.button.which == SDL_TOUCH_MOUSEID) break;
      Window* w = windowForId(e.button.windowID);
      if (!w) break;
      bool down = e.type == SDL_MOUSEBUTTONDOWN;
      // A second press soon after the first is a double click (and the third a plain press).
      bool dbl = down && e.button.clicks >= 2 && e.button.clicks % 2 == 0;
      inputstate::cursorMoved(w, e.button.x, e.button.y);
      int x, y;
      w->toLogical(e.button.x, e.button.y, x, y);
      uint32_t msg;
      uintptr_t wparam = 0;
      switch (e.button.button) {
        case SDL_BUTTON_LEFT:
          inputstate::buttonChanged(1, down);
          msg = down ? (dbl ? kMsgLButtonDblClk : kMsgLButtonDown) : kMsgLButtonUp;
          break;
        case SDL_BUTTON_RIGHT:
          inputstate::buttonChanged(2, down);
          msg = down ? (dbl ? kMsgRButtonDblClk : kMsgRButtonDown) : kMsgRButtonUp;
          break;
        case SDL_BUTTON_MIDDLE:
          inputstate::buttonChanged(3, down);
          msg = down ? (dbl ? kMsgMButtonDblClk : kMsgMButtonDown) : kMsgMButtonUp;
          break;
        default:
          msg = down ? (dbl ? kMsgXButtonDblClk : kMsgXButtonDown) : kMsgXButtonUp;
          wparam = uintptr_t(e.button.button == SDL_BUTTON_X2 ? 2 : 1) << 16;
          break;
      }
      postBack(w, msg, wparam | mouseKeyFlags(), packPoint(x, y));
      break;
    }
    case SDL_MOUSEWHEEL: {
      if (e.wheel.which == SDL_TOUCH_MOUSEID) break;
      Window* w = windowForId(e.wheel.windowID);
      if (!w) break;
      int sign = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
      // The wheel's lparam holds the cursor in desktop coordinates.
      int cx = 0, cy = 0, wx = 0, wy = 0;
      cursorPosition(w, cx, cy);
      if (SDL_Window* s = sdlOf(w)) SDL_GetWindowPosition(s, &wx, &wy);
      if (e.wheel.y != 0) {
        int delta = sign * e.wheel.y * kWheelDelta;
        postBack(w, kMsgMouseWheel, (uintptr_t(uint16_t(int16_t(delta))) << 16) | mouseKeyFlags(),
                 packPoint(cx + wx, cy + wy));
      }
      if (e.wheel.x != 0) {
        int delta = sign * e.wheel.x * kWheelDelta;
        postBack(w, kMsgMouseHWheel, (uintptr_t(uint16_t(int16_t(delta))) << 16) | mouseKeyFlags(),
                 packPoint(cx + wx, cy + wy));
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Windows

Window* Window::create(const WindowDesc& d) {
  if (!startVideo()) return nullptr;
  Window* w = new Window;
  w->width_ = d.width;
  w->height_ = d.height;
  w->depth_ = d.depth;
  w->softwareSurface_ = !d.opengl;
  w->scaling_ = d.scaling;
  w->windowScale_ = std::max(0, d.windowScale);

  int x = d.positioned ? d.x : int(SDL_WINDOWPOS_CENTERED);
  int y = d.positioned ? d.y : int(SDL_WINDOWPOS_CENTERED);
  int width = d.width, height = d.height;
  if (w->windowScale_ > 1) {
    width *= w->windowScale_;
    height *= w->windowScale_;
  } else if (w->windowScale_ == 0 && d.windowWidth > 0 && d.windowHeight > 0) {
    width = d.windowWidth;
    height = d.windowHeight;
  }
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  if (w->windowScale_ == 0) flags |= SDL_WINDOW_RESIZABLE;
  if (d.opengl) flags |= SDL_WINDOW_OPENGL;
  if (d.borderless) flags |= SDL_WINDOW_BORDERLESS;
  if (d.parent && windowAlive(d.parent)) {
    // A child covers its parent's client area.
    if (SDL_Window* p = sdlOf(d.parent)) SDL_GetWindowPosition(p, &x, &y);
    width = w->width_ = d.parent->width();
    height = w->height_ = d.parent->height();
    flags |= SDL_WINDOW_BORDERLESS;
  }

  if (d.opengl) {
    // The OpenGL library stays loaded once a window has used it, as SDL's video does: closing
    // one window and opening the next (launcher, probe, game) then does not load the driver
    // anew, and what the driver keeps for the process stays reachable.
    static bool glLibraryLoaded = false;
    if (!glLibraryLoaded && SDL_GL_LoadLibrary(nullptr) == 0) glLibraryLoaded = true;
  }
  SDL_Window* sdl = nullptr;
  bool minimal = false;
  for (;;) {
    if (d.opengl) configureGL(d, minimal);
    sdl = SDL_CreateWindow(d.title ? d.title : "", x, y, width, height, flags);
    if (sdl && d.opengl) {
      w->glContext_ = SDL_GL_CreateContext(sdl);
      if (!w->glContext_) {
        SDL_DestroyWindow(sdl);
        sdl = nullptr;
      }
    }
    if (sdl || !d.opengl || minimal) break;
    minimal = true;  // the second request, with every optional attribute at zero
  }
  if (!sdl) {
    noteError(d.opengl ? "OpenGL window" : "window");
    delete w;
    stopVideo();
    return nullptr;
  }
  w->id_ = SDL_GetWindowID(sdl);
  liveWindows.push_back(w);
  if (w->windowScale_ == 0) SDL_SetWindowMinimumSize(sdl, std::max(1, d.width / 2), std::max(1, d.height / 2));
  // Shown first: a desktop (or the layer itself, without a window manager) sizes a full-screen
  // window when it is mapped.
  if (!d.hidden) w->show(true);
  if (d.fullScreen) w->setFullScreen(true, d.width, d.height, d.depth);
  return w;
}

Window::~Window() {
  SDL_Window* sdl = sdlOf(this);
  auto it = std::find(liveWindows.begin(), liveWindows.end(), this);
  if (it == liveWindows.end()) return;  // never opened
  liveWindows.erase(it);
  inputstate::windowGone(this);
  if (glContext_) {
    if (SDL_GL_GetCurrentContext() == glContext_) SDL_GL_MakeCurrent(sdl, nullptr);
    SDL_GL_DeleteContext(glContext_);
  }
  if (sdl) SDL_DestroyWindow(sdl);  // leaves the full-screen mode as well
  for (Message& m : messageQueue)
    if (m.window == this) m.window = nullptr, m.message = kMsgNull;
  stopVideo();
}

void Window::setProc(WindowProc proc, void* user) {
  proc_ = proc;
  user_ = user;
}

void Window::setTitle(const char* title) {
  if (SDL_Window* s = sdlOf(this)) SDL_SetWindowTitle(s, title ? title : "");
}

void Window::show(bool visible) {
  SDL_Window* s = sdlOf(this);
  if (!s) return;
  if (visible) {
    SDL_ShowWindow(s);
    // A window that appears becomes the active one, as on a desktop that gives it the focus.
    for (Window* other : liveWindows)
      if (other != this) other->foreground_ = false;
    foreground_ = true;
  } else {
    SDL_HideWindow(s);
    foreground_ = false;
  }
}

bool Window::visible() const {
  SDL_Window* s = sdlOf(this);
  return s && (SDL_GetWindowFlags(s) & SDL_WINDOW_SHOWN) && !(SDL_GetWindowFlags(s) & SDL_WINDOW_HIDDEN);
}

void Window::minimize() {
  if (SDL_Window* s = sdlOf(this)) SDL_MinimizeWindow(s);
}

void Window::restore() {
  if (SDL_Window* s = sdlOf(this)) SDL_RestoreWindow(s);
}

bool Window::minimized() const {
  SDL_Window* s = sdlOf(this);
  return s && (SDL_GetWindowFlags(s) & SDL_WINDOW_MINIMIZED);
}

void Window::drawableSize(int& w, int& h) const {
  w = width_;
  h = height_;
  SDL_Window* s = sdlOf(this);
  if (!s) return;
  if (glContext_) {
    SDL_GL_GetDrawableSize(s, &w, &h);
    return;
  }
  // A software window's real pixels are its surface's.
  if (!surfaceLost_) {
    if (SDL_Surface* surface = SDL_GetWindowSurface(s)) {
      w = surface->w;
      h = surface->h;
      return;
    }
  }
  SDL_GetWindowSizeInPixels(s, &w, &h);
}

void Window::clientSize(int& w, int& h) const {
  w = width_;
  h = height_;
  if (SDL_Window* s = sdlOf(this)) SDL_GetWindowSize(s, &w, &h);
}

PictureRect Window::pictureRect() const {
  int dw, dh;
  drawableSize(dw, dh);
  return fitPicture(width_, height_, dw, dh, scaling_);
}

Viewport Window::viewport() const {
  int dw, dh;
  drawableSize(dw, dh);
  PictureRect r = fitPicture(width_, height_, dw, dh, scaling_);
  return Viewport{r.x, dh - r.y - r.height, r.width, r.height};
}

bool Window::scaled() const {
  int dw, dh;
  drawableSize(dw, dh);
  return dw != width_ || dh != height_;
}

void Window::toLogical(int wx, int wy, int& x, int& y) const {
  int ww, wh, dw, dh;
  clientSize(ww, wh);
  drawableSize(dw, dh);
  windowPointToPicture(wx, wy, ww, wh, dw, dh, width_, height_, scaling_, x, y);
}

void Window::setScaling(Scaling scaling) {
  if (scaling_ == scaling) return;
  scaling_ = scaling;
  barsSurface_ = nullptr;  // the bars change with the rectangle
}

void Window::setWindowScale(int scale) {
  scale = std::max(0, scale);
  if (scale == windowScale_) return;
  windowScale_ = scale;
  if (!fullScreen_) applyWindowSize();
}

int Window::largestWindowScale() const {
  SDL_Window* s = sdlOf(this);
  const int display = s ? std::max(0, SDL_GetWindowDisplayIndex(s)) : 0;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (s && !fullScreen_) SDL_GetWindowBordersSize(s, &top, &left, &bottom, &right);
  return largestWindowScaleOn(display, width_, height_, left + right, top + bottom);
}

int largestWindowScaleOn(int display, int logicalW, int logicalH, int frameW, int frameH) {
  if (!startVideo()) return 1;
  SDL_Rect usable{0, 0, 0, 0};
  const bool known = SDL_GetDisplayUsableBounds(std::max(0, display), &usable) == 0 && usable.w > 0 && usable.h > 0;
  stopVideo();
  if (!known) return 1;
  if (frameH <= 0) frameH = 32;  // room for a title bar the system did not tell of
  const int w = usable.w - std::max(0, frameW), h = usable.h - frameH;
  return std::max(1, std::min(w / std::max(1, logicalW), h / std::max(1, logicalH)));
}

void Window::applyWindowSize() {
  SDL_Window* s = sdlOf(this);
  if (!s) return;
  SDL_SetWindowResizable(s, windowScale_ == 0 ? SDL_TRUE : SDL_FALSE);
  if (windowScale_ == 0) {
    SDL_SetWindowMinimumSize(s, std::max(1, width_ / 2), std::max(1, height_ / 2));
    return;  // the player's size stays
  }
  SDL_SetWindowMinimumSize(s, 1, 1);
  // Twice: a desktop that just gave the window back may place it once more.
  for (int i = 0; i < 2; ++i) {
    SDL_SetWindowSize(s, width_ * windowScale_, height_ * windowScale_);
    SDL_SetWindowPosition(s, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  noteSizeChanged();
}

bool Window::setFullScreen(bool on, int width, int height, int depth) {
  SDL_Window* s = sdlOf(this);
  if (!s) return false;
  if (on) {
    bool ok = false;
    // The desktop keeps its resolution: the picture is scaled into it. Asked twice before the
    // request counts as refused.
    for (int attempt = 0; attempt < 2 && !ok; ++attempt)
      ok = SDL_SetWindowFullscreen(s, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    if (!ok) {
      noteError("full screen");
      return false;
    }
    coverScreenWithoutWindowManager(s);
    width_ = width;
    height_ = height;
    depth_ = depth;
    fullScreen_ = true;
  } else {
    SDL_SetWindowFullscreen(s, 0);
    width_ = width;
    height_ = height;
    fullScreen_ = false;
    if (windowScale_ == 0) {
      SDL_SetWindowResizable(s, SDL_TRUE);
      SDL_SetWindowPosition(s, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
      applyWindowSize();
    }
  }
  barsSurface_ = nullptr;
  noteSizeChanged();
  return true;
}

void Window::releaseDisplayMode() {}

void Window::reclaimDisplayMode() {
  if (!fullScreen_) return;
  SDL_Window* s = sdlOf(this);
  if (s && !(SDL_GetWindowFlags(s) & SDL_WINDOW_FULLSCREEN)) setFullScreen(true, width_, height_, depth_);
}

int Window::refreshRate() const {
  SDL_Window* s = sdlOf(this);
  SDL_DisplayMode m;
  if (s && SDL_GetWindowDisplayMode(s, &m) == 0 && m.refresh_rate > 0) return m.refresh_rate;
  int display = s ? std::max(0, SDL_GetWindowDisplayIndex(s)) : 0;
  if (SDL_GetCurrentDisplayMode(display, &m) == 0 && m.refresh_rate > 0) return m.refresh_rate;
  return 60;
}

bool Window::makeCurrent() {
  SDL_Window* s = sdlOf(this);
  return s && glContext_ && SDL_GL_MakeCurrent(s, glContext_) == 0;
}

void Window::swapBuffers() {
  if (SDL_Window* s = sdlOf(this)) SDL_GL_SwapWindow(s);
}

bool Window::setSwapInterval(int interval) { return glContext_ && SDL_GL_SetSwapInterval(interval) == 0; }

void Window::noteSizeChanged() {
  if (softwareSurface_) surfaceLost_ = true;
}

bool Window::restoreSurface() {
  SDL_Window* s = sdlOf(this);
  if (!s || !softwareSurface_) return false;
  if (surfaceGone_ || !SDL_GetWindowSurface(s)) {
    surfaceGone_ = false;
    noteError("window surface");
    return false;
  }
  surfaceLost_ = false;
  barsSurface_ = nullptr;  // a new surface: its bars are filled by the next present
  return true;
}

bool Window::present(const uint32_t* pixels, int pitchPixels) {
  SDL_Window* s = sdlOf(this);
  if (!s || !softwareSurface_ || surfaceLost_) return false;
  SDL_Surface* surface = SDL_GetWindowSurface(s);
  if (!surface) {
    surfaceLost_ = true;
    return false;
  }
  const bool direct = surface->format->format == SDL_PIXELFORMAT_RGB888 ||
                      surface->format->format == SDL_PIXELFORMAT_ARGB8888;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  if (surface->w == width_ && surface->h == height_) {
    if (direct) {
      for (int y = 0; y < height_; ++y)
        std::memcpy(static_cast<uint8_t*>(surface->pixels) + size_t(y) * surface->pitch,
                    pixels + size_t(y) * pitchPixels, size_t(width_) * 4);
    } else {
      SDL_ConvertPixels(width_, height_, SDL_PIXELFORMAT_RGB888, pixels, pitchPixels * 4,
                        surface->format->format, surface->pixels, surface->pitch);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(s);
    return true;
  }
  // The window is not the picture's size: the picture is scaled into its rectangle, the bars
  // around it are filled once for each surface and rectangle.
  const PictureRect r = fitPicture(width_, height_, surface->w, surface->h, scaling_);
  const bool bars = barsSurface_ != surface || barsRect_.x != r.x || barsRect_.y != r.y ||
                    barsRect_.width != r.width || barsRect_.height != r.height;
  if (bars) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  const bool whole = r.width % width_ == 0 && r.height % height_ == 0 && r.width / width_ == r.height / height_;
  auto scale = [&](uint32_t* to, int pitch) {
    if (scaling_ == Scaling::Sharp || (whole && r.width == width_))
      scaleNearest(pixels, width_, height_, pitchPixels, to, r.width, r.height, pitch);
    else
      scaleBilinear(pixels, width_, height_, pitchPixels, to, r.width, r.height, pitch);
  };
  if (direct) {
    uint8_t* at = static_cast<uint8_t*>(surface->pixels) + size_t(r.y) * surface->pitch + size_t(r.x) * 4;
    scale(reinterpret_cast<uint32_t*>(at), surface->pitch / 4);
  } else {
    std::vector<uint32_t> staged(size_t(r.width) * size_t(r.height));
    scale(staged.data(), r.width);
    uint8_t* at = static_cast<uint8_t*>(surface->pixels) + size_t(r.y) * surface->pitch +
                  size_t(r.x) * surface->format->BytesPerPixel;
    SDL_ConvertPixels(r.width, r.height, SDL_PIXELFORMAT_RGB888, staged.data(), r.width * 4,
                      surface->format->format, at, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  ++scaledPresents_;
  if (bars) {
    SDL_UpdateWindowSurface(s);
    barsSurface_ = surface;
    barsRect_ = r;
  } else {
    // Only the picture changed: the bars stay as they are on the screen.
    SDL_Rect update{r.x, r.y, r.width, r.height};
    SDL_UpdateWindowSurfaceRects(s, &update, 1);
  }
  return true;
}

bool Window::readPresented(uint32_t* pixels) const {
  SDL_Window* s = sdlOf(this);
  if (!s || !softwareSurface_ || surfaceLost_) return false;
  SDL_Surface* surface = SDL_GetWindowSurface(s);
  if (!surface || surface->w != width_ || surface->h != height_) return false;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  SDL_ConvertPixels(width_, height_, surface->format->format, surface->pixels, surface->pitch,
                    SDL_PIXELFORMAT_RGB888, pixels, width_ * 4);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  return true;
}

bool Window::readWindow(std::vector<uint32_t>& pixels, int& w, int& h) const {
  SDL_Window* s = sdlOf(this);
  if (!s || !softwareSurface_ || surfaceLost_) return false;
  SDL_Surface* surface = SDL_GetWindowSurface(s);
  if (!surface) return false;
  w = surface->w;
  h = surface->h;
  pixels.assign(size_t(w) * size_t(h), 0);
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  SDL_ConvertPixels(w, h, surface->format->format, surface->pixels, surface->pitch, SDL_PIXELFORMAT_RGB888,
                    pixels.data(), w * 4);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  return true;
}

void* Window::glFunction(const char* name) const {
  return glContext_ && name ? SDL_GL_GetProcAddress(name) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Messages

void pumpEvents() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) readEvent(e);
}

bool peekMessage(Message& message, bool remove) {
  pumpEvents();
  while (!messageQueue.empty() && messageQueue.front().message == kMsgNull &&
         !messageQueue.front().window)
    messageQueue.pop_front();  // left by a window that is gone
  if (messageQueue.empty()) return false;
  message = messageQueue.front();
  if (remove) messageQueue.pop_front();
  return true;
}

bool waitMessage(Message& message, int timeoutMs) {
  uint64_t start = monotonicMicroseconds();
  for (;;) {
    if (peekMessage(message, true)) return true;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    int wait = -1;
    if (timeoutMs >= 0) {
      int64_t left = int64_t(timeoutMs) - int64_t((monotonicMicroseconds() - start) / 1000);
      if (left <= 0) return false;
      wait = int(left);
    }
    SDL_Event e;
    if (wait < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, wait)) readEvent(e);
  }
}

void postMessage(Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  postBack(window, message, wparam, lparam);
}

void postQuitMessage(int exitCode) { postBack(nullptr, kMsgQuit, uintptr_t(exitCode), 0); }

void translateMessage(const Message& m) {
  if (m.message != kMsgKeyDown) return;
  int ch = 0;
  switch (int(m.wparam)) {
    case kVkBack: ch = 8; break;
    case kVkTab: ch = 9; break;
    case kVkReturn: ch = 13; break;
    case kVkEscape: ch = 27; break;
    default:
      if (m.wparam >= 'A' && m.wparam <= 'Z' && isVirtualKeyDown(kVkControl) &&
          !isVirtualKeyDown(kVkMenu))
        ch = int(m.wparam - 'A' + 1);
      break;
  }
  if (ch) messageQueue.push_front(Message{m.window, kMsgChar, uintptr_t(ch), m.lparam});
}

intptr_t dispatchMessage(const Message& m) {
  if (!m.window || !windowAlive(m.window) || !m.window->proc()) return 0;
  return m.window->proc()(m.window, m.message, m.wparam, m.lparam);
}

intptr_t sendMessage(Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return dispatchMessage(Message{window, message, wparam, lparam});
}

intptr_t defaultWindowProc(Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam) {
  bool menuKey = message == kMsgKeyUp && int(wparam) == kVkApps;
  if (message == kMsgRButtonUp || menuKey) {
    intptr_t where = -1;  // from the keyboard
    if (!menuKey) {
      int wx = 0, wy = 0;
      if (SDL_Window* s = sdlOf(window)) SDL_GetWindowPosition(s, &wx, &wy);
      where = packPoint(int16_t(lparam & 0xFFFF) + wx, int16_t((lparam >> 16) & 0xFFFF) + wy);
    }
    return sendMessage(window, kMsgContextMenu, reinterpret_cast<uintptr_t>(window), where);
  }
  return 0;
}

bool windowAlive(const Window* window) {
  return window && std::find(liveWindows.begin(), liveWindows.end(), window) != liveWindows.end();
}

bool headlessVideo() {
  const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
  if (!driver) driver = SDL_getenv("SDL_VIDEODRIVER");
  return driver && (SDL_strcasecmp(driver, "offscreen") == 0 || SDL_strcasecmp(driver, "dummy") == 0);
}

bool displayMode(int index, DisplayModeInfo& mode) {
  if (index < 0 || !startVideo()) return false;
  // Only real modes count; a display that lists none has its desktop mode as the one mode.
  std::vector<SDL_DisplayMode> modes;
  int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, i, &m) == 0 && m.w > 0 && m.h > 0) modes.push_back(m);
  }
  if (modes.empty()) {
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(0, &m) == 0 && m.w > 0 && m.h > 0) modes.push_back(m);
  }
  bool found = index < int(modes.size());
  if (found) {
    const SDL_DisplayMode& m = modes[size_t(index)];
    int bits = SDL_BITSPERPIXEL(m.format);
    mode.width = m.w;
    mode.height = m.h;
    mode.bitsPerPixel = bits > 16 ? int(SDL_BYTESPERPIXEL(m.format)) * 8 : (bits ? bits : 32);
    mode.refreshRate = m.refresh_rate;
  }
  stopVideo();
  return found;
}

const char* lastError() { return errorText; }

uint64_t monotonicMicroseconds() {
  using namespace std::chrono;
  return uint64_t(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void VBlankPacer::wait(int refreshRate) {
  if (refreshRate <= 0) refreshRate = 60;
  const uint64_t period = 1000000u / unsigned(refreshRate);
  const uint64_t slack = 1500;  // a present that waited for a real refresh arrives about here
  uint64_t now = monotonicMicroseconds();
  if (last_ != 0 && now + slack < last_ + period) {
    uint64_t target = last_ + period;
    std::this_thread::sleep_for(std::chrono::microseconds(target - now));
    ++waits_;
    last_ = target;
  } else {
    last_ = now;
  }
}

}  // namespace platform
