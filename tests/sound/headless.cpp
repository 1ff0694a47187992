// The sound tests run headless: without a driver named in the environment, SDL's dummy audio
// driver is used (a test that wants another one, such as the disk driver, sets it itself).
#include <cstdlib>

namespace {
const bool headless = [] {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();
}  // namespace
