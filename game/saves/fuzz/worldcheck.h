// What the slot loader's repair promises, checked value by value: every value that indexes a
// table lies inside it, the stable holds real boxers of the player, each once and packed at the
// front, and the fight records and the screens' selections name only what exists. The fuzzers
// abort with the name of the first broken promise, so a finding says what went wrong.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "career/contracts.h"
#include "career/rankings.h"
#include "career/training.h"
#include "career/world.h"
#include "ui/session.h"

namespace worldcheck {

[[noreturn]] inline void broken(const char* what, long index, long value) {
  std::fprintf(stderr, "world check: %s (index %ld, value %ld)\n", what, index, value);
  std::abort();
}

inline void within(const char* what, long index, long value, long lo, long hi) {
  if (value < lo || value > hi) broken(what, index, value);
}

inline void finite(const char* what, long index, float value, float lo, float hi) {
  if (!std::isfinite(value) || value < lo || value > hi) broken(what, index, long(value));
}

// Checks the career values, the stable and the screens' selections, and the boxer and fight
// records below the given counts (all of them by default). After a month played on a repaired
// world the rules may have taken the year one past the latest the repair leaves, a skill past
// the repair's loose bounds (training and ageing move skills) and a rank to 0 (a damaged file
// can give two boxers one rank, which the repair cannot put in order, and a retirement moves
// everyone below the retiring boxer up one). No table is indexed by a skill, and every reader
// of a rank checks it first: there, skills need only be finite and ranks are not checked.
inline void check(int boxerCount = kBoxerCount, int fightCount = kFightCount, bool afterMonth = false) {
  within("month", 0, month, 0, 11);
  within("year", 0, year, 1, afterMonth ? 30001 : 30000);
  if (std::memchr(managerName, 0, sizeof managerName) == nullptr) broken("manager name unterminated", 0, 0);
  within("manager nation", 0, career.managerNation, 1, kNationCount);
  finite("reputation", 0, career.reputation, 0.0f, 9.0f);
  within("months in debt", 0, career.monthsInDebt, 0, 6);
  for (int i = 0; i < 10; ++i) within("recent result", i, recentResults[i], 0, 3);

  for (int i = 0; i < boxerCount; ++i) {
    const Boxer& b = boxers[i];
    within("first name", i, b.firstName, 0, firstNameCount);
    within("surname", i, b.surname, 0, surnameCount);
    within("boxer nation", i, b.nation, 1, kNationCount);
    within("category", i, b.category, 1, kCategoryCount);
    within("look", i, b.look, 0, 4);
    within("face", i, b.face, 1, 38);
    if (!afterMonth) within("rank", i, b.rank, 1, 199);
    within("fitness", i, b.fitness, 1, 10);
    within("morale", i, b.morale, 1, 11);
    if (b.manager != kFree && b.manager != kPlayer && b.manager != kRetired) broken("manager", i, b.manager);
    const float bound = afterMonth ? 3.0e38f : 1000.0f;
    for (float s : {b.strength, b.endurance, b.agility, b.quickness, b.stamina, b.charisma, b.technique})
      finite("skill", i, s, -bound, bound);
    for (int h = 0; h < 12 && !afterMonth; ++h) within("rank history", i, b.rankHistory[h], 1, 199);
  }
  // The player's boxers are exactly the stable's.
  for (int i = 0; i < kBoxerCount; ++i)
    if (boxers[i].manager == kPlayer && stableSlotOf(i) < 0) broken("player's boxer outside the stable", i, 0);

  int occupied = 0;
  for (int s = 0; s < kStableSize; ++s) {
    const int b = career.stable[s];
    if (b == -1) continue;
    if (s != occupied) broken("stable not packed", s, b);
    ++occupied;
    if (!isBoxer(b) || boxers[b].manager != kPlayer) broken("stable boxer", s, b);
    for (int k = 0; k < s; ++k)
      if (career.stable[k] == b) broken("stable boxer twice", s, b);
  }
  within("stable count", 0, stableCount, occupied, occupied);
  for (int s = 0; s < kStableSize; ++s) {
    within("training points", s, trainingPoints[s], 0, 99);
    for (int t = 0; t < kTrainingTypes; ++t) within("training", s, training[s][t], 0, 9);
    within("sponsor brand", s, sponsorBrand[s], 0, 6);
  }
  if (selectedBoxer != -1 && stableSlotOf(selectedBoxer) < 0) broken("selected boxer", 0, selectedBoxer);
  within("current slot", 0, currentSlot, 0, kStableSize - 1);
  if (selectedBoxer != -1 && career.stable[currentSlot] != selectedBoxer) broken("current slot", 0, currentSlot);

  for (int i = 0; i < fightCount; ++i) {
    const Fight& f = fights[i];
    if (f.boxerA == -1) continue;
    if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB)) broken("fight boxer", i, f.boxerA);
    within("fight month", i, f.month, 0, 11);
    if (f.winner != -1 && f.winner != kDraw && f.winner != f.boxerA && f.winner != f.boxerB)
      broken("fight winner", i, f.winner);
    within("fight rounds", i, f.rounds, 8, 12);
    if (f.koRound != -1) within("knock-out round", i, f.koRound, 1, 12);
    if (f.stopRound != -1) within("stoppage round", i, f.stopRound, 1, 12);
  }

  within("last search result", 0, searchLast, -1, kBoxerCount - 1);
  for (int i = 0; i < kBoxerCount; ++i) within("search result", i, searchResults[i], 0, kBoxerCount - 1);
  within("search page", 0, searchPage, 0, searchLast < 0 ? 0 : searchLast);
  if (candidate != -1 && (!isBoxer(candidate) || boxers[candidate].manager == kPlayer))
    broken("candidate", 0, candidate);
  if (scheduledFight != -1 && !isFight(scheduledFight)) broken("scheduled fight", 0, scheduledFight);
  within("shown category", 0, shownCategory, 1, kCategoryCount);
  for (int i = 0; i < 100; ++i)
    if (rankingList[i] != -1 && !isBoxer(rankingList[i])) broken("ranking list", i, rankingList[i]);
  within("equipment level", 0, equipmentLevel, 0, 3);
  within("equipment choice", 0, equipmentChoice, 0, 3);
  within("staff level", 0, staffLevel, 0, 2);
  within("staff choice", 0, staffChoice, 0, 2);
  within("panel", 0, panelSelector, 1, 4);
}

}  // namespace worldcheck
