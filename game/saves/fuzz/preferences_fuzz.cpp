// Fuzzes the preferences reader: whatever the 62-byte file holds (shorter or longer), the record
// takes the bytes the file holds and the defaults for the rest, with every value brought into
// its range and the bytes nobody interprets kept as they were; reading what is written back
// gives the same record;
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
  Preferences expected{};
  expected.useDirectX = 1;
  const size_t held = size < sizeof(Preferences) ? size : sizeof(Preferences);
  std::memcpy(&expected, data, held);
  // The values the game uses, in their ranges; every other byte as the file holds it.
  const Preferences& p = preferences;
  if (p.windowed > 1 || p.useDirectX > 1 || p.searchByRecord > 1 || p.tutorialShown > 1) std::abort();
  if (p.language < 0 || p.language > 3) std::abort();
  if ((p.windowed != 0) != (expected.windowed != 0) || (p.useDirectX != 0) != (expected.useDirectX != 0)) std::abort();
  if (expected.language >= 0 && expected.language <= 3 && p.language != expected.language) std::abort();
  if (std::memcmp(p.reserved0, expected.reserved0, sizeof p.reserved0) != 0 || p.started != expected.started ||
      p.reserved7 != expected.reserved7 || p.reserved10 != expected.reserved10 ||
      std::memcmp(p.reserved12, expected.reserved12, sizeof p.reserved12) != 0 || p.reserved61 != expected.reserved61)
    std::abort();
  // What is used is what is written back: reading it again changes nothing.
  Preferences used = preferences;
  loadPreferencesFrom(reinterpret_cast<const uint8_t*>(&used), sizeof used);
  if (std::memcmp(&used, &preferences, sizeof used) != 0) std::abort();

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
