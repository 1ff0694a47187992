// The screens around a career: the launcher, the main menu, the new-manager screen and the
// save/load menu.
#pragma once

#include <cstdint>

// Each puts its screen's routines into the screen table.
void installLauncher();
void installMainMenu();
void installNewManagerScreen();
void installSaveLoadScreen();

extern uint8_t launcherDone;     // the launcher's start button was pressed
extern bool nationListOpen;      // the new-manager screen's nation list is open
extern int nationListTop;        // the first nation the list shows (1..50)
extern int16_t selectedSaveSlot; // the save/load menu's slot, 0..9

constexpr const char* kVersionText = "1.3.8";

// The launcher's picture.
constexpr const char* kLauncherPicture = "data\\gfx\\launcher.png";
