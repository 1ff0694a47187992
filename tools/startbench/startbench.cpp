// brawnmoor-startbench: runs the game's own start-up, from the program's start through the
// launcher (its start button pressed at once), the loading screen, the world and the texts, to
// the first drawn main-menu frame, and prints how long that took and the resident memory there.
//
//   brawnmoor-startbench [--renderer gl|dd] [--runs N]
//
// Each run is a fresh process (the program re-executes itself), so every run pays for loading
// the libraries, the pictures and the sounds as a player's start does. The per-user folder is a
// temporary one, so the player's own preferences and saves are not touched.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "saves/preferences.h"
#include "screens/menus.h"
#include "shell/app.h"
#include "ui/screenkit.h"

namespace {

double processAgeMs() {
  // The process's start time in clock ticks since boot, against the monotonic boot clock.
  FILE* f = std::fopen("/proc/self/stat", "r");
  if (!f) return -1;
  char buf[1024];
  size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  buf[n] = 0;
  const char* p = std::strrchr(buf, ')');
  if (!p) return -1;
  unsigned long long start = 0;
  int field = 3;  // the state, right after the name
  for (const char* q = p + 2; *q && field < 22; ++q)
    if (*q == ' ' && ++field == 22) start = std::strtoull(q + 1, nullptr, 10);
  timespec ts;
  clock_gettime(CLOCK_BOOTTIME, &ts);
  const double nowMs = double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
  return nowMs - double(start) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

long residentKb() {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
  std::fclose(f);
  return kb;
}

int child(bool gl) {
  if (!app::startLauncher()) return 2;
  preferences.useDirectX = gl ? 0 : 1;
  preferences.windowed = 1;
  app::launcherFrame();
  launcherDone = 1;
  quitFlag = 0;
  while (app::launcherFrame()) {
  }
  if (!app::closeLauncher() || !app::openGameWindow()) return 3;
  app::mainFrame();
  const double ms = processAgeMs();
  const long kb = residentKb();
  app::shutdown();
  std::printf("%.0f %ld\n", ms, kb);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string renderer = "dd";
  int runs = 5;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--renderer") && i + 1 < argc) renderer = argv[++i];
    else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--child")) return child(renderer == "gl");
  }
  char home[] = "/tmp/brawnmoor-startbench-XXXXXX";
  if (!mkdtemp(home)) return 1;
  setenv("XDG_DATA_HOME", home, 1);
  std::vector<double> times;
  long kb = 0;
  for (int r = 0; r < runs; ++r) {
    std::string cmd = std::string("\"") + argv[0] + "\" --renderer " + renderer + " --child";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return 1;
    double ms = 0;
    long k = 0;
    const int got = std::fscanf(p, "%lf %ld", &ms, &k);
    pclose(p);
    if (got != 2) {
      std::fprintf(stderr, "startbench: run %d failed\n", r + 1);
      return 1;
    }
    times.push_back(ms);
    kb = k;
  }
  double best = times[0], sum = 0;
  for (double t : times) {
    best = t < best ? t : best;
    sum += t;
  }
  std::printf("renderer %s: start to first main-menu frame %.0f ms best, %.0f ms mean of %d runs; resident memory %.1f MB\n",
              renderer == "gl" ? "OpenGL" : "software", best, sum / double(times.size()), runs, double(kb) / 1024.0);
  std::string rm = std::string("rm -rf ") + home;
  return std::system(rm.c_str()) == 0 ? 0 : 0;
}
