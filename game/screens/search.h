// The boxer search screen (state 7): the filters of both search modes, the sortable result
// list with its pages, the scouted candidate panel and the contract offer.
#pragma once

// Registers the screen's entry, drawing, input and help with the shell.
void installSearchScreen();

// The column the list was last ordered by (1 = name); the heading of that column is marked.
int searchSortedColumn();
