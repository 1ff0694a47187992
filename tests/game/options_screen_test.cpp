// The options screen through the real main loop: reached from the main menu and the save/load
// menu and left the way it came; the language switch redraws every screen in the chosen column
// of the text table; the volumes reach the mixer; every choice survives a restart; a damaged
// options file gives the defaults; the first run follows the desktop's locale and --language
// holds for one run; and clicks land on the right hotspots in windows of the sizes players use,
// with both renderers.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "gamedriver.h"
#include "saves/options.h"
#include "saves/preferences.h"
#include "screens/options.h"
#include "shell/app.h"
#include "sound/KSound.h"
#include "support/renderers.h"
#include "support/testenv.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"
#include "window/KWindow.h"

namespace {

// The shipped text table, all four columns: column[language][n].
struct Columns {
  std::vector<std::string> text[4];
};

const Columns& shippedColumns() {
  static Columns c;
  static bool read = false;
  if (read) return c;
  read = true;
  for (auto& t : c.text) t.assign(kTextCount, "");
  std::ifstream in(KTools::GetDataPath("data\\languages.ini"), std::ios::binary);
  std::string line;
  int section = -1;
  static const char* const keys[4] = {"Eng=", "Ger=", "Fre=", "Spa="};
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line[0] == '[') {
      section = std::atoi(line.c_str() + 1);
      continue;
    }
    for (int k = 0; k < 4; ++k)
      if (section >= 0 && section < kTextCount && line.compare(0, 4, keys[k]) == 0) c.text[k][size_t(section)] = line.substr(4);
  }
  return c;
}

// What the next frame draws in a language: how many lines are entries of that column found in
// no other column, and the lines that are entries of another column only (left untranslated).
struct LanguageSeen {
  int own = 0;
  std::vector<std::string> foreign;
};

LanguageSeen languageOf(GameDriver& d, int language) {
  const Columns& c = shippedColumns();
  // Words the screens draw as they are in every language (the month screen's column heads).
  static const std::set<std::string> literals = {"KO", "TKO", "Unanim.", "Split"};
  LanguageSeen seen;
  for (const DrawnText& l : d.drawnText()) {
    const std::string s = l.text;
    if (literals.count(s)) continue;
    bool inOwn = false, inOther = false;
    for (int n = 0; n < kTextCount; ++n) {
      if (c.text[language][size_t(n)] == s) inOwn = true;
      for (int k = 0; k < 4; ++k)
        if (k != language && c.text[k][size_t(n)] == s && c.text[language][size_t(n)] != s) inOther = true;
    }
    if (inOwn && !inOther) ++seen.own;
    if (inOther && !inOwn) seen.foreign.push_back(s);
  }
  return seen;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string userPath(const GameDriver& d, const char* name) { return d.home().path() + "/data/Brawnmoor/" + name; }

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// From the main menu to the options screen by its button.
void openOptionsFromMainMenu(GameDriver& d) {
  d.frame(2);
  ASSERT_EQ(screenState, kMainMenuScreen);
  ASSERT_EQ(hotspotCount, 6);
  d.clickHotspot(5);
  ASSERT_EQ(screenState, kOptionsScreen);
}

// Clicks a volume bar at a level 0..100.
void clickBar(GameDriver& d, int hotspot, int level) {
  const Hotspot& bar = hotspots[hotspot];
  d.click(bar.x + level * bar.width / 100, bar.y + bar.height / 2);
}

int32_t voiceVolume(KSound* s) {
  int32_t v = 1;
  if (s && s->GetVoiceBuffer(0)) s->GetVoiceBuffer(0)->GetVolume(&v);
  return v;
}

class OptionsScreen : public ::testing::TestWithParam<bool> {
 protected:
  void TearDown() override {
    setLanguageOverride(-1);
    KSound::SetPlayerVolumes(100, 100);
    tutorialOn = 0;
  }
};

}  // namespace

TEST_P(OptionsScreen, ReachedFromTheMenusAndLeftTheWayItCame) {
  GameDriver d;
  ASSERT_TRUE(d.bootGame(GetParam()));
  openOptionsFromMainMenu(d);
  EXPECT_EQ(hotspotCount, kOptHotspotCount);
  // The four buttons of the layout file keep their places.
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kMainMenuScreen);
  d.clickHotspot(5);
  ASSERT_EQ(screenState, kOptionsScreen);
  d.clickHotspot(kOptBack);
  EXPECT_EQ(screenState, kMainMenuScreen);

  // In a career: Escape opens the save/load menu, its OPTIONS button the options; Escape goes
  // back to the menu, and Escape again to the career screen it was opened from.
  ASSERT_TRUE(d.quickStart());
  d.frame(2);
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  ASSERT_EQ(hotspotCount, 11);
  d.move(hotspots[10].x + 10, hotspots[10].y + 10);
  const std::vector<DrawnText> lines = d.drawnText();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const DrawnText& l) { return std::string(l.text) == uiText(589); }))
      << "the OPTIONS button's help line";
  d.clickHotspot(10);
  ASSERT_EQ(screenState, kOptionsScreen);
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  EXPECT_EQ(hotspotCount, 11) << "the tab bar is back";
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kBoxerScreen);
}

TEST_P(OptionsScreen, LanguageSwitchRedrawsEveryScreenInEachLanguage) {
  GameDriver d;
  ASSERT_TRUE(d.bootGame(GetParam()));
  ASSERT_TRUE(d.quickStart());
  d.frame(2);
  for (int language : {1, 2, 3, 0}) {
    d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
    ASSERT_EQ(screenState, kLoadSaveScreen);
    d.clickHotspot(10);
    ASSERT_EQ(screenState, kOptionsScreen);
    d.clickHotspot(kOptLanguage + language);
    EXPECT_EQ(preferences.language, language);
    EXPECT_EQ(currentLanguage(), language);
    // The options screen itself at once, then every screen of the career and the menus.
    static const char* const shot[4] = {"options-eng", "options-ger", "options-fre", "options-spa"};
    d.move(hotspots[kOptLanguage + language].x + 30, hotspots[kOptLanguage + language].y + 10);
    d.keepScreenshot(shot[language]);
    LanguageSeen seen = languageOf(d, language);
    EXPECT_GE(seen.own, 15) << "options, language " << language;
    EXPECT_TRUE(seen.foreign.empty()) << "options, language " << language << ": " << seen.foreign.front();
    d.clickHotspot(kOptBack);
    ASSERT_EQ(screenState, kLoadSaveScreen);
    struct Visit {
      int tab;
      const char* name;
    };
    for (const Visit& v : {Visit{2, "boxer"}, Visit{3, "finances"}, Visit{4, "rankings"}, Visit{5, "search"},
                           Visit{1, "month"}, Visit{6, "save/load"}}) {
      d.clickHotspot(v.tab);
      d.move(hotspots[v.tab].x + 20, hotspots[v.tab].y + 20);  // the tab's help line too
      seen = languageOf(d, language);
      EXPECT_GE(seen.own, 1) << v.name << ", language " << language;
      EXPECT_TRUE(seen.foreign.empty()) << v.name << ", language " << language << ": " << seen.foreign.front();
    }
    d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);  // back to the career
  }
  // The main menu and the new-manager screen.
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  d.clickHotspot(9);  // MAIN MENU
  ASSERT_EQ(screenState, kMainMenuScreen);
  d.clickHotspot(5);
  d.clickHotspot(kOptLanguage + 2);
  d.clickHotspot(kOptBack);
  d.move(hotspots[1].x + 20, hotspots[1].y + 20);
  LanguageSeen seen = languageOf(d, 2);
  EXPECT_GE(seen.own, 2) << "main menu";
  EXPECT_TRUE(seen.foreign.empty()) << "main menu: " << seen.foreign.front();
  d.clickHotspot(1);
  ASSERT_EQ(screenState, kNewManagerScreen);
  d.move(500, 145);  // the name field's help
  seen = languageOf(d, 2);
  EXPECT_GE(seen.own, 1) << "new manager";
  EXPECT_TRUE(seen.foreign.empty()) << "new manager: " << seen.foreign.front();
  d.keepScreenshot("newmanager-fre");
}

TEST_P(OptionsScreen, VolumesReachTheMixerAndKeepTheScreensLevels) {
  GameDriver d;
  // The whole start: the launcher loads the interface sounds.
  ASSERT_TRUE(d.startLauncher());
  d.frame(2);
  d.clickHotspot(5);
  ASSERT_TRUE(app::closeLauncher());
  ASSERT_TRUE(d.bootGame(GetParam()));
  if (!KSound::Device()) GTEST_SKIP() << "no audio device";
  openOptionsFromMainMenu(d);
  ASSERT_NE(musicPlayer, nullptr);
  ASSERT_NE(gameSounds[kSoundClick], nullptr);
  EXPECT_EQ(KSound::GetMusicMasterVolume(), kGameMusicMaster);
  const int musicOwn = musicPlayer->GetVolume();
  // Music at half: the stream is at half of the level the main menu set, at once.
  clickBar(d, kOptMusicBar, 50);
  EXPECT_EQ(gameOptions.musicVolume, 50);
  EXPECT_EQ(KSound::GetMusicPlayerVolume(), 50);
  musicPlayer->SetVolume(musicOwn);  // as the streaming thread does on its next pass
  EXPECT_EQ(voiceVolume(musicPlayer), KSound::VolumeTable(musicOwn * kGameMusicMaster * 50 / 10000));
  // Sounds at 30: the click of that very change plays at the new level.
  const uint32_t clicks = soundRequests[kSoundClick];
  clickBar(d, kOptSoundBar, 30);
  EXPECT_EQ(gameOptions.soundVolume, 30);
  EXPECT_GT(soundRequests[kSoundClick], clicks);
  EXPECT_EQ(voiceVolume(gameSounds[kSoundClick]), KSound::VolumeTable(100 * kGameSoundMaster * 30 / 10000));
  // The steppers move by five; the ends hold.
  d.clickHotspot(kOptSoundUp);
  EXPECT_EQ(gameOptions.soundVolume, 35);
  clickBar(d, kOptSoundBar, 0);
  d.clickHotspot(kOptSoundDown);
  EXPECT_EQ(gameOptions.soundVolume, 0);
  d.clickHotspot(kOptSoundUp);
  EXPECT_EQ(voiceVolume(gameSounds[kSoundClick]), KSound::VolumeTable(100 * kGameSoundMaster * 5 / 10000));
  // Dragging the knob: the level follows the mouse while the button is held.
  const Hotspot& bar = hotspots[kOptMusicBar];
  d.move(bar.x + 10, bar.y + 10);
  d.press(bar.x + 10, bar.y + 10);
  d.move(bar.x + bar.width * 3 / 4, bar.y + 10);
  EXPECT_EQ(gameOptions.musicVolume, 75);
  d.release(bar.x + bar.width * 3 / 4, bar.y + 10);
  d.frame(2);
  EXPECT_EQ(KSound::GetMusicPlayerVolume(), 75);
  // The main menu setting its masters again keeps the player's levels.
  d.clickHotspot(kOptBack);
  ASSERT_EQ(screenState, kMainMenuScreen);
  EXPECT_EQ(KSound::GetMusicMasterVolume(), kGameMusicMaster);
  EXPECT_EQ(KSound::GetMusicPlayerVolume(), 75);
  d.keepScreenshot("mainmenu-options");
}

TEST_P(OptionsScreen, ChoicesSurviveARestart) {
  GameDriver d;
  ASSERT_TRUE(d.bootGame(GetParam()));
  openOptionsFromMainMenu(d);
  d.clickHotspot(kOptLanguage + 3);
  clickBar(d, kOptMusicBar, 40);
  clickBar(d, kOptSoundBar, 60);
  d.clickHotspot(kOptSize + 3);  // free size
  d.clickHotspot(kOptSharp);
  d.clickHotspot(kOptTutorialOn);
  EXPECT_EQ(tutorialOn, 1);
  d.clickHotspot(GetParam() ? kOptDirectX : kOptOpenGL);
  d.clickHotspot(kOptFullScreen);
  EXPECT_TRUE(gameWindow->IsFullScreen());
  d.clickHotspot(kOptWindowed);
  EXPECT_FALSE(gameWindow->IsFullScreen());
  d.clickHotspot(kOptFullScreen);

  // The preferences keep their 62 bytes with the language, the display and the renderer.
  const std::string prefs = readFile(userPath(d, "prefs"));
  ASSERT_EQ(prefs.size(), 62u);
  EXPECT_EQ(prefs[8], 3);
  EXPECT_EQ(prefs[9], 0);
  EXPECT_EQ(prefs[5], 0) << "full screen";
  EXPECT_EQ(prefs[6], GetParam() ? 1 : 0) << "the other renderer, for the next start";
  const std::string options = readFile(userPath(d, "options"));
  EXPECT_NE(options.find("MusicVolume=40"), std::string::npos) << options;
  EXPECT_NE(options.find("SoundVolume=60"), std::string::npos);
  EXPECT_NE(options.find("WindowSize=free"), std::string::npos);
  EXPECT_NE(options.find("Scaling=sharp"), std::string::npos);
  EXPECT_NE(options.find("Tutorial=on"), std::string::npos);

  // A restart: everything in memory forgotten, then the program starts again from its files.
  app::shutdown();
  gameOptions = GameOptions{};
  KSound::SetPlayerVolumes(100, 100);
  preferences = Preferences{};
  tutorialOn = 0;
  ASSERT_TRUE(d.startLauncher());
  EXPECT_EQ(preferences.language, 3);
  EXPECT_EQ(preferences.windowed, 0);
  EXPECT_EQ(preferences.useDirectX, GetParam() ? 1 : 0);
  d.clickHotspot(5);  // START
  ASSERT_TRUE(app::closeLauncher());
  EXPECT_EQ(tutorialOn, 1) << "the tutorial starts with every game";
  ASSERT_TRUE(d.bootGame(GetParam()));
  EXPECT_EQ(KSound::GetMusicPlayerVolume(), 40);
  EXPECT_EQ(KSound::GetSoundPlayerVolume(), 60);
  EXPECT_EQ(gameOptions.windowSize, kWindowSizeFree);
  EXPECT_FALSE(gameWindow->GetSmoothScaling());
  EXPECT_EQ(gameWindow->GetWindowScale(), 0);
  d.frame(2);
  EXPECT_STREQ(uiText(406), shippedColumns().text[3][406].c_str()) << "Spanish texts";
}

TEST_P(OptionsScreen, DamagedOptionsFileGivesTheDefaults) {
  GameDriver d;
  userFolder();
  std::filesystem::create_directories(d.home().path() + "/data/Brawnmoor");
  std::string junk(3000, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = char((i * 7919u) & 0xFF);
  writeFile(userPath(d, "options"), junk);
  gameOptions.musicVolume = 3;
  ASSERT_TRUE(d.bootGame(GetParam()));
  EXPECT_EQ(gameOptions.musicVolume, 100);
  EXPECT_EQ(gameOptions.soundVolume, 100);
  EXPECT_EQ(gameOptions.windowSize, kWindowSizeLargest);
  EXPECT_TRUE(gameOptions.smoothScaling);
  EXPECT_EQ(KSound::GetMusicPlayerVolume(), 100);
  openOptionsFromMainMenu(d);
  // A damaged line keeps its own default and the others their values.
  writeFile(userPath(d, "options"), "[Options]\nMusicVolume=250\nSoundVolume=20\nWindowSize=banana\nScaling=sharp\n");
  loadOptions();
  EXPECT_EQ(gameOptions.musicVolume, 100);
  EXPECT_EQ(gameOptions.soundVolume, 20);
  EXPECT_EQ(gameOptions.windowSize, kWindowSizeLargest);
  EXPECT_FALSE(gameOptions.smoothScaling);
  // A choice writes the file whole again.
  d.clickHotspot(kOptSmooth);
  GameOptions back;
  const std::string text = readFile(userPath(d, "options"));
  ASSERT_TRUE(parseOptions(text.data(), text.size(), back));
  EXPECT_TRUE(back.smoothScaling);
  EXPECT_EQ(back.soundVolume, 20);
}

INSTANTIATE_TEST_SUITE_P(Renderers, OptionsScreen, ::testing::Values(false, true), rendererName);

// ---- Start-up: the locale and the command line ---------------------------------------------

TEST(StartLanguage, FirstRunFollowsTheLocaleAndTheCommandLineHoldsForOneRun) {
  const char* saved[3] = {std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")};
  const std::string keep[3] = {saved[0] ? saved[0] : "", saved[1] ? saved[1] : "", saved[2] ? saved[2] : ""};
  {
    GameDriver d;
    unsetEnv("LC_ALL");
    setEnv("LC_MESSAGES", "");
    setEnv("LANG", "de_AT.UTF-8");
    ASSERT_TRUE(d.startLauncher());
    EXPECT_EQ(preferences.language, 1) << "a first run speaks the desktop's language";
    d.clickHotspot(5);
    ASSERT_TRUE(app::closeLauncher());
    EXPECT_EQ(readFile(userPath(d, "prefs"))[8], 1);

    // A second run keeps the player's language whatever the locale says.
    setEnv("LC_ALL", "fr_FR.UTF-8");
    ASSERT_TRUE(d.startLauncher());
    EXPECT_EQ(preferences.language, 1);
    d.clickHotspot(5);
    ASSERT_TRUE(app::closeLauncher());

    // --language spa: this run in Spanish, the preferences untouched.
    char arg0[] = "brawnmoor", arg1[] = "--language", arg2[] = "spa";
    char* argv[] = {arg0, arg1, arg2};
    ASSERT_TRUE(app::readCommandLine(3, argv));
    EXPECT_EQ(currentLanguage(), 3);
    ASSERT_TRUE(d.bootGame(false));
    d.frame(2);
    EXPECT_STREQ(uiText(406), shippedColumns().text[3][406].c_str());
    EXPECT_EQ(preferences.language, 1);
    EXPECT_EQ(readFile(userPath(d, "prefs"))[8], 1);
    setLanguageOverride(-1);
  }
  // The locale's variables in their order; anything else is English.
  setEnv("LC_ALL", "es_ES.UTF-8");
  setEnv("LANG", "de_DE");
  EXPECT_EQ(languageFromLocale(), 3);
  unsetEnv("LC_ALL");
  setEnv("LC_MESSAGES", "fr_CA");
  EXPECT_EQ(languageFromLocale(), 2);
  setEnv("LC_MESSAGES", "C");
  EXPECT_EQ(languageFromLocale(), 0);
  setEnv("LC_MESSAGES", "pt_BR.UTF-8");
  EXPECT_EQ(languageFromLocale(), 0);
  EXPECT_EQ(languageFromName("GER"), 1);
  EXPECT_EQ(languageFromName("it"), -1);
  // A language the game does not know is refused; the run keeps the preferences' language.
  char arg0[] = "brawnmoor", arg1[] = "--language", arg2[] = "ita";
  char* argv[] = {arg0, arg1, arg2};
  EXPECT_TRUE(app::readCommandLine(3, argv));
  EXPECT_EQ(currentLanguage(), int(preferences.language));
  const char* names[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  for (int i = 0; i < 3; ++i) {
    if (saved[i]) setEnv(names[i], keep[i].c_str());
    else unsetEnv(names[i]);
  }
}

// ---- Windows of the sizes players use ---------------------------------------------------------

struct WindowCase {
  bool openGL;
  int width, height;
  bool smooth;
};

class ScaledGame : public ::testing::TestWithParam<WindowCase> {};

TEST_P(ScaledGame, ClicksLandOnTheRightHotspots) {
  const WindowCase& c = GetParam();
  GameDriver d;
  ASSERT_TRUE(d.bootGameInWindow(c.openGL, c.width, c.height, c.smooth));
  int cw = 0, ch = 0;
  gameWindow->GetClientSize(cw, ch);
  ASSERT_EQ(cw, c.width);
  ASSERT_EQ(ch, c.height);
  EXPECT_EQ(gameWindow->GetWidth(), 800) << "the game draws its own 800 x 600";
  d.frame(2);
  ASSERT_EQ(screenState, kMainMenuScreen);
  // Every button of the main menu under its own centre and near its corners.
  for (int i = 1; i <= 5; ++i) {
    const Hotspot& h = hotspots[i];
    for (auto [x, y] : {std::pair{h.x + h.width / 2, h.y + h.height / 2}, std::pair{h.x + 1, h.y + 1},
                        std::pair{h.x + h.width - 1, h.y + h.height - 1}}) {
      d.move(x, y);
      EXPECT_EQ(hovered, i) << "button " << i << " at (" << x << ", " << y << ")";
    }
  }
  // The bars hit nothing: a click there leaves the menu as it is.
  int wx, wy;
  d.toWindow(0, 300, wx, wy);
  if (wx > 0) {
    d.clickInWindow(wx / 2, wy);
    EXPECT_EQ(hovered, 0);
    EXPECT_LT(KInput::GetMouseX(), 0);
    EXPECT_EQ(screenState, kMainMenuScreen);
    d.toWindow(799, 300, wx, wy);
    d.clickInWindow((wx + cw) / 2 + 1, wy);
    EXPECT_EQ(hovered, 0);
    EXPECT_GT(KInput::GetMouseX(), 800);
    EXPECT_EQ(screenState, kMainMenuScreen);
  }
  // Through the options screen: its controls answer where they are drawn.
  d.clickHotspot(5);
  ASSERT_EQ(screenState, kOptionsScreen);
  clickBar(d, kOptSoundBar, 70);
  EXPECT_EQ(gameOptions.soundVolume, 70);
  d.clickHotspot(kOptLanguage + 1);
  EXPECT_EQ(preferences.language, 1);
  d.clickHotspot(kOptBack);
  ASSERT_EQ(screenState, kMainMenuScreen);
  // And a career screen: quick start, then the finances tab.
  d.clickHotspot(3);
  ASSERT_EQ(screenState, kBoxerScreen);
  d.clickHotspot(3);
  EXPECT_EQ(screenState, kFinancesScreen);
  // The window shows the picture with black bars around it.
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  ASSERT_TRUE(d.windowPixels(px, w, h));
  ASSERT_EQ(w, c.width);
  ASSERT_EQ(h, c.height);
  d.toWindow(0, 0, wx, wy);
  if (wx > 1) {
    EXPECT_EQ(px[size_t(h / 2) * size_t(w) + size_t(wx / 2)], 0u) << "left bar";
    EXPECT_EQ(px[size_t(h / 2) * size_t(w) + size_t(w - 1 - wx / 2)], 0u) << "right bar";
  }
  double lit = 0;
  d.toWindow(400, 300, wx, wy);
  for (int dx = -20; dx < 20; ++dx) lit += px[size_t(wy) * size_t(w) + size_t(wx + dx)] & 0xFF;
  EXPECT_GT(lit, 0) << "the picture is there";
}

std::string windowCaseName(const ::testing::TestParamInfo<WindowCase>& info) {
  const WindowCase& c = info.param;
  return std::string(c.openGL ? "OpenGL" : "Software") + "_" + std::to_string(c.width) + "x" + std::to_string(c.height) +
         (c.smooth ? "_smooth" : "_sharp");
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaledGame,
                         ::testing::Values(WindowCase{false, 800, 600, true}, WindowCase{true, 800, 600, true},
                                           WindowCase{false, 1280, 720, true}, WindowCase{true, 1280, 720, true},
                                           WindowCase{false, 1920, 1080, true}, WindowCase{true, 1920, 1080, false},
                                           WindowCase{false, 1920, 1080, false}, WindowCase{true, 1920, 1080, true},
                                           WindowCase{false, 2560, 1440, false}, WindowCase{true, 2560, 1440, true}),
                         windowCaseName);

// ---- Full screen over the whole desktop ---------------------------------------------------------

struct FullScreenCase {
  bool openGL;
  bool smooth;
};

class FullScreenGame : public ::testing::TestWithParam<FullScreenCase> {};

// F11 puts the game over the whole desktop at its own resolution; the boxer screen is scaled
// into it, sharp or smooth, bars black, and the mouse still finds the tabs. Run under Xvfb with
// a 1920 x 1080 screen (and BRAWNMOOR_SCREENS_DIR) this makes the pictures of docs/screens.
TEST_P(FullScreenGame, BoxerScreenFillsTheDesktop) {
  const FullScreenCase& c = GetParam();
  GameDriver d;
  gameOptions = GameOptions{};
  gameOptions.smoothScaling = c.smooth;
  userFolder();
  saveOptions();
  ASSERT_TRUE(d.bootGame(c.openGL));
  ASSERT_TRUE(d.quickStart());
  d.tap(SDL_SCANCODE_F11, SDLK_F11);
  ASSERT_TRUE(gameWindow->IsFullScreen());
  d.frame(10);
  int cw = 0, ch = 0;
  gameWindow->GetClientSize(cw, ch);
  SDL_DisplayMode desktop{};
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  EXPECT_EQ(cw, desktop.w);
  EXPECT_EQ(ch, desktop.h);
  SDL_DisplayMode current{};
  ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &current), 0);
  EXPECT_EQ(current.w, desktop.w) << "no display-mode change";
  EXPECT_EQ(gameWindow->GetWidth(), 800);
  // The tabs answer where they are shown.
  d.clickHotspot(3);
  EXPECT_EQ(screenState, kFinancesScreen);
  d.clickHotspot(2);
  ASSERT_EQ(screenState, kBoxerScreen);
  d.move(400, 300);
  std::vector<uint32_t> px;
  int w = 0, h = 0;
  if (!d.windowPixels(px, w, h)) GTEST_SKIP() << "the window cannot be read back here";
  int wx, wy;
  d.toWindow(0, 0, wx, wy);
  if (wx > 1) {
    EXPECT_EQ(px[size_t(h / 2) * size_t(w) + size_t(wx / 2)], 0u) << "bar";
  }
  const char* renderer = c.openGL ? "opengl" : "software";
  d.keepWindowScreenshot(std::string("boxer-fullscreen-") + std::to_string(w) + "x" + std::to_string(h) + "-" +
                         (c.smooth ? "smooth-" : "sharp-") + renderer);
  // Screenshots of the game stay 800 x 600.
  const std::vector<uint32_t> frame = d.pixels();
  EXPECT_EQ(frame.size(), size_t(800) * 600);
  d.tap(SDL_SCANCODE_F11, SDLK_F11);
  EXPECT_FALSE(gameWindow->IsFullScreen());
}

INSTANTIATE_TEST_SUITE_P(Renderers, FullScreenGame,
                         ::testing::Values(FullScreenCase{false, false}, FullScreenCase{false, true},
                                           FullScreenCase{true, false}, FullScreenCase{true, true}),
                         [](const ::testing::TestParamInfo<FullScreenCase>& info) {
                           return std::string(info.param.openGL ? "OpenGL" : "Software") +
                                  (info.param.smooth ? "_smooth" : "_sharp");
                         });
