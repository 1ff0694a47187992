// The launcher (state 4): the renderer and full-screen ticks and the start button, drawn in
// the small launcher window before the game window opens.
#include "screens/menus.h"

#include "saves/preferences.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"

uint8_t launcherDone = 0;

namespace {

void enterLauncher() {
  loadSlotPicture(kBackgroundSlot, kLauncherPicture, 0);
  setHotspot(1, 40, 310, 15, 15, 30, 194, 1, 1, 0);
  setHotspot(2, 40, 310, 15, 15, 30, 224, -1, 1, 0);
  setHotspot(3, 40, 310, 15, 15, 205, 194, 1, 1, 0);
  setHotspot(4, 40, 310, 15, 15, 210, 224, -1, 1, 0);
  setHotspot(5, 69, 304, 100, 30, 149, 267, 1, 1, 0);
  hotspotCount = 6;
}

void drawLauncher() {
  drawSlotFrame(kBackgroundSlot, 0, 0, 1);
  for (int i : {1, 3}) {
    const Hotspot& h = hotspots[i];
    drawPictureRect(kBackgroundSlot, h.srcX, h.srcY, h.width, h.height, h.x, h.y, 2);
  }
  const Hotspot& start = hotspots[5];
  drawPictureRect(kBackgroundSlot, start.srcX, start.srcY, start.width, start.height, start.x, start.y, 3, 0, 1, 0.7f);
  drawHoverHighlight();
  drawText("use DirectX", 60, 197);
  drawText("Fullscreen mode", 240, 197);
  drawParagraph("You can change more game options within the game, in the OPTIONS screen.", 30, 370, 220, 0);
  const char* help = "Startup Game Options";
  if (hovered == 1) help = "3D boxers view is disabled with DirectX";
  else if (hovered == 3) help = "Start the game in fullscreen";
  else if (hovered == 5) help = "Save options and start the game";
  drawTextCentred(help, 0, 400, 166);
  drawHoverHighlight();
  if (preferences.useDirectX == 1) drawPictureRect(kBackgroundSlot, 5, 305, 21, 23, hotspots[1].x - 2, hotspots[1].y - 8, 2);
  if (preferences.windowed == 0) drawPictureRect(kBackgroundSlot, 5, 305, 21, 23, hotspots[3].x - 2, hotspots[3].y - 8, 2);
}

void inputLauncher() {
  if (!mouseDown || (hovered != 1 && hovered != 3 && hovered != 5)) return;
  playSound(kSoundClick);
  waitMouseRelease();
  switch (hovered) {
    case 5:
      launcherDone = 1;
      quitFlag = 0;
      break;
    case 1: preferences.useDirectX = preferences.useDirectX ? 0 : 1; break;
    default: preferences.windowed = preferences.windowed ? 0 : 1; break;
  }
}

}  // namespace

void installLauncher() {
  setScreenRoutines(kLauncherScreen, {enterLauncher, drawLauncher, inputLauncher, nullptr, nullptr});
}
