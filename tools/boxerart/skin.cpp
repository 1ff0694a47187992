// Paints a boxer's skin picture. Each region is painted pixel by pixel from the part's own
// (u, v), so that the features land where the mesh puts them: the face's eyes, nose and mouth
// at the heights of the head's rings, the trunks' hem and the boots' tops at the legs' rings.
// A little shading is painted in (creases, hollows, under the chin), because the game's own 3D
// pass lights the figure evenly.
#include "skin.h"

#include <algorithm>
#include <utility>

#include "body.h"

namespace boxerart {

namespace {

struct Px {
  Col c;
  double shine = 0.25;
};

struct Ctx {
  const Look& L;
  uint32_t seed;
};

// Distance measure of (dx, dy) against an ellipse: 1 on its edge.
double ell(double dx, double dy, double rx, double ry) {
  return std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
}
// 1 inside an edge at `edge`, falling off over `soft`.
double inside(double d, double edge, double soft) { return 1 - smoothstep(edge - soft, edge + soft, d); }
double gauss(double x, double w) { return std::exp(-(x / w) * (x / w)); }
// 1 below e0 falling to 0 at e1.
double below(double x, double e0, double e1) { return 1 - smoothstep(e0, e1, x); }
// 1 between lo and hi, with edges `soft` wide.
double band(double x, double lo, double hi, double soft) {
  return smoothstep(lo - soft, lo + soft, x) * (1 - smoothstep(hi - soft, hi + soft, x));
}

bool inStar(double x, double y, double r) {
  // A five-pointed star, point up, as a ten-cornered polygon.
  double px[10], py[10];
  for (int i = 0; i < 10; ++i) {
    double a = -kPi / 2 + i * kPi / 5, rr = i % 2 ? r * 0.42 : r;
    px[i] = rr * std::cos(a);
    py[i] = rr * std::sin(a);
  }
  bool in = false;
  for (int i = 0, j = 9; i < 10; j = i++)
    if (((py[i] > y) != (py[j] > y)) && (x < (px[j] - px[i]) * (y - py[i]) / (py[j] - py[i]) + px[i]))
      in = !in;
  return in;
}

Col skinAt(const Ctx& c, double nx, double ny, int period) {
  double blotch = fbm(nx, ny, 3, c.seed + 11, period) - 0.5;
  double grain = vnoise(nx * 9, ny * 9, c.seed + 12, period * 9) - 0.5;
  double warm = fbm(nx * 0.7 + 3, ny * 0.7, 2, c.seed + 13, period) - 0.5;
  Col s = c.L.skin * (1 + 0.07 * blotch + 0.035 * grain);
  s.r *= 1 + 0.04 * warm;
  return s;
}

Col lipColour(const Look& L) {
  Col lip = L.skin * Col{0.84, 0.63, 0.63};
  return mix(lip, hexc(0xA85A55), 0.3 * smoothstep(0.35, 0.7, luma(L.skin)));
}

Col browColour(const Look& L) {
  Col c = L.hairCol;
  if (luma(c) > 0.3) c = c * 0.72;
  return c;
}

// ---- hair -------------------------------------------------------------------------------
// How the hair looks at (u, v) of the head: its colour and how much of the scalp it hides.
struct HairPx {
  Col c;
  double cover = 0;
  double shine = 0.15;
};

HairPx hairAt(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  HairPx hp;
  if (L.hair == Hair::Bald) return hp;
  double th = (u - 0.5) * 2 * kPi, h = 1 - v;
  double line = hairline(L, th) + 0.012 * (vnoise(u * 90, 0, c.seed + 21, 90) - 0.5);
  if (L.hair == Hair::Fringe)  // spiky tips over the brow
    line -= 0.025 * std::pow(std::abs(std::sin(th * 11)), 3) * smoothstep(1.2, 0.3, std::abs(th));
  double m = smoothstep(line - 0.01, line + 0.012, h);
  if (m <= 0) return hp;
  Col base = L.hairCol;
  double fine = vnoise(u * 220, v * 160, c.seed + 22, 220);
  double streak = fbm(u * 260, v * 14, 2, c.seed + 23, 260);
  double curl = fbm(u * 70, v * 55, 3, c.seed + 24, 70);
  double bright = 1, cover = m;
  switch (L.hair) {
    case Hair::Buzz:
      cover = m * (0.55 + 0.3 * fine);
      bright = 0.9;
      break;
    case Hair::Crop:
      bright = 0.75 + 0.5 * fbm(u * 150, v * 90, 2, c.seed + 25, 150);
      cover = m * smoothstep(0.0, 0.35, fine + (h - line) * 8);
      break;
    case Hair::Slick:
      bright = 0.7 + 0.55 * streak + 0.35 * gauss(h - 0.8, 0.05) * (0.6 + 0.4 * streak);
      hp.shine = 0.5;
      break;
    case Hair::Fringe:
      bright = 0.72 + 0.55 * streak;
      hp.shine = 0.3;
      break;
    case Hair::Curly:
    case Hair::Afro: {
      double k = L.hair == Hair::Afro ? 0.45 : 0.7;
      bright = 0.55 + k * smoothstep(0.3, 0.75, curl) + 0.15 * fine;
      hp.shine = 0.12;
      break;
    }
    case Hair::Twists: {
      // Rows of short coils, each lit on one side.
      double cx = u * 44, cy = v * 26 + 0.5 * std::floor(u * 44);
      double fx = cx - std::floor(cx) - 0.5, fy = cy - std::floor(cy) - 0.5;
      double coil = 1 - smoothstep(0.25, 0.5, std::abs(fx));
      double wind = 0.5 + 0.5 * std::sin((fy * 3 + fx * 1.5) * 2 * kPi);
      bright = 0.45 + 0.55 * coil * (0.6 + 0.4 * wind) + 0.1 * fine;
      hp.shine = 0.2;
      break;
    }
    case Hair::Cornrows: {
      double ph = u * 18 - std::floor(u * 18);
      double braid = 1 - std::abs(ph - 0.5) * 2;  // 1 on a row's middle, 0 at a parting
      double plait = 0.5 + 0.5 * std::sin((v * 70 + ph * 3) * 2 * kPi);
      cover = m * smoothstep(0.12, 0.3, braid);
      bright = 0.55 + 0.5 * braid * (0.55 + 0.45 * plait);
      hp.shine = 0.35;
      break;
    }
    case Hair::FlatTop:
    case Hair::Ridge: {
      double dense = L.hair == Hair::FlatTop
                         ? smoothstep(0.58, 0.7, h)
                         : std::exp(-std::pow(std::sin(th) / 0.4, 2)) * smoothstep(0.52, 0.7, h);
      bright = 0.7 + 0.45 * fbm(u * 150, v * 110, 2, c.seed + 26, 150);
      if (L.hair == Hair::Ridge) bright = 0.55 + 0.7 * smoothstep(0.3, 0.75, curl);
      cover = m * mixd(0.5 + 0.3 * fine, 1.0, dense);
      break;
    }
    case Hair::Receding:
      cover = m * (1 - smoothstep(0.74, 0.83, h)) * (0.75 + 0.25 * fine);
      bright = 0.75 + 0.45 * streak;
      break;
    case Hair::Bald:
      break;
  }
  hp.c = base * bright;
  hp.cover = clamp01(cover);
  return hp;
}

// ---- head --------------------------------------------------------------------------------
Px headPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  const double H = kHeadHeight;
  double th = (u - 0.5) * 2 * kPi, h = 1 - v;
  double X = th * kHeadRadius, Y = h * H, ax = std::abs(X), ath = std::abs(th);
  Px p;
  p.c = skinAt(c, u * 26, v * 20, 26);
  double shade = 1;
  // Under the chin and along the jaw.
  shade *= 1 - 0.3 * (1 - smoothstep(0.02, 0.095, h));
  shade *= 1 - 0.12 * (1 - smoothstep(0.07, 0.15, h)) * smoothstep(0.35, 0.9, ath);
  // Eye sockets and the brow's shadow; a highlight on the brow bone and the cheekbones.
  for (int s = -1; s <= 1; s += 2) {
    double d = ell(X - s * headAt::eyeX, Y - (headAt::eyes * H + 0.002), 0.021, 0.0125);
    shade *= 1 - 0.17 * inside(d, 0.75, 0.35);
    shade *= 1 + 0.07 * gauss(Y - headAt::brow * H - 0.006, 0.004) * gauss(X - s * 0.03, 0.02);
    shade *= 1 + 0.06 * gauss(Y - headAt::cheek * H, 0.008) * gauss(X - s * 0.045, 0.012);
    // The cheek's hollow below the bone.
    shade *= 1 - 0.06 * gauss(Y - 0.3 * H, 0.01) * gauss(X - s * 0.05, 0.012);
  }
  // The nose: darker sides, a lit ridge, the shadow under it, the nostrils.
  double noseSpan = 1 - smoothstep(0.6, 1.0, std::abs(Y - 0.36 * H) / (0.095 * H));
  shade *= 1 - 0.11 * noseSpan * gauss(ax - 0.0125 * L.noseW, 0.005);
  shade *= 1 + 0.07 * noseSpan * gauss(ax, 0.004);
  shade *= 1 - 0.2 * gauss(Y - 0.247 * H, 0.003) * (1 - smoothstep(0.01, 0.018, ax));
  // Nasolabial folds.
  for (int s = -1; s <= 1; s += 2) {
    double t = clamp01((0.26 * H - Y) / (0.09 * H));
    double fx = s * (0.017 * L.noseW + 0.01 * t);
    shade *= 1 - 0.08 * gauss(X - fx, 0.0025) * (Y < 0.26 * H && Y > 0.15 * H ? 1 : 0);
  }
  // Under the lower lip.
  const double mouthY = headAt::mouth * H;
  shade *= 1 - 0.15 * gauss(Y - (mouthY - 0.0095 * L.lips), 0.0028) * (1 - smoothstep(0.012, 0.021, ax));
  // Forehead and the back of the skull.
  shade *= 1 + 0.04 * gauss(Y - 0.63 * H, 0.02) * gauss(X, 0.03);
  p.c = p.c * shade;
  // Warm cheeks on lighter skins.
  double light = smoothstep(0.3, 0.65, luma(L.skin));
  for (int s = -1; s <= 1; s += 2) {
    double d = ell(X - s * 0.042, Y - 0.34 * H, 0.02, 0.016);
    p.c = mix(p.c, p.c * Col{1.05, 0.88, 0.86}, 0.45 * light * inside(d, 0.6, 0.5));
  }
  p.c = mix(p.c, p.c * Col{1.04, 0.9, 0.88}, 0.3 * light * gauss(ax, 0.006) * noseSpan);
  if (L.freckles) {
    double cell = hash2(int(u * 420), int(v * 300), c.seed + 31);
    double zone = (1 - smoothstep(0.3, 0.5, std::abs(h - 0.38))) * (1 - smoothstep(0.04, 0.06, ax));
    if (cell > 0.86) p.c = mix(p.c, p.c * Col{0.82, 0.66, 0.55}, 0.6 * zone);
  }
  p.shine = 0.22 + 0.15 * gauss(Y - 0.65 * H, 0.03) * gauss(X, 0.04) + 0.12 * noseSpan * gauss(ax, 0.008);

  // Nostrils.
  for (int s = -1; s <= 1; s += 2) {
    double d = ell(X - s * 0.0078 * L.noseW, Y - 0.262 * H, 0.0044, 0.0023);
    p.c = mix(p.c, p.c * 0.35, inside(d, 0.8, 0.3));
  }

  // Lips and the mouth line.
  {
    double lw = 0.0215 * (0.94 + 0.08 * L.lips);
    double t = ax / lw;
    if (t < 1.2) {
      double tt = std::min(1.0, t);
      double top = mouthY + 0.0046 * L.lips * (1 - tt * tt) + 0.0009 * gauss(ax - 0.0045, 0.0025);
      double bottom = mouthY - 0.0066 * L.lips * std::sqrt(std::max(0.0, 1 - tt * tt));
      double ends = 1 - smoothstep(0.92, 1.08, t);
      double upper = band(Y, mouthY, top, 0.0004) * ends;
      double lower = band(Y, bottom, mouthY, 0.0004) * ends;
      Col lip = lipColour(L);
      p.c = mix(p.c, lip * 0.86, upper * 0.9);
      double lit = 1 + 0.18 * gauss(Y - (mouthY - 0.0028 * L.lips), 0.0018) * gauss(ax, 0.009);
      p.c = mix(p.c, lip * lit, lower * 0.9);
      p.shine = mixd(p.shine, 0.45, std::max(upper, lower));
      double line = gauss(Y - mouthY, 0.0008) * (1 - smoothstep(0.8, 1.05, t));
      p.c = p.c * (1 - 0.65 * line);
      // The corners of the mouth.
      p.c = p.c * (1 - 0.3 * gauss(ax - lw, 0.0018) * gauss(Y - mouthY, 0.002));
    }
  }

  // Eyes.
  for (int s = -1; s <= 1; s += 2) {
    double ex = s * headAt::eyeX, ey = headAt::eyes * H;
    double dx = X - ex, dyRaw = Y - ey;
    const double ew = 0.0134;
    double t = dx / ew;
    double outward = s * t;  // +1 at the outer corner
    double dy = dyRaw - 0.0011 * outward;
    double open = L.eyeOpen;
    double up = 0.0052 * open * (1 - t * t) + 0.0004;
    double lo = -0.0033 * open * (1 - t * t) - 0.0002;
    if (std::abs(t) < 1.35) {
      // Lid crease above the eye.
      p.c = p.c * (1 - 0.14 * gauss(dy - (up + 0.0032), 0.0009) * (1 - smoothstep(0.7, 1.1, std::abs(t))));
      double in = smoothstep(lo - 0.0003, lo + 0.0003, dy) * (1 - smoothstep(up - 0.0003, up + 0.0003, dy)) *
                  (1 - smoothstep(0.93, 1.02, std::abs(t)));
      if (in > 0) {
        Col sclera = Col{0.9, 0.87, 0.82} * (0.95 - 0.2 * t * t);
        double r = std::hypot(dx + s * 0.0004, dy - 0.0002);
        double iris = 1 - smoothstep(0.0048, 0.0054, r);
        double pupil = 1 - smoothstep(0.0019, 0.0024, r);
        Col ic = L.eyes * (0.75 + 0.5 * smoothstep(0.005, 0.002, r)) *
                 (1 - 0.35 * smoothstep(0.0040, 0.0052, r));
        Col e = mix(sclera, ic, iris);
        e = mix(e, Col{0.03, 0.03, 0.03}, pupil);
        // The upper lid's shadow across the top of the eye.
        e = e * (1 - 0.35 * smoothstep(up - 0.0025, up, dy));
        double glint = 1 - smoothstep(0.0006, 0.0011, std::hypot(dx + s * 0.0004 + 0.0016, dy - 0.0017));
        e = mix(e, Col{0.95, 0.95, 0.95}, glint * 0.9);
        p.c = mix(p.c, e, in);
        p.shine = mixd(p.shine, 0.8, in);
      }
      // The upper lid's line with the lashes, running past the outer corner.
      double lidY = up + 0.0002 - 0.0006 * std::max(0.0, outward - 0.9);
      double span = 1 - smoothstep(0.95, 1.25, std::abs(t) + (outward > 0 ? -0.12 : 0.1));
      double lid = gauss(dy - lidY, 0.0009) * span;
      p.c = mix(p.c, Col{0.07, 0.05, 0.045}, 0.85 * lid);
      double lower = gauss(dy - lo, 0.0006) * (1 - smoothstep(0.8, 1.02, std::abs(t)));
      p.c = p.c * (1 - 0.35 * lower);
    }
  }

  // Eyebrows.
  Col brow = browColour(L);
  for (int s = -1; s <= 1; s += 2) {
    const double inner = 0.0115, outer = 0.051;
    double t = (s * X - inner) / (outer - inner);
    if (t > -0.2 && t < 1.2) {
      double tc = clamp01(t);
      double yc = headAt::brow * H + 0.0015 + 0.0042 * std::sin(kPi * tc) - 0.0016 * tc;
      double thick = 0.0052 * L.browHeavy * (1 - 0.5 * tc);
      double d = std::abs(Y - yc) / (thick / 2);
      double ends = smoothstep(-0.15, 0.05, t) * (1 - smoothstep(0.92, 1.12, t));
      double strands = 0.65 + 0.35 * vnoise(X * 1500, Y * 5000, c.seed + 41);
      double m = inside(d, 0.85, 0.3) * ends * strands;
      p.c = mix(p.c, brow, 0.92 * m);
    }
  }
  if (L.scar) {
    // A pale scar through the left eyebrow.
    double x0 = 0.025, y0 = 0.117, x1 = 0.034, y1 = 0.141;
    double dx = x1 - x0, dy = y1 - y0;
    double tx = clamp01(((X - x0) * dx + (Y - y0) * dy) / (dx * dx + dy * dy));
    double d = std::hypot(X - (x0 + tx * dx), Y - (y0 + tx * dy));
    p.c = mix(p.c, L.skin * Col{1.12, 0.98, 0.95}, 0.75 * (1 - smoothstep(0.0006, 0.0011, d)));
  }

  // Facial hair.
  double lipMask = 0;
  {
    double lw = 0.0215 * (0.94 + 0.08 * L.lips), t = ax / lw;
    if (t < 1.15) {
      double top = mouthY + 0.0048 * L.lips, bottom = mouthY - 0.0068 * L.lips;
      lipMask = below(t, 1.0, 1.15) * band(Y, bottom - 0.0005, top + 0.0005, 0.0005);
    }
  }
  Col whisker = L.hairCol * 0.85;
  double stubbleTop = 0.3 + 0.12 * smoothstep(0.6, 1.3, ath);
  double stubbleZone = below(h, stubbleTop, stubbleTop + 0.04) * below(ath, 1.35, 1.55) *
                       smoothstep(0.03, 0.07, h) * (1 - lipMask);
  if (L.beard == Beard::Stubble || L.beard == Beard::Full || L.beard == Beard::Goatee ||
      L.beard == Beard::Moustache || L.beard == Beard::ChinStrap) {
    double dots = smoothstep(0.45, 0.75, vnoise(u * 700, v * 520, c.seed + 51, 700));
    double amount = L.beard == Beard::Stubble ? 0.55 : 0.25;
    p.c = mix(p.c, whisker, amount * dots * stubbleZone);
  }
  auto hairy = [&](double m, double scale) {
    if (m <= 0) return;
    double strands = 0.55 + 0.8 * fbm(u * 520 * scale, v * 110 * scale, 2, c.seed + 52, int(520 * scale));
    // A ragged edge: single hairs thin out where the beard ends.
    double fleck = vnoise(u * 700, v * 520, c.seed + 53, 700);
    double cover = clamp01(m * (m < 0.999 ? 0.6 + 0.8 * fleck : 1.0));
    p.c = mix(p.c, L.hairCol * 1.08 * strands, cover);
    p.shine = mixd(p.shine, 0.12, cover);
  };
  if (L.beard == Beard::Moustache || L.beard == Beard::Goatee || L.beard == Beard::Full) {
    double lipTop = mouthY + 0.0046 * L.lips;
    double top = std::min(headAt::noseBase * H - 0.0025,
                          lipTop + 0.0075 - 0.002 * smoothstep(0.0, 0.025, ax));
    double droop = smoothstep(0.012, 0.026, ax) * 0.011;
    double lowEdge = lipTop - 0.0004 - droop;
    double m = band(Y, lowEdge, top, 0.0007) * below(ax, 0.026, 0.029);
    m *= (1 - lipMask * (Y < lipTop ? 1 : 0));
    hairy(m, 1.0);
  }
  if (L.beard == Beard::Goatee) {
    double bottomLip = mouthY - 0.0068 * L.lips;
    double patch = below(ax, 0.017, 0.02) * below(Y, bottomLip - 0.0015, bottomLip - 0.0005) *
                   smoothstep(0.035, 0.05, h);
    double sides = below(std::abs(ax - 0.0245), 0.0025, 0.0035) *
                   below(Y, mouthY + 0.003, mouthY + 0.005) * smoothstep(0.05, 0.08, h);
    hairy(std::max(patch, sides) * (1 - lipMask), 1.0);
  }
  if (L.beard == Beard::Full) {
    double cover = beardCover(L, th, h);
    hairy(smoothstep(0.25, 0.6, cover) * (1 - lipMask), 0.8);
  }
  if (L.beard == Beard::ChinStrap) {
    double centre = 0.055 + 0.36 * smoothstep(0.45, 1.45, ath);
    double m = (1 - smoothstep(0.016, 0.024, std::abs(h - centre))) * (1 - smoothstep(1.45, 1.6, ath));
    hairy(m, 1.0);
  }

  // Hair over the scalp.
  HairPx hp = hairAt(c, u, v);
  if (hp.cover > 0) {
    p.c = mix(p.c, hp.c, hp.cover);
    p.shine = mixd(p.shine, hp.shine, hp.cover);
  }
  if (L.hair == Hair::Bald || L.hair == Hair::Receding) {
    // The shaved or bare crown catches the light.
    double crown = smoothstep(0.7, 0.95, h) * (1 - hp.cover);
    p.shine = mixd(p.shine, 0.55, crown);
  }
  return p;
}

// ---- torso ---------------------------------------------------------------------------------
Col trunksFabric(const Ctx& c, Col base, double u, double v, int period, double vScale) {
  double folds = fbm(u * period, v * vScale, 3, c.seed + 61, period);
  double sheen = 0.82 + 0.32 * smoothstep(0.35, 0.8, folds);
  double weave = 1 + 0.025 * (vnoise(u * period * 20, v * vScale * 40, c.seed + 62, period * 20) - 0.5);
  return base * (sheen * weave);
}

// Trim colour on the sides of the trunks by style; th is the angle from the front.
double trunksTrim(const Look& L, double th) {
  double side = std::abs(std::abs(th) - kPi / 2);
  switch (L.style) {
    case Trunks::Stripes: return 1 - smoothstep(0.09, 0.12, side);
    case Trunks::Panels: return 1 - smoothstep(0.36, 0.4, side);
    default: return 0;
  }
}

Px torsoPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi, ath = std::abs(th);
  double z = torsoZ(v);
  Px p;
  if (z < kWaistbandTop) {
    if (z >= kWaistbandBottom) {
      // Waistband: ribbed, trimmed at both edges.
      double ribs = 0.93 + 0.07 * std::sin((z - kWaistbandBottom) * 2 * kPi / 0.012);
      p.c = L.band * ribs * (0.9 + 0.15 * fbm(u * 30, v * 4, 2, c.seed + 63, 30));
      double edge = std::min(z - kWaistbandBottom, kWaistbandTop - z);
      bool contrast = luma(L.band) - luma(L.trunks) > 0.15 || luma(L.trunks) - luma(L.band) > 0.15;
      if (!contrast) p.c = mix(p.c, L.trim, 1 - smoothstep(0.004, 0.0055, edge));
      if (L.style == Trunks::Stars) {
        double cell = th / 0.42;
        double cx = (std::round(cell) - cell) * 0.42 * 0.15;
        if (inStar(cx, (z - (kWaistbandBottom + kWaistbandTop) / 2), 0.019)) p.c = L.trim;
      }
      p.c = p.c * (1 - 0.25 * gauss(edge, 0.002));
      p.shine = 0.45;
    } else {
      p.c = trunksFabric(c, L.trunks, u, v, 9, 3);
      double trim = trunksTrim(L, th);
      if (trim > 0) p.c = mix(p.c, trunksFabric(c, L.trim, u, v, 9, 3), trim);
      if (L.style == Trunks::Panels) {
        double side = std::abs(std::abs(th) - kPi / 2);
        p.c = p.c * (1 - 0.3 * gauss(side - 0.38, 0.015));
      }
      // Shade under the waistband and down towards the crotch and the seat.
      p.c = p.c * (1 - 0.22 * gauss(z - kWaistbandBottom, 0.012));
      p.c = p.c * (1 - 0.35 * (1 - smoothstep(0.87, 0.96, z)));
      p.shine = 0.55;
    }
    return p;
  }
  p.c = skinAt(c, u * 30, v * 30, 30);
  double shade = 1, mus = clamp01((L.muscle - 0.88) / 0.3), lean = 1 - clamp01(L.belly * 1.4);
  // Chest: the lower line of the chest muscles and their lit tops.
  double pecLine = 1.287 - 0.035 * std::pow(ath - 0.5, 2) - 0.01 * L.belly;
  double pecSide = (1 - smoothstep(1.05, 1.3, ath)) * smoothstep(0.04, 0.12, ath);
  shade *= 1 - (0.18 + 0.1 * mus) * gauss(z - (pecLine - 0.008), 0.011) * pecSide;
  shade *= 1 + (0.05 + 0.05 * mus) * gauss(z - 1.345, 0.03) * pecSide;
  shade *= 1 - 0.1 * gauss(th, 0.05) * smoothstep(1.27, 1.31, z) * (1 - smoothstep(1.42, 1.45, z));
  // Nipples.
  for (int s = -1; s <= 1; s += 2) {
    double d = ell(th - s * 0.62, z - (pecLine + 0.02), 0.07, 0.011);
    p.c = mix(p.c, L.skin * Col{0.66, 0.52, 0.5}, 0.8 * inside(d, 0.75, 0.35));
  }
  // Stomach: the middle line and the rows of muscle, the navel, the soft belly.
  double absZone = below(ath, 0.3, 0.42) * band(z, kWaistbandTop + 0.02, 1.265, 0.015);
  shade *= 1 - (0.05 + 0.12 * mus) * lean * gauss(th, 0.035) * absZone;
  for (double row : {1.175, 1.222}) shade *= 1 - 0.1 * mus * lean * gauss(z - row, 0.005) * absZone;
  shade *= 1 - 0.08 * lean * gauss(ath - 0.38, 0.05) * absZone;  // the sides of the stomach
  {
    double d = ell(th, z - 1.142, 0.045, 0.007);
    p.c = p.c * (1 - 0.45 * inside(d, 0.8, 0.3));
  }
  shade *= 1 + 0.06 * L.belly * gauss(z - 1.18, 0.04) * gauss(th, 0.5);
  // Collarbones and the notch between them.
  double clav = 1.452 - 0.03 * ath;
  double clavSpan = smoothstep(0.08, 0.16, ath) * (1 - smoothstep(0.9, 1.1, ath));
  shade *= 1 + 0.08 * gauss(z - clav, 0.005) * clavSpan;
  shade *= 1 - 0.1 * gauss(z - (clav - 0.012), 0.006) * clavSpan;
  shade *= 1 - 0.12 * gauss(th, 0.06) * gauss(z - 1.47, 0.012);
  // Under the arms, the flanks, the shoulder blades and the spine.
  shade *= 1 - 0.2 * gauss(ath - kPi / 2, 0.25) * smoothstep(1.2, 1.3, z) * (1 - smoothstep(1.42, 1.47, z));
  shade *= 1 - 0.08 * gauss(ath - kPi / 2, 0.35);
  shade *= 1 - 0.12 * gauss(ath - kPi, 0.06) * smoothstep(1.12, 1.2, z);
  for (int s = -1; s <= 1; s += 2) shade *= 1 + 0.06 * gauss(th - s * 2.45, 0.2) * gauss(z - 1.37, 0.05);
  // The skin just above the waistband lies in its shadow.
  shade *= 1 - 0.22 * gauss(z - kWaistbandTop, 0.008);
  p.c = p.c * shade;
  if (L.chestHair) {
    double zone = gauss(th, 0.45) * gauss(z - 1.33, 0.06) +
                  gauss(th, 0.07) * smoothstep(1.14, 1.2, z) * below(z, 1.3, 1.32);
    double dots = smoothstep(0.5, 0.8, vnoise(u * 500, v * 420, c.seed + 64, 500));
    p.c = mix(p.c, L.hairCol * 0.9, 0.7 * clamp01(zone) * dots);
  }
  p.shine = 0.3;
  return p;
}

// ---- limbs -----------------------------------------------------------------------------------
Px legsPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi, ath = std::abs(th);
  Px p;
  if (v < legAt::hem) {
    p.c = trunksFabric(c, L.trunks, u, v, 6, 4);
    // Both legs turn the texture's u = 0.25 (th = -pi / 2) outwards: the trim runs there only.
    double trim = trunksTrim(L, th) * (th < 0 ? 1 : 0);
    if (trim > 0) p.c = mix(p.c, trunksFabric(c, L.trim, u, v, 6, 4), trim);
    // The hem: a band of trim (or of the waistband's colour on striped trunks).
    double hem = smoothstep(legAt::hem - 0.028, legAt::hem - 0.024, v);
    Col hemCol = L.style == Trunks::Stripes ? L.band : L.trim;
    if (L.style == Trunks::Plain && luma(L.trim) < 0.15 && luma(L.trunks) < 0.15) hemCol = L.band;
    p.c = mix(p.c, hemCol * 0.95, hem);
    p.c = p.c * (1 - 0.25 * (1 - smoothstep(0.0, 0.08, v)));
    p.c = p.c * (1 - 0.3 * smoothstep(legAt::hem - 0.004, legAt::hem, v));
    p.shine = 0.55;
    return p;
  }
  if (v < legAt::hemSkin) {
    // The inside of the hem's opening.
    p.c = L.trunks * 0.35;
    p.shine = 0.1;
    return p;
  }
  if (v < legAt::bootTop) {
    p.c = skinAt(c, u * 14, v * 40, 14);
    double shade = 1;
    shade *= 1 - 0.3 * gauss(v - legAt::hemSkin, 0.02);  // under the trunks
    // The knee: a lit cap with a crease above and below, the hollow behind it.
    double kd = ell(th, v - legAt::knee, 0.55, 0.035);
    shade *= 1 + 0.08 * inside(kd, 0.7, 0.4);
    shade *= 1 - 0.1 * gauss(v - (legAt::knee - 0.045), 0.008) * gauss(th, 0.6);
    shade *= 1 - 0.12 * gauss(ath - kPi, 0.5) * gauss(v - legAt::knee, 0.03);
    // Thigh muscle above the knee, the calf's bulge.
    shade *= 1 + 0.05 * gauss(v - 0.42, 0.06) * gauss(th, 0.8);
    shade *= 1 + 0.06 * gauss(v - 0.64, 0.03) * gauss(ath - kPi, 0.9);
    p.c = p.c * shade;
    if (L.socks && v > legAt::sockTop) {
      double rib = 0.9 + 0.1 * std::sin(u * 2 * kPi * 40);
      p.c = Col{0.9, 0.89, 0.86} * rib * (1 - 0.2 * gauss(v - legAt::sockTop, 0.006));
      p.shine = 0.05;
    } else {
      p.shine = 0.25;
    }
    return p;
  }
  // The boot: padded collar, laced front, leather.
  double grain = 0.93 + 0.1 * fbm(u * 40, v * 60, 2, c.seed + 71, 40);
  p.c = L.boots * grain;
  double collar = 1 - smoothstep(legAt::bootTop + 0.028, legAt::bootTop + 0.034, v);
  p.c = mix(p.c, L.boots * 0.7, collar);
  p.c = p.c * (1 + 0.12 * gauss(v - (legAt::bootTop + 0.012), 0.01));
  bool darkBoot = luma(L.boots) < 0.35;
  Col lace = darkBoot ? Col{0.86, 0.85, 0.82} : Col{0.12, 0.12, 0.13};
  double X = th * 0.05;
  if (v > legAt::bootTop + 0.035) {
    double tongue = 1 - smoothstep(0.007, 0.009, std::abs(X));
    p.c = mix(p.c, p.c * 0.78, tongue);
    double ph = (v - legAt::bootTop) / 0.032;
    double f = ph - std::floor(ph);
    double cross1 = std::abs(X - (f - 0.5) * 0.02), cross2 = std::abs(X + (f - 0.5) * 0.02);
    double laces = below(std::min(cross1, cross2), 0.0015, 0.0025) * below(std::abs(X), 0.009, 0.011);
    p.c = mix(p.c, lace, laces);
    for (int s = -1; s <= 1; s += 2) {
      double eye = ell(X - s * 0.0105, (f - 0.5) * 0.032, 0.0018, 0.0018);
      p.c = mix(p.c, Col{0.75, 0.7, 0.55}, inside(eye, 0.8, 0.3));
    }
  }
  p.c = p.c * (1 - 0.15 * gauss(ath - kPi, 0.7));
  p.shine = 0.5;
  return p;
}

Px armsPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi, ath = std::abs(th);
  Px p;
  p.c = skinAt(c, u * 12, v * 26, 12);
  double mus = clamp01((L.muscle - 0.88) / 0.3);
  double shade = 1;
  shade *= 1 + (0.05 + 0.05 * mus) * gauss(v - 0.13, 0.09) * gauss(th, 1.2);     // shoulder
  shade *= 1 - (0.06 + 0.08 * mus) * gauss(v - 0.27, 0.02) * gauss(th, 1.0);     // below the shoulder
  shade *= 1 + (0.04 + 0.06 * mus) * gauss(v - 0.37, 0.06) * gauss(ath - kPi / 2, 0.7);  // upper arm
  shade *= 1 - 0.1 * gauss(v - armAt::elbow, 0.02);                               // elbow
  shade *= 1 + 0.05 * gauss(v - 0.66, 0.07) * gauss(th, 1.2);                     // forearm
  shade *= 1 - 0.08 * gauss(ath - kPi, 0.6);                                      // inner side
  p.c = p.c * shade;
  if (L.tattoo == 1) {
    // A tribal band round the upper arm.
    double centre = 0.33, d = std::abs(v - centre);
    double tooth = 0.018 + 0.012 * std::abs(std::sin(u * kPi * 10));
    double gaps = below(d, 0.004, 0.006) * (std::sin(u * kPi * 20) > 0.6 ? 1 : 0);
    double ink = below(d, tooth - 0.002, tooth + 0.002) * (1 - 0.7 * gaps);
    p.c = mix(p.c, mix(L.skin * 0.25, Col{0.08, 0.1, 0.14}, 0.5), 0.8 * ink);
  }
  p.shine = 0.28;
  return p;
}

Px glovesPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi, ath = std::abs(th);
  Px p;
  double grain = 0.95 + 0.07 * fbm(u * 60, v * 40, 2, c.seed + 81, 60);
  p.c = L.gloves * grain;
  double shade = 1;
  shade *= 1 - 0.14 * smoothstep(1.9, 2.6, ath);                 // the palm
  shade *= 1 + 0.12 * gauss(v - 0.82, 0.08) * gauss(th, 1.3);     // the padded knuckles
  shade *= 1 - 0.15 * smoothstep(0.93, 1.0, v);                   // the front
  shade *= 1 - 0.2 * (1 - smoothstep(0.0, 0.12, v));              // into the cuff
  p.c = p.c * shade;
  // Seams where palm and back meet, with stitches.
  double seam = gauss(ath - 1.95, 0.035);
  p.c = p.c * (1 - 0.45 * seam);
  double stitch = gauss(ath - 1.86, 0.02) * (std::sin(v * 2 * kPi * 22) > 0.3 ? 1 : 0);
  p.c = mix(p.c, mix(L.gloves, Col{1, 1, 1}, 0.5), 0.5 * stitch * band(v, 0.15, 0.935, 0.04));
  // The trim band across the back of the wrist and a round emblem on the back of the hand.
  double band = (1 - smoothstep(0.035, 0.045, std::abs(v - 0.24))) * (1 - smoothstep(1.5, 1.75, ath));
  p.c = mix(p.c, L.gloveTrim * grain, band);
  double r = ell(th, v - 0.52, 0.48, 0.12);
  double ring = (1 - smoothstep(0.95, 1.05, r)) * smoothstep(0.68, 0.78, r);
  p.c = mix(p.c, L.gloveTrim * grain, ring);
  if (inStar(th * 0.1, (v - 0.52) * 0.4, 0.036)) p.c = mix(p.c, L.gloveTrim * grain, 0.9);
  p.shine = 0.65 - 0.25 * smoothstep(1.9, 2.6, ath);
  return p;
}

Px thumbsPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi;
  Px p;
  p.c = L.gloves * (0.95 + 0.07 * fbm(u * 20, v * 20, 2, c.seed + 82, 20));
  p.c = p.c * (1 - 0.35 * gauss(std::abs(th) - kPi, 0.5)) * (1 - 0.2 * (1 - smoothstep(0.0, 0.2, v)));
  p.shine = 0.6;
  return p;
}

Px cuffsPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi;
  Px p;
  p.c = L.gloves * (0.92 + 0.08 * fbm(u * 40, v * 20, 2, c.seed + 83, 40));
  double trim = 1 - smoothstep(0.2, 0.24, v);
  p.c = mix(p.c, L.gloveTrim, trim);
  p.c = p.c * (1 - 0.3 * gauss(v - 0.22, 0.02));
  // Laces down the palm side.
  double X = th * 0.05;
  double gap = 1 - smoothstep(0.006, 0.008, std::abs(X));
  p.c = mix(p.c, p.c * 0.45, gap * smoothstep(0.25, 0.3, v));
  double ph = v / 0.09, f = ph - std::floor(ph);
  double cross1 = std::abs(X - (f - 0.5) * 0.016), cross2 = std::abs(X + (f - 0.5) * 0.016);
  double laces = below(std::min(cross1, cross2), 0.0012, 0.002) * below(std::abs(X), 0.008, 0.009) *
                 smoothstep(0.25, 0.3, v);
  p.c = mix(p.c, Col{0.9, 0.89, 0.85}, laces);
  p.shine = 0.55;
  return p;
}

Px feetPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi, ath = std::abs(th);
  Px p;
  p.c = L.boots * (0.93 + 0.1 * fbm(u * 40, v * 30, 2, c.seed + 84, 40));
  // Toe cap and heel counter a little darker.
  p.c = p.c * (1 - 0.12 * smoothstep(0.78, 0.86, v) - 0.12 * (1 - smoothstep(0.12, 0.2, v)));
  // The sole.
  double sole = smoothstep(2.15, 2.3, ath);
  p.c = mix(p.c, Col{0.1, 0.1, 0.11}, sole);
  p.c = p.c * (1 - 0.25 * gauss(ath - 2.15, 0.06));
  bool darkBoot = luma(L.boots) < 0.35;
  Col lace = darkBoot ? Col{0.86, 0.85, 0.82} : Col{0.12, 0.12, 0.13};
  double X = th * 0.045;
  if (v > 0.28 && v < 0.72) {
    double ph = (v - 0.28) / 0.088, f = ph - std::floor(ph);
    double cross1 = std::abs(X - (f - 0.5) * 0.02), cross2 = std::abs(X + (f - 0.5) * 0.02);
    double laces = below(std::min(cross1, cross2), 0.0015, 0.0025) * below(std::abs(X), 0.009, 0.011);
    p.c = mix(p.c, p.c * 0.75, 1 - smoothstep(0.008, 0.01, std::abs(X)));
    p.c = mix(p.c, lace, laces);
  }
  p.shine = 0.5 - 0.4 * sole;
  return p;
}

Px neckPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi;
  Px p;
  p.c = skinAt(c, u * 10, v * 10, 10);
  double shade = 1;
  shade *= 1 - 0.35 * (1 - smoothstep(0.0, 0.45, v));  // under the jaw
  shade *= 1 + 0.06 * gauss(th, 0.25) * gauss(v - 0.5, 0.12);
  for (int s = -1; s <= 1; s += 2) shade *= 1 - 0.08 * gauss(th - s * (0.5 + 0.4 * v), 0.12);
  p.c = p.c * shade;
  if (L.beard == Beard::Full)  // the beard's underside
    p.c = mix(p.c, L.hairCol * 0.9, 0.5 * below(v, 0.0, 0.3) * gauss(th, 1.2));
  p.shine = 0.25;
  return p;
}

Px earsPx(const Ctx& c, double u, double v) {
  const Look& L = c.L;
  double th = (u - 0.5) * 2 * kPi;
  Px p;
  p.c = skinAt(c, u * 6, v * 6, 6) * Col{0.98, 0.92, 0.9};
  double bowl = gauss(std::abs(th) - kPi / 2, 0.5) * gauss(v - 0.45, 0.2);
  p.c = p.c * (1 - 0.25 * bowl);
  p.c = p.c * (1 + 0.08 * gauss(v - 0.12, 0.08));
  (void)L;
  p.shine = 0.3;
  return p;
}

// Paints a region pixel by pixel; `samples(u, v)` says how many samples a side a pixel takes
// (more where features have hard edges).
template <class S, class F>
void paintRegion(Skin& skin, Part part, S samples, F shader) {
  const Region& r = region(part);
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) {
      auto uv = [&](double fx, double fy) {
        double u = (x + fx - r.x - kGutter) / (r.w - 2 * kGutter);
        double v = (y + fy - r.y - kGutter) / (r.h - 2 * kGutter);
        return std::pair<double, double>{u - std::floor(u), clamp01(v)};  // every part wraps round
      };
      auto [uc, vc] = uv(0.5, 0.5);
      const int ss = samples(uc, vc);
      Col acc;
      double shine = 0;
      for (int j = 0; j < ss; ++j)
        for (int i = 0; i < ss; ++i) {
          auto [u, v] = uv((i + 0.5) / ss, (j + 0.5) / ss);
          Px p = shader(u, v);
          acc = acc + p.c;
          shine += p.shine;
        }
      double n = double(ss * ss);
      skin.colour.set(x, y, acc * (1 / n));
      skin.shine.set(x, y, Col{shine / n, shine / n, shine / n});
    }
}

}  // namespace

Skin paintSkin(const Look& L) {
  Skin skin{Image(kSkinSize, kSkinSize), Image(kSkinSize, kSkinSize)};
  // The unmapped corners: the skin's tone, so that nothing odd can filter in.
  for (int y = 0; y < kSkinSize; ++y)
    for (int x = 0; x < kSkinSize; ++x) {
      skin.colour.set(x, y, L.skin * 0.8);
      skin.shine.set(x, y, Col{0.2, 0.2, 0.2});
    }
  Ctx c{L, uint32_t(L.face) * 7919u};
  auto one = [](double, double) { return 1; };
  auto two = [](double, double) { return 2; };
  // The face (eyes, brows, lips) and the waistband's stars take more samples.
  auto face = [](double u, double v) { return std::abs(u - 0.5) < 0.16 && v > 0.3 && v < 0.92 ? 3 : 1; };
  auto band = [](double, double v) {
    double z = torsoZ(v);
    return z > kWaistbandBottom - 0.01 && z < kWaistbandTop + 0.01 ? 2 : 1;
  };
  paintRegion(skin, kHead, face, [&](double u, double v) { return headPx(c, u, v); });
  paintRegion(skin, kEars, one, [&](double u, double v) { return earsPx(c, u, v); });
  paintRegion(skin, kNeck, one, [&](double u, double v) { return neckPx(c, u, v); });
  paintRegion(skin, kTorso, band, [&](double u, double v) { return torsoPx(c, u, v); });
  paintRegion(skin, kArms, one, [&](double u, double v) { return armsPx(c, u, v); });
  paintRegion(skin, kGloves, two, [&](double u, double v) { return glovesPx(c, u, v); });
  paintRegion(skin, kThumbs, one, [&](double u, double v) { return thumbsPx(c, u, v); });
  paintRegion(skin, kCuffs, two, [&](double u, double v) { return cuffsPx(c, u, v); });
  paintRegion(skin, kLegs, two, [&](double u, double v) { return legsPx(c, u, v); });
  paintRegion(skin, kFeet, two, [&](double u, double v) { return feetPx(c, u, v); });
  return skin;
}

}  // namespace boxerart
