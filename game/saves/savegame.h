// The ten save slots: a career written as a flat image of its tables, block by block, with a
// one-line description in front that the save/load menu lists.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kSaveSlots = 10;
constexpr size_t kSaveFileSize = 540718;
constexpr size_t kSlotDescriptionSize = 255;

// The save/load menu's list: "Empty Savegame Slot" or each file's description.
extern char slotDescriptions[kSaveSlots][kSlotDescriptionSize];

// Writes the career into "<per-user folder>/Brawnmoor/slot<n>". The old file is replaced only
// by a complete new one; when that cannot be done the save-directory message box shows and
// false is returned, with the career and the old file unchanged.
bool saveSlot(int slot);

// Reads a slot file into the world; false (nothing changes) when it does not exist. A short
// file loads what it holds. Every index read is then brought inside its table, so a damaged
// or foreign file cannot make the game reach outside one.
bool loadSlot(int slot);

// Fills slotDescriptions.
void listSlots();

// The file image of the current career, and loading one from memory (what loadSlot does
// after reading the file). Both work on exactly kSaveFileSize bytes or, for loading, fewer.
void buildSaveImage(uint8_t* image);
void loadSaveImage(const uint8_t* image, size_t size);

// Brings every value of the world that indexes a table inside it, and the stable, the fight
// records and the screens' selections into agreement. A world the game itself wrote passes
// unchanged.
void repairLoadedWorld();

// "Manager Name (Apr 2026)" for the current career.
void formatSlotDescription(char* out, size_t size);
