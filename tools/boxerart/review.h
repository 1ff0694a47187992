// The review sheets in docs/: "boxer-portraits.png" (the 38 photos with their face numbers)
// and "boxer-poses.png" (the line-up of the 38 models, boxer 1 turning on the boxer screen as
// the game's 3D pass and the photo light show him, and the fight and corner pictures made here
// placed on their screens).
#pragma once

#include <string>
#include <vector>

#include "body.h"
#include "core.h"
#include "skin.h"

namespace boxerart {

// One model of the line-up: the whole figure, small.
Image lineupTile(const Body& body, const Skin& skin);

void writeReviewSheets(const std::string& docsDir, const std::string& gfxDir,
                       const std::vector<Image>& photos, const std::vector<Image>& lineup,
                       const Body& firstBody, const Skin& firstSkin);

}  // namespace boxerart
