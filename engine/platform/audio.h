// The audio mixer layer: our stand-in for DirectSound, the only code that talks to SDL audio.
//
// It offers what the engine's sound facility uses of DirectSound: one device object,
// secondary buffers in a PCM format (16-bit, mono or stereo, any rate, resampled to the output),
// play and stop with or without looping, the play cursor, per-buffer volume and pan in
// hundredths of a decibel, playback frequency, position notifications that signal events, status
// bits, and lost-buffer reporting with Restore. Results are DirectSound-style codes (0 = success).
//
// Mixing runs in SDL's audio callback. Every buffer operation is safe to call from any thread:
// one mutex guards the mixer state, and the callback holds it while it mixes. Lock hands out
// pointers into the buffer's memory; the caller writes there without the mutex, exactly as with
// DirectSound, and must keep away from the part the play cursor is in.
//
// Headless: SDL_AUDIODRIVER=dummy plays into nothing, SDL_AUDIODRIVER=disk writes the mix to the
// file named by SDL_DISKAUDIOFILE. With no usable output at all, AudioDevice::Create fails and the
// caller runs silent. Tests and tools may instead open a device that no SDL output drives and pull
// the mix themselves (SetManualOutput, Pull).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

// Result codes, with DirectSound's values.
enum AudioResult : int32_t {
  kAudioOk = 0,
  kAudioAllocated = int32_t(0x8878000A),      // the device is already open
  kAudioControlUnavailable = int32_t(0x8878001E),
  kAudioInvalidCall = int32_t(0x88780032),
  kAudioBadFormat = int32_t(0x88780064),
  kAudioNoDriver = int32_t(0x88780078),       // no output could be opened
  kAudioBufferLost = int32_t(0x88780096),
  kAudioInvalidParam = int32_t(0x80070057),
  kAudioOutOfMemory = int32_t(0x8007000E),
};

// Buffer capability flags. The design names GETCURRENTPOSITION2 among the flags whose sum is
// 0x80E8; this layer gives it the bit 0x8000 so that the design's numbers hold as written.
enum : uint32_t {
  kAudioCapsLocHardware = 0x4,
  kAudioCapsLocSoftware = 0x8,
  kAudioCapsCtrlFrequency = 0x20,
  kAudioCapsCtrlPan = 0x40,
  kAudioCapsCtrlVolume = 0x80,
  kAudioCapsCtrlPositionNotify = 0x100,
  kAudioCapsGetCurrentPosition2 = 0x8000,
  kAudioCapsLocDefer = 0x40000,
};

// Status bits. The location bits are reported only for buffers created with kAudioCapsLocDefer
// (as DirectSound does), which the engine never asks for.
enum : uint32_t {
  kAudioStatusPlaying = 0x1,
  kAudioStatusBufferLost = 0x2,
  kAudioStatusLooping = 0x4,
  kAudioStatusLocHardware = 0x8,
  kAudioStatusLocSoftware = 0x10,
};

enum : uint32_t { kAudioPlayLooping = 0x1 };
enum : uint32_t { kAudioLockFromWriteCursor = 0x1, kAudioLockEntireBuffer = 0x2 };
// A notification at this offset fires when the buffer stops (Stop, or the end of a one-shot play).
constexpr uint32_t kAudioNotifyOffsetStop = 0xFFFFFFFFu;

constexpr int32_t kAudioVolumeMin = -10000;  // silence
constexpr int32_t kAudioVolumeMax = 0;
constexpr int32_t kAudioPanLeft = -10000;
constexpr int32_t kAudioPanRight = 10000;
constexpr uint32_t kAudioFrequencyOriginal = 0;
constexpr uint32_t kAudioFrequencyMin = 100;
constexpr uint32_t kAudioFrequencyMax = 200000;
constexpr uint32_t kAudioBufferMinBytes = 4;
constexpr uint32_t kAudioBufferMaxBytes = 0x0FFFFFFF;

// The PCM format record (WAVEFORMATEX without the extra size). Only tag 1 (PCM), 16 bits, one or
// two channels are accepted.
struct AudioFormat {
  uint16_t formatTag = 1;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};
// A 16-bit PCM format for the given channels and rate, with the derived fields filled.
AudioFormat MakePcmFormat(int channels, int rate);

// An event object (the stand-in for a Win32 event): automatic reset by default.
class AudioEvent {
 public:
  explicit AudioEvent(bool manualReset = false, bool initiallySet = false)
      : manual_(manualReset), set_(initiallySet) {}
  AudioEvent(const AudioEvent&) = delete;
  AudioEvent& operator=(const AudioEvent&) = delete;

  void Set();
  void Reset();
  // Waits up to timeoutMs for the event; true when it was set (an automatic event is then
  // cleared again). A timeout of 0 only tests it.
  bool Wait(unsigned timeoutMs);

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool manual_;
  bool set_;
};

// One position notification: the event is set when the play cursor reaches the byte offset.
struct AudioNotify {
  uint32_t offset = 0;
  AudioEvent* event = nullptr;
};

// A secondary buffer. Created by AudioDevice::CreateBuffer, destroyed with delete (Release).
class AudioBuffer {
 public:
  virtual ~AudioBuffer() = default;

  virtual int32_t GetFormat(AudioFormat* format) const = 0;
  virtual uint32_t GetSize() const = 0;
  virtual uint32_t GetFlags() const = 0;

  // Locks `bytes` bytes from `offset` (wrapping round the end into a second part); flags
  // kAudioLockFromWriteCursor and kAudioLockEntireBuffer as in DirectSound.
  virtual int32_t Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                       void** part2, uint32_t* bytes2, uint32_t flags) = 0;
  virtual int32_t Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) = 0;

  virtual int32_t Play(uint32_t flags) = 0;  // kAudioPlayLooping
  virtual int32_t Stop() = 0;
  virtual int32_t SetCurrentPosition(uint32_t offset) = 0;
  virtual int32_t GetCurrentPosition(uint32_t* play, uint32_t* write) const = 0;

  virtual int32_t SetVolume(int32_t hundredthsDb) = 0;  // -10000..0
  virtual int32_t GetVolume(int32_t* hundredthsDb) const = 0;
  virtual int32_t SetPan(int32_t hundredthsDb) = 0;  // -10000 (left) .. 10000 (right)
  virtual int32_t GetPan(int32_t* hundredthsDb) const = 0;
  virtual int32_t SetFrequency(uint32_t hz) = 0;  // kAudioFrequencyOriginal restores the format's
  virtual int32_t GetFrequency(uint32_t* hz) const = 0;

  virtual int32_t GetStatus(uint32_t* status) const = 0;
  virtual int32_t Restore() = 0;

  // Replaces the notification positions (DirectSound's notify interface); only for buffers with
  // kAudioCapsCtrlPositionNotify, only while stopped. A count of 0 removes them all. The events
  // must outlive the positions.
  virtual int32_t SetNotificationPositions(uint32_t count, const AudioNotify* positions) = 0;
};

struct AudioBufferDesc {
  uint32_t flags = 0;
  uint32_t bytes = 0;
  AudioFormat format;
};

// The output device: at most one at a time in the process.
class AudioDevice {
 public:
  // Opens the default output (or the manual output, see SetManualOutput).
  static int32_t Create(AudioDevice** device);
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  int32_t CreateBuffer(const AudioBufferDesc& desc, AudioBuffer** buffer);
  // DirectSound's cooperative level and speaker configuration: accepted, nothing to change here.
  int32_t SetCooperativeLevel(int level) { (void)level; return kAudioOk; }
  int32_t SetSpeakerConfig(uint32_t config) { (void)config; return kAudioOk; }

  // The format of the mixed output (16-bit, stereo, the device's rate).
  AudioFormat OutputFormat() const;
  // Marks every buffer lost and stopped, as when another program takes the sound card; the path
  // exists for completeness and tests, this platform never loses buffers by itself.
  void LoseAllBuffers();

 private:
  AudioDevice() = default;
  uint32_t sdlDevice_ = 0;
};

// The next AudioDevice::Create opens a mixer that no SDL output drives, with the given output
// rate (stereo); the mix is pulled with PullAudio. `manual` false returns to SDL output.
void SetManualAudioOutput(bool manual, int rate = 44100);
// Mixes `frames` stereo frames of 16-bit samples into `out` from the open manual device; false
// (and silence) when no manual device is open.
bool PullAudio(int16_t* out, int frames);

// Raises the calling thread's scheduling priority a little when the system allows it.
void RaiseCurrentThreadPriority();

}  // namespace platform
