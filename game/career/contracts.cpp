#include "career/contracts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/KTools.h"

uint8_t searchByRecord;
uint8_t onlyUnranked;
uint8_t onlyAffordable;
int16_t searchResults[kBoxerCount];
int16_t searchLast = -1;
int16_t searchPage;
int16_t candidate = -1;
int16_t offerYears;
int16_t offerPercent;

bool isAffordable(int b) {
  return isBoxer(b) && potentialAverage(boxers[b]) <= career.reputation * 10 + 15;
}

namespace {

// Skills in the filter order: strength, agility, endurance, quickness, stamina, technique,
// charisma.
float filterSkill(const Boxer& b, int k) {
  switch (k) {
    case 0: return b.strength;
    case 1: return b.agility;
    case 2: return b.endurance;
    case 3: return b.quickness;
    case 4: return b.stamina;
    case 5: return b.technique;
    default: return b.charisma;
  }
}

int16_t filterPotential(const Boxer& b, int k) {
  switch (k) {
    case 0: return b.strengthMax;
    case 1: return b.agilityMax;
    case 2: return b.enduranceMax;
    case 3: return b.quicknessMax;
    case 4: return b.staminaMax;
    case 5: return b.techniqueMax;
    default: return b.charismaMax;
  }
}

int16_t clampAge(int16_t age) { return int16_t(std::clamp<int>(age, kSearchAgeLow, kSearchAgeHigh)); }

}  // namespace

void runSearch() {
  SearchFilter& f = searchFilter;
  f.ageMin = clampAge(f.ageMin);
  f.ageMax = clampAge(f.ageMax);
  int n = 0;
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& b = boxers[i];
    if (b.manager == kPlayer || b.manager == kRetired) continue;
    if (!searchByRecord) {
      bool keep = true;
      for (int k = 0; k < 7 && keep; ++k) keep = filterSkill(b, k) >= f.statMinimum[k];
      if (!keep) continue;
    } else {
      if (b.age < f.ageMin || b.age > f.ageMax || b.wins < f.winsMin || b.losses < f.lossesMin ||
          b.koWins < f.koMin)
        continue;
      if (f.searchCategory != 0 && b.category != f.searchCategory) continue;
    }
    if (onlyUnranked && b.rank <= 100) continue;
    if (onlyAffordable && !isAffordable(i)) continue;
    searchResults[n++] = int16_t(i);
  }
  searchLast = int16_t(n - 1);
  searchPage = 0;
}

namespace {

// One result with the key of the sorted column, so that the exchange sort compares plain
// numbers. Names compare by their position in the byte-wise order of all names.
struct SortEntry {
  float key;
  int16_t index;
};

// Byte-wise order of the shown names: the surname, or the first name alone for nation 9.
void nameKeys(SortEntry* entries, int n) {
  static int16_t order[kBoxerCount];
  for (int i = 0; i < n; ++i) order[i] = int16_t(i);
  auto nameOf = [&](int i) -> const char* {
    const Boxer& b = boxers[entries[i].index];
    return hasSurname(b) ? surnames[b.surname].name : firstNames[b.firstName].name;
  };
  auto less = [&](int16_t x, int16_t y) { return std::strncmp(nameOf(x), nameOf(y), 20) < 0; };
  std::sort(order, order + n, less);
  int position = 0;
  for (int i = 0; i < n; ++i) {
    if (i > 0 && less(order[i - 1], order[i])) ++position;
    entries[order[i]].key = float(position);
  }
}

}  // namespace

void sortResults(int column) {
  int n = searchLast + 1;
  if (n <= 0) return;
  static SortEntry entries[kBoxerCount];
  for (int i = 0; i < n; ++i) entries[i] = SortEntry{0.0f, searchResults[i]};

  // goesBefore(j, k) is "the key of j is smaller" once every key points that way.
  bool everyPair = false;
  if (column == 1) {
    nameKeys(entries, n);
  } else if (column >= 2 && column <= 8) {
    for (int i = 0; i < n; ++i) {
      const Boxer& b = boxers[entries[i].index];
      float k = 0;
      if (searchByRecord) {
        switch (column) {
          case 2: k = -b.wins; break;
          case 3: k = -b.draws; break;
          case 4: k = b.losses; break;
          case 5: k = -b.koWins; break;
          case 6: k = b.age; break;
          default: k = -b.category; break;
        }
      } else {
        switch (column) {
          case 2: k = -b.strength; break;
          case 3: k = -b.quickness; break;
          case 4: k = -b.agility; break;
          case 5: k = -b.stamina; break;
          case 6: k = -b.endurance; break;
          case 7: k = -b.technique; break;
          default: k = -b.charisma; break;
        }
      }
      entries[i].key = k;
    }
  } else {
    everyPair = true;
  }

  // The exchange sort every list of the world uses.
  for (int j = 0; j < n; ++j)
    for (int k = 0; k < n; ++k)
      if (everyPair || entries[j].key < entries[k].key) std::swap(entries[j], entries[k]);
  for (int i = 0; i < n; ++i) searchResults[i] = entries[i].index;
}

void startSearch() {
  runSearch();
  sortResults(1);
  searchPage = 0;
}

void clearSearchFilters() {
  std::memset(&searchFilter, 0, sizeof searchFilter);
  // Cleared ages would be kept at 16..16 by the search: the cleared filter spans every age.
  searchFilter.ageMin = kSearchAgeLow;
  searchFilter.ageMax = kSearchAgeHigh;
}

void resetSearchFilters() {
  clearSearchFilters();
  searchLast = -1;
  startSearch();
}

bool stepSearchFilter(int field, int delta) {
  SearchFilter& f = searchFilter;
  auto step = [&](int16_t& v, int lo, int hi) {
    int next = v + delta;
    if (next < lo || next > hi) {
      playCareerSound(CareerSound::Refusal);
      return false;
    }
    v = int16_t(next);
    return true;
  };
  if (field >= kFilterStrength && field <= kFilterCharisma) return step(f.statMinimum[field], 0, 99);
  switch (field) {
    case kFilterCategory: {
      int c = f.searchCategory + delta;
      if (c < 0) c = kCategoryCount;
      if (c > kCategoryCount) c = 0;
      f.searchCategory = int16_t(c);
      return true;
    }
    case kFilterAgeMin:
      f.ageMin = clampAge(f.ageMin);
      return step(f.ageMin, kSearchAgeLow, kSearchAgeHigh);
    case kFilterAgeMax:
      f.ageMax = clampAge(f.ageMax);
      return step(f.ageMax, kSearchAgeLow, kSearchAgeHigh);
    case kFilterWinsMin: return step(f.winsMin, 0, 99);
    case kFilterLossesMin: return step(f.lossesMin, 0, 99);
    case kFilterKoMin: return step(f.koMin, 0, 99);
    default: return false;
  }
}

namespace {
bool stepBounded(int16_t& value, int delta, int lo, int hi) {
  int next = value + delta;
  if (next < lo || next > hi) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  value = int16_t(next);
  return true;
}
}  // namespace

bool stepOfferYears(int delta) { return stepBounded(offerYears, delta, 0, 5); }
bool stepOfferPercent(int delta) { return stepBounded(offerPercent, delta, 0, 50); }

bool stepSearchPage(int delta) {
  int page = searchPage + 20 * delta;
  if (page < 0 || page > searchLast) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  searchPage = int16_t(page);
  return true;
}

int searchPageCount() { return searchLast < 0 ? 1 : searchLast / 20 + 1; }

void formatSearchPageLine(char* out, int size) {
  // The pages are those the page buttons reach: one starts at every multiple of 20 up to
  // searchLast.
  const int pages = searchPageCount();
  if (pages <= 1) {
    std::snprintf(out, size_t(size), "Showing page 1");
    return;
  }
  std::snprintf(out, size_t(size), "Showing page %d/%d", searchPage / 20 + 1, pages);
}

bool chooseCandidate(int row) {
  int i = searchPage + row;
  if (row < 0 || row >= 20 || i < 0 || i > searchLast) return false;
  candidate = searchResults[i];
  return true;
}

void scoutedBars(int boxer, float skillBar[7], float potentialBar[7]) {
  if (!isBoxer(boxer)) return;
  const Boxer& b = boxers[boxer];
  std::srand(unsigned(boxer));
  int scouting = career.managerSkills[kScoutingSkill];
  for (int k = 0; k < 7; ++k) {
    int d = randomBelow(scouting + 1) + 3;
    float f = float(randomBelow(10) / 10.0 + 0.5);
    if (d > 5) f = 1.0f;
    skillBar[k] = float(filterSkill(b, k) / 1.75 * f);
    potentialBar[k] = float(filterPotential(b, k) / 1.75 * f);
  }
  std::srand(KTools::GetMilliseconds());
}

int drawOfferValue() {
  int negotiation = career.managerSkills[kNegotiationSkill];
  return int(offerYears * (randomBelow(5) + 2) + offerPercent + negotiation * 3 +
             career.reputation * 25.0);
}

int drawDemand(int b) {
  const Boxer& c = boxers[b];
  int fameShare = c.fame / (randomBelow(15) + 5);
  return fameShare + (200 - c.rank) / (randomBelow(3) + 1);
}

bool offerContract() {
  if (!isBoxer(candidate) || offerYears == 0 || offerPercent == 0) return refuse(20), false;
  Boxer& c = boxers[candidate];
  if (c.manager == kPlayer || c.manager == kRetired) return refuse(20), false;
  int slot = -1;
  for (int s = 0; s < kStableSize && slot < 0; ++s)
    if (career.stable[s] < 0) slot = s;
  if (stableCount >= kStableSize || slot < 0) return refuse(7), false;

  if (potentialAverage(c) > career.reputation * 10 + randomBelow(10) + 5) return refuse(22), false;

  int v = drawOfferValue();
  int w = drawDemand(candidate);
  if (v <= w) return refuse(22), false;

  popup = 21;
  playCareerSound(CareerSound::Click);
  bool hadBoxers = countStable() > 0;
  c.manager = kPlayer;
  c.contractMonths = int16_t(offerYears * 12);
  c.pursePercent = offerPercent;
  clearStableSlot(slot);
  career.stable[slot] = candidate;
  stableCount++;
  trainingPoints[slot] = 25;
  if (hadBoxers) {
    // A new face, and never one that a stable boxer already wears.
    bool taken;
    do {
      c.face = int16_t(randomBelow(37) + 1);
      taken = false;
      for (int s = 0; s < kStableSize; ++s)
        if (s != slot && isBoxer(career.stable[s]) && boxers[career.stable[s]].face == c.face) taken = true;
    } while (taken);
  }
  if (c.rank > 100) {
    for (int i = 0; i < kBoxerCount; ++i) {
      Boxer& o = boxers[i];
      if (o.category == c.category && o.rank >= 95 && o.rank <= 100 && o.manager != kPlayer) {
        std::swap(o.rank, c.rank);
        break;
      }
    }
  }
  startSearch();
  candidate = -1;
  return true;
}

namespace {
bool selectedStableBoxer(int& slot) {
  slot = stableSlotOf(selectedBoxer);
  return slot >= 0 && isBoxer(selectedBoxer);
}
}  // namespace

bool renewContract() {
  int s;
  if (!selectedStableBoxer(s)) return false;
  Boxer& b = boxers[selectedBoxer];
  if (b.contractMonths >= 9) return refuse(25), false;
  int negotiation = career.managerSkills[kNegotiationSkill];
  b.contractMonths = int16_t(b.contractMonths + randomBelow(negotiation) + 6);
  int percent = b.pursePercent;
  if (randomBelow(9) < 4) {
    int v = b.rank / 10;
    if (negotiation > 6) percent += v / 4;
    if (negotiation < 7) percent += v / 3;
    if (negotiation < 3) percent += v / 2;
    if (percent > 50) percent = 50;
  } else {
    int v = -b.rank / 10;
    if (negotiation > 6) percent += v / 2;
    if (negotiation < 7) percent += v / 3;
    if (negotiation < 3) percent += v / 4;
    if (percent < 3) percent = 3;
  }
  b.pursePercent = int16_t(percent);
  popup = 24;
  playCareerSound(CareerSound::Click);
  return true;
}

int releaseFee() {
  if (!isBoxer(selectedBoxer)) return 0;
  const Boxer& b = boxers[selectedBoxer];
  // A boxer whose contract has run out (a retiring boxer stays on below 0 months until the
  // year end) costs nothing to release: the fee never turns into money for the manager.
  return std::max(0, b.contractMonths * (18 - b.category) / 2);
}

bool releaseBoxer() {
  int s;
  if (!selectedStableBoxer(s)) return false;
  if (stableBusy[s] == 1) return refuse(35), false;
  if (stableCount <= 1 || countStable() <= 1) return refuse(11), false;
  Boxer& b = boxers[selectedBoxer];
  int fee = releaseFee();
  b.contractMonths = 0;
  b.manager = kFree;
  cash -= fee;
  stableCount--;
  removeStableSlot(s);
  selectedBoxer = career.stable[0];
  currentSlot = 0;
  playCareerSound(CareerSound::Click);
  return true;
}

bool talkToBoxer() {
  int s;
  if (!selectedStableBoxer(s)) return false;
  if (talkedThisMonth[s]) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  Boxer& b = boxers[selectedBoxer];
  if (randomBelow(15) < career.managerSkills[kMotivationSkill]) {
    if (b.morale < 11) {
      b.morale++;
      popup = 8;
    } else {
      popup = 10;
    }
  } else {
    popup = 9;
  }
  talkedThisMonth[s] = 1;
  return true;
}
