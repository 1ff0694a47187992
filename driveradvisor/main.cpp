// Vantorel, the video driver advisor: finds the video card, asks before going online, looks
// the card up in the online driver database and shows the advice.
#ifdef _WIN32
#include "ui/app_win32.h"
#else
#include "ui/app.h"
#endif

int main() { return vantorel::runAdvisor(vantorel::defaultRun()); }
