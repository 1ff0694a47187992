// Fuzzes the text table's loading from "data\languages.ini": whatever the file holds, in any
// language number, every text of the table ends inside its 128 bytes, every month name is three
// characters at most with its terminator, the label lists are the first bytes of their texts,
// and a text number outside the table gives an empty text. The language comes from the input's
// length, so every seed is read in each language as the fuzzer cuts and grows it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ui/texttable.h"

namespace {

template <int N>
void checkLabels(const char (&list)[N][kLabelSize], int firstText) {
  for (int i = 0; i < N; ++i)
    if (std::strncmp(list[i], textTable[firstText + i], kLabelSize) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int language = int(size % (kLanguageCount + 2)) - 1;  // -1 .. 4
  loadTextTableText(reinterpret_cast<const char*>(data), size, language);
  const bool known = language >= 0 && language < kLanguageCount;
  for (int n = 0; n < kTextCount; ++n) {
    if (std::memchr(textTable[n], 0, kTextSize) == nullptr) std::abort();
    if (!known && textTable[n][0] != 0) std::abort();
    if (uiText(n) != textTable[n]) std::abort();
  }
  for (int m = 0; m < 12; ++m) {
    if (monthNames[m][kMonthNameSize - 1] != 0) std::abort();
    if (std::strncmp(monthNames[m], textTable[kMonthNameText + m], kMonthNameSize - 1) != 0) std::abort();
  }
  checkLabels(boxerListA, kBoxerListAText);
  checkLabels(boxerListB, kBoxerListBText);
  checkLabels(financeListA, kFinanceListAText);
  checkLabels(financeListB, kFinanceListBText);
  checkLabels(searchList, kSearchListText);
  checkLabels(cornerList, kCornerListText);
  if (uiText(-1)[0] != 0 || uiText(kTextCount)[0] != 0) std::abort();
  return 0;
}
