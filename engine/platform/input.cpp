#include "platform/input.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/window.h"

namespace platform {
namespace {

// Every key of the engine's key table, then the few more a keyboard sends (Caps Lock, Pause,
// the menu key, right Alt, keypad Enter). The scan codes are the PC set-1 codes Windows puts in
// bits 16-23 of a key message's lparam; extended keys carry bit 24.
const KeyInfo kKeys[] = {
    {kVkLeft, SDL_SCANCODE_LEFT, 0x4B, true},
    {kVkUp, SDL_SCANCODE_UP, 0x48, true},
    {kVkDown, SDL_SCANCODE_DOWN, 0x50, true},
    {kVkRight, SDL_SCANCODE_RIGHT, 0x4D, true},
    {kVkSpace, SDL_SCANCODE_SPACE, 0x39, false},
    {kVkLShift, SDL_SCANCODE_LSHIFT, 0x2A, false},
    {kVkRShift, SDL_SCANCODE_RSHIFT, 0x36, false},
    {kVkReturn, SDL_SCANCODE_RETURN, 0x1C, false},
    {kVkRControl, SDL_SCANCODE_RCTRL, 0x1D, true},
    {kVkLControl, SDL_SCANCODE_LCTRL, 0x1D, false},
    {112, SDL_SCANCODE_F1, 0x3B, false},
    {113, SDL_SCANCODE_F2, 0x3C, false},
    {114, SDL_SCANCODE_F3, 0x3D, false},
    {115, SDL_SCANCODE_F4, 0x3E, false},
    {116, SDL_SCANCODE_F5, 0x3F, false},
    {117, SDL_SCANCODE_F6, 0x40, false},
    {118, SDL_SCANCODE_F7, 0x41, false},
    {119, SDL_SCANCODE_F8, 0x42, false},
    {120, SDL_SCANCODE_F9, 0x43, false},
    {121, SDL_SCANCODE_F10, 0x44, false},
    {122, SDL_SCANCODE_F11, 0x57, false},
    {123, SDL_SCANCODE_F12, 0x58, false},
    {kVkBack, SDL_SCANCODE_BACKSPACE, 0x0E, false},
    {kVkTab, SDL_SCANCODE_TAB, 0x0F, false},
    {kVkEscape, SDL_SCANCODE_ESCAPE, 0x01, false},
    {'A', SDL_SCANCODE_A, 0x1E, false},
    {'B', SDL_SCANCODE_B, 0x30, false},
    {'C', SDL_SCANCODE_C, 0x2E, false},
    {'D', SDL_SCANCODE_D, 0x20, false},
    {'E', SDL_SCANCODE_E, 0x12, false},
    {'F', SDL_SCANCODE_F, 0x21, false},
    {'G', SDL_SCANCODE_G, 0x22, false},
    {'H', SDL_SCANCODE_H, 0x23, false},
    {'I', SDL_SCANCODE_I, 0x17, false},
    {'J', SDL_SCANCODE_J, 0x24, false},
    {'K', SDL_SCANCODE_K, 0x25, false},
    {'L', SDL_SCANCODE_L, 0x26, false},
    {'M', SDL_SCANCODE_M, 0x32, false},
    {'N', SDL_SCANCODE_N, 0x31, false},
    {'O', SDL_SCANCODE_O, 0x18, false},
    {'P', SDL_SCANCODE_P, 0x19, false},
    {'Q', SDL_SCANCODE_Q, 0x10, false},
    {'R', SDL_SCANCODE_R, 0x13, false},
    {'S', SDL_SCANCODE_S, 0x1F, false},
    {'T', SDL_SCANCODE_T, 0x14, false},
    {'U', SDL_SCANCODE_U, 0x16, false},
    {'V', SDL_SCANCODE_V, 0x2F, false},
    {'W', SDL_SCANCODE_W, 0x11, false},
    {'X', SDL_SCANCODE_X, 0x2D, false},
    {'Y', SDL_SCANCODE_Y, 0x15, false},
    {'Z', SDL_SCANCODE_Z, 0x2C, false},
    {'0', SDL_SCANCODE_0, 0x0B, false},
    {'1', SDL_SCANCODE_1, 0x02, false},
    {'2', SDL_SCANCODE_2, 0x03, false},
    {'3', SDL_SCANCODE_3, 0x04, false},
    {'4', SDL_SCANCODE_4, 0x05, false},
    {'5', SDL_SCANCODE_5, 0x06, false},
    {'6', SDL_SCANCODE_6, 0x07, false},
    {'7', SDL_SCANCODE_7, 0x08, false},
    {'8', SDL_SCANCODE_8, 0x09, false},
    {'9', SDL_SCANCODE_9, 0x0A, false},
    {kVkNumpad0 + 0, SDL_SCANCODE_KP_0, 0x52, false},
    {kVkNumpad0 + 1, SDL_SCANCODE_KP_1, 0x4F, false},
    {kVkNumpad0 + 2, SDL_SCANCODE_KP_2, 0x50, false},
    {kVkNumpad0 + 3, SDL_SCANCODE_KP_3, 0x51, false},
    {kVkNumpad0 + 4, SDL_SCANCODE_KP_4, 0x4B, false},
    {kVkNumpad0 + 5, SDL_SCANCODE_KP_5, 0x4C, false},
    {kVkNumpad0 + 6, SDL_SCANCODE_KP_6, 0x4D, false},
    {kVkNumpad0 + 7, SDL_SCANCODE_KP_7, 0x47, false},
    {kVkNumpad0 + 8, SDL_SCANCODE_KP_8, 0x48, false},
    {kVkNumpad0 + 9, SDL_SCANCODE_KP_9, 0x49, false},
    {kVkMultiply, SDL_SCANCODE_KP_MULTIPLY, 0x37, false},
    {kVkAdd, SDL_SCANCODE_KP_PLUS, 0x4E, false},
    {kVkSubtract, SDL_SCANCODE_KP_MINUS, 0x4A, false},
    {kVkDecimal, SDL_SCANCODE_KP_PERIOD, 0x53, false},
    {kVkDivide, SDL_SCANCODE_KP_DIVIDE, 0x35, true},
    {kVkClear, SDL_SCANCODE_CLEAR, 0x4C, false},
    {kVkMenu, SDL_SCANCODE_LALT, 0x38, false},
    {kVkLWin, SDL_SCANCODE_LGUI, 0x5B, true},
    {kVkRWin, SDL_SCANCODE_RGUI, 0x5C, true},
    {kVkNumLock, SDL_SCANCODE_NUMLOCKCLEAR, 0x45, true},
    {kVkScroll, SDL_SCANCODE_SCROLLLOCK, 0x46, false},
    {186, SDL_SCANCODE_SEMICOLON, 0x27, false},
    {187, SDL_SCANCODE_EQUALS, 0x0D, false},
    {188, SDL_SCANCODE_COMMA, 0x33, false},
    {189, SDL_SCANCODE_MINUS, 0x0C, false},
    {190, SDL_SCANCODE_PERIOD, 0x34, false},
    {191, SDL_SCANCODE_SLASH, 0x35, false},
    {192, SDL_SCANCODE_GRAVE, 0x29, false},
    {219, SDL_SCANCODE_LEFTBRACKET, 0x1A, false},
    {220, SDL_SCANCODE_BACKSLASH, 0x2B, false},
    {221, SDL_SCANCODE_RIGHTBRACKET, 0x1B, false},
    {222, SDL_SCANCODE_APOSTROPHE, 0x28, false},
    {kVkEnd, SDL_SCANCODE_END, 0x4F, true},
    {kVkHome, SDL_SCANCODE_HOME, 0x47, true},
    {kVkDelete, SDL_SCANCODE_DELETE, 0x53, true},
    {kVkInsert, SDL_SCANCODE_INSERT, 0x52, true},
    {kVkSnapshot, SDL_SCANCODE_PRINTSCREEN, 0x37, true},
    {kVkPrior, SDL_SCANCODE_PAGEUP, 0x49, true},
    {kVkNext, SDL_SCANCODE_PAGEDOWN, 0x51, true},
    // Keys outside the engine's table.
    {kVkReturn, SDL_SCANCODE_KP_ENTER, 0x1C, true},
    {kVkMenu, SDL_SCANCODE_RALT, 0x38, true},
    {kVkCapital, SDL_SCANCODE_CAPSLOCK, 0x3A, false},
    {kVkPause, SDL_SCANCODE_PAUSE, 0x45, false},
    {kVkApps, SDL_SCANCODE_APPLICATION, 0x5D, true},
    {0xE2, SDL_SCANCODE_NONUSBACKSLASH, 0x56, false},  // the extra key beside left Shift
};
constexpr size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];

// Key state by virtual-key code, and the side-specific Alt keys, whose messages both report
// the generic code.
uint8_t keyDown[256];
bool leftAltDown = false, rightAltDown = false;
bool returnMainDown = false, returnPadDown = false;
bool buttons[4];
// Presses that no poll has seen yet, with the input frame they were read in.
bool pressPending[256];
uint32_t pressFrame[256];
uint32_t inputFrame = 0;
Window* cursorWindow = nullptr;
int cursorX = 0, cursorY = 0;  // window pixels of cursorWindow
Window* theInputWindow = nullptr;
bool systemCursorVisible = true;

}  // namespace

const KeyInfo* knownKeys(size_t& count) {
  count = kKeyCount;
  return kKeys;
}

const KeyInfo* keyForVirtualKey(int virtualKey) {
  for (const KeyInfo& k : kKeys)
    if (k.virtualKey == virtualKey) return &k;
  return nullptr;
}

const KeyInfo* keyForScancode(int scancode) {
  static const KeyInfo* byScancode[SDL_NUM_SCANCODES];
  static bool built = false;
  if (!built) {
    for (const KeyInfo& k : kKeys) byScancode[k.scancode] = &k;
    built = true;
  }
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return nullptr;
  return byScancode[scancode];
}

int virtualKeyForEvent(int scancode, int keySymbol) {
  if (keySymbol >= 'a' && keySymbol <= 'z') return keySymbol - 'a' + 'A';
  const KeyInfo* key = keyForScancode(scancode);
  return key ? key->virtualKey : 0;
}

bool isVirtualKeyDown(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return false;
  switch (virtualKey) {
    case kVkShift: return keyDown[kVkLShift] || keyDown[kVkRShift];
    case kVkControl: return keyDown[kVkLControl] || keyDown[kVkRControl];
    case kVkMenu: return leftAltDown || rightAltDown;
    case kVkLMenu: return leftAltDown;
    case kVkRMenu: return rightAltDown;
    default: return keyDown[virtualKey] != 0;
  }
}

bool pollVirtualKey(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return false;
  const bool pressed = pressPending[virtualKey] && inputFrame - pressFrame[virtualKey] <= 1;
  pressPending[virtualKey] = false;
  return isVirtualKeyDown(virtualKey) || pressed;
}

void endInputFrame() { ++inputFrame; }

bool isMouseButtonDown(int button) { return button >= 1 && button <= 3 && buttons[button]; }

uint32_t mouseKeyFlags() {
  uint32_t flags = 0;
  if (buttons[1]) flags |= kMkLButton;
  if (buttons[2]) flags |= kMkRButton;
  if (buttons[3]) flags |= kMkMButton;
  if (isVirtualKeyDown(kVkShift)) flags |= kMkShift;
  if (isVirtualKeyDown(kVkControl)) flags |= kMkControl;
  return flags;
}

void cursorPosition(const Window* window, int& x, int& y) {
  if (!window || !windowAlive(window)) {
    x = cursorX;
    y = cursorY;
    return;
  }
  if (cursorWindow == window || !cursorWindow || !windowAlive(cursorWindow)) {
    window->toLogical(cursorX, cursorY, x, y);
    return;
  }
  // The pointer was last seen over another of our windows: go through desktop coordinates.
  int ax = 0, ay = 0, bx = 0, by = 0;
  SDL_Window* from = SDL_GetWindowFromID(cursorWindow->id());
  SDL_Window* to = SDL_GetWindowFromID(window->id());
  if (from) SDL_GetWindowPosition(from, &ax, &ay);
  if (to) SDL_GetWindowPosition(to, &bx, &by);
  window->toLogical(cursorX + ax - bx, cursorY + ay - by, x, y);
}

void setInputWindow(Window* window) { theInputWindow = window; }
Window* inputWindow() { return windowAlive(theInputWindow) ? theInputWindow : nullptr; }

void resetInputState() {
  std::memset(keyDown, 0, sizeof keyDown);
  leftAltDown = rightAltDown = false;
  returnMainDown = returnPadDown = false;
  std::memset(buttons, 0, sizeof buttons);
  std::memset(pressPending, 0, sizeof pressPending);
}

void setCursorVisible(bool visible) {
  systemCursorVisible = visible;
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool cursorVisible() { return systemCursorVisible; }

int codePointToWindows1252(uint32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
  static const uint16_t high[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (int i = 0; i < 32; ++i)
    if (high[i] && high[i] == c) return 0x80 + i;
  return -1;
}

size_t utf8ToWindows1252(const char* text, uint8_t* out, size_t max) {
  size_t n = 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (p && *p && n < max) {
    uint32_t c;
    int extra;
    if (*p < 0x80) {
      c = *p;
      extra = 0;
    } else if ((*p & 0xE0) == 0xC0) {
      c = *p & 0x1F;
      extra = 1;
    } else if ((*p & 0xF0) == 0xE0) {
      c = *p & 0x0F;
      extra = 2;
    } else if ((*p & 0xF8) == 0xF0) {
      c = *p & 0x07;
      extra = 3;
    } else {  // a stray continuation or invalid byte
      out[n++] = '?';
      ++p;
      continue;
    }
    ++p;
    bool valid = true;
    for (int i = 0; i < extra; ++i) {
      if ((*p & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (*p & 0x3F);
      ++p;
    }
    int b = valid ? codePointToWindows1252(c) : -1;
    out[n++] = uint8_t(b < 0 ? '?' : b);
  }
  return n;
}

namespace inputstate {

void keyChanged(int virtualKey, int scancode, bool down) {
  // Every code that goes from up to down (the generic Shift, Control and Alt codes with either
  // side) has a press pending for the polls.
  const int codes[4] = {int(kVkShift), int(kVkControl), int(kVkMenu), virtualKey};
  bool wasDown[4];
  for (int i = 0; i < 4; ++i) wasDown[i] = isVirtualKeyDown(codes[i]);
  if (scancode == SDL_SCANCODE_LALT) leftAltDown = down;
  if (scancode == SDL_SCANCODE_RALT) rightAltDown = down;
  if (virtualKey > 0 && virtualKey < 256 && virtualKey != kVkMenu) {
    // Return and the keypad's Enter share a code: it is down while either is.
    if (virtualKey == kVkReturn) {
      (scancode == SDL_SCANCODE_KP_ENTER ? returnPadDown : returnMainDown) = down;
      keyDown[kVkReturn] = returnMainDown || returnPadDown;
    } else {
      keyDown[virtualKey] = down;
    }
  }
  for (int i = 0; i < 4; ++i)
    if (codes[i] > 0 && codes[i] < 256 && !wasDown[i] && isVirtualKeyDown(codes[i])) {
      pressPending[codes[i]] = true;
      pressFrame[codes[i]] = inputFrame;
    }
}

void buttonChanged(int button, bool down) {
  if (button >= 1 && button <= 3) buttons[button] = down;
}

void cursorMoved(Window* window, int x, int y) {
  cursorWindow = window;
  cursorX = x;
  cursorY = y;
}

void cursorLeft(Window* window) {
  // The pointer is outside the window: where exactly, only the desktop knows.
  if (!window) return;
  SDL_Window* sdl = SDL_GetWindowFromID(window->id());
  int gx = 0, gy = 0, wx = 0, wy = 0;
  if (!sdl || !(SDL_GetGlobalMouseState(&gx, &gy), true)) return;
  SDL_GetWindowPosition(sdl, &wx, &wy);
  int w = 0, h = 0;
  SDL_GetWindowSize(sdl, &w, &h);
  int x = gx - wx, y = gy - wy;
  // A desktop that cannot say (or says the pointer is still inside) gets a point just outside
  // the side it was nearest to.
  if (x >= 0 && y >= 0 && x < w && y < h) {
    int dl = cursorX, dr = w - 1 - cursorX, dt = cursorY, db = h - 1 - cursorY;
    int m = std::min(std::min(dl, dr), std::min(dt, db));
    x = cursorX;
    y = cursorY;
    if (m == dl) x = -1;
    else if (m == dr) x = w;
    else if (m == dt) y = -1;
    else y = h;
  }
  cursorWindow = window;
  cursorX = x;
  cursorY = y;
}

void windowGone(Window* window) {
  if (cursorWindow == window) cursorWindow = nullptr;
  if (theInputWindow == window) theInputWindow = nullptr;
}

uint32_t keyLParam(int scancode, bool down, bool repeat) {
  const KeyInfo* key = keyForScancode(scancode);
  uint32_t lp = 1;  // repeat count
  if (key) {
    lp |= uint32_t(key->pcScan) << 16;
    if (key->extended) lp |= 1u << 24;
  }
  if (down) {
    if (repeat) lp |= 1u << 30;
  } else {
    lp |= (1u << 30) | (1u << 31);
  }
  return lp;
}

}  // namespace inputstate

}  // namespace platform
