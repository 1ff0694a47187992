// brawnmoor-inspect: generates a career world and prints what is in it, so that a person can
// see that the world makes sense.
//
//   brawnmoor-inspect [--seed N] [--summary] [--category C] [--top N] [--boxer I]
//                     [--start-career] [--quick-start] [--data FOLDER]
//
// With no request it prints the summary. --data reads the data folder of another
// installation (the folder that holds "data").
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "career/generation.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "tools/KTools.h"

namespace {

const double kLbsPerKg = 2.20462262;

// The world's texts are Windows-1252; the terminal wants UTF-8.
std::string utf8(const char* text) {
  static const uint16_t high[32] = {
      0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178};
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    unsigned c = *p < 0x80 ? *p : *p < 0xA0 ? high[*p - 0x80] : *p;
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Pads to a width in characters, not bytes.
std::string padded(const std::string& s, size_t width) {
  size_t chars = 0;
  for (unsigned char c : s) chars += (c & 0xC0) != 0x80;
  return chars >= width ? s : s + std::string(width - chars, ' ');
}

std::string fullName(const Boxer& b) {
  char name[64];
  formatBoxerName(b, name, sizeof name);
  return utf8(name);
}

std::string record(const Boxer& b) {
  char text[48];
  std::snprintf(text, sizeof text, "%d-%d-%d (%d KO)", b.wins, b.draws, b.losses, b.koWins);
  return text;
}

void printCategory(int c, int top) {
  std::vector<int> byRank;
  for (int i = 0; i < kBoxerCount; ++i)
    if (boxers[i].category == c) byRank.push_back(i);
  std::sort(byRank.begin(), byRank.end(),
            [](int a, int b) { return boxers[a].rank < boxers[b].rank; });
  std::printf("%s - Limit %.2f kgs (%d lbs): %zu boxers\n", weightNames[c].name,
              weightNames[c].limitLbs / kLbsPerKg, weightNames[c].limitLbs, byRank.size());
  std::printf("%4s  %-26s %-4s %3s  %-18s %6s %5s %6s\n", "rank", "name", "nat", "age",
              "record", "skill", "pot", "fame");
  int shown = 0;
  for (int i : byRank) {
    if (shown++ >= top) break;
    const Boxer& b = boxers[i];
    std::printf("%4d  %s %-4s %3d  %-18s %6.1f %5d %6d\n", b.rank, padded(fullName(b), 26).c_str(),
                nations[b.nation].shortName, b.age, record(b).c_str(), skillAverage(b),
                potentialAverage(b), b.fame);
  }
}

void printBoxer(int i) {
  if (i < 0 || i >= kBoxerCount) {
    std::printf("no boxer %d (0..%d)\n", i, kBoxerCount - 1);
    return;
  }
  const Boxer& b = boxers[i];
  const char* managed = b.manager == kPlayer ? "the player's stable"
                        : b.manager == kRetired ? "retired" : "free";
  std::printf("Boxer %d: %s, age %d, from %s (%s)\n", i, fullName(b).c_str(), b.age,
              utf8(nations[b.nation].longName).c_str(), nations[b.nation].shortName);
  std::printf("  %s, rank %d, fame %d, %s\n", weightNames[b.category].name, b.rank, b.fame,
              managed);
  std::printf("  %d cm, %.1f kgs (%d lbs), %s-handed, look %d, face %d\n", b.height,
              b.weight / kLbsPerKg, b.weight, b.rightHanded ? "right" : "left", b.look, b.face);
  std::printf("  record %s\n", record(b).c_str());
  std::printf("  fitness %d, morale %d, contract %d months, purse share %d%%%s\n", b.fitness,
              b.morale, b.contractMonths, b.pursePercent, b.retiring ? ", retiring" : "");
  struct Row { const char* name; float value; int max; };
  Row rows[7] = {{"strength", b.strength, b.strengthMax},   {"endurance", b.endurance, b.enduranceMax},
                 {"agility", b.agility, b.agilityMax},      {"quickness", b.quickness, b.quicknessMax},
                 {"stamina", b.stamina, b.staminaMax},      {"charisma", b.charisma, b.charismaMax},
                 {"technique", b.technique, b.techniqueMax}};
  for (const Row& r : rows) std::printf("  %-10s %5.1f / %2d\n", r.name, r.value, r.max);
  std::printf("  skill average %.1f, potential average %d\n", skillAverage(b), potentialAverage(b));
  std::printf("  power %.1f, vitality %.1f, speed %.1f\n", b.strength + b.technique,
              b.endurance + b.stamina, b.quickness + b.agility);
  std::printf("  rank history:");
  for (int h : b.rankHistory) std::printf(" %d", h);
  std::printf("\n");
}

void printHistogram(const char* title, const std::map<std::string, int>& bins) {
  std::printf("%s\n", title);
  for (const auto& [label, n] : bins)
    std::printf("  %-8s %5d  %s\n", label.c_str(), n, std::string(size_t(n / 25), '#').c_str());
}

std::string band(int value, int width) {
  char text[32];
  int lo = value / width * width;
  std::snprintf(text, sizeof text, "%3d-%-3d", lo, lo + width - 1);
  return text;
}

void printSummary() {
  std::printf("Manager: %s, age %d, from %s; cash %d $, %d free skill points; %s %d\n",
              utf8(managerName).c_str(), career.managerAge, utf8(nations[career.managerNation].longName).c_str(), cash,
              career.freeSkillPoints, "year", year);
  std::printf("Equipment prices %d %d %d %d, staff prices %d %d %d\n", equipmentPrice[0],
              equipmentPrice[1], equipmentPrice[2], equipmentPrice[3], staffPrice[0],
              staffPrice[1], staffPrice[2]);
  std::printf("\n%-3s %-20s %6s %8s %8s %8s\n", "cat", "name", "boxers", "ranks", "top fame",
              "avg age");
  for (int c = 1; c <= kCategoryCount; ++c) {
    int n = 0, maxRank = 0, topFame = 0, ageSum = 0;
    for (const Boxer& b : boxers) {
      if (b.category != c) continue;
      ++n;
      ageSum += b.age;
      if (b.rank > maxRank) maxRank = b.rank;
      if (b.rank == 1) topFame = b.fame;
    }
    std::printf("%-3d %-20s %6d %5d..%-3d %7d %8.1f\n", c, weightNames[c].name, n, 1, maxRank,
                topFame, n ? double(ageSum) / n : 0.0);
  }
  std::map<std::string, int> ages, skills, potentials;
  long wins = 0, draws = 0, losses = 0, kos = 0;
  int right = 0;
  std::map<int, int> nationCount;
  for (const Boxer& b : boxers) {
    ages[band(b.age, 5)]++;
    skills[band(int(skillAverage(b)), 10)]++;
    potentials[band(potentialAverage(b), 10)]++;
    wins += b.wins;
    draws += b.draws;
    losses += b.losses;
    kos += b.koWins;
    right += b.rightHanded;
    nationCount[b.nation]++;
  }
  std::printf("\n");
  printHistogram("Ages", ages);
  printHistogram("Skill averages", skills);
  printHistogram("Potential averages", potentials);
  std::printf("\nRecords: %ld wins (%ld by KO), %ld draws, %ld losses; %.1f fights a boxer\n",
              wins, kos, draws, losses, double(wins + draws + losses) / kBoxerCount);
  std::printf("Right-handed: %d of %d\n", right, kBoxerCount);
  std::vector<std::pair<int, int>> nationsByCount;
  for (auto [n, count] : nationCount) nationsByCount.push_back({count, n});
  std::sort(nationsByCount.rbegin(), nationsByCount.rend());
  std::printf("Most boxers from:");
  for (size_t i = 0; i < nationsByCount.size() && i < 10; ++i)
    std::printf(" %s %d%s", nations[nationsByCount[i].second].shortName, nationsByCount[i].first,
                i + 1 < 10 ? "," : "");
  std::printf("\nNations with boxers: %zu of %d\n", nationCount.size(), kNationCount);
}

void printStable() {
  std::printf("Stable (%d):\n", stableCount);
  for (int s = 0; s < kStableSize; ++s) {
    int i = career.stable[s];
    if (i < 0) continue;
    const Boxer& b = boxers[i];
    std::printf("  slot %d: boxer %d, %s, %s, rank %d, skill %.1f, contract %d months, %d%%\n",
                s, i, fullName(b).c_str(), weightNames[b.category].name, b.rank,
                skillAverage(b), b.contractMonths, b.pursePercent);
  }
  std::printf("Reputation %.1f\n", career.reputation);
}

int usage() {
  std::fprintf(stderr,
               "usage: brawnmoor-inspect [--seed N] [--summary] [--category C] [--top N] "
               "[--boxer I] [--start-career] [--quick-start] [--data FOLDER]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = unsigned(std::time(nullptr));
  bool summary = false, start = false, quick = false;
  std::vector<int> categories, boxerIds;
  int top = 10;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&](int& out) {
      if (i + 1 >= argc) return false;
      char* end = nullptr;
      long v = std::strtol(argv[++i], &end, 10);
      if (!end || *end) return false;
      out = int(v);
      return true;
    };
    int v = 0;
    if (a == "--seed" && next(v)) seed = unsigned(v);
    else if (a == "--summary") summary = true;
    else if (a == "--category" && next(v)) categories.push_back(v);
    else if (a == "--top" && next(v)) top = v;
    else if (a == "--boxer" && next(v)) boxerIds.push_back(v);
    else if (a == "--start-career") start = true;
    else if (a == "--quick-start") quick = true;
    else if (a == "--data" && i + 1 < argc) KTools::OverrideExeFolder(argv[++i]);
    else return usage();
  }
  if (!summary && categories.empty() && boxerIds.empty() && !start && !quick) summary = true;

  KTools::InitClock();
  std::srand(seed);
  if (!generateWorld()) {
    reportWorldDataProblem();
    return 1;
  }
  std::printf("World of seed %u\n", seed);
  if (quick) quickStart();
  else if (start) startCareer();

  if (summary) {
    std::printf("\n");
    printSummary();
  }
  for (int c : categories) {
    std::printf("\n");
    if (c < 1 || c > kCategoryCount) {
      std::printf("no category %d (1..%d)\n", c, kCategoryCount);
      continue;
    }
    printCategory(c, top);
  }
  for (int i : boxerIds) {
    std::printf("\n");
    printBoxer(i);
  }
  if (start || quick) {
    std::printf("\n");
    printStable();
  }
  return 0;
}
