// A whole career played through the real program with injected input: the launcher, a new
// manager, training, equipment, a sponsor, a fight arranged on the rankings screen, a boxer
// signed on the search screen, two fights watched (ring view and text mode), the month
// advanced, a save and a load that bring the career back byte for byte, and months advanced
// in the red until the career ends and the main menu returns with a new world. The world's
// invariants are checked after every step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "career/contracts.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/training.h"
#include "career/world.h"
#include "fight/bout.h"
#include "gamedriver.h"
#include "saves/preferences.h"
#include "saves/savegame.h"
#include "screens/fight.h"
#include "screens/finances.h"
#include "screens/menus.h"
#include "shell/app.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/tutorial.h"

namespace {

constexpr int kTabY = 50;
constexpr unsigned kWorldSeed = 1;
int tabX(int k) { return 25 + 75 * (k - 1) + 30; }

// Every rule of the world that no screen may break. Returns the failures as text, empty when
// the world is sound, so that a failing step names itself.
std::string checkWorldInvariants() {
  std::string out;
  auto fail = [&](const std::string& what) {
    if (out.size() < 2000) out += what + "\n";
  };
  // The stable: occupied slots packed at the front, each a player's boxer, no duplicates.
  std::set<int> inStable;
  bool gap = false;
  for (int s = 0; s < kStableSize; ++s) {
    const int b = career.stable[s];
    if (b == -1) {
      gap = true;
      continue;
    }
    if (!isBoxer(b)) {
      fail("stable slot " + std::to_string(s) + " holds " + std::to_string(b));
      continue;
    }
    if (gap) fail("stable slot " + std::to_string(s) + " follows an empty slot");
    if (boxers[b].manager != kPlayer) fail("stable boxer " + std::to_string(b) + " has manager " +
                                           std::to_string(boxers[b].manager));
    if (!inStable.insert(b).second) fail("boxer " + std::to_string(b) + " twice in the stable");
  }
  // Before a career starts, stableCount is the number of starting boxers the world will draw.
  if (gameInProgress && countStable() != stableCount)
    fail("countStable " + std::to_string(countStable()) + " != stableCount " + std::to_string(stableCount));
  // The boxers: own index, category, rank, manager in range; every player's boxer in the stable.
  std::vector<std::vector<int>> ranks(kCategoryCount + 1);
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& b = boxers[i];
    if (b.id != i) fail("boxer " + std::to_string(i) + " id " + std::to_string(b.id));
    if (b.category < 1 || b.category > kCategoryCount) {
      fail("boxer " + std::to_string(i) + " category " + std::to_string(b.category));
      continue;
    }
    if (b.manager != kFree && b.manager != kPlayer && b.manager != kRetired)
      fail("boxer " + std::to_string(i) + " manager " + std::to_string(b.manager));
    if (b.manager == kPlayer && !inStable.count(i)) fail("player's boxer " + std::to_string(i) + " not in the stable");
    if (b.nation < 1 || b.nation > kNationCount) fail("boxer " + std::to_string(i) + " nation " + std::to_string(b.nation));
    ranks[b.category].push_back(b.rank);
  }
  // Every category's ranks are 1..n, each once.
  for (int c = 1; c <= kCategoryCount; ++c) {
    std::vector<int>& r = ranks[c];
    std::sort(r.begin(), r.end());
    for (size_t k = 0; k < r.size(); ++k)
      if (r[k] != int(k) + 1) {
        fail("category " + std::to_string(c) + ": rank " + std::to_string(r[k]) + " at place " + std::to_string(k + 1));
        break;
      }
  }
  // The fight records: boxers valid or free, a winner among them.
  for (int i = 0; i < kFightCount; ++i) {
    const Fight& f = fights[i];
    if (f.boxerA == -1) continue;
    if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB) || f.boxerA == f.boxerB) {
      fail("fight " + std::to_string(i) + " boxers " + std::to_string(f.boxerA) + "/" + std::to_string(f.boxerB));
      continue;
    }
    if (f.winner != -1 && f.winner != kDraw && f.winner != f.boxerA && f.winner != f.boxerB)
      fail("fight " + std::to_string(i) + " winner " + std::to_string(f.winner));
    if (f.month < 0 || f.month > 11) fail("fight " + std::to_string(i) + " month " + std::to_string(f.month));
  }
  // The player's booked fights: each busy slot has its unfought record.
  for (int s = 0; s < kStableSize; ++s) {
    if (!stableBusy[s] || !isBoxer(career.stable[s])) continue;
    bool booked = false;
    for (const Fight& f : fights) booked |= f.boxerA == career.stable[s] && f.winner == -1;
    if (!booked) fail("slot " + std::to_string(s) + " busy without a booked fight");
  }
  if (cash < -10000000 || cash > 10000000) fail("cash " + std::to_string(cash));
  if (month < 0 || month > 11) fail("month " + std::to_string(month));
  if (year < 1990 || year > 2200) fail("year " + std::to_string(year));
  if (popup < -1 || popup > 43) fail("popup " + std::to_string(popup));
  if (selectedBoxer != -1 && !isBoxer(selectedBoxer)) fail("selectedBoxer " + std::to_string(selectedBoxer));
  if (career.reputation < 0.0f || career.reputation > 9.0f) fail("reputation " + std::to_string(career.reputation));
  return out;
}

// Where two byte images first differ, for the failure message: "equal" or "byte N: a != b".
std::string firstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, size_t record = 1) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " != " + std::to_string(b.size());
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i])
      return "record " + std::to_string(i / record) + " byte " + std::to_string(i % record) + ": " +
             std::to_string(a[i]) + " != " + std::to_string(b[i]);
  return "equal";
}

#define EXPECT_WORLD_SOUND(step) EXPECT_EQ(checkWorldInvariants(), "") << "after: " << (step)

// The world tables a save keeps, copied for a byte-for-byte comparison.
struct WorldCopy {
  std::vector<uint8_t> boxerBytes, fightBytes, careerBytes, image;
  int32_t cash = 0, month = 0, year = 0;
  int16_t stableCount = 0;
  int16_t stable[kStableSize] = {};
  static WorldCopy take() {
    WorldCopy w;
    w.boxerBytes.assign(reinterpret_cast<const uint8_t*>(boxers), reinterpret_cast<const uint8_t*>(boxers) + sizeof boxers);
    w.fightBytes.assign(reinterpret_cast<const uint8_t*>(fights), reinterpret_cast<const uint8_t*>(fights) + sizeof fights);
    w.careerBytes.assign(reinterpret_cast<const uint8_t*>(&career),
                         reinterpret_cast<const uint8_t*>(&career) + sizeof career);
    w.image.resize(kSaveFileSize);
    buildSaveImage(w.image.data());
    w.cash = ::cash;
    w.month = ::month;
    w.year = ::year;
    w.stableCount = ::stableCount;
    std::memcpy(w.stable, career.stable, sizeof w.stable);
    return w;
  }
};

class CareerEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    // Nothing left open by an earlier game of this process.
    messagePopup = 0;
    popup = 0;
    profilePanel = 0;
    boutOpen = false;
    resultShown = false;
    candidate = -1;
  }
  void TearDown() override {
    tutorialOn = 0;
    tutorialStep = 0;
    std::srand(unsigned(std::time(nullptr)));  // later games of this program draw freely again
  }
  void clickHotspot(int index) { d.clickHotspot(index); }
  void tab(int k) { d.click(tabX(k), kTabY); }
  void closeMessages() {
    for (int i = 0; i < 8 && (messagePopup > 0 || popup > 0); ++i) d.click(790, 590);
  }

  // Rankings screen: the selected boxer's opponent chosen with a click on a listed name within
  // the challenge limits, then OK. Returns the booked fight or -1.
  int arrangeOnRankings() {
    const int me = selectedBoxer;
    const int r = boxers[me].rank;
    static const int offsets[] = {-1, 1, -2, 2, -3, 3, -4, 4, -5, 5, 6, 7, 8, 9};
    for (int offset : offsets) {
      const int row = r + offset - 1 - rankingPage;
      if (row < 0 || row >= 20 || r + offset < 1) continue;
      opponent = -1;
      d.click(520, 124 + 17 * row + 8);
      if (popup > 0) {
        closeMessages();
        continue;
      }
      if (opponent < 0 || boxers[opponent].manager == kPlayer) continue;
      clickHotspot(13);  // OK
      if (popup > 0) {
        closeMessages();
        continue;
      }
      for (int i = 0; i < kFightCount; ++i)
        if (fights[i].boxerA == me && fights[i].winner == -1) return i;
    }
    return -1;
  }

  // From the corner to the result screen: the start button of the chosen view, the fight's
  // frames on a fast clock, and in text mode the continue click once a round is over.
  void playToResult(bool text) {
    d.setFrameStep(200);
    int frames = 0;
    while (screenState != kResultScreen && frames < 40000) {
      if (screenState == kCornerScreen) {
        clickHotspot(text ? 5 : 4);
        frames += 5;
        continue;
      }
      ASSERT_EQ(screenState, kFightScreen);
      if (text && (roundClock == 0 || count > 9))
        d.click(200, 560);
      else
        d.frame();
      ++frames;
    }
    d.setFrameStep(16);
    ASSERT_EQ(screenState, kResultScreen) << "frames " << frames;
  }

  // Watches the first due fight of the month screen and leaves its result; checks the record
  // written once and the purse paid once, on leaving.
  void watchFirstDueFight(bool text, int rounds) {
    ASSERT_EQ(screenState, kMonthScreen);
    const int f = pendingFights[0];
    ASSERT_TRUE(isFight(f));
    // A short bout; the rounds and the decision are any fight's. The record gets its booked
    // rounds back afterwards, as a save keeps only 8, 10 or 12.
    const int16_t bookedRounds = fights[f].rounds;
    fights[f].rounds = int16_t(rounds);
    const int mine = fights[f].boxerA;
    const int recordBefore = boxers[mine].wins + boxers[mine].draws + boxers[mine].losses;
    const int32_t cashBefore = cash;
    clickHotspot(7);  // the eye: watch
    ASSERT_EQ(screenState, kCornerScreen);
    EXPECT_EQ(currentFight, f);
    EXPECT_WORLD_SOUND("corner");
    playToResult(text);
    ASSERT_EQ(screenState, kResultScreen);
    EXPECT_NE(fights[f].winner, -1);
    EXPECT_EQ(boxers[mine].wins + boxers[mine].draws + boxers[mine].losses, recordBefore + 1);
    EXPECT_EQ(cash, cashBefore);
    EXPECT_WORLD_SOUND(text ? "text-mode fight" : "ring-view fight");
    const int share = std::max(1, fights[f].purse * boxers[mine].pursePercent / 100);
    d.click(400, 300);
    fights[f].rounds = bookedRounds;
    ASSERT_EQ(screenState, kMonthScreen);
    EXPECT_EQ(cash, cashBefore + fights[f].purse - share);
    for (int r = 0; r < 6; ++r) EXPECT_NE(pendingFights[r], f);
  }

  // The advance button, with the contract warning's first press answered; the monthly
  // pop-up and messages closed unless the career ended.
  void advanceMonth() {
    ASSERT_EQ(screenState, kMonthScreen);
    const int32_t before = month;
    for (int attempt = 0; attempt < 3 && month == before; ++attempt) {
      clickHotspot(19);
      if (month == before) {
        ASSERT_GT(popup, 0) << "the advance was refused without a message";
        closeMessages();
      }
    }
    ASSERT_NE(month, before);
    for (int i = 0; i < 6 && messagePopup > 0; ++i) d.click(790, 590);
    if (!gameOver) closeMessages();
  }

  void saveOrLoad(int slot, int button) {
    d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
    ASSERT_EQ(screenState, kLoadSaveScreen);
    d.click(400, 149 + 20 * slot + 5);
    ASSERT_EQ(selectedSaveSlot, slot);
    clickHotspot(button);
  }

  GameDriver d;
};

}  // namespace

TEST_F(CareerEndToEnd, SoftwareFromTheLauncherToTheEndOfACareer) {
  // ---- The launcher: untick full screen, START. The launcher and the game window are two
  // stages of the program; the driver opens the game window (bootGame) with the preferences
  // the launcher has just written, as the program does after closeLauncher.
  ASSERT_TRUE(d.startLauncher());
  d.frame(2);
  clickHotspot(3);
  EXPECT_EQ(preferences.windowed, 1);
  clickHotspot(5);
  EXPECT_FALSE(d.frame());
  tutorialOn = 0;
  ASSERT_TRUE(app::closeLauncher());
  EXPECT_EQ(tutorialOn, 1);  // the first run switches the tutorial on
  tutorialOn = 0;            // this career is played without it (the tutorial walk has its own test)
  tutorialStep = 0;
  // The world is drawn while the game window opens: a fixed seed makes it the same world in
  // every run, whatever ran before in this program (start-up seeds from the clock).
  std::srand(kWorldSeed);
  ASSERT_TRUE(d.bootGame(false));
  d.frame(2);
  ASSERT_EQ(screenState, kMainMenuScreen);
  EXPECT_EQ(gameInProgress, 0);

  // ---- A new manager: a typed name, twenty points spent, confirmed.
  clickHotspot(1);
  ASSERT_EQ(screenState, kNewManagerScreen);
  for (int i = 0; i < 31; ++i) d.key(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE);
  d.type("Ada Brook");
  d.frame();  // the last character is read on the frame after it arrives
  EXPECT_STREQ(managerName, "Ada Brook");
  for (int i = 0; i < 20; ++i) d.click(714, 285 + 32 * (i % 5));
  EXPECT_EQ(career.freeSkillPoints, 0);
  clickHotspot(3);
  ASSERT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(gameInProgress, 1);
  EXPECT_STREQ(managerName, "Ada Brook");
  ASSERT_GE(countStable(), 1);
  EXPECT_WORLD_SOUND("new manager");
  // A manager's name worth something to a young boxer, so that the search can sign somebody
  // (a new manager draws 0 or 1; the world kept from an earlier game of this program may
  // have drawn 0).
  if (career.reputation < 1.0f) career.reputation = 1.0f;

  // ---- Training: the TRAINING panel, three points into endurance, one into technique.
  clickHotspot(10);
  ASSERT_EQ(panelSelector, 2);
  const int s0 = stableSlotOf(selectedBoxer);
  ASSERT_GE(s0, 0);
  const int pointsBefore = trainingPoints[s0];
  const int enduranceBefore = training[s0][0], techniqueBefore = training[s0][4];
  ASSERT_GE(pointsBefore, 4);
  for (int i = 0; i < 3; ++i) clickHotspot(20);
  clickHotspot(20 + 2 * 4);
  EXPECT_EQ(training[s0][0], enduranceBefore + 3);
  EXPECT_EQ(training[s0][4], techniqueBefore + 1);
  EXPECT_EQ(trainingPoints[s0], pointsBefore - 4);
  EXPECT_WORLD_SOUND("training");

  // ---- Finances: another equipment level confirmed, then a sponsor taken.
  tab(3);
  ASSERT_EQ(screenState, kFinancesScreen);
  ASSERT_EQ(financePage, 0);
  const int oldLevel = equipmentLevel;
  clickHotspot(12);
  ASSERT_NE(equipmentChoice, oldLevel);
  const int chosenLevel = equipmentChoice;
  clickHotspot(14);
  EXPECT_EQ(equipmentLevel, chosenLevel);
  EXPECT_EQ(expenses[month][1], equipmentPrice[chosenLevel]);
  EXPECT_EQ(hotspots[15].state, 1);  // the "chosen" image
  clickHotspot(11);
  ASSERT_EQ(financePage, 1);
  // The first stable slot with an offer; a new career makes one for the first boxer at least,
  // else one is written here so that the button can be pressed.
  int offerSlot = -1;
  for (int s = 0; s < countStable() && offerSlot < 0; ++s)
    if (sponsorAmount[s] > 0 && !sponsorAccepted[s]) offerSlot = s;
  if (offerSlot < 0) {
    offerSlot = 0;
    sponsorAmount[0] = 30;
    sponsorMonths[0] = 3;
    sponsorBrand[0] = 2;
    sponsorAccepted[0] = 0;
    tab(3);
    clickHotspot(11);
  }
  while (sponsorSlot != offerSlot) clickHotspot(12);
  ASSERT_EQ(hotspots[14].state, 1);
  {
    const int32_t cashBefore = cash;
    const int amount = sponsorAmount[offerSlot];
    clickHotspot(14);
    EXPECT_EQ(sponsorAccepted[offerSlot], 1);
    EXPECT_EQ(cash, cashBefore + amount);
  }
  EXPECT_WORLD_SOUND("finances");

  // ---- Search: only boxers the manager's name can reach; of them the one with the lowest
  // potential and, among equals, the smallest demand; five years, thirty percent. The rules
  // draw whether he is interested, so the offer is made again (as a player would) until he
  // signs.
  tab(5);
  ASSERT_EQ(screenState, kSearchScreen);
  if (!onlyAffordable) clickHotspot(26);
  ASSERT_EQ(onlyAffordable, 1);
  ASSERT_GE(searchLast, 0);
  // The offer steppers keep their values between careers of one program: step to the offer.
  for (int i = 0; i < 6 && offerYears < 5; ++i) clickHotspot(30);
  for (int i = 0; i < 60 && offerPercent != 30; ++i) clickHotspot(offerPercent < 30 ? 31 : 29);
  ASSERT_EQ(offerYears, 5);
  ASSERT_EQ(offerPercent, 30);
  auto demandBound = [](const Boxer& b) { return b.fame / 5 + std::max(0, 200 - b.rank); };
  int best = 0;
  for (int i = 1; i <= searchLast; ++i) {
    const Boxer& b = boxers[searchResults[i]];
    const Boxer& o = boxers[searchResults[best]];
    if (potentialAverage(b) < potentialAverage(o) ||
        (potentialAverage(b) == potentialAverage(o) && demandBound(b) < demandBound(o)))
      best = i;
  }
  ASSERT_LE(potentialAverage(boxers[searchResults[best]]), career.reputation * 10 + 14)
      << "nobody in the list can ever sign";
  while (searchPage + 20 <= best) clickHotspot(24);
  d.click(500, 124 + 17 * (best - searchPage) + 8);
  const int signing = candidate;
  ASSERT_EQ(signing, searchResults[best]);
  const int stableBefore = countStable();
  for (int attempt = 0; attempt < 40 && countStable() == stableBefore; ++attempt) {
    clickHotspot(27);
    if (countStable() == stableBefore) {
      EXPECT_EQ(popup, 22);
      EXPECT_EQ(candidate, signing);
      closeMessages();
      EXPECT_WORLD_SOUND("refused offer");
    }
  }
  EXPECT_EQ(popup, 21);
  ASSERT_EQ(countStable(), stableBefore + 1);
  EXPECT_EQ(career.stable[stableBefore], signing);
  EXPECT_EQ(boxers[signing].contractMonths, 60);
  EXPECT_EQ(boxers[signing].pursePercent, 30);
  closeMessages();
  EXPECT_WORLD_SOUND("signing");

  // ---- Rankings: a fight for the first boxer, then with the boxer arrows one for the new one.
  for (int s : {0, stableBefore}) {
    boxers[career.stable[s]].fitness = std::max<int16_t>(boxers[career.stable[s]].fitness, 6);  // fit to fight
  }
  tab(4);
  ASSERT_EQ(screenState, kRankingsScreen);
  ASSERT_EQ(selectedBoxer, career.stable[0]);
  const int first = arrangeOnRankings();
  ASSERT_GE(first, 0);
  EXPECT_EQ(stableBusy[0], 1);
  while (currentSlot < stableBefore) clickHotspot(10);
  ASSERT_EQ(selectedBoxer, signing);
  const int second = arrangeOnRankings();
  ASSERT_GE(second, 0);
  EXPECT_EQ(stableBusy[stableBefore], 1);
  EXPECT_WORLD_SOUND("rankings");

  // ---- The month screen: one fight in the ring view, the other in text mode.
  tab(1);
  ASSERT_EQ(screenState, kMonthScreen);
  std::set<int> due;
  for (int r = 0; r < 6; ++r)
    if (pendingFights[r] != -1) due.insert(pendingFights[r]);
  EXPECT_TRUE(due.count(first));
  EXPECT_TRUE(due.count(second));
  watchFirstDueFight(false, 2);
  watchFirstDueFight(true, 2);
  EXPECT_WORLD_SOUND("both fights");

  // ---- The month advanced.
  {
    const int32_t m = month, y = year;
    advanceMonth();
    EXPECT_EQ(month, m == 11 ? 0 : m + 1);
    EXPECT_EQ(year, m == 11 ? y + 1 : y);
    EXPECT_EQ(gameOver, 0);
    EXPECT_WORLD_SOUND("month advance");
  }

  // ---- A save, a month more, and the load brings back exactly the saved career.
  saveOrLoad(3, 8);
  ASSERT_EQ(screenState, kBoxerScreen);
  const WorldCopy saved = WorldCopy::take();
  tab(1);
  advanceMonth();
  ASSERT_NE(month, saved.month);
  saveOrLoad(3, 7);
  ASSERT_EQ(screenState, kBoxerScreen);
  {
    const WorldCopy loaded = WorldCopy::take();
    EXPECT_EQ(firstDifference(loaded.boxerBytes, saved.boxerBytes, sizeof(Boxer)), "equal");
    EXPECT_EQ(firstDifference(loaded.fightBytes, saved.fightBytes, sizeof(Fight)), "equal");
    EXPECT_EQ(firstDifference(loaded.careerBytes, saved.careerBytes), "equal");
    EXPECT_EQ(firstDifference(loaded.image, saved.image), "equal");
    EXPECT_EQ(loaded.cash, saved.cash);
    EXPECT_EQ(loaded.month, saved.month);
    EXPECT_EQ(loaded.year, saved.year);
    EXPECT_EQ(loaded.stableCount, saved.stableCount);
    EXPECT_EQ(std::memcmp(loaded.stable, saved.stable, sizeof saved.stable), 0);
    EXPECT_STREQ(managerName, "Ada Brook");
  }
  EXPECT_WORLD_SOUND("load");

  // ---- Deep in the red: the sixth advance that finds cash below zero ends the career.
  tab(1);
  ASSERT_EQ(screenState, kMonthScreen);
  cash = -1000000;
  const std::vector<uint8_t> oldBoxers = WorldCopy::take().boxerBytes;
  int advances = 0;
  while (!gameOver && advances < 8) {
    for (int s = 0; s < kStableSize; ++s)  // no contract ends the career first
      if (isBoxer(career.stable[s])) boxers[career.stable[s]].contractMonths = 60;
    advanceMonth();
    ++advances;
    if (!gameOver) {
      EXPECT_WORLD_SOUND("advance in the red " + std::to_string(advances));
    }
  }
  ASSERT_EQ(gameOver, 1);
  EXPECT_EQ(advances, 6);
  EXPECT_EQ(popup, 13);
  d.click(790, 590);
  ASSERT_EQ(screenState, kMainMenuScreen);
  EXPECT_EQ(gameOver, 0);
  EXPECT_EQ(gameInProgress, 0);
  EXPECT_FALSE(WorldCopy::take().boxerBytes == oldBoxers);  // a new world
  EXPECT_WORLD_SOUND("game over");
  // And a new career starts from it.
  clickHotspot(3);
  ASSERT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(countStable(), 2);
  EXPECT_GT(cash, 0);
  EXPECT_WORLD_SOUND("quick start after game over");
}

TEST_F(CareerEndToEnd, OpenGLQuickStartFightSaveAndLoad) {
  tutorialOn = 0;
  tutorialStep = 0;
  ASSERT_TRUE(d.bootGame(true));
  d.frame(2);
  ASSERT_EQ(screenState, kMainMenuScreen);
  clickHotspot(3);  // quick start
  ASSERT_EQ(screenState, kBoxerScreen);
  EXPECT_WORLD_SOUND("quick start");
  boxers[career.stable[0]].fitness = std::max<int16_t>(boxers[career.stable[0]].fitness, 6);
  tab(4);
  ASSERT_EQ(screenState, kRankingsScreen);
  const int f = arrangeOnRankings();
  ASSERT_GE(f, 0);
  EXPECT_WORLD_SOUND("rankings");
  tab(1);
  ASSERT_EQ(screenState, kMonthScreen);
  ASSERT_EQ(pendingFights[0], f);
  watchFirstDueFight(false, 2);
  EXPECT_WORLD_SOUND("fight");
  advanceMonth();
  EXPECT_WORLD_SOUND("advance");
  saveOrLoad(1, 8);
  ASSERT_EQ(screenState, kBoxerScreen);
  const WorldCopy saved = WorldCopy::take();
  cash += 5000;
  boxers[career.stable[0]].wins += 3;
  fights[f].winner = -1;
  saveOrLoad(1, 7);
  ASSERT_EQ(screenState, kBoxerScreen);
  const WorldCopy loaded = WorldCopy::take();
  EXPECT_EQ(firstDifference(loaded.image, saved.image), "equal");
  EXPECT_EQ(firstDifference(loaded.boxerBytes, saved.boxerBytes, sizeof(Boxer)), "equal");
  EXPECT_EQ(firstDifference(loaded.fightBytes, saved.fightBytes, sizeof(Fight)), "equal");
  EXPECT_EQ(loaded.cash, saved.cash);
  EXPECT_WORLD_SOUND("load");
}

namespace {

std::vector<uint8_t> readBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    uint8_t buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
  }
  return bytes;
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

// A save slot is the same file on every system the game is built for. The slot another build
// wrote (BRAWNMOOR_FOREIGN_SLOT: the Linux build's, when the Windows build runs under Wine)
// loads through the save/load screen and saves again over itself byte for byte; without one,
// this build's own career after a fight and an advance is saved first, and BRAWNMOOR_SLOT_OUT
// keeps that slot for the other build.
TEST_F(CareerEndToEnd, ASlotLoadsAndSavesAgainByteForByteOnEverySystem) {
  tutorialOn = 0;
  tutorialStep = 0;
  std::srand(kWorldSeed);
  ASSERT_TRUE(d.bootGame(false));
  d.frame(2);
  ASSERT_EQ(screenState, kMainMenuScreen);
  clickHotspot(3);  // quick start
  ASSERT_EQ(screenState, kBoxerScreen);

  std::vector<uint8_t> slot;
  if (const char* foreign = std::getenv("BRAWNMOOR_FOREIGN_SLOT"); foreign && foreign[0]) {
    slot = readBytes(foreign);
    ASSERT_EQ(slot.size(), size_t(kSaveFileSize)) << foreign;
    ASSERT_TRUE(writeBytes(userFile("slot4"), slot));
  } else {
    boxers[career.stable[0]].fitness = std::max<int16_t>(boxers[career.stable[0]].fitness, 6);
    tab(4);
    ASSERT_GE(arrangeOnRankings(), 0);
    tab(1);
    watchFirstDueFight(false, 1);
    advanceMonth();
    // Saved from the boxer screen, where a load also ends: the screen's own values (the
    // selected boxer) are those a load brings back.
    saveOrLoad(4, 8);
    ASSERT_EQ(screenState, kBoxerScreen);
    saveOrLoad(4, 8);
    ASSERT_EQ(screenState, kBoxerScreen);
    slot = readBytes(userFile("slot4"));
    ASSERT_EQ(slot.size(), size_t(kSaveFileSize));
    if (const char* out = std::getenv("BRAWNMOOR_SLOT_OUT"); out && out[0]) {
      ASSERT_TRUE(writeBytes(out, slot)) << out;
    }
  }

  saveOrLoad(4, 7);  // load
  ASSERT_EQ(screenState, kBoxerScreen);
  EXPECT_WORLD_SOUND("load");
  saveOrLoad(4, 8);  // and save again over it
  ASSERT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(firstDifference(readBytes(userFile("slot4")), slot), "equal");
}
