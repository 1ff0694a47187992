#include "sound/WaveFile.h"

#include <cstring>

namespace {

uint32_t le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// Offset of the first occurrence of the four-byte tag, or `size` when there is none.
size_t find(const uint8_t* file, size_t size, const char* tag) {
  for (size_t i = 0; i + 4 <= size; ++i)
    if (std::memcmp(file + i, tag, 4) == 0) return i;
  return size;
}

}  // namespace

bool FindWaveData(const uint8_t* file, size_t size, WaveData* wave) {
  if (!file || !wave) return false;
  const size_t fmt = find(file, size, "fmt ");
  const size_t data = find(file, size, "data");
  if (data == size || fmt == size) return false;
  // The format record: tag, channels, rate, bytes per second, block align, bits per sample.
  if (fmt + 8 + 16 > size) return false;
  const uint8_t* f = file + fmt + 8;
  wave->format.formatTag = le16(f);
  wave->format.channels = le16(f + 2);
  wave->format.samplesPerSec = le32(f + 4);
  wave->format.avgBytesPerSec = le32(f + 8);
  wave->format.blockAlign = le16(f + 12);
  wave->format.bitsPerSample = le16(f + 14);
  if (data + 8 > size) return false;
  wave->offset = data + 8;
  const size_t declared = le32(file + data + 4);
  wave->length = declared < size - wave->offset ? declared : size - wave->offset;
  return true;
}
