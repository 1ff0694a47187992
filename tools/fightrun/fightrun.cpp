// brawnmoor-fight: plays fights without a window.
//
//   brawnmoor-fight [--seed N] [--text] [--pace 1..3] [--orders A,B,C] [--rounds 8|10|12]
//                   [--skills PLAYER,OPPONENT] [--frame MS] [--count N]
//
// One fight prints its commentary (text mode) or its events (ring view) with the round clock,
// every round's statistics and judges' cards, and the result record. With --count it plays
// many fights between boxers of the world and prints how they ended against the difference
// of the two boxers' skill sums, the totals and why the stopped fights were stopped. --pace is
// the pace button (1 slow, 3 fast); --frame the engine milliseconds between two frames.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "career/generation.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "fight/bout.h"
#include "fight/boutdriver.h"
#include "fight/commentary.h"

namespace {

const char* kEventNames[16] = {"crowd",         "opponent lands",   "opponent lands", "opponent lands",
                               "player lands",  "player lands",     "player lands",   "opponent down",
                               "player down",   "count-out",        "stop",           "T.K.O.",
                               "opponent up",   "player up",        "opponent backs off", "player backs off"};

void setSkills(Boxer& b, float value) {
  b.strength = b.endurance = b.agility = b.quickness = b.stamina = b.charisma = b.technique = value;
  b.strengthMax = b.enduranceMax = b.agilityMax = b.quicknessMax = b.staminaMax = b.charismaMax =
      b.techniqueMax = int16_t(value + 0.5f);
}

int makeFight(int a, int b, int rounds) {
  Fight& f = fights[0];
  f = Fight{};
  f.boxerA = int16_t(a);
  f.boxerB = int16_t(b);
  f.month = int16_t((month + 1) % 12);
  f.year = int16_t(year);
  f.winner = -1;
  f.koRound = f.stopRound = -1;
  f.rounds = int16_t(rounds);
  f.purse = 51;
  return 0;
}

void printLine(void*, int i) {
  const CommentaryLine& l = commentary[i];
  std::printf("  %02d:%02d  %s\n", l.clock / 60, l.clock % 60, l.text);
}

struct EventLog {
  int lastEvent = -1;
  int lastRound = -1;
};

void printEvent(void* user) {
  EventLog& log = *static_cast<EventLog*>(user);
  if (fightEvent > 0 && fightEvent != log.lastEvent) {
    int clock = roundClock;
    std::printf("  %02d:%02d  %s\n", clock / 60, clock % 60, kEventNames[fightEvent]);
  }
  log.lastEvent = fightEvent;
}

void printRounds(int rounds) {
  std::printf("\n%-6s %-28s %-28s %s\n", "round", "opponent (hits/misses/down/dmg)",
              "player (hits/misses/down/dmg)", "cards opp-player");
  for (int r = 0; r < roundIndex && r < rounds; ++r) {
    const RoundStats& o = roundStats[kOpponent][r];
    const RoundStats& p = roundStats[kPlayerSide][r];
    char a[40], b[40];
    std::snprintf(a, sizeof a, "%d/%d/%d/%.0f", o.hits, o.misses, o.knockdowns, o.damage);
    std::snprintf(b, sizeof b, "%d/%d/%d/%.0f", p.hits, p.misses, p.knockdowns, p.damage);
    std::printf("%-6d %-28s %-28s", r + 1, a, b);
    for (int j = 0; j < 3; ++j)
      std::printf(" %d-%d", judgeCards[kOpponent][r][j], judgeCards[kPlayerSide][r][j]);
    std::printf("\n");
  }
}

void printRecord(const Fight& f) {
  const char* how = f.winner == kDraw ? "draw"
                    : f.koRound > 0  ? "K.O."
                    : f.stopRound > 0 ? "T.K.O. (stopped)"
                    : f.unanimous     ? "unanimous decision"
                                      : "split decision";
  std::printf("\nResult: winner %d (%s), %s; koRound %d, stopRound %d, unanimous %d, points %d-%d (player-opponent)\n",
              f.winner, f.winner == f.boxerA ? "the player's boxer" : f.winner == f.boxerB ? "the opponent" : "nobody",
              how, f.koRound, f.stopRound, f.unanimous, f.pointsA, f.pointsB);
}

// How fights end against the skill difference.
void distribution(int n, int pace, bool text, int frameMs) {
  const char* bands[7] = {"< -60", "-60..-31", "-30..-11", "-10..10", "11..30", "31..60", "> 60"};
  enum { kKoWin, kStopWin, kUnanWin, kSplitWin, kDraw_, kSplitLoss, kUnanLoss, kStopLoss, kKoLoss, kOut };
  int table[7][kOut] = {};
  int totals[7] = {};
  int stops[6] = {};
  for (int i = 0; i < n; ++i) {
    int a = std::rand() % kBoxerCount;
    int c = boxers[a].category;
    // An opponent of his category at most 15 places away, the search starting anywhere.
    int b = -1, start = std::rand() % kBoxerCount;
    for (int k = 0; k < kBoxerCount && b < 0; ++k) {
      int j = (start + k) % kBoxerCount;
      if (j != a && boxers[j].category == c && std::abs(boxers[j].rank - boxers[a].rank) <= 15) b = j;
    }
    if (b < 0) continue;
    Boxer keepA = boxers[a], keepB = boxers[b];
    boxers[a].manager = kPlayer;
    int rounds = 8 + 2 * (std::rand() % 3);
    int f = makeFight(a, b, rounds);
    BoutDriverOptions options;
    options.textMode = text;
    options.pace = pace;
    options.frameMs = uint32_t(frameMs);
    int d = int(skillSum6(boxers[a])) - int(skillSum6(boxers[b]));
    driveBout(f, options);
    stops[int(stopCause)]++;
    const Fight& r = fights[f];
    int band = d < -60 ? 0 : d < -30 ? 1 : d < -10 ? 2 : d <= 10 ? 3 : d <= 30 ? 4 : d <= 60 ? 5 : 6;
    bool won = r.winner == a;
    int outcome = r.winner == kDraw ? kDraw_
                  : r.koRound > 0   ? (won ? kKoWin : kKoLoss)
                  : r.stopRound > 0 ? (won ? kStopWin : kStopLoss)
                  : r.unanimous     ? (won ? kUnanWin : kUnanLoss)
                                    : (won ? kSplitWin : kSplitLoss);
    table[band][outcome]++;
    totals[band]++;
    boxers[a] = keepA;
    boxers[b] = keepB;
  }
  std::printf("%d fights between boxers of one category ranked at most 15 apart, pace %d, %s, frames of %d ms.\n",
              n, pace, text ? "text mode" : "ring view", frameMs);
  std::printf("Skill difference = the player's boxer's six fighting skills minus the opponent's.\n");
  std::printf("Shares in percent of each row: the player's boxer wins by K.O., stoppage, unanimous or split\n"
              "decision; draw; loses by split or unanimous decision, stoppage, K.O.\n\n");
  std::printf("| difference | fights | KO win | stop win | unan. win | split win | draw | split loss | unan. loss | stop loss | KO loss |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
  for (int band = 0; band < 7; ++band) {
    std::printf("| %s | %d |", bands[band], totals[band]);
    for (int o = 0; o < kOut; ++o)
      std::printf(" %.1f |", totals[band] ? 100.0 * table[band][o] / totals[band] : 0.0);
    std::printf("\n");
  }
  int played = 0, wins = 0, losses = 0, draws = 0;
  for (int band = 0; band < 7; ++band) {
    played += totals[band];
    wins += table[band][kKoWin] + table[band][kStopWin] + table[band][kUnanWin] + table[band][kSplitWin];
    losses += table[band][kKoLoss] + table[band][kStopLoss] + table[band][kUnanLoss] + table[band][kSplitLoss];
    draws += table[band][kDraw_];
  }
  // Two standard deviations of a share p of `played` fights: 2 sqrt(p (1 - p) / played).
  auto twoSigma = [&](int k) {
    double p = played ? double(k) / played : 0;
    return played ? 200.0 * std::sqrt(p * (1 - p) / played) : 0.0;
  };
  std::printf("\nFights %d: the player's boxer wins %d (%.1f%% +- %.1f), the opponent %d (%.1f%% +- %.1f), draws %d "
              "(+- two standard deviations)\n",
              played, wins, played ? 100.0 * wins / played : 0.0, twoSigma(wins), losses,
              played ? 100.0 * losses / played : 0.0, twoSigma(losses), draws);
  int stopped = stops[1] + stops[2] + stops[3] + stops[4] + stops[5];
  std::printf("Stopped %d: three knockdowns in a round %d, two knockdowns and low vitality %d, the late-round stop %d, "
              "injuries %d\n",
              stopped, stops[int(StopCause::ThreeKnockdowns)], stops[int(StopCause::KnockdownsAndLowVitality)],
              stops[int(StopCause::LateRoundStop)], stops[int(StopCause::Injuries)]);
}

}  // namespace

int main(int argc, char** argv) {
  unsigned seed = unsigned(std::time(nullptr));
  bool text = false;
  int pace = 3, rounds = 12, fightsToPlay = 0, frameMs = 16;
  int orders[3] = {0, 0, 0};
  float skillA = -1, skillB = -1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--seed" && i + 1 < argc) seed = unsigned(std::atol(argv[++i]));
    else if (a == "--text") text = true;
    else if (a == "--pace" && i + 1 < argc) pace = std::atoi(argv[++i]);
    else if (a == "--rounds" && i + 1 < argc) rounds = std::atoi(argv[++i]);
    else if (a == "--count" && i + 1 < argc) fightsToPlay = std::atoi(argv[++i]);
    else if (a == "--frame" && i + 1 < argc && std::atoi(argv[i + 1]) > 0) frameMs = std::atoi(argv[++i]);
    else if (a == "--orders" && i + 1 < argc) std::sscanf(argv[++i], "%d,%d,%d", &orders[0], &orders[1], &orders[2]);
    else if (a == "--skills" && i + 1 < argc) std::sscanf(argv[++i], "%f,%f", &skillA, &skillB);
    else {
      std::fprintf(stderr, "usage: brawnmoor-fight [--seed N] [--text] [--pace 1..3] [--orders A,B,C] "
                           "[--rounds 8|10|12] [--skills PLAYER,OPPONENT] [--frame MS] [--count N]\n");
      return 2;
    }
  }
  std::srand(seed);
  if (!generateWorld()) {
    reportWorldDataProblem();
    return 1;
  }
  if (fightsToPlay > 0) {
    distribution(fightsToPlay, pace, text, frameMs);
    return 0;
  }
  quickStart();
  int a = career.stable[0];
  int b = -1;
  for (int i = 0; i < kBoxerCount && b < 0; ++i)
    if (boxers[i].category == boxers[a].category && boxers[i].rank == boxers[a].rank - 3) b = i;
  if (skillA >= 0) setSkills(boxers[a], skillA);
  if (skillB >= 0) setSkills(boxers[b], skillB);
  int f = makeFight(a, b, rounds);
  char nameA[64], nameB[64];
  formatBoxerName(boxers[a], nameA, sizeof nameA);
  formatBoxerName(boxers[b], nameB, sizeof nameB);
  std::printf("World seed %u: %s (rank %d, skills %.0f) against %s (rank %d, skills %.0f), %d rounds, %s, pace %d\n",
              seed, nameA, boxers[a].rank, skillSum6(boxers[a]), nameB, boxers[b].rank, skillSum6(boxers[b]),
              rounds, text ? "text mode" : "ring view", pace);
  BoutDriverOptions options;
  options.textMode = text;
  options.pace = pace;
  options.frameMs = uint32_t(frameMs);
  for (int k = 0; k < 3; ++k) options.cornerOrders[k] = orders[k];
  EventLog log;
  if (text) options.onLine = printLine;
  else options.onFrame = printEvent;
  options.user = &log;
  BoutDriverResult r = driveBout(f, options);
  if (text && commentaryCount < kCommentaryLines && commentary[commentaryCount].kind >= 0)
    printLine(nullptr, commentaryCount);
  printRounds(rounds);
  printRecord(fights[f]);
  std::printf("%d frames of %d ms, %d rounds started\n", r.frames, frameMs, r.roundsStarted);
  return 0;
}
