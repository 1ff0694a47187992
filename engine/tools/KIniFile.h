// Reads values from an INI-style text held whole in memory. Sections are found by the first
// occurrence of "[name]" in the text, keys by the first "key=" after it; a key that lies in a
// later section is not found.
#pragma once

#include <string>
#include <unordered_map>

class KIniFile {
 public:
  KIniFile() = default;
  KIniFile(const KIniFile&) = delete;
  KIniFile& operator=(const KIniFile&) = delete;

  // Reads a whole file; false when it is missing or holds no text.
  bool Load(const char* path);
  // The same from a file already in memory.
  bool LoadText(const char* bytes, size_t size);
  bool GetString(const char* section, const char* key, char* destination, int size);
  int GetInt(const char* section, const char* key, int defaultValue);

  bool IsLoaded() const { return !text_.empty(); }

 private:
  // Offset of the first "[section]" in the text, or npos.
  size_t FindSection(const std::string& section);

  char path_[256] = {};
  std::string text_;
  // First occurrence of every bracketed name, built on the first lookup so that files with
  // thousands of sections are read in linear time.
  std::unordered_map<std::string, size_t> sections_;
  bool indexed_ = false;
};
