#include "career/autopilot.h"

#include "career/contracts.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/training.h"
#include "career/world.h"

namespace {

int lastEndMessage = 0;

void read(AutopilotMonth& m) {
  if (popup > 0) {
    if (m.messageCount < 8) m.messages[m.messageCount++] = popup;
    if (popup == 13 || popup == 33 || popup == 41) lastEndMessage = popup;
    popup = 0;
  }
}

void select(int slot) {
  currentSlot = int16_t(slot);
  selectedBoxer = career.stable[slot];
}

// Spends the training pool on the skills farthest below their potential.
void train(int slot) {
  select(slot);
  resetTraining();
  const Boxer& b = boxers[selectedBoxer];
  float gap[kTrainingTypes] = {b.enduranceMax - b.endurance, b.quicknessMax - b.quickness,
                               b.agilityMax - b.agility,     b.strengthMax - b.strength,
                               b.techniqueMax - b.technique, b.staminaMax - b.stamina};
  while (trainingPoints[slot] > 0) {
    int best = -1;
    for (int t = 0; t < kTrainingTypes; ++t)
      if (training[slot][t] < 9 && (best < 0 || gap[t] > gap[best])) best = t;
    if (best < 0 || !addTraining(best)) break;
    gap[best] -= 2.0f;
  }
}

void finances(AutopilotMonth& m) {
  // Equipment and staff the account can carry for a year.
  int equipment = 0, staff = 0;
  for (int i = 3; i >= 0; --i)
    if (equipmentPrice[i] * 12 < cash) { equipment = i; break; }
  for (int i = 2; i >= 0; --i)
    if (staffPrice[i] * 12 < cash - equipmentPrice[equipment] * 12) { staff = i; break; }
  openFinancesScreen();
  financePage = 0;
  equipmentChoice = int16_t(equipment);
  if (financeConfirmEnabled()) financeConfirm();
  financePage = 2;
  staffChoice = int16_t(staff);
  if (financeConfirmEnabled()) financeConfirm();
  financePage = 1;
  for (int s = 0; s < stableCount; ++s) {
    sponsorSlot = int16_t(s);
    if (financeConfirmEnabled() && financeConfirm()) m.sponsorsTaken++;
  }
}

bool bookedThatMonth(int boxer, int fightMonthIndex, int fightYearValue) {
  for (const Fight& f : fights)
    if (f.boxerA >= 0 && f.boxerB == boxer && f.month == fightMonthIndex && f.year == fightYearValue)
      return true;
  return false;
}

// Challenges the best-ranked opponent in reach that looks beatable.
void challenge(int slot, AutopilotMonth& m) {
  openRankingsScreen();
  select(slot);
  opponent = -1;
  const Boxer& me = boxers[selectedBoxer];
  if (me.fitness < 3 || mustRest(selectedBoxer)) return;
  shownCategory = me.category;
  buildRankingList();
  rankingPage = int16_t(rankingPageOfRank(me.rank) < 0 ? 80 : rankingPageOfRank(me.rank));
  int best = -1;
  float mine = skillSum6(me);
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& o = boxers[i];
    if (o.category != me.category || o.manager == kPlayer || o.manager == kRetired) continue;
    if (!withinChallengeLimits(me.rank, o.rank) || o.rank > 100) continue;
    if (skillSum6(o) > mine * 1.05f || bookedThatMonth(i, fightMonth, fightYear)) continue;
    if (best < 0 || o.rank < boxers[best].rank) best = i;
  }
  if (best < 0) return;
  // Pick him the way a click would: on his row of the ranking list.
  rankingPage = int16_t(rankingPageOfRank(boxers[best].rank));
  if (!chooseOpponent(boxers[best].rank - 1 - rankingPage)) return;
  if (arrangeFight() >= 0) m.fightsArranged++;
}

void playDueFights(AutopilotMonth& m) {
  openNextMonthScreen();
  for (int16_t f : pendingFights) {
    if (f < 0) continue;
    playInstantly(f);
    applyFightResult(f);
    payPurse(f);
    m.fightsPlayed++;
    const Fight& r = fights[f];
    if (r.winner == kDraw) m.draws++;
    else if (r.winner == r.boxerA) m.wins++;
    else m.losses++;
  }
  openNextMonthScreen();
}

void contracts(AutopilotMonth& m) {
  for (int s = 0; s < kStableSize; ++s) {
    if (!isBoxer(career.stable[s])) continue;
    select(s);
    const Boxer& b = boxers[selectedBoxer];
    if (b.contractMonths < 4 && (b.age < 34 || countStable() == 1) && renewContract()) m.renewed++;
  }
  // A third boxer once the account allows it (the search runs once a quarter), and a second
  // one at once when a boxer stands alone.
  int count = countStable();
  if ((count < 3 && cash > 400 && month % 3 == 0) || count == 1) {
    searchByRecord = 0;
    onlyUnranked = 0;
    onlyAffordable = 1;
    startSearch();
    int best = -1;
    for (int i = 0; i <= searchLast; ++i) {
      const Boxer& b = boxers[searchResults[i]];
      if (b.age > 24) continue;
      if (best < 0 || potentialAverage(b) > potentialAverage(boxers[best])) best = searchResults[i];
    }
    if (best >= 0) {
      candidate = int16_t(best);
      offerYears = 2;
      offerPercent = 15;
      if (offerContract()) m.signed_++;
    }
  }
}

}  // namespace

AutopilotMonth autopilotMonth() {
  AutopilotMonth m;
  if (gameOver) return m;
  for (int s = 0; s < kStableSize; ++s)
    if (isBoxer(career.stable[s])) train(s);
  read(m);
  finances(m);
  read(m);
  contracts(m);
  read(m);
  for (int s = 0; s < kStableSize; ++s) {
    if (!isBoxer(career.stable[s]) || stableBusy[s]) continue;
    challenge(s, m);
    read(m);
  }
  playDueFights(m);
  read(m);
  // The second press passes the contract warning.
  for (int press = 0; press < 2 && !m.advanced && !gameOver; ++press) {
    m.advanced = requestAdvance();
    read(m);
  }
  return m;
}

const char* careerEndReason() {
  if (!gameOver) return nullptr;
  switch (lastEndMessage) {
    case 13: return "six months in the red";
    case 33: return "the last boxer's contract ran out";
    case 41: return "the manager retired at 61";
    default: return "the career ended";
  }
}
