// brawnmoor-bench: how long the engine and the career rules take.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "career/contracts.h"
#include "career/generation.h"
#include "career/monthadvance.h"
#include "career/world.h"
#include "fight/boutdriver.h"
#include "saves/savegame.h"
#include "ui/texttable.h"

// A whole new world, data files read included.
static void BM_GenerateWorld(benchmark::State& state) {
  std::srand(1);
  for (auto _ : state) {
    bool ok = generateWorld();
    benchmark::DoNotOptimize(ok);
    if (!ok) state.SkipWithError("the data files cannot produce a world");
  }
}
BENCHMARK(BM_GenerateWorld)->Unit(benchmark::kMillisecond);

static void BM_StartCareer(benchmark::State& state) {
  std::srand(2);
  generateWorld();
  for (auto _ : state) {
    for (int s = 0; s < kStableSize; ++s)
      if (career.stable[s] >= 0) boxers[career.stable[s]].manager = kFree;
    stableCount = 2;
    startCareer();
  }
}
BENCHMARK(BM_StartCareer)->Unit(benchmark::kMillisecond);

// One month of the world, with a stable of two and no messages in the way.
static void BM_MonthlyAdvance(benchmark::State& state) {
  std::srand(3);
  generateWorld();
  quickStart();
  for (auto _ : state) {
    for (int s = 0; s < kStableSize; ++s)
      if (isBoxer(career.stable[s])) boxers[career.stable[s]].contractMonths = 50;
    cash = 1000;
    popup = 0;
    gameOver = 0;
    career.managerAge = 30;
    monthlyAdvance();
  }
}
BENCHMARK(BM_MonthlyAdvance)->Unit(benchmark::kMillisecond);

// The search screen's search over the whole world and a sort by each column.
static void BM_SearchAndSort(benchmark::State& state) {
  std::srand(4);
  generateWorld();
  quickStart();
  searchByRecord = uint8_t(state.range(1));
  for (auto _ : state) {
    std::memset(&searchFilter, 0, sizeof searchFilter);
    runSearch();
    sortResults(int(state.range(0)));
  }
  state.counters["results"] = searchLast + 1;
}
BENCHMARK(BM_SearchAndSort)->ArgsProduct({{1, 2, 6}, {0, 1}})->Unit(benchmark::kMillisecond);

// A save to slot 9 and its load, through the per-user folder (set XDG_DATA_HOME to measure
// another disk). The save includes flushing the file to the disk.
static void BM_SaveSlot(benchmark::State& state) {
  std::srand(5);
  generateWorld();
  quickStart();
  loadTextTable(0);
  for (auto _ : state)
    if (!saveSlot(9)) state.SkipWithError("the slot cannot be written");
}
BENCHMARK(BM_SaveSlot)->Unit(benchmark::kMillisecond);

static void BM_LoadSlot(benchmark::State& state) {
  std::srand(5);
  generateWorld();
  quickStart();
  saveSlot(9);
  for (auto _ : state)
    if (!loadSlot(9)) state.SkipWithError("the slot cannot be read");
}
BENCHMARK(BM_LoadSlot)->Unit(benchmark::kMillisecond);

// A whole twelve-round fight on the fake clock, frames of 16 ms at the fastest pace, between
// two evenly matched boxers (so that most fights go the distance).
static void BM_WholeFight(benchmark::State& state) {
  std::srand(6);
  generateWorld();
  quickStart();
  int a = career.stable[0];
  int b = (a + 1) % kBoxerCount;
  Boxer keepA = boxers[a];
  int rounds = 0;
  for (auto _ : state) {
    boxers[a] = keepA;
    boxers[b] = keepA;
    boxers[b].manager = kFree;
    fights[0] = Fight{};
    fights[0].boxerA = int16_t(a);
    fights[0].boxerB = int16_t(b);
    fights[0].winner = fights[0].koRound = fights[0].stopRound = -1;
    fights[0].rounds = 12;
    BoutDriverOptions options;
    options.pace = 3;
    rounds += driveBout(0, options).roundsStarted;
  }
  state.counters["rounds"] = benchmark::Counter(rounds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeFight)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
