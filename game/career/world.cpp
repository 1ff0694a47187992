#include "career/world.h"

#include <cstdarg>
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

namespace {

// A part of a name without the spaces at its ends.
struct Trimmed {
  const char* text;
  int length;
};
Trimmed trimmed(const char* s) {
  if (!s) return {"", 0};
  while (*s == ' ') ++s;
  int n = int(std::strlen(s));
  while (n > 0 && s[n - 1] == ' ') --n;
  return {s, n};
}

}  // namespace

void joinName(const char* first, const char* surname, char* out, int size) {
  if (!out || size <= 0) return;
  const Trimmed a = trimmed(first), b = trimmed(surname);
  std::snprintf(out, size_t(size), "%.*s%s%.*s", a.length, a.text, a.length > 0 && b.length > 0 ? " " : "", b.length,
                b.text);
}

void tidyName(char* name) {
  if (!name) return;
  char* to = name;
  for (const char* from = name; *from; ++from)
    if (*from != ' ' || (to > name && to[-1] != ' ')) *to++ = *from;
  while (to > name && to[-1] == ' ') --to;
  *to = 0;
}

void formatBoxerName(const Boxer& b, char* out, int size, NameStyle style) {
  if (!out || size <= 0) return;
  // The lookups share two buffers: copy each part before the next.
  char first[21], surname[21];
  std::snprintf(first, sizeof first, "%s", firstNameOf(b));
  std::snprintf(surname, sizeof surname, "%s", surnameOf(b));
  const Trimmed f = trimmed(first), s = trimmed(surname);
  if (s.length == 0 || f.length == 0) {
    joinName(first, surname, out, size);
    return;
  }
  switch (style) {
    case NameStyle::Full: joinName(first, surname, out, size); break;
    case NameStyle::Initial: std::snprintf(out, size_t(size), "%.1s. %.*s", f.text, s.length, s.text); break;
    case NameStyle::SurnameInitial: std::snprintf(out, size_t(size), "%.*s %.1s.", s.length, s.text, f.text); break;
    case NameStyle::Surname: std::snprintf(out, size_t(size), "%.*s", s.length, s.text); break;
  }
}

void formatWithName(char* out, int size, const char* format, const char* first, const char* surname, ...) {
  if (!out || size <= 0) return;
  out[0] = 0;
  if (!format) return;
  char name[48];
  joinName(first, surname, name, sizeof name);
  // The format with the names' conversions (from the first %s to the second, or the only one)
  // replaced by the name itself, its percent signs doubled.
  char joined[512];
  int n = 0, found = 0;
  size_t from = 0, to = 0;
  for (size_t i = 0; format[i] && found < 2; ++i) {
    if (format[i] != '%') continue;
    if (format[i + 1] == '%') {
      ++i;
      continue;
    }
    if (format[i + 1] == 's') {
      if (found == 0) from = i;
      to = i + 2;
      ++found;
    }
  }
  auto put = [&](char c) {
    if (n < int(sizeof joined) - 1) joined[n++] = c;
  };
  if (found == 0) {
    from = to = std::strlen(format);
  }
  for (size_t i = 0; i < from; ++i) put(format[i]);
  if (found > 0)
    for (const char* c = name; *c; ++c) {
      if (*c == '%') put('%');
      put(*c);
    }
  for (size_t i = to; format[i]; ++i) put(format[i]);
  joined[n] = 0;
  std::va_list rest;
  va_start(rest, surname);
  std::vsnprintf(out, size_t(size), joined, rest);
  va_end(rest);
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
