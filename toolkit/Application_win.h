// The application object: title, message loop, minimise, terminate, and the
// display of an error that escaped a handler.
#pragma once

#include <windows.h>

#include <string>

namespace pikko {

class Application {
 public:
  static Application& Instance();

  const std::string& Title() const;
  void SetTitle(const std::string& title);

  void SetMainWindow(HWND hwnd) { mainWindow_ = hwnd; }
  HWND MainWindow() const { return mainWindow_; }

  // Runs the message loop until Terminate.
  void Run();
  // Handles the waiting messages and returns (tests, long start-ups).
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void Minimize();
  // Shows an error that escaped a handler; the program goes on. While one
  // error is on screen, further ones (a paint that fails again behind the
  // box) are not shown: one error, never a cascade of boxes.
  void ShowException(const std::string& message);
  // Dialog-style keyboard navigation: Tab and Shift+Tab move the focus
  // between the tab stops of the window that has the focus. True when the
  // message was used.
  static bool Navigate(const MSG& msg);

  // For tests that build several forms in one process.
  void Reset();

 private:
  HWND mainWindow_ = nullptr;
  bool terminated_ = false;
  bool showingException_ = false;
};

}  // namespace pikko
