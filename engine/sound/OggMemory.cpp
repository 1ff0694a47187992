#include "sound/OggMemory.h"

#include <algorithm>
#include <cstring>

size_t OggMemoryRead(void* destination, size_t size, size_t count, void* source) {
  auto* r = static_cast<OggMemoryReader*>(source);
  if (!r || !destination || size == 0 || count == 0) return 0;
  if (r->position >= r->length) {
    r->position = 0;
    return 0;
  }
  const size_t available = r->length - r->position;
  const size_t wanted = size * count;
  const size_t n = std::min(available, wanted);
  std::memcpy(destination, r->data + r->position, n);
  r->position += uint32_t(n);
  return n / size;
}

int OggMemorySeek(void* source, ogg_int64_t offset, int origin) {
  auto* r = static_cast<OggMemoryReader*>(source);
  if (!r) return -1;
  ogg_int64_t p;
  switch (origin) {
    case 0: p = offset; break;
    case 1: p = ogg_int64_t(r->position) + offset; break;
    case 2: p = ogg_int64_t(r->length) - offset; break;
    default: return 0;
  }
  r->position = uint32_t(std::clamp<ogg_int64_t>(p, 0, r->length));
  return 0;
}

int OggMemoryClose(void*) { return 0; }

long OggMemoryTell(void* source) {
  auto* r = static_cast<OggMemoryReader*>(source);
  return r ? long(r->position) : -1;
}

ov_callbacks OggMemoryCallbacks() {
  ov_callbacks cb;
  cb.read_func = OggMemoryRead;
  cb.seek_func = OggMemorySeek;
  cb.close_func = OggMemoryClose;
  cb.tell_func = OggMemoryTell;
  return cb;
}

bool OggDecoder::Open(const uint8_t* data, size_t length) {
  Close();
  if (!data || length == 0 || length > 0xFFFFFFFFu) return false;
  reader_.data = data;
  reader_.length = uint32_t(length);
  reader_.position = 0;
  if (ov_open_callbacks(&reader_, &file_, nullptr, 0, OggMemoryCallbacks()) != 0) return false;
  const vorbis_info* info = ov_info(&file_, -1);
  if (!info || info->channels <= 0 || info->rate <= 0) {
    ov_clear(&file_);
    return false;
  }
  channels_ = info->channels;
  rate_ = int(info->rate);
  open_ = true;
  return true;
}

void OggDecoder::Close() {
  if (open_) ov_clear(&file_);
  open_ = false;
  channels_ = rate_ = 0;
}

long OggDecoder::Read(void* destination, int bytes) {
  if (!open_ || bytes <= 0) return OV_EINVAL;
  int section = 0;
  return ov_read(&file_, static_cast<char*>(destination), bytes, 0 /* little-endian */,
                 2 /* 16-bit */, 1 /* signed */, &section);
}

bool OggDecoder::SeekToStart() {
  if (!open_) return false;
  if (ov_pcm_seek(&file_, 0) == 0) return true;
  return ov_raw_seek(&file_, 0) == 0;
}

bool DecodeOggVorbis(const uint8_t* data, size_t length, std::vector<uint8_t>* pcm,
                     platform::AudioFormat* format) {
  pcm->clear();
  OggDecoder decoder;
  if (!decoder.Open(data, length)) return false;
  constexpr int kStep = 65536;  // the design decodes 64 KB at a time
  size_t used = 0;
  for (;;) {
    if (pcm->size() - used < size_t(kStep)) pcm->resize(used + kStep);
    const long n = decoder.Read(pcm->data() + used, kStep);
    if (n <= 0) break;  // the end, or a decoding error: keep what came before it
    used += size_t(n);
  }
  pcm->resize(used);
  if (used == 0) return false;
  *format = platform::MakePcmFormat(decoder.Channels(), decoder.Rate());
  return true;
}
