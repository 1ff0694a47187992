// Where the game's data folder is: beside the program (a build folder), or in the installation's
// shared folder, found from the program's own folder so that a moved installation finds it too.
#pragma once

#include <string>

namespace app {

// The folder holding "data" for a program in exeFolder: exeFolder itself when a data folder
// sits beside the program; otherwise the installation's shared folder (share/games/brawnmoor
// of the same prefix) when it holds one; empty when neither does.
std::string dataRootFor(const std::string& exeFolder);

}  // namespace app
