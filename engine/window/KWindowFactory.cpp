#include "window/KWindowFactory.h"

#include <new>

#include "image/KImage.h"
#include "tools/KTools.h"
#include "window/KWindowDD.h"
#include "window/KWindowGL.h"

namespace KTools {
namespace {

int rendererChoice = 0;

}  // namespace

KWindow* CreateWindow(int useOpenGL, int wantDepthBuffer) {
  rendererChoice = useOpenGL;
  // Only the OpenGL renderer's pictures load GIF files.
  KImage::SetGifAllowed(useOpenGL != 0);
  InitPaths();
  if (useOpenGL) return new (std::nothrow) KWindowGL(wantDepthBuffer != 0);
  return new (std::nothrow) KWindowDD(wantDepthBuffer != 0);
}

int GetRendererChoice() { return rendererChoice; }

}  // namespace KTools
