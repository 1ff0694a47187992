// The skin picture of a boxer: every part's texture painted in its region of a 512 x 512
// picture, and beside it (for the photo renderer only) how glossy each pixel is.
#pragma once

#include "boxers.h"
#include "core.h"

namespace boxerart {

struct Skin {
  Image colour;  // written as "boxer%02d.jpg"
  Image shine;   // red channel: 0 matt .. 1 glossy
};

Skin paintSkin(const Look& look);

}  // namespace boxerart
