// A small software 3D pass for the photos and review pictures: a projection through a 3D
// camera, a depth buffer, bilinear texturing with the engine's convention (v counted from the
// picture's top row, as the mesh files store it), and three ways of lighting:
//   Studio   - per-pixel key, fill and rim lights with gloss from the shine map (the photos);
//   EngineSmooth, EngineFlat - the game's own 3D pass: one white light at (1, 1, 1) in eye
//   space with full ambient, per-vertex (smooth, colour 0.7) or per-face (flat) lighting;
//   Overhead - the ring's lights high above the canvas (the fight figures, seen from above).
#pragma once

#include "body.h"
#include "core.h"
#include "skin.h"

namespace boxerart {

enum class Shading { Studio, EngineSmooth, EngineFlat, Overhead };

// Model space to eye space (eye = rot * p + move; the camera looks down -z, y up) and the
// projection to target pixels (x right, y down).
struct View {
  double rot[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  V3 move;
  double fx = 1, fy = 1, cx = 0, cy = 0;
  int w = 0, h = 0;
  int clipTop = 0;  // rows above this are outside the viewport
  V3 toEye(V3 p) const {
    return {rot[0][0] * p.x + rot[0][1] * p.y + rot[0][2] * p.z + move.x,
            rot[1][0] * p.x + rot[1][1] * p.y + rot[1][2] * p.z + move.y,
            rot[2][0] * p.x + rot[2][1] * p.y + rot[2][2] * p.z + move.z};
  }
  V3 dirToEye(V3 d) const {
    return {rot[0][0] * d.x + rot[0][1] * d.y + rot[0][2] * d.z,
            rot[1][0] * d.x + rot[1][1] * d.y + rot[1][2] * d.z,
            rot[2][0] * d.x + rot[2][1] * d.y + rot[2][2] * d.z};
  }
};

// A camera at `eye` looking at `target`, z up; vertical field of view in degrees.
View lookAt(V3 eye, V3 target, double fovY, int w, int h);

// The game's boxer-screen view of the figure in its 256 x 256 area at (45, 110) of the 800 x
// 600 screen: the 640 x 480 3D viewport at the window's bottom left, a 45-degree field of view,
// the model placed at (-0.525, (height - 145) / 200, -2.4 + (height - 150) / 250) and turned
// by -85 degrees about x, `second` about y and `turn` about z. `scale` multiplies the pixels.
View recordScreenView(int heightCm, double second, double turn, int scale);

// Renders the body into an RGBA picture (alpha = coverage, 0 where nothing is drawn).
Image render(const Body& body, const Skin& skin, const View& view, Shading shading);

}  // namespace boxerart
