#include "fight_fixture.h"

namespace {

class Step : public BoutTest {};

TEST_F(Step, AVitalityMaximumOfOneNeverGetsUp) {
  beginRound();
  quietRound();
  Fighter& me = fighters[kPlayerSide];
  me.action = Down;
  me.pose = 7;
  me.x = me.y = 300;
  fighters[kOpponent].x = fighters[kOpponent].y = 40;
  me.vitalityMax = 1;
  me.vitality = 0;
  for (count = 4; count < 9; ++count)
    for (int i = 0; i < 2000; ++i) {
      fightStep(kPlayerSide);
      ASSERT_EQ(me.action, Down);
    }
}

TEST_F(Step, AStrongBoxerGetsUp) {
  int up = 0;
  for (unsigned seed = 0; seed < 20; ++seed) {
    std::srand(seed);
    beginRound();
    quietRound();
    Fighter& me = fighters[kPlayerSide];
    me.action = Down;
    me.pose = 7;
    me.x = me.y = 300;
    fighters[kOpponent].x = fighters[kOpponent].y = 40;
    me.vitality = me.vitalityMax;
    count = 5;
    for (int i = 0; i < 200 && me.action == Down; ++i) fightStep(kPlayerSide);
    if (me.action == Rising) {
      ++up;
      EXPECT_EQ(fightEvent, 13);
      for (int i = 0; i < 10 && me.action == Rising; ++i) fightStep(kPlayerSide);
      EXPECT_EQ(me.action, Guard);
      EXPECT_EQ(count, kNoCount);
      EXPECT_EQ(me.pose, 49);
    }
  }
  EXPECT_GT(up, 15);
}

TEST_F(Step, PositionsStayOnTheFloor) {
  beginRound();
  fighters[kPlayerSide].x = 400;
  fighters[kPlayerSide].y = -30;
  fighters[kPlayerSide].action = Approach;
  fightStep(kPlayerSide);
  EXPECT_GE(fighters[kPlayerSide].x, 25);
  EXPECT_LE(fighters[kPlayerSide].x, 345);
  EXPECT_GE(fighters[kPlayerSide].y, 25);
  EXPECT_EQ(fighters[kPlayerSide].action, Guard);
}

TEST_F(Step, TheOpponentDecidesEveryQuarterSecondPerPace) {
  beginRound();
  quietRound();
  Fighter& opp = fighters[kOpponent];
  opp.action = Guard;
  opp.x = opp.y = 100;
  fighters[kPlayerSide].x = fighters[kPlayerSide].y = 300;  // 400 apart: he approaches
  // The time is the bout's, not the engine's: a step runs at the time of its tick.
  lastOpponentThink = boutTime;
  boutTime += 250;  // not more than 250 ms yet
  now += 1000;
  fightStep(kOpponent);
  EXPECT_EQ(opp.action, Guard);
  boutTime += 1;
  fightStep(kOpponent);
  EXPECT_EQ(opp.action, Approach);
  // Close by he backs away instead.
  opp.action = Guard;
  fighters[kPlayerSide].x = fighters[kPlayerSide].y = 130;
  boutTime += 300;
  fightStep(kOpponent);
  EXPECT_EQ(opp.action, Evade);
}

TEST_F(Step, TheSecondOrderTwoMakesThePlayersBoxerEvade) {
  cornerOrders[1] = 2;
  int decisions = 0;
  for (unsigned seed = 0; seed < 300; ++seed) {
    std::srand(seed);
    beginRound();
    quietRound();
    Fighter& me = fighters[kPlayerSide];
    me.action = Guard;
    me.x = me.y = 150;
    fighters[kOpponent].x = fighters[kOpponent].y = 120;  // 60 apart
    fightStep(kPlayerSide);
    if (me.action != Guard && me.action != Punch) {
      ++decisions;
      EXPECT_EQ(me.action, Evade);
    }
  }
  EXPECT_GT(decisions, 50);
}

// A punch of the player's boxer one step before its impact, at a distance.
void punchAt(int distanceX, int distanceY) {
  Fighter& me = fighters[kPlayerSide];
  Fighter& opp = fighters[kOpponent];
  me.action = Punch;
  me.pose = 29;  // impact on the next step, at 30
  me.x = 200;
  me.y = 200;
  opp.x = float(200 - distanceX);
  opp.y = float(200 - distanceY);
  opp.action = Guard;
  opp.speed = 1;  // he can hardly dodge
  opp.vitality = opp.vitalityMax;
}

TEST_F(Step, AnImpactBetweenNinetyAndNinetyNineCountsAHitAndAMiss) {
  boxers[a].morale = 10;
  int hits = 0;
  for (unsigned seed = 0; seed < 80; ++seed) {
    std::srand(seed);
    beginRound();
    quietRound();
    punchAt(50, 45);  // 95 apart
    RoundStats before = roundStats[kPlayerSide][0];
    fightStep(kPlayerSide);
    const RoundStats& after = roundStats[kPlayerSide][0];
    if (after.hits > before.hits) {
      ++hits;
      EXPECT_EQ(after.misses, before.misses + 1) << seed;
    } else {
      EXPECT_EQ(after.misses, before.misses + 2) << seed;  // missed, and too far besides
    }
  }
  EXPECT_GT(hits, 20);
  // At 89 a landed punch is only a hit.
  for (unsigned seed = 0; seed < 40; ++seed) {
    std::srand(seed);
    beginRound();
    quietRound();
    punchAt(45, 44);
    RoundStats before = roundStats[kPlayerSide][0];
    fightStep(kPlayerSide);
    const RoundStats& after = roundStats[kPlayerSide][0];
    EXPECT_EQ(after.hits - before.hits + after.misses - before.misses, 1) << seed;
  }
  // From 100 on nothing lands; it is a miss.
  beginRound();
  quietRound();
  punchAt(60, 40);
  RoundStats before = roundStats[kPlayerSide][0];
  fightStep(kPlayerSide);
  EXPECT_EQ(roundStats[kPlayerSide][0].hits, before.hits);
  EXPECT_EQ(roundStats[kPlayerSide][0].misses, before.misses + 1);
}

TEST_F(Step, InjuriesStayBelowHundredAfterALandedPunch) {
  boxers[a].morale = 10;
  for (unsigned seed = 0; seed < 200; ++seed) {
    std::srand(seed);
    beginRound();
    quietRound();
    for (int16_t& i : injuries[kOpponent]) i = 98;
    punchAt(30, 30);
    fighters[kOpponent].vitality = 1000;  // no knockdown
    fighters[kOpponent].vitalityMax = 1000;
    int downs = roundStats[kOpponent][0].knockdowns;
    fightStep(kPlayerSide);
    // A knockdown may add up to 14 to the injury the punch chose.
    int cap = roundStats[kOpponent][0].knockdowns > downs ? 99 + 14 : 99;
    for (int16_t i : injuries[kOpponent]) ASSERT_LE(i, cap);
  }
}

TEST_F(Step, AKnockdownSendsThePuncherToHisCorner) {
  boxers[a].morale = 10;
  int downs = 0;
  for (unsigned seed = 0; seed < 100 && downs == 0; ++seed) {
    std::srand(seed);
    beginRound();
    quietRound();
    punchAt(30, 30);
    fighters[kOpponent].vitality = 2;  // below 3: any landed punch floors him
    fightStep(kPlayerSide);
    if (roundStats[kPlayerSide][0].hits == 1) {
      ++downs;
      EXPECT_EQ(fighters[kOpponent].action, Down);
      EXPECT_EQ(fighters[kOpponent].pose, 8);
      EXPECT_EQ(fighters[kPlayerSide].action, ToCorner);
      EXPECT_EQ(roundStats[kOpponent][0].knockdowns, 1);
      EXPECT_EQ(fightEvent, 7);
    }
  }
  EXPECT_EQ(downs, 1);
}

TEST_F(Step, ReachingTheCornerStartsTheCount) {
  beginRound();
  quietRound();
  Fighter& me = fighters[kPlayerSide];
  Fighter& opp = fighters[kOpponent];
  opp.action = Down;
  opp.x = opp.y = 200;
  me.action = ToCorner;
  me.x = me.y = 30;
  fightSpeed = 2;
  fightStep(kPlayerSide);
  EXPECT_EQ(count, kCountStarting);
  EXPECT_EQ(fightSpeed, 6);
  EXPECT_EQ(savedFightSpeed, 2);
  EXPECT_EQ(me.action, Guard);
  EXPECT_EQ(countedSide, kOpponent);
}

TEST_F(Step, ADecidedFightIsNotSimulated) {
  beginRound();
  record().koRound = 3;
  Fighter before = fighters[kOpponent];
  fightStep(kOpponent);
  EXPECT_EQ(std::memcmp(&before, &fighters[kOpponent], sizeof before), 0);
}

}  // namespace
