#include "ui/texttable.h"

#include <cstdio>
#include <cstring>

#include "tools/KIniFile.h"
#include "tools/KTools.h"

TextTable textTable;

const char* const languageKeys[kLanguageCount] = {"Eng", "Ger", "Fre", "Spa"};

char monthNames[12][kMonthNameSize];
char boxerListA[6][kLabelSize];
char boxerListB[5][kLabelSize];
char financeListA[4][kLabelSize];
char financeListB[4][kLabelSize];
char searchList[10][kLabelSize];
char cornerList[9][kLabelSize];

namespace {

// Copies the first 24 bytes of each source text: a shorter text with its terminator and zero
// padding, a longer one without a terminator.
template <int N>
void copyLabels(char (&list)[N][kLabelSize], int firstText) {
  for (int i = 0; i < N; ++i) std::strncpy(list[i], textTable[firstText + i], kLabelSize);
}

}  // namespace

void loadTextTable(int language) {
  std::memset(textTable, 0, sizeof textTable);

  KIniFile ini;
  if (ini.Load(KTools::GetDataPath(kLanguagesFile)) && language >= 0 &&
      language < kLanguageCount) {
    char section[16];
    for (int n = 0; n < kTextCount; ++n) {
      std::snprintf(section, sizeof section, "%d", n);
      // GetString clears the slot and copies at most kTextSize - 1 characters.
      ini.GetString(section, languageKeys[language], textTable[n], kTextSize);
    }
  }

  // Month names: the first three characters of each month's text and a terminator, so that
  // "January" gives "Jan" (the fourth byte of the 4-byte entry is always the NUL).
  for (int m = 0; m < 12; ++m) {
    std::memset(monthNames[m], 0, kMonthNameSize);
    std::strncpy(monthNames[m], textTable[kMonthNameText + m], kMonthNameSize - 1);
  }
  copyLabels(boxerListA, kBoxerListAText);
  copyLabels(boxerListB, kBoxerListBText);
  copyLabels(financeListA, kFinanceListAText);
  copyLabels(financeListB, kFinanceListBText);
  copyLabels(searchList, kSearchListText);
  copyLabels(cornerList, kCornerListText);
}

const char* uiText(int n) {
  if (n < 0 || n >= kTextCount) return "";
  return textTable[n];
}
