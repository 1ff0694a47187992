// RIFF WAVE short sounds, found by a byte-by-byte scan of the whole
// file for the first "fmt " and the first "data" tag, not a walk over the chunk list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/audio.h"

struct WaveData {
  platform::AudioFormat format;  // read 8 bytes after "fmt "
  size_t offset = 0;             // the samples start 8 bytes after "data"
  size_t length = 0;             // the 32-bit value 4 bytes after "data", cut to the file's end
};

// False when either tag is missing or the format record does not fit in the file.
bool FindWaveData(const uint8_t* file, size_t size, WaveData* wave);
