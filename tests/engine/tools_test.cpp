#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../support/tempdir.h"
#include "../support/testenv.h"
#include "platform/platform.h"
#include "tools/KFileReader.h"
#include "tools/KIniFile.h"
#include "tools/KLog.h"
#include "tools/KTools.h"

namespace {

// ---- Paths --------------------------------------------------------------------------------

// A path written with '/' in the system's own form, as the tools give it.
std::string sys(std::string path) {
  for (char& c : path)
    if (c == '/' || c == '\\') c = platform::kPathSeparator;
  return path;
}

class DataPath : public ::testing::Test {
 protected:
  void SetUp() override { KTools::OverrideExeFolder("/opt/brawnmoor"); }
  void TearDown() override { KTools::OverrideExeFolder(nullptr); }
};

TEST_F(DataPath, ResolvesWindowsNamesBesideTheExecutable) {
  EXPECT_STREQ(KTools::GetDataPath("data\\gfx\\tinyfont.png"), sys("/opt/brawnmoor/data/gfx/tinyfont.png").c_str());
  EXPECT_STREQ(KTools::GetDataPath("/data/gfx/menu.jpg"), sys("/opt/brawnmoor/data/gfx/menu.jpg").c_str());
  EXPECT_STREQ(KTools::GetDataPath("\\data\\x"), sys("/opt/brawnmoor/data/x").c_str());
  EXPECT_STREQ(KTools::GetDataPath(""), sys("/opt/brawnmoor/").c_str());
  EXPECT_STREQ(KTools::GetDataPath(nullptr), sys("/opt/brawnmoor/").c_str());
}

TEST_F(DataPath, KeepsAbsoluteNames) {
  // One leading separator is skipped; a name that still starts with one is absolute.
  EXPECT_STREQ(KTools::GetDataPath("//tmp/save/slot1"), sys("/tmp/save/slot1").c_str());
  EXPECT_STREQ(KTools::GetDataPath("\\\\srv\\share"), sys("/srv/share").c_str());
  EXPECT_STREQ(KTools::GetDataPath("C:\\games\\x.ini"), sys("C:/games/x.ini").c_str());
  EXPECT_STREQ(KTools::GetDataPath(":/x"), sys("/x").c_str());
}

TEST_F(DataPath, ResultIsReusedByTheNextCall) {
  const char* a = KTools::GetDataPath("a");
  KTools::GetDataPath("bb");
  EXPECT_STREQ(a, sys("/opt/brawnmoor/bb").c_str());
}

TEST(Paths, ExecutableFolderIsKnownAndHasNoTrailingSeparator) {
  KTools::OverrideExeFolder(nullptr);
  std::string folder = KTools::GetExeFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(std::filesystem::exists(folder + "/engine_tools_tests") ||
              std::filesystem::exists(folder + "/engine_tools_tests.exe"));
}

TEST(Paths, ConvertSlashesInPlace) {
  char text[] = "data\\snd\\click.ogg";
  KTools::ConvertSlashes(text);
  EXPECT_STREQ(text, sys("data/snd/click.ogg").c_str());
  KTools::ConvertSlashes(nullptr);
}

// An installed game points its data folder elsewhere once; every window creation records the
// paths again, which must not undo that.
TEST(Paths, OverrideOutlivesInitPathsUntilCleared) {
  KTools::OverrideExeFolder("/usr/share/brawnmoor/");
  KTools::InitPaths();
  EXPECT_STREQ(KTools::GetExeFolder(), "/usr/share/brawnmoor");
  EXPECT_STREQ(KTools::GetDataPath("data\\nation.ini"), sys("/usr/share/brawnmoor/data/nation.ini").c_str());
  KTools::OverrideExeFolder(nullptr);
  KTools::InitPaths();
  EXPECT_STRNE(KTools::GetExeFolder(), "/usr/share/brawnmoor");
  EXPECT_FALSE(std::string(KTools::GetExeFolder()).empty());
}

TEST(Paths, UserDataFolderIsCreatedUnderXdgDataHome) {
  TempDir dir;
  std::string root = dir.file("share/deeper");
  setEnv(kUserDataRootVariable, root.c_str());
  EXPECT_EQ(std::string(KTools::GetUserDataFolder()), root);
  EXPECT_TRUE(std::filesystem::is_directory(root));
  unsetEnv(kUserDataRootVariable);
}

TEST(Paths, UserDataFolderFallsBackToTheExecutableFolder) {
  TempDir dir;
  dir.write("file", "x");
  // A data root that cannot be a folder (a file is in the way) falls back.
  setEnv(kUserDataRootVariable, dir.file("file/sub").c_str());
  KTools::OverrideExeFolder("/opt/game");
  EXPECT_STREQ(KTools::GetUserDataFolder(), sys("/opt/game/").c_str());
  unsetEnv(kUserDataRootVariable);
  KTools::OverrideExeFolder(nullptr);
}

TEST(Paths, ProgramFolderLiesInsideTheUserDataFolder) {
  TempDir dir;
  setEnv(kUserDataRootVariable, dir.file("share").c_str());
  EXPECT_EQ(std::string(KTools::GetProgramUserFolder()), sys(dir.file("share"))) << "no name: the data folder";
  KTools::SetProgramFolderName("Brawnmoor");
  EXPECT_EQ(std::string(KTools::GetProgramUserFolder()), sys(dir.file("share/Brawnmoor")));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("share/Brawnmoor")));
  // A file in the way: no folder, and never the data folder instead.
  dir.write("other/Brawnmoor", "x");
  setEnv(kUserDataRootVariable, dir.file("other").c_str());
  EXPECT_STREQ(KTools::GetProgramUserFolder(), "");
  KTools::SetProgramFolderName(nullptr);
  unsetEnv(kUserDataRootVariable);
}

// The save slots and the preferences are written this way: a second write replaces the
// first (on Windows a plain rename refuses an existing target), nothing of the temporary
// file stays, and a write that cannot happen leaves nothing behind.
TEST(Files, AnAtomicWriteReplacesTheFileAndLeavesNoTemporary) {
  TempDir dir;
  const std::string path = sys(dir.file("slot1"));
  ASSERT_TRUE(KTools::WriteFileAtomically(path.c_str(), "first", 5));
  ASSERT_TRUE(KTools::WriteFileAtomically(path.c_str(), "second!", 7));
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "second!");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  EXPECT_FALSE(KTools::WriteFileAtomically(sys(dir.file("missing/slot2")).c_str(), "x", 1));
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST(Files, FoldersAreMadeWithTheirParents) {
  TempDir dir;
  const std::string deep = sys(dir.file("a/b/c"));
  EXPECT_TRUE(KTools::MakeFolder(deep.c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(KTools::MakeFolder(deep.c_str()));  // an existing folder is no error
  dir.write("file", "x");
  EXPECT_FALSE(KTools::MakeFolder(sys(dir.file("file/sub")).c_str()));
}

// ---- Clock --------------------------------------------------------------------------------

uint64_t fakeNow = 0;
uint64_t fakeClock() { return fakeNow; }
uint64_t steppingClock() { return fakeNow += 3; }

class Clock : public ::testing::Test {
 protected:
  void SetUp() override {
    fakeNow = 5000;
    KTools::SetClockSource(fakeClock);
    KTools::InitClock();
    base_ = KTools::GetMilliseconds();  // the total of the tests before runs on
  }
  void TearDown() override { KTools::SetClockSource(nullptr); }
  uint32_t since() const { return KTools::GetMilliseconds() - base_; }
  uint32_t base_ = 0;
};

TEST_F(Clock, CountsFromInitialisation) {
  EXPECT_EQ(since(), 0u);
  fakeNow += 250;
  EXPECT_EQ(since(), 250u);
  fakeNow += 1;
  EXPECT_EQ(since(), 251u);
}

TEST_F(Clock, InitialisingAgainKeepsTheRunningTotal) {
  fakeNow += 400;
  EXPECT_EQ(since(), 400u);
  // A window opens and initialises the clock again: time goes on from where it was.
  fakeNow += 30;
  KTools::InitClock();
  EXPECT_EQ(since(), 400u) << "as after a resync, the time before the new reading is left out";
  fakeNow += 20;
  EXPECT_EQ(since(), 420u);
  // A new source also goes on from the total.
  fakeNow = 90;
  KTools::SetClockSource(fakeClock);
  fakeNow += 5;
  EXPECT_EQ(since(), 425u);
}

TEST_F(Clock, ResyncLeavesOutAPause) {
  fakeNow += 400;
  EXPECT_EQ(since(), 400u);
  fakeNow += 10000;  // inactive for ten seconds
  KTools::ResyncClock();
  fakeNow += 100;
  EXPECT_EQ(since(), 500u);
}

TEST_F(Clock, WrapsAtThirtyTwoBits) {
  fakeNow += 0xFFFFFFF0ull;
  EXPECT_EQ(since(), 0xFFFFFFF0u);
  fakeNow += 0x20;
  EXPECT_EQ(since(), 0x10u);
}

int pumped = 0;
void countPump() { ++pumped; }

TEST_F(Clock, WaitMsWaitsOnTheEngineClockAndPumps) {
  KTools::SetClockSource(steppingClock);
  KTools::InitClock();
  pumped = 0;
  KTools::SetMessagePump(countPump);
  uint32_t before = KTools::GetMilliseconds();
  KTools::WaitMs(30, true);
  EXPECT_GE(KTools::GetMilliseconds() - before, 30u);
  EXPECT_GT(pumped, 0);
  int withPump = pumped;
  KTools::WaitMs(30, false);
  EXPECT_EQ(pumped, withPump);
  KTools::SetMessagePump(nullptr);
}

TEST(RealClock, AdvancesWithTime) {
  KTools::InitClock();
  uint32_t a = KTools::GetMilliseconds();
  KTools::WaitMs(20, false);
  uint32_t b = KTools::GetMilliseconds();
  EXPECT_GE(b - a, 20u);
  EXPECT_LT(b - a, 2000u);
}

TEST(Year, IsPlausible) {
  int y = KTools::GetYear();
  EXPECT_GE(y, 2024);
  EXPECT_EQ(KTools::InitPaths(), y);
}

// ---- The desktop's language ------------------------------------------------------------------

TEST(LocaleNames, GiveTheLanguageTheyStartWith) {
  EXPECT_EQ(platform::languageOfLocaleName("de_AT.UTF-8"), "de");
  EXPECT_EQ(platform::languageOfLocaleName("fr-CA"), "fr");
  EXPECT_EQ(platform::languageOfLocaleName("es"), "es");
  EXPECT_EQ(platform::languageOfLocaleName("PT_br"), "pt");
  EXPECT_EQ(platform::languageOfLocaleName("en_IE@euro"), "en");
  EXPECT_EQ(platform::languageOfLocaleName("zh-Hans-CN"), "zh");
  EXPECT_EQ(platform::languageOfLocaleName("haw_US"), "haw");
  for (const char* none : {"C", "C.UTF-8", "POSIX", "", "german", "d3_DE", "_DE"})
    EXPECT_EQ(platform::languageOfLocaleName(none), "") << none;
  EXPECT_EQ(platform::languageOfLocaleName(nullptr), "");
}

// The locale's variables are cleared for each case and put back after it.
class DesktopLanguage : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      const char* v = std::getenv(kNames[i]);
      had_[i] = v != nullptr;
      if (v) kept_[i] = v;
      unsetEnv(kNames[i]);
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (had_[i]) setEnv(kNames[i], kept_[i].c_str());
      else unsetEnv(kNames[i]);
    }
  }
  static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  bool had_[3] = {};
  std::string kept_[3];
};

TEST_F(DesktopLanguage, TheVariablesComeFirstInTheirOrder) {
  setEnv("LANG", "de_DE.UTF-8");
  EXPECT_STREQ(KTools::GetDesktopLanguage(), "de");
  setEnv("LC_MESSAGES", "fr_FR");
  EXPECT_STREQ(KTools::GetDesktopLanguage(), "fr");
  setEnv("LC_ALL", "es_ES.UTF-8");
  EXPECT_STREQ(KTools::GetDesktopLanguage(), "es");
  unsetEnv("LC_ALL");
  EXPECT_STREQ(KTools::GetDesktopLanguage(), "fr");
  // A variable set to a locale of no language is honoured: the system is not asked instead.
  setEnv("LC_MESSAGES", "C");
  EXPECT_STREQ(KTools::GetDesktopLanguage(), "");
}

// Without the variables: nothing on Linux; on Windows the user's display language, which the
// Wine run with LC_ALL=de_DE.UTF-8 given to Wine (not to the program: the case clears it) names
// in BRAWNMOOR_SYSTEM_LANGUAGE.
TEST_F(DesktopLanguage, WithoutTheVariablesTheSystemNamesIt) {
  const std::string code = KTools::GetDesktopLanguage();
#if defined(_WIN32)
  EXPECT_FALSE(code.empty()) << "Windows always has a display language";
  EXPECT_EQ(platform::languageOfLocaleName(code.c_str()), code) << "a lower-case language code";
  if (const char* expected = std::getenv("BRAWNMOOR_SYSTEM_LANGUAGE")) EXPECT_EQ(code, expected);
#else
  EXPECT_EQ(code, "");
#endif
}

// ---- Message boxes and small helpers ------------------------------------------------------

std::string seenCaption, seenText;
void captureBox(const char* caption, const char* text) {
  seenCaption = caption;
  seenText = text;
}

TEST(MessageBox, GoesToTheHandlerOrToStandardError) {
  KTools::SetMessageBoxHandler(captureBox);
  KTools::MessageBox("Caption", "Text");
  EXPECT_EQ(seenCaption, "Caption");
  EXPECT_EQ(seenText, "Text");
  KTools::SetMessageBoxHandler(nullptr);

  // The tests run with the offscreen video driver: no box can be shown, so the message
  // must reach standard error instead of vanishing.
  testing::internal::CaptureStderr();
  KTools::MessageBox("Missing data", "nation.ini");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Missing data"), std::string::npos);
  EXPECT_NE(err.find("nation.ini"), std::string::npos);
}

TEST(ByteOrder, FileValuesAreLittleEndian) {
  uint8_t bytes[4] = {0x78, 0x56, 0x34, 0x12};
  uint32_t v32;
  std::memcpy(&v32, bytes, 4);
  EXPECT_EQ(KTools::FileToHost32(v32), 0x12345678u);
  uint16_t v16;
  std::memcpy(&v16, bytes, 2);
  EXPECT_EQ(KTools::FileToHost16(v16), 0x5678u);
  EXPECT_EQ(KTools::HostToFile32(KTools::FileToHost32(v32)), v32);
}

TEST(Log, SilentModeCreatesNoFile) {
  TempDir dir;
  KTools::OverrideExeFolder(dir.path().c_str());
  {
    KLog log(KLog::kSilent);
    log.Write(KLog::kError, "nothing %d", 1);
    EXPECT_FALSE(log.IsWritingFiles());
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  {
    KLog log(KLog::kToFiles);
    log.Write(KLog::kError, "disk %d", 7);
  }
  EXPECT_TRUE(std::filesystem::exists(dir.file("errors.log")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("debug.log")));
  KTools::OverrideExeFolder(nullptr);
}

// ---- KFileReader --------------------------------------------------------------------------

TEST(FileReader, StatusCodes) {
  TempDir dir;
  dir.write("ten.bin", "0123456789");
  KFileReader r;
  char buf[16] = {};
  long pos = -1;
  EXPECT_EQ(r.Seek(0, 0), KFILE_NOTOPEN);
  EXPECT_EQ(r.Tell(&pos), KFILE_NOTOPEN);
  EXPECT_EQ(r.Read(buf, 1), KFILE_NOTOPEN);
  EXPECT_EQ(r.Open(dir.file("ten.bin").c_str(), 1001), KFILE_BADARGUMENT);
  EXPECT_EQ(r.Open(dir.file("missing.bin").c_str(), KFILE_READ), KFILE_CANTOPEN);
  EXPECT_EQ(r.Open(dir.path().c_str(), KFILE_READ), KFILE_CANTOPEN);  // a folder
  ASSERT_EQ(r.Open(dir.file("ten.bin").c_str(), KFILE_READ), KFILE_OK);
  EXPECT_EQ(r.Open(dir.file("ten.bin").c_str(), KFILE_READ), KFILE_NOTOPEN);
  EXPECT_EQ(r.Read(buf, 0), KFILE_SHORTREAD);
  EXPECT_EQ(r.Read(buf, 4), KFILE_OK);
  EXPECT_EQ(std::string(buf, 4), "0123");
  EXPECT_EQ(r.Seek(2, 1), KFILE_OK);
  EXPECT_EQ(r.Tell(&pos), KFILE_OK);
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(r.Seek(-3, 2), KFILE_OK);  // origin 2 counts from the end of the file
  EXPECT_EQ(r.Tell(&pos), KFILE_OK);
  EXPECT_EQ(pos, 7);
  EXPECT_EQ(r.Seek(0, 7), KFILE_BADARGUMENT);
  EXPECT_EQ(r.Seek(0, 2), KFILE_OK);
  EXPECT_EQ(r.Tell(&pos), KFILE_OK);
  EXPECT_EQ(pos, 10);
  EXPECT_EQ(r.Seek(8, 0), KFILE_OK);
  EXPECT_EQ(r.Read(buf, 4), KFILE_SHORTREAD);  // only two bytes left
  r.Close();
  EXPECT_EQ(r.Read(buf, 1), KFILE_NOTOPEN);
  EXPECT_EQ(r.Open(dir.file("ten.bin").c_str(), KFILE_READ), KFILE_OK);  // reusable
}

TEST(FileReader, FindsFilesWhateverTheirCase) {
  TempDir dir;
  dir.write("Data/Gfx/Boxer01.K3D", "mesh");
  KFileReader r;
  ASSERT_EQ(r.Open(dir.file("data/gfx/boxer01.k3d").c_str(), KFILE_READ), KFILE_OK);
#if defined(_WIN32)
  // The file system ignores case itself: the name opens as it was asked for.
  EXPECT_EQ(r.ResolvedPath(), dir.file("data/gfx/boxer01.k3d"));
#else
  EXPECT_EQ(r.ResolvedPath(), dir.file("Data/Gfx/Boxer01.K3D"));
#endif
  char buf[4];
  EXPECT_EQ(r.Read(buf, 4), KFILE_OK);
  EXPECT_EQ(std::string(buf, 4), "mesh");
  r.Close();
  EXPECT_EQ(r.Open(dir.file("DATA/GFX/BOXER02.K3D").c_str(), KFILE_READ), KFILE_CANTOPEN);
  EXPECT_EQ(KFileReader::ResolveCaseInsensitive(dir.file("data/nothing/x")), "");
}

// ---- KIniFile -----------------------------------------------------------------------------

class Ini : public ::testing::Test {
 protected:
  bool load(const std::string& text) { dir.write("t.ini", text); return ini.Load(dir.file("t.ini").c_str()); }
  std::string get(const char* section, const char* key, int size = 64) {
    char buf[256];
    std::memset(buf, 'x', sizeof buf);
    last = ini.GetString(section, key, buf, size);
    return buf;
  }
  TempDir dir;
  KIniFile ini;
  bool last = false;
};

TEST_F(Ini, ReadsValuesOfTheirOwnSection) {
  ASSERT_TRUE(load("[1]\r\nN=Smith\r\nW=250\r\n[2]\r\nN=Jones\r\n"));
  EXPECT_EQ(get("1", "N"), "Smith");
  EXPECT_EQ(get("2", "N"), "Jones");
  EXPECT_EQ(ini.GetInt("1", "W", 7), 250);
  // W exists only in section 1: asking section 2 must not run into section 3 or back.
  EXPECT_EQ(get("2", "W"), "");
  EXPECT_FALSE(last);
  EXPECT_EQ(ini.GetInt("2", "W", 7), 7);
}

TEST_F(Ini, AKeyOfTheNextSectionIsNotFound) {
  ASSERT_TRUE(load("[1]\r\nA=1\r\n[2]\r\nB=2\r\n"));
  EXPECT_EQ(get("1", "B"), "");
  EXPECT_FALSE(last);
  EXPECT_EQ(ini.GetInt("1", "B", -5), -5);
}

TEST_F(Ini, EmptyValueAndMissingSection) {
  ASSERT_TRUE(load("[a]\r\nName=\r\nX=3\r\n"));
  EXPECT_EQ(get("a", "Name"), "");
  EXPECT_TRUE(last);
  EXPECT_EQ(get("b", "Name"), "");
  EXPECT_FALSE(last);
}

TEST_F(Ini, DestinationSizeLimitsTheCopy) {
  ASSERT_TRUE(load("[1]\r\nN=Abcdefghij\r\n"));
  EXPECT_EQ(get("1", "N", 5), "Abcd");
  EXPECT_TRUE(last);
  char one[1] = {'z'};
  EXPECT_FALSE(ini.GetString("1", "N", one, 1));
  EXPECT_EQ(one[0], 'z');
}

TEST_F(Ini, SectionsAreFoundByTheirFirstOccurrence) {
  // "[2]" first appears inside a value of section 1: that is where section 2 is taken to
  // start, exactly as a plain text search finds it.
  ASSERT_TRUE(load("[1]\r\nNote=see [2]\r\nK=one\r\n[2]\r\nK=two\r\n"));
  EXPECT_EQ(get("2", "K"), "one");
  EXPECT_EQ(get("1", "Note"), "see [2]");
}

TEST_F(Ini, KeysAreMatchedAsText) {
  ASSERT_TRUE(load("[1]\r\nLongN=x\r\nN=y\r\n"));
  EXPECT_EQ(get("1", "N"), "x");  // "N=" is found inside "LongN="
}

TEST_F(Ini, SectionNamesAreCaseSensitive) {
  ASSERT_TRUE(load("[Main]\r\nk=v\r\n"));
  EXPECT_EQ(get("main", "k"), "");
  EXPECT_EQ(get("Main", "k"), "v");
}

TEST_F(Ini, BareLineFeedsEndValuesToo) {
  ASSERT_TRUE(load("[1]\nN=Smith\nW=3\n[2]\nN=Jones"));
  EXPECT_EQ(get("1", "N"), "Smith");
  EXPECT_EQ(get("2", "N"), "Jones");
  EXPECT_EQ(ini.GetInt("1", "W", 0), 3);
  EXPECT_EQ(get("2", "W"), "");
}

TEST_F(Ini, SectionNamesWithBrackets) {
  ASSERT_TRUE(load("[a[b]\r\nk=1\r\n[x]y]\r\nk=2\r\n"));
  EXPECT_EQ(get("a[b", "k"), "1");
  EXPECT_EQ(get("b", "k"), "1");
  EXPECT_EQ(get("x]y", "k"), "2");
}

TEST_F(Ini, NumbersUseTheLeadingInteger) {
  ASSERT_TRUE(load("[1]\r\nA=42abc\r\nB=-7\r\nC=abc\r\n"));
  EXPECT_EQ(ini.GetInt("1", "A", 0), 42);
  EXPECT_EQ(ini.GetInt("1", "B", 0), -7);
  EXPECT_EQ(ini.GetInt("1", "C", 9), 0);
}

TEST_F(Ini, NothingLoaded) {
  KIniFile fresh;
  char buf[8] = "abc";
  EXPECT_FALSE(fresh.GetString("1", "N", buf, sizeof buf));
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(fresh.GetInt("1", "N", 55), 0);  // 0, not the default
  EXPECT_FALSE(fresh.Load(dir.file("none.ini").c_str()));
  EXPECT_FALSE(load(""));  // an empty file loads nothing
  EXPECT_EQ(ini.GetInt("1", "N", 55), 0);
}

TEST_F(Ini, ReloadingReplacesTheText) {
  ASSERT_TRUE(load("[1]\r\nN=old\r\n"));
  EXPECT_EQ(get("1", "N"), "old");
  ASSERT_TRUE(load("[0]\r\nq=1\r\n[1]\r\nN=new\r\n"));
  EXPECT_EQ(get("1", "N"), "new");
}

TEST_F(Ini, LongSectionNamesAreCut) {
  std::string longName(300, 's');
  ASSERT_TRUE(load("[" + longName.substr(0, 252) + "]\r\nk=v\r\n"));
  EXPECT_EQ(get(longName.c_str(), "k"), "v");
}

TEST_F(Ini, ThousandsOfSections) {
  std::string text;
  for (int i = 1; i <= 4000; ++i) text += "[" + std::to_string(i) + "]\r\nN=n" + std::to_string(i) + "\r\n";
  ASSERT_TRUE(load(text));
  for (int i = 1; i <= 4000; i += 397) EXPECT_EQ(get(std::to_string(i).c_str(), "N"), "n" + std::to_string(i));
  EXPECT_EQ(get("4001", "N"), "");
}

TEST_F(Ini, TextFromMemoryReadsAsTheFileDoes) {
  const std::string text("[1]\r\nN=Smith\r\n\0[2]\r\nN=Jones\r\n", 30);
  ASSERT_TRUE(load(text));
  EXPECT_EQ(get("1", "N"), "Smith");
  EXPECT_EQ(get("2", "N"), "");  // a zero byte ends the text
  KIniFile memory;
  ASSERT_TRUE(memory.LoadText(text.data(), text.size()));
  char buf[16];
  EXPECT_TRUE(memory.GetString("1", "N", buf, sizeof buf));
  EXPECT_STREQ(buf, "Smith");
  EXPECT_FALSE(memory.GetString("2", "N", buf, sizeof buf));
  EXPECT_FALSE(memory.LoadText("\0[1]", 4));  // nothing before the zero: nothing loaded
  EXPECT_FALSE(memory.IsLoaded());
  EXPECT_FALSE(memory.LoadText(nullptr, 3));
}

}  // namespace
