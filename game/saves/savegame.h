// The ten save slots: a career written as a flat image of its tables, block by block, with a
// one-line description in front that the save/load menu lists.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kSaveSlots = 10;
constexpr size_t kSaveFileSize = 540718;
constexpr size_t kSlotDescriptionSize = 255;

// What a slot holds: nothing, a whole save, or a file that is not one (0 bytes, cut short or
// too long, a folder or other non-file, unreadable, a description without its end byte).
enum class SlotState : uint8_t { Empty, Saved, Damaged };

// The save/load menu's list: "Empty Savegame Slot" or each file's description (empty for a
// damaged slot), and the state of each slot.
extern char slotDescriptions[kSaveSlots][kSlotDescriptionSize];
extern SlotState slotStates[kSaveSlots];

// The path of a slot's file, "<per-user folder>/slot<n>" ("" without a per-user folder).
const char* slotFilePath(int slot);

// Writes the career into "<per-user folder>/Brawnmoor/slot<n>". The old file is replaced only
// by a complete new one; when that cannot be done message 46 tells the player that the game
// was not saved, the system's reason and the folder, and false is returned with the career
// and the old file unchanged. A career that is over (gameOver) is never saved.
bool saveSlot(int slot);

// Reads a slot file into the world. Only a whole save is read: an empty slot gives false and
// Empty, a damaged one false and Damaged, and neither changes the world or the file. Every
// index read is then brought inside its table, so a foreign file of the right size cannot make
// the game reach outside one. `state` (optional) receives the slot's state.
bool loadSlot(int slot, SlotState* state = nullptr);

// The state of one slot file and, for a saved one, its description (255 bytes).
SlotState readSlotState(int slot, char* description);

// Fills slotDescriptions and slotStates.
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
