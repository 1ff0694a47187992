// The slot fuzzers' inputs: a slot file without most of its two large tables. A slot file is
// 540,718 bytes, nine tenths of them 2,500 boxer and 10,000 fight records of the same few kinds;
// hashing, copying and mutating that much per input would leave the fuzzer slow, and its
// mutations would seldom reach the career values. An input therefore holds, in this order, the
// file's first 10,698 bytes (the description, the career values and the screens' lists), the
// first 64 boxer records, the first 128 fight records and the ten recent results; every byte
// it does not hold is the pristine career's. A shorter input is a file cut at the point the input
// ends, the way a damaged file ends early.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "saves/savegame.h"

namespace compactslot {

struct Piece {
  size_t fileOffset;
  size_t size;
};
constexpr size_t kBoxerRecord = 116, kFightRecord = 24;
constexpr int kBoxers = 64, kFights = 128;  // the records an input holds
constexpr Piece kPieces[] = {
    {0, 10698},                           // up to the boxers
    {10698, kBoxers * kBoxerRecord},      // boxers 0..63
    {300698, kFights * kFightRecord},     // fights 0..127
    {540698, 20},                         // the recent results
};
constexpr size_t kSize = 10698 + kBoxers * kBoxerRecord + kFights * kFightRecord + 20;

// Lays an input over a file that is the pristine one outside the pieces; returns the length of
// the file the input stands for.
inline size_t lay(const uint8_t* input, size_t size, const uint8_t* pristine, uint8_t* file) {
  for (const Piece& p : kPieces) std::memcpy(file + p.fileOffset, pristine + p.fileOffset, p.size);
  size_t at = 0;
  for (const Piece& p : kPieces) {
    if (at >= size) return p.fileOffset;  // the input ended before this piece: a cut file
    const size_t n = size - at < p.size ? size - at : p.size;
    std::memcpy(file + p.fileOffset, input + at, n);
    at += n;
    if (n < p.size) return p.fileOffset + n;
  }
  return kSaveFileSize;
}

// The same over a copy of the pristine file.
inline size_t expand(const uint8_t* input, size_t size, const uint8_t* pristine, uint8_t* file) {
  std::memcpy(file, pristine, kSaveFileSize);
  return lay(input, size, pristine, file);
}

// The input that stands for a whole file (the seeds program writes these).
inline void compact(const uint8_t* file, uint8_t* input) {
  size_t at = 0;
  for (const Piece& p : kPieces) {
    std::memcpy(input + at, file + p.fileOffset, p.size);
    at += p.size;
  }
}

}  // namespace compactslot
