// The month screen (state 11): the fights due in the coming month with their watch and
// instant buttons, the manager's record, and the button that advances the calendar.
#pragma once

// Registers the screen's entry, drawing, input and help routines.
void installMonthScreen();

// The manager's record table as the screen shows it, counted over the whole fight table on
// entry: wins and losses by knockout, stoppage, unanimous and split decision. Draws and fights
// not yet fought count nowhere.
struct MonthRecordTable {
  int wins[4];    // KO, TKO, unanimous, split
  int losses[4];
};
MonthRecordTable countMonthRecord();
// The table of the screen as it was counted at its last entry.
const MonthRecordTable& shownMonthRecord();

// The line of a due fight: "F. Surname - F. Surname", first names alone for nation 9.
void formatFightLine(int fight, char* out, int size);

// Where the advance button sits.
constexpr int kAdvanceButtonX = 525, kAdvanceButtonY = 486;
