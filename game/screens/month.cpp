// The month screen: the due fights of the coming month on the right with their watch (eye)
// and instant (monitor) buttons, the manager's career on the left, and the advance button.
#include "screens/month.h"

#include <cstdio>
#include <cstring>

#include "career/monthadvance.h"
#include "career/world.h"
#include "screens/fight.h"
#include "screens/statushelp.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"

namespace {


constexpr int kWatchButton = 7;     // 7..12, one per row
constexpr int kInstantButton = 13;  // 13..18
constexpr int kAdvanceButton = 19;
constexpr int kRows = 6;
constexpr int kRowStep = 64;

MonthRecordTable recordTable{};

void setWhite() { setTextColour(1, 1, 1); }

int rowTop(int row) { return 107 + kRowStep * row; }

// ---- Entry ------------------------------------------------------------------------------------

void enterMonth() {
  openNextMonthScreen();
  setTabBarHotspots();
  for (int r = 0; r < kRows; ++r) {
    const int state = pendingFights[r] != -1 ? 1 : -1;
    setHotspot(kWatchButton + r, 864, 830, 32, 32, 440, 118 + kRowStep * r, state, 1, kMenuSlot);
    setHotspot(kInstantButton + r, 932, 830, 32, 32, 718, 118 + kRowStep * r, state, 1, kMenuSlot);
  }
  setHotspot(kAdvanceButton, 830, 898, 140, 30, kAdvanceButtonX, kAdvanceButtonY, 1, 1, kMenuSlot);
  hotspotCount = 20;
  recordTable = countMonthRecord();
}

// ---- Drawing ----------------------------------------------------------------------------------

void drawFightRows() {
  for (int r = 0; r < kRows; r += 2) fillRect(433, float(rowTop(r)), 757, float(rowTop(r) + kRowStep), 1, 1, 1, 0.2f);
  char line[128];
  for (int r = 0; r < kRows; ++r) {
    const int fight = pendingFights[r];
    const float y = float(kRowStep * r);
    if (fight == -1 || !isFight(fight) || !isBoxer(fights[fight].boxerA)) {
      drawTextCentred(uiText(134), 440, 750, 133 + y);
      continue;
    }
    const Fight& f = fights[fight];
    const int category = boxers[f.boxerA].category;
    if (category >= 1 && category <= kCategoryCount) {
      std::snprintf(line, sizeof line, "%.20s", weightNames[category].name);
      setTextColour(0.93f, 0.78f, 0.38f);
      drawTextCentred(line, 440, 750, 114 + y);
      setWhite();
    }
    formatFightLine(fight, line, sizeof line);
    drawTextCentred(line, 440, 750, 133 + y);
    std::snprintf(line, sizeof line, "Rounds: %d", int(f.rounds));
    drawTextCentred(line, 440, 750, 150 + y);
    drawPictureRect(kMenuSlot, 830, 830, 32, 32, 440, 118 + y, 1);
    drawPictureRect(kMenuSlot, 898, 830, 32, 32, 718, 118 + y, 1);
  }
}

void drawManagerPanel() {
  char line[128];
  const int nation = career.managerNation >= 0 && career.managerNation <= kNationCount ? career.managerNation : 0;
  char shortName[5] = {};
  std::snprintf(shortName, sizeof shortName, "%.4s", nations[nation].shortName);
  // The heading with a mark where the name goes, then the name fitted into the panel's width.
  char heading[128];
  std::snprintf(heading, sizeof heading, uiText(135), "\x01", shortName);
  if (char* mark = std::strchr(heading, '\x01')) {
    *mark = 0;
    fitName(line, sizeof line, 425 - 47 - 8, heading, managerName, mark + 1);
  } else {
    std::snprintf(line, sizeof line, "%s", heading);
  }
  drawTextCentred(line, 47, 425, 109);
  static const int rowY[5] = {129, 147, 166, 184, 202};
  for (int i = 0; i < 5; ++i) {
    drawPictureRect(kMenuSlot, 459, 815, 106, 16, 52, float(rowY[i]), 1);
    drawTextCentred(uiText(35 + i), 95, 115, float(rowY[i] + 1));
    const int points = career.managerSkills[i];
    for (int d = 0; d < points && d < 22; ++d)
      drawPictureRect(kSkillPointSlot, 0, 0, 16, 16, float(160 + 12 * d), float(rowY[i]), 2);
  }
  drawTextCentred(uiText(136), 10, 370, 465);
  drawTextCentred(uiText(137), 10, 370, 480);
}

void drawRecentResults() {
  drawTextCentred(uiText(138), 40, 430, 234);
  drawTextCentred(uiText(139), 40, 430, 255);
  int k = 0;
  for (int16_t result : recentResults) {
    if (result <= 0 || result > 3) continue;
    ++k;
    float r = 0, g = 0, b = 0;
    const char* letter = "W";
    if (result == 1) g = 1;
    else if (result == 2) { r = 1; letter = "L"; }
    else { b = 1; letter = "D"; }
    const float x1 = float(30 + 35 * k), x2 = float(60 + 35 * k);
    fillRect(x1, 275, x2, 296, 0.3f * r, 0.3f * g, 0.3f * b, 1);
    fillRect(x1 + 2, 277, x2 - 2, 294, 0.6f * r, 0.6f * g, 0.6f * b, 1);
    drawTextCentred(letter, x1, x2, 280);
  }
}

void drawRecordTable() {
  drawTextCentred(uiText(140), 40, 430, 303);
  static const char* const heads[4] = {"KO", "TKO", "Unanim.", "Split"};
  static const int columnX[4] = {132, 202, 272, 342};
  for (int c = 0; c < 4; ++c) {
    fillRect(float(columnX[c]), 324, float(columnX[c] + 68), 341, 0.05f, 0.05f, 0.05f, 0.6f);
    drawTextCentred(heads[c], float(columnX[c]), float(columnX[c] + 68), 327);
  }
  char line[64];
  const int rowY[2] = {350, 370};
  const int* counts[2] = {recordTable.wins, recordTable.losses};
  for (int row = 0; row < 2; ++row) {
    const float y = float(rowY[row]);
    fillRect(52, y - 3, 130, y + 14, 0.15f, 0.15f, 0.18f, 0.9f);
    std::snprintf(line, sizeof line, uiText(141 + row), int(career.careerStats[row == 0 ? kStatWins : kStatLosses]));
    drawTextCentred(line, 52, 130, y);
    for (int c = 0; c < 4; ++c) {
      const float x = float(columnX[c]);
      if (row == 0) fillRect(x, y - 3, x + 68, y + 14, 0.1f, 0.32f, 0.12f, 0.85f);
      else fillRect(x, y - 3, x + 68, y + 14, 0.38f, 0.1f, 0.1f, 0.85f);
      drawNumberCentred(counts[row][c], x, x + 68, y);
    }
  }
}

void drawTitlesMoneyAge() {
  drawText(uiText(143), 85, 400);
  drawText(uiText(144), 210, 400);
  drawNumberCentred(career.careerStats[kStatTitlesWon], 260, 300, 400);
  drawText(uiText(145), 317, 400);
  drawNumberCentred(career.careerStats[kStatTitlesLost], 370, 410, 400);
  char line[64];
  drawText(uiText(146), 85, 420);
  std::snprintf(line, sizeof line, "%d $", int(career.earningsTotal));
  setTextColour(0.93f, 0.78f, 0.38f);
  drawTextRight(line, 400, 420);
  setWhite();
  drawText(uiText(147), 77, 440);
  std::snprintf(line, sizeof line, uiText(148), int(year - career.managerAge + 60));
  drawTextCentred(line, 200, 410, 440);
}

void drawMonth() {
  drawPictureRect(kMenuSlot, 0, 0, 800, 600, 0, 0, 1);
  drawPictureRect(kPanelLeftSlot, 0, 0, 510, 400, 36, 100, 1);
  drawPictureRect(kPanelRightSlot, 0, 0, 224, 400, 546, 100, 1);
  drawFightRows();
  drawManagerPanel();
  drawRecentResults();
  drawRecordTable();
  drawTitlesMoneyAge();
  drawPictureRect(kMenuSlot, 830, 866, 140, 30, kAdvanceButtonX, kAdvanceButtonY, 1);
  drawStatusAndHelp();
  drawHoverHighlight();
}

void helpMonth() {
  if (pointInRect(KInput::GetMouseX(), KInput::GetMouseY(), 45, 245, 416, 385)) {
    helpLines(276, 277);
  }
  if (hovered >= kWatchButton && hovered < kWatchButton + kRows) helpLine(278, 550);
  else if (hovered >= kInstantButton && hovered < kInstantButton + kRows) helpLine(279, 550);
  else if (hovered == kAdvanceButton) {
    helpLine(280, 540);
    drawTextCentred(uiText(281), 0, 800, 560);
  }
}

// ---- Input ------------------------------------------------------------------------------------

void inputMonth() {
  if (!mouseDown) return;
  const int button = hovered;
  waitMouseRelease();
  // The last tutorial steps move on with any press on this screen.
  playTutorialVoice(tutorialAdvance(TutorialAction::MonthScreenPress));

  if (button >= kWatchButton && button < kWatchButton + kRows) {
    const int fight = pendingFights[button - kWatchButton];
    if (fight == -1) return;
    playSound(kSoundClick);
    watchFight(fight);
  } else if (button >= kInstantButton && button < kInstantButton + kRows) {
    const int fight = pendingFights[button - kInstantButton];
    if (fight == -1) return;
    playSound(kSoundClick);
    playInstantly(fight);
    if (currentFight != fight) return;
    resultShown = false;  // a new result: the result screen applies it once
    switchScreen(kResultScreen);
  } else if (button == kAdvanceButton) {
    if (requestAdvance() && !gameOver) switchScreen(kMonthScreen);  // the new month's fights and record
  }
}

}  // namespace

MonthRecordTable countMonthRecord() {
  MonthRecordTable t{};
  for (const Fight& f : fights) {
    if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB) || f.winner == -1 || f.winner == kDraw) continue;
    int* row = f.winner == f.boxerA ? t.wins : f.winner == f.boxerB ? t.losses : nullptr;
    if (!row) continue;
    if (f.koRound > 0) ++row[0];
    else if (f.stopRound > 0) ++row[1];
    else if (f.unanimous == 1) ++row[2];
    else ++row[3];
  }
  return t;
}

const MonthRecordTable& shownMonthRecord() { return recordTable; }

void formatFightLine(int fight, char* out, int size) {
  if (!out || size <= 0) return;
  out[0] = 0;
  if (!isFight(fight) || !isBoxer(fights[fight].boxerA) || !isBoxer(fights[fight].boxerB)) return;
  const Boxer& a = boxers[fights[fight].boxerA];
  const Boxer& b = boxers[fights[fight].boxerB];
  char nameA[48], nameB[48];
  formatBoxerName(a, nameA, sizeof nameA, NameStyle::Initial);
  formatBoxerName(b, nameB, sizeof nameB, NameStyle::Initial);
  // A first boxer without surname opens the line with a space (" Lin Haoyu - J. Doe").
  std::snprintf(out, size_t(size), "%s%s - %s", hasSurname(a) ? "" : " ", nameA, nameB);
}

void installMonthScreen() {
  setScreenRoutines(kMonthScreen, {enterMonth, drawMonth, inputMonth, helpMonth, nullptr});
}
