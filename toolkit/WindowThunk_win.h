// The one window procedure of every window this program creates. The class
// is registered with it; the object is bound in WM_NCCREATE from the create
// parameter, so WM_NCCREATE, WM_CREATE and the first size and position
// messages already reach the object, and unbound in WM_NCDESTROY, after which
// no message reaches it. No exception crosses into the system: one that
// escapes a handler is reported once by the application.
//
// T provides:
//   void AttachWindow(HWND hwnd) noexcept;   // before its first message
//   LRESULT WindowMessage(HWND, UINT, WPARAM, LPARAM);
// and is told of WM_NCDESTROY through WindowMessage like any other message.
#pragma once

#include <windows.h>

#include <exception>

namespace pikko {

// Shows an error that escaped a window procedure (the application's
// exception display); never throws.
void ReportWindowProcException(const char* what) noexcept;

template <class T>
LRESULT CALLBACK WindowThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  T* self = nullptr;
  if (msg == WM_NCCREATE) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): WM_NCCREATE carries its CREATESTRUCT
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
    self = static_cast<T*>(create->lpCreateParams);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->AttachWindow(hwnd);
  } else {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the window keeps its object here
    self = reinterpret_cast<T*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  try {
    return self->WindowMessage(hwnd, msg, wp, lp);
  } catch (const std::exception& e) {
    ReportWindowProcException(e.what());
  } catch (...) {
    ReportWindowProcException("Unknown error");
  }
  return msg == WM_NCCREATE ? FALSE : 0;
}

}  // namespace pikko
