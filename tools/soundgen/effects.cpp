// The short effects: interface clicks, punches, misses, the fall, the ring bell and the crowd.
#include <cmath>

#include "sounds.h"

namespace sg {

namespace {

// ---- Interface ----------------------------------------------------------------------------

// A short, dry wooden tick: a mid sine body, a higher tick and a band-passed noise transient.
Audio click(Rng& rng) {
  Audio a = Audio::mono(0.075);
  Biquad bp(Biquad::BandPass, 1800, 1.2);
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double body = 0.7 * std::sin(2 * kPi * 520 * t) * strike(t, 0.0008, 0.011);
    double tick = 0.55 * std::sin(2 * kPi * 1150 * t) * strike(t, 0.0004, 0.005);
    double snap = 0.9 * bp.process(rng.white()) * strike(t, 0.0002, 0.0025);
    a.l[i] = static_cast<float>(body + tick + snap);
  }
  a.fadeEnds(0.0003, 0.01);
  return a;
}

// The hover sound: a softer, rounder tick that slides a little downwards.
Audio over(Rng&) {
  Audio a = Audio::mono(0.07);
  double ph = 0, ph2 = 0;
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double f = 860 + 120 * std::exp(-t / 0.01);
    ph += 2 * kPi * f / kRate;
    ph2 += 2 * kPi * 1.5 * f / kRate;
    double env = strike(t, 0.0025, 0.014);
    a.l[i] = static_cast<float>((std::sin(ph) + 0.22 * std::sin(ph2)) * env);
  }
  a.fadeEnds(0.001, 0.012);
  return a;
}

// The refusal / cancel sound: two short, muted notes falling a major third (G4 to E flat 4).
Audio cancel(Rng&) {
  Audio a = Audio::mono(0.24);
  const double notes[2][2] = {{0.0, 392.0}, {0.095, 311.1}};
  for (auto& n : notes) {
    Osc sq(Osc::Square), sn(Osc::Sine);
    Biquad lp(Biquad::LowPass, 1100, 0.7);
    for (int i = samples(n[0]); i < static_cast<int>(a.frames()); ++i) {
      double t = double(i) / kRate - n[0];
      double env = strike(t, 0.003, 0.045);
      double v = lp.process(0.45 * sq.next(n[1]) + 0.8 * sn.next(n[1])) * env;
      a.l[i] += static_cast<float>(v);
    }
  }
  a.fadeEnds(0.001, 0.03);
  return a;
}

// ---- Punches ------------------------------------------------------------------------------

struct HitShape {
  double thumpFrom, thumpTo, thumpTau;  // body: pitch sweep (Hz) and decay (s)
  double smackHz, smackTau, smackGain;  // glove: band-passed noise burst
  double crunch;                        // heavy punches: low noise crunch
  double seconds, room;
};

// A punch: a shaped noise burst (the glove's smack, filtered so that it is never piercing)
// over a low body thump with a falling pitch, lightly saturated.
Audio hit(Rng& rng, const HitShape& s) {
  Audio a = Audio::mono(s.seconds);
  Biquad bp(Biquad::BandPass, s.smackHz, 0.9);
  Biquad lpSmack(Biquad::LowPass, 3200, 0.7);
  Biquad lpCrunch(Biquad::LowPass, 520, 0.9);
  double ph = 0;
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double n = rng.white();
    double smack = lpSmack.process(bp.process(n) * 1.6 + 0.25 * n) * strike(t, 0.0006, s.smackTau);
    double f = s.thumpTo + (s.thumpFrom - s.thumpTo) * std::exp(-t / 0.035);
    ph += 2 * kPi * f / kRate;
    double body = std::tanh(1.6 * std::sin(ph) * strike(t, 0.0015, s.thumpTau)) / std::tanh(1.6);
    double crunch = s.crunch * lpCrunch.process(rng.white()) * 2.5 * strike(t, 0.002, 0.05);
    a.l[i] = static_cast<float>(s.smackGain * smack + body + crunch);
  }
  filter(a, Biquad::HighPass, 38, 0.7);
  if (s.room > 0) a = toMono(withReverb(a, 0.35, 0.6, s.room, 0.25));
  a.trimTail(-60, 0.02);
  a.fadeEnds(0.0002, 0.04);
  return a;
}

// ---- Misses -------------------------------------------------------------------------------

// A swish: noise through a band-pass whose centre sweeps up and back down, with a soft
// swelling envelope and a little low air beneath.
Audio swish(Rng& rng, double seconds, double f0, double f1, double f2, double peakAt) {
  Audio a = Audio::mono(seconds);
  Biquad bp, bp2, lp(Biquad::LowPass, 700, 0.7);
  for (size_t i = 0; i < a.frames(); ++i) {
    double u = double(i) / a.frames();
    if (i % 16 == 0) {
      double f = (1 - u) * (1 - u) * f0 + 2 * (1 - u) * u * f1 + u * u * f2;  // Bezier sweep
      bp.set(Biquad::BandPass, f, 1.2);
      bp2.set(Biquad::BandPass, f, 1.2);
    }
    double env = u < peakAt ? 0.5 - 0.5 * std::cos(kPi * u / peakAt)
                            : std::pow(0.5 + 0.5 * std::cos(kPi * (u - peakAt) / (1 - peakAt)), 1.5);
    double n = rng.white();
    a.l[i] = static_cast<float>((bp2.process(bp.process(n)) * 2.0 + 0.35 * lp.process(n)) * env);
  }
  filter(a, Biquad::LowPass, 4500, 0.7);  // air, but no hiss
  return a;
}

// ---- The fall -----------------------------------------------------------------------------

// A body hitting the canvas: a heavy low thud, two smaller bounces and a little canvas rattle,
// in a small room.
Audio fall(Rng& rng) {
  Audio a = Audio::mono(1.0);
  struct Impact { double at, gain, from; };
  const Impact impacts[] = {{0.0, 1.0, 115}, {0.135, 0.42, 95}, {0.245, 0.18, 90}};
  for (const Impact& im : impacts) {
    Biquad lp(Biquad::LowPass, 900, 0.7);
    double ph = 0;
    for (int i = samples(im.at); i < static_cast<int>(a.frames()); ++i) {
      double t = double(i) / kRate - im.at;
      double f = 44 + (im.from - 44) * std::exp(-t / 0.045);
      ph += 2 * kPi * f / kRate;
      double thud = std::tanh(1.8 * std::sin(ph) * strike(t, 0.002, 0.13)) / std::tanh(1.8);
      double slap = lp.process(rng.white()) * 1.8 * strike(t, 0.001, 0.028);
      a.l[i] += static_cast<float>(im.gain * (thud + 0.6 * slap));
    }
  }
  Biquad rattle(Biquad::BandPass, 340, 1.0);
  for (int i = samples(0.02); i < static_cast<int>(a.frames()); ++i) {
    double t = double(i) / kRate - 0.02;
    a.l[i] += static_cast<float>(0.35 * rattle.process(rng.white()) * strike(t, 0.006, 0.14));
  }
  filter(a, Biquad::HighPass, 32, 0.7);
  filter(a, Biquad::LowPass, 5000, 0.7);
  a = toMono(withReverb(a, 0.45, 0.6, 0.16, 0.5));
  a.trimTail(-70, 0.05);
  a.fadeEnds(0.0005, 0.08);
  return a;
}

// ---- The ring bell ------------------------------------------------------------------------

// Three strokes of the ring bell. Each stroke is a sum of inharmonic partials with their own
// long decays (the lowest ring longest); the two lowest come in slightly detuned pairs that
// beat slowly, as a real bell does. The partials above 2 kHz are weak and die quickly.
Audio bell(Rng& rng) {
  Audio a = Audio::mono(4.4);
  struct Partial { double ratio, gain, tau; };
  const Partial partials[] = {{1.0, 1.0, 1.7},    {1.0021, 0.45, 1.5}, {2.08, 0.5, 0.95},
                              {2.0835, 0.2, 0.8}, {2.97, 0.26, 0.5},   {4.02, 0.12, 0.3},
                              {5.32, 0.06, 0.18}, {0.503, 0.18, 1.2}};
  const double f0 = 650.0;
  const double strokes[3][2] = {{0.0, 1.0}, {0.29, 0.86}, {0.58, 0.93}};
  for (auto& st : strokes) {
    Biquad lp(Biquad::LowPass, 3500, 0.7);
    double phase0 = rng.uniform();
    for (int i = samples(st[0]); i < static_cast<int>(a.frames()); ++i) {
      double t = double(i) / kRate - st[0];
      double v = 0;
      for (const Partial& p : partials)
        v += p.gain * std::sin(2 * kPi * (f0 * p.ratio * t + phase0 * p.ratio)) * strike(t, 0.0012, p.tau);
      v += 0.35 * lp.process(rng.white()) * strike(t, 0.0003, 0.004);  // the hammer
      a.l[i] += static_cast<float>(st[1] * v);
    }
  }
  a.fadeEnds(0.0, 1.6);  // the ring dies away smoothly instead of being cut
  a = toMono(withReverb(a, 0.6, 0.5, 0.14, 0.6));
  a.trimTail(-66, 0.05);
  a.fadeEnds(0.0005, 0.3);
  return a;
}

}  // namespace

// ---- The crowd ----------------------------------------------------------------------------

namespace {

struct Vowel { double f1, f2; };
// Male vowel formants, kept below 2 kHz so that the crowd stays warm.
const Vowel kVowels[] = {{730, 1090}, {530, 1840}, {570, 840}, {300, 870},
                         {660, 1720}, {520, 1190}, {640, 1190}, {490, 1350}};

// One distant voice of the crowd: a buzzing glottal source (or breath) through two formant
// band-passes, gated into syllables with pauses; `cheer` voices hold long rising vowels.
struct Talker {
  Rng rng;
  Osc saw{Osc::Saw};
  Biquad f1, f2, nf1;
  Smooth amp{18.0}, pitchS{3.0}, form1{12.0}, form2{12.0};
  double pan, basePitch, left = 0, target = 0, t1 = 500, t2 = 1200, pitchTarget = 0;
  bool cheer;
  double threshold;  // excitement above which this voice takes part
  unsigned tick = 0;

  Talker(uint64_t seed, bool isCheer, double th)
      : rng(seed), cheer(isCheer), threshold(th) {
    pan = rng.range(-0.9, 0.9);
    basePitch = cheer ? rng.range(150, 280) : rng.range(90, 200);
    pitchS.reset(basePitch);
    pitchTarget = basePitch;
    form1.reset(500);
    form2.reset(1200);
    f1.set(Biquad::BandPass, 500, 5.0);
    f2.set(Biquad::BandPass, 1200, 7.0);
    nf1.set(Biquad::BandPass, 500, 2.0);
  }

  void nextSyllable(double excitement) {
    bool active = excitement > threshold;
    if (!active) {
      target = 0;
      left = rng.range(0.1, 0.3);
      return;
    }
    const Vowel& v = kVowels[rng.below(cheer ? 3 : 8)];
    t1 = v.f1 * rng.range(0.92, 1.08);
    t2 = v.f2 * rng.range(0.92, 1.08);
    if (cheer) {
      left = rng.range(0.45, 1.3);
      target = rng.range(0.6, 1.0);
      pitchTarget = basePitch * rng.range(1.0, 1.35);
    } else if (rng.uniform() < 0.28) {
      target = 0;  // a pause between words
      left = rng.range(0.08, 0.45);
    } else {
      left = rng.range(0.09, 0.26);
      target = rng.range(0.35, 1.0);
      pitchTarget = basePitch * rng.range(0.85, 1.2);
    }
  }

  // One sample; `e` is the current excitement.
  double next(double e) {
    left -= 1.0 / kRate;
    if (left <= 0) nextSyllable(e);
    double a = amp.process(target);
    double p = pitchS.process(pitchTarget);
    double g1 = form1.process(t1), g2 = form2.process(t2);
    if ((tick++ & 63) == 0) {
      f1.set(Biquad::BandPass, g1, 5.0);
      f2.set(Biquad::BandPass, g2, 7.0);
      nf1.set(Biquad::BandPass, g1, 2.0);
    }
    double src = saw.next(p * (1.0 + 0.004 * rng.white()));
    double breath = rng.white();
    double voiced = f1.process(src) + 0.55 * f2.process(src);
    return a * (voiced + 0.25 * nf1.process(breath));
  }
};

}  // namespace

Audio crowd(double seconds, const std::function<double(double)>& excitement, uint64_t seed) {
  Rng rng(seed);
  Audio a = Audio::twoChannels(seconds);
  std::vector<Talker> talkers;
  for (int i = 0; i < 34; ++i) talkers.emplace_back(rng.next(), false, rng.range(0.0, 0.55));
  for (int i = 0; i < 16; ++i) talkers.emplace_back(rng.next(), true, rng.range(0.45, 0.9));
  PinkNoise pink(rng.next()), pink2(rng.next());
  Biquad bedLo(Biquad::LowPass, 1100, 0.6), bedHi(Biquad::HighPass, 160, 0.6);
  Biquad bedLo2(Biquad::LowPass, 1100, 0.6), bedHi2(Biquad::HighPass, 160, 0.6);
  Biquad bandA(Biquad::BandPass, 420, 1.2), bandB(Biquad::BandPass, 900, 1.5);
  Smooth swell(0.6);
  swell.reset(excitement(0));
  for (size_t i = 0; i < a.frames(); ++i) {
    double t = double(i) / kRate;
    double e = swell.process(excitement(t));
    double l = 0, r = 0;
    for (Talker& tk : talkers) {
      double v = tk.next(e) * (tk.cheer ? 0.9 : 0.55);
      double pa = (tk.pan + 1) * kPi / 4;
      l += v * std::cos(pa);
      r += v * std::sin(pa);
    }
    // The bed: layered band-passed pink noise, the room full of people.
    double n1 = pink.next(), n2 = pink2.next();
    double bedL = bedHi.process(bedLo.process(n1)) + 0.6 * bandA.process(n1);
    double bedR = bedHi2.process(bedLo2.process(n2)) + 0.5 * bandB.process(n2);
    double level = 0.25 + 0.75 * e;
    l = (l * 0.16 + bedL * 0.5 * (0.6 + 0.6 * e)) * level;
    r = (r * 0.16 + bedR * 0.5 * (0.6 + 0.6 * e)) * level;
    a.l[i] = static_cast<float>(l);
    a.r[i] = static_cast<float>(r);
  }
  // A large hall blurs the voices into a murmur; then keep it warm.
  Audio out = withReverb(a, 0.82, 0.55, 0.55, 0.0);
  out.resize(a.frames());
  filter(out, Biquad::HighPass, 110, 0.7);
  filter(out, Biquad::LowPass, 3800, 0.6);
  filter(out, Biquad::Peak, 3000, 1.0, -3.0);
  return out;
}

void addEffects(std::vector<SoundSpec>& out) {
  auto peak = [](double db) { return Level{Level::Peak, db, -1.0}; };
  out.push_back({"click.ogg", "button press: a short dry wooden tick", peak(-3.0), 0.5f,
                 [](Rng& r, std::string&) { return click(r); }});
  out.push_back({"over.ogg", "hover: a soft round tick, quieter than the click", peak(-9.0), 0.5f,
                 [](Rng& r, std::string&) { return over(r); }});
  out.push_back({"canc.ogg", "refusal / cancel: two muted notes falling a third", peak(-4.0), 0.5f,
                 [](Rng& r, std::string&) { return cancel(r); }});
  out.push_back({"Crowd.ogg", "the crowd rising to a cheer and settling back into a murmur",
                 peak(-3.0), 0.4f, [](Rng& r, std::string&) {
                   auto e = [](double t) {
                     double rise = 1.0 - std::exp(-t / 0.55);
                     double settle = std::exp(-std::max(0.0, t - 1.7) / 3.2);
                     return 0.3 + 0.7 * rise * settle;
                   };
                   Audio c = crowd(6.5, e, r.next());
                   c.fadeEnds(0.25, 1.2);
                   return c;
                 }});
  out.push_back({"Fall.ogg", "a boxer hitting the canvas: thud, bounces, rattle", peak(-3.0), 0.4f,
                 [](Rng& r, std::string&) { return fall(r); }});
  out.push_back({"hit1.ogg", "light punch: short glove smack over a small thump", peak(-7.0), 0.5f,
                 [](Rng& r, std::string&) {
                   return hit(r, {165, 78, 0.055, 1500, 0.010, 0.9, 0.0, 0.34, 0.0});
                 }});
  out.push_back({"hit2.ogg", "medium punch: fuller smack and body thump", peak(-5.0), 0.5f,
                 [](Rng& r, std::string&) {
                   return hit(r, {135, 62, 0.08, 1150, 0.014, 0.95, 0.25, 0.48, 0.0});
                 }});
  out.push_back({"hit3.ogg", "heavy punch: deep thump, crunch and a little room", peak(-3.0), 0.5f,
                 [](Rng& r, std::string&) {
                   return hit(r, {110, 47, 0.12, 850, 0.02, 1.0, 0.6, 0.72, 0.12});
                 }});
  out.push_back({"miss1.ogg", "missed punch: quick rising-falling swish", peak(-5.0), 0.5f,
                 [](Rng& r, std::string&) { return swish(r, 0.22, 520, 1750, 700, 0.42); }});
  out.push_back({"miss2.ogg", "missed punch: slower, lower swish", peak(-5.0), 0.5f,
                 [](Rng& r, std::string&) { return swish(r, 0.3, 360, 1350, 480, 0.5); }});
  out.push_back({"bell.ogg", "the ring bell, three strokes (ding-ding-ding)", peak(-3.0), 0.5f,
                 [](Rng& r, std::string&) { return bell(r); }});
}

}  // namespace sg
