// Fuzzes the save slot loader: whatever bytes a slot file holds, loading them (the blocks, then
// the repair) must leave a world that keeps every promise of the repair (worldcheck.h), and a
// repaired world must be one the game itself could have written: repaired again, it does not
// change. Inputs are compact slot files (compactslot.h) laid over the pristine career's file, so
// each input starts from the same career without a second load. Playing on after the load, and
// files cut short, are the slower target brawnmoor-playslot-fuzz.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "career/generation.h"
#include "career/world.h"
#include "saves/fuzz/compactslot.h"
#include "saves/fuzz/worldcheck.h"
#include "saves/savegame.h"
#include "tools/KTools.h"

namespace {
uint8_t pristine[kSaveFileSize];
uint8_t file[kSaveFileSize];
uint8_t first[kSaveFileSize];
uint8_t second[kSaveFileSize];
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KTools::SetMessageBoxHandler([](const char*, const char*) {});
  std::srand(1);
  if (!generateWorld()) std::abort();  // the data folder must lie beside the program
  quickStart();
  buildSaveImage(pristine);
  std::memcpy(file, pristine, kSaveFileSize);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  compactslot::lay(data, size, pristine, file);
  loadSaveImage(file, kSaveFileSize);
  // The records an input holds, and the values that tie the world together, are checked every
  // time. The pristine records are the same for every input, and a second pass over all of them
  // would cost as much as the load: one input in eight (chosen by its bytes, so that a failure
  // repeats) checks every record and that the repair left nothing to repair.
  if (size == 0 || (data[size / 2] ^ data[size - 1]) % 8 != 0) {
    worldcheck::check(compactslot::kBoxers, compactslot::kFights);
    return 0;
  }
  worldcheck::check();
  buildSaveImage(first);
  repairLoadedWorld();
  buildSaveImage(second);
  if (std::memcmp(first, second, kSaveFileSize) != 0) {
    size_t at = 0;
    while (first[at] == second[at]) ++at;
    std::fprintf(stderr, "the repair changed its own result again, at byte %zu of the file\n", at);
    std::abort();
  }
  return 0;
}
