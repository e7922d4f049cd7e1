// The canvas side of the compositing steps: a rectangle of a device context
// copied into a 24-bit bitmap.
#pragma once

#include <windows.h>

#include "toolkit/Bitmap_win.h"

namespace pikko {

// Sizes bitmap to the rectangle, makes it 24-bit and copies the canvas's
// rectangle into it (plain source copy). False when the system refuses.
bool CopyFromCanvas(HDC canvas, Bitmap& bitmap, const RECT& rect);

}  // namespace pikko
