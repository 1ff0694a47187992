// The tutorial's panel and voice on screen.
#include "screens/tutorialpanel.h"

#include <cstdio>

#include "career/world.h"
#include "sound/KSound.h"
#include "tools/KTools.h"
#include "ui/screenkit.h"
#include "ui/tutorial.h"

bool tutorialPanelShown = false;

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
