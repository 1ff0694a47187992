#include "tools/KLog.h"

#include <cstdarg>

#include "tools/KTools.h"

KLog::KLog(int mode) {
  if (mode != kToFiles) return;
  static const char* names[4] = {"infos.log", "errors.log", "fatals.log", "debug.log"};
  for (int i = 0; i < 4; ++i) files_[i] = std::fopen(KTools::GetDataPath(names[i]), "w");
}

KLog::~KLog() {
  for (FILE*& f : files_) {
    if (f) std::fclose(f);
    f = nullptr;
  }
}

void KLog::Write(int level, const char* format, ...) {
  if (level < 0 || level > 3 || !files_[level]) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(files_[level], format, args);
  va_end(args);
  std::fputc('\n', files_[level]);
  std::fflush(files_[level]);
}
