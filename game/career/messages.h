// The career messages: what each message number shows. The rules store only a number in
// `popup`; the message window turns it into lines of the text table with the values filled
// in, as this catalogue describes.
#pragma once

#include <cstdint>

// The heading every message window shows (a text-table entry).
constexpr int kMessageHeading = 282;

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
};

struct MessageLine {
  int16_t entry;          // text-table entry, or -1 for the literal
  const char* literal;    // the line's own text when entry is -1
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
  char text[96];          // the complete line for literal lines
};

// Resolves every line of the message that `popup` shows; returns the number of lines.
int resolveMessage(int number, ResolvedLine out[4]);

// Formats a resolved line with its text-table format (ignored for literal lines).
void formatMessageLine(const ResolvedLine& line, const char* format, char* out, int size);

// Shows a message: the frame drawing draws the window while popup > 0.
void showMessage(int number);
