// Runs a whole bout without a window, on a fake engine clock: the fight runner, the tests and
// the benchmarks use it the way the corner, fight and result screens would.
#pragma once

#include <cstdint>

struct BoutDriverOptions {
  bool textMode = false;
  int pace = 1;                  // the pace button: 1 slow .. 3 fast (fightSpeed 3 .. 1)
  int cornerOrders[3] = {0, 0, 0};
  uint32_t frameMs = 16;         // engine milliseconds between two frames
  int maxFrames = 2000000;       // a safety net: no bout lasts that long
  // Called after every frame; and after every commentary line that was committed.
  void (*onFrame)(void* user) = nullptr;
  void (*onLine)(void* user, int line) = nullptr;
  void* user = nullptr;
};

struct BoutDriverResult {
  int frames = 0;
  int roundsStarted = 0;
  bool finished = false;         // reached the result screen
};

// Plays the fight record to its result: playInteractively, then every round through the
// corner and the fight screen, clicking on in text mode when a player could. The engine
// clock is faked for the duration and restored afterwards.
BoutDriverResult driveBout(int fight, const BoutDriverOptions& options);

// The fake clock's current time, while driveBout runs.
uint64_t boutDriverNow();
