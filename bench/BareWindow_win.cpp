// The reference for the menu's start-up: a bare Win32 window of the same
// size, built by the same toolchain, that paints its client area once.
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    HBRUSH brush = ::CreateSolidBrush(RGB(40, 80, 160));
    ::FillRect(dc, &ps.rcPaint, brush);
    ::DeleteObject(brush);
    ::EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "BareWindow";
  ::RegisterClassA(&wc);
  HWND hwnd = ::CreateWindowExA(0, "BareWindow", "Bare", WS_POPUP | WS_CAPTION, 182, 128, 660, 512,
                                nullptr, nullptr, instance, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return 0;
}
