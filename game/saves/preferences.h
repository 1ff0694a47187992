// The player's preferences: one 62-byte record in the per-user folder, read at start and
// written whole after the launcher.
#pragma once

#include <cstddef>
#include <cstdint>

struct Preferences {
  uint8_t reserved0[4];   // never interpreted; written back as read
  uint8_t started;        // set to 1 at every start before the file is written back
  uint8_t windowed;       // 1 windowed, 0 full screen
  uint8_t useDirectX;     // 1 the software (DirectDraw-twin) renderer, 0 OpenGL
  uint8_t reserved7;
  int16_t language;       // 0 Eng, 1 Ger, 2 Fre, 3 Spa
  uint8_t reserved10;
  uint8_t searchByRecord; // the boxer search's mode
  uint8_t reserved12[48];
  uint8_t tutorialShown;  // 0 until the first launcher run ends
  uint8_t reserved61;
};
static_assert(sizeof(Preferences) == 62);
static_assert(offsetof(Preferences, started) == 4 && offsetof(Preferences, windowed) == 5);
static_assert(offsetof(Preferences, useDirectX) == 6 && offsetof(Preferences, language) == 8);
static_assert(offsetof(Preferences, searchByRecord) == 11);
static_assert(offsetof(Preferences, tutorialShown) == 60);

extern Preferences preferences;

// The per-user folder "<data folder>/Brawnmoor", created if missing; "" when it cannot be.
const char* userFolder();
// A file of the per-user folder ("prefs", "slot3").
const char* userFile(const char* name);

// Defaults (all 0, useDirectX 1), then as much of the file as it holds, each value brought
// into its range (a flag other than 0 is 1; a language outside 0..3 is 0), so that what is used
// is what is written back. Only a regular file is read, and the open never blocks.
void loadPreferences();
// The same from the file's bytes (as many as it holds; more are ignored).
void loadPreferencesFrom(const uint8_t* bytes, size_t size);
// Brings the record's values into their ranges, as loadPreferences does.
void keepPreferencesInRange();
// Writes the record whole; false when the file could not be written.
bool savePreferences();

// Writes a file completely or not at all: the bytes go to a temporary file beside it, which
// replaces the old file only once it is written and flushed to the disk. On failure the old
// file is untouched, the temporary one removed and errno tells the first thing that failed.
bool writeFileAtomically(const char* path, const void* bytes, size_t size);
