// Every test program runs headless unless its caller chose otherwise: no window appears and no
// sound card is opened. The drivers are set before main, so before any test touches SDL.
#include <cstdlib>

#include "testenv.h"

namespace {

struct HeadlessEnvironment {
  HeadlessEnvironment() {
    setEnv("SDL_VIDEODRIVER", "offscreen", false);
    setEnv("SDL_AUDIODRIVER", "dummy", false);
  }
} headlessEnvironment;

}  // namespace
