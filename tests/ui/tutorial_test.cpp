#include "ui/tutorial.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Tutorial : public ::testing::Test {
 protected:
  void SetUp() override {
    tutorialOn = 1;
    tutorialStep = 0;
  }
};

TEST_F(Tutorial, TheWholeWalkThrough) {
  using A = TutorialAction;
  EXPECT_STREQ(tutorialVoiceOnBoxerScreen(), "data\\snd\\tutorial01.ogg");
  // Tab 3 at step 0 does not move it: only the TRAINING button does.
  EXPECT_EQ(tutorialAdvance(A::FinancesTab), nullptr);
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_STREQ(tutorialAdvance(A::TrainingButton), "data\\snd\\tutorial02.ogg");
  EXPECT_STREQ(tutorialAdvance(A::FinancesTab), "data\\snd\\tutorial03.ogg");
  EXPECT_STREQ(tutorialAdvance(A::FinancePageArrow), "data\\snd\\tutorial04.ogg");
  EXPECT_STREQ(tutorialAdvance(A::RankingsTab), "data\\snd\\tutorial05.ogg");
  EXPECT_EQ(tutorialStep, 4);
  // Either arrow advances step 4, and only once.
  EXPECT_STREQ(tutorialAdvance(A::RankingsBoxerArrow), "data\\snd\\tutorial06.ogg");
  EXPECT_EQ(tutorialAdvance(A::RankingsBoxerArrow), nullptr);
  EXPECT_EQ(tutorialStep, 5);
  EXPECT_EQ(tutorialAdvance(A::RankingsName), nullptr);  // no voice
  EXPECT_EQ(tutorialStep, 6);
  EXPECT_STREQ(tutorialAdvance(A::FightArranged), "data\\snd\\tutorial07.ogg");
  EXPECT_STREQ(tutorialAdvance(A::MonthTab), "data\\snd\\tutorial08.ogg");
  EXPECT_EQ(tutorialStep, 8);
  EXPECT_EQ(tutorialAdvance(A::MonthScreenPress), nullptr);
  EXPECT_EQ(tutorialStep, 9);
  EXPECT_EQ(tutorialAdvance(A::MonthScreenPress), nullptr);
  EXPECT_EQ(tutorialOn, 0);
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_EQ(tutorialAdvance(A::TrainingButton), nullptr);  // off: nothing moves
}

TEST_F(Tutorial, PanelsShowOnTheirScreenOnly) {
  TutorialPanel p;
  EXPECT_TRUE(tutorialPanel(3, 0, p));
  EXPECT_EQ(p.x, 470);
  EXPECT_STREQ(p.title, "QUICKSTART TUTORIAL");
  EXPECT_NE(std::string(p.text).find("press F1 to quit"), std::string::npos);
  EXPECT_FALSE(tutorialPanel(5, 0, p));
  EXPECT_FALSE(tutorialPanel(3, -1, p));  // after Escape
  EXPECT_FALSE(tutorialPanel(3, 12, p));  // under a message window
  tutorialStep = 4;
  ASSERT_TRUE(tutorialPanel(6, 0, p));
  EXPECT_EQ(p.x, 70);
  EXPECT_EQ(p.textX1, 85);
  EXPECT_EQ(p.textX2, 305);
  tutorialStep = 6;
  for (int screen = 1; screen <= 12; ++screen) EXPECT_FALSE(tutorialPanel(screen, 0, p));
  tutorialStep = 9;
  ASSERT_TRUE(tutorialPanel(11, 0, p));
  EXPECT_STREQ(p.title, "FINAL STEP");
}

TEST_F(Tutorial, F1SwitchesOffAndRestartsAtTheFirstStep) {
  tutorialStep = 5;
  tutorialToggle();
  EXPECT_EQ(tutorialOn, 0);
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_EQ(tutorialVoiceOnBoxerScreen(), nullptr);
  tutorialToggle();
  EXPECT_EQ(tutorialOn, 1);
  EXPECT_EQ(tutorialStep, 0);
  EXPECT_STREQ(tutorialVoiceOnBoxerScreen(), "data\\snd\\tutorial01.ogg");
}

}  // namespace
