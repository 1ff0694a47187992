// The boxer art generator's small toolkit: vectors, colours, pictures, noise and the file
// writers shared by the meshes, the skins, the photos and the fight pictures.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace boxerart {

constexpr double kPi = 3.14159265358979323846;

// ---- vectors ---------------------------------------------------------------------------
struct V3 {
  double x = 0, y = 0, z = 0;
};
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator-(V3 a) { return {-a.x, -a.y, -a.z}; }
inline V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 operator*(double s, V3 a) { return a * s; }
inline double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 cross(V3 a, V3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(V3 a) { return std::sqrt(dot(a, a)); }
inline V3 normalize(V3 a) {
  double l = length(a);
  return l > 0 ? a * (1.0 / l) : V3{0, 0, 1};
}
inline V3 lerp(V3 a, V3 b, double t) { return a + (b - a) * t; }
// Turns p about the vertical (z) axis through `pivot` by `angle` radians.
inline V3 yaw(V3 p, double angle, V3 pivot = {}) {
  double c = std::cos(angle), s = std::sin(angle);
  double x = p.x - pivot.x, y = p.y - pivot.y;
  return {pivot.x + x * c - y * s, pivot.y + x * s + y * c, p.z};
}

inline double clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }
inline double smoothstep(double a, double b, double x) {
  double t = clamp01((x - a) / (b - a));
  return t * t * (3 - 2 * t);
}
inline double mixd(double a, double b, double t) { return a + (b - a) * t; }

// ---- colours ---------------------------------------------------------------------------
// sRGB colour, channels 0..1.
struct Col {
  double r = 0, g = 0, b = 0;
};
inline Col hexc(uint32_t v) {
  return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
inline Col mix(Col a, Col b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Col operator*(Col a, double s) { return {a.r * s, a.g * s, a.b * s}; }
inline Col operator*(Col a, Col b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline double toLinear(double c) {
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
inline double toSrgb(double c) {
  c = clamp01(c);
  return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}
inline Col linear(Col c) { return {toLinear(c.r), toLinear(c.g), toLinear(c.b)}; }
inline Col srgb(Col c) { return {toSrgb(c.r), toSrgb(c.g), toSrgb(c.b)}; }
inline double luma(Col c) { return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b; }

// The look's palette.
namespace pal {
inline const Col arena0 = hexc(0x121418), arena1 = hexc(0x1C1F26), panel = hexc(0x23262E),
                 canvasLit = hexc(0x2A4A6B), canvasEdge = hexc(0x1B3048),
                 red = hexc(0x8E1B1B), redLit = hexc(0xB8322A), blue = hexc(0x1F4E8C),
                 blueLit = hexc(0x3470C0), gold = hexc(0xD4A437), goldLit = hexc(0xF2CE6B),
                 white = hexc(0xEFE6D2), good = hexc(0x3FA34D), bad = hexc(0xC0392B),
                 even = hexc(0x7F8C8D);
}

// ---- pictures ----------------------------------------------------------------------------
// Straight (not premultiplied) RGBA, 8 bits a channel, top row first.
struct Image {
  int w = 0, h = 0;
  std::vector<uint8_t> px;
  Image() = default;
  Image(int width, int height) : w(width), h(height), px(size_t(width) * height * 4, 0) {}
  uint8_t* at(int x, int y) { return &px[(size_t(y) * w + x) * 4]; }
  const uint8_t* at(int x, int y) const { return &px[(size_t(y) * w + x) * 4]; }
  void set(int x, int y, Col c, double a = 1.0);
  Col get(int x, int y) const;
  double alpha(int x, int y) const { return at(x, y)[3] / 255.0; }
  // Bilinear sample at picture coordinates (pixel centres at +0.5), wrapping around.
  Col sample(double fx, double fy) const;
  // Draws `src` at (x, y) over this picture ("over" compositing), with a global alpha.
  void over(const Image& src, int x, int y, double alpha = 1.0);
  // Box-filtered reduction by a whole factor.
  Image reduced(int factor) const;
  // Scaled copy (area-averaging when smaller, bilinear when larger).
  Image scaled(int width, int height) const;
  Image crop(int x, int y, int width, int height) const;
};

void writePng(const Image& img, const std::string& path, bool opaque = false);
// Reads a JPEG picture; false when the file is missing or does not decode.
bool readJpeg(const std::string& path, Image& img);
// Reads a PNG picture (any colour type, made RGBA); false when missing or broken.
bool readPng(const std::string& path, Image& img);
// JPEG at the given quality; fullChroma keeps the colour at full resolution (skins, whose
// regions sit side by side, must not bleed into each other).
void writeJpeg(const Image& img, const std::string& path, int quality, bool fullChroma);
void makeDirs(const std::string& path);
// Copies a file byte for byte.
void copyFile(const std::string& from, const std::string& to);

// ---- noise (deterministic) -----------------------------------------------------------------
double hash2(int x, int y, uint32_t seed);
// Value noise 0..1; a period above 0 makes it repeat along x (for pictures wrapped round a
// tube).
double vnoise(double x, double y, uint32_t seed, int periodX = 0);
double fbm(double x, double y, int octaves, uint32_t seed, int periodX = 0);

}  // namespace boxerart
