// The list of every sound the game names, with the recipe that makes each one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dsp.h"

namespace sg {

// How a finished sound is levelled before it is encoded.
struct Level {
  enum Mode { Peak, Rms } mode = Peak;
  double db = -3.0;           // the peak (Peak) or the RMS over the whole file (Rms), dBFS
  double ceilingDb = -1.0;    // Rms mode: peaks above this are bent down by a soft limiter
};

struct SoundSpec {
  std::string file;                                  // name in data/snd
  std::string what;                                  // one line for the log and docs
  Level level;
  float quality = 0.4f;                              // Vorbis VBR quality
  std::function<Audio(Rng& rng, std::string& error)> make;
};

void addEffects(std::vector<SoundSpec>& out);
void addMusic(std::vector<SoundSpec>& out);
void addVoices(std::vector<SoundSpec>& out);

// The arena crowd, shared by Crowd.ogg, the count's background and the K.O./T.K.O. moments.
// `excitement(t)` (0..1) drives loudness, the number of voices and the cheering; the result
// is stereo and exactly `seconds` long.
Audio crowd(double seconds, const std::function<double(double)>& excitement, uint64_t seed);

}  // namespace sg
