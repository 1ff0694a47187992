// Pixel arrays for KGraphic::MakePictureFromArray, which takes RGBA bytes (red first in
// memory), written in the tests as 0xAARRGGBB words.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

inline uint32_t rgbaPixel(uint32_t argb) {
  const uint8_t bytes[4] = {uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb), uint8_t(argb >> 24)};
  uint32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

inline std::vector<uint32_t> rgbaPixels(std::vector<uint32_t> argb) {
  for (uint32_t& p : argb) p = rgbaPixel(p);
  return argb;
}
