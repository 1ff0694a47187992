#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/tempdir.h"
#include "tools/KTools.h"
#include "ui/texttable.h"

namespace {

// A languages file with the given extra sections, in the file's own format.
std::string section(int n, const std::string& eng, const std::string& ger = "",
                    const std::string& fre = "", const std::string& spa = "") {
  std::string s = "[" + std::to_string(n) + "]\r\n";
  if (!eng.empty()) s += "Eng=" + eng + "\r\n";
  if (!ger.empty()) s += "Ger=" + ger + "\r\n";
  if (!fre.empty()) s += "Fre=" + fre + "\r\n";
  if (!spa.empty()) s += "Spa=" + spa + "\r\n";
  return s;
}

class TextTableTest : public ::testing::Test {
 protected:
  void SetUp() override { KTools::OverrideExeFolder(dir.path().c_str()); }
  void TearDown() override { KTools::OverrideExeFolder(nullptr); }
  void writeLanguages(const std::string& bytes) { dir.write("data/languages.ini", bytes); }

  TempDir dir;
};

TEST_F(TextTableTest, ReadsTheKeyOfTheChosenLanguage) {
  writeLanguages(section(0, "A new month", "Ein neuer Monat", "Un nouveau mois", "Un nuevo mes") +
                 section(558, "Last", "Letzte", "Dernier", "Ultimo"));
  const char* expected[4][2] = {{"A new month", "Last"},
                                {"Ein neuer Monat", "Letzte"},
                                {"Un nouveau mois", "Dernier"},
                                {"Un nuevo mes", "Ultimo"}};
  for (int language = 0; language < 4; ++language) {
    loadTextTable(language);
    EXPECT_STREQ(uiText(0), expected[language][0]);
    EXPECT_STREQ(uiText(558), expected[language][1]);
    EXPECT_STREQ(uiText(1), "");  // no section
  }
}

TEST_F(TextTableTest, AValueOf200CharactersIsCutTo127) {
  writeLanguages(section(7, std::string(200, 'x')));
  loadTextTable(0);
  EXPECT_EQ(std::strlen(uiText(7)), 127u);
  EXPECT_EQ(std::string(uiText(7)), std::string(127, 'x'));
  EXPECT_EQ(textTable[7][127], '\0');
}

TEST_F(TextTableTest, JanuaryGivesTheMonthNameJan) {
  writeLanguages(section(505, "January") + section(506, "February") + section(516, "December"));
  loadTextTable(0);
  EXPECT_STREQ(monthNames[0], "Jan");
  EXPECT_STREQ(monthNames[1], "Feb");
  EXPECT_STREQ(monthNames[11], "Dec");
  EXPECT_EQ(monthNames[0][3], '\0');
  EXPECT_STREQ(monthNames[5], "");  // 510 is missing
}

TEST_F(TextTableTest, ALanguageIndexOutside0To3LeavesEveryTextEmpty) {
  writeLanguages(section(0, "Zero", "Null", "Zero", "Cero") + section(505, "January") +
                 section(517, "Endurance"));
  loadTextTable(0);
  ASSERT_STREQ(uiText(0), "Zero");
  for (int language : {7, 4, -1}) {
    loadTextTable(language);
    for (int n = 0; n < kTextCount; ++n) ASSERT_STREQ(uiText(n), "") << n;
    EXPECT_STREQ(monthNames[0], "");
    EXPECT_EQ(std::memcmp(boxerListA[0], std::string(kLabelSize, '\0').data(), kLabelSize), 0);
  }
}

TEST_F(TextTableTest, LabelListsCopy24BytesWithPadding) {
  writeLanguages(section(517, "Endurance") +
                 section(518, "ABCDEFGHIJKLMNOPQRSTUVWXYZ") +  // 26 characters
                 section(523, "Lean") + section(528, "Fight purses") + section(532, "Travel") +
                 section(536, "All Categories") + section(554, "Encourage") +
                 section(553, std::string(23, 'y')));
  loadTextTable(0);
  // A shorter text: its characters, then zeros up to the 24th byte.
  char expected[kLabelSize] = {};
  std::memcpy(expected, "Endurance", 9);
  EXPECT_EQ(std::memcmp(boxerListA[0], expected, kLabelSize), 0);
  // A longer text fills the entry with its first 24 characters and no terminator.
  EXPECT_EQ(std::memcmp(boxerListA[1], "ABCDEFGHIJKLMNOPQRSTUVWX", kLabelSize), 0);
  // 23 characters keep their terminator in the last byte.
  EXPECT_EQ(std::string(cornerList[7]), std::string(23, 'y'));
  EXPECT_STREQ(boxerListB[0], "Lean");
  EXPECT_STREQ(financeListA[0], "Fight purses");
  EXPECT_STREQ(financeListB[0], "Travel");
  EXPECT_STREQ(searchList[0], "All Categories");
  EXPECT_STREQ(cornerList[8], "Encourage");
  // A missing source text gives an entry of zeros.
  EXPECT_EQ(std::memcmp(boxerListA[2], std::string(kLabelSize, '\0').data(), kLabelSize), 0);
}

TEST_F(TextTableTest, AMissingFileLeavesEveryTextEmpty) {
  loadTextTable(0);
  for (int n = 0; n < kTextCount; ++n) ASSERT_STREQ(uiText(n), "") << n;
}

TEST_F(TextTableTest, AMissingKeyLeavesOnlyThatTextEmpty) {
  writeLanguages(section(3, "Three", "Drei") + section(4, "Four", "", "Quatre") +
                 section(5, "Five", "Fuenf"));
  loadTextTable(1);
  EXPECT_STREQ(uiText(3), "Drei");
  EXPECT_STREQ(uiText(4), "");  // Ger missing: the next section's Ger is not taken
  EXPECT_STREQ(uiText(5), "Fuenf");
}

TEST_F(TextTableTest, LoadingAgainClearsEarlierTexts) {
  writeLanguages(section(9, "Nine"));
  loadTextTable(0);
  ASSERT_STREQ(uiText(9), "Nine");
  writeLanguages(section(10, "Ten"));
  loadTextTable(0);
  EXPECT_STREQ(uiText(9), "");
  EXPECT_STREQ(uiText(10), "Ten");
}

TEST_F(TextTableTest, NumbersOutsideTheTableGiveAnEmptyText) {
  writeLanguages(section(0, "Zero"));
  loadTextTable(0);
  EXPECT_STREQ(uiText(-1), "");
  EXPECT_STREQ(uiText(kTextCount), "");
}

// The shipped file, read as the game reads it.
class ShippedTextTable : public ::testing::Test {
 protected:
  void SetUp() override { KTools::OverrideExeFolder(BRAWNMOOR_SOURCE_DIR); }
  void TearDown() override { KTools::OverrideExeFolder(nullptr); }
};

TEST_F(ShippedTextTable, EveryLanguageFillsEveryEntry) {
  for (int language = 0; language < kLanguageCount; ++language) {
    loadTextTable(language);
    for (int n = 0; n < kTextCount; ++n) {
      if (n >= kFirstSpareText && n < kSpareTextEnd) {
        ASSERT_STREQ(uiText(n), "") << "entry " << n << " is kept free";
        continue;
      }
      ASSERT_GT(std::strlen(uiText(n)), 0u) << "entry " << n << " language " << language;
    }
    for (auto& label : cornerList) EXPECT_LT(strnlen(label, kLabelSize), size_t(kLabelSize));
  }
}

TEST_F(ShippedTextTable, MonthNamesInEachLanguage) {
  const char* expected[4][12] = {
      {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
      {"Jan", "F\xE9v", "Mar", "Avr", "Mai", "Jun", "Jul", "Ao\xFB", "Sep", "Oct", "Nov",
       "D\xE9" "c"},
      {"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"},
  };
  for (int language = 0; language < kLanguageCount; ++language) {
    loadTextTable(language);
    for (int m = 0; m < 12; ++m) EXPECT_STREQ(monthNames[m], expected[language][m]);
  }
}

TEST_F(ShippedTextTable, FormatEntriesTakeTheirDocumentedArguments) {
  loadTextTable(0);
  char line[256];
  std::snprintf(line, sizeof line, uiText(41), 1250);
  EXPECT_STREQ(line, "Cash: 1250 $");
  std::snprintf(line, sizeof line, uiText(43), 12, 1, 3);
  EXPECT_STREQ(line, "Record: 12 won, 1 drawn, 3 lost");
  std::snprintf(line, sizeof line, uiText(99), 2, 5);
  EXPECT_STREQ(line, "Time left: 2:05");
  std::snprintf(line, sizeof line, uiText(358), 18, 25);
  EXPECT_STREQ(line, "18 months left, 25% of every purse.");
}

}  // namespace
