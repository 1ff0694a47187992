// The boxer screen: the selected boxer of the stable. Left: his portrait (the photo, or the
// turning 3D figure with OpenGL), his last fights or his ranking over twelve months. Below it
// one of four tabs: skills, training, personal data, condition with the contract buttons.
// Right: one button per stable boxer.
#include "screens/boxer.h"

#include <cstdio>
#include <cstring>

#include "career/contracts.h"
#include "career/newmanager.h"
#include "career/training.h"
#include "career/world.h"
#include "font/KBitmapFont.h"
#include "graphics/KGraphic.h"
#include "mesh/KModel.h"
#include "saves/preferences.h"
#include "screens/statushelp.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"

int16_t leftPanel = 0;
uint32_t lastPortraitTurn = 0;

namespace {

// ---- Hotspots -------------------------------------------------------------------------------

constexpr int kViewPortrait = 7, kViewHistory = 8, kViewGraph = 32;
constexpr int kFirstPanelButton = 9;    // 9..12: skills, training, personal data, condition
constexpr int kFirstStableButton = 13;  // 13 + j for the j-th occupied stable slot
constexpr int kTalk = 19, kRelease = 20, kRenew = 21;  // condition tab
constexpr int kFirstStepper = 19;       // training tab: minus of type t at 19 + 2t, plus at 20 + 2t
constexpr int kLastStepper = 30;
constexpr int kTrainingReset = 31;
constexpr int kBoxerHotspotCount = 33;

enum Tab { kSkillsTab = 1, kTrainingTab = 2, kPersonalTab = 3, kConditionTab = 4 };

// ---- Places ---------------------------------------------------------------------------------

constexpr int kPortraitX = 45, kPortraitY = 110, kPortraitSize = 256;
constexpr float kNameX1 = 45, kNameX2 = 300;
constexpr float kTabX1 = 45, kTabX2 = 415, kTabTitleY = 381;
constexpr int kTabAreaTop = 378, kTabAreaBottom = 492;

// The training table: two columns of three rows, in the order the month advance trains.
constexpr int kTrainColumnX = 50, kTrainColumnStep = 184, kTrainRowY = 399, kTrainRowStep = 23;
constexpr int kTrainMinusDX = 96, kTrainPlusDX = 142, kTrainBarWidth = 90;
constexpr int kResetX = 322, kResetY = 467;

// The contract buttons of the condition tab.
constexpr int kContractButtonY = 469;
constexpr int kContractButtonX[3] = {66, 183, 300};
constexpr int kContractNormalY[3] = {756, 780, 804};

void gold() { setTextColour(1.0f, 0.82f, 0.42f, 1); }
void white() { setTextColour(1, 1, 1, 1); }

// ---- Screen values --------------------------------------------------------------------------

int16_t stableButtonSlot[kStableSize];  // the stable slot shown by hotspot 13 + j
int stableButtons = 0;

HistoryRow history[kHistoryRows];
int historyCount = 0;
int historyBoxer = -2;  // whose history the rows hold

StepRepeater trainingRepeater;
int heldStepper = -1;   // the training button held down, or -1

bool hasBoxer() { return isBoxer(selectedBoxer) && stableSlotOf(selectedBoxer) >= 0; }

int categoryImage(int category) {
  if (category <= 3) return 1;
  if (category <= 8) return 2;
  return 3;
}

// The skin, or with the software renderer the photo, of the selected boxer; the model wears it.
void loadSkin() {
  if (!skinPicture || !isBoxer(selectedBoxer)) return;
  const int face = boxers[selectedBoxer].face;
  bool loaded = false;
  if (face >= 1 && face <= 99) {
    char path[48];
    facePictureName(face, preferences.useDirectX != 0, path, sizeof path);
    loaded = skinPicture->LoadPicture(KTools::GetDataPath(path), true, false);
  }
  if (!loaded) skinPicture->FreePicture();
  if (boxerModel) boxerModel->SetTexture(loaded ? skinPicture : nullptr);
}

void refreshHistory() {
  historyBoxer = selectedBoxer;
  historyCount = isBoxer(selectedBoxer) ? boxerHistory(selectedBoxer, history) : 0;
}

// The hotspots of the tab shown: the training buttons, or the contract buttons.
void layTabHotspots() {
  for (int i = kFirstStepper; i <= kTrainingReset; ++i) hotspots[i].state = -1;
  if (!hasBoxer()) return;
  if (panelSelector == kTrainingTab) {
    for (int t = 0; t < kTrainingTypes; ++t) {
      const int x = kTrainColumnX + kTrainColumnStep * (t / 3), y = kTrainRowY + kTrainRowStep * (t % 3);
      setHotspot(kFirstStepper + 2 * t, 922, 209, 18, 20, x + kTrainMinusDX, y, 1, 1, kMenuSlot);
      setHotspot(kFirstStepper + 2 * t + 1, 941, 209, 18, 20, x + kTrainPlusDX, y, 1, 1, kMenuSlot);
    }
    setHotspot(kTrainingReset, 922, 305, 88, 20, kResetX, kResetY, 1, 1, kMenuSlot);
  } else if (panelSelector == kConditionTab) {
    const int s = stableSlotOf(selectedBoxer);
    for (int i = 0; i < 3; ++i)
      setHotspot(kTalk + i, 928, kContractNormalY[i], 96, 22, kContractButtonX[i], kContractButtonY, 1, 1, kMenuSlot);
    if (talkedThisMonth[s]) hotspots[kTalk].state = -1;
  }
}

void layHotspots() {
  setTabBarHotspots();
  hotspotCount = kBoxerHotspotCount;
  for (int i = 7; i < kBoxerHotspotCount; ++i) hotspots[i].state = -1;
  setHotspot(kViewPortrait, 920, 233, 96, 22, 313, 140, 1, 1, kMenuSlot);
  setHotspot(kViewHistory, 920, 254, 96, 22, 313, 165, 1, 1, kMenuSlot);
  setHotspot(kViewGraph, 657, 958, 96, 22, 313, 190, 1, 1, kMenuSlot);
  // The tabs show whenever a boxer is selected.
  if (hasBoxer())
    for (int i = 0; i < 4; ++i) setHotspot(kFirstPanelButton + i, 920, 338 + 30 * i, 101, 26, 310, 239 + 30 * i, 1, 1, kMenuSlot);
  stableButtons = 0;
  for (int s = 0; s < kStableSize; ++s) {
    const int b = career.stable[s];
    if (!isBoxer(b)) continue;
    const int j = stableButtons++;
    stableButtonSlot[j] = int16_t(s);
    setHotspot(kFirstStableButton + j, 0, 621 + 55 * categoryImage(boxers[b].category), 322, 54, 434, 110 + 65 * j, 1, 1,
               kMenuSlot);
  }
  layTabHotspots();
}

// ---- Entry ----------------------------------------------------------------------------------

void enterBoxerScreen() {
  gameInProgress = 1;
  panelSelector = kSkillsTab;
  // A boxer who has left the stable is not shown; the first stable boxer is.
  if (!hasBoxer() && countStable() > 0) {
    for (int s = 0; s < kStableSize; ++s)
      if (isBoxer(career.stable[s])) {
        selectedBoxer = career.stable[s];
        break;
      }
  }
  if (hasBoxer()) currentSlot = int16_t(stableSlotOf(selectedBoxer));
  layHotspots();
  if (isBoxer(selectedBoxer)) loadSkin();
  boxerTurnAngle = 0;
  lastPortraitTurn = KTools::GetMilliseconds();
  heldStepper = -1;
  trainingRepeater.release();
  refreshHistory();
  playTutorialVoice(tutorialVoiceOnBoxerScreen());
}

// ---- Left panel -----------------------------------------------------------------------------

void drawHeader(const Boxer& b, float y) {
  char name[64];
  formatBoxerName(b, name, sizeof name);
  drawTextCentred(name, kNameX1, kNameX2, y);
}

void turnPortrait() {
  const uint32_t now = KTools::GetMilliseconds();
  if (now - lastPortraitTurn > 15) {
    boxerTurnAngle += 0.5f;
    if (boxerTurnAngle > 360) boxerTurnAngle = 0;
    lastPortraitTurn = now;
  }
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  if (KInput::IsLeftButtonDown() && pointInRect(mx, my, 44, 109, 302, 367)) boxerTurnAngle = float(mx - 150);
}

void drawFigure(const Boxer& b) {
  const float h = b.height;
  boxerModel->Begin3D(true, false);
  boxerModel->Render(-0.525f, (h - 145) / 200, -2.4f + (h - 150) / 250, -85, 0, boxerTurnAngle);
  boxerModel->End3D();
  // The figure's 3D area is wider than the stage: the panel is laid again around the stage.
  drawPictureRect(kPanelLeftSlot, 274, 0, 116, 280, 310, 100, 1);
  drawPictureRect(kPanelLeftSlot, 0, 280, 390, 120, 36, 380, 1);
}

void drawPortrait(const Boxer& b) {
  turnPortrait();
  const bool photo = preferences.useDirectX && skinPicture && skinPicture->GetWidth() >= kPortraitSize;
  if (photo) {
    skinPicture->BlitRect(0, 0, kPortraitSize, kPortraitSize, kPortraitX, kPortraitY, false, false);
  } else {
    drawPictureRect(kStarletSlot, 0, 0, kPortraitSize, kPortraitSize, kPortraitX, kPortraitY, 1);
    if (!preferences.useDirectX && boxerModel) drawFigure(b);
  }
  drawPictureRect(kStarletSlot, 264, 0, 274, 10, 36, 100, 1);
  drawPictureRect(kStarletSlot, 264, 12, 274, 14, 36, 366, 1);
  drawPictureRect(kStarletSlot, 264, 30, 9, 256, 36, 110, 1);
  drawPictureRect(kStarletSlot, 276, 30, 9, 256, 301, 110, 1);
  fillRect(46, 347, 300, 364, 0, 0, 0, 0.45f);
  drawHeader(b, 351);
}

void drawHistory(const Boxer& b) {
  drawHeader(b, 115);
  if (historyBoxer != selectedBoxer) refreshHistory();
  if (historyCount == 0) {
    drawTextCentred("No Stats to Display", kNameX1, kNameX2, 240);
    return;
  }
  for (int i = 0; i < historyCount; ++i) {
    const HistoryRow& row = history[i];
    const float y = float(132 + 26 * i);
    fillRect(45, y + 11, 300, y + 24, row.band[0], row.band[1], row.band[2], row.band[3]);
    drawText(row.heading, 50, y);
    drawText(row.result, 50, y + 12);
  }
}

void drawGraph(const Boxer& b) {
  drawHeader(b, 115);
  drawParagraph(
      "The graph shows the boxer's ranking progresses through the last 12 months.\nred=going down, green=going up, "
      "gray=no change",
      50, 295, 133, 0);
  fillRect(45, 345, 300, 346, 0.75f, 0.6f, 0.3f, 0.6f);
  for (int k = 0; k < 12; ++k) {
    const RankBar colour = rankBarColour(b, k);
    if (colour == RankBar::None) continue;
    const int rank = b.rankHistory[k];
    const float x1 = float(281 - 21 * k), x2 = float(297 - 21 * k);
    float r = 0.6f, g = 0.6f, bl = 0.6f;
    if (colour == RankBar::Green) r = 0, g = 1, bl = 0;
    else if (colour == RankBar::Red) r = 1, g = 0, bl = 0;
    fillRect(x1, 190 + 1.5f * float(rank), x2, 345, r, g, bl, 1);
    drawNumberCentred(rank, x1 - 3, x2 + 3, 352);
  }
}

// ---- Buttons --------------------------------------------------------------------------------

// A button's normal image, or its lit image while it is the one chosen.
void drawButton(int hotspot, int normalX, int normalY, bool chosen) {
  const Hotspot& h = hotspots[hotspot];
  if (chosen) drawPictureRect(kMenuSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 1);
  else drawPictureRect(kMenuSlot, normalX, normalY, h.width, h.height, h.x, h.y, 1);
}

void drawViewAndPanelButtons() {
  drawButton(kViewPortrait, 830, 460, leftPanel == 0);
  drawButton(kViewHistory, 830, 483, leftPanel == 1);
  drawButton(kViewGraph, 830, 506, leftPanel == 2);
  if (!hasBoxer()) return;
  static const int normalY[4] = {532, 560, 588, 616};
  for (int i = 0; i < 4; ++i) drawButton(kFirstPanelButton + i, 830, normalY[i], panelSelector == i + 1);
}

void drawStableButtons() {
  for (int j = 0; j < stableButtons; ++j) {
    const int b = career.stable[stableButtonSlot[j]];
    if (!isBoxer(b)) continue;
    const int c = categoryImage(boxers[b].category);
    const bool chosen = b == selectedBoxer;
    drawPictureRect(kMenuSlot, 0, chosen ? 621 + 55 * c : 786 + 55 * c, 322, 54, 434, float(110 + 65 * j), 1);
  }
}

// The names and records on the stable buttons, over their images and the hover highlight.
void drawStableLabels() {
  for (int j = 0; j < stableButtons; ++j) {
    const int index = career.stable[stableButtonSlot[j]];
    if (!isBoxer(index)) continue;
    const Boxer& b = boxers[index];
    const float x = 502, y = float(110 + 65 * j);
    char line[96];
    formatBoxerName(b, line, sizeof line);
    if (index == selectedBoxer) gold();
    drawText(line, x, y + 6);
    white();
    const int category = b.category >= 1 && b.category <= kCategoryCount ? b.category : 0;
    // A name that fills its 20-byte field has no terminator.
    std::snprintf(line, sizeof line, "%.20s", weightNames[category].name);
    drawText(line, x, y + 21);
    std::snprintf(line, sizeof line, "%d-%d-%d  (%d KO)", int(b.wins), int(b.draws), int(b.losses), int(b.koWins));
    drawText(line, x, y + 36);
    // His place in the category's rankings, in the large digits.
    if (largeFont && b.rank >= 1 && b.rank <= 100) largeFont->DrawNumberRight(b.rank, 744, y + 17, 0);
  }
}

// ---- Tabs -----------------------------------------------------------------------------------

void drawTitle(int text) {
  gold();
  drawTextCentred(uiText(text), kTabX1, kTabX2, kTabTitleY);
  white();
}

void drawSkillRow(float x, float y, float skill, int maximum, float factor) {
  fillRect(x, y, x + 1.5f * float(maximum) * factor, y + 18, 0.3f, 0, 0, 1);
  fillRect(x, y, x + 1.5f * skill, y + 18, 0.6f, 0, 0, 1);
  const float numberX = x < 200 ? 202 : 385;
  drawNumberCentred(int(skill), numberX, numberX + 27, y + 3);
}

void drawSkillsTab(const Boxer& b) {
  drawTitle(424);
  const float v = scoutingFactor(career.managerSkills[kScoutingSkill]);
  drawSkillRow(50, 400, b.strength, b.strengthMax, v);
  drawSkillRow(50, 423, b.agility, b.agilityMax, v);
  drawSkillRow(50, 446, b.endurance, b.enduranceMax, v);
  drawSkillRow(50, 469, b.charisma, b.charismaMax, v);
  drawSkillRow(234, 400, b.quickness, b.quicknessMax, v);
  drawSkillRow(234, 423, b.stamina, b.staminaMax, v);
  drawSkillRow(234, 446, b.technique, b.techniqueMax, v);
  drawText(uiText(b.rightHanded ? 426 : 425), 240, 472);
}

void drawTrainingTab() {
  drawTitle(428);
  const int s = stableSlotOf(selectedBoxer);
  for (int t = 0; t < kTrainingTypes; ++t) {
    const float x = float(kTrainColumnX + kTrainColumnStep * (t / 3)), y = float(kTrainRowY + kTrainRowStep * (t % 3));
    const int points = training[s][t];
    fillRect(x, y, x + kTrainBarWidth, y + 20, 0.3f, 0, 0, 1);
    fillRect(x, y, x + float(kTrainBarWidth) * float(points) / 9.0f, y + 20, 0.6f, 0, 0, 1);
    drawText(boxerListA[t], x + 5, y + 4);
    drawPictureRect(kMenuSlot, 962, 209, 18, 20, x + kTrainMinusDX, y, 1);
    drawPictureRect(kMenuSlot, 982, 209, 18, 20, x + kTrainPlusDX, y, 1);
    drawNumberCentred(points, x + kTrainMinusDX + 18, x + kTrainPlusDX, y + 4);
  }
  char line[64];
  std::snprintf(line, sizeof line, "%s %d", uiText(429), int(trainingPoints[s]));
  drawText(line, 55, 472);
  drawPictureRect(kMenuSlot, 830, 668, 88, 20, kResetX, kResetY, 1);
}

void drawPersonalTab(const Boxer& b) {
  drawTitle(436);
  char line[96];
  const int nation = b.nation >= 0 && b.nation <= kNationCount ? b.nation : 0;
  std::snprintf(line, sizeof line, uiText(437), nations[nation].longName);
  drawText(line, 60, 398);
  drawText(uiText(438), 60, 413);
  std::snprintf(line, sizeof line, "%d", int(b.age));
  drawText(line, 160, 413);
  drawText(uiText(439), 60, 428);
  std::snprintf(line, sizeof line, "%d cm", int(b.height));
  drawText(line, 160, 428);
  drawText(uiText(440), 60, 443);
  formatKilograms(b.weight, line, sizeof line);
  drawText(line, 160, 443);
  const int category = b.category >= 1 && b.category <= kCategoryCount ? b.category : 0;
  const int limit = weightNames[category].limitLbs;
  std::snprintf(line, sizeof line, "%.20s - Limit %.2f kgs (%d lbs)", weightNames[category].name, limit / 2.20462262,
                limit);
  drawText(line, 60, 458);
  drawText(uiText(441), 60, 473);
  drawText(boxerListB[b.look >= 0 && b.look < 5 ? b.look : 0], 160, 473);
}

void drawStars(int count, float y) {
  for (int i = 0; i < count && i < 12; ++i) drawPictureRect(kSkillPointSlot, 40, 0, 16, 16, float(192 + 18 * i), y, 2);
}

void drawConditionTab(const Boxer& b) {
  drawTitle(444);
  drawText("Fitness", 60, 400);
  drawStars(b.fitness, 399);
  drawText("Morale", 60, 418);
  drawStars(b.morale, 417);
  gold();
  drawTextCentred(uiText(445), kTabX1, kTabX2, 437);
  white();
  drawText(uiText(446), 60, 452);
  char line[96];
  std::snprintf(line, sizeof line, uiText(447), int(b.contractMonths), int(b.pursePercent));
  drawText(line, 150, 452);
  for (int i = 0; i < 3; ++i) {
    const Hotspot& h = hotspots[kTalk + i];
    const bool off = h.state < 0;
    drawPictureRect(kMenuSlot, 830, kContractNormalY[i], 96, 22, float(kContractButtonX[i]), float(kContractButtonY),
                    off ? 3 : 1, 0, 1, off ? 0.35f : 1.0f);
  }
}

// ---- Frame ----------------------------------------------------------------------------------

void drawBoxerScreen() {
  // The frame around the two panels, then the panels (the frame under them is never seen).
  drawPictureRect(kMenuSlot, 0, 0, 800, 100, 0, 0, 1);
  drawPictureRect(kMenuSlot, 0, 500, 800, 100, 0, 500, 1);
  drawPictureRect(kMenuSlot, 0, 100, 36, 400, 0, 100, 1);
  drawPictureRect(kMenuSlot, 770, 100, 30, 400, 770, 100, 1);
  drawPictureRect(kPanelLeftSlot, 0, 0, 510, 400, 36, 100, 1);
  drawPictureRect(kPanelRightSlot, 0, 0, 224, 400, 546, 100, 1);
  if (isBoxer(selectedBoxer)) {
    const Boxer& b = boxers[selectedBoxer];
    switch (leftPanel) {
      case 1: drawHistory(b); break;
      case 2: drawGraph(b); break;
      default: drawPortrait(b); break;
    }
  }
  drawViewAndPanelButtons();
  drawStableButtons();
  if (hasBoxer()) {
    const Boxer& b = boxers[selectedBoxer];
    switch (panelSelector) {
      case kTrainingTab: drawTrainingTab(); break;
      case kPersonalTab: drawPersonalTab(b); break;
      case kConditionTab: drawConditionTab(b); break;
      default: drawSkillsTab(b); break;
    }
  }
  drawStatusAndHelp();
  drawHoverHighlight();
  drawStableLabels();
}

bool boxerShowsSkills() { return panelSelector == kSkillsTab && hasBoxer(); }

void helpBoxerScreen() {
  switch (hovered) {
    case kViewPortrait: helpLine(149, 550); break;
    case kViewHistory: helpLine(150, 550); break;
    case 9: helpLines(151, 152); break;
    case 10: helpLines(153, 154); break;
    case 11: helpLine(155, 550); break;
    case 12: helpLines(156, 157); break;
    default:
      if (hovered >= kFirstStableButton && hovered < kFirstStableButton + kStableSize) {
        helpLines(158, 159, 160);
      }
      break;
  }
  if (!hasBoxer()) return;
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  const bool overTab = pointInRect(mx, my, 45, kTabAreaTop, 415, kTabAreaBottom);
  switch (panelSelector) {
    case kSkillsTab:
      drawSkillHelp();
      if (pointInRect(mx, my, 230, 465, 408, 482)) helpLine(427, 550);
      break;
    case kTrainingTab:
      if (hovered >= kFirstStepper && hovered <= kLastStepper) {
        helpLines(430, 431);
      } else if (overTab) {
        helpLines(432, 433);
      }
      break;
    case kPersonalTab:
      if (overTab) {
        helpLines(442, 443);
      }
      break;
    case kConditionTab:
      if (hovered == kTalk) {
        helpLines(161, 162);
      } else if (hovered == kRelease) {
        helpLine(163, 540);
        char line[kTextSize + 16];
        std::snprintf(line, sizeof line, uiText(209), releaseFee());
        drawTextCentred(line, 0, 800, 560);
      } else if (hovered == kRenew) {
        helpLines(164, 165);
      }
      break;
    default: break;
  }
}

// ---- Input ----------------------------------------------------------------------------------

void stepTraining(int hotspot) {
  const int type = (hotspot - kFirstStepper) / 2;
  const bool plus = ((hotspot - kFirstStepper) & 1) != 0;
  const bool done = plus ? addTraining(type) : removeTraining(type);
  if (done) playSound(kSoundClick);
  else if (trainingRepeater.refusalSoundDue(KTools::GetMilliseconds())) playSound(kSoundCancel);
}

void selectStableButton(int j) {
  if (j < 0 || j >= stableButtons) return;
  const int slot = stableButtonSlot[j];
  if (!isBoxer(career.stable[slot])) return;
  currentSlot = int16_t(slot);
  selectedBoxer = career.stable[slot];
  loadSkin();
  refreshHistory();
  layTabHotspots();
}

void inputBoxerScreen() {
  const uint32_t now = KTools::GetMilliseconds();
  // A training button held down repeats its step, faster and faster.
  if (heldStepper >= 0) {
    if (KInput::IsLeftButtonDown() && hovered == heldStepper && panelSelector == kTrainingTab) {
      if (trainingRepeater.stepDue(now)) stepTraining(heldStepper);
      return;
    }
    heldStepper = -1;
    trainingRepeater.release();
  }
  if (!mouseDown || hovered < kViewPortrait) return;
  const int button = hovered;
  if (panelSelector == kTrainingTab && button >= kFirstStepper && button <= kLastStepper && hasBoxer()) {
    heldStepper = button;
    if (trainingRepeater.stepDue(now)) stepTraining(button);
    return;
  }
  waitMouseRelease();
  if (button == kViewPortrait || button == kViewHistory || button == kViewGraph) {
    playSound(kSoundClick);
    leftPanel = int16_t(button == kViewPortrait ? 0 : button == kViewHistory ? 1 : 2);
    if (leftPanel == 1) refreshHistory();
    return;
  }
  if (button >= kFirstPanelButton && button < kFirstPanelButton + 4) {
    playSound(kSoundClick);
    panelSelector = int16_t(button - kFirstPanelButton + 1);
    if (panelSelector == kTrainingTab) playTutorialVoice(tutorialAdvance(TutorialAction::TrainingButton));
    layTabHotspots();
    return;
  }
  if (button >= kFirstStableButton && button < kFirstStableButton + kStableSize) {
    playSound(kSoundClick);
    selectStableButton(button - kFirstStableButton);
    return;
  }
  if (!hasBoxer()) return;
  if (panelSelector == kTrainingTab && button == kTrainingReset) {
    playSound(kSoundClick);
    resetTraining();
    return;
  }
  if (panelSelector != kConditionTab) return;
  switch (button) {
    case kTalk:
      if (talkToBoxer()) playSound(kSoundClick);
      layTabHotspots();
      break;
    case kRelease:
      if (releaseBoxer()) switchScreen(kBoxerScreen);
      break;
    case kRenew: renewContract(); break;
    default: break;
  }
}

}  // namespace

// ---- What the panels show -------------------------------------------------------------------

float scoutingFactor(int scouting) {
  if (scouting < 5) return 0.3f;
  if (scouting < 10) return 0.5f;
  if (scouting < 15) return 0.7f;
  return 1.0f;
}

void formatKilograms(int pounds, char* out, int size) {
  if (out && size > 0) std::snprintf(out, size_t(size), "%.1f kgs", pounds / 2.20462262);
}

RankBar rankBarColour(const Boxer& b, int k) {
  if (k < 0 || k > 11) return RankBar::None;
  const int rank = b.rankHistory[k];
  if (rank < 1 || rank > 100) return RankBar::None;
  if (k == 11) return RankBar::Gray;
  const int before = b.rankHistory[k + 1];
  if (rank < before) return RankBar::Green;
  if (rank > before) return RankBar::Red;
  return RankBar::Gray;
}

int boxerHistory(int boxer, HistoryRow rows[kHistoryRows]) {
  if (!isBoxer(boxer)) return 0;
  int count = 0;
  for (int i = kFightCount - 1; i >= 0 && count < kHistoryRows; --i) {
    const Fight& f = fights[i];
    // Every fought fight is listed, whoever won it (index 0 is a boxer like any other).
    if (f.boxerA != boxer || f.winner < 0) continue;
    HistoryRow& row = rows[count++];
    row.fight = i;
    const int m = f.month >= 0 && f.month < 12 ? f.month : 0;
    if (isBoxer(f.boxerB)) {
      const Boxer& o = boxers[f.boxerB];
      char name[48];
      formatBoxerName(o, name, sizeof name, NameStyle::Initial);
      std::snprintf(row.heading, sizeof row.heading, "(%.3s/%d) vs. %s", monthNames[m], int(f.year), name);
    } else {
      std::snprintf(row.heading, sizeof row.heading, "(%.3s/%d)", monthNames[m], int(f.year));
    }
    const char* outcome;
    if (f.winner == kDraw) {
      outcome = "DRAW";
      row.band[0] = 0, row.band[1] = 0, row.band[2] = 0.6f;
    } else if (f.winner == boxer) {
      outcome = "VICTORY";
      row.band[0] = 0, row.band[1] = 0.8f, row.band[2] = 0;
    } else {
      outcome = "LOST";
      row.band[0] = 1, row.band[1] = 0, row.band[2] = 0;
    }
    row.band[3] = 0.6f;
    if (f.winner != kDraw && f.koRound > 0)
      std::snprintf(row.result, sizeof row.result, "%s by K.O. at %d round", outcome, int(f.koRound));
    else if (f.winner != kDraw && f.stopRound > 0)
      std::snprintf(row.result, sizeof row.result, "%s by T.K.O. at %d round", outcome, int(f.stopRound));
    else
      std::snprintf(row.result, sizeof row.result, "%s by %s (%d-%d)", outcome, f.unanimous ? "Unanim.Dec." : "Split Dec.",
                    f.pointsA / 3, f.pointsB / 3);
  }
  return count;
}

void facePictureName(int face, bool photo, char* out, int size) {
  std::snprintf(out, size_t(size), "data\\gfx\\%sboxer%02d.jpg", photo ? "x" : "", face);
}

void installBoxerScreen() {
  setScreenRoutines(kBoxerScreen, {enterBoxerScreen, drawBoxerScreen, inputBoxerScreen, helpBoxerScreen, boxerShowsSkills});
}
