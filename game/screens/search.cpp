// The boxer search screen (state 7). The left panel holds the chosen candidate with his
// scouted skill bars, the contract offer, the two toggles, the mode selector and the filters of
// the current mode; the right panel lists the boxers found, 20 a page, ordered by the column
// whose heading was clicked last.
#include "screens/search.h"

#include <cstdio>
#include <cstring>

#include "career/contracts.h"
#include "career/newmanager.h"
#include "career/world.h"
#include "saves/preferences.h"
#include "screens/statushelp.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"
#include "window/KInput.h"

namespace {

// ---- Layout ---------------------------------------------------------------------------------

// Hotspots of the screen.
constexpr int kFirstFilterButton = 7;   // 7..20: the filter steppers
constexpr int kLastFilterButton = 20;
constexpr int kResetButton = 21;
constexpr int kSearchButton = 22;
constexpr int kPageBack = 23, kPageForward = 24;
constexpr int kUnrankedToggle = 25, kAffordableToggle = 26;
constexpr int kOfferButton = 27;
constexpr int kYearsMinus = 28, kPercentMinus = 29, kYearsPlus = 30, kPercentPlus = 31;
constexpr int kModeLeft = 32, kModeRight = 33;
constexpr int kSearchHotspotCount = 34;

// The filter rows: the first column, the second column, and the last row (statistics only).
constexpr int kFilterRowTop = 399, kFilterRowStep = 23;
constexpr int kFirstColumnMinus = 163, kFirstColumnPlus = 212;
constexpr int kSecondColumnMinus = 347, kSecondColumnPlus = 396;
constexpr int kLastRowTop = 468;

// The result list.
constexpr int kListLeft = 433, kListRight = 764;
constexpr int kHeadingTop = 104, kHeadingBottom = 121;
constexpr int kRowTop = 124, kRowHeight = 17, kRows = 20;

// The candidate panel.
constexpr int kPanelLeft = 45, kPanelTop = 130, kPanelRight = 415, kPanelBottom = 257;

// Gold of the headings and captions, as the pictures' own capitals.
constexpr float kGoldR = 0.91f, kGoldG = 0.74f, kGoldB = 0.36f;

// Which filter each stepper row changes, by mode: three rows of the first column, three of
// the second, then the last row (-1 where the mode has no filter).
constexpr int kStatisticsRows[7] = {kFilterStrength,  kFilterAgility,   kFilterEndurance, kFilterQuickness,
                                    kFilterStamina,   kFilterTechnique, kFilterCharisma};
constexpr int kRecordRows[7] = {kFilterCategory, kFilterAgeMin,  kFilterWinsMin, kFilterAgeMax,
                                kFilterLossesMin, kFilterKoMin, -1};

// ---- Screen state ---------------------------------------------------------------------------

int sortedColumn = 1;
StepRepeater filterRepeater{200, 0, false, false, 0, 10};
int heldFilterButton = -1;      // the stepper hotspot held down, -1 = none
bool heldStepRefused = false;   // a held stepper at its bound stops until it is released
uint32_t pulseStart = 0;

// The stepper row (0..6) and direction of a filter hotspot.
int filterRowOf(int hotspot) {
  if (hotspot >= 7 && hotspot <= 9) return hotspot - 7;
  if (hotspot >= 10 && hotspot <= 12) return hotspot - 10;
  if (hotspot >= 13 && hotspot <= 15) return 3 + hotspot - 13;
  if (hotspot >= 16 && hotspot <= 18) return 3 + hotspot - 16;
  return 6;
}
int filterDeltaOf(int hotspot) {
  const bool minus = (hotspot >= 7 && hotspot <= 9) || (hotspot >= 13 && hotspot <= 15) || hotspot == 19;
  return minus ? -1 : 1;
}
int filterOfRow(int row) { return searchByRecord ? kRecordRows[row] : kStatisticsRows[row]; }

int16_t filterValue(int field) {
  const SearchFilter& f = searchFilter;
  if (field >= kFilterStrength && field <= kFilterCharisma) return f.statMinimum[field];
  switch (field) {
    case kFilterCategory: return f.searchCategory;
    case kFilterAgeMin: return f.ageMin;
    case kFilterWinsMin: return f.winsMin;
    case kFilterAgeMax: return f.ageMax;
    case kFilterLossesMin: return f.lossesMin;
    case kFilterKoMin: return f.koMin;
    default: return 0;
  }
}

void setToggleImage(int hotspot, bool on) {
  hotspots[hotspot].srcX = int16_t(on ? 411 : 384);
  hotspots[hotspot].srcY = 37;
}

// The filter steppers of the current mode: the last row exists only in statistics mode.
void layOutFilterButtons() {
  const int16_t lastRow = searchByRecord ? -1 : 1;
  hotspots[19].state = lastRow;
  hotspots[20].state = lastRow;
}

void enterSearch() {
  setTabBarHotspots(76);
  for (int i = 0; i < 3; ++i) {
    const int y = kFilterRowTop + kFilterRowStep * i;
    setHotspot(7 + i, 922, 209, 18, 20, kFirstColumnMinus, y, 1, 1, 6);
    setHotspot(10 + i, 941, 209, 18, 20, kFirstColumnPlus, y, 1, 1, 6);
    setHotspot(13 + i, 922, 209, 18, 20, kSecondColumnMinus, y, 1, 1, 6);
    setHotspot(16 + i, 941, 209, 18, 20, kSecondColumnPlus, y, 1, 1, 6);
  }
  setHotspot(19, 922, 209, 18, 20, kFirstColumnMinus, kLastRowTop, 1, 1, 6);
  setHotspot(20, 941, 209, 18, 20, kFirstColumnPlus, kLastRowTop, 1, 1, 6);
  setHotspot(kResetButton, 922, 305, 88, 20, 326, 468, 1, 1, 6);
  setHotspot(kSearchButton, 922, 284, 88, 20, 233, 468, 1, 1, 6);
  setHotspot(kPageBack, 378, 680, 20, 20, 470, 469, 1, 1, 6);
  setHotspot(kPageForward, 400, 680, 20, 20, 700, 469, 1, 1, 6);
  setHotspot(kUnrankedToggle, 384, 37, 25, 25, 45, 340, 1, 1, 12);
  setHotspot(kAffordableToggle, 384, 37, 25, 25, 240, 340, 1, 1, 12);
  setToggleImage(kUnrankedToggle, onlyUnranked);
  setToggleImage(kAffordableToggle, onlyAffordable);
  setHotspot(kOfferButton, 344, 752, 84, 18, 325, 300, 1, 1, 6);
  setHotspot(kYearsMinus, 922, 209, 18, 20, 65, 297, 1, 1, 6);
  setHotspot(kYearsPlus, 941, 209, 18, 20, 120, 297, 1, 1, 6);
  setHotspot(kPercentMinus, 922, 209, 18, 20, 180, 297, 1, 1, 6);
  setHotspot(kPercentPlus, 941, 209, 18, 20, 260, 297, 1, 1, 6);
  setHotspot(kModeLeft, 381, 199, 25, 24, 44, 370, 1, 1, 12);
  setHotspot(kModeRight, 481, 199, 25, 24, 394, 370, 1, 1, 12);
  hotspotCount = kSearchHotspotCount;

  // The mode is the player's preference; the list is searched afresh, as the world may have
  // moved on since the last visit.
  searchByRecord = preferences.searchByRecord ? 1 : 0;
  layOutFilterButtons();
  startSearch();
  sortedColumn = 1;
  if (isBoxer(candidate) && (boxers[candidate].manager == kPlayer || boxers[candidate].manager == kRetired))
    candidate = -1;
  heldFilterButton = -1;
  heldStepRefused = false;
  filterRepeater.release();
  pulseStart = KTools::GetMilliseconds();
}

// ---- The result list's columns --------------------------------------------------------------

int columnCount() { return searchByRecord ? 7 : 8; }

// The x span of a column (1 = name).
void columnSpan(int column, int& x1, int& x2) {
  if (searchByRecord) {
    static const int edges[8] = {kListLeft, 545, 578, 620, 653, 686, 716, kListRight};
    x1 = edges[column - 1];
    x2 = edges[column];
  } else {
    if (column == 1) {
      x1 = kListLeft;
      x2 = 554;
    } else {
      x1 = 554 + 30 * (column - 2);
      x2 = x1 + 30;
    }
  }
}

// The column under a point of the heading row, or 0.
int columnAt(int x, int y) {
  if (!pointInRect(x, y, kListLeft, kHeadingTop, kListRight, kHeadingBottom)) return 0;
  for (int c = 1; c <= columnCount(); ++c) {
    int x1, x2;
    columnSpan(c, x1, x2);
    if (x >= x1 && x < x2) return c;
  }
  return columnCount();
}

// Statistics-mode columns 2..8 show these skills (the sort order's columns).
constexpr int kStatisticsColumnLabel[9] = {0, 0, 67, 70, 68, 71, 69, 72, 73};

float statisticsColumnValue(const Boxer& b, int column) {
  switch (column) {
    case 2: return b.strength;
    case 3: return b.quickness;
    case 4: return b.agility;
    case 5: return b.stamina;
    case 6: return b.endurance;
    case 7: return b.technique;
    default: return b.charisma;
  }
}

int recordColumnValue(const Boxer& b, int column) {
  switch (column) {
    case 2: return b.wins;
    case 3: return b.draws;
    case 4: return b.losses;
    case 5: return b.koWins;
    case 6: return b.age;
    default: return b.category;
  }
}

// Entry n of the search labels (a full 24-byte label carries no terminator).
void copyLabel(char* out, size_t size, int n) { std::snprintf(out, size, "%.24s", searchList[n]); }

void gold() { setTextColour(kGoldR, kGoldG, kGoldB); }
void white() { setTextColour(1, 1, 1); }

void drawHeadings() {
  fillRect(kListLeft, kHeadingTop, kListRight, kHeadingBottom, 0.45f, 0.08f, 0.07f, 0.95f);
  fillRect(kListLeft, kHeadingBottom, kListRight, kHeadingBottom + 1, kGoldR, kGoldG, kGoldB, 0.8f);
  for (int c = 1; c <= columnCount(); ++c) {
    int x1, x2;
    columnSpan(c, x1, x2);
    char label[8];
    const char* text;
    if (c == 1) {
      text = uiText(78);
    } else if (searchByRecord) {
      text = uiText(79 + c - 2);
    } else {
      // Seven skill columns share the list's width: their labels' first letters.
      std::snprintf(label, sizeof label, "%.3s", uiText(kStatisticsColumnLabel[c]));
      text = label;
    }
    if (c == sortedColumn) {
      fillRect(float(x1 + 1), kHeadingTop + 1, float(x2 - 1), kHeadingBottom - 1, 0.75f, 0.2f, 0.15f, 0.9f);
      white();
    } else {
      gold();
    }
    if (c == 1) drawText(text, 437, kHeadingTop + 2);
    else drawTextCentred(text, float(x1), float(x2), kHeadingTop + 2);
  }
  white();
}

// A pulse between 0.4 and 1 over two seconds, for the candidate's row.
float pulse() {
  uint32_t t = KTools::GetMilliseconds() - pulseStart;
  if (t > 2000) {
    pulseStart = KTools::GetMilliseconds();
    t = 0;
  }
  float u = t <= 1000 ? float(t) / 1000.0f : 1.0f - float(t - 1000) / 1000.0f;
  return u < 0.4f ? 0.4f : u;
}

void drawResultList() {
  drawHeadings();
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  if (searchLast < 0) {
    drawTextCentred(uiText(88), kListLeft, kListRight, 200);
    return;
  }
  const float u = pulse();
  char text[64];
  for (int r = 0; r < kRows; ++r) {
    const int i = searchPage + r;
    if (i > searchLast) break;
    const int index = searchResults[i];
    if (!isBoxer(index)) continue;
    const Boxer& b = boxers[index];
    const float top = float(kRowTop + kRowHeight * r), bottom = top + 16;
    if (r % 2) fillRect(kListLeft, top, kListRight, bottom, 1, 1, 1, 0.04f);
    if (pointInRect(mx, my, kListLeft, int(top), kListRight, int(bottom))) fillRect(kListLeft, top, kListRight, bottom, 0, 0, 0, 1);
    if (index == candidate) fillRect(kListLeft, top, kListRight, bottom, 0, u * 0.6f, 0, 1);
    formatBoxerName(b, text, sizeof text, NameStyle::SurnameInitial);
    drawText(text, 437, top + 2);
    for (int c = 2; c <= columnCount(); ++c) {
      int x1, x2;
      columnSpan(c, x1, x2);
      const int value = searchByRecord ? recordColumnValue(b, c) : int(statisticsColumnValue(b, c));
      drawNumberCentred(value, float(x1), float(x2), top + 2);
    }
  }
}

void drawPageButtons() {
  drawPictureRect(kMenuSlot, 930, 646, 20, 20, 470, 469, 1);
  drawPictureRect(kMenuSlot, 953, 646, 20, 20, 700, 469, 1);
  char line[48];
  formatSearchPageLine(line, sizeof line);
  drawTextCentred(line, 490, 700, 474);
}

// ---- The left panel -------------------------------------------------------------------------

void drawStepper(int minusX, int plusX, int y) {
  drawPictureRect(kMenuSlot, 962, 209, 18, 20, float(minusX), float(y), 1);
  drawPictureRect(kMenuSlot, 982, 209, 18, 20, float(plusX), float(y), 1);
}

void drawCandidate() {
  fillRect(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, 0, 0, 0, 0.35f);
  char line[128];
  if (!isBoxer(candidate)) {
    gold();
    drawTextCentred(uiText(85), 41, 413, 105);
    white();
    drawParagraph(uiText(182), kPanelLeft + 20, kPanelRight - 20, 180, 2);
    return;
  }
  const Boxer& b = boxers[candidate];
  const int nation = b.nation >= 1 && b.nation <= kNationCount ? b.nation : 0;
  char name[48];
  formatBoxerName(b, name, sizeof name);
  std::snprintf(line, sizeof line, "%s, age %d, %.30s", name, int(b.age), nations[nation].longName);
  drawTextCentred(line, 41, 413, 105);

  std::snprintf(line, sizeof line, uiText(43), int(b.wins), int(b.draws), int(b.losses));
  const size_t used = std::strlen(line);
  char kos[32];
  copyLabel(kos, sizeof kos, 5);
  std::snprintf(line + used, sizeof line - used, ", %d %s", int(b.koWins), kos);
  drawText(line, 52, 134);
  const int category = b.category >= 1 && b.category <= kCategoryCount ? b.category : 0;
  // His weight category and his rank in it.
  std::snprintf(line, sizeof line, "%.20s (%d)", weightNames[category].name, int(b.rank));
  gold();
  drawText(line, 52, 151);
  white();

  // The skills as the manager's scouting shows them: a skill bar and its potential below it.
  float skillBar[7], potentialBar[7];
  scoutedBars(candidate, skillBar, potentialBar);
  static const int labelText[7] = {67, 68, 69, 70, 71, 72, 73};
  static const int column[7] = {0, 0, 0, 1, 1, 1, 0};
  static const int row[7] = {0, 1, 2, 0, 1, 2, 3};
  for (int k = 0; k < 7; ++k) {
    const float x = column[k] ? 237.0f : 52.0f, y = float(171 + 21 * row[k]);
    drawText(uiText(labelText[k]), x, y);
    const float barX = x + 96;
    fillRect(barX, y + 1, barX + 80, y + 14, 0, 0, 0, 0.3f);
    fillRect(barX, y + 2, barX + skillBar[k], y + 7, kGoldR, kGoldG, kGoldB, 1);
    fillRect(barX, y + 9, barX + potentialBar[k], y + 13, 0.38f, 0.58f, 0.85f, 1);
  }
}

void drawOffer() {
  gold();
  drawTextCentred(uiText(86), 60, 143, 279);
  drawTextCentred(uiText(87), 175, 283, 279);
  white();
  drawStepper(65, 120, 297);
  drawStepper(180, 260, 297);
  drawNumberCentred(offerYears, 83, 120, 300);
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", int(offerPercent));
  drawTextCentred(text, 198, 260, 300);
  drawPictureRect(kMenuSlot, 830, 732, 84, 18, 325, 300, 1);
}

void drawTogglesAndMode() {
  for (int t : {kUnrankedToggle, kAffordableToggle}) {
    const Hotspot& h = hotspots[t];
    drawPictureRect(kRanksSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 1);
  }
  char caption[32];
  copyLabel(caption, sizeof caption, 6);
  drawText(caption, 75, 346);
  copyLabel(caption, sizeof caption, 7);
  drawText(caption, 270, 346);
  drawPictureRect(kRanksSlot, 381, 199, 25, 24, 44, 370, 1);
  drawPictureRect(kRanksSlot, 481, 199, 25, 24, 394, 370, 1);
  gold();
  drawTextCentred(uiText(searchByRecord ? 76 : 75), 69, 394, 375);
  white();
}

void drawFilters() {
  char text[32];
  for (int row = 0; row < 7; ++row) {
    const int field = filterOfRow(row);
    if (field < 0) continue;
    const bool second = row >= 3 && row <= 5;
    const int y = row == 6 ? kLastRowTop : kFilterRowTop + kFilterRowStep * (row % 3);
    const int minusX = second ? kSecondColumnMinus : kFirstColumnMinus;
    const int plusX = second ? kSecondColumnPlus : kFirstColumnPlus;
    drawStepper(minusX, plusX, y);
    const int value = filterValue(field);
    if (searchByRecord) {
      // The record mode's labels; in statistics mode the shell draws the skill labels.
      if (field == kFilterCategory && value >= 1 && value <= kCategoryCount)
        std::snprintf(text, sizeof text, "%.21s", weightShortNames[value]);
      else
        copyLabel(text, sizeof text, row);
      drawText(text, second ? 240 : 55, float(y + 4));
    }
    if (field == kFilterCategory && value == 0) continue;
    if (field == kFilterAgeMin || field == kFilterAgeMax) {
      // The search reads the ages within 16..40; show them as it will.
      const int age = value < 16 ? 16 : (value > 40 ? 40 : value);
      drawNumberCentred(age, float(minusX + 18), float(plusX), float(y + 4));
    } else {
      drawNumberCentred(value, float(minusX + 18), float(plusX), float(y + 4));
    }
  }
  drawPictureRect(kMenuSlot, 830, 646, 88, 20, 233, 468, 1);
  drawPictureRect(kMenuSlot, 830, 668, 88, 20, 326, 468, 1);
}

void drawSearch() {
  drawPictureRect(kMenuSlot, 0, 0, 800, 600, 0, 0, 1);
  drawSlotFrame(kPanelLeftSlot, 36, 100, 1);
  drawSlotFrame(kPanelRightSlot, 546, 100, 1);
  drawCandidate();
  drawOffer();
  drawTogglesAndMode();
  drawFilters();
  drawResultList();
  drawPageButtons();
  drawStatusAndHelp();
  drawHoverHighlight();
}

// ---- Help -----------------------------------------------------------------------------------

bool showsSkillsNow() { return !searchByRecord; }

void helpSearch() {
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  if (!searchByRecord) drawSkillHelp();
  if (hovered == kSearchButton) helpLine(180, 550);
  if (hovered == kResetButton) helpLine(181, 550);
  if (pointInRect(mx, my, 430, 100, 750, 460)) helpLines(182, 183, 184);
  if (pointInRect(mx, my, 41, 105, 413, 116)) helpLines(185, 186, 187);
  if (pointInRect(mx, my, 41, 342, 211, 364)) helpLines(188, 189);
  if (pointInRect(mx, my, 238, 342, 416, 364)) helpLines(190, 191);
  if (pointInRect(mx, my, 45, 132, 415, 255)) helpLines(192, 193, 194);
  if (hovered == kOfferButton) helpLines(195, 196, 197);
}

// ---- Input ----------------------------------------------------------------------------------

void stepFilterButton(int hotspot) {
  const int field = filterOfRow(filterRowOf(hotspot));
  if (field < 0) return;
  if (stepSearchFilter(field, filterDeltaOf(hotspot))) playSound(kSoundClick);
  else heldStepRefused = true;
}

void newSearch() {
  startSearch();
  sortedColumn = 1;
}

void clickButton(int button) {
  waitMouseRelease();
  switch (button) {
    case kResetButton:
      playSound(kSoundClick);
      resetSearchFilters();
      sortedColumn = 1;
      break;
    case kSearchButton:
      playSound(kSoundClick);
      newSearch();
      break;
    case kPageBack:
    case kPageForward:
      if (stepSearchPage(button == kPageBack ? -1 : 1)) playSound(kSoundClick);
      break;
    case kUnrankedToggle:
      playSound(kSoundClick);
      onlyUnranked = onlyUnranked ? 0 : 1;
      setToggleImage(kUnrankedToggle, onlyUnranked);
      newSearch();
      break;
    case kAffordableToggle:
      playSound(kSoundClick);
      onlyAffordable = onlyAffordable ? 0 : 1;
      setToggleImage(kAffordableToggle, onlyAffordable);
      newSearch();
      break;
    case kOfferButton:
      if (offerContract()) sortedColumn = 1;
      break;
    case kYearsMinus:
    case kYearsPlus:
      if (stepOfferYears(button == kYearsMinus ? -1 : 1)) playSound(kSoundClick);
      break;
    case kPercentMinus:
    case kPercentPlus:
      if (stepOfferPercent(button == kPercentMinus ? -1 : 1)) playSound(kSoundClick);
      break;
    case kModeLeft:
    case kModeRight:
      playSound(kSoundClick);
      searchByRecord = searchByRecord ? 0 : 1;
      preferences.searchByRecord = searchByRecord;
      layOutFilterButtons();
      break;
    default: break;
  }
}

void inputSearch() {
  const uint32_t now = KTools::GetMilliseconds();
  // A held filter stepper repeats its step, faster and faster, until it is released or left.
  if (heldFilterButton >= 0) {
    if (KInput::IsLeftButtonDown() && hotspotAt(mouseX, mouseY) == heldFilterButton) {
      if (!heldStepRefused && filterRepeater.stepDue(now)) stepFilterButton(heldFilterButton);
      return;
    }
    heldFilterButton = -1;
    heldStepRefused = false;
    filterRepeater.release();
  }
  if (!mouseDown) return;

  if (hovered >= kFirstFilterButton && hovered <= kLastFilterButton) {
    heldFilterButton = hovered;
    heldStepRefused = false;
    filterRepeater.release();
    if (filterRepeater.stepDue(now)) stepFilterButton(heldFilterButton);
    return;
  }
  if (hovered >= kResetButton && hovered <= kModeRight) {
    clickButton(hovered);
    return;
  }
  const int column = columnAt(mouseX, mouseY);
  if (column > 0) {
    waitMouseRelease();
    playSound(kSoundClick);
    sortResults(column);
    sortedColumn = column;
    searchPage = 0;
    return;
  }
  if (pointInRect(mouseX, mouseY, kListLeft, kRowTop, kListRight, kRowTop + kRowHeight * kRows - 1)) {
    const int row = (mouseY - kRowTop) / kRowHeight;
    waitMouseRelease();
    if (chooseCandidate(row)) playSound(kSoundClick);
  }
}

}  // namespace

int searchSortedColumn() { return sortedColumn; }

void installSearchScreen() {
  setScreenRoutines(kSearchScreen, {enterSearch, drawSearch, inputSearch, helpSearch, showsSkillsNow});
}
