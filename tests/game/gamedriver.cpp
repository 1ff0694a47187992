#include "gamedriver.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "../../engine/platform/window.h"
#include "career/world.h"
#include "graphics/KGraphic.h"
#include "graphics/KGraphicFactory.h"
#include "image/KImage.h"
#include "platform/scaler.h"
#include "saves/options.h"
#include "saves/preferences.h"
#include "window/KWindowGL.h"
#include "shell/app.h"
#include "support/testenv.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "window/KWindow.h"

namespace {
// Microseconds. Every reading moves the clock on by 50 us, so that the engine's waits (which
// read the clock until enough time has passed) end; frames move it by the frame step.
uint64_t fakeMicros = 1000000;
uint64_t fakeClock() {
  fakeMicros += 50;
  return fakeMicros / 1000;
}
}  // namespace

GameDriver::GameDriver() {
  setEnv("HOME", home_.path().c_str());
  setEnv(kUserDataRootVariable, (home_.path() + "/data").c_str());
  KTools::SetClockSource(fakeClock);
  KTools::InitClock();
}

GameDriver::~GameDriver() {
  app::shutdown();
  KTools::SetClockSource(nullptr);
  KTools::InitClock();
}

namespace {
// A program starts with no overlay open; an earlier test in this process may have left one (a
// message pop-up left open would take the launcher's first click for itself). Test programs
// run their cases in another order on each system: MinGW's start-up registers the files'
// tests last to first.
void closeOverlays() {
  popup = 0;
  messagePopup = 0;
  profilePanel = 0;
  gameOver = 0;
  inGameMenu = 0;
}
}  // namespace

bool GameDriver::startLauncher() {
  closeOverlays();
  inLauncher_ = true;
  running_ = app::startLauncher();
  if (running_) gameWindow->SetMaxFrameRate(-1);
  return running_;
}

bool GameDriver::bootGame(bool openGL) {
  closeOverlays();
  loadPreferences();
  preferences.useDirectX = openGL ? 0 : 1;
  preferences.windowed = 1;
  quitFlag = 0;
  inLauncher_ = false;
  openGL_ = openGL;
  running_ = app::openGameWindow();
  if (running_) gameWindow->SetMaxFrameRate(-1);
  return running_;
}

bool GameDriver::bootGameInWindow(bool openGL, int width, int height, bool smooth) {
  gameOptions = GameOptions{};
  gameOptions.windowSize = kWindowSizeFree;
  gameOptions.windowWidth = width;
  gameOptions.windowHeight = height;
  gameOptions.smoothScaling = smooth;
  userFolder();
  saveOptions();
  return bootGame(openGL);
}

void GameDriver::toWindow(int x, int y, int& wx, int& wy) {
  wx = x;
  wy = y;
  if (!gameWindow) return;
  const int lw = gameWindow->GetWidth(), lh = gameWindow->GetHeight();
  int cw = lw, ch = lh;
  gameWindow->GetClientSize(cw, ch);
  if (cw == lw && ch == lh) return;
  const platform::PictureRect r = platform::fitPicture(
      lw, lh, cw, ch, gameWindow->GetSmoothScaling() ? platform::Scaling::Smooth : platform::Scaling::Sharp);
  wx = r.x + int((int64_t(x) * 2 + 1) * r.width / (2 * lw));
  wy = r.y + int((int64_t(y) * 2 + 1) * r.height / (2 * lh));
}

void GameDriver::pushMotion(int wx, int wy) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = windowId();
  e.motion.x = wx;
  e.motion.y = wy;
  push(e);
}

void GameDriver::moveInWindow(int wx, int wy) {
  pushMotion(wx, wy);
  frame(2);
}

void GameDriver::clickInWindow(int wx, int wy) {
  moveInWindow(wx, wy);
  pushButton(true, wx, wy);
  frame();
  pushButton(false, wx, wy);
  frame();
  frame();
}

bool GameDriver::windowPixels(std::vector<uint32_t>& px, int& width, int& height) {
  if (!gameWindow) return false;
  frame();
  if (openGL_) {
    std::vector<uint32_t> up;
    if (!static_cast<KWindowGL*>(gameWindow)->ReadPresentedWindow(up, width, height)) return false;
    px.resize(up.size());
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        px[size_t(y) * size_t(width) + size_t(x)] = up[size_t(height - 1 - y) * size_t(width) + size_t(x)] & 0xFFFFFF;
    return true;
  }
  if (!gameWindow->GetWindowHandle()->readWindow(px, width, height)) return false;
  for (uint32_t& p : px) p &= 0xFFFFFF;
  return true;
}

void GameDriver::keepWindowScreenshot(const std::string& name) {
  const char* dir = std::getenv("BRAWNMOOR_SCREENS_DIR");
  if (!dir || !*dir) return;
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  if (!windowPixels(px, w, h)) return;
  // The engine's image writer takes B, G, R, A bytes, rows from the bottom up.
  std::vector<uint32_t> up(px.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) up[size_t(h - 1 - y) * size_t(w) + size_t(x)] = px[size_t(y) * size_t(w) + size_t(x)] | 0xFF000000u;
  const std::string path = std::string(dir) + "/" + name + ".png";
  KImage::SaveImage(reinterpret_cast<const uint8_t*>(up.data()), w, h, path.c_str(), K_IMAGE_PNG);
}

bool GameDriver::frame(int count) {
  for (int i = 0; i < count && running_; ++i) {
    fakeMicros += step_ * 1000;
    running_ = inLauncher_ ? app::launcherFrame() : app::mainFrame();
  }
  return running_;
}

bool GameDriver::quickStart() {
  frame(2);
  if (screenState != kMainMenuScreen) return false;
  clickHotspot(3);
  return screenState == kBoxerScreen;
}

void GameDriver::advanceClock(uint64_t ms) { fakeMicros += ms * 1000; }

uint32_t GameDriver::windowId() { return gameWindow ? gameWindow->GetWindowHandle()->id() : 0; }

void GameDriver::push(SDL_Event& e) { SDL_PushEvent(&e); }

void GameDriver::move(int x, int y) {
  int wx, wy;
  toWindow(x, y, wx, wy);
  pushMotion(wx, wy);
  frame(2);  // the message is dispatched at the end of the first frame, seen by the second
}

void GameDriver::pushButton(bool down, int wx, int wy) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = windowId();
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = wx;
  e.button.y = wy;
  push(e);
}

void GameDriver::press(int x, int y) {
  int wx, wy;
  toWindow(x, y, wx, wy);
  pushButton(true, wx, wy);
  frame();
}

void GameDriver::release(int x, int y) {
  int wx, wy;
  toWindow(x, y, wx, wy);
  pushButton(false, wx, wy);
  frame();
}

void GameDriver::click(int x, int y) {
  move(x, y);
  press(x, y);
  release(x, y);
  frame();
}

void GameDriver::clickHotspot(int index) {
  const Hotspot& h = hotspots[index];
  click(h.x + h.width / 2, h.y + h.height / 2);
}

void GameDriver::pushKey(bool down, SDL_Scancode scancode, SDL_Keycode sym) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = windowId();
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = sym;
  push(e);
}

void GameDriver::pushText(char c) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = windowId();
  e.text.text[0] = c;
  push(e);
}

void GameDriver::keyDown(SDL_Scancode scancode, SDL_Keycode sym) {
  pushKey(true, scancode, sym);
  frame();
}

void GameDriver::keyUp(SDL_Scancode scancode, SDL_Keycode sym) {
  pushKey(false, scancode, sym);
  frame();
}

void GameDriver::key(SDL_Scancode scancode, SDL_Keycode sym) {
  keyDown(scancode, sym);
  keyUp(scancode, sym);
  frame();
}

void GameDriver::tap(SDL_Scancode scancode, SDL_Keycode sym) {
  pushKey(true, scancode, sym);
  pushKey(false, scancode, sym);
  frame(5);  // read at the end of the first frame, seen by the second; three messages
}

void GameDriver::quickClick(int x, int y) {
  move(x, y);
  int wx, wy;
  toWindow(x, y, wx, wy);
  pushButton(true, wx, wy);
  pushButton(false, wx, wy);
  frame(4);
}

void GameDriver::type(const std::string& text) {
  for (char c : text) {
    pushText(c);
    frame();
  }
}

void GameDriver::typeKeys(const std::string& text) {
  for (char c : text) {
    const char lower = char(std::tolower(uint8_t(c)));
    const bool letter = lower >= 'a' && lower <= 'z';
    const SDL_Scancode scancode = letter ? SDL_Scancode(SDL_SCANCODE_A + (lower - 'a')) : SDL_SCANCODE_SPACE;
    const SDL_Keycode sym = letter ? SDL_Keycode(lower) : SDLK_SPACE;
    pushKey(true, scancode, sym);
    pushText(c);
    pushKey(false, scancode, sym);
  }
  frame(int(text.size()) * 3 + 2);
}

std::vector<uint32_t> GameDriver::pixels() {
  std::vector<uint32_t> out;
  std::string path = home_.file("frame.bmp");
  if (!screenshot(path)) return out;
  SDL_Surface* s = SDL_LoadBMP(path.c_str());
  if (!s) return out;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(s);
  if (!rgb) return out;
  out.resize(size_t(rgb->w) * rgb->h);
  for (int y = 0; y < rgb->h; ++y)
    std::memcpy(&out[size_t(y) * rgb->w], static_cast<uint8_t*>(rgb->pixels) + size_t(y) * rgb->pitch, size_t(rgb->w) * 4);
  for (uint32_t& p : out) p &= 0xFFFFFF;
  SDL_FreeSurface(rgb);
  return out;
}

bool GameDriver::screenshot(const std::string& path) {
  if (!gameWindow) return false;
  app::requestScreenshot(path.c_str());
  frame();
  return app::lastScreenshotSaved();
}

void GameDriver::keepScreenshot(const std::string& name) {
  const char* dir = std::getenv("BRAWNMOOR_SCREENS_DIR");
  if (!dir || !*dir) return;
  const char* renderer = inLauncher_ ? "launcher" : openGL_ ? "opengl" : "software";
  screenshot(std::string(dir) + "/" + name + "-" + renderer + ".png");
}

double GameDriver::meanBrightness(int x, int y, int w, int h) {
  const std::vector<uint32_t> px = pixels();
  if (px.size() < size_t(800) * 600 || w <= 0 || h <= 0) return -1;
  double sum = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      const uint32_t p = px[size_t(j) * 800 + size_t(i)];
      sum += ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
    }
  return sum / (3.0 * w * h);
}

std::vector<DrawnText> GameDriver::drawnText() {
  static DrawnTextLog log;
  log.count = 0;
  drawnTextLog = &log;
  frame();
  drawnTextLog = nullptr;
  return std::vector<DrawnText>(log.lines, log.lines + std::min(log.count, DrawnTextLog::kCapacity));
}
