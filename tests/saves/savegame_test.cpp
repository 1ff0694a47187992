#include "saves/savegame.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#if !defined(_WIN32)
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "career/autopilot.h"
#include "career/contracts.h"
#include "career/generation.h"
#include "career/messages.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/training.h"
#include "career/world.h"
#include "saves/preferences.h"
#include "support/tempdir.h"
#include "support/testenv.h"
#include "tools/KTools.h"
#include "ui/fonttables.h"
#include "ui/session.h"
#include "ui/texttable.h"

namespace {

class Saves : public ::testing::Test {
 protected:
  void SetUp() override {
    setEnv(kUserDataRootVariable, home.path().c_str());
    KTools::SetMessageBoxHandler(countBox);
    boxes = 0;
    loadTextTable(0);
  }
  void TearDown() override {
    KTools::SetMessageBoxHandler(nullptr);
    unsetEnv(kUserDataRootVariable);
  }
  static void countBox(const char* caption, const char*) {
    ++boxes;
    lastCaption = caption;
  }
  // A career of some months, played by the autopilot.
  void playCareer(unsigned seed, int months) {
    std::srand(seed);
    ASSERT_TRUE(generateWorld());
    quickStart();
    for (int m = 0; m < months && !gameOver; ++m) autopilotMonth();
    profilePanel = 1;
    panelSelector = 3;
  }
  std::string slotPath(int slot) { return home.path() + "/Brawnmoor/slot" + std::to_string(slot); }
  std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  TempDir home;
  static inline int boxes = 0;
  static inline std::string lastCaption;
};

TEST_F(Saves, AFreshFolderListsTenEmptySlots) {
  listSlots();
  for (const auto& d : slotDescriptions) EXPECT_STREQ(d, "Empty Savegame Slot");
  EXPECT_FALSE(loadSlot(4));
}

TEST_F(Saves, RoundTripByteForByte) {
  playCareer(99, 14);
  std::vector<uint8_t> before(kSaveFileSize), after(kSaveFileSize);
  buildSaveImage(before.data());
  ASSERT_TRUE(saveSlot(3));
  EXPECT_EQ(readFile(slotPath(3)), before);

  // A different world in between.
  std::srand(5);
  ASSERT_TRUE(generateWorld());
  quickStart();
  ASSERT_TRUE(loadSlot(3));
  buildSaveImage(after.data());
  EXPECT_TRUE(before == after);
  for (size_t i = 0; i < kSaveFileSize; ++i)
    if (before[i] != after[i]) {
      ADD_FAILURE() << "first difference at byte " << i;
      break;
    }
  EXPECT_EQ(profilePanel, 1);
  EXPECT_EQ(panelSelector, 3);

  listSlots();
  char expected[300];
  formatSlotDescription(expected, sizeof expected);
  EXPECT_STREQ(slotDescriptions[3], expected);
  EXPECT_STREQ(slotDescriptions[2], "Empty Savegame Slot");
  std::string d = slotDescriptions[3];
  EXPECT_EQ(d.rfind(std::string(managerName) + " (", 0), 0u) << d;
  EXPECT_NE(d.find(std::string(monthNames[month]) + " " + std::to_string(year) + ")"), std::string::npos) << d;
  EXPECT_EQ(std::string(monthNames[month]).size(), 3u);
}

TEST_F(Saves, TheFileLayout) {
  playCareer(7, 6);
  cash = 0x01020304;
  month = 7;
  year = 2031;
  career.earningsTotal = 0x00051234;
  recentResults[0] = 0x0A0B;
  ASSERT_TRUE(saveSlot(0));
  std::vector<uint8_t> f = readFile(slotPath(0));
  ASSERT_EQ(f.size(), 540718u);
  auto i32 = [&](size_t o) { int32_t v; std::memcpy(&v, &f[o], 4); return v; };
  auto i16 = [&](size_t o) { int16_t v; std::memcpy(&v, &f[o], 2); return v; };
  EXPECT_EQ(f[254], 0);
  EXPECT_EQ(i16(255), stableCount);
  EXPECT_EQ(f[257], 0x04);  // little-endian
  EXPECT_EQ(i32(257), 0x01020304);
  EXPECT_EQ(i32(261), 7);
  EXPECT_EQ(i32(265), 2031);
  EXPECT_EQ(std::memcmp(&f[269], managerName, 32), 0);
  EXPECT_EQ(i16(301), selectedBoxer);
  EXPECT_EQ(i16(377), currentSlot);
  EXPECT_EQ(i16(379), trainingPoints[0]);
  EXPECT_EQ(i16(405), searchResults[0]);
  EXPECT_EQ(i16(5405), searchLast);
  EXPECT_EQ(i16(5667), equipmentLevel);
  EXPECT_EQ(std::memcmp(&f[5879], &f[405], 4), 0);  // the first results, twice
  EXPECT_EQ(i16(5889), 0x1234);                       // the low half of the earnings
  EXPECT_EQ(i32(5898), 0x00051234);                   // the whole total in the career block
  EXPECT_EQ(i16(5898 + 4), career.managerAge);
  EXPECT_EQ(i16(5898 + 24), career.managerNation);
  EXPECT_EQ(std::memcmp(&f[10698], &boxers[0], 116), 0);
  EXPECT_EQ(std::memcmp(&f[10698 + 116 * 2499], &boxers[2499], 116), 0);
  EXPECT_EQ(std::memcmp(&f[300698], &fights[0], 24), 0);
  EXPECT_EQ(i16(540698), 0x0A0B);
}

// Values a new world leaves as they were (the books of the months still to come, the screens'
// selections): cleared so that the golden file does not depend on the tests run before it.
void forgetEarlierCareers() {
  std::memset(income, 0, sizeof income);
  std::memset(expenses, 0, sizeof expenses);
  std::memset(searchResults, 0, sizeof searchResults);
  for (int16_t& r : rankingList) r = -1;
  shownCategory = 1;
  candidate = -1;
  scheduledFight = -1;
  profilePanel = 0;
  panelSelector = 1;
  equipmentChoice = staffChoice = 0;
  onlyUnranked = onlyAffordable = searchByRecord = 0;
  currentSlot = 0;
}

TEST_F(Saves, AGoldenFileFromAFixedSeed) {
  // The same seed and the same moves give the same file on every machine.
  int32_t savedMonth = month;
  forgetEarlierCareers();
  month = 4;
  std::srand(424242);
  ASSERT_TRUE(generateWorld());
  year = 2026;
  quickStart();
  ASSERT_TRUE(saveSlot(1));
  std::vector<uint8_t> a = readFile(slotPath(1));
  forgetEarlierCareers();
  month = 4;
  std::srand(424242);
  ASSERT_TRUE(generateWorld());
  year = 2026;
  quickStart();
  ASSERT_TRUE(saveSlot(2));
  EXPECT_EQ(readFile(slotPath(2)), a);
  // The description of that world, and a checksum of the whole file: a change of the layout or
  // of the world's rules shows here first (update the number only for an intended change).
  EXPECT_NE(std::string(reinterpret_cast<const char*>(a.data())).find(" (May 2026)"), std::string::npos);
  uint64_t hash = 1469598103934665603ull;
  for (uint8_t byte : a) hash = (hash ^ byte) * 1099511628211ull;
  // The C library's random numbers are its own: the Windows one draws another world.
#if defined(_WIN32)
  constexpr uint64_t kGolden = 2588421953476486853ull;
#else
  constexpr uint64_t kGolden = 16411419942146629591ull;
#endif
  EXPECT_EQ(hash, kGolden) << hash;
  month = savedMonth;
}

// Whether the game's small font has a glyph for the character (the career's messages are
// drawn in it; a character without one is left out).
bool fontDraws(char c) {
  for (int i = 0; i < kSmallFontGlyphs; ++i)
    if (smallFontTable[i].character == static_cast<unsigned char>(c)) return true;
  return false;
}

// The message of a failed save: that the game was not saved, the system's reason and the folder.
std::vector<std::string> shownLines() {
  std::vector<std::string> out;
  ResolvedLine lines[4];
  const int n = resolveMessage(popup, lines);
  for (int i = 0; i < n; ++i) {
    char text[700];
    formatMessageLine(lines[i], lines[i].entry >= 0 ? uiText(lines[i].entry) : "", text, sizeof text);
    out.push_back(text);
  }
  return out;
}

TEST_F(Saves, AnUnwritableFolderFailsAndKeepsTheOldSlot) {
#if defined(_WIN32)
  const bool folderInThePlace = true;  // folder rights are no file modes there
#else
  const bool folderInThePlace = geteuid() == 0;
#endif
  if (folderInThePlace) {
    // root writes anywhere: make the target a folder instead, which no file can replace.
    playCareer(3, 2);
    ASSERT_TRUE(saveSlot(5));
    std::vector<uint8_t> old = readFile(slotPath(5));
    std::filesystem::create_directories(slotPath(6) + "/occupied");
    popup = 0;
    EXPECT_FALSE(saveSlot(6));
    // No box that sends the player looking for a 'save' folder: the career's message window
    // says what happened, why and where.
    EXPECT_EQ(boxes, 0);
    ASSERT_EQ(popup, kMessageSaveFailed);
    const std::vector<std::string> lines = shownLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "The game could not be saved.");
#if !defined(_WIN32)
    EXPECT_EQ(lines[1], std::string("Reason: ") + std::strerror(EISDIR));
#endif
    // The folder as the system names it, its separators written as '/' (the game's font has
    // no backslash; Windows reads either), every character one the window can draw.
    std::string folder = systemPath(home.path() + "/Brawnmoor");
    for (char& c : folder)
      if (c == '\\') c = '/';
    EXPECT_EQ(lines[2], "Folder: " + folder);
    EXPECT_EQ(lines[3], "Nothing in this slot was changed.");
    for (const std::string& line : lines)
      for (char c : line) EXPECT_TRUE(fontDraws(c)) << "'" << c << "' in " << line;
    EXPECT_TRUE(std::filesystem::is_directory(slotPath(6)));
    // A failed save leaves no half-written file behind and the good slot as it was.
    EXPECT_FALSE(std::filesystem::exists(slotPath(6) + ".new"));
    EXPECT_EQ(readFile(slotPath(5)), old);
    return;
  }
#if !defined(_WIN32)
  playCareer(3, 2);
  ASSERT_TRUE(saveSlot(5));
  std::vector<uint8_t> old = readFile(slotPath(5));
  chmod((home.path() + "/Brawnmoor").c_str(), 0555);
  cash += 1000;
  popup = 0;
  EXPECT_FALSE(saveSlot(5));
  chmod((home.path() + "/Brawnmoor").c_str(), 0755);
  EXPECT_EQ(boxes, 0);
  ASSERT_EQ(popup, kMessageSaveFailed);
  EXPECT_EQ(shownLines()[1], std::string("Reason: ") + std::strerror(EACCES));
  EXPECT_EQ(readFile(slotPath(5)), old);
#endif
}

// A full disk: the write fails part way (here through the file-size limit, which a test can
// set without a small file system), the old save stays whole, the reason is the system's.
#if !defined(_WIN32)  // the file-size limit and fork are POSIX
TEST_F(Saves, AFullDiskFailsWithTheSystemsReasonAndKeepsTheOldSlot) {
  playCareer(8, 2);
  ASSERT_TRUE(saveSlot(2));
  const std::vector<uint8_t> old = readFile(slotPath(2));
  cash += 777;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {100000, 100000};
    setrlimit(RLIMIT_FSIZE, &limit);
    popup = 0;
    const bool saved = saveSlot(2);
    const std::vector<std::string> lines = shownLines();
    _exit(!saved && popup == kMessageSaveFailed && lines.size() == 4 &&
                  lines[1] == std::string("Reason: ") + std::strerror(EFBIG)
              ? 0
              : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(readFile(slotPath(2)), old);
  EXPECT_FALSE(std::filesystem::exists(slotPath(2) + ".new"));
}
#endif

// A finished career is never saved: the only way on from it is the main menu.
TEST_F(Saves, AFinishedCareerIsNotSaved) {
  playCareer(9, 1);
  gameOver = 1;
  EXPECT_FALSE(saveSlot(1));
  EXPECT_FALSE(std::filesystem::exists(slotPath(1)));
  gameOver = 0;
  EXPECT_TRUE(saveSlot(1));
}

// Every kind of damaged slot shows as damaged, is refused, changes nothing of the career and
// keeps its file exactly as it was.
TEST_F(Saves, DamagedSlotsAreListedRefusedAndKept) {
  playCareer(13, 3);
  ASSERT_TRUE(saveSlot(0));
  const std::vector<uint8_t> whole = readFile(slotPath(0));
  std::vector<uint8_t> noEnd = whole;
  std::memset(noEnd.data(), 'A', kSlotDescriptionSize);  // a description without its end byte
  auto write = [&](int slot, const std::vector<uint8_t>& bytes) {
    std::ofstream out(slotPath(slot), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  };
  write(1, {});                                                       // 0 bytes
  write(2, std::vector<uint8_t>(whole.begin(), whole.begin() + 300000));  // cut short
  std::filesystem::create_directories(slotPath(3));                  // a folder
#if defined(_WIN32)
  write(4, {1, 2, 3});                                                // (no FIFOs there) a scrap
#else
  ASSERT_EQ(mkfifo(slotPath(4).c_str(), 0644), 0);                   // a FIFO: never waited on
#endif
  write(5, noEnd);
  std::vector<uint8_t> longer = whole;
  longer.push_back(0);
  write(6, longer);                                                   // a foreign, longer file
#if defined(_WIN32)
  const bool unreadableToo = false;                                   // no file modes there
#else
  const bool unreadableToo = geteuid() != 0;                          // root reads anything
#endif
  if (unreadableToo) {
    write(7, whole);
    chmod(slotPath(7).c_str(), 0);
  }

  listSlots();
  EXPECT_EQ(slotStates[0], SlotState::Saved);
  for (int slot : {1, 2, 3, 4, 5, 6}) EXPECT_EQ(slotStates[slot], SlotState::Damaged) << slot;
  if (unreadableToo) {
    EXPECT_EQ(slotStates[7], SlotState::Damaged);
  }
  EXPECT_EQ(slotStates[8], SlotState::Empty);
  EXPECT_STREQ(slotDescriptions[8], "Empty Savegame Slot");

  std::vector<uint8_t> before(kSaveFileSize), after(kSaveFileSize);
  cash = 4242;
  buildSaveImage(before.data());
  for (int slot = 1; slot <= (unreadableToo ? 7 : 6); ++slot) {
    SlotState state = SlotState::Saved;
    EXPECT_FALSE(loadSlot(slot, &state)) << slot;
    EXPECT_EQ(state, SlotState::Damaged) << slot;
    buildSaveImage(after.data());
    EXPECT_TRUE(before == after) << "slot " << slot << " changed the career";
  }
  EXPECT_EQ(readFile(slotPath(1)).size(), 0u);
  EXPECT_EQ(readFile(slotPath(2)), std::vector<uint8_t>(whole.begin(), whole.begin() + 300000));
  EXPECT_TRUE(std::filesystem::is_directory(slotPath(3)));
#if defined(_WIN32)
  EXPECT_EQ(readFile(slotPath(4)), std::vector<uint8_t>({1, 2, 3}));
#else
  EXPECT_TRUE(std::filesystem::is_fifo(slotPath(4)));
#endif
  EXPECT_EQ(readFile(slotPath(5)), noEnd);
  EXPECT_EQ(readFile(slotPath(6)), longer);
  if (unreadableToo) chmod(slotPath(7).c_str(), 0644);

  SlotState state = SlotState::Damaged;
  EXPECT_FALSE(loadSlot(9, &state));
  EXPECT_EQ(state, SlotState::Empty);
  EXPECT_TRUE(loadSlot(0, &state));
  EXPECT_EQ(state, SlotState::Saved);
}

TEST_F(Saves, ATemporaryFileIsNeverMistakenForASlot) {
  playCareer(4, 1);
  ASSERT_TRUE(saveSlot(0));
  EXPECT_FALSE(std::filesystem::exists(slotPath(0) + ".new"));
}

TEST_F(Saves, TruncatedFilesLoadSafely) {
  playCareer(11, 8);
  std::vector<uint8_t> image(kSaveFileSize);
  buildSaveImage(image.data());
  const size_t boundaries[] = {0, 1, 255, 257, 261, 269, 301, 305, 379, 405, 5405, 5407, 5599, 5653,
                               5671, 5871, 5883, 5889, 5892, 5898, 5900, 10698, 10698 + 116 * 7 + 50,
                               300698, 300698 + 24 * 3 + 5, 540698, 540717};
  for (size_t cut : boundaries) {
    SCOPED_TRACE(cut);
    std::srand(unsigned(cut));
    ASSERT_TRUE(generateWorld());
    quickStart();
    loadSaveImage(image.data(), cut);
    // The world is usable: a month, the rankings, a search and a save.
    openRankingsScreen();
    buildRankingList();
    runSearch();
    sortResults(1);
    autopilotMonth();
    std::vector<uint8_t> again(kSaveFileSize);
    buildSaveImage(again.data());
    ASSERT_EQ(stableCount, countStable());
  }
}

TEST_F(Saves, GarbageIndicesAreBroughtInside) {
  playCareer(12, 3);
  std::vector<uint8_t> image(kSaveFileSize);
  buildSaveImage(image.data());
  auto put16 = [&](size_t o, int16_t v) { std::memcpy(&image[o], &v, 2); };
  put16(301, 31000);                  // selectedBoxer
  put16(377, -7);                     // currentSlot
  put16(405, -300);                   // a search result
  put16(5405, 9999);                  // searchLast
  put16(5599, 40);                    // equipmentChoice
  put16(5667, -2);                    // equipmentLevel
  put16(5669, 99);                    // shownCategory
  put16(5671, 4000);                  // rankingList[0]
  put16(5885, 2600);                  // candidate
  put16(5887, 12000);                 // scheduledFight
  put16(5898 + 12, 3000);             // stable[0]
  put16(5898 + 14, -50);              // stable[1]
  put16(5898 + 24, 77);               // managerNation
  put16(10698 + 16, 99);              // boxers[0].nation
  put16(10698 + 74, 0);               // boxers[0].category
  put16(10698 + 8, 2);                // boxers[0].age
  put16(10698 + 4, 9000);             // boxers[0].firstName
  float nan = std::nanf("");
  std::memcpy(&image[10698 + 32], &nan, 4);  // boxers[0].strength
  put16(300698 + 0, 7);               // fights[0].boxerA
  put16(300698 + 2, 9000);            // fights[0].boxerB
  put16(300698 + 24 + 8, 1234);       // fights[1].winner
  loadSaveImage(image.data(), image.size());
  EXPECT_EQ(selectedBoxer, -1);
  EXPECT_GE(currentSlot, 0);
  EXPECT_LE(searchLast, kBoxerCount - 1);
  EXPECT_GE(searchResults[0], 0);
  EXPECT_LE(equipmentChoice, 3);
  EXPECT_GE(equipmentLevel, 0);
  EXPECT_LE(shownCategory, kCategoryCount);
  EXPECT_EQ(rankingList[0], -1);
  EXPECT_EQ(candidate, -1);
  EXPECT_EQ(scheduledFight, -1);
  EXPECT_LE(career.managerNation, kNationCount);
  EXPECT_EQ(stableCount, countStable());
  for (int s = 0; s < kStableSize; ++s)
    if (career.stable[s] >= 0) {
      EXPECT_EQ(boxers[career.stable[s]].manager, kPlayer);
    }
  EXPECT_LE(boxers[0].nation, kNationCount);
  EXPECT_GE(boxers[0].category, 1);
  EXPECT_GE(boxers[0].age, 16);
  EXPECT_LE(boxers[0].firstName, firstNameCount);
  EXPECT_TRUE(std::isfinite(boxers[0].strength));
  EXPECT_EQ(fights[0].boxerA, -1);
  if (fights[1].boxerA >= 0) {
    EXPECT_EQ(fights[1].winner, -1);
  }
  // And the world plays on.
  monthlyAdvance();
  runSearch();
  sortResults(3);
}

TEST_F(Saves, LoadingIsAValidWorldsNoOp) {
  for (unsigned seed : {21u, 22u, 23u}) {
    playCareer(seed, 30);
    std::vector<uint8_t> a(kSaveFileSize), b(kSaveFileSize);
    buildSaveImage(a.data());
    repairLoadedWorld();
    buildSaveImage(b.data());
    EXPECT_TRUE(a == b) << seed;
  }
}

// The engine's screenshot key falls back to the game's own folder, which the game names.
TEST_F(Saves, TheEngineKnowsTheGamesOwnFolder) {
  loadPreferences();  // the game's first use of its folder
  EXPECT_EQ(std::string(KTools::GetProgramUserFolder()), std::string(userFolder()));
  EXPECT_NE(std::string(userFolder()).find("Brawnmoor"), std::string::npos);
  KTools::SetProgramFolderName(nullptr);
}

// Values outside their ranges are read into range, and what is used is what is written back.
TEST(Preferences, OutOfRangeValuesAreReadIntoRangeAndWrittenBack) {
  TempDir home;
  setEnv(kUserDataRootVariable, home.path().c_str());
  std::vector<uint8_t> bytes(62, 0);
  bytes[5] = 3;      // windowed
  bytes[6] = 7;      // the renderer
  bytes[8] = 9;      // language 9
  bytes[11] = 200;   // the search mode
  bytes[60] = 5;     // tutorial shown
  home.write("Brawnmoor/prefs", std::string(bytes.begin(), bytes.end()));
  loadPreferences();
  EXPECT_EQ(preferences.windowed, 1);
  EXPECT_EQ(preferences.useDirectX, 1);
  EXPECT_EQ(preferences.language, 0);
  EXPECT_EQ(preferences.searchByRecord, 1);
  EXPECT_EQ(preferences.tutorialShown, 1);
  ASSERT_TRUE(savePreferences());
  std::ifstream in(home.path() + "/Brawnmoor/prefs", std::ios::binary);
  std::vector<uint8_t> back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(back.size(), 62u);
  EXPECT_EQ(back[5], 1);
  EXPECT_EQ(back[6], 1);
  EXPECT_EQ(back[8], 0);
  EXPECT_EQ(back[9], 0);
  // A negative language.
  bytes[8] = 0xFE;
  bytes[9] = 0xFF;
  home.write("Brawnmoor/prefs", std::string(bytes.begin(), bytes.end()));
  loadPreferences();
  EXPECT_EQ(preferences.language, 0);
  unsetEnv(kUserDataRootVariable);
}

// Only a regular file is read, and opening never blocks: a FIFO or a folder in the file's place
// gives the defaults at once.
#if !defined(_WIN32)  // FIFOs and fork are POSIX
TEST(Preferences, AFifoOrAFolderGivesTheDefaultsWithoutWaiting) {
  TempDir home;
  setEnv(kUserDataRootVariable, home.path().c_str());
  std::filesystem::create_directories(home.path() + "/Brawnmoor");
  const std::string path = home.path() + "/Brawnmoor/prefs";
  ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
  // In a child, so that a blocking open fails the test instead of hanging it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    alarm(10);
    loadPreferences();
    _exit(preferences.useDirectX == 1 && preferences.windowed == 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "loading the preferences waited on a FIFO";
  std::filesystem::remove(path);
  std::filesystem::create_directories(path);
  loadPreferences();
  EXPECT_EQ(preferences.useDirectX, 1);
  unsetEnv(kUserDataRootVariable);
}
#endif

TEST(Preferences, DefaultsShortFilesAndRoundTrip) {
  TempDir home;
  setEnv(kUserDataRootVariable, home.path().c_str());
  loadPreferences();
  EXPECT_EQ(preferences.useDirectX, 1);
  EXPECT_EQ(preferences.windowed, 0);
  EXPECT_EQ(preferences.language, 0);
  preferences.windowed = 1;
  preferences.language = 2;
  preferences.tutorialShown = 1;
  preferences.reserved0[2] = 0x5A;
  ASSERT_TRUE(savePreferences());
  std::vector<uint8_t> bytes;
  {
    std::ifstream in(home.path() + "/Brawnmoor/prefs", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  ASSERT_EQ(bytes.size(), 62u);
  EXPECT_EQ(bytes[5], 1);
  EXPECT_EQ(bytes[8], 2);
  EXPECT_EQ(bytes[60], 1);
  EXPECT_EQ(bytes[2], 0x5A);
  std::memset(&preferences, 0, sizeof preferences);
  loadPreferences();
  EXPECT_EQ(preferences.language, 2);
  EXPECT_EQ(preferences.reserved0[2], 0x5A);
  // A short file: what it holds, then the defaults.
  {
    std::ofstream out(home.path() + "/Brawnmoor/prefs", std::ios::binary | std::ios::trunc);
    const char six[6] = {9, 9, 9, 9, 9, 1};
    out.write(six, 6);
  }
  loadPreferences();
  EXPECT_EQ(preferences.windowed, 1);
  EXPECT_EQ(preferences.useDirectX, 1);
  EXPECT_EQ(preferences.language, 0);
  unsetEnv(kUserDataRootVariable);
}

}  // namespace
