// The month screen through the real game: quick start, fights booked with the rankings rules,
// tab 1, then clicks on the watch, instant and advance buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/world.h"
#include "gamedriver.h"
#include "screens/month.h"
#include "support/renderers.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"

namespace {

// Books a fight for the coming month for the boxer of a stable slot, through the rankings
// rules: the nearest opponent within the challenge limits, above him first.
int bookDueFight(int slot) {
  const int me = career.stable[slot];
  if (!isBoxer(me)) return -1;
  selectedBoxer = int16_t(me);
  currentSlot = int16_t(slot);
  stableBusy[slot] = 0;
  fightMonth = int16_t(month == 11 ? 0 : month + 1);
  fightYear = int16_t(month == 11 ? year + 1 : year);
  static const int offsets[14] = {-1, 1, -2, 2, -3, 3, -4, 4, -5, 5, 6, 7, 8, 9};
  for (int offset : offsets) {
    const int wanted = boxers[me].rank + offset;
    for (int b = 0; b < kBoxerCount; ++b) {
      if (b == me || boxers[b].category != boxers[me].category || boxers[b].rank != wanted ||
          boxers[b].manager == kPlayer)
        continue;
      opponent = int16_t(b);
      const int16_t popupBefore = popup;
      const int fight = arrangeFight();
      if (fight >= 0) return fight;
      popup = popupBefore;
    }
  }
  return -1;
}

class MonthScreen : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(GetParam()));
    ASSERT_TRUE(d.quickStart());
    ASSERT_EQ(countStable(), 2);
    // No contract or debt ends this career while the tests advance the months.
    for (int s = 0; s < 2; ++s) {
      boxers[career.stable[s]].contractMonths = 60;
      boxers[career.stable[s]].retiring = 0;
    }
    cash = 20000;
  }
  void openMonth() {
    d.click(25 + 30, 50);
    ASSERT_EQ(screenState, kMonthScreen);
    d.move(790, 590);
    d.frame();
  }
  // Clicks until the monthly pop-up and any message window are closed.
  void closePopups() {
    for (int i = 0; i < 6 && (messagePopup > 0 || popup > 0); ++i) d.click(790, 590);
    ASSERT_EQ(messagePopup, 0);
    ASSERT_LE(popup, 0);
  }
  GameDriver d;
};

using MonthScreenSoftware = MonthScreen;

TEST_P(MonthScreen, TwoDueFightsAndAYearOfResults) {
  ASSERT_GE(bookDueFight(0), 0);
  ASSERT_GE(bookDueFight(1), 0);
  openMonth();
  EXPECT_EQ(hotspotCount, 20);
  EXPECT_NE(pendingFights[0], -1);
  EXPECT_NE(pendingFights[1], -1);
  EXPECT_EQ(pendingFights[2], -1);
  d.keepScreenshot("month-two-fights");

  // Twelve months: each boxer's fight decided at once, its result left with a click, then the
  // advance; a new fight is booked for the next month.
  for (int m = 0; m < 12; ++m) {
    for (int row = 0; row < 6 && pendingFights[0] != -1; ++row) {
      d.clickHotspot(13);
      ASSERT_EQ(screenState, kResultScreen);
      d.click(400, 300);
      ASSERT_EQ(screenState, kMonthScreen);
    }
    ASSERT_EQ(pendingFights[0], -1);
    d.clickHotspot(19);
    closePopups();
    ASSERT_EQ(screenState, kMonthScreen);
    for (int s = 0; s < 2; ++s) {
      const int booked = bookDueFight(s);
      EXPECT_GE(booked, 0) << "month " << m << " slot " << s << " message " << popup << " rank "
                           << boxers[career.stable[s]].rank;
      popup = 0;
    }
    d.click(25 + 30, 50);  // tab 1 again shows the new bookings
  }
  d.move(790, 590);
  d.frame();
  d.keepScreenshot("month-year-of-results");
}

INSTANTIATE_TEST_SUITE_P(Renderers, MonthScreen, ::testing::Values(false, true),
                         rendererName);

TEST_P(MonthScreenSoftware, NoDueFightShowsNoButtons) {
  openMonth();
  for (int r = 0; r < 6; ++r) {
    EXPECT_EQ(pendingFights[r], -1);
    EXPECT_EQ(hotspots[7 + r].state, -1) << r;
    EXPECT_EQ(hotspots[13 + r].state, -1) << r;
  }
  EXPECT_EQ(hotspots[19].state, 1);
  // Clicking where a button would be does nothing.
  d.click(456, 134);
  d.click(734, 134);
  EXPECT_EQ(screenState, kMonthScreen);
}

TEST_P(MonthScreenSoftware, DueFightRowsShowTheirButtonsAndBlockTheAdvance) {
  const int fight = bookDueFight(1);
  ASSERT_GE(fight, 0);
  openMonth();
  EXPECT_EQ(pendingFights[0], fight);
  EXPECT_EQ(hotspots[7].state, 1);
  EXPECT_EQ(hotspots[13].state, 1);
  EXPECT_EQ(hotspots[8].state, -1);
  // The eye and the monitor are drawn in the filled row only (rows 0 and 2 share a band).
  EXPECT_GT(std::abs(d.meanBrightness(440, 118, 32, 32) - d.meanBrightness(440, 118 + 128, 32, 32)), 3.0);
  EXPECT_GT(std::abs(d.meanBrightness(718, 118, 32, 32) - d.meanBrightness(718, 118 + 128, 32, 32)), 3.0);

  char line[128];
  formatFightLine(fight, line, sizeof line);
  const Boxer& a = boxers[fights[fight].boxerA];
  const Boxer& b = boxers[fights[fight].boxerB];
  std::string expected;
  char first[24];
  std::snprintf(first, sizeof first, "%s", firstNameOf(a));
  expected += a.nation == kFirstNameOnlyNation ? std::string(" ") + first : std::string(1, first[0]) + ". " + surnameOf(a);
  expected += " - ";
  std::snprintf(first, sizeof first, "%s", firstNameOf(b));
  expected += b.nation == kFirstNameOnlyNation ? std::string(first) : std::string(1, first[0]) + ". " + surnameOf(b);
  EXPECT_EQ(std::string(line), expected);

  const int32_t monthBefore = month;
  const uint32_t refusals = soundRequests[kSoundCancel];
  d.clickHotspot(19);
  EXPECT_EQ(popup, 29);
  EXPECT_EQ(messagePopup, 0);
  EXPECT_EQ(month, monthBefore);
  EXPECT_EQ(soundRequests[kSoundCancel], refusals + 1);
}

TEST_P(MonthScreenSoftware, WatchOpensTheCornerWithTheFight) {
  const int fight = bookDueFight(0);
  ASSERT_GE(fight, 0);
  ASSERT_EQ(stableBusy[0], 1);
  openMonth();
  ASSERT_EQ(pendingFights[0], fight);
  d.clickHotspot(7);
  EXPECT_EQ(screenState, kCornerScreen);
  EXPECT_EQ(currentFight, fight);
  EXPECT_EQ(stableBusy[0], 0);
  EXPECT_EQ(fights[fight].winner, -1);  // decided in the ring, not here
}

TEST_P(MonthScreenSoftware, AdvanceWithNothingDueMovesTheMonthAndRaisesThePopup) {
  openMonth();
  const int32_t monthBefore = month, yearBefore = year;
  d.clickHotspot(19);
  EXPECT_EQ(month, monthBefore == 11 ? 0 : monthBefore + 1);
  EXPECT_EQ(year, monthBefore == 11 ? yearBefore + 1 : yearBefore);
  EXPECT_GE(messagePopup, 1);
  EXPECT_LE(messagePopup, 9);
  EXPECT_EQ(screenState, kMonthScreen);
  d.move(790, 590);
  d.frame();
  // The calendar picture of the pop-up covers the middle of the screen until a click.
  const double withPopup = d.meanBrightness(300, 200, 200, 60);
  closePopups();
  d.frame();
  EXPECT_GT(std::abs(withPopup - d.meanBrightness(300, 200, 200, 60)), 3.0);
}

TEST_P(MonthScreenSoftware, AContractWarningStopsTheFirstPress) {
  boxers[career.stable[0]].contractMonths = 1;
  career.contractWarningShown = 0;
  openMonth();
  const int32_t monthBefore = month;
  d.clickHotspot(19);
  EXPECT_EQ(popup, 14);
  EXPECT_EQ(month, monthBefore);
  closePopups();
  d.clickHotspot(19);
  EXPECT_NE(month, monthBefore);
}

TEST_P(MonthScreenSoftware, InstantResultIsPaidOnLeavingTheResultAndTheRowIsGone) {
  const int fight = bookDueFight(0);
  ASSERT_GE(fight, 0);
  openMonth();
  ASSERT_EQ(pendingFights[0], fight);
  const int32_t cashBefore = cash;
  const int16_t pursesBefore = income[month][0];
  const int purse = fights[fight].purse;
  const int share = std::max(1, purse * boxers[fights[fight].boxerA].pursePercent / 100);
  d.clickHotspot(13);
  ASSERT_EQ(screenState, kResultScreen);
  EXPECT_EQ(currentFight, fight);
  EXPECT_NE(fights[fight].winner, -1);
  EXPECT_EQ(cash, cashBefore);  // paid when the result is left
  d.click(400, 300);
  ASSERT_EQ(screenState, kMonthScreen);
  EXPECT_EQ(cash, cashBefore + purse - share);
  EXPECT_EQ(income[month][0], pursesBefore + purse - share);
  EXPECT_EQ(pendingFights[0], -1);
  EXPECT_EQ(hotspots[7].state, -1);
  EXPECT_EQ(hotspots[13].state, -1);
}

TEST_P(MonthScreenSoftware, TwelveAdvancesCrossAYearEnd) {
  openMonth();
  const int32_t yearBefore = year;
  const int ageA = boxers[career.stable[0]].age, ageB = boxers[career.stable[1]].age;
  const int managerAge = career.managerAge;
  for (int m = 0; m < 12; ++m) {
    d.clickHotspot(19);
    ASSERT_GE(messagePopup, 1) << m;
    closePopups();
  }
  EXPECT_EQ(year, yearBefore + 1);
  EXPECT_EQ(boxers[career.stable[0]].age, ageA + 1);
  EXPECT_EQ(boxers[career.stable[1]].age, ageB + 1);
  EXPECT_EQ(career.managerAge, managerAge + 1);
  // The year the manager turns sixty stays the same.
  EXPECT_EQ(year - career.managerAge, yearBefore - managerAge);
}

TEST_P(MonthScreenSoftware, TheSixthMonthInTheRedEndsTheCareerAtTheMainMenu) {
  openMonth();
  cash = -500;
  career.monthsInDebt = 5;
  d.clickHotspot(19);
  EXPECT_EQ(popup, 13);
  EXPECT_EQ(gameOver, 1);
  EXPECT_EQ(screenState, kMonthScreen);
  d.click(790, 590);  // the monthly pop-up
  EXPECT_EQ(popup, 13);
  d.click(790, 590);  // the message: a new world and the main menu
  EXPECT_EQ(screenState, kMainMenuScreen);
  EXPECT_EQ(gameOver, 0);
  EXPECT_EQ(popup, 0);
}

TEST_P(MonthScreenSoftware, RecordTableCountsDecisionsButNoDraws) {
  const int a = bookDueFight(0);
  ASSERT_GE(a, 0);
  const int b = bookDueFight(1);
  ASSERT_GE(b, 0);
  openMonth();
  const MonthRecordTable before = shownMonthRecord();
  const MonthRecordTable counted = countMonthRecord();
  EXPECT_EQ(std::memcmp(&before, &counted, sizeof before), 0);

  // A draw and a split-decision loss, written as a fight's end writes them.
  fights[a].winner = kDraw;
  fights[a].unanimous = 1;
  fights[b].winner = fights[b].boxerB;
  fights[b].unanimous = 0;
  d.click(25 + 30, 50);  // the table is counted on entry
  const MonthRecordTable after = shownMonthRecord();
  for (int c = 0; c < 4; ++c) EXPECT_EQ(after.wins[c], before.wins[c]) << c;
  for (int c = 0; c < 3; ++c) EXPECT_EQ(after.losses[c], before.losses[c]) << c;
  EXPECT_EQ(after.losses[3], before.losses[3] + 1);

  // A knockout win counts under "KO" only, whatever the cards say.
  fights[a].winner = fights[a].boxerA;
  fights[a].koRound = 3;
  fights[a].stopRound = -1;
  d.click(25 + 30, 50);
  EXPECT_EQ(shownMonthRecord().wins[0], before.wins[0] + 1);
  EXPECT_EQ(shownMonthRecord().wins[2], before.wins[2]);

  // Free records (no boxers, no winner) count nowhere.
  int decided = 0;
  for (const Fight& f : fights)
    if (f.boxerA >= 0 && f.winner >= 0 && f.winner != kDraw) ++decided;
  int total = 0;
  for (int c = 0; c < 4; ++c) total += shownMonthRecord().wins[c] + shownMonthRecord().losses[c];
  EXPECT_EQ(total, decided);
}

TEST_P(MonthScreenSoftware, HelpAndTheTutorialsLastPresses) {
  tutorialOn = 1;
  tutorialStep = 8;
  openMonth();
  d.click(600, 300);
  EXPECT_EQ(tutorialStep, 9);
  EXPECT_EQ(tutorialOn, 1);
  d.click(600, 300);
  EXPECT_EQ(tutorialOn, 0);
  EXPECT_EQ(tutorialStep, 0);

  d.move(790, 590);
  d.frame();
  const double quiet = d.meanBrightness(100, 535, 600, 40);
  d.move(200, 300);  // the record area
  d.frame(2);
  EXPECT_GT(d.meanBrightness(100, 535, 600, 40), quiet + 0.5);
  d.move(hotspots[19].x + 10, hotspots[19].y + 10);
  d.frame(2);
  EXPECT_EQ(hovered, 19);
  EXPECT_GT(d.meanBrightness(100, 535, 600, 40), quiet + 0.5);
}

INSTANTIATE_TEST_SUITE_P(Software, MonthScreenSoftware, ::testing::Values(false),
                         [](const auto&) { return std::string("Software"); });

}  // namespace
