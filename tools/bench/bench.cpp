// brawnmoor-bench: how long the engine and the career rules take.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "career/generation.h"
#include "career/world.h"

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

BENCHMARK_MAIN();
