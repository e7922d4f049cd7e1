// Where the tests' mouse input goes, as the system would route it: the
// deepest visible child window under a point of the form (window regions
// included), and the middle of a control in the form's client coordinates.
// The harnesses of the window (FormHarness.h, BadDiscHarness.h) share it.
#pragma once

#include <windows.h>

#include "platform/ScopedWin.h"
#include "toolkit/Control_win.h"
#include "toolkit/WindowedControl_win.h"

namespace pikko::testing {

// The deepest visible child window of top at a client point of top; p
// becomes that window's client point.
inline HWND WindowAt(HWND top, POINT& p) {
  HWND window = top;
  for (;;) {
    HWND inner = nullptr;
    for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
      if (!::IsWindowVisible(c)) continue;
      RECT r;
      ::GetWindowRect(c, &r);
      POINT screen = p;
      ::ClientToScreen(window, &screen);
      if (!::PtInRect(&r, screen)) continue;
      win::ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
      if (::GetWindowRgn(c, region.Get()) != ERROR &&
          !::PtInRegion(region.Get(), screen.x - r.left, screen.y - r.top))
        continue;
      inner = c;
      break;
    }
    if (!inner) return window;
    ::MapWindowPoints(window, inner, &p, 1);
    window = inner;
  }
}

// The middle of a control, in the client coordinates of the form window.
inline POINT CentreOf(HWND form, const Control& c) {
  if (const auto* w = dynamic_cast<const WindowedControl*>(&c); w && w->Handle()) {
    RECT r;
    ::GetWindowRect(w->Handle(), &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::ScreenToClient(form, &p);
    return p;
  }
  return POINT{c.Left() + c.Width() / 2, c.Top() + c.Height() / 2};
}

}  // namespace pikko::testing
