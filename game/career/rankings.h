// Rankings and matchmaking: how ranks change, arranging and cancelling fights, purses and
// the effect of a fight's result on records, ranks and titles.
#pragma once

#include <cstdint>

// ---- The rankings screen's values ---------------------------------------------------------

extern int16_t shownCategory;      // 1..17
extern int16_t rankingList[100];   // boxer holding rank r + 1 in shownCategory, -1 = nobody
extern int16_t rankingPage;        // first listed position: 0, 20, 40, 60 or 80
extern int16_t opponent;           // chosen opponent, -1 = none
extern int16_t fightMonth;         // date chosen for the new fight
extern int16_t fightYear;
extern int16_t scheduledFight;     // the selected boxer's booked fight, -1 = none
extern int16_t cancelFee;          // half its purse

// ---- Rules --------------------------------------------------------------------------------

// The first boxer (index order) of b's category holding rank r swaps ranks with b.
void moveToRank(int b, int r);

// Fills rankingList for shownCategory.
void buildRankingList();

// Entry of the rankings screen: the first stable boxer, next month, his category and page.
void openRankingsScreen();

// The page that shows a rank: 0 for ranks below 21 ... 80 below 101; -1 for the unranked.
int rankingPageOfRank(int rank);

// Browsing: category arrows (wrap 1..17), page arrows (refused past either end), and the
// arrows through the player's boxers. Refusals return false.
void stepShownCategory(int delta);
bool stepRankingPage(int delta);
bool stepRankingBoxer(int delta);

// A fight date is in the coming month: next month of this year, or January of a later year
// while this is December.
bool isComingMonth(int fightMonthIndex, int fightYearValue);

// The rest rule of the top ten: a boxer ranked better than 11 who fought this year less than
// four months ago must wait.
bool mustRest(int boxer);

// A click on a listed name (row 0..19). Refusals set the message and return false.
bool chooseOpponent(int row);

// The date buttons: from the coming month up to twelve months ahead.
bool fightDateBack();
bool fightDateForward();

// Challenge limits: the opponent at most 5 places above and 9 below.
bool withinChallengeLimits(int selectedRank, int opponentRank);

// Rounds and purse of a fight between ranks rA and rB (the draws the rules make).
int drawRounds(int rankA, int rankB);
int computePurse(int boxerA, int boxerB);

// The OK button: books the fight in the lowest free Fight record. Returns the record or -1.
int arrangeFight();

// Finds the selected boxer's booked fight (scheduledFight, cancelFee); -1 when none.
int findScheduledFight();

// The cancel button: frees the booked fight and pays half its purse.
bool cancelFight();

// Leaving the result screen: the purse less the boxer's share goes to the account.
void payPurse(int fight);

// Opening the result screen: records, ranks, titles and charisma follow the result.
void applyFightResult(int fight);

// Which of an opponent's six shown skills the manager's scouting reveals. The generator is
// seeded with the boxer's index so the picture stays steady, then reseeded from the clock.
void scoutOpponentSkills(int boxer, bool shown[6]);
