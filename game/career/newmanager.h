// The rules of the new-manager screen: skill points, the nation list, confirming.
#pragma once

#include <cstdint>

// "+" moves a point from the free points to the skill while points are left; "-" moves one
// back while the skill is above 1. False when the step is not allowed.
bool addManagerSkillPoint(int skill);
bool removeManagerSkillPoint(int skill);

// Holding a skill button repeats its step: the press steps at once, the first repeat waits
// the current delay, and every step shortens the delay by `shortenMs` down to 100 ms. A
// refused step sounds at most once every 750 ms.
struct StepRepeater {
  uint32_t delay = 200;
  uint32_t nextStepAt = 0;
  bool held = false;
  bool refusedBefore = false;
  uint32_t lastRefusalAt = 0;
  uint32_t shortenMs = 25;

  // Called every frame while the button is down; true when a step is due now.
  bool stepDue(uint32_t now);
  // The button went up: the next press starts over with a 200 ms delay.
  void release();
  // A step was refused: true when the refusal sound may play.
  bool refusalSoundDue(uint32_t now);
};

// The nation list opens five entries before the manager's nation and shows eleven nations;
// its first entry stays within 1..50.
int nationListFirst(int currentNation);
// A click on row `row` (rows of 21 pixels) of a list starting at `first` picks that nation.
// False when the row lies outside the list.
bool pickNationFromList(int first, int row);

// Confirming works only once every free point is spent: it starts the career.
bool confirmNewManager();
