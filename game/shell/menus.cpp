// The launcher, the main menu, the new-manager screen and the save/load menu: their hotspots,
// their drawing and what their buttons do.
#include "shell/menus.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "career/generation.h"
#include "career/newmanager.h"
#include "career/world.h"
#include "shell/dispatch.h"
#include "shell/hotspots.h"
#include "shell/preferences.h"
#include "shell/savegame.h"
#include "shell/screenkit.h"
#include "shell/shell.h"
#include "shell/texttable.h"
#include "sound/KSound.h"
#include "tools/KTools.h"
#include "window/KInput.h"

uint8_t launcherDone = 0;
bool nationListOpen = false;
int nationListTop = 1;
int16_t selectedSaveSlot = 0;

namespace {

// ---- Launcher -------------------------------------------------------------------------------

void enterLauncher() {
  loadSlotPicture(kBackgroundSlot, "data\\gfx\\launcher.png", 0);
  setHotspot(1, 40, 310, 15, 15, 30, 194, 1, 1, 0);
  setHotspot(2, 40, 310, 15, 15, 30, 224, -1, 1, 0);
  setHotspot(3, 40, 310, 15, 15, 205, 194, 1, 1, 0);
  setHotspot(4, 40, 310, 15, 15, 210, 224, -1, 1, 0);
  setHotspot(5, 69, 304, 100, 30, 149, 267, 1, 1, 0);
  hotspotCount = 6;
}

void drawLauncher() {
  drawSlotFrame(kBackgroundSlot, 0, 0, 1);
  for (int i : {1, 3}) {
    const Hotspot& h = hotspots[i];
    drawPictureRect(kBackgroundSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 2);
  }
  const Hotspot& start = hotspots[5];
  drawPictureRect(kBackgroundSlot, start.srcX, start.srcY, start.width, start.height, start.x, start.y, 3, 0, 1, 0.7f);
  drawHoverHighlight();
  drawText("use DirectX", 60, 197);
  drawText("Fullscreen mode", 240, 197);
  drawParagraph("You can change more game options within the game, in the OPTIONS screen.", 30, 370, 220, 0);
  const char* help = "Startup Game Options";
  if (hovered == 1) help = "3D boxers view is disabled with DirectX";
  else if (hovered == 3) help = "Start the game in fullscreen";
  else if (hovered == 5) help = "Save options and start the game";
  drawTextCentred(help, 0, 400, 166);
  drawHoverHighlight();
  if (preferences.useDirectX == 1) drawPictureRect(kBackgroundSlot, 5, 305, 21, 23, hotspots[1].x - 2, hotspots[1].y - 8, 2);
  if (preferences.windowed == 0) drawPictureRect(kBackgroundSlot, 5, 305, 21, 23, hotspots[3].x - 2, hotspots[3].y - 8, 2);
}

void inputLauncher() {
  if (!mouseDown || (hovered != 1 && hovered != 3 && hovered != 5)) return;
  playSound(kSoundClick);
  waitMouseRelease();
  switch (hovered) {
    case 5:
      launcherDone = 1;
      quitFlag = 0;
      break;
    case 1: preferences.useDirectX = preferences.useDirectX ? 0 : 1; break;
    default: preferences.windowed = preferences.windowed ? 0 : 1; break;
  }
}

// ---- Main menu ------------------------------------------------------------------------------

void enterMainMenu() {
  gameInProgress = 0;
  if (musicPlayer && musicPlayer->LoadStream(KTools::GetDataPath(kThemeMusicFile))) musicPlayer->PlayStream(false);
  KSound::SetMasterVolumes(kGameMusicMaster, kGameSoundMaster);
  hotspotCount = 5;
  readLayoutFile(1);
}

void drawMainMenu() {
  drawSlotFrame(kBackgroundSlot, 0, 0, 1);
  static const int helpText[5] = {0, 406, 408, 409, 410};
  if (hovered >= 1 && hovered <= 4) drawTextCentred(uiText(helpText[hovered]), 0, 800, 570);
  drawText(uiText(411), 5, 545);
  char version[32];
  std::snprintf(version, sizeof version, "Version %s", kVersionText);
  drawTextRight(version, 790, 545);
  drawSlotFrame(kLogoSlot, 735, 10, 2);
  drawHoverHighlight();
}

void inputMainMenu() {
  if (!mouseDown || hovered < 1 || hovered > 4) return;
  const int button = hovered;
  waitMouseRelease();
  playSound(kSoundClick);
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
    default: quitFlag = 1; break;
  }
}

// ---- New manager ----------------------------------------------------------------------------

StepRepeater skillRepeater;
int heldSkillButton = -1;  // skill * 2 + (plus ? 1 : 0) while a skill button is held

constexpr int kSkillRowTop = 275, kSkillRowStep = 32, kMinusX = 680, kPlusX = 704;

int skillButtonAt(int x, int y) {
  for (int d = 0; d < 5; ++d) {
    const int top = kSkillRowTop + kSkillRowStep * d;
    if (pointInRect(x, y, kMinusX, top, kMinusX + 19, top + 19)) return d * 2;
    if (pointInRect(x, y, kPlusX, top, kPlusX + 19, top + 19)) return d * 2 + 1;
  }
  return -1;
}

void enterNewManager() {
  hotspotCount = 4;
  readLayoutFile(2);
  nationListOpen = false;
  heldSkillButton = -1;
  skillRepeater.release();
}

void drawStars(int points, float y) {
  int i = 0;
  for (; i < points / 3; ++i) drawSlotFrame(kStarSlot, float(473 + 28 * i), y, 2);
  const int rest = points % 3;
  if (rest > 0) drawPictureRect(kStarSlot, 0, 0, 10 * rest, pictureSlots[kStarSlot].pictureHeight, float(473 + 28 * i), y, 2);
}

void drawNationList() {
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  fillRect(528, 207, 740, 440, 0, 0, 0, 0.7f);
  fillRect(720, 207, 740, 439, 0.5f, 0.4f, 0.3f, 0.25f);
  if (pointInRect(mx, my, 716, 207, 738, 438)) helpLine(423, 535);
  if (pointInRect(mx, my, 526, 207, 715, 436)) {
    const int f = (my - 207) / 21 * 21;
    fillRect(528, float(f + 210), 740, float(f + 227), 1, 1, 1, 0.5f);
  }
  nationListTop = std::clamp(nationListTop, 1, 50);
  drawPictureRect(kCreateSlot, 619, 600, 10, 8, 725, 207 + 4.4f * float(nationListTop), 2);
  for (int i = 0; i < 11; ++i) {
    const int n = nationListTop + i;
    if (n > kNationCount) break;
    drawTextCentred(nations[n].longName, 525, 720, float(213 + 21 * i));
  }
}

void drawNewManager() {
  drawSlotFrame(kCreateSlot, 0, 0, 1);
  static bool blink = false;
  static uint32_t nextBlink = 0;
  const uint32_t now = KTools::GetMilliseconds();
  if (now >= nextBlink) {
    blink = !blink;
    nextBlink = now + 1000;
  }
  const float w = textWidth(managerName);
  if (blink) fillRect(461 + w, 140, 471 + w, 152, 1, 1, 1, 0.5f);

  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  switch (hovered) {
    case 1: helpLine(412, 550); break;
    case 2: helpLines(413, 414); break;
    case 3: helpLine(415, 550); break;
    default: break;
  }
  if (pointInRect(mx, my, 380, 135, 735, 152)) helpLine(416, 550);
  else if (pointInRect(mx, my, 380, 155, 735, 177)) {
    helpLines(417, 418, 419);
  } else if (pointInRect(mx, my, 380, 184, 700, 201)) helpLine(420, 550);
  else if (pointInRect(mx, my, 35, 454, 600, 477)) helpLine(421, 550);
  else if (pointInRect(mx, my, 605, 454, 780, 477)) helpLine(422, 550);
  drawStatusAndHelp();

  const int nation = std::clamp<int>(career.managerNation, 0, kNationCount);
  drawTextCentred(nations[nation].longName, 525, 720, 189);
  drawNumberCentred(career.managerAge, 445, 485, 165);
  drawNumberCentred(stableCount, 700, 720, 165);
  drawTextCentred("Starting Cash", 600, 675, 465);
  const int m = std::clamp<int>(month, 0, 11);
  drawNumberCentred(int(cash) - expenses[m][1] - expenses[m][2], 690, 745, 465);
  drawTextCentred("$", 740, 750, 465);
  drawText(managerName, 458, 140);
  for (int i = 0; i < career.freeSkillPoints && i < 30; ++i) drawPictureRect(kSkillPointSlot, 0, 0, 16, 16, float(160 + 20 * i), 463, 2);
  static const float rows[5] = {270, 302, 334, 366, 398};
  for (int d = 0; d < 5; ++d) drawStars(career.managerSkills[d], rows[d]);
  drawHoverHighlight();
  if (nationListOpen) drawNationList();
  if (!KInput::IsLeftButtonDown()) skillRepeater.delay = 200;
}

void helpNewManager() {
  if (!nationListOpen) drawRatingsHelp(false);
}

void stepSkill(int button) {
  const int skill = button / 2;
  const bool ok = (button & 1) ? addManagerSkillPoint(skill) : removeManagerSkillPoint(skill);
  if (ok) playSound(kSoundClick);
  else if (skillRepeater.refusalSoundDue(KTools::GetMilliseconds())) playSound(kSoundCancel);
}

void inputNewManager() {
  textField(managerName, smallFont, 210, 31, 458, 140, 2, false);
  const int mx = mouseX, my = mouseY;
  const uint32_t now = KTools::GetMilliseconds();

  // A held skill button repeats its step.
  if (heldSkillButton >= 0) {
    if (KInput::IsLeftButtonDown() && skillButtonAt(mx, my) == heldSkillButton) {
      if (skillRepeater.stepDue(now)) stepSkill(heldSkillButton);
      return;
    }
    heldSkillButton = -1;
    skillRepeater.release();
  }
  if (!mouseDown) return;

  if (nationListOpen) {
    waitMouseRelease();
    if (pointInRect(mx, my, 526, 207, 715, 436)) {
      if (pickNationFromList(nationListTop, (my - 207) / 21)) playSound(kSoundClick);
      nationListOpen = false;
    } else if (pointInRect(mx, my, 716, 207, 740, 439)) {
      nationListTop = std::clamp(1 + int(float(my - 207) / 4.4f), 1, 50);
    } else {
      nationListOpen = false;
    }
    return;
  }
  const int skillButton = skillButtonAt(mx, my);
  if (skillButton >= 0) {
    heldSkillButton = skillButton;
    if (skillRepeater.stepDue(now)) stepSkill(skillButton);
    return;
  }
  if (pointInRect(mx, my, 518, 185, 726, 205)) {
    waitMouseRelease();
    playSound(kSoundClick);
    nationListTop = nationListFirst(career.managerNation);
    nationListOpen = true;
    return;
  }
  if (hovered < 1 || hovered > 3) return;
  const int button = hovered;
  waitMouseRelease();
  switch (button) {
    case 1:
      playSound(kSoundClick);
      switchScreen(kMainMenuScreen);
      break;
    case 2:
      playSound(kSoundClick);
      resetManager();
      break;
    default:
      if (confirmNewManager()) {
        playSound(kSoundClick);
        selectedBoxer = -1;
        switchScreen(kBoxerScreen);
      } else {
        playSound(kSoundCancel);
      }
      break;
  }
}

// ---- Save/load menu -------------------------------------------------------------------------

void enterLoadSave() {
  for (int i = 0; i < 3; ++i) setHotspot(7 + i, 318, 33 * i, 158, 32, 375, 360 + 33 * i, 1, 1, 16);
  listSlots();
  if (rememberedState != kMainMenuScreen) setTabBarHotspots();
  hotspotCount = 10;
}

void drawLoadSave() {
  drawPictureRect(kMenuSlot, 0, 0, 800, 600, 0, 0, 1);
  drawPictureRect(kLoadSaveSlot, 0, 0, 300, 400, 250, 100, 1);
  for (int i = 7; i <= 9; ++i) {
    const Hotspot& h = hotspots[i];
    drawPictureRect(kLoadSaveSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 3, 0, 1, 0.8f);
  }
  drawPictureRect(kLoadSaveSlot, 0, 405, 271, 20, 264, float(149 + 20 * selectedSaveSlot), 3, 0, 1, 0.8f);
  for (int j = 0; j < kSaveSlots; ++j) drawTextCentred(slotDescriptions[j], 0, 800, float(153 + 20 * j));
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  if (pointInRect(mx, my, 262, 149, 532, 343)) {
    const int f = (my - 5) / 20 * 20;
    fillRect(264, float(f + 10), 536, float(f + 28), 1, 0, 0, 0.2f);
  }
  drawStatusAndHelp();
  drawHoverHighlight();
}

void inputLoadSave() {
  if (!mouseDown) return;
  if (hovered >= 7 && hovered <= 9) {
    const int button = hovered;
    playSound(kSoundClick);
    waitMouseRelease();
    switch (button) {
      case 7:
        if (loadSlot(selectedSaveSlot)) {
          inGameMenu = 0;
          switchScreen(kBoxerScreen);
        }
        break;
      case 8:
        if (gameInProgress && saveSlot(selectedSaveSlot)) {
          inGameMenu = 0;
          switchScreen(kBoxerScreen);
        }
        break;
      default:
        inGameMenu = 0;
        generateWorld();
        switchScreen(kMainMenuScreen);
        break;
    }
    return;
  }
  if (pointInRect(mouseX, mouseY, 260, 149, 530, 345))
    selectedSaveSlot = int16_t(std::clamp((mouseY - 149) / 20, 0, kSaveSlots - 1));
}

}  // namespace

void installMenuScreens() {
  setScreenRoutines(kLauncherScreen, {enterLauncher, drawLauncher, inputLauncher, nullptr, nullptr});
  setScreenRoutines(kMainMenuScreen, {enterMainMenu, drawMainMenu, inputMainMenu, nullptr, nullptr});
  setScreenRoutines(kNewManagerScreen, {enterNewManager, drawNewManager, inputNewManager, helpNewManager, nullptr});
  setScreenRoutines(kLoadSaveScreen, {enterLoadSave, drawLoadSave, inputLoadSave, nullptr, nullptr});
}
