#include "window/KScreen.h"

namespace KScreen {
namespace {

short screenWidth = 0, screenHeight = 0, screenDepth = 0;
intptr_t boundTexture = kNoTexture;
bool useTextureRectangle = false;
bool defaultSmooth = false;
TextureReloader reloader = nullptr;

}  // namespace

void SetScreenSize(short width, short height, short depth) {
  screenWidth = width;
  screenHeight = height;
  screenDepth = depth;
  boundTexture = kNoTexture;
}

short GetScreenWidth() { return screenWidth; }
short GetScreenHeight() { return screenHeight; }
short GetScreenDepth() { return screenDepth; }

intptr_t GetBoundTexture() { return boundTexture; }
void SetBoundTexture(intptr_t texture) { boundTexture = texture; }
void ForgetBoundTexture() { boundTexture = kNoTexture; }

bool GetUseTextureRectangle() { return useTextureRectangle; }
void SetUseTextureRectangle(bool use) { useTextureRectangle = use; }

bool GetDefaultSmoothFiltering() { return defaultSmooth; }
void SetDefaultSmoothFiltering(bool smooth) { defaultSmooth = smooth; }

void SetTextureReloader(TextureReloader r) { reloader = r; }

void ReloadTextures() {
  boundTexture = kNoTexture;
  if (reloader) reloader();
}

}  // namespace KScreen
