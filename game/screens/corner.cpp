// The corner screen (state 8): before every round the player gives his three orders, looks at
// his boxer's condition and injuries and, from the second round on, the first judge's cards;
// then he starts the round in the ring view or as a written commentary.
#include <cstdio>
#include <cstring>

#include "career/monthadvance.h"
#include "career/world.h"
#include "fight/bout.h"
#include "screens/fight.h"
#include "screens/statushelp.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"

bool boutOpen = false;
int16_t watchedFight = -1;
bool roundPending = false;
int16_t orderMarkerX[3] = {312, 312, 312};

namespace {

// The round whose corner has been prepared.
int16_t preparedRound = -1;


void placeMarkers() {
  for (int k = 0; k < 3; ++k) orderMarkerX[k] = int16_t(312 + 155 * cornerOrders[k]);
}

void enterCorner() {
  if (!boutRecord()) {
    switchScreen(kMonthScreen);
    return;
  }
  // A fight sent here by the month screen starts its bout from the first round.
  if (!boutOpen || watchedFight != currentFight) {
    beginBout();
    boutOpen = true;
    watchedFight = currentFight;
    preparedRound = -1;
    resultShown = false;
  }
  if (preparedRound != roundIndex) {
    prepareRound();
    preparedRound = roundIndex;
    roundPending = true;
  }
  for (int16_t& order : cornerOrders)
    if (order < 0 || order > 2) order = 0;
  placeMarkers();
  loadFightPicture(kInjurySlot);
  loadFightPicture(kRoundsSlot);
  for (int k = 0; k < 3; ++k) setHotspot(1 + k, 162 * k, 600, 160, 48, 598, 226 + 133 * k, 1, 1, kCornerSlot);
  setHotspot(4, 490, 600, 170, 44, 226, 196, 1, 1, kCornerSlot);
  setHotspot(5, 490, 648, 170, 44, 410, 196, 1, 1, kCornerSlot);
  hotspotCount = 6;
}

// A label of the corner list: 24 bytes that need not end in a terminator.
void cornerLabel(int order, int value, char out[kLabelSize + 1]) {
  std::memcpy(out, cornerList[order * 3 + value], kLabelSize);
  out[kLabelSize] = 0;
}

void drawOrders() {
  static const float labelY[3] = {256, 389, 520};
  for (int k = 0; k < 3; ++k) {
    const int value = cornerOrders[k];
    if (value < 0 || value > 2) continue;
    char label[kLabelSize + 1];
    cornerLabel(k, value, label);
    drawTextCentred(label, 600, 755, labelY[k]);
    // The marker: three pips along the plate's heading, the chosen one lit. Its place follows
    // the order's marker x (312, 467 or 622), scaled onto the plate.
    const float plateY = float(226 + 133 * k);
    for (int v = 0; v < 3; ++v) {
      const float px = 611 + 10 * float(v);
      const bool lit = 312 + 155 * v == orderMarkerX[k];
      fillRect(px, plateY + 8, px + 6, plateY + 14, lit ? 1.0f : 0.25f, lit ? 0.78f : 0.22f, lit ? 0.25f : 0.2f, 1);
    }
  }
}

void drawCondition(const Boxer& mine) {
  const int fitness = mine.fitness < 0 ? 0 : mine.fitness > 10 ? 10 : mine.fitness;
  const int morale = mine.morale < 0 ? 0 : mine.morale > 10 ? 10 : mine.morale;
  fillRect(608, 69, 608 + 14.2f * float(fitness), 85, 0.75f, 0.06f, 0.06f, 1);
  fillRect(608, 99, 608 + 14.2f * float(morale), 115, 0.75f, 0.06f, 0.06f, 1);
  drawTextCentred(uiText(89), 600, 755, 72);
  drawTextCentred(uiText(90), 600, 755, 102);
  setTextColour(1.0f, 0.82f, 0.36f);
  drawTextCentred(uiText(91), 600, 755, 30);
  setTextColour(1, 1, 1);
  drawTextCentred(uiText(92), 600, 755, 45);
}

void drawInjuries() {
  for (int i = 0; i < 4; ++i) {
    const int injury = injuries[kPlayerSide][i];
    const int length = 150 - (injury < 0 ? 0 : injury > 150 ? 150 : injury);
    if (length > 0) drawPictureRect(kInjurySlot, 0, 0, length, 8, 43, float(125 + 130 * i), 2);
    if (injury > 40) {
      const int srcX = injury > 75 ? 152 : 0;
      drawPictureRect(kInjurySlot, srcX, 10 + 103 * i, 150, 101, 42, float(21 + 130 * i), 2);
    }
  }
}

void drawScoreTable(const Boxer& mine, const Boxer& theirs) {
  if (roundIndex < 1) {
    drawTextCentred(uiText(93), 240, 555, 440);
    drawTextCentred(uiText(94), 240, 555, 470);
    return;
  }
  setTextColour(1.0f, 0.82f, 0.36f);
  drawTextCentred(uiText(95), 240, 555, 440);
  setTextColour(1, 1, 1);
  drawTextCentred(uiText(96), 240, 350, 460);
  drawTextCentred(uiText(97), 375, 475, 460);
  drawTextCentred(uiText(98), 475, 575, 460);
  fillRect(240, 473, 555, 488, 0, 0, 0.6f, 1);
  fillRect(240, 488, 555, 503, 0.6f, 0, 0, 1);
  const int last = roundIndex - 1 < kMaxRounds ? roundIndex - 1 : kMaxRounds - 1;
  int sums[2] = {0, 0};
  for (int round = 0; round <= last; ++round)
    for (int side = 0; side < 2; ++side) sums[side] += judgeCards[side][round][0];
  const Boxer* rows[2] = {&mine, &theirs};
  const int sides[2] = {kPlayerSide, kOpponent};
  for (int r = 0; r < 2; ++r) {
    const float y = r == 0 ? 475 : 490;
    char name[48];
    formatBoxerName(*rows[r], name, sizeof name, NameStyle::Surname);
    drawTextCentred(name, 240, 350, y);
    drawNumberCentred(judgeCards[sides[r]][last][0], 375, 475, y);
    drawNumberCentred(sums[sides[r]], 475, 555, y);
  }
}

void drawCorner() {
  drawPictureRect(kCornerSlot, 0, 0, 800, 600, 0, 0, 1);
  // A hovered plate or button lights up under what is written on it.
  drawHoverHighlight();
  const int a = boutBoxer(kPlayerSide), b = boutBoxer(kOpponent);
  drawOrders();
  if (isBoxer(a) && isBoxer(b)) {
    drawCondition(boxers[a]);
    drawInjuries();
    drawScoreTable(boxers[a], boxers[b]);
  }
  if (roundIndex >= 1 && roundIndex < kMaxRounds)
    drawPictureRect(kRoundsSlot, 0, 59 * roundIndex, 80, 59, 380, 340, 2);
  drawStatusAndHelp();
}

void cornerInput() {
  if (!mouseDown) return;
  if (hovered >= 1 && hovered <= 3) {
    waitMouseRelease();
    playSound(kSoundClick);
    int16_t& order = cornerOrders[hovered - 1];
    order = int16_t((order + 1) % 3);
    placeMarkers();
    return;
  }
  if (hovered == 4 || hovered == 5) {
    waitMouseRelease();
    playSound(kSoundClick);
    textMode = hovered == 5 ? 1 : 0;
    switchScreen(kFightScreen);
  }
}

void cornerHelp() {
  const int mx = mouseX, my = mouseY;
  // The area around the two start buttons: over a button its own line takes the place.
  if (pointInRect(mx, my, 322, 192, 487, 252) && hovered != 4 && hovered != 5) helpLine(228, 565);
  if (pointInRect(mx, my, 600, 27, 755, 127)) {
    helpLine(229, 555);
    helpLine(230, 570);
  }
  static const int areas[4][4] = {{43, 19, 193, 132}, {43, 144, 193, 270}, {43, 279, 193, 398}, {43, 403, 193, 528}};
  for (int i = 0; i < 4; ++i)
    if (pointInRect(mx, my, areas[i][0], areas[i][1], areas[i][2], areas[i][3])) {
      helpLine(231 + 2 * i, 555);
      helpLine(232 + 2 * i, 570);
    }
  if (hovered >= 1 && hovered <= 3) {
    const int k = hovered - 1;
    helpLine(239 + 4 * k, 555);
    const int v = cornerOrders[k];
    if (v >= 0 && v <= 2) helpLine(240 + 4 * k + v, 570);
  }
  if (hovered == 4) helpLine(251, 565);
  if (hovered == 5) helpLine(555, 565);
}

}  // namespace

void loadFightPicture(int slot) {
  if (slotPicture(slot)) return;
  for (const FightPicture& p : kFightPictures) {
    if (p.slot != slot) continue;
    char path[64];
    std::snprintf(path, sizeof path, "data\\gfx\\%s", p.file);
    loadSlotPicture(slot, path, 0);
  }
}

void watchFight(int fight) {
  playInteractively(fight);
  if (!boutRecord() || currentFight != fight) return;
  boutOpen = false;  // the corner begins the bout
  resultShown = false;
  switchScreen(kCornerScreen);
}

void installCornerScreen() { setScreenRoutines(kCornerScreen, {enterCorner, drawCorner, cornerInput, cornerHelp, nullptr}); }
