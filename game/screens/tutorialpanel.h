// The tutorial's panel over the career screens.
#pragma once

// The tutorial panel of the current step, when it shows on this screen.
void drawTutorialPanel();
// Whether the last frame showed the panel.
extern bool tutorialPanelShown;
