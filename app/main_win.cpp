// Program entry of the menu.
#include <windows.h>

#include "platform/Win32Ports.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  pikko::CurrentPorts() = pikko::Win32Ports();
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "TZkAutorunForm";
  if (!::RegisterClassA(&wc)) return 0;
  HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_BORDER | WS_SYSMENU,
                                CW_USEDEFAULT, CW_USEDEFAULT, 660, 512, nullptr, nullptr, instance,
                                nullptr);
  if (!hwnd) return 0;
  ::ShowWindow(hwnd, show);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}
