// Builds the real menu window over a temporary disc folder: real files, INI
// reading, registry and libraries; recorded message boxes and program starts;
// the program's own file name pointing into the disc. Mouse input goes to
// the window as the system would send it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Manual_Opener/Manualini.h"
#include "app/Autorun3_win.h"
#include "demo/DemoDisc.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "platform/fakes/FakePorts.h"
#include "tests/TempFolder.h"
#include "tests/win/WinTestSupport.h"
#include "tests/win/WindowFinder.h"
#include "toolkit/Application_win.h"

namespace pikko::testing {

class FormHarness {
 public:
  FormHarness()
      : programFolder_((temp_.Path() / "AUTORUN").string() + "\\"),
        windowsFolder_((temp_.Path() / "WINDOWS").string()),
        folders_(*Win32Ports().folders, programFolder_ + "Pikko.exe", windowsFolder_),
        scope_(MakePorts()) {}
  ~FormHarness() {
    form.reset();
    Application::Instance().Reset();
  }

  const std::string& ProgramFolder() const { return programFolder_; }
  // The disc's root: the program folder's parent.
  std::string DiscFolder() const { return temp_.Path().string() + "\\"; }
  // Programs really start through the shell from now on.
  void UseRealShell() { CurrentPorts().shell = Win32Ports().shell; }

  // Lays out a disc with this menu file and the options' skins.
  void Disc(const std::string& menuIni, const demo::TestDiscOptions& options = {}) {
    ASSERT_TRUE(demo::WriteTestDisc(programFolder_, menuIni, options).Ok());
    // Every disc carries the PNG library beside the program.
    ASSERT_TRUE(::CopyFileA(BuildPath("stand-ins-payload/pngio.dll").c_str(),
                            (programFolder_ + "pngio.dll").c_str(), FALSE));
  }
  // The menu file as the companion program leaves it for a start without
  // "debug": in the Windows folder.
  void WindowsMenu(const std::string& menuIni) { temp_.Write("WINDOWS/Zkcd_tmp.ini", menuIni); }
  void WriteFile(const std::string& relative, const std::string& contents) {
    temp_.Write("AUTORUN/" + relative, contents);
  }

  // The version the menu sees from now on (Windows 8 is 6.2).
  void UseVersion(const OsVersionInfo& v) {
    version_.version = v;
    CurrentPorts().version = &version_;
  }

  // Starts the window; depth 0 takes the display's.
  TZkAutorunForm& Start(const std::string& arguments = "debug", int depth = 32) {
    Application::Instance().Reset();
    // The process-wide manual opener belongs to one disc.
    ManualIni::ResetForTests();
    // The real pointer stays out of the window: only the test's own mouse
    // messages may reach it.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    StartOptions options;
    options.argumentText = arguments;
    if (depth) options.colourDepth = [depth] { return depth; };
    form = TZkAutorunForm::Create(options);
    Pump();
    return *form;
  }

  // Handles pending messages for a while (timers need time to fire).
  void Pump(int milliseconds = 0) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;  // the application's own flag tells
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      if (milliseconds) ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
  }

  void Move(int x, int y, WPARAM keys = 0) { Send(WM_MOUSEMOVE, keys, x, y); }
  void Press(int x, int y) { Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
  void Release(int x, int y) { Send(WM_LBUTTONUP, 0, x, y); }
  void Click(int x, int y) {
    Move(x, y);
    Press(x, y);
    Release(x, y);
    Pump();
  }
  // The middle of a control, in the window's client coordinates.
  POINT Centre(const Control& c) const { return CentreOf(form->Handle(), c); }
  void Click(const Control& c) {
    const POINT p = Centre(c);
    Click(p.x, p.y);
  }
  void Move(const Control& c) {
    const POINT p = Centre(c);
    Move(p.x, p.y);
  }

  bool WindowShown() const { return form && form->Handle() && ::IsWindowVisible(form->Handle()); }

  fakes::FakeMessageBoxes messages;
  fakes::FakeShell shell;
  fakes::FakeVersion version_;
  std::unique_ptr<TZkAutorunForm> form;

 private:
  Ports MakePorts() {
    Ports p = Win32Ports();
    p.messages = &messages;
    p.folders = &folders_;
    p.shell = &shell;
    return p;
  }
  void Send(UINT msg, WPARAM keys, int x, int y) {
    POINT p{x, y};
    HWND target = WindowAt(p);
    if (msg == WM_MOUSEMOVE) {
      // The real pointer goes there too, so that the system's leave
      // tracking sees it inside the window it moved over.
      POINT screen{x, y};
      ::ClientToScreen(form->Handle(), &screen);
      ::SetCursorPos(screen.x, screen.y);
    }
    ::SendMessageA(target, msg, keys, MAKELPARAM(p.x, p.y));
  }

 public:
  // The deepest visible child window of the form at a client point, as the
  // system would pick it (window regions included); p becomes that window's
  // client point.
  HWND WindowAt(POINT& p) const { return testing::WindowAt(form->Handle(), p); }
  // Posts a message to the window at a client point of the form, as the
  // system queues input.
  void Post(UINT msg, WPARAM keys, int x, int y) {
    POINT p{x, y};
    HWND target = WindowAt(p);
    ::PostMessageA(target, msg, keys, MAKELPARAM(p.x, p.y));
  }

 private:
  TempFolder temp_;
  std::string programFolder_;
  std::string windowsFolder_;
  ProgramInFolder folders_;
  ScopedPorts scope_;
  win::ComInit com_;
};

// A menu file with the given tabs and items (one "(n)Tab=t" per entry).
std::string MenuIni(int tabs, const std::vector<int>& itemTabs, const std::string& extra = "");
// One tab of two drivers that start One\Setup.exe and Two\Setup.exe. The
// first one's title is too long for its row: reached, it unfolds and moves
// the second row down.
std::string TwoDriversMenu();

}  // namespace pikko::testing
