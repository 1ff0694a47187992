// A quick look at a data file: is it there, a regular file, not empty, and do its beginning and
// its end look like a whole file of its kind? The kind comes from the name's extension: ".png",
// ".jpg", ".tga" pictures, ".ogg" sounds, ".k3d" meshes and ".ini" texts; any other file only
// has to be there and not empty. Only headers and the file's last bytes are read (a TGA picture
// is walked whole: they are small and have no end marker), so a whole data folder is checked
// in a few milliseconds; a file that passes may still hold damage in its middle, which its
// decoder then meets.
#pragma once

#include <string>

namespace KFileCheck {

// What is wrong with the file at `path` (found without regard to case, as the file reader
// finds it), in a few words ("missing", "empty", "cut short", "not a PNG picture"), or "" when
// nothing is. For an INI text, `lastSection` (optional) names the section that a whole file
// holds, e.g. "60" for a file of sections [1] to [60].
std::string Problem(const char* path, const char* lastSection = nullptr);

}  // namespace KFileCheck
