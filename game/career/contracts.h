// Contracts and the boxer search: finding boxers, offering contracts, renewing, releasing
// and talking to the stable.
#pragma once

#include <cstdint>

#include "career/world.h"

extern uint8_t searchByRecord;       // 0 by statistics, 1 by category, age and record
extern uint8_t onlyUnranked;         // only boxers ranked worse than 100
extern uint8_t onlyAffordable;       // only boxers the manager's reputation can reach
extern int16_t searchResults[kBoxerCount];
extern int16_t searchLast;           // index of the last result (count - 1)
extern int16_t searchPage;           // first listed result; 20 rows a page
extern int16_t candidate;            // boxer chosen in the list, -1 = none
extern int16_t offerYears;           // 0..5
extern int16_t offerPercent;         // 0..50

// The potential a manager of this reputation can reach.
bool isAffordable(int b);

// Rebuilds searchResults from the filters (ages kept within 16..40).
void runSearch();

// Orders searchResults by a column of the current mode (1 = surname).
void sortResults(int column);

// The search button: search, sort by the first column, first page.
void startSearch();

// The ages the record search spans.
constexpr int16_t kSearchAgeLow = 16;
constexpr int16_t kSearchAgeHigh = 40;

// Clears the 15 filter values: every minimum 0, any category, ages 16..40.
void clearSearchFilters();

// The reset button: clears the filters and searches again.
void resetSearchFilters();

// The filters the steppers change, in the order of the filter block.
enum SearchFilterField {
  kFilterStrength = 0, kFilterAgility, kFilterEndurance, kFilterQuickness, kFilterStamina,
  kFilterTechnique, kFilterCharisma, kFilterCategory, kFilterAgeMin, kFilterWinsMin,
  kFilterAgeMax, kFilterLossesMin, kFilterKoMin
};
// Steps one filter value by delta within its bounds (category wraps 0..17, ages 16..40,
// record values and skill minima 0..99). False when the step is refused.
bool stepSearchFilter(int field, int delta);

// The offer steppers: years 0..5, percent 0..50; a step at a bound is refused.
bool stepOfferYears(int delta);
bool stepOfferPercent(int delta);

// Page buttons: 20 rows a page; refused below 0 and past the last result (a page may start
// on the last result itself, so every result can be shown).
bool stepSearchPage(int delta);
// The pages the page buttons reach (at least 1), and the line that names the current one:
// "Showing page 1" while there is one page, else "Showing page %d/%d".
int searchPageCount();
void formatSearchPageLine(char* out, int size);

// A click on a list row makes that boxer the candidate.
bool chooseCandidate(int row);

// The candidate panel's bars: the length of the skill and potential bars of each of the
// seven skills (strength, agility, endurance, quickness, stamina, technique, charisma), as
// the manager's scouting lets him see them.
void scoutedBars(int boxer, float skillBar[7], float potentialBar[7]);

// The two sides of an offer, with the draws the offer makes: what the offer is worth and
// what the candidate demands.
int drawOfferValue();
int drawDemand(int b);

// The offer button. Returns true when the boxer signed.
bool offerContract();

// The boxer screen's contract panel, for the selected boxer.
bool renewContract();
bool releaseBoxer();
bool talkToBoxer();
// What releasing the selected boxer costs.
int releaseFee();
