#include "saves/options.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "saves/preferences.h"
#include "tools/KTools.h"

GameOptions gameOptions;

namespace {

constexpr size_t kMaxFileSize = 4096;  // the file is a few lines; anything larger is not it

// Reads a whole small regular file; a FIFO, a device or a folder is never opened for reading
// (opening does not block, and only regular files are read).
bool readSmallFile(const char* path, std::string& out) {
  char buffer[kMaxFileSize + 1];
  size_t got = 0;
  uint64_t length = 0;
  if (KTools::ReadRegularFile(path, buffer, sizeof buffer, &got, &length) != KTools::FileRead::Read) return false;
  if (length > kMaxFileSize || got > kMaxFileSize) return false;
  out.assign(buffer, got);
  return true;
}

bool readInt(const std::string& v, int low, int high, int& out) {
  if (v.empty() || v.size() > 6) return false;
  int n = 0;
  for (char c : v) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < low || n > high) return false;
  out = n;
  return true;
}

std::string lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

std::string trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
  return s.substr(a, b - a);
}

}  // namespace

std::string formatOptions(const GameOptions& o) {
  char size[16];
  if (o.windowSize == kWindowSizeLargest) std::snprintf(size, sizeof size, "largest");
  else if (o.windowSize == kWindowSizeFree) std::snprintf(size, sizeof size, "free");
  else std::snprintf(size, sizeof size, "%d", o.windowSize);
  char text[512];
  std::snprintf(text, sizeof text,
                "[Options]\nMusicVolume=%d\nSoundVolume=%d\nWindowSize=%s\nScaling=%s\nTutorial=%s\n"
                "WindowWidth=%d\nWindowHeight=%d\n",
                o.musicVolume, o.soundVolume, size, o.smoothScaling ? "smooth" : "sharp",
                o.tutorialAtStart ? "on" : "off", o.windowWidth, o.windowHeight);
  return text;
}

bool parseOptions(const char* text, size_t size, GameOptions& o) {
  bool any = false;
  size_t start = 0;
  while (start < size) {
    size_t end = start;
    while (end < size && text[end] != '\n') ++end;
    const std::string line = trim(std::string(text + start, end - start));
    start = end + 1;
    const size_t eq = line.find('=');
    if (line.empty() || line[0] == '[' || line[0] == ';' || eq == std::string::npos) continue;
    const std::string key = lower(trim(line.substr(0, eq)));
    const std::string value = lower(trim(line.substr(eq + 1)));
    int n = 0;
    bool ok = true;
    if (key == "musicvolume" && readInt(value, 0, 100, n)) o.musicVolume = n;
    else if (key == "soundvolume" && readInt(value, 0, 100, n)) o.soundVolume = n;
    else if (key == "windowsize" && value == "largest") o.windowSize = kWindowSizeLargest;
    else if (key == "windowsize" && value == "free") o.windowSize = kWindowSizeFree;
    else if (key == "windowsize" && readInt(value, 1, kWindowSizeMaxMultiple, n)) o.windowSize = n;
    else if (key == "scaling" && (value == "smooth" || value == "sharp")) o.smoothScaling = value == "smooth";
    else if (key == "tutorial" && (value == "on" || value == "off")) o.tutorialAtStart = value == "on";
    else if (key == "windowwidth" && readInt(value, 0, 16384, n)) o.windowWidth = n;
    else if (key == "windowheight" && readInt(value, 0, 16384, n)) o.windowHeight = n;
    else ok = false;
    any = any || ok;
  }
  // A size only counts with both sides.
  if (o.windowWidth == 0 || o.windowHeight == 0) o.windowWidth = o.windowHeight = 0;
  return any;
}

void loadOptions() {
  gameOptions = GameOptions{};
  const char* path = userFile("options");
  std::string text;
  if (!path[0] || !readSmallFile(path, text)) return;
  GameOptions read;
  if (parseOptions(text.data(), text.size(), read)) gameOptions = read;
}

bool saveOptions() {
  const char* path = userFile("options");
  if (!path[0]) return false;
  const std::string text = formatOptions(gameOptions);
  return writeFileAtomically(path, text.data(), text.size());
}

int languageFromLocale() {
  const std::string code = KTools::GetDesktopLanguage();
  if (code == "de") return 1;
  if (code == "fr") return 2;
  if (code == "es") return 3;
  return 0;
}

int languageFromName(const char* name) {
  if (!name) return -1;
  const std::string l = lower(name);
  static const char* const names[4] = {"eng", "ger", "fre", "spa"};
  for (int i = 0; i < 4; ++i)
    if (l == names[i]) return i;
  return -1;
}

bool regularFileExists(const char* path) { return path && path[0] && KTools::IsRegularFile(path); }
