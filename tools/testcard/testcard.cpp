// brawnmoor-testcard: the pictures' test card and the text frame benchmark.
//
//   brawnmoor-testcard --renderer gl|dd [--out FILE.png] [--bench FRAMES]
//
// The card shows the game's own pictures and fonts: a background, pictures blitted plain,
// mirrored, rotated, zoomed and tinted, a justified paragraph in the small font, aligned texts,
// numbers in both fonts, and blended rectangles. With --bench it draws a screen of 60 lines of
// small-font text and 30 pictures repeatedly and prints the milliseconds per frame.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "font/KBitmapFont.h"
#include "graphics/KGraphic.h"
#include "graphics/KGraphicFactory.h"
#include "tools/KTools.h"
#include "ui/fonttables.h"
#include "ui/tutorial_texts.h"
#include "window/KWindow.h"
#include "window/KWindowFactory.h"

namespace {

double nowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

std::unique_ptr<KGraphic> load(const char* name, bool alpha) {
  std::unique_ptr<KGraphic> g(KTools::CreateGraphic());
  if (!g || !g->LoadPicture(KTools::GetDataPath(name), true, alpha)) {
    std::fprintf(stderr, "testcard: cannot load %s\n", name);
    return nullptr;
  }
  return g;
}

struct Card {
  std::unique_ptr<KGraphic> back, star, point, pointer;
  std::unique_ptr<KBitmapFont> small, digits;

  bool Load() {
    back = load("data\\gfx\\mainmenu.jpg", false);
    star = load("data\\gfx\\STAR.tga", true);
    point = load("data\\gfx\\SKILLPOINT.png", true);
    pointer = load("data\\gfx\\Pointer2.tga", true);
    small = std::make_unique<KBitmapFont>(KTools::GetDataPath("data\\gfx\\tinyfont.png"), smallFontTable);
    digits = std::make_unique<KBitmapFont>(KTools::GetDataPath("data\\gfx\\font2.png"), digitFontTable);
    small->SetLineSpacing(10.0f);
    digits->SetLineSpacing(5.0f);
    return back && star && point && pointer;
  }

  void Draw() {
    back->BlitRect(0, 0, 800, 600, 0, 0, false, false);
    star->DrawRect(30, 30, 430, 570, 0.07f, 0.08f, 0.1f, 0.85f);
    star->DrawRect(460, 30, 770, 300, 0.56f, 0.1f, 0.1f, 0.6f);
    // Pictures: plain, mirrored, rotated and zoomed, tinted.
    float w = star->GetWidth(), h = star->GetHeight();
    star->BlitAlphaRect(0, 0, w, h, 480, 50, false, false);
    star->BlitAlphaRect(0, 0, w, h, 530, 50, true, true);
    star->BlitAlphaRectFx(0, 0, w, h, 600, 50, 45.0f, 2.0f, 1.0f, false, false, 0, 0);
    star->SetBlitColor(1.0f, 0.3f, 0.3f, 1.0f);
    star->BlitAlphaRectFx(0, 0, w, h, 680, 50, 90.0f, 1.5f, 1.0f, false, false, 0, 0);
    star->SetBlitColor(1, 1, 1, 1);
    for (int i = 0; i < 8; ++i) point->BlitAlphaRect(0, 0, 16, 16, short(480 + 20 * i), 130, false, false);
    pointer->BlitAlphaRectFx(0, 0, pointer->GetWidth(), pointer->GetHeight(), 700, 130, -30.0f, 2.0f, 0.8f,
                             false, false, 0, 0);
    // Text.
    small->SetColor(1, 1, 1, 1);
    small->DrawText("Left aligned: Brawnmoor test card", 480, 180, 0);
    small->DrawTextRight("Right aligned: 123 $", 750, 200, 0);
    small->DrawTextCentered("Centred between 460 and 770", 460, 770, 220, 0);
    small->SetColor(0.95f, 0.8f, 0.42f, 1);
    small->DrawNumber(-5, 480, 250, 0);
    small->DrawNumber(2026, 540, 250, 0);
    small->SetColor(1, 1, 1, 1);
    digits->DrawNumber(1234567890, 470, 320, 0);
    small->DrawParagraph(kTutorialTexts[4], 50, 410, 50, 3, 0);
    // Windows-1252 text: M\u00fcller, Se\u00f1or \u00d1\u00fa\u00f1ez, \u00c9ric Lef\u00e8vre, the euro sign.
    small->DrawParagraph("Centred: M\xFC" "ller, Se\xF1" "or \xD1\xFA\xF1" "ez, \xC9" "ric Lef\xE8" "vre, 50 \x80" " und 12 %",
                         50, 410, 480, 2, 0);
  }

  // 60 lines of text and 30 pictures.
  void DrawBenchmarkFrame(int frame) {
    back->BlitRect(0, 0, 800, 600, 0, 0, false, false);
    for (int i = 0; i < 30; ++i)
      star->BlitAlphaRectFx(0, 0, star->GetWidth(), star->GetHeight(), short(20 + (i % 10) * 78),
                            short(20 + (i / 10) * 40), float((frame + i * 12) % 360), 1.0f, 1.0f, false,
                            false, 0, 0);
    char line[96];
    for (int i = 0; i < 60; ++i) {
      std::snprintf(line, sizeof line, "Line %2d: the champion defends his title against %d contenders", i, frame % 100);
      small->DrawText(line, 20, float(140 + i * 7), 0);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  bool useGL = true;
  const char* out = nullptr;
  int bench = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--renderer") && i + 1 < argc) useGL = std::strcmp(argv[++i], "dd") != 0;
    else if (!std::strcmp(argv[i], "--out") && i + 1 < argc) out = argv[++i];
    else if (!std::strcmp(argv[i], "--bench") && i + 1 < argc) bench = std::atoi(argv[++i]);
    else {
      std::fprintf(stderr, "usage: brawnmoor-testcard --renderer gl|dd [--out FILE.png] [--bench FRAMES]\n");
      return 2;
    }
  }
  KWindow* window = KTools::CreateWindow(useGL ? 1 : 0, 1);
  if (!window || !window->CreateGameWindow(800, 600, 32, true, "Brawnmoor test card")) {
    std::fprintf(stderr, "testcard: no window\n");
    delete window;
    return 1;
  }
  window->SetMaxFrameRate(-1);
  Card card;
  if (!card.Load()) return 1;
  int status = 0;
  if (bench > 0) {
    double start = nowMs();
    for (int f = 0; f < bench; ++f) {
      window->SetWorldView(0, 0, 0, 1.0f, true);
      card.DrawBenchmarkFrame(f);
      window->FlipBackBuffer(false, true);
    }
    double ms = (nowMs() - start) / bench;
    std::printf("%s: %.2f ms per frame (60 lines of text, 30 pictures, %d frames)\n",
                useGL ? "OpenGL" : "software", ms, bench);
  } else {
    window->SetWorldView(0, 0, 0, 1.0f, true);
    card.Draw();
    if (out && !window->SaveScreenshot(out, K_IMAGE_PNG, 0, 0)) status = 1;
    window->FlipBackBuffer(false, true);
  }
  card = Card{};
  delete window;
  return status;
}
