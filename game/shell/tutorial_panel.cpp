// The tutorial's panel and voice on screen.
#include <cstdio>

#include "career/world.h"
#include "shell/screenkit.h"
#include "shell/tutorial.h"
#include "sound/KSound.h"
#include "tools/KTools.h"

char lastTutorialVoice[64] = "";
bool tutorialPanelShown = false;

void playTutorialVoice(const char* file) {
  if (!file) return;
  std::snprintf(lastTutorialVoice, sizeof lastTutorialVoice, "%s", file);
  KSound*& voice = gameSounds[kSoundTutorialVoice];
  if (!voice) voice = new KSound();
  if (voice->Load(KTools::GetDataPath(file), 100, false, 1)) voice->Play();
}

void drawTutorialPanel() {
  TutorialPanel panel;
  tutorialPanelShown = tutorialPanel(screenState, popup, panel);
  if (!tutorialPanelShown) {
    setTextColour(1, 1, 1);
    return;
  }
  drawSlotFrame(kTutorialSlot, float(panel.x), float(panel.y), 1);
  setTextColour(0, 0, 0);
  drawText(panel.title, float(panel.titleX), float(panel.titleY));
  setTextColour(0, 0, 0);
  drawParagraph(panel.text, float(panel.textX1), float(panel.textX2), float(panel.textY), 2);
  setTextColour(1, 1, 1);
}
