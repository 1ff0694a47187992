// Fuzzes the world's data files: nation.ini, weights.ini and the seventeen name files. The first
// byte of an input chooses the file it stands for (0 nation.ini, 1 weights.ini, 2.. the name
// files in reading order); the rest is that file's text. Every other file is the shipped one,
// the name files cut to their first eight names: reading the 200 KB of names whole for every
// input would leave the fuzzer at a few dozen inputs a second.
// Whatever the file holds, the reading either refuses it with a reason or gives tables from which
// boxers of every category can be drawn: each new boxer has a category, a weight inside it, a
// nation whose column allows him, and names of his nation's group that lie inside the tables.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "career/generation.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "tools/KFileReader.h"
#include "tools/KIniFile.h"
#include "tools/KTools.h"

namespace {

std::vector<std::string> names;   // "data\nation.ini", ... in the order of the selector byte
std::vector<std::string> shipped;  // their texts
int chosen = -1;
const char* inputText = nullptr;
size_t inputSize = 0;

bool readFromMemory(const char* name, KIniFile& ini) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] != name) continue;
    if (int(i) == chosen) return ini.LoadText(inputText, inputSize);
    return ini.LoadText(shipped[i].data(), shipped[i].size());
  }
  std::abort();  // a file the fuzzer does not know
}

void checkBoxer(int index, int category) {
  const Boxer& b = boxers[index];
  if (b.category != category) std::abort();
  if (b.nation < 1 || b.nation > kNationCount) std::abort();
  const Nation& n = nations[b.nation];
  if ((category > 4 ? n.lightWeight : n.heavyWeight) <= 0) std::abort();
  const int group = nameGroupOfNation(b.nation);
  if (b.firstName < 1 || b.firstName > firstNameCount || firstNames[b.firstName].group != group) std::abort();
  if (group != 1 && (b.surname < 1 || b.surname > surnameCount || surnames[b.surname].group != group)) std::abort();
  const int upper = weightNames[category].limitLbs;
  const int lower = category < kCategoryCount ? weightNames[category + 1].limitLbs : upper - 10;
  if (b.weight < lower || b.weight > upper) std::abort();
  if (b.face < 1 || b.face > 38) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  KTools::SetMessageBoxHandler([](const char*, const char*) {});
  names = {"data\\nation.ini", "data\\weights.ini"};
  for (const NameFile& f : kNameFiles) {
    names.push_back(f.firstNameFile);
    if (f.surnameFile) names.push_back(f.surnameFile);
  }
  for (const std::string& name : names) {
    std::vector<uint8_t> bytes;
    if (!KFileReader::ReadWholeFile(KTools::GetDataPath(name.c_str()), bytes)) std::abort();
    std::string text(bytes.begin(), bytes.end());
    if (shipped.size() >= 2) {
      size_t ninth = text.find("[9]");
      if (ninth != std::string::npos) text.resize(ninth);
    }
    shipped.push_back(text);
  }
  setWorldFileReader(readFromMemory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  chosen = data[0] % int(names.size());
  inputText = reinterpret_cast<const char*>(data + 1);
  inputSize = size - 1;
  if (!loadWorldData()) {
    if (!worldDataProblem()[0]) std::abort();  // a refusal always says why
    return 0;
  }
  if (worldDataProblem()[0]) std::abort();
  // One boxer of every category, drawn as the world's generation draws them.
  std::srand(unsigned(size));
  for (int c = 1; c <= kCategoryCount; ++c) {
    for (int k = 1; k <= kCategoryCount; ++k) categoryFill[k] = k < c ? 100 : 0;
    generateBoxer(c - 1, 20);
    checkBoxer(c - 1, c);
  }
  return 0;
}
