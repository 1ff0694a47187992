// The boxer screen driven through the real main loop with injected clicks: its hotspots, the
// stable buttons, the left views and the four tabs, the training buttons at their limits, the
// contract buttons and their messages, the fight history and the ranking graph, the turning
// portrait, and the tutorial's TRAINING hook.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "career/contracts.h"
#include "career/training.h"
#include "career/world.h"
#include "gamedriver.h"
#include "graphics/KGraphic.h"
#include "mesh/KModel.h"
#include "mesh/KModelFactory.h"
#include "screens/boxer.h"
#include "support/renderers.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"

namespace {

uint32_t pixelAt(const std::vector<uint32_t>& p, int x, int y) { return p.at(size_t(y) * 800 + size_t(x)); }

// A fought fight of the table, written at a chosen index.
void putFight(int index, int a, int b, int winner, int ko, int stop, int unanimous, int pointsA, int pointsB, int m,
              int y) {
  Fight& f = fights[index];
  f = Fight{};
  f.boxerA = int16_t(a);
  f.boxerB = int16_t(b);
  f.winner = int16_t(winner);
  f.koRound = int16_t(ko);
  f.stopRound = int16_t(stop);
  f.unanimous = uint8_t(unanimous);
  f.pointsA = int16_t(pointsA);
  f.pointsB = int16_t(pointsB);
  f.month = int16_t(m);
  f.year = int16_t(y);
  f.rounds = 10;
}

// An opponent of the world who is not in the stable.
int opponent(int skip = -1) {
  for (int i = 0; i < kBoxerCount; ++i)
    if (boxers[i].manager != kPlayer && boxers[i].nation != kFirstNameOnlyNation && i != skip) return i;
  return -1;
}

class BoxerScreen : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { boot(GetParam()); }
  void boot(bool openGL) {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(openGL));
    // The figure of the boxer screen, when the shell has not made one.
    if (!boxerModel) {
      ownModel = KTools::CreateModel();
      if (ownModel && ownModel->LoadK3D(KTools::GetDataPath("data\\boxer01.k3d"), false)) boxerModel = ownModel;
    }
    d.frame(2);
    ASSERT_EQ(screenState, kMainMenuScreen);
    boxerTurnAngle = 200;
    d.clickHotspot(3);  // quick start
    ASSERT_EQ(screenState, kBoxerScreen);
    d.move(600, 580);  // away from every button
  }
  void TearDown() override {
    if (ownModel) {
      if (boxerModel == ownModel) boxerModel = nullptr;
      delete ownModel;
      ownModel = nullptr;
    }
  }
  int slot() const { return stableSlotOf(selectedBoxer); }
  void closePopup() {
    d.click(600, 580);
    ASSERT_EQ(popup, 0);
  }
  GameDriver d;
  KModel* ownModel = nullptr;
};

class BoxerScreenSoftware : public BoxerScreen {
 protected:
  void SetUp() override { boot(false); }
};

// ---- Entry and switching ---------------------------------------------------------------------

TEST_F(BoxerScreenSoftware, EntryLaysOutThirtyThreeHotspotsForTwoBoxers) {
  EXPECT_EQ(hotspotCount, 33);
  EXPECT_EQ(gameInProgress, 1);
  EXPECT_EQ(panelSelector, 1);
  EXPECT_EQ(selectedBoxer, career.stable[0]);
  EXPECT_EQ(currentSlot, 0);
  EXPECT_LT(boxerTurnAngle, 5.0f);  // from 0, half a degree a frame since
  for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 32}) EXPECT_EQ(hotspots[i].state, 1) << i;
  for (int i = 15; i <= 31; ++i) EXPECT_EQ(hotspots[i].state, -1) << i;
  EXPECT_EQ(hotspots[32].srcX, 657);
  EXPECT_EQ(hotspots[32].srcY, 958);
  EXPECT_EQ(hotspots[12].y, 239 + 90);
  // The stable buttons carry the category's image and stand 65 pixels apart.
  for (int j = 0; j < 2; ++j) {
    const int category = boxers[career.stable[j]].category;
    const int c = category <= 3 ? 1 : category <= 8 ? 2 : 3;
    EXPECT_EQ(hotspots[13 + j].srcY, 621 + 55 * c);
    EXPECT_EQ(hotspots[13 + j].x, 434);
    EXPECT_EQ(hotspots[13 + j].y, 110 + 65 * j);
  }
  // The software renderer shows the boxer's photo.
  ASSERT_NE(skinPicture, nullptr);
  EXPECT_EQ(skinPicture->GetWidth(), 256.0f);
}

TEST_F(BoxerScreenSoftware, AWeightNameFillingItsFieldIsDrawnWithoutRunningPastIt) {
  // weights.ini may give a name of 20 characters or more: the field then holds no terminator.
  WeightName& w = weightNames[boxers[career.stable[0]].category];
  const WeightName kept = w;
  std::memset(w.name, 'W', sizeof w.name);
  w.limitLbs = int16_t(0x5858);  // "XX" right after the name, as the next bytes of the table
  bool seen = false;
  for (const DrawnText& t : d.drawnText()) {
    EXPECT_EQ(std::string(t.text).find('X'), std::string::npos) << t.text;
    seen = seen || std::string(t.text) == std::string(20, 'W');
  }
  w = kept;
  EXPECT_TRUE(seen);
}

TEST_F(BoxerScreenSoftware, StableButtonsSelectTheirBoxer) {
  d.clickHotspot(14);
  EXPECT_EQ(selectedBoxer, career.stable[1]);
  EXPECT_EQ(currentSlot, 1);
  d.clickHotspot(13);
  EXPECT_EQ(selectedBoxer, career.stable[0]);
  EXPECT_EQ(currentSlot, 0);
}

TEST_F(BoxerScreenSoftware, ViewAndPanelButtonsSwitchWhatIsShown) {
  d.clickHotspot(8);
  EXPECT_EQ(leftPanel, 1);
  d.clickHotspot(32);
  EXPECT_EQ(leftPanel, 2);
  d.clickHotspot(7);
  EXPECT_EQ(leftPanel, 0);
  d.clickHotspot(10);
  EXPECT_EQ(panelSelector, 2);
  for (int i = 19; i <= 31; ++i) EXPECT_EQ(hotspots[i].state, 1) << i;  // the training buttons
  d.clickHotspot(11);
  EXPECT_EQ(panelSelector, 3);
  for (int i = 19; i <= 31; ++i) EXPECT_EQ(hotspots[i].state, -1) << i;
  d.clickHotspot(12);
  EXPECT_EQ(panelSelector, 4);
  for (int i = 19; i <= 21; ++i) EXPECT_EQ(hotspots[i].state, 1) << i;  // talk, release, renew
  for (int i = 22; i <= 31; ++i) EXPECT_EQ(hotspots[i].state, -1) << i;
  d.clickHotspot(9);
  EXPECT_EQ(panelSelector, 1);
}

TEST_F(BoxerScreenSoftware, TheBoxerAtIndexZeroHasHisTabs) {
  // Put boxer 0 into the second slot: he is a boxer like any other.
  const int old = career.stable[1];
  boxers[old].manager = kFree;
  career.stable[1] = 0;
  boxers[0].manager = kPlayer;
  d.click(25 + 75 + 30, 50);  // tab 2 enters the screen again
  d.clickHotspot(14);
  ASSERT_EQ(selectedBoxer, 0);
  for (int i = 9; i <= 12; ++i) EXPECT_EQ(hotspots[i].state, 1) << i;
  d.clickHotspot(12);
  EXPECT_EQ(panelSelector, 4);
}

// ---- Training ---------------------------------------------------------------------------------

TEST_F(BoxerScreenSoftware, TrainingButtonsMovePointsWithinTheirLimits) {
  d.clickHotspot(10);
  const int s = slot();
  ASSERT_GE(s, 0);
  for (int t = 0; t < kTrainingTypes; ++t) training[s][t] = 0;
  trainingPoints[s] = 25;
  const int plus0 = 20, minus0 = 19;  // endurance
  for (int i = 0; i < 9; ++i) d.clickHotspot(plus0);
  EXPECT_EQ(training[s][0], 9);
  EXPECT_EQ(trainingPoints[s], 16);
  // A tenth point is refused, with the refusal sound.
  const uint32_t cancels = soundRequests[kSoundCancel];
  d.advanceClock(1000);
  d.clickHotspot(plus0);
  EXPECT_EQ(training[s][0], 9);
  EXPECT_EQ(trainingPoints[s], 16);
  EXPECT_EQ(soundRequests[kSoundCancel], cancels + 1);
  d.clickHotspot(minus0);
  EXPECT_EQ(training[s][0], 8);
  EXPECT_EQ(trainingPoints[s], 17);
  // Nothing below 0.
  d.clickHotspot(19 + 2 * 5);  // stamina minus
  EXPECT_EQ(training[s][5], 0);
  EXPECT_EQ(trainingPoints[s], 17);
  // An empty pool refuses every plus.
  trainingPoints[s] = 0;
  for (int t = 0; t < kTrainingTypes; ++t) {
    d.clickHotspot(20 + 2 * t);
    EXPECT_EQ(trainingPoints[s], 0);
  }
  EXPECT_EQ(training[s][1], 0);
  EXPECT_EQ(training[s][0], 8);
}

TEST_F(BoxerScreenSoftware, HoldingATrainingButtonRepeatsFasterAndRefusesQuietly) {
  d.clickHotspot(10);
  const int s = slot();
  for (int t = 0; t < kTrainingTypes; ++t) training[s][t] = 0;
  trainingPoints[s] = 25;
  const Hotspot plus = hotspots[22];  // quickness plus
  d.move(plus.x + 9, plus.y + 10);
  d.press(plus.x + 9, plus.y + 10);
  d.frame(62);  // about a second: steps at 0, 200, 375, 525, 650, 750, 850, 950 ms
  d.release(plus.x + 9, plus.y + 10);
  EXPECT_GE(training[s][1], 6);
  EXPECT_LE(training[s][1], 8);
  EXPECT_EQ(training[s][1] + trainingPoints[s], 25);
  // Held at the bottom, each step is refused but the sound comes at most every 750 ms.
  const Hotspot minus = hotspots[23];  // agility minus, at 0
  d.frame(60);
  const uint32_t cancels = soundRequests[kSoundCancel];
  d.move(minus.x + 9, minus.y + 10);
  d.press(minus.x + 9, minus.y + 10);
  d.frame(62);
  d.release(minus.x + 9, minus.y + 10);
  EXPECT_EQ(training[s][2], 0);
  EXPECT_GE(soundRequests[kSoundCancel], cancels + 1);
  EXPECT_LE(soundRequests[kSoundCancel], cancels + 2);
}

TEST_F(BoxerScreenSoftware, ResetGivesTheDaysOfTheMonth) {
  d.clickHotspot(10);
  const int s = slot();
  training[s][3] = 5;
  trainingPoints[s] = 2;
  month = 1;
  year = 2008;
  d.clickHotspot(31);
  EXPECT_EQ(trainingPoints[s], 29);
  for (int t = 0; t < kTrainingTypes; ++t) EXPECT_EQ(training[s][t], 0) << t;
  month = 3;
  d.clickHotspot(31);
  EXPECT_EQ(trainingPoints[s], 30);
}

TEST_F(BoxerScreenSoftware, TheTrainingButtonMovesTheTutorialOn) {
  tutorialOn = 1;
  tutorialStep = 0;
  d.clickHotspot(11);  // another tab does not
  EXPECT_EQ(tutorialStep, 0);
  d.clickHotspot(10);
  EXPECT_EQ(tutorialStep, 1);
  d.clickHotspot(10);
  EXPECT_EQ(tutorialStep, 1);
  tutorialOn = 0;
}

// ---- Contract ---------------------------------------------------------------------------------

TEST_F(BoxerScreenSoftware, TalkOncePerMonth) {
  d.clickHotspot(12);
  const int s = slot();
  talkedThisMonth[s] = 0;
  d.clickHotspot(19);
  EXPECT_TRUE(popup == 8 || popup == 9 || popup == 10) << popup;
  EXPECT_EQ(talkedThisMonth[s], 1);
  closePopup();
  EXPECT_EQ(hotspots[19].state, -1);
  const int16_t morale = boxers[selectedBoxer].morale;
  d.clickHotspot(19);
  EXPECT_EQ(popup, 0);
  EXPECT_EQ(boxers[selectedBoxer].morale, morale);
}

TEST_F(BoxerScreenSoftware, ReleaseIsRefusedWithAFightBookedAndForTheLastBoxer) {
  d.clickHotspot(12);
  d.clickHotspot(14);  // the second boxer
  ASSERT_EQ(panelSelector, 4);
  const int s = slot();
  const int leaving = selectedBoxer;
  stableBusy[s] = 1;
  d.clickHotspot(20);
  EXPECT_EQ(popup, 35);
  EXPECT_EQ(countStable(), 2);
  closePopup();
  stableBusy[s] = 0;
  boxers[leaving].contractMonths = 10;
  const int fee = 10 * (18 - boxers[leaving].category) / 2;
  const int32_t before = cash;
  d.clickHotspot(20);
  EXPECT_EQ(countStable(), 1);
  EXPECT_EQ(cash, before - fee);
  EXPECT_EQ(boxers[leaving].manager, kFree);
  EXPECT_EQ(selectedBoxer, career.stable[0]);
  EXPECT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(hotspots[14].state, -1);  // one stable button left
  d.clickHotspot(12);
  d.clickHotspot(20);
  EXPECT_EQ(popup, 11);
  EXPECT_EQ(countStable(), 1);
}

TEST_F(BoxerScreenSoftware, ABoxerWhoseContractRanOutIsReleasedForNothing) {
  d.clickHotspot(12);
  d.clickHotspot(14);  // the second boxer
  ASSERT_EQ(panelSelector, 4);
  Boxer& b = boxers[selectedBoxer];
  const int leaving = selectedBoxer;
  b.retiring = 1;  // a retiring boxer stays on after his contract ran out
  // The release button's help line under the pointer (its fee at y 560).
  auto feeLine = [&](int months) {
    b.contractMonths = int16_t(months);
    d.move(hotspots[20].x + hotspots[20].width / 2, hotspots[20].y + hotspots[20].height / 2);
    d.frame(2);
    const std::vector<uint32_t> p = d.pixels();
    return std::vector<uint32_t>(p.begin() + 553 * 800, p.begin() + 576 * 800);
  };
  const std::vector<uint32_t> free = feeLine(0), ranOut = feeLine(-2), owed = feeLine(10);
  EXPECT_NE(free, owed);  // the line shows the fee
  EXPECT_EQ(free, ranOut) << "a contract that ran out must read \"Cost: 0 $\"";
  b.contractMonths = -2;
  EXPECT_EQ(releaseFee(), 0);
  const int32_t before = cash;
  d.clickHotspot(20);
  EXPECT_EQ(cash, before);
  EXPECT_EQ(boxers[leaving].manager, kFree);
  EXPECT_EQ(countStable(), 1);
}

TEST_F(BoxerScreenSoftware, RenewalIsRefusedFromNineMonths) {
  d.clickHotspot(12);
  Boxer& b = boxers[selectedBoxer];
  b.contractMonths = 9;
  d.clickHotspot(21);
  EXPECT_EQ(popup, 25);
  EXPECT_EQ(b.contractMonths, 9);
  closePopup();
  b.contractMonths = 8;
  d.clickHotspot(21);
  EXPECT_EQ(popup, 24);
  EXPECT_GE(b.contractMonths, 14);
  EXPECT_LE(b.contractMonths, 13 + career.managerSkills[kNegotiationSkill]);
}

// ---- Left panel ---------------------------------------------------------------------------------

TEST_F(BoxerScreenSoftware, HistoryListsNewestFirstNineAtMost) {
  const int me = selectedBoxer;
  const int other = opponent();
  ASSERT_GE(other, 0);
  HistoryRow rows[kHistoryRows];
  for (int i = 0; i < kFightCount; ++i)
    if (fights[i].boxerA == me) fights[i].boxerA = -1;
  EXPECT_EQ(boxerHistory(me, rows), 0);
  // Twelve fights, plus one not fought yet and one of another boxer.
  for (int i = 0; i < 12; ++i) putFight(9000 + i, me, other, me, 3, -1, 0, 0, 0, i, 2008);
  putFight(9100, me, other, -1, -1, -1, 0, 0, 0, 5, 2009);
  putFight(9101, career.stable[1], other, other, 2, -1, 0, 0, 0, 5, 2009);
  ASSERT_EQ(boxerHistory(me, rows), 9);
  EXPECT_EQ(rows[0].fight, 9011);
  EXPECT_EQ(rows[8].fight, 9003);
  char expected[128];
  std::snprintf(expected, sizeof expected, "(%s/2008) vs. %.1s. %s", monthNames[11], firstNameOf(boxers[other]),
                surnameOf(boxers[other]));
  EXPECT_STREQ(rows[0].heading, expected);
  EXPECT_STREQ(rows[0].result, "VICTORY by K.O. at 3 round");
  EXPECT_EQ(rows[0].band[1], 0.8f);
  for (int i = 0; i < 12; ++i) fights[9000 + i].boxerA = -1;
  fights[9100].boxerA = fights[9101].boxerA = -1;
}

TEST_F(BoxerScreenSoftware, HistoryResultLines) {
  const int me = selectedBoxer;
  const int other = opponent();
  for (int i = 0; i < kFightCount; ++i)
    if (fights[i].boxerA == me) fights[i].boxerA = -1;
  putFight(9200, me, other, me, -1, -1, 1, 348, 330, 0, 2008);      // unanimous win on points
  putFight(9201, me, other, other, -1, -1, 0, 280, 290, 1, 2008);   // split loss
  putFight(9202, me, other, kDraw, -1, -1, 0, 285, 285, 2, 2008);   // split draw
  putFight(9203, me, other, other, -1, 7, 0, 0, 0, 3, 2008);        // stopped
  putFight(9204, me, other, kDraw, -1, -1, 1, 300, 300, 4, 2008);   // unanimous draw
  putFight(9205, me, 0, 0, 4, -1, 0, 0, 0, 5, 2008);                // lost to boxer 0 by K.O.
  HistoryRow rows[kHistoryRows];
  ASSERT_EQ(boxerHistory(me, rows), 6);
  EXPECT_STREQ(rows[0].result, "LOST by K.O. at 4 round");
  EXPECT_STREQ(rows[1].result, "DRAW by Unanim.Dec. (100-100)");
  EXPECT_STREQ(rows[2].result, "LOST by T.K.O. at 7 round");
  EXPECT_STREQ(rows[3].result, "DRAW by Split Dec. (95-95)");
  EXPECT_STREQ(rows[4].result, "LOST by Split Dec. (93-96)");
  EXPECT_STREQ(rows[5].result, "VICTORY by Unanim.Dec. (116-110)");
  EXPECT_EQ(rows[3].band[2], 0.6f);
  EXPECT_EQ(rows[4].band[0], 1.0f);
  // On the screen: the bands behind the result lines.
  d.clickHotspot(8);
  d.move(600, 580);
  const std::vector<uint32_t> p = d.pixels();
  ASSERT_EQ(p.size(), 800u * 600u);
  const uint32_t loss = pixelAt(p, 298, 132 + 12 + 6), win = pixelAt(p, 298, 132 + 26 * 5 + 12 + 6);
  EXPECT_GT((loss >> 16) & 0xFF, (loss >> 8) & 0xFF) << std::hex << loss;
  EXPECT_GT((win >> 8) & 0xFF, (win >> 16) & 0xFF) << std::hex << win;
  for (int i = 9200; i <= 9205; ++i) fights[i].boxerA = -1;
}

TEST_F(BoxerScreenSoftware, GraphColoursFollowTheRankOfTheMonthBefore) {
  Boxer& b = boxers[selectedBoxer];
  const int16_t history[12] = {10, 20, 20, 15, 0, 150, 40, 40, 40, 40, 40, 40};
  std::memcpy(b.rankHistory, history, sizeof history);
  EXPECT_EQ(rankBarColour(b, 0), RankBar::Green);  // 10 after 20
  EXPECT_EQ(rankBarColour(b, 1), RankBar::Gray);   // 20 after 20
  EXPECT_EQ(rankBarColour(b, 2), RankBar::Red);    // 20 after 15
  EXPECT_EQ(rankBarColour(b, 4), RankBar::None);   // no rank
  EXPECT_EQ(rankBarColour(b, 5), RankBar::None);   // outside the top 100
  EXPECT_EQ(rankBarColour(b, 11), RankBar::Gray);  // the oldest month
  d.clickHotspot(32);
  d.move(600, 580);
  const std::vector<uint32_t> p = d.pixels();
  ASSERT_EQ(p.size(), 800u * 600u);
  EXPECT_EQ(pixelAt(p, 289, 340), 0x00FF00u);            // k = 0
  EXPECT_EQ(pixelAt(p, 289 - 21, 340), 0x999999u);       // k = 1
  EXPECT_EQ(pixelAt(p, 289 - 42, 340), 0xFF0000u);       // k = 2
  EXPECT_NE(pixelAt(p, 289 - 84, 340), 0xFF0000u);       // k = 4: no bar
  // The bar of rank 10 starts at y 205, that of rank 20 at 220.
  EXPECT_EQ(pixelAt(p, 289, 207), 0x00FF00u);
  EXPECT_NE(pixelAt(p, 289 - 21, 215), 0x999999u);
}

TEST(BoxerScreenRules, WeightsInKilograms) {
  char text[32];
  formatKilograms(154, text, sizeof text);
  EXPECT_STREQ(text, "69.9 kgs");
  formatKilograms(250, text, sizeof text);
  EXPECT_STREQ(text, "113.4 kgs");
}

TEST(BoxerScreenRules, ScoutingFactor) {
  EXPECT_EQ(scoutingFactor(0), 0.3f);
  EXPECT_EQ(scoutingFactor(4), 0.3f);
  EXPECT_EQ(scoutingFactor(5), 0.5f);
  EXPECT_EQ(scoutingFactor(9), 0.5f);
  EXPECT_EQ(scoutingFactor(10), 0.7f);
  EXPECT_EQ(scoutingFactor(14), 0.7f);
  EXPECT_EQ(scoutingFactor(15), 1.0f);
}

TEST_F(BoxerScreenSoftware, DragInThePortraitTurnsTheBoxer) {
  d.clickHotspot(7);
  d.move(600, 580);
  const float before = boxerTurnAngle;
  d.frame(10);
  EXPECT_NEAR(boxerTurnAngle, before + 5.0f, 0.01f);  // half a degree every 16 ms frame
  d.move(200, 250);
  d.press(200, 250);
  d.move(260, 250);
  EXPECT_EQ(boxerTurnAngle, 110.0f);
  d.move(120, 250);
  EXPECT_EQ(boxerTurnAngle, -30.0f);
  d.release(120, 250);
}

// ---- Both renderers: every panel, looked at --------------------------------------------------

TEST_P(BoxerScreen, EveryPanelDraws) {
  const int me = selectedBoxer;
  const int other = opponent(), third = opponent(other);
  for (int i = 0; i < kFightCount; ++i)
    if (fights[i].boxerA == me) fights[i].boxerA = -1;
  putFight(9300, me, other, me, -1, -1, 1, 348, 330, 1, 2008);
  putFight(9301, me, third, third, -1, -1, 0, 280, 290, 4, 2008);
  putFight(9302, me, other, kDraw, -1, -1, 0, 285, 285, 6, 2008);
  putFight(9303, me, third, me, 6, -1, 0, 0, 0, 9, 2008);
  putFight(9304, me, other, me, -1, 8, 0, 0, 0, 11, 2008);
  const int16_t ranks[12] = {12, 14, 14, 19, 23, 21, 30, 34, 34, 41, 55, 60};
  std::memcpy(boxers[me].rankHistory, ranks, sizeof ranks);

  // The portrait: the photo, or the turning figure, over the stage.
  d.clickHotspot(7);
  d.move(600, 580);
  const std::vector<uint32_t> first = d.pixels();
  ASSERT_EQ(first.size(), 800u * 600u);
  d.keepScreenshot("boxer-portrait");
  if (GetParam() && boxerModel) {
    // The figure turns: the portrait changes as the angle moves on.
    d.frame(60);
    const std::vector<uint32_t> later = d.pixels();
    int changed = 0;
    for (int y = 120; y < 340; ++y)
      for (int x = 50; x < 296; ++x) changed += pixelAt(first, x, y) != pixelAt(later, x, y);
    EXPECT_GT(changed, 500);
  }
  d.clickHotspot(8);
  d.move(600, 580);
  d.keepScreenshot("boxer-history");
  d.clickHotspot(32);
  d.move(600, 580);
  d.keepScreenshot("boxer-graph");
  d.clickHotspot(7);
  d.move(120, 430);  // over a skill row: its help
  d.keepScreenshot("boxer-skills");
  d.clickHotspot(10);
  const int s = slot();
  training[s][0] = 4, training[s][1] = 3, training[s][2] = 5, training[s][3] = 6, training[s][4] = 2, training[s][5] = 1;
  trainingPoints[s] = 4;
  d.move(hotspots[20].x + 9, hotspots[20].y + 10);
  d.keepScreenshot("boxer-training");
  d.clickHotspot(11);
  d.move(200, 440);
  d.keepScreenshot("boxer-personal");
  d.clickHotspot(12);
  d.move(hotspots[20].x + 48, hotspots[20].y + 11);
  d.keepScreenshot("boxer-condition");
  EXPECT_EQ(panelSelector, 4);
  for (int i = 9300; i <= 9304; ++i) fights[i].boxerA = -1;
}

INSTANTIATE_TEST_SUITE_P(Renderers, BoxerScreen, ::testing::Values(false, true),
                         rendererName);

}  // namespace
