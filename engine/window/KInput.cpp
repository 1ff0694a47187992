#include "window/KInput.h"

#include "platform/input.h"
#include "platform/platform.h"
#include "platform/window.h"

namespace {

KKeyEntry keyTable[KInput::kKeyTableSize] = {
    {0, 37}, {1, 38}, {2, 40}, {3, 39}, {4, 32}, {5, 160}, {6, 161}, {7, 13}, {8, 163}, {9, 162},
    {10, 112}, {11, 113}, {12, 114}, {13, 115}, {14, 116}, {15, 117}, {16, 118}, {17, 119},
    {18, 120}, {19, 121}, {20, 122}, {21, 123}, {22, 8}, {23, 9}, {24, 27},
    {25, 'A'}, {26, 'B'}, {27, 'C'}, {28, 'D'}, {29, 'E'}, {30, 'F'}, {31, 'G'}, {32, 'H'},
    {33, 'I'}, {34, 'J'}, {35, 'K'}, {36, 'L'}, {37, 'M'}, {38, 'N'}, {39, 'O'}, {40, 'P'},
    {41, 'Q'}, {42, 'R'}, {43, 'S'}, {44, 'T'}, {45, 'U'}, {46, 'V'}, {47, 'W'}, {48, 'X'},
    {49, 'Y'}, {50, 'Z'},
    {51, '0'}, {52, '1'}, {53, '2'}, {54, '3'}, {55, '4'}, {56, '5'}, {57, '6'}, {58, '7'},
    {59, '8'}, {60, '9'},
    {61, 96}, {62, 97}, {63, 98}, {64, 99}, {65, 100}, {66, 101}, {67, 102}, {68, 103},
    {69, 104}, {70, 105},
    {71, 106}, {72, 107}, {73, 109}, {74, 110}, {75, 111},
    {76, 12}, {77, 18}, {78, 91}, {79, 92}, {80, 144}, {81, 145},
    {82, 186}, {83, 187}, {84, 188}, {85, 189}, {86, 190}, {87, 191}, {88, 192}, {89, 219},
    {90, 220}, {91, 221}, {92, 222},
    {93, 35}, {94, 36}, {95, 46}, {96, 45}, {97, 44}, {98, 33}, {99, 34},
    {100, 9999},
};

int wheelDelta = 0;

}  // namespace

namespace KInput {

const KKeyEntry* GetKeyTable() { return keyTable; }

void Init(KWindowHandle window) {
  platform::setInputWindow(window);
  platform::resetInputState();
  // Systems that report only the generic Shift and Control keys have the side-specific entries
  // remapped; this platform always tells the sides apart, so the table stays as it is.
}

bool IsKeyDown(int code) {
  if (code < 0 || code >= kKeyTableSize - 1) return false;
  return platform::pollVirtualKey(keyTable[code].virtualKey);
}

void WaitKeyReleased(int code) {
  while (IsKeyDown(code)) {
    // With no window left nothing could ever report the release.
    if (!platform::inputWindow()) {
      platform::resetInputState();
      return;
    }
    platform::pumpEvents();
    if (IsKeyDown(code)) platform::sleepMilliseconds(1);
  }
}

int KeyCodeFromVirtualKey(int virtualKey) {
  for (int i = 0; i < kKeyTableSize - 1; ++i)
    if (keyTable[i].virtualKey == virtualKey) return keyTable[i].code;
  return K_VK_ERROR;
}

int GetMouseX() {
  int x, y;
  platform::cursorPosition(platform::inputWindow(), x, y);
  return int16_t(x);
}

int GetMouseY() {
  int x, y;
  platform::cursorPosition(platform::inputWindow(), x, y);
  return int16_t(y);
}

bool IsLeftButtonDown() { return platform::isMouseButtonDown(1); }
bool IsRightButtonDown() { return platform::isMouseButtonDown(2); }

int GetWheelDelta() { return wheelDelta; }
void SetWheelDelta(int delta) { wheelDelta = delta; }

void ShowCursor() { platform::setCursorVisible(true); }
void HideCursor() { platform::setCursorVisible(false); }

}  // namespace KInput
