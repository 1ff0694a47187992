// The shell's own screens: the launcher, the main menu, the new-manager screen and the
// save/load menu.
#pragma once

#include <cstdint>

// Puts the four screens' routines into the screen table.
void installMenuScreens();

extern uint8_t launcherDone;     // the launcher's start button was pressed
extern bool nationListOpen;      // the new-manager screen's nation list is open
extern int nationListTop;        // the first nation the list shows (1..50)
extern int16_t selectedSaveSlot; // the save/load menu's slot, 0..9

constexpr const char* kVersionText = "1.3.8";
