#include "platform/image_codec.h"

#include <SDL.h>
#include <SDL_image.h>
#include <stb/stb_image_write.h>

#include <cstring>

namespace platform {

bool decodeImage(const uint8_t* bytes, size_t size, const char* type, DecodedPixels& out) {
  out = DecodedPixels{};
  if (!bytes || size == 0 || size > 0x7FFFFFFF) return false;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
  if (!rw) return false;
  SDL_Surface* surface = IMG_LoadTyped_RW(rw, 1, type);
  if (!surface) return false;
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
