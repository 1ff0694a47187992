// What every screen of the game shares: the screen state and its routines, the game window
// and fonts, the picture slots, text drawing, the interface sounds, waiting for a release,
// the hover highlight, the text field, and the status line with its hover help.
//
// The screens (game/screens/) include this header; the shell's dispatcher calls their routines
// through the screen table below.
#pragma once

#include <cstdint>

#include "sound/KGameSounds.h"
#include "ui/screenstates.h"

class KWindow;
class KGraphic;
class KBitmapFont;
class KSound;
class KModel;

// ---- Screen states --------------------------------------------------------------------------


extern int16_t screenState;      // starts at 4, the launcher
extern int16_t rememberedState;  // where the save/load menu returns to
extern uint8_t inGameMenu;       // the save/load menu was opened by Escape or tab 6

// A screen's routines. `enter` sets its hotspots and pictures; `draw` draws one frame (and
// calls drawStatusAndHelp and drawHoverHighlight itself); `input` reacts to the mouse after
// the shell's common steps; `help` draws the screen's own hover help (after the common status
// line); `showsSkills` tells whether the skill labels are on the screen now.
struct ScreenRoutines {
  void (*enter)() = nullptr;
  void (*draw)() = nullptr;
  void (*input)() = nullptr;
  void (*help)() = nullptr;
  bool (*showsSkills)() = nullptr;
};
void setScreenRoutines(int state, const ScreenRoutines& routines);
const ScreenRoutines& screenRoutines(int state);

// Sets the state and enters the new screen.
void switchScreen(int state);
// The screen entry step: nothing hovered, every hotspot inactive, then the state's entry.
void enterScreen();

// ---- Process-wide objects of the shell -----------------------------------------------------

extern KWindow* gameWindow;       // the launcher window before the game window opens
extern KBitmapFont* smallFont;    // "data\gfx\tinyfont.png"
extern KBitmapFont* largeFont;    // "data\gfx\font2.png", digits
extern KSound* gameSounds[kGameSoundCount];
extern KSound* musicPlayer;       // the streamed music object; null until the loading screen
extern KModel* boxerModel;        // the turning boxer of the boxer screen; may be null
extern KGraphic* skinPicture;     // the boxer model's skin
extern float boxerTurnAngle;      // degrees
extern uint8_t quitFlag;          // ends the main loop

// Plays one of the interface and fight sounds (nothing when it did not load).
void playSound(KGameSound sound);
// How many times each sound was asked for since start (the tests listen through it).
extern uint32_t soundRequests[kGameSoundCount];

// ---- Picture slots ---------------------------------------------------------------------------

constexpr int kPictureSlotCount = 100;

// The slots the loading screen fills, shared by the screens; a screen's own pictures go into
// slots from 30 on.
constexpr int kBackgroundSlot = 0;   // the screen's background: the logo while loading, then
                                     // "mainmenu.jpg"; "launcher.png" in the launcher
constexpr int kLogoSlot = 1;         // "Lumora.tga"
constexpr int kSkillPointSlot = 3;   // "SKILLPOINT.png": skill points, arrows, small icons
constexpr int kStarSlot = 4;         // "STAR.tga"
constexpr int kCreateSlot = 5;       // "create.jpg": the new-manager screen
constexpr int kMenuSlot = 6;         // "menu.jpg": frame, tabs, buttons and plates of the career screens
constexpr int kRingSlot = 7;         // "ringback.jpg": the fight screen
constexpr int kPanelLeftSlot = 8;    // "PANLEFT01.jpg": the leather panels
constexpr int kPanelRightSlot = 9;   // "PANRIGHT02.jpg"
constexpr int kBooksSlot = 11;       // "PANRIGHT01.jpg": the books panel, table buttons, logos
constexpr int kRanksSlot = 12;       // "RANKS.jpg"
constexpr int kStarletSlot = 14;     // "STARLET.jpg": the boxer screen's stage
constexpr int kCornerSlot = 15;      // "FIGHT.jpg": the corner screen
constexpr int kLoadSaveSlot = 16;    // "LOADSAVE.jpg"
constexpr int kFiguresSlot = 17;     // "BOXERS.png": the fight figures, frames of 125 x 125
constexpr int kDownSlot = 18;        // "DOWN.png": a boxer down, frames of 160 x 260
constexpr int kCalendarSlot = 21;    // "CALENDAR.jpg": the monthly pop-up
constexpr int kTextListSlot = 23;    // "text-only.png": the commentary list
constexpr int kTutorialSlot = 24;    // "tutorial.jpg"
constexpr int kFrameSlot = 25;       // "window1.png" to "window3.png" in 25..27: nine-piece frames

struct PictureSlot {
  KGraphic* picture;      // null = empty
  int16_t frame;          // the frame drawSlotFrame draws; 0 after loading
  int16_t pictureWidth;
  int16_t pictureHeight;
  int16_t spare[2];
  int16_t frameWidth;     // the picture's width after loading
  int16_t frameHeight;
  int16_t tag;
};
extern PictureSlot pictureSlots[kPictureSlotCount];

// Loads a picture (a data path such as "data\gfx\menu.jpg") into a slot, replacing what was
// there; false and an empty slot when it cannot be loaded.
bool loadSlotPicture(int slot, const char* path, int tag);
// Draws the slot's current frame: mode 1 opaque, 2 with alpha, 3 with angle, zoom and alpha.
void drawSlotFrame(int slot, float x, float y, int mode, float angle = 0, float zoom = 1, float alpha = 1);
// Draws a rectangle of the slot's picture: mode 1 opaque, 2 with alpha, 3 turned and zoomed.
void drawPictureRect(int slot, int srcX, int srcY, int width, int height, float x, float y, int mode,
                     float angle = 0, float zoom = 1, float alpha = 1, bool flipX = false, bool flipY = false);
void freeSlotPictures();
// Every picture the shell made for the window that is about to close (slots included).
void releaseWindowPictures();
inline KGraphic* slotPicture(int slot) {
  return slot >= 0 && slot < kPictureSlotCount ? pictureSlots[slot].picture : nullptr;
}

// A filled rectangle from (x1, y1) to (x2, y2), blended with alpha a.
void fillRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a);

// ---- Text -----------------------------------------------------------------------------------

// The small font, white unless a colour is given.
void drawText(const char* text, float x, float y);
void drawTextCentred(const char* text, float x1, float x2, float y);
void drawTextRight(const char* text, float rightX, float y);
void drawNumberCentred(int number, float x1, float x2, float y);
// Word-wrapped in the column x1..x2 from y; alignment as KBitmapFont::DrawParagraph.
// alignment 0 left, 1 right, 2 centred, 3 justified; returns y below the last line.
float drawParagraph(const char* text, float x1, float x2, float y, int alignment, float spacing = 0);
float textWidth(const char* text);
void setTextColour(float r, float g, float b, float a = 1);
// `before`, the name and `after` as one line of the small font at most maxWidth pixels wide:
// when the whole is wider, the name is cut and ends in "..." (a name with no room left is
// "..." alone). For names that would run into what stands beside them.
void fitName(char* out, int size, float maxWidth, const char* before, const char* name, const char* after);
// A line of help: text-table entry n centred across the screen at y.
void helpLine(int n, float y);
// Two lines of help at 540 and 560, three at 535, 550 and 565.
void helpLines(int a, int b);
void helpLines(int a, int b, int c);

// What the text routines above drew, line by line, while a log is installed (the tests read
// the screen as text through it): the text, its left and right ends with the small font, and
// its y. A paragraph is logged whole, over its column. Lines past the log's capacity are
// counted but not kept.
struct DrawnText {
  char text[256];
  float left, right, y;
};
struct DrawnTextLog {
  static constexpr int kCapacity = 400;
  DrawnText lines[kCapacity];
  int count = 0;
};
extern DrawnTextLog* drawnTextLog;

// ---- Input ----------------------------------------------------------------------------------

// The characters the window delivered since the last frame, oldest first (Return is not among
// them). The text field takes them all; what no field took is dropped as the frame is shown, so
// keys pressed elsewhere never reach a field opened later. One remembered character would lose
// the earlier of two typed between frames, and any later event (the key's release) cleared it.
void typeCharacter(uint8_t c);
void dropTypedCharacters();

// A press of the left button seen by the window: the next input pass counts it even when the
// button was already released again (a tap shorter than a frame).
void latchMousePress();
// The left button for the input pass: down now, or pressed since the last sample.
bool sampleMouseDown();

// Pumps the window until the left button is up (or the window is closing).
void waitMouseRelease();
// Pumps the window until the key is up (or the window is closing).
void waitKeyRelease(int keyCode);

// The hover highlight of the hotspot under the mouse; screens call it at the end of drawing.
void drawHoverHighlight();

// One frame of typing into `buffer` (which holds maxLength + 1 bytes). True when Return was
// pressed. Cursor style 0 centred text, 1 left-aligned, other styles no cursor.
bool textField(char* buffer, KBitmapFont* font, int maxWidth, int maxLength, float x, float y, int cursorStyle,
               bool allowAll);
// Whether textField keeps a character when allowAll is off.
bool textFieldAccepts(uint8_t c);

// ---- Panels ---------------------------------------------------------------------------------

// A box of any size from a nine-piece frame picture (slots 25..27): corners kept, edges and
// inside stretched.
void drawFramedBox(int slot, float x1, float y1, float x2, float y2, float alpha = 1);

// ---- Tutorial -------------------------------------------------------------------------------

// Loads a tutorial voice file into the voice object and plays it; nothing for null.
void playTutorialVoice(const char* file);
// The voice file loaded last ("" before any).
extern char lastTutorialVoice[64];
