#include "tools/KFileReader.h"

#include <vector>

#include "platform/platform.h"

namespace {

KFileReader::OpenObserver openObserver = nullptr;

}  // namespace

std::string KFileReader::ResolveCaseInsensitive(const std::string& path) {
  return platform::findFile(path);
}

bool KFileReader::ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  KFileReader reader;
  if (reader.Open(path, KFILE_READ) != KFILE_OK) return false;
  long size = 0;
  if (reader.Seek(0, 2) != KFILE_OK || reader.Tell(&size) != KFILE_OK || size < 0 ||
      size > 0x7FFFFFFF || reader.Seek(0, 0) != KFILE_OK)
    return false;
  if (size == 0) return true;
  bytes.resize(size_t(size));
  if (reader.Read(bytes.data(), bytes.size()) != KFILE_OK) {
    bytes.clear();
    return false;
  }
  return true;
}

void KFileReader::SetOpenObserver(OpenObserver observer) { openObserver = observer; }

int KFileReader::Open(const char* path, int mode) {
  if (mode_ != KFILE_CLOSED) return KFILE_NOTOPEN;
  if (mode != KFILE_READ) return KFILE_BADARGUMENT;
  if (!path || !path[0]) return KFILE_CANTOPEN;
  if (openObserver) openObserver(path);

  std::string found = ResolveCaseInsensitive(path);
  if (found.empty()) return KFILE_CANTOPEN;
  // Only regular files: a folder, a FIFO or a device in a data file's place is not opened
  // (a FIFO would hold the open until someone wrote to it).
  if (!platform::isRegularFile(found)) return KFILE_CANTOPEN;
  file_ = std::fopen(found.c_str(), "rb");
  if (!file_) return KFILE_CANTOPEN;
  resolved_ = found;
  borrowed_ = false;
  mode_ = KFILE_READ;
  base_ = 0;
  length_ = 0;
  return KFILE_OK;
}

int KFileReader::Seek(long offset, int origin) {
  if (mode_ == KFILE_CLOSED) return KFILE_NOTOPEN;
  int rc;
  switch (origin) {
    case 0: rc = std::fseek(file_, base_ + offset, SEEK_SET); break;
    case 1: rc = std::fseek(file_, offset, SEEK_CUR); break;
    case 2:
      rc = length_ ? std::fseek(file_, base_ + length_ - offset, SEEK_SET)
                   : std::fseek(file_, offset, SEEK_END);
      break;
    default: return KFILE_BADARGUMENT;
  }
  return rc == 0 ? KFILE_OK : KFILE_BADARGUMENT;
}

int KFileReader::Tell(long* position) {
  if (mode_ == KFILE_CLOSED) return KFILE_NOTOPEN;
  long p = std::ftell(file_);
  if (position) *position = p - base_;
  return KFILE_OK;
}

int KFileReader::Read(void* destination, size_t size) {
  if (mode_ == KFILE_CLOSED) return KFILE_NOTOPEN;
  if (mode_ != KFILE_READ) return KFILE_WRONGMODE;
  if (size == 0 || !destination) return KFILE_SHORTREAD;
  return std::fread(destination, 1, size, file_) == size ? KFILE_OK : KFILE_SHORTREAD;
}

void KFileReader::Close() {
  if (file_ && !borrowed_) std::fclose(file_);
  file_ = nullptr;
  borrowed_ = false;
  mode_ = KFILE_CLOSED;
  base_ = 0;
  length_ = 0;
  resolved_.clear();
}
