// Making models for the renderer the window was created with.
#pragma once

#include "mesh/KModel.h"

namespace KTools {

// A model of the renderer chosen by KTools::CreateWindow (OpenGL or the software renderer);
// null when out of memory.
KModel* CreateModel();

}  // namespace KTools
