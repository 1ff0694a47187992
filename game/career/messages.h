// The career messages: what each message number shows. The rules store only a number in
// `popup`; the message window turns it into lines of the text table with the values filled
// in, as this catalogue describes.
#pragma once

#include <cstdint>

// The heading every message window shows (a text-table entry).
constexpr int kMessageHeading = 282;

// The messages of damaged files and a failed save.
constexpr int kMessageDamagedSlot = 44;   // LOAD on a damaged slot: refused, its file kept
constexpr int kMessageNoWorld = 45;       // no career without the world's data files
constexpr int kMessageSaveFailed = 46;    // the save could not be written: why, and where

// What a line fills into its text.
enum class MessageValue : uint8_t {
  None,
  OpponentRank,          // %d: the chosen opponent's rank
  SelectedRankMinus5,    // %d: the selected boxer's rank minus 5
  SelectedRankPlus9,     // %d: the selected boxer's rank plus 9
  BookedBy,              // the line is the literal text "First Surname (rank %d)" of the booker
  MonthsLeftInDebt,      // %d: the advances in the red left, the last ending the career
  EventCash,             // %d: eventValue x 100
  EventBoxerNames,       // %s %s: first name and surname of the event's stable boxer
  PopupBoxerNames,       // %s %s: first name and surname of popupBoxer
  PopupBoxerAge,         // %d: popupBoxer's age
  OfferYears,            // %d
  OfferPercent,          // %d
  ContractMonthsPercent, // %d %d: the selected boxer's new contractMonths and pursePercent
  CareerYears,           // %d: year minus the computer's current year
  Detail,                // %s: the first text given to showMessage (a path, a reason)
  Detail2,               // %s: the second text given to showMessage
};

struct MessageLine {
  int16_t entry;          // text-table entry, or -1 for the literal
  // The line's own text when entry is -1; for an entry, the English text shown when the text
  // table has none (a damaged installation must still be able to say so).
  const char* literal;
  MessageValue value;
};

struct MessageDefinition {
  int16_t number;
  uint8_t lineCount;
  MessageLine lines[4];
  const char* picture;    // "data\gfx\random01.jpg" etc., or null
};

// The definition of a message number, or null for a number that shows only the heading.
const MessageDefinition* findMessage(int number);

// A line ready to draw: the text-table entry (or -1 with `text` already complete) and the
// values its format receives.
struct ResolvedLine {
  int16_t entry;
  MessageValue value;
  int ints[2];
  char strings[2][24];
  char text[96];          // the complete line for literal lines; an entry's English fallback
  char detail[512];       // the text a Detail or Detail2 line fills in
};

// Resolves every line of the message that `popup` shows; returns the number of lines.
int resolveMessage(int number, ResolvedLine out[4]);

// Formats a resolved line with its text-table format (ignored for literal lines). An empty
// format (a text table without the entry) falls back to the line's English text.
void formatMessageLine(const ResolvedLine& line, const char* format, char* out, int size);

// Shows a message: the frame drawing draws the window while popup > 0. The texts, when given,
// are what the message's Detail and Detail2 lines fill in (kept until the next message). They
// are drawn in the game's font, which has no backslash: a Windows path's separators are
// written as '/', which Windows reads as well.
void showMessage(int number, const char* detail = nullptr, const char* detail2 = nullptr);
