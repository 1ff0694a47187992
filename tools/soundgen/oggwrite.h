// Ogg Vorbis encoding of a generated sound with libvorbisenc.
#pragma once

#include <string>

#include "dsp.h"

namespace sg {

// Encodes `a` (mono or stereo, 44.1 kHz) at VBR quality `quality` (-0.1..1) and writes the
// file. The stream serial number is fixed by `serial` so that the same sound always gives the
// same bytes. Returns false and fills `error` on failure.
bool writeOggVorbis(const std::string& path, const Audio& a, float quality, int serial,
                    const std::string& title, std::string& error);

}  // namespace sg
