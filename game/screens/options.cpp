// The options screen (state 13): language, volumes, display, tutorial and renderer.
#include "screens/options.h"

#include <algorithm>
#include <cstdio>

#include "saves/options.h"
#include "saves/preferences.h"
#include "sound/KSound.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"
#include "window/KInput.h"
#include "window/KWindow.h"

int16_t optionsReturnState = kMainMenuScreen;

namespace {

int languageOverride = -1;

// ---- Places ---------------------------------------------------------------------------------

constexpr int kRowTop = 112, kRowStep = 46;
constexpr int kLabelX = 120, kControlX = 300;
constexpr int kSmallChipW = 90, kLargeChipW = 120, kChipH = 26;
constexpr int kBarX = 332, kBarW = 240, kBarH = 14, kStepper = 24;
constexpr int kBackX = 320, kBackY = 482, kBackW = 160, kBackH = 34;

int rowTop(int row) { return kRowTop + kRowStep * row; }

// Where the images lie in "OPTIONS.png", below the 800 x 600 background.
struct Images {
  int normal, hover, selected, selectedHover;  // source x; all on one row
  int y, width, height;
};
constexpr Images kSmallChip{0, 90, 180, 270, 600, kSmallChipW, kChipH};
constexpr Images kLargeChip{0, 120, 240, 360, 630, kLargeChipW, kChipH};
constexpr int kStepperY = 630, kMinusX = 480, kPlusX = 528;  // hover images 24 to the right
constexpr int kBarY = 660, kTrackX = 0, kFillX = 240;
constexpr int kKnobX = 480, kKnobY = 656, kKnobW = 12, kKnobH = 22;  // hover 12 to the right
constexpr int kBackSrcY = 684;                                         // normal at 0, hover at 160

enum Row { kRowLanguage, kRowMusic, kRowSound, kRowDisplay, kRowSize, kRowScaling, kRowTutorial, kRowRenderer };

// The multiples the window-size row offers (those that fit, at most three) and free size.
int shownMultiples = 1;

// A volume bar being dragged: 1 music, 2 sound, 0 none.
int dragging = 0;

void setChip(int index, int row, int column, bool large) {
  const Images& im = large ? kLargeChip : kSmallChip;
  const int x = kControlX + column * (im.width + (large ? 10 : 6));
  setHotspot(index, im.normal, im.y, im.width, im.height, x, rowTop(row), 0, 2, kOptionsSlot);
}

void setVolumeRow(int first, int row) {
  setHotspot(first, kMinusX, kStepperY, kStepper, kStepper, kControlX, rowTop(row) + 1, 0, 2, kOptionsSlot);
  setHotspot(first + 1, kTrackX, kBarY, kBarW, kChipH, kBarX, rowTop(row), 0, 2, kOptionsSlot);
  setHotspot(first + 2, kPlusX, kStepperY, kStepper, kStepper, kBarX + kBarW + 8, rowTop(row) + 1, 0, 2,
             kOptionsSlot);
}

int largestMultiple() { return gameWindow ? std::max(1, gameWindow->GetLargestWindowScale()) : 1; }

// The multiple the window has now by the options (the largest when so chosen).
int chosenMultiple() {
  const int largest = largestMultiple();
  if (gameOptions.windowSize == kWindowSizeLargest) return largest;
  return std::min(gameOptions.windowSize, largest);
}

void enterOptions() {
  if (!slotPicture(kOptionsSlot)) loadSlotPicture(kOptionsSlot, kOptionsPicture, 0);
  for (int i = 0; i < 4; ++i) setChip(kOptLanguage + i, kRowLanguage, i, false);
  setVolumeRow(kOptMusicDown, kRowMusic);
  setVolumeRow(kOptSoundDown, kRowSound);
  setChip(kOptWindowed, kRowDisplay, 0, true);
  setChip(kOptFullScreen, kRowDisplay, 1, true);
  shownMultiples = std::min(3, largestMultiple());
  for (int i = 0; i < 4; ++i) {
    if (i < shownMultiples) setChip(kOptSize + i, kRowSize, i, false);
    else if (i == 3) setChip(kOptSize + 3, kRowSize, shownMultiples, false);  // free size
  }
  setChip(kOptSharp, kRowScaling, 0, true);
  setChip(kOptSmooth, kRowScaling, 1, true);
  setChip(kOptTutorialOn, kRowTutorial, 0, true);
  setChip(kOptTutorialOff, kRowTutorial, 1, true);
  setChip(kOptOpenGL, kRowRenderer, 0, true);
  setChip(kOptDirectX, kRowRenderer, 1, true);
  setHotspot(kOptBack, 0, kBackSrcY, kBackW, kBackH, kBackX, kBackY, 0, 2, kOptionsSlot);
  hotspotCount = kOptHotspotCount;
  dragging = 0;
}

// ---- What each chip shows and whether it is the current choice ------------------------------

bool chipSelected(int index) {
  if (index >= kOptLanguage && index < kOptLanguage + 4) return currentLanguage() == index - kOptLanguage;
  if (index >= kOptSize && index < kOptSize + 3) return gameOptions.windowSize != kWindowSizeFree && chosenMultiple() == index - kOptSize + 1;
  switch (index) {
    case kOptWindowed: return preferences.windowed != 0;
    case kOptFullScreen: return preferences.windowed == 0;
    case kOptSize + 3: return gameOptions.windowSize == kWindowSizeFree;
    case kOptSharp: return !gameOptions.smoothScaling;
    case kOptSmooth: return gameOptions.smoothScaling;
    case kOptTutorialOn: return tutorialOn != 0;
    case kOptTutorialOff: return tutorialOn == 0;
    case kOptOpenGL: return preferences.useDirectX == 0;
    case kOptDirectX: return preferences.useDirectX != 0;
    default: return false;
  }
}

void chipCaption(int index, char* out, int size) {
  if (index >= kOptLanguage && index < kOptLanguage + 4) {
    std::snprintf(out, size_t(size), "%s", uiText(kLanguageNameText + index - kOptLanguage));
    return;
  }
  if (index >= kOptSize && index < kOptSize + 3) {
    const int m = index - kOptSize + 1;
    std::snprintf(out, size_t(size), "%d x %d", 800 * m, 600 * m);
    return;
  }
  int text = 0;
  switch (index) {
    case kOptWindowed: text = kOptionsText + 5; break;
    case kOptFullScreen: text = kOptionsText + 6; break;
    case kOptSize + 3: text = kOptionsText + 8; break;
    case kOptSharp: text = kOptionsText + 10; break;
    case kOptSmooth: text = kOptionsText + 11; break;
    case kOptTutorialOn: text = kOptionsText + 13; break;
    case kOptTutorialOff: text = kOptionsText + 14; break;
    case kOptOpenGL: text = kOptionsText + 16; break;
    case kOptDirectX: text = kOptionsText + 17; break;
    default: break;
  }
  std::snprintf(out, size_t(size), "%s", text ? uiText(text) : "");
}

bool isChip(int index) {
  return (index >= kOptLanguage && index <= kOptLanguage + 3) || (index >= kOptWindowed && index <= kOptDirectX);
}

// ---- Drawing --------------------------------------------------------------------------------

void drawChip(int index) {
  const Hotspot& h = hotspots[index];
  if (h.state < 0) return;
  const Images& im = h.width == kLargeChipW ? kLargeChip : kSmallChip;
  const bool selected = chipSelected(index), over = hovered == index;
  const int src = selected ? (over ? im.selectedHover : im.selected) : (over ? im.hover : im.normal);
  drawPictureRect(kOptionsSlot, src, im.y, im.width, im.height, h.x, h.y, 2);
  char caption[128];
  chipCaption(index, caption, sizeof caption);
  if (selected) setTextColour(1.0f, 0.86f, 0.52f);
  drawTextCentred(caption, h.x, h.x + h.width, float(h.y + 7));
  setTextColour(1, 1, 1);
}

void drawVolume(int first, int value) {
  const Hotspot& minus = hotspots[first];
  const Hotspot& bar = hotspots[first + 1];
  const Hotspot& plus = hotspots[first + 2];
  drawPictureRect(kOptionsSlot, kMinusX + (hovered == first ? kStepper : 0), kStepperY, kStepper, kStepper, minus.x,
                  minus.y, 2);
  drawPictureRect(kOptionsSlot, kPlusX + (hovered == first + 2 ? kStepper : 0), kStepperY, kStepper, kStepper, plus.x,
                  plus.y, 2);
  const float top = float(bar.y + (kChipH - kBarH) / 2);
  drawPictureRect(kOptionsSlot, kTrackX, kBarY, kBarW, kBarH, bar.x, top, 2);
  const int filled = value * kBarW / 100;
  if (filled > 0) drawPictureRect(kOptionsSlot, kFillX, kBarY, filled, kBarH, bar.x, top, 2);
  const bool lit = hovered == first + 1 || dragging == (first == kOptMusicDown ? 1 : 2);
  drawPictureRect(kOptionsSlot, kKnobX + (lit ? kKnobW : 0), kKnobY, kKnobW, kKnobH, float(bar.x + filled - kKnobW / 2),
                  float(bar.y + (kChipH - kKnobH) / 2), 2);
  char number[16];
  std::snprintf(number, sizeof number, "%d %%", value);
  drawTextCentred(number, float(plus.x + kStepper + 4), 700, float(bar.y + 7));
}

void drawOptionsHelp() {
  static const int rowHelp[8] = {580, 581, 582, 583, 584, 585, 586, 587};
  int row = -1;
  if (hovered >= kOptLanguage && hovered <= kOptLanguage + 3) row = kRowLanguage;
  else if (hovered >= kOptMusicDown && hovered <= kOptMusicUp) row = kRowMusic;
  else if (hovered >= kOptSoundDown && hovered <= kOptSoundUp) row = kRowSound;
  else if (hovered == kOptWindowed || hovered == kOptFullScreen) row = kRowDisplay;
  else if (hovered >= kOptSize && hovered <= kOptSize + 3) row = kRowSize;
  else if (hovered == kOptSharp || hovered == kOptSmooth) row = kRowScaling;
  else if (hovered == kOptTutorialOn || hovered == kOptTutorialOff) row = kRowTutorial;
  else if (hovered == kOptOpenGL || hovered == kOptDirectX) row = kRowRenderer;
  if (row >= 0) helpLine(rowHelp[row], 550);
  else if (hovered == kOptBack) helpLine(588, 550);
}

void drawOptions() {
  drawPictureRect(kOptionsSlot, 0, 0, 800, 600, 0, 0, 1);
  setTextColour(1.0f, 0.86f, 0.52f);
  drawTextCentred(uiText(kOptionsText), 0, 800, 74);
  setTextColour(1, 1, 1);
  static const int rowLabel[8] = {560, 561, 562, 563, 566, 568, 571, 574};
  for (int r = 0; r < 8; ++r) drawText(uiText(rowLabel[r]), kLabelX, float(rowTop(r) + 7));
  for (int i = 1; i < kOptHotspotCount; ++i)
    if (isChip(i)) drawChip(i);
  drawVolume(kOptMusicDown, gameOptions.musicVolume);
  drawVolume(kOptSoundDown, gameOptions.soundVolume);
  drawTextCentred(uiText(577), kControlX, kControlX + 2 * kLargeChipW + 10, float(rowTop(kRowRenderer) + kChipH + 4));
  const Hotspot& back = hotspots[kOptBack];
  drawPictureRect(kOptionsSlot, hovered == kOptBack ? kBackW : 0, kBackSrcY, kBackW, kBackH, back.x, back.y, 2);
  drawTextCentred(uiText(578), back.x, back.x + back.width, float(back.y + 11));
  drawOptionsHelp();
}

// ---- Input ----------------------------------------------------------------------------------

void setVolume(int which, int value) {
  value = std::clamp(value, 0, 100);
  int& v = which == 1 ? gameOptions.musicVolume : gameOptions.soundVolume;
  v = value;
  applySoundOptions();
}

void volumeChosen() {
  saveOptions();
  playSound(kSoundClick);  // heard at the new level
}

int barValue(const Hotspot& bar, int x) { return std::clamp(((x - bar.x) * 100 + kBarW / 2) / kBarW, 0, 100); }

void leave() {
  dragging = 0;
  switchScreen(optionsReturnState);
}

void inputOptions() {
  if (dragging) {
    const Hotspot& bar = hotspots[dragging == 1 ? kOptMusicBar : kOptSoundBar];
    setVolume(dragging, barValue(bar, KInput::GetMouseX()));
    if (!KInput::IsLeftButtonDown()) {
      dragging = 0;
      volumeChosen();
    }
    return;
  }
  if (!mouseDown || hovered <= 0) return;
  const int index = hovered;
  if (index == kOptMusicBar || index == kOptSoundBar) {
    // The bar follows the mouse while the button is held; the level is kept on release.
    dragging = index == kOptMusicBar ? 1 : 2;
    setVolume(dragging, barValue(hotspots[index], mouseX));
    if (!KInput::IsLeftButtonDown()) {
      dragging = 0;
      volumeChosen();
    }
    return;
  }
  waitMouseRelease();
  switch (index) {
    case kOptMusicDown: setVolume(1, gameOptions.musicVolume - 5); volumeChosen(); return;
    case kOptMusicUp: setVolume(1, gameOptions.musicVolume + 5); volumeChosen(); return;
    case kOptSoundDown: setVolume(2, gameOptions.soundVolume - 5); volumeChosen(); return;
    case kOptSoundUp: setVolume(2, gameOptions.soundVolume + 5); volumeChosen(); return;
    default: break;
  }
  playSound(kSoundClick);
  if (index >= kOptLanguage && index <= kOptLanguage + 3) {
    setLanguage(index - kOptLanguage);
    return;
  }
  if (index >= kOptSize && index <= kOptSize + 3) {
    gameOptions.windowSize = index == kOptSize + 3 ? kWindowSizeFree : index - kOptSize + 1;
    saveOptions();
    applyDisplayOptions(true);
    return;
  }
  switch (index) {
    case kOptWindowed:
    case kOptFullScreen: {
      const uint8_t windowed = index == kOptWindowed ? 1 : 0;
      if (preferences.windowed != windowed) {
        preferences.windowed = windowed;
        savePreferences();
        if (gameWindow) gameWindow->SetFullScreen(windowed == 0);
      }
      break;
    }
    case kOptSharp:
    case kOptSmooth:
      gameOptions.smoothScaling = index == kOptSmooth;
      saveOptions();
      applyDisplayOptions(true);
      break;
    case kOptTutorialOn:
    case kOptTutorialOff: {
      const bool on = index == kOptTutorialOn;
      gameOptions.tutorialAtStart = on;
      saveOptions();
      if ((tutorialOn != 0) != on) {
        tutorialOn = on ? 1 : 0;
        tutorialStep = 0;
      }
      break;
    }
    case kOptOpenGL:
    case kOptDirectX:
      preferences.useDirectX = index == kOptDirectX ? 1 : 0;  // the next start's renderer
      savePreferences();
      break;
    case kOptBack: leave(); break;
    default: break;
  }
}

}  // namespace

void installOptionsScreen() {
  setScreenRoutines(kOptionsScreen, {enterOptions, drawOptions, inputOptions, nullptr, nullptr});
}

void openOptionsScreen(int from) {
  optionsReturnState = int16_t(from);
  switchScreen(kOptionsScreen);
}

int currentLanguage() { return languageOverride >= 0 ? languageOverride : preferences.language; }

void setLanguageOverride(int language) { languageOverride = language >= 0 && language < kLanguageCount ? language : -1; }

void setLanguage(int language) {
  if (language < 0 || language >= kLanguageCount) return;
  languageOverride = -1;  // the player's choice replaces the command line's
  preferences.language = int16_t(language);
  savePreferences();
  loadTextTable(language);
}

void applySoundOptions() { KSound::SetPlayerVolumes(gameOptions.musicVolume, gameOptions.soundVolume); }

void applyDisplayOptions(bool windowOpen) {
  if (!gameWindow) return;
  gameWindow->SetSmoothScaling(gameOptions.smoothScaling);
  const int largest = windowOpen ? gameWindow->GetLargestWindowScale() : gameWindow->GetLargestWindowScale(800, 600);
  int scale = gameOptions.windowSize;
  if (scale == kWindowSizeLargest || scale > largest) scale = largest;
  if (!windowOpen) gameWindow->SetFreeWindowSize(gameOptions.windowWidth, gameOptions.windowHeight);
  gameWindow->SetWindowScale(scale);
}

void rememberWindowSize() {
  if (!gameWindow || gameOptions.windowSize != kWindowSizeFree || gameWindow->IsFullScreen() ||
      gameWindow->GetWidth() != 800)
    return;
  int w = 0, h = 0;
  gameWindow->GetClientSize(w, h);
  if (w <= 0 || h <= 0 || (w == gameOptions.windowWidth && h == gameOptions.windowHeight)) return;
  gameOptions.windowWidth = w;
  gameOptions.windowHeight = h;
  saveOptions();
}
