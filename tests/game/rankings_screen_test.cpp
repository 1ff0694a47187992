// The rankings screen driven through the real game with injected clicks: browsing the
// categories and pages, choosing an opponent, the date, booking and cancelling a fight, the
// hints and masked statistics, and the tutorial's three hooks on this screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "career/rankings.h"
#include "career/world.h"
#include "gamedriver.h"
#include "support/renderers.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/tutorial.h"

namespace {

constexpr int kTab4X = 25 + 75 * 3 + 30, kTabY = 50;

// The centre of a list row's name.
void clickRow(GameDriver& d, int row) { d.click(520, 124 + 17 * row + 8); }

// The boxer holding a rank in a category, or -1.
int holderOf(int category, int rank) {
  for (int i = 0; i < kBoxerCount; ++i)
    if (boxers[i].category == category && boxers[i].rank == rank) return i;
  return -1;
}

// A rectangle of the frame, to compare two frames.
std::vector<uint32_t> area(GameDriver& d, int x1, int y1, int x2, int y2) {
  const std::vector<uint32_t> all = d.pixels();
  std::vector<uint32_t> out;
  if (all.size() < 800u * 600u) return out;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) out.push_back(all[size_t(y) * 800 + x]);
  return out;
}

class RankingsScreen : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(GetParam()));
    ASSERT_TRUE(d.quickStart());
    ASSERT_GE(countStable(), 2);
    me = career.stable[0];
    other = career.stable[1];
    // Both fit to fight; the second boxer kept away from the ranks the tests challenge.
    boxers[me].fitness = 6;
    boxers[other].fitness = 6;
    career.managerSkills[kScoutingSkill] = 5;
    const int r = boxers[me].rank;
    ASSERT_GE(r, 81);
    ASSERT_LE(r, 100);
    if (boxers[other].category == boxers[me].category && (boxers[other].rank == r - 5 || boxers[other].rank == r - 6))
      moveToRank(other, r - 8);
  }

  void openRankings() {
    d.click(kTab4X, kTabY);
    ASSERT_EQ(screenState, kRankingsScreen);
  }

  // The list row of a rank on the page that shows it (the boxer's own page here).
  int rowOf(int rank) const { return rank - 1 - rankingPage; }

  GameDriver d;
  int me = -1, other = -1;
};

class RankingsScreenSoftware : public RankingsScreen {};

}  // namespace

TEST_P(RankingsScreen, BrowsingChoosingAndBookingLookFinished) {
  // A month of rank movements behind the second boxer's ladder, so that its arrows show.
  const int otherCategory = boxers[other].category;
  for (int i = 0; i < kBoxerCount; ++i) {
    Boxer& b = boxers[i];
    if (b.category != otherCategory || b.rank < 81 || b.rank > 100) continue;
    const int move = b.rank % 3 == 0 ? 2 : b.rank % 3 == 1 ? -3 : 0;
    b.rankHistory[1] = int16_t(b.rank + move);
  }
  openRankings();
  // Browsing with the category arrows to the second boxer's ladder: he shows grey, the rank
  // arrows pulse, the row under the pointer is black.
  while (shownCategory != otherCategory) d.clickHotspot(8);
  while (rankingPage < 80) d.clickHotspot(12);
  ASSERT_EQ(selectedBoxer, me);
  d.move(520, 124 + 17 * 3 + 8);
  d.frame(3);
  d.keepScreenshot("rankings-browsing");

  // Back to the boxer's own ladder with the your-boxer arrows; choose rank r - 5.
  d.clickHotspot(10);
  d.clickHotspot(9);
  ASSERT_EQ(selectedBoxer, me);
  ASSERT_EQ(shownCategory, boxers[me].category);
  const int target = boxers[me].rank - 5;
  clickRow(d, rowOf(target));
  ASSERT_EQ(opponent, holderOf(shownCategory, target));
  d.move(790, 590);
  d.frame(40);
  d.keepScreenshot("rankings-opponent");

  d.clickHotspot(13);
  ASSERT_EQ(stableBusy[0], 1);
  d.move(790, 590);
  d.frame(3);
  EXPECT_GE(scheduledFight, 0);
  d.keepScreenshot("rankings-scheduled");
}

TEST_P(RankingsScreenSoftware, EntryShowsTheFirstBoxersLadder) {
  openRankings();
  EXPECT_EQ(hotspotCount, 17);
  EXPECT_EQ(selectedBoxer, me);
  EXPECT_EQ(currentSlot, 0);
  EXPECT_EQ(opponent, -1);
  EXPECT_EQ(shownCategory, boxers[me].category);
  EXPECT_EQ(rankingPage, 80);
  EXPECT_EQ(rankingList[boxers[me].rank - 1], me);
  EXPECT_EQ(fightMonth, month == 11 ? 0 : month + 1);
  EXPECT_EQ(fightYear, month == 11 ? year + 1 : year);
  for (int i = 7; i <= 15; ++i) EXPECT_EQ(hotspots[i].state, 1) << i;
  EXPECT_EQ(hotspots[16].state, -1);  // CANCEL only while a fight is booked
}

TEST_P(RankingsScreenSoftware, CategoryArrowsWrapBetweenOneAndSeventeen) {
  openRankings();
  const int start = shownCategory;
  for (int i = 1; i < start; ++i) d.clickHotspot(7);
  ASSERT_EQ(shownCategory, 1);
  d.clickHotspot(7);
  EXPECT_EQ(shownCategory, 17);
  EXPECT_EQ(rankingList[0], holderOf(17, 1));
  d.clickHotspot(8);
  EXPECT_EQ(shownCategory, 1);
  EXPECT_EQ(rankingList[0], holderOf(1, 1));
  EXPECT_EQ(rankingList[99], holderOf(1, 100));
}

TEST_P(RankingsScreenSoftware, PageArrowsRefusePastEitherEnd) {
  openRankings();
  ASSERT_EQ(rankingPage, 80);
  uint32_t refusals = soundRequests[kSoundCancel];
  d.clickHotspot(12);
  EXPECT_EQ(rankingPage, 80);
  EXPECT_EQ(soundRequests[kSoundCancel], refusals + 1);
  for (int page = 60; page >= 0; page -= 20) {
    d.clickHotspot(11);
    EXPECT_EQ(rankingPage, page);
  }
  refusals = soundRequests[kSoundCancel];
  d.clickHotspot(11);
  EXPECT_EQ(rankingPage, 0);
  EXPECT_EQ(soundRequests[kSoundCancel], refusals + 1);
  d.clickHotspot(12);
  EXPECT_EQ(rankingPage, 20);
}

TEST_P(RankingsScreenSoftware, YourBoxerArrowsStopAtTheStableEnds) {
  openRankings();
  const uint32_t refusals = soundRequests[kSoundCancel];
  d.clickHotspot(9);
  EXPECT_EQ(currentSlot, 0);
  EXPECT_EQ(soundRequests[kSoundCancel], refusals + 1);
  d.clickHotspot(10);
  EXPECT_EQ(currentSlot, 1);
  EXPECT_EQ(selectedBoxer, other);
  EXPECT_EQ(shownCategory, boxers[other].category);
  EXPECT_EQ(rankingList[boxers[other].rank - 1], other);
  d.clickHotspot(10);  // no third boxer
  EXPECT_EQ(currentSlot, 1);
}

TEST_P(RankingsScreenSoftware, ChoosingOnesOwnBoxerRaisesMessageOne) {
  openRankings();
  clickRow(d, rowOf(boxers[me].rank));
  EXPECT_EQ(popup, 1);
  EXPECT_EQ(opponent, -1);
}

TEST_P(RankingsScreenSoftware, ChallengeLimitRefusesSixPlacesAboveAndBooksFive) {
  openRankings();
  const int r = boxers[me].rank;
  const int32_t cashBefore = cash;

  // Six places above: chosen, but OK refuses with message 2 and books nothing.
  clickRow(d, rowOf(r - 6));
  ASSERT_EQ(opponent, holderOf(shownCategory, r - 6));
  d.clickHotspot(13);
  EXPECT_EQ(popup, 2);
  EXPECT_EQ(stableBusy[0], 0);
  for (const Fight& f : fights) ASSERT_NE(f.boxerA, me);
  d.click(600, 300);  // closes the message
  ASSERT_EQ(popup, 0);

  // Five places above, three months ahead.
  const int rival = holderOf(shownCategory, r - 5);
  clickRow(d, rowOf(r - 5));
  ASSERT_EQ(opponent, rival);
  d.clickHotspot(15);
  d.clickHotspot(15);
  const int wantMonth = (month + 3) % 12;
  const int wantYear = year + (month + 3) / 12;
  EXPECT_EQ(fightMonth, wantMonth);
  EXPECT_EQ(fightYear, wantYear);
  const int purse = computePurse(me, rival);
  d.clickHotspot(13);
  EXPECT_EQ(popup, 0);
  int booked = -1;
  for (int i = 0; i < kFightCount; ++i)
    if (fights[i].boxerA == me) {
      booked = i;
      break;
    }
  ASSERT_GE(booked, 0);
  EXPECT_EQ(fights[booked].boxerB, rival);
  EXPECT_EQ(fights[booked].month, wantMonth);
  EXPECT_EQ(fights[booked].year, wantYear);
  EXPECT_EQ(fights[booked].purse, purse);
  EXPECT_EQ(fights[booked].winner, -1);
  EXPECT_EQ(stableBusy[0], 1);
  EXPECT_EQ(cash, cashBefore);
  d.frame();
  EXPECT_EQ(scheduledFight, booked);
  EXPECT_EQ(cancelFee, purse / 2);
  // The busy slot: OK and the date buttons off, CANCEL on; a name now answers message 4.
  EXPECT_EQ(hotspots[13].state, -1);
  EXPECT_EQ(hotspots[14].state, -1);
  EXPECT_EQ(hotspots[15].state, -1);
  EXPECT_EQ(hotspots[16].state, 1);
  clickRow(d, rowOf(r - 4));
  EXPECT_EQ(popup, 4);
  EXPECT_EQ(opponent, rival);
  d.click(600, 300);

  // Leaving and coming back finds the booked fight again.
  d.click(kTab4X, kTabY);
  d.frame();
  EXPECT_EQ(scheduledFight, booked);
  EXPECT_EQ(opponent, rival);

  // Cancelling frees the record and charges half the purse.
  d.clickHotspot(16);
  EXPECT_EQ(cash, cashBefore - purse / 2);
  EXPECT_EQ(fights[booked].boxerA, -1);
  EXPECT_EQ(fights[booked].boxerB, -1);
  EXPECT_EQ(stableBusy[0], 0);
  EXPECT_EQ(opponent, -1);
  EXPECT_EQ(hotspots[13].state, 1);
  EXPECT_EQ(hotspots[16].state, -1);
}

TEST_P(RankingsScreenSoftware, OkWithoutOpponentRaisesMessageSix) {
  openRankings();
  d.clickHotspot(13);
  EXPECT_EQ(popup, 6);
  EXPECT_EQ(stableBusy[0], 0);
}

TEST_P(RankingsScreenSoftware, DateSteppersKeepWithinTwelveMonths) {
  openRankings();
  const int m0 = fightMonth, y0 = fightYear;
  uint32_t refusals = soundRequests[kSoundCancel];
  d.clickHotspot(14);  // already the coming month
  EXPECT_EQ(fightMonth, m0);
  EXPECT_EQ(fightYear, y0);
  EXPECT_EQ(soundRequests[kSoundCancel], refusals + 1);
  for (int i = 0; i < 11; ++i) d.clickHotspot(15);
  EXPECT_EQ(fightMonth, month);  // twelve months ahead
  EXPECT_EQ(fightYear, year + 1);
  refusals = soundRequests[kSoundCancel];
  d.clickHotspot(15);
  EXPECT_EQ(fightMonth, month);
  EXPECT_EQ(soundRequests[kSoundCancel], refusals + 1);
  d.clickHotspot(14);
  EXPECT_EQ((fightYear - year) * 12 + fightMonth - month, 11);
}

TEST_P(RankingsScreenSoftware, RestRuleShowsItsHintAndRefusesWithMessage43) {
  openRankings();
  const auto hint = [&] { return area(d, 50, 213, 420, 230); };
  const std::vector<uint32_t> usual = hint();

  // A top-ten boxer who fought last month must rest.
  ASSERT_GE(month, 1);
  moveToRank(me, 5);
  Fight& f = fights[kFightCount - 1];
  f = Fight{};
  f.boxerA = int16_t(me);
  f.boxerB = int16_t(holderOf(boxers[me].category, 6));
  f.month = int16_t(month - 1);
  f.year = int16_t(year);
  f.winner = int16_t(me);
  f.koRound = f.stopRound = -1;
  d.click(kTab4X, kTabY);  // enter again
  ASSERT_EQ(rankingPage, 0);
  const std::vector<uint32_t> resting = hint();
  EXPECT_NE(resting, usual);
  clickRow(d, 9);
  EXPECT_EQ(popup, 43);
  EXPECT_EQ(opponent, -1);
  d.click(600, 300);

  // A tired boxer shows the tiredness hint instead, and message 34 comes first.
  boxers[me].fitness = 2;
  d.frame();
  const std::vector<uint32_t> tired = hint();
  EXPECT_NE(tired, resting);
  EXPECT_NE(tired, usual);
  clickRow(d, 9);
  EXPECT_EQ(popup, 34);
}

TEST_P(RankingsScreenSoftware, MaskedStatisticsStaySteady) {
  openRankings();
  clickRow(d, rowOf(boxers[me].rank - 3));
  ASSERT_GE(opponent, 0);
  d.move(600, 560);
  const std::vector<uint32_t> first = area(d, 52, 311, 417, 373);
  ASSERT_FALSE(first.empty());
  for (int i = 0; i < 6; ++i) {
    d.advanceClock(337);
    d.frame();
    EXPECT_EQ(area(d, 52, 311, 417, 373), first) << i;
  }
  // What the panel shows is the scouting's verdict for this boxer, the same each time.
  bool a[6], b[6];
  scoutOpponentSkills(opponent, a);
  scoutOpponentSkills(opponent, b);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(a[k], b[k]);
}

TEST_P(RankingsScreenSoftware, TutorialAdvancesOnceAtEachHook) {
  tutorialOn = 1;
  tutorialStep = 3;
  openRankings();
  ASSERT_EQ(tutorialStep, 4);
  d.clickHotspot(10);  // to the second boxer
  EXPECT_EQ(tutorialStep, 5);
  d.clickHotspot(9);  // back to the first: no second advance
  EXPECT_EQ(tutorialStep, 5);
  ASSERT_EQ(selectedBoxer, me);
  const int r = boxers[me].rank;
  clickRow(d, rowOf(r - 5));
  EXPECT_EQ(tutorialStep, 6);
  clickRow(d, rowOf(r - 4));
  EXPECT_EQ(tutorialStep, 6);
  d.clickHotspot(13);
  ASSERT_EQ(stableBusy[0], 1);
  EXPECT_EQ(tutorialStep, 7);
  d.clickHotspot(16);  // cancelling and booking again moves nothing on
  clickRow(d, rowOf(r - 5));
  d.clickHotspot(13);
  EXPECT_EQ(tutorialStep, 7);
  tutorialOn = 0;
  tutorialStep = 0;
}

INSTANTIATE_TEST_SUITE_P(Renderers, RankingsScreen, ::testing::Values(false, true),
                         rendererName);
INSTANTIATE_TEST_SUITE_P(Renderers, RankingsScreenSoftware, ::testing::Values(false),
                         [](const auto&) { return "Software"; });
