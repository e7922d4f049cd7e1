#include "toolkit/WindowedControl_win.h"

#include <windowsx.h>

#include <utility>

#include "platform/ScopedWin.h"
#include "toolkit/Application_win.h"

namespace pikko {
namespace {

bool RegisterOnce(const char* className) {
  WNDCLASSA existing{};
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (::GetClassInfoA(instance, className, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProcA;  // replaced per window in WM_NCCREATE
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  return ::RegisterClassA(&wc) != 0;
}

}  // namespace

ShiftState ShiftFromKeys(WPARAM keys) {
  ShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

WindowedControl::~WindowedControl() { DestroyHandle(); }

void WindowedControl::DestroyHandle() {
  if (!hwnd_) return;
  // No message may reach this object once it starts to go.
  ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  ::DestroyWindow(std::exchange(hwnd_, nullptr));
  captured_ = hovered_ = nullptr;
}

bool WindowedControl::CreateHandle(WindowedControl* parent) {
  if (hwnd_) return true;
  if (!RegisterOnce(ClassName())) return false;
  DWORD style = Style();
  if (Visible()) style |= WS_VISIBLE;
  HWND parentHwnd = parent ? parent->Handle() : nullptr;
  HWND h = ::CreateWindowExA(ExStyle(), ClassName(), "", style, Left(), Top(), Width(), Height(),
                             parentHwnd, nullptr, ::GetModuleHandleA(nullptr), this);
  if (!h) return false;
  // The class's procedure is the system default; our own takes over here,
  // after creation, so that no message reaches a half-built object.
  ::SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
  hwnd_ = h;
  return true;
}

LRESULT CALLBACK WindowedControl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* self = reinterpret_cast<WindowedControl*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (self) self->hwnd_ = nullptr;
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    Application::Instance().ShowException(e.what());
  } catch (...) {
    Application::Instance().ShowException("Unknown error");
  }
  return 0;
}

void WindowedControl::AddChild(GraphicControl& child) {
  child.parent_ = this;
  graphics_.push_back(&child);
  child.Invalidate();
}

void WindowedControl::SetColour(TColor c) {
  colour_ = c;
  Invalidate();
}

void WindowedControl::InvalidateArea(const RECT& r) {
  if (hwnd_) ::InvalidateRect(hwnd_, &r, FALSE);
}

void WindowedControl::Invalidate() {
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void WindowedControl::Update() {
  if (hwnd_) ::UpdateWindow(hwnd_);
}

void WindowedControl::BoundsChanged(const RECT&) {
  if (hwnd_)
    ::SetWindowPos(hwnd_, nullptr, Left(), Top(), Width(), Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowedControl::VisibilityChanged() {
  if (hwnd_) ::ShowWindow(hwnd_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void WindowedControl::PaintBackground(HDC dc, const RECT& area) {
  win::ScopedGdiObject brush(::CreateSolidBrush(colour_));
  ::FillRect(dc, &area, static_cast<HBRUSH>(brush.Get()));
}

GraphicControl* WindowedControl::ControlAt(int x, int y) const {
  for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it) {
    GraphicControl* c = *it;
    if (c->Visible() && c->Enabled() && c->HitTest(x, y)) return c;
  }
  return nullptr;
}

void WindowedControl::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  RECT client;
  ::GetClientRect(hwnd_, &client);
  const RECT& area = ps.rcPaint;
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w > 0 && h > 0) {
    // Everything is drawn into a back buffer the size of the damaged area,
    // then copied in one go.
    win::ScopedMemoryDc mem(::CreateCompatibleDC(dc));
    win::ScopedBitmap buffer(::CreateCompatibleBitmap(dc, w, h));
    {
      win::ScopedSelect sel(mem.Get(), buffer.Get());
      ::SetViewportOrgEx(mem.Get(), -area.left, -area.top, nullptr);
      PaintBackground(mem.Get(), area);
      for (GraphicControl* c : graphics_) {
        if (!c->Visible()) continue;
        RECT r = c->BoundsRect(), hit;
        if (!::IntersectRect(&hit, &r, &area)) continue;
        const int saved = ::SaveDC(mem.Get());
        c->Paint(mem.Get());
        ::RestoreDC(mem.Get(), saved);
      }
      ::SetViewportOrgEx(mem.Get(), 0, 0, nullptr);
      ::BitBlt(dc, area.left, area.top, w, h, mem.Get(), 0, 0, SRCCOPY);
    }
  }
  ::EndPaint(hwnd_, &ps);
}

void WindowedControl::RouteMouse(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  const ShiftState shift = ShiftFromKeys(wp);
  GraphicControl* target = captured_ ? captured_ : ControlAt(x, y);
  Control* receiver = target ? static_cast<Control*>(target) : this;
  const int lx = target ? x - target->Left() : x;
  const int ly = target ? y - target->Top() : y;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
        trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
      }
      if (hovered_ != target) {
        if (hovered_) hovered_->MouseLeave();
        hovered_ = target;
      }
      receiver->MouseMove(shift, lx, ly);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      const MouseButton b = msg == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Left;
      if (target) {
        captured_ = target;
        capturedButton_ = b;
        ::SetCapture(hwnd_);
      }
      receiver->MouseDown(b, shift, lx, ly);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      const MouseButton b = msg == WM_RBUTTONUP ? MouseButton::Right : MouseButton::Left;
      GraphicControl* pressed = captured_;
      captured_ = nullptr;
      if (::GetCapture() == hwnd_) ::ReleaseCapture();
      receiver->MouseUp(b, shift, lx, ly);
      // A click is a left press and release on the same control.
      if (pressed && b == MouseButton::Left && capturedButton_ == MouseButton::Left &&
          pressed->Visible() && pressed->HitTest(x, y))
        pressed->Click();
      break;
    }
    default:
      break;
  }
}

LRESULT WindowedControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      RouteMouse(msg, wp, lp);
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      if (hovered_) std::exchange(hovered_, nullptr)->MouseLeave();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd_) captured_ = nullptr;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(hwnd_, &p);
        GraphicControl* c = ControlAt(p.x, p.y);
        ::SetCursor(::LoadCursor(nullptr, c && c->HandCursor() ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcA(hwnd_, msg, wp, lp);
}

}  // namespace pikko
