#include "career/rankings.h"

#include <cstdlib>

#include "career/world.h"
#include "tools/KTools.h"

int16_t shownCategory = 1;
int16_t rankingList[100];
int16_t rankingPage;
int16_t opponent = -1;
int16_t fightMonth;
int16_t fightYear;
int16_t scheduledFight = -1;
int16_t cancelFee;

void moveToRank(int b, int r) {
  if (!isBoxer(b)) return;
  int category = boxers[b].category;
  for (int i = 0; i < kBoxerCount; ++i) {
    if (boxers[i].category == category && boxers[i].rank == r) {
      boxers[i].rank = boxers[b].rank;
      boxers[b].rank = int16_t(r);
      return;
    }
  }
}

void buildRankingList() {
  for (int16_t& e : rankingList) e = -1;
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& b = boxers[i];
    if (b.category == shownCategory && b.rank >= 1 && b.rank <= 100 && rankingList[b.rank - 1] < 0)
      rankingList[b.rank - 1] = int16_t(i);
  }
}

int rankingPageOfRank(int rank) {
  if (rank < 1) return -1;
  if (rank < 21) return 0;
  if (rank < 41) return 20;
  if (rank < 61) return 40;
  if (rank < 81) return 60;
  if (rank < 101) return 80;
  return -1;
}

namespace {

// Shows the category and page of the selected boxer.
void showSelectedBoxer() {
  if (!isBoxer(selectedBoxer)) return;
  shownCategory = boxers[selectedBoxer].category;
  buildRankingList();
  int page = rankingPageOfRank(boxers[selectedBoxer].rank);
  if (page >= 0) rankingPage = int16_t(page);
}

bool selectedSlotValid() {
  return isBoxer(selectedBoxer) && currentSlot >= 0 && currentSlot < kStableSize &&
         career.stable[currentSlot] == selectedBoxer;
}

}  // namespace

void openRankingsScreen() {
  stableCount = int16_t(countStable());
  selectedBoxer = career.stable[0];
  currentSlot = 0;
  opponent = -1;
  fightMonth = int16_t(month == 11 ? 0 : month + 1);
  fightYear = int16_t(month == 11 ? year + 1 : year);
  rankingPage = 0;
  showSelectedBoxer();
  if (!isBoxer(selectedBoxer)) buildRankingList();
}

void stepShownCategory(int delta) {
  int c = shownCategory + delta;
  if (c < 1) c = kCategoryCount;
  if (c > kCategoryCount) c = 1;
  shownCategory = int16_t(c);
  buildRankingList();
}

bool stepRankingPage(int delta) {
  int page = rankingPage + 20 * delta;
  if (page < 0 || page > 80) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  rankingPage = int16_t(page);
  return true;
}

bool stepRankingBoxer(int delta) {
  int slot = currentSlot + delta;
  if (slot < 0 || slot >= kStableSize || career.stable[slot] < 0) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  currentSlot = int16_t(slot);
  selectedBoxer = career.stable[slot];
  opponent = -1;
  showSelectedBoxer();
  return true;
}

bool isComingMonth(int fightMonthIndex, int fightYearValue) {
  return (fightYearValue == year && fightMonthIndex == month + 1) ||
         (fightYearValue > year && fightMonthIndex == 0 && month == 11);
}

namespace {

bool foughtComingMonth(int boxer) {
  for (const Fight& f : fights)
    if (f.boxerA == boxer && f.winner >= 0 && isComingMonth(f.month, f.year)) return true;
  return false;
}

}  // namespace

bool mustRest(int boxer) {
  if (!isBoxer(boxer) || boxers[boxer].rank >= 11) return false;
  for (const Fight& f : fights)
    if (f.boxerA == boxer && f.winner >= 0 && f.year == year && month - f.month < 4) return true;
  return false;
}

bool chooseOpponent(int row) {
  if (!selectedSlotValid() || row < 0 || row >= 20) return false;
  const Boxer& me = boxers[selectedBoxer];
  if (stableBusy[currentSlot] == 1) return refuse(4), false;
  if (me.fitness < 3) return refuse(34), false;
  if (foughtComingMonth(selectedBoxer)) return refuse(30), false;
  if (mustRest(selectedBoxer)) return refuse(43), false;
  int pick = rankingPage + row;
  if (pick < 0 || pick >= 100) return false;
  opponent = rankingList[pick];
  if (isBoxer(opponent) && boxers[opponent].manager == kPlayer) {
    opponent = -1;
    return refuse(1), false;
  }
  return isBoxer(opponent);
}

bool fightDateBack() {
  // Only while the date lies after the coming month.
  int monthsAhead = (fightYear - year) * 12 + fightMonth - month;
  if (monthsAhead <= 1) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  if (fightMonth == 0) {
    fightMonth = 11;
    fightYear--;
  } else {
    fightMonth--;
  }
  return true;
}

bool fightDateForward() {
  int monthsAhead = (fightYear - year) * 12 + fightMonth - month;
  if (monthsAhead > 11) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  if (fightMonth == 11) {
    fightMonth = 0;
    fightYear++;
  } else {
    fightMonth++;
  }
  return true;
}

bool withinChallengeLimits(int selectedRank, int opponentRank) {
  return selectedRank - opponentRank <= 5 && opponentRank - selectedRank <= 9;
}

int drawRounds(int rankA, int rankB) {
  int rounds = 8;
  int r = randomBelow(10);
  if (r > 6) rounds = 8;
  if (rankA < 26 || rankB < 26) rounds = 10;
  if (r < 3) rounds = 12;
  if (r > 2 && r < 7) rounds = 10;
  if (rankA < 11 || rankB < 11) rounds = 12;
  if (rankA > 74 || rankB > 74) rounds = 8 + 2 * randomBelow(2);
  return rounds;
}

int computePurse(int boxerA, int boxerB) {
  const Boxer& a = boxers[boxerA];
  const Boxer& b = boxers[boxerB];
  int rA = a.rank, rB = b.rank;
  int p = int(((101 - rA) / 3 + (101 - rB) / 3 + a.charisma / 5.0 + b.charisma / 5.0) *
                  ((18 - a.category) / 15.0 + 1.0) +
              5.0);
  p = (p / 10) * 10 + 1;
  if (p < 5) p = 5;
  if (rA < 11 || rB < 11) p = int(p * 1.5);
  return p;
}

int arrangeFight() {
  if (!selectedSlotValid()) return -1;
  if (stableBusy[currentSlot] == 1) return refuse(4), -1;
  if (!isBoxer(opponent)) return refuse(6), -1;
  const Boxer& me = boxers[selectedBoxer];
  const Boxer& him = boxers[opponent];
  if (me.category != him.category) return refuse(3), -1;
  if (me.rank - him.rank > 5) return refuse(2), -1;
  if (him.rank - me.rank > 9) return refuse(42), -1;
  for (const Fight& f : fights) {
    if (f.boxerA >= 0 && f.boxerB == opponent && f.month == fightMonth && f.year == fightYear) {
      popupBoxer = f.boxerA;
      return refuse(5), -1;
    }
  }
  int index = -1;
  for (int i = 0; i < kFightCount; ++i)
    if (fights[i].boxerA == -1) {
      index = i;
      break;
    }
  if (index < 0) {
    // Every record is in use: the fight cannot be booked.
    playCareerSound(CareerSound::Refusal);
    return -1;
  }
  Fight& f = fights[index];
  f = Fight{};
  f.boxerA = selectedBoxer;
  f.boxerB = opponent;
  f.month = fightMonth;
  f.year = fightYear;
  f.winner = -1;
  f.koRound = -1;
  f.stopRound = -1;
  f.rounds = int16_t(drawRounds(me.rank, him.rank));
  stableBusy[currentSlot] = 1;
  f.purse = int16_t(computePurse(selectedBoxer, opponent));
  playCareerSound(CareerSound::Click);
  return index;
}

int findScheduledFight() {
  scheduledFight = -1;
  cancelFee = 0;
  if (!selectedSlotValid() || !stableBusy[currentSlot]) return -1;
  for (int i = 0; i < kFightCount; ++i) {
    const Fight& f = fights[i];
    if (f.boxerA != selectedBoxer) continue;
    if ((f.year == year && f.month > month) || f.year > year) {
      scheduledFight = int16_t(i);
      cancelFee = int16_t(f.purse / 2);
      return i;
    }
  }
  return -1;
}

bool cancelFight() {
  if (findScheduledFight() < 0) return false;
  Fight& f = fights[scheduledFight];
  f.boxerA = -1;
  f.boxerB = -1;
  f.month = 0;
  f.year = 0;
  f.winner = -1;
  cash -= cancelFee;
  stableBusy[currentSlot] = 0;
  scheduledFight = -1;
  opponent = -1;
  return true;
}

void payPurse(int fight) {
  if (!isFight(fight) || !isBoxer(fights[fight].boxerA)) return;
  const Fight& f = fights[fight];
  int share = f.purse * boxers[f.boxerA].pursePercent / 100;
  if (share < 1) share = 1;
  int kept = f.purse - share;
  cash += kept;
  career.earningsTotal += kept;
  if (month >= 0 && month < 12) income[month][0] = int16_t(income[month][0] + kept);
}

namespace {

void pushResult(int16_t result) {
  for (int i = 0; i < 9; ++i) recentResults[i] = recentResults[i + 1];
  recentResults[9] = result;
}

int16_t raisePotential(int16_t value) {
  if (randomBelow(10) < 3) value = int16_t(value + randomBelow(2));
  return value > 99 ? 99 : value;
}

}  // namespace

void applyFightResult(int fight) {
  if (!isFight(fight)) return;
  const Fight& f = fights[fight];
  if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB)) return;
  if (f.winner != kDraw && f.winner != f.boxerA && f.winner != f.boxerB) return;
  Boxer& a = boxers[f.boxerA];
  Boxer& b = boxers[f.boxerB];
  bool inside = f.koRound > 0 || f.stopRound > 0;

  selectedBoxer = -1;
  if (f.winner == kDraw) {
    pushResult(3);
    countResult(a.draws);
    countResult(b.draws);
    countResult(career.careerStats[kStatDraws]);
    return;
  }
  if (f.winner == f.boxerA) {
    pushResult(1);
    a.charisma += float(randomBelow(2));
    if (a.charisma > 99.0f) a.charisma = 99.0f;
    int16_t* potentials[7] = {&a.strengthMax, &a.enduranceMax, &a.agilityMax, &a.quicknessMax,
                              &a.staminaMax,  &a.charismaMax,  &a.techniqueMax};
    for (int16_t* p : potentials) *p = raisePotential(*p);
    countResult(a.wins);
    countResult(b.losses);
    countResult(career.careerStats[kStatWins]);
    if (inside) countResult(a.koWins);
    if (a.rank > 1) {
      int d = randomBelow(3) + 1;
      if (a.rank - d > 1) moveToRank(f.boxerA, a.rank - d);
    }
    if (b.rank == 1 || a.rank == 1) {
      moveToRank(f.boxerA, 1);
      countResult(career.careerStats[kStatTitlesWon]);
    }
    return;
  }
  pushResult(2);
  a.charisma -= float(randomBelow(2));
  if (a.charisma < 1.0f) a.charisma = 1.0f;
  countResult(b.wins);
  countResult(a.losses);
  countResult(career.careerStats[kStatLosses]);
  if (inside) countResult(b.koWins);
  if (b.rank > 1) {
    int d = randomBelow(3) + 1;
    if (b.rank - d > 1) moveToRank(f.boxerB, b.rank - d);
  }
  if (b.rank > 1) {
    int d = randomBelow(3) + 1;
    if (a.rank + d < 100) moveToRank(f.boxerA, a.rank + d);
  }
  if (a.rank == 1 || b.rank == 1) {
    moveToRank(f.boxerB, 1);
    countResult(career.careerStats[kStatTitlesLost]);
  }
}

void scoutOpponentSkills(int boxer, bool shown[6]) {
  std::srand(unsigned(boxer));
  int scouting = career.managerSkills[kScoutingSkill];
  for (int k = 0; k < 6; ++k) shown[k] = randomBelow(scouting + 1) + 3 > 5;
  std::srand(KTools::GetMilliseconds());
}
