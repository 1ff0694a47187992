#include "saves/preferences.h"

#include <fcntl.h>
#include <sys/stat.h>
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

int openRegularFile(const char* path) {
  // Non-blocking, so that a FIFO or a device in the file's place cannot hold the open.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    const int saved = errno;
    close(fd);
    errno = saved;
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return -1;
  }
  // Regular files never block; reads go on in the ordinary way.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

size_t readUpTo(int fd, void* bytes, size_t size) {
  size_t got = 0;
  while (got < size) {
    const ssize_t n = read(fd, static_cast<char*>(bytes) + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += size_t(n);
  }
  return got;
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
  std::memset(&preferences, 0, sizeof preferences);
  preferences.useDirectX = 1;
  const char* path = userFile("prefs");
  if (!path[0]) return;
  const int fd = openRegularFile(path);
  if (fd < 0) return;
  // A short file fills what it holds; the rest keeps its defaults.
  Preferences read = preferences;
  const size_t n = readUpTo(fd, &read, sizeof read);
  close(fd);
  std::memcpy(&preferences, &read, n);
  keepPreferencesInRange();
}

bool savePreferences() {
  const char* path = userFile("prefs");
  return path[0] && writeFileAtomically(path, &preferences, sizeof preferences);
}

bool writeFileAtomically(const char* path, const void* bytes, size_t size) {
  std::string target(path);
  std::string temporary = target + ".new";
  // Non-blocking: a FIFO left in the temporary file's place refuses rather than waits.
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
  if (fd < 0) return false;
  const char* p = static_cast<const char*>(bytes);
  size_t left = size;
  int error = 0;
  while (left > 0) {
    ssize_t w = write(fd, p, left);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      error = w < 0 ? errno : ENOSPC;  // a write of nothing: the disk is full
      break;
    }
    p += w;
    left -= size_t(w);
  }
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error) {
    unlink(temporary.c_str());
    errno = error;  // the first failure is the reason
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
