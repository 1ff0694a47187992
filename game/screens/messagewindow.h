// The modal message window over the current screen.
#pragma once

// The message window of `popup` (heading, lines with their values, the event's picture).
void drawMessageWindow();
