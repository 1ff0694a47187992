// The engine's process-wide log. Constructed in mode 1 it opens "infos.log", "errors.log",
// "fatals.log" and "debug.log" beside the program and writes to them; in mode 2 it opens
// nothing and every message is dropped. The game uses mode 2.
#pragma once

#include <cstdio>

class KLog {
 public:
  enum Mode { kToFiles = 1, kSilent = 2 };
  enum Level { kInfo = 0, kError = 1, kFatal = 2, kDebug = 3 };

  explicit KLog(int mode);
  ~KLog();
  KLog(const KLog&) = delete;
  KLog& operator=(const KLog&) = delete;

  void Write(int level, const char* format, ...) __attribute__((format(printf, 3, 4)));
  bool IsWritingFiles() const { return files_[0] != nullptr; }

 private:
  FILE* files_[4] = {};
};
