#include "toolkit/WindowedControl_win.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <map>
#include <stdexcept>
#include <utility>

#include "platform/ScopedWin.h"
#include "toolkit/WindowThunk_win.h"

namespace pikko {
namespace {

bool RegisterOnce(const char* className) {
  WNDCLASSA existing{};
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (::GetClassInfoA(instance, className, &existing)) return true;
  WNDCLASSA wc{};
  // Double clicks are told apart, so that the second press of one never
  // counts as another click.
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &WindowThunk<WindowedControl>;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  return ::RegisterClassA(&wc) != 0;
}

// Our windows and their controls: only these may be treated as controls.
std::map<HWND, WindowedControl*>& Windows() {
  static std::map<HWND, WindowedControl*> windows;
  return windows;
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

ShiftState KeyboardShift() {
  ShiftState s = 0;
  if (::GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

WindowedControl* WindowedControl::FromHandle(HWND hwnd) {
  const auto it = Windows().find(hwnd);
  return it == Windows().end() ? nullptr : it->second;
}

WindowedControl::~WindowedControl() {
  DestroyHandle();
  // Children that outlive their parent no longer point at it.
  for (GraphicControl* c : graphics_) c->parent_ = nullptr;
  for (WindowedControl* c : windowed_) c->parent_ = nullptr;
}

void WindowedControl::DestroyHandle() {
  pending_ = false;
  if (!hwnd_) return;
  // No message reaches this object once its window starts to go.
  detached_ = true;
  ::DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
  hwnd_ = nullptr;
  pressing_ = false;
  pressed_ = hovered_ = nullptr;
}

bool WindowedControl::CreateHandle(WindowedControl* parent) {
  if (hwnd_) return true;
  // A window under another window than its control parent's is made now.
  if (parent != parent_) return MakeWindow(parent ? parent->Handle() : nullptr);
  if ((createWhenShown_ && !Visible()) || (parent_ && !parent_->Handle())) {
    pending_ = true;
    return true;
  }
  return EnsureHandle();
}

bool WindowedControl::EnsureHandle() {
  if (hwnd_) return true;
  if (parent_ && !parent_->EnsureHandle()) return false;
  return MakeWindow(parent_ ? parent_->Handle() : nullptr);
}

bool WindowedControl::MakeWindow(HWND parentHwnd) {
  pending_ = false;
  if (!RegisterOnce(ClassName())) return false;
  detached_ = false;
  DWORD style = Style();
  if (Visible()) style |= WS_VISIBLE;
  if (!Enabled()) style |= WS_DISABLED;
  // The window binds itself to this object in WM_NCCREATE (AttachWindow).
  ::CreateWindowExA(ExStyle(), ClassName(), "", style, Left(), Top(), Width(), Height(), parentHwnd,
                    nullptr, ::GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  if (parent_ && parentHwnd == parent_->Handle()) TakeZOrderPlace();
  // Children that waited for this window: those not waiting to be shown.
  for (WindowedControl* child : windowed_) {
    if (child->pending_ && (!child->createWhenShown_ || child->Visible()) && !child->MakeWindow(hwnd_))
      ThrowCannotCreate(*child);
  }
  return true;
}

void WindowedControl::TakeZOrderPlace() {
  if (!parent_) return;
  const std::vector<WindowedControl*>& siblings = parent_->windowed_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  if (it == siblings.end()) return;
  // A new window lies over its siblings: under the first later one that
  // has its window already.
  for (++it; it != siblings.end(); ++it) {
    if ((*it)->hwnd_) {
      ::SetWindowPos(hwnd_, (*it)->hwnd_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
  }
}

void ThrowCannotCreate(const Control& control) {
  throw std::runtime_error("cannot create " + control.Name());
}

void WindowedControl::AttachWindow(HWND hwnd) noexcept {
  hwnd_ = hwnd;
  try {
    Windows()[hwnd] = this;
  } catch (...) {
    // Out of memory: the window works, it only cannot be found by handle.
  }
}

LRESULT WindowedControl::WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) {
    Windows().erase(hwnd);
    if (hwnd_ == hwnd) hwnd_ = nullptr;
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }
  if (detached_ || hwnd != hwnd_) return ::DefWindowProcA(hwnd, msg, wp, lp);
  return HandleMessage(msg, wp, lp);
}

void WindowedControl::AddChild(GraphicControl& child) {
  child.parent_ = this;
  graphics_.push_back(&child);
  child.Invalidate();
}

void WindowedControl::AddChild(WindowedControl& child) {
  child.parent_ = this;
  windowed_.push_back(&child);
}

void WindowedControl::RemoveChild(Control& child) {
  graphics_.erase(std::remove(graphics_.begin(), graphics_.end(), &child), graphics_.end());
  windowed_.erase(std::remove(windowed_.begin(), windowed_.end(), &child), windowed_.end());
  if (hovered_ == &child) hovered_ = nullptr;
  if (pressed_ == &child) {
    pressed_ = nullptr;
    pressing_ = false;
  }
}

void WindowedControl::SetColour(TColor c) {
  colour_ = c;
  Invalidate();
}

// A window not shown yet (or inside one that is not) is painted whole when
// it is shown: marking parts of it for repaint before then only costs calls
// into the system, some hundreds of them while the menu is being built.
bool WindowedControl::ShownWithAncestors() const {
  for (const Control* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

void WindowedControl::InvalidateArea(const RECT& r) {
  if (hwnd_ && ShownWithAncestors()) ::InvalidateRect(hwnd_, &r, FALSE);
}

void WindowedControl::Invalidate() {
  if (hwnd_ && ShownWithAncestors()) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void WindowedControl::Update() {
  if (hwnd_) ::UpdateWindow(hwnd_);
}

void WindowedControl::SetEnabled(bool v) {
  if (v == Enabled()) return;
  Control::SetEnabled(v);
  if (hwnd_) ::EnableWindow(hwnd_, v ? TRUE : FALSE);
}

void WindowedControl::BoundsChanged(const RECT&) {
  if (hwnd_)
    ::SetWindowPos(hwnd_, nullptr, Left(), Top(), Width(), Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowedControl::VisibilityChanged() {
  if (hwnd_) {
    ::ShowWindow(hwnd_, Visible() ? SW_SHOWNA : SW_HIDE);
  } else if (pending_ && Visible() && (!parent_ || parent_->Handle()) && !EnsureHandle()) {
    ThrowCannotCreate(*this);
  }
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

bool WindowedControl::Focused() const { return hwnd_ && ::GetFocus() == hwnd_; }

void WindowedControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool WindowedControl::CanFocus() const {
  return hwnd_ && ::IsWindowVisible(hwnd_) && ::IsWindowEnabled(hwnd_);
}

void WindowedControl::CollectTabStops(std::vector<WindowedControl*>& out) {
  for (WindowedControl* c : windowed_) {
    if (c->TabStop() && c->CanFocus()) out.push_back(c);
    c->CollectTabStops(out);
  }
}

bool WindowedControl::SelectNext(const WindowedControl* current, bool forward) {
  std::vector<WindowedControl*> stops;
  CollectTabStops(stops);
  if (stops.empty()) return false;
  const auto it = std::find(stops.begin(), stops.end(), current);
  const std::size_t n = stops.size();
  std::size_t next = 0;
  if (it == stops.end()) {
    next = forward ? 0 : n - 1;
  } else {
    const std::size_t i = static_cast<std::size_t>(it - stops.begin());
    next = forward ? (i + 1) % n : (i + n - 1) % n;
  }
  stops[next]->SetFocus();
  return true;
}

void WindowedControl::KeyDown(unsigned key, ShiftState shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
}
void WindowedControl::KeyUp(unsigned key, ShiftState shift) {
  if (OnKeyUp) OnKeyUp(*this, key, shift);
}
void WindowedControl::KeyPress(char, bool) {}
void WindowedControl::DoEnter() {
  if (OnEnter) OnEnter(*this);
}
void WindowedControl::DoExit() {
  if (OnExit) OnExit(*this);
}

void WindowedControl::Paint() {
  win::ScopedPaint paint(hwnd_);
  const RECT area = paint.Area();
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0 || !paint.Dc()) return;
  // Everything is drawn into a back buffer the size of the damaged area,
  // then copied in one go.
  win::ScopedMemoryDc mem(::CreateCompatibleDC(paint.Dc()));
  win::ScopedBitmap buffer(::CreateCompatibleBitmap(paint.Dc(), w, h));
  if (!mem || !buffer) return;
  std::exception_ptr failure;
  {
    win::ScopedSelect sel(mem.Get(), buffer.Get());
    ::SetViewportOrgEx(mem.Get(), -area.left, -area.top, nullptr);
    PaintBackground(mem.Get(), area);
    // A control whose painting failed once would fail at every paint: from
    // then on only the background is drawn, and the error is shown once.
    if (!paintFailed_) {
      try {
        for (GraphicControl* c : graphics_) {
          if (!c->Visible()) continue;
          RECT r = c->BoundsRect(), hit;
          if (!::IntersectRect(&hit, &r, &area)) continue;
          win::ScopedSaveDc saved(mem.Get());
          c->Paint(mem.Get());
        }
      } catch (...) {
        paintFailed_ = true;
        failure = std::current_exception();
      }
    }
    ::SetViewportOrgEx(mem.Get(), 0, 0, nullptr);
    ::BitBlt(paint.Dc(), area.left, area.top, w, h, mem.Get(), 0, 0, SRCCOPY);
  }
  // The paint has ended (the owner's EndPaint) before the error is shown.
  if (failure) std::rethrow_exception(failure);
}

void WindowedControl::RouteMouse(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  switch (msg) {
    case WM_MOUSEMOVE: {
      // One-shot leave tracking, renewed on every move: the leave comes once
      // per exit.
      TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
      ::TrackMouseEvent(&tme);
      GraphicControl* target = pressing_ ? pressed_ : ControlAt(x, y);
      if (hovered_ != target) {
        if (hovered_) hovered_->MouseLeave();
        hovered_ = target;
      }
      Control* receiver = target ? static_cast<Control*>(target) : this;
      const int ox = target ? target->Left() : 0, oy = target ? target->Top() : 0;
      receiver->MouseMove(ShiftFromKeys(wp), x - ox, y - oy);
      break;
    }
    case WM_LBUTTONDOWN:
      ButtonDown(MouseButton::Left, false, wp, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      ButtonDown(MouseButton::Left, true, wp, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      ButtonDown(MouseButton::Right, false, wp, x, y);
      break;
    case WM_LBUTTONUP:
      ButtonUp(MouseButton::Left, wp, x, y);
      break;
    case WM_RBUTTONUP:
      ButtonUp(MouseButton::Right, wp, x, y);
      break;
    default:
      break;
  }
}

void WindowedControl::ButtonDown(MouseButton b, bool dbl, WPARAM wp, int x, int y) {
  GraphicControl* target = ControlAt(x, y);
  pressing_ = true;
  pressed_ = target;
  pressButton_ = b;
  pressDouble_ = dbl;
  ::SetCapture(hwnd_);
  Control* receiver = target ? static_cast<Control*>(target) : this;
  const int ox = target ? target->Left() : 0, oy = target ? target->Top() : 0;
  if (dbl) receiver->DblClick();
  receiver->MouseDown(b, ShiftFromKeys(wp) | (dbl ? ssDouble : 0u), x - ox, y - oy);
}

void WindowedControl::ButtonUp(MouseButton b, WPARAM wp, int x, int y) {
  const bool wasPressing = pressing_;
  GraphicControl* target = wasPressing ? pressed_ : ControlAt(x, y);
  // A click is a left press and release on the same control; the release
  // after a double click's second press is none.
  const bool clickable =
      wasPressing && b == MouseButton::Left && pressButton_ == MouseButton::Left && !pressDouble_;
  pressing_ = false;
  pressed_ = nullptr;
  if (::GetCapture() == hwnd_) ::ReleaseCapture();
  Control* receiver = target ? static_cast<Control*>(target) : this;
  const int ox = target ? target->Left() : 0, oy = target ? target->Top() : 0;
  receiver->MouseUp(b, ShiftFromKeys(wp), x - ox, y - oy);
  if (!clickable) return;
  bool inside = false;
  if (target) {
    inside = target->Visible() && target->HitTest(x, y);
  } else {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const POINT p{x, y};
    inside = Visible() && Enabled() && ::PtInRect(&client, p);
  }
  if (inside) receiver->Click();
}

bool WindowedControl::PreviewedByRoot(UINT msg, WPARAM wp, LPARAM lp) {
  WindowedControl* root = this;
  while (root->Parent()) root = root->Parent();
  return root->PreviewKey(*this, msg, wp, lp);
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
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
      RouteMouse(msg, wp, lp);
      return 0;
    case WM_MOUSELEAVE:
      if (hovered_) std::exchange(hovered_, nullptr)->MouseLeave();
      MouseLeave();
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a move loop, a message box): the
      // press in progress ends without a click, and the control pressed is
      // told, so that it does not stay pressed. Our own ReleaseCapture at a
      // release comes after the press has ended: it tells nobody.
      if (reinterpret_cast<HWND>(lp) != hwnd_ && pressing_) {
        GraphicControl* target = std::exchange(pressed_, nullptr);
        pressing_ = false;
        Control* receiver = target ? static_cast<Control*>(target) : this;
        receiver->CaptureLost();
      }
      return 0;
    case WM_SETFOCUS:
      DoEnter();
      return 0;
    case WM_KILLFOCUS:
      DoExit();
      return 0;
    case WM_KEYDOWN:
      if (PreviewedByRoot(msg, wp, lp)) return 0;
      KeyDown(static_cast<unsigned>(wp), KeyboardShift());
      return 0;
    case WM_KEYUP:
      if (PreviewedByRoot(msg, wp, lp)) return 0;
      KeyUp(static_cast<unsigned>(wp), KeyboardShift());
      return 0;
    case WM_CHAR:
      // Bit 30: the key was already down, the character is an auto-repeat.
      KeyPress(static_cast<char>(wp), (lp & (LPARAM{1} << 30)) != 0);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
      if (!(pos->flags & SWP_NOSIZE)) {
        int w = pos->cx, h = pos->cy;
        if (CanResize(w, h)) {
          pos->cx = w;
          pos->cy = h;
        } else {
          pos->flags |= SWP_NOSIZE;
        }
      }
      break;
    }
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd_) {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(hwnd_, &p);
        const GraphicControl* c = ControlAt(p.x, p.y);
        const bool hand = c ? c->HandCursor() : HandCursor();
        ::SetCursor(::LoadCursor(nullptr, hand ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcA(hwnd_, msg, wp, lp);
}

}  // namespace pikko
