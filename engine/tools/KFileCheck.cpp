#include "tools/KFileCheck.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tools/KFileReader.h"
#include "tools/KTools.h"

namespace KFileCheck {
namespace {

constexpr size_t kHeadBytes = 64 * 1024;
constexpr size_t kTailBytes = 64 * 1024;
constexpr size_t kWholeLimit = 32 * 1024 * 1024;  // TGA pictures and INI texts are read whole

// The bytes of a file that the checks look at: its beginning, its end, or all of it.
class OpenFile {
 public:
  ~OpenFile() {
    if (file_) std::fclose(file_);
  }
  // "" or what keeps the file from being read.
  std::string Open(const std::string& path) {
    // The first look never blocks: whatever stands in the file's place, the check does not wait
    // on it, and only a regular file is opened for the reads that follow.
    uint64_t length = 0;
    switch (KTools::ReadRegularFile(path.c_str(), nullptr, 0, nullptr, &length)) {
      case KTools::FileRead::Missing: return "missing";
      case KTools::FileRead::Refused: {
        const std::string reason = KTools::LastFileError();
        if (reason == "not a regular file") return reason;
        if (reason == std::strerror(EISDIR)) return "a folder, not a file";
        return "cannot be read (" + reason + ")";
      }
      case KTools::FileRead::Read: break;
    }
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return std::string("cannot be read (") + std::strerror(errno) + ")";
    size_ = size_t(length);
    if (size_ == 0) return "empty";
    return "";
  }
  size_t Size() const { return size_; }
  // Up to `count` bytes from `offset`; fewer when the file ends or a read fails.
  std::vector<uint8_t> Read(size_t offset, size_t count) const {
    std::vector<uint8_t> bytes(std::min(count, size_ > offset ? size_ - offset : 0));
    size_t got = 0;
    if (!bytes.empty() && std::fseek(file_, long(offset), SEEK_SET) == 0)
      got = std::fread(bytes.data(), 1, bytes.size(), file_);
    bytes.resize(got);
    return bytes;
  }
  std::vector<uint8_t> Head() const { return Read(0, kHeadBytes); }

 private:
  std::FILE* file_ = nullptr;
  size_t size_ = 0;
};

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint16_t be16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
int32_t le32(const uint8_t* p) { return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24); }

bool endsWith(const std::string& s, const char* end) {
  const size_t n = std::strlen(end);
  return s.size() >= n && s.compare(s.size() - n, n, end) == 0;
}

std::string checkPng(const OpenFile& f) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const std::vector<uint8_t> head = f.Read(0, 33);
  if (head.size() < 33 || std::memcmp(head.data(), kSignature, 8) != 0 || be32(&head[8]) != 13 ||
      std::memcmp(&head[12], "IHDR", 4) != 0)
    return "not a PNG picture";
  if (be32(&head[16]) == 0 || be32(&head[20]) == 0) return "a PNG picture of no pixels";
  // A whole file ends with its IEND chunk.
  static const uint8_t kEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  const std::vector<uint8_t> tail = f.Read(f.Size() - std::min<size_t>(f.Size(), 12), 12);
  if (tail.size() != 12 || std::memcmp(tail.data(), kEnd, 12) != 0) return "cut short";
  return "";
}

std::string checkJpegHead(const OpenFile& f, const std::vector<uint8_t>& head);

std::string checkJpeg(const OpenFile& f) {
  // The frame header lies within the first few kilobytes unless a large thumbnail or profile
  // comes first: then more is read.
  std::string first = checkJpegHead(f, f.Read(0, 4096));
  if (first != "more") return first;
  first = checkJpegHead(f, f.Head());
  return first == "more" ? "" : first;
}

std::string checkJpegHead(const OpenFile& f, const std::vector<uint8_t>& head) {
  if (head.size() < 4 || head[0] != 0xFF || head[1] != 0xD8 || head[2] != 0xFF) return "not a JPEG picture";
  // The segments up to the frame header, which gives the size.
  bool frame = false;
  for (size_t pos = 2; pos + 4 <= head.size() && !frame;) {
    if (head[pos] != 0xFF) return "not a JPEG picture";
    const uint8_t marker = head[pos + 1];
    if (marker == 0xFF) {
      ++pos;  // fill byte
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      pos += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return "not a JPEG picture";  // no frame before the data
    const uint16_t length = be16(&head[pos + 2]);
    if (length < 2) return "not a JPEG picture";
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (pos + 9 > head.size()) break;
      if (be16(&head[pos + 5]) == 0 || be16(&head[pos + 7]) == 0) return "a JPEG picture of no pixels";
      frame = true;
    }
    pos += 2 + length;
  }
  if (!frame) return head.size() == f.Size() ? "not a JPEG picture" : "more";
  // A whole file ends with its end-of-image marker (a few padding bytes may follow it).
  const std::vector<uint8_t> tail = f.Read(f.Size() - std::min<size_t>(f.Size(), 64), 64);
  for (size_t i = tail.size(); i >= 2; --i)
    if (tail[i - 2] == 0xFF && tail[i - 1] == 0xD9) return "";
  return "cut short";
}

std::string checkTga(const OpenFile& f) {
  if (f.Size() > kWholeLimit) return "not a TGA picture";
  const std::vector<uint8_t> b = f.Read(0, f.Size());
  if (b.size() < 18) return "not a TGA picture";
  const int idLength = b[0], mapType = b[1], type = b[2];
  const int mapLength = le16(&b[5]), mapBits = b[7];
  const int width = le16(&b[12]), height = le16(&b[14]), bits = b[16];
  const bool typeOk = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
  const bool mapOk = (mapType == 0 && (type != 1 && type != 9)) || (mapType == 1 && (type == 1 || type == 9));
  const bool bitsOk = bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
  if (!typeOk || !mapOk || !bitsOk || (mapType == 1 && mapBits != 15 && mapBits != 16 && mapBits != 24 && mapBits != 32))
    return "not a TGA picture";
  if (width == 0 || height == 0) return "a TGA picture of no pixels";
  const size_t pixelBytes = size_t((bits + 7) / 8);
  size_t pos = 18 + size_t(idLength) + (mapType == 1 ? size_t(mapLength) * size_t((mapBits + 7) / 8) : 0);
  size_t pixels = size_t(width) * size_t(height);
  if (type < 9) return pos + pixels * pixelBytes <= b.size() ? "" : "cut short";
  // Run-length packets until every pixel is covered.
  while (pixels > 0) {
    if (pos >= b.size()) return "cut short";
    const uint8_t packet = b[pos++];
    const size_t count = size_t(packet & 0x7F) + 1;
    pos += (packet & 0x80) ? pixelBytes : count * pixelBytes;
    pixels -= std::min(pixels, count);
  }
  return pos <= b.size() ? "" : "cut short";
}

std::string checkOggEnd(const OpenFile& f, size_t want);

std::string checkOgg(const OpenFile& f) {
  const std::vector<uint8_t> head = f.Read(0, 27 + 255 + 7);
  if (head.size() < 28 || std::memcmp(head.data(), "OggS", 4) != 0 || head[4] != 0 || !(head[5] & 0x02))
    return "not an Ogg Vorbis sound";
  const size_t packet = 27 + size_t(head[26]);
  if (packet + 7 > head.size() || std::memcmp(&head[packet], "\x01vorbis", 7) != 0) return "not an Ogg Vorbis sound";
  // The last page ends the stream and the file: a file cut short ends inside a page, or on a page
  // that does not end the stream.
  // The last page is usually a few kilobytes; a page may hold up to 65307 bytes.
  for (size_t want : {size_t(8192), kTailBytes + 65536}) {
    const std::string end = checkOggEnd(f, want);
    if (end != "more" || want >= f.Size()) return end == "more" ? "cut short" : end;
  }
  return "cut short";
}

std::string checkOggEnd(const OpenFile& f, size_t want) {
  const size_t n = std::min(f.Size(), want);
  const std::vector<uint8_t> tail = f.Read(f.Size() - n, n);
  const size_t tailStart = f.Size() - tail.size();
  for (size_t i = tail.size() >= 27 ? tail.size() - 27 + 1 : 0; i-- > 0;) {
    if (std::memcmp(&tail[i], "OggS", 4) != 0 || tail[i + 4] != 0) continue;
    const size_t segments = tail[i + 26];
    if (i + 27 + segments > tail.size()) continue;
    size_t length = 27 + segments;
    for (size_t s = 0; s < segments; ++s) length += tail[i + 27 + s];
    // The page that ends exactly where the file ends (a page's bytes may hold "OggS" by chance).
    if (tailStart + i + length != f.Size()) continue;
    return (tail[i + 5] & 0x04) ? "" : "cut short";
  }
  return "more";
}

std::string checkK3d(const OpenFile& f) {
  const std::vector<uint8_t> head = f.Read(0, 272);
  if (head.size() < 272) return "not a mesh file";
  const int32_t vertices = le32(&head[264]), faces = le32(&head[268]);
  if (vertices <= 0 || faces <= 0 || vertices > 10000000 || faces > 10000000) return "not a mesh file";
  const uint64_t needed = 272 + 24 * uint64_t(vertices) + 96 * uint64_t(faces);
  return needed <= f.Size() ? "" : "cut short";
}

std::string checkIni(const OpenFile& f, const char* lastSection) {
  if (f.Size() > kWholeLimit) return "not an INI text";
  const std::vector<uint8_t> b = f.Read(0, f.Size());
  const std::string text(b.begin(), b.end());
  // Text of numbered sections: no zero byte (the reader stops at one), a section at the start.
  size_t first = text.find_first_not_of(" \t\r\n");
  if (text.find('\0') != std::string::npos || first == std::string::npos || text[first] != '[')
    return "not an INI text";
  if (lastSection && lastSection[0] && text.find(std::string("[") + lastSection + "]") == std::string::npos)
    return std::string("cut short (no section [") + lastSection + "])";
  // Every line ends with a line break, the last one too.
  if (!endsWith(text, "\n")) return "cut short";
  return "";
}

}  // namespace

std::string Problem(const char* path, const char* lastSection) {
  if (!path || !path[0]) return "missing";
  std::string name(path);
  for (char& c : name)
    if (c == '\\') c = '/';
  const std::string found = KFileReader::ResolveCaseInsensitive(name);
  if (found.empty()) return "missing";
  OpenFile f;
  const std::string problem = f.Open(found);
  if (!problem.empty()) return problem;

  std::string lower = name;
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (endsWith(lower, ".png")) return checkPng(f);
  if (endsWith(lower, ".jpg")) return checkJpeg(f);
  if (endsWith(lower, ".tga")) return checkTga(f);
  if (endsWith(lower, ".ogg")) return checkOgg(f);
  if (endsWith(lower, ".k3d")) return checkK3d(f);
  if (endsWith(lower, ".ini")) return checkIni(f, lastSection);
  return "";
}

}  // namespace KFileCheck
