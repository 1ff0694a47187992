// The modal message window: the heading, the message's lines with their values filled in, and
// the picture of a random event, in a leather frame over the current screen.
#include "screens/messagewindow.h"

#include <algorithm>
#include <cstdio>

#include "career/messages.h"
#include "career/world.h"
#include "graphics/KGraphic.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"

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
  // The slot's tag names the message whose picture it holds (also when the file could not be
  // read): a picture is loaded once per message, and again once the slots have been freed.
  if (picture && pictureSlots[kEventPictureSlot].tag != popup) {
    loadSlotPicture(kEventPictureSlot, picture, popup);
    pictureSlots[kEventPictureSlot].tag = int16_t(popup);
  }
  const float pictureHeight = picture && slotPicture(kEventPictureSlot) ? 170 : 0;
  const float height = 70 + 22 * float(count) + pictureHeight + 30;
  const float top = 300 - height / 2, bottom = top + height;
  fillRect(0, 0, 800, 600, 0, 0, 0, 0.35f);
  drawFramedBox(kFrameSlot + 2, kLeft, top, kRight, bottom);
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
