// Making the window, and the renderer choice every other factory of the engine follows.
#pragma once

#include "window/KWindow.h"

namespace KTools {

// Records the renderer choice (non-zero: OpenGL, 0: the software renderer), initialises the
// executable's folder and the clock again, and makes the matching window (not yet open).
// Null if it cannot be allocated.
KWindow* CreateWindow(int useOpenGL, int wantDepthBuffer);

// The choice made by the last CreateWindow: non-zero = OpenGL, 0 = the software renderer.
int GetRendererChoice();

}  // namespace KTools
