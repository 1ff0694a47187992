// Speech through the espeak-ng program: text in, a 44.1 kHz mono sound out.
#pragma once

#include <string>

#include "dsp.h"

namespace sg {

struct Voice {
  std::string name = "en-us";  // espeak-ng voice
  int wordsPerMinute = 150;
  int pitch = 50;              // 0..99
  int amplitude = 100;         // 0..200, espeak's -a
  int wordGap = 0;             // extra pause between words, in 10 ms units
};

// The espeak-ng program to run; set once by main before any sound is made.
void setEspeakProgram(const std::string& path);

// Speaks `text` and returns the speech at 44.1 kHz, or an empty sound with `error` filled.
// Each call uses its own temporary file, so calls may run in parallel.
Audio speak(const std::string& text, const Voice& voice, std::string& error);

// Upsamples 22.05 kHz speech to 44.1 kHz with a windowed-sinc half-band filter.
std::vector<float> upsample2(const std::vector<float>& in);

}  // namespace sg
