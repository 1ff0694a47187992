// Vantorel, the video driver advisor: finds the video card, asks before going online, looks
// the card up in the online driver database and shows the advice.
#include "ui/app.h"

int main() { return vantorel::runAdvisor(vantorel::defaultRun()); }
