// The options file beside the preferences: its text written and read back, every damaged form
// giving the defaults (or the line's own default), and nothing but a small regular file read.
#include "saves/options.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <cstdlib>
#include <string>

#include "saves/preferences.h"
#include "support/tempdir.h"
#include "support/testenv.h"

namespace {

class OptionsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    setEnv(kUserDataRootVariable, home.path().c_str());
    folder = std::string(userFolder());
    ASSERT_FALSE(folder.empty());
  }
  void TearDown() override {
    unsetEnv(kUserDataRootVariable);
    gameOptions = GameOptions{};
  }
  std::string path() const { return folder + "/options"; }
  TempDir home;
  std::string folder;
};

void expectDefaults(const GameOptions& o) {
  const GameOptions d;
  EXPECT_EQ(o.musicVolume, d.musicVolume);
  EXPECT_EQ(o.soundVolume, d.soundVolume);
  EXPECT_EQ(o.windowSize, d.windowSize);
  EXPECT_EQ(o.smoothScaling, d.smoothScaling);
  EXPECT_EQ(o.tutorialAtStart, d.tutorialAtStart);
  EXPECT_EQ(o.windowWidth, 0);
  EXPECT_EQ(o.windowHeight, 0);
}

}  // namespace

TEST_F(OptionsFile, WrittenAndReadBack) {
  gameOptions.musicVolume = 0;
  gameOptions.soundVolume = 55;
  gameOptions.windowSize = 2;
  gameOptions.smoothScaling = false;
  gameOptions.tutorialAtStart = true;
  gameOptions.windowWidth = 1366;
  gameOptions.windowHeight = 768;
  ASSERT_TRUE(saveOptions());
  gameOptions = GameOptions{};
  loadOptions();
  EXPECT_EQ(gameOptions.musicVolume, 0);
  EXPECT_EQ(gameOptions.soundVolume, 55);
  EXPECT_EQ(gameOptions.windowSize, 2);
  EXPECT_FALSE(gameOptions.smoothScaling);
  EXPECT_TRUE(gameOptions.tutorialAtStart);
  EXPECT_EQ(gameOptions.windowWidth, 1366);
  EXPECT_EQ(gameOptions.windowHeight, 768);
  // The other sizes' words.
  for (int size : {kWindowSizeLargest, kWindowSizeFree, 1, kWindowSizeMaxMultiple}) {
    GameOptions o, back;
    o.windowSize = size;
    const std::string text = formatOptions(o);
    ASSERT_TRUE(parseOptions(text.data(), text.size(), back));
    EXPECT_EQ(back.windowSize, size) << text;
  }
  // The preferences keep their 62 bytes beside it.
  EXPECT_TRUE(savePreferences());
  struct stat st;
  ASSERT_EQ(stat((folder + "/prefs").c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 62);
}

TEST_F(OptionsFile, MissingOrDamagedFilesGiveTheDefaults) {
  gameOptions.musicVolume = 7;
  loadOptions();  // no file
  expectDefaults(gameOptions);

  const std::string damaged[] = {
      std::string("\0\x01\x02\xff\xfe", 5),                   // binary
      "MusicVolume",                                           // no value
      "MusicVolume=\nSoundVolume=abc\nWindowSize=-3\n",       // nothing readable
      "[Options]\nMusicVolume=101\nSoundVolume=-1\nWindowSize=9\nScaling=blurry\nTutorial=yes\n",
      "MusicVolume=99999999999999999999\n",
      std::string(5000, 'x'),                                  // larger than any options file
  };
  for (const std::string& bytes : damaged) {
    home.write("Brawnmoor/options", bytes);
    gameOptions.musicVolume = 7;
    loadOptions();
    expectDefaults(gameOptions);
  }
  // A size with one side only counts as none.
  home.write("Brawnmoor/options", "WindowWidth=1280\n");
  loadOptions();
  EXPECT_EQ(gameOptions.windowWidth, 0);
  // Lines with CR LF, spaces and other cases still read.
  home.write("Brawnmoor/options", "[Options]\r\n musicvolume = 12 \r\nSCALING=Sharp\r\n");
  loadOptions();
  EXPECT_EQ(gameOptions.musicVolume, 12);
  EXPECT_FALSE(gameOptions.smoothScaling);
}

TEST_F(OptionsFile, OnlyRegularFilesAreReadAndAFifoNeverBlocks) {
#if !defined(_WIN32)  // FIFOs are POSIX
  ASSERT_EQ(mkfifo(path().c_str(), 0644), 0);
  const auto start = std::chrono::steady_clock::now();
  gameOptions.soundVolume = 3;
  loadOptions();  // a FIFO with no writer would block a plain open for reading
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  expectDefaults(gameOptions);
  EXPECT_FALSE(regularFileExists(path().c_str()));
  unlink(path().c_str());
#endif
  ASSERT_TRUE(std::filesystem::create_directory(path()));
  loadOptions();
  expectDefaults(gameOptions);
  EXPECT_FALSE(saveOptions()) << "a folder in the file's place is not replaced";
  std::filesystem::remove(path());
  EXPECT_TRUE(saveOptions());
  EXPECT_TRUE(regularFileExists(path().c_str()));
}
