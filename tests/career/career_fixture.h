// A generated world with a started career, and helpers to arrange situations in it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "career/generation.h"
#include "career/world.h"
#include "career/worlddata.h"

class CareerTest : public ::testing::Test {
 protected:
  void SetUp() override { start(20260101u); }

  void start(unsigned seed) {
    std::srand(seed);
    ASSERT_TRUE(generateWorld()) << worldDataProblem();
    month = 4;
    startCareer();
    popup = 0;
    gameOver = 0;
    setCareerSoundHook(countSound);
    refusals = clicks = 0;
  }
  void TearDown() override { setCareerSoundHook(nullptr); }

  static void countSound(CareerSound s) { (s == CareerSound::Refusal ? refusals : clicks)++; }

  // The boxer of a category holding a rank.
  static int holder(int category, int rank) {
    for (int i = 0; i < kBoxerCount; ++i)
      if (boxers[i].category == category && boxers[i].rank == rank) return i;
    return -1;
  }
  // Category members.
  static std::vector<int> members(int category) {
    std::vector<int> v;
    for (int i = 0; i < kBoxerCount; ++i)
      if (boxers[i].category == category) v.push_back(i);
    return v;
  }
  // Puts a stable boxer at a rank by swapping with the holder.
  static void placeAt(int boxer, int rank) {
    int h = holder(boxers[boxer].category, rank);
    ASSERT_GE(h, 0);
    std::swap(boxers[h].rank, boxers[boxer].rank);
  }
  // Makes slot s's boxer selected.
  static void select(int slot) {
    currentSlot = int16_t(slot);
    selectedBoxer = career.stable[slot];
  }
  static int mine(int slot = 0) { return career.stable[slot]; }

  static inline int refusals = 0;
  static inline int clicks = 0;
};
