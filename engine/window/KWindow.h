// The engine's window: one object that owns the screen. It opens the desktop window and its
// renderer, switches between windowed and full-screen display, sets up the 2D view of each
// frame, presents the frame (frame cap, vertical sync, gamma, software cursor, the pause while
// inactive), pumps window messages and hands them to the game as KEvent records, and saves
// screenshots.
//
// KWindowGL draws with OpenGL, KWindowDD with the engine's software renderer; KTools::
// CreateWindow (KWindowFactory.h) makes the one the game asks for and records the choice for the
// engine's other factories. Everything runs on the thread that created the window.
#pragma once

#include <cstdint>

namespace platform {
class Window;
struct WindowDesc;
}

// The desktop window behind a KWindow.
using KWindowHandle = platform::Window*;

// What the game callback receives for every window message.
struct KEvent {
  // 0 other message, 1 mouse move, 2 button up, 3 button down, 5 character, 6 key down,
  // 7 key up, 8 double click, 11 mouse wheel, 12 context menu.
  int32_t type;
  // Cursor position in client pixels when the message is handled.
  int32_t x;
  int32_t y;
  int32_t button;  // 1 left, 2 right, 3 middle, 0 none
  int16_t wheelDelta;  // type 11: the high word of wparam (120 per notch, positive away from you)
  // Type 5: the character (Windows-1252); type 6: the scan-code byte; type 7: the low byte of
  // the virtual-key code.
  uint8_t character;
  uint32_t virtualKey;  // types 6 and 7: wparam
  uint32_t message;     // the window message number
  int32_t keyCode;      // types 6 and 7: the engine key code (KInput.h); else 100
  int32_t lparam;       // the message's lparam
};

// Event types.
enum : int32_t {
  K_EVENT_OTHER = 0,
  K_EVENT_MOUSEMOVE = 1,
  K_EVENT_BUTTONUP = 2,
  K_EVENT_BUTTONDOWN = 3,
  K_EVENT_CHARACTER = 5,
  K_EVENT_KEYDOWN = 6,
  K_EVENT_KEYUP = 7,
  K_EVENT_DOUBLECLICK = 8,
  K_EVENT_WHEEL = 11,
  K_EVENT_CONTEXTMENU = 12,
};

// A display mode as EnumerateDisplayModes reports it.
struct KDisplayMode {
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel;
  int32_t refreshRate;
};

// Sees every message before anything else; false ends its handling.
using KMessageHook = bool (*)(KWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam);
// The game's callback; false ends the message's handling.
using KGameCallback = bool (*)(KEvent* event);
// Called for each display mode until it returns false.
using KDisplayModeCallback = bool (*)(KDisplayMode* mode);

// Screenshot file formats.
enum : int { K_IMAGE_BMP = 0, K_IMAGE_JPEG = 1, K_IMAGE_TGA = 2, K_IMAGE_PNG = 3 };

class KWindow {
 public:
  // The world view of SetWorldView (0, 0, 0, 1, false).
  virtual void SetDefaultWorldView() = 0;
  // The 2D view of a frame: an orthographic projection of the window (y up), turned by angle
  // degrees about the screen centre, zoomed, then moved by (tx, ty); clear fills the frame with
  // the clear colour first.
  virtual void SetWorldView(float tx, float ty, float angle, float zoom, bool clear) = 0;
  virtual void SetClearColor(float r, float g, float b, float a) = 0;
  // Releases the renderer, destroys the window, gives back the desktop's display mode, raises the
  // quit flag and shows the system cursor.
  virtual ~KWindow() = default;
  // Opens the window and its renderer; depth -1 keeps the desktop's colour depth.
  virtual bool CreateGameWindow(short width, short height, short depth, bool windowed, const char* title) = 0;
  // The next window opened covers this window's client area.
  virtual void SetParentWindow(KWindowHandle parent) = 0;
  virtual void Terminate() = 0;
  // Returns whether the window is full screen after the call.
  virtual bool SetFullScreen(bool fullScreen) = 0;
  virtual bool HasFocus() = 0;
  virtual void SetTitle(const char* title) = 0;
  // Presents the frame: see KWindow.cpp.
  virtual void FlipBackBuffer(bool waitWhileInactive, bool resetView) = 0;
  // The screenshot hot key, then at most one pending message.
  virtual void ProcessEvents() = 0;
  virtual bool IsQuitting() = 0;
  virtual void SetQuit(bool quit) = 0;
  virtual KWindowHandle GetWindowHandle() = 0;
  // fps > 0: at most that many presents a second; 0: no cap; < 0: no cap and no vertical sync.
  virtual void SetMaxFrameRate(int fps) = 0;
  virtual bool HasTextureRectangle() = 0;
  virtual bool IsHardwareAccelerated() = 0;
  virtual void SetUseTextureRectangle(bool use) = 0;
  // Below 1 darkens every presented frame (0: black).
  virtual void SetGamma(float gamma) = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  virtual void Restore() = 0;
  virtual void Minimize() = 0;
  // Draws the engine's arrow at the mouse position at every present.
  virtual void SetSoftwareCursor(bool on) = 0;
  // Saves the frame being drawn (reduced to width x height when both are above 0) as BMP (0),
  // JPEG (1), TGA (2) or PNG (3).
  virtual bool SaveScreenshot(const char* path, int format, int width, int height) = 0;
  // Drawing is kept inside the rectangle (screen pixels, y down) until the next world view.
  virtual void SetClipRect(int x1, int y1, int x2, int y2) = 0;
  virtual void SetMessageHook(KMessageHook hook) = 0;
  virtual void SetGameCallback(KGameCallback callback) = 0;
  virtual void EnumerateDisplayModes(KDisplayModeCallback callback) = 0;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() = 0;

  // The minimum time between two presents in milliseconds: 0 no cap, negative no cap and no
  // vertical sync.
  int GetFrameTime() const { return frameTime_; }
  float GetGamma() const { return gamma_; }
  bool IsFullScreen() const { return fullScreen_; }

  // How the picture fills a window or a desktop larger than it (set before CreateGameWindow, or
  // at any time on an open window). The game always draws and sees its own width x height: the
  // picture is scaled into the window's real pixels with its aspect kept and bars around it,
  // sharp (whole multiples, nearest samples) or smooth (as large as fits, filtered), and the
  // mouse is mapped back to the picture (a point on the bars lies outside it). Full screen
  // covers the desktop at its own resolution.
  void SetSmoothScaling(bool smooth);
  bool GetSmoothScaling() const { return smoothScaling_; }
  // Windowed: the window is `scale` times the picture's size; 0 lets the player resize it
  // (starting at the size SetFreeWindowSize gave, else the picture's).
  void SetWindowScale(int scale);
  int GetWindowScale() const { return windowScale_; }
  void SetFreeWindowSize(int width, int height);
  // The largest multiple of the picture that fits the desktop with a window frame around it (at
  // least 1). Before the window is open, of a picture of width x height on the first display.
  int GetLargestWindowScale(int width = 0, int height = 0) const;
  // The window's client area in the desktop's points; the picture's size before it is open.
  void GetClientSize(int& width, int& height) const;

 protected:
  KWindow() = default;

  // Shared by both renderers.
  intptr_t TranslateToCallback(KWindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam,
                               bool& handled);
  void ApplyFrameCap(uint32_t presentStart);
  void WaitWhileInactive();
  bool ScreenshotKeyDown(bool orF12);
  void TakeHotKeyScreenshot(bool orF12);
  void StoreMaxFrameRate(int fps);
  // Removes, translates and dispatches one pending message: the pump KTools::WaitMs uses.
  static void PumpOneMessage();
  static void ListDisplayModes(KDisplayModeCallback callback);
  // The software cursor's arrow: 16 x 16 pixels 0xAARRGGBB, row 0 at the top.
  static const uint32_t* CursorImage();
  static constexpr int kCursorSize = 16;
  // The presentation settings for a window about to be opened.
  void DescribePresentation(platform::WindowDesc& desc) const;

  platform::Window* window_ = nullptr;
  KWindowHandle parent_ = nullptr;
  short width_ = 0, height_ = 0, depth_ = -1;
  bool fullScreen_ = false;
  bool quit_ = false;
  int32_t frameTime_ = 0;
  float gamma_ = 1.0f;
  bool softwareCursor_ = false;
  KMessageHook hook_ = nullptr;
  KGameCallback callback_ = nullptr;
  bool wantDepthBuffer_ = false;
  uint32_t lastPresent_ = 0;
  int screenshotCounter_ = 0;
  char title_[256] = {0};
  bool smoothScaling_ = true;
  int windowScale_ = 1;
  int freeWidth_ = 0, freeHeight_ = 0;
};
