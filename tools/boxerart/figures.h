// The fight screen's figure sheets, rendered from above from the boxer's body posed frame by
// frame: "BOXERS.png" (1000 x 875, frames of 125 x 125, eight to a row: walking, the straight
// and the hook with their impact frames, the guard swing) and "DOWN.png" (960 x 780, frames
// of 160 x 260, six to a row: from kneeling to flat on his back). The red corner (the opponent)
// and the blue corner (the player's boxer) wear their own trunks and gloves.
#pragma once

#include <string>

#include "core.h"

namespace boxerart {

// The sheets' grids.
constexpr int kFigureCell = 125, kFigureCols = 8, kFigureRows = 7, kFigureFrames = 52;
constexpr int kDownCellW = 160, kDownCellH = 260, kDownCols = 6, kDownRows = 3, kDownFrames = 16;

// Which corner a frame of "BOXERS.png" shows: walking 0..8, the straight 17..24, the hook
// 32..38 and the guard swing 46..48 are the red corner's; walking 9..16, the straight 25..31,
// the hook 39..45 and the guard swing 49..51 the blue corner's. ("DOWN.png": 0..7 blue,
// 8..15 red.)
bool figureIsRed(int frame);

struct FigureSheets {
  Image boxers, down;
  double pixelsPerMetre = 0;  // the figures' size: pixels per metre of the body at the hips
  double shoulders = 0;       // pixels across the shoulders in guard
};

// Renders both sheets and writes them into `gfxDir`.
FigureSheets makeFigureSheets(const std::string& gfxDir);

// The review picture: both sheets on the ring's canvas with their frame numbers, and a few
// frames turned and placed as the ring view draws them.
void writeFigureReview(const FigureSheets& sheets, const std::string& path);

}  // namespace boxerart
