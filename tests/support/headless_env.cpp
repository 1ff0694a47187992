// Every test program runs headless unless its caller chose otherwise: no window appears and no
// sound card is opened. The drivers are set before main, so before any test touches SDL.
#include <cstdlib>

namespace {

struct HeadlessEnvironment {
  HeadlessEnvironment() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
} headlessEnvironment;

}  // namespace
