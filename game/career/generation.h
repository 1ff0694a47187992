// Building a new world and starting a career in it.
#pragma once

// Builds a complete new world: career values, finance history, stable, fights, the data files,
// 2,500 boxers, the rankings, invented past records and prices. The data files are read and
// checked first; when they cannot produce boxers nothing changes and false is returned
// (worldDataProblem() says why).
bool generateWorld();

// True while a world is there to play in: the last generateWorld() succeeded. Without one (the
// data files are missing or damaged) no career may start, load or be saved.
bool worldReady();

// Fills boxers[index] with a new boxer aged 16..16+ageSpread.
void generateBoxer(int index, int ageSpread);

// Draws a first name and a surname of the boxer's nation's group.
void assignBoxerName(int index);

// Gives every boxer of a category his initial rank: fame first, then wins, in the order
// the exchange sort leaves them.
void rankCategory(int category);

// The new-manager screen's reset button.
void resetManager();

// Picks the starting stable: stableCount young boxers of the three lightest categories,
// ranked 91..100 with a skill average below 50.
void startCareer();

// The main menu's quick start: a random manager with 21 skill points, then startCareer().
void quickStart();

// The fights invented for a boxer's past, with the largest fame among the boxers handled
// before him (-1 when there is none). Returns his fame afterwards.
int inventPastRecord(int index, int largestFameBefore);
