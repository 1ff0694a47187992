#include "career/contracts.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "career_fixture.h"

namespace {

class Contracts : public CareerTest {};

TEST_F(Contracts, SearchSkipsThePlayersAndTheRetired) {
  boxers[10].manager = kRetired;
  searchByRecord = 0;
  onlyUnranked = onlyAffordable = 0;
  std::memset(&searchFilter, 0, sizeof searchFilter);
  runSearch();
  EXPECT_EQ(searchLast, kBoxerCount - 2 - 1 - 1);
  for (int i = 0; i <= searchLast; ++i) {
    int b = searchResults[i];
    ASSERT_NE(boxers[b].manager, kPlayer);
    ASSERT_NE(b, 10);
  }
}

TEST_F(Contracts, AgesAreKeptWithinSixteenAndForty) {
  searchByRecord = 1;
  onlyUnranked = onlyAffordable = 0;
  std::memset(&searchFilter, 0, sizeof searchFilter);
  searchFilter.ageMin = 50;
  searchFilter.ageMax = 10;
  runSearch();
  EXPECT_EQ(searchFilter.ageMin, 40);
  EXPECT_EQ(searchFilter.ageMax, 16);
  EXPECT_EQ(searchLast, -1);
  searchFilter.ageMin = 10;
  searchFilter.ageMax = 16;
  runSearch();
  EXPECT_EQ(searchFilter.ageMin, 16);
  for (int i = 0; i <= searchLast; ++i) ASSERT_EQ(boxers[searchResults[i]].age, 16);
  EXPECT_GE(searchLast, 0);
}

TEST_F(Contracts, RecordFilters) {
  searchByRecord = 1;
  onlyUnranked = onlyAffordable = 0;
  std::memset(&searchFilter, 0, sizeof searchFilter);
  searchFilter.ageMin = 16;
  searchFilter.ageMax = 40;
  searchFilter.searchCategory = 9;
  searchFilter.winsMin = 20;
  searchFilter.koMin = 5;
  runSearch();
  ASSERT_GE(searchLast, 0);
  for (int i = 0; i <= searchLast; ++i) {
    const Boxer& b = boxers[searchResults[i]];
    ASSERT_EQ(b.category, 9);
    ASSERT_GE(b.wins, 20);
    ASSERT_GE(b.koWins, 5);
  }
  onlyUnranked = 1;
  runSearch();
  for (int i = 0; i <= searchLast; ++i) ASSERT_GT(boxers[searchResults[i]].rank, 100);
}

TEST_F(Contracts, AffordableFollowsReputation) {
  onlyAffordable = 1;
  onlyUnranked = 0;
  searchByRecord = 0;
  std::memset(&searchFilter, 0, sizeof searchFilter);
  career.reputation = 2.0f;  // potential average up to 35
  runSearch();
  ASSERT_GE(searchLast, 0);
  for (int i = 0; i <= searchLast; ++i) ASSERT_LE(potentialAverage(boxers[searchResults[i]]), 35);
  Boxer& b = boxers[3];
  b.strengthMax = b.enduranceMax = b.agilityMax = b.quicknessMax = b.staminaMax = b.techniqueMax = 35;
  EXPECT_TRUE(isAffordable(3));
  b.techniqueMax = 41;  // average 36
  EXPECT_FALSE(isAffordable(3));
}

// The sort every list uses, written the plain way with a goes-before rule, to check the
// keyed version against it, ties included.
void plainExchangeSort(std::vector<int16_t>& v, int column) {
  auto name = [](int i) {
    const Boxer& b = boxers[i];
    return hasSurname(b) ? surnames[b.surname].name : firstNames[b.firstName].name;
  };
  auto before = [&](int a, int b) -> bool {
    const Boxer& x = boxers[a];
    const Boxer& y = boxers[b];
    if (column == 1) return std::strncmp(name(a), name(b), 20) < 0;
    if (searchByRecord) {
      switch (column) {
        case 2: return x.wins > y.wins;
        case 3: return x.draws > y.draws;
        case 4: return x.losses < y.losses;
        case 5: return x.koWins > y.koWins;
        case 6: return x.age < y.age;
        case 7: case 8: return x.category > y.category;
      }
    } else {
      switch (column) {
        case 2: return x.strength > y.strength;
        case 3: return x.quickness > y.quickness;
        case 4: return x.agility > y.agility;
        case 5: return x.stamina > y.stamina;
        case 6: return x.endurance > y.endurance;
        case 7: return x.technique > y.technique;
        case 8: return x.charisma > y.charisma;
      }
    }
    return true;
  };
  for (size_t j = 0; j < v.size(); ++j)
    for (size_t k = 0; k < v.size(); ++k)
      if (before(v[j], v[k])) std::swap(v[j], v[k]);
}

TEST_F(Contracts, EveryColumnSortsLikeThePlainExchangeSort) {
  for (int mode = 0; mode < 2; ++mode) {
    searchByRecord = uint8_t(mode);
    onlyUnranked = onlyAffordable = 0;
    std::memset(&searchFilter, 0, sizeof searchFilter);
    searchFilter.ageMin = 16;
    searchFilter.ageMax = 40;
    searchFilter.searchCategory = mode ? 4 : 0;
    if (!mode) searchFilter.statMinimum[0] = 55;
    runSearch();
    ASSERT_GT(searchLast, 30);
    for (int column : {1, 2, 3, 4, 5, 6, 7, 8, 9}) {
      std::vector<int16_t> expected(searchResults, searchResults + searchLast + 1);
      std::reverse(expected.begin(), expected.end());
      std::copy(expected.begin(), expected.end(), searchResults);
      plainExchangeSort(expected, column);
      sortResults(column);
      std::vector<int16_t> got(searchResults, searchResults + searchLast + 1);
      EXPECT_EQ(got, expected) << "mode " << mode << " column " << column;
    }
  }
}

TEST_F(Contracts, SurnamesSortByteWise) {
  searchByRecord = 1;
  onlyUnranked = onlyAffordable = 0;
  std::memset(&searchFilter, 0, sizeof searchFilter);
  searchFilter.ageMin = 16;
  searchFilter.ageMax = 40;
  runSearch();
  sortResults(1);
  for (int i = 1; i <= searchLast; ++i) {
    const Boxer& a = boxers[searchResults[i - 1]];
    const Boxer& b = boxers[searchResults[i]];
    const char* na = hasSurname(a) ? surnames[a.surname].name : firstNames[a.firstName].name;
    const char* nb = hasSurname(b) ? surnames[b.surname].name : firstNames[b.firstName].name;
    ASSERT_LE(std::strncmp(na, nb, 20), 0) << i;
  }
}

TEST_F(Contracts, PagesAndThePageLine) {
  char line[64];
  searchLast = -1;  // nothing found
  formatSearchPageLine(line, sizeof line);
  EXPECT_STREQ(line, "Showing page 1");
  searchLast = 19;  // 20 results: one page
  formatSearchPageLine(line, sizeof line);
  EXPECT_STREQ(line, "Showing page 1");
  searchLast = 20;  // 21 results: the 21st is on page 2
  searchPage = 0;
  formatSearchPageLine(line, sizeof line);
  EXPECT_STREQ(line, "Showing page 1/2");
  searchPage = 20;
  formatSearchPageLine(line, sizeof line);
  EXPECT_STREQ(line, "Showing page 2/2");
  searchLast = 40;  // 41 results
  searchPage = 40;
  formatSearchPageLine(line, sizeof line);
  EXPECT_STREQ(line, "Showing page 3/3");
  searchLast = 60;  // 61 results
  searchPage = 60;
  formatSearchPageLine(line, sizeof line);
  EXPECT_STREQ(line, "Showing page 4/4");

  // For every list length the page buttons reach exactly the pages the line counts.
  for (int found = 0; found <= 130; ++found) {
    searchLast = int16_t(found - 1);
    searchPage = 0;
    int reached = 1;
    while (stepSearchPage(1)) ++reached;
    EXPECT_EQ(searchPageCount(), reached) << found;
    EXPECT_EQ(searchPageCount(), found == 0 ? 1 : (found + 19) / 20) << found;
    formatSearchPageLine(line, sizeof line);
    const std::string expected = reached == 1 ? "Showing page 1"
                                              : "Showing page " + std::to_string(reached) + "/" +
                                                    std::to_string(reached);
    EXPECT_EQ(std::string(line), expected) << found;
  }

  // Paging stops before the last entry.
  searchLast = 39;
  searchPage = 0;
  EXPECT_TRUE(stepSearchPage(1));
  EXPECT_FALSE(stepSearchPage(1));
  EXPECT_EQ(searchPage, 20);
  EXPECT_TRUE(stepSearchPage(-1));
  EXPECT_FALSE(stepSearchPage(-1));
  searchLast = 40;
  searchPage = 20;
  EXPECT_TRUE(stepSearchPage(1));
}

TEST_F(Contracts, FilterSteppers) {
  std::memset(&searchFilter, 0, sizeof searchFilter);
  EXPECT_TRUE(stepSearchFilter(kFilterCategory, -1));
  EXPECT_EQ(searchFilter.searchCategory, 17);
  EXPECT_TRUE(stepSearchFilter(kFilterCategory, 1));
  EXPECT_EQ(searchFilter.searchCategory, 0);
  EXPECT_TRUE(stepSearchFilter(kFilterAgeMin, 1));  // 0 counts as 16 first
  EXPECT_EQ(searchFilter.ageMin, 17);
  searchFilter.ageMax = 40;
  EXPECT_FALSE(stepSearchFilter(kFilterAgeMax, 1));
  EXPECT_FALSE(stepSearchFilter(kFilterWinsMin, -1));
  searchFilter.koMin = 99;
  EXPECT_FALSE(stepSearchFilter(kFilterKoMin, 1));
  offerYears = 5;
  EXPECT_FALSE(stepOfferYears(1));
  offerPercent = 0;
  EXPECT_FALSE(stepOfferPercent(-1));
  EXPECT_TRUE(stepOfferPercent(1));
  offerPercent = 50;
  EXPECT_FALSE(stepOfferPercent(1));
}

TEST_F(Contracts, OfferValueBounds) {
  career.reputation = 2.0f;
  career.managerSkills[kNegotiationSkill] = 5;
  offerYears = 5;
  offerPercent = 50;
  int lo = 1000, hi = 0;
  for (unsigned seed = 0; seed < 400; ++seed) {
    std::srand(seed);
    int v = drawOfferValue();
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_EQ(lo, 125);
  EXPECT_EQ(hi, 145);
}

TEST_F(Contracts, InterestDependsOnReputation) {
  int c = 500;
  Boxer& b = boxers[c];
  ASSERT_EQ(b.manager, kFree);
  b.strengthMax = b.enduranceMax = b.agilityMax = b.quicknessMax = b.staminaMax = b.techniqueMax = 15;
  career.reputation = 0.0f;
  candidate = int16_t(c);
  offerYears = 5;
  offerPercent = 50;
  for (unsigned seed = 0; seed < 50; ++seed) {
    std::srand(seed);
    candidate = int16_t(c);
    popup = 0;
    EXPECT_FALSE(offerContract());
    EXPECT_EQ(popup, 22);
    EXPECT_EQ(b.manager, kFree);
  }
}

TEST_F(Contracts, SigningAnUnrankedBoxer) {
  int c = -1;
  for (int i = 0; i < kBoxerCount && c < 0; ++i)
    if (boxers[i].manager == kFree && boxers[i].rank > 100 && boxers[i].category != boxers[mine()].category) c = i;
  ASSERT_GE(c, 0);
  Boxer& b = boxers[c];
  b.strengthMax = b.enduranceMax = b.agilityMax = b.quicknessMax = b.staminaMax = b.techniqueMax = 10;
  b.fame = 0;
  career.reputation = 9.0f;
  career.managerSkills[kNegotiationSkill] = 20;
  candidate = int16_t(c);
  offerYears = 3;
  offerPercent = 20;
  int swapped = -1;
  for (int i = 0; i < kBoxerCount && swapped < 0; ++i)
    if (boxers[i].category == b.category && boxers[i].rank >= 95 && boxers[i].rank <= 100 &&
        boxers[i].manager != kPlayer)
      swapped = i;
  ASSERT_GE(swapped, 0);
  int oldRank = b.rank, newRank = boxers[swapped].rank;
  ASSERT_TRUE(offerContract());
  EXPECT_EQ(popup, 21);
  EXPECT_EQ(b.manager, kPlayer);
  EXPECT_EQ(b.contractMonths, 36);
  EXPECT_EQ(b.pursePercent, 20);
  EXPECT_EQ(career.stable[2], c);
  EXPECT_EQ(stableCount, 3);
  EXPECT_EQ(trainingPoints[2], 25);
  // He swaps with the first boxer (index order) of his category ranked 95..100.
  EXPECT_EQ(b.rank, newRank);
  EXPECT_EQ(boxers[swapped].rank, oldRank);
  EXPECT_EQ(candidate, -1);
  EXPECT_NE(b.face, boxers[mine(0)].face);
  EXPECT_NE(b.face, boxers[mine(1)].face);
}

TEST_F(Contracts, OfferRefusals) {
  candidate = -1;
  offerYears = 1;
  offerPercent = 10;
  EXPECT_FALSE(offerContract());
  EXPECT_EQ(popup, 20);
  candidate = 5;
  offerYears = 0;
  EXPECT_FALSE(offerContract());
  EXPECT_EQ(popup, 20);
  offerYears = 1;
  stableCount = 6;
  EXPECT_FALSE(offerContract());
  EXPECT_EQ(popup, 7);
}

TEST_F(Contracts, RenewalBounds) {
  select(0);
  Boxer& b = boxers[mine()];
  career.managerSkills[kNegotiationSkill] = 5;
  for (unsigned seed = 0; seed < 100; ++seed) {
    std::srand(seed);
    b.contractMonths = 8;
    b.pursePercent = 10;
    ASSERT_TRUE(renewContract());
    EXPECT_GE(b.contractMonths, 14);
    EXPECT_LE(b.contractMonths, 18);
    EXPECT_EQ(popup, 24);
  }
  b.contractMonths = 9;
  popup = 0;
  EXPECT_FALSE(renewContract());
  EXPECT_EQ(popup, 25);
  EXPECT_EQ(b.contractMonths, 9);
  // A boxer ranked 9 keeps his share whichever way the talk goes.
  placeAt(mine(), 9);
  for (unsigned seed = 0; seed < 30; ++seed) {
    std::srand(seed);
    b.contractMonths = 2;
    b.pursePercent = 10;
    renewContract();
    EXPECT_EQ(b.pursePercent, 10);
  }
  // Shares stay within 3..50.
  placeAt(mine(), 99);
  career.managerSkills[kNegotiationSkill] = 1;
  for (unsigned seed = 0; seed < 60; ++seed) {
    std::srand(seed);
    b.contractMonths = 2;
    b.pursePercent = 48;
    renewContract();
    EXPECT_LE(b.pursePercent, 50);
    b.contractMonths = 2;
    b.pursePercent = 4;
    renewContract();
    EXPECT_GE(b.pursePercent, 3);
  }
}

TEST_F(Contracts, Releasing) {
  select(0);
  int gone = mine(0), stays = mine(1);
  Boxer& b = boxers[gone];
  b.contractMonths = 10;
  int fee = 10 * (18 - b.category) / 2;
  EXPECT_EQ(releaseFee(), fee);
  stableBusy[0] = 1;
  EXPECT_FALSE(releaseBoxer());
  EXPECT_EQ(popup, 35);
  stableBusy[0] = 0;
  int before = cash;
  EXPECT_TRUE(releaseBoxer());
  EXPECT_EQ(cash, before - fee);
  EXPECT_EQ(b.manager, kFree);
  EXPECT_EQ(b.contractMonths, 0);
  EXPECT_EQ(career.stable[0], stays);
  EXPECT_EQ(selectedBoxer, stays);
  EXPECT_EQ(stableCount, 1);
  // The last boxer cannot be released.
  EXPECT_FALSE(releaseBoxer());
  EXPECT_EQ(popup, 11);
}

TEST_F(Contracts, ReleasingABoxerWhoseContractRanOutCostsNothing) {
  // A retiring boxer stays in the stable after his contract ran out, with months below 0.
  select(0);
  Boxer& b = boxers[mine(0)];
  b.retiring = 1;
  b.contractMonths = -2;
  EXPECT_EQ(releaseFee(), 0);
  b.contractMonths = 0;
  EXPECT_EQ(releaseFee(), 0);
  b.contractMonths = -2;
  const int before = cash;
  EXPECT_TRUE(releaseBoxer());
  EXPECT_EQ(cash, before);
  EXPECT_EQ(b.manager, kFree);
  EXPECT_EQ(b.contractMonths, 0);
}

TEST_F(Contracts, ResetSpansEveryAge) {
  // Record mode right after a reset finds boxers of every age, 16 to 40.
  searchByRecord = 1;
  onlyUnranked = onlyAffordable = 0;
  searchFilter.ageMin = 30;
  searchFilter.ageMax = 31;
  searchFilter.winsMin = 50;
  resetSearchFilters();
  EXPECT_EQ(searchFilter.ageMin, 16);
  EXPECT_EQ(searchFilter.ageMax, 40);
  EXPECT_EQ(searchFilter.winsMin, 0);
  int found = 0;
  for (const Boxer& b : boxers) found += b.manager != kPlayer && b.manager != kRetired;
  EXPECT_EQ(searchLast + 1, found);
  int oldest = 0;
  for (int i = 0; i <= searchLast; ++i) oldest = std::max<int>(oldest, boxers[searchResults[i]].age);
  EXPECT_GT(oldest, 30);
  // A new career starts from the same cleared filters.
  searchFilter.ageMax = 17;
  startCareer();
  EXPECT_EQ(searchFilter.ageMin, 16);
  EXPECT_EQ(searchFilter.ageMax, 40);
  EXPECT_GT(searchLast, 2000);
  searchByRecord = 0;
}

TEST_F(Contracts, TalkingOncePerMonth) {
  select(0);
  Boxer& b = boxers[mine()];
  career.managerSkills[kMotivationSkill] = 15;  // randomBelow(15) < 15 always
  b.morale = 10;
  EXPECT_TRUE(talkToBoxer());
  EXPECT_EQ(b.morale, 11);
  EXPECT_EQ(popup, 8);
  EXPECT_FALSE(talkToBoxer());
  EXPECT_EQ(b.morale, 11);
  talkedThisMonth[0] = 0;
  EXPECT_TRUE(talkToBoxer());
  EXPECT_EQ(popup, 10);
  EXPECT_EQ(b.morale, 11);
  career.managerSkills[kMotivationSkill] = 0;
  talkedThisMonth[0] = 0;
  EXPECT_TRUE(talkToBoxer());
  EXPECT_EQ(popup, 9);
}

TEST_F(Contracts, ScoutedBarsAreSteadyAndTrueForAGoodScout) {
  float s1[7], p1[7], s2[7], p2[7];
  career.managerSkills[kScoutingSkill] = 1;
  scoutedBars(42, s1, p1);
  scoutedBars(42, s2, p2);
  for (int k = 0; k < 7; ++k) {
    EXPECT_FLOAT_EQ(s1[k], s2[k]);
    EXPECT_GE(s1[k], 0.0f);
  }
  EXPECT_FLOAT_EQ(s1[0] / p1[0], boxers[42].strength / boxers[42].strengthMax);
  career.managerSkills[kScoutingSkill] = 1000;
  int trueBars = 0;
  for (int b = 0; b < 50; ++b) {
    scoutedBars(b, s1, p1);
    trueBars += std::fabs(p1[0] - boxers[b].strengthMax / 1.75f) < 1e-3f;
  }
  EXPECT_GT(trueBars, 45);
}

}  // namespace
