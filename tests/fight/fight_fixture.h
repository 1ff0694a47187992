// A world with a fight booked between the player's first boxer and an opponent, and a fake
// engine clock that the tests move by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "career/generation.h"
#include "career/monthadvance.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "fight/bout.h"
#include "fight/commentary.h"
#include "tools/KTools.h"

// Fight record 0 booked between boxers a (the player's side) and b over the given rounds.
inline Fight& bookTestFight(int a, int b, int rounds) {
  Fight& f = fights[0];
  f = Fight{};
  f.boxerA = int16_t(a);
  f.boxerB = int16_t(b);
  f.winner = -1;
  f.koRound = f.stopRound = -1;
  f.rounds = int16_t(rounds);
  return f;
}

class BoutTest : public ::testing::Test {
 protected:
  static inline uint64_t now = 100000;
  static uint64_t clock() { return now; }

  void SetUp() override {
    std::srand(77);
    ASSERT_TRUE(generateWorld()) << worldDataProblem();
    startCareer();
    a = career.stable[0];
    for (int i = 0; i < kBoxerCount && b < 0; ++i)
      if (boxers[i].category == boxers[a].category && boxers[i].rank == boxers[a].rank - 2) b = i;
    ASSERT_GE(b, 0);
    bookTestFight(a, b, 12).purse = 51;
    KTools::SetClockSource(clock);
    KTools::InitClock();
    playInteractively(0);
    beginBout();
    textMode = 0;
    cornerOrders[0] = cornerOrders[1] = cornerOrders[2] = 0;
    fightSpeed = savedFightSpeed = 1;
  }
  void TearDown() override {
    KTools::SetClockSource(nullptr);
    KTools::InitClock();
  }

  // The corner and the first frame of a round.
  void beginRound() {
    prepareRound();
    startRound();
  }
  // Frames of `ms` engine milliseconds each.
  void frames(int n, uint32_t ms = 1) {
    for (int i = 0; i < n; ++i) {
      now += ms;
      fightFrame();
    }
  }
  // No punches this round: nothing happens but walking and the clock.
  void quietRound() {
    fighters[0].punchesLeft = fighters[1].punchesLeft = 0;
  }

  Fight& record() { return fights[0]; }
  int a = -1, b = -1;
};
