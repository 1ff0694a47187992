// The finances screen (state 5): equipment, sponsor offers and staff on the left page, the
// month's books on the right.
#pragma once

// Registers the screen's entry, drawing, input and help routines.
void installFinancesScreen();

// One row of the books table: its place (0..8 under the heading), label, the value of this
// month, of the previous month and of both together; `total` marks a summing row.
struct BooksRow {
  int row;
  const char* label;
  int values[3];
  bool total;
};
// The rows of table 1 (income), 2 (expenses) or 3 (balance) as the books panel shows them;
// returns how many were written (at most 6).
int booksRows(int table, BooksRow out[6]);

// Shows the confirm button or the "already chosen" image (hotspots 14 and 15) for the item
// the current page shows.
void updateFinanceConfirmHotspots();
