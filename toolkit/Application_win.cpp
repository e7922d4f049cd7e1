#include "toolkit/Application_win.h"

#include "platform/Ports.h"
#include "toolkit/WindowThunk_win.h"
#include "toolkit/WindowedControl_win.h"

namespace pikko {

Application& Application::Instance() {
  static Application app;
  return app;
}

const std::string& Application::Title() const { return ApplicationTitle(); }
void Application::SetTitle(const std::string& title) { SetApplicationTitle(title); }

void Application::Run() {
  MSG msg;
  while (!terminated_ && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (Navigate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  terminated_ = true;
}

void Application::ProcessMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    if (Navigate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  ::PostQuitMessage(0);
}

void Application::Minimize() {
  if (mainWindow_) ::ShowWindow(mainWindow_, SW_MINIMIZE);
}

void Application::ShowException(const std::string& message) {
  if (showingException_) return;
  showingException_ = true;
  try {
    Messages().Show(mainWindow_, message, Title(), mb::IconError);
  } catch (...) {
    // Nothing more can be shown.
  }
  showingException_ = false;
}

bool Application::Navigate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) return false;
  WindowedControl* root = WindowedControl::FromHandle(::GetAncestor(msg.hwnd, GA_ROOT));
  if (!root) return false;
  const bool forward = ::GetKeyState(VK_SHIFT) >= 0;
  return root->SelectNext(WindowedControl::FromHandle(msg.hwnd), forward);
}

void ReportWindowProcException(const char* what) noexcept {
  try {
    Application::Instance().ShowException(what ? what : "Unknown error");
  } catch (...) {
    // The error display itself failed; the window goes on.
  }
}

void Application::Reset() {
  mainWindow_ = nullptr;
  terminated_ = false;
  // Drop a quit request left by an earlier form.
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace pikko
