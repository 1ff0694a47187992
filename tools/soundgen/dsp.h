// Small signal-processing kit of the sound generator: a seeded random source, filters,
// oscillators, envelopes, a reverb and the level helpers. Everything runs at 44.1 kHz on
// float samples in -1..1; nothing here keeps global state, so sounds can be made in parallel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace sg {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

inline int samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }
inline double dbToGain(double db) { return std::pow(10.0, db / 20.0); }
inline double gainToDb(double g) { return g > 0 ? 20.0 * std::log10(g) : -200.0; }
inline double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// A mono or stereo piece of sound. Mono sounds use only `l`.
struct Audio {
  bool stereo = false;
  std::vector<float> l, r;

  static Audio mono(double seconds) {
    Audio a;
    a.l.assign(samples(seconds), 0.0f);
    return a;
  }
  static Audio twoChannels(double seconds) {
    Audio a;
    a.stereo = true;
    a.l.assign(samples(seconds), 0.0f);
    a.r.assign(samples(seconds), 0.0f);
    return a;
  }
  size_t frames() const { return l.size(); }
  double seconds() const { return static_cast<double>(l.size()) / kRate; }
  void resize(size_t n) {
    l.resize(n, 0.0f);
    if (stereo) r.resize(n, 0.0f);
  }
  // Adds `src` (mono or stereo) at `at` seconds with a gain and, for a mono source into a
  // stereo target, an equal-power pan (-1 left .. 1 right). Grows as needed.
  void mix(const Audio& src, double at, double gain = 1.0, double pan = 0.0) {
    size_t off = static_cast<size_t>(std::max(0, samples(at)));
    if (off + src.frames() > frames()) resize(off + src.frames());
    double a = (pan + 1.0) * kPi / 4.0;
    double gl = stereo && !src.stereo ? std::cos(a) * std::sqrt(2.0) : 1.0;
    double gr = stereo && !src.stereo ? std::sin(a) * std::sqrt(2.0) : 1.0;
    for (size_t i = 0; i < src.frames(); ++i) {
      if (stereo) {
        l[off + i] += static_cast<float>(src.l[i] * gain * gl);
        r[off + i] += static_cast<float>((src.stereo ? src.r[i] : src.l[i]) * gain * gr);
      } else {
        float v = src.stereo ? 0.5f * (src.l[i] + src.r[i]) : src.l[i];
        l[off + i] += static_cast<float>(v * gain);
      }
    }
  }
  void scale(double g) {
    for (float& v : l) v = static_cast<float>(v * g);
    for (float& v : r) v = static_cast<float>(v * g);
  }
  double peak() const {
    double p = 0;
    for (float v : l) p = std::max(p, static_cast<double>(std::fabs(v)));
    for (float v : r) p = std::max(p, static_cast<double>(std::fabs(v)));
    return p;
  }
  double rms() const {
    double s = 0;
    size_t n = 0;
    for (float v : l) s += double(v) * v, ++n;
    for (float v : r) s += double(v) * v, ++n;
    return n ? std::sqrt(s / n) : 0.0;
  }
  // Short fades at both ends so that no file starts or stops with a step.
  void fadeEnds(double inSeconds, double outSeconds) {
    size_t n = frames();
    size_t fi = std::min(n, static_cast<size_t>(samples(inSeconds)));
    size_t fo = std::min(n, static_cast<size_t>(samples(outSeconds)));
    for (size_t i = 0; i < fi; ++i) {
      float g = static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / fi));
      l[i] *= g;
      if (stereo) r[i] *= g;
    }
    for (size_t i = 0; i < fo; ++i) {
      float g = static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / fo));
      l[n - 1 - i] *= g;
      if (stereo) r[n - 1 - i] *= g;
    }
  }
  // Cuts trailing near-silence (below `db` dBFS), keeping `keep` seconds after the last sound.
  void trimTail(double db, double keep) {
    double th = dbToGain(db);
    size_t last = 0;
    for (size_t i = 0; i < frames(); ++i)
      if (std::fabs(l[i]) > th || (stereo && std::fabs(r[i]) > th)) last = i;
    size_t n = std::min(frames(), last + static_cast<size_t>(samples(keep)));
    resize(n);
  }
};

// Deterministic random numbers (xorshift64*), seeded per sound so that the order in which
// sounds are made never changes them.
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {
    if (s_ == 0) s_ = 1;
    for (int i = 0; i < 4; ++i) next();
  }
  static uint64_t hash(const std::string& text) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ull;
    return h;
  }
  uint64_t next() {
    s_ ^= s_ >> 12;
    s_ ^= s_ << 25;
    s_ ^= s_ >> 27;
    return s_ * 2685821657736338717ull;
  }
  double uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); }  // 0..1
  double range(double a, double b) { return a + (b - a) * uniform(); }
  double white() { return 2.0 * uniform() - 1.0; }                          // -1..1
  int below(int n) { return static_cast<int>(uniform() * n); }

 private:
  uint64_t s_;
};

// Pink-ish noise (Paul Kellet's economy filter over white noise).
class PinkNoise {
 public:
  explicit PinkNoise(uint64_t seed) : rng_(seed) {}
  double next() {
    double w = rng_.white();
    b0_ = 0.99765 * b0_ + w * 0.0990460;
    b1_ = 0.96300 * b1_ + w * 0.2965164;
    b2_ = 0.57000 * b2_ + w * 1.0526913;
    return (b0_ + b1_ + b2_ + w * 0.1848) * 0.25;
  }

 private:
  Rng rng_;
  double b0_ = 0, b1_ = 0, b2_ = 0;
};

// RBJ biquad; coefficients can be changed at any sample for sweeps.
class Biquad {
 public:
  enum Kind { LowPass, HighPass, BandPass, Peak, LowShelf, HighShelf };
  Biquad() = default;
  Biquad(Kind k, double hz, double q, double gainDb = 0.0) { set(k, hz, q, gainDb); }

  void set(Kind k, double hz, double q, double gainDb = 0.0) {
    hz = std::clamp(hz, 10.0, kRate * 0.45);
    double w = 2.0 * kPi * hz / kRate;
    double cw = std::cos(w), sw = std::sin(w);
    double alpha = sw / (2.0 * q);
    double A = std::pow(10.0, gainDb / 40.0);
    double a0 = 1, a1 = 0, a2 = 0;
    switch (k) {
      case LowPass:
        b0_ = (1 - cw) / 2, b1_ = 1 - cw, b2_ = (1 - cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
      case HighPass:
        b0_ = (1 + cw) / 2, b1_ = -(1 + cw), b2_ = (1 + cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
      case BandPass:  // 0 dB peak gain
        b0_ = alpha, b1_ = 0, b2_ = -alpha;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
      case Peak:
        b0_ = 1 + alpha * A, b1_ = -2 * cw, b2_ = 1 - alpha * A;
        a0 = 1 + alpha / A, a1 = -2 * cw, a2 = 1 - alpha / A;
        break;
      case LowShelf: {
        double s = 2 * std::sqrt(A) * alpha;
        b0_ = A * ((A + 1) - (A - 1) * cw + s);
        b1_ = 2 * A * ((A - 1) - (A + 1) * cw);
        b2_ = A * ((A + 1) - (A - 1) * cw - s);
        a0 = (A + 1) + (A - 1) * cw + s;
        a1 = -2 * ((A - 1) + (A + 1) * cw);
        a2 = (A + 1) + (A - 1) * cw - s;
        break;
      }
      case HighShelf: {
        double s = 2 * std::sqrt(A) * alpha;
        b0_ = A * ((A + 1) + (A - 1) * cw + s);
        b1_ = -2 * A * ((A - 1) + (A + 1) * cw);
        b2_ = A * ((A + 1) + (A - 1) * cw - s);
        a0 = (A + 1) - (A - 1) * cw + s;
        a1 = 2 * ((A - 1) - (A + 1) * cw);
        a2 = (A + 1) - (A - 1) * cw - s;
        break;
      }
    }
    b0_ /= a0, b1_ /= a0, b2_ /= a0, a1_ = a1 / a0, a2_ = a2 / a0;
  }
  double process(double x) {
    double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return y;
  }
  void run(std::vector<float>& v) {
    for (float& s : v) s = static_cast<float>(process(s));
  }

 private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0, z1_ = 0, z2_ = 0;
};

// Runs one filter setting over a whole sound (both channels, each with its own state).
inline void filter(Audio& a, Biquad::Kind k, double hz, double q, double gainDb = 0.0) {
  Biquad f(k, hz, q, gainDb);
  f.run(a.l);
  if (a.stereo) {
    Biquad g(k, hz, q, gainDb);
    g.run(a.r);
  }
}

// One-pole smoother, used for control signals (random swells, syllable envelopes).
class Smooth {
 public:
  explicit Smooth(double hz = 10.0) { setHz(hz); }
  void setHz(double hz) { k_ = 1.0 - std::exp(-2.0 * kPi * hz / kRate); }
  double process(double x) { return y_ += k_ * (x - y_); }
  void reset(double v) { y_ = v; }
  double value() const { return y_; }

 private:
  double k_ = 0, y_ = 0;
};

// Band-limited oscillators (polyBLEP) so that the synthesiser's saws and squares do not alias
// into harsh whistles.
inline double polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

class Osc {
 public:
  enum Shape { Sine, Saw, Square, Triangle };
  explicit Osc(Shape s = Sine, double phase = 0.0) : shape_(s), phase_(phase) {}
  double next(double hz) {
    double dt = hz / kRate;
    double t = phase_;
    double v = 0;
    switch (shape_) {
      case Sine: v = std::sin(2.0 * kPi * t); break;
      case Saw: v = 2.0 * t - 1.0 - polyBlep(t, dt); break;
      case Square: {
        v = t < 0.5 ? 1.0 : -1.0;
        v += polyBlep(t, dt);
        double t2 = t + 0.5;
        if (t2 >= 1.0) t2 -= 1.0;
        v -= polyBlep(t2, dt);
        break;
      }
      case Triangle: v = 1.0 - 4.0 * std::fabs(t - 0.5); break;
    }
    phase_ += dt;
    while (phase_ >= 1.0) phase_ -= 1.0;
    return v;
  }

 private:
  Shape shape_;
  double phase_;
};

// Attack-decay-sustain-release envelope evaluated at a time t (seconds) for a note held
// `hold` seconds. Attack is linear, decay and release exponential-looking.
struct Adsr {
  double attack = 0.005, decay = 0.2, sustain = 0.7, release = 0.2;
  double at(double t, double hold) const {
    auto level = [&](double u) {
      if (u < attack) return u / attack;
      double d = u - attack;
      return sustain + (1.0 - sustain) * std::exp(-d / std::max(1e-4, decay));
    };
    if (t < hold) return level(t);
    double r = t - hold;
    return level(hold) * std::exp(-r / std::max(1e-4, release / 4.0)) *
           std::max(0.0, 1.0 - r / (1.5 * release));
  }
};

// A short fade-in / exponential decay envelope, the usual shape of a struck sound.
inline double strike(double t, double attack, double tau) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

// Freeverb-style reverb (eight combs and four all-passes per channel), tuned for 44.1 kHz.
class Reverb {
 public:
  Reverb(double roomSize, double damping, double width = 1.0) : width_(width) {
    static const int combs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int alls[4] = {556, 441, 341, 225};
    for (int c = 0; c < 2; ++c) {
      int spread = c ? 23 : 0;
      for (int i = 0; i < 8; ++i) comb_[c][i].init(combs[i] + spread, roomSize, damping);
      for (int i = 0; i < 4; ++i) all_[c][i].init(alls[i] + spread);
    }
  }
  // Returns the wet signal of a mono or stereo input as a stereo sound of the same length
  // plus `tail` seconds.
  Audio wet(const Audio& in, double tail) {
    Audio out = Audio::twoChannels(in.seconds() + tail);
    for (size_t i = 0; i < out.frames(); ++i) {
      double x = 0;
      if (i < in.frames()) x = in.stereo ? 0.5 * (in.l[i] + in.r[i]) : in.l[i];
      x *= 0.015;  // Freeverb's fixed input gain
      double o[2];
      for (int c = 0; c < 2; ++c) {
        double s = 0;
        for (auto& cb : comb_[c]) s += cb.process(x);
        for (auto& ap : all_[c]) s = ap.process(s);
        o[c] = s;
      }
      double w1 = width_ / 2 + 0.5, w2 = (1 - width_) / 2;
      out.l[i] = static_cast<float>(o[0] * w1 + o[1] * w2);
      out.r[i] = static_cast<float>(o[1] * w1 + o[0] * w2);
    }
    return out;
  }

 private:
  struct Comb {
    std::vector<double> buf;
    size_t pos = 0;
    double feedback = 0, damp = 0, store = 0;
    void init(int n, double room, double d) {
      buf.assign(n, 0.0);
      feedback = room * 0.28 + 0.7;
      damp = d * 0.4;
    }
    double process(double x) {
      double y = buf[pos];
      store = y * (1 - damp) + store * damp;
      buf[pos] = x + store * feedback;
      if (++pos >= buf.size()) pos = 0;
      return y;
    }
  };
  struct AllPass {
    std::vector<double> buf;
    size_t pos = 0;
    void init(int n) { buf.assign(n, 0.0); }
    double process(double x) {
      double b = buf[pos];
      double y = -x + b;
      buf[pos] = x + b * 0.5;
      if (++pos >= buf.size()) pos = 0;
      return y;
    }
  };
  Comb comb_[2][8];
  AllPass all_[2][4];
  double width_;
};

// Adds a reverb of the sound to itself: the result is stereo and `tail` seconds longer.
inline Audio withReverb(const Audio& dry, double room, double damping, double wetGain,
                        double tail) {
  Reverb rv(room, damping);
  Audio out = rv.wet(dry, tail);
  out.scale(wetGain);
  out.mix(dry, 0.0, 1.0, 0.0);
  return out;
}

// Stereo to mono by averaging.
inline Audio toMono(const Audio& a) {
  if (!a.stereo) return a;
  Audio m;
  m.l.resize(a.frames());
  for (size_t i = 0; i < a.frames(); ++i) m.l[i] = 0.5f * (a.l[i] + a.r[i]);
  return m;
}

// Soft limiter: leaves everything below `threshold` alone and bends what lies above it
// smoothly towards `ceiling` (both linear gains).
inline void softLimit(Audio& a, double threshold, double ceiling) {
  auto f = [&](float v) {
    double m = std::fabs(v);
    if (m <= threshold) return v;
    double room = ceiling - threshold;
    double over = m - threshold;
    double bent = threshold + room * std::tanh(over / room);
    return static_cast<float>(v < 0 ? -bent : bent);
  };
  for (float& v : a.l) v = f(v);
  for (float& v : a.r) v = f(v);
}

// A feed-forward compressor on the (linked) level of both channels: above `thresholdDb`
// (relative to the sound's own peak) the level rises only 1/`ratio` as fast. Evens out
// speech so that its loudness, not only its peak, matches the other effects.
inline void compress(Audio& a, double thresholdDb, double ratio, double attack, double release) {
  double p = a.peak();
  if (p <= 0) return;
  double th = p * dbToGain(thresholdDb);
  double ka = 1.0 - std::exp(-1.0 / (attack * kRate)), kr = 1.0 - std::exp(-1.0 / (release * kRate));
  double env = 0;
  for (size_t i = 0; i < a.frames(); ++i) {
    double x = std::fabs(a.l[i]);
    if (a.stereo) x = std::max(x, static_cast<double>(std::fabs(a.r[i])));
    env += (x > env ? ka : kr) * (x - env);
    double g = 1.0;
    if (env > th) g = std::pow(env / th, 1.0 / ratio - 1.0);
    a.l[i] = static_cast<float>(a.l[i] * g);
    if (a.stereo) a.r[i] = static_cast<float>(a.r[i] * g);
  }
}

// Scales the sound so that its highest sample sits at `db` dBFS.
inline void normalisePeak(Audio& a, double db) {
  double p = a.peak();
  if (p > 0) a.scale(dbToGain(db) / p);
}

}  // namespace sg
