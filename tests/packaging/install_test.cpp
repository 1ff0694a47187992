// Installs the build into a scratch prefix and checks what a player's machine gets: both
// programs, the complete data folder where the installed game looks for it, the desktop entry
// and the icons.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tools/KTools.h"

namespace fs = std::filesystem;

namespace {

class Installed : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prefix_ = fs::temp_directory_path() / ("brawnmoor-install-" + std::to_string(getpid()));
    fs::remove_all(prefix_);
    std::string cmd = std::string("\"") + BRAWNMOOR_CMAKE + "\" --install \"" + BRAWNMOOR_BUILD_DIR +
                      "\" --prefix \"" + prefix_.string() + "\" > \"" + prefix_.string() +
                      ".log\" 2>&1";
    status_ = std::system(cmd.c_str());
  }
  static void TearDownTestSuite() {
    std::error_code ec;
    fs::remove_all(prefix_, ec);
    fs::remove(prefix_.string() + ".log", ec);
  }
  void SetUp() override { ASSERT_EQ(status_, 0) << "cmake --install failed, see " << prefix_ << ".log"; }

  static fs::path prefix_;
  static int status_;
};
fs::path Installed::prefix_;
int Installed::status_ = -1;

bool executable(const fs::path& p) {
  return fs::is_regular_file(p) && access(p.c_str(), X_OK) == 0;
}

// Width and height from a PNG's header; 0 x 0 when the file is no PNG.
std::pair<uint32_t, uint32_t> pngSize(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  unsigned char h[24] = {};
  if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return {0, 0};
  static const unsigned char sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (int i = 0; i < 8; ++i)
    if (h[i] != sig[i]) return {0, 0};
  auto be = [&](int o) {
    return uint32_t(h[o]) << 24 | uint32_t(h[o + 1]) << 16 | uint32_t(h[o + 2]) << 8 | h[o + 3];
  };
  return {be(16), be(20)};
}

TEST_F(Installed, ProgramsGoToBin) {
  EXPECT_TRUE(executable(prefix_ / "bin" / "brawnmoor"));
#ifdef BRAWNMOOR_HAS_VANTOREL
  EXPECT_TRUE(executable(prefix_ / "bin" / "vantorel"));
#endif
  // No data folder beside the installed program: the game must take the shared one.
  EXPECT_FALSE(fs::exists(prefix_ / "bin" / "data"));
}

TEST_F(Installed, EveryDataFileIsInstalledWhole) {
  const fs::path built = BRAWNMOOR_DATA;
  const fs::path shared = prefix_ / "share" / "brawnmoor" / "data";
  ASSERT_TRUE(fs::is_directory(shared));
  int files = 0;
  for (auto it = fs::recursive_directory_iterator(built); it != fs::recursive_directory_iterator();
       ++it) {
    if (it->is_symlink()) {
      it.disable_recursion_pending();  // a link back into the folder is no data
      continue;
    }
    if (!it->is_regular_file()) continue;
    fs::path rel = fs::relative(it->path(), built);
    fs::path there = shared / rel;
    ASSERT_TRUE(fs::is_regular_file(there)) << rel << " is missing";
    EXPECT_EQ(fs::file_size(there), it->file_size()) << rel;
    ++files;
  }
  EXPECT_GT(files, 100);
  EXPECT_FALSE(fs::exists(shared / "data")) << "the folder must not contain itself";
}

TEST_F(Installed, GameNamesResolveInTheSharedFolder) {
  // The installed game resolves its data names against <prefix>/share/brawnmoor.
  const std::string shared = (prefix_ / "share" / "brawnmoor").string();
  KTools::OverrideExeFolder(shared.c_str());
  for (const char* name : {"data\\gfx\\menu.jpg", "data\\gfx\\mainmenu.jpg", "data\\languages.ini",
                           "data\\nation.ini", "data\\GUI1", "data\\snd\\click.ogg"}) {
    std::string path = KTools::GetDataPath(name);
    EXPECT_TRUE(fs::is_regular_file(path)) << name << " -> " << path;
  }
  KTools::OverrideExeFolder(nullptr);
}

TEST_F(Installed, DesktopEntryStartsTheGameWithItsIcon) {
  std::ifstream in(prefix_ / "share" / "applications" / "brawnmoor.desktop");
  ASSERT_TRUE(in);
  std::string line, group;
  std::map<std::string, std::string> keys;
  std::getline(in, group);
  EXPECT_EQ(group, "[Desktop Entry]");
  while (std::getline(in, line)) {
    auto eq = line.find('=');
    if (eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
  }
  EXPECT_EQ(keys["Type"], "Application");
  EXPECT_EQ(keys["Name"], "Brawnmoor");
  EXPECT_FALSE(keys["Comment"].empty());
  EXPECT_EQ(keys["Exec"], "brawnmoor");
  EXPECT_EQ(keys["Icon"], "brawnmoor");
  EXPECT_EQ(keys["Categories"], "Game;SportsGame;");
  // Exec names the installed program.
  EXPECT_TRUE(executable(prefix_ / "bin" / keys["Exec"]));
}

TEST_F(Installed, IconsArePicturesOfTheirSize) {
  for (uint32_t size : {48u, 128u, 256u}) {
    fs::path icon = prefix_ / "share" / "icons" / "hicolor" /
                    (std::to_string(size) + "x" + std::to_string(size)) / "apps" / "brawnmoor.png";
    ASSERT_TRUE(fs::is_regular_file(icon)) << icon;
    auto [w, h] = pngSize(icon);
    EXPECT_EQ(w, size) << icon;
    EXPECT_EQ(h, size) << icon;
    EXPECT_GT(fs::file_size(icon), size * 8u) << "an empty picture compresses to almost nothing";
  }
}

}  // namespace
