// The fight in words: the scrolling commentary of text mode and the captions of the ring view.
#pragma once

#include <cstdint>

struct CommentaryLine {
  char text[100];    // at most 63 characters are written
  int16_t kind;      // icon class 0, 1 or 2 (2 the referee's and result lines); -1 empty
  int16_t clock;     // roundClock when the line was written
};

constexpr int kCommentaryLines = 100;
constexpr int kVisibleCommentaryLines = 12;
constexpr int kCommentaryTextMax = 63;

extern CommentaryLine commentary[kCommentaryLines];
extern int16_t commentaryCount;   // committed lines; also the line being composed
extern int16_t commentaryTop;     // first of the visible lines

// The punch names.
extern const char* const kPunchNames[8];

// A round begins: the list empties and its first line announces the round.
void commentaryStart();

// In text mode, once per tick of the bout (fightFrame calls it): the current event becomes a
// line. When the list is full the
// oldest line gives way, so the newest lines are always kept.
void commentaryFrame();

// The scroll buttons: -1 up, +1 down.
void scrollCommentary(int delta);

// Whether the three header lines show this frame (text mode).
bool commentaryHeaderVisible();

// A boxer's name in the lines: his surname, or his one name for a boxer without surname.
const char* commentaryName(int boxer);
// "%.1s. %s" of a boxer, or his one name.
void commentaryShortName(int boxer, char* out, int size);

// The ring view's caption for the current event: up to three lines, each a text-table entry
// (-1 for the names line, which is composed here) with its arguments.
enum class CaptionArgument : uint8_t {
  None, RoundAndRounds, OpponentName, PlayerName, WinnerName, RoundNumber, OpponentCategory
};
struct CaptionLine {
  int16_t entry;          // text-table entry; -1: `text` holds the whole line
  int16_t y;              // 520, 530, 540 or 560
  CaptionArgument argument;
  char text[96];          // the names line, or the argument as text for string arguments
  int ints[2];            // integer arguments
};
// Fills up to three lines for the current fightEvent; returns how many.
int ringCaptionFrame(CaptionLine out[3]);
// Formats a caption line with its text-table format.
void formatCaptionLine(const CaptionLine& line, const char* format, char* out, int size);
