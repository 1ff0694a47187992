#include "shell/datacheck.h"

#include <cstdio>
#include <filesystem>
#include <cstring>
#include <set>
#include <string>

#include "career/messages.h"
#include "career/worlddata.h"
#include "screens/boxer.h"
#include "screens/fight.h"
#include "screens/menus.h"
#include "screens/options.h"
#include "sound/KGameSounds.h"
#include "tools/KFileCheck.h"
#include "tools/KFileReader.h"
#include "tools/KTools.h"
#include "ui/fonttables.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"

namespace app {

const LoadingPicture kLoadingPictures[23] = {
    {kBackgroundSlot, "mainmenu.jpg"}, {kLogoSlot, "Lumora.tga"},
    {kMenuSlot, "menu.jpg"},           {kCreateSlot, "create.jpg"},
    {kPanelLeftSlot, "PANLEFT01.jpg"}, {kPanelRightSlot, "PANRIGHT02.jpg"},
    {kCreateSlot, "create.jpg"},       {kSkillPointSlot, "SKILLPOINT.png"},
    {kStarSlot, "STAR.tga"},           {80, nullptr},
    {kCalendarSlot, "CALENDAR.jpg"},   {kTutorialSlot, "tutorial.jpg"},
    {kRingSlot, "ringback.jpg"},       {kBooksSlot, "PANRIGHT01.jpg"},
    {kRanksSlot, "RANKS.jpg"},         {kStarletSlot, "STARLET.jpg"},
    {60, nullptr},                     {kCornerSlot, "FIGHT.jpg"},
    {kDownSlot, "DOWN.png"},           {40, nullptr},
    {kLoadSaveSlot, "LOADSAVE.jpg"},   {kTextListSlot, "text-only.png"},
    {kFiguresSlot, "BOXERS.png"}};

namespace {

std::string gfx(const char* file) { return std::string("data\\gfx\\") + file; }

// "data\gfx\menu.jpg" as the player's system writes it: "data/gfx/menu.jpg" on Linux, as it
// stands on Windows.
std::string shown(const std::string& path) {
  std::string s = path;
  KTools::ConvertSlashes(s.data());
  return s;
}

// A layout file holds the hotspots its screen takes, each on the screen and of a real size.
std::string layoutProblem(const std::string& path) {
  for (const LayoutFile& l : kLayoutFiles) {
    char name[32];
    layoutFileName(l.number, name, sizeof name);
    if (path != name) continue;
    std::vector<uint8_t> bytes;
    if (!KFileReader::ReadWholeFile(KTools::GetDataPath(name), bytes)) return "cannot be read";
    // The records as the layout reader sees them: CR LF read as LF, 0x1A ends the text.
    std::vector<uint8_t> plain;
    for (size_t i = 0; i < bytes.size() && bytes[i] != 0x1A; ++i)
      if (!(bytes[i] == 0x0D && i + 1 < bytes.size() && bytes[i + 1] == 0x0A)) plain.push_back(bytes[i]);
    if (plain.size() / sizeof(Hotspot) < size_t(l.records)) return "cut short";
    for (int r = 1; r < l.records; ++r) {
      Hotspot h;
      std::memcpy(&h, &plain[size_t(r) * sizeof h], sizeof h);
      const int x = int16_t(KTools::FileToHost16(uint16_t(h.x))), y = int16_t(KTools::FileToHost16(uint16_t(h.y)));
      const int w = int16_t(KTools::FileToHost16(uint16_t(h.width))), hh = int16_t(KTools::FileToHost16(uint16_t(h.height)));
      const int slot = int16_t(KTools::FileToHost16(uint16_t(h.pictureSlot)));
      if (x < 0 || y < 0 || w <= 0 || hh <= 0 || x + w > 800 || y + hh > 600 || slot < 0 || slot >= 100)
        return "not a layout of this game's screens";
    }
  }
  return "";
}

}  // namespace

std::vector<DataFile> gameDataFiles() {
  std::vector<DataFile> files;
  std::set<std::string> seen;
  auto add = [&](const std::string& path, const std::string& lastSection = "", bool world = false) {
    if (!path.empty() && seen.insert(path).second) files.push_back({path, lastSection, world});
  };
  char name[64];

  // The world's files: no career without them.
  add(kNationFile, "60", true);
  add(kWeightsFile, "17", true);
  for (const NameFile& f : kNameFiles) {
    add(f.firstNameFile, std::to_string(f.firstNameSections), true);
    if (f.surnameFile) add(f.surnameFile, std::to_string(f.surnameSections), true);
  }
  // The texts and the fonts.
  add(kLanguagesFile, std::to_string(kTextCount - 1));
  add(kSmallFontFile);
  add(kLargeFontFile);
  // The start-up's pictures: the launcher, the pointer, the loading screen.
  add(kLauncherPicture);
  for (const char* p : kPointerFiles) add(p);
  add(kLoadingLogo);
  for (int i = 1; i <= 3; ++i) {
    std::snprintf(name, sizeof name, kFrameFileFormat, i);
    add(name);
  }
  for (const LoadingPicture& p : kLoadingPictures)
    if (p.file) add(gfx(p.file));
  // The screens' own pictures and layouts.
  for (const FightPicture& p : kFightPictures) add(gfx(p.file));
  for (const char* p : kResultPictures) add(gfx(p));
  for (int face = 1; face <= kFaceCount; ++face)
    for (bool photo : {false, true}) {
      facePictureName(face, photo, name, sizeof name);
      add(name);
    }
  for (int number = 1; number <= 99; ++number) {
    const MessageDefinition* m = findMessage(number);
    if (m && m->picture) add(m->picture);
  }
  add(kOptionsPicture);
  for (const LayoutFile& l : kLayoutFiles) {
    layoutFileName(l.number, name, sizeof name);
    add(name);
  }
  add(kBoxerModelFile);
  // The sounds, the music and the tutorial's voices.
  for (const char* s : kGameSoundFiles) add(s);
  add(kLoadingMusicFile);
  add(kThemeMusicFile);
  add(kFirstTutorialVoice);
  for (int step = 0; step < 10; ++step)
    if (tutorialStepInfo(step).voiceAfter) add(tutorialStepInfo(step).voiceAfter);
  return files;
}

DataCheck checkDataFolder() {
  DataCheck check;
  // No data folder at all: one line says so rather than one for each file.
  const std::string folder = KTools::GetDataPath("data");
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    check.problems.push_back({"data", "the data folder is missing"});
    check.worldBroken = true;
    check.worldProblem = "The world cannot be built: the data folder is missing.";
    return check;
  }
  for (const DataFile& f : gameDataFiles()) {
    std::string problem =
        KFileCheck::Problem(KTools::GetDataPath(f.path.c_str()), f.lastSection.empty() ? nullptr : f.lastSection.c_str());
    if (problem.empty()) problem = layoutProblem(f.path);
    if (!problem.empty()) check.problems.push_back({shown(f.path), problem});
  }
  // Whether a world can be built from what is there: the world builder names the file and the
  // section that keep it from being built (a weight table that does not fall, a nation column
  // of zeros, a name list with no names).
  if (!loadWorldData()) {
    check.worldBroken = true;
    check.worldProblem = worldDataProblem();
  }
  return check;
}

std::string dataCheckMessage(const DataCheck& check, size_t maxLines) {
  std::string text = "Some of the game's files are missing or damaged, in the data folder\n";
  text += KTools::GetDataPath("data");
  text += ":\n\n";
  size_t listed = 0;
  for (const DataProblem& p : check.problems) {
    if (listed == maxLines) break;
    text += p.file.empty() ? p.what : p.file + ": " + p.what;
    text += "\n";
    ++listed;
  }
  if (listed < check.problems.size())
    text += "... and " + std::to_string(check.problems.size() - listed) +
            " more (every file is listed on the standard error output).\n";
  text += "\n";
  if (check.worldBroken) text += "No career can be started. " + check.worldProblem + "\n";
  text += "The game goes on without the damaged files where it can:\n";
  text += "a sound stays silent, a picture or the boxer figure is not shown.\n";
  text += "Please reinstall the game to repair it.";
  return text;
}

DataCheck reportDataFolder() {
  DataCheck check = checkDataFolder();
  if (check.ok()) return check;
  if (check.worldBroken) std::fprintf(stderr, "brawnmoor: %s\n", check.worldProblem.c_str());
  for (const DataProblem& p : check.problems) {
    std::fprintf(stderr, "brawnmoor: %s%s%s\n", p.file.empty() ? "" : KTools::GetDataPath(p.file.c_str()),
                 p.file.empty() ? "" : ": ", p.what.c_str());
    // The engine's own boxes for these files would only repeat this message.
    if (!p.file.empty()) KTools::NoteFileReported(KTools::GetDataPath(p.file.c_str()));
  }
  KTools::MessageBox("Brawnmoor: files missing or damaged", dataCheckMessage(check).c_str());
  return check;
}

}  // namespace app
