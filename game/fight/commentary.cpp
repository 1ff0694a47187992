#include "fight/commentary.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include "career/world.h"
#include "fight/bout.h"

CommentaryLine commentary[kCommentaryLines];
int16_t commentaryCount;
int16_t commentaryTop;

const char* const kPunchNames[8] = {"jab",           "uppercut",   "low punch", "high punch",
                                    "straight punch", "body punch", "block",     "head punch"};

namespace {

int r(int n) { return std::rand() % n; }

void writeLine(CommentaryLine& line, const char* text) {
  std::memset(line.text, 0, sizeof line.text);
  std::memcpy(line.text, text, std::min<size_t>(kCommentaryTextMax, std::strlen(text)));
}

}  // namespace

const char* commentaryName(int boxer) {
  static char names[2][24];
  static int which = 0;
  which ^= 1;
  names[which][0] = 0;
  if (isBoxer(boxer)) formatBoxerName(boxers[boxer], names[which], sizeof names[which], NameStyle::Surname);
  return names[which];
}

void commentaryShortName(int boxer, char* out, int size) {
  if (!out || size <= 0) return;
  out[0] = 0;
  if (isBoxer(boxer)) formatBoxerName(boxers[boxer], out, size, NameStyle::Initial);
}

void commentaryStart() {
  for (CommentaryLine& line : commentary) {
    line.text[0] = 0;
    line.kind = -1;
    line.clock = 0;
  }
  commentaryCount = 0;
  commentaryTop = 0;
  char text[96];
  std::snprintf(text, sizeof text, "Round %d of %d starts!", roundIndex + 1, boutRounds());
  writeLine(commentary[0], text);
  commentary[0].kind = 2;
  commentary[0].clock = 180;
  commentaryCount = 1;
}

void commentaryFrame() {
  if (commentaryCount < 0 || commentaryCount >= kCommentaryLines) return;
  CommentaryLine& line = commentary[commentaryCount];
  // 1. The time.
  line.clock = roundClock;
  // 2. A punch.
  const char* punch = kPunchNames[r(8)];
  // 3. The hand, for punches that landed.
  const char* hand = "";
  int puncher = fightEvent >= 1 && fightEvent <= 3 ? boutBoxer(kOpponent)
                : fightEvent >= 4 && fightEvent <= 6 ? boutBoxer(kPlayerSide) : -1;
  if (isBoxer(puncher)) {
    if (boxers[puncher].rightHanded == 1) hand = r(11) > 4 ? "right" : "left";
    else hand = r(11) > 4 ? "left" : "right";
  }
  // 4. The line.
  int opponentBoxer = boutBoxer(kOpponent), playerBoxer = boutBoxer(kPlayerSide);
  const Fight* f = boutRecord();
  int winner = f && isBoxer(f->winner) ? f->winner : -1;
  int loser = winner < 0 ? -1 : winner == opponentBoxer ? playerBoxer : opponentBoxer;
  char text[160];
  text[0] = 0;
  int kind = -1;
  switch (fightEvent) {
    case 1: case 2: case 3: {
      int q = r(6) + 1;
      const char* format = q == 1 ? "weak %s %s by %s" : q <= 3 ? "%s %s by %s" : "powerful %s %s by %s";
      std::snprintf(text, sizeof text, format, hand, punch, commentaryName(opponentBoxer));
      kind = 1;
      break;
    }
    case 4: case 5: case 6: {
      int q = r(6) + 1;
      const char* format = q == 1 ? "weak %s %s by %s" : q == 2 ? "feeble %s %s by %s"
                           : q == 3 ? "%s %s by %s" : q == 4 ? "fast %s %s by %s"
                                                            : "powerful %s %s by %s";
      std::snprintf(text, sizeof text, format, hand, punch, commentaryName(playerBoxer));
      kind = 0;
      break;
    }
    case 7:
      std::snprintf(text, sizeof text, "%s is knocked down!", commentaryName(opponentBoxer));
      kind = 1;
      break;
    case 8:
      std::snprintf(text, sizeof text, "%s is knocked down!", commentaryName(playerBoxer));
      kind = 0;
      break;
    case 9:
      std::snprintf(text, sizeof text, "%s wins the fight by K.O.!", commentaryName(winner));
      kind = 2;
      break;
    case 10:
      std::snprintf(text, sizeof text, "%s is bleeding, the referee stops the match!", commentaryName(loser));
      kind = 2;
      break;
    case 11:
      std::snprintf(text, sizeof text, "%s wins the fight by T.K.O.!", commentaryName(winner));
      kind = 2;
      break;
    case 12:
      std::snprintf(text, sizeof text, r(5) < 2 ? "%s seems to be ok!" : "%s gets back up!",
                    commentaryName(opponentBoxer));
      kind = 1;
      break;
    case 13:
      std::snprintf(text, sizeof text, r(5) < 2 ? "%s is ready to fight again!" : "%s gets up in time!",
                    commentaryName(playerBoxer));
      kind = 0;
      break;
    case 14: {
      const char* format = r(5) < 2 ? "%s is moving away from %s!" : "%s seems to fear %s!";
      std::snprintf(text, sizeof text, format, commentaryName(opponentBoxer), commentaryName(playerBoxer));
      kind = 0;
      break;
    }
    case 15: {
      const char* format = r(5) < 2 ? "%s keeps the distance from %s" : "%s dances away from %s!";
      std::snprintf(text, sizeof text, format, commentaryName(playerBoxer), commentaryName(opponentBoxer));
      kind = 1;
      break;
    }
    default:
      break;
  }
  if (kind >= 0) {
    writeLine(line, text);
    line.kind = int16_t(kind);
  }

  // 6. Commit.
  if (fightEvent > 0 && !fightDecided && kind >= 0) {
    if (commentaryCount == kCommentaryLines - 1) {
      // The list is full: the oldest line gives way.
      std::memmove(&commentary[0], &commentary[1], sizeof(CommentaryLine) * (kCommentaryLines - 1));
      commentary[kCommentaryLines - 1].kind = -1;
      commentary[kCommentaryLines - 1].text[0] = 0;
    } else {
      commentaryCount++;
      if (commentaryCount > 11) commentaryTop++;
    }
    fightEvent = -1;
  }
}

void scrollCommentary(int delta) {
  if (delta < 0 && commentaryTop > 0) commentaryTop--;
  if (delta > 0 && commentaryTop < commentaryCount - kVisibleCommentaryLines) commentaryTop++;
}

bool commentaryHeaderVisible() {
  return !fightDecided && fightEvent < 7 && roundClock > 0 && (count < 0 || count > 11);
}

int ringCaptionFrame(CaptionLine out[3]) {
  struct Row { int16_t entry; int16_t y; CaptionArgument argument; };
  using A = CaptionArgument;
  static const Row kCaptions[12][3] = {
      {{100, 520, A::RoundAndRounds}, {-1, 540, A::None}, {101, 560, A::OpponentCategory}},
      {{102, 520, A::OpponentName}, {103, 540, A::PlayerName}, {104, 560, A::None}},
      {{105, 520, A::OpponentName}, {106, 540, A::PlayerName}, {107, 560, A::None}},
      {{108, 520, A::OpponentName}, {109, 540, A::PlayerName}, {110, 560, A::None}},
      {{102, 520, A::PlayerName}, {103, 540, A::OpponentName}, {104, 560, A::None}},
      {{105, 520, A::PlayerName}, {106, 540, A::OpponentName}, {104, 560, A::None}},
      {{108, 520, A::PlayerName}, {109, 540, A::OpponentName}, {107, 560, A::None}},
      {{111, 530, A::OpponentName}, {112, 560, A::None}, {0, 0, A::None}},
      {{111, 530, A::PlayerName}, {112, 560, A::None}, {0, 0, A::None}},
      {{113, 520, A::None}, {114, 540, A::WinnerName}, {115, 560, A::RoundNumber}},
      {{116, 520, A::None}, {117, 540, A::WinnerName}, {118, 560, A::None}},
      {{119, 520, A::None}, {120, 540, A::WinnerName}, {121, 560, A::RoundNumber}},
  };
  if (fightEvent < 0 || fightEvent > 11) return 0;
  int opponentBoxer = boutBoxer(kOpponent), playerBoxer = boutBoxer(kPlayerSide);
  const Fight* f = boutRecord();
  int n = 0;
  for (const Row& row : kCaptions[fightEvent]) {
    if (row.y == 0) break;
    CaptionLine& line = out[n++];
    std::memset(&line, 0, sizeof line);
    line.entry = row.entry;
    line.y = row.y;
    line.argument = row.argument;
    switch (row.argument) {
      case A::RoundAndRounds:
        line.ints[0] = roundIndex + 1;
        line.ints[1] = boutRounds();
        break;
      case A::RoundNumber: line.ints[0] = roundIndex + 1; break;
      case A::OpponentName: std::snprintf(line.text, sizeof line.text, "%s", commentaryName(opponentBoxer)); break;
      case A::PlayerName: std::snprintf(line.text, sizeof line.text, "%s", commentaryName(playerBoxer)); break;
      case A::WinnerName:
        std::snprintf(line.text, sizeof line.text, "%s", commentaryName(f ? f->winner : -1));
        break;
      case A::OpponentCategory:
        if (isBoxer(opponentBoxer)) {
          int c = boxers[opponentBoxer].category;
          if (c >= 1 && c <= kCategoryCount) {
            char name[21] = {};
            std::memcpy(name, weightNames[c].name, 20);
            std::snprintf(line.text, sizeof line.text, "%s", name);
          }
        }
        break;
      case A::None:
        if (row.entry < 0) {
          char a[48], b[48];
          commentaryShortName(opponentBoxer, a, sizeof a);
          commentaryShortName(playerBoxer, b, sizeof b);
          std::snprintf(line.text, sizeof line.text, "%s and %s", a, b);
        }
        break;
    }
  }
  return n;
}

void formatCaptionLine(const CaptionLine& line, const char* format, char* out, int size) {
  if (!out || size <= 0) return;
  out[0] = 0;
  if (line.entry < 0 || !format) {
    std::snprintf(out, size_t(size), "%s", line.text);
    return;
  }
  switch (line.argument) {
    case CaptionArgument::RoundAndRounds:
      std::snprintf(out, size_t(size), format, line.ints[0], line.ints[1]);
      break;
    case CaptionArgument::RoundNumber:
      std::snprintf(out, size_t(size), format, line.ints[0]);
      break;
    case CaptionArgument::None:
      std::snprintf(out, size_t(size), "%s", format);
      break;
    default:
      std::snprintf(out, size_t(size), format, line.text);
      break;
  }
}
