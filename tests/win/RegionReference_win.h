// The shape of a bitmap the plain way: the full rectangle with one
// subtraction per run of the transparent colour. Kept as the reference the
// fast region build is held to (tests, benchmark).
#pragma once

#include <windows.h>

#include "Graphics/RegionRuns.h"
#include "toolkit/Bitmap_win.h"

namespace pikko::testing {

inline HRGN ReferenceRegion(const Bitmap& bitmap24, TColor transparent) {
  HRGN region = ::CreateRectRgn(0, 0, bitmap24.Width(), bitmap24.Height());
  for (const PixelRun& r : TransparentRuns(bitmap24.View(), transparent & 0xFFFFFF)) {
    HRGN run = ::CreateRectRgn(r.left, r.y, r.right, r.y + 1);
    ::CombineRgn(region, region, run, RGN_DIFF);
    ::DeleteObject(run);
  }
  return region;
}

}  // namespace pikko::testing
