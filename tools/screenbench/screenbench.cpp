// brawnmoor-screenbench: draws every screen of the game for a number of frames with each
// renderer and prints a table of milliseconds per frame (the main loop's whole pass: the
// screen, its input, the pointer and the present), with no frame cap and no vertical sync.
//
//   brawnmoor-screenbench [--renderer gl|dd|both] [--frames N] [--only NAME]
//                         [--size WxH [--sharp]]
//
// --size opens the game window at that size (the 800 x 600 picture scaled into it, smooth
// unless --sharp), so that the cost of the scaled present shows.
//
// The per-user folder is a temporary one. Run it on an otherwise idle machine.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "career/generation.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/world.h"
#include "fight/bout.h"
#include "saves/options.h"
#include "saves/preferences.h"
#include "screens/menus.h"
#include "shell/app.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/tutorial.h"
#include "window/KWindow.h"

namespace {

double nowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Books a fight for the first stable boxer in the coming month and makes it the current one.
bool bookAFight() {
  openRankingsScreen();
  for (int row = 0; row < 20; ++row) {
    popup = 0;
    if (chooseOpponent(row) && arrangeFight() >= 0) {
      popup = 0;
      const int f = findScheduledFight();
      if (f < 0) return false;
      playInteractively(f);
      return true;
    }
  }
  popup = 0;
  return false;
}

struct Row {
  std::string name;
  double ms[2] = {-1, -1};
};

std::string onlyScreen;  // --only: measure just the screens whose name contains this
int windowWidth = 0, windowHeight = 0;  // --size
bool sharp = false;

double measure(int frames, const std::function<void()>& setUp, const char* name = "") {
  setUp();
  if (!onlyScreen.empty() && std::string(name).find(onlyScreen) == std::string::npos) frames = 1;
  for (int i = 0; i < 5; ++i) app::mainFrame();  // settle: pictures loaded, caches warm
  const double start = nowMs();
  for (int i = 0; i < frames; ++i) app::mainFrame();
  return (nowMs() - start) / frames;
}

double launcherMs(int frames) {
  if (!app::startLauncher()) return -1;
  gameWindow->SetMaxFrameRate(-1);
  for (int i = 0; i < 5; ++i) app::launcherFrame();
  const double start = nowMs();
  for (int i = 0; i < frames; ++i) app::launcherFrame();
  const double ms = (nowMs() - start) / frames;
  app::closeLauncher();
  return ms;
}

void run(bool gl, int frames, std::vector<Row>& rows) {
  const int column = gl ? 1 : 0;
  size_t r = 0;
  auto add = [&](const std::string& name, double ms) {
    if (r == rows.size()) rows.push_back(Row{name});
    rows[r++].ms[column] = ms;
  };
  if (!gl) add("launcher (400 x 300, software)", launcherMs(frames));
  else add("launcher (400 x 300, software)", -1);

  if (windowWidth > 0) {
    // The options the game window opens with: a window of that size, sized by the player.
    gameOptions = GameOptions{};
    gameOptions.windowSize = kWindowSizeFree;
    gameOptions.windowWidth = windowWidth;
    gameOptions.windowHeight = windowHeight;
    gameOptions.smoothScaling = !sharp;
    userFolder();
    saveOptions();
  }
  loadPreferences();
  preferences.useDirectX = gl ? 0 : 1;
  preferences.windowed = 1;
  quitFlag = 0;
  tutorialOn = 0;
  const double loadStart = nowMs();
  if (!app::openGameWindow()) {
    std::fprintf(stderr, "screenbench: no game window for %s\n", gl ? "OpenGL" : "software");
    return;
  }
  add("loading screen to main menu (once, ms)", nowMs() - loadStart);
  gameWindow->SetMaxFrameRate(-1);

  add("main menu", measure(frames, [] { switchScreen(kMainMenuScreen); }, "main menu"));
  add("new manager", measure(frames, [] { switchScreen(kNewManagerScreen); }, "new manager"));
  add("new manager, nation list open", measure(frames, [] { nationListOpen = true; }, "new manager, nation list open"));
  nationListOpen = false;
  quickStart();
  for (int panel = 1; panel <= 4; ++panel) {
    char name[64];
    std::snprintf(name, sizeof name, "boxer screen, panel %d", panel);
    add(name, measure(frames, [panel] {
          switchScreen(kBoxerScreen);
          panelSelector = int16_t(panel);
        }, name));
  }
  add("finances", measure(frames, [] { switchScreen(kFinancesScreen); }, "finances"));
  add("rankings", measure(frames, [] { switchScreen(kRankingsScreen); }, "rankings"));
  add("boxer search", measure(frames, [] { switchScreen(kSearchScreen); }, "boxer search"));
  add("save/load menu", measure(frames, [] {
        rememberedState = kBoxerScreen;
        switchScreen(kLoadSaveScreen);
      }, "save/load menu"));
  add("message window (boxer screen)", measure(frames, [] {
        switchScreen(kBoxerScreen);
        popup = 16;
        popupBoxer = career.stable[0];
      }, "message window (boxer screen)"));
  popup = 0;
  add("monthly pop-up (boxer screen)", measure(frames, [] { messagePopup = 4; }, "monthly pop-up (boxer screen)"));
  messagePopup = 0;
  add("tutorial panel (boxer screen)", measure(frames, [] {
        tutorialOn = 1;
        tutorialStep = 0;
        switchScreen(kBoxerScreen);
      }, "tutorial panel (boxer screen)"));
  tutorialOn = 0;
  const bool booked = bookAFight();
  add("month screen", measure(frames, [] { switchScreen(kMonthScreen); }, "month screen"));
  if (booked) {
    add("corner", measure(frames, [] { switchScreen(kCornerScreen); }, "corner"));
    add("fight, ring view", measure(frames, [] {
          textMode = 0;
          switchScreen(kFightScreen);
        }, "fight, ring view"));
    add("fight, text commentary", measure(frames, [] {
          textMode = 1;
          switchScreen(kFightScreen);
        }, "fight, text commentary"));
    add("result", measure(frames, [] { switchScreen(kResultScreen); }, "result"));
  }
  app::shutdown();
}

}  // namespace

int main(int argc, char** argv) {
  std::string renderer = "both";
  int frames = 200;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--renderer") && i + 1 < argc) renderer = argv[++i];
    else if (!std::strcmp(argv[i], "--only") && i + 1 < argc) onlyScreen = argv[++i];
    else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) frames = std::max(1, std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--size") && i + 1 < argc) std::sscanf(argv[++i], "%dx%d", &windowWidth, &windowHeight);
    else if (!std::strcmp(argv[i], "--sharp")) sharp = true;
  }
  if (windowWidth > 0)
    std::printf("window %d x %d, %s scaling\n", windowWidth, windowHeight, sharp ? "sharp" : "smooth");
  char home[] = "/tmp/brawnmoor-screenbench-XXXXXX";
  if (!mkdtemp(home)) return 1;
  setenv("XDG_DATA_HOME", home, 1);
  std::vector<Row> rows;
  if (renderer != "gl") run(false, frames, rows);
  if (renderer != "dd") run(true, frames, rows);
  std::printf("| screen | software ms/frame | OpenGL ms/frame |\n|---|---|---|\n");
  for (const Row& row : rows) {
    auto cell = [](double v) {
      static char buf[2][32];
      static int k = 0;
      k ^= 1;
      if (v < 0) std::snprintf(buf[k], sizeof buf[k], "-");
      else std::snprintf(buf[k], sizeof buf[k], "%.2f", v);
      return buf[k];
    };
    const char* a = cell(row.ms[0]);
    const char* b = cell(row.ms[1]);
    std::printf("| %s | %s | %s |\n", row.name.c_str(), a, b);
  }
  std::string rm = std::string("rm -rf ") + home;
  return std::system(rm.c_str()) == 0 ? 0 : 0;
}
