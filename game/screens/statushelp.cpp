// The status line, the header and the hover help that every career screen draws near the end
// of its frame. The screens' own help lines are drawn by their help routines.
#include "screens/statushelp.h"

#include <algorithm>
#include <cstdio>

#include "career/monthadvance.h"
#include "career/world.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "window/KInput.h"

namespace {

bool showsStatusLine(int state) { return (state >= 3 && state <= 7) || state == 11 || state == 12; }

bool someFightDue() {
  for (int i = 0; i < kFightCount; ++i)
    if (isFightDue(i)) return true;
  return false;
}

void drawStatusLine() {
  char line[160];
  std::snprintf(line, sizeof line, uiText(41), int(cash));
  drawTextRight(line, 765, 512);
  std::snprintf(line, sizeof line, uiText(42), int(career.managerAge));
  drawText(line, 38, 512);
  std::snprintf(line, sizeof line, uiText(43), int(career.careerStats[kStatWins]),
                int(career.careerStats[kStatDraws]), int(career.careerStats[kStatLosses]));
  drawText(line, 165, 512);

  if (hovered >= 1 && hovered <= 6) {
    drawPictureRect(kMenuSlot, 800, 33 * (hovered - 1), 199, 33, 522, 25, 1);
    switch (hovered) {
      case 1:
        helpLine(44, 535);
        if (someFightDue()) {
          helpLine(45, 550);
          helpLine(46, 565);
        }
        break;
      case 2: helpLines(47, 48); break;
      default: helpLine(49 + (hovered - 3), 550); break;
    }
  }

  // The manager and his nation on the left, the date on the right; a long name is cut before
  // it reaches the date.
  const int m = month >= 0 && month < 12 ? int(month) : 0;
  char date[kMonthNameSize + 16];
  std::snprintf(date, sizeof date, "%.3s %d", monthNames[m], int(year));
  const int nation = career.managerNation >= 0 && career.managerNation <= kNationCount ? career.managerNation : 0;
  char nationPart[16];
  std::snprintf(nationPart, sizeof nationPart, " (%.*s)", int(sizeof nations[nation].shortName), nations[nation].shortName);
  constexpr float kHeaderLeft = 500, kDateRight = 754, kGap = 12;
  fitName(line, sizeof line, kDateRight - std::max(0.0f, textWidth(date)) - kGap - kHeaderLeft, "", managerName,
          nationPart);
  drawText(line, kHeaderLeft, 71);
  drawTextRight(date, kDateRight, 71);

  if (screenState != kLoadSaveScreen && pointInRect(KInput::GetMouseX(), KInput::GetMouseY(), 490, 64, 760, 85))
    helpLine(53, 550);
}

}  // namespace

void drawRatingsHelp(bool profileRows) {
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  for (int d = 0; d < 5; ++d) {
    bool over;
    if (profileRows)
      over = pointInRect(mx, my, 224, 227 + 18 * d, 610, 242 + 18 * d);
    else
      over = pointInRect(mx, my, 380, 272 + 30 * d, 730, 301 + 30 * d);
    if (!over) continue;
    switch (d) {
      case 0: helpLines(54, 55, 56); break;
      case 1: helpLines(57, 58, 59); break;
      case 2: helpLines(60, 61, 62); break;
      case 3: helpLine(63, 535); helpLine(64, 550); break;
      default: helpLine(65, 535); helpLine(66, 550); break;
    }
    return;
  }
}

void drawSkillLabels() {
  static const int xs[7] = {55, 55, 55, 240, 240, 240, 55};
  static const int ys[7] = {403, 426, 449, 403, 426, 449, 472};
  for (int i = 0; i < 7; ++i) drawText(uiText(67 + i), float(xs[i]), float(ys[i]));
}

void drawSkillHelp() {
  struct Row {
    int x1, y1, x2, y2, text;
  };
  static const Row rows[7] = {{51, 399, 228, 414, 166},  {230, 399, 408, 414, 168}, {51, 420, 228, 439, 170},
                              {230, 420, 408, 439, 172}, {51, 445, 228, 460, 174},  {230, 445, 408, 460, 176},
                              {51, 465, 228, 482, 178}};
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  for (const Row& r : rows)
    if (pointInRect(mx, my, r.x1, r.y1, r.x2, r.y2)) helpLines(r.text, r.text + 1);
}

void drawStatusAndHelp() {
  if (showsStatusLine(screenState)) drawStatusLine();
  if (profilePanel) drawRatingsHelp(true);
  const ScreenRoutines& routines = screenRoutines(screenState);
  if (routines.showsSkills && routines.showsSkills()) drawSkillLabels();
  if (profilePanel) return;
  if (routines.help) routines.help();
}
