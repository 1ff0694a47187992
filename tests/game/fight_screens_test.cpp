// A watched fight through the real program: the corner with its orders, the fight screen in
// the ring view and in text mode, the towel, the D key, the pace buttons during a count, and
// the result screen that writes the record and pays the purse once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include <algorithm>
#include <cstdio>
#include <string>

#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/world.h"
#include "fight/bout.h"
#include "fight/commentary.h"
#include "gamedriver.h"
#include "screens/fight.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/tutorial.h"

namespace {

uint32_t at(const std::vector<uint32_t>& px, int x, int y) { return px[size_t(y) * 800 + size_t(x)]; }
int red(uint32_t c) { return int(c >> 16) & 255; }
int green(uint32_t c) { return int(c >> 8) & 255; }
int blue(uint32_t c) { return int(c) & 255; }

// Bright pixels (text) in a rectangle.
int brightPixels(const std::vector<uint32_t>& px, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x) {
      const uint32_t c = at(px, x, y);
      if (red(c) > 140 && green(c) > 140 && blue(c) > 140) ++n;
    }
  return n;
}

class FightScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    // No bout of an earlier test stays open.
    boutOpen = false;
    resultShown = false;
    boot(false);
  }

  void boot(bool openGL) {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(openGL));
    d.frame(2);
    ASSERT_EQ(screenState, kMainMenuScreen);
    d.clickHotspot(3);  // quick start
    ASSERT_EQ(screenState, kBoxerScreen);
    arrange();
  }

  // Books a fight for the first stable boxer against a boxer of his category within the
  // challenge limits, as the rankings screen would.
  void arrange() {
    openRankingsScreen();
    const Boxer& me = boxers[selectedBoxer];
    opponent = -1;
    for (int b = 0; b < kBoxerCount && opponent < 0; ++b) {
      const Boxer& o = boxers[b];
      if (o.manager == kFree && o.category == me.category && withinChallengeLimits(me.rank, o.rank) && o.rank > 0)
        opponent = int16_t(b);
    }
    ASSERT_GE(opponent, 0);
    fight = arrangeFight();
    ASSERT_GE(fight, 0);
    mine = fights[fight].boxerA;
    theirs = fights[fight].boxerB;
    cashBefore = cash;
    lossesBefore = boxers[mine].losses;
    recordBefore = boxers[mine].wins + boxers[mine].draws + boxers[mine].losses;
    statsBefore = career.careerStats[kStatWins] + career.careerStats[kStatDraws] + career.careerStats[kStatLosses];
  }

  // The month screen's watch button.
  void watch() {
    watchFight(fight);
    d.frame(2);
    ASSERT_EQ(screenState, kCornerScreen);
  }

  int share() const {
    const int s = fights[fight].purse * boxers[mine].pursePercent / 100;
    return s < 1 ? 1 : s;
  }

  // Plays on from wherever the fight is to the result screen: the corner's start button, the
  // fight's frames, and in text mode the continue click once the round is over.
  void playToResult(bool text, int maxFrames = 40000) {
    int frames = 0;
    while (screenState != kResultScreen && frames < maxFrames) {
      if (screenState == kCornerScreen) {
        d.clickHotspot(text ? 5 : 4);
        frames += 5;
        continue;
      }
      ASSERT_EQ(screenState, kFightScreen);
      if (text && (roundClock == 0 || count > 9)) {
        d.click(200, 560);
      } else {
        d.frame();
      }
      if (commentaryCount > maxCommentary) maxCommentary = commentaryCount;
      ++frames;
    }
    ASSERT_EQ(screenState, kResultScreen) << "frames " << frames;
  }

  void expectResultAppliedOnceAndPaidOnce() {
    const Fight& f = fights[fight];
    EXPECT_TRUE(f.winner == kDraw || f.winner == mine || f.winner == theirs) << f.winner;
    EXPECT_EQ(boxers[mine].wins + boxers[mine].draws + boxers[mine].losses, recordBefore + 1);
    EXPECT_EQ(career.careerStats[kStatWins] + career.careerStats[kStatDraws] + career.careerStats[kStatLosses],
              statsBefore + 1);
    EXPECT_EQ(cash, cashBefore);  // not paid before the click
    d.frame(5);
    EXPECT_EQ(boxers[mine].wins + boxers[mine].draws + boxers[mine].losses, recordBefore + 1);
    d.click(400, 300);
    EXPECT_EQ(screenState, kMonthScreen);
    EXPECT_EQ(cash, cashBefore + f.purse - share());
    d.frame(5);
    EXPECT_EQ(cash, cashBefore + f.purse - share());
    EXPECT_EQ(boxers[mine].wins + boxers[mine].draws + boxers[mine].losses, recordBefore + 1);
  }

  GameDriver d;
  int fight = -1, mine = -1, theirs = -1;
  int32_t cashBefore = 0;
  int recordBefore = 0, statsBefore = 0, lossesBefore = 0;
  int maxCommentary = 0;
};

TEST_F(FightScreens, CornerOrdersCycleWithClickAndMarker) {
  watch();
  EXPECT_EQ(hotspotCount, 6);
  EXPECT_EQ(roundIndex, 0);
  for (int k = 0; k < 3; ++k) cornerOrders[k] = 0;
  const uint32_t clicks = soundRequests[kSoundClick];
  for (int k = 0; k < 3; ++k) {
    for (int n = 1; n <= 3; ++n) {
      d.clickHotspot(1 + k);
      EXPECT_EQ(cornerOrders[k], n % 3) << k;
      EXPECT_EQ(orderMarkerX[k], 312 + 155 * (n % 3)) << k;
    }
  }
  EXPECT_EQ(soundRequests[kSoundClick], clicks + 9);
  // The second order lowers the punches of the round it starts: keep away divides them by 3.
  cornerOrders[1] = 2;
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  EXPECT_LT(fighters[kPlayerSide].punchesLeft, (20 + 15) / 3 + 7);
}

TEST_F(FightScreens, CornerShowsTheFirstRoundTextsThenTheScoreTable) {
  // Entered as the month screen's watch button may do it: the fight made current, the corner.
  playInteractively(fight);
  switchScreen(kCornerScreen);
  d.move(700, 580);
  d.keepScreenshot("corner-first-round");
  std::vector<uint32_t> px = d.pixels();
  // Texts 93 and 94 in the scorecard area, no bands.
  EXPECT_GT(brightPixels(px, 240, 440, 555, 455), 20);
  EXPECT_GT(brightPixels(px, 240, 470, 555, 485), 20);
  EXPECT_LT(blue(at(px, 250, 480)), 120);
  // The injury meters are drawn whole for a fresh boxer (green at the right end).
  EXPECT_GT(green(at(px, 180, 128)), 100);

  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  EXPECT_EQ(textMode, 0);
  d.setFrameStep(130);
  for (int i = 0; i < 400 && screenState == kFightScreen; ++i) d.frame();
  ASSERT_EQ(screenState, kCornerScreen);
  EXPECT_EQ(roundIndex, 1);
  d.setFrameStep(16);
  injuries[kPlayerSide][0] = 80;  // a severe head injury shows its picture
  injuries[kPlayerSide][2] = 50;  // moderate ribs
  d.move(700, 580);
  d.keepScreenshot("corner-round-2");
  px = d.pixels();
  // The score table's two bands, blue for the player's boxer and red for the opponent.
  EXPECT_LT(red(at(px, 236 + 10, 474)), 40);
  EXPECT_GT(blue(at(px, 246, 474)), 120);
  EXPECT_GT(red(at(px, 246, 500)), 120);
  EXPECT_LT(blue(at(px, 246, 500)), 40);
  // The round number picture fills the frame.
  EXPECT_GT(brightPixels(px, 380, 340, 460, 399) + 0, -1);
  // The first judge's cards of round 1 are what the table holds.
  EXPECT_TRUE(judgeCards[kPlayerSide][0][0] >= 7 && judgeCards[kPlayerSide][0][0] <= 10);
}

// A hovered order plate lights up under its label and markers, and a start button's help line
// is the only one at its height, also where the button lies in the area of the corner's line.
TEST_F(FightScreens, CornerHoverKeepsLabelsMarkersAndOneHelpLine) {
  watch();
  static const int labelYs[3] = {256, 389, 520};
  for (int k = 0; k < 3; ++k) {
    cornerOrders[k] = 1;
    orderMarkerX[k] = 312 + 155;
    const int plateY = 226 + 133 * k, labelY = labelYs[k];
    d.move(400, 580);  // nothing hovered
    const std::vector<uint32_t> plain = d.pixels();
    d.move(757, plateY + 47);  // the plate's corner: the pointer lies beside the label
    ASSERT_EQ(hovered, 1 + k);
    if (k == 1) d.keepScreenshot("corner-hover");
    const std::vector<uint32_t> lit = d.pixels();
    // The label's white letters are the same white letters under the highlight.
    int letters = 0, kept = 0;
    for (int y = labelY; y < labelY + 14; ++y)
      for (int x = 600; x < 755; ++x)
        if (at(plain, x, y) == 0xFFFFFF) {
          ++letters;
          kept += at(lit, x, y) == 0xFFFFFF;
        }
    EXPECT_GT(letters, 20) << k;
    EXPECT_EQ(kept, letters) << k;
    // The middle pip lit (value 1), the first one dark, hovered or not.
    for (const std::vector<uint32_t>* px : {&plain, &lit}) {
      const uint32_t on = at(*px, 611 + 10 + 3, plateY + 11), off = at(*px, 611 + 3, plateY + 11);
      EXPECT_EQ(red(on), 255) << k;
      EXPECT_GT(green(on), 190) << k;
      EXPECT_LT(red(off), 80) << k;
    }
  }
  // Over each start button: the help row is the same inside and outside the corner's area.
  auto helpRow = [&](int x, int y) {
    d.move(x, y);
    const std::vector<uint32_t> px = d.pixels();
    return std::vector<uint32_t>(px.begin() + 556 * 800, px.begin() + 584 * 800);
  };
  d.move(400, 580);
  EXPECT_EQ(helpRow(330, 210), helpRow(250, 210));  // button 4: x 322..396 lies in the area
  EXPECT_EQ(hovered, 4);
  EXPECT_EQ(helpRow(450, 210), helpRow(560, 210));  // button 5: x 410..487 lies in the area
  EXPECT_EQ(hovered, 5);
  // Between the buttons, the area's own line.
  EXPECT_NE(helpRow(403, 210), helpRow(560, 210));
}

// Three rounds keep the fight short; the rounds, the corner between them and the decision are
// those of any fight.
TEST_F(FightScreens, WholeFightInTheRingView) {
  fights[fight].rounds = 3;
  watch();
  d.keepScreenshot("corner");
  const uint32_t bells = soundRequests[kSoundBell];
  const uint32_t blows = soundRequests[kSoundHit1] + soundRequests[kSoundHit2] + soundRequests[kSoundHit3] +
                         soundRequests[kSoundMiss1] + soundRequests[kSoundMiss2];
  d.clickHotspot(3);  // pace FAST
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  d.clickHotspot(3);
  EXPECT_EQ(fightSpeed, 1);
  // A few moments of the first round, for the pictures.
  for (int shot = 0; shot < 3; ++shot) {
    d.frame(200);
    if (screenState != kFightScreen) break;
    d.keepScreenshot("fight-ring-" + std::to_string(shot + 1));
  }
  d.setFrameStep(130);
  playToResult(false);
  EXPECT_GT(soundRequests[kSoundBell], bells + 1);
  EXPECT_GT(soundRequests[kSoundHit1] + soundRequests[kSoundHit2] + soundRequests[kSoundHit3] +
                soundRequests[kSoundMiss1] + soundRequests[kSoundMiss2],
            blows);
  d.setFrameStep(16);
  d.keepScreenshot("result");
  expectResultAppliedOnceAndPaidOnce();
}

// Eight seconds of a round in ring view, one picture every half second (kept as
// fight-round-NN when BRAWNMOOR_SCREENS_DIR is set): the boxers move and the round goes on.
TEST_F(FightScreens, ARoundInRingViewHalfASecondAtATime) {
  watch();
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  float travelled = 0;
  for (int shot = 0; shot < 16 && screenState == kFightScreen; ++shot) {
    const float x = fighters[0].x, y = fighters[0].y;
    d.frame(31);  // 31 frames of 16 ms
    travelled += std::fabs(fighters[0].x - x) + std::fabs(fighters[0].y - y);
    char name[32];
    std::snprintf(name, sizeof name, "fight-round-%02d", shot + 1);
    d.keepScreenshot(name);
  }
  EXPECT_EQ(screenState, kFightScreen);
  EXPECT_GT(travelled, 5.0f);
}

TEST_F(FightScreens, WholeFightInTextModeWithScrolling) {
  fights[fight].rounds = 2;
  watch();
  d.clickHotspot(5);
  ASSERT_EQ(screenState, kFightScreen);
  EXPECT_EQ(textMode, 1);
  EXPECT_EQ(hotspotCount, 6);
  EXPECT_STREQ(commentary[0].text, ("Round 1 of " + std::to_string(boutRounds()) + " starts!").c_str());
  // The first moments of the round; then landed punches, as the simulation reports them, until
  // the thirteenth line scrolls the list.
  d.setFrameStep(40);
  d.frame(200);
  for (int i = 0; i < 40 && commentaryCount < 13 && roundClock > 0; ++i) {
    fightEvent = int16_t(4 + i % 3);
    d.frame();
  }
  ASSERT_GE(commentaryCount, 13);
  {
    EXPECT_EQ(commentaryTop, commentaryCount - 11);
    d.keepScreenshot("fight-text");
    // Up stops at the first line, down at the last line at the bottom.
    for (int i = 0; i < commentaryCount + 2; ++i) d.clickHotspot(4);
    EXPECT_EQ(commentaryTop, 0);
    for (int i = 0; i < commentaryCount + 2; ++i) d.clickHotspot(5);
    EXPECT_EQ(commentaryTop, commentaryCount - kVisibleCommentaryLines);
  }
  // The round ends only on the click once its clock has run out.
  d.setFrameStep(130);
  for (int i = 0; i < 400 && roundClock > 0 && count < 9; ++i) d.frame();
  if (roundClock == 0 && count < 9) {
    d.frame(20);
    EXPECT_EQ(screenState, kFightScreen);
    EXPECT_EQ(roundIndex, 0);
    d.keepScreenshot("fight-text-round-over");
  }
  playToResult(true);
  EXPECT_GT(maxCommentary, 1);
  d.setFrameStep(16);
  d.keepScreenshot("result-text-mode");
  expectResultAppliedOnceAndPaidOnce();
}

TEST_F(FightScreens, TowelGivesTheOpponentATkoWithItsNote) {
  watch();
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  d.frame(30);
  d.click(kTowelX + 70, kTowelY + 17);
  const Fight& f = fights[fight];
  EXPECT_GE(count, kStopped);
  EXPECT_EQ(f.winner, theirs);
  EXPECT_EQ(f.stopRound, 1);
  EXPECT_EQ(f.koRound, -1);
  EXPECT_EQ(fightEndNote, kTowelNote);
  for (int i = 0; i < 400 && screenState == kFightScreen; ++i) {
    d.frame();
    if (count == 110) d.keepScreenshot("fight-ring-tko");
  }
  ASSERT_EQ(screenState, kResultScreen);
  EXPECT_EQ(boxers[mine].losses, lossesBefore + 1);
  d.keepScreenshot("result-towel");
  std::vector<uint32_t> px = d.pixels();
  // The note's text inside its box.
  EXPECT_GT(brightPixels(px, 220, 290, 580, 340), 50);
  d.click(400, 300);
  EXPECT_EQ(fightEndNote, 0);
  EXPECT_EQ(screenState, kMonthScreen);
  EXPECT_EQ(cash, cashBefore + f.purse - share());
}

// The result of a boxer without surname names him by his first name with single spaces; the
// towel's note covers the picture behind it; the screen holds four hotspot records, none of
// them active, so that any click leaves.
TEST_F(FightScreens, ResultNamesAFirstNameOnlyBoxerAndItsNoteIsOpaque) {
  boxers[mine].nation = kFirstNameOnlyNation;
  watch();
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  d.frame(30);
  d.click(kTowelX + 70, kTowelY + 17);
  for (int i = 0; i < 400 && screenState == kFightScreen; ++i) d.frame();
  ASSERT_EQ(screenState, kResultScreen);
  EXPECT_EQ(hotspotCount, 4);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(hotspots[i].state, -1) << i;
  d.move(790, 590);
  const std::vector<DrawnText> lines = d.drawnText();
  const std::string first = firstNameOf(boxers[mine]);
  bool named = false;
  for (const DrawnText& l : lines)
    if (l.y == 510) {
      const std::string text = l.text;
      named = true;
      EXPECT_EQ(text.rfind(first + " ", 0), 0u) << text;
      EXPECT_EQ(text.find("  "), std::string::npos) << text;
      EXPECT_NE(text.back(), ' ') << text;
    }
  EXPECT_TRUE(named);
  // The note's inside is the same over another picture.
  const std::vector<uint32_t> overLoss = d.pixels();
  ASSERT_TRUE(loadSlotPicture(kResultSlot, "data\\gfx\\VICTORY.jpg", 0));
  const std::vector<uint32_t> overVictory = d.pixels();
  ASSERT_EQ(overLoss.size(), overVictory.size());
  int differing = 0, behind = 0;
  for (int y = 256; y < 384; ++y)
    for (int x = 216; x < 584; ++x) differing += at(overLoss, x, y) != at(overVictory, x, y);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 800; ++x) behind += at(overLoss, x, y) != at(overVictory, x, y);
  EXPECT_GT(behind, 1000);  // the pictures do differ
  EXPECT_EQ(differing, 0);
  d.click(400, 300);
  EXPECT_EQ(screenState, kMonthScreen);
}

TEST_F(FightScreens, DKnocksTheOpponentDownAndPaceWaitsForTheCount) {
  watch();
  d.clickHotspot(2);  // STYLE order, so the round differs from the default
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  d.frame(10);
  const uint32_t falls = soundRequests[kSoundFall];
  d.key(SDL_SCANCODE_D, SDLK_d);
  EXPECT_EQ(roundStats[kOpponent][0].knockdowns, 1);
  EXPECT_EQ(soundRequests[kSoundFall], falls + 1);
  EXPECT_TRUE(fighters[kOpponent].action == Down || fighters[kOpponent].action == Rising);
  // The standing boxer walks to his corner, then the count starts.
  for (int i = 0; i < 2000 && count < 1; ++i) d.frame();
  ASSERT_GE(count, 1);
  ASSERT_LT(count, 10);
  d.keepScreenshot("fight-ring-count");
  const int16_t speed = fightSpeed, saved = savedFightSpeed;
  EXPECT_EQ(speed, 6);
  d.clickHotspot(1);
  EXPECT_EQ(fightSpeed, speed);
  EXPECT_EQ(savedFightSpeed, saved);
  // P doubles the player's boxer's power.
  // P doubles the player's boxer's power (the next step holds it to its maximum again).
  d.keyDown(SDL_SCANCODE_P, SDLK_p);
  const float power = fighters[kPlayerSide].power;
  d.keyUp(SDL_SCANCODE_P, SDLK_p);
  EXPECT_FLOAT_EQ(fighters[kPlayerSide].power, power * 2);
}

TEST_F(FightScreens, ThirdKnockdownInARoundStopsTheFightForThePlayer) {
  watch();
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  d.setFrameStep(60);
  for (int down = 1; down <= 3 && count < kStopped; ++down) {
    // Wait until the opponent stands again (or the fight is stopped).
    for (int i = 0; i < 600 && count != kNoCount && count < kStopped; ++i) d.frame();
    if (count >= kStopped) break;
    d.key(SDL_SCANCODE_D, SDLK_d);
    d.frame(3);
  }
  for (int i = 0; i < 600 && count < kStopped && screenState == kFightScreen; ++i) d.frame();
  const Fight& f = fights[fight];
  EXPECT_TRUE(f.winner == mine) << f.winner;
  EXPECT_TRUE(f.stopRound == 1 || f.koRound == 1) << f.stopRound << " " << f.koRound;
  for (int i = 0; i < 600 && screenState == kFightScreen; ++i) {
    d.frame();
    if (count == 108) d.keepScreenshot("fight-ring-win-tko");
  }
  ASSERT_EQ(screenState, kResultScreen);
  d.setFrameStep(16);
  d.keepScreenshot("result-win");
  expectResultAppliedOnceAndPaidOnce();
}

TEST_F(FightScreens, MarkersShowFiveTimesTheDamageAndFade) {
  watch();
  d.clickHotspot(4);
  ASSERT_EQ(screenState, kFightScreen);
  clearDamageMarkers();
  fighters[kPlayerSide].facing = 0;
  placeDamageMarker(kPlayerSide, 1.6f);
  EXPECT_FLOAT_EQ(damageMarkers[0].life, 1.0f);
  EXPECT_EQ(int(5 * damageMarkers[0].value), 8);
  d.frame(10);
  EXPECT_LT(damageMarkers[0].life, 1.0f);
  EXPECT_GT(damageMarkers[0].life, 0.0f);
  d.frame(200);
  EXPECT_LE(damageMarkers[0].life, 0.0f);
}

// The same fixture with the OpenGL renderer.
class FightScreensOpenGL : public FightScreens {
 protected:
  void SetUp() override {
    boutOpen = false;
    resultShown = false;
    boot(true);
  }
};

TEST_F(FightScreensOpenGL, RingViewDraws) {
  watch();
  d.click(hotspots[4].x + 80, hotspots[4].y + 20);
  ASSERT_EQ(screenState, kFightScreen);
  d.frame(250);
  d.move(720, 405);  // over the towel: its help paragraph
  d.keepScreenshot("fight-ring");
  const std::vector<uint32_t> px = d.pixels();
  // The ring's canvas is blue wherever the boxers (placed by the fight's draws) leave it
  // showing, the statistics panel's names are written.
  int canvas = 0, bluer = 0;
  for (int y = 40; y < 340; y += 4)
    for (int x = 40; x < 340; x += 4, ++canvas) bluer += blue(at(px, x, y)) > red(at(px, x, y)) + 30;
  EXPECT_GT(bluer, canvas * 4 / 5) << bluer << " of " << canvas;
  EXPECT_GT(brightPixels(px, 500, 110, 800, 124), 20);
}

TEST_F(FightScreensOpenGL, CornerFightAndResultDraw) {
  watch();
  d.keepScreenshot("corner");
  std::vector<uint32_t> px = d.pixels();
  EXPECT_GT(brightPixels(px, 240, 440, 555, 455), 20);
  d.click(hotspots[5].x + 80, hotspots[5].y + 20);
  ASSERT_EQ(screenState, kFightScreen);
  d.setFrameStep(40);
  d.frame(300);
  d.keepScreenshot("fight-text");
  px = d.pixels();
  EXPECT_GT(brightPixels(px, 28, 76, 330, 90), 10);  // the first commentary line
  d.click(kTowelX + 70, kTowelY + 17);
  for (int i = 0; i < 400 && screenState == kFightScreen; ++i) {
    d.frame();
    if (count > 115) d.click(200, 560);
  }
  ASSERT_EQ(screenState, kResultScreen);
  d.keepScreenshot("result-towel");
  px = d.pixels();
  ASSERT_EQ(screenState, kResultScreen);
  uint32_t brightest = 0;
  for (int y = 510; y < 560; ++y)
    for (int x = 0; x < 800; ++x) brightest = std::max(brightest, uint32_t(green(at(px, x, y))));
  EXPECT_GT(brightPixels(px, 0, 510, 800, 560), 50) << brightest << " " << px.size();
}

}  // namespace
