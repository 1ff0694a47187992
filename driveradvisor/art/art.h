// The advisor's own pictures, drawn in code: the video card logo of the window and the monitor
// icon. Colours from the house palette: arena dark, blue corner, gold trim, canvas white.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

namespace vantorel {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

inline constexpr int kLogoWidth = 135;
inline constexpr int kLogoHeight = 99;

// A graphics card with its fan, heat sink and gold contacts on a dark spotlit panel, with the
// program's name below: kLogoWidth × kLogoHeight, ARGB32.
Surface drawLogo();

// A monitor on a gold stand, `size` × `size` pixels (16 and up), ARGB32 with a transparent
// background.
Surface drawMonitorIcon(int size);

// Writes an ARGB32 surface as a BMP file of 32 bits a pixel (BI_RGB, rows bottom-up, blue,
// green, red and the alpha in the fourth byte, the colours premultiplied by it, as cairo keeps
// them): the logo resource of the Windows program, which blends it onto the window's own
// background colour. False when the file cannot be written.
bool writeBitmap(const Surface& surface, const std::string& path);

}  // namespace vantorel
