// The software device's lighting as the 3D pass uses it: the light's ambient and diffuse parts
// over the global ambient, and normals kept square to the surface under an uneven scale.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/softdd.h"

namespace {

using namespace softdd;

// Red channel at the middle of a 64 x 64 target after drawing a square in the plane x + z = 0
// (normal (1, 0, 1) / sqrt 2), scaled by `sx` along x, lit by a light shining down -z.
int litRed(float sx, bool ambient = true) {
  Surface target(64, 64);
  ZBuffer z(64, 64);
  Device d(&target, &z);
  d.setTransform(TransformKind::Projection, Matrix::orthographic(-8, 8, -8, 8, -100, 100));
  d.setTransform(TransformKind::World, Matrix::scaling(sx, 1, 1));
  Light light;
  light.directional = true;
  light.z = 1;  // from +z towards the origin
  light.ambient = ambient ? Color{1, 1, 1, 1} : Color{0, 0, 0, 1};
  light.diffuse = {1, 1, 1, 1};
  d.setLight(light);
  d.setAmbient(ambient ? Color{0.2f, 0.2f, 0.2f, 1} : Color{0, 0, 0, 1});
  Material m;
  m.ambient = {0.2f, 0.2f, 0.2f, 1};
  m.diffuse = {0.8f, 0.8f, 0.8f, 1};
  d.setMaterial(m);
  const float n = std::sqrt(0.5f);
  const LitVertex quad[4] = {{-1, -4, 1, n, 0, n, 0, 0}, {1, -4, -1, n, 0, n, 0, 0},
                             {1, 4, -1, n, 0, n, 0, 0}, {-1, 4, 1, n, 0, n, 0, 0}};
  d.drawLit(Primitive::TriangleFan, quad, 4);
  return int((target.row(32)[32] >> 16) & 255);
}

TEST(SoftwareLighting, AmbientAndDiffuseAsTheFixedFunctionLightGivesThem) {
  // 0.2 x 0.2 (global) + 1 x 0.2 (the light's ambient) + 0.8 x cos 45 degrees.
  EXPECT_NEAR(litRed(1.0f), 255.0 * (0.04 + 0.2 + 0.8 * std::sqrt(0.5)), 1.5);
}

TEST(SoftwareLighting, NormalsStaySquareToAnUnevenlyScaledSurface) {
  // Stretched four times along x the plane becomes x + 4z = 0: its normal (1, 0, 4) / sqrt 17
  // faces the light far more (a plain transform of the normal would give (4, 0, 1) / sqrt 17).
  EXPECT_NEAR(litRed(4.0f, false), 255.0 * 0.8 * 4.0 / std::sqrt(17.0), 1.5);
  EXPECT_NEAR(litRed(0.25f, false), 255.0 * 0.8 * 0.25 / std::sqrt(1.0625), 1.5);
  // Mirrored, the normal turns with the surface: the same light.
  EXPECT_NEAR(litRed(-4.0f, false), litRed(4.0f, false), 1);
}

}  // namespace
