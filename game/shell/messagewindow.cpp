// The modal message window: the heading, the message's lines with their values filled in, and
// the picture of a random event, in a leather frame over the current screen.
#include <algorithm>
#include <cstdio>

#include "career/messages.h"
#include "career/world.h"
#include "graphics/KGraphic.h"
#include "shell/screenkit.h"
#include "shell/texttable.h"

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

namespace {

constexpr float kLeft = 200, kRight = 600;

// The event pictures are loaded on first use into slots beyond the shared ones.
constexpr int kEventPictureSlot = 30;

}  // namespace

void drawMessageWindow() {
  if (popup <= 0) return;
  ResolvedLine lines[4];
  const int count = resolveMessage(popup, lines);
  const MessageDefinition* def = findMessage(popup);
  const char* picture = def ? def->picture : nullptr;
  static const char* loadedPicture = nullptr;
  if (picture && picture != loadedPicture) {
    loadSlotPicture(kEventPictureSlot, picture, 0);
    loadedPicture = picture;
  }
  const float pictureHeight = picture && slotPicture(kEventPictureSlot) ? 170 : 0;
  const float height = 70 + 22 * float(count) + pictureHeight + 30;
  const float top = 300 - height / 2, bottom = top + height;
  fillRect(0, 0, 800, 600, 0, 0, 0, 0.35f);
  drawFramedBox(27, kLeft, top, kRight, bottom, 0.96f);
  setTextColour(1.0f, 0.82f, 0.36f);
  drawTextCentred(uiText(kMessageHeading), kLeft, kRight, top + 22);
  setTextColour(1, 1, 1);
  float y = top + 56;
  if (pictureHeight > 0) {
    drawSlotFrame(kEventPictureSlot, 400 - pictureSlots[kEventPictureSlot].pictureWidth / 2.0f, y, 1);
    y += pictureHeight;
  }
  char text[256];
  for (int i = 0; i < count; ++i) {
    formatMessageLine(lines[i], lines[i].entry >= 0 ? uiText(lines[i].entry) : "", text, sizeof text);
    y = std::max(y + 22, drawParagraph(text, kLeft + 24, kRight - 24, y, 2) + 6);
  }
  setTextColour(0.75f, 0.72f, 0.66f);
  drawTextCentred("Click to continue", kLeft, kRight, bottom - 28);
  setTextColour(1, 1, 1);
}
