// The new-manager screen (state 2): the manager's name, nation and age, the five ratings with
// their points, and the start of the career.
#include "screens/menus.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "career/generation.h"
#include "career/newmanager.h"
#include "career/world.h"
#include "screens/statushelp.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"
#include "window/KInput.h"

bool nationListOpen = false;
int nationListTop = 1;

namespace {

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
        tidyName(managerName);
        playSound(kSoundClick);
        selectedBoxer = -1;
        switchScreen(kBoxerScreen);
      } else {
        playSound(kSoundCancel);
      }
      break;
  }
}

}  // namespace

void installNewManagerScreen() {
  setScreenRoutines(kNewManagerScreen, {enterNewManager, drawNewManager, inputNewManager, helpNewManager, nullptr});
}
