// Fuzzes what the game does with a loaded slot: the loaded file (a compact slot file as in
// compactslot.h, standing for a file that may be cut short) is repaired, a month is played, the
// rankings and a search with a sort are built and the career is saved again, all under
// AddressSanitizer and UndefinedBehaviorSanitizer, and the world must keep the repair's promises
// before and after the month. A month costs milliseconds, so this is the slow target; it starts
// from the corpus the loader's fuzzer grew.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "career/contracts.h"
#include "career/generation.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/world.h"
#include "saves/fuzz/compactslot.h"
#include "saves/fuzz/worldcheck.h"
#include "saves/savegame.h"
#include "tools/KTools.h"

namespace {
uint8_t pristine[kSaveFileSize];
uint8_t file[kSaveFileSize];
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KTools::SetMessageBoxHandler([](const char*, const char*) {});
  std::srand(1);
  if (!generateWorld()) std::abort();  // the data folder must lie beside the program
  quickStart();
  buildSaveImage(pristine);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Every input starts from the same career and the same random draws; a cut file loads only
  // what it holds over it.
  loadSaveImage(pristine, kSaveFileSize);
  std::srand(2);
  const size_t length = compactslot::expand(data, size, pristine, file);
  loadSaveImage(file, length);
  worldcheck::check();
  monthlyAdvance();
  openRankingsScreen();
  buildRankingList();
  runSearch();
  sortResults(int(size % 9) + 1);
  worldcheck::check(kBoxerCount, kFightCount, true);
  buildSaveImage(file);
  return 0;
}
