#include "career/rankings.h"

#include "career_fixture.h"
#include "career/monthadvance.h"

namespace {

class Rankings : public CareerTest {
 protected:
  // Selects the first stable boxer at `rank` and makes `opp` (rank oppRank) his opponent.
  int setUpChallenge(int rank, int oppRank) {
    select(0);
    int me = mine();
    placeAt(me, rank);
    boxers[me].fitness = 8;
    int opp = holder(boxers[me].category, oppRank);
    opponent = int16_t(opp);
    fightMonth = int16_t(month + 1);
    fightYear = int16_t(year);
    return opp;
  }
};

TEST_F(Rankings, ChallengeLimits) {
  // Rank 12 may meet 7 and 21, not 6 or 22.
  struct Case { int opp; int message; } cases[] = {{7, 0}, {6, 2}, {21, 0}, {22, 42}};
  for (const Case& c : cases) {
    start(99);
    setUpChallenge(12, c.opp);
    popup = 0;
    int f = arrangeFight();
    EXPECT_EQ(popup, c.message) << "opponent rank " << c.opp;
    EXPECT_EQ(f >= 0, c.message == 0) << "opponent rank " << c.opp;
  }
  EXPECT_TRUE(withinChallengeLimits(12, 7));
  EXPECT_FALSE(withinChallengeLimits(12, 6));
  EXPECT_TRUE(withinChallengeLimits(12, 21));
  EXPECT_FALSE(withinChallengeLimits(12, 22));
}

TEST_F(Rankings, ArrangedFightRecord) {
  int opp = setUpChallenge(30, 28);
  int before = refusals;
  int f = arrangeFight();
  ASSERT_EQ(f, 0);  // the lowest free record
  const Fight& r = fights[f];
  EXPECT_EQ(r.boxerA, mine());
  EXPECT_EQ(r.boxerB, opp);
  EXPECT_EQ(r.month, month + 1);
  EXPECT_EQ(r.year, year);
  EXPECT_EQ(r.winner, -1);
  EXPECT_EQ(r.koRound, -1);
  EXPECT_EQ(r.stopRound, -1);
  EXPECT_TRUE(r.rounds == 8 || r.rounds == 10 || r.rounds == 12);
  EXPECT_EQ(r.purse % 10, 1);
  EXPECT_EQ(stableBusy[0], 1);
  EXPECT_EQ(refusals, before);
  // The slot is busy now: nothing more can be chosen or booked.
  popup = 0;
  EXPECT_FALSE(chooseOpponent(0));
  EXPECT_EQ(popup, 4);
  EXPECT_EQ(arrangeFight(), -1);
  // The next booking takes the next record.
  select(1);
  placeAt(mine(1), 50);
  boxers[mine(1)].fitness = 8;
  opponent = int16_t(holder(boxers[mine(1)].category, 48));
  EXPECT_EQ(arrangeFight(), 1);
}

TEST_F(Rankings, RoundsAndPurseOfTheTopTen) {
  for (unsigned seed = 1; seed < 40; ++seed) {
    std::srand(seed);
    EXPECT_EQ(drawRounds(8, 30), 12);
    EXPECT_EQ(drawRounds(30, 8), 12);
    int r = drawRounds(20, 30);
    EXPECT_TRUE(r == 10 || r == 12) << r;
    r = drawRounds(80, 85);
    EXPECT_TRUE(r == 8 || r == 10) << r;
  }
  // Purses end in 1; 57 becomes 51; the top ten earns half as much again.
  int a = mine(0), b = holder(boxers[a].category, 40);
  boxers[a].category = boxers[b].category = 3;  // (18 - 3) / 15 + 1 = 2
  boxers[a].rank = 62;
  boxers[b].rank = 62;  // (39 / 3 + 39 / 3) * 2 + 5 = 57
  boxers[a].charisma = boxers[b].charisma = 0;
  EXPECT_EQ(computePurse(a, b), 51);
  boxers[a].rank = 8;  // (31 + 13) * 2 + 5 = 93 -> 91 -> x1.5 = 136
  EXPECT_EQ(computePurse(a, b), 136);
  // A purse that comes out below 5 is 5.
  boxers[a].category = boxers[b].category = 17;
  boxers[a].rank = boxers[b].rank = 130;
  EXPECT_EQ(computePurse(a, b), 5);
}

TEST_F(Rankings, RefusalOrderOfChoosing) {
  select(0);
  int me = mine();
  placeAt(me, 40);
  shownCategory = boxers[me].category;
  buildRankingList();
  rankingPage = 20;
  // Fitness below 3 comes before everything but a booked fight.
  boxers[me].fitness = 2;
  EXPECT_FALSE(chooseOpponent(15));
  EXPECT_EQ(popup, 34);
  boxers[me].fitness = 3;
  popup = 0;
  EXPECT_TRUE(chooseOpponent(15));
  EXPECT_EQ(opponent, holder(boxers[me].category, 36));
  // Clicking one of the player's boxers.
  int other = mine(1);
  boxers[other].category = boxers[me].category;
  placeAt(other, 25);
  buildRankingList();
  EXPECT_FALSE(chooseOpponent(4));
  EXPECT_EQ(popup, 1);
  EXPECT_EQ(opponent, -1);
}

TEST_F(Rankings, AlreadyFoughtTheComingMonth) {
  select(0);
  int me = mine();
  placeAt(me, 40);
  boxers[me].fitness = 9;
  fights[0] = Fight{};
  fights[0].boxerA = int16_t(me);
  fights[0].boxerB = int16_t(holder(boxers[me].category, 38));
  fights[0].month = int16_t(month + 1);
  fights[0].year = int16_t(year);
  fights[0].winner = fights[0].boxerB;
  shownCategory = boxers[me].category;
  buildRankingList();
  EXPECT_FALSE(chooseOpponent(3));
  EXPECT_EQ(popup, 30);
}

TEST_F(Rankings, TheTopTenMustRest) {
  select(0);
  int me = mine();
  placeAt(me, 10);
  boxers[me].fitness = 9;
  shownCategory = boxers[me].category;
  buildRankingList();
  fights[0] = Fight{};
  fights[0].boxerA = int16_t(me);
  fights[0].boxerB = int16_t(holder(boxers[me].category, 12));
  fights[0].month = 1;
  fights[0].year = int16_t(year);
  fights[0].winner = int16_t(me);
  month = 4;
  EXPECT_TRUE(mustRest(me));
  EXPECT_FALSE(chooseOpponent(5));
  EXPECT_EQ(popup, 43);
  month = 5;
  popup = 0;
  EXPECT_FALSE(mustRest(me));
  EXPECT_TRUE(chooseOpponent(5));
  // Next year the rule no longer sees that fight.
  month = 2;
  year++;
  EXPECT_FALSE(mustRest(me));
  // Rank 11 never rests.
  year--;
  month = 2;
  placeAt(me, 11);
  EXPECT_FALSE(mustRest(me));
}

TEST_F(Rankings, OpponentBookedThatMonth) {
  int opp = setUpChallenge(30, 27);
  fights[7] = Fight{};
  fights[7].boxerA = int16_t(mine(1));
  fights[7].boxerB = int16_t(opp);
  fights[7].month = fightMonth;
  fights[7].year = fightYear;
  fights[7].winner = -1;
  EXPECT_EQ(arrangeFight(), -1);
  EXPECT_EQ(popup, 5);
  EXPECT_EQ(popupBoxer, mine(1));
  EXPECT_EQ(stableBusy[0], 0);
}

TEST_F(Rankings, NoOpponentAndOtherCategory) {
  select(0);
  opponent = -1;
  EXPECT_EQ(arrangeFight(), -1);
  EXPECT_EQ(popup, 6);
  int me = mine();
  int other = holder(boxers[me].category == 1 ? 2 : 1, boxers[me].rank);
  opponent = int16_t(other);
  EXPECT_EQ(arrangeFight(), -1);
  EXPECT_EQ(popup, 3);
}

TEST_F(Rankings, AFullFightTableRefusesQuietly) {
  setUpChallenge(30, 28);
  for (Fight& f : fights) f.boxerA = 5;
  int cashBefore = cash;
  popup = 0;
  EXPECT_EQ(arrangeFight(), -1);
  EXPECT_EQ(stableBusy[0], 0);
  EXPECT_EQ(cash, cashBefore);
  EXPECT_GT(refusals, 0);
}

TEST_F(Rankings, CancellingCostsHalfThePurse) {
  setUpChallenge(30, 28);
  fightMonth = int16_t(month + 3);
  int f = arrangeFight();
  ASSERT_GE(f, 0);
  int purse = fights[f].purse;
  EXPECT_EQ(findScheduledFight(), f);
  EXPECT_EQ(cancelFee, purse / 2);
  int before = cash;
  EXPECT_TRUE(cancelFight());
  EXPECT_EQ(cash, before - purse / 2);
  EXPECT_EQ(fights[f].boxerA, -1);
  EXPECT_EQ(fights[f].boxerB, -1);
  EXPECT_EQ(fights[f].year, 0);
  EXPECT_EQ(stableBusy[0], 0);
  EXPECT_FALSE(cancelFight());  // nothing left to cancel
}

TEST_F(Rankings, DatesRunFromTheComingMonthToAYearAhead) {
  month = 11;
  openRankingsScreen();
  EXPECT_EQ(fightMonth, 0);
  EXPECT_EQ(fightYear, year + 1);
  EXPECT_FALSE(fightDateBack());
  int steps = 0;
  while (fightDateForward()) ++steps;
  EXPECT_EQ(steps, 11);
  EXPECT_EQ(fightMonth, 11);
  EXPECT_EQ(fightYear, year + 1);
  EXPECT_TRUE(fightDateBack());
  EXPECT_EQ(fightMonth, 10);
}

TEST_F(Rankings, BrowsingWrapsAndRefuses) {
  openRankingsScreen();
  EXPECT_EQ(selectedBoxer, mine(0));
  EXPECT_EQ(shownCategory, boxers[mine(0)].category);
  EXPECT_EQ(rankingPage, rankingPageOfRank(boxers[mine(0)].rank));
  shownCategory = 17;
  stepShownCategory(1);
  EXPECT_EQ(shownCategory, 1);
  stepShownCategory(-1);
  EXPECT_EQ(shownCategory, 17);
  rankingPage = 80;
  EXPECT_FALSE(stepRankingPage(1));
  rankingPage = 0;
  EXPECT_FALSE(stepRankingPage(-1));
  EXPECT_TRUE(stepRankingPage(1));
  EXPECT_EQ(rankingPage, 20);
  EXPECT_FALSE(stepRankingBoxer(-1));
  EXPECT_TRUE(stepRankingBoxer(1));
  EXPECT_EQ(selectedBoxer, mine(1));
  EXPECT_FALSE(stepRankingBoxer(1));  // the third slot is empty
  EXPECT_EQ(rankingPageOfRank(20), 0);
  EXPECT_EQ(rankingPageOfRank(21), 20);
  EXPECT_EQ(rankingPageOfRank(100), 80);
  EXPECT_EQ(rankingPageOfRank(101), -1);
}

TEST_F(Rankings, RankingListHoldsTheTopHundred) {
  shownCategory = 5;
  buildRankingList();
  for (int r = 0; r < 100; ++r) {
    ASSERT_GE(rankingList[r], 0);
    EXPECT_EQ(boxers[rankingList[r]].rank, r + 1);
    EXPECT_EQ(boxers[rankingList[r]].category, 5);
  }
}

// ---- Results ------------------------------------------------------------------------------

class Results : public CareerTest {
 protected:
  int fight(int a, int b, int winner) {
    fights[0] = Fight{};
    fights[0].boxerA = int16_t(a);
    fights[0].boxerB = int16_t(b);
    fights[0].winner = int16_t(winner);
    fights[0].koRound = -1;
    fights[0].stopRound = -1;
    fights[0].purse = 51;
    fights[0].rounds = 10;
    return 0;
  }
};

TEST_F(Results, TheChallengerTakesTheTitle) {
  int a = mine();
  int champ = holder(boxers[a].category, 1);
  placeAt(a, 2);
  applyFightResult(fight(a, champ, a));
  EXPECT_EQ(boxers[a].rank, 1);
  EXPECT_EQ(boxers[champ].rank, 2);
  EXPECT_EQ(career.careerStats[kStatTitlesWon], 1);
  EXPECT_EQ(career.careerStats[kStatWins], 1);
  EXPECT_EQ(recentResults[9], 1);
  EXPECT_EQ(selectedBoxer, -1);
}

TEST_F(Results, RankThreeWinnerMovesAtMostOnePlace) {
  bool stayed = false, moved = false;
  for (unsigned seed = 0; seed < 60; ++seed) {
    start(seed + 500);
    int a = mine();
    placeAt(a, 3);
    int b = holder(boxers[a].category, 8);
    applyFightResult(fight(a, b, a));
    int r = boxers[a].rank;
    ASSERT_TRUE(r == 2 || r == 3) << r;
    (r == 3 ? stayed : moved) = true;
    EXPECT_EQ(career.careerStats[kStatTitlesWon], 0);
  }
  EXPECT_TRUE(stayed);
  EXPECT_TRUE(moved);
}

TEST_F(Results, DefendingAndLosingToTheChampion) {
  int a = mine();
  placeAt(a, 1);
  int b = holder(boxers[a].category, 4);
  applyFightResult(fight(a, b, a));
  EXPECT_EQ(boxers[a].rank, 1);
  EXPECT_EQ(career.careerStats[kStatTitlesWon], 1);

  int champ = holder(boxers[a].category, 1);
  int c = mine(1);
  boxers[c].category = boxers[a].category;
  placeAt(c, 5);
  int champBefore = boxers[champ].rank, cBefore = boxers[c].rank;
  int champWins = boxers[champ].wins, cLosses = boxers[c].losses;
  applyFightResult(fight(c, champ, champ));
  EXPECT_EQ(boxers[champ].wins, champWins + 1);
  EXPECT_EQ(boxers[c].losses, cLosses + 1);
  EXPECT_EQ(boxers[champ].rank, champBefore);
  EXPECT_EQ(boxers[c].rank, cBefore);
  EXPECT_EQ(career.careerStats[kStatTitlesLost], 1);
  EXPECT_EQ(recentResults[9], 2);
  EXPECT_EQ(recentResults[8], 1);
}

TEST_F(Results, ALoserNeverDropsToOneHundred) {
  for (unsigned seed = 0; seed < 80; ++seed) {
    start(seed + 900);
    int a = mine();
    placeAt(a, 98);
    int b = holder(boxers[a].category, 96);
    applyFightResult(fight(a, b, b));
    EXPECT_LT(boxers[a].rank, 100);
    EXPECT_GE(boxers[a].rank, 98);
  }
}

TEST_F(Results, DrawsKeepRanks) {
  int a = mine();
  int b = holder(boxers[a].category, boxers[a].rank - 2);
  int ra = boxers[a].rank, rb = boxers[b].rank;
  int da = boxers[a].draws, db = boxers[b].draws;
  applyFightResult(fight(a, b, kDraw));
  EXPECT_EQ(boxers[b].draws, db + 1);
  EXPECT_EQ(boxers[a].rank, ra);
  EXPECT_EQ(boxers[b].rank, rb);
  EXPECT_EQ(boxers[a].draws, da + 1);
  EXPECT_EQ(career.careerStats[kStatDraws], 1);
  EXPECT_EQ(recentResults[9], 3);
}

TEST_F(Results, KnockoutsCountForTheWinner) {
  int a = mine();
  int b = holder(boxers[a].category, boxers[a].rank - 1);
  int koBefore = boxers[b].koWins;
  fight(a, b, b);
  fights[0].stopRound = 4;
  applyFightResult(0);
  EXPECT_EQ(boxers[b].koWins, koBefore + 1);
  // An unfought record changes nothing.
  int16_t saved[10];
  std::copy(recentResults, recentResults + 10, saved);
  fight(a, b, -1);
  applyFightResult(0);
  EXPECT_TRUE(std::equal(saved, saved + 10, recentResults));
}

TEST_F(Results, ThePursePaysTheManagerLessTheShare) {
  int a = mine();
  fight(a, holder(boxers[a].category, 90), a);
  boxers[a].pursePercent = 9;  // 51 * 9 / 100 = 4
  int before = cash, booked = income[month][0];
  payPurse(0);
  EXPECT_EQ(cash, before + 47);
  EXPECT_EQ(career.earningsTotal, 47);
  EXPECT_EQ(income[month][0], booked + 47);
  boxers[a].pursePercent = 1;  // 0.51 -> at least 1
  payPurse(0);
  EXPECT_EQ(cash, before + 47 + 50);
  payPurse(-1);
  payPurse(kFightCount);
}

TEST_F(Results, MoveToRankSwapsWithTheHolder) {
  int a = mine();
  int c = boxers[a].category;
  int h = holder(c, 40);
  int ra = boxers[a].rank;
  moveToRank(a, 40);
  EXPECT_EQ(boxers[a].rank, 40);
  EXPECT_EQ(boxers[h].rank, ra);
  moveToRank(a, 5000);  // nobody holds it
  EXPECT_EQ(boxers[a].rank, 40);
}

TEST_F(Results, ScoutedSkillsStaySteady) {
  career.managerSkills[kScoutingSkill] = 3;
  bool first[6], second[6];
  scoutOpponentSkills(123, first);
  scoutOpponentSkills(123, second);
  EXPECT_TRUE(std::equal(first, first + 6, second));
  career.managerSkills[kScoutingSkill] = 1;  // d = 3..4: never shown
  scoutOpponentSkills(77, first);
  for (bool b : first) EXPECT_FALSE(b);
}

}  // namespace

// A record the load repair capped at 32767 stays there: the next result neither wraps it to
// -32768 nor moves the career's statistics past their top.
TEST_F(Results, CountsSaturateAtTheirTop) {
  const int a = mine();
  const int b = holder(boxers[a].category, 40);
  for (int16_t* v : {&boxers[a].wins, &boxers[a].draws, &boxers[a].losses, &boxers[a].koWins, &boxers[b].wins,
                     &boxers[b].draws, &boxers[b].losses, &boxers[b].koWins})
    *v = 32767;
  for (int16_t& s : career.careerStats) s = 32767;
  applyFightResult(fight(a, b, a));
  fights[0].koRound = 3;
  applyFightResult(0);
  applyFightResult(fight(a, b, b));
  applyFightResult(fight(a, b, kDraw));
  for (const int16_t v : {boxers[a].wins, boxers[a].draws, boxers[a].losses, boxers[a].koWins, boxers[b].wins,
                          boxers[b].draws, boxers[b].losses, boxers[b].koWins})
    EXPECT_EQ(v, 32767);
  for (const int16_t s : career.careerStats) EXPECT_EQ(s, 32767);
}
