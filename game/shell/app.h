// The game program: start-up, the launcher, the loading screen, the main frame loop and
// shutdown. Each stage is a function of its own so that tests can drive the real program one
// frame at a time with injected input; run() strings them together.
#pragma once

struct KEvent;

namespace app {

// The game window's event callback: the mouse, presses latched, typed characters kept for the
// text fields. False for what it consumed.
bool windowCallback(KEvent* event);

// Start-up up to the launcher: tools, preferences, sounds, the launcher window and screen,
// the small font, the window callback and the pointers. False when the window could not open.
bool startLauncher();
// One pass of the launcher loop; false when the loop has ended.
bool launcherFrame();
// The launcher's end: tutorial on the first run, preferences written, the launcher window
// closed. True when the game window is to open (the start button was pressed).
bool closeLauncher();
// The game window, the fonts, the loading screen, the world, the texts and the main menu.
// False when the window could not be opened.
bool openGameWindow();
// One pass of the main loop; false when the loop has ended.
bool mainFrame();
// Releases everything and closes the window.
void shutdown();

// Saves the next frame, fully drawn, just before it is presented (format by the file's
// extension: ".png", ".jpg", else BMP). Used by tests and the screen tour.
void requestScreenshot(const char* path);
bool lastScreenshotSaved();

// The whole program; returns 0.
int run();
// The same after reading the command line ("--language eng|ger|fre|spa" for this run only,
// "--help", "--version"); false from readCommandLine when the program is to end at once.
int run(int argc, char** argv);
bool readCommandLine(int argc, char** argv);


}  // namespace app
