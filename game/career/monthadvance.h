// The monthly advance: due fights, the instant result, and one month of the world's life.
#pragma once

#include <cstdint>

extern int16_t pendingFights[6];   // the player's fights due next month, -1 = none
extern int16_t eventValue;         // the value of the current random event

// A fight is due when it is unfought, the player's, and dated the coming month.
bool isFightDue(int fight);

// Entry of the next-month screen: the due fights in Fight index order.
void openNextMonthScreen();

// The advance button. Returns true when the month advanced.
bool requestAdvance();

// The monitor icon: decides the fight at once by comparing skill sums; the fight becomes the
// current fight for the result screen.
void playInstantly(int fight);

// The eye icon: the fight becomes the current fight and the opponent starts tired; the
// corner screen follows.
void playInteractively(int fight);

// One month of the world.
void monthlyAdvance();

// The count of advances that found the account in the red (monthsInDebt, never reset by a
// positive balance) at which the career ends: the sixth such advance ends it.
constexpr int kDebtAdvancesToEnd = 6;
// Message 12's count: how many more advances in the red the career takes, the last of them
// ending it. After the first red advance 5, after the fifth 1.
int debtAdvancesLeft();

// The advance's pass over every boxer: free boxers drift and challenge, retired boxers are
// replaced, and every rank goes into its boxer's history.
void advanceWorldBoxers();

// The monthly life of a free boxer: his skills drift and he rests.
void freeBoxerDrift(int b);

// A free boxer challenges the boxer holding targetRank in his category.
void aiChallenge(int b, int targetRank);

// The world pass looks up challenged ranks in an index; switched off, every challenge
// searches the boxers in index order. Both give the same world (tests compare them).
void setRankIndexEnabled(bool enabled);

// The random events, for tests and tools: raises event 15..18 with the draws the advance
// makes after deciding that an event strikes.
void raiseRandomEvent();
