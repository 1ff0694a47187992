#include "ui/screenkit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "career/world.h"
#include "font/KBitmapFont.h"
#include "graphics/KGraphic.h"
#include "graphics/KGraphicFactory.h"
#include "sound/KSound.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/texttable.h"
#include "window/KInput.h"
#include "window/KWindow.h"

int16_t screenState = kLauncherScreen;
int16_t rememberedState = kMainMenuScreen;
uint8_t inGameMenu = 0;

KWindow* gameWindow = nullptr;
KBitmapFont* smallFont = nullptr;
KBitmapFont* largeFont = nullptr;
KSound* gameSounds[kGameSoundCount] = {};
KSound* musicPlayer = nullptr;
KModel* boxerModel = nullptr;
KGraphic* skinPicture = nullptr;
float boxerTurnAngle = 0;
uint8_t quitFlag = 1;

PictureSlot pictureSlots[kPictureSlotCount] = {};

namespace {

ScreenRoutines routineTable[kScreenStateCount];

// Untextured rectangles need a picture object to draw through; this one holds no picture and
// belongs to the window that is open.
KGraphic* painterPicture = nullptr;

KGraphic* painter() {
  if (!painterPicture && gameWindow) painterPicture = KTools::CreateGraphic();
  return painterPicture;
}

}  // namespace

// ---- Screens --------------------------------------------------------------------------------

void setScreenRoutines(int state, const ScreenRoutines& routines) {
  if (state > 0 && state < kScreenStateCount) routineTable[state] = routines;
}

const ScreenRoutines& screenRoutines(int state) {
  static const ScreenRoutines none;
  return state > 0 && state < kScreenStateCount ? routineTable[state] : none;
}

void enterScreen() {
  resetHotspots();
  const ScreenRoutines& r = screenRoutines(screenState);
  if (r.enter) r.enter();
}

void switchScreen(int state) {
  screenState = int16_t(state);
  enterScreen();
}

uint32_t soundRequests[kGameSoundCount] = {};

void playSound(KGameSound sound) {
  if (sound >= 0 && sound < kGameSoundCount) ++soundRequests[sound];
  if (sound >= 0 && sound < kGameSoundCount && gameSounds[sound]) gameSounds[sound]->Play();
}

// ---- Picture slots ----------------------------------------------------------------------------

bool loadSlotPicture(int slot, const char* path, int tag) {
  if (slot < 0 || slot >= kPictureSlotCount) return false;
  PictureSlot& s = pictureSlots[slot];
  delete s.picture;
  s = PictureSlot{};
  KGraphic* picture = KTools::CreateGraphic();
  if (!picture) return false;
  if (!picture->LoadPicture(KTools::GetDataPath(path), true, true)) {
    delete picture;
    return false;
  }
  picture->SetTextureQuality(true);
  s.picture = picture;
  s.pictureWidth = s.frameWidth = int16_t(picture->GetWidth());
  s.pictureHeight = s.frameHeight = int16_t(picture->GetHeight());
  s.tag = int16_t(tag);
  return true;
}

void drawSlotFrame(int slot, float x, float y, int mode, float angle, float zoom, float alpha) {
  KGraphic* g = slotPicture(slot);
  if (!g) return;
  const PictureSlot& s = pictureSlots[slot];
  int column = 0, row = 0;
  if (s.frame >= 1 && s.frameWidth > 0) {
    const int perRow = std::max(1, s.pictureWidth / s.frameWidth);
    row = s.frame / perRow;
    column = s.frame - row * perRow;
  }
  const float x1 = float(s.frameWidth * column), y1 = float(s.frameHeight * row);
  const float x2 = x1 + s.frameWidth, y2 = y1 + s.frameHeight;
  switch (mode) {
    case 1: g->BlitRect(x1, y1, x2, y2, short(x), short(y), false, false); break;
    case 2: g->BlitAlphaRect(x1, y1, x2, y2, short(x), short(y), false, false); break;
    case 3: g->BlitAlphaRectFx(x1, y1, x2, y2, short(x), short(y), angle, zoom, alpha, false, false, 0, 0); break;
    default: break;
  }
}

void drawPictureRect(int slot, int srcX, int srcY, int width, int height, float x, float y, int mode, float angle,
                     float zoom, float alpha, bool flipX, bool flipY) {
  KGraphic* g = slotPicture(slot);
  if (!g) return;
  const float x1 = float(srcX), y1 = float(srcY), x2 = float(srcX + width), y2 = float(srcY + height);
  switch (mode) {
    case 1: g->BlitRect(x1, y1, x2, y2, short(x), short(y), flipX, flipY); break;
    case 2: g->BlitAlphaRect(x1, y1, x2, y2, short(x), short(y), flipX, flipY); break;
    case 3:
      g->BlitAlphaRectFx(x1, y1, x2, y2, short(x), short(y), angle, std::max(0.0f, zoom),
                         std::clamp(alpha, 0.0f, 1.0f), flipX, flipY, 0, 0);
      break;
    default: break;
  }
}

void releaseWindowPictures() {
  freeSlotPictures();
  delete painterPicture;
  painterPicture = nullptr;
}

void freeSlotPictures() {
  for (PictureSlot& s : pictureSlots) {
    delete s.picture;
    s = PictureSlot{};
  }
}

void fillRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) {
  if (KGraphic* p = painter()) p->DrawRect(x1, y1, x2, y2, r, g, b, a);
}

void drawFramedBox(int slot, float x1, float y1, float x2, float y2, float alpha) {
  KGraphic* g = slotPicture(slot);
  if (!g) {
    fillRect(x1, y1, x2, y2, 0.08f, 0.07f, 0.07f, alpha);
    return;
  }
  const float side = g->GetWidth(), c = 16;  // corner size in the picture and on the screen
  const float sx[4] = {0, c, side - c, side}, sy[4] = {0, c, g->GetHeight() - c, g->GetHeight()};
  const float dx[4] = {x1, x1 + c, x2 - c, x2}, dy[4] = {y1, y1 + c, y2 - c, y2};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      if (dx[col + 1] > dx[col] && dy[row + 1] > dy[row])
        g->BlitStretch(sx[col], sy[row], sx[col + 1], sy[row + 1], dx[col], dy[row], dx[col + 1], dy[row + 1], alpha,
                       0, false, false, 0, 0);
}

// ---- Text -----------------------------------------------------------------------------------

DrawnTextLog* drawnTextLog = nullptr;

namespace {

void logText(const char* text, float left, float right, float y) {
  if (!drawnTextLog || !text) return;
  DrawnTextLog& log = *drawnTextLog;
  if (log.count < DrawnTextLog::kCapacity) {
    DrawnText& line = log.lines[log.count];
    std::snprintf(line.text, sizeof line.text, "%s", text);
    line.left = left;
    line.right = right;
    line.y = y;
  }
  ++log.count;
}

}  // namespace

void drawText(const char* text, float x, float y) {
  if (!smallFont) return;
  smallFont->DrawText(text, x, y, 0);
  if (drawnTextLog) logText(text, x, x + std::max(0.0f, textWidth(text)), y);
}

void drawTextCentred(const char* text, float x1, float x2, float y) {
  if (!smallFont) return;
  smallFont->DrawTextCentered(text, x1, x2, y, 0);
  if (drawnTextLog) {
    const float w = std::max(0.0f, textWidth(text));
    const float left = float(int(((x2 - x1) - w) * 0.5f + x1));
    logText(text, left, left + w, y);
  }
}

void drawTextRight(const char* text, float rightX, float y) {
  if (!smallFont) return;
  smallFont->DrawTextRight(text, rightX, y, 0);
  if (drawnTextLog) logText(text, rightX - std::max(0.0f, textWidth(text)), rightX, y);
}

void drawNumberCentred(int number, float x1, float x2, float y) {
  if (smallFont) smallFont->DrawNumberCentered(number, x1, x2, y, 0);
}

float drawParagraph(const char* text, float x1, float x2, float y, int alignment, float spacing) {
  if (!smallFont) return y;
  logText(text, x1, x2, y);
  return smallFont->DrawParagraph(text, x1, x2, y, alignment, spacing);
}

void fitName(char* out, int size, float maxWidth, const char* before, const char* name, const char* after) {
  if (!out || size <= 0) return;
  if (!before) before = "";
  if (!name) name = "";
  if (!after) after = "";
  std::snprintf(out, size_t(size), "%s%s%s", before, name, after);
  if (textWidth(out) <= maxWidth) return;
  for (int keep = int(std::strlen(name)) - 1; keep >= 0; --keep) {
    int n = keep;
    while (n > 0 && name[n - 1] == ' ') --n;  // no space before the dots
    std::snprintf(out, size_t(size), "%s%.*s...%s", before, n, name, after);
    if (textWidth(out) <= maxWidth) return;
  }
}

float textWidth(const char* text) { return smallFont ? smallFont->GetTextWidth(text, 0) : 0; }

void setTextColour(float r, float g, float b, float a) {
  if (smallFont) smallFont->SetColor(r, g, b, a);
}

void helpLine(int n, float y) { drawTextCentred(uiText(n), 0, 800, y); }

void helpLines(int a, int b) {
  helpLine(a, 540);
  helpLine(b, 560);
}

void helpLines(int a, int b, int c) {
  helpLine(a, 535);
  helpLine(b, 550);
  helpLine(c, 565);
}

// ---- Input ----------------------------------------------------------------------------------

namespace {
bool pressLatched = false;
}

void latchMousePress() { pressLatched = true; }

bool sampleMouseDown() {
  const bool down = KInput::IsLeftButtonDown() || pressLatched;
  pressLatched = false;
  return down;
}

void waitMouseRelease() {
  while (gameWindow && KInput::IsLeftButtonDown() && !gameWindow->IsQuitting()) gameWindow->ProcessEvents();
}

void waitKeyRelease(int keyCode) {
  while (gameWindow && KInput::IsKeyDown(keyCode) && !gameWindow->IsQuitting()) gameWindow->ProcessEvents();
}

void drawHoverHighlight() {
  mouseDown = KInput::IsLeftButtonDown() ? 1 : 0;
  if (hovered <= 0 || hovered >= kHotspotTableSize) return;
  const Hotspot& h = hotspots[hovered];
  if (h.state < 1) return;
  KGraphic* g = slotPicture(h.pictureSlot);
  if (!g) return;
  const float x1 = h.srcX, y1 = h.srcY, x2 = float(h.srcX + h.width), y2 = float(h.srcY + h.height);
  switch (h.highlightMode) {
    case 1: g->BlitRect(x1, y1, x2, y2, h.x, h.y, false, false); break;
    case 2: g->BlitAlphaRect(x1, y1, x2, y2, h.x, h.y, false, false); break;
    case 4: g->BlitAlphaRectFx(x1, y1, x2, y2, h.x, h.y, 0, 1.0f, 1.0f, true, false, 0, 0); break;
    default: break;
  }
}

namespace {
std::string typedCharacters;  // Windows-1252 bytes
}  // namespace

void typeCharacter(uint8_t c) {
  if (c != 0 && typedCharacters.size() < 256) typedCharacters.push_back(char(c));
}

void dropTypedCharacters() { typedCharacters.clear(); }

bool textFieldAccepts(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '@' || (c >= '0' && c <= '9') || c == ' ' ||
         (c >= 222 && c <= 249) || c == '(' || c == ')';
}

bool textField(char* buffer, KBitmapFont* font, int maxWidth, int maxLength, float x, float y, int cursorStyle,
               bool allowAll) {
  static uint32_t nextBlink = 0;
  static bool cursorVisible = false;
  std::string typed;
  typed.swap(typedCharacters);
  if (KInput::IsKeyDown(K_VK_RETURN)) {
    waitKeyRelease(K_VK_RETURN);
    playSound(kSoundClick);
    return true;
  }
  const uint32_t now = KTools::GetMilliseconds();
  if (now >= nextBlink) {
    cursorVisible = !cursorVisible;
    nextBlink = now + 950;
  }
  const float width = font ? font->GetTextWidth(buffer, 0) : 0;
  if (cursorVisible) {
    if (cursorStyle == 0)
      fillRect(x + maxWidth / 2 + width / 2 + 2, y + 1, x + maxWidth / 2 + width / 2 + 15, y + 18, 1, 1, 1, 1);
    else if (cursorStyle == 1)
      fillRect(x + width + 2, y + 1, x + width + 15, y + 18, 1, 1, 1, 1);
  }
  for (const char typedChar : typed) {
    const uint8_t c = uint8_t(typedChar);
    int length = int(strnlen(buffer, size_t(maxLength) + 1));
    if (c == 8) {
      if (length > 0) {
        --length;
        buffer[length] = 0;
        buffer[length + 1] = 0;
      }
      continue;
    }
    if (!allowAll && !textFieldAccepts(c)) continue;
    const float now = font ? font->GetTextWidth(buffer, 0) : 0;
    if (length < maxLength && now < maxWidth) {
      buffer[length] = char(c);
      buffer[length + 1] = 0;
      if (font && font->GetTextWidth(buffer, 0) > maxWidth - 1) buffer[length] = 0;
    }
  }
  return false;
}

// ---- Tutorial -------------------------------------------------------------------------------

char lastTutorialVoice[64] = "";

void playTutorialVoice(const char* file) {
  if (!file) return;
  std::snprintf(lastTutorialVoice, sizeof lastTutorialVoice, "%s", file);
  KSound*& voice = gameSounds[kSoundTutorialVoice];
  if (!voice) voice = new KSound();
  if (voice->Load(KTools::GetDataPath(file), 100, false, 1)) voice->Play();
}
