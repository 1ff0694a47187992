// The process-wide picture state that the window sets and the picture classes read: the screen
// size (every y coordinate of a picture is turned into the renderers' bottom-up space as
// height - y), the texture bound last (so that blits of one picture do not bind it again), the
// rectangle-texture switch, the default filtering of new textures, and the reload of every
// picture after the software renderer has rebuilt its device.
#pragma once

#include <cstdint>

namespace KScreen {

// Called by the window with its size and colour depth.
void SetScreenSize(short width, short height, short depth);
short GetScreenWidth();
short GetScreenHeight();
short GetScreenDepth();

// The texture bound last; -1 after any untextured drawing (or drawing with a texture of the
// window's own).
constexpr intptr_t kNoTexture = -1;
intptr_t GetBoundTexture();
void SetBoundTexture(intptr_t texture);
void ForgetBoundTexture();

// Whether pictures may use rectangle textures (off: square power-of-two textures).
bool GetUseTextureRectangle();
void SetUseTextureRectangle(bool use);

// Filtering of new textures: nearest (false, the default) or linear.
bool GetDefaultSmoothFiltering();
void SetDefaultSmoothFiltering(bool smooth);

// The software renderer's window calls this after it rebuilt its device and surfaces, or
// reopened itself in the other display mode; the picture classes install the function that
// loads every picture again.
using TextureReloader = void (*)();
void SetTextureReloader(TextureReloader reloader);
void ReloadTextures();

}  // namespace KScreen
