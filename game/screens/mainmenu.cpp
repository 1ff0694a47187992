// The main menu (state 1): new game, load game, quick start and quit, with the theme music.
#include "screens/menus.h"

#include <cstdio>

#include "career/generation.h"
#include "career/messages.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "sound/KSound.h"
#include "tools/KTools.h"
#include "screens/options.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"

namespace {

// The OPTIONS button's hover image in "mainmenu.jpg".
constexpr int kOptionsHoverX = 240, kOptionsHoverY = 646;

void enterMainMenu() {
  gameInProgress = 0;
  if (musicPlayer && musicPlayer->LoadStream(KTools::GetDataPath(kThemeMusicFile))) musicPlayer->PlayStream(false);
  KSound::SetMasterVolumes(kGameMusicMaster, kGameSoundMaster);
  hotspotCount = 5;
  readLayoutFile(1);
  // The options, below the four buttons of the layout file.
  setHotspot(5, kOptionsHoverX, kOptionsHoverY, 240, 46, 280, 464, 1, 1, kBackgroundSlot);
  hotspotCount = 6;
}

void drawMainMenu() {
  drawSlotFrame(kBackgroundSlot, 0, 0, 1);
  static const int helpText[6] = {0, 406, 408, 409, 410, 579};
  if (hovered >= 1 && hovered <= 5) drawTextCentred(uiText(helpText[hovered]), 0, 800, 570);
  drawText(uiText(411), 5, 545);
  char version[32];
  std::snprintf(version, sizeof version, "Version %s", kVersionText);
  drawTextRight(version, 790, 545);
  drawSlotFrame(kLogoSlot, 735, 10, 2);
  drawHoverHighlight();
}

void inputMainMenu() {
  if (!mouseDown || hovered < 1 || hovered > 5) return;
  const int button = hovered;
  waitMouseRelease();
  playSound(kSoundClick);
  // Without a world (its data files are missing or damaged) no career starts: the player is
  // told why instead of being handed an empty one.
  if ((button == 1 || button == 3) && !worldReady()) {
    showMessage(kMessageNoWorld, worldDataProblem());
    return;
  }
  switch (button) {
    case 1:
      switchScreen(kNewManagerScreen);
      break;
    case 2:
      rememberedState = kMainMenuScreen;
      switchScreen(kLoadSaveScreen);
      break;
    case 3:
      quickStart();
      selectedBoxer = -1;
      switchScreen(kBoxerScreen);
      break;
    case 5:
      openOptionsScreen(kMainMenuScreen);
      break;
    default: quitFlag = 1; break;
  }
}

}  // namespace

void installMainMenu() {
  setScreenRoutines(kMainMenuScreen, {enterMainMenu, drawMainMenu, inputMainMenu, nullptr, nullptr});
}
