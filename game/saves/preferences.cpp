#include "saves/preferences.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

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
  std::string target(path);
  std::string temporary = target + ".new";
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const char* p = static_cast<const char*>(bytes);
  size_t left = size;
  bool ok = true;
  while (left > 0) {
    ssize_t w = write(fd, p, left);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      ok = false;
      break;
    }
    p += w;
    left -= size_t(w);
  }
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (!ok || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  // The new name itself must reach the disk too.
  std::string folder = target.substr(0, target.find_last_of('/'));
  int dir = open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}
