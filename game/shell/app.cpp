#include "shell/app.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "career/generation.h"
#include "career/world.h"
#include "fight/bout.h"
#include "font/KBitmapFont.h"
#include "graphics/KGraphic.h"
#include "graphics/KGraphicFactory.h"
#include "mesh/KModel.h"
#include "mesh/KModelFactory.h"
#include "saves/options.h"
#include "saves/preferences.h"
#include "screens/menus.h"
#include "screens/options.h"
#include "shell/datacheck.h"
#include "shell/datafolder.h"
#include "shell/dispatch.h"
#include "sound/KSound.h"
#include "tools/KTools.h"
#include "ui/fonttables.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"
#include "window/KWindow.h"
#include "window/KWindowFactory.h"

namespace app {
namespace {

KGraphic* arrowPointer = nullptr;
KGraphic* handPointer = nullptr;
KGraphic* pointerShadow = nullptr;
char windowTitle[64];
int32_t captureCounter = -1;  // video capture: off unless a build sets it to 0
uint32_t lastCapture = 0;
int16_t eventMouseX = 0, eventMouseY = 0;
std::string screenshotPath;
bool screenshotSaved = false;

void presentFrame(bool waitWhileInactive = true) {
  dropTypedCharacters();  // what this frame's fields did not take; the flip delivers the next
  if (!screenshotPath.empty()) {
    const std::string& p = screenshotPath;
    auto endsWith = [&](const char* e) { return p.size() > 4 && p.compare(p.size() - 4, 4, e) == 0; };
    const int format = endsWith(".png") ? K_IMAGE_PNG : endsWith(".jpg") ? K_IMAGE_JPEG : K_IMAGE_BMP;
    screenshotSaved = gameWindow->SaveScreenshot(p.c_str(), format, 0, 0);
    screenshotPath.clear();
  }
  gameWindow->FlipBackBuffer(waitWhileInactive, true);
}

void careerSound(CareerSound sound) { playSound(sound == CareerSound::Click ? kSoundClick : kSoundCancel); }

// ---- Pointer --------------------------------------------------------------------------------

KGraphic* loadPointer(const char* path) {
  KGraphic* g = KTools::CreateGraphic();
  if (g && !g->LoadPicture(KTools::GetDataPath(path), true, true)) {
    delete g;
    return nullptr;
  }
  return g;
}

void loadPointers() {
  arrowPointer = loadPointer(kPointerFiles[0]);
  handPointer = loadPointer(kPointerFiles[1]);
  pointerShadow = loadPointer(kPointerFiles[2]);
}

void releasePointers() {
  delete arrowPointer;
  delete handPointer;
  delete pointerShadow;
  arrowPointer = handPointer = pointerShadow = nullptr;
}

void drawPointer() {
  const int x = KInput::GetMouseX(), y = KInput::GetMouseY();
  if (pointerShadow) pointerShadow->BlitAlphaRectFx(0, 0, 32, 32, short(x + 2), short(y + 2), 0, 1.0f, 0.5f, false, false, 0, 0);
  KGraphic* p = hovered > 0 ? handPointer : arrowPointer;
  if (p) p->BlitAlphaRect(0, 0, 32, 32, short(x), short(y), false, false);
}

// Hides the system cursor while the mouse is inside the window.
void cursorInside(int width, int height) {
  const int x = KInput::GetMouseX(), y = KInput::GetMouseY();
  if (x > 0 && x < width && y > 0 && y < height) KInput::HideCursor();
  else KInput::ShowCursor();
}

KBitmapFont* makeFont(const char* path, const GlyphRecord* table, float spacing) {
  KBitmapFont* f = new KBitmapFont(KTools::GetDataPath(path), table);
  f->SetLineSpacing(spacing);
  return f;
}

void destroyWindow() {
  if (!gameWindow) return;
  gameWindow->SetGameCallback(nullptr);
  gameWindow->Terminate();
  delete gameWindow;
  gameWindow = nullptr;
}

// ---- Loading screen -------------------------------------------------------------------------

void drawLoadingFrame() {
  fillRect(0, 0, 800, 600, 0, 0, 0, 1);
  drawSlotFrame(kBackgroundSlot, 200, 150, 1);
  drawTextCentred("Loading data, please wait...", 0, 800, 380);
  presentFrame(false);
}

void setMusicVolume(int volume) {
  if (musicPlayer) musicPlayer->SetVolume(volume);
}

void loadingScreen() {
  loadSlotPicture(kBackgroundSlot, kLoadingLogo, 0);
  drawLoadingFrame();
  for (int i = 0; i < 3; ++i) {
    char path[40];
    std::snprintf(path, sizeof path, kFrameFileFormat, i + 1);
    loadSlotPicture(kFrameSlot + i, path, 0);
  }
  if (!musicPlayer) {
    musicPlayer = new KSound();
    if (musicPlayer->LoadStream(KTools::GetDataPath(kLoadingMusicFile))) musicPlayer->PlayStream(false);
  }
  drawLoadingFrame();
  // A picture, or (with no file) a step of the jingle's fading volume.
  for (const LoadingPicture& p : kLoadingPictures) {
    if (!p.file) {
      setMusicVolume(p.slot);
      continue;
    }
    char path[64];
    std::snprintf(path, sizeof path, "data\\gfx\\%s", p.file);
    loadSlotPicture(p.slot, path, 0);
  }
  // The fight's figure sheets are grids of frames.
  pictureSlots[kFiguresSlot].frameWidth = pictureSlots[kFiguresSlot].frameHeight = 125;
  pictureSlots[kDownSlot].frameWidth = 160;
  pictureSlots[kDownSlot].frameHeight = 260;
}

}  // namespace

// ---- Window callback ------------------------------------------------------------------------

bool windowCallback(KEvent* event) {
  switch (event->type) {
    case K_EVENT_MOUSEMOVE:
      eventMouseX = int16_t(event->x);
      eventMouseY = int16_t(event->y);
      // Dragging across the portrait turns the 3D boxer.
      if (mouseDown && hovered == 0 && pointInRect(mouseX, mouseY, 44, 109, 302, 367))
        boxerTurnAngle = float(eventMouseX - 150);
      return true;
    case K_EVENT_BUTTONDOWN:
      if (event->button == 1) latchMousePress();
      return true;
    case K_EVENT_CHARACTER:
      if (event->character != 13) typeCharacter(uint8_t(event->character));
      return false;
    default: return true;
  }
}

// ---- Stages ---------------------------------------------------------------------------------

// Installed, the program sits in games/ and its data folder in share/games/brawnmoor/.
static void findInstalledData() {
  const std::string exe = KTools::GetExeFolder();
  const std::string root = dataRootFor(exe);
  if (!root.empty() && root != exe) KTools::OverrideExeFolder(root.c_str());
}

bool startLauncher() {
  KTools::InitPaths();
  findInstalledData();
  // Once, before any window: every missing or damaged data file named in one message.
  reportDataFolder();
  // A first run (no preferences yet) speaks the desktop's language.
  const bool firstRun = !regularFileExists(userFile("prefs"));
  loadPreferences();
  loadOptions();
  if (firstRun) preferences.language = int16_t(languageFromLocale());
  applySoundOptions();
  userFolder();
  preferences.started = 1;
  KInput::HideCursor();
  ReleaseGameSounds(gameSounds);  // a launcher opened again in one run loads them afresh
  LoadGameSounds(gameSounds);
  setCareerSoundHook(careerSound);
  std::srand(KTools::GetMilliseconds());
  std::snprintf(windowTitle, sizeof windowTitle, "Brawnmoor - the boxing manager - %d", KTools::GetYear());

  quitFlag = 1;
  launcherDone = 0;
  gameWindow = KTools::CreateWindow(0, 0);
  if (!gameWindow || !gameWindow->CreateGameWindow(400, 300, -1, true, windowTitle)) {
    destroyWindow();
    return false;
  }
  installScreens();
  switchScreen(kLauncherScreen);
  smallFont = makeFont(kSmallFontFile, smallFontTable, 10.0f);
  gameWindow->SetGameCallback(windowCallback);
  sampleMouseDown();  // forget a press left from an earlier window
  loadPointers();
  return true;
}

bool launcherFrame() {
  if (!gameWindow || gameWindow->IsQuitting()) return false;
  cursorInside(400, 300);
  if (KInput::IsKeyDown(K_VK_ESCAPE)) {
    waitKeyRelease(K_VK_ESCAPE);
    return false;
  }
  if (launcherDone) return false;
  drawScreen();
  handleInput();
  drawPointer();
  presentFrame();
  return true;
}

bool closeLauncher() {
  if (preferences.tutorialShown == 0 || gameOptions.tutorialAtStart) {
    preferences.tutorialShown = 1;
    tutorialOn = 1;
    tutorialStep = 0;
  }
  savePreferences();
  releasePointers();
  delete smallFont;
  smallFont = nullptr;
  releaseWindowPictures();
  destroyWindow();
  KTools::WaitMs(100, false);
  return quitFlag == 0;
}

bool openGameWindow() {
  loadOptions();
  applySoundOptions();
  installScreens();
  setCareerSoundHook(careerSound);
  gameWindow = KTools::CreateWindow(preferences.useDirectX ? 0 : 1, 1);
  if (!gameWindow || quitFlag) {
    destroyWindow();
    return false;
  }
  applyDisplayOptions(false);
  if (!gameWindow->CreateGameWindow(800, 600, 32, preferences.windowed != 0, windowTitle)) {
    destroyWindow();
    return false;
  }
  smallFont = makeFont(kSmallFontFile, smallFontTable, 10.0f);
  largeFont = makeFont(kLargeFontFile, digitFontTable, 5.0f);
  loadingScreen();
  // A world that cannot be built leaves worldReady() false: the start-up check has named the
  // files, and the main menu refuses to start a career without one.
  generateWorld();
  loadTextTable(currentLanguage());
  switchScreen(kMainMenuScreen);
  loadPointers();
  KInput::HideCursor();
  boxerTurnAngle = 0;
  boxerModel = KTools::CreateModel();
  if (boxerModel && !boxerModel->LoadK3D(KTools::GetDataPath(kBoxerModelFile), false)) {
    delete boxerModel;
    boxerModel = nullptr;
  }
  skinPicture = KTools::CreateGraphic();
  gameWindow->SetGameCallback(windowCallback);
  sampleMouseDown();  // a press seen by the launcher window is not this window's
  captureCounter = -1;
  return true;
}

bool mainFrame() {
  if (!gameWindow || gameWindow->IsQuitting()) return false;
  gameWindow->SetDefaultWorldView();
  cursorInside(800, 600);
  if (KInput::IsKeyDown(K_VK_F4)) {
    enterScreen();
    waitKeyRelease(K_VK_F4);
  }
  if (KInput::IsKeyDown(K_VK_F1)) {
    waitKeyRelease(K_VK_F1);
    tutorialToggle();
  }
  if (KInput::IsKeyDown(K_VK_F11)) {
    waitKeyRelease(K_VK_F11);
    preferences.windowed = preferences.windowed ? 0 : 1;
    gameWindow->SetFullScreen(preferences.windowed == 0);
  }
  // One poll of Escape a frame: a poll takes the key's pending press.
  const bool escape = KInput::IsKeyDown(K_VK_ESCAPE);
  if (escape && screenState == kOptionsScreen) {
    // The options go back where they were opened from.
    waitKeyRelease(K_VK_ESCAPE);
    switchScreen(optionsReturnState);
  } else if (escape) {
    const int s = screenState;
    // A career that is over goes on only to the main menu, through its message: Escape neither
    // closes that message nor opens the save menu.
    if (gameOver) {
      waitKeyRelease(K_VK_ESCAPE);
    } else if ((s >= kBoxerScreen && s <= kSearchScreen) || s == kMonthScreen || s == kLoadSaveScreen) {
      waitKeyRelease(K_VK_ESCAPE);
      popup = -1;
      messagePopup = 0;
      profilePanel = 0;
      if (s == kLoadSaveScreen && rememberedState == kMainMenuScreen) {
        // The menu the main menu's load button opened: there is no career to go back to.
        inGameMenu = 0;
        screenState = kMainMenuScreen;
      } else if (!inGameMenu) {
        rememberedState = screenState;
        screenState = kLoadSaveScreen;
        inGameMenu = 1;
      } else {
        inGameMenu = 0;
        screenState = rememberedState;
      }
      enterScreen();
    }
  }
  if (KInput::IsKeyDown(K_VK_SPACE)) {
    waitKeyRelease(K_VK_SPACE);
    for (int16_t& injury : injuries[1]) injury = int16_t(injury + 10);
  }
  if (quitFlag) return false;
  gameWindow->SetWorldView(0, 0, 0, 1.0f, true);
  drawScreen();
  handleInput();
  drawPointer();
  presentFrame();
  if (captureCounter >= 0 && KTools::GetMilliseconds() - lastCapture > 60) {
    char path[32];
    std::snprintf(path, sizeof path, "video//%04d.jpg", int(captureCounter));
    gameWindow->SaveScreenshot(path, K_IMAGE_JPEG, 800, 600);
    ++captureCounter;
    lastCapture = KTools::GetMilliseconds();
  }
  return true;
}

void shutdown() {
  rememberWindowSize();
  delete smallFont;
  delete largeFont;
  smallFont = largeFont = nullptr;
  if (gameWindow) gameWindow->SetGameCallback(nullptr);
  releasePointers();
  ReleaseGameSounds(gameSounds);
  delete musicPlayer;
  musicPlayer = nullptr;
  delete boxerModel;
  boxerModel = nullptr;
  delete skinPicture;
  skinPicture = nullptr;
  releaseWindowPictures();
  destroyWindow();
}

void requestScreenshot(const char* path) {
  screenshotPath = path ? path : "";
  screenshotSaved = false;
}

bool lastScreenshotSaved() { return screenshotSaved; }

bool readCommandLine(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--language") == 0 && i + 1 < argc) {
      const int language = languageFromName(argv[++i]);
      if (language < 0) {
        std::fprintf(stderr, "brawnmoor: unknown language '%s' (eng, ger, fre or spa)\n", argv[i]);
        continue;
      }
      setLanguageOverride(language);
    } else if (std::strncmp(a, "--language=", 11) == 0 && languageFromName(a + 11) >= 0) {
      setLanguageOverride(languageFromName(a + 11));
    } else if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
      std::printf("Usage: brawnmoor [--language eng|ger|fre|spa]\n"
                  "  --language  the language of this run (the OPTIONS screen sets it for good)\n");
      return false;
    } else if (std::strcmp(a, "--version") == 0) {
      std::printf("Brawnmoor %s\n", kVersionText);
      return false;
    } else {
      std::fprintf(stderr, "brawnmoor: unknown argument '%s' (try --help)\n", a);
    }
  }
  return true;
}

int run(int argc, char** argv) {
  if (!readCommandLine(argc, argv)) return 0;
  return run();
}

int run() {
  if (!startLauncher()) {
    shutdown();
    return 0;
  }
  while (launcherFrame()) {
  }
  if (closeLauncher() && openGameWindow()) {
    while (mainFrame()) {
    }
  }
  shutdown();
  return 0;
}

}  // namespace app
