// What every entry of the UI text table must satisfy: where it shows, the arguments that its
// format receives (in order, with their C types), how wide it may be in the small font, and
// whether it is a 24-byte label or a month name. This table is the contract between the texts
// in "data\languages.ini" and the screens that format them; docs/texts.md is generated from it
// and from the English texts (brawnmoor-textcheck --doc).
#pragma once

#include <string>

// One argument of a format entry. `conversion` is the printf conversion class that the
// argument needs: 'd' for an int (16-bit values arrive promoted to int), 's' for a
// NUL-terminated char text, 'f' for a double.
struct TextArg {
  char conversion = 0;
  const char* name = nullptr;
  const char* ctype = nullptr;
  const char* sample = nullptr;  // a wide but plausible value, used to measure the line
};

enum TextFlags : unsigned {
  kTextUsed = 0,
  kTextUnused = 1u << 0,    // no Part draws it; kept with a sensible text
  kTextProposed = 1u << 1,  // the Part leaves the screen's drawing open; this is our layout
  kTextLabel = 1u << 2,     // copied into a 24-byte label slot: at most 23 bytes
  kTextMonth = 1u << 3,     // month name: its first three characters are the month's name
  kTextSpare = 1u << 4,     // a number kept free: the file may leave its section out
};

struct TextRule {
  int first = 0;
  int last = 0;
  const char* where = "";
  int maxWidth = 0;    // pixels in the small font after formatting with the samples; 0 = none
  int spacing = 0;     // the spacing the screen passes to the font
  unsigned flags = 0;
  TextArg args[3] = {};
  // A text drawn as a word-wrapped paragraph: the column's width in pixels and the most lines
  // its panel holds (0: drawn as one line). Measured after formatting with the samples.
  int wrapWidth = 0;
  int maxLines = 0;

  int argCount() const {
    int n = 0;
    while (n < 3 && args[n].conversion) ++n;
    return n;
  }
};

// The rule of entry n (0 .. kTextCount - 1); every entry has exactly one.
const TextRule& textRule(int n);

// The whole table of rules, in entry order (ranges of entries that share a rule).
const TextRule* allTextRules(int* count);

// The message window (game/screens/messagewindow.cpp) wraps each line of a message in a column
// of this width; lines are kMessageLinePitch pixels apart (the small font's line height and the
// game's line spacing) and a line's glyphs kMessageGlyphHeight high. The window is sized for
// one row a line: a line of r rows takes max(22, r x 12 + 6) pixels, and kMessageWindowSlack
// pixels are left under the last row of a message of single rows.
constexpr int kMessageColumn = 352;
constexpr int kMessageLinePitch = 12;
constexpr int kMessageGlyphHeight = 14;
constexpr int kMessageLineStep = 22;
constexpr int kMessageWindowSlack = 24;

// The argument list of a rule written out for people, e.g. "`cash` (int32_t, %d)".
std::string describeArgs(const TextRule& rule);

// Entries of another language allowed to equal the English text, with the reason. Entries
// whose text has no letters outside its format specifiers are allowed without being listed.
struct SameAsEnglish {
  int entry;
  const char* language;
  const char* reason;
};
extern const SameAsEnglish sameAsEnglishAllowed[];
extern const int sameAsEnglishAllowedCount;
