#include "career/generation.h"

#include <cstdio>
#include <cstring>

#include "career/contracts.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "tools/KTools.h"

namespace {

void setManagerName(const char* text) {
  std::memset(managerName, 0, sizeof managerName);
  // A longer name is cut to the 31 characters the field holds.
  if (std::snprintf(managerName, sizeof managerName, "%s", text) >= int(sizeof managerName))
    managerName[sizeof managerName - 1] = 0;
}

int16_t capPotential(int value) { return int16_t(value > 99 ? 99 : value); }

void clearFightRecord(Fight& f) {
  f.boxerA = -1;
  f.winner = -1;
  f.koRound = -1;
  f.stopRound = -1;
}

}  // namespace

namespace {
bool worldBuilt = false;
}  // namespace

bool worldReady() { return worldBuilt; }

bool generateWorld() {
  // The data files are read before anything changes, so a world that cannot be built
  // leaves the old one whole. Reading draws no random numbers.
  worldBuilt = loadWorldData();
  if (!worldBuilt) return false;

  // 1. Career values.
  setManagerName("New Manager");
  career.managerAge = 25;
  career.managerNation = int16_t(randomBelow(60) + 1);
  for (int16_t& s : career.managerSkills) s = 1;
  for (int16_t& s : career.careerStats) s = 0;
  career.freeSkillPoints = 20;
  cash = 225;
  career.earningsTotal = 0;
  stableCount = 2;
  career.ageWarningShown = 0;
  career.contractWarningShown = 0;
  // A new career owes nothing and starts with the cheapest equipment and staff, whatever
  // the previous career ended with.
  career.monthsInDebt = 0;
  equipmentLevel = 0;
  staffLevel = 0;
  for (int16_t& r : recentResults) r = 0;
  selectedBoxer = -1;
  currentSlot = 0;
  popup = 0;
  gameOver = 0;
  year = KTools::GetYear();

  // 2. Finance history of the months of this year before the current one.
  for (int m = 0; m < month && m < 12; ++m) {
    income[m][0] = int16_t(randomBelow(10) + 5);
    income[m][1] = int16_t(randomBelow(7) + 3);
    income[m][2] = 0;
    income[m][3] = int16_t(randomBelow(5) + 1);
    expenses[m][0] = int16_t(randomBelow(10) + 3);
    expenses[m][1] = int16_t(randomBelow(5) + 2);
    expenses[m][2] = 0;
    expenses[m][3] = int16_t(randomBelow(5) + 1);
  }
  // This month's rows and those of the months after it (last year's, which the table shows
  // before January) start empty, as in the program's first world: the rows an earlier career
  // left there would otherwise show in the tables, and the first advance would bill this
  // month's equipment and staff of the earlier career. No draws here.
  for (int m = month < 0 ? 0 : month; m < 12; ++m)
    for (int r = 0; r < 4; ++r) {
      income[m][r] = 0;
      expenses[m][r] = 0;
    }

  // 3. An empty stable and cleared search filters.
  for (int s = 0; s < kStableSize; ++s) clearStableSlot(s);
  clearSearchFilters();

  // 4. No fights: free records keep nothing of an earlier career.
  for (Fight& f : fights) {
    f = Fight{};
    clearFightRecord(f);
  }

  // 5.-6. (read above) The categories fill up from empty.
  for (int16_t& fill : categoryFill) fill = 0;

  // 7. The boxers.
  for (int i = 0; i < kBoxerCount; ++i) generateBoxer(i, 23);

  // 8. The rankings.
  for (int c = 1; c <= kCategoryCount; ++c) rankCategory(c);

  // 9. Invented past records, after the ranking so that ranks stay as they are.
  int largest = -1;
  for (int i = 0; i < kBoxerCount; ++i) {
    int fame = inventPastRecord(i, largest);
    if (fame > largest) largest = fame;
  }

  // 10. Prices of the equipment and staff levels.
  for (int i = 0; i < 4; ++i)
    equipmentPrice[i] = int16_t((2 * i * i + randomBelow(5 * i + 1) + 3) * stableCount);
  equipmentPrice[3] += 5;
  for (int i = 0; i < 3; ++i) staffPrice[i] = int16_t((i * i + 8 * i + 2) * stableCount);
  return true;
}

void generateBoxer(int index, int ageSpread) {
  if (index < 0 || index >= kBoxerCount) return;
  Boxer& b = boxers[index];

  // 1. Condition, record, hand, age.
  b.retiring = 0;
  b.fitness = int16_t(randomBelow(4) + 5);
  b.morale = int16_t(randomBelow(8) + 1);
  b.wins = b.draws = b.losses = b.koWins = 0;
  b.rightHanded = 1;
  if (randomBelow(100) > 80) b.rightHanded = 0;
  b.age = int16_t(randomBelow(ageSpread + 1) + 16);
  b.manager = kFree;
  // A new boxer has no contract with anybody, whoever held his place in the table before.
  b.contractMonths = 0;
  b.pursePercent = 0;

  // 2. Category: the first hundred of each category in order, then at random.
  int c = randomBelow(kCategoryCount) + 1;
  for (int k = 1; k <= kCategoryCount; ++k) {
    if (categoryFill[k] < 100) {
      c = k;
      categoryFill[k]++;
      break;
    }
  }
  b.category = int16_t(c);

  // 3. Look.
  b.look = int16_t(randomBelow(5));

  // 4. Weight within the category's bounds.
  if (c == kCategoryCount)
    b.weight = int16_t(weightNames[kCategoryCount].limitLbs - randomBelow(10));
  else
    b.weight = int16_t(weightNames[c + 1].limitLbs +
                       randomBelow(weightNames[c].limitLbs - weightNames[c + 1].limitLbs));

  // 5. Height follows the weight.
  int height = 150 + randomBelow(b.weight / 3);
  if (height < 160) height = 160;
  if (height > 205) height = 205;
  b.height = int16_t(height);

  // 6. Potentials.
  int base = b.age < 21 ? randomBelow(99) + 30 : randomBelow(99) + 10;
  int t = randomBelow(75);
  int m = t < 5 ? int(base * 1.25) : t < 25 ? int(base * 0.9) : int(base * 0.7);
  if (m < 1) m = 15;
  b.strengthMax = capPotential(m + randomBelow(base - m));
  b.enduranceMax = capPotential(m + randomBelow(base - m));
  b.agilityMax = capPotential(m + randomBelow(base));
  b.quicknessMax = capPotential(m + randomBelow(base));
  b.staminaMax = capPotential(m + randomBelow(base - m));
  b.charismaMax = capPotential(m + randomBelow(base - m));
  b.techniqueMax = capPotential(m + randomBelow(base));

  // 7. Heavy boxers lose speed, light boxers strength and toughness.
  b.quicknessMax = int16_t(b.quicknessMax - (randomBelow((20 - c) * 3) + 3));
  b.agilityMax = int16_t(b.agilityMax - (randomBelow((20 - c) * 3) + 3));
  if (b.quicknessMax < 30) b.quicknessMax = int16_t(randomBelow(15) + 30);
  if (b.agilityMax < 30) b.agilityMax = int16_t(randomBelow(15) + 30);
  b.strengthMax = int16_t(b.strengthMax - (randomBelow(c * 3) + 3));
  b.enduranceMax = int16_t(b.enduranceMax - (randomBelow(c * 3) + 3));
  b.staminaMax = int16_t(b.staminaMax - (randomBelow(c * 3) + 3));
  if (b.strengthMax < 15) b.strengthMax = int16_t(randomBelow(10) + 15);
  if (b.enduranceMax < 15) b.enduranceMax = int16_t(randomBelow(10) + 15);
  if (b.staminaMax < 15) b.staminaMax = int16_t(randomBelow(10) + 15);

  // 8. Skills between a third of the potential and the potential.
  b.strength = randomFloat(b.strengthMax / 3, b.strengthMax);
  b.endurance = randomFloat(b.enduranceMax / 3, b.enduranceMax);
  b.agility = randomFloat(b.agilityMax / 3, b.agilityMax);
  b.quickness = randomFloat(b.quicknessMax / 3, b.quicknessMax);
  b.stamina = randomFloat(b.staminaMax / 3, b.staminaMax);
  b.charisma = randomFloat(b.charismaMax / 3, b.charismaMax);
  b.technique = randomFloat(b.techniqueMax / 3, b.techniqueMax);

  // 9. Nation, by the likelihood column of the boxer's size.
  for (;;) {
    int n = randomBelow(kNationCount) + 1;
    int likelihood = c > 4 ? nations[n].lightWeight : nations[n].heavyWeight;
    if (likelihood > randomBelow(10)) {
      b.nation = int16_t(n);
      break;
    }
  }

  // 10. Names.
  assignBoxerName(index);

  // 11. Face.
  b.face = int16_t(randomBelow(30) + 1);
  if (usesSecondFaceRange(b.nation)) b.face = int16_t(randomBelow(10) + 29);

  // 12. Fame: skill, size and age.
  float sum = b.strength + b.endurance + b.agility + b.quickness + b.stamina + b.charisma +
              b.technique;
  int fame = int(sum * float(20 - c) / float(b.age / 5));
  if (b.age < 21) fame /= 2;
  if (b.age < 19) fame /= 3;
  b.fame = int16_t(fame);
}

void assignBoxerName(int index) {
  if (index < 0 || index >= kBoxerCount) return;
  Boxer& b = boxers[index];
  int group = nameGroupOfNation(b.nation);
  for (;;) {
    int k = randomBelow(firstNameCount);
    if (firstNames[k].group == group) {
      b.firstName = int16_t(k);
      break;
    }
  }
  if (group == 1) {
    b.surname = 0;  // no surname: nothing of an earlier boxer stays in the field
    return;
  }
  for (;;) {
    int k = randomBelow(surnameCount);
    if (surnames[k].group == group) {
      b.surname = int16_t(k);
      break;
    }
  }
}

namespace {

struct RankEntry {
  int16_t fame;
  int16_t wins;
  int16_t index;
};

bool ranksAbove(const RankEntry& a, const RankEntry& b) {
  return a.fame > b.fame || (a.fame == b.fame && a.wins > b.wins);
}

}  // namespace

void rankCategory(int category) {
  static RankEntry work[kBoxerCount];
  int n = 0;
  for (int i = 0; i < kBoxerCount; ++i) {
    if (boxers[i].category != category) continue;
    boxers[i].id = i;
    work[n++] = RankEntry{boxers[i].fame, boxers[i].wins, int16_t(i)};
  }
  // The exchange sort every list of the world uses: for each position j, for each position k,
  // swap when j's entry ranks above k's.
  for (int j = 0; j < n; ++j)
    for (int k = 0; k < n; ++k)
      if (ranksAbove(work[j], work[k])) {
        RankEntry t = work[j];
        work[j] = work[k];
        work[k] = t;
      }
  for (int p = 0; p < n; ++p) boxers[work[p].index].rank = int16_t(p + 1);
}

int inventPastRecord(int index, int largestFameBefore) {
  Boxer& b = boxers[index];
  int n = randomBelow(b.age) + 1 + (50 - b.rank / 2);
  if (b.age < 19 && b.rank > 15) n = randomBelow(b.age - 15) + 10;
  for (int i = 0; i < n; ++i) {
    if (b.rank < 50 && randomBelow(10) > 2) {
      b.wins++;
      if (randomBelow(250) < b.fame || randomBelow(10) < 2) b.koWins++;
      continue;
    }
    int r = randomBelow(100);
    if (r < 5) {
      b.draws++;
    } else if (r > 6 && r < 45) {
      b.wins++;
    } else if (r > 44 && largestFameBefore >= 0 && largestFameBefore / 1.25 > b.fame) {
      b.losses++;
    }
  }
  if (b.koWins < 2 && b.wins > 5) b.koWins = int16_t(randomBelow(b.wins));
  if (b.wins > 10) {
    // A famous boxer with a long record grows more famous; the value saturates instead of
    // wrapping into a negative fame.
    int fame = b.fame * (b.wins / 10);
    b.fame = int16_t(fame > 32767 ? 32767 : fame < -32768 ? -32768 : fame);
  }
  return b.fame;
}

void resetManager() {
  career.managerAge = 25;
  career.managerNation = int16_t(randomBelow(60) + 1);
  setManagerName("New Manager");
  for (int16_t& s : career.managerSkills) s = 1;
  career.freeSkillPoints = 20;
  cash = 225;
  stableCount = 2;
}

namespace {

bool qualifiesAsStarter(int j) {
  const Boxer& b = boxers[j];
  return b.category > 14 && b.manager == kFree && b.rank > 90 && b.rank < 101 &&
         skillAverage(b) < 50.0f;
}

// How well a boxer fits the starting stable when too few qualify: lower is better.
int starterTier(int j) {
  const Boxer& b = boxers[j];
  if (b.manager != kFree) return 99;
  if (qualifiesAsStarter(j)) return 0;
  if (b.category > 14 && b.rank > 90) return 1;
  if (b.category > 14) return 2;
  return 3;
}

bool faceTakenInStable(int face, int slots) {
  for (int s = 0; s < slots; ++s)
    if (career.stable[s] >= 0 && boxers[career.stable[s]].face == face) return true;
  return false;
}

void placeStarter(int slot, int j) {
  Boxer& b = boxers[j];
  career.stable[slot] = int16_t(j);
  b.manager = kPlayer;
  b.contractMonths = int16_t(randomBelow(12) + 12);
  b.pursePercent = int16_t(randomBelow(8) + 2);
  // A stable never shows two boxers with the same face.
  do {
    b.face = int16_t(randomBelow(37) + 1);
  } while (faceTakenInStable(b.face, slot));
}

}  // namespace

void startCareer() {
  // 1. An empty stable and no fights.
  for (int s = 0; s < kStableSize; ++s) clearStableSlot(s);
  for (Fight& f : fights) {
    clearFightRecord(f);
    f.year = 0;
  }

  // 2. Every boxer's rank history starts flat.
  for (Boxer& b : boxers)
    for (int16_t& h : b.rankHistory) h = b.rank;

  // 3. The starting boxers, drawn among indices 0..2449.
  if (stableCount < 0) stableCount = 0;
  if (stableCount > kStableSize) stableCount = kStableSize;
  int qualifying = 0;
  for (int j = 0; j < 2450; ++j) qualifying += qualifiesAsStarter(j);
  int placed = 0;
  if (qualifying >= stableCount) {
    while (placed < stableCount) {
      int j = randomBelow(2450);
      if (qualifiesAsStarter(j)) placeStarter(placed++, j);
    }
  } else {
    // Too few boxers qualify: rather than draw for ever, take the qualifying ones and then
    // the closest fits, the weakest first.
    while (placed < stableCount) {
      int best = -1;
      for (int j = 0; j < 2450; ++j) {
        if (starterTier(j) == 99) continue;
        if (best < 0 || starterTier(j) < starterTier(best) ||
            (starterTier(j) == starterTier(best) && skillAverage(boxers[j]) < skillAverage(boxers[best])))
          best = j;
      }
      if (best < 0) break;
      placeStarter(placed++, best);
    }
    stableCount = int16_t(placed);
  }

  // 4. The search starts from cleared filters, its list sorted by name.
  clearSearchFilters();
  runSearch();
  sortResults(1);

  // 5. Reputation.
  career.reputation = float(career.managerAge / 30 + randomBelow(2));
}

namespace {

// A filled entry of the given group (any group when group is 0), drawn at random; entries
// 1..count are drawn, so the last name of the table can be chosen too.
int drawNameEntry(const NameEntry* table, int count, int group, bool notGroupOne) {
  if (count <= 0) return 0;
  for (int attempt = 0; attempt < 100000; ++attempt) {
    int k = randomBelow(count) + 1;
    const NameEntry& e = table[k];
    if (!e.name[0] || e.group == 0) continue;
    if (group && e.group != group) continue;
    if (notGroupOne && e.group == 1) continue;
    return k;
  }
  for (int k = 1; k <= count; ++k)
    if (table[k].name[0] && (!group || table[k].group == group)) return k;
  return 0;
}

}  // namespace

void quickStart() {
  // A first name and a surname of one origin.
  int first = drawNameEntry(firstNames, firstNameCount, 0, true);
  int surname = drawNameEntry(surnames, surnameCount, firstNames[first].group, false);
  if (surname == 0) surname = drawNameEntry(surnames, surnameCount, 0, false);
  char a[21] = {}, b[21] = {};
  std::memcpy(a, firstNames[first].name, 20);
  std::memcpy(b, surnames[surname].name, 20);
  char name[64];
  joinName(a, b, name, sizeof name);
  setManagerName(name);

  // 21 skill points spread at random.
  static const int kSkillOfDraw[5] = {kMotivationSkill, kFifthSkill, kNegotiationSkill,
                                      kScoutingSkill, kTrainingSkill};
  for (int i = 0; i < 21; ++i) career.managerSkills[kSkillOfDraw[randomBelow(5)]]++;
  startCareer();
}
