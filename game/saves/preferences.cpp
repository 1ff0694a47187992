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

void loadPreferences() {
  uint8_t bytes[sizeof(Preferences)];
  size_t n = 0;
  const char* path = userFile("prefs");
  if (FILE* f = path[0] ? std::fopen(path, "rb") : nullptr) {
    n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
  }
  loadPreferencesFrom(bytes, n);
}

void loadPreferencesFrom(const uint8_t* bytes, size_t size) {
  std::memset(&preferences, 0, sizeof preferences);
  preferences.useDirectX = 1;
  // A short file fills what it holds; the rest keeps its defaults.
  if (bytes) std::memcpy(&preferences, bytes, size < sizeof preferences ? size : sizeof preferences);
}

bool savePreferences() {
  const char* path = userFile("prefs");
  return path[0] && writeFileAtomically(path, &preferences, sizeof preferences);
}

bool writeFileAtomically(const char* path, const void* bytes, size_t size) {
  return KTools::WriteFileAtomically(path, bytes, size);
}
