#include "Graphics/ZkLabel_win.h"

#include "platform/ScopedWin.h"

namespace pikko {

void ZkOuterGlowLabel::Paint(HDC dc) {
  const RECT r = BoundsRect();
  if (r.right <= r.left || r.bottom <= r.top || Caption().empty()) return;
  ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  PaintBackground(dc);
  win::ScopedSelect font(dc, GetFont().Handle());
  ::SetTextColor(dc, Enabled() ? GetFont().Style().colour : ::GetSysColor(COLOR_GRAYTEXT));
  layout_->DrawText(dc, Caption(), r, CaptionFormat() | static_cast<UINT>(TextFormat));
}

}  // namespace pikko
