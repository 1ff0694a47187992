// The values the saves and the screens share about the career being played.
#pragma once

#include <cstdint>

extern uint8_t profilePanel;     // the manager profile panel is open
extern uint8_t gameInProgress;   // a career is being played: saving is allowed
