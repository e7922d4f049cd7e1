#include "Component/ZkTextDrawing_win.h"

#include "platform/ScopedWin.h"

namespace pikko {

static_assert(kCaptionFormat == 0x25, "single-line caption format");
static_assert(kWrappedCaptionFormat == 0x80015, "word-wrapped caption format");

TColor ResolveColour(TColor c) {
  if (IsSystemColour(c)) return ::GetSysColor(SystemColourIndex(c));
  return c & 0xFFFFFF;
}

void ZkCaption::DrawOn(TBmpLEDCtrl& image, TColor colour, UINT format) {
  RECT r = bounds;
  if (displaced) {
    displaced = false;
    r.left += dispX;
    r.top += dispY;
  }
  if (text.empty() || image.Width() == 0 || image.Height() == 0) return;
  {
    BitmapCanvas canvas = image.Canvas();
    const HDC dc = canvas.Dc();
    ::SetBkMode(dc, TRANSPARENT);
    win::ScopedSelect sel(dc, font.Handle());
    ::SetTextColor(dc, ResolveColour(colour));
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    ::GdiFlush();
  }
  image.SurfaceChanged();
}

}  // namespace pikko
