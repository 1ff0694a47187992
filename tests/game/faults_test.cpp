// The game against bad input and faults, driven through the real program: a broken
// installation (the start-up check's one message, no career without a world, no box again and
// again), damaged save slots in the save/load menu, a save that fails, and a career that is
// over. And the start-up check's list of files against every file the game really opens.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "career/generation.h"
#include "career/messages.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "gamedriver.h"
#include "saves/preferences.h"
#include "saves/savegame.h"
#include "screens/menus.h"
#include "shell/app.h"
#include "shell/datacheck.h"
#include "support/renderers.h"
#include "support/testenv.h"
#include "tools/KFileReader.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"

namespace fs = std::filesystem;

namespace {

// ---- Every data file the game opens is one the start-up check looks at -----------------------

// The data files opened while this test program runs ("data/gfx/menu.jpg", in lower case),
// collected through the file reader's observer from the program's start to its end. Every game
// test walks its screens through the real program, so together they open what a player's
// walk through every screen opens; after the last of them, each must be in the check's list.
std::set<std::string>& openedDataFiles() {
  static std::set<std::string> files;
  return files;
}

std::string dataKey(std::string path) {
  for (char& c : path) c = c == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(c)));
  const size_t at = path.rfind("/data/");
  if (path.rfind("data/", 0) == 0) return path;
  return at == std::string::npos ? std::string() : path.substr(at + 1);
}

void noteOpened(const char* path) {
  const std::string key = dataKey(path);
  // The per-user folder lies under ".../data/Brawnmoor" in these tests: not a data file.
  if (!key.empty() && key.rfind("data/brawnmoor/", 0) != 0) openedDataFiles().insert(key);
}

class OpenedFilesAreChecked : public ::testing::Environment {
 public:
  void SetUp() override { KFileReader::SetOpenObserver(noteOpened); }
  void TearDown() override {
    KFileReader::SetOpenObserver(nullptr);
    std::set<std::string> listed;
    for (const app::DataFile& f : app::gameDataFiles()) listed.insert(dataKey(f.path));
    for (const std::string& opened : openedDataFiles())
      EXPECT_TRUE(listed.count(opened)) << opened << " is read by the game but not looked at by the start-up check";
  }
};
[[maybe_unused]] ::testing::Environment* const openedFilesCheck =
    ::testing::AddGlobalTestEnvironment(new OpenedFilesAreChecked);

// ---- A data folder to damage ---------------------------------------------------------------

std::vector<std::pair<std::string, std::string>> boxesShown;
void recordBox(const char* caption, const char* text) { boxesShown.emplace_back(caption, text); }

// A copy of the built data folder made of links to its files (copies where the system makes no
// links for a plain user), in which single files can be replaced by damaged ones; the program
// resolves its data paths against it while it lives.
class DamagedDataFolder {
 public:
  DamagedDataFolder() {
    const fs::path source = fs::path(KTools::GetExeFolder()) / "data";
    source_ = source.string();
    fs::create_directories(fs::path(root_.path()) / "data");
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
      const fs::path to = fs::path(root_.path()) / "data" / fs::relative(entry.path(), source);
      if (entry.is_directory()) fs::create_directories(to);
      else if (entry.is_regular_file()) link(entry.path(), to);
    }
    KTools::OverrideExeFolder(root_.path().c_str());
  }
  ~DamagedDataFolder() { KTools::OverrideExeFolder(nullptr); }

  std::string path(const std::string& file) const { return root_.path() + "/data/" + file; }
  std::string original(const std::string& file) const {
    std::ifstream in(source_ + "/" + file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void put(const std::string& file, const std::string& bytes) const {
    fs::remove(path(file));
    std::ofstream out(path(file), std::ios::binary);
    out << bytes;
  }
  void remove(const std::string& file) const { fs::remove(path(file)); }
  void restore(const std::string& file) const {
    fs::remove(path(file));
    link(source_ + "/" + file, path(file));
  }

 private:
  static void link(const fs::path& from, const fs::path& to) {
#if defined(_WIN32)
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
#else
    fs::create_symlink(from, to);
#endif
  }
  TempDir root_;
  std::string source_;
};

std::string randomBytes(size_t n, unsigned seed) {
  std::string s(n, '\0');
  unsigned x = seed * 2654435761u + 1;
  for (char& c : s) {
    x = x * 1103515245u + 12345u;
    c = char(x >> 16);
  }
  return s;
}

// The check's findings, one a line, for a failure's message.
std::string listed(const app::DataCheck& check) {
  std::string text;
  for (const app::DataProblem& p : check.problems) text += p.file + ": " + p.what + "\n";
  return text;
}

const app::DataProblem* problemOf(const app::DataCheck& check, const std::string& file) {
  for (const app::DataProblem& p : check.problems)
    if (p.file == file) return &p;
  return nullptr;
}

// Bytes this process has read so far.
long long bytesRead() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long long value = 0;
  while (io >> key >> value)
    if (key == "rchar:") return value;
  return 0;
}

// The built folder is whole: the check finds nothing, and it is quick (it reads headers and
// ends, not whole files; the figures are printed for docs/reliability.md).
TEST(DataCheck, TheBuiltFolderIsWholeAndQuicklyChecked) {
  app::checkDataFolder();  // once to warm the file cache, as a player's second start finds it
  const long long before = bytesRead();
  const auto start = std::chrono::steady_clock::now();
  const app::DataCheck check = app::checkDataFolder();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("the data check: %.1f ms, %lld bytes read, %zu files\n", ms, bytesRead() - before,
              app::gameDataFiles().size());
  for (const app::DataProblem& p : check.problems) ADD_FAILURE() << p.file << ": " << p.what;
  EXPECT_FALSE(check.worldBroken);
  EXPECT_GT(app::gameDataFiles().size(), 150u);
  RecordProperty("milliseconds", std::to_string(ms));
}

// Each kind of file, missing, empty, cut in half and random: the check names exactly that file.
TEST(DataCheck, EveryDamagedFileIsNamed) {
  DamagedDataFolder data;
  const char* const files[] = {"gfx/menu.jpg", "gfx/tinyfont.png", "gfx/STAR.tga", "snd/theme.ogg", "snd/click.ogg",
                               "boxer01.k3d",  "nation.ini",       "weights.ini",  "german-surname.ini",
                               "languages.ini", "GUI1",            "gfx/xboxer07.jpg", "gfx/random03.jpg"};
  // Files are found without regard to case: the modelling tools' "boxer01.K3D" would stand in
  // for a missing "boxer01.k3d", so it goes too (where the file system ignores case, it is the
  // same file).
  if (!fs::equivalent(data.path("boxer01.K3D"), data.path("boxer01.k3d"))) data.remove("boxer01.K3D");
  for (const char* file : files) {
    const std::string whole = data.original(file);
    ASSERT_FALSE(whole.empty()) << file;
    const bool world = std::string(file).find(".ini") != std::string::npos && std::string(file) != "languages.ini";
    struct Damage {
      const char* name;
      bool present;
      std::string bytes;
    };
    const Damage damages[] = {{"missing", false, ""},
                              {"empty", true, ""},
                              {"cut in half", true, whole.substr(0, whole.size() / 2)},
                              {"random", true, randomBytes(whole.size(), unsigned(whole.size()))}};
    for (const Damage& d : damages) {
      SCOPED_TRACE(std::string(file) + " " + d.name);
      if (d.present) data.put(file, d.bytes);
      else data.remove(file);
      const app::DataCheck check = app::checkDataFolder();
      const app::DataProblem* p = problemOf(check, systemPath(std::string("data/") + file));
      ASSERT_NE(p, nullptr) << listed(check);
      EXPECT_EQ(check.problems.size(), 1u) << listed(check);
      // A world file missing, empty or random leaves no world; one cut in half may still make
      // one (fewer names, fewer nations), but never a file that is no world file.
      if (world && d.name != std::string("cut in half")) {
        EXPECT_TRUE(check.worldBroken);
      }
      if (!world) {
        EXPECT_FALSE(check.worldBroken);
      }
      if (!d.present) {
        EXPECT_EQ(p->what, "missing");
      } else if (d.bytes.empty()) {
        EXPECT_EQ(p->what, "empty");
      }
      data.restore(file);
    }
  }
  // A folder or a FIFO in a file's place.
  data.remove("gfx/menu.jpg");
  fs::create_directories(data.path("gfx/menu.jpg"));
#if !defined(_WIN32)  // FIFOs are POSIX
  data.remove("snd/over.ogg");
  ASSERT_EQ(mkfifo(data.path("snd/over.ogg").c_str(), 0644), 0);
#endif
  const app::DataCheck check = app::checkDataFolder();
  ASSERT_NE(problemOf(check, systemPath("data/gfx/menu.jpg")), nullptr);
  EXPECT_EQ(problemOf(check, systemPath("data/gfx/menu.jpg"))->what, "a folder, not a file");
#if !defined(_WIN32)
  ASSERT_NE(problemOf(check, systemPath("data/snd/over.ogg")), nullptr);
  EXPECT_EQ(problemOf(check, systemPath("data/snd/over.ogg"))->what, "not a regular file");
#endif
}

// Whole files whose values cannot build a world: the world builder's reason joins the list.
TEST(DataCheck, AWorldThatCannotBeBuiltIsReported) {
  DamagedDataFolder data;
  std::string weights = data.original("weights.ini");
  const size_t at = weights.find("[9]");
  ASSERT_NE(at, std::string::npos);
  const size_t w = weights.find("W=", at);
  const size_t end = weights.find("\r\n", w);
  weights.replace(w, end - w, "W=9999");
  data.put("weights.ini", weights);
  const app::DataCheck check = app::checkDataFolder();
  EXPECT_TRUE(check.worldBroken);
  EXPECT_TRUE(check.problems.empty());
  EXPECT_NE(check.worldProblem.find(systemPath("data/weights.ini")), std::string::npos) << check.worldProblem;
  const std::string message = app::dataCheckMessage(check);
  EXPECT_NE(message.find(systemPath("No career can be started. The world cannot be built: in data/weights.ini")), std::string::npos)
      << message;
  EXPECT_NE(message.find("Please reinstall the game"), std::string::npos);
}

// A data folder that is not there at all is one line, not one for every file.
TEST(DataCheck, NoDataFolderIsOneLine) {
  TempDir empty;
  KTools::OverrideExeFolder(empty.path().c_str());
  const app::DataCheck check = app::checkDataFolder();
  KTools::OverrideExeFolder(nullptr);
  ASSERT_EQ(check.problems.size(), 1u);
  EXPECT_EQ(check.problems[0].what, "the data folder is missing");
  EXPECT_TRUE(check.worldBroken);
}

// The player's start with a broken installation: one box before the launcher that names every
// damaged file; the game then runs without them, shows no box again however often it meets
// them, and starts no career without a world.
class BrokenInstall : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    boxesShown.clear();
    KTools::ForgetReportedFiles();
    KTools::SetMessageBoxHandler(recordBox);
    data_.put("snd/theme.ogg", randomBytes(5000, 1));
    std::string mesh = data_.original("boxer01.k3d");
    std::memset(&mesh[264], 0, 8);  // no points, no faces
    data_.put("boxer01.k3d", mesh);
    data_.put("nation.ini", "");
    data_.remove("gfx/STAR.tga");
  }
  void TearDown() override {
    KTools::SetMessageBoxHandler(nullptr);
    KTools::ForgetReportedFiles();
  }
  DamagedDataFolder data_;
};

TEST_P(BrokenInstall, OneMessageNamesTheFilesAndNoCareerStartsWithoutAWorld) {
  GameDriver d;
  ASSERT_TRUE(d.startLauncher());
  ASSERT_EQ(boxesShown.size(), 1u);
  const std::string& text = boxesShown[0].second;
  for (const char* named : {"data/snd/theme.ogg: not an Ogg Vorbis sound", "data/boxer01.k3d: not a mesh file",
                            "data/nation.ini: empty", "data/gfx/STAR.tga: missing", "Please reinstall the game",
                            "No career can be started. The world cannot be built: data/nation.ini is missing or empty."})
    EXPECT_NE(text.find(systemPath(named)), std::string::npos) << systemPath(named) << " in\n" << text;
  d.frame(2);
  d.clickHotspot(5);
  d.frame();
  app::closeLauncher();
  ASSERT_TRUE(d.bootGame(GetParam()));
  d.frame(2);
  ASSERT_EQ(screenState, kMainMenuScreen);
  EXPECT_FALSE(worldReady());
  // The main menu again and again (its music is the damaged file): no further box.
  for (int visit = 0; visit < 3; ++visit) {
    d.clickHotspot(2);
    ASSERT_EQ(screenState, kLoadSaveScreen);
    d.clickHotspot(9);
    ASSERT_EQ(screenState, kMainMenuScreen);
  }
  EXPECT_EQ(boxesShown.size(), 1u);
  // QUICK START, NEW GAME and LOAD: refused with the reason, and no career begins.
  for (int button : {3, 1}) {
    d.clickHotspot(button);
    EXPECT_EQ(screenState, kMainMenuScreen);
    EXPECT_EQ(popup, kMessageNoWorld);
    EXPECT_EQ(gameInProgress, 0);
    // Named in the game's font, which writes a path with '/' on every system.
    bool named = false;
    for (const DrawnText& t : d.drawnText()) named |= std::strstr(t.text, "data/nation.ini") != nullptr;
    EXPECT_TRUE(named);
    d.keepScreenshot("broken-install-refusal");
    d.click(400, 300);
    EXPECT_EQ(popup, 0);
  }
  d.clickHotspot(2);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  d.clickHotspot(7);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  EXPECT_EQ(popup, kMessageNoWorld);
  EXPECT_EQ(boxesShown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Renderers, BrokenInstall, ::testing::Values(false, true), rendererName);

// ---- Saves and a finished career in the real program ----------------------------------------

class Faults : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(GetParam()));
    d.frame(2);
    ASSERT_EQ(screenState, kMainMenuScreen);
    ASSERT_TRUE(d.quickStart());
  }
  std::string slotPath(int slot) const { return d.home().path() + "/data/Brawnmoor/slot" + std::to_string(slot); }
  static std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void selectSlot(int slot) { d.click(400, 149 + 20 * slot + 5); }
  const DrawnText* rowText(const std::vector<DrawnText>& lines, int slot) {
    for (const DrawnText& t : lines)
      if (t.y == float(153 + 20 * slot)) return &t;
    return nullptr;
  }
  GameDriver d;
};

// Damaged slots show as damaged, LOAD on one is refused with a message and leaves the career
// and the file as they were, and any description is drawn within its row.
TEST_P(Faults, DamagedSlotsAreShownRefusedAndKept) {
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  selectSlot(0);
  d.clickHotspot(8);  // a real save in slot 0
  ASSERT_EQ(screenState, kBoxerScreen);
  std::string whole = readFile(slotPath(0));
  ASSERT_EQ(whole.size(), kSaveFileSize);
  const std::string cut = whole.substr(0, 200000);
  std::ofstream(slotPath(2), std::ios::binary) << cut;
  fs::create_directories(slotPath(4));
  // A whole save whose description is one long line of every byte the file could hold.
  std::string odd = whole;
  for (size_t i = 0; i + 1 < kSlotDescriptionSize; ++i) odd[i] = char(1 + (i * 37) % 255);
  odd[kSlotDescriptionSize - 1] = 0;
  std::ofstream(slotPath(5), std::ios::binary) << odd;

  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  EXPECT_EQ(slotStates[2], SlotState::Damaged);
  EXPECT_EQ(slotStates[4], SlotState::Damaged);
  EXPECT_EQ(slotStates[5], SlotState::Saved);
  d.move(700, 560);
  const std::vector<DrawnText> lines = d.drawnText();
  for (int slot : {2, 4}) {
    const DrawnText* t = rowText(lines, slot);
    ASSERT_NE(t, nullptr) << slot;
    EXPECT_STREQ(t->text, "Damaged slot (file kept)");
  }
  const DrawnText* t5 = rowText(lines, 5);
  ASSERT_NE(t5, nullptr);
  EXPECT_LE(textWidth(t5->text), 259.0f) << t5->text;
  for (const char* c = t5->text; *c; ++c) EXPECT_GE(static_cast<unsigned char>(*c), 32u);
  // The damaged row is drawn in red: its text pixels are reddish where a saved row's are white.
  const std::vector<uint32_t> px = d.pixels();
  int reddish = 0;
  for (int y = 153 + 40; y < 153 + 40 + 12; ++y)
    for (int x = 300; x < 500; ++x) {
      const uint32_t p = px[size_t(y) * 800 + size_t(x)];
      const int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
      reddish += r > 200 && g < 150 && b < 150;
    }
  EXPECT_GT(reddish, 20);
  d.keepScreenshot("damaged-slot-list");

  // LOAD on the damaged slot: refused, with the file's path; the career goes on, the file is kept.
  const int32_t cashBefore = cash;
  cash = cashBefore + 1234;
  selectSlot(2);
  d.clickHotspot(7);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  EXPECT_EQ(popup, kMessageDamagedSlot);
  EXPECT_EQ(cash, cashBefore + 1234);
  bool pathShown = false;
  for (const DrawnText& t : d.drawnText()) pathShown |= std::string(t.text).find("slot2") != std::string::npos;
  EXPECT_TRUE(pathShown);
  d.keepScreenshot("damaged-slot-refused");
  d.click(400, 300);
  EXPECT_EQ(popup, 0);
  EXPECT_EQ(readFile(slotPath(2)), cut);
  EXPECT_TRUE(fs::is_directory(slotPath(4)));
  // The whole save still loads.
  selectSlot(0);
  d.clickHotspot(7);
  EXPECT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(cash, cashBefore);
}

// A save that cannot be written says so, why, and where; the menu and the career stay.
TEST_P(Faults, AFailedSaveSaysWhyAndWhere) {
  fs::create_directories(slotPath(3) + "/occupied");  // no file can replace a folder
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  selectSlot(3);
  d.clickHotspot(8);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  ASSERT_EQ(popup, kMessageSaveFailed);
  std::string shown;
  for (const DrawnText& t : d.drawnText()) shown += std::string(t.text) + "\n";
  EXPECT_NE(shown.find("The game could not be saved."), std::string::npos) << shown;
#if !defined(_WIN32)  // Windows words it as a refused access
  EXPECT_NE(shown.find(std::string("Reason: ") + std::strerror(EISDIR)), std::string::npos) << shown;
#endif
  EXPECT_NE(shown.find("Brawnmoor"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("'save' directory"), std::string::npos);
  d.keepScreenshot("save-failed");
  d.click(400, 300);
  EXPECT_EQ(popup, 0);
  EXPECT_EQ(gameInProgress, 1);
}

// Once a career is over the only way on is the main menu: Escape neither closes the message
// nor opens the save menu, a tab leads nowhere but the main menu, and nothing is saved.
TEST_P(Faults, AFinishedCareerGoesOnlyToTheMainMenu) {
  popup = 13;
  gameOver = 1;
  d.frame(2);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(popup, 13);
  EXPECT_EQ(inGameMenu, 0);
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kBoxerScreen);
  // Should the message be gone some other way, a click on the save tab still leads to the
  // main menu, not to the save menu.
  popup = -1;
  d.click(25 + 75 * 5 + 30, 50);
  EXPECT_EQ(screenState, kMainMenuScreen);
  EXPECT_EQ(gameOver, 0);
  EXPECT_EQ(gameInProgress, 0);
  for (int slot = 0; slot < kSaveSlots; ++slot) EXPECT_FALSE(fs::exists(slotPath(slot))) << slot;
}

INSTANTIATE_TEST_SUITE_P(Renderers, Faults, ::testing::Values(false, true), rendererName);

}  // namespace
