// brawnmoor-sound-bench: the CPU cost of the sound facility per second of audio. Each iteration
// mixes one second (44,100 frames, pulled in 1,024-frame blocks like SDL's callback) from the
// mixer; the process CPU time counts the streaming thread's decoding too. Target: under 20 ms of
// CPU per second of sound for 16 voices and one stream.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/audio.h"
#include "sound/KSound.h"
#include "sound/OggMemory.h"
#include "sound_support.h"

using namespace soundtest;

namespace {

constexpr int kRate = 44100;
constexpr int kBlock = 1024;

struct Scene {
  std::vector<std::unique_ptr<KSound>> sounds;
  std::unique_ptr<KSound> music;
  std::string musicFile;

  // 16 looping voices: four sounds of four voices, at the output rate and at half of it (so
  // both the plain and the resampling paths run), mono and stereo.
  explicit Scene(bool withStream) {
    const std::string files[4] = {
        MakeWave(Tone(330, 4000, 0.7, kRate, 1), 1, kRate),
        MakeWave(Tone(440, 4000, 0.5, kRate, 2), 2, kRate),
        MakeWave(Tone(550, 4000, 0.9, 22050, 1), 1, 22050),
        MakeWave(Tone(660, 4000, 0.3, 22050, 2), 2, 22050),
    };
    for (const std::string& f : files) {
      auto s = std::make_unique<KSound>();
      s->LoadFromMemory(f.data(), f.size(), false, 100, true, 4);
      for (int v = 0; v < 4; ++v) s->Play();
      sounds.push_back(std::move(s));
    }
    if (withStream) {
      musicFile = EncodeOgg(Music(4.0, kRate, 2), 2, kRate);
      music = std::make_unique<KSound>();
      music->LoadStreamFromMemory(musicFile.data(), musicFile.size());
      music->PlayStream(true);
    }
  }
};

// One second of audio, paced so that the streaming thread refills its halves in time (the
// pauses cost no CPU time).
void MixOneSecond(int16_t* block, bool pace) {
  for (int done = 0; done < kRate; done += kBlock) {
    platform::PullAudio(block, std::min(kBlock, kRate - done));
    if (pace) std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
}

void BM_Mix16Voices(benchmark::State& state) {
  platform::SetManualAudioOutput(true, kRate);
  {
    Scene scene(false);
    std::vector<int16_t> block(2 * kBlock);
    for (auto _ : state) {
      MixOneSecond(block.data(), false);
      benchmark::DoNotOptimize(block.data());
    }
    state.counters["voices"] = 16;
  }
  platform::SetManualAudioOutput(false);
}
BENCHMARK(BM_Mix16Voices)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_Mix16VoicesAndAStream(benchmark::State& state) {
  platform::SetManualAudioOutput(true, kRate);
  {
    Scene scene(true);
    std::vector<int16_t> block(2 * kBlock);
    for (auto _ : state) {
      MixOneSecond(block.data(), true);
      benchmark::DoNotOptimize(block.data());
    }
    state.counters["playing"] = scene.music->IsPlaying();
  }
  platform::SetManualAudioOutput(false);
}
BENCHMARK(BM_Mix16VoicesAndAStream)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The streaming thread's share alone: decoding one second of 44.1 kHz stereo music.
void BM_DecodeOneSecondOfMusic(benchmark::State& state) {
  const std::string file = EncodeOgg(Music(4.0, kRate, 2), 2, kRate);
  OggDecoder decoder;
  decoder.Open(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  std::vector<char> half(65536);
  for (auto _ : state) {
    int bytes = 0;
    while (bytes < kRate * 4) {
      long n = decoder.Read(half.data(), int(half.size()));
      if (n <= 0) {
        decoder.SeekToStart();
        continue;
      }
      bytes += int(n);
    }
    benchmark::DoNotOptimize(half.data());
  }
}
BENCHMARK(BM_DecodeOneSecondOfMusic)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
