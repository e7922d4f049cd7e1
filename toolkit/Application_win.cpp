#include "toolkit/Application_win.h"

#include "platform/Ports.h"

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
  Messages().Show(mainWindow_, message, Title(), mb::IconError);
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
