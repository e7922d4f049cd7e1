#include "app/RowFocusMark_win.h"

namespace pikko {

void RowFocusMark::Paint(HDC dc) {
  RECT r = BoundsRect();
  // The focus rectangle inverts what lies below it: it shows on every skin,
  // dark or light, without a colour of its own.
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, RGB(255, 255, 255));
  ::DrawFocusRect(dc, &r);
}

}  // namespace pikko
