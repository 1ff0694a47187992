#include "career/world.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

Boxer boxers[kBoxerCount];
Fight fights[kFightCount];
Nation nations[kNationCount + 1];

WeightName weightNames[kCategoryCount + 1];
char weightShortNames[kCategoryCount + 1][22];
int16_t categoryFill[kCategoryCount + 1];

NameEntry firstNames[kFirstNameCapacity];
NameEntry surnames[kSurnameCapacity];
int16_t firstNameCount;
int16_t surnameCount;

Career career;
char managerName[32] = "New Manager";
int32_t cash;
int16_t stableCount;
uint8_t stableBusy[kStableSize];
uint8_t talkedThisMonth[kStableSize];
int16_t trainingPoints[kStableSize];
int16_t training[kStableSize][kTrainingTypes];
int16_t sponsorAmount[kStableSize];
int16_t sponsorBrand[kStableSize];
int16_t sponsorMonths[kStableSize];
uint8_t sponsorAccepted[kStableSize];
int16_t equipmentPrice[4];
int16_t equipmentLevel;
int16_t staffPrice[3];
int16_t staffLevel;
int16_t income[12][4];
int16_t expenses[12][4];
int16_t recentResults[10];
SearchFilter searchFilter;

int32_t month = 4;
int32_t year;

int16_t popup;
int16_t popupBoxer = -1;
uint8_t gameOver;
int16_t selectedBoxer = -1;
int16_t currentSlot;
int16_t currentFight = -1;
int16_t messagePopup;
int16_t panelSelector = 1;

namespace {
CareerSoundHook soundHook = nullptr;
}

void setCareerSoundHook(CareerSoundHook hook) { soundHook = hook; }

void playCareerSound(CareerSound sound) {
  if (soundHook) soundHook(sound);
}

void refuse(int message) {
  popup = int16_t(message);
  playCareerSound(CareerSound::Refusal);
}

int stableSlotOf(int boxer) {
  if (boxer < 0) return -1;
  for (int s = 0; s < kStableSize; ++s)
    if (career.stable[s] == boxer) return s;
  return -1;
}

int countStable() {
  int n = 0;
  for (int s = 0; s < kStableSize; ++s) n += career.stable[s] >= 0;
  return n;
}

int randomBelow(int n) {
  int r = std::rand();
  return n == 0 ? 0 : r % n;
}

float randomFloat(double a, double b) {
  return float(a + (b - a) * double(std::rand() % 32767) / 32767.0);
}

float skillSum6(const Boxer& b) {
  return b.agility + b.endurance + b.quickness + b.stamina + b.strength + b.technique;
}

float skillAverage(const Boxer& b) {
  return float((double(b.strength) + b.endurance + b.agility + b.quickness + b.stamina +
                b.charisma + b.technique) / 7.0);
}

int potentialAverage(const Boxer& b) {
  return (b.strengthMax + b.enduranceMax + b.agilityMax + b.quicknessMax + b.staminaMax +
          b.techniqueMax) / 6;
}

namespace {
// Names are stored in 20-byte fields that need not be terminated.
const char* entryText(const NameEntry* table, int capacity, int index) {
  static char text[2][21];  // two buffers: a first name and a surname in one call
  static int which = 0;
  which ^= 1;
  text[which][0] = 0;
  if (index >= 0 && index < capacity) {
    std::memcpy(text[which], table[index].name, 20);
    text[which][20] = 0;
  }
  return text[which];
}
}  // namespace

const char* firstNameOf(const Boxer& b) {
  return entryText(firstNames, kFirstNameCapacity, b.firstName);
}

const char* surnameOf(const Boxer& b) {
  if (!hasSurname(b)) return "";
  return entryText(surnames, kSurnameCapacity, b.surname);
}

void formatBoxerName(const Boxer& b, char* out, int size) {
  if (!out || size <= 0) return;
  char first[21];
  std::snprintf(first, sizeof first, "%s", firstNameOf(b));
  if (hasSurname(b))
    std::snprintf(out, size_t(size), "%s %s", first, surnameOf(b));
  else
    std::snprintf(out, size_t(size), "%s", first);
}

void clearStableSlot(int slot) {
  if (slot < 0 || slot >= kStableSize) return;
  career.stable[slot] = -1;
  trainingPoints[slot] = 25;
  for (int t = 0; t < kTrainingTypes; ++t) training[slot][t] = 0;
  sponsorAmount[slot] = 0;
  sponsorBrand[slot] = 0;
  sponsorMonths[slot] = 0;
  sponsorAccepted[slot] = 0;
  stableBusy[slot] = 0;
  talkedThisMonth[slot] = 0;
}

void removeStableSlot(int slot) {
  if (slot < 0 || slot >= kStableSize) return;
  for (int s = slot; s + 1 < kStableSize; ++s) {
    career.stable[s] = career.stable[s + 1];
    trainingPoints[s] = trainingPoints[s + 1];
    for (int t = 0; t < kTrainingTypes; ++t) training[s][t] = training[s + 1][t];
    sponsorAmount[s] = sponsorAmount[s + 1];
    sponsorBrand[s] = sponsorBrand[s + 1];
    sponsorMonths[s] = sponsorMonths[s + 1];
    sponsorAccepted[s] = sponsorAccepted[s + 1];
    stableBusy[s] = stableBusy[s + 1];
    talkedThisMonth[s] = talkedThisMonth[s + 1];
  }
  clearStableSlot(kStableSize - 1);
}
