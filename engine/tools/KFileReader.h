// A read-only file reader with numeric status codes. Names written for a case-insensitive
// file system still open: when the exact path does not exist, each component is matched
// without regard to case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum KFileStatus : int {
  KFILE_OK = 0,
  KFILE_NOTOPEN = 100,        // seek, tell or read on a closed reader; open on an open one
  KFILE_WRONGMODE = 101,      // read in a mode other than reading
  KFILE_BADARGUMENT = 102,    // unknown mode or seek origin
  KFILE_CANTOPEN = 104,       // the file cannot be opened
  KFILE_SHORTREAD = 106,      // nothing or not everything could be read
};

enum KFileMode : int { KFILE_CLOSED = 0, KFILE_READ = 1000 };

class KFileReader {
 public:
  KFileReader() = default;
  ~KFileReader() { Close(); }
  KFileReader(const KFileReader&) = delete;
  KFileReader& operator=(const KFileReader&) = delete;

  int Open(const char* path, int mode);
  int Seek(long offset, int origin);
  int Tell(long* position);
  int Read(void* destination, size_t size);
  void Close();

  // The path as it was found on disk, after the case-insensitive match.
  const std::string& ResolvedPath() const { return resolved_; }

  // Reads a whole file, found the way Open finds it. False when it cannot be opened or read;
  // an empty file gives true and no bytes.
  static bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes);

  // Finds a file the way Open does; returns the path that exists or "" when none matches.
  static std::string ResolveCaseInsensitive(const std::string& path);

  // Tells a function of every path that Open is asked for, found or not (tests use it to list
  // the files a program really reads); null stops it.
  using OpenObserver = void (*)(const char* path);
  static void SetOpenObserver(OpenObserver observer);

 private:
  FILE* file_ = nullptr;
  bool borrowed_ = false;
  int mode_ = KFILE_CLOSED;
  long base_ = 0;
  long length_ = 0;
  std::string resolved_;
};
