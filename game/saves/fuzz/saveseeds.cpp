// brawnmoor-saveseeds FOLDER: writes a few slot files to start the loader's fuzzing from: a new
// career, one played for two years, and pieces of it.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "career/autopilot.h"
#include "career/generation.h"
#include "career/world.h"
#include "saves/savegame.h"

namespace {
uint8_t image[kSaveFileSize];

void write(const std::string& path, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(image, 1, size, f);
  std::fclose(f);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brawnmoor-saveseeds FOLDER\n");
    return 2;
  }
  std::string folder = argv[1];
  std::srand(7);
  if (!generateWorld()) return 1;
  quickStart();
  buildSaveImage(image);
  write(folder + "/new-career", kSaveFileSize);
  write(folder + "/header-only", 5898);
  for (int m = 0; m < 24 && !gameOver; ++m) autopilotMonth();
  buildSaveImage(image);
  write(folder + "/two-years", kSaveFileSize);
  write(folder + "/cut-in-boxers", 10698 + 116 * 40 + 17);
  return 0;
}
