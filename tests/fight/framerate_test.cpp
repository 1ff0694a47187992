// The fight does not depend on the frame rate: a seeded fight ends the same at every frame
// length, the win shares over many fights agree, and a long frame catches up with the time it
// held, up to a bound.
#include "fight_fixture.h"

#include <cmath>
#include <cstring>

#include "fight/boutdriver.h"

namespace {

#ifdef BRAWNMOOR_SANITIZED
constexpr int kShareFights = 40;
#else
constexpr int kShareFights = 200;
#endif

// How a fight ended, and everything counted on the way.
struct Outcome {
  Fight record;
  RoundStats stats[2][kMaxRounds];
  int16_t cards[2][kMaxRounds][3];
  int16_t thrown[2][kMaxRounds];
  int roundsStarted;
};

class FrameRate : public ::testing::Test {
 protected:
  void SetUp() override {
    std::srand(2026);
    ASSERT_TRUE(generateWorld()) << worldDataProblem();
    startCareer();
  }

  // Fight number n between two boxers of one category ranked at most 15 apart, of 8, 10 or 12
  // rounds, the world's boxers kept as they were.
  Outcome play(int n, uint32_t frameMs, int pace, bool text) {
    std::srand(unsigned(5000 + n));
    int a = std::rand() % kBoxerCount, b = -1, start = std::rand() % kBoxerCount;
    for (int k = 0; k < kBoxerCount && b < 0; ++k) {
      int j = (start + k) % kBoxerCount;
      if (j != a && boxers[j].category == boxers[a].category && std::abs(boxers[j].rank - boxers[a].rank) <= 15)
        b = j;
    }
    Outcome out{};
    if (b < 0) return out;
    Boxer keepA = boxers[a], keepB = boxers[b];
    boxers[a].manager = kPlayer;
    Fight& f = bookTestFight(a, b, 8 + 2 * (n % 3));
    BoutDriverOptions options;
    options.textMode = text;
    options.pace = pace;
    options.frameMs = frameMs;
    out.roundsStarted = driveBout(0, options).roundsStarted;
    out.record = f;
    std::memcpy(out.stats, roundStats, sizeof roundStats);
    std::memcpy(out.cards, judgeCards, sizeof judgeCards);
    std::memcpy(out.thrown, punchesThrown, sizeof punchesThrown);
    boxers[a] = keepA;
    boxers[b] = keepB;
    return out;
  }
};

void expectSame(const Outcome& x, const Outcome& y) {
  EXPECT_EQ(x.record.winner, y.record.winner);
  EXPECT_EQ(x.record.koRound, y.record.koRound);
  EXPECT_EQ(x.record.stopRound, y.record.stopRound);
  EXPECT_EQ(x.record.pointsA, y.record.pointsA);
  EXPECT_EQ(x.record.pointsB, y.record.pointsB);
  EXPECT_EQ(x.roundsStarted, y.roundsStarted);
  for (int side = 0; side < 2; ++side)
    for (int round = 0; round < kMaxRounds; ++round) {
      SCOPED_TRACE(testing::Message() << "side " << side << " round " << round + 1);
      EXPECT_EQ(x.stats[side][round].hits, y.stats[side][round].hits);
      EXPECT_EQ(x.stats[side][round].misses, y.stats[side][round].misses);
      EXPECT_EQ(x.stats[side][round].knockdowns, y.stats[side][round].knockdowns);
      EXPECT_FLOAT_EQ(x.stats[side][round].damage, y.stats[side][round].damage);
      EXPECT_EQ(x.thrown[side][round], y.thrown[side][round]);
      for (int judge = 0; judge < 3; ++judge) EXPECT_EQ(x.cards[side][round][judge], y.cards[side][round][judge]);
    }
}

// In the ring view a fight draws its random numbers only in its steps, its corners and its
// judges, so a seeded fight is the same fight at any frame length: the same steps in every
// fight second, the same punches, the same result.
TEST_F(FrameRate, ASeededFightEndsTheSameAtEveryFrameLength) {
  for (int n = 0; n < 6; ++n) {
    const int pace = 1 + n % 3;
    const Outcome at16 = play(n, 16, pace, false);
    ASSERT_GT(at16.roundsStarted, 0);
    for (uint32_t frameMs : {4u, 7u, 8u, 33u, 50u}) {
      SCOPED_TRACE(testing::Message() << "fight " << n << ", pace " << pace << ", frames of " << frameMs << " ms");
      expectSame(play(n, frameMs, pace, false), at16);
    }
  }
}

// The share of fights the player's boxer wins at the fastest pace. Frames of 33 ms used to give
// him some 68 % against 46 % at 16 ms (fewer steps in every fight second, fewer decisions of
// the opponent); the bound leaves room for three standard deviations of two independent
// samples of this size, should the fights ever stop being the same at every frame length.
TEST_F(FrameRate, WinSharesAgreeAtEveryFrameLength) {
  double share[3] = {};
  const uint32_t frames[3] = {4, 16, 33};
  for (int k = 0; k < 3; ++k) {
    int wins = 0, played = 0;
    for (int n = 0; n < kShareFights; ++n) {
      Outcome o = play(n, frames[k], 3, n % 4 == 0);
      if (o.roundsStarted == 0) continue;
      ++played;
      wins += o.record.winner == o.record.boxerA;
    }
    ASSERT_GT(played, kShareFights / 2);
    share[k] = double(wins) / played;
  }
  const double bound = 3 * std::sqrt(2 * 0.25 / kShareFights);
  EXPECT_NEAR(share[0], share[1], bound) << "frames of 4 ms against 16 ms";
  EXPECT_NEAR(share[2], share[1], bound) << "frames of 33 ms against 16 ms";
}

class LongFrames : public BoutTest {};

// A frame that held several ticks runs them all, steps and clock alike; a stall of seconds
// runs no more than a quarter second of the fight and the fight goes on at its pace after it.
TEST_F(LongFrames, ALongFrameCatchesUpUpToABound) {
  beginRound();
  quietRound();
  const uint32_t start = uint32_t(KTools::GetMilliseconds());
  frames(1, 100);  // six ticks: six steps at the fastest pace, no clock second yet
  EXPECT_EQ(lastTick, start + 6 * kBoutTickMs);
  EXPECT_EQ(roundClock, 180);
  frames(1, 60);   // ten ticks: the clock moves after eight
  EXPECT_EQ(lastTick, start + 10 * kBoutTickMs);
  EXPECT_EQ(roundClock, 179);

  // Five seconds without a frame: sixteen ticks run, the rest is left out. Twenty-six ticks
  // since the round began hold three fight seconds.
  frames(1, 5000);
  EXPECT_EQ(roundClock, 177);
  EXPECT_EQ(boutTime, uint32_t(KTools::GetMilliseconds()));
  const uint32_t afterStall = lastTick;
  EXPECT_EQ(afterStall, boutTime);
  // After it one tick a frame again, and the next fight second on the thirty-second tick.
  for (int tick = 27; tick < 32; ++tick) {
    frames(1, kBoutTickMs);
    EXPECT_EQ(lastTick, afterStall + uint32_t(tick - 26) * kBoutTickMs);
    EXPECT_EQ(roundClock, 177) << "tick " << tick;
  }
  frames(1, kBoutTickMs);
  EXPECT_EQ(roundClock, 176);
}

// A quiet round ends when its clock shows one, after the same fight time at every frame
// length: 179 fight seconds of eight ticks.
TEST_F(LongFrames, TheRoundLastsTheSameAtEveryFrameLength) {
  for (uint32_t frameMs : {1u, 4u, 16u, 33u, 100u}) {
    beginRound();
    quietRound();
    const uint64_t start = now;
    while (fightNextScreen == 0 && now - start < 100000) frames(1, frameMs);
    EXPECT_EQ(fightNextScreen, kNextCorner);
    const uint64_t length = 179 * 8 * kBoutTickMs;
    EXPECT_GE(now - start, length) << frameMs << " ms frames";
    EXPECT_LT(now - start, length + frameMs) << frameMs << " ms frames";
    roundIndex = 0;
  }
}

}  // namespace
