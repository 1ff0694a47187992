// Keyboard and mouse polling by the engine's key codes. The key table has 101 entries: an
// entry's position is its engine code and it holds the Windows virtual-key code of the key; the
// last entry (code 100) means no key.
#pragma once

#include "window/KWindow.h"

// Engine key codes.
enum KKeyCode : int {
  K_VK_LEFT = 0, K_VK_UP = 1, K_VK_DOWN = 2, K_VK_RIGHT = 3,
  K_VK_SPACE = 4,
  K_VK_L_SHIFT = 5, K_VK_R_SHIFT = 6,
  K_VK_RETURN = 7,
  K_VK_R_CONTROL = 8, K_VK_L_CONTROL = 9,
  K_VK_F1 = 10, K_VK_F2, K_VK_F3, K_VK_F4, K_VK_F5, K_VK_F6, K_VK_F7, K_VK_F8, K_VK_F9, K_VK_F10,
  K_VK_F11, K_VK_F12 = 21,
  K_VK_BACK = 22, K_VK_TAB = 23, K_VK_ESCAPE = 24,
  K_VK_A = 25, K_VK_Z = 50,  // the letters in order
  K_VK_0 = 51, K_VK_9 = 60,  // the digits in order
  K_VK_NUM0 = 61, K_VK_NUM9 = 70,  // the numeric pad's digits
  K_VK_MULTIPLY = 71, K_VK_ADD = 72, K_VK_SUBTRACT = 73, K_VK_DECIMAL = 74, K_VK_DIVIDE = 75,
  K_VK_CLEAR = 76, K_VK_ALT = 77, K_VK_L_WIN = 78, K_VK_R_WIN = 79, K_VK_NUMLOCK = 80, K_VK_SCROLL = 81,
  K_VK_SEMICOLON = 82, K_VK_EQUALS = 83, K_VK_COMMA = 84, K_VK_MINUS = 85, K_VK_PERIOD = 86,
  K_VK_SLASH = 87, K_VK_GRAVE = 88, K_VK_LBRACKET = 89, K_VK_BACKSLASH = 90, K_VK_RBRACKET = 91,
  K_VK_APOSTROPHE = 92,
  K_VK_END = 93, K_VK_HOME = 94, K_VK_DELETE = 95, K_VK_INSERT = 96, K_VK_SNAPSHOT = 97,
  K_VK_PRIOR = 98, K_VK_NEXT = 99,
  K_VK_ERROR = 100,
};

struct KKeyEntry {
  int code;
  int virtualKey;
};

namespace KInput {

constexpr int kKeyTableSize = 101;

// The key table (kKeyTableSize entries).
const KKeyEntry* GetKeyTable();

// Called by window creation: the window that mouse positions are measured against; forgets the
// keys and buttons held so far.
void Init(KWindowHandle window);

// Whether the key of an engine code is down now, or was pressed since the last frame and no
// call has seen it yet (a key tapped between two frames is seen down once); false for codes
// outside 0..99.
bool IsKeyDown(int code);
// Waits (reading the system's input as it goes) until the key is up.
void WaitKeyReleased(int code);
// The code whose entry holds the virtual key; 100 when none does.
int KeyCodeFromVirtualKey(int virtualKey);

// The cursor in the window's client pixels.
int GetMouseX();
int GetMouseY();
bool IsLeftButtonDown();
bool IsRightButtonDown();
// The last wheel delta the window saw (120 per notch).
int GetWheelDelta();
void SetWheelDelta(int delta);

void ShowCursor();
void HideCursor();

}  // namespace KInput
