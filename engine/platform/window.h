// Windows on SDL: what the engine's window classes need of a desktop window system.
//
// A Window is a desktop window with a title and a style, windowed or full screen, with either an
// OpenGL context (double-buffered, optional 16-bit depth buffer, swap interval) or a software
// surface that a caller fills and presents. Messages keep the Windows message numbers and
// parameter packing, so the engine's window procedure and a game's message hook see the values
// they were written for: SDL events are read into one message queue (non-blocking and blocking
// reads), each message is translated and dispatched to its window's procedure, one at a time.
//
// A window has a logical size (the size of the picture the engine draws). The window itself may
// be larger: a whole multiple of it, freely resized by the player, or the whole desktop in full
// screen (at the desktop's own resolution: the display mode never changes). The picture is then
// scaled into the window's real pixels (not the desktop's logical points on a high-density
// display) with its aspect kept and bars around it, sharp (whole multiples, nearest samples) or
// smooth (as large as fits, bilinear), and mouse positions are mapped back to the picture: the
// engine always sees the size it asked for, and a point on the bars lies outside it.
//
// Single-threaded: every call on the thread that created the windows. SDL's video subsystem is
// started with the first window and stays up for the rest of the process.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/scaler.h"

namespace platform {

class Window;

// Window messages, with the Windows numbers.
enum : uint32_t {
  kMsgNull = 0x0000,
  kMsgDestroy = 0x0002,
  kMsgSize = 0x0005,
  kMsgPaint = 0x000F,
  kMsgClose = 0x0010,
  kMsgQuit = 0x0012,
  kMsgShowWindow = 0x0018,
  kMsgActivateApp = 0x001C,
  kMsgContextMenu = 0x007B,
  kMsgKeyDown = 0x0100,
  kMsgKeyUp = 0x0101,
  kMsgChar = 0x0102,
  kMsgMouseMove = 0x0200,
  kMsgLButtonDown = 0x0201,
  kMsgLButtonUp = 0x0202,
  kMsgLButtonDblClk = 0x0203,
  kMsgRButtonDown = 0x0204,
  kMsgRButtonUp = 0x0205,
  kMsgRButtonDblClk = 0x0206,
  kMsgMButtonDown = 0x0207,
  kMsgMButtonUp = 0x0208,
  kMsgMButtonDblClk = 0x0209,
  kMsgMouseWheel = 0x020A,
  kMsgXButtonDown = 0x020B,
  kMsgXButtonUp = 0x020C,
  kMsgXButtonDblClk = 0x020D,
  kMsgMouseHWheel = 0x020E,
};

// wparam of kMsgSize.
enum : uint32_t { kSizeRestored = 0, kSizeMinimized = 1 };

// Key-state flags in the wparam of mouse messages.
enum : uint32_t { kMkLButton = 0x1, kMkRButton = 0x2, kMkShift = 0x4, kMkControl = 0x8, kMkMButton = 0x10 };

// One wheel notch, as the high word of a wheel message's wparam counts it.
constexpr int kWheelDelta = 120;

struct Message {
  Window* window;  // null for thread messages (quit)
  uint32_t message;
  uintptr_t wparam;
  intptr_t lparam;
};

// A window procedure; the result goes back to whoever sent the message.
using WindowProc = intptr_t (*)(Window* window, uint32_t message, uintptr_t wparam,
                                intptr_t lparam);

struct DisplayModeInfo {
  int width;
  int height;
  int bitsPerPixel;
  int refreshRate;  // Hz, 0 when the system does not say
};

struct WindowDesc {
  const char* title = "";
  int width = 640;
  int height = 480;
  int depth = -1;              // colour bits; -1 keeps the desktop's
  bool fullScreen = false;     // covers the desktop at its own resolution
  bool opengl = false;         // an OpenGL context instead of a software surface
  bool depthBuffer = false;    // OpenGL: a 16-bit depth buffer
  bool hidden = false;         // created without being shown (and without taking the foreground)
  bool borderless = false;     // a pop-up without caption
  bool positioned = false;     // at (x, y) instead of centred on the desktop
  int x = 0;
  int y = 0;
  Window* parent = nullptr;    // covers the parent's client area
  Scaling scaling = Scaling::Smooth;
  // Windowed: the client area is this multiple of width x height (in the desktop's points);
  // 0 lets the player resize the window, starting at windowWidth x windowHeight when both are
  // set (else at width x height).
  int windowScale = 1;
  int windowWidth = 0;
  int windowHeight = 0;
};

// Where the logical picture lies in the window's drawable, in drawable pixels with the origin
// at the bottom-left corner (as OpenGL counts).
struct Viewport {
  int x, y, width, height;
};

class Window {
 public:
  // Opens a window; null when SDL cannot (lastError says why). An OpenGL window whose pixel
  // format cannot be had is asked for once more with every optional attribute at zero.
  static Window* create(const WindowDesc& desc);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The procedure that dispatchMessage calls for this window, with a pointer for its owner.
  void setProc(WindowProc proc, void* user);
  void* user() const { return user_; }
  WindowProc proc() const { return proc_; }

  void setTitle(const char* title);
  void show(bool visible);
  bool visible() const;
  void minimize();
  void restore();
  bool minimized() const;
  // Whether this window is the one that receives input. Under the offscreen and dummy drivers
  // nothing ever takes the foreground away, so a shown window stays in it.
  bool foreground() const { return foreground_; }

  // The logical size: the picture's.
  int width() const { return width_; }
  int height() const { return height_; }
  // The window's client area in real pixels (OpenGL: the drawable; software: its surface).
  void drawableSize(int& width, int& height) const;
  // The client area in the desktop's points (the unit of mouse events and window sizes).
  void clientSize(int& width, int& height) const;
  // Where the picture lies in the drawable, top-left origin.
  PictureRect pictureRect() const;
  // The same with the origin at the bottom-left corner (as OpenGL counts).
  Viewport viewport() const;
  // Whether the picture is shown at another size than its own (a scaled present is needed).
  bool scaled() const;
  // Client position of a point given in window points, in logical pixels (outside the picture
  // for a point on the bars).
  void toLogical(int windowX, int windowY, int& x, int& y) const;

  void setScaling(Scaling scaling);
  Scaling scaling() const { return scaling_; }
  // Windowed: the client area becomes scale x the logical size (0: resizable by the player).
  // Applied at once when windowed, else when full screen is left.
  void setWindowScale(int scale);
  int windowScale() const { return windowScale_; }
  // The largest whole multiple of the logical size that fits the usable area of the window's
  // display (at least 1).
  int largestWindowScale() const;

  // Full screen over the whole desktop at its own resolution (no display-mode switch; width,
  // height and depth are the picture's). Leaving full screen restores the window at its
  // multiple of the given size (or the size the player gave it) and centres it. False when the
  // system refuses twice; the window keeps its mode.
  bool setFullScreen(bool fullScreen, int width, int height, int depth);
  bool fullScreen() const { return fullScreen_; }
  // Full screen never changes the display mode, so losing activation has no mode to give back:
  // these only keep a window that left full screen behind the player's back in it.
  void releaseDisplayMode();
  void reclaimDisplayMode();
  // Refresh rate of the window's display, 60 when unknown.
  int refreshRate() const;

  // OpenGL windows.
  bool isOpenGL() const { return glContext_ != nullptr; }
  bool makeCurrent();
  void swapBuffers();
  // False when the system cannot set the swap interval.
  bool setSwapInterval(int interval);

  // Software windows: copies a 32-bit X8R8G8B8 picture of the logical size into the window and
  // shows it. False when the window's surface is lost (see surfaceLost).
  bool present(const uint32_t* pixels, int pitchPixels);
  // The window's surface becomes invalid when the system resizes or recreates the window; it
  // must be restored before the next present. restoreSurface fails when no surface can be had.
  bool surfaceLost() const { return surfaceLost_; }
  bool restoreSurface();
  // Marks the surface lost as the system does; with restorable false the next restore fails too,
  // as when the system cannot give the window a surface again. Tests use it.
  void loseSurface(bool restorable = true) {
    surfaceLost_ = true;
    surfaceGone_ = !restorable;
  }
  // The last picture presented, read back from the window (X8R8G8B8, logical size); false when
  // there is none or the picture is shown scaled.
  bool readPresented(uint32_t* pixels) const;
  // The whole client area as last presented, bars included (X8R8G8B8, drawable size).
  bool readWindow(std::vector<uint32_t>& pixels, int& width, int& height) const;
  // How many software presents went through the scaler (tests, diagnostics).
  unsigned scaledPresents() const { return scaledPresents_; }

  // An OpenGL function of the window's context; null when the driver has none by that name.
  void* glFunction(const char* name) const;

  uint32_t id() const { return id_; }

  // Used by the event reader.
  void noteFocus(bool focused) { foreground_ = focused; }
  void noteSizeChanged();

 private:
  Window() = default;
  void* sdl_ = nullptr;        // SDL_Window
  void* glContext_ = nullptr;  // SDL_GLContext
  uint32_t id_ = 0;
  WindowProc proc_ = nullptr;
  void* user_ = nullptr;
  int width_ = 0, height_ = 0, depth_ = -1;
  bool fullScreen_ = false;
  bool foreground_ = false;
  bool surfaceLost_ = false;
  bool surfaceGone_ = false;
  bool softwareSurface_ = false;
  Scaling scaling_ = Scaling::Smooth;
  int windowScale_ = 1;
  // The software present fills the bars once per surface and picture rectangle.
  const void* barsSurface_ = nullptr;
  PictureRect barsRect_{0, 0, 0, 0};
  unsigned scaledPresents_ = 0;
  void applyWindowSize();
};

// The message queue. pumpEvents reads every pending SDL event into it (and the device state of
// input.h with it); peekMessage pumps, then looks at the first message and removes it when asked;
// waitMessage blocks until a message arrives or the timeout (milliseconds, negative = none)
// passes, and removes it.
void pumpEvents();
bool peekMessage(Message& message, bool remove);
bool waitMessage(Message& message, int timeoutMs);
void postMessage(Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam);
void postQuitMessage(int exitCode);
// Key-down messages produce the character messages the keys type (Backspace, Tab, Return,
// Escape, Control with a letter); they are read next. Other characters come with the text typed.
void translateMessage(const Message& message);
// Calls the message's window procedure (nothing for thread messages or windows gone since).
intptr_t dispatchMessage(const Message& message);
intptr_t sendMessage(Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam);
// What a window does with a message its procedure does not handle: a right-button release (or
// the menu key) asks for the context menu; everything else is ignored.
intptr_t defaultWindowProc(Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam);

// The largest whole multiple of logicalW x logicalH whose window (with a frame of the given size
// around it) fits the usable area of a display; at least 1.
int largestWindowScaleOn(int display, int logicalW, int logicalH, int frameW, int frameH);

// True for a window still open.
bool windowAlive(const Window* window);

// The video driver needs no display (offscreen, dummy).
bool headlessVideo();

// Display modes of the first display, in the system's order (starts the video subsystem for
// the call when no window is open). False past the last mode.
bool displayMode(int index, DisplayModeInfo& mode);

const char* lastError();

// Waits for the next refresh of a display that cannot make a present wait for it: sleeps until
// one refresh period has passed since the previous present. A present that already waited (a
// real vertical sync) is not held back a second time.
class VBlankPacer {
 public:
  void wait(int refreshRate);
  void reset() { last_ = 0; }
  // How many presents were held back, for tests and diagnostics.
  unsigned waits() const { return waits_; }

 private:
  uint64_t last_ = 0;  // microseconds
  unsigned waits_ = 0;
};

// Microseconds of the monotonic clock.
uint64_t monotonicMicroseconds();

}  // namespace platform
