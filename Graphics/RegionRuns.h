// The runs of pixels that shape a window or a control: every horizontal run
// of pixels of exactly the transparent colour is cut out, everything else
// stays. Only the blue, green and red bytes take part; a top byte of the
// colour (a flag) is ignored, and there is no tolerance.
#pragma once

#include <vector>

#include "toolkit/Pixels.h"

namespace pikko {

// One run of row y, columns left up to right (exclusive).
struct PixelRun {
  int y = 0;
  int left = 0;
  int right = 0;
  bool operator==(const PixelRun& o) const { return y == o.y && left == o.left && right == o.right; }
};

// The runs of the transparent colour, row by row from the top, left to
// right; row padding is never examined. A 24- or 32-bit view.
std::vector<PixelRun> TransparentRuns(ConstPixelView pixels, TColor transparent);

// The runs of every other pixel, in the same order: the shape itself.
std::vector<PixelRun> OpaqueRuns(ConstPixelView pixels, TColor transparent);

}  // namespace pikko
