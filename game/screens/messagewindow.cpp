// The modal message window: the heading, the message's lines with their values filled in, and
// the picture of a random event, in a leather frame over the current screen.
#include "screens/messagewindow.h"

#include <algorithm>
#include <cstdio>

#include "career/messages.h"
#include "career/world.h"
#include "font/KBitmapFont.h"
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
  // The lines as shown, and the room each takes: one row for most, more for a long path or
  // reason, which makes the window taller rather than run over its frame.
  char texts[4][640];
  float advance[4] = {};
  float linesHeight = 0;
  for (int i = 0; i < count; ++i) {
    formatMessageLine(lines[i], lines[i].entry >= 0 ? uiText(lines[i].entry) : "", texts[i], sizeof texts[i]);
    const int rows = smallFont ? int(smallFont->WrapText(texts[i], kRight - kLeft - 48, 0).size()) : 1;
    advance[i] = std::max(22.0f, float(std::max(rows, 1)) * 12 + 6);
    linesHeight += advance[i];
  }
  const float height = std::min(560.0f, std::max(70 + 22 * float(count) + pictureHeight + 30,
                                                 56 + pictureHeight + linesHeight + 40));
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
  for (int i = 0; i < count; ++i) {
    const float after = drawParagraph(texts[i], kLeft + 24, kRight - 24, y, 2) + 6;
    y = std::max(y + advance[i], after);
  }
  setTextColour(0.75f, 0.72f, 0.66f);
  drawTextCentred("Click to continue", kLeft, kRight, bottom - 28);
  setTextColour(1, 1, 1);
}
