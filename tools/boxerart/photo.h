// The boxers' photos ("xboxer%02d.jpg", 256 x 256): the model and its skin rendered by the
// software 3D pass in a dark studio with a rim light.
#pragma once

#include "body.h"
#include "core.h"
#include "raster.h"
#include "skin.h"

namespace boxerart {

constexpr int kPhotoSize = 256;

// The studio behind the boxer.
Image studioBackdrop(int size);
// The finished photo over the backdrop.
Image photo(const Body& body, const Skin& skin, const Image& backdrop);
// The camera of the photo, for a picture of `size` pixels.
View photoView(const Body& body, int size);

}  // namespace boxerart
