// The program from start-up to the menus, driven through its real main loop with injected
// input: the launcher and the preferences it writes, the loading screen, the main menu, quick
// start, the new-manager screen, Escape and the save/load menu, hover sounds and pop-ups.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "career/messages.h"
#include "career/monthadvance.h"
#include "career/world.h"
#include "career/generation.h"
#include "fight/bout.h"
#include "fight/commentary.h"
#include "gamedriver.h"
#include "graphics/KGraphic.h"
#include "saves/preferences.h"
#include "saves/savegame.h"
#include "screens/menus.h"
#include "screens/month.h"
#include "shell/app.h"
#include "support/renderers.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KWindow.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string prefsPath(const GameDriver& d) { return d.home().path() + "/data/Brawnmoor/prefs"; }

std::vector<DrawnText> drawnLines(GameDriver& d) { return d.drawnText(); }

// The first line drawn at y whose text passes the test, or null.
template <class Test>
const DrawnText* lineAt(const std::vector<DrawnText>& lines, float y, Test test) {
  for (const DrawnText& l : lines)
    if (l.y == y && test(l)) return &l;
  return nullptr;
}

bool endsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// No doubled space and no space at either end.
bool cleanlySpaced(const std::string& s) {
  return s.find("  ") == std::string::npos && (s.empty() || (s.front() != ' ' && s.back() != ' '));
}

uint32_t at(const std::vector<uint32_t>& px, int x, int y) { return px[size_t(y) * 800 + size_t(x)]; }

}  // namespace

TEST(Launcher, FirstRunShowsBothTicksAndStartWritesPreferences) {
  GameDriver d;
  ASSERT_TRUE(d.startLauncher());
  d.frame(2);
  EXPECT_EQ(screenState, kLauncherScreen);
  EXPECT_EQ(preferences.useDirectX, 1);
  EXPECT_EQ(preferences.windowed, 0);
  EXPECT_EQ(hotspotCount, 6);
  // The inactive boxes neither highlight nor react.
  d.click(hotspots[2].x + 7, hotspots[2].y + 7);
  EXPECT_EQ(hovered, 0);
  // Untick full screen, then start.
  d.clickHotspot(3);
  EXPECT_EQ(preferences.windowed, 1);
  d.clickHotspot(5);
  EXPECT_FALSE(d.frame());
  tutorialOn = 0;
  EXPECT_TRUE(app::closeLauncher());
  EXPECT_EQ(tutorialOn, 1);
  const std::string prefs = readFile(prefsPath(d));
  ASSERT_EQ(prefs.size(), 62u);
  EXPECT_EQ(prefs[4], 1);
  EXPECT_EQ(prefs[5], 1);   // windowed
  EXPECT_EQ(prefs[6], 1);   // the software renderer
  EXPECT_EQ(prefs[60], 1);  // tutorialShown
}

TEST(Launcher, EscapeWritesPreferencesAndOpensNoGameWindow) {
  GameDriver d;
  ASSERT_TRUE(d.startLauncher());
  d.frame(2);
  d.keyDown(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  d.keyUp(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_FALSE(d.frame());
  EXPECT_FALSE(app::closeLauncher());
  EXPECT_EQ(readFile(prefsPath(d)).size(), 62u);
  EXPECT_FALSE(app::openGameWindow());
  EXPECT_EQ(gameWindow, nullptr);
}

TEST(Launcher, SecondRunKeepsTheTutorialOff) {
  GameDriver d;
  Preferences p{};
  p.useDirectX = 1;
  p.tutorialShown = 1;
  d.home().write("data/Brawnmoor/prefs", std::string(reinterpret_cast<const char*>(&p), sizeof p));
  ASSERT_TRUE(d.startLauncher());
  d.frame(2);
  tutorialOn = 0;
  d.clickHotspot(5);
  EXPECT_TRUE(app::closeLauncher());
  EXPECT_EQ(tutorialOn, 0);
}

class Game : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(GetParam()));
    d.frame(2);
    ASSERT_EQ(screenState, kMainMenuScreen);
  }
  // The main menu's buttons come from its layout file.
  void menuButton(int button) { d.clickHotspot(button); }
  GameDriver d;
};

TEST_P(Game, LoadingEndsOnTheMainMenuWithTextsAndPictures) {
  EXPECT_EQ(hotspotCount, 6);  // the layout file's four buttons and OPTIONS below them
  for (int i = 1; i <= 5; ++i) EXPECT_GE(hotspots[i].state, 0) << i;
  EXPECT_STRNE(uiText(406), "");
  for (int slot : {0, 1, 3, 4, 5, 6, 7, 8, 9, 11, 12, 14, 15, 16, 17, 18, 21, 23, 24, 25, 26, 27})
    EXPECT_NE(slotPicture(slot), nullptr) << "slot " << slot;
  EXPECT_EQ(pictureSlots[17].frameWidth, 125);
  EXPECT_EQ(gameInProgress, 0);
}

TEST_P(Game, QuickStartOpensTheBoxerScreenWithTwoBoxers) {
  menuButton(3);
  EXPECT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(countStable(), 2);
  EXPECT_EQ(gameInProgress, 1);
  EXPECT_EQ(selectedBoxer, career.stable[0]);
}

// Every typed character reaches the name field, in order, the space too (its key is also a
// global key, whose wait for the release dispatches the character and the release at once);
// keys typed where there is no field are not kept for a field opened later.
TEST_P(Game, NameFieldKeepsEveryTypedCharacterAndNoStrayOnes) {
  menuButton(1);
  ASSERT_EQ(screenState, kNewManagerScreen);
  for (int i = 0; i < 12; ++i) d.key(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE);
  d.typeKeys("Tom Harlan Jr");
  EXPECT_STREQ(managerName, "Tom Harlan Jr");
  // A wait for a key's release (the space bar is a global key) dispatches every message: a
  // character followed by the release before the field has read it is still typed.
  KEvent typed{};
  typed.type = K_EVENT_CHARACTER;
  typed.character = 'X';
  KEvent released{};
  released.type = K_EVENT_KEYUP;
  app::windowCallback(&typed);
  app::windowCallback(&released);
  d.frame();
  EXPECT_STREQ(managerName, "Tom Harlan JrX");
  d.key(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE);
  d.clickHotspot(1);  // BACK
  ASSERT_EQ(screenState, kMainMenuScreen);
  d.typeKeys("xyz q");
  menuButton(1);
  d.frame(3);
  EXPECT_STREQ(managerName, "Tom Harlan Jr");
}

TEST_P(Game, NewManagerTypedNameSpentPointsConfirm) {
  menuButton(1);
  ASSERT_EQ(screenState, kNewManagerScreen);
  // Typing continues the current name; clear it first.
  for (int i = 0; i < 12; ++i) d.key(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE);
  EXPECT_STREQ(managerName, "");
  d.type("Ada  Brook!");
  EXPECT_STREQ(managerName, "Ada  Brook");  // "!" is not accepted
  // Confirming with free points left is refused.
  d.clickHotspot(3);
  EXPECT_EQ(screenState, kNewManagerScreen);
  // 20 points: press and release a "+" button twenty times, spread over the five skills.
  for (int i = 0; i < 20; ++i) {
    const int row = i % 5;
    d.click(714, 285 + 32 * row);
  }
  EXPECT_EQ(career.freeSkillPoints, 0);
  for (int s = 0; s < 5; ++s) EXPECT_EQ(career.managerSkills[s], 5) << s;
  d.type(" ");
  d.clickHotspot(3);
  EXPECT_EQ(screenState, kBoxerScreen);
  EXPECT_STREQ(managerName, "Ada Brook");  // the career's name without stray spaces
}

TEST_P(Game, NationListPicksTheClickedRow) {
  menuButton(1);
  d.click(600, 195);
  ASSERT_TRUE(nationListOpen);
  const int first = nationListTop;
  d.click(600, 207 + 21 * 3 + 5);
  EXPECT_FALSE(nationListOpen);
  EXPECT_EQ(career.managerNation, first + 3);
}

TEST_P(Game, EscapeOpensTheSaveMenuAndReturns) {
  menuButton(3);
  ASSERT_EQ(screenState, kBoxerScreen);
  d.click(25 + 75 * 2 + 30, 50);  // tab 3: finances
  ASSERT_EQ(screenState, kFinancesScreen);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  EXPECT_EQ(hotspotCount, 11);  // the tabs, LOAD, SAVE, MAIN MENU and OPTIONS
  EXPECT_GE(hotspots[1].state, 1);  // the tabs are there
  // Tab 6 on the menu itself keeps the screen Escape goes back to.
  d.clickHotspot(6);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kFinancesScreen);
  // Escape does nothing on the main menu.
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kFinancesScreen);
}

// Keys and clicks as quick as a hand makes them: the press and the release reach the window in
// one pump between two frames, so the key is already up when the next frame asks.
TEST_P(Game, QuickTapsAndClicksBetweenTwoFramesCount) {
  menuButton(3);
  ASSERT_EQ(screenState, kBoxerScreen);
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kLoadSaveScreen) << "a quick Escape opens the save/load menu";
  d.tap(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kBoxerScreen) << "each tap is seen once: the second one goes back";
  const int16_t before = injuries[1][0];
  d.tap(SDL_SCANCODE_SPACE, SDLK_SPACE);
  EXPECT_EQ(injuries[1][0], before + 10) << "once per tap";
  d.frame(3);
  EXPECT_EQ(injuries[1][0], before + 10);
  // A click: pressed and released within one pump, still one click on the release.
  d.quickClick(25 + 75 * 2 + 30, 50);  // tab 3: finances
  EXPECT_EQ(screenState, kFinancesScreen);
}

TEST_P(Game, SaveIntoSlotThreeListsItAndLoadsItBack) {
  menuButton(3);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  for (int j = 0; j < 10; ++j) EXPECT_STREQ(slotDescriptions[j], "Empty Savegame Slot");
  d.click(400, 149 + 20 * 3 + 5);
  EXPECT_EQ(selectedSaveSlot, 3);
  const int32_t savedCash = cash;
  const int16_t savedBoxer = career.stable[1];
  d.clickHotspot(8);  // save
  EXPECT_EQ(screenState, kBoxerScreen);
  char expected[80];
  std::snprintf(expected, sizeof expected, "%s (%s %d)", managerName, monthNames[month], int(year));
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  EXPECT_STREQ(slotDescriptions[3], expected);
  // Change the career, then load it back.
  cash = 1;
  career.stable[1] = -1;
  d.clickHotspot(7);
  EXPECT_EQ(screenState, kBoxerScreen);
  EXPECT_EQ(cash, savedCash);
  EXPECT_EQ(career.stable[1], savedBoxer);
}

TEST_P(Game, SavingIsNotPossibleFromTheMainMenu) {
  menuButton(2);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  EXPECT_EQ(hotspots[1].state, -1);  // no tabs
  d.clickHotspot(8);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  FILE* f = std::fopen(userFile("slot0"), "rb");
  EXPECT_EQ(f, nullptr);
  if (f) std::fclose(f);
  d.clickHotspot(9);  // back to the main menu with a new world
  EXPECT_EQ(screenState, kMainMenuScreen);
}

// The menu opened by the main menu's load button has no career behind it: Escape goes back to
// the main menu, not to an in-game menu with tabs over a blank career.
TEST_P(Game, EscapeOnTheMainMenusLoadScreenReturnsToTheMainMenu) {
  menuButton(2);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kMainMenuScreen);
  EXPECT_EQ(hotspotCount, 6);
  EXPECT_EQ(inGameMenu, 0);
  EXPECT_EQ(gameInProgress, 0);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  EXPECT_EQ(screenState, kMainMenuScreen);
  // Opened again, it is still the main menu's: no tabs, no saving.
  menuButton(2);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  EXPECT_EQ(hotspots[2].state, -1);
  d.clickHotspot(8);
  EXPECT_EQ(screenState, kLoadSaveScreen);
  FILE* f = std::fopen(userFile("slot0"), "rb");
  EXPECT_EQ(f, nullptr);
  if (f) std::fclose(f);
}

// For every y of the slot list the red hover band lies on the row that a click there chooses,
// and outside the list there is neither band nor choice.
TEST_P(Game, SaveListHoverBandMarksTheRowAClickChooses) {
  ASSERT_TRUE(d.quickStart());
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  constexpr int kTop = 140, kBottom = 360, kColumn = 270;  // a column of the list left of the texts
  auto column = [&](const std::vector<uint32_t>& px) {
    std::vector<uint32_t> c;
    for (int y = kTop; y < kBottom; ++y) c.push_back(at(px, kColumn, y));
    return c;
  };
  selectedSaveSlot = 0;
  d.move(700, 560);
  const std::vector<uint32_t> plain = column(d.pixels());
  // Every y with one renderer; the slower OpenGL one samples every fifth.
  for (int y = 147; y <= 347; y += GetParam() ? 5 : 1) {
    selectedSaveSlot = 0;
    d.move(400, y);
    const std::vector<uint32_t> hovered = column(d.pixels());
    int first = -1, last = -1;
    for (int i = 0; i < int(hovered.size()); ++i)
      if (hovered[size_t(i)] != plain[size_t(i)]) {
        if (first < 0) first = kTop + i;
        last = kTop + i;
      }
    d.click(400, y);
    if (y < 149 || y > 345) {
      EXPECT_EQ(first, -1) << "y " << y;
      EXPECT_EQ(selectedSaveSlot, 0) << "y " << y;
      continue;
    }
    ASSERT_GE(first, 0) << "no band at y " << y;
    EXPECT_EQ((first - 149) / 20, selectedSaveSlot) << "y " << y;
    EXPECT_EQ((last - 149) / 20, selectedSaveSlot) << "y " << y;
  }
}

// A long manager name is cut with "..." where it would run into the date in the header, off
// its bar in the save list, or out of the month screen's panel; the nation's short name and
// the date stay whole.
TEST_P(Game, ALongManagerNameIsCutBeforeItCollides) {
  ASSERT_TRUE(d.quickStart());
  const std::string nation = std::string("(") + nations[career.managerNation].shortName + ")";
  auto header = [&](const std::vector<DrawnText>& lines) {
    return lineAt(lines, 71, [](const DrawnText& l) { return l.left == 500; });
  };
  auto date = [&](const std::vector<DrawnText>& lines) {
    return lineAt(lines, 71, [](const DrawnText& l) { return l.right == 754; });
  };
  std::snprintf(managerName, sizeof managerName, "Ada Brook");
  d.move(20, 580);
  std::vector<DrawnText> lines = drawnLines(d);
  ASSERT_NE(header(lines), nullptr);
  EXPECT_EQ(std::string(header(lines)->text), "Ada Brook " + nation);

  std::snprintf(managerName, sizeof managerName, "WMWMWMWMWMWMWM");  // fourteen wide letters
  d.keepScreenshot("header-long-name");
  lines = drawnLines(d);
  const DrawnText* name = header(lines);
  const DrawnText* when = date(lines);
  ASSERT_NE(name, nullptr);
  ASSERT_NE(when, nullptr);
  EXPECT_LT(name->right, when->left) << name->text << " | " << when->text;
  EXPECT_TRUE(endsWith(name->text, "... " + nation)) << name->text;
  EXPECT_EQ(std::string(when->text), std::string(monthNames[month]) + " " + std::to_string(year));

  // The longest name the field holds, saved into slot 4 and listed.
  std::snprintf(managerName, sizeof managerName, "%s", std::string(31, 'W').c_str());
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  d.click(400, 149 + 20 * 4 + 5);
  d.clickHotspot(8);
  ASSERT_EQ(screenState, kBoxerScreen);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  d.move(400, 149 + 20 * 4 + 5);
  d.keepScreenshot("loadsave-long-name");
  lines = drawnLines(d);
  const DrawnText* slot = lineAt(lines, 153 + 20 * 4, [](const DrawnText&) { return true; });
  ASSERT_NE(slot, nullptr);
  EXPECT_GE(slot->left, 264);
  EXPECT_LE(slot->right, 535);
  char when4[32];
  std::snprintf(when4, sizeof when4, "... (%s %d)", monthNames[month], int(year));
  EXPECT_TRUE(endsWith(slot->text, when4)) << slot->text;

  d.clickHotspot(1);  // the month screen's manager panel
  ASSERT_EQ(screenState, kMonthScreen);
  d.keepScreenshot("month-long-name");
  lines = drawnLines(d);
  const DrawnText* career = lineAt(lines, 109, [](const DrawnText&) { return true; });
  ASSERT_NE(career, nullptr);
  EXPECT_GE(career->left, 47);
  EXPECT_LE(career->right, 425);
  EXPECT_TRUE(endsWith(career->text, "... " + nation)) << career->text;
}

// The message window covers what lies behind it: its inside is the same over any screen. A
// boxer without surname is named by his first name, without a space left over.
TEST_P(Game, TheMessageWindowIsOpaqueAndNamesAFirstNameOnlyBoxerCleanly) {
  ASSERT_TRUE(d.quickStart());
  boxers[career.stable[0]].nation = kFirstNameOnlyNation;
  popup = 16;  // a random event: the boxer's names, then two lines, with a picture
  eventValue = 0;
  d.move(790, 590);
  d.frame(2);
  const std::vector<DrawnText> lines = drawnLines(d);
  // The window's lines follow its heading (the screen behind was drawn before).
  auto heading = std::find_if(lines.begin(), lines.end(),
                              [](const DrawnText& l) { return std::string(l.text) == uiText(kMessageHeading); });
  ASSERT_NE(heading, lines.end());
  bool found = false;
  for (auto l = heading; l != lines.end(); ++l) {
    EXPECT_TRUE(cleanlySpaced(l->text)) << "[" << l->text << "]";
    if (std::string(l->text) == firstNameOf(boxers[career.stable[0]])) found = true;
  }
  EXPECT_TRUE(found);
  const std::vector<uint32_t> overBoxers = d.pixels();
  switchScreen(kFinancesScreen);
  d.frame(2);
  const std::vector<uint32_t> overFinances = d.pixels();
  ASSERT_EQ(overBoxers.size(), overFinances.size());
  int differing = 0;
  for (int y = 140; y < 460; ++y)
    for (int x = 216; x < 584; ++x) differing += at(overBoxers, x, y) != at(overFinances, x, y);
  EXPECT_EQ(differing, 0);
}

TEST_P(Game, HoverSoundOnlyWhenMovingOntoAnotherButton) {
  const Hotspot a = hotspots[1], b = hotspots[2];
  const uint32_t before = soundRequests[kSoundOver];
  d.move(a.x + 5, a.y + 5);
  d.frame();
  EXPECT_EQ(soundRequests[kSoundOver], before + 1);
  d.move(400, 20);  // off every button
  d.move(a.x + 6, a.y + 6);
  EXPECT_EQ(soundRequests[kSoundOver], before + 1);  // the same button again: no sound
  d.move(b.x + 5, b.y + 5);
  EXPECT_EQ(soundRequests[kSoundOver], before + 2);
}

TEST_P(Game, OverlappingHotspotsTheLowerIndexWins) {
  setHotspot(2, 0, 0, 50, 50, hotspots[1].x, hotspots[1].y, 1, 1, 0);
  d.move(hotspots[1].x + 3, hotspots[1].y + 3);
  EXPECT_EQ(hovered, 1);
}

TEST_P(Game, AMessageSwallowsTheClickUnderIt) {
  menuButton(3);
  ASSERT_EQ(screenState, kBoxerScreen);
  popup = 7;
  d.click(25 + 75 * 2 + 30, 50);  // tab 3 under the message
  EXPECT_EQ(popup, 0);
  EXPECT_EQ(screenState, kBoxerScreen);
  messagePopup = 3;
  d.click(25 + 75 * 2 + 30, 50);
  EXPECT_EQ(messagePopup, 0);
  EXPECT_EQ(screenState, kBoxerScreen);
  d.click(25 + 75 * 2 + 30, 50);
  EXPECT_EQ(screenState, kFinancesScreen);
}

// A random event's picture comes back when its message shows again after the picture slots
// were emptied (as when the game window is made anew).
TEST_P(Game, AMessagesPictureIsLoadedAgainOnceItsSlotWasEmptied) {
  ASSERT_TRUE(d.quickStart());
  constexpr int kEventSlot = 30;
  popup = 16;  // a random event with its picture
  popupBoxer = career.stable[0];
  d.frame(2);
  ASSERT_NE(slotPicture(kEventSlot), nullptr);
  d.click(400, 300);
  delete pictureSlots[kEventSlot].picture;
  pictureSlots[kEventSlot] = PictureSlot{};
  popup = 16;
  d.frame(2);
  EXPECT_NE(slotPicture(kEventSlot), nullptr);
  d.click(400, 300);
  EXPECT_EQ(popup, 0);
}

TEST_P(Game, ClosingAGameOverMessageStartsANewWorld) {
  menuButton(3);
  popup = 13;
  gameOver = 1;
  d.click(400, 300);
  EXPECT_EQ(screenState, kMainMenuScreen);
  EXPECT_EQ(gameOver, 0);
  EXPECT_EQ(gameInProgress, 0);
}

TEST_P(Game, QuitButtonEndsTheLoop) {
  menuButton(4);
  EXPECT_FALSE(d.frame());
}

INSTANTIATE_TEST_SUITE_P(Renderers, Game, ::testing::Values(false, true),
                         rendererName);

// Every name the game composes from a boxer's or the manager's parts, over many generated
// worlds: the boxers' names in each style, the text-table lines that take a first name and a
// surname (result screen, messages), the commentary's names, the month screen's fight lines
// and the quick start's manager.
TEST(ComposedNames, NoDoubledLeadingOrTrailingSpacesOverManyWorlds) {
  GameDriver d;
  tutorialOn = 0;
  ASSERT_TRUE(d.bootGame(false));
  char out[256];
  int firstNameOnly = 0;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::srand(seed);
    ASSERT_TRUE(generateWorld());
    for (int i = 0; i < kBoxerCount; ++i) {
      const Boxer& b = boxers[i];
      firstNameOnly += !hasSurname(b);
      for (NameStyle style : {NameStyle::Full, NameStyle::Initial, NameStyle::SurnameInitial, NameStyle::Surname}) {
        formatBoxerName(b, out, sizeof out, style);
        ASSERT_TRUE(out[0] && cleanlySpaced(out)) << "[" << out << "] boxer " << i << " seed " << seed;
      }
      char first[21], surname[21];
      std::snprintf(first, sizeof first, "%s", firstNameOf(b));
      std::snprintf(surname, sizeof surname, "%s", surnameOf(b));
      for (int text : {122, 125, 131, 329}) {
        formatWithName(out, sizeof out, uiText(text), first, surname);
        ASSERT_TRUE(cleanlySpaced(out)) << "[" << out << "] text " << text << " boxer " << i;
      }
      for (int text : {126, 132}) {
        formatWithName(out, sizeof out, uiText(text), first, surname, "Lightweight");
        ASSERT_TRUE(cleanlySpaced(out)) << "[" << out << "] text " << text << " boxer " << i;
      }
      ASSERT_TRUE(cleanlySpaced(commentaryName(i))) << commentaryName(i);
      commentaryShortName(i, out, sizeof out);
      ASSERT_TRUE(cleanlySpaced(out)) << "[" << out << "]";
      fights[0].boxerA = int16_t(i);
      fights[0].boxerB = int16_t((i * 7 + 3) % kBoxerCount);
      formatFightLine(0, out, sizeof out);
      // A first boxer without surname opens the month screen's line with a space.
      ASSERT_TRUE(cleanlySpaced(out + (hasSurname(b) ? 0 : 1))) << "[" << out << "]";
    }
    std::srand(seed);
    quickStart();
    ASSERT_TRUE(cleanlySpaced(managerName)) << "[" << managerName << "]";
  }
  EXPECT_GT(firstNameOnly, 0);
}

// The shell's screens as a player sees them; with BRAWNMOOR_SCREENS_DIR set the frames are
// kept as pictures (docs/screens). Without it the test still walks every screen.
class ShellScreens : public ::testing::TestWithParam<bool> {};

TEST_P(ShellScreens, WalkThroughTheShellsScreens) {
  GameDriver d;
  const char* dir = std::getenv("BRAWNMOOR_SCREENS_DIR");
  const std::string renderer = GetParam() ? "opengl" : "software";
  if (!GetParam()) {
    ASSERT_TRUE(d.startLauncher());
    d.move(30 + 7, 194 + 7);
    d.keepScreenshot("launcher");
    d.clickHotspot(5);
    app::closeLauncher();
  }
  if (dir) app::requestScreenshot((std::string(dir) + "/loading-" + renderer + ".png").c_str());
  tutorialOn = 0;
  ASSERT_TRUE(d.bootGame(GetParam()));
  if (dir) {
    EXPECT_TRUE(app::lastScreenshotSaved());
  }
  d.frame(2);
  d.move(hotspots[3].x + 20, hotspots[3].y + 10);
  d.keepScreenshot("mainmenu");
  d.clickHotspot(1);
  ASSERT_EQ(screenState, kNewManagerScreen);
  d.click(600, 195);
  d.move(600, 280);
  ASSERT_TRUE(nationListOpen);
  d.keepScreenshot("newmanager");
  d.click(600, 280);
  d.clickHotspot(1);
  ASSERT_EQ(screenState, kMainMenuScreen);
  d.clickHotspot(3);
  ASSERT_EQ(screenState, kBoxerScreen);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  ASSERT_EQ(screenState, kLoadSaveScreen);
  d.click(400, 149 + 20 * 2 + 5);
  d.clickHotspot(8);
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  d.move(400, 149 + 20 * 4 + 5);
  d.keepScreenshot("loadsave");
  d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
  popup = 16;  // a random event with its picture
  popupBoxer = career.stable[0];
  d.move(680, 440);  // the pointer beside the pop-ups, over no button
  d.frame(2);
  d.keepScreenshot("message");
  d.click(400, 300);
  EXPECT_EQ(popup, 0);
  messagePopup = 4;
  d.move(680, 440);
  d.frame(2);
  d.keepScreenshot("monthpopup");
  d.click(400, 300);
  EXPECT_EQ(messagePopup, 0);
}

INSTANTIATE_TEST_SUITE_P(Renderers, ShellScreens, ::testing::Values(false, true),
                         rendererName);
