// The fight and corner screens' pictures that belong with the boxers: the K.O. and T.K.O.
// pictures, the referee's count, the crowd's camera flashes, the pace, scroll, continue and
// towel buttons, the commentary icons, the injury meter with the body-area pictures, and the
// round numbers. The figure sheets are rendered from the boxer's body (figures.h); the ring
// and the corner screen's background are drawn by the picture generator (tools/artgen).
#pragma once

#include <string>
#include <vector>

#include "core.h"

namespace boxerart {

// Writes the pictures into `gfxDir`; returns how many.
int makeFightArt(const std::string& gfxDir);

// A finished picture, kept for the review sheet.
struct FightPicture {
  std::string name;
  Image img;
};
const std::vector<FightPicture>& fightPictures();

}  // namespace boxerart
