#include "ui/tutorial.h"

#include "ui/tutorial_texts.h"

uint8_t tutorialOn;
int16_t tutorialStep;

namespace {

using A = TutorialAction;

const TutorialStepInfo kSteps[10] = {
    {3, "QUICKSTART TUTORIAL", kTutorialTexts[0], A::TrainingButton, "data\\snd\\tutorial02.ogg"},
    {3, "TRAIN YOUR BOXERS", kTutorialTexts[1], A::FinancesTab, "data\\snd\\tutorial03.ogg"},
    {5, "FINANCES", kTutorialTexts[2], A::FinancePageArrow, "data\\snd\\tutorial04.ogg"},
    {5, "ADVERTISING", kTutorialTexts[3], A::RankingsTab, "data\\snd\\tutorial05.ogg"},
    {6, "RANKINGS SCREEN", kTutorialTexts[4], A::RankingsBoxerArrow, "data\\snd\\tutorial06.ogg"},
    {6, "RANKINGS SCREEN", kTutorialTexts[5], A::RankingsName, nullptr},
    {0, nullptr, nullptr, A::FightArranged, "data\\snd\\tutorial07.ogg"},
    {6, "FIGHT SET!", kTutorialTexts[6], A::MonthTab, "data\\snd\\tutorial08.ogg"},
    {11, "FINAL STEP", kTutorialTexts[7], A::MonthScreenPress, nullptr},
    {11, "FINAL STEP", kTutorialTexts[7], A::MonthScreenPress, nullptr},
};

}  // namespace

const TutorialStepInfo& tutorialStepInfo(int step) {
  if (step < 0 || step > 9) step = 0;
  return kSteps[step];
}

const char* tutorialAdvance(TutorialAction action) {
  if (!tutorialOn || tutorialStep < 0 || tutorialStep > 9) return nullptr;
  const TutorialStepInfo& step = kSteps[tutorialStep];
  if (step.advancedBy != action) return nullptr;
  if (tutorialStep == 9) {
    tutorialOn = 0;
    tutorialStep = 0;
    return nullptr;
  }
  tutorialStep++;
  return step.voiceAfter;
}

void tutorialToggle() {
  tutorialOn = tutorialOn ? 0 : 1;
  tutorialStep = 0;
}

const char* tutorialVoiceOnBoxerScreen() {
  if (!tutorialOn || tutorialStep != 0) return nullptr;
  return kFirstTutorialVoice;
}

bool tutorialPanel(int screenState, int popupNumber, TutorialPanel& out) {
  if (!tutorialOn || tutorialStep < 0 || tutorialStep > 9 || popupNumber != 0) return false;
  const TutorialStepInfo& step = kSteps[tutorialStep];
  if (step.screen == 0 || step.screen != screenState) return false;
  bool left = tutorialStep == 4 || tutorialStep == 5;
  out.x = left ? 70 : 470;
  out.y = 235;
  out.titleX = left ? 125 : 525;
  out.titleY = 257;
  out.textX1 = left ? 85 : 485;
  out.textX2 = left ? 305 : 705;
  out.textY = 290;
  out.title = step.title;
  out.text = step.text;
  return true;
}
