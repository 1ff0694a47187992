// KSound's short sounds, tables, volumes, pan, voices, loading and failures, on the
// mixer pulled by the test.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "sound/KGameSounds.h"
#include "sound/KSound.h"
#include "sound/OggMemory.h"
#include "sound/WaveFile.h"
#include "sound_support.h"
#include "tools/KTools.h"

using namespace soundtest;

namespace {

constexpr int kRate = 44100;

std::vector<std::string> boxes;
void captureBox(const char* caption, const char* text) {
  boxes.push_back(std::string(caption) + "|" + text);
}

class KSoundShort : public ::testing::Test {
 protected:
  void SetUp() override {
    boxes.clear();
    KTools::SetMessageBoxHandler(captureBox);
    KSound::SetMasterVolumes(100, 100);
    KSound::SetPlayerVolumes(100, 100);
  }
  void TearDown() override {
    KSound::SetMasterVolumes(100, 100);
    KSound::SetPlayerVolumes(100, 100);
    KTools::SetMessageBoxHandler(nullptr);
    EXPECT_EQ(KSound::Device(), nullptr) << "every KSound of the test is gone";
  }
  ManualOutput output_{kRate};
};

std::string WaveTone(double seconds = 0.2, int channels = 1, int rate = kRate) {
  return MakeWave(Tone(441, 16000, seconds, rate, channels), channels, rate);
}

int32_t VoiceVolume(const KSound& s, int voice) {
  int32_t v = 1;
  s.GetVoiceBuffer(voice)->GetVolume(&v);
  return v;
}
int32_t VoicePan(const KSound& s, int voice) {
  int32_t p = 1;
  s.GetVoiceBuffer(voice)->GetPan(&p);
  return p;
}
bool VoicePlaying(const KSound& s, int voice) {
  uint32_t status = 0;
  s.GetVoiceBuffer(voice)->GetStatus(&status);
  return status & platform::kAudioStatusPlaying;
}

// ---- Tables -------------------------------------------------------------------------------

TEST_F(KSoundShort, VolumeAndPanTablesAreInHundredthsOfADecibel) {
  KSound s;
  EXPECT_EQ(KSound::VolumeTable(50), -831);
  EXPECT_EQ(KSound::PanTable(50), -1505);
  EXPECT_EQ(KSound::PanTable(150), 1505);
  EXPECT_EQ(KSound::VolumeTable(0), -10000);
  EXPECT_EQ(KSound::VolumeTable(99), -12);
  EXPECT_EQ(KSound::VolumeTable(80), -267);
  EXPECT_EQ(KSound::VolumeTable(1), -5523);
  EXPECT_EQ(KSound::PanTable(0), -10000);
  EXPECT_EQ(KSound::PanTable(100), 0);
  EXPECT_EQ(KSound::PanTable(200), 10000);
  for (int v = 1; v <= 99; ++v) {
    EXPECT_EQ(KSound::VolumeTable(v),
              int32_t(std::trunc(-100.0 * std::log(v / 100.0) / std::log(0.92))));
    EXPECT_GT(KSound::VolumeTable(v), KSound::VolumeTable(v - 1));
  }
  for (int i = 1; i <= 99; ++i) EXPECT_EQ(KSound::PanTable(200 - i), -KSound::PanTable(i));
}

// ---- Volume and pan -----------------------------------------------------------------------

TEST_F(KSoundShort, SetVolumeScalesByTheMasterLevelAndStaysBelowFull) {
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(WaveTone().data(), WaveTone().size(), false, 100, false, 2));
  s.SetVolume(100);
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(99));  // 100 % plays at volume[99]
  EXPECT_EQ(VoiceVolume(s, 1), KSound::VolumeTable(99));
  KSound::SetMasterVolumes(-1, 80);
  EXPECT_EQ(KSound::GetSoundMasterVolume(), 80);
  EXPECT_EQ(KSound::GetMusicMasterVolume(), 100);
  s.SetVolume(100);
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(80));
  s.SetVolume(50);
  EXPECT_EQ(VoiceVolume(s, 1), KSound::VolumeTable(40));
  EXPECT_EQ(s.GetVolume(), 50);
  s.SetVolume(0);
  EXPECT_EQ(VoiceVolume(s, 0), -10000);
  s.SetVolume(250);
  EXPECT_EQ(s.GetVolume(), 100);
  s.SetVolume(-5);
  EXPECT_EQ(VoiceVolume(s, 0), -10000);
  // A sound uses the sound master, not the music master.
  KSound::SetMasterVolumes(10, 100);
  s.SetVolume(100);
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(99));
  EXPECT_EQ(KSound::GetMusicMasterVolume(), 10);
}

TEST_F(KSoundShort, PlayAppliesTheCurrentMasterLevel) {
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(WaveTone().data(), WaveTone().size(), false));
  KSound::SetMasterVolumes(99, 80);  // the game's fixed levels
  s.Play();
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(80));
}

TEST_F(KSoundShort, ThePlayersLevelsScaleTheMastersTheGameSets) {
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(WaveTone().data(), WaveTone().size(), false));
  KSound::SetMasterVolumes(99, 80);
  // At the player's full level nothing changes.
  s.Play();
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(80));
  // Half: the game's 80 becomes 40, its own volume 50 of that 20.
  KSound::SetPlayerVolumes(-1, 50);
  EXPECT_EQ(KSound::GetSoundPlayerVolume(), 50);
  EXPECT_EQ(KSound::GetMusicPlayerVolume(), 100);
  s.Play();
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(40));
  s.SetVolume(50);
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(20));
  // The screens setting their masters again keep the player's level.
  KSound::SetMasterVolumes(99, 80);
  s.SetVolume(100);
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(40));
  // Music is not the sounds' business; 0 is silent; above 100 counts as 100.
  KSound::SetPlayerVolumes(0, -1);
  s.SetVolume(100);
  EXPECT_EQ(VoiceVolume(s, 0), KSound::VolumeTable(40));
  KSound::SetPlayerVolumes(-1, 0);
  s.Play();
  EXPECT_EQ(VoiceVolume(s, 0), -10000);
  KSound::SetPlayerVolumes(250, 250);
  EXPECT_EQ(KSound::GetSoundPlayerVolume(), 100);
  EXPECT_EQ(KSound::GetMusicPlayerVolume(), 100);
}

TEST_F(KSoundShort, SetPanMapsThroughThePanTable) {
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(WaveTone().data(), WaveTone().size(), false));
  EXPECT_EQ(VoicePan(s, 0), 0);  // Load centres it
  s.SetPan(100);
  EXPECT_EQ(VoicePan(s, 0), 10000);
  s.SetPan(150);
  EXPECT_EQ(VoicePan(s, 0), 10000);  // like SetPan(100)
  s.SetPan(-150);
  EXPECT_EQ(VoicePan(s, 0), 10000);  // anything outside -100..100 becomes 100
  s.SetPan(-100);
  EXPECT_EQ(VoicePan(s, 0), -10000);
  s.SetPan(-50);
  EXPECT_EQ(VoicePan(s, 0), -1505);
  s.SetPan(50);
  EXPECT_EQ(VoicePan(s, 0), 1505);
}

// The measured output: a tone at volume 100 and at 50 differs by the table's decibels.
TEST_F(KSoundShort, MeasuredLevelsFollowTheVolumeTable) {
  const Samples tone = Tone(441, 16000, 1.0, kRate, 1);
  const std::string wave = MakeWave(tone, 1, kRate);
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100));
  s.Play();
  Samples at100 = ManualOutput::Pull(22000);
  s.SetVolume(50);
  s.Play();
  Samples at50 = ManualOutput::Pull(22000);
  const double rms100 = Rms(at100, 0, 0, 22000);
  const double rms50 = Rms(at50, 0, 0, 22000);
  EXPECT_NEAR(rms100, 16000 / std::sqrt(2.0) * Gain(-12), 2.0);
  const double measured = Db(rms100 / rms50);
  const double table = (KSound::VolumeTable(99) - KSound::VolumeTable(50)) / 100.0;
  EXPECT_NEAR(table, 8.19, 1e-9);
  EXPECT_NEAR(measured, table, 0.01);
  // The master level on top: sound master 50 and own volume 100 is volume[50] as well.
  KSound::SetMasterVolumes(-1, 50);
  s.SetVolume(100);
  s.Play();
  EXPECT_NEAR(Db(rms100 / Rms(ManualOutput::Pull(22000), 0, 0, 22000)), table, 0.01);
  s.SetVolume(0);
  s.Play();
  EXPECT_EQ(Rms(ManualOutput::Pull(4410), 0, 0, 4410), 0.0);
}

TEST_F(KSoundShort, MeasuredPanFollowsThePanTable) {
  const std::string wave = MakeWave(Tone(441, 16000, 1.0, kRate, 1), 1, kRate);
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false));
  s.SetPan(-100);
  s.Play();
  Samples out = ManualOutput::Pull(8800);
  EXPECT_GT(Rms(out, 0, 0, 8800), 10000);
  EXPECT_EQ(Rms(out, 1, 0, 8800), 0.0);
  s.SetPan(50);
  s.Play();
  out = ManualOutput::Pull(8800);
  EXPECT_NEAR(Db(Rms(out, 1, 0, 8800) / Rms(out, 0, 0, 8800)), 15.05, 0.01);
}

// ---- Voices -------------------------------------------------------------------------------

TEST_F(KSoundShort, ThreeVoicesPlayedFourTimesUseVoicesOneTwoZeroOne) {
  KSound s;
  const std::string wave = WaveTone(1.0);
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, false, 3));
  EXPECT_EQ(s.GetVoiceCount(), 3);
  EXPECT_EQ(s.GetCurrentVoice(), 0);
  std::vector<int> used;
  for (int i = 0; i < 4; ++i) {
    s.Play();
    used.push_back(s.GetCurrentVoice());
    EXPECT_TRUE(VoicePlaying(s, s.GetCurrentVoice()));
    ManualOutput::Pull(441);
  }
  EXPECT_EQ(used, (std::vector<int>{1, 2, 0, 1}));
  // Voices overlap: all three are sounding now, voice 1 restarted from its beginning.
  EXPECT_TRUE(VoicePlaying(s, 0));
  EXPECT_TRUE(VoicePlaying(s, 2));
  uint32_t play1 = 0, play2 = 0;
  s.GetVoiceBuffer(1)->GetCurrentPosition(&play1, nullptr);
  s.GetVoiceBuffer(2)->GetCurrentPosition(&play2, nullptr);
  EXPECT_EQ(play1, 441u * 2);
  EXPECT_EQ(play2, 3u * 441 * 2);
}

TEST_F(KSoundShort, WhenEveryVoiceIsBusyTheNextOneIsCutAndRestarted) {
  // One voice: a second Play restarts it; the overlapping copies never exceed the voice count.
  const Samples ramp = [] {
    Samples r(20000);
    for (size_t i = 0; i < r.size(); ++i) r[i] = int16_t(i + 1);
    return r;
  }();
  const std::string wave = MakeWave(ramp, 1, kRate);
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100));
  KSound::SetMasterVolumes(-1, 100);
  s.Play();
  ManualOutput::Pull(1000);
  s.Play();
  Samples out = ManualOutput::Pull(1);
  EXPECT_NEAR(out[0], 1 * Gain(-12), 1.0);  // back at the first sample, alone
  s.Play();
  s.Play();
  out = ManualOutput::Pull(1);
  EXPECT_NEAR(out[0], 1 * Gain(-12), 1.0);
}

TEST_F(KSoundShort, VoiceCountIsKeptWithinOneToNine) {
  const std::string wave = WaveTone();
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, false, 12));
  EXPECT_EQ(s.GetVoiceCount(), 9);
  for (int i = 0; i < 9; ++i) EXPECT_NE(s.GetVoiceBuffer(i), nullptr);
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, false, 0));
  EXPECT_EQ(s.GetVoiceCount(), 1);
  EXPECT_NE(s.GetVoiceBuffer(0), nullptr);
  EXPECT_EQ(s.GetVoiceBuffer(1), nullptr);
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, false, -3));
  EXPECT_EQ(s.GetVoiceCount(), 1);
}

TEST_F(KSoundShort, LoopStopAndIsPlaying) {
  const std::string wave = WaveTone(0.05);
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, true, 2));
  EXPECT_TRUE(s.IsLooping());
  EXPECT_FALSE(s.IsPlaying());
  s.Play();
  EXPECT_TRUE(s.IsPlaying());
  s.Play();
  Samples out = ManualOutput::Pull(kRate / 2);  // ten times the sound's length
  EXPECT_TRUE(s.IsPlaying());
  EXPECT_GT(Rms(out, 0, kRate / 4, kRate / 2), 1000);
  s.Stop();
  EXPECT_FALSE(s.IsPlaying());
  EXPECT_FALSE(VoicePlaying(s, 0));
  EXPECT_FALSE(VoicePlaying(s, 1));
  EXPECT_EQ(Rms(ManualOutput::Pull(100), 0, 0, 100), 0.0);
  // Without loop the sound ends by itself.
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, false));
  s.Play();
  EXPECT_TRUE(s.IsPlaying());
  ManualOutput::Pull(kRate / 20 + 10);
  EXPECT_FALSE(s.IsPlaying());
}

// ---- Loading ------------------------------------------------------------------------------

TEST_F(KSoundShort, OggVorbisShortSoundsLoadFromMemoryAndFromFile) {
  const Samples music = Music(0.4, 22050, 2);
  const std::string ogg = EncodeOgg(music, 2, 22050);
  ASSERT_FALSE(ogg.empty());
  int channels = 0, rate = 0;
  const Samples reference = DecodeOgg(ogg, &channels, &rate);
  ASSERT_EQ(channels, 2);
  ASSERT_EQ(rate, 22050);

  KSound fromMemory;
  ASSERT_TRUE(fromMemory.LoadFromMemory(ogg.data(), ogg.size(), true, 100, false, 2));
  ASSERT_NE(fromMemory.GetFormat(), nullptr);
  EXPECT_EQ(fromMemory.GetFormat()->channels, 2);
  EXPECT_EQ(fromMemory.GetFormat()->samplesPerSec, 22050u);
  EXPECT_EQ(fromMemory.GetFormat()->blockAlign, 4);
  EXPECT_EQ(fromMemory.GetFormat()->avgBytesPerSec, 22050u * 4);
  EXPECT_EQ(fromMemory.GetVoiceBuffer(1)->GetSize(), reference.size() * 2);
  EXPECT_EQ(fromMemory.GetVoiceBuffer(0)->GetFlags(), 0x80E8u);
  void *p1, *p2;
  uint32_t n1, n2;
  ASSERT_EQ(fromMemory.GetVoiceBuffer(1)->Lock(0, 0, &p1, &n1, &p2, &n2,
                                               platform::kAudioLockEntireBuffer),
            platform::kAudioOk);
  EXPECT_EQ(std::memcmp(p1, reference.data(), n1), 0);
  fromMemory.GetVoiceBuffer(1)->Unlock(p1, n1, p2, n2);

  TempDir dir;
  dir.write("snd/Punch.ogg", ogg);
  KSound fromFile;
  ASSERT_TRUE(fromFile.Load(dir.file("snd/Punch.ogg").c_str()));
  EXPECT_EQ(fromFile.GetVoiceBuffer(0)->GetSize(), reference.size() * 2);
  // Windows separators and another case, as the game's data was authored.
  std::string windows = dir.path() + "\\SND\\punch.ogg";
  ASSERT_TRUE(fromFile.Load(windows.c_str()));
  EXPECT_EQ(fromFile.GetVoiceCount(), 1);
  fromFile.Play();
  EXPECT_TRUE(fromFile.IsPlaying());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(KSoundShort, MissingOrBrokenShortSoundsFailSilently) {
  TempDir dir;
  KSound s;
  EXPECT_FALSE(s.Load(dir.file("nothing.ogg").c_str()));
  s.Play();
  s.Stop();
  s.SetVolume(50);
  s.SetPan(20);
  EXPECT_FALSE(s.IsPlaying());
  EXPECT_FALSE(s.Load(nullptr));
  EXPECT_FALSE(s.Load(""));
  const std::string garbage(5000, 'x');
  EXPECT_FALSE(s.LoadFromMemory(garbage.data(), garbage.size(), true));
  EXPECT_FALSE(s.LoadFromMemory(garbage.data(), garbage.size(), false));
  dir.write("empty.ogg", "");
  EXPECT_FALSE(s.Load(dir.file("empty.ogg").c_str()));
  s.Play();
  EXPECT_FALSE(s.IsPlaying());
  EXPECT_EQ(s.GetVoiceBuffer(0), nullptr);
  EXPECT_TRUE(boxes.empty());  // short sounds never show a message
  // A good load after the failures works, and a failed load undoes a good one.
  const std::string wave = WaveTone();
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false));
  EXPECT_FALSE(s.Load(dir.file("nothing.wav").c_str()));
  EXPECT_EQ(s.GetVoiceBuffer(0), nullptr);
}

TEST_F(KSoundShort, WaveFilesNeedAFormatAndADataChunk) {
  const Samples tone = Tone(441, 8000, 0.1, 22050, 2);
  KSound s;
  const std::string good = MakeWave(tone, 2, 22050);
  ASSERT_TRUE(s.LoadFromMemory(good.data(), good.size(), false));
  EXPECT_EQ(s.GetVoiceBuffer(0)->GetSize(), tone.size() * 2);
  EXPECT_EQ(s.GetFormat()->samplesPerSec, 22050u);
  EXPECT_EQ(s.GetFormat()->channels, 2);
  // Other chunks between them are stepped over by the scan.
  const std::string listChunk = std::string("LIST") + std::string("\x04\0\0\0", 4) + "INFO";
  const std::string withList = MakeWave(tone, 2, 22050, true, listChunk);
  ASSERT_TRUE(s.LoadFromMemory(withList.data(), withList.size(), false));
  EXPECT_EQ(s.GetVoiceBuffer(0)->GetSize(), tone.size() * 2);
  // No "data": the load fails.
  const std::string noData = MakeWave(tone, 2, 22050, false);
  EXPECT_FALSE(s.LoadFromMemory(noData.data(), noData.size(), false));
  EXPECT_EQ(s.GetVoiceBuffer(0), nullptr);
  // A file that ends before its declared length keeps what is there.
  const std::string cut = good.substr(0, good.size() - 1000);
  ASSERT_TRUE(s.LoadFromMemory(cut.data(), cut.size(), false));
  EXPECT_EQ(s.GetVoiceBuffer(0)->GetSize(), tone.size() * 2 - 1000);
  // 8-bit samples are not a format of this mixer.
  std::string eightBit = good;
  eightBit[34] = 8;
  EXPECT_FALSE(s.LoadFromMemory(eightBit.data(), eightBit.size(), false));
  // From a file, with a name without ".ogg".
  TempDir dir;
  dir.write("bell.wav", good);
  EXPECT_TRUE(s.Load(dir.file("bell.wav").c_str()));
}

TEST_F(KSoundShort, WaveScanFindsTheFirstTags) {
  WaveData w;
  const std::string file = MakeWave(Samples(10, 5), 1, 8000);
  ASSERT_TRUE(FindWaveData(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &w));
  EXPECT_EQ(w.offset, 44u);
  EXPECT_EQ(w.length, 20u);
  EXPECT_EQ(w.format.samplesPerSec, 8000u);
  EXPECT_FALSE(FindWaveData(reinterpret_cast<const uint8_t*>(file.data()), 40, &w));
  const std::string onlyData = "RIFFxxxxWAVEdata\x02\0\0\0ab";
  EXPECT_FALSE(FindWaveData(reinterpret_cast<const uint8_t*>(onlyData.data()), onlyData.size(), &w));
}

TEST_F(KSoundShort, ALostVoiceIsRestoredAndRefilledOnPlay) {
  const Samples tone = Tone(441, 12000, 0.2, kRate, 1);
  const std::string wave = MakeWave(tone, 1, kRate);
  KSound s;
  ASSERT_TRUE(s.LoadFromMemory(wave.data(), wave.size(), false, 100, false, 2));
  KSound::Device()->LoseAllBuffers();
  uint32_t status = 0;
  s.GetVoiceBuffer(1)->GetStatus(&status);
  EXPECT_EQ(status, platform::kAudioStatusBufferLost);
  s.Play();
  EXPECT_TRUE(s.IsPlaying());
  for (int v = 0; v < 2; ++v) {
    void *p1, *p2;
    uint32_t n1, n2;
    ASSERT_EQ(s.GetVoiceBuffer(v)->Lock(0, 0, &p1, &n1, &p2, &n2, platform::kAudioLockEntireBuffer),
              platform::kAudioOk);
    EXPECT_EQ(std::memcmp(p1, tone.data(), n1), 0) << "voice " << v;
    s.GetVoiceBuffer(v)->Unlock(p1, n1, p2, n2);
  }
  Samples out = ManualOutput::Pull(4400);
  EXPECT_NEAR(Rms(out, 0, 0, 4400), 12000 / std::sqrt(2.0) * Gain(-12), 5.0);
}

TEST_F(KSoundShort, ManyLoadsAndUnloadsLeaveNothingBehind) {
  const std::string wave = WaveTone(0.05);
  const std::string ogg = EncodeOgg(Music(0.3, 22050, 1), 1, 22050, 0.1f);
  for (int round = 0; round < 60; ++round) {
    auto s = std::make_unique<KSound>();
    ASSERT_TRUE(s->LoadFromMemory(wave.data(), wave.size(), false, 100, round % 3 == 0, round % 10));
    s->Play();
    ManualOutput::Pull(64);
    ASSERT_TRUE(s->LoadFromMemory(ogg.data(), ogg.size(), true));
    s->Play();
    ASSERT_TRUE(s->LoadStreamFromMemory(ogg.data(), ogg.size()));
    if (round % 2) s->PlayStream(round % 4 == 1);
    ManualOutput::Pull(64);
  }
  EXPECT_EQ(KSound::Device(), nullptr);  // the last object closed the device
}

// ---- Music objects that need no playing ---------------------------------------------------

TEST_F(KSoundShort, LoadStreamOpensTheDecoderAndARingBuffer) {
  const std::string ogg = EncodeOgg(Music(0.5, 32000, 1), 1, 32000);
  KSound m;
  ASSERT_TRUE(m.LoadStreamFromMemory(ogg.data(), ogg.size()));
  EXPECT_TRUE(m.IsMusic());
  EXPECT_TRUE(m.IsStreamOpen());
  EXPECT_FALSE(m.IsFinished());
  EXPECT_FALSE(m.IsPlaying());
  const platform::AudioFormat* f = m.GetFormat();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->formatTag, 1);
  EXPECT_EQ(f->channels, 1);
  EXPECT_EQ(f->samplesPerSec, 32000u);
  EXPECT_EQ(f->bitsPerSample, 16);
  EXPECT_EQ(f->blockAlign, 2);
  EXPECT_EQ(f->avgBytesPerSec, 64000u);
  EXPECT_EQ(m.GetVoiceBuffer(0)->GetSize(), 131072u);
  EXPECT_EQ(m.GetVoiceBuffer(0)->GetFlags(), 0x81E8u);
  EXPECT_EQ(m.GetVoiceBuffer(1), nullptr);
  EXPECT_EQ(VoicePan(m, 0), 0);
  // The music master scales music objects.
  KSound::SetMasterVolumes(50, 100);
  m.SetVolume(100);
  EXPECT_EQ(VoiceVolume(m, 0), KSound::VolumeTable(50));
  TempDir dir;
  dir.write("theme.ogg", ogg);
  EXPECT_TRUE(m.LoadStream(dir.file("theme.ogg").c_str()));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(KSoundShort, AnUndecodableStreamFailsWithTheMessage) {
  KTools::ForgetReportedFiles();
  KSound m;
  const std::string garbage = "OggS but not really an Ogg Vorbis stream at all";
  EXPECT_FALSE(m.LoadStreamFromMemory(garbage.data(), garbage.size()));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Damaged sound file|music in memory: not an Ogg Vorbis sound; the music stays silent");
  EXPECT_FALSE(m.IsStreamOpen());
  m.PlayStream(false);  // stays silent
  EXPECT_FALSE(m.IsPlaying());
  // A missing or empty file fails without a message.
  TempDir dir;
  EXPECT_FALSE(m.LoadStream(dir.file("halvornsound.ogg").c_str()));
  dir.write("empty.ogg", "");
  EXPECT_FALSE(m.LoadStream(dir.file("empty.ogg").c_str()));
  EXPECT_EQ(boxes.size(), 1u);
  // A damaged file is named, once however often it is loaded (the main menu loads its music
  // on every visit).
  dir.write("theme.ogg", garbage);
  for (int visit = 0; visit < 3; ++visit) EXPECT_FALSE(m.LoadStream(dir.file("theme.ogg").c_str()));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1], "Damaged sound file|" + dir.file("theme.ogg") + ": not an Ogg Vorbis sound; the music stays silent");
  // A file the start-up check already named brings no box.
  dir.write("other.ogg", garbage);
  KTools::NoteFileReported(dir.file("other.ogg").c_str());
  EXPECT_FALSE(m.LoadStream(dir.file("other.ogg").c_str()));
  EXPECT_EQ(boxes.size(), 2u);
  KTools::ForgetReportedFiles();
}

// ---- The in-memory reader ----------------------------------------------------------------

TEST(OggMemoryReader, CallbacksBehaveAsDesigned) {
  const uint8_t bytes[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  OggMemoryReader r;
  r.data = bytes;
  r.length = 10;
  uint8_t out[16] = {};
  EXPECT_EQ(OggMemoryRead(out, 1, 4, &r), 4u);
  EXPECT_EQ(out[3], 3);
  EXPECT_EQ(OggMemoryTell(&r), 4);
  EXPECT_EQ(OggMemoryRead(out, 4, 2, &r), 1u);  // 6 bytes left: one whole item of 4 counted
  EXPECT_EQ(OggMemoryTell(&r), 10);
  EXPECT_EQ(OggMemoryRead(out, 1, 4, &r), 0u);  // at the end: 0 and back to the start
  EXPECT_EQ(OggMemoryTell(&r), 0);
  EXPECT_EQ(OggMemorySeek(&r, 3, 0), 0);
  EXPECT_EQ(OggMemoryTell(&r), 3);
  EXPECT_EQ(OggMemorySeek(&r, 4, 1), 0);
  EXPECT_EQ(OggMemoryTell(&r), 7);
  EXPECT_EQ(OggMemorySeek(&r, 2, 2), 0);  // the length minus the offset
  EXPECT_EQ(OggMemoryTell(&r), 8);
  EXPECT_EQ(OggMemorySeek(&r, 50, 1), 0);  // never past the length
  EXPECT_EQ(OggMemoryTell(&r), 10);
  EXPECT_EQ(OggMemorySeek(&r, -50, 0), 0);
  EXPECT_EQ(OggMemoryTell(&r), 0);
  EXPECT_EQ(OggMemoryClose(&r), 0);
  EXPECT_EQ(OggMemoryTell(nullptr), -1);
}

// ---- No device at all ---------------------------------------------------------------------

TEST(KSoundWithoutDevice, EveryOperationReturnsAtOnce) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  boxes.clear();
  KTools::SetMessageBoxHandler(captureBox);
  {
    const std::string wave = WaveTone();
    const std::string ogg = EncodeOgg(Music(0.2, 22050, 1), 1, 22050);
    KSound s, m;
    EXPECT_EQ(KSound::Device(), nullptr);
    EXPECT_EQ(KSound::VolumeTable(50), -831);  // the tables are there all the same
    EXPECT_FALSE(s.LoadFromMemory(wave.data(), wave.size(), false));
    EXPECT_FALSE(m.LoadStreamFromMemory(ogg.data(), ogg.size()));
    EXPECT_FALSE(m.LoadStreamFromMemory("garbage", 7));
    s.Play();
    s.Stop();
    s.SetVolume(100);
    s.SetPan(-100);
    EXPECT_FALSE(s.IsPlaying());
    m.PlayStream(true);
    EXPECT_FALSE(m.IsPlaying());
    m.StopStream();
    KSound::SetMasterVolumes(90, 90);
    KSound::SetMasterVolumes(100, 100);
  }
  EXPECT_TRUE(boxes.empty());
  KTools::SetMessageBoxHandler(nullptr);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  KSound again;  // a later first object tries again
  EXPECT_NE(KSound::Device(), nullptr);
}

// ---- The game's table -----------------------------------------------------------------------

TEST(GameSoundTable, TableListsTheStartUpSoundsInOrder) {
  EXPECT_EQ(kGameSoundCount, 17);
  EXPECT_STREQ(kGameSoundFiles[kSoundClick], "data\\snd\\click.ogg");
  EXPECT_STREQ(kGameSoundFiles[kSoundOver], "data\\snd\\over.ogg");
  EXPECT_STREQ(kGameSoundFiles[kSoundCancel], "data\\snd\\canc.ogg");
  EXPECT_STREQ(kGameSoundFiles[kSoundCrowd], "data\\snd\\Crowd.ogg");
  EXPECT_STREQ(kGameSoundFiles[kSoundBell], "data\\snd\\bell.ogg");
  EXPECT_STREQ(kGameSoundFiles[kSoundTKO2], "data\\snd\\TKO2.ogg");
  EXPECT_STREQ(kGameSoundFiles[kSoundTutorialVoice], "data\\snd\\tutorial01.ogg");
  for (const char* f : kGameSoundFiles) ASSERT_NE(f, nullptr);
}

TEST(GameSoundTable, LoadGameSoundsLoadsWhatIsThereAndSkipsTheRest) {
  TempDir dir;
  const std::string ogg = EncodeOgg(Tone(700, 9000, 0.1, 44100, 1), 1, 44100, 0.1f);
  dir.write("data/snd/click.ogg", ogg);
  dir.write("data/snd/KO.ogg", ogg);
  dir.write("data/snd/tko2.OGG", ogg);  // another case on disk still matches "TKO2.ogg"
  KTools::OverrideExeFolder(dir.path().c_str());
  KSound* sounds[kGameSoundCount] = {};
  EXPECT_EQ(LoadGameSounds(sounds), 3);
  for (KSound* s : sounds) ASSERT_NE(s, nullptr);
  EXPECT_NE(sounds[kSoundClick]->GetVoiceBuffer(0), nullptr);
  EXPECT_NE(sounds[kSoundKO]->GetVoiceBuffer(0), nullptr);
  EXPECT_NE(sounds[kSoundTKO2]->GetVoiceBuffer(0), nullptr);
  EXPECT_EQ(sounds[kSoundBell]->GetVoiceBuffer(0), nullptr);
  sounds[kSoundBell]->Play();  // missing: silent
  sounds[kSoundClick]->Play();
  EXPECT_TRUE(sounds[kSoundClick]->IsPlaying());
  ReleaseGameSounds(sounds);
  for (KSound* s : sounds) EXPECT_EQ(s, nullptr);
  EXPECT_EQ(KSound::Device(), nullptr);
  KTools::OverrideExeFolder(nullptr);
}

}  // namespace
