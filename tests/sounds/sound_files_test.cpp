// Every sound the game names exists in the data
// folder after the build, decodes as Ogg Vorbis at 44.1 kHz, is neither silent nor clipped,
// has a plausible length, and sits at a level that belongs with the others.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "../support/tempdir.h"

namespace {

const std::string kSnd = BRAWNMOOR_SND_DIR;

struct Expect {
  const char* file;
  double minSeconds, maxSeconds;
  enum Kind { Effect, Voice, Music } kind;
};
void PrintTo(const Expect& e, std::ostream* os) { *os << e.file; }

// Lengths: interface clicks under 0.3 s, the count long enough for ten numbers at 850 ms, the
// theme a minute or more; the rest within what their moments in the game allow.
const Expect kSounds[] = {
    {"click.ogg", 0.02, 0.3, Expect::Effect},     {"over.ogg", 0.02, 0.3, Expect::Effect},
    {"canc.ogg", 0.05, 0.3, Expect::Effect},      {"Crowd.ogg", 3.0, 10.0, Expect::Effect},
    {"Fall.ogg", 0.3, 2.5, Expect::Effect},       {"hit1.ogg", 0.1, 1.0, Expect::Effect},
    {"hit2.ogg", 0.1, 1.0, Expect::Effect},       {"hit3.ogg", 0.1, 1.2, Expect::Effect},
    {"miss1.ogg", 0.1, 0.6, Expect::Effect},      {"miss2.ogg", 0.1, 0.6, Expect::Effect},
    {"bell.ogg", 1.0, 6.0, Expect::Effect},       {"count.ogg", 9.0, 12.0, Expect::Voice},
    {"KO.ogg", 2.0, 10.0, Expect::Voice},         {"KO2.ogg", 2.0, 10.0, Expect::Voice},
    {"TKO.ogg", 2.0, 10.0, Expect::Voice},        {"TKO2.ogg", 2.0, 10.0, Expect::Voice},
    {"halvornsound.ogg", 2.0, 10.0, Expect::Music}, {"theme.ogg", 60.0, 300.0, Expect::Music},
    {"tutorial01.ogg", 5.0, 60.0, Expect::Voice}, {"tutorial02.ogg", 5.0, 60.0, Expect::Voice},
    {"tutorial03.ogg", 5.0, 60.0, Expect::Voice}, {"tutorial04.ogg", 5.0, 60.0, Expect::Voice},
    {"tutorial05.ogg", 5.0, 60.0, Expect::Voice}, {"tutorial06.ogg", 5.0, 60.0, Expect::Voice},
    {"tutorial07.ogg", 5.0, 60.0, Expect::Voice}, {"tutorial08.ogg", 5.0, 60.0, Expect::Voice},
};

struct Decoded {
  bool ok = false;
  std::string error;
  long rate = 0;
  int channels = 0;
  std::vector<float> mono;  // channels averaged
  double peak = 0;          // over every channel
  double sumSquares = 0;
  size_t values = 0;
  size_t fullScale = 0;     // samples at or beyond full scale: clipping
  double seconds() const { return rate ? double(mono.size()) / rate : 0; }
  double rmsDb() const { return values ? 10 * std::log10(sumSquares / values + 1e-30) : -300; }
  double peakDb() const { return 20 * std::log10(peak + 1e-30); }
};

Decoded decode(const std::string& path) {
  Decoded d;
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) {
    d.error = "not an Ogg Vorbis file";
    return d;
  }
  vorbis_info* vi = ov_info(&vf, -1);
  d.rate = vi->rate;
  d.channels = vi->channels;
  int section = 0;
  for (;;) {
    float** pcm = nullptr;
    long n = ov_read_float(&vf, &pcm, 4096, &section);
    if (n == 0) break;
    if (n < 0) {
      d.error = "decoding error " + std::to_string(n);
      ov_clear(&vf);
      return d;
    }
    for (long i = 0; i < n; ++i) {
      double m = 0;
      for (int c = 0; c < d.channels; ++c) {
        double v = pcm[c][i];
        m += v;
        d.peak = std::max(d.peak, std::fabs(v));
        d.sumSquares += v * v;
        ++d.values;
        if (std::fabs(v) >= 0.9999) ++d.fullScale;
      }
      d.mono.push_back(static_cast<float>(m / d.channels));
    }
  }
  ov_clear(&vf);
  d.ok = true;
  return d;
}

// RMS of the mono mix over [from, from + length) seconds, in dBFS.
double windowRmsDb(const Decoded& d, double from, double length) {
  size_t a = static_cast<size_t>(std::max(0.0, from) * d.rate);
  size_t b = std::min(d.mono.size(), static_cast<size_t>((from + length) * d.rate));
  double s = 0;
  for (size_t i = a; i < b; ++i) s += double(d.mono[i]) * d.mono[i];
  return b > a ? 10 * std::log10(s / (b - a) + 1e-30) : -300;
}

const Decoded& decoded(const std::string& file) {
  static std::map<std::string, Decoded> cache;
  auto it = cache.find(file);
  if (it == cache.end()) it = cache.emplace(file, decode(kSnd + "/" + file)).first;
  return it->second;
}

class EverySound : public ::testing::TestWithParam<Expect> {};

TEST_P(EverySound, ExistsDecodesAndIsNeitherSilentNorClipped) {
  const Expect& e = GetParam();
  std::ifstream probe(kSnd + "/" + e.file);
  ASSERT_TRUE(probe.good()) << e.file << " is missing from " << kSnd;
  const Decoded& d = decoded(e.file);
  ASSERT_TRUE(d.ok) << e.file << ": " << d.error;
  EXPECT_EQ(d.rate, 44100) << e.file;
  EXPECT_TRUE(d.channels == 1 || d.channels == 2) << e.file;
  // Not silent: a real signal, well above the noise floor.
  EXPECT_GT(d.peakDb(), -20.0) << e.file;
  EXPECT_GT(d.rmsDb(), -40.0) << e.file;
  // Not clipped: no sample at full scale, and the headroom the levels promise.
  EXPECT_EQ(d.fullScale, 0u) << e.file;
  EXPECT_LT(d.peakDb(), -1.0) << e.file;
}

TEST_P(EverySound, HasAPlausibleLength) {
  const Expect& e = GetParam();
  const Decoded& d = decoded(e.file);
  ASSERT_TRUE(d.ok) << e.file << ": " << d.error;
  EXPECT_GE(d.seconds(), e.minSeconds) << e.file;
  EXPECT_LE(d.seconds(), e.maxSeconds) << e.file;
}

TEST_P(EverySound, LevelBelongsWithTheOthers) {
  const Expect& e = GetParam();
  const Decoded& d = decoded(e.file);
  ASSERT_TRUE(d.ok) << e.file << ": " << d.error;
  if (e.kind == Expect::Music) {
    // Music sits well under the effects, which peak near -3 dBFS.
    EXPECT_LT(d.peakDb(), -6.0) << e.file;
    EXPECT_LT(d.rmsDb(), -22.0) << e.file;
    EXPECT_GT(d.rmsDb(), -32.0) << e.file;
  } else {
    // Effects and voices peak near -3 dBFS; softer ones (the hover tick, light punches) not
    // far below.
    // (-3 dBFS before encoding; Vorbis may overshoot a few tenths of a decibel.)
    EXPECT_GT(d.peakDb(), -10.0) << e.file;
    EXPECT_LT(d.peakDb(), -2.0) << e.file;
  }
}

INSTANTIATE_TEST_SUITE_P(Sounds, EverySound, ::testing::ValuesIn(kSounds),
                         [](const ::testing::TestParamInfo<Expect>& info) {
                           std::string n = info.param.file;
                           n = n.substr(0, n.find('.'));
                           return n;
                         });

TEST(Music, ThemeIsQuieterThanEveryTutorialVoice) {
  const Decoded& theme = decoded("theme.ogg");
  ASSERT_TRUE(theme.ok);
  for (int i = 1; i <= 8; ++i) {
    char name[32];
    snprintf(name, sizeof name, "tutorial%02d.ogg", i);
    const Decoded& v = decoded(name);
    ASSERT_TRUE(v.ok) << name;
    EXPECT_LT(theme.rmsDb(), v.rmsDb() - 3.0) << name;
  }
}

TEST(Music, ThemeStartsAndEndsQuietlySoThatItCanStartAgainWithoutAClick) {
  const Decoded& d = decoded("theme.ogg");
  ASSERT_TRUE(d.ok);
  EXPECT_LT(windowRmsDb(d, 0.0, 0.005), -45.0);
  EXPECT_LT(windowRmsDb(d, d.seconds() - 0.1, 0.1), -60.0);
  // and it is music all the way through: no silent stretch of a second in the first minute
  for (double t = 0; t + 1.0 < 60.0; t += 0.5) EXPECT_GT(windowRmsDb(d, t, 1.0), -45.0) << "at " << t << " s";
}

TEST(Count, TenNumbersLandOnThe850MillisecondGrid) {
  const Decoded& d = decoded("count.ogg");
  ASSERT_TRUE(d.ok);
  // 10 ms RMS envelope; an onset is a rise above a fifth of the loudest window after a dip
  // below a sixteenth of it.
  std::vector<double> env;
  const size_t w = static_cast<size_t>(d.rate / 100);
  for (size_t i = 0; i + w <= d.mono.size(); i += w) {
    double s = 0;
    for (size_t k = i; k < i + w; ++k) s += double(d.mono[k]) * d.mono[k];
    env.push_back(std::sqrt(s / w));
  }
  double loudest = *std::max_element(env.begin(), env.end());
  std::vector<double> onsets;
  bool quiet = true;
  for (size_t i = 0; i < env.size(); ++i) {
    if (quiet && env[i] > 0.2 * loudest) onsets.push_back(i * 0.01), quiet = false;
    else if (env[i] < loudest / 16) quiet = true;
  }
  ASSERT_EQ(onsets.size(), 10u);
  for (int n = 1; n <= 10; ++n) EXPECT_NEAR(onsets[n - 1], 0.85 * n, 0.12) << "number " << n;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Generator, MakesTheSameBytesAgain) {
  TempDir dir;
  std::string cmd = std::string("'") + SOUNDGEN_EXE + "' --out '" + dir.path() +
                    "' --espeak '" + ESPEAK_NG + "' --only bell.ogg,hit2.ogg,tutorial03.ogg > /dev/null";
  int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << cmd;
  for (const char* f : {"bell.ogg", "hit2.ogg", "tutorial03.ogg"}) {
    std::string again = readAll(dir.file(f));
    ASSERT_FALSE(again.empty()) << f;
    EXPECT_TRUE(again == readAll(kSnd + "/" + f)) << f << " differs from the build's copy";
  }
}

}  // namespace
