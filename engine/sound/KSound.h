// KSound: the engine's one sound class. A short sound is decoded completely into one
// to nine buffers (voices) when it is loaded, so that playing it is only a buffer start; music is
// streamed: the whole Ogg Vorbis file stays in memory and a thread of the object decodes it 64 KB
// at a time into a looping 128 KB ring, woken by the mixer at each half of the ring. Two
// process-wide master levels, one for sounds and one for music, scale every object's own volume.
//
// The first object opens the audio device (platform/audio.h, our stand-in for DirectSound), the
// last one closes it. Without a device every operation returns at once, loads fail quietly and
// the game runs silent.
//
// Threads: every operation belongs to the thread that owns the object (the game's main thread);
// the streaming thread of a playing music object touches only that object's ring buffer,
// decoder and flags. StopStream ends the thread, and Load, LoadStream and the destructor call it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "platform/audio.h"

class OggDecoder;

class KSound {
 public:
  static constexpr int kMaxVoices = 9;
  static constexpr uint32_t kStreamBufferBytes = 131072;  // the ring: two halves
  static constexpr uint32_t kStreamHalfBytes = 65536;
  static constexpr uint32_t kVoiceFlags = 0x80E8;   // GETCURRENTPOSITION2, CTRLVOLUME, CTRLPAN,
                                                    // CTRLFREQUENCY, LOCSOFTWARE
  static constexpr uint32_t kStreamFlags = 0x81E8;  // the same plus CTRLPOSITIONNOTIFY

  KSound();
  virtual ~KSound();
  KSound(const KSound&) = delete;
  KSound& operator=(const KSound&) = delete;

  // Loads a short sound: an Ogg Vorbis file when the path contains ".ogg", else RIFF WAVE, into
  // voiceCount voices (1..9). The game passes volume 100, loop false, one voice. Windows
  // separators in the path are accepted; a missing or unreadable file gives false, silently.
  bool Load(const char* path, long volume = 100, bool loop = false, long voiceCount = 1);
  // The same from a file already in memory (isOgg chooses the decoder).
  bool LoadFromMemory(const void* data, size_t length, bool isOgg, long volume = 100,
                      bool loop = false, long voiceCount = 1);
  // Plays the sound on the next voice (rewound, at the object's volume); the voice after the
  // last one used is taken even when it is still playing.
  void Play();
  // Stops every voice.
  void Stop();
  bool IsPlaying();
  // Own volume 0..100, scaled by the master level of the object's kind and the player's level.
  void SetVolume(long volume);
  // -100 (left) .. 100 (right); anything outside becomes 100.
  void SetPan(long pan);

  // Music: holds the whole Ogg Vorbis file in memory and opens the decoder on it. An
  // undecodable file shows the message box "error" / "error could not detect ogg file".
  bool LoadStream(const char* path);
  bool LoadStreamFromMemory(const void* data, size_t length);
  // Starts streaming from the beginning; without loop the music plays to its end once, goes
  // silent and sets the finished flag.
  void PlayStream(bool loop);
  void StopStream();

  // Master levels for music and sounds (0..100, both start at 100); a negative argument leaves
  // that level unchanged. A playing stream applies a new music level within one pass.
  static void SetMasterVolumes(long music, long sound);
  static int GetMusicMasterVolume();
  static int GetSoundMasterVolume();
  // The player's levels for music and sounds (0..100, both start at 100): they scale the
  // masters, so that the levels the game sets keep their proportions. A negative argument
  // leaves that level unchanged; a playing stream applies a new level within one pass, a sound
  // at its next Play.
  static void SetPlayerVolumes(long music, long sound);
  static int GetMusicPlayerVolume();
  static int GetSoundPlayerVolume();

  // The tables in hundredths of a decibel: volume 0..100, pan index 0..200 (pan + 100).
  static int32_t VolumeTable(int index);
  static int32_t PanTable(int index);

  // For tests and tools.
  static platform::AudioDevice* Device();  // null when no output could be opened
  int GetVoiceCount() const { return voiceCount; }
  int GetCurrentVoice() const { return currentVoice; }
  long GetVolume() const { return volume.load(); }
  bool IsMusic() const { return isMusic != 0; }
  bool IsLooping() const { return loop.load(); }
  bool IsStreamOpen() const { return streamOpen; }
  bool IsFinished() const { return finished.load() != 0; }
  const platform::AudioFormat* GetFormat() const { return format; }
  platform::AudioBuffer* GetVoiceBuffer(int index) const {
    return index >= 0 && index < kMaxVoices ? buffers[index] : nullptr;
  }

 private:
  void ResetForLoad(bool music);
  bool LoadShortSound(const uint8_t* file, size_t length, bool isOgg);
  // Opens the Ogg stream in fileData; `name` names it in the message of a file that is not one.
  bool OpenStream(const char* name);
  platform::AudioBuffer* CreateVoiceBuffer(int index, uint32_t size, bool forStream);
  void ReleaseBuffers();
  void RestoreVoices();
  void StreamThread();
  void RefillHalf(int half);
  void FinishStream();
  void ClearRing();

  // The fields of the design, in its order.
  int16_t voiceCount = 1;
  std::atomic<int32_t> volume{80};  // written by the streaming thread too (SetVolume)
  std::atomic<bool> loop{false};    // read by the streaming thread at the end of the music
  uint8_t isMusic = 0;
  int32_t currentVoice = 0;
  const platform::AudioFormat* format = nullptr;  // points at pcmFormat or streamFormat
  std::vector<uint8_t> pcm;                       // pcm and pcmLength (its size)
  platform::AudioFormat pcmFormat;
  platform::AudioFormat streamFormat;
  std::unique_ptr<OggDecoder> oggFile;  // with the in-memory reader (filePosition)
  bool streamOpen = false;
  platform::AudioBuffer* buffers[kMaxVoices] = {};
  bool notify = false;  // notification positions are set on buffer 0
  std::unique_ptr<platform::AudioEvent> halfEvent0;
  std::unique_ptr<platform::AudioEvent> halfEvent1;
  char halfEventName0[32] = {};
  char halfEventName1[32] = {};
  std::thread thread;
  std::atomic<uint8_t> stopRequest{0};
  std::atomic<uint8_t> streamReady{0};
  std::atomic<uint8_t> finished{0};
  std::vector<uint8_t> fileData;  // fileData and fileLength (its size)

  // Beyond the design: the streaming thread could not set up its notifications, and the half
  // of the ring that holds the end of a one-shot stream (-1 while the music goes on).
  std::atomic<bool> threadFailed{false};
  int endHalf = -1;
};
