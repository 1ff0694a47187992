// Fuzzes the RIFF WAVE reader and what a short sound does with it: whatever a .wav file holds,
// the samples found lie inside the file, and a sound loaded from it (into one to three voices,
// by the input's length) plays and mixes into a pulled output without reaching outside its
// buffers, or is refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/audio.h"
#include "sound/KSound.h"
#include "sound/WaveFile.h"
#include "tools/KTools.h"

namespace {
KSound* sound = nullptr;  // keeps the device open from one input to the next
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KTools::SetMessageBoxHandler([](const char*, const char*) {});
  platform::SetManualAudioOutput(true, 22050);
  sound = new KSound;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WaveData wave;
  if (FindWaveData(data, size, &wave)) {
    if (wave.offset > size || wave.length > size - wave.offset) std::abort();
  }
  const long voices = long(size % 3) + 1;
  if (sound->LoadFromMemory(data, size, false, 80, size % 2 == 0, voices)) {
    if (!FindWaveData(data, size, &wave) || wave.length == 0) std::abort();  // loaded what the reader refused
    sound->Play();
    sound->Play();  // a second voice, or the same one rewound
    int16_t mix[2 * 300];
    platform::PullAudio(mix, 300);
    sound->Stop();
  }
  return 0;
}
