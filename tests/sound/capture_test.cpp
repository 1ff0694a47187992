// Short sounds played through SDL's disk driver: the captured output shows that a played sound
// reaches the output at the level and pan of the tables, and that the master level scales it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/KSound.h"
#include "sound_support.h"

using namespace soundtest;

namespace {

constexpr int kRate = 44100;

struct Segment {
  size_t from, to;  // frames
};

// Runs of sound separated by at least `gap` frames of exact silence.
std::vector<Segment> Segments(const Samples& s, size_t gap) {
  std::vector<Segment> out;
  const size_t frames = s.size() / 2;
  size_t i = 0;
  while (i < frames) {
    while (i < frames && s[2 * i] == 0 && s[2 * i + 1] == 0) ++i;
    if (i >= frames) break;
    Segment seg{i, i};
    size_t quiet = 0;
    for (; i < frames && quiet < gap; ++i) {
      if (s[2 * i] == 0 && s[2 * i + 1] == 0) {
        ++quiet;
      } else {
        quiet = 0;
        seg.to = i + 1;
      }
    }
    out.push_back(seg);
  }
  return out;
}

TEST(KSoundCapture, PlayedSoundsReachTheOutputAtTheirLevelAndPan) {
  KSound::SetMasterVolumes(100, 100);
  DiskCapture capture;
  const double amplitude = 16000;
  const Samples tone = Tone(441, amplitude, 0.3, kRate, 1);
  const std::string wave = MakeWave(tone, 1, kRate);
  {
    KSound s;
    ASSERT_NE(KSound::Device(), nullptr);
    ASSERT_EQ(KSound::Device()->OutputFormat().samplesPerSec, uint32_t(kRate));
    ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100));
    auto playOnce = [&s] {
      s.Play();
      EXPECT_TRUE(s.IsPlaying());
      ASSERT_TRUE(WaitFor([&s] { return !s.IsPlaying(); }, 5000));
      SleepMs(120);  // a silent stretch between the takes
    };
    playOnce();                          // 0: volume 100, centre
    s.SetVolume(50);
    playOnce();                          // 1: volume 50
    s.SetVolume(100);
    s.SetPan(-100);
    playOnce();                          // 2: full left
    s.SetPan(50);
    playOnce();                          // 3: half right
    s.SetPan(0);
    KSound::SetMasterVolumes(-1, 50);
    playOnce();                          // 4: master 50
    KSound::SetMasterVolumes(-1, 100);
  }
  const Samples out = capture.Read();
  const std::vector<Segment> takes = Segments(out, 2000);
  ASSERT_EQ(takes.size(), 5u);
  for (const Segment& t : takes) EXPECT_NEAR(double(t.to - t.from), tone.size(), 2.0);

  auto rms = [&out](const Segment& t, int channel) { return Rms(out, channel, t.from, t.to); };
  const double rms100 = rms(takes[0], 0);
  EXPECT_NEAR(rms100, amplitude / std::sqrt(2.0) * Gain(KSound::VolumeTable(99)), 2.0);
  EXPECT_NEAR(rms(takes[0], 1), rms100, 0.01);
  // Volume 100 against 50: the table says 8.19 dB.
  const double table = (KSound::VolumeTable(99) - KSound::VolumeTable(50)) / 100.0;
  EXPECT_NEAR(Db(rms100 / rms(takes[1], 0)), table, 0.01);
  // Full left: nothing on the right.
  EXPECT_NEAR(rms(takes[2], 0), rms100, 0.01);
  EXPECT_EQ(rms(takes[2], 1), 0.0);
  // Half right: the left side down by pan[150] = 15.05 dB, the right side untouched.
  EXPECT_NEAR(Db(rms(takes[3], 1) / rms(takes[3], 0)), 15.05, 0.01);
  EXPECT_NEAR(rms(takes[3], 1), rms100, 0.01);
  // Sound master 50 with own volume 100 plays at volume[50].
  EXPECT_NEAR(Db(rms100 / rms(takes[4], 0)), table, 0.01);
}

TEST(KSoundCapture, VoicesOverlapUpToTheirCount) {
  KSound::SetMasterVolumes(100, 100);
  DiskCapture capture;
  // A constant level makes overlapping copies add up plainly.
  const Samples dc(size_t(kRate) / 5, 1000);  // 0.2 s
  const std::string wave = MakeWave(dc, 1, kRate);
  {
    KSound s;
    ASSERT_NE(KSound::Device(), nullptr);
    ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, false, 3));
    for (int i = 0; i < 5; ++i) s.Play();  // five starts, three voices: three copies sound
    ASSERT_TRUE(WaitFor([&s] { return !s.IsPlaying(); }, 5000));
    SleepMs(100);
  }
  const Samples out = capture.Read();
  int peak = 0;
  for (int16_t v : out) peak = std::max(peak, int(v));
  EXPECT_NEAR(peak, 3 * 1000 * Gain(KSound::VolumeTable(99)), 2.0);
}

}  // namespace
