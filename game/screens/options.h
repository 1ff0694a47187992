// The options screen (state 13), opened from the main menu and the save/load menu: the
// language, the music and sound volumes, windowed or full screen, the window's size, the
// scaling, the tutorial and the renderer of the next start. Every choice applies at once and
// is kept: the language, the display mode and the renderer in the preferences, the rest in the
// options file.
#pragma once

#include <cstdint>

void installOptionsScreen();

// Opens the options screen; Escape and BACK return to `from`.
void openOptionsScreen(int from);
extern int16_t optionsReturnState;

// The language of this run: the command line's (--language), else the preferences'.
int currentLanguage();
void setLanguageOverride(int language);  // -1: none
// The player's choice: the preferences are written, the text table reloaded.
void setLanguage(int language);

// The options applied to the sound and the game window (windowOpen: the window exists, else
// it is about to be opened with them).
void applySoundOptions();
void applyDisplayOptions(bool windowOpen);
// A window the player sized opens at that size next time (written when it changed).
void rememberWindowSize();

// The options screen's picture and its places, for the tests and the picture generator's check.
constexpr int kOptionsSlot = 50;  // kOptionsPicture
constexpr const char* kOptionsPicture = "data\\gfx\\OPTIONS.png";
// Hotspots of the options screen.
enum OptionsHotspot : int {
  kOptLanguage = 1,       // 1..4: English, Deutsch, Français, Español
  kOptMusicDown = 5,
  kOptMusicBar = 6,
  kOptMusicUp = 7,
  kOptSoundDown = 8,
  kOptSoundBar = 9,
  kOptSoundUp = 10,
  kOptWindowed = 11,
  kOptFullScreen = 12,
  kOptSize = 13,          // 13..16: the multiples shown, then free size
  kOptSharp = 17,
  kOptSmooth = 18,
  kOptTutorialOn = 19,
  kOptTutorialOff = 20,
  kOptOpenGL = 21,
  kOptDirectX = 22,
  kOptBack = 23,
  kOptHotspotCount = 24,
};
// The first text of the options screen in the text table, and the language names.
constexpr int kOptionsText = 559;
constexpr int kLanguageNameText = 590;  // 590..593, each in its own language
