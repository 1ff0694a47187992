// Builds the boxer's mesh. Every part is a closed surface of rings (with a pole at each end),
// laid out on the skin picture in its own region; the stance, the ring counts and the texture
// coordinates are the same for all boxers.
#include "body.h"

#include <algorithm>
#include <stdexcept>

namespace boxerart {

namespace {

constexpr std::array<Region, kPartCount> kRegions = {{
    {0, 0, 288, 224},      // head
    {448, 416, 64, 96},    // ears
    {224, 224, 64, 64},    // neck
    {288, 0, 224, 288},    // torso
    {112, 224, 112, 224},  // arms
    {288, 288, 160, 128},  // gloves
    {224, 288, 64, 64},    // thumbs
    {448, 288, 64, 128},   // cuffs
    {0, 224, 112, 288},    // legs
    {288, 416, 160, 96},   // feet
}};

// The stance: an orthodox guard, left side forward, the upper body leaning in a little.
constexpr double kDeg = kPi / 180;
constexpr double kPelvisYaw = -25 * kDeg, kChestYaw = -20 * kDeg, kHeadYaw = -6 * kDeg;
constexpr double kLean = -0.07;
constexpr double kDrop = 0.035;
constexpr double kFinalScale = 0.655;

// Ring columns per part.
constexpr int kHeadCols = 16, kTorsoCols = 20, kLimbCols = 10, kGloveCols = 12, kSmallCols = 8;

V3 chest(const Pose& P, V3 p) { return yaw(p, P.chestYaw) + P.lean; }
V3 chestDir(const Pose& P, V3 d) { return yaw(d, P.chestYaw); }

// The upper body's going down: turned back about the hips' line and lowered onto the floor.
struct Fall {
  bool on = false;
  V3 pivot, to;
  double c = 1, s = 0;
  V3 operator()(V3 p) const {
    if (!on) return p;
    V3 d = p - pivot;
    return to + V3{d.x, d.y * c + d.z * s, -d.y * s + d.z * c};
  }
  V3 dir(V3 d) const { return on ? V3{d.x, d.y * c + d.z * s, -d.y * s + d.z * c} : d; }
};

// A superellipse coordinate: sign(c) |c|^(2/n).
double se(double c, double n) { return (c < 0 ? -1 : 1) * std::pow(std::abs(c), 2.0 / n); }

// Frames along a path by parallel transport: a starts as `ref` made perpendicular.
struct Frame {
  V3 t, a, b;
};
std::vector<Frame> frames(const std::vector<V3>& path, V3 ref) {
  std::vector<Frame> f(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    V3 prev = path[i > 0 ? i - 1 : i], next = path[i + 1 < path.size() ? i + 1 : i];
    V3 t = normalize(next - prev);
    V3 a = i == 0 ? ref : f[i - 1].a;
    a = normalize(a - t * dot(t, a));
    f[i] = {t, a, cross(t, a)};
  }
  return f;
}

class Builder {
 public:
  explicit Builder(Body& body) : b_(body) {}

  // A closed surface from rings: rows[i][j] with j going round (from the back, through the
  // front at j = n/2), rows advancing along the part's axis t, and a = the front, b = t x a,
  // so that the faces turn outwards. v[i] is each row's texture v; the poles close the ends.
  void surface(Part part, const std::vector<std::vector<V3>>& rows, const std::vector<double>& v,
               V3 startPole, double vStart, V3 endPole, double vEnd, bool mirrored = false) {
    mirrored_ = mirrored;
    const Region& r = kRegions[part];
    const int n = int(rows[0].size());
    std::vector<std::vector<int>> idx(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      if (int(rows[i].size()) != n) throw std::logic_error("rings of different sizes");
      for (const V3& p : rows[i]) idx[i].push_back(vertex(p));
    }
    int s = vertex(startPole), e = vertex(endPole);
    auto U = [&](double u) { return float(r.px(u) / kSkinSize); };
    auto T = [&](double t) { return float(r.py(t) / kSkinSize); };
    for (int j = 0; j < n; ++j) {
      int j1 = (j + 1) % n;
      double u0 = double(j) / n, u1 = double(j + 1) / n, um = (j + 0.5) / n;
      // Start cap.
      tri(part, s, idx[0][j1], idx[0][j], U(um), T(vStart), U(u1), T(v[0]), U(u0), T(v[0]));
      for (size_t i = 0; i + 1 < rows.size(); ++i) {
        int a = idx[i][j], b = idx[i][j1], c = idx[i + 1][j], d = idx[i + 1][j1];
        tri(part, a, b, c, U(u0), T(v[i]), U(u1), T(v[i]), U(u0), T(v[i + 1]));
        tri(part, b, d, c, U(u1), T(v[i]), U(u1), T(v[i + 1]), U(u0), T(v[i + 1]));
      }
      size_t last = rows.size() - 1;
      tri(part, idx[last][j], idx[last][j1], e, U(u0), T(v[last]), U(u1), T(v[last]), U(um),
          T(vEnd));
    }
  }

 private:
  int vertex(V3 p) {
    b_.pos.push_back(p);
    return int(b_.pos.size()) - 1;
  }
  void tri(Part part, int a, int b, int c, float ua, float ta, float ub, float tb, float uc,
           float tc) {
    if (mirrored_) {
      // Rings that go round the other way: the same faces, turned to face outwards.
      std::swap(b, c);
      std::swap(ub, uc);
      std::swap(tb, tc);
    }
    Tri t;
    t.v[0] = a;
    t.v[1] = b;
    t.v[2] = c;
    t.u[0] = ua;
    t.u[1] = ub;
    t.u[2] = uc;
    t.t[0] = ta;
    t.t[1] = tb;
    t.t[2] = tc;
    t.part = part;
    b_.tris.push_back(t);
  }
  Body& b_;
  bool mirrored_ = false;
};

double colAngle(int j, int n) { return -kPi + 2 * kPi * j / n; }

// A ring of an ellipse (half sizes ra along a, rb along b) round c.
std::vector<V3> ellipseRing(V3 c, const Frame& f, double ra, double rb, int n, double exponent = 2) {
  std::vector<V3> ring;
  for (int j = 0; j < n; ++j) {
    double th = colAngle(j, n);
    ring.push_back(c + f.a * (ra * se(std::cos(th), exponent)) + f.b * (rb * se(std::sin(th), exponent)));
  }
  return ring;
}

// ---- head ------------------------------------------------------------------------------
struct HeadRing {
  double h, rx, yF, yB;
};
constexpr HeadRing kHeadRings[] = {
    {0.035, 0.038, -0.040, 0.042},
    {headAt::chin, 0.051, -0.074, 0.042},
    {headAt::mouth, 0.061, -0.082, 0.052},
    {headAt::noseBase, 0.067, -0.086, 0.063},
    {headAt::noseTip, 0.071, -0.087, 0.076},
    {headAt::cheek, 0.075, -0.086, 0.088},
    {headAt::eyes, 0.076, -0.083, 0.095},
    {headAt::brow, 0.077, -0.085, 0.100},
    {headAt::forehead, 0.077, -0.082, 0.102},
    {0.76, 0.072, -0.071, 0.098},
    {0.87, 0.060, -0.053, 0.085},
    {0.95, 0.038, -0.031, 0.058},
};

// Head-local points (origin under the chin, z up, -y front) to model space.
struct HeadPlace {
  V3 origin;
  double turn;
  V3 operator()(V3 p) const { return yaw(p, turn) + origin; }
};

void buildHead(Builder& bld, const Look& L, const HeadPlace& place) {
  const int n = kHeadCols;
  const double H = kHeadHeight;
  std::vector<std::vector<V3>> rows;
  std::vector<double> v;
  const V3 centre{0, 0.008, 0.5 * H};
  for (const HeadRing& hr : kHeadRings) {
    const double h = hr.h;
    // Jaw and skull widths: the jaw below the cheeks, the skull above.
    double jawPart = 1 - smoothstep(0.2, 0.42, h);
    double rx = hr.rx * (1 + (L.jaw - 1) * jawPart) * (1 + (L.headW - 1) * (1 - jawPart));
    double depth = 1 + (L.headW - 1) * 0.5 * (1 - jawPart);
    double yF = hr.yF * depth, yB = hr.yB * depth;
    if (h <= headAt::chin + 0.01) yF *= (0.92 + 0.08 * L.chin);
    std::vector<V3> ring;
    for (int j = 0; j < n; ++j) {
      double th = colAngle(j, n), c = std::cos(th), s = std::sin(th);
      // The face is flatter than the skull, the jaw squarer still.
      double front = mixd(3.0, 2.3, smoothstep(0.2, 0.4, h));
      double x = rx * se(s, c > 0 ? front : 2.0);
      double y = c > 0 ? yF * se(c, front) : -yB * se(c, 2.0);
      int fromFront = std::abs(j - n / 2);  // 0 at the nose column
      auto at = [&](double hh) { return std::abs(h - hh) < 1e-6; };
      if (fromFront == 0) {
        if (at(headAt::chin)) y -= 0.006 * L.chin;
        if (at(headAt::mouth)) y -= 0.006 * L.lips;
        if (at(headAt::noseBase)) y -= 0.009 * L.nose;
        if (at(headAt::noseTip)) y -= 0.02 * L.nose;
        if (at(headAt::cheek)) y -= 0.013 * L.nose;
        if (at(headAt::eyes)) y -= 0.005 * L.nose;
        if (at(headAt::brow)) y -= 0.004 * L.brow;
      } else if (fromFront == 1) {
        if (at(headAt::mouth)) y -= 0.003 * L.lips;
        if (at(headAt::noseBase)) y -= 0.004 * L.noseW;
        if (at(headAt::noseTip)) y -= 0.005 * L.noseW;
        if (at(headAt::eyes)) y += 0.006;
        if (at(headAt::brow)) y -= 0.005 * L.brow;
      } else if (fromFront == 2) {
        if (at(headAt::cheek)) {
          x *= 1.05;
          y -= 0.003;
        }
        if (at(headAt::brow)) y -= 0.002 * L.brow;
      }
      V3 p{x, y, h * H};
      V3 out = normalize(p - centre);
      p = p + out * (hairVolume(L, th, h) + 0.004 * beardCover(L, th, h));
      if (L.hair == Hair::FlatTop) p.z = std::min(p.z, H * 1.2);
      ring.push_back(place(p));
    }
    rows.push_back(ring);
    v.push_back(1 - h);
  }
  V3 top{0, 0.015, H + hairVolume(L, 0.0, 1.0)};
  if (L.hair == Hair::FlatTop) top.z = std::min(top.z, H * 1.2);
  bld.surface(kHead, rows, v, place({0, 0.0, 0.0}), 1.0, place(top), 0.0);

  // Ears: small flattened shells on either side, their backs turned out a little.
  for (int side = -1; side <= 1; side += 2) {
    double ex = side * (0.077 * L.headW + 0.004);
    V3 c{ex, 0.012, 0.445 * H};
    double sy = 0.023 * L.ears, sz = 0.032 * L.ears, sx = 0.009;
    double turn = side * 14 * kDeg;
    std::vector<std::vector<V3>> er;
    std::vector<double> ev;
    const double ss[] = {-0.8, -0.4, 0.0, 0.4, 0.8};
    for (double s : ss) {
      double k = std::sqrt(1 - s * s);
      std::vector<V3> ring;
      for (int j = 0; j < kSmallCols; ++j) {
        double th = colAngle(j, kSmallCols);
        // a = front (-y), b = +x.
        V3 local{sx * k * std::sin(th) + side * 0.004 * k, -sy * k * std::cos(th), sz * s};
        local = yaw(local, -turn);
        ring.push_back(place(c + local));
      }
      er.push_back(ring);
      ev.push_back((1 - s) / 2);
    }
    bld.surface(kEars, er, ev, place(c + V3{0, 0, -sz}), 1.0, place(c + V3{0, 0, sz}), 0.0);
  }
}

// ---- torso and neck ------------------------------------------------------------------------
struct TorsoRing {
  double z, rx, yF, yB;
};

void buildTorso(Builder& bld, const Look& L, const Pose& P) {
  const double sh = L.shoulders, wa = L.waist, be = L.belly, mu = L.muscle;
  const TorsoRing rings[] = {
      {0.885, 0.100 * wa, 0.072, 0.082},
      {0.93, 0.146 * wa, 0.092, 0.110},
      {0.99, 0.155 * wa, 0.098 + 0.01 * be, 0.108},
      {kWaistbandBottom, 0.151 * wa, 0.099 + 0.025 * be, 0.098},
      {1.085, 0.153 * wa, 0.103 + 0.035 * be, 0.100},
      {kWaistbandTop, 0.150 * wa, 0.101 + 0.045 * be, 0.097},
      {1.122, 0.145 * wa, 0.096 + 0.05 * be, 0.093},
      {1.19, 0.146 * wa + 0.008 * sh, 0.097 + 0.055 * be, 0.095},
      {1.26, 0.164 * sh, 0.105 + 0.035 * be, 0.101},
      {1.33, 0.176 * sh, 0.116 + 0.012 * be, 0.106},
      {1.39, 0.178 * sh, 0.112, 0.104},
      {1.44, 0.152 * sh, 0.094, 0.096},
      {1.475, 0.108 * sh + 0.012 * L.neck, 0.076, 0.084},
      {1.505, 0.074 * L.neck, 0.062, 0.068},
  };
  std::vector<std::vector<V3>> rows;
  std::vector<double> v;
  for (const TorsoRing& tr : rings) {
    double turn = mixd(P.pelvisYaw, P.chestYaw, smoothstep(0.98, 1.32, tr.z));
    double lean = smoothstep(0.98, 1.46, tr.z);
    std::vector<V3> ring;
    for (int j = 0; j < kTorsoCols; ++j) {
      double th = colAngle(j, kTorsoCols), c = std::cos(th), s = std::sin(th);
      double yF = tr.yF, yB = tr.yB, rx = tr.rx;
      // Chest muscles either side of the breastbone, shoulder blades, the belly.
      double pec = std::exp(-std::pow((std::abs(th) - 0.55) / 0.35, 2)) *
                   std::exp(-std::pow((tr.z - 1.335) / 0.05, 2));
      yF += 0.014 * mu * pec;
      double blade = std::exp(-std::pow((std::abs(th) - 2.45) / 0.4, 2)) *
                     std::exp(-std::pow((tr.z - 1.38) / 0.07, 2));
      yB += 0.008 * mu * blade;
      double belly = std::exp(-std::pow(th / 0.9, 2)) * std::exp(-std::pow((tr.z - 1.16) / 0.09, 2));
      yF += 0.045 * be * belly;
      V3 p{rx * se(s, 2.5), c > 0 ? -yF * se(c, 2.4) : -yB * se(c, 2.2), tr.z};
      p = yaw(p, turn) + V3{P.lean.x * lean, P.lean.y * lean, 0};
      ring.push_back(p);
    }
    rows.push_back(ring);
    v.push_back(torsoV(tr.z));
  }
  bld.surface(kTorso, rows, v, yaw(V3{0, 0.01, kTorsoBottom}, P.pelvisYaw), 1.0,
              yaw(V3{0, 0.005, kTorsoTop}, P.chestYaw) + P.lean, 0.0);
}

void buildNeck(Builder& bld, const Look& L, V3 bottom, V3 top) {
  std::vector<V3> path{bottom, lerp(bottom, top, 0.4), lerp(bottom, top, 0.75), top};
  auto f = frames(path, V3{0, -1, 0});
  std::vector<std::vector<V3>> rows;
  std::vector<double> v;
  const double r = 0.063 * L.neck;
  const double widen[] = {1.15, 1.0, 0.96, 0.95};
  for (size_t i = 0; i < path.size(); ++i) {
    rows.push_back(ellipseRing(path[i], f[i], r * 0.9 * widen[i], r * widen[i], kLimbCols));
    v.push_back(1 - double(i) / (path.size() - 1));
  }
  bld.surface(kNeck, rows, v, bottom - f[0].t * 0.01, 1.0, top + f.back().t * 0.01, 0.0);
}

// ---- arms, gloves and cuffs -------------------------------------------------------------------
struct Limb {
  std::vector<V3> points;
  std::vector<double> radius, v, depth;  // depth: front-back size relative to the radius
};

// A limb along its points; `ref` gives the direction of the texture's middle (u = 0.5), and a
// mirrored limb runs its rings the other way round.
void buildLimb(Builder& bld, Part part, const Limb& limb, V3 ref, double capStart, double capEnd,
               bool mirrored) {
  auto f = frames(limb.points, ref);
  if (mirrored)
    for (Frame& fr : f) fr.b = -fr.b;
  std::vector<std::vector<V3>> rows;
  for (size_t i = 0; i < limb.points.size(); ++i)
    rows.push_back(ellipseRing(limb.points[i], f[i], limb.radius[i] * limb.depth[i],
                               limb.radius[i], kLimbCols));
  bld.surface(part, rows, limb.v, limb.points.front() - f.front().t * capStart, 0.0,
              limb.points.back() + f.back().t * capEnd, 1.0, mirrored);
}

void buildArm(Builder& bld, const Look& L, const Pose& P, int side) {
  // side +1: the left (lead) arm, -1: the right (rear) arm. The right limbs' rings run round
  // the other way, so that both limbs show the same side of their texture outwards.
  const double sh = L.shoulders, mu = L.muscle;
  const ArmPose& ap = P.arm[side > 0 ? 1 : 0];
  V3 s = chest(P, {side * (0.160 * sh + 0.022), 0.004, 1.405});
  V3 e = chest(P, V3{ap.elbow.x * sh, ap.elbow.y, ap.elbow.z});
  V3 w = chest(P, ap.wrist);
  V3 tu = normalize(e - s);
  Limb arm;
  // Texture v runs from the shoulder to the wrist in fixed steps (half the picture for each
  // bone), so that it is the same whatever the boxer's build.
  // The round of the shoulder above the joint (a half ball), then the upper arm.
  const double capR = 0.064 * mu;
  for (double phi : {35.0, 62.0}) {
    double a = phi * kPi / 180;
    arm.points.push_back(s - tu * (capR * std::cos(a)));
    arm.radius.push_back(capR * std::sin(a));
    arm.v.push_back(0.03 * (phi / 62.0));
    arm.depth.push_back(1.0);
  }
  const double fr[] = {0.0, 0.3, 0.62};
  const double rad[] = {0.064, 0.058, 0.055};
  for (int i = 0; i < 3; ++i) {
    arm.points.push_back(lerp(s, e, fr[i]));
    arm.radius.push_back(rad[i] * mu);
    arm.v.push_back(0.06 + 0.94 * 0.5 * fr[i]);
    arm.depth.push_back(i == 2 ? 1.1 : 1.0);
  }
  const double fr2[] = {0.0, 0.3, 0.7, 1.0};
  const double rad2[] = {0.046, 0.05, 0.042, 0.035};
  for (int i = 0; i < 4; ++i) {
    arm.points.push_back(lerp(e, w, fr2[i]));
    arm.radius.push_back(rad2[i] * (0.4 + 0.6 * mu));
    arm.v.push_back(0.06 + 0.94 * 0.5 * (1 + fr2[i]));
    arm.depth.push_back(0.9);
  }
  buildLimb(bld, kArms, arm, chestDir(P, {side * 1.0, 0, 0}), capR * (1 - std::cos(35 * kPi / 180)),
            0.03, side < 0);

  // The glove: a fist along the forearm, the back of the hand turned out and forward.
  V3 tf = normalize(w - e);
  V3 back = chestDir(P, normalize(V3{side * ap.back.x, ap.back.y, ap.back.z}));
  V3 a = normalize(back - tf * dot(tf, back));
  V3 b = cross(tf, a);
  V3 g = w + tf * 0.07;
  const double len = 0.09, thick = 0.058, wide = 0.066;
  std::vector<std::vector<V3>> rows;
  std::vector<double> v;
  const double ss[] = {-0.9, -0.65, -0.35, 0.0, 0.35, 0.65, 0.9};
  for (double sv : ss) {
    double k = std::sqrt(1 - sv * sv);
    std::vector<V3> ring;
    for (int j = 0; j < kGloveCols; ++j) {
      double th = colAngle(j, kGloveCols), c = std::cos(th), sn = std::sin(th);
      double ra = thick * k * (1 + 0.12 * sv) * (c < 0 ? 0.86 : 1.0);
      double rb = wide * k * (1 + 0.1 * sv);
      ring.push_back(g + tf * (len * sv) + a * (ra * se(c, 2.3)) + b * (rb * se(sn, 2.3)));
    }
    rows.push_back(ring);
    v.push_back((sv + 1) / 2);
  }
  bld.surface(kGloves, rows, v, g - tf * len, 0.0, g + tf * len + a * 0.004, 1.0);

  // The thumb lies along the fist on the palm side, towards the body's middle.
  V3 toMiddle = chestDir(P, {-side * 1.0, 0, 0});
  double bs = dot(b, toMiddle) > 0 ? 1 : -1;
  V3 tc = g - a * (thick * 0.45) + b * (bs * wide * 0.62) - tf * 0.012;
  std::vector<std::vector<V3>> trows;
  std::vector<double> tv;
  const double ts[] = {-0.75, -0.3, 0.2, 0.65};
  for (double sv : ts) {
    double k = std::sqrt(1 - sv * sv);
    std::vector<V3> ring;
    for (int j = 0; j < kSmallCols; ++j) {
      double th = colAngle(j, kSmallCols);
      ring.push_back(tc + tf * (0.045 * sv) + a * (0.022 * k * std::cos(th)) +
                     b * (0.024 * k * std::sin(th)));
    }
    trows.push_back(ring);
    tv.push_back((sv + 1) / 2);
  }
  bld.surface(kThumbs, trows, tv, tc - tf * 0.045, 0.0, tc + tf * 0.045, 1.0);

  // The cuff round the wrist, laced on the palm side.
  Frame cf{tf, -a, cross(tf, -a)};
  V3 c0 = w - tf * 0.075, c1 = w + tf * 0.03;
  std::vector<std::vector<V3>> crows;
  std::vector<double> cv;
  const double cfr[] = {0.0, 0.12, 0.55, 1.0};
  const double crad[] = {0.049, 0.053, 0.055, 0.056};
  for (int i = 0; i < 4; ++i) {
    crows.push_back(ellipseRing(lerp(c0, c1, cfr[i]), cf, crad[i] * 0.95, crad[i], kGloveCols));
    cv.push_back(cfr[i]);
  }
  bld.surface(kCuffs, crows, cv, c0 - tf * 0.004, 0.0, c1 + tf * 0.01, 1.0);
}

// ---- legs and boots ----------------------------------------------------------------------------
// The knee between hip and ankle, bent towards `pole`.
V3 knee(V3 hip, V3 ankle, double l1, double l2, V3 pole) {
  V3 d = ankle - hip;
  double dist = std::min(length(d), l1 + l2 - 1e-4);
  V3 e = normalize(d);
  double along = (l1 * l1 - l2 * l2 + dist * dist) / (2 * dist);
  double off = std::sqrt(std::max(0.0, l1 * l1 - along * along));
  V3 q = normalize(pole - e * dot(e, pole));
  return hip + e * along + q * off;
}

void buildLeg(Builder& bld, const Look& L, const Pose& P, const Fall& fall, int side) {
  const double mu = L.muscle, wa = L.waist;
  const LegPose& lp = P.leg[side > 0 ? 1 : 0];
  V3 hip = fall(yaw({side * 0.088 * wa, 0.005, 0.935 - P.drop}, P.pelvisYaw));
  V3 ankle = lp.ankle;
  V3 pole = lp.pole;
  V3 k = knee(hip, ankle, 0.445, 0.445, pole);
  struct R {
    int seg;
    double f, r, v, depth;
    bool muscle;
  };
  const R rings[] = {
      {0, 0.00, 0.084, 0.0, 1.0, false},
      {0, 0.20, 0.088, 0.14, 1.0, false},
      {0, 0.38, 0.089, legAt::hem, 1.0, false},
      {0, 0.385, 0.083, legAt::hemSkin, 1.0, true},
      {0, 0.65, 0.076, 0.40, 1.03, true},
      {0, 0.90, 0.062, 0.51, 1.0, true},
      {1, 0.00, 0.055, legAt::knee, 1.0, true},
      {1, 0.20, 0.06, 0.63, 1.15, true},
      {1, 0.36, 0.055, legAt::sockTop + 0.02, 1.05, true},
      {1, 0.365, 0.062, legAt::bootTop, 1.05, false},
      {1, 0.60, 0.053, 0.84, 1.0, false},
      {1, 0.88, 0.048, 0.95, 1.0, false},
  };
  Limb leg;
  for (const R& r : rings) {
    leg.points.push_back(r.seg == 0 ? lerp(hip, k, r.f) : lerp(k, ankle, r.f));
    leg.radius.push_back(r.muscle ? r.r * (0.5 + 0.5 * mu) : r.r);
    leg.v.push_back(r.v);
    leg.depth.push_back(r.depth);
  }
  buildLimb(bld, kLegs, leg, fall.dir(V3{0, -1, 0}), 0.07, 0.03, side < 0);

  // The boot's foot: heel to toe along the foot's direction, a flat sole on the floor.
  V3 dir = normalize(lp.foot);
  V3 up = normalize(lp.footUp - dir * dot(dir, lp.footUp));
  V3 base{ankle.x, ankle.y, ankle.z - 0.10};
  struct F {
    double s, half, top;
  };
  const F fr[] = {{-0.062, 0.037, 0.100}, {-0.04, 0.043, 0.128}, {0.0, 0.046, 0.134},
                  {0.05, 0.048, 0.096},   {0.10, 0.048, 0.066},  {0.145, 0.042, 0.051},
                  {0.173, 0.032, 0.042}};
  const double sHeel = -0.074, sToe = 0.186;
  Frame f{dir, up, cross(dir, up)};
  std::vector<std::vector<V3>> rows;
  std::vector<double> v;
  for (const F& q : fr) {
    V3 c = base + dir * q.s + up * (q.top / 2 + 0.002);
    rows.push_back(ellipseRing(c, f, q.top / 2, q.half, kLimbCols, 3.0));
    v.push_back((q.s - sHeel) / (sToe - sHeel));
  }
  bld.surface(kFeet, rows, v, base + dir * sHeel + up * 0.05, 0.0,
              base + dir * sToe + up * 0.022, 1.0);
}

void computeNormals(Body& b) {
  b.nrm.assign(b.pos.size(), V3{});
  for (const Tri& t : b.tris) {
    const V3& a = b.pos[size_t(t.v[0])];
    V3 n = cross(b.pos[size_t(t.v[1])] - a, b.pos[size_t(t.v[2])] - a);
    for (int k = 0; k < 3; ++k) b.nrm[size_t(t.v[k])] = b.nrm[size_t(t.v[k])] + n;
  }
  for (V3& n : b.nrm) n = normalize(n);
}

}  // namespace

const char* partName(Part p) {
  static const char* names[kPartCount] = {"head",   "ears",   "neck",  "torso", "arms",
                                          "gloves", "thumbs", "cuffs", "legs",  "feet"};
  return names[p];
}

const Region& region(Part p) { return kRegions[p]; }

// ---- hair and beard -------------------------------------------------------------------------
double hairline(const Look& L, double angle) {
  double a = std::abs(angle);  // 0 front .. pi back
  // Heights at the front, the temples, before the ear, above the ear, behind it and the nape.
  double front = 0.70, temple = 0.68, side = 0.50, ear = 0.58, behind = 0.50, nape = 0.22;
  switch (L.hair) {
    case Hair::Fringe: front = 0.60; temple = 0.62; break;
    case Hair::Receding: front = 0.95; temple = 0.78; side = 0.52; break;
    case Hair::Slick: front = 0.72; temple = 0.71; break;
    case Hair::FlatTop: case Hair::Ridge: side = 0.56; break;
    case Hair::Twists: nape = 0.14; break;
    case Hair::Afro: front = 0.69; side = 0.48; nape = 0.20; break;
    default: break;
  }
  const double ax[] = {0.0, 0.6, 1.05, 1.45, 1.95, kPi};
  const double hy[] = {front, temple, side, ear, behind, nape};
  for (int i = 0; i < 5; ++i)
    if (a <= ax[i + 1]) return mixd(hy[i], hy[i + 1], smoothstep(ax[i], ax[i + 1], a));
  return nape;
}

double hairVolume(const Look& L, double angle, double h) {
  double line = hairline(L, angle);
  double on = smoothstep(line + 0.02, line + 0.12, h);
  if (on <= 0) return 0;
  double a = std::abs(angle);
  double top = smoothstep(0.55, 0.95, h);  // 1 over the crown
  double vol = 0;
  switch (L.hair) {
    case Hair::Bald: return 0;
    case Hair::Buzz: vol = 0.0015; break;
    case Hair::Cornrows: vol = 0.003; break;
    case Hair::Crop: vol = 0.004 + 0.004 * top; break;
    case Hair::Receding: vol = 0.004 * (1 - smoothstep(0.75, 0.9, h)); break;
    case Hair::Slick: vol = 0.005 + 0.005 * top; break;
    case Hair::Fringe: vol = 0.007 + 0.007 * top; break;
    case Hair::Curly: vol = 0.009 + 0.009 * top; break;
    case Hair::Twists: vol = 0.012 + 0.006 * top; break;
    case Hair::Afro: vol = 0.024 + 0.012 * top; break;
    case Hair::FlatTop:
      vol = 0.004 + 0.05 * smoothstep(0.55, 0.98, h) * (1 - 0.3 * smoothstep(2.0, 3.0, a));
      break;
    case Hair::Ridge: {
      // A ridge along the middle of the top: strongest where the angle is near 0 or pi
      // (the top's middle line), faded down the sides.
      double mid = std::exp(-std::pow(std::sin(angle) / 0.45, 2));
      vol = 0.003 + 0.026 * top * mid;
      break;
    }
  }
  return vol * on;
}

double beardCover(const Look& L, double angle, double h) {
  double a = std::abs(angle);
  switch (L.beard) {
    case Beard::Full: {
      // Up to the mouth's corners at the front, rising along the cheeks to the sideburns.
      double top = 0.24 + 0.2 * smoothstep(0.3, 1.35, a);
      double cover = 1 - smoothstep(top - 0.035, top + 0.015, h);
      double sides = 1 - smoothstep(1.35, 1.6, a);
      return clamp01(cover * sides * smoothstep(0.0, 0.06, h));
    }
    case Beard::Goatee: {
      double chin = (1 - smoothstep(0.14, 0.22, h)) * (1 - smoothstep(0.22, 0.34, a));
      return clamp01(chin) * 0.6;
    }
    default:
      return 0;
  }
}

Pose guardPose() {
  Pose P;
  P.pelvisYaw = kPelvisYaw;
  P.chestYaw = kChestYaw;
  P.headYaw = kHeadYaw;
  P.lean = V3{0, kLean, 0};
  P.drop = kDrop;
  P.arm[1] = {V3{0.19, -0.075, 1.15}, V3{0.128, -0.2, 1.385}, V3{0.5, -1, 0}};
  P.arm[0] = {V3{-0.185, -0.06, 1.145}, V3{-0.14, -0.16, 1.39}, V3{0.5, -1, 0}};
  P.leg[1] = {V3{0.15, -0.19, 0.10}, V3{0.25, -1, 0}, V3{0.25, -1, 0}};
  P.leg[0] = {V3{-0.16, 0.21, 0.10}, V3{-0.35, -1, 0}, V3{-0.75, -0.65, 0}};
  return P;
}

Body buildBody(const Look& L) { return buildBody(L, guardPose()); }

Body buildBody(const Look& L, const Pose& P) {
  Body b;
  Builder bld(b);
  buildTorso(bld, L, P);
  HeadPlace head{V3{P.lean.x, P.lean.y - 0.02, 1.525}, P.headYaw};
  buildNeck(bld, L, chest(P, {0, 0.012, 1.42}), head(V3{0, 0.018, 0.07}));
  buildHead(bld, L, head);
  for (int side = 1; side >= -1; side -= 2) buildArm(bld, L, P, side);
  // Knees bent: everything above the legs sits a little lower.
  for (V3& p : b.pos) p.z -= P.drop;
  Fall fall;
  if (P.tilt != 0 || P.hipHeight >= 0) {
    fall.on = true;
    fall.pivot = V3{0, 0, 0.935 - P.drop};
    fall.to = V3{0, 0, P.hipHeight >= 0 ? P.hipHeight : 0.935 - P.drop};
    fall.c = std::cos(P.tilt);
    fall.s = std::sin(P.tilt);
    for (V3& p : b.pos) p = fall(p);
  }
  for (int side = 1; side >= -1; side -= 2) buildLeg(bld, L, P, fall, side);

  // Final size, then the bounding box centred on the origin.
  const double scale = kFinalScale * L.height;
  V3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
  for (V3& p : b.pos) {
    p = p * scale;
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
  V3 c = (lo + hi) * 0.5;
  for (V3& p : b.pos) p = p - c;
  b.height = hi.z - lo.z;
  b.scale = scale;
  b.shift = c;
  computeNormals(b);
  return b;
}

}  // namespace boxerart
