#include "shell/dispatch.h"

#include <cstdio>

#include "career/generation.h"
#include "career/world.h"
#include "screens/boxer.h"
#include "screens/fight.h"
#include "screens/finances.h"
#include "screens/menus.h"
#include "screens/messagewindow.h"
#include "screens/month.h"
#include "screens/options.h"
#include "screens/rankings.h"
#include "screens/search.h"
#include "screens/tutorialpanel.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"

void installScreens() {
  installLauncher();
  installMainMenu();
  installNewManagerScreen();
  installSaveLoadScreen();
  installOptionsScreen();
  installBoxerScreen();
  installFinancesScreen();
  installRankingsScreen();
  installSearchScreen();
  installMonthScreen();
  installFightScreens();
}

// ---- Overlays -------------------------------------------------------------------------------

void drawProfilePanel() {
  drawPictureRect(kMenuSlot, 0, 1015, 375, 9, 229, 318, 3, 0, 1, 0.6f);
  drawPictureRect(kMenuSlot, 1000, 0, 5, 110, 599, 210, 3, 0, 1, 0.6f);
  drawPictureRect(kMenuSlot, 453, 841, 375, 118, 224, 205, 1);
  drawPictureRect(kMenuSlot, 328, 712, 11, 12, 584, 208, 1);
  for (int r = 0; r < 5; ++r) drawPictureRect(kMenuSlot, 459, 815, 106, 16, 230, float(229 + 18 * r), 3, 0, 1, 0.7f);
  drawTextCentred(uiText(34), 235, 585, 209);
  static const int rowTops[5] = {229, 247, 266, 284, 302};
  for (int r = 0; r < 5; ++r) {
    const int points = career.managerSkills[r];
    for (int d = 0; d < points && d < 30; ++d) drawPictureRect(kSkillPointSlot, 0, 0, 16, 16, float(337 + 12 * d), float(rowTops[r]), 2);
    drawTextCentred(uiText(35 + r), 235, 330, float(231 + 18 * r));
  }
}

void drawMonthlyPopup() {
  drawSlotFrame(kCalendarSlot, 272, 172, 1);
  char line[64];
  const int m = month >= 0 && month < 12 ? int(month) : 0;
  std::snprintf(line, sizeof line, "%s %d", monthNames[m], int(year));
  drawTextCentred(line, 0, 800, 305);
  drawTextCentred(uiText(0), 0, 800, 330);
  const int kind = messagePopup;
  if (kind < 1 || kind > 10) return;
  static const int first[11] = {0, 1, 4, 7, 10, 14, 17, 20, 24, 28, 31};
  const bool four = kind == 4 || kind == 7 || kind == 8;
  const int count = four ? 4 : 3;
  for (int i = 0; i < count; ++i) drawTextCentred(uiText(first[kind] + i), 0, 800, float(350 + 15 * i));
}

// ---- The two passes -------------------------------------------------------------------------

void drawScreen() {
  const ScreenRoutines& r = screenRoutines(screenState);
  if (r.draw) r.draw();
  if (messagePopup < 1) {
    if (popup > 0) drawMessageWindow();
    if (profilePanel) drawProfilePanel();
    if (tutorialOn) drawTutorialPanel();
    else tutorialPanelShown = false;
  } else {
    tutorialPanelShown = false;
    drawMonthlyPopup();
  }
}

namespace {

bool isCareerTabScreen(int state) {
  return state == kBoxerScreen || state == kFinancesScreen || state == kRankingsScreen || state == kSearchScreen ||
         state == kMonthScreen || state == kLoadSaveScreen;
}

void clickTab(int tab) {
  waitMouseRelease();
  playSound(kSoundClick);
  // Tab 6 on the menu itself keeps the screen the menu returns to.
  if (!(tab == 6 && screenState == kLoadSaveScreen)) rememberedState = screenState;
  static const int16_t target[7] = {0, kMonthScreen, kBoxerScreen, kFinancesScreen, kRankingsScreen, kSearchScreen,
                                    kLoadSaveScreen};
  if (tab == 6) inGameMenu = 1;
  else if (screenState == kLoadSaveScreen) inGameMenu = 0;
  switch (tab) {
    case 1: playTutorialVoice(tutorialAdvance(TutorialAction::MonthTab)); break;
    case 3: playTutorialVoice(tutorialAdvance(TutorialAction::FinancesTab)); break;
    case 4: playTutorialVoice(tutorialAdvance(TutorialAction::RankingsTab)); break;
    default: break;
  }
  switchScreen(target[tab]);
}

}  // namespace

void handleInput() {
  // The press as the window saw it since the last pass, so that a quick tap counts too.
  mouseDown = sampleMouseDown() ? 1 : 0;
  if (mouseDown && messagePopup > 0) {
    waitMouseRelease();
    messagePopup = 0;
    return;
  }
  // A career that is over goes on only to the main menu: the click that closes its message
  // (or any click, should the message have been closed some other way) leads there, and
  // nothing of the finished career, no tab and no button, is reached before.
  if (mouseDown && (popup > 0 || gameOver)) {
    popup = 0;
    playSound(kSoundClick);
    waitMouseRelease();
    if (gameOver) {
      generateWorld();
      gameOver = 0;
      inGameMenu = 0;
      switchScreen(kMainMenuScreen);
    }
    return;
  }
  if (mouseDown && profilePanel) {
    profilePanel = 0;
    waitMouseRelease();
    return;
  }
  mouseX = int16_t(KInput::GetMouseX());
  mouseY = int16_t(KInput::GetMouseY());
  if (updateHover(mouseX, mouseY)) playSound(kSoundOver);

  if (mouseDown && !gameOver && isCareerTabScreen(screenState) && hovered >= 1 && hovered <= 6) {
    clickTab(hovered);
    return;
  }
  const int stateBefore = screenState;
  const ScreenRoutines& r = screenRoutines(screenState);
  if (r.input) r.input();
  if (screenState != stateBefore) return;
  if (mouseDown && screenState >= kBoxerScreen && screenState <= kSearchScreen &&
      pointInRect(mouseX, mouseY, 490, 64, 760, 85)) {
    waitMouseRelease();
    profilePanel = profilePanel ? 0 : 1;
  }
}
