#include "saves/preferences.h"

#include <cstdio>
#include <cstring>

#include "tools/KTools.h"

Preferences preferences;

const char* userFolder() {
  static char folder[1100];
  std::snprintf(folder, sizeof folder, "%s/Brawnmoor", KTools::GetUserDataFolder());
  KTools::ConvertSlashes(folder);
  if (!KTools::MakeFolder(folder)) return "";
  return folder;
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
  std::memset(&preferences, 0, sizeof preferences);
  preferences.useDirectX = 1;
  const char* path = userFile("prefs");
  if (!path[0]) return;
  FILE* f = std::fopen(path, "rb");
  if (!f) return;
  // A short file fills what it holds; the rest keeps its defaults.
  size_t n = std::fread(&preferences, 1, sizeof preferences, f);
  (void)n;
  std::fclose(f);
}

bool savePreferences() {
  const char* path = userFile("prefs");
  return path[0] && writeFileAtomically(path, &preferences, sizeof preferences);
}

bool writeFileAtomically(const char* path, const void* bytes, size_t size) {
  return KTools::WriteFileAtomically(path, bytes, size);
}
