#include "graphics/KGraphicFactory.h"

#include <new>

#include "graphics/KGraphicDD.h"
#include "graphics/KGraphicGL.h"
#include "window/KWindowFactory.h"

namespace KTools {

KGraphic* CreateGraphic() {
  if (GetRendererChoice()) return new (std::nothrow) KGraphicGL();
  return new (std::nothrow) KGraphicDD();
}

KQuadBatch* CreateBatch() {
  if (GetRendererChoice()) return new (std::nothrow) KQuadBatchGL();
  return new (std::nothrow) KQuadBatchDD();
}

}  // namespace KTools
