// The fight screen (state 9): one round of the bout, watched in the ring view with the two
// figures, captions and damage markers, or followed as a written commentary; beside it the
// statistics panel with the towel, under it the pace buttons. Each frame runs the bout's ticks
// that the engine clock has reached since the last one.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "career/world.h"
#include "fight/bout.h"
#include "fight/commentary.h"
#include "font/KBitmapFont.h"
#include "graphics/KGraphic.h"
#include "screens/fight.h"
#include "screens/statushelp.h"
#include "sound/KSound.h"
#include "tools/KTools.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/texttable.h"
#include "window/KInput.h"

namespace {


constexpr int kKeyD = 28;          // engine key codes
constexpr int kKeyP = 40;

// The round this screen shows: endRound moves roundIndex on before the screen changes.
int16_t shownRound = 0;

bool blink = false;
uint32_t lastBlink = 0;
int16_t crowdFlash = 0;
int16_t lastFlashClock = -1;

// ---- Sounds ---------------------------------------------------------------------------------

// The bout's sounds through the shell's sound objects.
class ShellFightSounds : public FightSoundPlayer {
 public:
  void Play(FightSound sound, int volume) override {
    const KGameSound s = map(sound);
    if (gameSounds[s]) gameSounds[s]->SetVolume(volume);
    playSound(s);
  }
  void Stop(FightSound sound) override {
    if (KSound* s = gameSounds[map(sound)]) s->Stop();
  }
  bool IsPlaying(FightSound sound) override {
    KSound* s = gameSounds[map(sound)];
    return s && s->IsPlaying();
  }

 private:
  static KGameSound map(FightSound sound) {
    switch (sound) {
      case FightSound::Bell: return kSoundBell;
      case FightSound::Count: return kSoundCount;
      case FightSound::Crowd: return kSoundCrowd;
      case FightSound::Fall: return kSoundFall;
      case FightSound::Hit1: return kSoundHit1;
      case FightSound::Hit2: return kSoundHit2;
      case FightSound::Hit3: return kSoundHit3;
      case FightSound::Miss1: return kSoundMiss1;
      case FightSound::Miss2: return kSoundMiss2;
      case FightSound::KO: return kSoundKO;
      case FightSound::KO2: return kSoundKO2;
      case FightSound::TKO: return kSoundTKO;
      case FightSound::TKO2: return kSoundTKO2;
    }
    return kSoundBell;
  }
};
ShellFightSounds shellFightSounds;

// ---- Entry ----------------------------------------------------------------------------------

void enterRing() {
  if (!boutRecord()) {
    switchScreen(kMonthScreen);
    return;
  }
  if (roundPending) {
    startRound();
    roundPending = false;
    shownRound = int16_t(std::clamp<int>(roundIndex, 0, kMaxRounds - 1));
    crowdFlash = 0;
    lastFlashClock = roundClock;
  }
  loadFightPicture(kKoSlot);
  loadFightPicture(kTkoSlot);
  loadFightPicture(kCountSlot);
  loadFightPicture(kFlashSlot);
  loadFightPicture(kFightButtonSlot);
  loadFightPicture(kFightIconSlot);
  for (int i = 0; i < 3; ++i) setHotspot(1 + i, 122 * i, 38, 120, 36, 12 + 124 * i, 454, 1, 2, kFightButtonSlot);
  hotspotCount = 4;
  if (textMode) {
    setHotspot(4, 370, 38, 36, 36, 404, 454, 1, 2, kFightButtonSlot);
    setHotspot(5, 410, 38, 36, 36, 446, 454, 1, 2, kFightButtonSlot);
    hotspotCount = 6;
  }
}

// The bout names the screens by their states.
static_assert(kNextCorner == kCornerScreen && kNextResult == kResultScreen);

// The screen the bout asks for, once it is due.
bool followBout() {
  if (fightNextScreen == 0 || screenState != kFightScreen) return false;
  const int next = fightNextScreen;
  fightNextScreen = 0;
  switchScreen(next);
  return true;
}

// ---- The ring -------------------------------------------------------------------------------

void drawFighter(int side, float scale) {
  const Fighter& f = fighters[side];
  if (f.action == Down || f.action == Rising) {
    const int pose = std::clamp<int>(f.pose, 0, 15);
    const int col = pose % 6, row = pose / 6;
    drawPictureRect(kDownSlot, 160 * col, 260 * row, 160, 260, f.x - 80, f.y - 130, 3, float(f.facing), scale - 0.1f);
    return;
  }
  int pose = f.pose;
  if (side == kPlayerSide && pose < 9) pose += 9;
  pose = std::clamp(pose, 0, 51);
  const int col = pose % 8, row = pose / 8;
  drawPictureRect(kFiguresSlot, 125 * col, 125 * row, 125, 125, f.x - 62.5f, f.y - 62.5f, 3, float(f.facing), scale);
}

void drawFighters() {
  const int mine = boutBoxer(kPlayerSide);
  const int category = isBoxer(mine) ? boxers[mine].category : 9;
  const float scale = float(17 - category) / 85.0f + 0.9f;
  // A boxer on the canvas lies under the one standing.
  const bool playerDown = fighters[kPlayerSide].action == Down || fighters[kPlayerSide].action == Rising;
  const int first = playerDown ? kPlayerSide : kOpponent;
  drawFighter(first, scale);
  drawFighter(1 - first, scale);
}

// ---- The statistics panel -------------------------------------------------------------------

// A nine-piece box from the frame picture, tinted: corners of c x r pixels from the picture's
// corners, edges and inside tiled with the pieces next to them, the last ones cut to fit.
void drawTintedFrame(float x, float y, int width, int height, float r, float g, float b) {
  KGraphic* pic = slotPicture(kFrameSlot);
  if (!pic || width <= 0 || height <= 0) return;
  const int pw = int(pic->GetWidth()), ph = int(pic->GetHeight());
  const int c = std::min(std::max(width / 2, 12), 100), rr = std::min(std::max(height / 2, 12), 100);
  pic->SetBlitColor(r, g, b, 1);
  auto piece = [&](int sx, int sy, int w, int h, float dx, float dy) {
    if (w > 0 && h > 0) pic->BlitAlphaRectF(float(sx), float(sy), float(sx + w), float(sy + h), dx, dy, false, false);
  };
  const int innerW = width - 2 * c, innerH = height - 2 * rr;
  // Source columns and rows: left corner, middle piece, right corner.
  const int srcX[3] = {0, c, pw - c}, srcY[3] = {0, rr, ph - rr};
  for (int row = 0; row < 3; ++row) {
    const int rowH = row == 1 ? innerH : rr;
    if (rowH <= 0) continue;
    const float rowY = row == 0 ? y : row == 1 ? y + float(rr) : y + float(height - rr);
    for (int oy = 0; oy < rowH; oy += rr) {
      const int h = std::min(rr, rowH - oy);
      for (int col = 0; col < 3; ++col) {
        const int colW = col == 1 ? innerW : c;
        if (colW <= 0) continue;
        const float colX = col == 0 ? x : col == 1 ? x + float(c) : x + float(width - c);
        for (int ox = 0; ox < colW; ox += c) {
          const int w = std::min(c, colW - ox);
          piece(srcX[col], srcY[row], w, h, colX + float(ox), rowY + float(oy));
        }
      }
    }
  }
  pic->SetBlitColor(1, 1, 1, 1);
}

void tintOf(int side, float rgb[3]) {
  if (side == kOpponent) rgb[0] = 1.0f, rgb[1] = 0.3f, rgb[2] = 0.3f;
  else rgb[0] = 0.1f, rgb[1] = 0.4f, rgb[2] = 1.0f;
}

void drawCounter(int value, float x1, float x2, float y) {
  if (largeFont) largeFont->DrawNumberCentered(value, x1, x2, y, 0);
  else drawNumberCentred(value, x1, x2, y);
}

void drawRow(const char* label, const char* value, float x, float y) {
  drawText(label, x + 10, y);
  drawTextRight(value, x + 137, y);
}

void drawSideColumn(int side) {
  const float x = side == kOpponent ? 504 : 654;
  const int boxer = boutBoxer(side);
  float tint[3];
  tintOf(side, tint);

  // The round's counts on the score plates.
  const RoundStats& now = roundStats[side][shownRound];
  const float cx1 = side == kOpponent ? 527 : 677, cx2 = cx1 + 23;
  drawCounter(now.misses, cx1, cx2, 17);
  drawCounter(now.hits, cx1, cx2, 47);
  drawCounter(now.knockdowns, cx1, cx2, 77);
  char name[64];
  commentaryShortName(boxer, name, sizeof name);
  drawTextCentred(name, side == kOpponent ? 500 : 650, side == kOpponent ? 650 : 800, 110);

  // Skills.
  const Fighter& f = fighters[side];
  drawTintedFrame(x, 163, 147, 76, tint[0], tint[1], tint[2]);
  setTextColour(1.0f, 0.82f, 0.36f);
  drawTextCentred("Skills", x, x + 147, 168);
  setTextColour(1, 1, 1);
  const char* labels[3] = {"Power", "Vitality", "Speed"};
  const float values[3] = {f.power, f.vitality, f.speed};
  const float maxima[3] = {f.powerMax, f.vitalityMax, f.speedMax};
  for (int k = 0; k < 3; ++k) {
    const float y = 184 + 17 * float(k);
    char value[16];
    std::snprintf(value, sizeof value, "%d", int(std::max(0.0f, values[k])));
    drawRow(labels[k], value, x, y);
    const float length = maxima[k] > 0 ? std::clamp(values[k] * 100 / maxima[k] * 1.25f, 0.0f, 125.0f) : 0;
    fillRect(x + 11, y + 13, x + 136, y + 16, 0, 0, 0, 0.45f);
    fillRect(x + 11, y + 13, x + 11 + length, y + 16, tint[0], tint[1], tint[2], 0.9f);
  }

  // This round and the totals.
  int hits = 0, misses = 0, damage = 0;
  for (int round = 0; round <= shownRound; ++round) {
    hits += roundStats[side][round].hits;
    misses += roundStats[side][round].misses;
    damage += int(roundStats[side][round].damage);
  }
  const int punches = hits + misses, roundPunches = now.hits + now.misses;
  drawTintedFrame(x, 243, 147, 100, tint[0], tint[1], tint[2]);
  setTextColour(1.0f, 0.82f, 0.36f);
  drawTextCentred("Stats RND/TOT", x, x + 147, 249);
  setTextColour(1, 1, 1);
  char value[32];
  std::snprintf(value, sizeof value, "%d/%d", roundPunches, punches);
  drawRow("Punches", value, x, 266);
  std::snprintf(value, sizeof value, "%d/%d", now.hits, hits);
  drawRow("Hits", value, x, 281);
  std::snprintf(value, sizeof value, "%d/%d", now.misses, misses);
  drawRow("Misses", value, x, 296);
  if (side == kOpponent) std::snprintf(value, sizeof value, "%.f/%d", double(now.damage), damage);
  else std::snprintf(value, sizeof value, "%d/%d", int(now.damage), damage);
  drawRow("Damage", value, x, 311);
  std::snprintf(value, sizeof value, "%d%%/%d%%", roundPunches ? now.hits * 100 / roundPunches : 0,
                punches ? hits * 100 / punches : 0);
  drawRow("Accuracy", value, x, 326);

  // Injuries.
  const int sum = injuries[side][0] + injuries[side][1] + injuries[side][2] + injuries[side][3];
  const int p = std::min(sum * 100 / 450, 100);
  drawTintedFrame(x, 346, 147, 38, tint[0], tint[1], tint[2]);
  setTextColour(1.0f, 0.82f, 0.36f);
  drawTextCentred("INJURY", x, x + 147, 350);
  setTextColour(1, 1, 1);
  drawText("Low", x + 10, 365);
  drawTextRight("High", x + 137, 365);
  fillRect(x + 39, 366, x + 109, 378, 0, 0, 0, 0.5f);
  if (p <= 70 || blink) fillRect(x + 39, 366, x + 39 + float(p) * 0.7f, 378, 1, 1, 1, 0.7f);
}

void drawStatisticsPanel(uint32_t now) {
  if (now - lastBlink >= 500) {
    blink = !blink;
    lastBlink = now;
  }
  drawSideColumn(kOpponent);
  drawSideColumn(kPlayerSide);
  // The towel.
  const bool over = pointInRect(mouseX, mouseY, kTowelX, kTowelY, kTowelX + kTowelWidth, kTowelY + kTowelHeight);
  drawPictureRect(kFightButtonSlot, over ? 150 : 0, 160, kTowelWidth, kTowelHeight, kTowelX, kTowelY, 2);
  // The round clock.
  const int clock = std::max<int>(roundClock, 0);
  fillRect(550, 133, 550 + float(clock) * 1.19f, 155, 0.7f, 0.12f, 0.1f, 0.55f);
  char time[64];
  std::snprintf(time, sizeof time, uiText(99), clock / 60, clock % 60);
  drawTextCentred(time, 525, 790, 143);
}

// ---- Text mode ------------------------------------------------------------------------------

void drawHeaderLines() {
  const int opp = boutBoxer(kOpponent), mine = boutBoxer(kPlayerSide);
  char line[160];
  std::snprintf(line, sizeof line, uiText(100), roundIndex + 1, boutRounds());
  drawTextCentred(line, 100, 500, 520);
  char a[48], b[48];
  commentaryShortName(opp, a, sizeof a);
  commentaryShortName(mine, b, sizeof b);
  std::snprintf(line, sizeof line, "%s and %s", a, b);
  drawTextCentred(line, 100, 500, 540);
  char category[21] = {};
  if (isBoxer(opp) && boxers[opp].category >= 1 && boxers[opp].category <= kCategoryCount)
    std::memcpy(category, weightNames[boxers[opp].category].name, 20);
  std::snprintf(line, sizeof line, uiText(101), category);
  drawTextCentred(line, 100, 500, 560);
}

bool continueShows() { return roundClock == 0 || count > 9; }

void drawContinueButton() {
  const Fight* f = boutRecord();
  const bool decided = f && f->winner != -1;
  const bool over = pointInRect(mouseX, mouseY, 316, 546, 316 + 124, 546 + 40);
  const int srcX = (decided ? 256 : 0) + (over ? 128 : 0);
  drawPictureRect(kFightButtonSlot, srcX, 114, 124, 40, 316, 546, 2);
}

void drawCommentaryList() {
  drawPictureRect(kTextListSlot, 0, 0, 496, 440, 0, 0, 2);
  drawText("Description", 28, 42);
  drawTextCentred("Time", 330, 435, 42);
  drawTextCentred("?", 440, 465, 42);
  for (int row = 0; row < kVisibleCommentaryLines; ++row) {
    const int index = commentaryTop + row;
    if (index < 0 || index >= kCommentaryLines) break;
    const CommentaryLine& line = commentary[index];
    if (line.kind < 0) continue;
    const float y = 76 + 30 * float(row);
    drawText(line.text, 28, y);
    char clock[16];
    const int seconds = std::max<int>(line.clock, 0);
    std::snprintf(clock, sizeof clock, "%02d:%02d", seconds / 60, seconds % 60);
    drawTextCentred(clock, 330, 435, y);
    const int cell = line.kind == 1 ? 0 : line.kind == 0 ? 1 : 2;
    drawPictureRect(kFightIconSlot, 24 * cell, 0, 24, 24, 441, 72 + 30 * float(row), 2);
  }
}

// ---- Ring view ------------------------------------------------------------------------------

void drawCaptions() {
  CaptionLine lines[3];
  const int n = ringCaptionFrame(lines);
  for (int i = 0; i < n; ++i) {
    char text[160];
    formatCaptionLine(lines[i], lines[i].entry >= 0 ? uiText(lines[i].entry) : nullptr, text, sizeof text);
    drawTextCentred(text, 100, 500, lines[i].y);
  }
}

void drawDamageMarkers() {
  for (const DamageMarker& m : damageMarkers) {
    if (m.life <= 0) continue;
    char text[16];
    std::snprintf(text, sizeof text, "%d", int(5 * m.value));
    if (m.side == kOpponent) setTextColour(0.2f, 0.2f, 1.0f, m.life);
    else setTextColour(1.0f, 0.2f, 0.2f, m.life);
    drawText(text, m.x, m.y);
  }
  setTextColour(1, 1, 1);
}

// ---- The frame ------------------------------------------------------------------------------

void drawPaceButtons() {
  const int chosen = 4 - savedFightSpeed;
  for (int i = 0; i < 3; ++i)
    drawPictureRect(kFightButtonSlot, 122 * i, chosen == i + 1 ? 76 : 0, 120, 36, float(12 + 124 * i), 454, 2);
  if (textMode) {
    drawPictureRect(kFightButtonSlot, 370, 0, 36, 36, 404, 454, 2);
    drawPictureRect(kFightButtonSlot, 410, 0, 36, 36, 446, 454, 2);
  }
}

void drawRing() {
  // 1. The ring.
  drawPictureRect(kRingSlot, 0, 0, 800, 600, 0, 0, 1);
  // 2. The bout's timers: steps, count, end sequence, clock.
  const int16_t clockBefore = roundClock;
  fightFrame();
  const uint32_t now = uint32_t(KTools::GetMilliseconds());
  updateDamageMarkers(now);
  // 3. The figures.
  if (!textMode) drawFighters();
  // 4. The statistics panel.
  drawStatisticsPanel(now);
  // 5. The crowd's flashes, chosen on each clock second.
  if (roundClock != clockBefore || roundClock != lastFlashClock) {
    lastFlashClock = roundClock;
    crowdFlash = std::rand() % 20 < 3 ? int16_t(std::rand() % 4) : int16_t(0);
  }
  if (crowdFlash > 0) drawPictureRect(kFlashSlot, 125 * crowdFlash, 0, 125, 100, 0, 502, 2);
  // 6. The end pictures.
  const float ox = textMode ? -62 : 0, oy = textMode ? 310 : 0;
  if (count > 9 && count < 99) drawPictureRect(kKoSlot, 0, 0, 180, 70, 190 + ox, 220 + oy, 2);
  if (count > 105) drawPictureRect(kTkoSlot, 0, 0, 180, 70, 194 + ox, 220 + oy, 2);
  // 7. The count.
  if (count >= 0 && count < 10 && roundClock > 0)
    drawPictureRect(kCountSlot, 48 * (count % 3), 125 * (count / 3), 48, 70, 190, textMode ? 530 : 220, 2);
  // 8. and 9. The words and the buttons.
  if (textMode) {
    if (commentaryHeaderVisible()) drawHeaderLines();
    if (continueShows()) drawContinueButton();
    drawCommentaryList();
  } else {
    drawCaptions();
    drawDamageMarkers();
  }
  drawPaceButtons();
  drawStatusAndHelp();
  drawHoverHighlight();
  followBout();
}

// The D key: the opponent goes down at once.
void knockDownOpponent() {
  if (!boutRecord()) return;
  playSound(kSoundFall);
  fighters[kOpponent].action = Down;
  fighters[kOpponent].pose = 8;
  fighters[kPlayerSide].action = ToCorner;
  fighters[kPlayerSide].pose = 0;
  fighters[kOpponent].vitality -= float(std::rand() % 10 + 5);
  fightEvent = 7;
  roundStats[kOpponent][std::clamp<int>(roundIndex, 0, kMaxRounds - 1)].knockdowns++;
}

void ringInput() {
  if (mouseDown && hovered >= 1 && hovered <= 3) {
    waitMouseRelease();
    if (setFightPace(hovered)) playSound(kSoundClick);
  } else if (mouseDown && textMode && (hovered == 4 || hovered == 5)) {
    waitMouseRelease();
    playSound(kSoundClick);
    scrollCommentary(hovered == 4 ? -1 : 1);
  } else if (mouseDown && pointInRect(mouseX, mouseY, kTowelX, kTowelY, kTowelX + kTowelWidth, kTowelY + kTowelHeight)) {
    waitMouseRelease();
    playSound(kSoundClick);
    throwTowel();
  } else if (mouseDown && textMode && pointInRect(mouseX, mouseY, 0, 500, 450, 600)) {
    waitMouseRelease();
    if (fightContinueClick()) playSound(kSoundClick);
  }
  if (KInput::IsKeyDown(kKeyD)) {
    waitKeyRelease(kKeyD);
    knockDownOpponent();
  }
  if (KInput::IsKeyDown(kKeyP)) {
    waitKeyRelease(kKeyP);
    fighters[kPlayerSide].power *= 2;
  }
  followBout();
}

void ringHelp() {
  const int mx = mouseX, my = mouseY;
  if (hovered >= 1 && hovered <= 3) {
    drawTextCentred(uiText(252), 500, 800, 510);
    drawTextCentred(uiText(252 + hovered), 500, 800, 530);
  }
  if (pointInRect(mx, my, 500, 129, 800, 159)) {
    drawTextCentred(uiText(256), 500, 800, 510);
    drawTextCentred(uiText(257), 500, 800, 530);
  }
  if (pointInRect(mx, my, 500, 5, 800, 125) && smallFont)
    for (int i = 0; i < 6; ++i) smallFont->DrawTextCentered(uiText(258 + i), 500, 800, float(480 + 20 * i), -1);
  static const struct {
    int x1, y1, x2, y2;
    const char* text;
  } paragraphs[4] = {
      {505, 160, 800, 235,
       "The 3 skills represents the boxer main statistics: Power (Strength + Technique) is how good is the boxer in "
       "delivering damage, Vitality (Endurance + Stamina) is how tough he is, and finally Speed (Quickness + Agility) "
       "is how fast he moves and how quickly he avoid blows on the ring."},
      {505, 240, 800, 340,
       "You can see detailed statistics of the current round (RND) and the totals for the fight (TOT). Damage is how "
       "much damage that boxer has delivered to opponent. The judges will now take into consideration the damage "
       "done rather than the number of successful punches."},
      {505, 350, 800, 380,
       "This value reflects how serious are the injuries of the boxer. There's no need to worry unless the bar start "
       "blinking, in that case it means that your boxer is suffering serious injuries and probably would be better to "
       "stop the fight!"},
      {505, 390, 800, 415,
       "Click here to stop the fight immediately! Remember, if your boxer is getting beaten badly, he could lose a "
       "considerable amount of his skills and compromise completely his future career!"},
  };
  for (const auto& p : paragraphs)
    if (pointInRect(mx, my, p.x1, p.y1, p.x2, p.y2)) drawParagraph(p.text, 505, 795, 480, 2);
}

}  // namespace

void installRingScreen() {
  setFightSoundPlayer(&shellFightSounds);
  setScreenRoutines(kFightScreen, {enterRing, drawRing, ringInput, ringHelp, nullptr});
}

void installFightScreens() {
  installCornerScreen();
  installRingScreen();
  installResultScreen();
}
