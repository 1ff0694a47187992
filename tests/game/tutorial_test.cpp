// The quickstart tutorial in the running game: its panel, its voices, F1, and what closes it.
#include <gtest/gtest.h>

#include <cstring>

#include "career/world.h"
#include "fight/bout.h"
#include "gamedriver.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "screens/tutorialpanel.h"
#include "ui/tutorial.h"

namespace {

class Tutorial : public ::testing::Test {
 protected:
  void SetUp() override {
    tutorialOn = 1;
    tutorialStep = 0;
    lastTutorialVoice[0] = 0;
    ASSERT_TRUE(d.bootGame(false));
    d.frame(2);
    clickHotspot(3);  // quick start
    ASSERT_EQ(screenState, kBoxerScreen);
    d.frame(2);
  }
  void TearDown() override {
    tutorialOn = 0;
    tutorialStep = 0;
  }
  void clickHotspot(int index) { d.clickHotspot(index); }
  void tab(int k) { d.click(25 + 75 * (k - 1) + 30, 50); }
  GameDriver d;
};

}  // namespace

TEST_F(Tutorial, TheFirstVoicePlaysOnTheBoxerScreenAndThePanelShows) {
  EXPECT_STREQ(lastTutorialVoice, "data\\snd\\tutorial01.ogg");
  EXPECT_TRUE(tutorialPanelShown);
  d.keepScreenshot("tutorial-step0");
}

TEST_F(Tutorial, TabThreeAtStepZeroDoesNotAdvanceIt) {
  tab(3);
  EXPECT_EQ(screenState, kFinancesScreen);
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_FALSE(tutorialPanelShown);  // step 0 shows on the boxer screen only
}

TEST_F(Tutorial, TabsAdvanceTheirStepsWithTheirVoices) {
  tutorialStep = 1;
  tab(3);
  EXPECT_EQ(tutorialStep, 2);
  EXPECT_STREQ(lastTutorialVoice, "data\\snd\\tutorial03.ogg");
  EXPECT_TRUE(tutorialPanelShown);
  tutorialStep = 3;
  tab(4);
  EXPECT_EQ(tutorialStep, 4);
  EXPECT_STREQ(lastTutorialVoice, "data\\snd\\tutorial05.ogg");
  tutorialStep = 7;
  tab(1);
  EXPECT_EQ(tutorialStep, 8);
  EXPECT_STREQ(lastTutorialVoice, "data\\snd\\tutorial08.ogg");
}

TEST_F(Tutorial, NoPanelAtStepSix) {
  tutorialStep = 6;
  for (int k : {2, 3, 4, 5, 1}) {
    tab(k);
    d.frame();
    EXPECT_FALSE(tutorialPanelShown) << "tab " << k;
  }
}

TEST_F(Tutorial, AfterEscapeNoPanelUntilAMessageWasOpenedAndClosed) {
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(popup, -1);
  d.frame();
  EXPECT_FALSE(tutorialPanelShown);
  popup = 8;
  d.frame();
  EXPECT_FALSE(tutorialPanelShown);
  d.click(400, 300);
  EXPECT_EQ(popup, 0);
  d.frame();
  EXPECT_TRUE(tutorialPanelShown);
}

TEST_F(Tutorial, F1OffAndOnRestartsAtStepZeroAndReplaysTheFirstVoice) {
  tutorialStep = 3;
  d.key(SDL_SCANCODE_F1, SDLK_F1);
  EXPECT_EQ(tutorialOn, 0);
  d.frame();
  EXPECT_FALSE(tutorialPanelShown);
  d.key(SDL_SCANCODE_F1, SDLK_F1);
  EXPECT_EQ(tutorialOn, 1);
  EXPECT_EQ(tutorialStep, 0);
  lastTutorialVoice[0] = 0;
  tab(3);
  tab(2);
  EXPECT_STREQ(lastTutorialVoice, "data\\snd\\tutorial01.ogg");
}

TEST_F(Tutorial, SpaceHurtsThePlayersBoxerAndF4EntersTheScreenAgain) {
  const int16_t before = injuries[1][2];
  d.key(SDL_SCANCODE_SPACE, SDLK_SPACE);
  EXPECT_EQ(injuries[1][2], before + 10);
  hotspots[3].state = -1;
  d.key(SDL_SCANCODE_F4, SDLK_F4);
  EXPECT_EQ(hotspots[3].state, 1);
}
