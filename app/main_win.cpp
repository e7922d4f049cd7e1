// Program entry of the menu: one instance at a time, then the window and its
// message loop.
#include <windows.h>

#include "app/Autorun3_win.h"
#include "app/CrashReport_win.h"
#include "app/StartupTrace_win.h"
#include "platform/Assert.h"
#include "platform/LibrarySearch_win.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "toolkit/Application_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace pikko;
#ifdef PIKKO_TRACED_BUILD
  InstallStartupTracer();
#endif
  StartupMark("entry");
  // Before any library is loaded by name: the disc's libraries come from the
  // program's folder, never from the folder the menu was started in.
  RestrictLibrarySearch();
  InstallCrashReporting();
  // A second start does nothing, shows nothing and leaves the first alone.
  if (win::ScopedHandle existing{::OpenMutexA(SYNCHRONIZE, FALSE, "ZekaPikkoMutex")}) return 0;
  win::ScopedHandle mutex(::CreateMutexA(nullptr, TRUE, "ZekaPikkoMutex"));
  if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  CurrentPorts() = Win32Ports();
  // A broken invariant (a missing PNG library, a region the system cannot
  // make) is shown once; the program then ends.
  SetAssertionHandler([](const AssertionFailure& failure) {
    Messages().Show(nullptr, failure.what(), kMenuMessageCaption, mb::IconError);
  });
  // COM on this thread before the window: the screen readers' view of the
  // window may be asked for as soon as it shows, and the programs and files
  // the menu starts go through the shell.
  win::ComInit com;
  StartupMark("COM");
  Application& app = Application::Instance();
  try {
    StartOptions options;
    options.argumentText = ArgumentText(::GetCommandLineA());
    std::unique_ptr<TZkAutorunForm> form = TZkAutorunForm::Create(options);
    if (form && !app.Terminated()) app.Run();
  } catch (const std::exception& e) {
    app.ShowException(e.what());
    return 0;
  }
  ::ReleaseMutex(mutex.Get());
  return 0;
}
