// The save/load menu (state 12): the ten slots, load, save and back, opened from the main menu
// or in a career by Escape or the sixth tab.
#include "screens/menus.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "career/generation.h"
#include "career/messages.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "saves/savegame.h"
#include "screens/options.h"
#include "screens/statushelp.h"
#include "ui/fonttables.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "window/KInput.h"

int16_t selectedSaveSlot = 0;

namespace {

// The slot list: one row rule for the hover band and the click, so that the band always marks
// the slot a click there would choose.
constexpr int kListLeft = 260, kListTop = 149, kListRight = 530, kListBottom = 345, kRowHeight = 20;

// The slot row under a point of the list, or -1 outside it.
int slotRowAt(int x, int y) {
  if (!pointInRect(x, y, kListLeft, kListTop, kListRight, kListBottom)) return -1;
  return std::clamp((y - kListTop) / kRowHeight, 0, kSaveSlots - 1);
}

// A description as the small font can draw it on one line: whatever the file holds, a byte
// without a glyph (a line break, a control character) becomes a space and runs of spaces one.
void drawableDescription(const char* description, char* out, int size) {
  int n = 0;
  for (const char* c = description; *c && n < size - 1; ++c) {
    const unsigned char b = static_cast<unsigned char>(*c);
    const char shown = b != ' ' && findGlyph(smallFontTable, b) ? char(b) : ' ';
    if (shown == ' ' && (n == 0 || out[n - 1] == ' ')) continue;
    out[n++] = shown;
  }
  while (n > 0 && out[n - 1] == ' ') --n;
  out[n] = 0;
}

// A description "name (Mon year)" shortened in its name so that it stays on the selection bar.
void fitDescription(const char* raw, char* out, int size) {
  constexpr float kRoom = 271 - 12;
  char description[kSlotDescriptionSize];
  drawableDescription(raw, description, sizeof description);
  const char* open = std::strrchr(description, '(');
  const size_t length = std::strlen(description);
  if (open && open > description && open[-1] == ' ' && length > 0 && description[length - 1] == ')') {
    char name[256];
    std::snprintf(name, sizeof name, "%.*s", int(open - 1 - description), description);
    fitName(out, size, kRoom, "", name, open - 1);
  } else {
    fitName(out, size, kRoom, "", description, "");
  }
}

void enterLoadSave() {
  for (int i = 0; i < 3; ++i) setHotspot(7 + i, 318, 33 * i, 158, 32, 375, 360 + 33 * i, 1, 1, 16);
  // OPTIONS, below the three.
  setHotspot(10, 318, 99, 158, 32, 375, 459, 1, 1, 16);
  listSlots();
  if (rememberedState != kMainMenuScreen) setTabBarHotspots();
  hotspotCount = 11;
}

void drawLoadSave() {
  drawPictureRect(kMenuSlot, 0, 0, 800, 600, 0, 0, 1);
  drawPictureRect(kLoadSaveSlot, 0, 0, 300, 400, 250, 100, 1);
  for (int i = 7; i <= 10; ++i) {
    const Hotspot& h = hotspots[i];
    drawPictureRect(kLoadSaveSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 3, 0, 1, 0.8f);
  }
  drawPictureRect(kLoadSaveSlot, 0, 405, 271, 20, 264, float(149 + 20 * selectedSaveSlot), 3, 0, 1, 0.8f);
  for (int j = 0; j < kSaveSlots; ++j) {
    char shown[256];
    if (slotStates[j] == SlotState::Damaged) {
      // A damaged slot says so, in red, and its file stays as it is.
      const char* text = uiText(kDamagedSlotText);
      fitDescription(text[0] ? text : "Damaged slot (file kept)", shown, sizeof shown);
      setTextColour(1.0f, 0.45f, 0.4f);
      drawTextCentred(shown, 0, 800, float(153 + 20 * j));
      setTextColour(1, 1, 1);
      continue;
    }
    fitDescription(slotDescriptions[j], shown, sizeof shown);
    drawTextCentred(shown, 0, 800, float(153 + 20 * j));
  }
  const int row = slotRowAt(KInput::GetMouseX(), KInput::GetMouseY());
  if (row >= 0) {
    const float top = float(kListTop + kRowHeight * row);
    fillRect(264, top + 1, 536, top + 19, 1, 0, 0, 0.2f);
  }
  drawStatusAndHelp();
  if (hovered == 10) helpLine(589, 550);
  drawHoverHighlight();
}

void inputLoadSave() {
  if (!mouseDown) return;
  if (hovered == 10) {
    playSound(kSoundClick);
    waitMouseRelease();
    openOptionsScreen(kLoadSaveScreen);
    return;
  }
  if (hovered >= 7 && hovered <= 9) {
    const int button = hovered;
    playSound(kSoundClick);
    waitMouseRelease();
    switch (button) {
      case 7: {
        // No career without a world to play it in.
        if (!worldReady()) {
          showMessage(kMessageNoWorld, worldDataProblem());
          break;
        }
        SlotState state = SlotState::Empty;
        if (loadSlot(selectedSaveSlot, &state)) {
          inGameMenu = 0;
          switchScreen(kBoxerScreen);
        } else if (state == SlotState::Damaged) {
          // Refused, the current career (if any) goes on, and the file is kept for rescue.
          slotStates[selectedSaveSlot] = SlotState::Damaged;
          showMessage(kMessageDamagedSlot, slotFilePath(selectedSaveSlot));
        }
        break;
      }
      case 8:
        if (gameInProgress && !gameOver && saveSlot(selectedSaveSlot)) {
          inGameMenu = 0;
          switchScreen(kBoxerScreen);
        }
        break;
      default:
        inGameMenu = 0;
        generateWorld();
        switchScreen(kMainMenuScreen);
        break;
    }
    return;
  }
  const int row = slotRowAt(mouseX, mouseY);
  if (row >= 0) selectedSaveSlot = int16_t(row);
}

}  // namespace

void installSaveLoadScreen() {
  setScreenRoutines(kLoadSaveScreen, {enterLoadSave, drawLoadSave, inputLoadSave, nullptr, nullptr});
}
