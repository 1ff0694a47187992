#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/tempdir.h"
#include "textcheck.h"
#include "textrules.h"

namespace {

const std::string kShipped = std::string(BRAWNMOOR_SOURCE_DIR) + "/data/languages.ini";

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string shipped() { return readFile(kShipped); }

// Replaces the first occurrence of `from` (which must exist) in the file's bytes.
std::string plant(std::string bytes, const std::string& from, const std::string& to) {
  size_t at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) bytes.replace(at, from.size(), to);
  return bytes;
}

bool reports(const std::vector<std::string>& problems, const std::string& what) {
  for (const std::string& p : problems)
    if (p.find(what) != std::string::npos) return true;
  return false;
}

std::string joined(const std::vector<std::string>& problems) {
  std::string s;
  for (const std::string& p : problems) s += p + "\n";
  return s;
}

TEST(TextCheck, TheShippedFilePasses) {
  std::vector<std::string> problems = checkLanguagesPath(kShipped);
  EXPECT_TRUE(problems.empty()) << joined(problems);
}

TEST(TextCheck, TheShippedFileIsWindows1252WithCrLf) {
  std::string bytes = shipped();
  ASSERT_FALSE(bytes.empty());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << i;
    }
  }
  EXPECT_NE(bytes.find("Ger=M\xE4rz\r\n"), std::string::npos);  // a Windows-1252 a umlaut
}

TEST(TextCheck, AWrongSpecifierFails) {
  auto problems = checkLanguages(plant(shipped(), "Eng=Cash: %d $", "Eng=Cash: %s $"), "f");
  EXPECT_TRUE(reports(problems, "[41] Eng: format specifiers %s")) << joined(problems);
  problems = checkLanguages(plant(shipped(), "Ger=Runde %d von %d", "Ger=Runde %d"), "f");
  EXPECT_TRUE(reports(problems, "[100] Ger: format specifiers %d do not match")) << joined(problems);
  problems = checkLanguages(plant(shipped(), "Spa=Edad: %d", "Spa=Edad: %d %d"), "f");
  EXPECT_TRUE(reports(problems, "[42] Spa: format specifiers")) << joined(problems);
  problems = checkLanguages(plant(shipped(), "Fre=Caisse : %d $", "Fre=Caisse : %ld $"), "f");
  EXPECT_TRUE(reports(problems, "[41] Fre: specifier \"%l\"")) << joined(problems);
  problems = checkLanguages(plant(shipped(), "Eng=Age: %d", "Eng=Age: %x"), "f");
  EXPECT_TRUE(reports(problems, "[42] Eng: specifier \"%x\"")) << joined(problems);
  // A text without arguments must not carry a '%', not even "%%".
  problems = checkLanguages(plant(shipped(), "Eng=Save or load a game.", "Eng=Save 100%% now."), "f");
  EXPECT_TRUE(reports(problems, "[52] Eng: a text without arguments")) << joined(problems);
}

TEST(TextCheck, AnOverLongValueFails) {
  std::string longValue = "Eng=" + std::string(128, 'a');
  auto problems = checkLanguages(plant(shipped(), "Eng=Save or load a game.", longValue), "f");
  EXPECT_TRUE(reports(problems, "[52] Eng: the value has 128 bytes, more than 127"))
      << joined(problems);
}

TEST(TextCheck, AMissingKeyOrSectionFails) {
  auto problems = checkLanguages(plant(shipped(), "Spa=Guardar o cargar una partida.\r\n", ""), "f");
  EXPECT_TRUE(reports(problems, "[52] Spa: the key is missing")) << joined(problems);
  problems = checkLanguages(plant(shipped(), "[52]\r\n", ""), "f");
  EXPECT_TRUE(reports(problems, "[52]: the section is missing")) << joined(problems);
  problems = checkLanguages(plant(shipped(), "[52]\r\n", "[51]\r\n"), "f");
  EXPECT_TRUE(reports(problems, "section [51] appears twice")) << joined(problems);
}

TEST(TextCheck, BytesTheSmallFontCannotDrawFail) {
  auto problems = checkLanguages(plant(shipped(), "Eng=Save or load a game.", "Eng=Save; or load"), "f");
  EXPECT_TRUE(reports(problems, "[52] Eng: byte 0x3B")) << joined(problems);
  // An inverted exclamation mark: Windows-1252, but not in the small font.
  problems = checkLanguages(plant(shipped(), "Spa=Buenas noticias.", "Spa=\xA1" "Buenas noticias!"), "f");
  EXPECT_TRUE(reports(problems, "[324] Spa: byte 0xA1")) << joined(problems);
  // UTF-8 instead of Windows-1252 ("M\xC3\xA4rz" would draw as two glyphs).
  problems = checkLanguages(plant(shipped(), "Ger=M\xE4rz", "Ger=M\xC3\xA4rz"), "f");
  EXPECT_TRUE(reports(problems, "[507] Ger: the value looks UTF-8")) << joined(problems);
}

// ---- The name lists ------------------------------------------------------------------------

TEST(NameCheck, EveryShippedNameCanBeDrawnInTheSmallFont) {
  const std::vector<std::string> problems = checkNameFiles(std::string(BRAWNMOOR_SOURCE_DIR) + "/data");
  EXPECT_TRUE(problems.empty()) << joined(problems);
  // The lists do use letters beyond ASCII: the check reads them.
  const std::string spanish = readFile(std::string(BRAWNMOOR_SOURCE_DIR) + "/data/spanish-surname.ini");
  EXPECT_NE(spanish.find("N=Fern\xE1ndez\r\n"), std::string::npos);
}

TEST(NameCheck, ALetterTheSmallFontLacksFails) {
  // "\x9C" is the Windows-1252 oe ligature, which the font has no glyph for; so is a ring.
  auto problems = checkNames("[1]\r\nN=Martin\r\n[2]\r\nN=Lec\x9Cur\r\n[3]\r\nN=\xC5" "berg\r\n", "f.ini");
  ASSERT_EQ(problems.size(), 2u) << joined(problems);
  EXPECT_TRUE(reports(problems, "f.ini: [2] \"Lec\\x9Cur\": byte 0x9C has no glyph")) << joined(problems);
  EXPECT_TRUE(reports(problems, "f.ini: [3] \"\\xC5berg\": byte 0xC5")) << joined(problems);
  // UTF-8 instead of Windows-1252 draws as two wrong glyphs.
  problems = checkNames("[1]\r\nN=Fern\xC3\xA1ndez\r\n", "f.ini");
  EXPECT_TRUE(reports(problems, "[1] \"Fern\\xC3\\xA1ndez\": looks UTF-8")) << joined(problems);
  EXPECT_TRUE(checkNames("[1]\r\nN=Fern\xE1ndez\r\n[2]\r\nN=Gro\xDF\r\n", "f.ini").empty());
}

TEST(NameCheck, AMissingListIsReported) {
  TempDir dir;
  auto problems = checkNameFiles(dir.path());
  EXPECT_EQ(problems.size(), 17u) << joined(problems);
  EXPECT_TRUE(reports(problems, "spanish-surname.ini: cannot be read")) << joined(problems);
}

TEST(TextCheck, LineEndingsMustBeCrLf) {
  auto problems = checkLanguages(plant(shipped(), "[52]\r\n", "[52]\n"), "f");
  EXPECT_TRUE(reports(problems, "bare line feed")) << joined(problems);
}

TEST(TextCheck, TooWideLinesAndLabelsFail) {
  std::string wide = "Eng=" + std::string(100, 'W');  // 1400 pixels
  auto problems = checkLanguages(plant(shipped(), "Eng=Save or load a game.", wide), "f");
  EXPECT_TRUE(reports(problems, "[52] Eng: \"WWWW")) << joined(problems);
  EXPECT_TRUE(reports(problems, "more than 800")) << joined(problems);
  // A corner label of 24 bytes has no room for its terminator.
  problems = checkLanguages(plant(shipped(), "Eng=Rest\r\n", "Eng=Rest, rest, rest, rest, rest\r\n"), "f");
  EXPECT_TRUE(reports(problems, "[552] Eng: the label has 28 bytes")) << joined(problems);
  // A profile label wider than its 95-pixel column.
  problems = checkLanguages(plant(shipped(), "Eng=Negotiation", "Eng=Negotiation skill"), "f");
  EXPECT_TRUE(reports(problems, "[38] Eng: \"Negotiation skill\"")) << joined(problems);
}

TEST(TextCheck, WrapsAsTheGameDoes) {
  // The break never keeps the word after the space that overflowed the column.
  EXPECT_EQ(wrapSmallFont("No new offer until this one ends.", 184),
            (std::vector<std::string>{"No new offer until this", "one ends."}));
  EXPECT_EQ(wrapSmallFont("Short.", 184), (std::vector<std::string>{"Short."}));
}

TEST(TextCheck, WrappedTextsMustFitTheirPanels) {
  // A level description of the finances screen holds three lines of 184 pixels.
  const std::string description =
      "Old bags, torn gloves, a leaking roof, a ring with a broken rope and a floor that creaks at every step.";
  auto problems = checkLanguages(plant(shipped(), "Eng=Old bags and torn gloves.", "Eng=" + description), "f");
  EXPECT_TRUE(reports(problems, "[461] Eng: \"" + description +
                                    "\" wraps to 4 lines in its 184-pixel column; the panel holds 3"))
      << joined(problems);
  // Each line of a message fits the window alone, but together they no longer do.
  const std::string longer =
      "Eng=You cannot fight your own boxer, not in this ring, not in any other ring, not this month, not next "
      "month, never.";
  std::string planted = plant(shipped(), "Eng=You cannot fight your own boxer.", longer);
  EXPECT_FALSE(reports(checkLanguages(planted, "f"), "[283]")) << "three rows fit";
  planted = plant(planted, "Eng=Choose an opponent who is not in your stable.", longer);
  problems = checkLanguages(planted, "f");
  EXPECT_TRUE(reports(problems, "f: message 1 Eng: its lines wrap to 3, 3 rows and end 20 pixels below"))
      << joined(problems);
}

TEST(TextCheck, MonthNamesMustBeDistinct) {
  std::string planted = plant(shipped(), "Fre=Jun (juin)", "Fre=Juin");
  auto problems = checkLanguages(plant(planted, "Fre=Jul (juillet)", "Fre=Juillet"), "f");
  EXPECT_TRUE(reports(problems, "month name \"Jui\" is not unique")) << joined(problems);
}

TEST(TextCheck, EnglishCopiesFailUnlessAllowed) {
  auto problems = checkLanguages(plant(shipped(), "Ger=Spielstand speichern oder laden.",
                                       "Ger=Save or load a game."), "f");
  EXPECT_TRUE(reports(problems, "[52] Ger: identical to the English text")) << joined(problems);
  // Format-only texts and allow-listed words pass: the shipped file has both (329, 37).
  EXPECT_TRUE(checkLanguagesPath(kShipped).empty());
}

TEST(TextCheck, TheProgramExitsNonZeroOnAPlantedFault) {
  TempDir dir;
  dir.write("languages.ini", plant(shipped(), "Eng=Cash: %d $", "Eng=Cash: %s $"));
  std::string bad = std::string("\"") + BRAWNMOOR_TEXTCHECK + "\" " + dir.file("languages.ini") +
                    " > /dev/null";
  EXPECT_NE(std::system(bad.c_str()), 0);
  std::string good = std::string("\"") + BRAWNMOOR_TEXTCHECK + "\" " + kShipped + " > /dev/null";
  EXPECT_EQ(std::system(good.c_str()), 0);
}

TEST(TextRules, EveryEntryHasExactlyOneRule) {
  int count = 0;
  const TextRule* rules = allTextRules(&count);
  int next = 0;
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(rules[i].first, next) << "rule " << i;
    EXPECT_LE(rules[i].first, rules[i].last);
    EXPECT_NE(std::string(rules[i].where), "");
    next = rules[i].last + 1;
  }
  EXPECT_EQ(next, kCheckedTexts);
}

TEST(TextRules, ArgumentsNamedByTheIssue) {
  EXPECT_EQ(describeArgs(textRule(41)), "`cash` (int32_t, %d)");
  EXPECT_EQ(textRule(43).argCount(), 3);
  EXPECT_EQ(textRule(100).argCount(), 2);
  EXPECT_EQ(textRule(124).argCount(), 2);
  EXPECT_EQ(textRule(358).argCount(), 2);
  EXPECT_EQ(textRule(99).argCount(), 2);
  EXPECT_EQ(textRule(329).args[0].conversion, 's');
  EXPECT_EQ(textRule(126).args[2].conversion, 's');
  EXPECT_EQ(textRule(0).argCount(), 0);
}

TEST(TextDoc, TheTableInDocsIsCurrent) {
  LanguagesFile file;
  checkLanguagesPath(kShipped, &file);
  std::string doc = readFile(std::string(BRAWNMOOR_SOURCE_DIR) + "/docs/texts.md");
  size_t at = doc.find(kDocMarker);
  ASSERT_NE(at, std::string::npos) << "docs/texts.md has no marker line";
  std::string committed = doc.substr(at + std::string(kDocMarker).size());
  EXPECT_EQ(committed, "\n\n" + textsDocTable(file))
      << "regenerate with: brawnmoor-textcheck --update-doc docs/texts.md data/languages.ini";
}

}  // namespace
