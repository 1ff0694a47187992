// The audio mixer layer (engine/platform/audio*): the DirectSound stand-in, tested by pulling
// its output directly.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <thread>

#include "platform/audio.h"
#include "sound_support.h"

using namespace platform;
using namespace soundtest;

namespace {

constexpr int kRate = 44100;

class AudioMixer : public ::testing::Test {
 protected:
  void SetUp() override {
    SetManualAudioOutput(true, kRate);
    ASSERT_EQ(AudioDevice::Create(&raw_), kAudioOk);
    device_.reset(raw_);
  }
  void TearDown() override {
    device_.reset();
    SetManualAudioOutput(false);
  }

  // A buffer holding the given samples.
  std::unique_ptr<AudioBuffer> Make(const Samples& s, int channels, int rate,
                                    uint32_t flags = 0x80E8) {
    AudioBufferDesc desc;
    desc.flags = flags;
    desc.bytes = uint32_t(s.size() * 2);
    desc.format = MakePcmFormat(channels, rate);
    AudioBuffer* b = nullptr;
    EXPECT_EQ(device_->CreateBuffer(desc, &b), kAudioOk);
    void *p1, *p2;
    uint32_t n1, n2;
    EXPECT_EQ(b->Lock(0, desc.bytes, &p1, &n1, &p2, &n2, 0), kAudioOk);
    std::memcpy(p1, s.data(), n1);
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), kAudioOk);
    return std::unique_ptr<AudioBuffer>(b);
  }

  // Frames 0..n-1 of a ramp: left i, right -i (stereo) or i (mono).
  static Samples Ramp(int frames, int channels) {
    Samples s(size_t(frames) * channels);
    for (int i = 0; i < frames; ++i) {
      s[size_t(i) * channels] = int16_t(i + 1);
      if (channels == 2) s[size_t(i) * channels + 1] = int16_t(-(i + 1));
    }
    return s;
  }

  AudioDevice* raw_ = nullptr;
  std::unique_ptr<AudioDevice> device_;
};

TEST_F(AudioMixer, OneDeviceAtATimeWithTheRequestedOutput) {
  AudioDevice* second = nullptr;
  EXPECT_EQ(AudioDevice::Create(&second), kAudioAllocated);
  EXPECT_EQ(second, nullptr);
  AudioFormat out = device_->OutputFormat();
  EXPECT_EQ(out.channels, 2);
  EXPECT_EQ(out.samplesPerSec, uint32_t(kRate));
  EXPECT_EQ(out.bitsPerSample, 16);
}

TEST_F(AudioMixer, RefusesFormatsAndSizesItCannotPlay) {
  AudioBuffer* b = nullptr;
  AudioBufferDesc desc;
  desc.flags = 0x80E8;
  desc.bytes = 4096;
  desc.format = MakePcmFormat(2, 22050);
  desc.format.bitsPerSample = 8;
  EXPECT_EQ(device_->CreateBuffer(desc, &b), kAudioBadFormat);
  desc.format = MakePcmFormat(3, 22050);
  EXPECT_EQ(device_->CreateBuffer(desc, &b), kAudioBadFormat);
  desc.format = MakePcmFormat(2, 22050);
  desc.format.blockAlign = 2;
  EXPECT_EQ(device_->CreateBuffer(desc, &b), kAudioBadFormat);
  desc.format = MakePcmFormat(1, 50);
  EXPECT_EQ(device_->CreateBuffer(desc, &b), kAudioBadFormat);
  desc.format = MakePcmFormat(1, 22050);
  desc.bytes = 2;
  EXPECT_EQ(device_->CreateBuffer(desc, &b), kAudioInvalidParam);
  EXPECT_EQ(b, nullptr);
}

TEST_F(AudioMixer, ANewBufferIsSilentAndLocksWrapRoundTheEnd) {
  AudioBufferDesc desc;
  desc.flags = 0x80E8;
  desc.bytes = 1000;
  desc.format = MakePcmFormat(1, kRate);
  AudioBuffer* raw = nullptr;
  ASSERT_EQ(device_->CreateBuffer(desc, &raw), kAudioOk);
  std::unique_ptr<AudioBuffer> b(raw);
  EXPECT_EQ(b->GetSize(), 1000u);
  void *p1, *p2;
  uint32_t n1, n2;
  ASSERT_EQ(b->Lock(800, 400, &p1, &n1, &p2, &n2, 0), kAudioOk);
  EXPECT_EQ(n1, 200u);
  EXPECT_EQ(n2, 200u);
  EXPECT_EQ(static_cast<uint8_t*>(p1) - static_cast<uint8_t*>(p2), 800);
  for (uint32_t i = 0; i < n1; ++i) EXPECT_EQ(static_cast<uint8_t*>(p1)[i], 0);
  EXPECT_EQ(b->Unlock(p1, n1, p2, n2), kAudioOk);
  EXPECT_EQ(b->Lock(1000, 4, &p1, &n1, &p2, &n2, 0), kAudioInvalidParam);
  EXPECT_EQ(b->Lock(0, 1001, &p1, &n1, &p2, &n2, 0), kAudioInvalidParam);
  ASSERT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, kAudioLockEntireBuffer), kAudioOk);
  EXPECT_EQ(n1, 1000u);
  EXPECT_EQ(b->Unlock(p1, n1, nullptr, 0), kAudioOk);
  char elsewhere[4];
  EXPECT_EQ(b->Unlock(elsewhere, 4, nullptr, 0), kAudioInvalidParam);
}

TEST_F(AudioMixer, AOneShotBufferPlaysItsSamplesExactlyOnceThenStops) {
  auto b = Make(Ramp(3000, 2), 2, kRate);
  uint32_t status = 99;
  b->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  ASSERT_EQ(b->Play(0), kAudioOk);
  b->GetStatus(&status);
  EXPECT_EQ(status, kAudioStatusPlaying);
  Samples out = ManualOutput::Pull(2000);
  for (int i = 0; i < 2000; ++i) {
    ASSERT_EQ(out[size_t(2 * i)], i + 1) << i;
    ASSERT_EQ(out[size_t(2 * i + 1)], -(i + 1)) << i;
  }
  uint32_t play = 0, write = 0;
  b->GetCurrentPosition(&play, &write);
  EXPECT_EQ(play, 2000u * 4);
  EXPECT_EQ(write, 2002u * 4);
  out = ManualOutput::Pull(2000);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(out[size_t(2 * i)], 2001 + i);
  for (int i = 1000; i < 2000; ++i) ASSERT_EQ(out[size_t(2 * i)], 0) << "after the end " << i;
  b->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  b->GetCurrentPosition(&play, nullptr);
  EXPECT_EQ(play, 0u);  // a finished one-shot buffer is back at its start
}

TEST_F(AudioMixer, ALoopingBufferWrapsWithoutAGap) {
  auto b = Make(Ramp(700, 1), 1, kRate);
  ASSERT_EQ(b->Play(kAudioPlayLooping), kAudioOk);
  uint32_t status = 0;
  b->GetStatus(&status);
  EXPECT_EQ(status, kAudioStatusPlaying | kAudioStatusLooping);
  Samples out = ManualOutput::Pull(5000);
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(out[size_t(2 * i)], i % 700 + 1) << i;  // mono goes to both sides
    ASSERT_EQ(out[size_t(2 * i + 1)], i % 700 + 1) << i;
  }
}

TEST_F(AudioMixer, StopKeepsThePositionAndRewindingStartsAgain) {
  auto b = Make(Ramp(3000, 1), 1, kRate);
  b->Play(0);
  ManualOutput::Pull(100);
  b->Stop();
  Samples out = ManualOutput::Pull(50);
  EXPECT_EQ(out[0], 0);
  b->Play(0);
  out = ManualOutput::Pull(1);
  EXPECT_EQ(out[0], 101);
  b->SetCurrentPosition(0);
  out = ManualOutput::Pull(1);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(b->SetCurrentPosition(6000), kAudioInvalidParam);
}

TEST_F(AudioMixer, VolumeIsInHundredthsOfADecibel) {
  auto b = Make(Tone(441, 20000, 0.5, kRate, 1), 1, kRate);
  b->Play(kAudioPlayLooping);
  const double full = Rms(ManualOutput::Pull(4400), 0, 0, 4400);
  EXPECT_EQ(b->SetVolume(-600), kAudioOk);
  const double minus6 = Rms(ManualOutput::Pull(4400), 0, 0, 4400);
  EXPECT_NEAR(Db(minus6 / full), -6.0, 0.01);
  EXPECT_EQ(b->SetVolume(-2500), kAudioOk);
  EXPECT_NEAR(Db(Rms(ManualOutput::Pull(4400), 0, 0, 4400) / full), -25.0, 0.02);
  EXPECT_EQ(b->SetVolume(-10000), kAudioOk);
  EXPECT_EQ(Rms(ManualOutput::Pull(4400), 0, 0, 4400), 0.0);
  int32_t v = 0;
  b->GetVolume(&v);
  EXPECT_EQ(v, -10000);
  EXPECT_EQ(b->SetVolume(1), kAudioInvalidParam);
  EXPECT_EQ(b->SetVolume(-10001), kAudioInvalidParam);
}

TEST_F(AudioMixer, PanAttenuatesTheOtherSide) {
  auto b = Make(Tone(441, 20000, 0.5, kRate, 1), 1, kRate);
  b->Play(kAudioPlayLooping);
  ASSERT_EQ(b->SetPan(-10000), kAudioOk);
  Samples out = ManualOutput::Pull(4400);
  EXPECT_GT(Rms(out, 0, 0, 4400), 10000);
  EXPECT_EQ(Rms(out, 1, 0, 4400), 0.0);
  ASSERT_EQ(b->SetPan(10000), kAudioOk);
  out = ManualOutput::Pull(4400);
  EXPECT_EQ(Rms(out, 0, 0, 4400), 0.0);
  ASSERT_EQ(b->SetPan(2000), kAudioOk);  // right: the left side 20 dB down
  out = ManualOutput::Pull(4400);
  EXPECT_NEAR(Db(Rms(out, 0, 0, 4400) / Rms(out, 1, 0, 4400)), -20.0, 0.02);
  ASSERT_EQ(b->SetPan(-1505), kAudioOk);
  out = ManualOutput::Pull(4400);
  EXPECT_NEAR(Db(Rms(out, 1, 0, 4400) / Rms(out, 0, 0, 4400)), -15.05, 0.02);
  EXPECT_EQ(b->SetPan(10001), kAudioInvalidParam);
}

TEST_F(AudioMixer, BuffersAtOtherRatesAreResampled) {
  // A 1 kHz tone recorded at 22050 Hz lasts twice as many output frames at 44100 Hz and keeps
  // its pitch.
  auto b = Make(Tone(1000, 16000, 0.1, 22050, 1), 1, 22050);
  b->Play(0);
  Samples out = ManualOutput::Pull(10000);
  size_t last = 0;
  for (size_t i = 0; i < 10000; ++i)
    if (out[2 * i] != 0) last = i;
  EXPECT_NEAR(double(last), 4410.0, 3.0);
  int crossings = 0;
  for (size_t i = 1; i < 4410; ++i)
    if ((out[2 * i - 2] < 0) != (out[2 * i] < 0)) ++crossings;
  EXPECT_NEAR(crossings, 200, 2);  // 100 periods in 0.1 s
  // The frequency control plays the same samples at another speed.
  b->SetCurrentPosition(0);
  ASSERT_EQ(b->SetFrequency(44100), kAudioOk);
  b->Play(0);
  out = ManualOutput::Pull(4000);
  last = 0;
  for (size_t i = 0; i < 4000; ++i)
    if (out[2 * i] != 0) last = i;
  EXPECT_NEAR(double(last), 2205.0, 2.0);
  uint32_t hz = 0;
  b->SetFrequency(kAudioFrequencyOriginal);
  b->GetFrequency(&hz);
  EXPECT_EQ(hz, 22050u);
}

TEST_F(AudioMixer, NotificationsSignalTheirEventsAsTheCursorPasses) {
  auto b = Make(Samples(2 * 4000, 1000), 2, kRate, 0x81E8);  // 4000 frames, 16000 bytes
  AudioEvent half0, half1, stopped;
  const AudioNotify positions[3] = {{0, &half0}, {8000, &half1}, {kAudioNotifyOffsetStop, &stopped}};
  ASSERT_EQ(b->SetNotificationPositions(3, positions), kAudioOk);
  b->Play(kAudioPlayLooping);
  EXPECT_EQ(b->SetNotificationPositions(3, positions), kAudioInvalidCall);  // only while stopped
  ManualOutput::Pull(100);
  EXPECT_TRUE(half0.Wait(0));   // the cursor left offset 0
  EXPECT_FALSE(half0.Wait(0));  // automatic reset
  EXPECT_FALSE(half1.Wait(0));
  ManualOutput::Pull(1899);  // frame 1999: not yet at the half
  EXPECT_FALSE(half1.Wait(0));
  ManualOutput::Pull(2);
  EXPECT_TRUE(half1.Wait(0));
  ManualOutput::Pull(1999);  // frame 4000 = the start again
  EXPECT_FALSE(half0.Wait(0));
  ManualOutput::Pull(1);
  EXPECT_TRUE(half0.Wait(0));
  EXPECT_FALSE(stopped.Wait(0));
  b->Stop();
  EXPECT_TRUE(stopped.Wait(0));
  // The end of a one-shot play signals the stop position too.
  b->SetCurrentPosition(15000);
  b->Play(0);
  ManualOutput::Pull(600);
  EXPECT_TRUE(stopped.Wait(0));
  ASSERT_EQ(b->SetNotificationPositions(0, nullptr), kAudioOk);
  const AudioNotify outside = {16000, &half0};
  EXPECT_EQ(b->SetNotificationPositions(1, &outside), kAudioInvalidParam);
}

TEST_F(AudioMixer, ControlsNeedTheirCapabilityFlags) {
  auto b = Make(Samples(100), 1, kRate, kAudioCapsLocSoftware);
  AudioEvent e;
  const AudioNotify n = {0, &e};
  EXPECT_EQ(b->SetNotificationPositions(1, &n), kAudioControlUnavailable);
  EXPECT_EQ(b->SetVolume(-100), kAudioControlUnavailable);
  EXPECT_EQ(b->SetPan(-100), kAudioControlUnavailable);
  EXPECT_EQ(b->SetFrequency(8000), kAudioControlUnavailable);
  EXPECT_EQ(b->GetFlags(), kAudioCapsLocSoftware);
}

TEST_F(AudioMixer, LostBuffersReportItUntilRestored) {
  auto b = Make(Ramp(500, 1), 1, kRate);
  b->Play(kAudioPlayLooping);
  device_->LoseAllBuffers();
  uint32_t status = 0;
  b->GetStatus(&status);
  EXPECT_EQ(status, kAudioStatusBufferLost);
  EXPECT_EQ(b->Play(0), kAudioBufferLost);
  void *p1, *p2;
  uint32_t n1, n2;
  EXPECT_EQ(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), kAudioBufferLost);
  EXPECT_EQ(Rms(ManualOutput::Pull(100), 0, 0, 100), 0.0);
  EXPECT_EQ(b->Restore(), kAudioOk);
  b->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(b->Play(0), kAudioOk);
  EXPECT_EQ(Rms(ManualOutput::Pull(100), 0, 0, 100), 0.0);  // restored memory is silent
}

TEST_F(AudioMixer, TheSumClipsInsteadOfWrappingRound) {
  auto a = Make(Samples(2000, 30000), 1, kRate);
  auto b = Make(Samples(2000, 30000), 1, kRate);
  auto c = Make(Samples(2000, -30000), 1, kRate);
  a->Play(0);
  b->Play(0);
  Samples out = ManualOutput::Pull(10);
  EXPECT_EQ(out[0], 32767);
  c->Play(0);
  out = ManualOutput::Pull(10);
  EXPECT_EQ(out[0], 30000);
}

TEST_F(AudioMixer, ABufferDestroyedWhilePlayingLeavesTheMix) {
  auto a = Make(Samples(20000, 1234), 1, kRate);
  a->Play(kAudioPlayLooping);
  EXPECT_EQ(ManualOutput::Pull(1)[0], 1234);
  a.reset();
  EXPECT_EQ(ManualOutput::Pull(1)[0], 0);
}

TEST(AudioMixerEvent, AutomaticAndManualReset) {
  AudioEvent automatic;
  EXPECT_FALSE(automatic.Wait(0));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(automatic.Wait(30));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(29));
  automatic.Set();
  EXPECT_TRUE(automatic.Wait(0));
  EXPECT_FALSE(automatic.Wait(0));
  AudioEvent manual(true, true);
  EXPECT_TRUE(manual.Wait(0));
  EXPECT_TRUE(manual.Wait(0));
  manual.Reset();
  EXPECT_FALSE(manual.Wait(0));
  std::thread setter([&automatic] {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    automatic.Set();
  });
  EXPECT_TRUE(automatic.Wait(5000));
  setter.join();
}

TEST(AudioMixerWithoutOutput, NoDriverFailsAtOnceAndPullingGivesSilence) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  AudioDevice* d = nullptr;
  EXPECT_EQ(AudioDevice::Create(&d), kAudioNoDriver);
  EXPECT_EQ(d, nullptr);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  Samples s(20, 7);
  EXPECT_FALSE(PullAudio(s.data(), 10));
  for (int16_t v : s) EXPECT_EQ(v, 0);
}

TEST(AudioMixerWithSdl, TheDummyDriverOpensAndMixes) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  AudioDevice* d = nullptr;
  ASSERT_EQ(AudioDevice::Create(&d), kAudioOk);
  std::unique_ptr<AudioDevice> device(d);
  EXPECT_GE(device->OutputFormat().samplesPerSec, 8000u);
  AudioBufferDesc desc;
  desc.flags = 0x81E8;
  desc.bytes = 8000;
  desc.format = MakePcmFormat(2, 44100);
  AudioBuffer* raw = nullptr;
  ASSERT_EQ(device->CreateBuffer(desc, &raw), kAudioOk);
  std::unique_ptr<AudioBuffer> b(raw);
  AudioEvent start;
  const AudioNotify n = {0, &start};
  b->SetNotificationPositions(1, &n);
  b->Play(kAudioPlayLooping);
  EXPECT_TRUE(start.Wait(2000));  // SDL's thread runs the mixer
  b.reset();
}

}  // namespace
