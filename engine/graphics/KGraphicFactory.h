// Making pictures and quad batches for the renderer the window was created with.
#pragma once

#include "graphics/KGraphic.h"
#include "graphics/KQuadBatch.h"

namespace KTools {

// A picture of the renderer chosen by KTools::CreateWindow (OpenGL or the software renderer);
// null when out of memory.
KGraphic* CreateGraphic();
// A quad batch of that renderer; null when out of memory.
KQuadBatch* CreateBatch();

}  // namespace KTools
