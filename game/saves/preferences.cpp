#include "saves/preferences.h"

#include <cstdio>
#include <cstring>

#include "tools/KTools.h"

Preferences preferences;

const char* userFolder() {
  // Named in the engine, whose screenshot key falls back to the same folder.
  KTools::SetProgramFolderName("Brawnmoor");
  return KTools::GetProgramUserFolder();
}

const char* userFile(const char* name) {
  static char path[1200];
  const char* folder = userFolder();
  if (!folder[0]) return "";
  std::snprintf(path, sizeof path, "%s/%s", folder, name);
  KTools::ConvertSlashes(path);
  return path;
}

void keepPreferencesInRange() {
  Preferences& p = preferences;
  p.windowed = p.windowed ? 1 : 0;
  p.useDirectX = p.useDirectX ? 1 : 0;
  if (p.language < 0 || p.language > 3) p.language = 0;
  p.searchByRecord = p.searchByRecord ? 1 : 0;
  p.tutorialShown = p.tutorialShown ? 1 : 0;
}

void loadPreferences() {
  uint8_t bytes[sizeof(Preferences)];
  size_t n = 0;
  // Only a regular file is read, and the open never blocks (a FIFO in its place is refused).
  if (KTools::ReadRegularFile(userFile("prefs"), bytes, sizeof bytes, &n, nullptr) != KTools::FileRead::Read) n = 0;
  loadPreferencesFrom(bytes, n);
}

void loadPreferencesFrom(const uint8_t* bytes, size_t size) {
  std::memset(&preferences, 0, sizeof preferences);
  preferences.useDirectX = 1;
  // A short file fills what it holds; the rest keeps its defaults.
  if (bytes) std::memcpy(&preferences, bytes, size < sizeof preferences ? size : sizeof preferences);
  keepPreferencesInRange();
}

bool savePreferences() {
  const char* path = userFile("prefs");
  return path[0] && writeFileAtomically(path, &preferences, sizeof preferences);
}

bool writeFileAtomically(const char* path, const void* bytes, size_t size) {
  return KTools::WriteFileAtomically(path, bytes, size);
}
