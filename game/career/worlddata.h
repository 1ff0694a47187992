// The world's data files: nations, weight categories and the name lists.
#pragma once

// Reads "data\nation.ini", "data\weights.ini" and the seventeen name files into the tables,
// then checks that they can produce boxers: 17 strictly falling weight limits, a lightest
// limit of at least 12 pounds, a non-zero likelihood in each nation column, and names for
// every nation that can be drawn. Returns false and keeps the reason when they cannot.
bool loadWorldData();

// Where loadWorldData reads the files from: the data folder, unless a reader is set that fills
// the INI with the named file ("data\nation.ini") from elsewhere, such as texts held in memory;
// it returns false when there is no such file. nullptr returns to the data folder.
class KIniFile;
using WorldFileReader = bool (*)(const char* name, KIniFile& ini);
void setWorldFileReader(WorldFileReader reader);

// Why the last loadWorldData failed, naming the file and section; "" after a success.
const char* worldDataProblem();

// Shows the problem in a message box (standard error without a display).
void reportWorldDataProblem();

// Name group 1..9 of a nation number; the group decides which name files its boxers use.
int nameGroupOfNation(int nation);

// True for the nations whose boxers take portraits 29..38.
bool usesSecondFaceRange(int nation);

// The nation and weight-category files.
constexpr const char* kNationFile = "data\\nation.ini";    // sections 1..60
constexpr const char* kWeightsFile = "data\\weights.ini";  // sections 1..17

// The name files in reading order.
struct NameFile {
  const char* firstNameFile;  // "data\..." path
  int firstNameSections;
  const char* surnameFile;    // null for the group without surnames
  int surnameSections;
};
extern const NameFile kNameFiles[9];  // index = group - 1
