// The shell's own values that the saves and the screens share.
#pragma once

#include <cstdint>

extern uint8_t profilePanel;     // the manager profile panel is open
extern uint8_t gameInProgress;   // a career is being played: saving is allowed
