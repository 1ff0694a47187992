// brawnmoor-saveseeds FOLDER: writes the slot fuzzers' seeds (compact slot files, compactslot.h)
// from careers played here: a new career, one played for two years by the autopilot, one of five
// years, and pieces of them cut where a damaged file might end.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "career/autopilot.h"
#include "career/generation.h"
#include "career/world.h"
#include "saves/fuzz/compactslot.h"
#include "saves/savegame.h"

namespace {
uint8_t image[kSaveFileSize];
uint8_t input[compactslot::kSize];

bool write(const std::string& path, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(input, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brawnmoor-saveseeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::srand(7);
  if (!generateWorld()) return 1;
  quickStart();
  buildSaveImage(image);
  compactslot::compact(image, input);
  bool ok = write(folder + "/new-career", compactslot::kSize) && write(folder + "/header-only", 5898) &&
            write(folder + "/cut-in-career", 5898 + 61) && write(folder + "/cut-in-boxers", 10698 + 116 * 3 + 17);
  for (int m = 0; m < 24 && !gameOver; ++m) autopilotMonth();
  buildSaveImage(image);
  compactslot::compact(image, input);
  ok = ok && write(folder + "/two-years", compactslot::kSize);
  for (int m = 0; m < 36 && !gameOver; ++m) autopilotMonth();
  buildSaveImage(image);
  compactslot::compact(image, input);
  ok = ok && write(folder + "/five-years", compactslot::kSize) &&
       write(folder + "/five-years-cut-in-fights", compactslot::kSize - 20 - 24 * 50 - 5);
  return ok ? 0 : 1;
}
