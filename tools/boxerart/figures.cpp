// The figure sheets: the boxer's body posed for every frame, rendered straight from above by
// the software 3D pass under the ring's lights, with a soft shadow on the canvas.
#include "figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "body.h"
#include "boxers.h"
#include "paint.h"
#include "raster.h"
#include "skin.h"

namespace boxerart {

namespace {

constexpr double kDeg = kPi / 180;
constexpr int kSuper = 3;         // samples per pixel along each axis
constexpr double kCamera = 10;    // the camera's height over the hips, in model units
constexpr int kSheetMargin = 12;  // clear pixels round every figure (the shadow lies in them)
constexpr double kUpper = 0.267, kFore = 0.271;  // the arm's bones, metres (the guard's)

// ---- the two corners ------------------------------------------------------------------------
// One boxer stands for every boxer in the ring; the corners differ in kit only.
Look cornerLook(bool red) {
  Look l = look(1);
  l.skin = hexc(0xC8936B);
  l.hair = Hair::Crop;
  l.hairCol = hexc(0x221710);
  l.beard = Beard::None;
  l.style = Trunks::Stripes;
  l.trim = hexc(0xEDEAE2);
  l.gloveTrim = hexc(0xEDEAE2);
  l.boots = hexc(0x1A1A1D);
  l.socks = true;
  if (red) {
    l.trunks = l.band = hexc(0xC4211B);
    l.gloves = hexc(0xD02820);
  } else {
    l.trunks = l.band = hexc(0x1D5FD8);
    l.gloves = hexc(0x2469E6);
  }
  return l;
}

// ---- posing ---------------------------------------------------------------------------------
V3 shoulderAt(const Look& L, int side) { return {side * (0.160 * L.shoulders + 0.022), 0.004, 1.405}; }
V3 toChest(const Pose& P, V3 p) { return yaw(p - P.lean, -P.chestYaw); }
V3 toChestDir(const Pose& P, V3 d) { return yaw(d, -P.chestYaw); }
V3 fromChest(const Pose& P, V3 p) { return yaw(p, P.chestYaw) + P.lean; }
int armIndex(int side) { return side > 0 ? 1 : 0; }

// Puts the wrist of one arm at `wrist` (the chest's frame), the elbow bending towards `pole`,
// the bones keeping their lengths (a wrist out of reach is drawn in along the line).
void reach(Pose& P, const Look& L, int side, V3 wrist, V3 pole, V3 back) {
  V3 s = shoulderAt(L, side);
  V3 d = wrist - s;
  double len = std::max(0.02, length(d));
  const double most = 0.985 * (kUpper + kFore);
  if (len > most) {
    wrist = s + d * (most / len);
    len = most;
  }
  V3 e = normalize(wrist - s);
  double along = (kUpper * kUpper - kFore * kFore + len * len) / (2 * len);
  double off = std::sqrt(std::max(0.0, kUpper * kUpper - along * along));
  V3 q = normalize(pole - e * dot(e, pole));
  V3 elbow = s + e * along + q * off;
  ArmPose& a = P.arm[armIndex(side)];
  a.elbow = {elbow.x / L.shoulders, elbow.y, elbow.z};
  a.wrist = wrist;
  a.back = back;
}

const V3 kGuardBack{0.5, -1, 0};
V3 guardPole(int side) { return {side * 0.15, -0.3, -1}; }
V3 guardWrist(int side) { return guardPose().arm[armIndex(side)].wrist; }

// Both arms in guard for the chest as it now stands, the gloves moved by `shift` (metres).
void guard(Pose& P, const Look& L, V3 shift = {}) {
  for (int side = -1; side <= 1; side += 2)
    reach(P, L, side, guardWrist(side) + shift, guardPole(side), kGuardBack);
}

// Guard swing: j = -1, 0, 1 (frames 46..48 and 49..51): the upper body rocks from side to side.
// The ring's stance: the guard's, the feet a little closer together so that the figure keeps
// its size in the frame.
Pose ringGuard() {
  Pose P = guardPose();
  P.leg[1].ankle = V3{0.14, -0.15, 0.10};
  P.leg[0].ankle = V3{-0.15, 0.15, 0.10};
  return P;
}

Pose swingPose(const Look& L, int j) {
  Pose P = ringGuard();
  P.lean.x = 0.04 * j;
  P.chestYaw += 7 * kDeg * j;
  P.headYaw += 5 * kDeg * j;
  P.drop += 0.015 * std::abs(j);
  guard(P, L, V3{0.02 * j, -0.015 * std::abs(j), 0.02 * (1 - std::abs(j))});
  return P;
}

// Walking, phase k = 0..7 of the step: the stance opens and closes, the body rocks and bobs
// over the feet and the gloves ride with it.
Pose walkPose(const Look& L, int k) {
  Pose P = ringGuard();
  double ph = 2 * kPi * k / 8, s = std::sin(ph), c = std::cos(ph);
  P.leg[1].ankle = V3{0.14 + 0.02 * s, -0.15 - 0.07 * s, 0.10 + 0.05 * std::max(0.0, c)};
  P.leg[0].ankle = V3{-0.15 - 0.02 * s, 0.15 + 0.05 * s, 0.10 + 0.05 * std::max(0.0, -c)};
  P.drop += 0.02 * (1 - std::abs(s));
  P.lean.x = 0.025 * c;
  P.lean.y -= 0.015 * s;
  P.chestYaw += 5 * kDeg * s;
  P.pelvisYaw -= 5 * kDeg * s;
  guard(P, L, V3{0.0, -0.03 * s, 0.02 * c});
  return P;
}

double ease(double t) { return t * t * (3 - 2 * t); }

// The straight, a left lead hand thrown along the line to the other boxer; e runs from 0 (the
// guard) to 1 (the arm out at impact).
Pose straightPose(const Look& L, double e) {
  Pose P = ringGuard();
  double t = ease(e);
  P.chestYaw += -26 * kDeg * t;
  P.pelvisYaw += -9 * kDeg * t;
  P.lean.y -= 0.05 * t;
  P.lean.x += 0.02 * t;
  P.drop += 0.01 * t;
  // The rear hand stays up at the chin; the lead hand goes out from the turned shoulder.
  reach(P, L, -1, guardWrist(-1) + V3{0.01, -0.01, 0.01}, guardPole(-1), kGuardBack);
  V3 s = fromChest(P, shoulderAt(L, 1));
  V3 out = s + normalize(V3{-0.28, -1, 0.02}) * (0.8 * (kUpper + kFore));
  V3 w = lerp(fromChest(P, guardWrist(1)), out, t);
  V3 pole = lerp(guardPole(1), toChestDir(P, V3{0.8, 0, -1}), t);
  reach(P, L, 1, toChest(P, w), pole, lerp(kGuardBack, V3{0.2, -0.1, 1}, t));
  return P;
}

// The hook, the right hand swung round: out to the side, then round in front with the elbow
// up and the forearm across, the body turning into it. e from 0 (guard) to 1 (impact).
Pose hookPose(const Look& L, double e) {
  struct Key {
    double e, chest, pelvis;
    V3 wrist, pole;  // wrist: from the right shoulder, metres; pole: the elbow's way
  };
  const Key keys[] = {
      {0.0, -20, -25, V3{}, V3{}},
      {0.35, -30, -29, V3{-0.13, -0.16, -0.04}, V3{-1, 0.3, -0.2}},
      {0.7, -4, -14, V3{-0.08, -0.36, 0.0}, V3{-1, 0.2, 0.4}},
      {1.0, 22, 0, V3{0.13, -0.36, 0.02}, V3{-1, 0.3, 0.6}},
  };
  int i = 0;
  while (i < 2 && e > keys[i + 1].e) ++i;
  const Key &a = keys[i], &b = keys[i + 1];
  double t = ease(std::clamp((e - a.e) / (b.e - a.e), 0.0, 1.0));
  Pose P = ringGuard();
  P.chestYaw = mixd(a.chest, b.chest, t) * kDeg;
  P.pelvisYaw = mixd(a.pelvis, b.pelvis, t) * kDeg;
  P.headYaw = P.chestYaw * 0.4;
  P.lean.y -= 0.04 * e;
  P.lean.x -= 0.02 * std::sin(kPi * e);
  reach(P, L, 1, guardWrist(1) + V3{-0.01, 0.02, 0.01}, guardPole(1), kGuardBack);
  V3 s = fromChest(P, shoulderAt(L, -1));
  auto wristOf = [&](const Key& k) { return k.e == 0 ? fromChest(P, guardWrist(-1)) : s + k.wrist; };
  auto poleOf = [&](const Key& k) { return k.e == 0 ? toChestDir(P, V3{-0.2, -0.3, -1}) : toChestDir(P, k.pole); };
  V3 w = lerp(wristOf(a), wristOf(b), t);
  V3 pole = lerp(poleOf(a), poleOf(b), t);
  reach(P, L, -1, toChest(P, w), pole, lerp(kGuardBack, V3{0.3, -0.4, 1}, e));
  return P;
}

// Going down, k = 0 (kneeling, slumped) .. 7 (flat on his back, arms out by his head).
Pose downPose(const Look& L, int k) {
  const double tilt[8] = {-20, -5, 18, 38, 56, 72, 84, 90};
  const double hips[8] = {0.52, 0.36, 0.15, 0.14, 0.13, 0.12, 0.115, 0.11};
  Pose P = guardPose();
  P.tilt = tilt[k] * kDeg;
  P.hipHeight = hips[k];
  P.pelvisYaw = -6 * kDeg;
  P.chestYaw = -4 * kDeg;
  P.headYaw = (k < 2 ? -10 : 4 * k) * kDeg;
  P.lean = V3{0, k < 2 ? 0.02 : 0.0, 0};
  P.drop = 0.035;
  // Arms (in the chest's frame: y behind him, which is the floor once he lies back).
  struct ArmKey {
    V3 wrist, pole;
  };
  const ArmKey arms[8] = {
      {V3{0.24, -0.27, 0.97}, V3{0.5, 0.4, -1}},   // hanging in front
      {V3{0.22, -0.28, 1.03}, V3{0.6, 0.3, -1}},   // on the thighs
      {V3{0.36, 0.24, 1.02}, V3{1, 0.3, 0}},       // propped behind him
      {V3{0.42, 0.20, 1.08}, V3{1, 0.3, 0}},
      {V3{0.46, 0.12, 1.20}, V3{1, 0.2, -0.3}},    // on his elbows
      {V3{0.50, 0.08, 1.40}, V3{1, 0.1, -0.6}},
      {V3{0.50, 0.08, 1.56}, V3{1, 0.1, -0.9}},
      {V3{0.44, 0.07, 1.72}, V3{1, 0.1, -1}},      // up beside the head
  };
  for (int side = -1; side <= 1; side += 2) {
    V3 w = arms[k].wrist;
    // The right arm lies a little lower than the left: no two limbs fall alike.
    double lower = side < 0 ? 0.9 : 1.0;
    w = {side * w.x, w.y, 1.405 + (w.z - 1.405) * lower};
    V3 pole = {side * arms[k].pole.x, arms[k].pole.y, arms[k].pole.z};
    reach(P, L, side, w, pole, V3{0.5, 1, 0.2});
  }
  // Legs (model space, on the floor): kneeling with the shins back, then sitting with the
  // knees up, then stretched out with the toes turned up.
  for (int side = -1; side <= 1; side += 2) {
    LegPose& g = P.leg[side > 0 ? 1 : 0];
    if (k == 0) {
      g.ankle = {side * 0.14, 0.32, 0.07};
      g.pole = {0, -1, 0};
      g.foot = {side * 0.1, 1, -0.3};
      g.footUp = {0, 0.3, 1};
    } else if (k == 1) {
      g.ankle = {side * 0.17, 0.22, 0.07};
      g.pole = {0, -1, 0.2};
      g.foot = {side * 0.25, 1, -0.1};
      g.footUp = {0, 0.1, 1};
    } else {
      const double reachY[8] = {0, 0, -0.52, -0.64, -0.73, -0.79, -0.83, -0.85};
      double y = reachY[k], x = 0.2 + 0.012 * k;
      if (side < 0 && k >= 5) y += 0.1;  // the right knee stays bent
      g.ankle = {side * x, y, 0.09};
      g.pole = {side * 0.3, 0, 1};
      double up = smoothstep(3, 6, k);
      g.foot = lerp(V3{side * 0.3, -1, 0}, V3{side * 0.55, -0.35, 1}, up);
      g.footUp = lerp(V3{0, 0, 1}, V3{0, 1, 0.3}, up);
    }
  }
  return P;
}

// ---- frames ---------------------------------------------------------------------------------
struct Frame {
  Pose pose;
  bool red = false;
  bool used = false;
};

// The punch's progress on a frame: wind-up to the impact frame, then the way back.
double punchAt(int frame, int start, int impact) {
  if (frame <= impact) return double(frame - start) / (impact - start);
  return 0.55;
}

std::vector<Frame> boxerFrames(const Look& red, const Look& blue) {
  std::vector<Frame> f(kFigureCols * kFigureRows);
  for (int n = 0; n < kFigureFrames; ++n) {
    const bool isRed = figureIsRed(n);
    const Look& L = isRed ? red : blue;
    Pose P;
    if (n <= 8) P = walkPose(L, n % 8);
    else if (n <= 16) P = walkPose(L, n - 9);
    else if (n <= 24) P = straightPose(L, punchAt(n, 17, 23));
    else if (n <= 31) P = straightPose(L, punchAt(n, 24, 30));
    else if (n <= 38) P = hookPose(L, punchAt(n, 32, 37));
    else if (n <= 45) P = hookPose(L, punchAt(n, 39, 44));
    else if (n <= 48) P = swingPose(L, n - 47);
    else P = swingPose(L, n - 50);
    f[size_t(n)] = {P, isRed, true};
  }
  return f;
}

std::vector<Frame> downFrames() {
  std::vector<Frame> f(kDownCols * kDownRows);
  const Look red = cornerLook(true), blue = cornerLook(false);
  for (int n = 0; n < kDownFrames; ++n) {
    bool isRed = n >= 8;
    f[size_t(n)] = {downPose(isRed ? red : blue, n % 8), isRed, true};
  }
  return f;
}

// ---- rendering ------------------------------------------------------------------------------
// A posed body and where its hips are in the finished mesh's units.
struct Posed {
  Body body;
  double ax = 0, ay = 0;
};

Posed posed(const Look& L, const Pose& P) {
  Posed p;
  p.body = buildBody(L, P);
  p.ax = -p.body.shift.x;
  p.ay = -p.body.shift.y;
  return p;
}

// Where a point lands from above, per pixel of scale, relative to the hips.
void project(const Posed& p, V3 v, double& u, double& w) {
  double d = kCamera / (kCamera - v.z);
  u = (v.x - p.ax) * d;
  w = (v.y - p.ay) * d;
}

struct Extent {
  double u0 = 1e9, u1 = -1e9, v0 = 1e9, v1 = -1e9;
  void add(double u, double v) {
    u0 = std::min(u0, u);
    u1 = std::max(u1, u);
    v0 = std::min(v0, v);
    v1 = std::max(v1, v);
  }
};

Extent extentOf(const std::vector<Posed>& all) {
  Extent e;
  for (const Posed& p : all)
    for (const V3& v : p.body.pos) {
      double u, w;
      project(p, v, u, w);
      e.add(u, w);
    }
  return e;
}

// Separable box blur of an alpha plane, three passes (close to a Gaussian).
std::vector<float> blur(std::vector<float> a, int w, int h, int r) {
  std::vector<float> t(a.size());
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        float s = 0;
        for (int k = -r; k <= r; ++k) s += a[size_t(y) * w + std::clamp(x + k, 0, w - 1)];
        t[size_t(y) * w + x] = s / float(2 * r + 1);
      }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        float s = 0;
        for (int k = -r; k <= r; ++k) s += t[size_t(std::clamp(y + k, 0, h - 1)) * w + x];
        a[size_t(y) * w + x] = s / float(2 * r + 1);
      }
  }
  return a;
}

// One frame: the figure from above with its shadow on the canvas below it.
Image renderFrame(const Posed& p, const Skin& skin, int cw, int ch, double scale, double cx, double cy) {
  View v;
  v.move = {-p.ax, -p.ay, -kCamera};
  v.fx = v.fy = scale * kCamera * kSuper;
  v.cx = cx * kSuper;
  v.cy = cy * kSuper;
  v.w = cw * kSuper;
  v.h = ch * kSuper;
  Image fig = render(p.body, skin, v, Shading::Overhead).reduced(kSuper);
  // The shadow: the figure's outline, soft, a little towards the picture's bottom right (away
  // from the key light), and a tighter, darker one where the body meets the canvas.
  std::vector<float> a(size_t(cw) * ch, 0.f);
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) a[size_t(y) * cw + x] = float(fig.alpha(x, y));
  std::vector<float> wide = blur(a, cw, ch, 2), tight = blur(a, cw, ch, 1);
  Image out(cw, ch);
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) {
      int sx = std::max(0, x - 2), sy = std::max(0, y - 3);
      double s = 0.42 * wide[size_t(sy) * cw + sx] + 0.25 * tight[size_t(std::max(0, y - 1)) * cw + std::max(0, x - 1)];
      out.set(x, y, Col{0.02, 0.03, 0.05}, std::min(0.6, s));
    }
  out.over(fig, 0, 0);
  return out;
}

struct SheetLayout {
  int cw, ch, cols;
};

// Renders the frames into a sheet at `scale` pixels per model unit, the frames' common extent
// centred in the cells.
Image renderSheet(const std::vector<Frame>& frames, const std::vector<Posed>& bodies,
                  const Skin& red, const Skin& blue, SheetLayout lay, int rows, double scale, const Extent& e) {
  Image sheet(lay.cw * lay.cols, lay.ch * rows);
  const double cx = lay.cw / 2.0 - scale * (e.u0 + e.u1) / 2;
  const double cy = lay.ch / 2.0 + scale * (e.v0 + e.v1) / 2;
  for (size_t n = 0; n < frames.size(); ++n) {
    if (!frames[n].used) continue;
    Image cell = renderFrame(bodies[n], frames[n].red ? red : blue, lay.cw, lay.ch, scale, cx, cy);
    sheet.over(cell, int(n % size_t(lay.cols)) * lay.cw, int(n / size_t(lay.cols)) * lay.ch);
  }
  return sheet;
}

}  // namespace

bool figureIsRed(int n) {
  return n <= 8 || (n >= 17 && n <= 24) || (n >= 32 && n <= 38) || (n >= 46 && n <= 48);
}

FigureSheets makeFigureSheets(const std::string& gfxDir) {
  const Look red = cornerLook(true), blue = cornerLook(false);
  const Skin redSkin = paintSkin(red), blueSkin = paintSkin(blue);

  std::vector<Frame> bf = boxerFrames(red, blue), df = downFrames();
  std::vector<Posed> bb(bf.size()), db(df.size());
  std::vector<Posed> bUsed, dUsed;
  for (size_t i = 0; i < bf.size(); ++i)
    if (bf[i].used) bUsed.push_back(bb[i] = posed(bf[i].red ? red : blue, bf[i].pose));
  for (size_t i = 0; i < df.size(); ++i)
    if (df[i].used) dUsed.push_back(db[i] = posed(df[i].red ? red : blue, df[i].pose));

  // One size for both sheets: the largest at which every frame of either fits its cell.
  const Extent be = extentOf(bUsed), de = extentOf(dUsed);
  const double m = 2.0 * kSheetMargin;
  const double scale = std::min({(kFigureCell - m) / (be.u1 - be.u0), (kFigureCell - m) / (be.v1 - be.v0),
                                 (kDownCellW - m) / (de.u1 - de.u0), (kDownCellH - m) / (de.v1 - de.v0)});

  FigureSheets out;
  out.boxers = renderSheet(bf, bb, redSkin, blueSkin, {kFigureCell, kFigureCell, kFigureCols}, kFigureRows, scale, be);
  out.down = renderSheet(df, db, redSkin, blueSkin, {kDownCellW, kDownCellH, kDownCols}, kDownRows, scale, de);
  const Posed& g = bb[50];
  out.pixelsPerMetre = scale * g.body.scale;
  Extent sh;
  for (size_t i = 0; i < g.body.tris.size(); ++i) {
    const Tri& t = g.body.tris[i];
    if (t.part != kTorso && t.part != kArms) continue;
    for (int k = 0; k < 3; ++k) {
      const V3& v = g.body.pos[size_t(t.v[k])];
      if ((v.z + g.body.shift.z) / g.body.scale < 1.3) continue;
      double u, w;
      project(g, v, u, w);
      sh.add(u, w);
    }
  }
  out.shoulders = (sh.u1 - sh.u0) * scale;
  writePng(out.boxers, gfxDir + "/BOXERS.png");
  writePng(out.down, gfxDir + "/DOWN.png");
  return out;
}

// ---- the review picture -----------------------------------------------------------------------
namespace {

void canvasBackground(cairo_t* cr, double x, double y, double w, double h) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x + w / 2, y + h / 2, 10, x + w / 2, y + h / 2, std::max(w, h) * 0.7);
  cairo_pattern_add_color_stop_rgb(p, 0, pal::canvasLit.r, pal::canvasLit.g, pal::canvasLit.b);
  cairo_pattern_add_color_stop_rgb(p, 1, pal::canvasEdge.r, pal::canvasEdge.g, pal::canvasEdge.b);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void grid(Canvas& c, const Image& sheet, double x, double y, int cw, int ch, int cols, int frames,
          const char* (*what)(int)) {
  cairo_t* cr = c.cr();
  canvasBackground(cr, x, y, sheet.w, sheet.h);
  c.picture(sheet, x, y);
  for (int n = 0; n < (sheet.w / cw) * (sheet.h / ch); ++n) {
    double fx = x + (n % cols) * cw, fy = y + (n / cols) * ch;
    cairo_rectangle(cr, fx + 0.5, fy + 0.5, cw - 1, ch - 1);
    rgba(cr, pal::white, 0.12);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (n >= frames) continue;
    font(cr, true, 12);
    labelLeft(cr, std::to_string(n), fx + 4, fy + 14, pal::white, 0.9);
    font(cr, false, 10);
    labelLeft(cr, what(n), fx + 4, fy + ch - 5, pal::goldLit, 0.9);
  }
}

const char* boxerWhat(int n) {
  if (n <= 8) return n == 8 ? "walk (0)" : "walk";
  if (n <= 16) return "walk";
  if (n == 23 || n == 30) return "straight: impact";
  if (n == 37 || n == 44) return "hook: impact";
  if (n == 17 || n == 24 || n == 32 || n == 39) return n == 24 ? "straight back / start" : "start";
  if (n <= 31) return "straight";
  if (n <= 45) return "hook";
  return "guard";
}

const char* downWhat(int n) {
  static const char* w[8] = {"kneeling", "on his heels", "sitting", "falling back",
                             "on his elbows", "going flat", "going flat", "flat out"};
  return w[n % 8];
}

// A frame drawn as the ring view draws it: centred on (x, y), turned so that its front points
// along (sin f, cos f) of the screen.
void placed(Canvas& c, const Image& sheet, int frame, int cw, int ch, int cols, double x, double y,
            double facing, double scale) {
  Image piece = sheet.crop((frame % cols) * cw, (frame / cols) * ch, cw, ch);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, -facing * kDeg);
  cairo_scale(cr, scale, scale);
  c.picture(piece, -cw / 2.0, -ch / 2.0);
  cairo_restore(cr);
}

// The facing the fight step gives a boxer at (x, y) looking at (ox, oy).
double facingOf(double x, double y, double ox, double oy) {
  double dx = x - ox, dy = y - oy, d = std::max(1.0, std::hypot(dx, dy));
  double a = dx > 0 ? std::acos(dy / d) : 6.28 - std::acos(dy / d);
  return std::trunc(a * 57.32484 + 180);
}

}  // namespace

void writeFigureReview(const FigureSheets& s, const std::string& path) {
  const int margin = 16, w = 2 * margin + 1000, ringTop = 56 + 875 + 40 + 780 + 56;
  const int ring = 328, h = ringTop + ring + margin;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, w, h);
  vGradient(cr, 0, h, pal::arena1, pal::arena0);
  cairo_fill(cr);
  font(cr, true, 17);
  labelLeft(cr, "\"BOXERS.png\": 125 x 125 frames, red corner 0..8, 17..24, 32..38, 46..48; blue corner the others", margin, 28, pal::goldLit);
  font(cr, false, 12);
  char line[200];
  std::snprintf(line, sizeof line,
                "Rendered from above from the boxer model, facing down the picture at a turn of 0; "
                "%.0f px across the shoulders, %.0f px to the metre.", s.shoulders, s.pixelsPerMetre);
  labelLeft(cr, line, margin, 46, pal::white, 0.85);
  grid(c, s.boxers, margin, 56, kFigureCell, kFigureCell, kFigureCols, kFigureFrames, boxerWhat);
  const int downTop = 56 + 875 + 40;
  font(cr, true, 17);
  labelLeft(cr, "\"DOWN.png\": 160 x 260 frames, 0..7 the blue corner, 8..15 the red, kneeling to flat on his back",
            margin, downTop - 12, pal::goldLit);
  grid(c, s.down, margin, downTop, kDownCellW, kDownCellH, kDownCols, kDownFrames, downWhat);

  // Three moments in the ring, as the ring view places and turns them (scale 1).
  font(cr, true, 17);
  labelLeft(cr, "In the ring at 1:1 (a corner of it), turned as the fight step faces them: a straight landing, a hook landing, a count", margin, ringTop - 12, pal::goldLit);
  struct Moment {
    double rx, ry, bx, by;
    int redFrame, blueFrame;
    bool blueDown;
  };
  const Moment moments[3] = {{130, 130, 180, 165, 23, 50, false},
                             {200, 120, 160, 170, 47, 44, false},
                             {70, 80, 170, 190, 46, 7, true}};
  for (int i = 0; i < 3; ++i) {
    const Moment& m = moments[i];
    double x0 = margin + i * (ring + 8), y0 = ringTop;
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, ring, ring);
    cairo_clip(cr);
    canvasBackground(cr, x0, y0, ring, ring);
    cairo_rectangle(cr, x0 + 6, y0 + 6, ring + 20, ring + 20);
    rgba(cr, pal::white, 0.5);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    double fr = facingOf(m.rx, m.ry, m.bx, m.by), fb = facingOf(m.bx, m.by, m.rx, m.ry);
    if (m.blueDown) placed(c, s.down, m.blueFrame, kDownCellW, kDownCellH, kDownCols, x0 + m.bx, y0 + m.by, fb, 0.9);
    placed(c, s.boxers, m.redFrame, kFigureCell, kFigureCell, kFigureCols, x0 + m.rx, y0 + m.ry, fr, 1.0);
    if (!m.blueDown) placed(c, s.boxers, m.blueFrame, kFigureCell, kFigureCell, kFigureCols, x0 + m.bx, y0 + m.by, fb, 1.0);
    cairo_restore(cr);
  }
  writePng(c.image(), path, true);
}

}  // namespace boxerart
