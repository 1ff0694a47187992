#include "fight_fixture.h"

namespace {

class Bout : public BoutTest {};

TEST_F(Bout, SetUpFromTheSkills) {
  prepareRound();
  const Boxer& mine = boxers[a];
  EXPECT_FLOAT_EQ(fighters[kPlayerSide].powerMax, mine.strength + mine.technique);
  EXPECT_FLOAT_EQ(fighters[kPlayerSide].vitalityMax, mine.endurance + mine.stamina);
  EXPECT_FLOAT_EQ(fighters[kPlayerSide].speedMax, mine.quickness + mine.agility);
  const Boxer& his = boxers[b];
  EXPECT_FLOAT_EQ(fighters[kOpponent].powerMax, his.strength + his.technique);
  startRound();
  EXPECT_EQ(roundClock, 180);
  EXPECT_EQ(count, kNoCount);
  EXPECT_FLOAT_EQ(fighters[kOpponent].x, 40);
  EXPECT_FLOAT_EQ(fighters[kPlayerSide].y, 350);
  EXPECT_EQ(fighters[kOpponent].facing, 45);
  EXPECT_EQ(fighters[kPlayerSide].pose, 50);
  EXPECT_GE(fighters[kOpponent].punchesLeft, 20);
  EXPECT_LE(fighters[kOpponent].punchesLeft, 25 + 15 + 6);
}

TEST_F(Bout, PunchCountsFollowTheSecondOrder) {
  cornerOrders[1] = 2;  // a third of the punches
  for (unsigned seed = 0; seed < 50; ++seed) {
    std::srand(seed);
    beginRound();
    EXPECT_LE(fighters[kOpponent].punchesLeft, 40 / 3 + 6);
    EXPECT_GE(fighters[kOpponent].punchesLeft, 20 / 3);
  }
}

TEST_F(Bout, TheRoundIsJudgedWhenTheClockShowsOne) {
  beginRound();
  quietRound();
  int ticks = 0;
  int16_t lastClock = roundClock;
  while (fightNextScreen == 0 && ticks < 1000000) {
    frames(1);
    ++ticks;
    if (roundClock != lastClock) {
      ASSERT_EQ(roundClock, lastClock - 1);
      lastClock = roundClock;
    }
  }
  EXPECT_EQ(fightNextScreen, kNextCorner);
  EXPECT_EQ(roundClock, 1);
  EXPECT_EQ(roundIndex, 1);
  // 179 clock seconds of 128 ms each: the clock moves on the first tick of 16 ms after more
  // than 120 ms have passed.
  EXPECT_EQ(ticks, 179 * 128);
}

TEST_F(Bout, PaceSetsTheLengthOfAFightSecond) {
  // The first tick after more than fightSpeed x 120 ms: 128, 256 and 368 ms.
  const uint32_t second[4] = {0, 128, 256, 368};
  for (int pace : {3, 2, 1}) {
    setFightPace(pace);  // button 3 is fightSpeed 1, button 1 fightSpeed 3
    beginRound();
    quietRound();
    int speed = 4 - pace;
    frames(10 * second[speed] - 1);
    EXPECT_EQ(roundClock, 171) << "fightSpeed " << speed;
    frames(1);
    EXPECT_EQ(roundClock, 170) << "fightSpeed " << speed;
  }
}

TEST_F(Bout, StepsComeEvery80MsDuringACount) {
  beginRound();
  quietRound();
  fighters[kPlayerSide].action = Down;
  count = kCountStarting;
  countedSide = kPlayerSide;
  savedFightSpeed = fightSpeed;
  fightSpeed = 6;
  uint32_t previous = lastTick;
  std::vector<uint32_t> gaps;
  for (int i = 0; i < 800; ++i) {
    frames(1);
    if (lastTick != previous) {
      gaps.push_back(lastTick - previous);
      previous = lastTick;
    }
  }
  ASSERT_GE(gaps.size(), 5u);
  // The first tick after more than 72 ms.
  for (size_t i = 1; i < gaps.size(); ++i) EXPECT_EQ(gaps[i], 80u);
  EXPECT_FALSE(setFightPace(1));  // no pace change while a count runs
  EXPECT_EQ(fightSpeed, 6);
}

TEST_F(Bout, JudgesScoreEvenRounds) {
  beginRound();
  // Nothing dealt by either side: 9-9 for every judge.
  endRound();
  for (int j = 0; j < 3; ++j) {
    EXPECT_EQ(judgeCards[kOpponent][0][j], 9);
    EXPECT_EQ(judgeCards[kPlayerSide][0][j], 9);
  }
  // One knockdown each: 75 a side, 10-10.
  beginRound();
  roundStats[kOpponent][1].knockdowns = 1;
  roundStats[kPlayerSide][1].knockdowns = 1;
  endRound();
  for (int j = 0; j < 3; ++j) {
    EXPECT_EQ(judgeCards[kOpponent][1][j], 10);
    EXPECT_EQ(judgeCards[kPlayerSide][1][j], 10);
  }
  // Two knockdowns suffered by the opponent and none by the player's boxer: 10-7.
  beginRound();
  roundStats[kOpponent][2].knockdowns = 2;
  endRound();
  EXPECT_EQ(judgeCards[kPlayerSide][2][0], 10);
  EXPECT_EQ(judgeCards[kOpponent][2][0], 7);
  // A clear round by damage: the better side takes 10, the other 8.
  beginRound();
  roundStats[kPlayerSide][3].damage = 200;
  roundStats[kOpponent][3].damage = 20;
  endRound();
  EXPECT_EQ(judgeCards[kPlayerSide][3][2], 10);
  EXPECT_EQ(judgeCards[kOpponent][3][2], 8);
}

// Cards for every round but the last, which is judged 9-9; totals come out as asked.
void fillSide(int side, int rounds, int total) {
  int rest = total - 27 - 7 * (rounds - 1) * 3;
  for (int r = 0; r < rounds - 1; ++r)
    for (int j = 0; j < 3; ++j) {
      int add = std::min(3, rest);
      judgeCards[side][r][j] = int16_t(7 + add);
      rest -= add;
    }
  ASSERT_EQ(rest, 0);
}

TEST_F(Bout, DecisionsOnTheTotals) {
  struct Case { int player, opponent, winner; int unanimous; };
  // A difference of 7 is a draw (100-93); 8 a split decision (100-92); 11 unanimous (100-89).
  // Four rounds of three judges hold totals of 90..117, so the totals are shifted by 4.
  Case cases[] = {{104, 97, kDraw, 0}, {104, 96, 1, 0}, {104, 93, 1, 1}, {93, 104, 0, 1}, {103, 93, 1, 0}};
  for (const Case& c : cases) {
    record().winner = -1;
    record().rounds = 4;
    record().unanimous = 0;
    fillSide(kPlayerSide, 4, c.player);
    fillSide(kOpponent, 4, c.opponent);
    roundIndex = 3;
    std::memset(roundStats, 0, sizeof roundStats);
    prepareRound();
    startRound();
    endRound();
    if (c.winner == kDraw) {
      EXPECT_EQ(record().winner, kDraw);
      EXPECT_EQ(record().pointsA, 40);  // ten a round
      EXPECT_EQ(record().pointsB, 40);
    } else {
      EXPECT_EQ(record().winner, c.winner == 1 ? a : b);
      EXPECT_EQ(record().pointsA, c.player);
      EXPECT_EQ(record().pointsB, c.opponent);
      EXPECT_EQ(record().unanimous, c.unanimous) << c.player << "-" << c.opponent;
    }
    EXPECT_EQ(fightNextScreen, kNextResult);
  }
}

TEST_F(Bout, AThirdKnockdownEndsTheFight) {
  beginRound();
  roundStats[kOpponent][0].knockdowns = 3;
  EXPECT_TRUE(refereeStops());
  EXPECT_EQ(record().winner, a);
  EXPECT_EQ(record().stopRound, 1);
  EXPECT_EQ(record().koRound, -1);
  EXPECT_EQ(count, kStopped);
  EXPECT_FALSE(refereeStops());  // once stopped, nothing more

  SetUp();
  beginRound();
  roundStats[kPlayerSide][0].knockdowns = 3;
  fightStep(kOpponent);
  EXPECT_EQ(record().winner, b);
  EXPECT_EQ(record().stopRound, 1);
  EXPECT_FLOAT_EQ(fighters[kPlayerSide].vitality, 0);
}

TEST_F(Bout, TheBellSavesABoxerDown) {
  beginRound();
  quietRound();
  fighters[kPlayerSide].action = Down;
  fighters[kPlayerSide].vitalityMax = 1;  // he will not get up by himself
  fighters[kPlayerSide].vitality = 0;
  countedSide = kPlayerSide;
  count = 5;
  roundClock = 2;
  savedFightSpeed = 1;
  fightSpeed = 6;
  frames(6 * 120 * 3);
  EXPECT_EQ(fightNextScreen, kNextCorner);
  EXPECT_LT(count, 9);
  EXPECT_EQ(record().koRound, -1);
  EXPECT_EQ(record().winner, -1);
  EXPECT_EQ(fightSpeed, 1);
  beginRound();
  EXPECT_EQ(fighters[kPlayerSide].action, Guard);
  EXPECT_EQ(fighters[kOpponent].action, Guard);
  EXPECT_EQ(count, kNoCount);
}

TEST_F(Bout, ACountToTenIsAKnockout) {
  beginRound();
  quietRound();
  fighters[kPlayerSide].action = Down;
  fighters[kPlayerSide].vitalityMax = 1;
  fighters[kPlayerSide].vitality = 0;
  countedSide = kPlayerSide;
  count = kCountStarting;
  savedFightSpeed = 1;
  fightSpeed = 6;
  while (fightNextScreen == 0 && now < 10000000) frames(16, 16);
  EXPECT_EQ(fightNextScreen, kNextResult);
  EXPECT_EQ(record().koRound, 1);
  EXPECT_EQ(record().winner, b);
  EXPECT_GT(count, 19);
  EXPECT_EQ(fighters[kPlayerSide].action, Down);  // a vitality maximum of 1 never gets up
}

TEST_F(Bout, InjuriesAfterTheCornerStayWithinOneToHundred) {
  beginRound();
  for (int side = 0; side < 2; ++side)
    for (int i = 0; i < 4; ++i) injuries[side][i] = int16_t(i % 2 ? 150 : -20);
  roundIndex = 1;
  for (int order = 0; order < 3; ++order) {
    cornerOrders[2] = int16_t(order);
    prepareRound();
    for (auto& side : injuries)
      for (int16_t v : side) {
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 100);
      }
  }
  EXPECT_LE(boxers[a].fitness, 10);
  EXPECT_LE(boxers[a].morale, 10);
}

TEST_F(Bout, MaximaFallByTheRoundsDamage) {
  beginRound();
  float before = fighters[kOpponent].vitalityMax;
  roundStats[kPlayerSide][0].damage = 240;  // 240 / 15..24 = 10..16
  endRound();
  prepareRound();
  float fall = before - fighters[kOpponent].vitalityMax;
  EXPECT_GE(fall, 10.0f - 1e-3f);
  EXPECT_LE(fall, 16.0f + 1e-3f);
  // Maxima never fall below 1.
  roundStats[kPlayerSide][1].damage = 100000;
  startRound();
  endRound();
  prepareRound();
  EXPECT_GE(fighters[kOpponent].vitalityMax, 1.0f);
  EXPECT_GE(fighters[kOpponent].powerMax, 1.0f);
}

TEST_F(Bout, TheTowel) {
  beginRound();
  frames(5000);
  roundIndex = 3;
  throwTowel();
  EXPECT_EQ(record().winner, b);
  EXPECT_EQ(record().stopRound, 4);
  EXPECT_EQ(record().koRound, -1);
  EXPECT_EQ(count, kStopped);
  EXPECT_EQ(fightEndNote, kTowelNote);
  // The end sequence runs to the result screen.
  while (fightNextScreen == 0 && now < 10000000) frames(16, 16);
  EXPECT_EQ(fightNextScreen, kNextResult);
  EXPECT_GT(count, 115);
}

TEST_F(Bout, TheTowelCannotUndoAKnockout) {
  beginRound();
  record().koRound = 2;
  record().winner = int16_t(a);
  throwTowel();
  EXPECT_EQ(record().winner, a);
  EXPECT_EQ(record().stopRound, -1);
  EXPECT_EQ(fightEndNote, 0);
}

TEST_F(Bout, ASeriousInjuryCutsTheSkills) {
  beginRound();
  roundIndex = 6;
  roundClock = 100;
  for (int16_t& i : injuries[kPlayerSide]) i = 110;  // 330 + 110 > 300 + 74: always serious
  Boxer before = boxers[a];
  EXPECT_TRUE(refereeStops());
  EXPECT_EQ(record().winner, b);
  EXPECT_EQ(fightEndNote, kSeriousInjuryNote);
  const Boxer& after = boxers[a];
  EXPECT_LE(after.strength, before.strengthMax * 0.7f + 1e-3f);
  EXPECT_GE(after.strength, before.strengthMax * 0.3f - 1e-3f);
  EXPECT_EQ(after.strengthMax, int(after.strength));
  EXPECT_GE(after.charisma, before.charismaMax * 0.6f - 1e-3f);
  EXPECT_EQ(after.techniqueMax, int(after.technique));
}

TEST_F(Bout, TextModeWaitsForTheClick) {
  textMode = 1;
  beginRound();
  quietRound();
  frames(180 * 128 + 10);
  EXPECT_EQ(roundClock, 0);
  EXPECT_EQ(fightNextScreen, 0);  // the round ends only on the player's click
  EXPECT_EQ(roundIndex, 0);
  EXPECT_TRUE(fightContinueClick());
  EXPECT_EQ(roundIndex, 1);
  frames(1, kBoutTickMs);
  EXPECT_EQ(fightNextScreen, kNextCorner);
}

TEST_F(Bout, DamageMarkers) {
  beginRound();
  for (int i = 0; i < 40; ++i) placeDamageMarker(kPlayerSide, 1.6f);
  int live = 0;
  for (const DamageMarker& m : damageMarkers) live += m.life > 0;
  EXPECT_EQ(live, kDamageMarkers);  // the rest were dropped
  EXPECT_EQ(int(5 * damageMarkers[0].value), 8);
  float y = damageMarkers[0].y;
  updateDamageMarkers(uint32_t(KTools::GetMilliseconds()) + 60);
  EXPECT_FLOAT_EQ(damageMarkers[0].life, 0.98f);
  EXPECT_NE(damageMarkers[0].y, y);
  prepareRound();
  for (const DamageMarker& m : damageMarkers) EXPECT_LE(m.life, 0);
}

}  // namespace
