#include "career/worlddata.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "career/world.h"
#include "tools/KIniFile.h"
#include "tools/KTools.h"

const NameFile kNameFiles[9] = {
    {"data\\chinese-name.ini", 19, nullptr, 0},
    {"data\\east-name.ini", 62, "data\\east-surname.ini", 87},
    {"data\\english-name.ini", 19, "data\\english-surname.ini", 3589},
    {"data\\french-name.ini", 19, "data\\french-surname.ini", 509},
    {"data\\german-name.ini", 19, "data\\german-surname.ini", 462},
    {"data\\holland-name.ini", 42, "data\\holland-surname.ini", 59},
    {"data\\italian-name.ini", 169, "data\\italian-surname.ini", 249},
    {"data\\japanese-name.ini", 19, "data\\japanese-surname.ini", 29},
    {"data\\spanish-name.ini", 19, "data\\spanish-surname.ini", 637},
};

namespace {

char problem[512];
KIniFile ini;

// A data file's name as the player's system writes it ("data/nation.ini" on Linux,
// "data\nation.ini" on Windows).
std::string shownName(const char* file) {
  std::string where(file);
  KTools::ConvertSlashes(where.data());
  return where;
}

bool fail(const char* format, const char* file, int a = 0, int b = 0) {
  std::snprintf(problem, sizeof problem, format, shownName(file).c_str(), a, b);
  return false;
}

// A name list that the nation of a section needs holds no names.
bool failNoNames(const char* file, int nation) {
  std::snprintf(problem, sizeof problem,
                "The world cannot be built: %s holds no names, and the boxers of section [%d] of %s need them.",
                shownName(file).c_str(), nation, shownName(kNationFile).c_str());
  return false;
}

void copyField(char* dest, size_t size, const char* src) {
  std::memset(dest, 0, size);
  std::memcpy(dest, src, std::min(size, std::strlen(src)));
}

WorldFileReader fileReader = nullptr;

bool loadIni(const char* name) {
  if (fileReader) return fileReader(name, ini);
  return ini.Load(KTools::GetDataPath(name));
}

bool readNations() {
  const char* file = kNationFile;
  if (!loadIni(file)) return fail("The world cannot be built: %s is missing or empty.", file);
  std::memset(nations, 0, sizeof nations);
  char section[16], text[64];
  for (int n = 1; n <= kNationCount; ++n) {
    std::snprintf(section, sizeof section, "%d", n);
    ini.GetString(section, "Long", text, 21);
    copyField(nations[n].longName, sizeof nations[n].longName, text);
    ini.GetString(section, "Short", text, 4);
    copyField(nations[n].shortName, sizeof nations[n].shortName, text);
    nations[n].lightWeight = int16_t(ini.GetInt(section, "Data1", 0));
    nations[n].heavyWeight = int16_t(ini.GetInt(section, "Data2", 0));
  }
  return true;
}

bool readWeights() {
  const char* file = kWeightsFile;
  if (!loadIni(file)) return fail("The world cannot be built: %s is missing or empty.", file);
  std::memset(weightNames, 0, sizeof weightNames);
  std::memset(weightShortNames, 0, sizeof weightShortNames);
  char section[16], text[64];
  for (int c = 1; c <= kCategoryCount; ++c) {
    std::snprintf(section, sizeof section, "%d", c);
    ini.GetString(section, "N", text, 21);
    copyField(weightNames[c].name, sizeof weightNames[c].name, text);
    ini.GetString(section, "S", text, 21);
    copyField(weightShortNames[c], sizeof weightShortNames[c], text);
    weightNames[c].limitLbs = int16_t(ini.GetInt(section, "W", 0));
  }
  return true;
}

// Appends a file's sections to a name table; a missing section leaves an empty entry that
// belongs to no group, so it is never drawn.
void readNames(const char* file, int sections, int group, NameEntry* table, int capacity,
               int& next) {
  bool loaded = loadIni(file);
  char section[16], text[64];
  for (int s = 1; s <= sections && next < capacity; ++s, ++next) {
    NameEntry& e = table[next];
    std::memset(&e, 0, sizeof e);
    if (!loaded) continue;
    std::snprintf(section, sizeof section, "%d", s);
    if (ini.GetString(section, "N", text, 21) && text[0]) {
      std::memcpy(e.name, text, std::min(sizeof e.name, std::strlen(text)));
      e.group = int16_t(group);
    }
  }
}

// A group can name a boxer when one of its entries lies within the drawn range 0..count-1.
bool groupDrawable(const NameEntry* table, int count, int group) {
  for (int i = 1; i < count; ++i)
    if (table[i].group == group) return true;
  return false;
}

bool checkWeights() {
  const char* file = kWeightsFile;
  for (int c = 1; c < kCategoryCount; ++c) {
    if (weightNames[c + 1].limitLbs >= weightNames[c].limitLbs)
      return fail("The world cannot be built: in %s, section [%d] must give a lower limit W "
                  "than section [%d]; the categories run from the heaviest to the lightest.",
                  file, c + 1, c);
  }
  if (weightNames[kCategoryCount].limitLbs < 12)
    return fail("The world cannot be built: in %s, section [%d] must give a limit W of at "
                "least 12 pounds (it gives %d).",
                file, kCategoryCount, weightNames[kCategoryCount].limitLbs);
  return true;
}

bool checkNations() {
  const char* file = kNationFile;
  bool anyLight = false, anyHeavy = false;
  for (int n = 1; n <= kNationCount; ++n) {
    anyLight |= nations[n].lightWeight > 0;
    anyHeavy |= nations[n].heavyWeight > 0;
  }
  if (!anyLight)
    return fail("The world cannot be built: in %s no section [1] to [60] gives Data1 above 0, "
                "so no boxer of the lighter categories can be given a nation.", file);
  if (!anyHeavy)
    return fail("The world cannot be built: in %s no section [1] to [60] gives Data2 above 0, "
                "so no boxer of the heavier categories can be given a nation.", file);
  for (int n = 1; n <= kNationCount; ++n) {
    if (nations[n].lightWeight <= 0 && nations[n].heavyWeight <= 0) continue;
    int g = nameGroupOfNation(n);
    const NameFile& f = kNameFiles[g - 1];
    if (!groupDrawable(firstNames, firstNameCount, g)) return failNoNames(f.firstNameFile, n);
    if (f.surnameFile && !groupDrawable(surnames, surnameCount, g)) return failNoNames(f.surnameFile, n);
  }
  return true;
}

}  // namespace

int nameGroupOfNation(int nation) {
  switch (nation) {
    case 9: return 1;
    case 6: case 12: case 14: case 22: case 26: case 32: case 42: case 44: case 45: case 47:
    case 55: return 2;
    case 4: case 7: case 20: case 23: case 34: case 40: case 53: return 4;
    case 3: case 21: case 51: return 5;
    case 25: return 6;
    case 29: return 7;
    case 31: return 8;
    case 1: case 5: case 10: case 11: case 13: case 33: case 41: case 43: case 48: case 57:
    case 58: return 9;
    default: return 3;
  }
}

bool usesSecondFaceRange(int nation) {
  return nation == 8 || nation == 15 || nation == 23 || nation == 30 || nation == 36 ||
         nation == 60;
}

bool loadWorldData() {
  problem[0] = 0;
  if (!readNations() || !readWeights()) return false;

  int nextFirst = 1, nextSurname = 1;
  std::memset(&firstNames[0], 0, sizeof firstNames[0]);
  std::memset(&surnames[0], 0, sizeof surnames[0]);
  for (int g = 1; g <= 9; ++g) {
    const NameFile& f = kNameFiles[g - 1];
    readNames(f.firstNameFile, f.firstNameSections, g, firstNames, kFirstNameCapacity, nextFirst);
    if (f.surnameFile)
      readNames(f.surnameFile, f.surnameSections, g, surnames, kSurnameCapacity, nextSurname);
  }
  firstNameCount = int16_t(nextFirst - 1);
  surnameCount = int16_t(nextSurname - 1);
  return checkWeights() && checkNations();
}

const char* worldDataProblem() { return problem; }

void setWorldFileReader(WorldFileReader reader) { fileReader = reader; }

void reportWorldDataProblem() {
  if (problem[0]) KTools::MessageBox("Brawnmoor", problem);
}
