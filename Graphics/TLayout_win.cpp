#include "Graphics/TLayout_win.h"

namespace pikko {

bool CopyFromCanvas(HDC canvas, Bitmap& bitmap, const RECT& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!bitmap.Create(w, h, 24)) return false;
  {
    BitmapCanvas target(bitmap);
    if (!::BitBlt(target.Dc(), 0, 0, w, h, canvas, rect.left, rect.top, SRCCOPY)) return false;
    ::GdiFlush();
  }
  bitmap.Changed();
  return true;
}

}  // namespace pikko
