// brawnmoor-career: plays a career without a window and prints what happens month by month.
//
//   brawnmoor-career [--seed N] [--months N] [--quiet]
//
// The career starts by quick start; a simple manager trains, buys equipment and staff, takes
// sponsors, challenges the best opponent the rules allow, takes instant results, renews and
// signs boxers, and advances the month.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "career/autopilot.h"
#include "career/generation.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "tools/KTools.h"

namespace {

const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string stableLine() {
  std::string line;
  for (int s = 0; s < kStableSize; ++s) {
    int i = career.stable[s];
    if (!isBoxer(i)) continue;
    const Boxer& b = boxers[i];
    char text[96];
    std::snprintf(text, sizeof text, "%s%s #%d (%d-%d-%d, %.0f)", line.empty() ? "" : "; ",
                  surnameOf(b)[0] ? surnameOf(b) : firstNameOf(b), b.rank, b.wins, b.draws,
                  b.losses, skillAverage(b));
    line += text;
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = unsigned(std::time(nullptr));
  int months = 60;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) seed = unsigned(std::atol(argv[++i]));
    else if (!std::strcmp(argv[i], "--months") && i + 1 < argc) months = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--quiet")) quiet = true;
    else {
      std::fprintf(stderr, "usage: brawnmoor-career [--seed N] [--months N] [--quiet]\n");
      return 2;
    }
  }
  KTools::InitClock();
  std::srand(seed);
  if (!generateWorld()) {
    reportWorldDataProblem();
    return 1;
  }
  quickStart();
  std::printf("Career of seed %u: %s, %d months at most\n", seed, managerName, months);
  std::printf("%-8s %7s %4s %-12s %s\n", "date", "cash", "rep", "results", "stable (rank, record, skill)");
  int played = 0;
  for (int m = 0; m < months; ++m) {
    char date[16];
    std::snprintf(date, sizeof date, "%s %d", kMonths[month], year);
    AutopilotMonth r = autopilotMonth();
    played++;
    if (!quiet) {
      char results[32];
      std::snprintf(results, sizeof results, "%dW %dL %dD", r.wins, r.losses, r.draws);
      std::string messages;
      for (int k = 0; k < r.messageCount; ++k) messages += " " + std::to_string(r.messages[k]);
      std::printf("%-8s %7d %4.1f %-12s %s%s%s\n", date, cash, career.reputation,
                  r.fightsPlayed ? results : "-", stableLine().c_str(),
                  messages.empty() ? "" : "  msg", messages.c_str());
    }
    if (careerEndReason()) break;
  }
  std::printf("\nAfter %d months: cash %d $, reputation %.1f, record %d-%d-%d, titles %d won, %d lost\n",
              played, cash, career.reputation, career.careerStats[kStatWins],
              career.careerStats[kStatDraws], career.careerStats[kStatLosses],
              career.careerStats[kStatTitlesWon], career.careerStats[kStatTitlesLost]);
  const char* end = careerEndReason();
  std::printf("%s\n", end ? end : "The career goes on.");
  return 0;
}
