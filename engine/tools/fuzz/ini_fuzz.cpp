// Fuzzes the INI reader: whatever text a file holds, each lookup gives what a plain search of the
// text gives (the first "[section]", then the first "key=" after it unless a line starting with
// '[' comes between, the value up to the line break, cut to the caller's buffer), always ends the
// copy with a zero inside the buffer and writes nothing past it. The lookups are the game's own
// (nations, weights, names, texts) and names taken from the text itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/KIniFile.h"

namespace {

// The reader's rules as a plain search over the whole text, without its section index.
bool plainLookup(const std::string& text, std::string section, const std::string& key, std::string& value) {
  if (section.size() > 252) section.resize(252);
  const size_t head = text.find("[" + section + "]");
  if (head == std::string::npos) return false;
  const size_t at = text.find(key + "=", head);
  if (at == std::string::npos) return false;
  for (size_t i = head; i < at; ++i)
    if ((text[i] == '\r' || text[i] == '\n') && i + 1 < text.size() && text[i + 1] == '[') return false;
  const size_t start = at + key.size() + 1;
  size_t end = text.find_first_of("\r\n", start);
  if (end == std::string::npos) end = text.size();
  value = text.substr(start, end - start);
  return true;
}

void lookUp(KIniFile& ini, const std::string& text, const std::string& section, const std::string& key, int size) {
  constexpr int kGuard = 16;
  char buffer[160 + kGuard];
  std::memset(buffer, 0x5A, sizeof buffer);
  const bool found = ini.GetString(section.c_str(), key.c_str(), buffer, size);
  for (int i = size; i < int(sizeof buffer); ++i)
    if (buffer[i] != 0x5A) std::abort();  // written past the buffer
  if (buffer[size - 1] != 0) std::abort();  // not terminated
  std::string expected;
  const bool plain = !text.empty() && plainLookup(text, section, key, expected);
  if (found != plain) std::abort();
  if (found) {
    if (expected.size() > size_t(size - 1)) expected.resize(size_t(size - 1));
    if (std::memcmp(buffer, expected.data(), expected.size()) != 0) std::abort();
    // A zero byte cannot be in the text, so the copy ends where the value does.
    if (std::strlen(buffer) != expected.size()) std::abort();
  } else {
    for (int i = 0; i < size; ++i)
      if (buffer[i] != 0) std::abort();  // a failed lookup leaves an empty text
  }
  const int n = ini.GetInt(section.c_str(), key.c_str(), -7);
  if (!found && n != (text.empty() ? 0 : -7)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  KIniFile ini;
  const bool loaded = ini.LoadText(bytes, size);
  // The text is what comes before the first zero byte; an empty one does not load.
  const std::string text(bytes, strnlen(bytes, size));
  if (loaded != !text.empty() || ini.IsLoaded() != loaded) std::abort();

  static const char* const kSections[] = {"1", "17", "505", "", "1]", "x]y"};
  static const char* const kKeys[] = {"Long", "Data1", "N", "Eng", ""};
  static const int kSizes[] = {2, 4, 21, 128, 160, 64};
  int turn = 0;
  for (const char* section : kSections)
    for (const char* key : kKeys) lookUp(ini, text, section, key, kSizes[turn++ % 6]);

  // Names from the text: the first bracketed names and the first keys before '='.
  std::vector<std::string> sections, keys;
  for (size_t open = text.find('['); open != std::string::npos && sections.size() < 4;
       open = text.find('[', open + 1)) {
    const size_t close = text.find(']', open + 1);
    if (close == std::string::npos) break;
    sections.push_back(text.substr(open + 1, close - open - 1));
  }
  for (size_t eq = text.find('='); eq != std::string::npos && keys.size() < 4; eq = text.find('=', eq + 1)) {
    size_t start = text.find_last_of("\r\n]", eq);
    start = start == std::string::npos ? 0 : start + 1;
    keys.push_back(text.substr(start, eq - start));
  }
  for (const std::string& section : sections)
    for (const std::string& key : keys) lookUp(ini, text, section, key, kSizes[turn++ % 6]);
  return 0;
}
