// Fuzzes the save slot loader: whatever bytes a slot file holds, loading them must leave a world
// in which a month advance, the rankings, a search with a sort and another save all run
// cleanly under AddressSanitizer and UndefinedBehaviorSanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "career/contracts.h"
#include "career/generation.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/world.h"
#include "saves/savegame.h"

namespace {
uint8_t pristine[kSaveFileSize];
uint8_t scratch[kSaveFileSize];
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::srand(1);
  if (!generateWorld()) std::abort();  // the data folder must lie beside the program
  quickStart();
  buildSaveImage(pristine);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Every input starts from the same career.
  loadSaveImage(pristine, kSaveFileSize);
  std::srand(2);
  loadSaveImage(data, size < kSaveFileSize ? size : kSaveFileSize);
  monthlyAdvance();
  openRankingsScreen();
  buildRankingList();
  runSearch();
  sortResults(int(size % 9) + 1);
  buildSaveImage(scratch);
  return 0;
}
