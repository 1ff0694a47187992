// The status line, the header and the hover help that every career screen draws near the end
// of its frame.
#pragma once

// The status line, header and the common help, then the current screen's own help.
void drawStatusAndHelp();
// The help of the manager's five rating rows: the profile panel's rows, or the new-manager
// screen's (which draws it itself while its nation list is closed).
void drawRatingsHelp(bool profileRows);
// The seven skill labels of the boxer and search screens.
void drawSkillLabels();
// The help of the seven skill rows on those screens.
void drawSkillHelp();
