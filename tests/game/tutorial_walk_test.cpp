// The quickstart tutorial walked from its first step to its end with the player's own clicks on
// the real buttons: the voice file loaded at each step, the panel on each screen it belongs to,
// and the tutorial switched off after the last press on the month screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "career/rankings.h"
#include "career/training.h"
#include "career/world.h"
#include "gamedriver.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "screens/tutorialpanel.h"
#include "ui/tutorial.h"

namespace {

std::string voice(int n) {
  char name[40];
  std::snprintf(name, sizeof name, "data\\snd\\tutorial%02d.ogg", n);
  return name;
}

class TutorialWalk : public ::testing::Test {
 protected:
  void clickHotspot(int index) { d.clickHotspot(index); }
  void tab(int k) { d.click(25 + 75 * (k - 1) + 30, 50); }
  // The pointer away from every button, a frame drawn, the panel kept as a picture.
  void look(const std::string& name) {
    d.move(790, 595);
    d.frame(2);
    EXPECT_TRUE(tutorialPanelShown) << name;
    d.keepScreenshot("tutorial-" + name);
  }
  void TearDown() override {
    tutorialOn = 0;
    tutorialStep = 0;
  }
  GameDriver d;
};

}  // namespace

TEST_F(TutorialWalk, FromTheFirstStepToTheEndByRealClicks) {
  tutorialOn = 1;
  tutorialStep = 0;
  lastTutorialVoice[0] = 0;
  ASSERT_TRUE(d.bootGame(false));
  d.frame(2);
  ASSERT_EQ(screenState, kMainMenuScreen);
  clickHotspot(3);  // quick start
  ASSERT_EQ(screenState, kBoxerScreen);
  ASSERT_EQ(countStable(), 2);
  // Both boxers fit to fight, so that a name of the list can be chosen.
  for (int s = 0; s < 2; ++s) boxers[career.stable[s]].fitness = std::max<int16_t>(boxers[career.stable[s]].fitness, 6);

  // Step 0: the boxer screen, the first voice.
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_EQ(lastTutorialVoice, voice(1));
  look("boxer");
  // Tab 3 at step 0 moves nothing on.
  tab(3);
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_FALSE(tutorialPanelShown);
  tab(2);
  ASSERT_EQ(screenState, kBoxerScreen);

  // Step 0 -> 1: the TRAINING button.
  clickHotspot(10);
  EXPECT_EQ(tutorialStep, 1);
  EXPECT_EQ(lastTutorialVoice, voice(2));
  look("boxer-training");

  // Step 1 -> 2: tab 3.
  tab(3);
  ASSERT_EQ(screenState, kFinancesScreen);
  EXPECT_EQ(tutorialStep, 2);
  EXPECT_EQ(lastTutorialVoice, voice(3));
  look("finances");

  // Step 2 -> 3: the page arrow (hotspot 11) to the advertising page.
  clickHotspot(11);
  EXPECT_EQ(financePage, 1);
  EXPECT_EQ(tutorialStep, 3);
  EXPECT_EQ(lastTutorialVoice, voice(4));
  look("finances-advertising");

  // Step 3 -> 4: tab 4.
  tab(4);
  ASSERT_EQ(screenState, kRankingsScreen);
  EXPECT_EQ(tutorialStep, 4);
  EXPECT_EQ(lastTutorialVoice, voice(5));
  look("rankings");

  // Step 4 -> 5: an arrow under the boxer selector; back to the first boxer moves nothing on.
  clickHotspot(10);
  EXPECT_EQ(tutorialStep, 5);
  EXPECT_EQ(lastTutorialVoice, voice(6));
  clickHotspot(9);
  EXPECT_EQ(tutorialStep, 5);
  ASSERT_EQ(selectedBoxer, career.stable[0]);
  look("rankings-name");

  // Step 5 -> 6: the name of an opponent the rules allow (no voice); no panel at step 6.
  const int r = boxers[selectedBoxer].rank;
  int row = -1;
  for (int offset : {-1, -2, -3, 1, 2, 3}) {
    const int candidateRow = r + offset - 1 - rankingPage;
    if (candidateRow < 0 || candidateRow >= 20) continue;
    d.click(520, 124 + 17 * candidateRow + 8);
    if (popup <= 0 && opponent >= 0) {
      row = candidateRow;
      break;
    }
    d.click(790, 595);
  }
  ASSERT_GE(row, 0);
  EXPECT_EQ(tutorialStep, 6);
  EXPECT_EQ(lastTutorialVoice, voice(6));
  d.move(790, 595);
  d.frame(2);
  EXPECT_FALSE(tutorialPanelShown);

  // Step 6 -> 7: OK books the fight.
  clickHotspot(13);
  EXPECT_EQ(stableBusy[0], 1);
  EXPECT_EQ(tutorialStep, 7);
  EXPECT_EQ(lastTutorialVoice, voice(7));
  look("rankings-fight-set");

  // Step 7 -> 8: tab 1.
  tab(1);
  ASSERT_EQ(screenState, kMonthScreen);
  EXPECT_EQ(tutorialStep, 8);
  EXPECT_EQ(lastTutorialVoice, voice(8));
  look("month");

  // Steps 8 -> 9 -> the end: two presses on the month screen, away from its buttons.
  d.click(600, 300);
  EXPECT_EQ(tutorialStep, 9);
  EXPECT_EQ(tutorialOn, 1);
  d.move(790, 595);
  d.frame(2);
  EXPECT_TRUE(tutorialPanelShown);
  d.click(600, 300);
  EXPECT_EQ(tutorialOn, 0);
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_EQ(screenState, kMonthScreen);
  d.frame(2);
  EXPECT_FALSE(tutorialPanelShown);
  // Nothing the walk did is undone: the fight stays booked for the coming month.
  EXPECT_EQ(stableBusy[0], 1);
}
