// The spoken sounds: the tutorial voice, the referee's count and the announcer's K.O. and
// T.K.O. calls over the crowd. Speech comes from espeak-ng (speech.cpp).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sounds.h"
#include "speech.h"
#include "ui/tutorial_texts.h"

namespace sg {

namespace {

// The tutorial panel texts, exactly as shown on screen ("\n" is a line break).
// tutorialNN.ogg reads the text of the panel that is on screen when it plays: 01 plays on
// entering the boxer screen at step 0, and 02..08 play on the advances into steps 1, 2, 3,
// 4, 5, 7 and 8 (step 6 shows no panel and its advance to 7 plays 07).
// The panel texts the game shows (kTutorialTexts), read by tutorialNN.ogg.

// Panel text to speakable text: a line break ends a sentence (a pause), "left/right" is read
// "left or right", and the capitalised button names are read as words, not spelled out.
std::string speakable(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n') {
      size_t k = out.find_last_not_of(' ');
      if (k != std::string::npos && out[k] != '.' && out[k] != '!' && out[k] != '?' && out[k] != ':')
        out.insert(k + 1, ".");
      out += ' ';
    } else if (c == '/') {
      out += " or ";
    } else {
      out += c;
    }
  }
  const std::pair<const char*, const char*> words[] = {
      {"TRAINING", "training"}, {"top-left", "top left"},
      {"bottom-right", "bottom right"}};
  for (auto& [from, to] : words)
    for (size_t p; (p = out.find(from)) != std::string::npos;) out.replace(p, std::string(from).size(), to);
  return out;
}

// Index of the first and one past the last sample above `db` dBFS.
std::pair<size_t, size_t> soundedSpan(const Audio& a, double db) {
  double th = dbToGain(db);
  size_t first = a.frames(), last = 0;
  for (size_t i = 0; i < a.frames(); ++i)
    if (std::fabs(a.l[i]) > th) {
      first = std::min(first, i);
      last = i + 1;
    }
  if (first >= last) return {0, 0};
  return {first, last};
}

Audio cut(const Audio& a, size_t from, size_t to) {
  Audio out;
  out.l.assign(a.l.begin() + from, a.l.begin() + to);
  return out;
}

// The tutorial voice: clear, unhurried, lightly cleaned (rumble off, espeak's buzz near 3 kHz
// softened), with a short breath of silence at each end.
Audio tutorialVoice(int index, std::string& error) {
  Voice v;
  v.name = "en-us";
  v.wordsPerMinute = 150;
  v.pitch = 45;
  v.wordGap = 1;
  Audio speech = speak(speakable(kTutorialTexts[index]), v, error);
  if (speech.frames() == 0) return speech;
  auto [from, to] = soundedSpan(speech, -50);
  speech = cut(speech, from, to);
  filter(speech, Biquad::HighPass, 85, 0.7);
  filter(speech, Biquad::Peak, 3100, 1.1, -3.5);
  filter(speech, Biquad::LowPass, 8000, 0.7);
  compress(speech, -18.0, 3.0, 0.004, 0.12);
  Audio out = Audio::mono(0.0);
  out.mix(speech, 0.25);
  out.resize(out.frames() + samples(0.4));
  out.fadeEnds(0.01, 0.05);
  return out;
}

// The referee's count: "one" to "ten", number n starting n x 850 ms after the sound starts
// (the game's count advances every 850 ms from -1, and shows "1" at count 0), over a faint
// arena murmur.
Audio refereeCount(Rng& rng, std::string& error) {
  static const char* const words[10] = {"One!", "Two!", "Three!", "Four!", "Five!",
                                        "Six!", "Seven!", "Eight!", "Nine!", "Ten!"};
  Voice v;
  v.name = "en-us+m3";
  v.wordsPerMinute = 165;
  v.pitch = 38;
  v.amplitude = 150;
  Audio voice = Audio::mono(9.6);
  for (int n = 1; n <= 10; ++n) {
    Audio w = speak(words[n - 1], v, error);
    if (w.frames() == 0) return w;
    auto [from, to] = soundedSpan(w, -45);
    to = std::min(to, from + static_cast<size_t>(samples(0.78)));  // fits its 850 ms slot
    Audio word = cut(w, from, to);
    word.fadeEnds(0.002, 0.03);
    // Put the word's loud onset (its first 10 ms at a fifth of its loudest 10 ms), not its
    // first faint breath, on the beat, as a listener hears it.
    std::vector<double> rms;
    for (size_t i = 0; i + 441 <= word.frames(); i += 441) {
      double s = 0;
      for (size_t k = i; k < i + 441; ++k) s += double(word.l[k]) * word.l[k];
      rms.push_back(std::sqrt(s / 441));
    }
    double loudest = rms.empty() ? 0 : *std::max_element(rms.begin(), rms.end());
    size_t onset = 0;
    while (onset < rms.size() && rms[onset] < 0.2 * loudest) ++onset;
    voice.mix(word, 0.85 * n - 0.01 * onset, n == 10 ? 1.15 : 1.0);
  }
  filter(voice, Biquad::HighPass, 120, 0.7);
  filter(voice, Biquad::Peak, 1400, 0.8, 3.0);
  filter(voice, Biquad::Peak, 3100, 1.1, -3.5);
  filter(voice, Biquad::LowPass, 6500, 0.7);
  compress(voice, -16.0, 3.0, 0.004, 0.1);
  normalisePeak(voice, -1.0);
  Audio out = withReverb(voice, 0.55, 0.5, 0.22, 0.0);
  out.resize(voice.frames());
  Audio bed = crowd(out.seconds(), [](double) { return 0.15; }, rng.next());
  normalisePeak(bed, -24.0);
  bed.fadeEnds(0.6, 0.4);
  out.mix(bed, 0.0);
  out.fadeEnds(0.01, 0.15);
  return out;
}

// An announcer's call over the arena: the line through a public-address colour (band-limited,
// a slap-back echo, the hall) while the crowd roars, dips a little under the words and swells
// after them.
Audio announcer(Rng& rng, const std::string& line, double wpm, std::string& error) {
  Voice v;
  v.name = "en-us+m3";
  v.wordsPerMinute = static_cast<int>(wpm);
  v.pitch = 32;
  v.amplitude = 160;
  v.wordGap = 2;
  Audio w = speak(line, v, error);
  if (w.frames() == 0) return w;
  auto [from, to] = soundedSpan(w, -45);
  Audio speech = cut(w, from, to);
  filter(speech, Biquad::HighPass, 170, 0.7);
  filter(speech, Biquad::Peak, 1500, 0.8, 4.0);
  filter(speech, Biquad::Peak, 3100, 1.1, -3.0);
  filter(speech, Biquad::LowPass, 5200, 0.7);
  compress(speech, -16.0, 3.0, 0.004, 0.1);
  normalisePeak(speech, -1.0);
  const double start = 0.35;
  Audio pa = Audio::mono(0.0);
  pa.mix(speech, start);
  pa.mix(speech, start + 0.115, 0.35);
  pa.mix(speech, start + 0.235, 0.15);
  double length = std::max(4.5, start + speech.seconds() + 2.2);
  pa.resize(samples(length));
  Audio hall = withReverb(pa, 0.8, 0.45, 0.3, 0.0);
  hall.resize(pa.frames());

  double speechEnd = start + speech.seconds();
  auto excitement = [=](double t) {
    double e = 0.75 + 0.25 * (1.0 - std::exp(-t / 0.3));
    if (t > start && t < speechEnd) e -= 0.15;  // the crowd listens
    return std::clamp(e, 0.0, 1.0);
  };
  Audio roar = crowd(length, excitement, rng.next());
  // Duck the roar under the words with the speech envelope.
  Smooth follow(6.0);
  for (size_t i = 0; i < roar.frames(); ++i) {
    double s = std::fabs(i < pa.frames() ? pa.l[i] : 0.0f);
    double d = follow.process(std::min(1.0, s * 3.0));
    double g = 1.0 - 0.45 * d;
    roar.l[i] *= static_cast<float>(g);
    roar.r[i] *= static_cast<float>(g);
  }
  normalisePeak(roar, -9.0);
  normalisePeak(hall, -4.0);
  hall.mix(roar, 0.0);
  hall.fadeEnds(0.2, 1.0);
  return hall;
}

}  // namespace

void addVoices(std::vector<SoundSpec>& out) {
  const Level voice{Level::Peak, -3.0, -1.0};
  for (int i = 0; i < 8; ++i) {
    char name[32];
    snprintf(name, sizeof name, "tutorial%02d.ogg", i + 1);
    static const char* const steps[8] = {"0", "1", "2", "3", "4", "5", "7", "8 and 9"};
    out.push_back({name, std::string("tutorial voice: the panel text of step ") + steps[i], voice, 0.4f,
                   [i](Rng&, std::string& err) { return tutorialVoice(i, err); }});
  }
  out.push_back({"count.ogg", "the referee counting one to ten, 850 ms apart, over the arena", voice, 0.4f,
                 [](Rng& r, std::string& err) { return refereeCount(r, err); }});
  out.push_back({"KO.ogg", "announcer: \"Knockout! It's all over!\" over the crowd's roar", voice, 0.4f,
                 [](Rng& r, std::string& err) { return announcer(r, "Knockout! It's all over!", 130, err); }});
  out.push_back({"KO2.ogg", "announcer: \"Down and out! That's a knockout!\" over the crowd's roar", voice,
                 0.4f, [](Rng& r, std::string& err) {
                   return announcer(r, "Down and out! That's a knockout!", 135, err);
                 }});
  out.push_back({"TKO.ogg",
                 "announcer: \"The referee stops the fight! Technical knockout!\" over the crowd",
                 voice, 0.4f, [](Rng& r, std::string& err) {
                   return announcer(r, "The referee stops the fight! Technical knockout!", 140, err);
                 }});
  out.push_back({"TKO2.ogg", "announcer: \"It's over! TKO!\" over the crowd", voice, 0.4f,
                 [](Rng& r, std::string& err) { return announcer(r, "It's over! TKO!", 125, err); }});
}

}  // namespace sg
