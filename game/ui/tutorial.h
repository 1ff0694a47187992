// The quickstart tutorial: ten steps through one career month, each with a panel on one screen,
// advanced by the player's own clicks on the real buttons, most with a voice line.
#pragma once

#include <cstdint>

extern uint8_t tutorialOn;
extern int16_t tutorialStep;   // 0..9

// What the player did that may move the tutorial on.
enum class TutorialAction : uint8_t {
  TrainingButton,     // the boxer screen's TRAINING button
  FinancesTab,        // tab 3
  FinancePageArrow,   // the finances screen's page arrow (hotspot 11)
  RankingsTab,        // tab 4
  RankingsBoxerArrow, // an arrow under the stable boxer selector (hotspots 9 and 10)
  RankingsName,       // a click on a name of the ranking list
  FightArranged,      // the rankings screen's OK button booked a fight
  MonthTab,           // tab 1
  MonthScreenPress,   // any press on the month screen
};

struct TutorialStepInfo {
  int16_t screen;           // the screen state the panel shows on; 0 = no panel
  const char* title;
  const char* text;
  TutorialAction advancedBy;
  const char* voiceAfter;   // "data\snd\tutorial02.ogg" ..., or null
};

// The step table.
const TutorialStepInfo& tutorialStepInfo(int step);

// An action of the player: moves the tutorial on when it is on and the action is the current
// step's. Returns the voice file to load and play then, or null.
const char* tutorialAdvance(TutorialAction action);

// F1: off, or on again from step 0.
void tutorialToggle();

// The first voice plays when the boxer screen is entered at step 0 with the tutorial on (the
// voice object is loaded with it again, as later voices may have replaced it); null otherwise.
const char* tutorialVoiceOnBoxerScreen();
constexpr const char* kFirstTutorialVoice = "data\\snd\\tutorial01.ogg";

// Where the panel goes on a screen this frame: false when none shows (another screen, step 6,
// the tutorial off, or a message window number other than 0, -1 included).
struct TutorialPanel {
  int x, y;                 // the panel picture
  int titleX, titleY;
  int textX1, textX2, textY;
  const char* title;
  const char* text;
};
bool tutorialPanel(int screenState, int popupNumber, TutorialPanel& out);
