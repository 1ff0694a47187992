// Inside the audio layer: the mixer state shared by the buffers (audio_mixer.cpp) and the SDL
// output (audio_sdl.cpp). Not for use outside engine/platform.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace platform {
namespace audio_internal {

class BufferImpl;

struct Mixer {
  std::mutex mutex;                  // guards everything below and every buffer's state
  std::vector<BufferImpl*> buffers;  // every live buffer, in creation order
  bool open = false;                 // a device exists
  bool manual = false;               // the open device is pulled by PullAudio, not SDL
  int rate = 44100;                  // output frames per second (stereo output)

  bool wantManual = false;  // SetManualAudioOutput, read by the next AudioDevice::Create
  int wantManualRate = 44100;

  // Mixes `frames` stereo frames of 16-bit samples into `out`; takes the mutex.
  void Mix(int16_t* out, int frames);
};

Mixer& mixer();

}  // namespace audio_internal
}  // namespace platform
