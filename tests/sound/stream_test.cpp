// Streamed music played in real time through SDL's disk driver: what was mixed is
// read back and compared with the decoded source, sample by sample.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "sound/KSound.h"
#include "sound_support.h"

using namespace soundtest;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRate = 44100;

int msSince(Clock::time_point t) {
  return int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// The offset (in frames) of `reference` inside `capture` near `guess`: the one with the least
// error over the reference's first frames, scaled by `gain`.
size_t Align(const Samples& capture, const Samples& reference, double gain, size_t guess,
             int window = 200) {
  const size_t frames = std::min<size_t>(2000, reference.size() / 2);
  double best = 1e300;
  size_t at = guess;
  for (int d = -window; d <= window; ++d) {
    if (int64_t(guess) + d < 0) continue;
    const size_t o = size_t(int64_t(guess) + d);
    if ((o + frames) * 2 > capture.size()) break;
    double err = 0;
    for (size_t i = 0; i < frames * 2 && err < best; ++i) {
      const double e = capture[o * 2 + i] - reference[i] * gain;
      err += e * e;
    }
    if (err < best) {
      best = err;
      at = o;
    }
  }
  return at;
}

// Frames of `reference` (from `from`, `count` of them) that differ from the capture at `offset`
// by more than one step after scaling by `gain`.
size_t Mismatches(const Samples& capture, size_t offset, const Samples& reference, double gain,
                  size_t from = 0, size_t count = SIZE_MAX, std::string* first = nullptr) {
  size_t bad = 0;
  const size_t frames = std::min(count, reference.size() / 2 - from);
  for (size_t i = 0; i < frames; ++i) {
    for (int c = 0; c < 2; ++c) {
      const size_t ci = (offset + i) * 2 + size_t(c);
      const int want = int(std::lrint(reference[(from + i) * 2 + size_t(c)] * gain));
      const int got = ci < capture.size() ? capture[ci] : 99999;
      if (std::abs(got - want) > 1) {
        if (bad++ == 0 && first) {
          char text[128];
          std::snprintf(text, sizeof text, "frame %zu channel %d: got %d, want %d", from + i, c,
                        got, want);
          *first = text;
        }
      }
    }
  }
  return bad;
}

bool Silent(const Samples& capture, size_t fromFrame, size_t toFrame) {
  for (size_t i = fromFrame * 2; i < toFrame * 2 && i < capture.size(); ++i)
    if (capture[i] != 0) return false;
  return true;
}

class KSoundStream : public ::testing::Test {
 protected:
  void SetUp() override { KSound::SetMasterVolumes(100, 100); }
  void TearDown() override { KSound::SetMasterVolumes(100, 100); }

  // Opens the device through the first object; skips the test when the disk driver did not
  // give the rate the comparisons assume.
  bool DeviceAtTheTestRate() {
    return KSound::Device() &&
           KSound::Device()->OutputFormat().samplesPerSec == uint32_t(kRate);
  }
  DiskCapture capture_;
};

TEST_F(KSoundStream, ANonLoopingStreamPlaysToItsEndGoesSilentAndSetsFinished) {
  const Samples music = Music(2.0, kRate, 2);  // 352,800 bytes: the ring turns over 2.7 times
  const std::string ogg = EncodeOgg(music, 2, kRate);
  const Samples reference = DecodeOgg(ogg);
  ASSERT_EQ(reference.size(), music.size());
  const double gain = Gain(KSound::VolumeTable(80));  // own volume 80 by default, master 100
  int playedMs = 0;
  {
    KSound m;
    ASSERT_TRUE(DeviceAtTheTestRate());
    ASSERT_TRUE(m.LoadStreamFromMemory(ogg.data(), ogg.size()));
    const auto start = Clock::now();
    m.PlayStream(false);
    EXPECT_TRUE(m.IsPlaying());
    EXPECT_FALSE(m.IsFinished());
    ASSERT_TRUE(WaitFor([&] { return m.IsFinished(); }, 15000));
    playedMs = msSince(start);
    EXPECT_FALSE(m.IsPlaying());
    SleepMs(300);
    EXPECT_TRUE(m.IsFinished());
  }
  // The music lasts 2 s; the end is noticed once the half holding its last sample has played.
  EXPECT_GE(playedMs, 1900);
  EXPECT_LE(playedMs, 2000 + 372 + 1500);

  const Samples out = capture_.Read();
  const size_t onset = FirstLoud(out, 2, 500);
  ASSERT_LT(onset, out.size() / 2);
  const size_t offset = Align(out, reference, gain, onset - FirstLoud(reference, 2, 600));
  std::string first;
  EXPECT_EQ(Mismatches(out, offset, reference, gain, 0, SIZE_MAX, &first), 0u) << first;
  EXPECT_TRUE(Silent(out, 0, offset)) << "nothing before the music";
  EXPECT_TRUE(Silent(out, offset + reference.size() / 2, out.size() / 2))
      << "silence after the end";
  // Everything was heard: the capture holds the whole music and then at least 0.3 s more.
  EXPECT_GE(out.size() / 2, offset + reference.size() / 2 + kRate * 3 / 10);
}

TEST_F(KSoundStream, ALoopingStreamWrapsToItsStartAfterTheRestOfAHalf) {
  const Samples music = Music(1.0, kRate, 2);  // 176,400 bytes
  const std::string ogg = EncodeOgg(music, 2, kRate);
  const Samples reference = DecodeOgg(ogg);
  const size_t frames = reference.size() / 2;
  const double gain = Gain(KSound::VolumeTable(99));
  {
    KSound m;
    ASSERT_TRUE(DeviceAtTheTestRate());
    ASSERT_TRUE(m.LoadStreamFromMemory(ogg.data(), ogg.size()));
    m.SetVolume(100);
    m.PlayStream(true);
    SleepMs(2600);
    EXPECT_TRUE(m.IsPlaying());
    EXPECT_FALSE(m.IsFinished());
    m.StopStream();
    EXPECT_FALSE(m.IsPlaying());
  }
  const Samples out = capture_.Read();
  const size_t onset = FirstLoud(out, 2, 500);
  const size_t offset = Align(out, reference, gain, onset - FirstLoud(reference, 2, 600));
  std::string first;
  EXPECT_EQ(Mismatches(out, offset, reference, gain, 0, SIZE_MAX, &first), 0u) << first;
  // The end of the file fell into a half: the rest of that half is silent, the next half starts
  // the music again.
  const size_t bytes = frames * 4;
  const size_t gap = (KSound::kStreamHalfBytes - bytes % KSound::kStreamHalfBytes) / 4;
  EXPECT_EQ(gap, 5052u);
  EXPECT_TRUE(Silent(out, offset + frames, offset + frames + gap));
  const size_t second = offset + frames + gap;
  EXPECT_EQ(Mismatches(out, second, reference, gain, 0, frames / 2, &first), 0u) << first;
}

TEST_F(KSoundStream, AMusicMasterChangeReachesAPlayingStreamWithinOnePass) {
  const Samples tone = Tone(441, 14000, 3.0, kRate, 2);
  const std::string ogg = EncodeOgg(tone, 2, kRate);
  int32_t before = 0, after = 0;
  int reachedMs = -1;
  {
    KSound m;
    ASSERT_TRUE(DeviceAtTheTestRate());
    ASSERT_TRUE(m.LoadStreamFromMemory(ogg.data(), ogg.size()));
    m.SetVolume(100);
    m.PlayStream(false);
    SleepMs(1000);
    m.GetVoiceBuffer(0)->GetVolume(&before);
    const auto change = Clock::now();
    KSound::SetMasterVolumes(50, -1);  // nobody calls SetVolume: the streaming thread does
    WaitFor([&] {
      int32_t v = 0;
      m.GetVoiceBuffer(0)->GetVolume(&v);
      return v == KSound::VolumeTable(50);
    }, 2000);
    reachedMs = msSince(change);
    m.GetVoiceBuffer(0)->GetVolume(&after);
    ASSERT_TRUE(WaitFor([&] { return m.IsFinished(); }, 10000));
  }
  EXPECT_EQ(before, KSound::VolumeTable(99));
  EXPECT_EQ(after, KSound::VolumeTable(50));
  EXPECT_LE(reachedMs, 300);  // one pass waits at most 2 x 50 ms (with room for a busy machine)

  // In the output: 10-period windows before and after the change differ by the tables' step.
  const Samples out = capture_.Read();
  const size_t onset = FirstLoud(out, 2, 500);
  const size_t window = kRate / 44;  // 10 periods of 441 Hz
  const double loud = Rms(out, 0, onset + kRate / 4, onset + kRate / 4 + window);
  const double quiet = Rms(out, 0, onset + kRate * 2, onset + kRate * 2 + window);
  const double table = (KSound::VolumeTable(99) - KSound::VolumeTable(50)) / 100.0;
  EXPECT_NEAR(Db(loud / quiet), table, 0.05);
}

TEST_F(KSoundStream, AStreamShorterThanHalfTheRingIsHeardWhole) {
  const Samples music = Music(0.25, kRate, 2);  // 44,100 bytes
  const std::string ogg = EncodeOgg(music, 2, kRate);
  const Samples reference = DecodeOgg(ogg);
  const double gain = Gain(KSound::VolumeTable(80));
  {
    KSound m;
    ASSERT_TRUE(DeviceAtTheTestRate());
    ASSERT_TRUE(m.LoadStreamFromMemory(ogg.data(), ogg.size()));
    m.PlayStream(false);
    ASSERT_TRUE(WaitFor([&] { return m.IsFinished(); }, 8000));
    EXPECT_FALSE(m.IsPlaying());
    // Played again, it starts over.
    m.PlayStream(false);
    EXPECT_FALSE(m.IsFinished());
    EXPECT_TRUE(m.IsPlaying());
    ASSERT_TRUE(WaitFor([&] { return m.IsFinished(); }, 8000));
  }
  const Samples out = capture_.Read();
  const size_t onset = FirstLoud(out, 2, 500);
  const size_t offset = Align(out, reference, gain, onset - FirstLoud(reference, 2, 600));
  std::string first;
  EXPECT_EQ(Mismatches(out, offset, reference, gain, 0, SIZE_MAX, &first), 0u) << first;
  const size_t again = FirstLoud(out, 2, 500, offset + reference.size() / 2 + 100);
  ASSERT_LT(again, out.size() / 2);
  const size_t offset2 = Align(out, reference, gain, again - FirstLoud(reference, 2, 600));
  EXPECT_EQ(Mismatches(out, offset2, reference, gain, 0, SIZE_MAX, &first), 0u) << first;
}

TEST_F(KSoundStream, StoppingRestartingAndDestroyingAPlayingStreamNeverHangs) {
  const std::string ogg = EncodeOgg(Music(3.0, kRate, 2), 2, kRate, 0.2f);
  auto m = std::make_unique<KSound>();
  ASSERT_NE(KSound::Device(), nullptr);
  ASSERT_TRUE(m->LoadStreamFromMemory(ogg.data(), ogg.size()));
  m->PlayStream(true);
  SleepMs(150);
  auto t = Clock::now();
  m->StopStream();
  EXPECT_LT(msSince(t), 400);  // woken at once; at worst one decode of 64 KB on a busy machine
  EXPECT_FALSE(m->IsPlaying());
  uint32_t status = 99;
  m->GetVoiceBuffer(0)->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  // Restarts in quick succession, at every point of the thread's life.
  for (int i = 0; i < 30; ++i) {
    m->PlayStream(i % 2 == 0);
    EXPECT_TRUE(m->IsPlaying());
    SleepMs((i * 7) % 23);
    if (i % 3 == 0) m->StopStream();
    if (i % 5 == 0) m->SetVolume(i * 3);
    if (i % 7 == 0) KSound::SetMasterVolumes(90 - i, -1);
  }
  m->PlayStream(false);
  SleepMs(120);
  // A reload while playing ends the thread first.
  ASSERT_TRUE(m->LoadStreamFromMemory(ogg.data(), ogg.size()));
  EXPECT_FALSE(m->IsPlaying());
  m->PlayStream(true);
  SleepMs(120);
  const std::string wave = MakeWave(Tone(441, 5000, 0.2, kRate, 1), 1, kRate);
  ASSERT_TRUE(m->LoadFromMemory(wave.data(), wave.size(), false));  // music becomes a sound
  EXPECT_FALSE(m->IsMusic());
  ASSERT_TRUE(m->LoadStreamFromMemory(ogg.data(), ogg.size()));
  m->PlayStream(true);
  SleepMs(120);
  t = Clock::now();
  m.reset();  // destroyed while playing
  EXPECT_LT(msSince(t), 400);
  EXPECT_EQ(KSound::Device(), nullptr);
}

TEST_F(KSoundStream, TwoMusicObjectsStreamSideBySide) {
  const Samples a = Music(1.2, kRate, 2);
  const Samples b = Music(0.9, 22050, 1);  // another rate and one channel: resampled
  const std::string oggA = EncodeOgg(a, 2, kRate);
  const std::string oggB = EncodeOgg(b, 1, 22050);
  int finishedA = -1, finishedB = -1;
  {
    KSound ma, mb;
    ASSERT_NE(KSound::Device(), nullptr);
    ASSERT_TRUE(ma.LoadStreamFromMemory(oggA.data(), oggA.size()));
    ASSERT_TRUE(mb.LoadStreamFromMemory(oggB.data(), oggB.size()));
    const auto start = Clock::now();
    ma.PlayStream(false);
    mb.PlayStream(false);
    EXPECT_TRUE(ma.IsPlaying());
    EXPECT_TRUE(mb.IsPlaying());
    ASSERT_TRUE(WaitFor([&] {
      if (finishedA < 0 && ma.IsFinished()) finishedA = msSince(start);
      if (finishedB < 0 && mb.IsFinished()) finishedB = msSince(start);
      return finishedA >= 0 && finishedB >= 0;
    }, 15000));
  }
  // Each ends after its own length, not before.
  EXPECT_GE(finishedA, 1100);
  EXPECT_GE(finishedB, 800);
  EXPECT_LT(finishedB, 900 + 1500 + 1500);  // a 22,050 Hz mono ring half lasts 1.5 s
}

}  // namespace
