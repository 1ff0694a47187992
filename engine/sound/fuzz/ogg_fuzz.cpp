// Fuzzes the sound's own code around the Ogg Vorbis library: the reading and seeking over a file
// held in memory, the decoding of a short sound to the end (or to its first error), the format
// made of the file's channels and rate, and the voice filled from it. Whatever an .ogg file
// holds, a short sound loaded from it plays and mixes into a pulled output without reaching
// outside its buffers, or is refused. (The library checks every page's checksum, so most changed
// files end at the first page: the seeds are the game's shortest sounds.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/audio.h"
#include "sound/KSound.h"
#include "sound/OggMemory.h"
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
  std::vector<uint8_t> pcm;
  platform::AudioFormat format;
  if (DecodeOggVorbis(data, size, &pcm, &format)) {
    if (pcm.empty() || format.channels == 0 || format.blockAlign != format.channels * 2) std::abort();
  }
  if (sound->LoadFromMemory(data, size, true)) {
    sound->Play();
    int16_t mix[2 * 300];
    platform::PullAudio(mix, 300);
    sound->Stop();
  }
  return 0;
}
