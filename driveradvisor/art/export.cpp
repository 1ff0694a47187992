// Writes the advisor's pictures for the Windows program, which has no cairo to draw them:
//   vantorel-art <folder>
// gives <folder>/logo.bmp (the window's logo, see writeBitmap) and <folder>/monitor-16.png,
// -32, -48 and -64 (the icon's sizes, made into one .ico file by the Windows build).
#include <cstdio>
#include <string>

#include "art/art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantorel-art <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = vantorel::writeBitmap(vantorel::drawLogo(), folder + "/logo.bmp");
  for (int size : {16, 32, 48, 64}) {
    const std::string file = folder + "/monitor-" + std::to_string(size) + ".png";
    ok = cairo_surface_write_to_png(vantorel::drawMonitorIcon(size).get(), file.c_str()) == CAIRO_STATUS_SUCCESS && ok;
  }
  if (!ok) std::fprintf(stderr, "vantorel-art: cannot write the pictures into %s\n", folder.c_str());
  return ok ? 0 : 1;
}
