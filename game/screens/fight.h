// The three screens of a watched fight: the corner before each round (state 8), the fight
// itself in the ring view or as a written commentary (state 9), and the result (state 10).
#pragma once

#include <cstdint>

// Registers the corner, fight and result screens with the dispatcher.
void installFightScreens();
void installCornerScreen();
void installRingScreen();
void installResultScreen();

// The month screen's watch button: the fight becomes the current fight, the bout starts from
// its first round and the corner screen opens.
void watchFight(int fight);

// The picture slots these screens load their pictures into on entry (when still empty).
constexpr int kInjurySlot = 40;     // "INJURY.png": the meters and the hurt body areas
constexpr int kRoundsSlot = 41;     // "ROUNDS.png": the round numbers, 80 x 59 cells
constexpr int kKoSlot = 42;         // "KO.png"
constexpr int kTkoSlot = 43;        // "TKO.png"
constexpr int kCountSlot = 44;      // "COUNT.png": the referee's count
constexpr int kFlashSlot = 45;      // "FLASH.png": the crowd's camera flashes
constexpr int kFightButtonSlot = 46;  // "FIGHTBTN.png": pace, scroll, continue and towel
constexpr int kFightIconSlot = 47;  // "FIGHTICO.png": the commentary icons
constexpr int kResultSlot = 48;     // "VICTORY.jpg", "LOST.jpg" or "DRAW.jpg"

// The pictures of data\gfx that these screens load, by slot.
struct FightPicture {
  int slot;
  const char* file;
};
constexpr FightPicture kFightPictures[] = {
    {kInjurySlot, "INJURY.png"}, {kRoundsSlot, "ROUNDS.png"},     {kKoSlot, "KO.png"},
    {kTkoSlot, "TKO.png"},       {kCountSlot, "COUNT.png"},       {kFlashSlot, "FLASH.png"},
    {kFightButtonSlot, "FIGHTBTN.png"}, {kFightIconSlot, "FIGHTICO.png"}};
// The result screen's pictures: a victory, a defeat, a draw.
constexpr const char* kResultPictures[3] = {"VICTORY.jpg", "LOST.jpg", "DRAW.jpg"};

// Loads the slot's picture (kFightPictures) unless the slot already holds one.
void loadFightPicture(int slot);

// The bout on the corner and fight screens: open from the corner's first entry until the
// result screen, for the fight record watchedFight. A corner entered while no bout of the
// current fight is open begins a new bout.
extern bool boutOpen;
extern int16_t watchedFight;
// Set when the corner has prepared a round, cleared when the fight screen starts it: entering
// either screen again (the renderer switch does) neither prepares nor starts a round twice.
extern bool roundPending;

// The x of each order's marker on the corner screen: 312 + 155 x the order's value.
extern int16_t orderMarkerX[3];

// The towel button of the statistics panel.
constexpr int kTowelX = 654, kTowelY = 388, kTowelWidth = 147, kTowelHeight = 35;

// Set when the result screen has applied the current fight's result, cleared by the click
// that pays the purse and leaves: the result is applied and the purse paid once per fight.
extern bool resultShown;
