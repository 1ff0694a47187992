// The frame's two passes over the current screen, the tab bar, and the overlays that sit above
// every screen (the monthly message pop-up, the message window, the manager profile panel).
#pragma once

// Fills the screen table with every screen's routines.
void installScreens();

// The draw pass: the screen, then the overlays.
void drawScreen();
// The input pass: closing overlays, hover, the tab bar, the screen's own input, the header.
void handleInput();

// The manager profile panel and the monthly message pop-up.
void drawProfilePanel();
void drawMonthlyPopup();

