#include "tools/KIniFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/KFileReader.h"

bool KIniFile::Load(const char* path) {
  std::snprintf(path_, sizeof path_, "%s", path ? path : "");
  text_.clear();
  sections_.clear();
  indexed_ = false;

  std::vector<uint8_t> bytes;
  if (!KFileReader::ReadWholeFile(path_, bytes)) return false;
  return LoadText(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool KIniFile::LoadText(const char* bytes, size_t size) {
  text_.clear();
  sections_.clear();
  indexed_ = false;
  if (!bytes) return false;
  // A zero byte inside the file ends the text, as it would for any C string reader.
  const void* zero = std::memchr(bytes, 0, size);
  if (zero) size = size_t(static_cast<const char*>(zero) - bytes);
  if (size == 0) return false;
  text_.assign(bytes, size);
  return true;
}

size_t KIniFile::FindSection(const std::string& section) {
  if (section.find(']') != std::string::npos)
    return text_.find("[" + section + "]");
  if (!indexed_) {
    // Every '[' up to the next ']' names a candidate; the first occurrence wins, exactly as
    // a substring search from the start of the text would find it.
    for (size_t open = text_.find('['); open != std::string::npos;
         open = text_.find('[', open + 1)) {
      size_t close = text_.find(']', open + 1);
      if (close == std::string::npos) break;
      sections_.try_emplace(text_.substr(open + 1, close - open - 1), open);
    }
    indexed_ = true;
  }
  auto it = sections_.find(section);
  return it == sections_.end() ? std::string::npos : it->second;
}

bool KIniFile::GetString(const char* section, const char* key, char* destination, int size) {
  if (size <= 1 || !destination) return false;
  std::memset(destination, 0, size_t(size));
  if (text_.empty() || !section || !key) return false;

  std::string name(section);
  if (name.size() > 252) name.resize(252);
  size_t head = FindSection(name);
  if (head == std::string::npos) return false;

  std::string pattern = std::string(key) + "=";
  size_t at = text_.find(pattern, head);
  if (at == std::string::npos) return false;
  for (size_t i = head; i < at; ++i) {
    if ((text_[i] == '\r' || text_[i] == '\n') && text_[i + 1] == '[') return false;
  }

  size_t start = at + pattern.size();
  // The value ends at the line break; files with bare line feeds read the same way.
  size_t end = text_.find_first_of("\r\n", start);
  if (end == std::string::npos) end = text_.size();
  size_t n = end - start;
  if (n > size_t(size - 1)) n = size_t(size - 1);
  std::memcpy(destination, text_.data() + start, n);
  return true;
}

int KIniFile::GetInt(const char* section, const char* key, int defaultValue) {
  if (text_.empty()) return 0;
  char value[64];
  if (!GetString(section, key, value, sizeof value)) return defaultValue;
  return std::atoi(value);
}
