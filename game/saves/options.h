// The player's options that the 62-byte preferences have no field for: the music and sound
// levels, how the game fills the screen, the tutorial at start. They live in a small text file
// "options" beside the preferences, read at start and written whole whenever the player
// changes one; a missing or damaged file (or a damaged line) gives the defaults. The language,
// the windowed / full-screen choice and the renderer keep their fields in the preferences.
#pragma once

#include <cstddef>
#include <string>

// The window's size when windowed.
constexpr int kWindowSizeLargest = -1;  // the largest multiple of 800 x 600 that fits the desktop
constexpr int kWindowSizeFree = 0;      // the player resizes the window
constexpr int kWindowSizeMaxMultiple = 8;

struct GameOptions {
  int musicVolume = 100;  // 0..100, scales the music levels the screens set
  int soundVolume = 100;  // 0..100, scales the sound levels
  int windowSize = kWindowSizeLargest;  // kWindowSizeLargest, kWindowSizeFree or 1..8
  bool smoothScaling = true;            // smooth fills the height; sharp keeps whole multiples
  bool tutorialAtStart = false;         // the quickstart tutorial starts with every game
  int windowWidth = 0, windowHeight = 0;  // the size the player gave a resizable window
};

extern GameOptions gameOptions;

// Defaults, then the file "options" of the per-user folder (regular files only).
void loadOptions();
// Writes the file whole (atomically); false when it could not be written.
bool saveOptions();
// The file's text and its reading: unknown keys are skipped, a value out of range or unreadable
// keeps that option's default. False when the text holds no option at all.
std::string formatOptions(const GameOptions& options);
bool parseOptions(const char* text, size_t size, GameOptions& options);

// The desktop's language for a first run (KTools::GetDesktopLanguage: the locale's variables,
// on Windows else the user's display language; "de_DE.UTF-8" gives 1): German 1, French 2,
// Spanish 3, anything else English 0.
int languageFromLocale();
// "eng", "ger", "fre", "spa" (any case) to 0..3; -1 for anything else.
int languageFromName(const char* name);

// Whether a regular file exists at the path (a first run has no preferences yet).
bool regularFileExists(const char* path);
