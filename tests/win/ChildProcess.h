// Programs the Windows tests start and watch from outside: a started
// process that is ended if a test leaves it running (so that no menu keeps
// the single-instance mutex), and the visible windows of a process by class.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/ScopedWin.h"

namespace pikko::testing {

struct ChildProcess {
  win::ScopedHandle process;
  DWORD id = 0;
  ChildProcess() = default;
  ChildProcess(ChildProcess&&) = default;
  ChildProcess& operator=(ChildProcess&&) = default;
  ~ChildProcess() {
    if (process && ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process.Get(), 1);
      ::WaitForSingleObject(process.Get(), 5000);
    }
  }
};

// The program by its path, quoted, with its arguments; no process when the
// start fails.
inline ChildProcess StartChild(const std::string& program, const std::string& arguments,
                               const std::string& currentFolder) {
  std::string command = "\"" + program + "\" " + arguments;
  std::vector<char> buffer(command.begin(), command.end());
  buffer.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ChildProcess child;
  if (::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       currentFolder.c_str(), &si, &pi)) {
    ::CloseHandle(pi.hThread);
    child.process.Reset(pi.hProcess);
    child.id = pi.dwProcessId;
  }
  return child;
}

namespace detail {
struct WindowsOf {
  DWORD pid;
  std::string cls;
  std::vector<HWND> found;
};
inline BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<WindowsOf*>(lp);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  char cls[64] = {};
  ::GetClassNameA(hwnd, cls, static_cast<int>(sizeof cls));
  if (owner == s->pid && s->cls == cls && ::IsWindowVisible(hwnd)) s->found.push_back(hwnd);
  return TRUE;
}
}  // namespace detail

// The visible top-level windows of a process with a class ("#32770": its
// message boxes).
inline std::vector<HWND> VisibleWindowsOf(DWORD pid, const char* cls) {
  detail::WindowsOf s{pid, cls, {}};
  ::EnumWindows(&detail::CollectWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

inline HWND FirstVisibleWindowOf(DWORD pid, const char* cls) {
  const std::vector<HWND> found = VisibleWindowsOf(pid, cls);
  return found.empty() ? nullptr : found.front();
}

inline std::vector<HWND> WaitForWindowsOf(DWORD pid, const char* cls, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    std::vector<HWND> found = VisibleWindowsOf(pid, cls);
    if (!found.empty()) return found;
    ::Sleep(100);
  }
  return {};
}

// The platform record a disc's companion program leaves in the Windows
// folder ("Zkcd_log.ini"), which the promotion reads: without it the menu
// warns before it shows.
inline void EnsurePlatformRecord() {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string record = std::string(windows) + "\\Zkcd_log.ini";
  if (::GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES)
    std::ofstream(record) << "[PLATFORM]\nSpecified OS=WNT_6.1P_64,English\n";
}

}  // namespace pikko::testing
