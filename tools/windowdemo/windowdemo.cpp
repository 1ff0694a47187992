// The window demo: opens a window with either renderer, draws moving coloured rectangles, follows
// the mouse, shows which keys and buttons are down and the last events the game callback saw.
//
//   brawnmoor-windowdemo [--renderer gl|dd] [--fullscreen] [--cursor] [--frames N]
//                        [--screenshot FILE] [--mouse X,Y]
//
// Keys: S saves "windowdemo%d.png" beside the program, left Shift + Print Screen the engine's
// own "screenshot%d.tga", F11 switches windowed / full screen, G darkens (gamma 0.6), C the
// software cursor, the wheel resizes the pointer box, Escape or closing the window quits.
// --frames ends after that many frames and --screenshot saves the last one (for scripted runs);
// --mouse places the pointer box where no pointer moves (a headless run).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "painter.h"
#include "tools/KTools.h"
#include "window/KInput.h"
#include "window/KWindow.h"
#include "window/KWindowFactory.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

struct Recent {
  int type;
  int button;
  int keyCode;
};
Recent recent[24];
int recentCount = 0;
int wheelSize = 40;

bool onEvent(KEvent* e) {
  if (e->type == K_EVENT_MOUSEMOVE) return true;  // too many to list
  for (int i = 23; i > 0; --i) recent[i] = recent[i - 1];
  recent[0] = Recent{e->type, e->button, e->keyCode};
  if (recentCount < 24) ++recentCount;
  if (e->type == K_EVENT_WHEEL) wheelSize = std::max(10, std::min(120, wheelSize + e->wheelDelta / 12));
  return true;
}

// The colour of an event type in the list of recent events.
void eventColor(int type, float& r, float& g, float& b) {
  switch (type) {
    case K_EVENT_BUTTONDOWN: r = 0.72f, g = 0.20f, b = 0.16f; break;
    case K_EVENT_BUTTONUP: r = 0.56f, g = 0.11f, b = 0.11f; break;
    case K_EVENT_DOUBLECLICK: r = 0.95f, g = 0.81f, b = 0.42f; break;
    case K_EVENT_CHARACTER: r = 0.94f, g = 0.90f, b = 0.82f; break;
    case K_EVENT_KEYDOWN: r = 0.20f, g = 0.44f, b = 0.75f; break;
    case K_EVENT_KEYUP: r = 0.12f, g = 0.31f, b = 0.55f; break;
    case K_EVENT_WHEEL: r = 0.25f, g = 0.64f, b = 0.30f; break;
    case K_EVENT_CONTEXTMENU: r = 0.83f, g = 0.64f, b = 0.22f; break;
    default: r = g = b = 0.5f; break;
  }
}

// A soft round spotlight sprite with alpha.
std::vector<uint32_t> spotSprite(int size) {
  std::vector<uint32_t> px(size_t(size) * size_t(size));
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      float dx = (x + 0.5f) / size * 2 - 1, dy = (y + 0.5f) / size * 2 - 1;
      float d = std::sqrt(dx * dx + dy * dy);
      float a = d >= 1 ? 0 : (1 - d) * (1 - d);
      uint32_t ai = uint32_t(a * 255);
      px[size_t(y) * size_t(size) + size_t(x)] = ai << 24 | 0xF2CE6Bu;
    }
  return px;
}

// The arena floor: a dark vignette with a lit ring canvas in the middle.
std::vector<uint32_t> arenaPicture() {
  std::vector<uint32_t> px(size_t(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      float dx = (x - 400.0f) / 400.0f, dy = (y - 330.0f) / 300.0f;
      float v = 1.0f - 0.55f * (dx * dx + dy * dy);
      float r = 0x12 + 0x0A * v, g = 0x14 + 0x0B * v, b = 0x18 + 0x0E * v;
      bool canvas = x > 190 && x < 610 && y > 170 && y < 500;
      if (canvas) {
        float c = 1.0f - 0.6f * (dx * dx + dy * dy);
        r = 0x1B + (0x2A - 0x1B) * c;
        g = 0x30 + (0x4A - 0x30) * c;
        b = 0x48 + (0x6B - 0x48) * c;
      }
      px[size_t(y) * kWidth + size_t(x)] = 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
    }
  return px;
}

}  // namespace

int main(int argc, char** argv) {
  bool useGL = false, fullScreen = false, cursor = false;
  int frames = -1, fixedX = -1, fixedY = -1;
  const char* screenshot = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--renderer") && i + 1 < argc) {
      useGL = !std::strcmp(argv[++i], "gl");
    } else if (!std::strcmp(argv[i], "--fullscreen")) {
      fullScreen = true;
    } else if (!std::strcmp(argv[i], "--cursor")) {
      cursor = true;
    } else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc) {
      screenshot = argv[++i];
    } else if (!std::strcmp(argv[i], "--mouse") && i + 1 < argc) {
      std::sscanf(argv[++i], "%d,%d", &fixedX, &fixedY);
    } else {
      std::fprintf(stderr,
                   "usage: %s [--renderer gl|dd] [--fullscreen] [--cursor] [--frames N] [--screenshot FILE] "
                   "[--mouse X,Y]\n",
                   argv[0]);
      return 2;
    }
  }

  KWindow* window = KTools::CreateWindow(useGL ? 1 : 0, 1);
  char title[64];
  std::snprintf(title, sizeof title, "Brawnmoor window demo (%s)", useGL ? "OpenGL" : "software");
  if (!window || !window->CreateGameWindow(kWidth, kHeight, 32, !fullScreen, title)) {
    std::fprintf(stderr, "windowdemo: the window could not be opened\n");
    delete window;
    return 1;
  }
  window->SetGameCallback(onEvent);
  window->SetSoftwareCursor(cursor);
  if (cursor) KInput::HideCursor();
  std::unique_ptr<Painter> painter = Painter::Create(window);
  std::vector<uint32_t> arena = arenaPicture();
  int arenaPic = painter->MakePicture(arena.data(), kWidth, kHeight, false);
  std::vector<uint32_t> spot = spotSprite(64);
  int spotPic = painter->MakePicture(spot.data(), 64, 64, true);

  struct Box {
    float x, y, vx, vy, w, h, r, g, b, a;
  } boxes[] = {
      {120, 90, 2.1f, 1.3f, 90, 60, 0.56f, 0.11f, 0.11f, 1.0f},
      {560, 120, -1.7f, 1.9f, 70, 70, 0.12f, 0.31f, 0.55f, 1.0f},
      {300, 380, 1.2f, -2.2f, 120, 40, 0.83f, 0.64f, 0.22f, 0.85f},
      {650, 420, -2.4f, -1.1f, 60, 90, 0.25f, 0.64f, 0.30f, 0.7f},
      {420, 250, 1.5f, 1.6f, 50, 50, 0.94f, 0.90f, 0.82f, 0.5f},
  };
  int shots = 0;
  bool gammaOn = false;
  std::vector<int> trailX(32, 400), trailY(32, 300);
  for (int frame = 0; !window->IsQuitting() && frames != 0; ++frame) {
    if (KInput::IsKeyDown(K_VK_ESCAPE)) break;
    if (KInput::IsKeyDown(K_VK_F11)) {
      KInput::WaitKeyReleased(K_VK_F11);
      window->SetFullScreen(!window->IsFullScreen());
      painter = Painter::Create(window);  // the software renderer made its device anew
      arenaPic = painter->MakePicture(arena.data(), kWidth, kHeight, false);
      spotPic = painter->MakePicture(spot.data(), 64, 64, true);
    }
    if (KInput::IsKeyDown(K_VK_A + ('G' - 'A'))) {
      KInput::WaitKeyReleased(K_VK_A + ('G' - 'A'));
      gammaOn = !gammaOn;
      window->SetGamma(gammaOn ? 0.6f : 1.0f);
    }
    if (KInput::IsKeyDown(K_VK_A + ('C' - 'A'))) {
      KInput::WaitKeyReleased(K_VK_A + ('C' - 'A'));
      cursor = !cursor;
      window->SetSoftwareCursor(cursor);
      if (cursor)
        KInput::HideCursor();
      else
        KInput::ShowCursor();
    }
    int mx = fixedX >= 0 ? fixedX : KInput::GetMouseX();
    int my = fixedY >= 0 ? fixedY : KInput::GetMouseY();

    window->SetClearColor(0.07f, 0.08f, 0.09f, 1);
    window->SetWorldView(0, 0, 0, 1.0f, true);
    painter->Blit(arenaPic, 0, 0, kWidth, kHeight, 0, 0, false);
    // Ropes and the gold trim of the ring.
    for (int i = 0; i < 3; ++i) {
      float inset = 12.0f * float(i);
      painter->FillRect(190 + inset, 170 + inset, 610 - inset, 173 + inset, 0.83f, 0.64f, 0.22f, 0.9f);
      painter->FillRect(190 + inset, 497 - inset, 610 - inset, 500 - inset, 0.83f, 0.64f, 0.22f, 0.9f);
    }
    for (Box& b : boxes) {
      b.x += b.vx;
      b.y += b.vy;
      if (b.x < 0 || b.x + b.w > kWidth) b.vx = -b.vx;
      if (b.y < 0 || b.y + b.h > kHeight) b.vy = -b.vy;
      painter->FillRect(b.x + 4, b.y + 4, b.x + b.w + 4, b.y + b.h + 4, 0, 0, 0, 0.35f);  // shadow
      painter->FillRect(b.x, b.y, b.x + b.w, b.y + b.h, b.r, b.g, b.b, b.a);
      painter->FillRect(b.x, b.y, b.x + b.w, b.y + 2, 0.95f, 0.81f, 0.42f, 1.0f);  // lit top edge
    }
    // The mouse: a spotlight and a trail, a box sized by the wheel, a cross-hair.
    trailX.insert(trailX.begin(), mx);
    trailY.insert(trailY.begin(), my);
    trailX.pop_back();
    trailY.pop_back();
    for (int i = 31; i >= 0; i -= 4)
      painter->FillRect(float(trailX[size_t(i)] - 3), float(trailY[size_t(i)] - 3), float(trailX[size_t(i)] + 3),
                        float(trailY[size_t(i)] + 3), 0.94f, 0.90f, 0.82f, 0.15f + 0.02f * float(31 - i));
    painter->Blit(spotPic, 0, 0, 64, 64, float(mx - 64), float(my - 64), true, 0xFFFFFFFFu, 128, 128);
    float half = float(wheelSize) / 2;
    bool left = KInput::IsLeftButtonDown(), right = KInput::IsRightButtonDown();
    painter->FillRect(mx - half, my - half, mx + half, my + half, left ? 0.72f : 0.12f, right ? 0.64f : 0.31f,
                      0.20f, 0.55f);
    painter->FillRect(0, float(my), kWidth, float(my + 1), 0.94f, 0.90f, 0.82f, 0.35f);
    painter->FillRect(float(mx), 0, float(mx + 1), kHeight, 0.94f, 0.90f, 0.82f, 0.35f);
    // The key table: one cell per engine key code, lit while the key is down.
    painter->FillRect(8, 540, 792, 592, 0.14f, 0.15f, 0.18f, 0.85f);
    for (int code = 0; code < 100; ++code) {
      float x = 14.0f + float(code % 50) * 15.5f, y = 546.0f + float(code / 50) * 22.0f;
      bool down = KInput::IsKeyDown(code);
      painter->FillRect(x, y, x + 12, y + 18, down ? 0.95f : 0.35f, down ? 0.81f : 0.35f, down ? 0.42f : 0.40f, 1);
    }
    // The events the callback saw, newest on the left.
    for (int i = 0; i < recentCount; ++i) {
      float r, g, b;
      eventColor(recent[i].type, r, g, b);
      float x = 10.0f + float(i) * 20.0f;
      painter->FillRect(x, 10, x + 16, 30, r, g, b, 1);
    }
    if (KInput::IsKeyDown(K_VK_A + ('S' - 'A'))) {
      KInput::WaitKeyReleased(K_VK_A + ('S' - 'A'));
      char name[64];
      std::snprintf(name, sizeof name, "windowdemo%d.png", ++shots);
      char path[1024];
      std::snprintf(path, sizeof path, "%s", KTools::GetDataPath(name));
      std::printf("%s %s\n", window->SaveScreenshot(path, K_IMAGE_PNG, 0, 0) ? "saved" : "could not save", path);
    }
    if (frames == 1 && screenshot) {
      // The last frame of a scripted run, saved before it is presented.
      const char* dot = std::strrchr(screenshot, '.');
      int format = K_IMAGE_PNG;
      if (dot && !strcasecmp(dot, ".bmp")) format = K_IMAGE_BMP;
      if (dot && (!strcasecmp(dot, ".jpg") || !strcasecmp(dot, ".jpeg"))) format = K_IMAGE_JPEG;
      if (dot && !strcasecmp(dot, ".tga")) format = K_IMAGE_TGA;
      if (!window->SaveScreenshot(screenshot, format, 0, 0)) std::fprintf(stderr, "windowdemo: could not save %s\n", screenshot);
    }
    window->FlipBackBuffer(true, true);
    if (frames > 0) --frames;
  }
  painter.reset();
  window->Terminate();
  delete window;
  return 0;
}
