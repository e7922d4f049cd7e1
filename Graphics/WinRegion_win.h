// An owning wrapper of one system region, with the few region operations
// the skin needs, and the region of a bitmap with a transparent colour: the
// shape of the menu window and the hit area of the skinned controls.
#pragma once

#include <windows.h>

#include <vector>

#include "Graphics/RegionRuns.h"
#include "toolkit/Bitmap_win.h"

namespace pikko {

class WinRegion {
 public:
  // An empty region (a 0 x 0 rectangle at the origin).
  WinRegion();
  // A copy of a system region.
  explicit WinRegion(HRGN region);
  // The bitmap without its runs of the transparent colour (the low three
  // bytes of transparent). The bitmap is switched to 24 bits while it is
  // read and back afterwards; pass a copy when that must not happen.
  WinRegion(Bitmap& bitmap, TColor transparent);
  ~WinRegion();
  WinRegion(const WinRegion&) = delete;
  WinRegion& operator=(const WinRegion&) = delete;

  // The rectangle (right and bottom exclusive).
  void SetRect(int left, int top, int right, int bottom);
  void Subtract(const WinRegion& other);
  void Offset(int dx, int dy);
  // This := a copy of other.
  void CopyFrom(const WinRegion& other);
  // A new system region equal to this one; the caller owns it.
  HRGN Clone() const;
  // Gives the window a copy as its window region (the system owns it then).
  void ApplyToWindow(HWND window, bool redraw) const;
  bool Contains(int x, int y) const;
  bool Equals(const WinRegion& other) const;
  HRGN Handle() const { return hrgn_; }

 private:
  HRGN hrgn_ = nullptr;
};

// The union of runs as one system region, built in bounded batches of
// rectangles; the caller owns it. Never null (the check fails instead).
HRGN RegionFromRuns(const std::vector<PixelRun>& runs);

}  // namespace pikko
