// The boxer's body: a low-poly mesh built from rings (head, torso, limbs, gloves, boots) in a
// guard stance, the same vertices, faces and texture coordinates for every boxer so that any
// skin fits any model; only the vertex positions follow each boxer's build, head and hair.
//
// Model space: z up, the boxer faces -y, +x is his left. The finished mesh is about 1.2 units
// tall and its bounding box is centred on the origin.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "boxers.h"
#include "core.h"

namespace boxerart {

enum Part : uint8_t {
  kHead, kEars, kNeck, kTorso, kArms, kGloves, kThumbs, kCuffs, kLegs, kFeet, kPartCount
};
const char* partName(Part p);

// The skin picture and where each part's texture lies in it.
constexpr int kSkinSize = 512;
constexpr int kGutter = 3;  // each region's border, filled but not mapped, against bleeding
struct Region {
  int x, y, w, h;
  // Picture coordinates of the part's own (u, v), both 0..1, v from the top.
  double px(double u) const { return x + kGutter + u * (w - 2 * kGutter); }
  double py(double v) const { return y + kGutter + v * (h - 2 * kGutter); }
  // The part's own (u, v) of a picture pixel centre.
  double u(int pxl) const { return (pxl + 0.5 - x - kGutter) / (w - 2 * kGutter); }
  double v(int pyl) const { return (pyl + 0.5 - y - kGutter) / (h - 2 * kGutter); }
};
const Region& region(Part p);

struct Tri {
  int v[3];
  float u[3], t[3];  // texture coordinates, t measured from the picture's top row
  Part part;
};

struct Body {
  std::vector<V3> pos, nrm;
  std::vector<Tri> tris;
  double height = 0;  // extent along z
  // How the finished mesh was made from the body's own metres: pos = metres * scale - shift.
  double scale = 1;
  V3 shift;
};

// The body's posture. Positions are in the body's own metres (z up from the floor, facing -y,
// +x his left); the arms' joints are given in the chest's frame (before the chest's turn and
// lean), elbows' x as a multiple of the shoulder width. The guard is the stance of the meshes;
// the fight figures move arms, legs, turns and lean from it.
struct ArmPose {
  V3 elbow, wrist;  // elbow.x is multiplied by the build's shoulder width
  V3 back;          // where the back of the glove's hand turns (x multiplied by the side)
};
struct LegPose {
  V3 ankle, pole;      // the ankle and the direction the knee bends towards
  V3 foot;             // heel to toe
  V3 footUp{0, 0, 1};  // the boot's top
};
struct Pose {
  double pelvisYaw, chestYaw, headYaw;  // radians about z
  V3 lean;                              // the chest's shift from over the hips
  double drop;                          // how far the knees' bend lowers the upper body
  ArmPose arm[2];                       // [0] right (rear), [1] left (lead)
  LegPose leg[2];                       // [0] right, [1] left
  // Going down: the upper body (above the hips) turned back about the hips by `tilt` radians
  // (forward when negative) and lowered so that the hips stand `hipHeight` above the floor.
  double tilt = 0;
  double hipHeight = -1;  // -1: where the legs put them
};
Pose guardPose();

Body buildBody(const Look& look);
Body buildBody(const Look& look, const Pose& pose);

// ---- what the skin painter needs to know about the shapes ------------------------------------
// Around every part, u = 0.5 is the part's front (the face, the chest, the front of a leg, the
// back of a glove's hand, the top of a boot) and u = 0 / 1 its back, where the seam runs.

// Head: u from the angle about the vertical axis (0.5 = nose), v = 1 - h with h the height
// from under the chin (0) to the crown (1). kHeadRadius turns angles into arc lengths.
constexpr double kHeadHeight = 0.235;  // metres, before the final scale
constexpr double kHeadRadius = 0.085;
// The heights of the head's features (fractions of the head's height).
namespace headAt {
constexpr double chin = 0.10, mouth = 0.175, noseBase = 0.255, noseTip = 0.32, cheek = 0.40,
                 eyes = 0.47, brow = 0.545, forehead = 0.65;
constexpr double eyeX = 0.031;  // metres either side of the middle
}

// Hair: the hairline height at an angle from the front (radians, -pi..pi), and how far the hair
// stands off the scalp (metres) at an angle and height; 0 where the scalp shows.
double hairline(const Look& look, double angle);
double hairVolume(const Look& look, double angle, double h);
// The beard's thickness on the face at (angle, h), 0..1.
double beardCover(const Look& look, double angle, double h);

// Torso: v from the top of the shoulders (0) down to the crotch (1); kTorsoTop/kTorsoBottom
// are the heights (metres) of those ends before the lean.
constexpr double kTorsoTop = 1.52, kTorsoBottom = 0.86;
inline double torsoV(double z) { return (kTorsoTop - z) / (kTorsoTop - kTorsoBottom); }
inline double torsoZ(double v) { return kTorsoTop - v * (kTorsoTop - kTorsoBottom); }
constexpr double kWaistbandTop = 1.115, kWaistbandBottom = 1.055;

// Legs: v from the hip (0) to the ankle (1).
namespace legAt {
constexpr double hem = 0.275, hemSkin = 0.29, knee = 0.56, bootTop = 0.715, sockTop = 0.68;
}

// Arms: v from the shoulder (0) to the wrist (1). Gloves: v from the cuff (0) to the
// knuckles (1). Cuffs: v from the forearm end (0) to the glove (1). Feet: v from heel to toe.
namespace armAt {
constexpr double elbow = 0.53;
}

}  // namespace boxerart
