// Photos.
#include "photo.h"

#include <algorithm>

#include "raster.h"

namespace boxerart {

namespace {
constexpr int kSuper = 3;  // samples per pixel along each axis

// Distance from (x, y) to the line through (x0, y0) and (x1, y1).
double lineDist(double x, double y, double x0, double y0, double x1, double y1) {
  double dx = x1 - x0, dy = y1 - y0;
  return std::abs((x - x0) * dy - (y - y0) * dx) / std::hypot(dx, dy);
}
}  // namespace

Image studioBackdrop(int size) {
  Image img(size, size);
  const double s = size / 256.0;
  const Col top = hexc(0x262932), bottom = hexc(0x0C0D10), warm = hexc(0x9A6A3A);
  const Col ropes[3] = {pal::redLit, pal::white, pal::blueLit};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double fx = (x + 0.5) / s, fy = (y + 0.5) / s;
      Col c = mix(top, bottom, smoothstep(0, 256, fy));
      // Ring ropes far behind, out of focus.
      for (int k = 0; k < 3; ++k) {
        double d = lineDist(fx, fy, 0, 128 + 30 * k, 256, 112 + 30 * k);
        c = mix(c, ropes[k] * 0.8, 0.2 * std::exp(-(d / 3.2) * (d / 3.2)));
      }
      // The warm light behind the boxer's shoulders.
      double sd = std::hypot((fx - 120) / 150, (fy - 92) / 125);
      c = c + warm * (0.5 * std::exp(-sd * sd * 2.2));
      // Vignette and a fine grain so that the gradient does not band.
      double vx = (fx - 128) / 128, vy = (fy - 128) / 128;
      c = c * (1 - 0.35 * smoothstep(0.5, 1.45, std::sqrt(vx * vx + vy * vy)));
      c = c * (1 + 0.025 * (hash2(x, y, 901) - 0.5));
      img.set(x, y, c);
    }
  return img;
}

View photoView(const Body& body, int size) {
  // Head and shoulders with the gloves, from a little to the boxer's right of straight ahead
  // and a little above, framed on the head so that every boxer sits alike.
  V3 sum;
  double top = -1e9;
  int n = 0;
  for (const Tri& t : body.tris) {
    if (t.part != kHead) continue;
    for (int k = 0; k < 3; ++k) {
      const V3& p = body.pos[size_t(t.v[k])];
      sum = sum + p;
      top = std::max(top, p.z);
      ++n;
    }
  }
  V3 head = sum * (1.0 / std::max(1, n));
  V3 target{head.x + 0.005, head.y + 0.01, top - 0.225};
  V3 dir = normalize(V3{-0.3, -1, 0.1});
  return lookAt(target + dir * 1.09, target, 26, size, size);
}

Image photo(const Body& body, const Skin& skin, const Image& backdrop) {
  View v = photoView(body, kPhotoSize * kSuper);
  Image big = render(body, skin, v, Shading::Studio);
  Image small = big.reduced(kSuper);
  Image out = backdrop;
  out.over(small, 0, 0);
  return out;
}

}  // namespace boxerart
