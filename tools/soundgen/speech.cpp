#include "speech.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace sg {

namespace {

std::string g_espeak = "espeak-ng";
std::atomic<int> g_counter{0};

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Reads a 16-bit PCM WAVE file; returns its rate through `rate`.
bool readWav(const std::string& path, std::vector<float>& out, int& rate, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (d.size() < 44 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0) {
    error = "espeak-ng wrote no WAVE file";
    return false;
  }
  size_t p = 12;
  int channels = 0, bits = 0;
  rate = 0;
  while (p + 8 <= d.size()) {
    uint32_t len = le32(&d[p + 4]);
    if (std::memcmp(&d[p], "fmt ", 4) == 0 && p + 24 <= d.size()) {
      channels = le16(&d[p + 10]);
      rate = static_cast<int>(le32(&d[p + 12]));
      bits = le16(&d[p + 22]);
    } else if (std::memcmp(&d[p], "data", 4) == 0) {
      size_t start = p + 8;
      size_t end = std::min(d.size(), start + static_cast<size_t>(len));  // length may be bogus
      if (channels != 1 || bits != 16) {
        error = "espeak-ng wrote an unexpected WAVE format";
        return false;
      }
      out.clear();
      for (size_t i = start; i + 1 < end; i += 2)
        out.push_back(static_cast<int16_t>(le16(&d[i])) / 32768.0f);
      return true;
    }
    p += 8 + len + (len & 1);
  }
  error = "espeak-ng's WAVE file has no data";
  return false;
}

}  // namespace

void setEspeakProgram(const std::string& path) { g_espeak = path; }

std::vector<float> upsample2(const std::vector<float>& in) {
  // Zero-stuffing followed by a 95-tap Blackman-windowed sinc low-pass at a quarter of the
  // output rate; the even taps of the half-band filter are zero apart from the centre.
  const int half = 47;
  std::vector<double> h(2 * half + 1);
  for (int k = -half; k <= half; ++k) {
    double x = k / 2.0;
    double sinc = k == 0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
    double w = 0.42 + 0.5 * std::cos(kPi * k / (half + 1)) + 0.08 * std::cos(2 * kPi * k / (half + 1));
    h[k + half] = sinc * w;
  }
  std::vector<float> out(in.size() * 2);
  for (size_t n = 0; n < out.size(); ++n) {
    double s = 0;
    // Output sample n takes input samples m at positions 2m, with tap index n - 2m.
    long lo = (static_cast<long>(n) - half + 1) / 2;
    if (lo < 0) lo = 0;
    long hi = (static_cast<long>(n) + half) / 2;
    if (hi >= static_cast<long>(in.size())) hi = static_cast<long>(in.size()) - 1;
    for (long m = lo; m <= hi; ++m) {
      long k = static_cast<long>(n) - 2 * m;
      if (k < -half || k > half) continue;
      s += in[m] * h[k + half];
    }
    out[n] = static_cast<float>(s);
  }
  return out;
}

Audio speak(const std::string& text, const Voice& voice, std::string& error) {
  char tmpl[] = "/tmp/brawnmoor-soundgen-XXXXXX";
  int fd = mkstemp(tmpl);
  if (fd < 0) {
    error = "cannot make a temporary file";
    return {};
  }
  close(fd);
  std::string wav = tmpl;
  ++g_counter;

  std::string rate = std::to_string(voice.wordsPerMinute);
  std::string pitch = std::to_string(voice.pitch);
  std::string amp = std::to_string(voice.amplitude);
  std::string gap = std::to_string(voice.wordGap);
  // Run espeak-ng directly (no shell), so that no text needs quoting.
  pid_t pid = fork();
  if (pid < 0) {
    unlink(wav.c_str());
    error = "cannot start espeak-ng";
    return {};
  }
  if (pid == 0) {
    const char* argv[] = {g_espeak.c_str(), "-v", voice.name.c_str(), "-s", rate.c_str(),
                          "-p", pitch.c_str(), "-a", amp.c_str(), "-g", gap.c_str(),
                          "-z", "-w", wav.c_str(), "--", text.c_str(), nullptr};
    execvp(argv[0], const_cast<char* const*>(argv));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    unlink(wav.c_str());
    error = "espeak-ng failed (is it installed? tools/setup.sh installs it)";
    return {};
  }
  std::vector<float> pcm;
  int srate = 0;
  bool ok = readWav(wav, pcm, srate, error);
  unlink(wav.c_str());
  if (!ok) return {};
  Audio a;
  if (srate == kRate) {
    a.l = std::move(pcm);
  } else if (srate * 2 == kRate) {
    a.l = upsample2(pcm);
  } else {
    error = "espeak-ng spoke at an unexpected rate " + std::to_string(srate);
    return {};
  }
  return a;
}

}  // namespace sg
