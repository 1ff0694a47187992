// The mixer core of the audio layer: events, buffers and the mixing of all playing buffers into
// one stereo stream. Knows nothing of SDL; audio_sdl.cpp feeds its output to the device.
#include "platform/audio.h"
#include "platform/audio_mixer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace platform {

AudioFormat MakePcmFormat(int channels, int rate) {
  AudioFormat f;
  f.formatTag = 1;
  f.channels = uint16_t(channels);
  f.samplesPerSec = uint32_t(rate);
  f.bitsPerSample = 16;
  f.blockAlign = uint16_t(channels * 2);
  f.avgBytesPerSec = uint32_t(channels * rate * 2);
  return f;
}

// ---- Events -------------------------------------------------------------------------------

void AudioEvent::Set() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = true;
  }
  cv_.notify_all();
}

void AudioEvent::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  set_ = false;
}

bool AudioEvent::Wait(unsigned timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!set_ && timeoutMs > 0)
    cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return set_; });
  if (!set_) return false;
  if (!manual_) set_ = false;
  return true;
}

// ---- Buffers ------------------------------------------------------------------------------

namespace audio_internal {

Mixer& mixer() {
  // Never destroyed: SDL's audio thread may still be mixing while the program's statics are
  // torn down at exit, and it must not find the buffer list freed under it.
  static Mixer* const instance = new Mixer;
  return *instance;
}

namespace {

// Linear gain of a level in hundredths of a decibel; -10000 and below is silence.
float gainOf(int32_t hundredthsDb) {
  if (hundredthsDb <= kAudioVolumeMin) return 0.0f;
  return float(std::pow(10.0, double(hundredthsDb) / 2000.0));
}

bool validFormat(const AudioFormat& f) {
  return f.formatTag == 1 && f.bitsPerSample == 16 && (f.channels == 1 || f.channels == 2) &&
         f.samplesPerSec >= kAudioFrequencyMin && f.samplesPerSec <= kAudioFrequencyMax &&
         f.blockAlign == f.channels * 2;
}

}  // namespace

class BufferImpl final : public AudioBuffer {
 public:
  BufferImpl(const AudioBufferDesc& desc, int16_t* data)
      : flags_(desc.flags), format_(desc.format), size_(desc.bytes),
        frames_(desc.bytes / desc.format.blockAlign), data_(data),
        frequency_(desc.format.samplesPerSec) {}

  ~BufferImpl() override {
    Mixer& m = mixer();
    std::lock_guard<std::mutex> lock(m.mutex);
    m.buffers.erase(std::remove(m.buffers.begin(), m.buffers.end(), this), m.buffers.end());
  }

  int32_t GetFormat(AudioFormat* format) const override {
    if (!format) return kAudioInvalidParam;
    *format = format_;
    return kAudioOk;
  }
  uint32_t GetSize() const override { return size_; }
  uint32_t GetFlags() const override { return flags_; }

  int32_t Lock(uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
               uint32_t* bytes2, uint32_t flags) override {
    if (!part1 || !bytes1) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    *part1 = nullptr;
    *bytes1 = 0;
    if (part2) *part2 = nullptr;
    if (bytes2) *bytes2 = 0;
    if (lost_) return kAudioBufferLost;
    if (flags & kAudioLockFromWriteCursor) offset = writeCursorLocked();
    if (flags & kAudioLockEntireBuffer) bytes = size_;
    if (bytes == 0 || bytes > size_ || offset >= size_) return kAudioInvalidParam;
    uint8_t* base = reinterpret_cast<uint8_t*>(data_.get());
    uint32_t first = std::min(bytes, size_ - offset);
    if (first < bytes && (!part2 || !bytes2)) return kAudioInvalidParam;
    *part1 = base + offset;
    *bytes1 = first;
    if (first < bytes) {
      *part2 = base;
      *bytes2 = bytes - first;
    }
    return kAudioOk;
  }

  int32_t Unlock(void* part1, uint32_t bytes1, void* part2, uint32_t bytes2) override {
    // Taking the mutex orders what the caller wrote before the mixer's next read.
    std::lock_guard<std::mutex> lock(mixer().mutex);
    if (!inside(part1, bytes1) || (part2 && !inside(part2, bytes2))) return kAudioInvalidParam;
    return kAudioOk;
  }

  int32_t Play(uint32_t flags) override {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    if (lost_) return kAudioBufferLost;
    playing_ = true;
    looping_ = (flags & kAudioPlayLooping) != 0;
    return kAudioOk;
  }

  int32_t Stop() override {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    stopLocked();
    return kAudioOk;
  }

  int32_t SetCurrentPosition(uint32_t offset) override {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    if (offset >= size_) return kAudioInvalidParam;
    position_ = uint64_t(offset / format_.blockAlign) << 32;
    return kAudioOk;
  }

  int32_t GetCurrentPosition(uint32_t* play, uint32_t* write) const override {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    if (play) *play = playCursorLocked();
    if (write) *write = writeCursorLocked();
    return kAudioOk;
  }

  int32_t SetVolume(int32_t v) override {
    if (!(flags_ & kAudioCapsCtrlVolume)) return kAudioControlUnavailable;
    if (v < kAudioVolumeMin || v > kAudioVolumeMax) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    volume_ = v;
    updateGainsLocked();
    return kAudioOk;
  }
  int32_t GetVolume(int32_t* v) const override {
    if (!(flags_ & kAudioCapsCtrlVolume)) return kAudioControlUnavailable;
    if (!v) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    *v = volume_;
    return kAudioOk;
  }

  int32_t SetPan(int32_t p) override {
    if (!(flags_ & kAudioCapsCtrlPan)) return kAudioControlUnavailable;
    if (p < kAudioPanLeft || p > kAudioPanRight) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    pan_ = p;
    updateGainsLocked();
    return kAudioOk;
  }
  int32_t GetPan(int32_t* p) const override {
    if (!(flags_ & kAudioCapsCtrlPan)) return kAudioControlUnavailable;
    if (!p) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    *p = pan_;
    return kAudioOk;
  }

  int32_t SetFrequency(uint32_t hz) override {
    if (!(flags_ & kAudioCapsCtrlFrequency)) return kAudioControlUnavailable;
    if (hz == kAudioFrequencyOriginal) hz = format_.samplesPerSec;
    if (hz < kAudioFrequencyMin || hz > kAudioFrequencyMax) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    frequency_ = hz;
    return kAudioOk;
  }
  int32_t GetFrequency(uint32_t* hz) const override {
    if (!(flags_ & kAudioCapsCtrlFrequency)) return kAudioControlUnavailable;
    if (!hz) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    *hz = frequency_;
    return kAudioOk;
  }

  int32_t GetStatus(uint32_t* status) const override {
    if (!status) return kAudioInvalidParam;
    std::lock_guard<std::mutex> lock(mixer().mutex);
    uint32_t s = 0;
    if (lost_) s |= kAudioStatusBufferLost;
    if (playing_) {
      s |= kAudioStatusPlaying;
      if (looping_) s |= kAudioStatusLooping;
      if (flags_ & kAudioCapsLocDefer) s |= kAudioStatusLocSoftware;
    }
    *status = s;
    return kAudioOk;
  }

  int32_t Restore() override {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    if (lost_) {
      // The memory of a lost buffer is undefined; here it comes back silent.
      std::memset(data_.get(), 0, size_);
      lost_ = false;
    }
    return kAudioOk;
  }

  int32_t SetNotificationPositions(uint32_t count, const AudioNotify* positions) override {
    if (!(flags_ & kAudioCapsCtrlPositionNotify)) return kAudioControlUnavailable;
    if (count > 0 && !positions) return kAudioInvalidParam;
    for (uint32_t i = 0; i < count; ++i) {
      if (!positions[i].event) return kAudioInvalidParam;
      if (positions[i].offset != kAudioNotifyOffsetStop && positions[i].offset >= size_)
        return kAudioInvalidParam;
    }
    std::lock_guard<std::mutex> lock(mixer().mutex);
    if (playing_) return kAudioInvalidCall;
    notifies_.assign(positions, positions + count);
    return kAudioOk;
  }

  // ---- Called by the mixer with its mutex held ----

  bool audible() const { return playing_ && !lost_; }

  void lose() {
    lost_ = true;
    stopLocked();
  }

  // Adds this buffer's next `frames` output frames (at `rate`) to the interleaved stereo sum.
  void mixInto(float* sum, int frames, int rate) {
    if (frames_ == 0) {
      stopLocked();
      return;
    }
    const uint64_t step = (uint64_t(frequency_) << 32) / uint64_t(rate);
    const uint64_t end = uint64_t(frames_) << 32;
    const int16_t* d = data_.get();
    const bool stereo = format_.channels == 2;
    const float gl = gainLeft_, gr = gainRight_;
    uint32_t fromByte = playCursorLocked();
    uint64_t pos = position_;

    for (int n = 0; n < frames; ++n) {
      const uint32_t i = uint32_t(pos >> 32);
      const uint32_t frac = uint32_t(pos);
      float l, r;
      if (stereo) {
        l = d[2 * i];
        r = d[2 * i + 1];
      } else {
        l = r = d[i];
      }
      if (frac != 0) {
        // Linear interpolation towards the next frame (the first one again for a looping
        // buffer, the last one held at the end of a one-shot play).
        uint32_t j = i + 1;
        if (j >= frames_) j = looping_ ? 0 : i;
        const float f = float(frac) * (1.0f / 4294967296.0f);
        if (stereo) {
          l += (float(d[2 * j]) - l) * f;
          r += (float(d[2 * j + 1]) - r) * f;
        } else {
          l += (float(d[j]) - l) * f;
          r = l;
        }
      }
      sum[2 * n] += l * gl;
      sum[2 * n + 1] += r * gr;

      pos += step;
      if (pos >= end) {
        if (!looping_) {
          notifyRange(fromByte, size_);
          position_ = 0;
          stopLocked();
          return;
        }
        while (pos >= end) {
          notifyRange(fromByte, size_);
          fromByte = 0;
          pos -= end;
        }
      }
    }
    position_ = pos;
    notifyRange(fromByte, playCursorLocked());
  }

 private:
  uint32_t playCursorLocked() const { return uint32_t(position_ >> 32) * format_.blockAlign; }
  uint32_t writeCursorLocked() const {
    // The mixer may still read one frame beyond the play cursor (interpolation).
    return frames_ ? ((uint32_t(position_ >> 32) + 2) % frames_) * format_.blockAlign : 0;
  }

  bool inside(const void* p, uint32_t bytes) const {
    const uint8_t* base = reinterpret_cast<const uint8_t*>(data_.get());
    const uint8_t* q = static_cast<const uint8_t*>(p);
    return q >= base && q <= base + size_ && bytes <= size_t(base + size_ - q);
  }

  void updateGainsLocked() {
    const float v = gainOf(volume_);
    gainLeft_ = v * (pan_ > 0 ? gainOf(-pan_) : 1.0f);
    gainRight_ = v * (pan_ < 0 ? gainOf(pan_) : 1.0f);
  }

  // Sets the events of the positions in [from, to).
  void notifyRange(uint32_t from, uint32_t to) {
    for (const AudioNotify& n : notifies_)
      if (n.offset != kAudioNotifyOffsetStop && n.offset >= from && n.offset < to) n.event->Set();
  }

  void stopLocked() {
    if (!playing_) return;
    playing_ = false;
    for (const AudioNotify& n : notifies_)
      if (n.offset == kAudioNotifyOffsetStop) n.event->Set();
  }

  const uint32_t flags_;
  const AudioFormat format_;
  const uint32_t size_;
  const uint32_t frames_;
  const std::unique_ptr<int16_t[]> data_;

  bool playing_ = false;
  bool looping_ = false;
  bool lost_ = false;
  uint64_t position_ = 0;  // in frames, 32.32 fixed point
  uint32_t frequency_;
  int32_t volume_ = kAudioVolumeMax;
  int32_t pan_ = 0;
  float gainLeft_ = 1.0f;
  float gainRight_ = 1.0f;
  std::vector<AudioNotify> notifies_;
};

void Mixer::Mix(int16_t* out, int frames) {
  constexpr int kChunk = 1024;
  float sum[2 * kChunk];
  std::lock_guard<std::mutex> lock(mutex);
  while (frames > 0) {
    const int n = std::min(frames, kChunk);
    std::fill(sum, sum + 2 * n, 0.0f);
    for (BufferImpl* b : buffers)
      if (b->audible()) b->mixInto(sum, n, rate);
    for (int k = 0; k < 2 * n; ++k) {
      const long v = std::lrint(sum[k]);
      out[k] = int16_t(std::clamp(v, -32768L, 32767L));
    }
    out += 2 * n;
    frames -= n;
  }
}

}  // namespace audio_internal

using audio_internal::BufferImpl;
using audio_internal::mixer;

int32_t AudioDevice::CreateBuffer(const AudioBufferDesc& desc, AudioBuffer** buffer) {
  if (!buffer) return kAudioInvalidParam;
  *buffer = nullptr;
  if (!audio_internal::validFormat(desc.format)) return kAudioBadFormat;
  if (desc.bytes < kAudioBufferMinBytes || desc.bytes > kAudioBufferMaxBytes)
    return kAudioInvalidParam;
  // Whole 16-bit samples, zeroed: a new buffer is silent.
  int16_t* data = new (std::nothrow) int16_t[(desc.bytes + 1) / 2]();
  if (!data) return kAudioOutOfMemory;
  BufferImpl* b = new BufferImpl(desc, data);
  {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    mixer().buffers.push_back(b);
  }
  *buffer = b;
  return kAudioOk;
}

AudioFormat AudioDevice::OutputFormat() const {
  std::lock_guard<std::mutex> lock(mixer().mutex);
  return MakePcmFormat(2, mixer().rate);
}

void AudioDevice::LoseAllBuffers() {
  std::lock_guard<std::mutex> lock(mixer().mutex);
  for (BufferImpl* b : mixer().buffers) b->lose();
}

void SetManualAudioOutput(bool manual, int rate) {
  std::lock_guard<std::mutex> lock(mixer().mutex);
  mixer().wantManual = manual;
  mixer().wantManualRate = std::clamp(rate, 8000, 192000);
}

bool PullAudio(int16_t* out, int frames) {
  if (!out || frames <= 0) return false;
  bool ok;
  {
    std::lock_guard<std::mutex> lock(mixer().mutex);
    ok = mixer().open && mixer().manual;
  }
  if (!ok) {
    std::memset(out, 0, size_t(frames) * 2 * sizeof(int16_t));
    return false;
  }
  mixer().Mix(out, frames);
  return true;
}

void RaiseCurrentThreadPriority() {
#if defined(_WIN32)
  // Above the game's thread, as the streaming threads of a sound card's driver run.
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
#else
  // A lower nice value for this thread alone; refused without the privilege, which is harmless.
  const long tid = syscall(SYS_gettid);
  errno = 0;
  const int now = getpriority(PRIO_PROCESS, id_t(tid));
  if (errno == 0) setpriority(PRIO_PROCESS, id_t(tid), std::max(now - 5, -20));
#endif
}

}  // namespace platform
