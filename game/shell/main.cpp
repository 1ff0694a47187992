// The game program.
#include "shell/app.h"

int main() { return app::run(); }
