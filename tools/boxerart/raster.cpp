// The software 3D pass.
#include "raster.h"

#include <algorithm>
#include <limits>

namespace boxerart {

View lookAt(V3 eye, V3 target, double fovY, int w, int h) {
  View v;
  V3 f = normalize(target - eye);
  V3 r = normalize(cross(f, V3{0, 0, 1}));
  V3 u = cross(r, f);
  const V3 rows[3] = {r, u, -f};
  for (int i = 0; i < 3; ++i) {
    v.rot[i][0] = rows[i].x;
    v.rot[i][1] = rows[i].y;
    v.rot[i][2] = rows[i].z;
  }
  v.move = -v.dirToEye(eye);
  v.fy = v.fx = (h / 2.0) / std::tan(fovY * kPi / 360);
  v.cx = w / 2.0;
  v.cy = h / 2.0;
  v.w = w;
  v.h = h;
  return v;
}

View recordScreenView(int heightCm, double second, double turn, int scale) {
  auto rx = [](double deg, double m[3][3]) {
    double a = deg * kPi / 180, c = std::cos(a), s = std::sin(a);
    double r[3][3] = {{1, 0, 0}, {0, c, -s}, {0, s, c}};
    std::copy(&r[0][0], &r[0][0] + 9, &m[0][0]);
  };
  auto ry = [](double deg, double m[3][3]) {
    double a = deg * kPi / 180, c = std::cos(a), s = std::sin(a);
    double r[3][3] = {{c, 0, s}, {0, 1, 0}, {-s, 0, c}};
    std::copy(&r[0][0], &r[0][0] + 9, &m[0][0]);
  };
  auto rz = [](double deg, double m[3][3]) {
    double a = deg * kPi / 180, c = std::cos(a), s = std::sin(a);
    double r[3][3] = {{c, -s, 0}, {s, c, 0}, {0, 0, 1}};
    std::copy(&r[0][0], &r[0][0] + 9, &m[0][0]);
  };
  auto mul = [](double a[3][3], double b[3][3], double out[3][3]) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        out[i][j] = 0;
        for (int k = 0; k < 3; ++k) out[i][j] += a[i][k] * b[k][j];
      }
  };
  double mx[3][3], my[3][3], mz[3][3], xy[3][3];
  rx(-85, mx);
  ry(second, my);
  rz(turn, mz);
  mul(mx, my, xy);
  View v;
  mul(xy, mz, v.rot);
  v.move = {-0.525, (heightCm - 145) / 200.0, -2.4 + (heightCm - 150) / 250.0};
  const double f = 1 / std::tan(22.5 * kPi / 180), wide = 640.0 / 480.0;
  // Viewport pixels (0..640 from the left, 0..480 from the bottom of the 800 x 600 window)
  // moved into the area at (45, 110) from the window's top left.
  v.fx = 320 * f / wide * scale;
  v.cx = (320 - 45) * scale;
  v.fy = 240 * f * scale;
  v.cy = (600 - 240 - 110) * scale;
  v.w = v.h = 256 * scale;
  v.clipTop = 10 * scale;
  return v;
}

namespace {

// The studio's lights, in eye space (directions towards the light).
const V3 kKey = normalize({0.6, 0.5, 0.62});
const V3 kFill = normalize({-0.85, 0.1, 0.5});
const V3 kRim = normalize({0.75, 0.4, -0.55});
const V3 kRim2 = normalize({-0.75, 0.35, -0.55});
const Col kKeyCol{1.05, 0.95, 0.84}, kFillCol{0.2, 0.23, 0.3}, kRimCol{1.3, 1.12, 0.9},
    kRim2Col{0.5, 0.6, 0.85}, kAmbient{0.06, 0.065, 0.08};

double engineIntensity(V3 n, V3 p, bool smooth) {
  V3 l = normalize(V3{1, 1, 1} - p);
  double d = std::max(0.0, dot(n, l));
  return std::min(1.0, smooth ? 0.84 + 0.7 * d : 0.24 + 0.8 * d);
}

Col studio(Col tex, double shine, V3 n, V3 p) {
  Col a = linear(tex);
  V3 view = normalize(-p);
  double nv = dot(n, view);
  if (nv < 0) {
    n = normalize(n - view * (nv * 1.05));
    nv = dot(n, view);
  }
  auto wrap = [](double d) { return std::max(0.0, (d + 0.2) / 1.2); };
  double kd = wrap(dot(n, kKey)), fd = wrap(dot(n, kFill));
  Col c = a * (kAmbient + kKeyCol * kd + kFillCol * fd);
  V3 half = normalize(kKey + view);
  double gloss = shine * 0.55 * std::pow(std::max(0.0, dot(n, half)), 8 + 70 * shine);
  c = c + kKeyCol * gloss;
  double edge = std::pow(1 - std::max(0.0, nv), 2.2);
  Col tint = Col{0.45, 0.45, 0.45} + a * 0.8;
  c = c + kRimCol * tint * (std::max(0.0, dot(n, kRim)) * edge * 1.2);
  c = c + kRim2Col * tint * (std::max(0.0, dot(n, kRim2)) * edge * 0.8);
  // A soft shoulder for the highlights.
  c = {1 - std::exp(-1.25 * c.r), 1 - std::exp(-1.25 * c.g), 1 - std::exp(-1.25 * c.b)};
  return srgb(c);
}

// The ring's lights, seen from above: the camera looks down eye -z, so eye +z points up at the
// lights; the key stands a little towards the picture's top left, a cool sky fills the rest.
const V3 kTopKey = normalize({-0.25, 0.3, 1});
const Col kTopKeyCol{1.08, 1.0, 0.9}, kTopSky{0.2, 0.22, 0.27}, kTopGround{0.04, 0.045, 0.055};

Col overhead(Col tex, double shine, V3 n) {
  Col a = linear(tex);
  if (n.z < 0) n = normalize(n - V3{0, 0, 1} * (n.z * 1.05));
  double kd = std::max(0.0, (dot(n, kTopKey) + 0.15) / 1.15);
  Col amb = mix(kTopGround, kTopSky, 0.5 + 0.5 * n.z);
  Col c = a * (amb + kTopKeyCol * kd);
  V3 half = normalize(kTopKey + V3{0, 0, 1});
  c = c + kTopKeyCol * (shine * 0.5 * std::pow(std::max(0.0, dot(n, half)), 10 + 60 * shine));
  // Surfaces turned away from the lights (the sides of the arms, the edges of the shoulders)
  // fall off, which rounds the shapes from above.
  c = c * (0.55 + 0.45 * smoothstep(-0.1, 0.6, n.z));
  c = {1 - std::exp(-1.3 * c.r), 1 - std::exp(-1.3 * c.g), 1 - std::exp(-1.3 * c.b)};
  return srgb(c);
}

}  // namespace

Image render(const Body& body, const Skin& skin, const View& view, Shading shading) {
  const int W = view.w, H = view.h;
  Image out(W, H);
  std::vector<float> depth(size_t(W) * H, std::numeric_limits<float>::infinity());
  const size_t nv = body.pos.size();
  std::vector<V3> pe(nv), ne(nv);
  std::vector<double> gouraud(nv, 1.0);
  for (size_t i = 0; i < nv; ++i) {
    pe[i] = view.toEye(body.pos[i]);
    ne[i] = normalize(view.dirToEye(body.nrm[i]));
    gouraud[i] = engineIntensity(ne[i], pe[i], true);
  }
  const double ts = kSkinSize;
  for (const Tri& t : body.tris) {
    V3 p[3];
    double sx[3], sy[3], w[3];
    bool behind = false;
    for (int k = 0; k < 3; ++k) {
      p[k] = pe[size_t(t.v[k])];
      if (p[k].z > -0.01) behind = true;
      w[k] = -p[k].z;
      sx[k] = view.cx + view.fx * p[k].x / w[k];
      sy[k] = view.cy - view.fy * p[k].y / w[k];
    }
    if (behind) continue;
    double area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (std::abs(area) < 1e-12) continue;
    double flat = 1;
    if (shading == Shading::EngineFlat) {
      V3 fn = normalize(cross(p[1] - p[0], p[2] - p[0]));
      flat = engineIntensity(fn, p[2], false);
    }
    int x0 = std::max(0, int(std::floor(std::min({sx[0], sx[1], sx[2]}))));
    int x1 = std::min(W - 1, int(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
    int y0 = std::max(view.clipTop, int(std::floor(std::min({sy[0], sy[1], sy[2]}))));
    int y1 = std::min(H - 1, int(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        double px = x + 0.5, py = y + 0.5;
        double l0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
        double l1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
        double l2 = 1 - l0 - l1;
        if (l0 < 0 || l1 < 0 || l2 < 0) continue;
        double q0 = l0 / w[0], q1 = l1 / w[1], q2 = l2 / w[2], sum = q0 + q1 + q2;
        float d = float(1 / sum);
        size_t idx = size_t(y) * W + x;
        if (d >= depth[idx]) continue;
        depth[idx] = d;
        double m0 = q0 / sum, m1 = q1 / sum, m2 = q2 / sum;
        double u = m0 * t.u[0] + m1 * t.u[1] + m2 * t.u[2];
        double tv = m0 * t.t[0] + m1 * t.t[1] + m2 * t.t[2];
        Col tex = skin.colour.sample(u * ts, tv * ts);
        Col c;
        switch (shading) {
          case Shading::EngineFlat:
            c = tex * flat;
            break;
          case Shading::EngineSmooth:
            c = tex * (m0 * gouraud[size_t(t.v[0])] + m1 * gouraud[size_t(t.v[1])] +
                       m2 * gouraud[size_t(t.v[2])]);
            break;
          case Shading::Studio: {
            double shine = skin.shine.sample(u * ts, tv * ts).r;
            V3 n = normalize(ne[size_t(t.v[0])] * m0 + ne[size_t(t.v[1])] * m1 + ne[size_t(t.v[2])] * m2);
            V3 pos = p[0] * m0 + p[1] * m1 + p[2] * m2;
            c = studio(tex, shine, n, pos);
            break;
          }
          case Shading::Overhead: {
            double shine = skin.shine.sample(u * ts, tv * ts).r;
            V3 n = normalize(ne[size_t(t.v[0])] * m0 + ne[size_t(t.v[1])] * m1 + ne[size_t(t.v[2])] * m2);
            c = overhead(tex, shine, n);
            break;
          }
        }
        out.set(x, y, c, 1.0);
      }
  }
  return out;
}

}  // namespace boxerart
