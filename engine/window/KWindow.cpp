// What both renderers' windows share: the window procedure's translation of messages for the
// game callback, the frame cap, the pause while inactive and the screenshot hot key.
#include "window/KWindow.h"

#include <cstdio>

#include "platform/input.h"
#include "platform/window.h"
#include "tools/KTools.h"
#include "window/KInput.h"

intptr_t KWindow::TranslateToCallback(KWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam,
                                      bool& handled) {
  handled = false;
  // The hook sees every message first.
  if (hook_ && !hook_(window, message, wparam, lparam)) {
    handled = true;
    return 0;
  }
  if (!callback_) return 0;
  KEvent e{};
  e.type = K_EVENT_OTHER;
  e.button = 0;
  e.keyCode = K_VK_ERROR;
  e.message = message;
  e.lparam = int32_t(lparam);
  int x = 0, y = 0;
  platform::cursorPosition(window, x, y);
  e.x = x;
  e.y = y;
  switch (message) {
    case platform::kMsgContextMenu:
      e.type = K_EVENT_CONTEXTMENU;
      break;
    case platform::kMsgKeyDown:
      e.type = K_EVENT_KEYDOWN;
      e.virtualKey = uint32_t(wparam);
      e.keyCode = KInput::KeyCodeFromVirtualKey(int(wparam));
      e.character = uint8_t((lparam >> 16) & 0xFF);
      break;
    case platform::kMsgKeyUp:
      e.type = K_EVENT_KEYUP;
      e.keyCode = KInput::KeyCodeFromVirtualKey(int(wparam));
      e.virtualKey = uint32_t(wparam);
      e.character = uint8_t(wparam & 0xFF);
      break;
    case platform::kMsgChar:
      e.type = K_EVENT_CHARACTER;
      e.character = uint8_t(wparam & 0xFF);
      break;
    case platform::kMsgMouseMove:
      e.type = K_EVENT_MOUSEMOVE;
      break;
    case platform::kMsgLButtonDown:
      e.type = K_EVENT_BUTTONDOWN;
      e.button = 1;
      break;
    case platform::kMsgRButtonDown:
      e.type = K_EVENT_BUTTONDOWN;
      e.button = 2;
      break;
    case platform::kMsgMButtonDown:
      e.type = K_EVENT_BUTTONDOWN;
      e.button = 3;
      break;
    case platform::kMsgLButtonUp:
      e.type = K_EVENT_BUTTONUP;
      e.button = 1;
      break;
    case platform::kMsgRButtonUp:
      e.type = K_EVENT_BUTTONUP;
      e.button = 2;
      break;
    case platform::kMsgMButtonUp:
      e.type = K_EVENT_BUTTONUP;
      e.button = 3;
      break;
    case platform::kMsgLButtonDblClk:
      e.type = K_EVENT_DOUBLECLICK;
      e.button = 1;
      break;
    case platform::kMsgRButtonDblClk:
      e.type = K_EVENT_DOUBLECLICK;
      e.button = 2;
      break;
    case platform::kMsgMouseWheel:
      e.type = K_EVENT_WHEEL;
      e.wheelDelta = int16_t(uint16_t(wparam >> 16));
      KInput::SetWheelDelta(e.wheelDelta);
      break;
    default:
      break;  // every other message, the middle double click among them, comes as type 0
  }
  if (!callback_(&e)) {
    handled = true;
    return 0;
  }
  return 0;
}

void KWindow::PumpOneMessage() {
  platform::Message m;
  if (platform::peekMessage(m, true) && m.message != platform::kMsgQuit) {
    platform::translateMessage(m);
    platform::dispatchMessage(m);
  }
}

void KWindow::StoreMaxFrameRate(int fps) {
  if (fps > 0)
    frameTime_ = 1000 / fps;
  else if (fps == 0)
    frameTime_ = 0;
  else
    frameTime_ = fps;
}

void KWindow::ApplyFrameCap(uint32_t presentStart) {
  if (frameTime_ > 0 && int32_t(presentStart - lastPresent_) <= frameTime_) {
    int32_t elapsed = int32_t(KTools::GetMilliseconds() - lastPresent_);
    // Waits on the engine clock; with the system clock it sleeps between readings instead of
    // keeping a core busy.
    if (elapsed < frameTime_) KTools::WaitMs(uint32_t(frameTime_ - elapsed), false);
  }
  lastPresent_ = KTools::GetMilliseconds();
}

void KWindow::WaitWhileInactive() {
  if (!window_ || !platform::windowAlive(window_) || window_->foreground()) return;
  // Everything waits for the window to come back; closing it (or a quit) ends the wait too.
  platform::Message m;
  while (platform::windowAlive(window_) && !window_->foreground() && !quit_) {
    if (!platform::waitMessage(m, 250)) continue;
    if (m.message == platform::kMsgQuit) break;
    platform::translateMessage(m);
    platform::dispatchMessage(m);
  }
  KTools::ResyncClock();
}

bool KWindow::ScreenshotKeyDown(bool orF12) {
  return KInput::IsKeyDown(K_VK_L_SHIFT) &&
         (KInput::IsKeyDown(K_VK_SNAPSHOT) || (orF12 && KInput::IsKeyDown(K_VK_F12)));
}

void KWindow::TakeHotKeyScreenshot(bool orF12) {
  ++screenshotCounter_;
  char name[64];
  std::snprintf(name, sizeof name, "screenshot%d.tga", screenshotCounter_);
  char path[1024];
  std::snprintf(path, sizeof path, "%s", KTools::GetDataPath(name));
  if (!SaveScreenshot(path, K_IMAGE_TGA, 0, 0)) {
    // An installed program's folder is not the player's to write: the program's own folder of
    // the player's data then (created if need be), never the shared data folder itself.
    const char* folder = KTools::GetProgramUserFolder();
    if (folder[0]) {
      std::snprintf(path, sizeof path, "%s/%s", folder, name);
      KTools::ConvertSlashes(path);
      SaveScreenshot(path, K_IMAGE_TGA, 0, 0);
    }
  }
  KInput::WaitKeyReleased(K_VK_SNAPSHOT);
  if (orF12) KInput::WaitKeyReleased(K_VK_F12);
  KInput::WaitKeyReleased(K_VK_L_SHIFT);
}

void KWindow::ListDisplayModes(KDisplayModeCallback callback) {
  if (!callback) return;
  platform::DisplayModeInfo info;
  for (int i = 0; platform::displayMode(i, info); ++i) {
    KDisplayMode mode{info.width, info.height, info.bitsPerPixel, info.refreshRate};
    if (!callback(&mode)) break;
  }
}

const uint32_t* KWindow::CursorImage() {
  // L opaque white, D opaque black, . transparent.
  static const char* const rows[kCursorSize] = {
      "LL..............", "LDL.............", "LDDL............", "LDDDL...........",
      "LDDDDL..........", "LDDDDDL.........", "LDDDDDDL........", "LDDDDDDDL.......",
      "LDDDDDDDDL......", "LDDDDDDDL.......", "LDDDDDLL........", "LDDDDDL.........",
      "LDDLDL..........", "LDL.L...........", "LL..............", "................",
  };
  static uint32_t pixels[kCursorSize * kCursorSize];
  static bool built = false;
  if (!built) {
    for (int y = 0; y < kCursorSize; ++y)
      for (int x = 0; x < kCursorSize; ++x) {
        char c = rows[y][x];
        pixels[y * kCursorSize + x] = c == 'L' ? 0xFFFFFFFFu : (c == 'D' ? 0xFF000000u : 0u);
      }
    built = true;
  }
  return pixels;
}

void KWindow::SetSmoothScaling(bool smooth) {
  smoothScaling_ = smooth;
  if (window_) window_->setScaling(smooth ? platform::Scaling::Smooth : platform::Scaling::Sharp);
}

void KWindow::SetWindowScale(int scale) {
  windowScale_ = scale < 0 ? 0 : scale;
  if (window_) window_->setWindowScale(windowScale_);
}

void KWindow::SetFreeWindowSize(int width, int height) {
  freeWidth_ = width;
  freeHeight_ = height;
}

int KWindow::GetLargestWindowScale(int width, int height) const {
  if (window_) return window_->largestWindowScale();
  return platform::largestWindowScaleOn(0, width > 0 ? width : width_, height > 0 ? height : height_, 0, 0);
}

void KWindow::GetClientSize(int& width, int& height) const {
  width = width_;
  height = height_;
  if (window_) window_->clientSize(width, height);
}

void KWindow::DescribePresentation(platform::WindowDesc& d) const {
  d.scaling = smoothScaling_ ? platform::Scaling::Smooth : platform::Scaling::Sharp;
  d.windowScale = windowScale_;
  d.windowWidth = freeWidth_;
  d.windowHeight = freeHeight_;
}
