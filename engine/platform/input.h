// Keyboard and mouse on SDL: the key tables between the engine's Windows virtual-key codes, SDL
// scancodes and PC scan codes, the asynchronous key, button and cursor state, the system cursor,
// and the text conversion of typed characters to Windows-1252.
//
// The state is kept from the events this layer reads out of SDL's queue (window.h pumps them),
// never from SDL's own device state, so events injected with SDL_PushEvent behave exactly like
// a real keyboard or mouse. Everything here runs on the thread that owns the windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

class Window;

// Windows virtual-key codes this layer reports beyond letters and digits ('A'..'Z', '0'..'9').
enum : int {
  kVkBack = 8, kVkTab = 9, kVkClear = 12, kVkReturn = 13, kVkShift = 16, kVkControl = 17,
  kVkMenu = 18, kVkPause = 19, kVkCapital = 20, kVkEscape = 27, kVkSpace = 32, kVkPrior = 33,
  kVkNext = 34, kVkEnd = 35, kVkHome = 36, kVkLeft = 37, kVkUp = 38, kVkRight = 39,
  kVkDown = 40, kVkSnapshot = 44, kVkInsert = 45, kVkDelete = 46, kVkLWin = 91, kVkRWin = 92,
  kVkApps = 93, kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107, kVkSubtract = 109,
  kVkDecimal = 110, kVkDivide = 111, kVkF1 = 112, kVkF10 = 121, kVkF12 = 123, kVkNumLock = 144,
  kVkScroll = 145, kVkLShift = 160, kVkRShift = 161, kVkLControl = 162, kVkRControl = 163,
  kVkLMenu = 164, kVkRMenu = 165,
};

// One physical key: the virtual-key code it reports, its SDL scancode and its PC (set 1) scan
// code with the extended-key flag, as they appear in a key message's lparam.
struct KeyInfo {
  int virtualKey;
  int scancode;
  uint8_t pcScan;
  bool extended;
};

// Every key this layer knows, the whole engine key table among them.
const KeyInfo* knownKeys(size_t& count);
// The key that reports this virtual-key code (the first one, for codes two keys share such as
// Return and the keypad's Enter); null if none.
const KeyInfo* keyForVirtualKey(int virtualKey);
// The key of an SDL scancode; null if this layer does not know it.
const KeyInfo* keyForScancode(int scancode);
// The virtual-key code a key event reports. Letter keys follow the keyboard layout (the SDL key
// symbol), as Windows' codes do; every other key its physical position. 0 if unknown.
int virtualKeyForEvent(int scancode, int keySymbol);

// Asynchronous state. Shift, Control and Alt are also down under their generic codes (16, 17,
// 18) while either side is down.
bool isVirtualKeyDown(int virtualKey);
// What a game's key poll sees: down now, or pressed since the last frame and not yet seen by a
// poll. Events are read in batches (every event pending when the queue is pumped), so a key
// pressed and released between two frames is already up when the next frame asks; it is
// still seen down by one poll. A press no poll has seen is forgotten once the frame after the
// one it was read in has ended. Every poll takes the key's pending press.
bool pollVirtualKey(int virtualKey);
// Marks the end of a frame (the window calls it after each present) for pollVirtualKey.
void endInputFrame();
// Buttons: 1 left, 2 right, 3 middle.
bool isMouseButtonDown(int button);
// The Windows key-state flags (left, right, middle button, Shift, Control) of mouse messages.
uint32_t mouseKeyFlags();

// The cursor position in the client coordinates of a window (its logical size, see window.h),
// as of the last event read; outside the client area when the pointer left it.
void cursorPosition(const Window* window, int& x, int& y);

// The window whose client area GetMouseX/GetMouseY of the engine report against.
void setInputWindow(Window* window);
Window* inputWindow();

// Forgets every pressed key and button (a new input session, or focus lost).
void resetInputState();

// The system cursor over our windows. The choice holds for windows created later.
void setCursorVisible(bool visible);
bool cursorVisible();

// Text typed as UTF-8 to Windows-1252 bytes: code points that Windows-1252 cannot hold become
// '?', as they do for a Windows-1252 window. Returns the number of bytes written (at most max).
size_t utf8ToWindows1252(const char* text, uint8_t* out, size_t max);
// One code point to Windows-1252; -1 when it has no Windows-1252 byte.
int codePointToWindows1252(uint32_t codePoint);

// Used by the event reader of window.cpp: records what an event says about the devices.
namespace inputstate {
void keyChanged(int virtualKey, int scancode, bool down);
void buttonChanged(int button, bool down);
void cursorMoved(Window* window, int x, int y);
void cursorLeft(Window* window);
void windowGone(Window* window);
// Scan-code bits (16-24) and the repeat count of a key message's lparam.
uint32_t keyLParam(int scancode, bool down, bool repeat);
}  // namespace inputstate

}  // namespace platform
