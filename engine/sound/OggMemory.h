// Ogg Vorbis decoding from memory through vorbisfile's four callbacks (read, seek, close, tell),
// the whole file stays in memory and a small reader walks over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <vorbis/vorbisfile.h>

#include "platform/audio.h"

// The in-memory reader behind the callbacks: the file's bytes, their length and the position.
struct OggMemoryReader {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  uint32_t position = 0;
};

// The four callbacks of the design, on an OggMemoryReader:
// read copies up to size x count bytes from the position, advances it and returns the number of
// whole items copied; at the end of the data it returns 0 and sets the position back to 0.
// seek: origin 0 to the offset, 1 forward by the offset, 2 to the length minus the offset; the
// position never passes the length (nor goes below 0); returns 0. close does nothing. tell gives
// the position, -1 without a reader.
size_t OggMemoryRead(void* destination, size_t size, size_t count, void* reader);
int OggMemorySeek(void* reader, ogg_int64_t offset, int origin);
int OggMemoryClose(void* reader);
long OggMemoryTell(void* reader);
ov_callbacks OggMemoryCallbacks();

// A decoder open on an in-memory Ogg Vorbis file. The bytes must outlive it.
class OggDecoder {
 public:
  OggDecoder() = default;
  ~OggDecoder() { Close(); }
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  // Opens the decoder and reads the stream information; false when either fails.
  bool Open(const uint8_t* data, size_t length);
  void Close();
  bool IsOpen() const { return open_; }
  int Channels() const { return channels_; }
  int Rate() const { return rate_; }

  // Decodes up to `bytes` bytes of 16-bit signed little-endian PCM: the bytes given (> 0), 0 at
  // the end of the stream, a negative vorbisfile error code.
  long Read(void* destination, int bytes);
  // Back to the first sample; false when the decoder cannot seek.
  bool SeekToStart();

 private:
  OggVorbis_File file_{};
  OggMemoryReader reader_;
  bool open_ = false;
  int channels_ = 0;
  int rate_ = 0;
};

// Decodes a whole in-memory Ogg Vorbis file into 16-bit PCM and gives its format; a decoding
// error ends the samples there. False when it cannot be opened or gives no samples at all.
bool DecodeOggVorbis(const uint8_t* data, size_t length, std::vector<uint8_t>* pcm,
                     platform::AudioFormat* format);
