#include "shell/datafolder.h"

#include <filesystem>
#include <system_error>

// The path from the installed programs' folder to the installed data's, set by the build from
// the install directories.
#ifndef BRAWNMOOR_DATA_FROM_BIN
#define BRAWNMOOR_DATA_FROM_BIN "../share/games/brawnmoor"
#endif

namespace app {

std::string dataRootFor(const std::string& exeFolder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path exe = exeFolder;
  if (fs::is_directory(exe / "data", ec)) return exeFolder;
  const fs::path shared = (exe / BRAWNMOOR_DATA_FROM_BIN).lexically_normal();
  if (fs::is_directory(shared / "data", ec)) return shared.string();
  return std::string();
}

}  // namespace app
