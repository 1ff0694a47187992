// Fuzzes the options file's reader: whatever the file holds, every option the game uses is in its
// range (a window's size on both sides or on neither), a text with no option gives exactly the
// defaults, and what the game writes back reads as the same options.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "saves/options.h"

namespace {
bool same(const GameOptions& a, const GameOptions& b) {
  return a.musicVolume == b.musicVolume && a.soundVolume == b.soundVolume && a.windowSize == b.windowSize &&
         a.smoothScaling == b.smoothScaling && a.tutorialAtStart == b.tutorialAtStart &&
         a.windowWidth == b.windowWidth && a.windowHeight == b.windowHeight;
}

bool inRange(const GameOptions& o) {
  if (o.musicVolume < 0 || o.musicVolume > 100 || o.soundVolume < 0 || o.soundVolume > 100) return false;
  if (o.windowSize < kWindowSizeLargest || o.windowSize > kWindowSizeMaxMultiple) return false;
  if (o.windowWidth < 0 || o.windowWidth > 16384 || o.windowHeight < 0 || o.windowHeight > 16384) return false;
  return (o.windowWidth == 0) == (o.windowHeight == 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GameOptions read;
  const bool any = parseOptions(reinterpret_cast<const char*>(data), size, read);
  if (!inRange(read)) std::abort();
  if (!any && !same(read, GameOptions{})) std::abort();

  const std::string written = formatOptions(read);
  GameOptions back;
  if (!parseOptions(written.data(), written.size(), back) || !same(back, read)) std::abort();
  return 0;
}
