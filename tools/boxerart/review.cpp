// The review sheets.
#include "review.h"

#include <cstdio>

#include "fightart.h"
#include "paint.h"
#include "photo.h"
#include "raster.h"

namespace boxerart {

namespace {

constexpr int kMargin = 16;

const Image* findFightPicture(const std::string& name) {
  for (const FightPicture& p : fightPictures())
    if (p.name == name) return &p.img;
  return nullptr;
}

void heading(cairo_t* cr, const std::string& text, double y) {
  font(cr, true, 17);
  labelLeft(cr, text, kMargin, y, pal::goldLit);
}

void note(cairo_t* cr, const std::string& text, double y) {
  font(cr, false, 12);
  labelLeft(cr, text, kMargin, y, pal::white, 0.85);
}

void background(cairo_t* cr, int w, int h) {
  cairo_rectangle(cr, 0, 0, w, h);
  vGradient(cr, 0, h, pal::arena1, pal::arena0);
  cairo_fill(cr);
}

void frame(cairo_t* cr, double x, double y, double w, double h) {
  cairo_rectangle(cr, x - 0.5, y - 0.5, w + 1, h + 1);
  rgba(cr, pal::gold, 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// Draws the part (sx, sy, w, h) of a picture at (x, y) of a canvas, turned by `turn` radians
// about its centre when asked.
void part(Canvas& c, const Image& img, int sx, int sy, int w, int h, double x, double y, double turn = 0) {
  Image piece = img.crop(sx, sy, w, h);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x + w / 2.0, y + h / 2.0);
  cairo_rotate(cr, turn);
  c.picture(piece, -w / 2.0, -h / 2.0);
  cairo_restore(cr);
}

Image loadOr(const std::string& path, int w, int h) {
  Image img;
  bool png = path.size() > 4 && path.substr(path.size() - 4) == ".png";
  bool ok = png ? readPng(path, img) : readJpeg(path, img);
  if (ok) return img;
  // Not drawn yet by the picture generator: a plain dark field of the same size.
  img = Image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.set(x, y, pal::arena0);
  return img;
}

// The fight screen in the ring view: two boxers, the K.O. picture, a crowd flash, the pace
// buttons (the middle one chosen) and the towel.
Image fightMock(const std::string& gfx) {
  Canvas c(800, 600);
  c.picture(loadOr(gfx + "/ringback.jpg", 800, 600), 0, 0);
  Image figures = loadOr(gfx + "/BOXERS.png", 1000, 875);
  part(c, figures, 125 * (47 % 8), 125 * (47 / 8), 125, 125, 120 - 62, 120 - 62, -kPi / 4);
  part(c, figures, 125 * (50 % 8), 125 * (50 / 8), 125, 125, 215 - 62, 215 - 62, 3 * kPi / 4);
  const Image* btn = findFightPicture("FIGHTBTN.png");
  for (int i = 0; i < 3; ++i) part(c, *btn, 122 * i, i == 1 ? 76 : 0, 120, 36, 12 + 124 * i, 454);
  part(c, *btn, 0, 160, 147, 35, 654, 556);
  part(c, *findFightPicture("FLASH.png"), 250, 0, 125, 100, 0, 502);
  c.picture(*findFightPicture("KO.png"), 190, 220);
  return c.image();
}

// The fight screen in text mode: the commentary list with its icons, the scroll buttons, the
// count and the continue button.
Image textMock(const std::string& gfx) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  c.picture(loadOr(gfx + "/ringback.jpg", 800, 600), 0, 0);
  c.picture(loadOr(gfx + "/text-only.png", 496, 440), 0, 0);
  const Image* icons = findFightPicture("FIGHTICO.png");
  static const char* lines[] = {"Round 3 of 10 starts!", "powerful left jab by Reyes",
                                "fast right uppercut by Okafor", "Reyes is knocked down!",
                                "Reyes gets back up!", "weak left body punch by Reyes"};
  const int kinds[] = {2, 1, 0, 1, 1, 1};
  font(cr, false, 13);
  for (int r = 0; r < 6; ++r) {
    labelLeft(cr, lines[r], 28, 88 + 30 * r, Col{1, 1, 1});
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d", 2 - r / 3, 59 - 7 * r);
    label(cr, clock, 382, 88 + 30 * r, Col{1, 1, 1});
    int cell = kinds[r] == 1 ? 0 : kinds[r] == 0 ? 1 : 2;
    part(c, *icons, 24 * cell, 0, 24, 24, 441, 72 + 30 * r);
  }
  const Image* btn = findFightPicture("FIGHTBTN.png");
  for (int i = 0; i < 3; ++i) part(c, *btn, 122 * i, i == 1 ? 76 : 0, 120, 36, 12 + 124 * i, 454);
  part(c, *btn, 370, 0, 36, 36, 404, 454);
  part(c, *btn, 410, 38, 36, 36, 446, 454);
  part(c, *btn, 0, 114, 124, 40, 316, 546);
  part(c, *findFightPicture("COUNT.png"), 48 * 1, 125 * 1, 48, 70, 190, 530);
  return c.image();
}

// The corner screen: four injury meters (10, 55, 85 and 30), the moderate and severe pictures
// where they apply, the round number before round 3.
Image cornerMock(const std::string& gfx) {
  Canvas c(800, 600);
  c.picture(loadOr(gfx + "/FIGHT.jpg", 800, 700).crop(0, 0, 800, 600), 0, 0);
  const Image* inj = findFightPicture("INJURY.png");
  const int injury[4] = {10, 55, 85, 30};
  for (int i = 0; i < 4; ++i) {
    if (150 - injury[i] > 0) part(c, *inj, 0, 0, 150 - injury[i], 8, 43, 125 + 130 * i);
    if (injury[i] > 40) part(c, *inj, injury[i] > 75 ? 152 : 0, 10 + 103 * i, 150, 101, 42, 21 + 130 * i);
  }
  part(c, *findFightPicture("ROUNDS.png"), 0, 59 * 2, 80, 59, 380, 340);
  return c.image();
}

}  // namespace

Image lineupTile(const Body& body, const Skin& skin) {
  const int s = 3;
  View v = lookAt(normalize(V3{-0.35, -1, 0.12}) * 3.1, V3{0, 0, -0.01}, 24, 56 * s, 136 * s);
  v.fx = v.fy;
  return render(body, skin, v, Shading::Studio).reduced(s);
}

void writeReviewSheets(const std::string& docsDir, const std::string& gfx,
                       const std::vector<Image>& photos, const std::vector<Image>& lineup,
                       const Body& firstBody, const Skin& firstSkin) {
  // The portraits.
  {
    const int tile = 128, gap = 8, cols = 8, rows = 5;
    const int w = 2 * kMargin + cols * tile + (cols - 1) * gap;
    const int h = 56 + rows * (tile + 26) + kMargin;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    background(cr, w, h);
    heading(cr, "The 38 boxers' photos (\"xboxer01.jpg\" .. \"xboxer38.jpg\", shown at half size)", 28);
    note(cr, "Faces 29..38 are the boxers of Cameroon, Dominica, Guinea, Jamaica, Namibia and Zambia.", 46);
    for (size_t i = 0; i < photos.size(); ++i) {
      double x = kMargin + double(i % cols) * (tile + gap), y = 56 + double(i / cols) * (tile + 26);
      c.picture(photos[i], x, y, 0.5);
      frame(cr, x, y, tile, tile);
      font(cr, true, 12);
      label(cr, "face " + std::to_string(i + 1), x + tile / 2.0, y + tile + 16, pal::white);
    }
    writePng(c.image(), docsDir + "/boxer-portraits.png", true);
  }
  // The models, the boxer screen's turntable, the fight pictures.
  {
    const int w = 2 * kMargin + 8 * 128 + 7 * 10;
    const int lineupTop = 56, turnTop = lineupTop + 2 * 160 + 40, mockTop = turnTop + 3 * 140 + 40;
    const int partsTop = mockTop + 264 + 52;
    const int h = partsTop + 330;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    background(cr, w, h);
    heading(cr, "The 38 models in guard (\"boxer01.K3D\" .. \"boxer38.K3D\" with their skins)", 28);
    note(cr, "Rendered by the generator's software 3D pass with the photo light; the same mesh "
             "layout and skin regions for every boxer.", 46);
    for (size_t i = 0; i < lineup.size(); ++i) {
      double x = kMargin + double(i % 19) * 56, y = lineupTop + double(i / 19) * 160;
      c.picture(lineup[i], x, y);
      font(cr, false, 11);
      label(cr, std::to_string(i + 1), x + 28, y + 150, pal::white, 0.8);
    }
    heading(cr, "Boxer 1 on the boxer screen, turning by 45 degrees (the 256 x 256 area over "
                "\"STARLET.jpg\")", turnTop - 20);
    note(cr, "Rows: the game's 3D pass, smooth and flat, as its lighting works out; the photo "
             "light. Same camera, model and skin.", turnTop - 4);
    Image stage = loadOr(gfx + "/STARLET.jpg", 544, 288).crop(0, 0, 256, 256);
    const Shading modes[3] = {Shading::EngineSmooth, Shading::EngineFlat, Shading::Studio};
    for (int row = 0; row < 3; ++row)
      for (int k = 0; k < 8; ++k) {
        View v = recordScreenView(180, 0, 45.0 * k, 2);
        Image fig = render(firstBody, firstSkin, v, modes[row]).reduced(2);
        Image area = stage;
        area.over(fig, 0, 0);
        double x = kMargin + k * 138, y = turnTop + 8 + row * 140;
        c.picture(area, x, y, 0.5);
        frame(cr, x, y, 128, 128);
      }
    heading(cr, "The fight and corner pictures on their screens (ring view, text mode, corner)",
            mockTop - 12);
    const Image mocks[3] = {fightMock(gfx), textMock(gfx), cornerMock(gfx)};
    for (int i = 0; i < 3; ++i) {
      double x = kMargin + i * 360;
      c.picture(mocks[i], x, mockTop, 0.44);
      frame(cr, x, mockTop, 352, 264);
    }
    heading(cr, "The pictures themselves", partsTop - 12);
    double x = kMargin;
    cairo_rectangle(cr, x, partsTop, w - 2 * kMargin, 310);
    rgba(cr, pal::canvasEdge);
    cairo_fill(cr);
    c.picture(*findFightPicture("KO.png"), x + 8, partsTop + 8);
    c.picture(*findFightPicture("TKO.png"), x + 196, partsTop + 8);
    c.picture(*findFightPicture("FIGHTICO.png"), x + 390, partsTop + 10, 2.0);
    c.picture(*findFightPicture("FLASH.png"), x + 8, partsTop + 86, 0.8);
    c.picture(*findFightPicture("FIGHTBTN.png"), x + 8, partsTop + 170, 0.7);
    c.picture(*findFightPicture("COUNT.png"), x + 420, partsTop + 86, 0.44);
    c.picture(*findFightPicture("INJURY.png"), x + 500, partsTop + 8, 0.7);
    c.picture(*findFightPicture("ROUNDS.png"), x + 730, partsTop + 8, 0.42);
    writePng(c.image(), docsDir + "/boxer-poses.png", true);
  }
}

}  // namespace boxerart
