// The UI text table: every numbered sentence of the career screens, read once from
// "data\languages.ini" in the language of the preferences, and the label lists copied from it.
//
// Each entry is a NUL-terminated text of at most 127 characters in a fixed 128-byte slot.
// docs/texts.md lists every entry: where it shows, the arguments a format entry receives and
// its English text. The label lists are fixed-size copies of the first bytes of their source
// texts; a 24-byte label that fills its entry carries no terminator.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kTextCount = 609;     // entries 0..608
// 559..593 the options screen. Entries 594..599 are kept free for texts to come: the file has no
// section for them, so they read as empty texts. The texts of damaged saves and installations
// begin at 600.
constexpr int kFirstSpareText = 594;
constexpr int kSpareTextEnd = 600;
constexpr int kTextSize = 128;      // 127 characters and the terminator
constexpr int kLanguageCount = 4;   // 0 "Eng", 1 "Ger", 2 "Fre", 3 "Spa"

using TextTable = char[kTextCount][kTextSize];

constexpr const char* kLanguagesFile = "data\\languages.ini";
extern TextTable textTable;

// The key read in every section for each `language` value of the preferences.
extern const char* const languageKeys[kLanguageCount];

// First source text of each label list.
constexpr int kMonthNameText = 505;     // 505..516, January first
constexpr int kBoxerListAText = 517;    // 517..522
constexpr int kBoxerListBText = 523;    // 523..527
constexpr int kFinanceListAText = 528;  // 528..531
constexpr int kFinanceListBText = 532;  // 532..535
constexpr int kSearchListText = 536;    // 536..545
constexpr int kCornerListText = 546;    // 546..554

constexpr int kDamagedSlotText = 600;  // the save/load menu's row of a damaged slot

constexpr int kMonthNameSize = 4;  // three letters and NUL
constexpr int kLabelSize = 24;

extern char monthNames[12][kMonthNameSize];
extern char boxerListA[6][kLabelSize];     // the six training types, in training order
extern char boxerListB[5][kLabelSize];     // the five looks, by `look`
extern char financeListA[4][kLabelSize];   // the four income rows
extern char financeListB[4][kLabelSize];   // the four expense rows
extern char searchList[10][kLabelSize];    // the record-mode filters, toggles and modes
extern char cornerList[9][kLabelSize];     // the corner orders' values, three per order

// Fills the text table from "data\languages.ini" (resolved against the program's folder) with
// the key of `language` (0..3), each value cut to 127 characters, then builds the label lists.
// A missing file, section or key leaves that text empty; a language outside 0..3 reads no key,
// so every text is empty. Every earlier text is cleared first.
void loadTextTable(int language);
// The same from the file's bytes held in memory.
void loadTextTableText(const char* bytes, size_t size, int language);

// Entry n of the table ("UI text n"); an empty text for a number outside 0..kTextCount - 1.
const char* uiText(int n);
