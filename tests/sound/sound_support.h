// Helpers of the sound tests: test signals, Ogg Vorbis files made in memory with libvorbisenc,
// reference decoding, RIFF WAVE files, levels in decibels, the manual (pulled) mixer output and
// the disk driver's capture.
#pragma once

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "../support/tempdir.h"
#include "platform/audio.h"

namespace soundtest {

using Samples = std::vector<int16_t>;  // interleaved

constexpr double kPi = 3.14159265358979323846;

// A cosine tone (starts at its peak, so its first sample is not zero).
inline Samples Tone(double hz, double amplitude, double seconds, int rate, int channels) {
  const int frames = int(seconds * rate);
  Samples s(size_t(frames) * channels);
  for (int i = 0; i < frames; ++i) {
    const int16_t v = int16_t(std::lrint(amplitude * std::cos(2 * kPi * hz * i / rate)));
    for (int c = 0; c < channels; ++c) s[size_t(i) * channels + c] = v;
  }
  return s;
}

// Music that never repeats itself within its length: a rising chirp on the left, a falling
// one on the right, with a slow swell, so that any slip of the stream shows.
inline Samples Music(double seconds, int rate, int channels) {
  const int frames = int(seconds * rate);
  Samples s(size_t(frames) * channels);
  double phaseL = 0.3, phaseR = 1.1;
  for (int i = 0; i < frames; ++i) {
    const double t = double(i) / rate;
    const double fl = 200 + 900 * t / seconds;
    const double fr = 1300 - 700 * t / seconds;
    phaseL += 2 * kPi * fl / rate;
    phaseR += 2 * kPi * fr / rate;
    const double swell = 0.55 + 0.35 * std::sin(2 * kPi * 0.7 * t);
    s[size_t(i) * channels] = int16_t(std::lrint(12000 * swell * std::sin(phaseL) + 6000));
    if (channels == 2)
      s[size_t(i) * channels + 1] = int16_t(std::lrint(12000 * swell * std::sin(phaseR) - 6000));
  }
  return s;
}

// Encodes interleaved 16-bit samples as an Ogg Vorbis file in memory.
inline std::string EncodeOgg(const Samples& pcm, int channels, int rate, float quality = 0.6f) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
    vorbis_info_clear(&vi);
    return std::string();
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 12345);

  std::string out;
  auto writePage = [&out](const ogg_page& og) {
    out.append(reinterpret_cast<const char*>(og.header), size_t(og.header_len));
    out.append(reinterpret_cast<const char*>(og.body), size_t(og.body_len));
  };
  ogg_packet header, comment, code;
  vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &code);
  ogg_page og;
  while (ogg_stream_flush(&os, &og)) writePage(og);

  const size_t frames = pcm.size() / size_t(channels);
  size_t done = 0;
  bool eos = false;
  while (!eos) {
    const size_t n = std::min<size_t>(4096, frames - done);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buf = vorbis_analysis_buffer(&vd, int(n));
      for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
          buf[c][i] = pcm[(done + i) * size_t(channels) + size_t(c)] / 32768.0f;
      vorbis_analysis_wrote(&vd, int(n));
      done += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) {
          writePage(og);
          if (ogg_page_eos(&og)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

// Decodes an in-memory Ogg Vorbis file on its own (the reference the engine is compared to).
inline Samples DecodeOgg(const std::string& file, int* channels = nullptr, int* rate = nullptr) {
  struct Mem {
    const std::string* s;
    size_t pos;
  } mem{&file, 0};
  ov_callbacks cb;
  cb.read_func = [](void* p, size_t size, size_t n, void* src) -> size_t {
    Mem* m = static_cast<Mem*>(src);
    size_t k = std::min(size * n, m->s->size() - m->pos);
    std::memcpy(p, m->s->data() + m->pos, k);
    m->pos += k;
    return k / size;
  };
  cb.seek_func = [](void* src, ogg_int64_t off, int whence) -> int {
    Mem* m = static_cast<Mem*>(src);
    ogg_int64_t p = whence == SEEK_SET ? off : whence == SEEK_CUR ? ogg_int64_t(m->pos) + off
                                                                   : ogg_int64_t(m->s->size()) + off;
    if (p < 0 || p > ogg_int64_t(m->s->size())) return -1;
    m->pos = size_t(p);
    return 0;
  };
  cb.close_func = nullptr;
  cb.tell_func = [](void* src) -> long { return long(static_cast<Mem*>(src)->pos); };
  OggVorbis_File vf;
  Samples out;
  if (ov_open_callbacks(&mem, &vf, nullptr, 0, cb) != 0) return out;
  vorbis_info* vi = ov_info(&vf, -1);
  if (channels) *channels = vi->channels;
  if (rate) *rate = int(vi->rate);
  char buf[8192];
  int section;
  long n;
  std::string bytes;
  while ((n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0) bytes.append(buf, size_t(n));
  ov_clear(&vf);
  out.resize(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

// A RIFF WAVE file; `extraChunk` goes between "fmt " and "data"; withData false leaves the
// "data" chunk out.
inline std::string MakeWave(const Samples& pcm, int channels, int rate, bool withData = true,
                            const std::string& extraChunk = std::string()) {
  auto le32 = [](uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[size_t(i)] = char((v >> (8 * i)) & 0xFF);
    return s;
  };
  auto le16 = [](uint16_t v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
  std::string fmt = "fmt " + le32(16) + le16(1) + le16(uint16_t(channels)) + le32(uint32_t(rate)) +
                    le32(uint32_t(rate * channels * 2)) + le16(uint16_t(channels * 2)) + le16(16);
  std::string body = "WAVE" + fmt + extraChunk;
  if (withData) {
    std::string data(pcm.size() * 2, '\0');
    std::memcpy(data.data(), pcm.data(), data.size());
    body += "data" + le32(uint32_t(data.size())) + data;
  }
  return "RIFF" + le32(uint32_t(body.size())) + body;
}

// Root mean square of one channel (0 left, 1 right) of interleaved stereo frames [from, to).
inline double Rms(const Samples& s, int channel, size_t from, size_t to, int channels = 2) {
  double sum = 0;
  size_t n = 0;
  for (size_t i = from; i < to && (i * size_t(channels) + size_t(channel)) < s.size(); ++i, ++n) {
    const double v = s[i * size_t(channels) + size_t(channel)];
    sum += v * v;
  }
  return n ? std::sqrt(sum / double(n)) : 0.0;
}

inline double Db(double ratio) { return 20.0 * std::log10(ratio); }

// Linear gain of a DirectSound level (hundredths of a decibel).
inline double Gain(int hundredthsDb) {
  return hundredthsDb <= -10000 ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0);
}

// First frame at or after `from` where either channel reaches `threshold` in magnitude.
inline size_t FirstLoud(const Samples& s, int channels, int threshold, size_t from = 0) {
  const size_t frames = s.size() / size_t(channels);
  for (size_t i = from; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      if (std::abs(int(s[i * size_t(channels) + size_t(c)])) >= threshold) return i;
  return frames;
}

// The mixer without SDL: set before the first KSound is created, pulled by the test.
class ManualOutput {
 public:
  explicit ManualOutput(int rate = 44100) { platform::SetManualAudioOutput(true, rate); }
  ~ManualOutput() { platform::SetManualAudioOutput(false); }
  static Samples Pull(int frames) {
    Samples s(size_t(frames) * 2);
    platform::PullAudio(s.data(), frames);
    return s;
  }
};

// SDL's disk driver: what is mixed is written to a file, read back after the device closed.
class DiskCapture {
 public:
  DiskCapture() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", dir_.file("capture.raw").c_str(), 1);
  }
  ~DiskCapture() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
  }
  // Interleaved stereo 16-bit samples, as written (call once every KSound is gone).
  Samples Read() const {
    std::ifstream in(dir_.file("capture.raw"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Samples s(bytes.size() / 2);
    std::memcpy(s.data(), bytes.data(), s.size() * 2);
    return s;
  }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
};

// Waits (sleeping) until the condition holds or the time runs out; true when it held.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

inline void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace soundtest
