// Drives the real game program frame by frame: a fresh per-user folder, the engine clock on a
// fake source that moves 16 ms per frame, and input injected through SDL's event queue exactly
// as the window would receive it (one message is dispatched per frame, and click handlers
// wait for the release, so a click is a move, a press and a release on frames of their own).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/tempdir.h"
#include "ui/screenkit.h"

class GameDriver {
 public:
  GameDriver();
  ~GameDriver();

  // The launcher on its own (start-up up to the launcher loop).
  bool startLauncher();
  // Straight to the game window with the chosen renderer, as after the launcher's start button:
  // loading screen, world, texts, main menu.
  bool bootGame(bool openGL);

  // The same in a window of width x height (the player's free size), the picture scaled into it
  // sharp or smooth; input given in picture coordinates is placed in the window accordingly.
  bool bootGameInWindow(bool openGL, int width, int height, bool smooth);
  // Where a point of the 800 x 600 picture lies in the window (the centre of that pixel).
  void toWindow(int x, int y, int& wx, int& wy);
  // Input in window coordinates, as the system gives it (for clicks on the bars).
  void moveInWindow(int wx, int wy);
  void clickInWindow(int wx, int wy);
  // The whole window as shown (bars included), rows from the top; false when it cannot be read.
  bool windowPixels(std::vector<uint32_t>& pixels, int& width, int& height);
  // When BRAWNMOOR_SCREENS_DIR is set, saves the whole window as shown there as <name>.png.
  void keepWindowScreenshot(const std::string& name);

  // From the main menu after boot: the QUICK START button; true on the boxer screen.
  bool quickStart();

  // Runs frames of the current stage (launcher or main loop); false once the loop has ended.
  bool frame(int count = 1);

  void move(int x, int y);
  void press(int x, int y);
  void release(int x, int y);
  // Move, press, release, and a frame to settle.
  void click(int x, int y);
  // A click on the centre of a hotspot of the current screen.
  void clickHotspot(int index);
  void key(SDL_Scancode scancode, SDL_Keycode sym);
  // A quick tap: the press and the release queued together, so that the window reads both in
  // one pump between two frames; then frames until its messages are dispatched.
  void tap(SDL_Scancode scancode, SDL_Keycode sym);
  // A quick click: move, then the press and the release queued together (read in one pump).
  void quickClick(int x, int y);
  void keyDown(SDL_Scancode scancode, SDL_Keycode sym);
  void keyUp(SDL_Scancode scancode, SDL_Keycode sym);
  void type(const std::string& text);
  // Types letters and spaces as a keyboard does, each a key press, its character and the key's
  // release, all queued at once; then runs a frame per message.
  void typeKeys(const std::string& text);

  // The frame as shown: 0xRRGGBB, rows from the top.
  std::vector<uint32_t> pixels();
  bool screenshot(const std::string& path);
  // The lines of text the next frame draws, in drawing order.
  std::vector<DrawnText> drawnText();
  // The mean brightness (0..255) of a rectangle of the frame as shown.
  double meanBrightness(int x, int y, int w, int h);
  // When BRAWNMOOR_SCREENS_DIR is set, saves the next frame there as <name>-<renderer>.png
  // (the pictures of docs/screens are made this way); otherwise does nothing.
  void keepScreenshot(const std::string& name);

  // Milliseconds the fake clock moves per frame.
  void setFrameStep(uint64_t ms) { step_ = ms; }
  void advanceClock(uint64_t ms);

  const TempDir& home() const { return home_; }
  bool inLauncher() const { return inLauncher_; }

 private:
  void push(SDL_Event& e);
  uint32_t windowId();
  void pushKey(bool down, SDL_Scancode scancode, SDL_Keycode sym);
  void pushText(char c);
  void pushMotion(int wx, int wy);
  void pushButton(bool down, int wx, int wy);

  TempDir home_;
  uint64_t step_ = 16;
  bool inLauncher_ = false;
  bool openGL_ = false;
  bool running_ = false;
};
