// The 38 boxers the game draws by `face` number: build, head, skin, hair and ring kit.
#pragma once

#include "core.h"

namespace boxerart {

enum class Hair {
  Bald,       // shaved clean, scalp shine
  Buzz,       // clipped to a shadow
  Crop,       // short all round
  FlatTop,    // high, flat top with faded sides
  Afro,       // full and round
  Curly,      // medium curls
  Slick,      // combed straight back
  Cornrows,   // braided rows front to back
  Twists,     // short twists / locks
  Receding,   // horseshoe round a bald crown
  Fringe,     // combed forward over the brow
  Ridge,      // short sides, a ridge along the top
};

enum class Beard { None, Stubble, Moustache, Goatee, Full, ChinStrap };

enum class Trunks {
  Plain,     // one colour with a trimmed hem and waistband
  Stripes,   // a stripe down each side
  Panels,    // wide side panels in the trim colour
  Stars,     // stars on the waistband, trimmed hem
};

struct Look {
  int face = 0;
  const char* summary = "";  // one line for the review sheets and docs

  // Skin, eyes and hair.
  Col skin;
  Col eyes = hexc(0x3B2A1E);
  Hair hair = Hair::Crop;
  Col hairCol;
  Beard beard = Beard::None;
  double eyeOpen = 1.0;    // eyelid opening (narrower below 1)
  double browHeavy = 1.0;  // eyebrow thickness
  bool freckles = false;
  bool scar = false;       // a pale scar through the left eyebrow
  bool chestHair = false;
  int tattoo = 0;          // 0 none, 1 a tribal band round both upper arms

  // Build (1 = average).
  double height = 1.0;     // overall size of the model, 0.94..1.0
  double shoulders = 1.0;  // shoulder and chest width
  double waist = 1.0;      // waist and hip width
  double muscle = 1.0;     // limb thickness and definition
  double belly = 0.0;      // 0 flat .. 1 heavy
  double neck = 1.0;

  // Head shape (1 = average).
  double headW = 1.0;  // skull width
  double jaw = 1.0;    // jaw width
  double chin = 1.0;   // chin depth
  double nose = 1.0;   // nose length and projection
  double noseW = 1.0;  // nose width
  double lips = 1.0;   // lip fullness
  double brow = 1.0;   // brow ridge
  double ears = 1.0;

  // Ring kit.
  Trunks style = Trunks::Plain;
  Col trunks, trim, band;
  Col gloves, gloveTrim;
  Col boots;
  bool socks = false;  // white sock tops above the boots
};

constexpr int kBoxerCount = 38;
// Face numbers 1..38, in order.
const Look& look(int face);

}  // namespace boxerart
