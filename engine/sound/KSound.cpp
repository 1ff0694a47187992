#include "sound/KSound.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "sound/OggMemory.h"
#include "sound/WaveFile.h"
#include "tools/KFileReader.h"
#include "tools/KTools.h"

namespace {

// Process-wide state. The device pointer, the object count and the
// tables change only while no object (and so no streaming thread) exists, on the game's thread.
platform::AudioDevice* device = nullptr;
int liveObjects = 0;
std::atomic<int> soundMaster{100};
std::atomic<int> musicMaster{100};
// The player's own levels (the options), which scale the masters the game sets.
std::atomic<int> playerSoundLevel{100};
std::atomic<int> playerMusicLevel{100};
int32_t volumeTable[101];
int32_t panTable[201];
// The counter formatted into the event names: it is never advanced, as in the design.
int eventCounter = 0;

void fillTables() {
  volumeTable[0] = -10000;
  for (int v = 1; v <= 99; ++v) {
    const int32_t value = int32_t(std::trunc(-100.0 * std::log(v / 100.0) / std::log(0.92)));
    volumeTable[v] = std::max(value, int32_t(-10000));
  }
  volumeTable[100] = 0;  // never used: SetVolume clamps the level to 99
  panTable[0] = -10000;
  for (int i = 1; i <= 99; ++i) {
    panTable[i] = int32_t(std::trunc(-100.0 * std::log(i / 100.0) / std::log(0.954999)));
    panTable[200 - i] = -panTable[i];
  }
  panTable[100] = 0;
  panTable[200] = 10000;
}

// The tables are pure functions of their index: filled before main as well, so that they can be
// read before the first object exists.
const bool tablesFilled = (fillTables(), true);

bool openDevice() {
  fillTables();
  platform::AudioDevice* d = nullptr;
  if (platform::AudioDevice::Create(&d) != platform::kAudioOk) return false;
  d->SetCooperativeLevel(2 /* priority */);
  d->SetSpeakerConfig(4 /* stereo */);
  device = d;
  return true;
}

// Reads a whole file; Windows separators are accepted, the name is matched without regard to
// case where the exact one does not exist (KFileReader).
bool readWholeFile(const char* path, std::vector<uint8_t>* out) {
  out->clear();
  if (!path || !path[0]) return false;
  std::string name(path);
  KTools::ConvertSlashes(name.data());
  return KFileReader::ReadWholeFile(name.c_str(), *out) && !out->empty();
}

bool isOggName(const char* path) {
  std::string lower(path ? path : "");
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  return lower.find(".ogg") != std::string::npos;
}

}  // namespace

// ---- Life ---------------------------------------------------------------------------------

KSound::KSound() {
  if (liveObjects++ == 0) openDevice();
}

KSound::~KSound() {
  StopStream();
  ReleaseBuffers();
  oggFile.reset();
  fileData.clear();
  pcm.clear();
  if (--liveObjects == 0 && device) {
    delete device;
    device = nullptr;
  }
}

platform::AudioDevice* KSound::Device() { return device; }

int32_t KSound::VolumeTable(int index) {
  return index >= 0 && index <= 100 ? volumeTable[index] : 0;
}

int32_t KSound::PanTable(int index) { return index >= 0 && index <= 200 ? panTable[index] : 0; }

void KSound::SetMasterVolumes(long music, long sound) {
  if (music >= 0) musicMaster = int(std::min(music, 100L));
  if (sound >= 0) soundMaster = int(std::min(sound, 100L));
}

int KSound::GetMusicMasterVolume() { return musicMaster; }

void KSound::SetPlayerVolumes(long music, long sound) {
  if (music >= 0) playerMusicLevel = int(std::min(music, 100L));
  if (sound >= 0) playerSoundLevel = int(std::min(sound, 100L));
}
int KSound::GetMusicPlayerVolume() { return playerMusicLevel; }
int KSound::GetSoundPlayerVolume() { return playerSoundLevel; }
int KSound::GetSoundMasterVolume() { return soundMaster; }

// ---- Buffers ------------------------------------------------------------------------------

platform::AudioBuffer* KSound::CreateVoiceBuffer(int index, uint32_t size, bool forStream) {
  delete buffers[index];
  buffers[index] = nullptr;
  if (!device || !format) return nullptr;
  platform::AudioBufferDesc desc;
  desc.flags = forStream ? kStreamFlags : kVoiceFlags;
  desc.bytes = size;
  desc.format = *format;
  platform::AudioBuffer* b = nullptr;
  if (device->CreateBuffer(desc, &b) != platform::kAudioOk) return nullptr;
  // Rewind and fill with silence.
  b->SetCurrentPosition(0);
  void* p1 = nullptr;
  void* p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  if (b->Lock(0, size, &p1, &n1, &p2, &n2, 0) == platform::kAudioOk) {
    std::memset(p1, 0, n1);
    if (p2) std::memset(p2, 0, n2);
    b->Unlock(p1, n1, p2, n2);
  }
  buffers[index] = b;
  return b;
}

void KSound::ReleaseBuffers() {
  for (platform::AudioBuffer*& b : buffers) {
    delete b;
    b = nullptr;
  }
}

// A lost short sound: restore every voice and copy the kept samples in again.
void KSound::RestoreVoices() {
  for (platform::AudioBuffer* b : buffers) {
    if (!b) continue;
    b->Restore();
    if (isMusic || pcm.empty()) continue;
    void* p1 = nullptr;
    void* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    const uint32_t n = std::min<uint32_t>(uint32_t(pcm.size()), b->GetSize());
    if (b->Lock(0, n, &p1, &n1, &p2, &n2, 0) == platform::kAudioOk) {
      std::memcpy(p1, pcm.data(), n1);
      b->Unlock(p1, n1, p2, n2);
    }
  }
}

// ---- Short sounds -------------------------------------------------------------------------

void KSound::ResetForLoad(bool music) {
  isMusic = music ? 1 : 0;
  currentVoice = 0;
  StopStream();
  oggFile.reset();
  streamOpen = false;
  fileData.clear();
  fileData.shrink_to_fit();
  pcm.clear();
  pcm.shrink_to_fit();
  format = nullptr;
  ReleaseBuffers();
}

bool KSound::Load(const char* path, long newVolume, bool newLoop, long newVoiceCount) {
  if (!device) return false;
  std::vector<uint8_t> file;
  readWholeFile(path, &file);
  return LoadFromMemory(file.data(), file.size(), isOggName(path), newVolume, newLoop,
                        newVoiceCount);
}

bool KSound::LoadFromMemory(const void* data, size_t length, bool isOgg, long newVolume,
                            bool newLoop, long newVoiceCount) {
  if (!device) return false;
  ResetForLoad(false);
  loop = newLoop;
  volume = int32_t(std::clamp(newVolume, 0L, 100L));
  voiceCount = int16_t(std::clamp(newVoiceCount, 1L, long(kMaxVoices)));
  streamReady = 1;
  if (!LoadShortSound(static_cast<const uint8_t*>(data), length, isOgg)) {
    ReleaseBuffers();
    pcm.clear();
    format = nullptr;
    return false;
  }
  SetPan(0);
  return true;
}

bool KSound::LoadShortSound(const uint8_t* file, size_t length, bool isOgg) {
  if (!file || length == 0) return false;
  if (isOgg) {
    if (!DecodeOggVorbis(file, length, &pcm, &pcmFormat)) return false;
  } else {
    WaveData wave;
    if (!FindWaveData(file, length, &wave) || wave.length == 0) return false;
    pcmFormat = wave.format;
    pcm.assign(file + wave.offset, file + wave.offset + wave.length);
  }
  if (pcm.size() > platform::kAudioBufferMaxBytes) return false;
  format = &pcmFormat;
  for (int i = 0; i < voiceCount; ++i) {
    platform::AudioBuffer* b = CreateVoiceBuffer(i, uint32_t(pcm.size()), false);
    if (!b) return false;
    void* p1 = nullptr;
    void* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    if (b->Lock(0, uint32_t(pcm.size()), &p1, &n1, &p2, &n2, 0) != platform::kAudioOk)
      return false;
    std::memcpy(p1, pcm.data(), n1);
    b->Unlock(p1, n1, p2, n2);
  }
  return true;
}

void KSound::Play() {
  if (!device || !buffers[0]) return;
  currentVoice = (currentVoice + 1) % voiceCount;
  platform::AudioBuffer* b = buffers[currentVoice];
  if (!b) return;
  b->SetCurrentPosition(0);
  SetVolume(volume);
  const uint32_t flags = loop ? uint32_t(platform::kAudioPlayLooping) : 0u;
  if (b->Play(flags) == platform::kAudioBufferLost) {
    RestoreVoices();
    b->SetCurrentPosition(0);
    b->Play(flags);
  }
}

void KSound::Stop() {
  if (!device) return;
  for (platform::AudioBuffer* b : buffers)
    if (b) b->Stop();
}

bool KSound::IsPlaying() {
  if (!device || !streamReady || !buffers[0]) return false;
  constexpr uint32_t kBusy = platform::kAudioStatusPlaying | platform::kAudioStatusLooping |
                             platform::kAudioStatusLocHardware |
                             platform::kAudioStatusLocSoftware;
  for (int i = 0; i < voiceCount; ++i) {
    uint32_t status = 0;
    if (buffers[i] && buffers[i]->GetStatus(&status) == platform::kAudioOk && (status & kBusy))
      return true;
  }
  return false;
}

void KSound::SetVolume(long v) {
  if (!device) return;
  v = std::clamp(v, 0L, 100L);
  volume = int32_t(v);
  const long master = isMusic ? musicMaster.load() : soundMaster.load();
  const long player = isMusic ? playerMusicLevel.load() : playerSoundLevel.load();
  // At the player's full level this is v x master / 100 exactly.
  const long level = std::clamp(v * master * player / 10000, 0L, 99L);
  for (platform::AudioBuffer* b : buffers)
    if (b) b->SetVolume(volumeTable[level]);
}

void KSound::SetPan(long p) {
  if (!device) return;
  if (p < -100 || p > 100) p = 100;
  for (platform::AudioBuffer* b : buffers)
    if (b) b->SetPan(panTable[p + 100]);
}

// ---- Music --------------------------------------------------------------------------------

bool KSound::LoadStream(const char* path) {
  if (!device) return false;
  ResetForLoad(true);
  voiceCount = 1;
  if (!readWholeFile(path, &fileData)) return false;
  return OpenStream(path);
}

bool KSound::LoadStreamFromMemory(const void* data, size_t length) {
  if (!device) return false;
  ResetForLoad(true);
  voiceCount = 1;
  if (!data || length == 0) return false;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  fileData.assign(bytes, bytes + length);
  return OpenStream("music in memory");
}

bool KSound::OpenStream(const char* name) {
  oggFile = std::make_unique<OggDecoder>();
  if (!oggFile->Open(fileData.data(), fileData.size())) {
    oggFile.reset();
    // Named, and once a run: the music is loaded again on every visit to the main menu.
    std::string shown(name ? name : "");
    KTools::ConvertSlashes(shown.data());
    KTools::ReportFileProblem("Damaged sound file", shown.c_str(),
                              "not an Ogg Vorbis sound; the music stays silent");
    return false;
  }
  streamFormat = platform::MakePcmFormat(oggFile->Channels(), oggFile->Rate());
  format = &streamFormat;
  if (!CreateVoiceBuffer(0, kStreamBufferBytes, true)) {
    oggFile.reset();
    format = nullptr;
    return false;
  }
  streamOpen = true;
  finished = 0;
  oggFile->SeekToStart();
  buffers[0]->SetCurrentPosition(0);
  SetPan(0);
  return true;
}

void KSound::PlayStream(bool newLoop) {
  StopStream();
  platform::AudioBuffer* b = buffers[0];
  if (!device || !b || !streamOpen || !oggFile) return;

  oggFile->SeekToStart();
  b->Stop();
  b->SetCurrentPosition(0);
  loop = newLoop;
  finished = 0;
  stopRequest = 0;
  endHalf = -1;
  // The first half is filled here, before the thread exists, so that the music starts at once
  // (and no leftover of an earlier play is heard); the thread, woken as the cursor leaves
  // offset 0, fills the second half.
  ClearRing();
  RefillHalf(0);

  streamReady = 0;
  threadFailed = false;
  b->Stop();
  thread = std::thread(&KSound::StreamThread, this);
  while (!streamReady) std::this_thread::yield();
  if (threadFailed) {
    thread.join();
    return;
  }

  SetVolume(volume);
  if (b->Play(platform::kAudioPlayLooping) == platform::kAudioBufferLost) {
    b->Restore();
    b->Play(platform::kAudioPlayLooping);
  }
  finished = 0;
  SetVolume(volume);
  stopRequest = 0;
}

void KSound::StopStream() {
  streamReady = 0;
  stopRequest = 1;
  if (buffers[0]) {
    buffers[0]->Stop();
    buffers[0]->SetCurrentPosition(0);
  }
  if (thread.joinable()) {
    // Wake the thread at once rather than at its next 50 ms time-out.
    if (halfEvent0) halfEvent0->Set();
    if (halfEvent1) halfEvent1->Set();
    thread.join();
  }
  if (notify && buffers[0]) buffers[0]->SetNotificationPositions(0, nullptr);
  notify = false;
  halfEvent0.reset();
  halfEvent1.reset();
}

// The streaming thread: touches only buffer 0, the decoder and the flags of this object.
void KSound::StreamThread() {
  std::snprintf(halfEventName0, sizeof halfEventName0, "ksoundev%d", eventCounter);
  std::snprintf(halfEventName1, sizeof halfEventName1, "ksoundev%d2", eventCounter);
  platform::AudioBuffer* b = buffers[0];
  if (b) {
    halfEvent0 = std::make_unique<platform::AudioEvent>();
    halfEvent1 = std::make_unique<platform::AudioEvent>();
    const platform::AudioNotify positions[2] = {{0, halfEvent0.get()},
                                                {kStreamHalfBytes, halfEvent1.get()}};
    notify = b->SetNotificationPositions(2, positions) == platform::kAudioOk;
  }
  if (!notify) {
    threadFailed = true;
    streamReady = 1;
    return;
  }
  stopRequest = 0;
  streamReady = 1;
  platform::RaiseCurrentThreadPriority();

  int appliedMaster = musicMaster * 101 + playerMusicLevel;
  for (;;) {
    if (!buffers[0] || stopRequest) break;
    const int master = musicMaster * 101 + playerMusicLevel;
    if (master != appliedMaster) {
      appliedMaster = master;
      SetVolume(volume);
    }
    // The cursor entered the first half: refill the second; then the other way round.
    if (halfEvent0->Wait(50) && !stopRequest) RefillHalf(1);
    std::this_thread::yield();
    if (stopRequest) break;
    if (halfEvent1->Wait(50) && !stopRequest) RefillHalf(0);
    std::this_thread::yield();
  }
}

void KSound::ClearRing() {
  platform::AudioBuffer* b = buffers[0];
  void* p1 = nullptr;
  void* p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  if (b && b->Lock(0, kStreamBufferBytes, &p1, &n1, &p2, &n2, 0) == platform::kAudioOk) {
    std::memset(p1, 0, n1);
    if (p2) std::memset(p2, 0, n2);
    b->Unlock(p1, n1, p2, n2);
  }
}

void KSound::RefillHalf(int half) {
  platform::AudioBuffer* b = buffers[0];
  if (!b) return;
  void* p1 = nullptr;
  void* p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  if (b->Lock(uint32_t(half) * kStreamHalfBytes, kStreamHalfBytes, &p1, &n1, &p2, &n2, 0) !=
      platform::kAudioOk) {
    b->Restore();
    return;
  }
  uint8_t* dest = static_cast<uint8_t*>(p1);
  std::memset(dest, 0, n1);
  bool playedOut = false;
  if (!finished && !stopRequest) {
    if (endHalf >= 0) {
      // A one-shot stream has decoded its last sample into the ring. This half stays silent;
      // once the cursor has left the half that holds the end, everything has been heard.
      playedOut = half == endHalf;
    } else {
      uint32_t filled = 0;
      while (filled < n1) {
        const long got = oggFile->Read(dest + filled, int(n1 - filled));
        if (got > 0) {
          filled += uint32_t(got);
        } else if (got == 0) {
          if (loop) {
            // Back to the start; the rest of this half stays silent, the next half goes on
            // from the beginning of the music.
            oggFile->SeekToStart();
          } else {
            // The end lies in this half, or (when nothing came) at the end of the other one.
            endHalf = filled > 0 ? half : 1 - half;
          }
          break;
        } else {
          std::memset(dest, 0, n1);  // a decoding error silences the whole half
          break;
        }
      }
    }
  }
  b->Unlock(p1, n1, p2, n2);
  if (playedOut) FinishStream();
}

// The end of a one-shot stream: stop, silence the whole ring, back to the start, finished.
void KSound::FinishStream() {
  platform::AudioBuffer* b = buffers[0];
  b->Stop();
  ClearRing();
  oggFile->SeekToStart();
  b->SetCurrentPosition(0);
  endHalf = -1;
  finished = 1;
}
