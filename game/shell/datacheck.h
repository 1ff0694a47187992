// The game's data files: the tables the start-up stages load from, the list of every file the
// game reads (built from those tables and from the tables of the floors below, the same ones
// their loaders read), and the check of the data folder that runs once at every start.
#pragma once

#include <string>
#include <vector>

namespace app {

// The loading screen: the logo, the three panel frames, and then the shared picture slots in
// this order (slot <- file of data\gfx); an entry without a file is a step of the jingle's
// fading volume, its slot field holding the volume.
constexpr const char* kLoadingLogo = "data\\gfx\\hvlogo.jpg";
constexpr const char* kFrameFileFormat = "data\\gfx\\window%d.png";  // 1..3
struct LoadingPicture {
  int slot;
  const char* file;
};
extern const LoadingPicture kLoadingPictures[23];

// The pointer: the arrow, the hand over a hotspot, the shadow.
constexpr const char* kPointerFiles[3] = {"data\\gfx\\pointer.tga", "data\\gfx\\Pointer2.tga",
                                          "data\\gfx\\Pointer_s.tga"};
// The turning 3D boxer of the boxer screen.
constexpr const char* kBoxerModelFile = "data\\boxer01.k3d";

// One file the game reads: its data path ("data\gfx\menu.jpg"), the section a whole INI file
// ends with (or ""), and whether the world is built from it (no career without it).
struct DataFile {
  std::string path;
  std::string lastSection;
  bool world = false;
};
// Every file the game reads, each once.
std::vector<DataFile> gameDataFiles();

// What the check found wrong with one file ("data/gfx/STAR.tga", "missing").
struct DataProblem {
  std::string file;
  std::string what;
};
struct DataCheck {
  std::vector<DataProblem> problems;
  bool worldBroken = false;  // no world can be built: no career can start
  std::string worldProblem;  // why, naming the file and section (the world builder's words)
  bool ok() const { return problems.empty() && !worldBroken; }
};
// Checks every file of gameDataFiles() in the data folder the program resolves data paths
// against: there, a regular file, not empty, and its header and end whole; then whether the
// world's files can build a world (a name list cut short still can, with fewer names).
DataCheck checkDataFolder();

// The message that names every problem (at most `maxLines` of them; the rest are counted) and
// says what the player can do.
std::string dataCheckMessage(const DataCheck& check, size_t maxLines = 24);

// The start-up check: when anything is wrong, one message box that names the files and the
// same list on standard error; the files named are not reported again in this run. Returns
// the check's findings.
DataCheck reportDataFolder();

}  // namespace app
