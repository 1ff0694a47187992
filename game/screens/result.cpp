// The result screen (state 10): after a watched fight or an instant result, the outcome is
// written into the boxers' careers once, shown over its picture, and the click that leaves
// pays the purse and goes on to the month screen.
#include <cstdio>
#include <cstring>

#include "career/rankings.h"
#include "career/world.h"
#include "fight/bout.h"
#include "screens/fight.h"
#include "sound/KSound.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"

bool resultShown = false;

namespace {

const char* shownPicture = nullptr;

const char* resultPicture(const Fight& f) {
  if (f.winner == kDraw) return kResultPictures[2];
  if (f.winner == f.boxerA) return kResultPictures[0];
  return kResultPictures[1];
}

void resultEnter() {
  // Three records, all inactive: any click leaves the screen.
  hotspotCount = 4;
  const Fight* f = isFight(currentFight) ? &fights[currentFight] : nullptr;
  if (!f || !isBoxer(f->boxerA) || !isBoxer(f->boxerB)) {
    switchScreen(kMonthScreen);
    return;
  }
  // The bout is over: the next watched fight begins a bout of its own.
  boutOpen = false;
  roundPending = false;
  fightSounds().Stop(FightSound::Count);
  if (!resultShown) {
    applyFightResult(currentFight);
    resultShown = true;
  }
  const char* picture = resultPicture(*f);
  if (picture != shownPicture || !slotPicture(kResultSlot)) {
    char path[48];
    std::snprintf(path, sizeof path, "data\\gfx\\%s", picture);
    loadSlotPicture(kResultSlot, path, 0);
    shownPicture = picture;
  }
  // The theme plays again.
  if (musicPlayer && musicPlayer->LoadStream(KTools::GetDataPath(kThemeMusicFile))) musicPlayer->PlayStream(false);
}

void categoryName(const Boxer& b, char out[21]) {
  std::memset(out, 0, 21);
  if (b.category >= 1 && b.category <= kCategoryCount) std::memcpy(out, weightNames[b.category].name, 20);
}

void drawResult() {
  drawPictureRect(kResultSlot, 0, 0, 800, 600, 0, 0, 1);
  if (!isFight(currentFight)) return;
  const Fight& f = fights[currentFight];
  if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB)) return;
  const Boxer& mine = boxers[f.boxerA];
  const Boxer& theirs = boxers[f.boxerB];
  // The lookups share two buffers: copy the names before anything else looks one up.
  char first[21], last[21];
  std::snprintf(first, sizeof first, "%s", firstNameOf(mine));
  std::snprintf(last, sizeof last, "%s", surnameOf(mine));
  char category[21];
  char line[256];

  if (f.winner == kDraw) {
    formatWithName(line, sizeof line, uiText(122), first, last);
    drawTextCentred(line, 0, 800, 510);
    std::snprintf(line, sizeof line, uiText(123), f.pointsB / 3, f.pointsA / 3);
    drawTextCentred(line, 0, 800, 530);
  } else {
    const bool won = f.winner == f.boxerA;
    if (won && mine.rank == 1) {
      categoryName(mine, category);
      formatWithName(line, sizeof line, uiText(126), first, last, category);
    } else if (won) {
      formatWithName(line, sizeof line, uiText(125), first, last);
    } else if (theirs.rank == 1) {
      categoryName(mine, category);
      formatWithName(line, sizeof line, uiText(132), first, last, category);
    } else {
      formatWithName(line, sizeof line, uiText(131), first, last);
    }
    drawTextCentred(line, 0, 800, 510);
    if (f.koRound > 0) std::snprintf(line, sizeof line, uiText(127), f.koRound);
    else if (f.stopRound > 0) std::snprintf(line, sizeof line, uiText(128), f.stopRound);
    else std::snprintf(line, sizeof line, uiText(f.unanimous ? 129 : 130), f.pointsB / 3, f.pointsA / 3);
    drawTextCentred(line, 0, 800, 530);
  }
  int share = f.purse * mine.pursePercent / 100;
  if (share < 1) share = 1;
  std::snprintf(line, sizeof line, uiText(124), f.purse, share);
  drawTextCentred(line, 0, 800, 550);
  drawTextCentred(uiText(133), 0, 800, 580);

  if (fightEndNote == kTowelNote || fightEndNote == kSeriousInjuryNote) {
    fillRect(0, 0, 800, 600, 0, 0, 0, 0.35f);
    drawFramedBox(kFrameSlot + 2, 200, 240, 600, 400);
    setTextColour(1.0f, 0.82f, 0.36f);
    drawTextCentred(uiText(282), 200, 600, 260);
    setTextColour(1, 1, 1);
    const char* note =
        fightEndNote == kSeriousInjuryNote
            ? "Your boxer got serious injuries in this match, thus his skills have been greatly lowered. In future to "
              "avoid this happening, use the button Throw the Towel in the fight screen when you see the injury bar "
              "blinking!"
            : "You have chosen to Throw the Towel so your boxer lost the fight by TKO. However you avoided him serious "
              "injuries that could have lead to a premature end of his career!";
    drawParagraph(note, 220, 580, 290, 2);
  }
  drawHoverHighlight();
}

void resultInput() {
  if (!mouseDown) return;
  waitMouseRelease();
  playSound(kSoundClick);
  fightEndNote = 0;
  if (resultShown && isFight(currentFight)) payPurse(currentFight);
  resultShown = false;
  switchScreen(kMonthScreen);
}

}  // namespace

void installResultScreen() { setScreenRoutines(kResultScreen, {resultEnter, drawResult, resultInput, nullptr, nullptr}); }
