#include "fight/boutdriver.h"

#include "career/monthadvance.h"
#include "career/world.h"
#include "fight/bout.h"
#include "fight/commentary.h"
#include "tools/KTools.h"

namespace {

uint64_t fakeNow = 1000;
uint64_t fakeClock() { return fakeNow; }

// When a watching player would click on in text mode.
bool continueDue() {
  const Fight* f = boutRecord();
  bool stoppedOrOut = f && (f->koRound > 0 || f->stopRound > 0);
  if (stoppedOrOut) return (count > 19 && count < 99) || count > 115;
  return roundClock == 0 && count < 9;
}

}  // namespace

uint64_t boutDriverNow() { return fakeNow; }

BoutDriverResult driveBout(int fight, const BoutDriverOptions& options) {
  BoutDriverResult result;
  if (!isFight(fight) || !isBoxer(fights[fight].boxerA) || !isBoxer(fights[fight].boxerB)) return result;
  KTools::SetClockSource(fakeClock);
  KTools::InitClock();

  playInteractively(fight);
  beginBout();
  textMode = options.textMode ? 1 : 0;
  for (int k = 0; k < 3; ++k) cornerOrders[k] = int16_t(options.cornerOrders[k]);
  count = kNoCount;
  setFightPace(options.pace);

  while (result.frames < options.maxFrames) {
    prepareRound();
    startRound();
    result.roundsStarted++;
    int committed = textMode ? 0 : commentaryCount;
    while (fightNextScreen == 0 && result.frames < options.maxFrames) {
      fakeNow += options.frameMs;
      fightFrame();
      if (textMode) {
        while (committed < commentaryCount) {
          if (options.onLine) options.onLine(options.user, committed);
          committed++;
        }
        if (fightNextScreen == 0 && continueDue()) fightContinueClick();
      }
      updateDamageMarkers(uint32_t(KTools::GetMilliseconds()));
      result.frames++;
      if (options.onFrame) options.onFrame(options.user);
    }
    if (fightNextScreen == kNextResult) {
      result.finished = true;
      break;
    }
  }
  KTools::SetClockSource(nullptr);
  KTools::InitClock();
  return result;
}
