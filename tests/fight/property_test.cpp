// Many seeded fights: every one must end with a consistent record, sound statistics and both
// boxers on the floor of the ring.
#include "fight_fixture.h"

#include "fight/boutdriver.h"

namespace {

#ifdef BRAWNMOOR_SANITIZED
constexpr int kFights = 40;
#else
constexpr int kFights = 400;
#endif

struct Watch {
  uint32_t frameMs = 16;
  bool started = false;
  uint32_t lastFrame = 0;
  int rounds = 0;
  bool outside = false;
  bool badInjury = false;
  bool pastRounds = false;
};

void watchFrame(void* user) {
  Watch& w = *static_cast<Watch*>(user);
  // Checked after every frame that stepped: a round places the player's boxer at 350 and the
  // corner may leave a value above its fallen maximum until the first step puts it in its limits.
  // The steps of a frame come after the last frame's time; a round starts at it.
  const uint32_t frameTime = uint32_t(KTools::GetMilliseconds());
  // The engine clock runs on from bout to bout: the bout began one frame before the first one.
  if (!w.started) {
    w.started = true;
    w.lastFrame = frameTime - w.frameMs;
  }
  bool stepped = int32_t(lastTick - w.lastFrame) > 0;
  w.lastFrame = frameTime;
  for (const Fighter& f : fighters) {
    if (!stepped) break;
    if (f.x < 25 || f.x > 345 || f.y < 25 || f.y > 345) w.outside = true;
    if (f.vitality > f.vitalityMax + 1e-3f || f.power > f.powerMax + 1e-3f) w.outside = true;
  }
  for (auto& side : injuries)
    for (int16_t i : side)
      if (i < 0 || i > 99 + 14) w.badInjury = true;
  if (roundIndex > w.rounds) w.pastRounds = true;
}

TEST(FightProperties, EveryFightEndsSoundly) {
  int ko = 0, stop = 0, points = 0;
  for (int n = 0; n < kFights; ++n) {
    std::srand(unsigned(1000 + n));
    ASSERT_TRUE(generateWorld());
    startCareer();
    int a = career.stable[n % 2];
    int b = -1, start = std::rand() % kBoxerCount;
    for (int k = 0; k < kBoxerCount && b < 0; ++k) {
      int j = (start + k) % kBoxerCount;
      if (boxers[j].category == boxers[a].category && boxers[j].manager == kFree) b = j;
    }
    Fight& f = bookTestFight(a, b, 8 + 2 * (n % 3));
    Watch watch;
    watch.rounds = f.rounds;
    BoutDriverOptions options;
    options.textMode = n % 4 == 0;
    options.pace = 1 + n % 3;
    options.cornerOrders[1] = n % 3;
    options.cornerOrders[2] = (n / 3) % 3;
    options.frameMs = n % 5 == 0 ? 7 : n % 5 == 1 ? 33 : 16;
    watch.frameMs = uint32_t(options.frameMs);
    options.onFrame = watchFrame;
    options.user = &watch;
    BoutDriverResult r = driveBout(0, options);
    SCOPED_TRACE(n);
    ASSERT_TRUE(r.finished);
    ASSERT_FALSE(watch.outside);
    ASSERT_FALSE(watch.badInjury);
    ASSERT_FALSE(watch.pastRounds);
    ASSERT_LE(r.roundsStarted, f.rounds);
    // One way to end, never two.
    int ways = (f.koRound > 0) + (f.stopRound > 0) + (f.koRound < 1 && f.stopRound < 1);
    ASSERT_EQ(ways, 1);
    if (f.koRound > 0) {
      ++ko;
      ASSERT_LE(f.koRound, f.rounds);
      ASSERT_TRUE(f.winner == a || f.winner == b);
      ASSERT_EQ(f.stopRound, -1);
    } else if (f.stopRound > 0) {
      ++stop;
      ASSERT_LE(f.stopRound, f.rounds);
      ASSERT_EQ(f.koRound, -1);
      ASSERT_TRUE(f.winner == a || f.winner == b);
    } else {
      ++points;
      ASSERT_EQ(r.roundsStarted, f.rounds);
      if (f.winner == kDraw) {
        ASSERT_EQ(f.pointsA, 10 * f.rounds);
        ASSERT_EQ(f.pointsB, 10 * f.rounds);
      } else {
        ASSERT_TRUE(f.winner == a || f.winner == b);
        ASSERT_GE(std::abs(f.pointsA - f.pointsB), 8);
        ASSERT_EQ(f.winner == a, f.pointsA > f.pointsB);
        ASSERT_EQ(f.unanimous, std::abs(f.pointsA - f.pointsB) >= 11 ? 1 : 0);
        ASSERT_GE(f.pointsA, 7 * 3 * f.rounds);
        ASSERT_LE(f.pointsA, 10 * 3 * f.rounds);
      }
    }
    // The statistics add up: every landed punch was thrown, and each thrown punch counts at
    // most twice (a punch landing 90..99 away is a hit and a miss).
    for (int side = 0; side < 2; ++side)
      for (int round = 0; round < f.rounds; ++round) {
        const RoundStats& s = roundStats[side][round];
        int thrown = punchesThrown[side][round];
        ASSERT_LE(s.hits, thrown);
        ASSERT_LE(s.hits + s.misses, 2 * thrown);
        ASSERT_GE(s.hits + s.misses, thrown - 2);
        ASSERT_GE(s.damage, 0.0f);
        ASSERT_LE(s.damage, 50.0f * s.hits + 1e-3f);
      }
  }
  EXPECT_GT(ko, 0);
  EXPECT_GT(stop, 0);
  EXPECT_GT(points, 0);
}

}  // namespace
