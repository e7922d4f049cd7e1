// What the screen shows, read back as a 24-bit bitmap: a rectangle of the
// screen, or a window's client area.
#pragma once

#include <windows.h>

#include "platform/ScopedWin.h"
#include "toolkit/Bitmap_win.h"

namespace pikko::testing {

inline Bitmap CaptureScreen(const RECT& r) {
  Bitmap shot;
  shot.Create(r.right - r.left, r.bottom - r.top, 24);
  win::ScopedGetDc screen(nullptr);
  win::ScopedMemoryDc mem(::CreateCompatibleDC(screen.Get()));
  win::ScopedSelect sel(mem.Get(), shot.Handle());
  ::BitBlt(mem.Get(), 0, 0, shot.Width(), shot.Height(), screen.Get(), r.left, r.top, SRCCOPY);
  ::GdiFlush();
  return shot;
}

inline Bitmap CaptureClient(HWND window) {
  RECT r;
  ::GetClientRect(window, &r);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return CaptureScreen(r);
}

}  // namespace pikko::testing
