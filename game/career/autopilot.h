// A simple manager that plays a career without a window: the career runner's policy and the
// engine of the career soak tests. It uses only the rules a player's clicks would reach.
#pragma once

struct AutopilotMonth {
  int fightsArranged = 0;
  int fightsPlayed = 0;
  int wins = 0, losses = 0, draws = 0;
  int signed_ = 0;
  int renewed = 0;
  int sponsorsTaken = 0;
  int messages[8] = {};     // the message numbers read this month, in order
  int messageCount = 0;
  bool advanced = false;
};

// Plays one month: training, finances, sponsors, contracts, challenges, due fights (instant
// results) and the advance. Messages are read (cleared) as a player would.
AutopilotMonth autopilotMonth();

// Why the career ended, or null while it goes on.
const char* careerEndReason();
