#include "toolkit/Bevel_win.h"

namespace pikko {

void Bevel::SetRaised(bool v) {
  if (v == raised_) return;
  raised_ = v;
  Invalidate();
}

void Bevel::Paint(HDC dc) {
  RECT r = BoundsRect();
  ::DrawEdge(dc, &r, raised_ ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
}

}  // namespace pikko
