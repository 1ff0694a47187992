// brawnmoor-faults: the game against damaged files and failing disks, for tools/reliability.sh.
// Each command runs the real game code headless (offscreen video, dummy audio) and prints one
// line per finding, so that a script can count crashes, lost data and what the player saw.
//
//   brawnmoor-faults start [--data ROOT] [--renderer gl|dd]
//       A player's start with the data folder ROOT/data: the start-up check, the launcher, the
//       loading screen, the main menu; then QUICK START and, when a career began, every tab and
//       four months. Prints "box: <caption>: <text>" for each message box (the text's lines
//       joined with " | "), "world: ready|missing", "career: started|refused <message>" and
//       "months: <n>".
//   brawnmoor-faults slots [--rounds N] [--seed S] [--renderer gl|dd]
//       N rounds: a career saved in slot 0 through the save menu, damaged copies of it in slots
//       1..9 (0 bytes, cut short, a folder, a FIFO, no end byte, unreadable, too long, bytes
//       changed, random), each loaded through the menu; a slot that loads is played for four
//       months. Prints "slot <kind>: <listed as> <loaded|refused <message>|nothing> file
//       <kept|changed>" and, after a loaded one, "played <months> <sound|broken: why>".
//   brawnmoor-faults save-stress [--slot N] [--saves K] [--seed S]
//       A career (rules only, no window) advanced a month and saved, K times, into the per-user
//       folder of XDG_DATA_HOME. Prints "image <i> <hash>" before each save and "saved <i>" or
//       "failed <i> <reason>" after it, flushed at once, so that a kill -9 at any moment leaves
//       a log of what the slot may hold.
//   brawnmoor-faults check-slot [--slot N]
//       Prints "slot <n>: saved <hash>", "slot <n>: empty" or "slot <n>: damaged".
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "career/autopilot.h"
#include "career/generation.h"
#include "career/messages.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "game/gamedriver.h"
#include "saves/preferences.h"
#include "saves/savegame.h"
#include "screens/menus.h"
#include "shell/app.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"

namespace {

namespace fs = std::filesystem;

const char* option(int argc, char** argv, const char* name, const char* fallback) {
  for (int i = 2; i + 1 < argc; ++i)
    if (!std::strcmp(argv[i], name)) return argv[i + 1];
  return fallback;
}

uint64_t fnv(const uint8_t* bytes, size_t size) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  return h;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void printBox(const char* caption, const char* text) {
  std::string joined = text;
  for (size_t at; (at = joined.find('\n')) != std::string::npos;) joined.replace(at, 1, " | ");
  std::printf("box: %s: %s\n", caption, joined.c_str());
  std::fflush(stdout);
}

// The lines of the message window as the player reads them.
std::string messageText() {
  ResolvedLine lines[4];
  const int n = resolveMessage(popup, lines);
  std::string out = std::to_string(popup);
  for (int i = 0; i < n; ++i) {
    char text[700];
    formatMessageLine(lines[i], lines[i].entry >= 0 ? uiText(lines[i].entry) : "", text, sizeof text);
    out += std::string(i ? " " : " \"") + text;
  }
  return n ? out + "\"" : out;
}

// The world's invariants after months of play: an empty text when sound.
std::string worldProblems() {
  if (countStable() != stableCount) return "the stable count disagrees";
  for (int s = 0; s < kStableSize; ++s) {
    const int b = career.stable[s];
    if (b != -1 && (!isBoxer(b) || boxers[b].manager != kPlayer)) return "a stable slot holds no boxer of the player";
  }
  for (int i = 0; i < kBoxerCount; ++i) {
    const Boxer& b = boxers[i];
    if (b.category < 1 || b.category > kCategoryCount) return "a boxer outside the categories";
    if (b.wins < 0 || b.draws < 0 || b.losses < 0 || b.koWins < 0) return "a record below zero";
  }
  if (month < 0 || month > 11) return "the month outside the year";
  return "";
}

void clickTab(GameDriver& d, int tab) { d.click(25 + 75 * (tab - 1) + 30, 50); }

int start(int argc, char** argv) {
  const char* root = option(argc, argv, "--data", nullptr);
  const bool gl = std::string(option(argc, argv, "--renderer", "dd")) == "gl";
  if (root) KTools::OverrideExeFolder(root);
  KTools::SetMessageBoxHandler(printBox);
  GameDriver d;
  if (!d.startLauncher()) return 2;
  d.frame(2);
  d.clickHotspot(5);
  d.frame();
  app::closeLauncher();
  tutorialOn = 0;
  if (!d.bootGame(gl)) return 3;
  d.frame(2);
  std::printf("world: %s\n", worldReady() ? "ready" : "missing");
  if (screenState != kMainMenuScreen) return 4;
  d.clickHotspot(3);
  if (screenState != kBoxerScreen) {
    std::printf("career: refused %s\n", messageText().c_str());
    d.click(400, 300);
    return 0;
  }
  std::printf("career: started\n");
  for (int tab : {3, 4, 5, 1, 2}) clickTab(d, tab);
  int months = 0;
  for (; months < 4 && !gameOver; ++months) autopilotMonth();
  const std::string why = worldProblems();
  std::printf("months: %d %s\n", months, why.empty() ? "sound" : ("broken: " + why).c_str());
  return 0;
}

// The damaged copies of a whole save, by kind.
const char* const kDamages[] = {"zero-bytes", "cut-short", "folder", "fifo",    "no-end-byte",
                                "unreadable", "too-long",  "bytes-changed", "random"};

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Puts a damaged copy of `whole` at `path`; returns false when this kind cannot be made here
// (a file root can read is not unreadable).
bool damage(const std::string& path, const std::string& kind, const std::string& whole, unsigned& seed) {
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8); };
  std::error_code ec;
  fs::remove_all(path, ec);
  if (kind == "zero-bytes") writeBytes(path, "");
  else if (kind == "cut-short") writeBytes(path, whole.substr(0, 1 + next() % (whole.size() - 1)));
  else if (kind == "folder") fs::create_directories(path);
  else if (kind == "fifo") return mkfifo(path.c_str(), 0644) == 0;
  else if (kind == "no-end-byte") {
    std::string b = whole;
    for (size_t i = 0; i < kSlotDescriptionSize; ++i) b[i] = char('A' + i % 26);
    writeBytes(path, b);
  } else if (kind == "unreadable") {
    if (geteuid() == 0) return false;
    writeBytes(path, whole);
    chmod(path.c_str(), 0);
  } else if (kind == "too-long") writeBytes(path, whole + std::string(1 + next() % 4096, '\0'));
  else if (kind == "bytes-changed") {
    // A whole file with bytes changed anywhere after the description: it loads, and the load
    // repair must bring every value back inside its table.
    std::string b = whole;
    const int changes = 1 + int(next() % 200);
    for (int i = 0; i < changes; ++i) b[kSlotDescriptionSize + next() % (b.size() - kSlotDescriptionSize)] = char(next());
    writeBytes(path, b);
  } else if (kind == "random") {
    std::string b(whole.size(), '\0');
    for (char& c : b) c = char(next());
    b[kSlotDescriptionSize - 1] = 0;  // with an end byte: a foreign file of the right size
    writeBytes(path, b);
  }
  return true;
}

std::string fingerprint(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return "gone";
  if (S_ISDIR(st.st_mode)) return "folder";
  if (S_ISFIFO(st.st_mode)) return "fifo";
  if (geteuid() != 0 && (st.st_mode & 0444) == 0) return "unreadable " + std::to_string(st.st_size);
  const std::string b = readFile(path);
  return std::to_string(fnv(reinterpret_cast<const uint8_t*>(b.data()), b.size())) + " " + std::to_string(b.size());
}

int slots(int argc, char** argv) {
  const int rounds = std::atoi(option(argc, argv, "--rounds", "1"));
  unsigned seed = unsigned(std::atoi(option(argc, argv, "--seed", "1")));
  const bool gl = std::string(option(argc, argv, "--renderer", "dd")) == "gl";
  KTools::SetMessageBoxHandler(printBox);
  GameDriver d;
  tutorialOn = 0;
  if (!d.bootGame(gl)) return 3;
  const std::string folder = d.home().path() + "/data/Brawnmoor/";
  for (int round = 0; round < rounds; ++round) {
    std::srand(seed + unsigned(round));
    d.frame(2);
    if (screenState != kMainMenuScreen || !d.quickStart()) return 4;
    for (int m = 0; m < 3 && !gameOver; ++m) autopilotMonth();
    d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
    d.click(400, 149 + 5);  // slot 0
    d.clickHotspot(8);
    const std::string whole = readFile(folder + "slot0");
    if (whole.size() != kSaveFileSize) return 5;
    std::vector<std::string> kinds;
    for (int s = 1; s < kSaveSlots; ++s) {
      std::string kind = kDamages[(s - 1 + round) % 9];
      const std::string path = folder + "slot" + std::to_string(s);
      if (!damage(path, kind, whole, seed)) {
        kind = "bytes-changed";
        damage(path, kind, whole, seed);
      }
      kinds.push_back(kind);
    }
    for (int s = 1; s < kSaveSlots; ++s) {
      const std::string path = folder + "slot" + std::to_string(s);
      const std::string before = fingerprint(path);
      if (screenState != kLoadSaveScreen) d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
      if (screenState != kLoadSaveScreen) return 6;
      const SlotState listed = slotStates[s];
      d.click(400, 149 + 20 * s + 5);
      d.clickHotspot(7);
      std::string outcome;
      const bool loaded = screenState == kBoxerScreen;
      if (loaded) outcome = "loaded";
      else if (popup > 0) outcome = "refused " + std::to_string(popup);
      else outcome = "nothing";
      if (popup > 0) d.click(400, 300);
      const std::string after = fingerprint(path);
      std::printf("slot %s: %s %s file %s\n", kinds[size_t(s - 1)].c_str(),
                  listed == SlotState::Damaged ? "damaged" : listed == SlotState::Saved ? "saved" : "empty",
                  outcome.c_str(), before == after ? "kept" : "changed");
      if (loaded) {
        int months = 0;
        for (; months < 4 && !gameOver; ++months) autopilotMonth();
        const std::string why = worldProblems();
        std::printf("played %d %s\n", months, why.empty() ? "sound" : ("broken: " + why).c_str());
        if (gameOver) {
          gameOver = 0;
          popup = 0;
        }
      }
      std::fflush(stdout);
    }
    // Back to the main menu for the next round.
    if (screenState != kLoadSaveScreen) d.key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE);
    d.clickHotspot(9);
    for (int s = 1; s < kSaveSlots; ++s) {
      std::error_code ec;
      chmod((folder + "slot" + std::to_string(s)).c_str(), 0644);
      fs::remove_all(folder + "slot" + std::to_string(s), ec);
    }
  }
  return 0;
}

int saveStress(int argc, char** argv) {
  const int slot = std::atoi(option(argc, argv, "--slot", "0"));
  const int saves = std::atoi(option(argc, argv, "--saves", "100"));
  std::srand(unsigned(std::atoi(option(argc, argv, "--seed", "1"))));
  loadTextTable(0);
  if (!generateWorld()) {
    std::printf("no world: %s\n", worldDataProblem());
    return 2;
  }
  quickStart();
  static uint8_t image[kSaveFileSize];
  for (int i = 0; i < saves; ++i) {
    autopilotMonth();
    // A career that ended is not saved: a new one takes its place.
    if (gameOver) {
      generateWorld();
      quickStart();
    }
    popup = 0;
    buildSaveImage(image);
    std::printf("image %d %llu\n", i, static_cast<unsigned long long>(fnv(image, kSaveFileSize)));
    std::fflush(stdout);
    if (saveSlot(slot)) {
      std::printf("saved %d\n", i);
    } else {
      std::printf("failed %d %s\n", i, messageText().c_str());
      popup = 0;
    }
    std::fflush(stdout);
  }
  return 0;
}

int checkSlot(int argc, char** argv) {
  const int slot = std::atoi(option(argc, argv, "--slot", "0"));
  loadTextTable(0);
  char description[kSlotDescriptionSize];
  const SlotState state = readSlotState(slot, description);
  if (state != SlotState::Saved) {
    std::printf("slot %d: %s\n", slot, state == SlotState::Empty ? "empty" : "damaged");
    return 0;
  }
  const std::string b = readFile(slotFilePath(slot));
  std::printf("slot %d: saved %llu\n", slot,
              static_cast<unsigned long long>(fnv(reinterpret_cast<const uint8_t*>(b.data()), b.size())));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", getenv("SDL_VIDEODRIVER") ? getenv("SDL_VIDEODRIVER") : "offscreen", 1);
  setenv("SDL_AUDIODRIVER", getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "dummy", 1);
  const std::string command = argc > 1 ? argv[1] : "";
  int rc = 1;
  if (command == "start") rc = start(argc, argv);
  else if (command == "slots") rc = slots(argc, argv);
  else if (command == "save-stress") rc = saveStress(argc, argv);
  else if (command == "check-slot") rc = checkSlot(argc, argv);
  else std::fprintf(stderr, "usage: brawnmoor-faults start|slots|save-stress|check-slot [options]\n");
  std::fflush(stdout);
  return rc;
}
