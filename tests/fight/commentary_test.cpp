#include "fight_fixture.h"

#include <string>

#include "fight/boutdriver.h"

namespace {

class Commentary : public BoutTest {
 protected:
  void SetUp() override {
    BoutTest::SetUp();
    textMode = 1;
    beginRound();
  }
};

TEST_F(Commentary, TheRoundOpensWithItsLine) {
  EXPECT_EQ(commentaryCount, 1);
  EXPECT_STREQ(commentary[0].text, "Round 1 of 12 starts!");
  EXPECT_EQ(commentary[0].kind, 2);
  EXPECT_EQ(commentary[0].clock, 180);
  EXPECT_EQ(commentary[1].kind, -1);
}

TEST_F(Commentary, TheThirteenthLineScrolls) {
  for (int i = 0; i < 10; ++i) {
    fightEvent = 4;
    commentaryFrame();
  }
  EXPECT_EQ(commentaryCount, 11);
  EXPECT_EQ(commentaryTop, 0);
  fightEvent = 1;
  commentaryFrame();  // the twelfth line: the thirteenth is being written below it
  EXPECT_EQ(commentaryCount, 12);
  EXPECT_EQ(commentaryTop, 1);
  scrollCommentary(1);
  EXPECT_EQ(commentaryTop, 1);  // the last line is at the bottom already
  scrollCommentary(-1);
  EXPECT_EQ(commentaryTop, 0);
  scrollCommentary(-1);
  EXPECT_EQ(commentaryTop, 0);
}

TEST_F(Commentary, TheListNeverRunsOver) {
  for (int i = 0; i < 500; ++i) {
    fightEvent = int16_t(1 + i % 6);
    commentaryFrame();
    ASSERT_LT(commentaryCount, kCommentaryLines);
  }
  EXPECT_EQ(commentaryCount, kCommentaryLines - 1);
  // The oldest gave way: the round's opening line is gone, the newest are kept.
  EXPECT_STRNE(commentary[0].text, "Round 1 of 12 starts!");
  EXPECT_NE(commentary[kCommentaryLines - 2].kind, -1);
}

TEST_F(Commentary, LinesByEvent) {
  std::string opp = commentaryName(b), mine = commentaryName(a);
  fightEvent = 7;
  commentaryFrame();
  EXPECT_EQ(std::string(commentary[1].text), opp + " is knocked down!");
  EXPECT_EQ(commentary[1].kind, 1);
  EXPECT_EQ(fightEvent, -1);
  fightEvent = 8;
  commentaryFrame();
  EXPECT_EQ(std::string(commentary[2].text), mine + " is knocked down!");
  EXPECT_EQ(commentary[2].kind, 0);
  // Nothing is committed once the fight is decided; the line is still written.
  fightDecided = 1;
  record().winner = int16_t(b);
  fightEvent = 10;
  commentaryFrame();
  EXPECT_EQ(commentaryCount, 3);
  EXPECT_EQ(std::string(commentary[3].text), mine + " is bleeding, the referee stops the match!");
  EXPECT_EQ(fightEvent, 10);
}

TEST_F(Commentary, TheWinnerWinsTheFight) {
  // The lines of a decided fight are written, not committed: each one stands in the next slot.
  std::string mine = commentaryName(a);
  record().winner = int16_t(a);
  fightDecided = 1;
  fightEvent = 9;
  commentaryFrame();
  EXPECT_EQ(std::string(commentary[1].text), mine + " wins the fight by K.O.!");
  EXPECT_EQ(commentary[1].kind, 2);
  fightEvent = 11;
  commentaryFrame();
  EXPECT_EQ(std::string(commentary[1].text), mine + " wins the fight by T.K.O.!");
}

TEST_F(Commentary, AdjectivesAndHands) {
  int powerfulOpp = 0, weakOpp = 0, powerfulMine = 0, favoured = 0, n = 3000;
  boxers[b].rightHanded = 1;
  for (int i = 0; i < n; ++i) {
    commentaryStart();
    fightEvent = 2;
    commentaryFrame();
    std::string line = commentary[1].text;
    powerfulOpp += line.rfind("powerful ", 0) == 0;
    weakOpp += line.rfind("weak ", 0) == 0;
    favoured += line.find("left ") != std::string::npos;
    ASSERT_LE(line.size(), size_t(kCommentaryTextMax));
    commentaryStart();
    fightEvent = 5;
    commentaryFrame();
    powerfulMine += std::string(commentary[1].text).rfind("powerful ", 0) == 0;
  }
  EXPECT_NEAR(powerfulOpp / double(n), 0.5, 0.04);
  EXPECT_NEAR(weakOpp / double(n), 1 / 6.0, 0.03);
  EXPECT_NEAR(powerfulMine / double(n), 1 / 3.0, 0.04);
  EXPECT_NEAR(favoured / double(n), 5 / 11.0, 0.04);  // a right-hander's "left" stays 5 times in 11
}

TEST_F(Commentary, LinesAreCutAtSixtyThree) {
  // A long name: the line is cut, never overrun.
  std::memset(surnames[boxers[b].surname].name, 'W', 20);
  boxers[b].nation = 1;
  fightEvent = 14;
  commentaryFrame();
  EXPECT_LE(std::strlen(commentary[1].text), size_t(kCommentaryTextMax));
}

TEST_F(Commentary, ACaptionPerEvent) {
  CaptionLine lines[3];
  fightEvent = 0;
  ASSERT_EQ(ringCaptionFrame(lines), 3);
  EXPECT_EQ(lines[0].entry, 100);
  EXPECT_EQ(lines[0].ints[0], 1);
  EXPECT_EQ(lines[0].ints[1], 12);
  EXPECT_EQ(lines[1].entry, -1);
  EXPECT_NE(std::string(lines[1].text).find(" and "), std::string::npos);
  EXPECT_EQ(lines[2].entry, 101);
  fightEvent = 5;
  ASSERT_EQ(ringCaptionFrame(lines), 3);
  EXPECT_EQ(lines[0].entry, 105);
  EXPECT_EQ(std::string(lines[0].text), commentaryName(a));
  EXPECT_EQ(lines[2].entry, 104);
  fightEvent = 8;
  ASSERT_EQ(ringCaptionFrame(lines), 2);
  EXPECT_EQ(lines[0].y, 530);
  EXPECT_EQ(lines[1].entry, 112);
  fightEvent = 11;
  record().winner = int16_t(a);
  roundIndex = 4;
  ASSERT_EQ(ringCaptionFrame(lines), 3);
  EXPECT_EQ(lines[2].ints[0], 5);
  char out[128];
  formatCaptionLine(lines[1], "Winner: %s", out, sizeof out);
  EXPECT_EQ(std::string(out), "Winner: " + std::string(commentaryName(a)));
  for (int16_t e : {12, 13, 14, 15, -1}) {
    fightEvent = e;
    EXPECT_EQ(ringCaptionFrame(lines), 0);
  }
}

TEST_F(Commentary, AStoppedFightWritesTheBleedingLine) {
  struct Seen { bool bleeding = false; } seen;
  for (unsigned seed = 0; seed < 3; ++seed) {
    std::srand(seed);
    SetUp();
    BoutDriverOptions options;
    options.textMode = true;
    options.pace = 3;
    options.user = &seen;
    options.onFrame = [](void* user) {
      static_cast<Seen*>(user)->bleeding |= std::strstr(commentary[commentaryCount].text, "is bleeding") != nullptr;
      // The player throws the towel a minute into the second round.
      if (roundIndex == 1 && roundClock == 120) throwTowel();
    };
    seen.bleeding = false;
    driveBout(0, options);
    EXPECT_TRUE(seen.bleeding) << seed;
    EXPECT_EQ(fights[0].stopRound, 2);
    EXPECT_EQ(fights[0].winner, b);
  }
}

}  // namespace
