// Whole careers played by the autopilot, with the world's invariants checked after every
// month.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "career/autopilot.h"
#include "career/generation.h"
#include "career/world.h"

namespace {

#ifdef BRAWNMOOR_SANITIZED
constexpr int kCareers = 12;
#else
constexpr int kCareers = 200;
#endif
constexpr int kMonths = 120;

// Returns an empty string when the world is sound, else what is wrong.
std::string checkWorld() {
  char why[256];
  // Ranks: below 190 exactly 1..k per category; newcomers and the retired wait at 190..199.
  std::vector<int> ranks[kCategoryCount + 1];
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& b = boxers[i];
    if (b.category < 1 || b.category > kCategoryCount) return "category out of range";
    if (b.nation < 1 || b.nation > kNationCount) return "nation out of range";
    if (b.firstName < 0 || b.firstName > firstNameCount) return "first name out of range";
    if (b.surname < 0 || b.surname > surnameCount) return "surname out of range";
    if (b.face < 1 || b.face > 38) return "face out of range";
    if (b.manager != kFree && b.manager != kPlayer && b.manager != kRetired) return "bad manager";
    if (b.rank < 1 || b.rank > 199) return "rank out of range";
    if (b.rank < 190) ranks[b.category].push_back(b.rank);
    // A boxer who retired at the year end keeps what the years took until he is replaced.
    if (b.manager == kRetired) continue;
    const float skills[7] = {b.strength, b.endurance, b.agility, b.quickness, b.stamina, b.charisma, b.technique};
    for (float s : skills)
      if (!(s >= 0.9f && s <= 99.0f)) {
        std::snprintf(why, sizeof why, "boxer %d skill %f", i, s);
        return why;
      }
    const int16_t maxima[7] = {b.strengthMax, b.enduranceMax, b.agilityMax, b.quicknessMax,
                               b.staminaMax, b.charismaMax, b.techniqueMax};
    for (int16_t m : maxima)
      if (m < 2 || m > 120) return "potential out of range";  // random events may pass 99
    if (b.fitness < 1 || b.fitness > 10) return "fitness out of range";
    if (b.morale < 1 || b.morale > 11) return "morale out of range";
  }
  for (int c = 1; c <= kCategoryCount; ++c) {
    std::sort(ranks[c].begin(), ranks[c].end());
    for (size_t i = 0; i < ranks[c].size(); ++i)
      if (ranks[c][i] != int(i + 1)) {
        std::snprintf(why, sizeof why, "category %d: rank %d at position %zu", c, ranks[c][i], i);
        return why;
      }
    if (ranks[c].size() < 100) return "a category fell below 100 ranked boxers";
  }
  // The stable is packed and counted, its boxers are the player's, and nobody else is.
  int count = 0;
  bool gap = false;
  for (int s = 0; s < kStableSize; ++s) {
    int i = career.stable[s];
    if (i < 0) {
      gap = true;
      if (i != -1) return "stable slot holds a bad index";
      continue;
    }
    if (gap) return "stable is not packed";
    if (i >= kBoxerCount || boxers[i].manager != kPlayer) return "stable boxer is not the player's";
    ++count;
  }
  if (count != stableCount) return "stableCount does not match the stable";
  int players = 0;
  for (const Boxer& b : boxers) players += b.manager == kPlayer;
  if (players != count) return "a boxer is the player's outside the stable";
  // Fights.
  for (const Fight& f : fights) {
    if (f.boxerA == -1) continue;
    if (f.boxerA < 0 || f.boxerA >= kBoxerCount || f.boxerB < 0 || f.boxerB >= kBoxerCount)
      return "fight names a bad boxer";
    if (f.winner != -1 && f.winner != kDraw && f.winner != f.boxerA && f.winner != f.boxerB)
      return "fight has a bad winner";
    if (f.month < 0 || f.month > 11) return "fight has a bad month";
  }
  if (month < 0 || month > 11) return "month out of range";
  if (career.reputation < 0.0f || career.reputation > 9.0f) return "reputation out of range";
  for (int16_t r : recentResults)
    if (r < 0 || r > 3) return "bad recent result";
  return std::string();
}

TEST(CareerSoak, ManyCareersKeepTheWorldSound) {
  int ended = 0, fightsPlayed = 0, months = 0;
  for (int c = 0; c < kCareers; ++c) {
    std::srand(unsigned(7000 + c));
    ASSERT_TRUE(generateWorld());
    quickStart();
    ASSERT_EQ(checkWorld(), "") << "career " << c << " at the start";
    for (int m = 0; m < kMonths; ++m) {
      AutopilotMonth r = autopilotMonth();
      ++months;
      fightsPlayed += r.fightsPlayed;
      if (gameOver) {
        ++ended;
        break;
      }
      ASSERT_TRUE(r.advanced) << "career " << c << " month " << m;
      std::string problem = checkWorld();
      ASSERT_EQ(problem, "") << "career " << c << " month " << m;
      for (uint8_t busy : stableBusy) ASSERT_EQ(busy, 0);
    }
  }
  EXPECT_GT(fightsPlayed, kCareers * 5);
  RecordProperty("months", months);
  RecordProperty("ended", ended);
}

}  // namespace
