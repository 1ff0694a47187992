// The boxer search screen driven through the real main loop: the search made on entry, the
// filter steppers (bounds, wrap, the accelerating repeat), the toggles, sorting by a heading,
// paging, choosing a candidate with his scouted bars, and offers through the buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "career/contracts.h"
#include "career/world.h"
#include "gamedriver.h"
#include "saves/preferences.h"
#include "screens/search.h"
#include "support/renderers.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/tutorial.h"

namespace {

// The name the list sorts by: the surname, or the first name for a boxer without one.
std::string sortName(int b) {
  return hasSurname(boxers[b]) ? surnameOf(boxers[b]) : firstNameOf(boxers[b]);
}

bool listedByName() {
  for (int i = 1; i <= searchLast; ++i)
    if (std::strncmp(sortName(searchResults[i - 1]).c_str(), sortName(searchResults[i]).c_str(), 20) > 0)
      return false;
  return true;
}

// The boxers the rules keep with the current filters, in index order.
std::vector<int> expectedMatches() {
  std::vector<int> out;
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& b = boxers[i];
    if (b.manager == kPlayer || b.manager == kRetired) continue;
    if (searchByRecord) {
      const SearchFilter& f = searchFilter;
      if (b.age < f.ageMin || b.age > f.ageMax || b.wins < f.winsMin || b.losses < f.lossesMin || b.koWins < f.koMin)
        continue;
      if (f.searchCategory && b.category != f.searchCategory) continue;
    }
    if (onlyUnranked && b.rank <= 100) continue;
    out.push_back(i);
  }
  return out;
}

// Hotspots of the screen.
constexpr int kStrengthMinus = 7, kStrengthPlus = 10, kCategoryMinus = 7, kCategoryPlus = 10;
constexpr int kAgeMaxPlus = 16;
constexpr int kReset = 21, kSearch = 22, kPageBack = 23, kPageForward = 24, kUnranked = 25;
constexpr int kOffer = 27, kYearsMinus = 28, kYearsPlus = 30, kPercentPlus = 31, kModeLeft = 32, kModeRight = 33;

class SearchFixture {
 protected:
  void open(bool openGL) {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(openGL));
    d.frame(2);
    // Values that outlive a career in the program (and so an earlier test).
    preferences.searchByRecord = 0;
    onlyUnranked = onlyAffordable = 0;
    offerYears = offerPercent = 0;
    candidate = -1;
    d.clickHotspot(3);  // quick start
    ASSERT_EQ(screenState, kBoxerScreen);
    d.click(25 + 75 * 4 + 30, 50);  // tab 5
    ASSERT_EQ(screenState, kSearchScreen);
  }
  // The centre of a list row, and a point of the heading row.
  void clickRow(int row) { d.click(500, 124 + 17 * row + 8); }
  void clickHeading(int x) { d.click(x, 112); }
  uint32_t cancels() const { return soundRequests[kSoundCancel]; }
  // A list row on the current page whose boxer passes the test, or -1.
  template <class Test>
  int rowWhere(Test test) {
    for (int r = 0; r < 20 && searchPage + r <= searchLast; ++r)
      if (test(boxers[searchResults[searchPage + r]])) return r;
    return -1;
  }

  GameDriver d;
};

class SearchScreen : public SearchFixture, public ::testing::Test {
 protected:
  void SetUp() override { open(false); }
};

class SearchScreenBoth : public SearchFixture, public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { open(GetParam()); }
};

TEST_P(SearchScreenBoth, EntryLaysOutTheScreenAndSearchesSortedByName) {
  EXPECT_EQ(hotspotCount, 34);
  for (int i = 1; i <= 33; ++i) EXPECT_GE(hotspots[i].state, 0) << i;
  EXPECT_EQ(hotspots[1].height, 76);
  EXPECT_EQ(hotspots[19].x, 163);
  EXPECT_EQ(hotspots[19].y, 468);
  EXPECT_EQ(hotspots[kUnranked].pictureSlot, 12);
  EXPECT_EQ(hotspots[kUnranked].srcX, 384);  // off
  // Statistics mode with every minimum at 0: everybody but the player's and the retired.
  EXPECT_EQ(searchByRecord, 0);
  EXPECT_EQ(int(expectedMatches().size()), searchLast + 1);
  EXPECT_GT(searchLast, 1000);
  EXPECT_TRUE(listedByName());
  EXPECT_EQ(searchPage, 0);
  EXPECT_EQ(searchSortedColumn(), 1);
  for (int i = 0; i <= searchLast; ++i) EXPECT_NE(boxers[searchResults[i]].manager, kPlayer);
}

TEST_P(SearchScreenBoth, CandidateInBothModes) {
  clickRow(3);
  ASSERT_TRUE(isBoxer(candidate));
  EXPECT_EQ(candidate, searchResults[3]);
  for (int i = 0; i < 2; ++i) d.clickHotspot(kYearsPlus);
  for (int i = 0; i < 4; ++i) d.clickHotspot(kPercentPlus);
  EXPECT_EQ(offerYears, 2);
  EXPECT_EQ(offerPercent, 4);
  d.move(120, 200);  // over the candidate panel: its help shows
  d.keepScreenshot("search-statistics");
  d.frame();
  d.clickHotspot(kModeLeft);
  EXPECT_EQ(searchByRecord, 1);
  d.clickHotspot(kCategoryPlus);
  d.clickHotspot(kCategoryPlus);
  d.clickHotspot(kAgeMaxPlus);
  d.clickHotspot(kSearch);
  ASSERT_GE(searchLast, 3);
  clickRow(2);
  EXPECT_EQ(candidate, searchResults[2]);
  d.move(600, 300);
  d.keepScreenshot("search-record");
  d.frame();
}

INSTANTIATE_TEST_SUITE_P(Renderers, SearchScreenBoth, ::testing::Values(false, true),
                         rendererName);

TEST_F(SearchScreen, SteppersRefuseAtTheirBoundsAndTheCategoryWraps) {
  // A skill minimum at 0 does not go below it.
  uint32_t refusals = cancels();
  d.clickHotspot(kStrengthMinus);
  EXPECT_EQ(searchFilter.statMinimum[0], 0);
  EXPECT_EQ(cancels(), refusals + 1);
  d.clickHotspot(kStrengthPlus);
  EXPECT_EQ(searchFilter.statMinimum[0], 1);
  // The same buttons step the category in record mode, which wraps both ways.
  d.clickHotspot(kModeRight);
  ASSERT_EQ(searchByRecord, 1);
  refusals = cancels();
  d.clickHotspot(kCategoryMinus);
  EXPECT_EQ(searchFilter.searchCategory, 17);
  d.clickHotspot(kCategoryPlus);
  EXPECT_EQ(searchFilter.searchCategory, 0);
  EXPECT_EQ(cancels(), refusals);
  EXPECT_EQ(searchFilter.statMinimum[0], 1);  // the statistics filter kept its value
  // The oldest age is 40.
  searchFilter.ageMax = 40;
  d.clickHotspot(kAgeMaxPlus);
  EXPECT_EQ(searchFilter.ageMax, 40);
  EXPECT_EQ(cancels(), refusals + 1);
  // The offer's years stay within 0..5.
  refusals = cancels();
  d.clickHotspot(kYearsMinus);
  EXPECT_EQ(offerYears, 0);
  for (int i = 0; i < 6; ++i) d.clickHotspot(kYearsPlus);
  EXPECT_EQ(offerYears, 5);
  EXPECT_EQ(cancels(), refusals + 2);
}

TEST_F(SearchScreen, HoldingAStepperRepeatsFasterAndFaster) {
  d.setFrameStep(8);
  const Hotspot& plus = hotspots[kStrengthPlus];
  const int x = plus.x + 9, y = plus.y + 10;
  d.move(x, y);
  d.press(x, y);
  std::vector<uint32_t> stepTimes;
  int16_t last = searchFilter.statMinimum[0];
  for (int f = 0; f < 280; ++f) {
    d.frame();
    if (searchFilter.statMinimum[0] != last) {
      last = searchFilter.statMinimum[0];
      stepTimes.push_back(KTools::GetMilliseconds());
    }
  }
  d.release(x, y);
  d.frame();
  // The press steps at once; the first repeat waits 200 ms, every later one 10 ms less, down
  // to 100 ms.
  ASSERT_GE(stepTimes.size(), 14u);
  for (size_t k = 1; k < stepTimes.size(); ++k) {
    const int expected = std::max(100, 200 - 10 * int(k - 1));
    const int gap = int(stepTimes[k] - stepTimes[k - 1]);
    EXPECT_GE(gap, expected - 1) << "repeat " << k;
    EXPECT_LE(gap, expected + 10) << "repeat " << k;
  }
  EXPECT_EQ(searchFilter.statMinimum[0], int(stepTimes.size()));
  // Released, the value stays.
  const int16_t held = searchFilter.statMinimum[0];
  d.frame(100);
  EXPECT_EQ(searchFilter.statMinimum[0], held);
}

TEST_F(SearchScreen, AHeldStepperStopsAtItsBoundWithOneRefusal) {
  d.clickHotspot(kModeRight);
  const Hotspot& plus = hotspots[kAgeMaxPlus];
  const int x = plus.x + 9, y = plus.y + 10;
  const uint32_t refusals = cancels();
  d.move(x, y);
  d.setFrameStep(50);
  d.press(x, y);
  d.frame(100);  // 5 s: more steps than 16..40 needs
  d.release(x, y);
  d.frame();
  EXPECT_EQ(searchFilter.ageMax, 40);
  EXPECT_EQ(cancels(), refusals + 1);
}

TEST_F(SearchScreen, SearchByCategoryAndAgeThenPageToTheEnd) {
  d.clickHotspot(kModeRight);
  d.clickHotspot(kCategoryPlus);  // Heavyweight
  searchFilter.ageMin = 20;
  searchFilter.ageMax = 30;
  d.clickHotspot(kSearch);
  const std::vector<int> expected = expectedMatches();
  ASSERT_EQ(int(expected.size()), searchLast + 1);
  ASSERT_GT(searchLast, 40);
  for (int i = 0; i <= searchLast; ++i) {
    const Boxer& b = boxers[searchResults[i]];
    EXPECT_EQ(b.category, 1);
    EXPECT_TRUE(b.age >= 20 && b.age <= 30);
  }
  EXPECT_TRUE(listedByName());

  const int pages = searchLast / 20 + 1;  // a page starts at every multiple of 20
  char line[48];
  formatSearchPageLine(line, sizeof line);
  EXPECT_EQ(std::string(line), "Showing page 1/" + std::to_string(pages));
  uint32_t refusals = cancels();
  d.clickHotspot(kPageBack);
  EXPECT_EQ(searchPage, 0);
  EXPECT_EQ(cancels(), refusals + 1);
  int steps = 0;
  while (searchPage + 20 <= searchLast && steps < 200) {
    d.clickHotspot(kPageForward);
    ++steps;
  }
  EXPECT_EQ(searchPage, 20 * ((searchLast) / 20));
  refusals = cancels();
  const int lastPage = searchPage;
  d.clickHotspot(kPageForward);
  EXPECT_EQ(searchPage, lastPage);
  EXPECT_EQ(cancels(), refusals + 1);
  formatSearchPageLine(line, sizeof line);
  EXPECT_EQ(std::string(line), "Showing page " + std::to_string(lastPage / 20 + 1) + "/" + std::to_string(pages));
  // A row of the last page is the boxer listed there.
  clickRow(0);
  EXPECT_EQ(candidate, searchResults[lastPage]);
  d.clickHotspot(kPageBack);
  EXPECT_EQ(searchPage, lastPage - 20);
}

TEST_F(SearchScreen, AShortListShowsTheSinglePageLine) {
  d.clickHotspot(kModeRight);
  d.clickHotspot(kCategoryPlus);
  searchFilter.ageMin = 16;
  searchFilter.ageMax = 16;
  searchFilter.winsMin = 0;
  d.clickHotspot(kSearch);
  ASSERT_LE(searchLast, 20);
  char line[48];
  formatSearchPageLine(line, sizeof line);
  EXPECT_STREQ(line, "Showing page 1");
}

TEST_F(SearchScreen, ThePageLineCountsThePagesTheArrowsReach) {
  // Lists of 20, 21, 41 and 61 boxers: only the chosen ones have every skill at 99.
  for (int found : {20, 21, 41, 61}) {
    int made = 0;
    for (int i = 0; i < kBoxerCount; ++i) {
      Boxer& b = boxers[i];
      if (b.manager == kPlayer || b.manager == kRetired) continue;
      const float v = made < found ? 99.0f : std::min(b.strength, 98.0f);
      b.strength = b.agility = b.endurance = b.quickness = b.stamina = b.technique = b.charisma = v;
      ++made;
    }
    for (int16_t& m : searchFilter.statMinimum) m = 99;
    d.clickHotspot(kSearch);
    ASSERT_EQ(searchLast + 1, found);
    const int pages = (found + 19) / 20;
    char line[48];
    for (int page = 1;; ++page) {
      formatSearchPageLine(line, sizeof line);
      EXPECT_EQ(std::string(line), pages == 1 ? std::string("Showing page 1")
                                              : "Showing page " + std::to_string(page) + "/" +
                                                    std::to_string(pages))
          << found << " found, page " << page;
      // Every row of the page is a listed boxer.
      clickRow(0);
      EXPECT_EQ(candidate, searchResults[searchPage]);
      const uint32_t refusals = cancels();
      d.clickHotspot(kPageForward);
      if (cancels() != refusals) {
        EXPECT_EQ(page, pages) << found << " found: the arrows stop on another page than the last";
        break;
      }
      ASSERT_LT(page, pages) << found << " found: the arrows reach a page past the count";
    }
  }
}

TEST_F(SearchScreen, ResetSearchesEveryAgeInRecordMode) {
  d.clickHotspot(kModeRight);
  ASSERT_EQ(searchByRecord, 1);
  searchFilter.ageMin = 30;
  searchFilter.ageMax = 31;
  searchFilter.winsMin = 5;
  d.clickHotspot(kSearch);
  for (int i = 0; i <= searchLast; ++i) ASSERT_GE(boxers[searchResults[i]].age, 30);
  d.clickHotspot(kReset);
  EXPECT_EQ(searchFilter.ageMin, 16);
  EXPECT_EQ(searchFilter.ageMax, 40);
  EXPECT_EQ(searchFilter.winsMin, 0);
  // Everybody but the player's and the retired, of every age.
  EXPECT_EQ(int(expectedMatches().size()), searchLast + 1);
  EXPECT_GT(searchLast, 2000);
  int ages[41] = {};
  for (int i = 0; i <= searchLast; ++i) ages[std::clamp<int>(boxers[searchResults[i]].age, 0, 40)]++;
  EXPECT_GT(ages[16], 0);
  EXPECT_GT(ages[39], 0);
  EXPECT_TRUE(listedByName());
  d.move(400, 300);
  d.keepScreenshot("search-reset-record");
  d.frame();
}

TEST_F(SearchScreen, TogglesFlipAndSearchAgain) {
  const int everybody = searchLast;
  d.clickHotspot(kUnranked);
  EXPECT_EQ(onlyUnranked, 1);
  EXPECT_EQ(hotspots[kUnranked].srcX, 411);  // the "on" image
  EXPECT_LT(searchLast, everybody);
  EXPECT_EQ(int(expectedMatches().size()), searchLast + 1);
  for (int i = 0; i <= searchLast; ++i) EXPECT_GT(boxers[searchResults[i]].rank, 100);
  EXPECT_TRUE(listedByName());
  d.clickHotspot(kUnranked + 1);
  EXPECT_EQ(onlyAffordable, 1);
  for (int i = 0; i <= searchLast; ++i) EXPECT_TRUE(isAffordable(searchResults[i]));
  d.clickHotspot(kUnranked);
  d.clickHotspot(kUnranked + 1);
  EXPECT_EQ(onlyUnranked, 0);
  EXPECT_EQ(onlyAffordable, 0);
  EXPECT_EQ(searchLast, everybody);
}

TEST_F(SearchScreen, HeadingsSortByTheirColumnInBothModes) {
  // Statistics mode: Str (column 2) and Cha (column 8), highest first.
  clickHeading(569);
  EXPECT_EQ(searchSortedColumn(), 2);
  for (int i = 1; i <= searchLast; ++i)
    ASSERT_GE(boxers[searchResults[i - 1]].strength, boxers[searchResults[i]].strength) << i;
  clickHeading(750);
  EXPECT_EQ(searchSortedColumn(), 8);
  for (int i = 1; i <= searchLast; ++i)
    ASSERT_GE(boxers[searchResults[i - 1]].charisma, boxers[searchResults[i]].charisma) << i;
  // The page goes back to the top of the new order.
  d.clickHotspot(kPageForward);
  clickHeading(600);  // Qui
  EXPECT_EQ(searchPage, 0);
  for (int i = 1; i <= searchLast; ++i)
    ASSERT_GE(boxers[searchResults[i - 1]].quickness, boxers[searchResults[i]].quickness) << i;
  // Record mode: wins most first, losses fewest first, age youngest first.
  d.clickHotspot(kModeRight);
  clickHeading(560);
  for (int i = 1; i <= searchLast; ++i) ASSERT_GE(boxers[searchResults[i - 1]].wins, boxers[searchResults[i]].wins);
  clickHeading(635);
  for (int i = 1; i <= searchLast; ++i)
    ASSERT_LE(boxers[searchResults[i - 1]].losses, boxers[searchResults[i]].losses);
  clickHeading(700);
  EXPECT_EQ(searchSortedColumn(), 6);
  for (int i = 1; i <= searchLast; ++i) ASSERT_LE(boxers[searchResults[i - 1]].age, boxers[searchResults[i]].age);
  clickHeading(740);
  for (int i = 1; i <= searchLast; ++i)
    ASSERT_GE(boxers[searchResults[i - 1]].category, boxers[searchResults[i]].category);
  clickHeading(480);
  EXPECT_EQ(searchSortedColumn(), 1);
  EXPECT_TRUE(listedByName());
}

TEST_F(SearchScreen, TheModeIsKeptInThePreferencesAndLeavesTheListAlone) {
  std::vector<int16_t> before(searchResults, searchResults + searchLast + 1);
  d.clickHotspot(kModeLeft);
  EXPECT_EQ(searchByRecord, 1);
  EXPECT_EQ(preferences.searchByRecord, 1);
  EXPECT_EQ(hotspots[19].state, -1);  // record mode has six filters
  EXPECT_EQ(hotspots[20].state, -1);
  EXPECT_EQ(std::vector<int16_t>(searchResults, searchResults + searchLast + 1), before);
  // The screen opens in the kept mode.
  d.click(25 + 75 * 1 + 30, 50);
  d.click(25 + 75 * 4 + 30, 50);
  EXPECT_EQ(searchByRecord, 1);
  d.clickHotspot(kModeRight);
  EXPECT_EQ(preferences.searchByRecord, 0);
  EXPECT_EQ(hotspots[19].state, 1);
}

TEST_F(SearchScreen, ScoutedBarsStayTheSameFromFrameToFrame) {
  career.managerSkills[kScoutingSkill] = 0;  // the most distorted view
  clickRow(0);
  ASSERT_TRUE(isBoxer(candidate));
  d.move(600, 560);
  auto panel = [&] {
    const std::vector<uint32_t> px = d.pixels();
    std::vector<uint32_t> out;
    for (int y = 165; y < 255; ++y)
      for (int x = 45; x < 415; ++x) out.push_back(px[size_t(y) * 800 + size_t(x)]);
    return out;
  };
  const std::vector<uint32_t> first = panel();
  for (int i = 0; i < 5; ++i) {
    d.frame(3);
    EXPECT_EQ(panel(), first) << i;
  }
  // Another candidate draws other bars.
  clickRow(1);
  d.move(600, 560);
  EXPECT_NE(panel(), first);
}

TEST_F(SearchScreen, AGoodOfferSignsTheBoxer) {
  career.reputation = 9.0f;
  // v is at least 1 x 2 + 1 + 225 = 228; pick a boxer whose demand cannot reach that and whose
  // potential keeps him interested.
  const int row = rowWhere([](const Boxer& b) {
    return potentialAverage(b) <= 95 && b.fame / 5 + (200 - b.rank) < 228;
  });
  ASSERT_GE(row, 0);
  clickRow(row);
  const int signing = candidate;
  ASSERT_TRUE(isBoxer(signing));
  const int stableBefore = countStable();
  d.clickHotspot(kYearsPlus);
  d.clickHotspot(kPercentPlus);
  d.clickHotspot(kOffer);
  EXPECT_EQ(popup, 21);
  EXPECT_EQ(countStable(), stableBefore + 1);
  EXPECT_EQ(career.stable[stableBefore], signing);
  EXPECT_EQ(boxers[signing].manager, kPlayer);
  EXPECT_EQ(boxers[signing].contractMonths, 12);
  EXPECT_EQ(boxers[signing].pursePercent, 1);
  EXPECT_LE(boxers[signing].rank, 100);
  EXPECT_EQ(candidate, -1);
  EXPECT_EQ(searchSortedColumn(), 1);
  EXPECT_TRUE(listedByName());
  for (int i = 0; i <= searchLast; ++i) ASSERT_NE(searchResults[i], signing);
  // The message closes with a click.
  d.click(400, 300);
  EXPECT_LE(popup, 0);
}

TEST_F(SearchScreen, RefusedOffers) {
  const int stableBefore = countStable();
  // No candidate.
  d.clickHotspot(kYearsPlus);
  d.clickHotspot(kPercentPlus);
  d.clickHotspot(kOffer);
  EXPECT_EQ(popup, 20);
  d.click(400, 300);
  // A candidate but no years.
  clickRow(0);
  d.clickHotspot(kYearsMinus);
  d.clickHotspot(kOffer);
  EXPECT_EQ(popup, 20);
  d.click(400, 300);
  d.clickHotspot(kYearsPlus);
  // Not interested: no reputation, and a potential beyond 14.
  career.reputation = 0;
  const int row = rowWhere([](const Boxer& b) { return potentialAverage(b) > 14; });
  ASSERT_GE(row, 0);
  clickRow(row);
  uint32_t refusals = cancels();
  d.clickHotspot(kOffer);
  EXPECT_EQ(popup, 22);
  EXPECT_EQ(cancels(), refusals + 1);
  d.click(400, 300);
  EXPECT_EQ(countStable(), stableBefore);
  // A full stable.
  career.reputation = 9.0f;
  for (int i = 0; i < kBoxerCount && countStable() < kStableSize; ++i)
    if (boxers[i].manager == kFree && i != candidate) {
      career.stable[countStable()] = int16_t(i);
      boxers[i].manager = kPlayer;
    }
  stableCount = kStableSize;
  ASSERT_EQ(countStable(), kStableSize);
  const int chosen = candidate;
  d.clickHotspot(kOffer);
  EXPECT_EQ(popup, 7);
  EXPECT_EQ(boxers[chosen].manager, kFree);
  EXPECT_EQ(candidate, chosen);
}

}  // namespace
