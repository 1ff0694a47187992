// A rule file that reaches up to the screen kit and into the engine's window.
#include "ui/kit.h"
#include "window/KWindow.h"
