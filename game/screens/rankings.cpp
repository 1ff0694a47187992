// The rankings screen: the ranking list of one weight category, twenty rows a page, with the
// player's boxers and the chosen opponent marked by pulsing bands; the selected boxer's panel,
// the opponent's panel with what the scouting reveals, the date of the new fight, and the
// strip of the fight already booked.
#include "screens/rankings.h"

#include <cstdio>
#include <cstring>

#include "career/rankings.h"
#include "career/world.h"
#include "screens/statushelp.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"

namespace {

// Hotspots 7..16 of the screen; 1..6 are the tabs.
enum RankingsHotspot {
  kCategoryBack = 7,
  kCategoryForward = 8,
  kBoxerBack = 9,
  kBoxerForward = 10,
  kPageBack = 11,
  kPageForward = 12,
  kArrangeButton = 13,
  kDateBack = 14,
  kDateForward = 15,
  kCancelButton = 16,
  kRankingsHotspotCount = 17,
};


// The list: 20 rows of 17 pixels from y 124; bands span x 433..756.
constexpr int kRows = 20;
constexpr int kRowTop = 124;
constexpr int kRowHeight = 17;
constexpr int kListLeft = 433, kListRight = 756;

// Start of the current colour pulse on the engine clock.
uint32_t pulseStart = 0;

// The rest rule of the selected boxer, worked out when he or the screen changes (it reads the
// whole fight table, which only this screen's own actions change while it is open).
bool selectedMustRest = false;

void refreshSelectedBoxer() { selectedMustRest = isBoxer(selectedBoxer) && mustRest(selectedBoxer); }

bool selectedSlotBusy() {
  return isBoxer(selectedBoxer) && currentSlot >= 0 && currentSlot < kStableSize &&
         career.stable[currentSlot] == selectedBoxer && stableBusy[currentSlot] == 1;
}

// OK and the date buttons while the slot is free; CANCEL while it is busy.
void updateFightButtons() {
  const bool busy = selectedSlotBusy();
  hotspots[kArrangeButton].state = busy ? -1 : 1;
  hotspots[kDateBack].state = busy ? -1 : 1;
  hotspots[kDateForward].state = busy ? -1 : 1;
  hotspots[kCancelButton].state = busy ? 1 : -1;
}

// The pulse of the coloured bands: up over one second, down over the next, never below 0.4.
float pulseValue() {
  const uint32_t now = KTools::GetMilliseconds();
  uint32_t t = now - pulseStart;
  if (t > 2000) {
    pulseStart = now;
    t = 0;
  }
  float u = t <= 1000 ? float(t) / 1000.0f : 1.0f - float(t - 1000) / 1000.0f;
  return u < 0.4f ? 0.4f : u;
}

// A 20-byte name field of the weight table as text.
void categoryName(int category, char out[21]) {
  out[0] = 0;
  if (category < 1 || category > kCategoryCount) return;
  std::memcpy(out, weightNames[category].name, 20);
  out[20] = 0;
}

const char* monthName(int m) { return m >= 0 && m < 12 ? monthNames[m] : ""; }

// ---- Entry ----------------------------------------------------------------------------------

void enterRankings() {
  setTabBarHotspots();
  setHotspot(kCategoryBack, 380, 70, 24, 22, 72, 109, 1, 1, kRanksSlot);
  setHotspot(kCategoryForward, 406, 70, 24, 22, 366, 109, 1, 1, kRanksSlot);
  setHotspot(kBoxerBack, 380, 94, 24, 22, 100, 182, 1, 1, kRanksSlot);
  setHotspot(kBoxerForward, 406, 94, 24, 22, 340, 182, 1, 1, kRanksSlot);
  setHotspot(kPageBack, 378, 680, 21, 21, 440, 470, 1, 1, kMenuSlot);
  setHotspot(kPageForward, 400, 680, 21, 21, 735, 470, 1, 1, kMenuSlot);
  setHotspot(kArrangeButton, 380, 120, 84, 22, 190, 446, 1, 1, kRanksSlot);
  setHotspot(kDateBack, 922, 209, 18, 20, 104, 414, 1, 1, kMenuSlot);
  setHotspot(kDateForward, 941, 209, 18, 20, 340, 414, 1, 1, kMenuSlot);
  setHotspot(kCancelButton, 380, 144, 84, 22, 190, 446, -1, 1, kRanksSlot);
  hotspotCount = kRankingsHotspotCount;
  openRankingsScreen();
  refreshSelectedBoxer();
  updateFightButtons();
  pulseStart = KTools::GetMilliseconds();
}

// ---- Drawing --------------------------------------------------------------------------------

void drawSkillRow(int labelText, float labelX, float y) { drawText(uiText(labelText), labelX, y); }

// The six skills of a panel on its three rows: strength, agility, endurance on the left,
// quickness, stamina, technique on the right. A hidden value shows "?".
void drawSkillRows(const Boxer& b, const float rows[3], const bool shown[6]) {
  const float values[6] = {b.strength, b.agility, b.endurance, b.quickness, b.stamina, b.technique};
  for (int i = 0; i < 3; ++i) {
    drawSkillRow(67 + i, 80, rows[i]);
    drawSkillRow(70 + i, 250, rows[i]);
    const int left = i, right = 3 + i;
    if (shown[left]) drawNumberCentred(int(values[left]), 180, 219, rows[i]);
    else drawTextCentred("?", 180, 219, rows[i]);
    if (shown[right]) drawNumberCentred(int(values[right]), 365, 395, rows[i]);
    else drawTextCentred("?", 365, 395, rows[i]);
  }
}

void drawBackground() {
  drawPictureRect(kMenuSlot, 0, 0, 800, 600, 0, 0, 1);
  drawSlotFrame(kPanelLeftSlot, 36, 100, 1);
  drawSlotFrame(kPanelRightSlot, 546, 100, 1);
  drawPictureRect(kRanksSlot, 0, 0, 375, 390, 47, 105, 1);
  char name[21];
  categoryName(shownCategory, name);
  drawTextCentred(name, 101, 361, 118);
  drawPictureRect(kMenuSlot, 331, 959, 327, 53, 432, 105, 1);
  for (int i = kArrangeButton; i <= kCancelButton; ++i) {
    const Hotspot& h = hotspots[i];
    if (h.state > 0) drawPictureRect(h.pictureSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 3, 0, 1, 0.8f);
  }
  for (int f = 0; f < 9; ++f) drawPictureRect(kMenuSlot, 331, 977, 327, 36, 432, float(157 + 34 * f), 1);
  // The page arrows in their normal look; the hover image replaces them under the mouse.
  drawPictureRect(kMenuSlot, 930, 646, 21, 21, hotspots[kPageBack].x, hotspots[kPageBack].y, 1);
  drawPictureRect(kMenuSlot, 953, 646, 21, 21, hotspots[kPageForward].x, hotspots[kPageForward].y, 1);
}

// Surname and first initial; a boxer without surname goes by his first name.
void listName(const Boxer& b, char* out, size_t size) { formatBoxerName(b, out, int(size), NameStyle::SurnameInitial); }

void drawList(float u) {
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  for (int r = 0; r < kRows; ++r) {
    const int entry = rankingPage + r;
    if (entry < 0 || entry >= 100) continue;
    const int index = rankingList[entry];
    if (!isBoxer(index)) continue;
    const Boxer& b = boxers[index];
    const float top = float(kRowTop + kRowHeight * r), bottom = top + 16;
    if (b.manager == kPlayer) {
      if (index == selectedBoxer) fillRect(kListLeft, top, kListRight, bottom, u, 0, 0, 1);
      else fillRect(kListLeft, top, kListRight, bottom, 0.3f, 0.3f, 0.3f, 1);
    }
    if (pointInRect(mx, my, kListLeft, int(top), kListRight, int(top) + kRowHeight - 1))
      fillRect(kListLeft, top, kListRight, bottom, 0, 0, 0, 1);
    if (index == opponent) fillRect(kListLeft, top, kListRight, bottom, 0, u, 0, 1);

    const float y = float(126 + kRowHeight * r);
    drawNumberCentred(entry + 1, 435, 470, y);
    char name[48];
    listName(b, name, sizeof name);
    drawText(name, 485, y);
    drawNumberCentred(b.wins, 630, 638, y);
    drawNumberCentred(b.draws, 665, 675, y);
    drawNumberCentred(b.losses, 700, 717, y);
    drawNumberCentred(b.koWins, 732, 747, y);
    const float zoom = 1.2f - u / 2;
    const float arrowY = float(121 + kRowHeight * r);
    if (b.rankHistory[0] < b.rankHistory[1])
      drawPictureRect(kSkillPointSlot, 0, 15, 18, 24, 465, arrowY, 3, 0, zoom, 1);
    else if (b.rankHistory[0] > b.rankHistory[1])
      drawPictureRect(kSkillPointSlot, 18, 15, 20, 24, 465, arrowY, 3, 0, zoom, 1);
  }
  char line[48];
  std::snprintf(line, sizeof line, "Showing page %d/%d", rankingPage / 19 + 1, 5);
  drawTextCentred(line, 490, 700, 474);
}

void drawSelectedPanel() {
  if (!isBoxer(selectedBoxer)) return;
  const Boxer& b = boxers[selectedBoxer];
  char line[96];
  formatBoxerName(b, line, sizeof line);
  drawTextCentred(line, 130, 330, 189);
  std::snprintf(line, sizeof line, "%s %d", monthName(fightMonth), int(fightYear));
  drawTextCentred(line, 130, 334, 419);
  const char* hint = uiText(74);
  if (b.fitness <= 2) hint = uiText(350);
  else if (selectedMustRest) hint = "Your boxer can't fight now";
  drawTextCentred(hint, 47, 422, 215);
  static const float rows[3] = {232, 246, 260};
  static const bool all[6] = {true, true, true, true, true, true};
  drawSkillRows(b, rows, all);
}

void drawOpponentPanel() {
  if (!isBoxer(opponent)) return;
  const Boxer& b = boxers[opponent];
  char name[48];
  formatBoxerName(b, name, sizeof name);
  const int nation = b.nation >= 0 && b.nation <= kNationCount ? b.nation : 0;
  char line[128];
  std::snprintf(line, sizeof line, "%s, age %d, from %.30s", name, int(b.age), nations[nation].longName);
  drawTextCentred(line, 130, 330, 316);
  // His record beside the panel's heading: wins, draws, losses, wins inside the distance.
  std::snprintf(line, sizeof line, "%d-%d-%d (%d KO)", int(b.wins), int(b.draws), int(b.losses), int(b.koWins));
  drawTextRight(line, 410, 293);
  // The scouting's verdict is drawn from the boxer's own seed, so it holds from frame to frame.
  bool shown[6];
  scoutOpponentSkills(opponent, shown);
  static const float rows[3] = {331, 345, 359};
  drawSkillRows(b, rows, shown);
}

void drawScheduledStrip() {
  if (!isFight(scheduledFight)) return;
  const Fight& f = fights[scheduledFight];
  drawPictureRect(kRanksSlot, 0, 390, 375, 60, 47, 380, 1);
  char line[48];
  std::snprintf(line, sizeof line, "%s %d", monthName(f.month), int(f.year));
  drawTextCentred(line, 65, 218, 418);
  std::snprintf(line, sizeof line, "%d $", int(f.purse));
  drawTextRight(line, 360, 418);
}

void drawRankings() {
  // The booked fight of the selected boxer names the opponent for the whole frame.
  if (selectedSlotBusy() && findScheduledFight() >= 0) opponent = fights[scheduledFight].boxerB;
  else scheduledFight = -1;
  updateFightButtons();

  drawBackground();
  const float u = pulseValue();
  drawList(u);
  drawSelectedPanel();
  drawOpponentPanel();
  if (selectedSlotBusy()) drawScheduledStrip();
  drawStatusAndHelp();
  drawHoverHighlight();
}

// ---- Hover help -----------------------------------------------------------------------------

void helpRankings() {
  switch (hovered) {
    case kArrangeButton: helpLines(204, 205); return;
    case kDateBack: helpLine(206, 550); return;
    case kDateForward: helpLine(207, 550); return;
    case kCancelButton: {
      helpLine(208, 540);
      char line[160];
      std::snprintf(line, sizeof line, uiText(209), int(cancelFee));
      drawTextCentred(line, 0, 800, 560);
      return;
    }
    default: break;
  }
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  const bool busy = selectedSlotBusy();
  if (pointInRect(mx, my, 71, 109, 390, 131)) helpLines(210, 211, 212);
  else if (pointInRect(mx, my, 98, 179, 365, 202)) helpLines(213, 214, 215);
  else if (pointInRect(mx, my, 45, 215, 416, 269)) helpLines(216, 217);
  else if (pointInRect(mx, my, 45, 315, 416, 367)) helpLines(218, 219);
  else if (!busy && pointInRect(mx, my, 98, 407, 365, 435)) helpLines(220, 221);
  else if (busy && pointInRect(mx, my, 65, 407, 218, 435)) helpLine(222, 550);
  else if (busy && pointInRect(mx, my, 245, 407, 400, 435)) helpLines(223, 224);
  else if (pointInRect(mx, my, 430, 100, 750, 460)) helpLines(225, 226, 227);
}

// ---- Input ----------------------------------------------------------------------------------

void pressButton(int button) {
  switch (button) {
    case kCategoryBack:
    case kCategoryForward:
      stepShownCategory(button == kCategoryBack ? -1 : 1);
      playSound(kSoundClick);
      break;
    case kBoxerBack:
    case kBoxerForward:
      if (stepRankingBoxer(button == kBoxerBack ? -1 : 1)) {
        playSound(kSoundClick);
        refreshSelectedBoxer();
      }
      playTutorialVoice(tutorialAdvance(TutorialAction::RankingsBoxerArrow));
      break;
    case kPageBack:
    case kPageForward:
      if (stepRankingPage(button == kPageBack ? -1 : 1)) playSound(kSoundClick);
      break;
    case kArrangeButton:
      if (arrangeFight() >= 0) playTutorialVoice(tutorialAdvance(TutorialAction::FightArranged));
      break;
    case kDateBack:
      if (fightDateBack()) playSound(kSoundClick);
      break;
    case kDateForward:
      if (fightDateForward()) playSound(kSoundClick);
      break;
    case kCancelButton:
      if (cancelFight()) playSound(kSoundClick);
      break;
    default: break;
  }
  updateFightButtons();
}

void inputRankings() {
  if (!mouseDown) return;
  if (hovered >= kCategoryBack && hovered <= kCancelButton) {
    const int button = hovered;
    waitMouseRelease();
    pressButton(button);
    return;
  }
  if (!pointInRect(mouseX, mouseY, kListLeft, kRowTop, kListRight, kRowTop + kRows * kRowHeight - 1)) return;
  const int row = (mouseY - kRowTop) / kRowHeight;
  const int entry = rankingPage + row;
  if (row < 0 || row >= kRows || entry >= 100 || !isBoxer(rankingList[entry])) return;
  waitMouseRelease();
  if (chooseOpponent(row)) {
    playSound(kSoundClick);
    playTutorialVoice(tutorialAdvance(TutorialAction::RankingsName));
  }
}

}  // namespace

void installRankingsScreen() {
  setScreenRoutines(kRankingsScreen, {enterRankings, drawRankings, inputRankings, helpRankings, nullptr});
}
