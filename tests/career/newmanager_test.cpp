#include <gtest/gtest.h>

#include <cstdlib>

#include "career/generation.h"
#include "career/newmanager.h"
#include "career/world.h"

namespace {

TEST(NewManager, SkillPointsMoveWithinTheirBounds) {
  career.freeSkillPoints = 2;
  for (int16_t& s : career.managerSkills) s = 1;
  EXPECT_FALSE(removeManagerSkillPoint(0));  // a skill never drops below 1
  EXPECT_TRUE(addManagerSkillPoint(0));
  EXPECT_TRUE(addManagerSkillPoint(4));
  EXPECT_FALSE(addManagerSkillPoint(1));     // no point left
  EXPECT_EQ(career.managerSkills[0], 2);
  EXPECT_EQ(career.managerSkills[4], 2);
  EXPECT_EQ(career.freeSkillPoints, 0);
  EXPECT_TRUE(removeManagerSkillPoint(4));
  EXPECT_EQ(career.freeSkillPoints, 1);
  EXPECT_FALSE(addManagerSkillPoint(5));
  EXPECT_FALSE(addManagerSkillPoint(-1));
}

TEST(NewManager, HoldingRepeatsFasterDownTo100Ms) {
  StepRepeater r;
  std::vector<uint32_t> steps;
  for (uint32_t now = 1000; now < 3000; ++now)
    if (r.stepDue(now)) steps.push_back(now);
  ASSERT_GE(steps.size(), 8u);
  EXPECT_EQ(steps[0], 1000u);               // the press steps at once
  EXPECT_EQ(steps[1] - steps[0], 200u);     // the first repeat waits 200 ms
  EXPECT_EQ(steps[2] - steps[1], 175u);
  EXPECT_EQ(steps[3] - steps[2], 150u);
  EXPECT_EQ(steps[4] - steps[3], 125u);
  EXPECT_EQ(steps[5] - steps[4], 100u);
  EXPECT_EQ(steps[6] - steps[5], 100u);     // never below 100 ms
  r.release();
  EXPECT_TRUE(r.stepDue(5000));
  EXPECT_FALSE(r.stepDue(5199));
  EXPECT_TRUE(r.stepDue(5200));
}

TEST(NewManager, RefusalSoundsAtMostEvery750Ms) {
  StepRepeater r;
  EXPECT_TRUE(r.refusalSoundDue(0));
  EXPECT_FALSE(r.refusalSoundDue(749));
  EXPECT_TRUE(r.refusalSoundDue(750));
  EXPECT_FALSE(r.refusalSoundDue(1000));
}

TEST(NewManager, NationList) {
  EXPECT_EQ(nationListFirst(1), 1);
  EXPECT_EQ(nationListFirst(6), 1);
  EXPECT_EQ(nationListFirst(30), 25);
  EXPECT_EQ(nationListFirst(60), 50);
  int first = nationListFirst(30);
  EXPECT_TRUE(pickNationFromList(first, 3));
  EXPECT_EQ(career.managerNation, 28);
  EXPECT_FALSE(pickNationFromList(first, 11));
  EXPECT_FALSE(pickNationFromList(first, -1));
  EXPECT_TRUE(pickNationFromList(50, 10));
  EXPECT_EQ(career.managerNation, 60);
}

TEST(NewManager, ConfirmOnlyWithEveryPointSpent) {
  std::srand(8);
  ASSERT_TRUE(generateWorld());
  EXPECT_FALSE(confirmNewManager());
  EXPECT_EQ(career.stable[0], -1);
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(addManagerSkillPoint(i % 5));
  EXPECT_TRUE(confirmNewManager());
  EXPECT_GE(career.stable[0], 0);
  EXPECT_GE(career.stable[1], 0);
}

}  // namespace
