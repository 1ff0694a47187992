// The SDL side of the audio layer: opening and closing the output device and feeding SDL's
// audio callback from the mixer.
#include <SDL.h>

#include "platform/audio.h"
#include "platform/audio_mixer.h"

namespace platform {

using audio_internal::mixer;

namespace {

constexpr int kRequestedRate = 44100;
constexpr int kCallbackFrames = 1024;  // about 23 ms at 44.1 kHz

void SDLCALL mixCallback(void*, Uint8* stream, int len) {
  mixer().Mix(reinterpret_cast<int16_t*>(stream), len / int(2 * sizeof(int16_t)));
}

}  // namespace

int32_t AudioDevice::Create(AudioDevice** device) {
  if (!device) return kAudioInvalidParam;
  *device = nullptr;
  bool manual;
  int manualRate;
  {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    if (mixer().open) return kAudioAllocated;
    manual = mixer().wantManual;
    manualRate = mixer().wantManualRate;
  }

  uint32_t sdlDevice = 0;
  int rate = manualRate;
  if (!manual) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return kAudioNoDriver;
    SDL_AudioSpec want{};
    SDL_AudioSpec have{};
    want.freq = kRequestedRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = kCallbackFrames;
    want.callback = mixCallback;
    // The device's own rate is welcome (the mixer resamples every buffer anyway); SDL converts
    // sample format and channel count if the device differs.
    sdlDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (sdlDevice == 0) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return kAudioNoDriver;
    }
    rate = have.freq;
  }

  {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    mixer().open = true;
    mixer().manual = manual;
    mixer().rate = rate;
  }
  AudioDevice* d = new AudioDevice();
  d->sdlDevice_ = sdlDevice;
  if (sdlDevice) SDL_PauseAudioDevice(sdlDevice, 0);
  *device = d;
  return kAudioOk;
}

AudioDevice::~AudioDevice() {
  if (sdlDevice_) {
    // Waits for a running callback to finish; the mixer's mutex must not be held here.
    SDL_CloseAudioDevice(sdlDevice_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  std::lock_guard<std::mutex> lock(mixer().mutex);
  mixer().open = false;
  mixer().manual = false;
}

}  // namespace platform
