// brawnmoor-textcheck: checks the game's text table.
//
//   brawnmoor-textcheck FILE               check FILE (data/languages.ini); exit 0 when clean
//   brawnmoor-textcheck --doc FILE         print the generated table of docs/texts.md
//   brawnmoor-textcheck --update-doc DOC FILE
//                                          rewrite DOC after its marker line with that table
//   brawnmoor-textcheck --names DIR        check the name lists in the data folder DIR
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "textcheck.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: brawnmoor-textcheck FILE\n"
               "       brawnmoor-textcheck --doc FILE\n"
               "       brawnmoor-textcheck --update-doc DOC FILE\n"
               "       brawnmoor-textcheck --names DIR\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && argv[1][0] != '-') {
    std::vector<std::string> problems = checkLanguagesPath(argv[1]);
    for (const std::string& p : problems) std::printf("%s\n", p.c_str());
    if (problems.empty()) {
      std::printf("%s: %d entries in 4 languages, no problem found\n", argv[1], kCheckedTexts);
      return 0;
    }
    std::printf("%s: %zu problems\n", argv[1], problems.size());
    return 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "--names") == 0) {
    std::vector<std::string> problems = checkNameFiles(argv[2]);
    for (const std::string& p : problems) std::printf("%s\n", p.c_str());
    if (problems.empty()) {
      std::printf("%s: every name of the 17 name lists can be drawn\n", argv[2]);
      return 0;
    }
    std::printf("%s: %zu problems\n", argv[2], problems.size());
    return 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "--doc") == 0) {
    LanguagesFile file;
    checkLanguagesPath(argv[2], &file);
    std::fputs(textsDocTable(file).c_str(), stdout);
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "--update-doc") == 0) {
    std::ifstream in(argv[2], std::ios::binary);
    std::stringstream doc;
    doc << in.rdbuf();
    std::string text = doc.str();
    size_t at = text.find(kDocMarker);
    if (at == std::string::npos) {
      std::fprintf(stderr, "%s: no marker line \"%s\"\n", argv[2], kDocMarker);
      return 2;
    }
    LanguagesFile file;
    checkLanguagesPath(argv[3], &file);
    text = text.substr(0, at) + kDocMarker + "\n\n" + textsDocTable(file);
    std::ofstream out(argv[2], std::ios::binary);
    out << text;
    return out ? 0 : 2;
  }
  return usage();
}
