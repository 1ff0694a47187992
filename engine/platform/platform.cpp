#include "platform/platform.h"

#include <SDL.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <spawn.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace platform {

std::string executableFolder() {
  char buf[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
  if (n <= 0) {
    char* base = SDL_GetBasePath();
    if (!base) return std::string();
    std::string s(base);
    SDL_free(base);
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
  }
  buf[n] = 0;
  char* slash = std::strrchr(buf, '/');
  if (!slash) return std::string();
  if (slash == buf) return std::string("/");
  *slash = 0;
  return std::string(buf);
}

std::string userDataRoot() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg);
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::string(home) + "/.local/share";
  return std::string();
}

bool makeFolders(const std::string& path) {
  if (path.empty()) return false;
  std::string partial;
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t next = path.find('/', pos);
    if (next == std::string::npos) next = path.size();
    partial = path.substr(0, next);
    if (!partial.empty() && mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    pos = next + 1;
  }
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

uint64_t monotonicMilliseconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
}

void sleepMilliseconds(unsigned ms) {
  timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000L};
  while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

bool displayAvailable() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
    return false;
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && x[0]) || (w && w[0]);
}

void showMessageBox(const char* caption, const char* text) {
  if (displayAvailable() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, nullptr) == 0)
    return;
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

bool openUrl(const char* address) {
  if (!address || !address[0]) return false;
  pid_t pid;
  char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(address), nullptr};
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  // xdg-open hands the address to the browser and returns at once; reap it so no zombie stays.
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int localYear() {
  time_t now = time(nullptr);
  tm local;
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace platform
