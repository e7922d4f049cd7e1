#include "toolkit/WindowClass_win.h"

namespace pikko {
namespace {
const char kMarker = 0;  // an address inside this module
}  // namespace

HINSTANCE ThisModule() noexcept {
  static const HINSTANCE module = [] {
    HMODULE m = nullptr;
    ::GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        &kMarker, &m);
    return m;
  }();
  return module;
}

bool RegisterWindowClass(const char* name, WNDPROC proc, UINT style, HBRUSH background) noexcept {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExA(ThisModule(), name, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = ThisModule();
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return ::RegisterClassExA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace pikko
