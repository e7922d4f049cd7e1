#include "toolkit/Form_win.h"
#include "platform/LateSystemFunctions_win.h"

#include <commctrl.h>

#include "toolkit/Application_win.h"

namespace pikko {

void Form::SetCaption(const std::string& text) {
  caption_ = text;
  if (Handle()) ::SetWindowTextA(Handle(), text.c_str());
}

void Form::CentreOnDesktop() {
  RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  SetBounds((work.right - work.left - Width()) / 2, (work.bottom - work.top - Height()) / 2,
            Width(), Height());
}

int Form::ShowModal() {
  modalResult_ = 0;
  Show();
  MSG msg;
  while (modalResult_ == 0 && Handle()) {
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      // The application is ending: leave the request for the main loop.
      ::PostQuitMessage(0);
      break;
    }
    if (Application::Navigate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  Hide();
  return modalResult_;
}

void Form::Close() {
  if (Handle()) ::PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void Form::AddHintTool(const Control& control) {
  if (!Handle() || control.Hint().empty()) return;
  if (!tooltip_) {
    // The tooltip class, registered with the first tooltip (the common
    // controls' library is loaded then, not at start).
    static const bool registered = [] {
      INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
      return win::InitCommonControlsLate(&controls) != FALSE;
    }();
    if (!registered) return;
    tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!tooltip_) return;
  }
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(&control);
  tool.rect = control.BoundsRect();
  tool.lpszText = const_cast<char*>(control.Hint().c_str());  // the tooltip copies it
  ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::BoundsChanged(const RECT& old) {
  if (inSync_) return;
  WindowedControl::BoundsChanged(old);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_WINDOWPOSCHANGING:
      if (live_ && OnWindowPosChanging) OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lp));
      break;
    case WM_WINDOWPOSCHANGED: {
      // Keep the control's bounds in step with the window.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE)) {
        RECT r;
        ::GetWindowRect(Handle(), &r);
        inSync_ = true;
        SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        inSync_ = false;
      }
      break;
    }
    case WM_CLOSE:
      if (OnClose) OnClose();
      ::ShowWindow(Handle(), SW_HIDE);
      return 0;
    default:
      break;
  }
  return WindowedControl::HandleMessage(msg, wp, lp);
}

}  // namespace pikko
