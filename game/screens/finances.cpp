// The finances screen: the left page shows equipment, the sponsor offers or the staff with its
// arrows and confirm button; the right panel shows the month's books as chosen by the three
// table buttons (income, expenses, balance).
#include "screens/finances.h"

#include <cstdio>

#include "career/training.h"
#include "career/world.h"
#include "screens/statushelp.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"

namespace {

// Picture slots of the screen.

// Hotspots.
constexpr int kTableButton = 7;    // 7, 8, 9: income, expenses, balance
constexpr int kPageBack = 10;
constexpr int kPageForward = 11;
constexpr int kItemBack = 12;
constexpr int kItemForward = 13;
constexpr int kConfirm = 14;
constexpr int kChosen = 15;

// The left page: x 45..243.
constexpr float kPageLeft = 52, kPageRight = 236;
constexpr float kArrowGapLeft = 61, kArrowGapRight = 225;

// The books panel at (252, 100): a heading row, then rows of 30 pixels; the label column and
// three value columns (this month, last month, both together).
constexpr float kBooksX = 252, kBooksY = 100;
constexpr float kHeadY = kBooksY + 24;
constexpr float kRowTop = kBooksY + 48;
constexpr float kRowStep = 30;
constexpr float kLabelX = kBooksX + 28;
constexpr float kColumn[4] = {kBooksX + 226, kBooksX + 316, kBooksX + 406, kBooksX + 496};

const float kGold[3] = {0.93f, 0.78f, 0.38f};

void gold() { setTextColour(kGold[0], kGold[1], kGold[2]); }
void white() { setTextColour(1, 1, 1); }

void money(char* out, int size, int value) { std::snprintf(out, size_t(size), "%d $", value); }

// ---- Entry ------------------------------------------------------------------------------------

void enterFinances() {
  openFinancesScreen();
  setTabBarHotspots();
  setHotspot(kTableButton + 0, 43, 408, 132, 20, 290, 444, 1, 1, kBooksSlot);
  setHotspot(kTableButton + 1, 188, 408, 132, 20, 437, 444, 1, 1, kBooksSlot);
  setHotspot(kTableButton + 2, 333, 408, 132, 20, 585, 444, 1, 1, kBooksSlot);
  setHotspot(kPageBack, 378, 680, 21, 21, 40, 110, 1, 1, kMenuSlot);
  setHotspot(kPageForward, 400, 680, 21, 21, 225, 110, 1, 1, kMenuSlot);
  setHotspot(kItemBack, 378, 680, 21, 21, 40, 320, 1, 1, kMenuSlot);
  setHotspot(kItemForward, 400, 680, 21, 21, 225, 320, 1, 1, kMenuSlot);
  setHotspot(kConfirm, 344, 712, 85, 18, 100, 440, 1, 1, kMenuSlot);
  setHotspot(kChosen, 344, 732, 85, 18, 100, 440, 1, 1, kMenuSlot);
  hotspotCount = 16;
  updateFinanceConfirmHotspots();
}

// ---- The left page ----------------------------------------------------------------------------

// A list of levels with their monthly prices: the shown one on a band, the current one in gold.
void drawLevelList(int count, int firstName, const int16_t* prices, int shown, int current) {
  char line[32];
  for (int i = 0; i < count; ++i) {
    const float y = 186 + 24 * float(i);
    if (i == shown) fillRect(48, y - 5, 240, y + 17, 1, 1, 1, 0.12f);
    if (i == current) {
      drawPictureRect(kSkillPointSlot, 0, 0, 16, 16, kPageLeft - 2, y - 1, 2);
      gold();
    }
    drawText(uiText(firstName + i), kPageLeft + 18, y);
    money(line, sizeof line, prices[i]);
    drawTextRight(line, kPageRight, y);
    white();
  }
}

// The shown level of the equipment or staff page: name between the arrows, what it does, its
// price, and a note when it is the level already paid for.
void drawLevelDetail(int nameText, int descriptionText, int price, bool current) {
  drawTextCentred(uiText(nameText), kArrowGapLeft, kArrowGapRight, 324);
  drawParagraph(uiText(descriptionText), kPageLeft, kPageRight, 354, 2);
  char line[32];
  drawText(uiText(471), kPageLeft, 394);
  money(line, sizeof line, price);
  gold();
  drawTextRight(line, kPageRight, 394);
  if (current) drawTextCentred(uiText(472), 45, 243, 416);
  white();
}

void drawEquipmentPage() {
  const int shown = equipmentChoice >= 0 && equipmentChoice < 4 ? equipmentChoice : 0;
  drawLevelList(4, 457, equipmentPrice, shown, equipmentLevel);
  drawLevelDetail(457 + shown, 461 + shown, equipmentPrice[shown], shown == equipmentLevel);
}

void drawStaffPage() {
  const int shown = staffChoice >= 0 && staffChoice < 3 ? staffChoice : 0;
  drawLevelList(3, 465, staffPrice, shown, staffLevel);
  drawLevelDetail(465 + shown, 468 + shown, staffPrice[shown], shown == staffLevel);
}

void drawAdvertisingPage() {
  const int s = sponsorSlot;
  const int boxer = s >= 0 && s < kStableSize ? career.stable[s] : -1;
  if (stableCount <= 0 || !isBoxer(boxer)) {
    drawParagraph(uiText(473), kPageLeft, kPageRight, 324, 2);
    return;
  }
  char line[64];
  drawTextCentred(uiText(480), 45, 243, 300);
  char name[64];
  formatBoxerName(boxers[boxer], name, sizeof name);
  gold();
  drawTextCentred(name, kArrowGapLeft, kArrowGapRight, 324);
  white();

  const bool offer = sponsorAmount[s] > 0 && sponsorMonths[s] > 0;
  if (!offer) {
    fillRect(kPageLeft, 182, kPageRight, 254, 0, 0, 0, 0.35f);
    drawTextCentred(uiText(485), 45, 243, 211);
    return;
  }
  const int brand = sponsorBrand[s] >= 1 && sponsorBrand[s] <= 6 ? sponsorBrand[s] : 1;
  drawPictureRect(kBooksSlot, 8 + 168 * ((brand - 1) % 3), 436 + 80 * ((brand - 1) / 3), 160, 72, 64, 182, 1);
  drawTextCentred(uiText(474 + brand - 1), 45, 243, 262);

  drawText(uiText(481), kPageLeft, 352);
  money(line, sizeof line, sponsorAmount[s]);
  gold();
  drawTextRight(line, kPageRight, 352);
  white();
  drawText(uiText(482), kPageLeft, 370);
  std::snprintf(line, sizeof line, "%d %s", int(sponsorMonths[s]), uiText(483));
  gold();
  drawTextRight(line, kPageRight, 370);
  white();
  if (sponsorAccepted[s]) {
    gold();
    drawTextCentred(uiText(484), 45, 243, 392);
    white();
    drawParagraph(uiText(487), kPageLeft, kPageRight, 408, 2);
  } else {
    drawParagraph(uiText(486), kPageLeft, kPageRight, 396, 2);
  }
}

void drawPage() {
  // The arrows in their normal state; the hovered one is lit by the hover highlight.
  for (float y : {110.0f, 320.0f}) {
    drawPictureRect(kMenuSlot, 930, 646, 21, 21, 40, y, 1);
    drawPictureRect(kMenuSlot, 953, 646, 21, 21, 225, y, 1);
  }
  const int page = financePage >= 0 && financePage <= 2 ? financePage : 0;
  gold();
  drawTextCentred(uiText(451 + page), kArrowGapLeft, kArrowGapRight, 114);
  white();
  drawParagraph(uiText(454 + page), kPageLeft, kPageRight, 142, 2);
  switch (page) {
    case 0: drawEquipmentPage(); break;
    case 1: drawAdvertisingPage(); break;
    default: drawStaffPage(); break;
  }
  if (hotspots[kConfirm].state >= 0) drawPictureRect(kMenuSlot, 830, 692, 85, 18, 100, 440, 1);
  else if (hotspots[kChosen].state >= 0) drawPictureRect(kMenuSlot, 830, 712, 85, 18, 100, 440, 1);
}

// ---- The books ----------------------------------------------------------------------------------

void drawMoneyCell(int value, int column, float y, bool signColours) {
  char cell[32];
  money(cell, sizeof cell, value);
  if (signColours && value < 0) setTextColour(0.95f, 0.4f, 0.35f);
  else if (signColours && value > 0) setTextColour(0.5f, 0.9f, 0.5f);
  drawTextRight(cell, kColumn[column + 1] - 10, y);
  white();
}

void drawBooksRow(const BooksRow& r, bool signColours) {
  const float y = kRowTop + kRowStep * float(r.row) + 8;
  if (r.total) gold();
  drawText(r.label, kLabelX, y);
  for (int c = 0; c < 3; ++c) {
    drawMoneyCell(r.values[c], c, y, signColours);
    if (r.total) gold();
  }
  white();
}

void drawBooks() {
  drawPictureRect(kBooksSlot, 0, 0, 512, 400, kBooksX, kBooksY, 1);
  const int table = panelSelector >= 1 && panelSelector <= 3 ? panelSelector : 1;
  // The chosen table's button stays lit.
  const Hotspot& button = hotspots[kTableButton + table - 1];
  drawPictureRect(kBooksSlot, button.srcX, button.srcY, button.width, button.height, button.x, button.y, 1);

  gold();
  drawText(uiText(488 + table - 1), kLabelX, kHeadY);
  for (int c = 0; c < 3; ++c) drawTextCentred(uiText(491 + c), kColumn[c], kColumn[c + 1], kHeadY);
  white();

  BooksRow rows[6];
  const int n = booksRows(table, rows);
  for (int i = 0; i < n; ++i) drawBooksRow(rows[i], table == 3 && rows[i].total);
  white();

  // The account under the table.
  char line[32];
  const float y = kRowTop + kRowStep * 7 + 8;
  drawText(uiText(495), kLabelX, y);
  money(line, sizeof line, int(cash));
  if (cash < 0) setTextColour(0.95f, 0.4f, 0.35f);
  else gold();
  drawTextRight(line, kColumn[3] - 10, y);
  white();
}

void drawFinances() {
  drawPictureRect(kMenuSlot, 0, 0, 800, 600, 0, 0, 1);
  drawPictureRect(kPanelLeftSlot, 0, 0, 510, 400, 36, 100, 1);
  drawBooks();
  drawPage();
  drawStatusAndHelp();
  drawHoverHighlight();
}

void helpFinances() {
  if (hovered >= kTableButton && hovered <= kTableButton + 2) {
    helpLine(198 + hovered - kTableButton, 550);
    return;
  }
  if (pointInRect(KInput::GetMouseX(), KInput::GetMouseY(), 45, 109, 243, 490)) {
    helpLines(201, 202, 203);
  }
}

// ---- Input ----------------------------------------------------------------------------------------

void inputFinances() {
  if (!mouseDown || hovered < kTableButton || hovered > kChosen) return;
  const int button = hovered;
  waitMouseRelease();
  switch (button) {
    case kTableButton:
    case kTableButton + 1:
    case kTableButton + 2:
      playSound(kSoundClick);
      panelSelector = int16_t(button - kTableButton + 1);
      break;
    case kPageBack:
      playSound(kSoundClick);
      financePageBack();
      break;
    case kPageForward:
      playSound(kSoundClick);
      financePageForward();
      playTutorialVoice(tutorialAdvance(TutorialAction::FinancePageArrow));
      break;
    case kItemBack:
      playSound(kSoundClick);
      financePrevious();
      break;
    case kItemForward:
      playSound(kSoundClick);
      financeNext();
      break;
    case kConfirm: financeConfirm(); break;  // the rule plays the click or the refusal
    default: break;                           // the chosen item: nothing to do
  }
  updateFinanceConfirmHotspots();
}

}  // namespace

int booksRows(int table, BooksRow out[6]) {
  const int now = month >= 0 && month <= 11 ? int(month) : 0;
  const int before = previousMonthIndex();
  auto row = [&](int place, const char* label, int thisMonth, int lastMonth, bool total) {
    return BooksRow{place, label, {thisMonth, lastMonth, thisMonth + lastMonth}, total};
  };
  if (table == 3) {
    out[0] = row(0, uiText(488), financeTotal(1, now), financeTotal(1, before), false);
    out[1] = row(1, uiText(489), financeTotal(2, now), financeTotal(2, before), false);
    out[2] = row(3, uiText(494), financeTotal(3, now), financeTotal(3, before), true);
    return 3;
  }
  if (table != 2) table = 1;
  // The label lists are fixed 24-byte copies; a full one carries no terminator.
  static char labels[4][kLabelSize + 1];
  for (int r = 0; r < 4; ++r) {
    const char* from = table == 1 ? financeListA[r] : financeListB[r];
    for (int i = 0; i < kLabelSize; ++i) labels[r][i] = from[i];
    labels[r][kLabelSize] = 0;
    out[r] = row(r, labels[r], financeValue(table, r, now), financeValue(table, r, before), false);
  }
  out[4] = row(5, uiText(493), financeTotal(table, now), financeTotal(table, before), true);
  return 5;
}

void updateFinanceConfirmHotspots() {
  bool chosen = false;
  switch (financePage) {
    case 0: chosen = equipmentChoice == equipmentLevel; break;
    case 2: chosen = staffChoice == staffLevel; break;
    default:
      chosen = sponsorSlot >= 0 && sponsorSlot < kStableSize && isBoxer(career.stable[sponsorSlot]) &&
               sponsorAccepted[sponsorSlot] && sponsorAmount[sponsorSlot] > 0 && sponsorMonths[sponsorSlot] > 0;
      break;
  }
  const bool confirm = financeConfirmEnabled() && !chosen;
  hotspots[kConfirm].state = confirm ? 1 : -1;
  hotspots[kChosen].state = chosen ? 1 : -1;
  if (!confirm && hovered == kConfirm) hovered = 0;
  if (!chosen && hovered == kChosen) hovered = 0;
}

void installFinancesScreen() {
  setScreenRoutines(kFinancesScreen, {enterFinances, drawFinances, inputFinances, helpFinances, nullptr});
}
