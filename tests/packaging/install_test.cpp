// Installs the build into a scratch prefix and checks what a player's machine gets: both
// programs in games/, the complete data folder where the installed game finds it (also when
// the installation is moved), the manual pages, the copyright file and the changelog as Debian
// wants them, the AppStream metadata, the desktop entry and the icons.
#include <fnmatch.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "shell/datafolder.h"
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

  static fs::path games() { return prefix_ / BRAWNMOOR_INSTALL_BINDIR; }
  static fs::path gameDir() { return prefix_ / BRAWNMOOR_INSTALL_GAMEDIR; }
  static fs::path share() { return prefix_ / BRAWNMOOR_INSTALL_DATAROOT; }

  static fs::path prefix_;
  static int status_;
};
fs::path Installed::prefix_;
int Installed::status_ = -1;

bool executable(const fs::path& p) {
  return fs::is_regular_file(p) && access(p.c_str(), X_OK) == 0;
}

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The text of a gzip file, through the gzip program.
std::string gunzip(const fs::path& p) {
  std::string text;
  FILE* pipe = popen(("gzip -dc \"" + p.string() + "\" 2>/dev/null").c_str(), "r");
  if (!pipe) return text;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
  pclose(pipe);
  return text;
}

// Debian wants gzip -9n: the best compression, and neither the file's name nor its time, so
// that the same sources give the same package.
void expectDebianGzip(const fs::path& p) {
  const std::string head = readFile(p).substr(0, 10);
  ASSERT_EQ(head.size(), 10u) << p;
  EXPECT_EQ(uint8_t(head[0]), 0x1F) << p;
  EXPECT_EQ(uint8_t(head[1]), 0x8B) << p;
  EXPECT_EQ(uint8_t(head[3]) & 0x08, 0) << p << " keeps its file name";
  EXPECT_EQ(head.substr(4, 4), std::string(4, '\0')) << p << " keeps a time stamp";
  EXPECT_EQ(uint8_t(head[8]), 2) << p << " is not compressed with -9";
}

// A build setting that configure_file did not fill in (@NAME@).
bool unfilled(const std::string& text) { return std::regex_search(text, std::regex("@[A-Z_]+@")); }

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

TEST_F(Installed, ProgramsGoToGames) {
  EXPECT_TRUE(executable(games() / "brawnmoor"));
#ifdef BRAWNMOOR_HAS_VANTOREL
  EXPECT_TRUE(executable(games() / "vantorel"));
#endif
  EXPECT_FALSE(fs::exists(prefix_ / "bin")) << "nothing of the game belongs in bin/";
  // No data folder beside the installed program: the game must take the shared one.
  EXPECT_FALSE(fs::exists(games() / "data"));
}

TEST_F(Installed, EveryDataFileIsInstalledWhole) {
  const fs::path built = BRAWNMOOR_DATA;
  const fs::path shared = gameDir() / "data";
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

TEST_F(Installed, TheInstalledGameFindsItsDataFromItsOwnFolder) {
  EXPECT_EQ(fs::path(app::dataRootFor(games().string())), gameDir());
  // The names the game asks for resolve there.
  KTools::OverrideExeFolder(app::dataRootFor(games().string()).c_str());
  for (const char* name : {"data\\gfx\\menu.jpg", "data\\gfx\\mainmenu.jpg", "data\\languages.ini",
                           "data\\nation.ini", "data\\GUI1", "data\\snd\\click.ogg"}) {
    std::string path = KTools::GetDataPath(name);
    EXPECT_TRUE(fs::is_regular_file(path)) << name << " -> " << path;
  }
  KTools::OverrideExeFolder(nullptr);

  // Moved to another prefix, it still finds it: the way is relative to the program.
  const fs::path moved = prefix_.string() + "-moved";
  fs::rename(prefix_, moved);
  const std::string found = app::dataRootFor((moved / BRAWNMOOR_INSTALL_BINDIR).string());
  fs::rename(moved, prefix_);
  EXPECT_EQ(fs::path(found), moved / BRAWNMOOR_INSTALL_GAMEDIR);
}

TEST(DataFolder, TheBuildKeepsItsDataBesideTheProgram) {
  EXPECT_EQ(app::dataRootFor(BRAWNMOOR_EXE_DIR), BRAWNMOOR_EXE_DIR);
  // Neither beside the program nor in an installation: nothing found, the caller keeps its folder.
  const fs::path empty = fs::temp_directory_path() / ("brawnmoor-nodata-" + std::to_string(getpid()));
  fs::create_directories(empty / "games");
  EXPECT_EQ(app::dataRootFor((empty / "games").string()), "");
  fs::remove_all(empty);
}

TEST_F(Installed, ManualPagesAreCompressedAndComplete) {
  const fs::path man6 = prefix_ / BRAWNMOOR_INSTALL_MANDIR / "man6";
  std::vector<std::string> pages = {"brawnmoor"};
#ifdef BRAWNMOOR_HAS_VANTOREL
  pages.push_back("vantorel");
#endif
  for (const std::string& page : pages) {
    const fs::path file = man6 / (page + ".6.gz");
    ASSERT_TRUE(fs::is_regular_file(file)) << file;
    expectDebianGzip(file);
    const std::string text = gunzip(file);
    EXPECT_NE(text.find(".TH " + std::string(page == "brawnmoor" ? "BRAWNMOOR" : "VANTOREL") + " 6"),
              std::string::npos)
        << page;
    EXPECT_NE(text.find("Brawnmoor " BRAWNMOOR_VERSION), std::string::npos) << page;
    for (const char* section : {".SH NAME", ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH FILES",
                                ".SH ENVIRONMENT", ".SH SEE ALSO"})
      EXPECT_NE(text.find(section), std::string::npos) << page << " lacks " << section;
    EXPECT_FALSE(unfilled(text)) << page << " has a setting left unfilled";
  }
  const std::string game = gunzip(man6 / "brawnmoor.6.gz");
  for (const char* needed : {"F1", "F4", "F11", "Escape", "Print Screen", "XDG_DATA_HOME",
                             "~/.local/share/Brawnmoor", "prefs", "slot0", "slot9",
                             "SDL_VIDEODRIVER", BRAWNMOOR_INSTALL_GAMEDIR "/data"})
    EXPECT_NE(game.find(needed), std::string::npos) << "brawnmoor.6 does not mention " << needed;
}

TEST_F(Installed, ChangelogNamesThisVersion) {
  const fs::path file = prefix_ / BRAWNMOOR_INSTALL_DOCDIR / "changelog.gz";
  ASSERT_TRUE(fs::is_regular_file(file));
  expectDebianGzip(file);
  const std::string text = gunzip(file);
  EXPECT_EQ(text.rfind("brawnmoor (" BRAWNMOOR_VERSION ") ", 0), 0u) << text.substr(0, 80);
  EXPECT_NE(text.find("\n -- "), std::string::npos) << "no signed entry";
}

// The copyright file in the machine-readable form: every Files pattern names installed files
// (so a renamed or moved file cannot fall out of its licence silently), and every licence it
// names has its text.
TEST_F(Installed, CopyrightFileCoversWhatIsInstalled) {
  const fs::path file = prefix_ / BRAWNMOOR_INSTALL_DOCDIR / "copyright";
  ASSERT_TRUE(fs::is_regular_file(file));
  std::istringstream in(readFile(file));
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/");

  // The paragraphs: fields, with continuation lines (starting with a space) joined.
  std::vector<std::map<std::string, std::string>> paragraphs(1);
  std::string field;
  in.seekg(0);
  while (std::getline(in, line)) {
    if (line.empty()) {
      if (!paragraphs.back().empty()) paragraphs.emplace_back();
      continue;
    }
    if (line[0] == ' ') {
      paragraphs.back()[field] += "\n" + line.substr(1);
      continue;
    }
    auto colon = line.find(':');
    ASSERT_NE(colon, std::string::npos) << line;
    field = line.substr(0, colon);
    std::string value = line.substr(colon + 1);
    paragraphs.back()[field] = value.empty() ? value : value.substr(value.find_first_not_of(' '));
  }
  if (paragraphs.back().empty()) paragraphs.pop_back();

  // Every installed file, as a path from the package's root ("usr/share/...").
  std::vector<std::string> installed;
  const std::string packageRoot = std::string(BRAWNMOOR_PACKAGE_PREFIX).substr(1);
  for (auto& entry : fs::recursive_directory_iterator(prefix_))
    if (entry.is_regular_file())
      installed.push_back(packageRoot + "/" + fs::relative(entry.path(), prefix_).string());

  std::set<std::string> used, given;
  int filesParagraphs = 0;
  for (auto& p : paragraphs) {
    if (p.count("Files")) {
      ++filesParagraphs;
      EXPECT_TRUE(p.count("Copyright")) << p["Files"];
      std::istringstream patterns(p["Files"]);
      std::string pattern;
      while (patterns >> pattern) {
        bool matched = false;
        for (const std::string& f : installed) matched = matched || fnmatch(pattern.c_str(), f.c_str(), 0) == 0;
        EXPECT_TRUE(matched) << pattern << " names no installed file";
      }
      std::string names = p["License"].substr(0, p["License"].find('\n'));
      std::regex word("[A-Za-z0-9.+-]+");
      for (auto it = std::sregex_iterator(names.begin(), names.end(), word); it != std::sregex_iterator(); ++it)
        if (it->str() != "and" && it->str() != "or") used.insert(it->str());
    } else if (p.count("License")) {
      const std::string& text = p["License"];
      EXPECT_GT(text.size(), 400u) << "the licence text of " << text.substr(0, 40) << " is missing";
      given.insert(text.substr(0, text.find('\n')));
    }
  }
  EXPECT_GE(filesParagraphs, 4);
  EXPECT_EQ(paragraphs.size() > 0 ? paragraphs[1].count("Files") : 0u, 1u) << "Files: * comes first";
  EXPECT_EQ(paragraphs[1]["Files"], "*");
  for (const std::string& l : used) EXPECT_TRUE(given.count(l)) << "no text for the licence " << l;
  for (const std::string& l : given) EXPECT_TRUE(used.count(l)) << "a licence no file uses: " << l;
  EXPECT_FALSE(unfilled(readFile(file))) << "a setting left unfilled";
}

// The AppStream metadata names this version as its newest release, the desktop entry as its
// launchable, and screenshots that exist among the project's screens.
TEST_F(Installed, AppStreamMetadataMatchesThePackage) {
  const fs::path file = share() / "metainfo" / (std::string(BRAWNMOOR_APPSTREAM_ID) + ".metainfo.xml");
  ASSERT_TRUE(fs::is_regular_file(file)) << file;
  const std::string xml = readFile(file);
  EXPECT_NE(xml.find("<id>" BRAWNMOOR_APPSTREAM_ID "</id>"), std::string::npos);
  EXPECT_NE(xml.find("<launchable type=\"desktop-id\">brawnmoor.desktop</launchable>"), std::string::npos);
  std::smatch m;
  ASSERT_TRUE(std::regex_search(xml, m, std::regex("<release version=\"([^\"]+)\" date=\"([^\"]+)\"")));
  EXPECT_EQ(m[1], BRAWNMOOR_VERSION) << "the newest release is not the package's version";
  EXPECT_EQ(m[2], BRAWNMOOR_RELEASE_DATE) << "the release date differs from the changelog's";
  int shots = 0;
  std::regex image("<image type=\"source\"[^>]*>[^<]*/screens/([^<]+)</image>");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), image); it != std::sregex_iterator(); ++it) {
    ++shots;
    const fs::path shot = fs::path(BRAWNMOOR_SOURCE_DIR) / "docs" / "screens" / (*it)[1].str();
    EXPECT_TRUE(fs::is_regular_file(shot)) << shot;
  }
  EXPECT_GE(shots, 3);
  EXPECT_FALSE(unfilled(xml)) << "a setting left unfilled";
}

TEST_F(Installed, DesktopEntryStartsTheGameWithItsIcon) {
  std::ifstream in(share() / "applications" / "brawnmoor.desktop");
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
  // Exec names the installed program (found through PATH, which holds /usr/games on Debian).
  EXPECT_TRUE(executable(games() / keys["Exec"]));
}

TEST_F(Installed, IconsArePicturesOfTheirSize) {
  for (uint32_t size : {48u, 128u, 256u}) {
    fs::path icon = share() / "icons" / "hicolor" /
                    (std::to_string(size) + "x" + std::to_string(size)) / "apps" / "brawnmoor.png";
    ASSERT_TRUE(fs::is_regular_file(icon)) << icon;
    auto [w, h] = pngSize(icon);
    EXPECT_EQ(w, size) << icon;
    EXPECT_EQ(h, size) << icon;
    EXPECT_GT(fs::file_size(icon), size * 8u) << "an empty picture compresses to almost nothing";
  }
}

}  // namespace
