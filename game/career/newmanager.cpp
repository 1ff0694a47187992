#include "career/newmanager.h"

#include "career/generation.h"
#include "career/world.h"

bool addManagerSkillPoint(int skill) {
  if (skill < 0 || skill >= 5 || career.freeSkillPoints <= 0) return false;
  career.freeSkillPoints--;
  career.managerSkills[skill]++;
  return true;
}

bool removeManagerSkillPoint(int skill) {
  if (skill < 0 || skill >= 5 || career.managerSkills[skill] <= 1) return false;
  career.managerSkills[skill]--;
  career.freeSkillPoints++;
  return true;
}

bool StepRepeater::stepDue(uint32_t now) {
  if (held && int32_t(now - nextStepAt) < 0) return false;
  held = true;
  nextStepAt = now + delay;
  delay = delay > 100 + shortenMs ? delay - shortenMs : 100;
  return true;
}

void StepRepeater::release() {
  held = false;
  delay = 200;
}

bool StepRepeater::refusalSoundDue(uint32_t now) {
  if (refusedBefore && now - lastRefusalAt < 750) return false;
  refusedBefore = true;
  lastRefusalAt = now;
  return true;
}

int nationListFirst(int currentNation) {
  int first = currentNation - 5;
  if (first < 1) first = 1;
  if (first > 50) first = 50;
  return first;
}

bool pickNationFromList(int first, int row) {
  if (row < 0 || row > 10) return false;
  int nation = first + row;
  if (nation < 1 || nation > kNationCount) return false;
  career.managerNation = int16_t(nation);
  return true;
}

bool confirmNewManager() {
  if (career.freeSkillPoints != 0) return false;
  startCareer();
  return true;
}
