// The checker of "data\languages.ini": reads the file as the game's loader would and as a
// strict parser, and reports every entry that could break a screen or read badly.
#pragma once

#include <string>
#include <vector>

constexpr int kCheckedTexts = 609;  // entries 0..608; 559..599 kept free (no section)
constexpr int kCheckedLanguages = 4;

// The four values of every entry as the strict parser read them.
struct LanguagesFile {
  std::string value[kCheckedTexts][kCheckedLanguages];
  bool present[kCheckedTexts][kCheckedLanguages] = {};
};

// One conversion of a printf format: the whole specifier ("%02d") and its argument class
// ('d', 's' or 'f'), or 0 with a reason when the specifier is not one we allow.
struct FormatSpec {
  std::string text;
  char conversion = 0;
  std::string problem;
};

// Every '%' sequence of a value except "%%".
std::vector<FormatSpec> parseFormat(const std::string& value, bool* hasPercent = nullptr);

// The value formatted with the rule's sample arguments, as the screen would show it; the value
// must already match the rule.
std::string formatWithSamples(const std::string& value, int entry);

// Width in pixels of a Windows-1252 text in the small font with the given spacing (characters
// without a glyph are skipped, as the font does).
int smallFontWidth(const std::string& text, int spacing = 0);

// The lines of a text word-wrapped in a column `width` pixels wide in the small font, exactly as
// the game's paragraphs break them.
std::vector<std::string> wrapSmallFont(const std::string& text, int width, int spacing = 0);

// Checks the bytes of a languages file; `file` names it in the messages. Each problem is one
// line "file: [n] Key: what is wrong". `parsed` (optional) receives the values.
std::vector<std::string> checkLanguages(const std::string& bytes, const std::string& file,
                                        LanguagesFile* parsed = nullptr);

// Reads and checks a file, and also reads it back through the engine's INI reader exactly as
// loadTextTable does, reporting any value that the game would read differently.
std::vector<std::string> checkLanguagesPath(const std::string& path,
                                            LanguagesFile* parsed = nullptr);

// Checks the bytes of one name list ("N=" values under numbered sections); `file` names it in
// the messages. Every byte of a name must have a glyph in the small font, the font that draws
// every boxer's and manager's name, and a name must not look like UTF-8. Each problem is one
// line "file: [n] "name": what is wrong".
std::vector<std::string> checkNames(const std::string& bytes, const std::string& file);

// Checks the seventeen name lists that the world generation reads, in the folder `dataDir`
// (the repository's or the game's data folder).
std::vector<std::string> checkNameFiles(const std::string& dataDir);

// The Markdown table of docs/texts.md: one row per entry with where it shows, its arguments and
// its English text.
std::string textsDocTable(const LanguagesFile& file);

// The line of docs/texts.md after which the generated table follows.
extern const char* const kDocMarker;
