// The rankings screen (state 6): the seventeen category ladders, the player's boxers among
// them, and arranging or cancelling a fight.
#pragma once

// Registers the screen's entry, drawing, input and hover help.
void installRankingsScreen();
