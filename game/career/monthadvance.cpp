#include "career/monthadvance.h"

#include <cmath>

#include "career/generation.h"
#include "career/world.h"

int16_t pendingFights[6] = {-1, -1, -1, -1, -1, -1};
int16_t eventValue;

bool isFightDue(int fight) {
  if (!isFight(fight)) return false;
  const Fight& f = fights[fight];
  if (f.winner != -1 || !isBoxer(f.boxerA) || boxers[f.boxerA].manager != kPlayer) return false;
  return (f.year == year && f.month == month + 1) || (f.year > year && f.month == 0 && month == 11);
}

void openNextMonthScreen() {
  for (int16_t& p : pendingFights) p = -1;
  int n = 0;
  for (int i = 0; i < kFightCount && n < 6; ++i)
    if (isFightDue(i)) pendingFights[n++] = int16_t(i);
}

bool requestAdvance() {
  for (int16_t p : pendingFights) {
    if (p != -1) {
      refuse(29);
      return false;
    }
  }
  if (!career.contractWarningShown) {
    for (int s = 0; s < kStableSize; ++s) {
      int b = career.stable[s];
      if (isBoxer(b) && boxers[b].contractMonths < 2) {
        career.contractWarningShown = 1;
        popup = int16_t(countStable() == 1 ? 31 : 14);
        return false;
      }
    }
  }
  playCareerSound(CareerSound::Click);
  messagePopup = int16_t(randomBelow(9) + 1);
  monthlyAdvance();
  return true;
}

void playInstantly(int fight) {
  if (!isFight(fight)) return;
  Fight& f = fights[fight];
  if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB)) return;
  Boxer& a = boxers[f.boxerA];
  Boxer& b = boxers[f.boxerB];
  int slot = stableSlotOf(f.boxerA);
  if (slot >= 0) stableBusy[slot] = 0;

  int sA = int(a.strength + a.endurance + a.agility + a.quickness + a.stamina + a.charisma + a.technique);
  int sB = int(b.strength + b.endurance + b.agility + b.quickness + b.stamina + b.charisma + b.technique);
  int d = sA - sB;
  a.fitness = int16_t(randomBelow(2) + 1);
  b.fitness = int16_t(randomBelow(2) + 1);

  int ad = std::abs(d);
  if (ad < 20) {
    f.winner = randomBelow(50) < 25 ? f.boxerA : f.boxerB;
    if (randomBelow(30) == 17) f.winner = kDraw;
  } else if (d > 19) {
    f.winner = randomBelow(80) < ad ? f.boxerA : f.boxerB;
  } else {
    f.winner = randomBelow(80) < ad ? f.boxerB : f.boxerA;
  }

  f.koRound = -1;
  f.stopRound = -1;
  int rounds = f.rounds > 1 ? f.rounds : 2;
  if (ad > 40 || randomBelow(70) < 3) {
    if (randomBelow(9) > 6)
      f.koRound = int16_t(randomBelow(rounds - 1) + 1);
    else
      f.stopRound = int16_t(randomBelow(rounds - 1) + 1);
  } else {
    f.unanimous = randomBelow(9) > 6 ? 1 : 0;
    int winnerPoints = f.rounds * 9 * 3, loserPoints = f.rounds * 8 * 3;
    if (f.winner == kDraw) {
      f.pointsA = f.pointsB = int16_t(f.rounds * 10 * 3);
    } else if (f.winner == f.boxerA) {
      f.pointsA = int16_t(winnerPoints);
      f.pointsB = int16_t(loserPoints);
    } else {
      f.pointsA = int16_t(loserPoints);
      f.pointsB = int16_t(winnerPoints);
    }
  }
  currentFight = int16_t(fight);
}

void playInteractively(int fight) {
  if (!isFight(fight)) return;
  Fight& f = fights[fight];
  if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB)) return;
  currentFight = int16_t(fight);
  boxers[f.boxerB].fitness = int16_t(randomBelow(2) + 1);
  int slot = stableSlotOf(f.boxerA);
  if (slot >= 0) stableBusy[slot] = 0;
}

void freeBoxerDrift(int index) {
  Boxer& b = boxers[index];
  float delta = float((randomBelow(30) - 15) / 10.0);
  struct Skill { float* value; int16_t max; };
  Skill skills[6] = {{&b.agility, b.agilityMax},     {&b.charisma, b.charismaMax},
                     {&b.endurance, b.enduranceMax}, {&b.quickness, b.quicknessMax},
                     {&b.stamina, b.staminaMax},     {&b.strength, b.strengthMax}};
  for (Skill& s : skills) {
    int r = randomBelow(159);
    float v = *s.value;
    if (r > v && v + delta > 10.0f && v + delta < s.max && v > 1.0f && v < 98.0f) *s.value = v + delta;
  }
  if (++b.fitness > 10) b.fitness = 10;
  for (Skill& s : skills) {
    if (*s.value > 99.0f) *s.value = 99.0f;
    if (*s.value < 5.0f) *s.value = float(randomBelow(5) + 5);
  }
}

namespace {

// During the world pass, who holds each rank below 190 in each category, so that a challenge
// finds its opponent without a search through every boxer. kNobody: no holder; kSeveral: more
// than one holder, where only the search in index order can tell who is found first.
constexpr int kIndexedRanks = 190;
constexpr int16_t kNobody = -1;
constexpr int16_t kSeveral = -2;
int16_t rankHolder[kCategoryCount + 1][kIndexedRanks];
bool rankIndexValid = false;
bool rankIndexEnabled = true;

void buildRankIndex() {
  for (auto& row : rankHolder)
    for (int16_t& h : row) h = kNobody;
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& b = boxers[i];
    if (b.category < 1 || b.category > kCategoryCount || b.rank < 1 || b.rank >= kIndexedRanks)
      continue;
    int16_t& h = rankHolder[b.category][b.rank];
    h = h == kNobody ? int16_t(i) : kSeveral;
  }
  rankIndexValid = rankIndexEnabled;
}

void noteRank(int boxer) {
  const Boxer& b = boxers[boxer];
  if (b.rank >= 1 && b.rank < kIndexedRanks && rankHolder[b.category][b.rank] != kSeveral)
    rankHolder[b.category][b.rank] = int16_t(boxer);
}

}  // namespace

void setRankIndexEnabled(bool enabled) { rankIndexEnabled = enabled; }

void aiChallenge(int index, int targetRank) {
  Boxer& b = boxers[index];
  int mine = int(skillSum6(b));
  int first = 0, last = kBoxerCount - 1;
  if (rankIndexValid && targetRank >= 1 && targetRank < kIndexedRanks && b.category >= 1 &&
      b.category <= kCategoryCount) {
    int16_t h = rankHolder[b.category][targetRank];
    if (h == kNobody) return;
    if (h != kSeveral) first = last = h;
  }
  for (int i = first; i <= last; ++i) {
    Boxer& o = boxers[i];
    if (i == index || o.category != b.category || o.rank != targetRank) continue;
    // The player's boxers are never challenged, and a retired boxer fights nobody.
    if (o.manager == kPlayer || o.manager == kRetired) continue;
    if (mine <= int(skillSum6(o))) continue;
    countResult(b.wins);
    countResult(o.losses);
    if (randomBelow(999) < mine) countResult(b.koWins);
    int16_t r = b.rank;
    b.rank = o.rank;
    o.rank = r;
    b.fitness = 1;
    o.fitness = 1;
    if (rankIndexValid) {
      noteRank(index);
      noteRank(i);
    }
    return;
  }
}

namespace {

// The six trained skills in the order of the training types.
float* trainedSkill(Boxer& b, int type) {
  switch (type) {
    case 0: return &b.endurance;
    case 1: return &b.quickness;
    case 2: return &b.agility;
    case 3: return &b.strength;
    case 4: return &b.technique;
    default: return &b.stamina;
  }
}

int16_t trainedPotential(const Boxer& b, int type) {
  switch (type) {
    case 0: return b.enduranceMax;
    case 1: return b.quicknessMax;
    case 2: return b.agilityMax;
    case 3: return b.strengthMax;
    case 4: return b.techniqueMax;
    default: return b.staminaMax;
  }
}

// Steps e to i of a stable slot: neglect, training, potentials, fitness, sponsor offers.
void stableMonth(int s, Boxer& b) {
  // e. Neglect: cheap equipment costs skill, dear equipment adds some.
  float x = float(3.0 - expenses[month][1] / 10.0);
  for (int type = 0; type < kTrainingTypes; ++type) *trainedSkill(b, type) -= x / 40.0f;

  // f. Training.
  for (int type = 0; type < kTrainingTypes; ++type) {
    float gain = float(training[s][type] * career.managerSkills[kTrainingSkill]) /
                 float(randomBelow(30) + 75);
    float* skill = trainedSkill(b, type);
    if (randomBelow(169) > *skill) *skill += gain;
  }

  // g. Never above the potential.
  for (int type = 0; type < kTrainingTypes; ++type) {
    float* skill = trainedSkill(b, type);
    int16_t cap = trainedPotential(b, type);
    if (*skill > cap) *skill = cap;
  }

  // h. Fitness.
  int assigned = 0;
  for (int type = 0; type < kTrainingTypes; ++type) assigned += training[s][type];
  if ((assigned > 20 && expenses[month][2] + 1 > randomBelow(4)) || randomBelow(50) < b.rank + 5)
    b.fitness++;
  if (b.fitness > 10) b.fitness = 10;

  // i. Sponsor offer.
  if (randomBelow((18 - b.category) * 5) < b.charisma && sponsorMonths[s] == 0) {
    int t = randomBelow(99);
    sponsorAccepted[s] = 0;
    int base = randomBelow(2);
    int amount = base + (17 - b.category) * (randomBelow(2) + 1) + 1;
    sponsorBrand[s] = int16_t(randomBelow(2) + 1);
    sponsorMonths[s] = int16_t(randomBelow(12) + 1);
    if (t < 25 && b.rank < 30) {
      amount *= randomBelow(7) + 1;
      sponsorBrand[s] = int16_t(randomBelow(3) + 2);
    }
    if (t >= 25 && t < 50 && b.rank < 50) {
      amount *= randomBelow(4) + 1;
      sponsorBrand[s] = int16_t(randomBelow(3) + 4);
    }
    amount *= sponsorMonths[s];
    sponsorAmount[s] = int16_t(amount);
  }
}

// A stable boxer leaves the stable at slot s; the later slots move forward.
void leaveStable(int s) {
  stableCount--;
  removeStableSlot(s);
  selectedBoxer = career.stable[0];
}

void yearEnd() {
  for (int s = 0; s < kStableSize; ++s) {
    int index = career.stable[s];
    if (!isBoxer(index)) continue;
    Boxer& b = boxers[index];
    // a. A year older.
    b.age++;
    // b. Decline after 33.
    if (b.age > 33) {
      float* floats[5] = {&b.agility, &b.endurance, &b.quickness, &b.endurance, &b.stamina};
      int16_t* maxima[5] = {&b.agilityMax, &b.enduranceMax, &b.quicknessMax, &b.enduranceMax,
                            &b.staminaMax};
      for (int k = 0; k < 5; ++k) {
        *floats[k] -= float(randomBelow(4) + 1);
        *maxima[k] = int16_t(*maxima[k] - (randomBelow(4) + 1));
      }
      b.technique -= float(randomBelow(2) + 1);
      b.techniqueMax = int16_t(b.techniqueMax - (randomBelow(2) + 1));
    }
    // c. An announced retirement takes effect.
    if (b.retiring == 1 && b.age > 34 && !popupPending()) {
      popup = 28;
      popupBoxer = int16_t(index);
      b.manager = kRetired;
      int r0 = b.rank;
      b.rank = 199;
      for (Boxer& o : boxers)
        if (o.category == b.category && o.rank >= r0) o.rank--;
      b.contractMonths = 0;
      leaveStable(s);
    }
    // d. An old boxer may announce his retirement.
    int now = career.stable[s];
    if (isBoxer(now)) {
      Boxer& n = boxers[now];
      if (n.age > 35 && career.managerSkills[kMotivationSkill] < randomBelow(50) &&
          !popupPending() && stableCount > 1) {
        n.retiring = 1;
        popup = 27;
        popupBoxer = int16_t(now);
      }
      // e. Fame follows skill, size and age.
      float sum = n.strength + n.endurance + n.agility + n.quickness + n.stamina + n.charisma +
                  n.technique;
      int fame = int(sum * float(20 - n.category) / float(n.age / 5));
      n.fame = int16_t(fame > 32767 ? 32767 : fame);
    }
  }
  career.managerAge++;
}

}  // namespace

void raiseRandomEvent() {
  int previous = popup;
  popup = int16_t(15 + randomBelow(4));
  eventValue = int16_t(randomBelow(5) + 1);
  if (popup == 15) {
    cash += eventValue * 100;
    return;
  }
  // The other events strike a stable boxer; with an empty stable nothing happens.
  int count = countStable();
  if (count < 1) {
    popup = int16_t(previous);
    return;
  }
  eventValue = int16_t(randomBelow(count));
  Boxer& b = boxers[career.stable[eventValue]];
  if (popup == 16) {
    b.morale = 1;
  } else if (popup == 17) {
    b.fitness = 1;
  } else {
    int16_t* potentials[7] = {&b.staminaMax, &b.strengthMax, &b.quicknessMax, &b.agilityMax,
                              &b.charismaMax, &b.techniqueMax, &b.enduranceMax};
    for (int16_t* p : potentials) *p = int16_t(*p + randomBelow(2));
  }
}

void advanceWorldBoxers() {
  buildRankIndex();
  for (int i = 0; i < kBoxerCount; ++i) {
    Boxer& b = boxers[i];
    if (b.manager == kFree) {
      freeBoxerDrift(i);
      if (randomBelow(10) < 8 && b.rank > 5 && b.fitness > 4)
        aiChallenge(i, b.rank - 4 + randomBelow(2));
    }
    if (b.manager == kRetired) {
      generateBoxer(i, 3);
      // A newcomer waits far down at 198, outside the index; a retired boxer holding an
      // indexed rank (only a damaged world has one) moves to a random category, and the
      // search in index order takes over for the rest of the pass.
      if (b.rank < kIndexedRanks) rankIndexValid = false;
    }
    for (int h = 11; h > 0; --h) b.rankHistory[h] = b.rankHistory[h - 1];
    b.rankHistory[0] = b.rank;
  }
  rankIndexValid = false;
}

int debtAdvancesLeft() { return kDebtAdvancesToEnd - career.monthsInDebt; }

void monthlyAdvance() {
  if (month < 0 || month > 11) month = 0;
  if (equipmentLevel < 0 || equipmentLevel > 3) equipmentLevel = 0;
  if (staffLevel < 0 || staffLevel > 2) staffLevel = 0;

  // 1. No slot is busy any more.
  for (uint8_t& busy : stableBusy) busy = 0;

  // 2. The world.
  advanceWorldBoxers();

  // 3. A new month may warn again about contracts.
  career.contractWarningShown = 0;

  // 4. The bills of the month that ends.
  cash -= expenses[month][1] + expenses[month][2];

  // 5. New prices.
  for (int i = 0; i < 4; ++i)
    equipmentPrice[i] = int16_t((2 * i * i + randomBelow(5 * i + 3) + 3) * stableCount);
  equipmentPrice[3] += 5;
  for (int i = 0; i < 3; ++i) staffPrice[i] = int16_t((i * i + 8 * i + 4) * stableCount);

  // 6. Debt. The sixth advance that finds the account in the red ends the career; message 12
  // tells how many such advances are left (debtAdvancesLeft).
  if (cash < 0 && career.monthsInDebt < kDebtAdvancesToEnd) {
    popup = 12;
    career.monthsInDebt++;
  }
  if (cash < 0 && career.monthsInDebt == kDebtAdvancesToEnd) {
    popup = 13;
    gameOver = 1;
    career.monthsInDebt = 0;
  }

  // 7. The stable.
  for (int s = 0; s < kStableSize; ++s) {
    talkedThisMonth[s] = 0;
    if (sponsorMonths[s] > 0 && sponsorAccepted[s] == 1) sponsorMonths[s]--;
    int index = career.stable[s];
    if (!isBoxer(index)) continue;
    Boxer& b = boxers[index];
    b.contractMonths--;
    if (b.contractMonths < 1 && stableCount == 1) {
      popup = 33;
      gameOver = 1;
      return;
    }
    if (b.contractMonths < 1 && b.retiring == 0) {
      popup = 32;
      popupBoxer = int16_t(index);
      b.manager = kFree;
      b.contractMonths = 0;
      leaveStable(s);
      index = career.stable[s];
      if (!isBoxer(index)) continue;
    }
    stableMonth(s, boxers[index]);
  }

  // 8. The calendar, and the year end.
  month++;
  if (month > 11) {
    month = 0;
    year++;
    yearEnd();
  }

  // 9. The new month's books.
  for (int r = 0; r < 3; ++r) {
    income[month][r] = 0;
    expenses[month][r] = 0;
  }
  expenses[month][1] = equipmentPrice[equipmentLevel];
  expenses[month][2] = staffPrice[staffLevel];

  // 10. Merchandise: booked in the new month's income and paid into the account at once,
  // as sponsors and purses are, so that the balance of the books and the cash agree.
  int n = 1;
  for (int s = 0; s < kStableSize; ++s)
    if (isBoxer(career.stable[s])) n = int(n + boxers[career.stable[s]].charisma / 25.0);
  if (n < 1) n = 1;
  income[month][2] = int16_t(randomBelow(n));
  cash += income[month][2];

  // 11. Reputation.
  int wins = 0, losses = 0, draws = 0, topTen = 0;
  for (int16_t r : recentResults) {
    wins += r == 1;
    losses += r == 2;
    draws += r == 3;
  }
  for (int s = 0; s < kStableSize; ++s)
    if (isBoxer(career.stable[s]) && boxers[career.stable[s]].rank < 10) topTen++;
  if (wins > losses + draws && topTen > 0) career.reputation += 0.2f;
  if (losses > wins + draws) career.reputation -= 0.2f;
  if (career.reputation < 0.0f) career.reputation = 0.0f;
  if (career.reputation > 9.0f) career.reputation = 9.0f;
  int careerWins = career.careerStats[kStatWins];
  if (careerWins > 25 && career.reputation < 4.0f) career.reputation = 4.0f;
  if (careerWins > 45 && career.reputation < 7.0f) career.reputation = 7.0f;
  if (careerWins > 65 && career.reputation < 9.0f) career.reputation = 9.0f;

  // 12. A random event now and then.
  if (randomBelow(150) < 5 && !popupPending()) raiseRandomEvent();

  // 13. The manager's age.
  if (!popupPending() && career.managerAge == 60 && career.ageWarningShown == 0) {
    popup = 40;
    career.ageWarningShown = 1;
  }
  if (career.managerAge >= 61) {
    popup = 41;
    gameOver = 1;
  }

  // 14. Clean-up.
  stableCount = int16_t(countStable());
  for (int s = 0; s < kStableSize; ++s) {
    if (!isBoxer(career.stable[s])) continue;
    Boxer& b = boxers[career.stable[s]];
    for (int type = 0; type < kTrainingTypes; ++type) {
      float* skill = trainedSkill(b, type);
      if (*skill < 1.0f) *skill = 1.0f;
    }
    int16_t* maxima[6] = {&b.enduranceMax, &b.quicknessMax, &b.agilityMax,
                          &b.strengthMax, &b.techniqueMax, &b.staminaMax};
    for (int16_t* m : maxima)
      if (*m < 2) *m = 2;
  }

  // 15. Nobody is selected.
  selectedBoxer = -1;
}
