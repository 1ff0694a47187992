// The window with an OpenGL 1.x context (fixed-function, immediate mode).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window.h"
#include "window/KWindow.h"

class KWindowGL : public KWindow {
 public:
  explicit KWindowGL(bool wantDepthBuffer = false);

  void SetDefaultWorldView() override;
  void SetWorldView(float tx, float ty, float angle, float zoom, bool clear) override;
  void SetClearColor(float r, float g, float b, float a) override;
  ~KWindowGL() override;
  bool CreateGameWindow(short width, short height, short depth, bool windowed, const char* title) override;
  void SetParentWindow(KWindowHandle parent) override;
  void Terminate() override;
  bool SetFullScreen(bool fullScreen) override;
  bool HasFocus() override;
  void SetTitle(const char* title) override;
  void FlipBackBuffer(bool waitWhileInactive, bool resetView) override;
  void ProcessEvents() override;
  bool IsQuitting() override;
  void SetQuit(bool quit) override;
  KWindowHandle GetWindowHandle() override;
  void SetMaxFrameRate(int fps) override;
  bool HasTextureRectangle() override;
  bool IsHardwareAccelerated() override;
  void SetUseTextureRectangle(bool use) override;
  void SetGamma(float gamma) override;
  int GetWidth() override;
  int GetHeight() override;
  void Restore() override;
  void Minimize() override;
  void SetSoftwareCursor(bool on) override;
  bool SaveScreenshot(const char* path, int format, int width, int height) override;
  void SetClipRect(int x1, int y1, int x2, int y2) override;
  void SetMessageHook(KMessageHook hook) override;
  void SetGameCallback(KGameCallback callback) override;
  void EnumerateDisplayModes(KDisplayModeCallback callback) override;
  void Show(bool visible) override;
  bool IsVisible() override;

  // What the context offers, for tests and diagnostics.
  bool HasSwapControl() const { return swapControl_; }
  int GetSwapInterval() const { return swapInterval_; }
  // Presents that were held back to the display's refresh because the swap did not wait.
  unsigned GetPacedPresents() const { return pacer_.waits(); }
  // Reads a rectangle of the frame being drawn (screen pixels, rows from the bottom up) as
  // 0xAARRGGBB words; false without a context.
  bool ReadBackBuffer(int x, int y, int width, int height, uint32_t* pixels);
  // Whether frames are drawn into an offscreen picture of the window's logical size and scaled
  // into the window at the present (the window is another size and the context can).
  bool DrawsOffscreen() const { return offscreen_; }
  // The whole window as the next present shows it, bars included (0xAARRGGBB, rows from the
  // bottom up, drawable size); the frame being drawn stays as it is.
  bool ReadPresentedWindow(std::vector<uint32_t>& pixels, int& width, int& height);

  // The title of the window that probes for hardware acceleration.
  static const char* const kEngineBanner;

 private:
  static intptr_t WindowProc(platform::Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam);
  intptr_t HandleMessage(uint32_t message, uintptr_t wparam, intptr_t lparam);
  void SetSwapInterval(int interval);
  void DrawSoftwareCursor();
  void DrawGammaCover();
  void ApplyViewport();
  // The offscreen picture: made when the window first needs it, bound while frames are drawn.
  bool CreateOffscreenTarget();
  void ReleaseOffscreenTarget();
  void UseOffscreenTarget(bool use);
  // Draws the offscreen picture scaled into the window's default frame buffer.
  void ComposeScaledFrame();
  platform::Viewport RenderViewport() const;

  bool swapControl_ = false;
  int swapInterval_ = -1;
  bool rectangleTextures_ = false;
  bool hardwareAccelerated_ = true;
  bool contextReady_ = false;
  bool probe_ = false;
  bool inPaint_ = false;
  float clearColor_[4] = {0, 0, 0, 0};
  unsigned cursorTexture_ = 0;
  bool offscreen_ = false;        // the offscreen picture is bound for drawing
  bool offscreenFailed_ = false;  // the context has no frame buffer objects: scale by viewport
  unsigned targetFrameBuffer_ = 0, targetTexture_ = 0, targetDepth_ = 0;
  int targetTextureWidth_ = 0, targetTextureHeight_ = 0;
  struct FrameBufferFunctions* fbo_ = nullptr;
  platform::VBlankPacer pacer_;
};
