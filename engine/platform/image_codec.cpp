#include "platform/image_codec.h"

#include <SDL.h>
#include <SDL_image.h>
#include <stb/stb_image_write.h>

// stb_image's GIF reader only, private to this file.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 2048  // kMaxSide below
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include <cstring>

namespace platform {

namespace {

// The largest side a picture may have: twice the largest the game ships. A damaged header
// can declare sides of tens of thousands of pixels; the library would try to allocate for them
// before reading a single pixel, and sides beyond 32,767 do not fit the picture's 16-bit size.
constexpr uint32_t kMaxSide = 2048;

uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }
uint32_t be16(const uint8_t* p) { return uint32_t(p[0]) << 8 | p[1]; }
uint32_t be32(const uint8_t* p) { return be16(p) << 16 | be16(p + 2); }
bool tooLarge(uint32_t width, uint32_t height) { return width > kMaxSide || height > kMaxSide; }

// True when the header declares a picture with a side beyond kMaxSide, read the way the
// library's readers find the sizes.
bool refusedByHeader(const uint8_t* b, size_t n, bool tga) {
  if (tga) return n >= 18 && tooLarge(le16(b + 12), le16(b + 14));
  if (n >= 26 && b[0] == 'B' && b[1] == 'M') {
    if (le32(b + 14) == 12) return tooLarge(le16(b + 18), le16(b + 20));
    const int32_t height = int32_t(le32(b + 22));
    return tooLarge(le32(b + 18), height < 0 ? 0u - uint32_t(height) : uint32_t(height));
  }
  if (n >= 24 && std::memcmp(b, "\x89PNG", 4) == 0) {
    if (tooLarge(be32(b + 16), be32(b + 20))) return true;
    // Every chunk must end inside the file: the library's reader takes a short read for data,
    // so a chunk declaring 2 GB past the end had it inflate and skip 2 GB of nothing (half a
    // minute) before it gave up.
    for (size_t at = 8; at + 8 <= n;) {
      const uint32_t length = be32(b + at);
      if (length > n - at - 8 || n - at - 8 - length < 4) return true;
      if (std::memcmp(b + at + 4, "IEND", 4) == 0) break;
      at += 12 + size_t(length);
    }
    return false;
  }
  if (n >= 2 && b[0] == 0xFF && b[1] == 0xD8) {
    // Every frame header (SOF0..SOF15 but DHT, JPG and DAC) anywhere in the file: the decoder
    // resynchronises on markers, so a walk over the segments could miss one it finds.
    for (size_t i = 2; i + 9 <= n; ++i)
      if (b[i] == 0xFF && b[i + 1] >= 0xC0 && b[i + 1] <= 0xCF && b[i + 1] != 0xC4 && b[i + 1] != 0xC8 &&
          b[i + 1] != 0xCC && tooLarge(be16(b + i + 7), be16(b + i + 5)))
        return true;
    return false;
  }
  return false;
}

// Reads the bytes with the library's reader of the engine's formats that they begin like: the
// content chooses among BMP, JPEG and PNG (and GIF, below), as it would in the library, but
// none of the library's other readers (icons, XCF, SVG, XPM and more) ever sees a picture file.
// TGA has no signature, so it is read only when asked for, and then nothing else is tried.
SDL_Surface* loadEngineFormat(SDL_RWops* rw, const char* type) {
  if (type && SDL_strcasecmp(type, "TGA") == 0) return IMG_LoadTGA_RW(rw);
  if (IMG_isBMP(rw)) return IMG_LoadBMP_RW(rw);
  if (IMG_isJPG(rw)) return IMG_LoadJPG_RW(rw);
  if (IMG_isPNG(rw)) return IMG_LoadPNG_RW(rw);
  return nullptr;
}

bool isGif(const uint8_t* b, size_t n) {
  return n >= 6 && (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0);
}

// GIF pictures are read by stb_image's reader, compiled into this file (so the sanitizers and
// the fuzzer see it) and bounded to kMaxSide: the image library's GIF reader, in the version
// the game runs on, follows a damaged LZW table round a loop and writes past its stack. The
// picture is the first frame on the file's logical screen, 8 bits a pixel, with alpha when a
// pixel is transparent.
bool decodeGif(const uint8_t* bytes, size_t size, DecodedPixels& out) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(bytes, int(size), &width, &height, &channels, 4);
  if (!rgba) return false;
  if (width <= 0 || height <= 0 || tooLarge(uint32_t(width), uint32_t(height))) {
    stbi_image_free(rgba);
    return false;
  }
  out.width = width;
  out.height = height;
  out.bitsPerPixel = 8;
  out.bgra.resize(size_t(width) * size_t(height) * 4);
  for (size_t i = 0; i < out.bgra.size(); i += 4) {
    out.bgra[i] = rgba[i + 2];
    out.bgra[i + 1] = rgba[i + 1];
    out.bgra[i + 2] = rgba[i];
    out.bgra[i + 3] = rgba[i + 3];
    out.hasAlpha |= rgba[i + 3] != 255;
  }
  stbi_image_free(rgba);
  return true;
}

}  // namespace

bool decodeImage(const uint8_t* bytes, size_t size, const char* type, DecodedPixels& out) {
  out = DecodedPixels{};
  if (!bytes || size == 0 || size > 0x7FFFFFFF) return false;
  const bool tga = type && SDL_strcasecmp(type, "TGA") == 0;
  if (!tga && isGif(bytes, size)) {
    if (decodeGif(bytes, size, out)) return true;
    out = DecodedPixels{};
    return false;
  }
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
  if (!rw) return false;
  if (refusedByHeader(bytes, size, tga)) {
    SDL_RWclose(rw);
    return false;
  }
  SDL_Surface* surface = loadEngineFormat(rw, type);
  SDL_RWclose(rw);
  if (!surface) return false;
  // A picture without pixels is no picture (a damaged header can declare one); nor is one larger
  // than any the game uses.
  if (surface->w <= 0 || surface->h <= 0 || tooLarge(uint32_t(surface->w), uint32_t(surface->h))) {
    SDL_FreeSurface(surface);
    return false;
  }
  out.bitsPerPixel = surface->format->BitsPerPixel;
  out.hasAlpha = SDL_ISPIXELFORMAT_ALPHA(surface->format->format) ||
                 (surface->format->palette && SDL_GetColorKey(surface, nullptr) == 0);
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(surface);
  if (!argb) return false;
  out.width = argb->w;
  out.height = argb->h;
  out.bgra.resize(size_t(out.width) * size_t(out.height) * 4);
  SDL_LockSurface(argb);
  for (int y = 0; y < out.height; ++y)
    std::memcpy(&out.bgra[size_t(y) * size_t(out.width) * 4],
                static_cast<const uint8_t*>(argb->pixels) + size_t(y) * size_t(argb->pitch),
                size_t(out.width) * 4);
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  return true;
}

bool encodeImage(const uint8_t* bgraBottomUp, int width, int height, const char* path, int format) {
  if (!bgraBottomUp || width <= 0 || height <= 0 || !path || format < 0 || format > 3) return false;
  // Rows top-down for the writers.
  std::vector<uint8_t> topDown(size_t(width) * size_t(height) * 4);
  for (int y = 0; y < height; ++y)
    std::memcpy(&topDown[size_t(y) * size_t(width) * 4],
                bgraBottomUp + size_t(height - 1 - y) * size_t(width) * 4, size_t(width) * 4);
  if (format == 2) {
    // stb writes R, G, B, A.
    std::vector<uint8_t> rgba(topDown.size());
    for (size_t i = 0; i < topDown.size(); i += 4) {
      rgba[i] = topDown[i + 2];
      rgba[i + 1] = topDown[i + 1];
      rgba[i + 2] = topDown[i];
      rgba[i + 3] = topDown[i + 3];
    }
    stbi_write_tga_with_rle = 0;
    return stbi_write_tga(path, width, height, 4, rgba.data()) != 0;
  }
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(topDown.data(), width, height, 32,
                                                            width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return false;
  int rc = -1;
  if (format == 0) rc = SDL_SaveBMP(surface, path);
  else if (format == 1) rc = IMG_SaveJPG(surface, path, 90);
  else rc = IMG_SavePNG(surface, path);
  SDL_FreeSurface(surface);
  return rc == 0;
}

}  // namespace platform
