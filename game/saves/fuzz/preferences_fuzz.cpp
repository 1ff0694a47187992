// Fuzzes the preferences reader: whatever the 62-byte file holds (shorter or longer), the record
// takes the bytes the file holds and the defaults for the rest, is written back byte for byte,
// and the text table the start-up reads in the preferences' language stays sound, whatever that
// language number is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "saves/preferences.h"
#include "ui/texttable.h"

namespace {
// Three texts of every language, the month names among them.
const char kLanguages[] =
    "[1]\r\nEng=OK\r\nGer=OK\r\nFre=OK\r\nSpa=OK\r\n"
    "[505]\r\nEng=January\r\nGer=Januar\r\nFre=Janvier\r\nSpa=Enero\r\n"
    "[517]\r\nEng=Endurance training for the long rounds\r\nGer=Ausdauer\r\nFre=Endurance\r\nSpa=Resistencia\r\n";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  loadPreferencesFrom(data, size);
  Preferences defaults{};
  defaults.useDirectX = 1;
  const size_t held = size < sizeof(Preferences) ? size : sizeof(Preferences);
  const uint8_t* record = reinterpret_cast<const uint8_t*>(&preferences);
  if (std::memcmp(record, data, held) != 0) std::abort();
  if (std::memcmp(record + held, reinterpret_cast<const uint8_t*>(&defaults) + held, sizeof(Preferences) - held) != 0)
    std::abort();

  loadTextTableText(kLanguages, sizeof kLanguages - 1, preferences.language);
  const bool known = preferences.language >= 0 && preferences.language < kLanguageCount;
  if (std::strcmp(uiText(1), known ? "OK" : "") != 0) std::abort();
  for (int n = 0; n < kTextCount; ++n)
    if (std::memchr(textTable[n], 0, kTextSize) == nullptr) std::abort();
  for (int m = 0; m < 12; ++m)
    if (monthNames[m][kMonthNameSize - 1] != 0) std::abort();
  if (known && std::strlen(monthNames[0]) != 3) std::abort();
  return 0;
}
