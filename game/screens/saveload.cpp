// The save/load menu (state 12): the ten slots, load, save and back, opened from the main menu
// or in a career by Escape or the sixth tab.
#include "screens/menus.h"

#include <algorithm>

#include "career/generation.h"
#include "career/world.h"
#include "saves/savegame.h"
#include "screens/statushelp.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "window/KInput.h"

int16_t selectedSaveSlot = 0;

namespace {

void enterLoadSave() {
  for (int i = 0; i < 3; ++i) setHotspot(7 + i, 318, 33 * i, 158, 32, 375, 360 + 33 * i, 1, 1, 16);
  listSlots();
  if (rememberedState != kMainMenuScreen) setTabBarHotspots();
  hotspotCount = 10;
}

void drawLoadSave() {
  drawPictureRect(kMenuSlot, 0, 0, 800, 600, 0, 0, 1);
  drawPictureRect(kLoadSaveSlot, 0, 0, 300, 400, 250, 100, 1);
  for (int i = 7; i <= 9; ++i) {
    const Hotspot& h = hotspots[i];
    drawPictureRect(kLoadSaveSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 3, 0, 1, 0.8f);
  }
  drawPictureRect(kLoadSaveSlot, 0, 405, 271, 20, 264, float(149 + 20 * selectedSaveSlot), 3, 0, 1, 0.8f);
  for (int j = 0; j < kSaveSlots; ++j) drawTextCentred(slotDescriptions[j], 0, 800, float(153 + 20 * j));
  const int mx = KInput::GetMouseX(), my = KInput::GetMouseY();
  if (pointInRect(mx, my, 262, 149, 532, 343)) {
    const int f = (my - 5) / 20 * 20;
    fillRect(264, float(f + 10), 536, float(f + 28), 1, 0, 0, 0.2f);
  }
  drawStatusAndHelp();
  drawHoverHighlight();
}

void inputLoadSave() {
  if (!mouseDown) return;
  if (hovered >= 7 && hovered <= 9) {
    const int button = hovered;
    playSound(kSoundClick);
    waitMouseRelease();
    switch (button) {
      case 7:
        if (loadSlot(selectedSaveSlot)) {
          inGameMenu = 0;
          switchScreen(kBoxerScreen);
        }
        break;
      case 8:
        if (gameInProgress && saveSlot(selectedSaveSlot)) {
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
  if (pointInRect(mouseX, mouseY, 260, 149, 530, 345))
    selectedSaveSlot = int16_t(std::clamp((mouseY - 149) / 20, 0, kSaveSlots - 1));
}

}  // namespace

void installSaveLoadScreen() {
  setScreenRoutines(kLoadSaveScreen, {enterLoadSave, drawLoadSave, inputLoadSave, nullptr, nullptr});
}
