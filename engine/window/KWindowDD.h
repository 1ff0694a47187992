// The window drawn by the engine's software renderer (platform/softdd.h): a back surface, an
// optional z-buffer and a device, presented into the desktop window (flipped in full screen,
// copied when windowed). It needs no display: under SDL's offscreen driver every frame is still
// drawn and can be read back.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/softdd.h"
#include "platform/window.h"
#include "window/KWindow.h"

class KWindowDD : public KWindow {
 public:
  explicit KWindowDD(bool wantDepthBuffer = false);

  void SetDefaultWorldView() override;
  void SetWorldView(float tx, float ty, float angle, float zoom, bool clear) override;
  void SetClearColor(float r, float g, float b, float a) override;
  ~KWindowDD() override;
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

  // The device of the open software window (null while none is open): the picture and model
  // classes draw with it, and cannot load textures without it.
  static softdd::Device* GetDevice();
  softdd::Device* Device() const { return device_.get(); }
  softdd::Surface* BackSurface() const { return back_.get(); }
  // The clear colour as the device uses it: A8R8G8B8.
  uint32_t GetPackedClearColor() const { return clearColor_; }
  // Presents that waited for the next refresh tick.
  unsigned GetPacedPresents() const { return pacer_.waits(); }
  // How often the device and surfaces were rebuilt after the window surface could not be
  // restored.
  unsigned GetRebuildCount() const { return rebuilds_; }

 private:
  static intptr_t WindowProc(platform::Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam);
  intptr_t HandleMessage(uint32_t message, uintptr_t wparam, intptr_t lparam);
  bool OpenWindow();
  bool CreateSurfaces();
  void ReleaseSurfaces();
  void RestoreLostSurface();
  void DrawSoftwareCursor();
  void DrawGammaCover();

  std::unique_ptr<softdd::Surface> back_;
  std::unique_ptr<softdd::ZBuffer> zbuffer_;
  std::unique_ptr<softdd::Device> device_;
  std::unique_ptr<softdd::Texture> cursorTexture_;
  uint32_t clearColor_ = 0;
  platform::VBlankPacer pacer_;
  unsigned rebuilds_ = 0;
  static KWindowDD* active_;
};
