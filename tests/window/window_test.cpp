// KWindow with both renderers: frame cap and vertical sync, events injected through SDL and
// what the game callback receives, closing, gamma, screenshots in every format, windowed and
// full screen, the clip rectangle, the world view, the software cursor, the pause while
// inactive, the software renderer's rebuild. Pixels are read back from the frame.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "painter.h"
#include "platform/input.h"
#include "platform/window.h"
#include "support/tempdir.h"
#include "tools/KTools.h"
#include "window/KInput.h"
#include "window/KScreen.h"
#include "window/KWindowDD.h"
#include "window/KWindowFactory.h"
#include "window/KWindowGL.h"
#include "support/renderers.h"

namespace {

constexpr int kW = 320, kH = 240;

std::vector<KEvent> events;
bool callbackResult = true;
bool callbackSeesClose = false;
bool onEvent(KEvent* e) {
  events.push_back(*e);
  if (e->message == platform::kMsgClose) callbackSeesClose = true;
  return callbackResult;
}

bool hookResult = true;
int hookCalls = 0;
bool onMessage(KWindowHandle, uint32_t, uintptr_t, intptr_t) {
  ++hookCalls;
  return hookResult;
}

// A test clock: it either ticks one millisecond per reading or stands where the test puts it.
std::atomic<uint64_t> fakeNow{1000};
std::atomic<bool> fakeTicks{true};
uint64_t fakeClock() { return fakeTicks ? fakeNow.fetch_add(1) : fakeNow.load(); }

int reloads = 0;
void countReload() { ++reloads; }

const KEvent* find(uint32_t message) {
  for (const KEvent& e : events)
    if (e.message == message) return &e;
  return nullptr;
}

int channelDiff(uint32_t a, uint32_t b) {
  int d = 0;
  for (int s = 0; s < 24; s += 8) d = std::max(d, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
  return d;
}

class WindowTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    events.clear();
    callbackResult = true;
    hookResult = true;
    hookCalls = 0;
    reloads = 0;
    window_ = KTools::CreateWindow(GetParam() ? 1 : 0, 1);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(window_->CreateGameWindow(kW, kH, 32, true, "Brawnmoor window test")) << platform::lastError();
    window_->SetGameCallback(onEvent);
    drain();
  }
  void TearDown() override {
    delete window_;
    KTools::SetClockSource(nullptr);
    KTools::InitClock();
    KScreen::SetTextureReloader(nullptr);
  }

  bool gl() const { return GetParam(); }
  uint32_t id() { return window_->GetWindowHandle()->id(); }

  // Dispatches what is pending (one message per call, as the frame loop does).
  void pump(int calls = 40) {
    for (int i = 0; i < calls; ++i) window_->ProcessEvents();
  }
  void drain() {
    pump(60);
    events.clear();
  }
  void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
  void pushKey(SDL_Scancode sc, SDL_Keycode sym, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = id();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = sc;
    e.key.keysym.sym = sym;
    push(e);
  }
  void pushButton(uint8_t button, bool down, int x, int y, uint8_t clicks = 1) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = id();
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    push(e);
  }
  void pushMotion(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = id();
    e.motion.x = x;
    e.motion.y = y;
    push(e);
  }
  void pushWindowEvent(uint8_t what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = id();
    e.window.event = what;
    push(e);
  }

  // The frame being drawn, rows from the top, 0xRRGGBB.
  std::vector<uint32_t> frame() {
    std::vector<uint32_t> px(size_t(kW) * kH);
    if (gl()) {
      std::vector<uint32_t> up(px.size());
      EXPECT_TRUE(static_cast<KWindowGL*>(window_)->ReadBackBuffer(0, 0, kW, kH, up.data()));
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) px[size_t(y) * kW + size_t(x)] = up[size_t(kH - 1 - y) * kW + size_t(x)];
    } else {
      softdd::Surface* s = static_cast<KWindowDD*>(window_)->BackSurface();
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) px[size_t(y) * kW + size_t(x)] = s->row(y)[x];
    }
    for (uint32_t& p : px) p &= 0xFFFFFFu;
    return px;
  }
  static uint32_t at(const std::vector<uint32_t>& f, int x, int y) { return f[size_t(y) * kW + size_t(x)]; }

  // Four quadrants red, green, blue, white on a cleared frame, with a magenta pixel at (5, 5).
  void drawQuadrants() {
    window_->SetClearColor(0, 0, 0, 1);
    window_->SetWorldView(0, 0, 0, 1, true);
    auto p = Painter::Create(window_);
    p->FillRect(0, 0, kW / 2, kH / 2, 1, 0, 0, 1);
    p->FillRect(kW / 2, 0, kW, kH / 2, 0, 1, 0, 1);
    p->FillRect(0, kH / 2, kW / 2, kH, 0, 0, 1, 1);
    p->FillRect(kW / 2, kH / 2, kW, kH, 1, 1, 1, 1);
    p->FillRect(5, 5, 6, 6, 1, 0, 1, 1);
  }

  unsigned pacedPresents() {
    return gl() ? static_cast<KWindowGL*>(window_)->GetPacedPresents()
                : static_cast<KWindowDD*>(window_)->GetPacedPresents();
  }

  KWindow* window_ = nullptr;
};

}  // namespace

TEST_P(WindowTest, MaxFrameRate60SpacesPresents16Milliseconds) {
  window_->SetMaxFrameRate(60);
  EXPECT_EQ(window_->GetFrameTime(), 16);
  fakeTicks = true;
  KTools::SetClockSource(fakeClock);
  KTools::InitClock();
  window_->FlipBackBuffer(false, true);
  uint32_t t0 = KTools::GetMilliseconds();
  window_->FlipBackBuffer(false, true);
  uint32_t t1 = KTools::GetMilliseconds();
  EXPECT_GE(t1 - t0, 16u);
  EXPECT_LE(t1 - t0, 24u);
}

TEST_P(WindowTest, NegativeFrameRateLeavesPresentsUncappedWithoutVerticalSync) {
  // With vertical sync (frame time 0) presents wait for the refresh.
  window_->SetMaxFrameRate(0);
  unsigned before = pacedPresents();
  for (int i = 0; i < 3; ++i) window_->FlipBackBuffer(false, true);
  EXPECT_GT(pacedPresents(), before);

  window_->SetMaxFrameRate(-1);
  EXPECT_LT(window_->GetFrameTime(), 0);
  if (gl() && static_cast<KWindowGL*>(window_)->HasSwapControl()) {
    EXPECT_EQ(static_cast<KWindowGL*>(window_)->GetSwapInterval(), 0);
  }
  fakeTicks = true;
  KTools::SetClockSource(fakeClock);
  KTools::InitClock();
  before = pacedPresents();
  for (int i = 0; i < 5; ++i) {
    uint32_t t0 = KTools::GetMilliseconds();
    window_->FlipBackBuffer(false, true);
    EXPECT_LE(KTools::GetMilliseconds() - t0, 5u);
  }
  EXPECT_EQ(pacedPresents(), before);
  if (gl() && static_cast<KWindowGL*>(window_)->HasSwapControl()) {
    EXPECT_EQ(static_cast<KWindowGL*>(window_)->GetSwapInterval(), 0);
  }
}

TEST_P(WindowTest, OneMessageIsDispatchedPerCall) {
  pushMotion(1, 1);
  pushMotion(2, 2);
  pushMotion(3, 3);
  window_->ProcessEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, K_EVENT_MOUSEMOVE);
  pump(5);
  EXPECT_EQ(events.size(), 3u);
}

TEST_P(WindowTest, WaitingWithPumpingDispatchesMessages) {
  pushMotion(4, 5);
  pushMotion(6, 7);
  KTools::WaitMs(20, false);
  EXPECT_TRUE(events.empty());
  KTools::WaitMs(20, true);
  EXPECT_EQ(events.size(), 2u);
}

TEST_P(WindowTest, WheelReachesTheCallbackAndUpdatesTheLastDelta) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = id();
  e.wheel.y = 1;
  e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  push(e);
  pump();
  const KEvent* w = find(platform::kMsgMouseWheel);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->type, K_EVENT_WHEEL);
  EXPECT_EQ(w->wheelDelta, 120);
  EXPECT_EQ(w->keyCode, 100);
  EXPECT_EQ(KInput::GetWheelDelta(), 120);
  events.clear();
  e.wheel.y = -2;
  push(e);
  pump();
  ASSERT_NE(find(platform::kMsgMouseWheel), nullptr);
  EXPECT_EQ(find(platform::kMsgMouseWheel)->wheelDelta, -240);
  EXPECT_EQ(KInput::GetWheelDelta(), -240);
}

TEST_P(WindowTest, DoubleClicks) {
  pushButton(SDL_BUTTON_MIDDLE, true, 30, 40, 2);
  pushButton(SDL_BUTTON_LEFT, true, 30, 40, 2);
  pushButton(SDL_BUTTON_RIGHT, true, 30, 40, 2);
  pump();
  const KEvent* middle = find(platform::kMsgMButtonDblClk);
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(middle->type, K_EVENT_OTHER);  // the middle double click is not one of the translated kinds
  EXPECT_EQ(middle->button, 0);
  const KEvent* left = find(platform::kMsgLButtonDblClk);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->type, K_EVENT_DOUBLECLICK);
  EXPECT_EQ(left->button, 1);
  ASSERT_NE(find(platform::kMsgRButtonDblClk), nullptr);
  EXPECT_EQ(find(platform::kMsgRButtonDblClk)->button, 2);
}

TEST_P(WindowTest, MouseMovesAndButtons) {
  pushMotion(37, 45);
  pump();
  const KEvent* move = find(platform::kMsgMouseMove);
  ASSERT_NE(move, nullptr);
  EXPECT_EQ(move->type, K_EVENT_MOUSEMOVE);
  EXPECT_EQ(move->x, 37);
  EXPECT_EQ(move->y, 45);
  EXPECT_EQ(move->lparam, 37 | (45 << 16));
  EXPECT_EQ(move->button, 0);
  EXPECT_EQ(KInput::GetMouseX(), 37);
  EXPECT_EQ(KInput::GetMouseY(), 45);

  events.clear();
  pushButton(SDL_BUTTON_LEFT, true, 60, 70);
  pump(1);
  EXPECT_TRUE(KInput::IsLeftButtonDown());
  pushButton(SDL_BUTTON_LEFT, false, 61, 71);
  pushButton(SDL_BUTTON_RIGHT, true, 61, 71);
  pushButton(SDL_BUTTON_RIGHT, false, 61, 71);
  pump();
  EXPECT_FALSE(KInput::IsLeftButtonDown());
  EXPECT_FALSE(KInput::IsRightButtonDown());
  ASSERT_GE(events.size(), 5u);
  EXPECT_EQ(events[0].type, K_EVENT_BUTTONDOWN);
  EXPECT_EQ(events[0].button, 1);
  EXPECT_EQ(events[0].message, platform::kMsgLButtonDown);
  EXPECT_EQ(events[1].type, K_EVENT_BUTTONUP);
  EXPECT_EQ(events[1].button, 1);
  EXPECT_EQ(events[1].x, 61);  // where the cursor is when the message is handled
  EXPECT_EQ(events[2].type, K_EVENT_BUTTONDOWN);
  EXPECT_EQ(events[2].button, 2);
  EXPECT_EQ(events[3].type, K_EVENT_BUTTONUP);
  EXPECT_EQ(events[3].button, 2);
  // Releasing the right button asks for the context menu.
  EXPECT_EQ(events[4].type, K_EVENT_CONTEXTMENU);
  EXPECT_EQ(events[4].message, platform::kMsgContextMenu);
}

TEST_P(WindowTest, TypedTextArrivesAsWindows1252Characters) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = id();
  std::snprintf(e.text.text, sizeof e.text.text, "%s", "K\xC3\xA9\xE2\x82\xAC");
  push(e);
  pump();
  std::vector<uint8_t> chars;
  for (const KEvent& k : events)
    if (k.type == K_EVENT_CHARACTER) {
      chars.push_back(k.character);
      EXPECT_EQ(k.message, platform::kMsgChar);
      EXPECT_EQ(k.keyCode, 100);
    }
  EXPECT_EQ(chars, (std::vector<uint8_t>{'K', 0xE9, 0x80}));
}

TEST_P(WindowTest, KeysCarryEngineCodesAndScanCodes) {
  pushKey(SDL_SCANCODE_A, SDLK_a, true);
  pump(1);
  EXPECT_TRUE(KInput::IsKeyDown(K_VK_A));
  pushKey(SDL_SCANCODE_A, SDLK_a, false);
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true);
  pushKey(SDL_SCANCODE_RETURN, SDLK_RETURN, true);
  pump();
  EXPECT_FALSE(KInput::IsKeyDown(K_VK_A));
  EXPECT_TRUE(KInput::IsKeyDown(K_VK_L_SHIFT));
  EXPECT_FALSE(KInput::IsKeyDown(K_VK_R_SHIFT));
  EXPECT_TRUE(KInput::IsKeyDown(K_VK_RETURN));
  ASSERT_GE(events.size(), 5u);
  EXPECT_EQ(events[0].type, K_EVENT_KEYDOWN);
  EXPECT_EQ(events[0].message, platform::kMsgKeyDown);
  EXPECT_EQ(events[0].virtualKey, uint32_t('A'));
  EXPECT_EQ(events[0].keyCode, K_VK_A);
  EXPECT_EQ(events[0].character, 0x1E);  // the scan code
  EXPECT_EQ(events[1].type, K_EVENT_KEYUP);
  EXPECT_EQ(events[1].keyCode, K_VK_A);
  EXPECT_EQ(events[1].virtualKey, uint32_t('A'));
  EXPECT_EQ(events[1].character, 'A');  // the low byte of the virtual key
  EXPECT_EQ(uint32_t(events[1].lparam) >> 30, 3u);
  EXPECT_EQ(events[2].keyCode, K_VK_L_SHIFT);
  EXPECT_EQ(events[3].keyCode, K_VK_RETURN);
  // Return types a carriage return right after its key message.
  EXPECT_EQ(events[4].type, K_EVENT_CHARACTER);
  EXPECT_EQ(events[4].character, 13);
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false);
  pushKey(SDL_SCANCODE_RETURN, SDLK_RETURN, false);
  pump();
}

TEST_P(WindowTest, CallbackReturningFalseForCloseKeepsTheQuitFlagClear) {
  callbackResult = false;
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  pump();
  ASSERT_NE(find(platform::kMsgClose), nullptr);
  EXPECT_EQ(find(platform::kMsgClose)->type, K_EVENT_OTHER);
  EXPECT_FALSE(window_->IsQuitting());

  callbackResult = true;
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  pump();
  EXPECT_TRUE(window_->IsQuitting());
}

TEST_P(WindowTest, HookReturningFalseStopsTheMessageBeforeTheCallback) {
  window_->SetMessageHook(onMessage);
  hookResult = false;
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  pump();
  EXPECT_GT(hookCalls, 0);
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(window_->IsQuitting());
  window_->SetMessageHook(nullptr);
  window_->SetGameCallback(nullptr);  // no callback: the close goes through
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  pump();
  EXPECT_TRUE(window_->IsQuitting());
}

TEST_P(WindowTest, GammaZeroCoversTheFrameInBlackAndOneDrawsNothing) {
  window_->SetMaxFrameRate(-1);
  window_->SetClearColor(1, 0.5f, 0, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  window_->SetGamma(1.0f);
  window_->FlipBackBuffer(false, false);
  for (uint32_t p : frame()) ASSERT_LE(channelDiff(p, 0xFF8000u), 1) << std::hex << p;

  window_->SetWorldView(0, 0, 0, 1, true);
  window_->SetGamma(0.0f);
  window_->FlipBackBuffer(false, false);
  for (uint32_t p : frame()) ASSERT_EQ(p, 0u) << std::hex << p;
  if (!gl()) {  // and that is what the window shows
    std::vector<uint32_t> shown(size_t(kW) * kH);
    ASSERT_TRUE(window_->GetWindowHandle()->readPresented(shown.data()));
    for (uint32_t p : shown) ASSERT_EQ(p & 0xFFFFFFu, 0u);
  }

  window_->SetWorldView(0, 0, 0, 1, true);
  window_->SetGamma(0.5f);
  window_->FlipBackBuffer(false, false);
  EXPECT_LE(channelDiff(at(frame(), 10, 10), 0x804000u), 2);
}

TEST_P(WindowTest, NegativeGamma) {
  window_->SetGamma(-0.5f);
  EXPECT_EQ(window_->GetGamma(), gl() ? -0.5f : 0.0f);
  window_->SetMaxFrameRate(-1);
  window_->SetClearColor(1, 1, 1, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  window_->FlipBackBuffer(false, false);
  EXPECT_EQ(at(frame(), 3, 3), 0u);  // never more than fully black
}

TEST_P(WindowTest, ScreenshotsMatchTheFrameInEveryFormat) {
  TempDir dir;
  drawQuadrants();
  std::vector<uint32_t> drawn = frame();
  ASSERT_EQ(at(drawn, 5, 5), 0xFF00FFu);
  ASSERT_EQ(at(drawn, 300, 230), 0xFFFFFFu);
  const char* names[4] = {"shot.bmp", "shot.jpg", "shot.tga", "shot.png"};
  for (int format = 0; format < 4; ++format) {
    std::string path = dir.file(names[format]);
    ASSERT_TRUE(window_->SaveScreenshot(path.c_str(), format, 0, 0)) << names[format];
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr) << names[format] << ": " << IMG_GetError();
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(argb, nullptr);
    ASSERT_EQ(argb->w, kW);
    ASSERT_EQ(argb->h, kH);
    long total = 0;
    int worst = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        uint32_t p = static_cast<uint32_t*>(argb->pixels)[size_t(y) * (argb->pitch / 4) + size_t(x)];
        int d = channelDiff(p, at(drawn, x, y));
        total += d;
        worst = std::max(worst, d);
        if (format != K_IMAGE_JPEG) {
          ASSERT_EQ(d, 0) << names[format] << " at " << x << "," << y;
        }
      }
    if (format == K_IMAGE_JPEG) {
      EXPECT_LT(double(total) / (kW * kH), 4.0);
      uint32_t centre = static_cast<uint32_t*>(argb->pixels)[size_t(60) * (argb->pitch / 4) + 80];
      EXPECT_LE(channelDiff(centre, 0xFF0000u), 8);
    }
    SDL_FreeSurface(argb);
  }
  EXPECT_FALSE(window_->SaveScreenshot(dir.file("missing/folder/shot.png").c_str(), K_IMAGE_PNG, 0, 0));
  EXPECT_FALSE(window_->SaveScreenshot(dir.file("shot.xyz").c_str(), 7, 0, 0));
}

TEST_P(WindowTest, ReducedScreenshotShowsTheWholeFrame) {
  TempDir dir;
  drawQuadrants();
  std::string path = dir.file("small.png");
  ASSERT_TRUE(window_->SaveScreenshot(path.c_str(), K_IMAGE_PNG, kW / 4, kH / 4));
  SDL_Surface* loaded = IMG_Load(path.c_str());
  ASSERT_NE(loaded, nullptr);
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  ASSERT_EQ(argb->w, kW / 4);
  ASSERT_EQ(argb->h, kH / 4);
  auto px = [&](int x, int y) { return static_cast<uint32_t*>(argb->pixels)[size_t(y) * (argb->pitch / 4) + size_t(x)] & 0xFFFFFFu; };
  EXPECT_EQ(px(20, 15), 0xFF0000u);
  EXPECT_EQ(px(60, 15), 0x00FF00u);
  EXPECT_EQ(px(20, 45), 0x0000FFu);
  EXPECT_EQ(px(60, 45), 0xFFFFFFu);
  SDL_FreeSurface(argb);
}

TEST_P(WindowTest, ShiftPrintScreenSavesNumberedScreenshotsBesideTheProgram) {
  TempDir dir;
  KTools::OverrideExeFolder(dir.path().c_str());
  drawQuadrants();
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true);
  pushKey(SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, true);
  window_->ProcessEvents();  // reads both presses; the next call takes the picture
  pushKey(SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, false);
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false);
  window_->ProcessEvents();
  EXPECT_FALSE(KInput::IsKeyDown(K_VK_SNAPSHOT));
  std::string first = dir.file("screenshot1.tga");
  ASSERT_TRUE(std::filesystem::exists(first));
  SDL_Surface* shot = IMG_Load(first.c_str());
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->w, kW);
  SDL_FreeSurface(shot);

  // Left Shift with F12 works for the OpenGL window only.
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true);
  pushKey(SDL_SCANCODE_F12, SDLK_F12, true);
  window_->ProcessEvents();
  pushKey(SDL_SCANCODE_F12, SDLK_F12, false);
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false);
  pump(3);
  EXPECT_EQ(std::filesystem::exists(dir.file("screenshot2.tga")), gl());
  KTools::OverrideExeFolder(nullptr);
  KTools::InitPaths();
}

TEST_P(WindowTest, ShiftPrintScreenFallsBackToTheProgramsOwnUserFolder) {
  TempDir dir;
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "";
  setenv("XDG_DATA_HOME", dir.file("xdg").c_str(), 1);
  KTools::OverrideExeFolder(dir.file("not/there").c_str());  // the program's folder cannot be written
  KTools::SetProgramFolderName("Brawnmoor");
  drawQuadrants();
  // Tapped between two frames, as a quick hand does.
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true);
  pushKey(SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, true);
  pushKey(SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, false);
  pushKey(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false);
  window_->ProcessEvents();  // reads the four key messages
  window_->ProcessEvents();  // the hot key
  EXPECT_TRUE(std::filesystem::exists(dir.file("xdg/Brawnmoor/screenshot1.tga"))) << "created with its folder";
  EXPECT_FALSE(std::filesystem::exists(dir.file("xdg/screenshot1.tga"))) << "not in the shared data folder";
  KTools::SetProgramFolderName(nullptr);
  KTools::OverrideExeFolder(nullptr);
  KTools::InitPaths();
  if (oldXdg)
    setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}

TEST_P(WindowTest, KeyTappedBetweenTwoFramesIsSeenDownOnce) {
  window_->SetMaxFrameRate(-1);
  window_->FlipBackBuffer(false, true);
  // Pressed and released before the next frame: one pump reads both.
  pushKey(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, true);
  pushKey(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, false);
  window_->FlipBackBuffer(false, true);
  EXPECT_TRUE(KInput::IsKeyDown(K_VK_ESCAPE)) << "the tap is seen";
  EXPECT_FALSE(KInput::IsKeyDown(K_VK_ESCAPE)) << "once";
  KInput::WaitKeyReleased(K_VK_ESCAPE);  // returns at once
  // The generic and side codes of Shift, and keys that share a code (Return, keypad Enter).
  pushKey(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, true);
  pushKey(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, false);
  pushKey(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, true);
  pushKey(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, false);
  window_->FlipBackBuffer(false, true);
  EXPECT_TRUE(KInput::IsKeyDown(K_VK_R_SHIFT));
  EXPECT_FALSE(KInput::IsKeyDown(K_VK_L_SHIFT));
  EXPECT_TRUE(platform::pollVirtualKey(platform::kVkShift));
  EXPECT_TRUE(KInput::IsKeyDown(K_VK_RETURN));
  // A tap that no poll looks at is forgotten once the frame after it has ended.
  pushKey(SDL_SCANCODE_F1, SDLK_F1, true);
  pushKey(SDL_SCANCODE_F1, SDLK_F1, false);
  window_->FlipBackBuffer(false, true);
  window_->FlipBackBuffer(false, true);
  EXPECT_FALSE(KInput::IsKeyDown(K_VK_F1));
  // A held key is down at every poll, and up after its release as before.
  pushKey(SDL_SCANCODE_SPACE, SDLK_SPACE, true);
  window_->FlipBackBuffer(false, true);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(KInput::IsKeyDown(K_VK_SPACE)) << i;
    window_->FlipBackBuffer(false, true);
  }
  pushKey(SDL_SCANCODE_SPACE, SDLK_SPACE, false);
  window_->FlipBackBuffer(false, true);
  EXPECT_FALSE(KInput::IsKeyDown(K_VK_SPACE)) << "a press already seen is not seen again";
  // Mouse messages report Shift from the state alone: a poll's pending press is not theirs.
  EXPECT_FALSE(platform::isVirtualKeyDown(platform::kVkShift));
}

TEST_P(WindowTest, WindowedAndFullScreenRoundTrip) {
  KScreen::SetTextureReloader(countReload);
  EXPECT_FALSE(window_->IsFullScreen());
  EXPECT_TRUE(window_->SetFullScreen(true));
  EXPECT_TRUE(window_->IsFullScreen());
  EXPECT_TRUE(window_->SetFullScreen(true));  // already: nothing changes
  EXPECT_EQ(window_->GetWidth(), kW);
  EXPECT_EQ(window_->GetHeight(), kH);
  drawQuadrants();
  std::vector<uint32_t> f = frame();
  EXPECT_EQ(at(f, 40, 40), 0xFF0000u);
  EXPECT_EQ(at(f, 280, 200), 0xFFFFFFu);
  window_->FlipBackBuffer(false, true);

  EXPECT_FALSE(window_->SetFullScreen(false));
  EXPECT_FALSE(window_->IsFullScreen());
  drawQuadrants();
  f = frame();
  EXPECT_EQ(at(f, 5, 5), 0xFF00FFu);
  EXPECT_EQ(at(f, 200, 40), 0x00FF00u);
  window_->FlipBackBuffer(false, true);
  // The software renderer reopened itself each time, and every picture was asked to reload.
  EXPECT_EQ(reloads, gl() ? 0 : 2);
  // Events still reach the callback.
  pushMotion(12, 13);
  pump();
  EXPECT_NE(find(platform::kMsgMouseMove), nullptr);
}

TEST_P(WindowTest, ClipRectangleKeepsDrawingInsideUntilTheNextView) {
  window_->SetClearColor(0, 0, 0, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  window_->SetClipRect(40, 30, 120, 90);
  auto p = Painter::Create(window_);
  p->FillRect(0, 0, kW, kH, 1, 0, 0, 1);
  std::vector<uint32_t> f = frame();
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      bool inside = x >= 40 && x < 120 && y >= 30 && y < 90;
      ASSERT_EQ(at(f, x, y), inside ? 0xFF0000u : 0u) << x << "," << y;
    }
  window_->SetDefaultWorldView();
  p->FillRect(0, 0, kW, kH, 0, 1, 0, 1);
  f = frame();
  EXPECT_EQ(at(f, 0, 0), 0x00FF00u);
  EXPECT_EQ(at(f, 319, 239), 0x00FF00u);
}

TEST_P(WindowTest, WorldViewTurnsCounterClockwiseAndMovesAfterTheZoom) {
  auto p = Painter::Create(window_);
  window_->SetClearColor(0, 0, 0, 1);
  window_->SetWorldView(0, 0, 90, 1, true);
  p->FillRect(160, 60, 200, 80, 1, 0, 0, 1);
  std::vector<uint32_t> f = frame();
  // Turned a quarter to the left about the centre: it now spans x 100..120, y 80..120.
  EXPECT_EQ(at(f, 110, 100), 0xFF0000u);
  EXPECT_EQ(at(f, 180, 70), 0u);
  EXPECT_EQ(at(f, 125, 100), 0u);

  window_->SetWorldView(30, -20, 0, 2, true);
  p->FillRect(150, 110, 170, 130, 0, 1, 0, 1);
  f = frame();
  // Doubled about the centre, then moved by (30, -20) in the view (y up): x 170..210, y 120..160.
  EXPECT_EQ(at(f, 190, 140), 0x00FF00u);
  EXPECT_EQ(at(f, 160, 120), 0u);
  EXPECT_EQ(at(f, 215, 140), 0u);
}

TEST_P(WindowTest, SoftwareCursorIsDrawnAtTheMouse) {
  window_->SetMaxFrameRate(-1);
  pushMotion(50, 60);
  pump();
  window_->SetSoftwareCursor(true);
  window_->SetClearColor(0, 0, 1, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  window_->FlipBackBuffer(false, false);
  std::vector<uint32_t> f = frame();
  EXPECT_EQ(at(f, 50, 60), 0xFFFFFFu);  // outline
  EXPECT_EQ(at(f, 51, 61), 0x000000u);  // fill
  EXPECT_EQ(at(f, 58, 68), 0x000000u);
  EXPECT_EQ(at(f, 60, 60), 0x0000FFu);  // transparent
  EXPECT_EQ(at(f, 50, 74), 0xFFFFFFu);  // row 14
  EXPECT_EQ(at(f, 50, 75), 0x0000FFu);  // row 15 is empty
  EXPECT_EQ(at(f, 49, 60), 0x0000FFu);
}

TEST_P(WindowTest, InactiveWindowPausesAndTheClockLeavesThePauseOut) {
  window_->SetMaxFrameRate(-1);
  fakeTicks = false;
  fakeNow = 50000;
  KTools::SetClockSource(fakeClock);
  KTools::InitClock();
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  pump();
  ASSERT_FALSE(window_->HasFocus());
  uint32_t id = this->id();
  std::thread other([id] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    fakeNow += 10000;  // ten seconds pass while the window waits
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = id;
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&e);
  });
  uint32_t before = KTools::GetMilliseconds();
  window_->FlipBackBuffer(true, true);
  other.join();
  EXPECT_TRUE(window_->HasFocus());
  EXPECT_LT(KTools::GetMilliseconds() - before, 100u);
}

TEST_P(WindowTest, DisplayModesAreListedUntilTheCallbackSaysStop) {
  static int calls;
  static KDisplayMode first;
  calls = 0;
  window_->EnumerateDisplayModes([](KDisplayMode* m) {
    if (calls++ == 0) first = *m;
    return true;
  });
  EXPECT_GE(calls, 1);
  EXPECT_GT(first.width, 0);
  EXPECT_GT(first.height, 0);
  EXPECT_GE(first.bitsPerPixel, 15);
  int all = calls;
  calls = 0;
  window_->EnumerateDisplayModes([](KDisplayMode*) { return ++calls < 1; });
  EXPECT_EQ(calls, std::min(all, 1));
  window_->EnumerateDisplayModes(nullptr);
}

TEST_P(WindowTest, AccelerationAndRectangleTextures) {
  EXPECT_FALSE(window_->IsQuitting());
  if (gl()) {
    // Mesa's software rasterisers are not hardware.
    EXPECT_FALSE(window_->IsHardwareAccelerated());
    KWindowGL unopened;
    EXPECT_FALSE(unopened.IsHardwareAccelerated());  // through a probe window of its own
    EXPECT_FALSE(unopened.IsQuitting());
    KScreen::SetUseTextureRectangle(true);
    window_->HasTextureRectangle();
    EXPECT_FALSE(KScreen::GetUseTextureRectangle());  // pictures use square textures
  } else {
    EXPECT_TRUE(window_->IsHardwareAccelerated());
    EXPECT_TRUE(window_->HasTextureRectangle());
  }
}

TEST_P(WindowTest, TerminateAndSetQuit) {
  window_->SetQuit(true);
  EXPECT_TRUE(window_->IsQuitting());
  window_->SetQuit(false);
  EXPECT_FALSE(window_->IsQuitting());
  window_->Terminate();
  EXPECT_TRUE(window_->IsQuitting());
  pump();  // the quit message reaches no window
}

TEST_P(WindowTest, ShowHideAndTitle) {
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_TRUE(window_->HasFocus());
  window_->Show(false);
  EXPECT_FALSE(window_->IsVisible());
  EXPECT_FALSE(window_->HasFocus());
  window_->Show(true);
  EXPECT_TRUE(window_->IsVisible());
  window_->SetTitle("another title");
  EXPECT_STREQ(SDL_GetWindowTitle(SDL_GetWindowFromID(id())), "another title");
}

INSTANTIATE_TEST_SUITE_P(Renderers, WindowTest, ::testing::Values(false, true),
                         rendererName);

// ---------------------------------------------------------------------------------------------

TEST(WindowClock, OpeningAWindowDoesNotTurnTheClockBack) {
  fakeTicks = false;
  fakeNow = 7000;
  KTools::SetClockSource(fakeClock);
  fakeNow += 5000;
  uint32_t now = KTools::GetMilliseconds();
  for (int gl = 1; gl >= 0; --gl) {
    KWindow* w = KTools::CreateWindow(gl, 1);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->CreateGameWindow(kW, kH, 32, true, "clock")) << platform::lastError();
    EXPECT_EQ(KTools::GetMilliseconds(), now) << (gl ? "OpenGL" : "software");
    fakeNow += 10;
    now += 10;
    EXPECT_EQ(KTools::GetMilliseconds(), now);
    delete w;
  }
  KTools::SetClockSource(nullptr);
  fakeTicks = true;
}

TEST(WindowFactory, RecordsTheRendererChoice) {
  KWindow* w = KTools::CreateWindow(1, 0);
  EXPECT_EQ(KTools::GetRendererChoice(), 1);
  EXPECT_NE(dynamic_cast<KWindowGL*>(w), nullptr);
  delete w;
  w = KTools::CreateWindow(0, 0);
  EXPECT_EQ(KTools::GetRendererChoice(), 0);
  EXPECT_NE(dynamic_cast<KWindowDD*>(w), nullptr);
  EXPECT_EQ(KWindowDD::GetDevice(), nullptr);  // not open yet
  delete w;
}

TEST(SoftwareWindow, LostSurfaceIsRestoredOrTheRendererRebuilt) {
  reloads = 0;
  KScreen::SetTextureReloader(countReload);
  KWindowDD* w = static_cast<KWindowDD*>(KTools::CreateWindow(0, 1));
  ASSERT_TRUE(w->CreateGameWindow(kW, kH, 32, true, "rebuild"));
  EXPECT_EQ(KWindowDD::GetDevice(), w->Device());
  w->GetWindowHandle()->loseSurface(true);
  w->ProcessEvents();
  EXPECT_FALSE(w->GetWindowHandle()->surfaceLost());
  EXPECT_EQ(w->GetRebuildCount(), 0u);
  EXPECT_EQ(reloads, 0);

  w->GetWindowHandle()->loseSurface(false);
  w->ProcessEvents();
  EXPECT_EQ(w->GetRebuildCount(), 1u);
  EXPECT_EQ(reloads, 1);
  ASSERT_NE(w->Device(), nullptr);
  EXPECT_EQ(KWindowDD::GetDevice(), w->Device());
  // The rebuilt renderer draws and presents.
  w->SetClearColor(0, 1, 0, 1);
  w->SetWorldView(0, 0, 0, 1, true);
  w->SetMaxFrameRate(-1);
  w->FlipBackBuffer(false, false);
  std::vector<uint32_t> shown(size_t(kW) * kH);
  ASSERT_TRUE(w->GetWindowHandle()->readPresented(shown.data()));
  EXPECT_EQ(shown[1000] & 0xFFFFFFu, 0x00FF00u);
  delete w;
  KScreen::SetTextureReloader(nullptr);
}

class FullScreenActivation : public ::testing::TestWithParam<bool> {};

TEST_P(FullScreenActivation, CoversTheDesktopWithoutChangingItsMode) {
  KWindow* w = KTools::CreateWindow(GetParam() ? 1 : 0, 0);
  ASSERT_TRUE(w->CreateGameWindow(kW, kH, 32, false, "full screen"));
  // The desktop's own mode (what it was before any full-screen window, whatever is shown now).
  SDL_DisplayMode before{};
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &before), 0);
  SDL_Window* sdl = SDL_GetWindowFromID(w->GetWindowHandle()->id());
  ASSERT_EQ(SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP));
  SDL_DisplayMode now{};
  ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &now), 0);
  EXPECT_EQ(now.w, before.w);
  EXPECT_EQ(now.h, before.h);
  EXPECT_EQ(w->GetWidth(), kW);  // the game still draws its own size
  for (int i = 0; i < 60; ++i) w->ProcessEvents();
  // Another program in front takes nothing away: the window stays full screen.
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = w->GetWindowHandle()->id();
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_PushEvent(&e);
  for (int i = 0; i < 10; ++i) w->ProcessEvents();
  EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN);
  EXPECT_FALSE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_MINIMIZED);
  e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  SDL_PushEvent(&e);
  for (int i = 0; i < 10; ++i) w->ProcessEvents();
  EXPECT_TRUE(SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN);
  EXPECT_TRUE(w->IsFullScreen());
  if (!GetParam()) {  // the software window's surface came back with it
    w->ProcessEvents();
    EXPECT_FALSE(w->GetWindowHandle()->surfaceLost());
  }
  delete w;
}

INSTANTIATE_TEST_SUITE_P(Renderers, FullScreenActivation, ::testing::Values(false, true),
                         rendererName);

// Both renderers draw the same picture: rectangles and a blended, tinted sprite under a turned
// and zoomed view. Edges may differ by a pixel and colours by the 16-bit textures' steps.
TEST(CrossRenderer, BothRenderersDrawTheSameFrame) {
  std::vector<uint32_t> frames[2];
  for (int useGL = 0; useGL < 2; ++useGL) {
    KWindow* w = KTools::CreateWindow(useGL, 0);
    ASSERT_TRUE(w->CreateGameWindow(kW, kH, 32, true, "cross")) << platform::lastError();
    auto p = Painter::Create(w);
    std::vector<uint32_t> sprite(32 * 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) sprite[size_t(y) * 32 + size_t(x)] = uint32_t((x / 2) * 17) << 24 | (y < 16 ? 0xFFFF00u : 0x00FFFFu);
    int pic = p->MakePicture(sprite.data(), 32, 32, true);
    w->SetClearColor(0, 0, 0, 1);
    w->SetWorldView(12, -7, 30, 1.5f, true);
    p->FillRect(20, 20, 140, 100, 1, 0, 0, 1);
    p->FillRect(100, 60, 260, 200, 0, 0, 1, 0.5f);
    p->Blit(pic, 0, 0, 32, 32, 150, 90, true, 0xFFFFFFFFu, 64, 64);
    p->Blit(pic, 0, 0, 32, 32, 40, 150, true, 0xFF00FF00u);
    std::vector<uint32_t>& f = frames[useGL];
    f.resize(size_t(kW) * kH);
    if (useGL) {
      std::vector<uint32_t> up(f.size());
      ASSERT_TRUE(static_cast<KWindowGL*>(w)->ReadBackBuffer(0, 0, kW, kH, up.data()));
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) f[size_t(y) * kW + size_t(x)] = up[size_t(kH - 1 - y) * kW + size_t(x)] & 0xFFFFFFu;
    } else {
      softdd::Surface* s = static_cast<KWindowDD*>(w)->BackSurface();
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) f[size_t(y) * kW + size_t(x)] = s->row(y)[x] & 0xFFFFFFu;
    }
    p.reset();
    delete w;
  }
  int differing = 0, lit = 0;
  for (size_t i = 0; i < frames[0].size(); ++i) {
    if (frames[0][i] || frames[1][i]) ++lit;
    if (channelDiff(frames[0][i], frames[1][i]) > 4) ++differing;
  }
  EXPECT_GT(lit, 20000);
  EXPECT_LT(differing, lit / 100) << differing << " of " << lit << " lit pixels differ";
}
