// The game's screens, one value of the process-wide screen state each. The rules name the
// screen that comes next (the fight goes to the corner or the result, see fight/bout.h), the
// shell draws it.
#pragma once

#include <cstdint>

enum ScreenState : int16_t {
  kMainMenuScreen = 1,
  kNewManagerScreen = 2,
  kBoxerScreen = 3,
  kLauncherScreen = 4,
  kFinancesScreen = 5,
  kRankingsScreen = 6,
  kSearchScreen = 7,
  kCornerScreen = 8,
  kFightScreen = 9,
  kResultScreen = 10,
  kMonthScreen = 11,
  kLoadSaveScreen = 12,
  kOptionsScreen = 13,  // the player's options: language, volumes, display, tutorial, renderer
};
constexpr int kScreenStateCount = 14;  // 0 unused, 1..13
