#include "mesh/KModelFactory.h"

#include <new>

#include "mesh/KModelDD.h"
#include "mesh/KModelGL.h"
#include "window/KWindowFactory.h"

namespace KTools {

KModel* CreateModel() {
  if (GetRendererChoice()) return new (std::nothrow) KModelGL();
  return new (std::nothrow) KModelDD();
}

}  // namespace KTools
