// The music: the main-menu theme and the studio jingle, composed here as note lists and
// rendered by a small synthesiser (FM electric piano, string pad, bass, brass-like lead,
// flute, glockenspiel and a drum kit), mixed in stereo with a hall reverb.
#include <cctype>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

#include "sounds.h"

namespace sg {

namespace {

// ---- Instruments --------------------------------------------------------------------------
// Each renders one note (frequency in Hz, held `hold` seconds, velocity 0..1) into a new
// sound that starts at the note's start and includes its release.

Audio electricPiano(double f, double hold, double vel) {
  Audio a = Audio::mono(hold + 0.6);
  double tau = 1.7 * std::pow(220.0 / f, 0.35);
  // The modulator runs as a rotating unit vector (cheaper than a sine per sample); the
  // envelopes decay by constant factors per sample.
  double c = 1.0, s = 0.0;
  const double cw = std::cos(2 * kPi * f / kRate), sw = std::sin(2 * kPi * f / kRate);
  double phase = 0.0;
  const double dphase = 2 * kPi * f / kRate;
  double idx = 2.0, bark = 0.1, env = 1.0, rel = 1.0;
  const double kIdx = std::exp(-1.0 / (0.2 * kRate)), kBark = std::exp(-1.0 / (0.35 * kRate));
  const double kEnv = std::exp(-1.0 / (tau * kRate)), kRel = std::exp(-1.0 / (0.09 * kRate));
  const int attack = samples(0.002), holdEnd = samples(hold);
  for (size_t i = 0; i < a.frames(); ++i) {
    double index = (idx + 0.28) * (0.55 + 0.6 * vel);
    double car = std::sin(phase + index * s);
    double v = car + bark * 2.0 * s * c;  // sin(2x) = 2 sin x cos x
    double e = (static_cast<int>(i) < attack ? double(i) / attack : env) * rel;
    a.l[i] = static_cast<float>(v * e * vel);
    double nc = c * cw - s * sw;
    s = s * cw + c * sw;
    c = nc;
    if ((i & 1023) == 0) {  // keep the rotator on the unit circle
      double n = 1.0 / std::sqrt(c * c + s * s);
      c *= n, s *= n;
    }
    phase += dphase;
    if (phase > 2 * kPi) phase -= 2 * kPi;
    idx *= kIdx, bark *= kBark;
    if (static_cast<int>(i) >= attack) env *= kEnv;
    if (static_cast<int>(i) >= holdEnd) rel *= kRel;
  }
  return a;
}

Audio stringPad(Rng& rng, double f, double hold, double vel) {
  Audio a = Audio::twoChannels(hold + 1.2);
  Osc o1(Osc::Saw, rng.uniform()), o2(Osc::Saw, rng.uniform()), o3(Osc::Saw, rng.uniform());
  Biquad lpL(Biquad::LowPass, 1500 + 500 * vel, 0.6), lpR(Biquad::LowPass, 1500 + 500 * vel, 0.6);
  Adsr env{0.45, 1.2, 0.85, 0.9};
  const double c = std::pow(2.0, 8.0 / 1200.0);
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double e = env.at(t, hold) * vel;
    double s1 = o1.next(f / c), s2 = o2.next(f), s3 = o3.next(f * c);
    a.l[i] = static_cast<float>(lpL.process(s1 + 0.6 * s2) * e);
    a.r[i] = static_cast<float>(lpR.process(s3 + 0.6 * s2) * e);
  }
  return a;
}

Audio bass(double f, double hold, double vel) {
  Audio a = Audio::mono(hold + 0.16);
  Osc saw(Osc::Saw), sub(Osc::Sine);
  Biquad lp;
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    if (i % 32 == 0) lp.set(Biquad::LowPass, 260 + 900 * vel * std::exp(-t / 0.09), 1.1);
    double v = lp.process(0.6 * saw.next(f) + 0.9 * sub.next(f));
    double env = t < 0.004 ? t / 0.004 : 0.72 + 0.28 * std::exp(-(t - 0.004) / 0.25);
    if (t > hold) env *= std::exp(-(t - hold) / 0.025);
    a.l[i] = static_cast<float>(v * env * vel);
  }
  return a;
}

// A warm brass-like lead: two detuned saws whose filter opens with the attack, with a
// vibrato that comes in on longer notes.
Audio brassLead(double f, double hold, double vel) {
  Audio a = Audio::mono(hold + 0.4);
  Osc s1(Osc::Saw), s2(Osc::Saw, 0.3), sq(Osc::Square, 0.1);
  Biquad lp, lp2;
  const double c = std::pow(2.0, 5.0 / 1200.0);
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double fe = (1 - std::exp(-t / 0.045)) * (0.65 + 0.35 * std::exp(-t / 0.25));
    if (t > hold) fe *= std::exp(-(t - hold) / 0.08);
    if (i % 32 == 0) {
      double cut = std::min(3000.0, 600 + 2300 * fe * (0.6 + 0.4 * vel) + 0.4 * f);
      lp.set(Biquad::LowPass, cut, 0.9);
      lp2.set(Biquad::LowPass, cut * 1.2, 0.6);
    }
    double vib = t > 0.22 ? 1.0 + 0.006 * std::min(1.0, (t - 0.22) / 0.3) * std::sin(2 * kPi * 5.2 * t) : 1.0;
    double v = lp2.process(lp.process(s1.next(f * vib / c) + s2.next(f * vib * c) + 0.3 * sq.next(f * vib / 2)));
    double env = t < 0.03 ? t / 0.03 : 0.85 + 0.15 * std::exp(-(t - 0.03) / 0.12);
    if (t > hold) env *= std::exp(-(t - hold) / 0.07);
    a.l[i] = static_cast<float>(0.5 * v * env * vel);
  }
  return a;
}

Audio flute(Rng& rng, double f, double hold, double vel) {
  Audio a = Audio::mono(hold + 0.35);
  Osc s(Osc::Sine), tr(Osc::Triangle);
  Biquad breath(Biquad::BandPass, std::min(4000.0, 2 * f), 2.0);
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double vib = 1.0 + 0.005 * std::min(1.0, t / 0.4) * std::sin(2 * kPi * 4.8 * t);
    double env = t < 0.06 ? t / 0.06 : 1.0;
    if (t > hold) env *= std::exp(-(t - hold) / 0.06);
    double v = s.next(f * vib) + 0.22 * tr.next(f * vib) + 0.05 * breath.process(rng.white());
    a.l[i] = static_cast<float>(v * env * vel);
  }
  return a;
}

Audio glockenspiel(double f, double vel) {
  Audio a = Audio::mono(1.4);
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double v = std::sin(2 * kPi * f * t) * strike(t, 0.001, 0.55) +
               0.18 * std::sin(2 * kPi * 2.76 * f * t) * strike(t, 0.001, 0.12) +
               0.05 * std::sin(2 * kPi * 5.4 * f * t) * strike(t, 0.001, 0.04);
    a.l[i] = static_cast<float>(v * vel);
  }
  a.fadeEnds(0.0, 0.2);
  return a;
}

enum class Drum { Kick, Snare, HatClosed, HatOpen, Crash, TomHigh, TomMid, TomLow, Boom };

Audio drum(Rng& rng, Drum d, double vel) {
  Audio a;
  switch (d) {
    case Drum::Kick: {
      a = Audio::mono(0.8);
      Biquad lp(Biquad::LowPass, 2000, 0.7);
      double ph = 0;
      for (size_t i = 0; i < a.frames(); ++i) {
        double t = double(i) / kRate;
        ph += 2 * kPi * (47 + 105 * std::exp(-t / 0.032)) / kRate;
        double v = std::tanh(1.4 * std::sin(ph) * strike(t, 0.001, 0.16)) / std::tanh(1.4);
        v += 0.3 * lp.process(rng.white()) * strike(t, 0.0003, 0.004);
        a.l[i] = static_cast<float>(v);
      }
      break;
    }
    case Drum::Snare: {
      a = Audio::mono(0.7);
      Biquad hp(Biquad::HighPass, 1300, 0.7), lp(Biquad::LowPass, 6500, 0.7),
          dip(Biquad::Peak, 3200, 1.0, -5.0);
      for (size_t i = 0; i < a.frames(); ++i) {
        double t = double(i) / kRate;
        double tone = 0.55 * std::sin(2 * kPi * 185 * t) * strike(t, 0.001, 0.07) +
                      0.22 * std::sin(2 * kPi * 330 * t) * strike(t, 0.001, 0.05);
        double noise = dip.process(lp.process(hp.process(rng.white()))) * strike(t, 0.001, 0.12);
        a.l[i] = static_cast<float>(tone + 0.75 * noise);
      }
      break;
    }
    case Drum::HatClosed:
    case Drum::HatOpen: {
      bool open = d == Drum::HatOpen;
      a = Audio::mono(open ? 0.5 : 0.12);
      Biquad hp(Biquad::HighPass, 7500, 0.7), hp2(Biquad::HighPass, 6000, 0.7);
      for (size_t i = 0; i < a.frames(); ++i) {
        double t = double(i) / kRate;
        double v = hp2.process(hp.process(rng.white())) * strike(t, 0.0005, open ? 0.2 : 0.032);
        a.l[i] = static_cast<float>(0.5 * v);
      }
      a.fadeEnds(0.0, open ? 0.1 : 0.02);
      break;
    }
    case Drum::Crash: {
      a = Audio::mono(2.2);
      Biquad hp(Biquad::HighPass, 5200, 0.7), lp(Biquad::LowPass, 11000, 0.7),
          body(Biquad::BandPass, 600, 1.0);
      for (size_t i = 0; i < a.frames(); ++i) {
        double t = double(i) / kRate;
        double n = rng.white();
        double v = lp.process(hp.process(n)) * strike(t, 0.002, 0.7) + 0.15 * body.process(n) * strike(t, 0.001, 0.1);
        a.l[i] = static_cast<float>(0.4 * v);
      }
      a.fadeEnds(0.0, 0.6);
      break;
    }
    case Drum::TomHigh:
    case Drum::TomMid:
    case Drum::TomLow:
    case Drum::Boom: {
      double base = d == Drum::TomHigh ? 190 : d == Drum::TomMid ? 145 : d == Drum::TomLow ? 105 : 73.4;
      double tau = d == Drum::Boom ? 0.9 : 0.22;
      a = Audio::mono(d == Drum::Boom ? 4.0 : 1.2);
      Biquad lp(Biquad::LowPass, 1200, 0.7);
      double ph = 0;
      for (size_t i = 0; i < a.frames(); ++i) {
        double t = double(i) / kRate;
        ph += 2 * kPi * base * (1 + 0.45 * std::exp(-t / 0.05)) / kRate;
        double v = std::sin(ph) * strike(t, 0.002, tau) + 0.25 * lp.process(rng.white()) * strike(t, 0.001, 0.02);
        a.l[i] = static_cast<float>(v);
      }
      break;
    }
  }
  a.fadeEnds(0.0, 0.2 * a.seconds());  // every drum ends at silence, without a click
  a.scale(vel);
  return a;
}

// ---- Notation -----------------------------------------------------------------------------

// "A4", "G#4", "Bb3" -> MIDI note number.
int noteNumber(const std::string& name) {
  static const int pcs[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  char letter = static_cast<char>(std::toupper(name.at(0)));
  if (letter < 'A' || letter > 'G') throw std::runtime_error("bad note " + name);
  int pc = pcs[letter - 'A'];
  size_t p = 1;
  if (p < name.size() && name[p] == '#') ++pc, ++p;
  else if (p < name.size() && name[p] == 'b') --pc, ++p;
  int octave = std::stoi(name.substr(p));
  return 12 * (octave + 1) + pc;
}

struct MelodyNote {
  double beat, len;
  int pitch;  // -1: rest
};

// "r:0.5 E4:0.5 A4:1" from `startBeat` on.
std::vector<MelodyNote> parseLine(const std::string& line, double startBeat) {
  std::vector<MelodyNote> out;
  std::istringstream in(line);
  std::string tok;
  double b = startBeat;
  while (in >> tok) {
    size_t colon = tok.find(':');
    std::string n = tok.substr(0, colon);
    double len = std::stod(tok.substr(colon + 1));
    if (n != "r") out.push_back({b, len, noteNumber(n)});
    b += len;
  }
  return out;
}

struct Chord {
  std::vector<int> voicing;  // electric-piano notes around middle C
  int root;                  // bass note
};

const std::map<std::string, Chord>& chords() {
  static const std::map<std::string, Chord> c = {
      {"Am", {{57, 60, 64}, 45}},  {"F", {{57, 60, 65}, 41}},    {"C", {{55, 60, 64}, 48}},
      {"G", {{55, 59, 62}, 43}},   {"Dm", {{57, 62, 65}, 50}},   {"E", {{56, 59, 64}, 40}},
      {"Em", {{55, 59, 64}, 40}},  {"Esus4", {{57, 59, 64}, 40}}, {"D", {{57, 62, 66}, 50}},
  };
  return c;
}

struct ChordSpan {
  double beat, len;
  std::string name;
};

// ---- The mixer ----------------------------------------------------------------------------

struct Bus {
  Audio audio = Audio::twoChannels(1.0);
  double gain, send;  // level and reverb send
};

class Mix {
 public:
  // `length`: the piece's length in seconds; the buses are made that long up front.
  Mix(double bpm, double length) : beat_(60.0 / bpm), length_(length) {}
  double seconds(double beat) const { return beat * beat_; }
  double beatLen() const { return beat_; }

  Bus& bus(const std::string& name, double gain, double send) {
    auto it = buses_.find(name);
    if (it == buses_.end()) it = buses_.emplace(name, Bus{Audio::twoChannels(length_), gain, send}).first;
    return it->second;
  }
  void add(const std::string& name, const Audio& note, double beat, double pan, double jitter = 0) {
    buses_.at(name).audio.mix(note, std::max(0.0, seconds(beat) + jitter), 1.0, pan);
  }
  // Sums the buses and their reverb sends into one stereo sound of `length` seconds.
  Audio render(double length, double room, double damping, double wetGain) {
    Audio dry = Audio::twoChannels(length), send = Audio::twoChannels(length);
    for (auto& [name, b] : buses_) {
      dry.mix(b.audio, 0.0, b.gain);
      send.mix(b.audio, 0.0, b.gain * b.send);
    }
    dry.resize(samples(length));
    send.resize(samples(length));
    Reverb rv(room, damping);
    Audio wet = rv.wet(send, 0.0);
    wet.resize(dry.frames());
    dry.mix(wet, 0.0, wetGain);
    return dry;
  }

 private:
  double beat_, length_;
  std::map<std::string, Bus> buses_;
};

// ---- The theme ----------------------------------------------------------------------------

Audio theme(Rng& rng) {
  const int barCount = 32;
  const double length = 4.0 * barCount * 60.0 / 104.0 + 3.0;  // and the last chord's tail
  Mix mix(104.0, length);
  mix.bus("drums", 0.7, 0.10);
  mix.bus("bass", 0.7, 0.0);
  mix.bus("ep", 0.26, 0.30);
  mix.bus("pad", 0.11, 0.50);
  mix.bus("lead", 0.8, 0.32);
  mix.bus("flute", 0.45, 0.40);
  mix.bus("glock", 0.25, 0.50);
  auto jitter = [&] { return rng.range(-0.005, 0.005); };
  auto velJ = [&](double v) { return v * rng.range(0.92, 1.04); };

  // Bars 0-3 intro, 4-11 A, 12-19 B, 20-27 A again with a harmony, 28-31 ending.
  const std::vector<std::vector<std::string>> bars = {
      {"Am"}, {"F"}, {"C"}, {"G"},
      {"Am"}, {"F"}, {"C"}, {"G"}, {"Am"}, {"F"}, {"Dm", "E"}, {"Am"},
      {"F"}, {"G"}, {"Em"}, {"Am"}, {"F"}, {"G"}, {"Esus4"}, {"E"},
      {"Am"}, {"F"}, {"C"}, {"G"}, {"Am"}, {"F"}, {"Dm", "E"}, {"Am"},
      {"Am"}, {"F"}, {"Dm", "E"}, {"Am"}};
  if (static_cast<int>(bars.size()) != barCount) throw std::runtime_error("theme: bar count");
  std::vector<ChordSpan> spans;
  for (int b = 0; b < barCount; ++b) {
    double len = 4.0 / bars[b].size();
    for (size_t k = 0; k < bars[b].size(); ++k) spans.push_back({4.0 * b + len * k, len, bars[b][k]});
  }
  auto chordAt = [&](double beat) -> const Chord& {
    for (const ChordSpan& s : spans)
      if (beat >= s.beat - 1e-9 && beat < s.beat + s.len - 1e-9) return chords().at(s.name);
    return chords().at("Am");
  };

  const std::vector<std::string> melodyA = {
      "r:0.5 E4:0.5 A4:0.5 B4:0.5 C5:1 B4:0.5 A4:0.5", "A4:1.5 G4:0.5 F4:1 E4:1",
      "r:0.5 E4:0.5 G4:0.5 C5:0.5 E5:1.5 D5:0.5",     "D5:2 B4:1 G4:1",
      "r:0.5 E4:0.5 A4:0.5 B4:0.5 C5:1 D5:0.5 E5:0.5", "F5:1.5 E5:0.5 C5:1 A4:1",
      "D5:1 F5:1 E5:1 G#4:1",                          "A4:3 r:1"};
  const std::vector<std::string> melodyB = {
      "C5:1 F5:1 A5:1.5 G5:0.5", "G5:1.5 F5:0.5 D5:1 B4:1", "E5:1.5 D5:0.5 E5:1 G5:1",
      "A5:2 E5:1 C5:1",          "F5:1 E5:0.5 F5:0.5 A5:1 G5:1", "G5:1 F5:0.5 G5:0.5 D5:2",
      "E5:2 A4:1 B4:1",          "G#4:2 B4:1 E5:1"};
  const std::vector<std::string> melodyEnd = {"E5:1 D5:0.5 C5:0.5 B4:1 A4:1", "C5:2 A4:2",
                                              "D5:1 F5:1 E5:1 B4:1", "A4:4"};

  auto playLead = [&](const std::vector<std::string>& lines, int firstBar, double vel, bool harmony) {
    for (size_t k = 0; k < lines.size(); ++k)
      for (const MelodyNote& n : parseLine(lines[k], 4.0 * (firstBar + static_cast<int>(k)))) {
        double hold = mix.seconds(n.len) * 0.9;
        mix.add("lead", brassLead(midiHz(n.pitch), hold, velJ(vel)), n.beat, 0.12, jitter());
        if (!harmony) continue;
        // The harmony: the nearest tone of the current chord at least a minor third below.
        const Chord& c = chordAt(n.beat);
        int best = -1;
        for (int p = n.pitch - 3; p >= n.pitch - 9 && best < 0; --p)
          for (int v : c.voicing)
            if ((p - v) % 12 == 0) best = p;
        if (best > 0) mix.add("flute", flute(rng, midiHz(best), hold, velJ(0.7)), n.beat, -0.3, jitter());
      }
  };
  playLead(melodyA, 4, 0.85, false);
  for (size_t k = 0; k < melodyB.size(); ++k)
    for (const MelodyNote& n : parseLine(melodyB[k], 4.0 * (12 + static_cast<int>(k))))
      mix.add("flute", flute(rng, midiHz(n.pitch), mix.seconds(n.len) * 0.94, velJ(0.95)), n.beat, 0.1, jitter());
  playLead(melodyA, 20, 0.9, true);
  playLead({melodyEnd.begin(), melodyEnd.end() - 1}, 28, 0.65, false);
  for (const MelodyNote& n : parseLine(melodyEnd.back(), 4.0 * 31))
    mix.add("flute", flute(rng, midiHz(n.pitch), mix.seconds(n.len), 0.7), n.beat, 0.1);

  // Electric piano: broken chords in the first two bars, then a light comping rhythm.
  for (const ChordSpan& s : spans) {
    const Chord& c = chords().at(s.name);
    int bar = static_cast<int>(s.beat / 4.0);
    if (bar < 2) {
      const int order[8] = {0, 1, 2, 1, 0, 1, 2, 1};
      for (int k = 0; k < 8; ++k) {
        int p = c.voicing[order[k]] + (k == 2 || k == 6 ? 12 : 0);
        mix.add("ep", electricPiano(midiHz(p), mix.seconds(0.45), velJ(0.55)), s.beat + 0.5 * k,
                k % 2 ? 0.25 : -0.25, jitter());
      }
      continue;
    }
    if (bar == barCount - 1) {
      for (int p : c.voicing) mix.add("ep", electricPiano(midiHz(p), mix.seconds(4.0), 0.75), s.beat, 0.0);
      mix.add("ep", electricPiano(midiHz(c.voicing[0] + 12), mix.seconds(4.0), 0.5), s.beat + 0.02, 0.2);
      continue;
    }
    struct Hit { double at, len, vel; };
    static const Hit full[] = {{0, 1.45, 0.8}, {1.5, 0.9, 0.6}, {2.5, 0.45, 0.55}, {3.0, 0.95, 0.65}};
    static const Hit half[] = {{0, 1.45, 0.8}, {1.5, 0.45, 0.6}};
    const Hit* hits = s.len > 3 ? full : half;
    int count = s.len > 3 ? 4 : 2;
    for (int h = 0; h < count; ++h)
      for (size_t v = 0; v < c.voicing.size(); ++v)
        mix.add("ep", electricPiano(midiHz(c.voicing[v]), mix.seconds(hits[h].len), velJ(hits[h].vel)),
                s.beat + hits[h].at, -0.3 + 0.3 * v, jitter() + 0.004 * v);
  }

  // String pad under everything, opening up an octave in the B part.
  for (const ChordSpan& s : spans) {
    const Chord& c = chords().at(s.name);
    int bar = static_cast<int>(s.beat / 4.0);
    double vel = bar < 4 ? 0.55 : (bar >= 12 && bar < 20 ? 1.0 : 0.75);
    double hold = mix.seconds(s.len) * (bar == barCount - 1 ? 1.0 : 0.98);
    for (int p : c.voicing) mix.add("pad", stringPad(rng, midiHz(p), hold, vel), s.beat, 0.0);
    if (bar >= 12 && bar < 20) mix.add("pad", stringPad(rng, midiHz(c.voicing.back() + 12), hold, 0.6), s.beat, 0.0);
  }

  // Bass from bar 2: root, a push before beat 2, the fifth, and a step into the next chord.
  for (size_t i = 0; i < spans.size(); ++i) {
    const ChordSpan& s = spans[i];
    int bar = static_cast<int>(s.beat / 4.0);
    if (bar < 2) continue;
    int root = chords().at(s.name).root;
    int next = i + 1 < spans.size() ? chords().at(spans[i + 1].name).root : root;
    auto play = [&](double at, double len, int p, double v) {
      mix.add("bass", bass(midiHz(p), mix.seconds(len) * 0.92, velJ(v)), s.beat + at, 0.0, jitter());
    };
    if (bar == barCount - 1) {
      play(0, 3.5, root, 0.9);
      continue;
    }
    int fifth = root + 7 <= 52 ? root + 7 : root - 5;
    int approach = next == root ? fifth : next + (next > root ? -1 : 2);
    if (s.len > 3) {
      play(0, 1.4, root, 0.95);
      play(1.5, 0.45, root, 0.7);
      play(2.5, 0.9, fifth, 0.8);
      play(3.5, 0.45, approach, 0.75);
    } else {
      play(0, 1.4, root, 0.95);
      play(1.5, 0.45, approach, 0.7);
    }
  }

  // Glockenspiel arpeggios in the B part.
  for (const ChordSpan& s : spans) {
    int bar = static_cast<int>(s.beat / 4.0);
    if (bar < 12 || bar >= 20) continue;
    const Chord& c = chords().at(s.name);
    const int order[8] = {0, 1, 2, 1, 2, 0, 1, 2};
    for (int k = 0; k < 8; ++k)
      mix.add("glock", glockenspiel(midiHz(c.voicing[order[k]] + 12 + (k == 4 ? 12 : 0)), velJ(k % 2 ? 0.5 : 0.7)),
              s.beat + 0.5 * k, k % 2 ? 0.45 : 0.3, jitter());
  }

  // Drums.
  auto hit = [&](Drum d, double beat, double vel, double pan = 0.0) {
    mix.add("drums", drum(rng, d, velJ(vel)), beat, pan, jitter());
  };
  for (int bar = 2; bar < barCount; ++bar) {
    double b0 = 4.0 * bar;
    bool intro = bar < 4, partB = bar >= 12 && bar < 20, ending = bar >= 28;
    bool fillBar = bar == 3 || bar == 11 || bar == 19 || bar == 27;
    if (bar == barCount - 1) {
      hit(Drum::Kick, b0, 0.9);
      hit(Drum::Crash, b0, 0.6, 0.3);
      continue;
    }
    if (bar == 4 || bar == 12 || bar == 20) hit(Drum::Crash, b0, 0.7, 0.3);
    // Kick
    hit(Drum::Kick, b0, 1.0);
    if (intro || ending) {
      hit(Drum::Kick, b0 + 2.0, 0.85);
    } else {
      if (!partB) hit(Drum::Kick, b0 + 1.75, 0.6);
      hit(Drum::Kick, b0 + 2.5, 0.85);
    }
    // Snare: backbeat, half-time in the B part, none in the intro.
    if (!intro) {
      if (partB) {
        hit(Drum::Snare, b0 + 2.0, 0.9, -0.05);
      } else {
        hit(Drum::Snare, b0 + 1.0, 0.85, -0.05);
        if (!fillBar) hit(Drum::Snare, b0 + 3.0, 0.9, -0.05);
      }
    }
    // Hats in eighths, accented on the beat, an open hat every other bar.
    for (int k = 0; k < 8; ++k) {
      if (fillBar && k >= 6) break;
      bool openHat = k == 7 && bar % 2 == 1 && !fillBar;
      hit(openHat ? Drum::HatOpen : Drum::HatClosed, b0 + 0.5 * k, (k % 2 ? 0.45 : 0.7) * (ending ? 0.7 : 1.0), 0.35);
    }
    if (fillBar) {
      if (bar == 3) {
        for (int k = 0; k < 4; ++k) hit(Drum::Snare, b0 + 3.0 + 0.25 * k, 0.4 + 0.15 * k, -0.05);
      } else {
        hit(Drum::TomHigh, b0 + 3.0, 0.8, 0.3);
        hit(Drum::TomHigh, b0 + 3.25, 0.65, 0.3);
        hit(Drum::TomMid, b0 + 3.5, 0.8, 0.0);
        hit(Drum::TomLow, b0 + 3.75, 0.85, -0.3);
      }
    }
  }

  Audio out = mix.render(length, 0.78, 0.5, 1.0);
  filter(out, Biquad::HighPass, 30, 0.7);
  out.trimTail(-75, 0.1);
  out.fadeEnds(0.005, 1.5);
  return out;
}

// ---- The studio jingle --------------------------------------------------------------------

// A soft rising whoosh, a quick glockenspiel and piano arpeggio up a D major chord, then a
// warm D major ninth chord with a low boom, ringing out.
Audio jingle(Rng& rng) {
  Mix mix(120.0, 5.2);  // one beat = 0.5 s
  mix.bus("fx", 1.5, 0.3);
  mix.bus("ep", 0.5, 0.35);
  mix.bus("glock", 0.35, 0.5);
  mix.bus("pad", 0.14, 0.5);
  mix.bus("drums", 0.9, 0.2);

  Audio whoosh = Audio::mono(1.2);
  Biquad bp, bp2;
  for (size_t i = 0; i < whoosh.frames(); ++i) {
    double u = double(i) / whoosh.frames();
    if (i % 16 == 0) {
      bp.set(Biquad::BandPass, 300 * std::pow(2400.0 / 300.0, u), 1.2);
      bp2.set(Biquad::BandPass, 300 * std::pow(2400.0 / 300.0, u), 1.2);
    }
    double env = std::pow(std::sin(kPi * std::min(1.0, u * 1.1)), 2.0);
    whoosh.l[i] = static_cast<float>(2.0 * bp2.process(bp.process(rng.white())) * env);
  }
  filter(whoosh, Biquad::LowPass, 4000, 0.7);
  mix.add("fx", whoosh, 0.0, 0.0);

  const int arp[5] = {62, 66, 69, 74, 78};  // D4 F#4 A4 D5 F#5
  for (int k = 0; k < 5; ++k) {
    double beat = 1.2 + 0.24 * k;
    mix.add("glock", glockenspiel(midiHz(arp[k] + 12), 0.6 + 0.08 * k), beat, -0.4 + 0.2 * k);
    mix.add("ep", electricPiano(midiHz(arp[k]), 0.35, 0.6), beat, -0.4 + 0.2 * k);
  }
  const double chordBeat = 2.45;
  const int chord[5] = {50, 57, 61, 66, 76};  // D3 A3 C#4 F#4 E5
  for (int k = 0; k < 5; ++k) {
    mix.add("ep", electricPiano(midiHz(chord[k]), 2.4, 0.7), chordBeat + 0.015 * k, -0.3 + 0.15 * k);
    mix.add("pad", stringPad(rng, midiHz(chord[k]), 2.0, 0.9), chordBeat, 0.0);
  }
  mix.add("glock", glockenspiel(midiHz(86), 0.55), chordBeat, 0.3);
  mix.add("drums", drum(rng, Drum::Boom, 0.8), chordBeat, 0.0);

  Audio out = mix.render(5.2, 0.8, 0.45, 1.0);
  filter(out, Biquad::HighPass, 30, 0.7);
  out.trimTail(-70, 0.05);
  out.fadeEnds(0.005, 0.8);
  return out;
}

}  // namespace

void addMusic(std::vector<SoundSpec>& out) {
  const Level music{Level::Rms, -26.0, -9.0};
  out.push_back({"theme.ogg",
                 "main-menu theme: 32 bars in A minor at 104 BPM, intro, A, B, A with harmony, ending",
                 music, 0.5f, [](Rng& r, std::string&) { return theme(r); }});
  out.push_back({"halvornsound.ogg", "studio jingle: whoosh, rising arpeggio, D major ninth chord",
                 music, 0.5f, [](Rng& r, std::string&) { return jingle(r); }});
}

}  // namespace sg
