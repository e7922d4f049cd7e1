#include "app/CrashReport_win.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <exception>
#include <string>

#include "app/CrashReport.h"
#include "app/MenuConfig.h"

namespace pikko {

namespace {

std::atomic<bool> reporting{false};
std::atomic<DWORD> reporterThread{0};
constexpr const char* kTitle = kMenuMessageCaption;

DWORD WINAPI ShowReport(void* text) {
  reporterThread = ::GetCurrentThreadId();
  ::MessageBoxA(nullptr, static_cast<const char*>(text), kTitle,
                MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND | MB_TASKMODAL);
  return 0;
}

// Shows the message once and ends the process. The box is shown from a
// thread of its own: the failing thread may have no stack left, or hold a
// lock the box would need. A second fault while the box is up (another
// thread, or the reporting itself) shows nothing more.
[[noreturn]] void ReportAndEnd(const FaultReport& report, UINT exitCode) noexcept {
  if (reporting.exchange(true)) {
    if (reporterThread == ::GetCurrentThreadId()) ::TerminateProcess(::GetCurrentProcess(), exitCode);
    for (;;) ::Sleep(INFINITE);  // the first report ends the process
  }
  static char text[1024];
  try {
    const std::string message = CrashMessage(report);
    lstrcpynA(text, message.c_str(), static_cast<int>(sizeof text));
  } catch (...) {
    lstrcpynA(text, "Pikko.exe met an unexpected error and must close.", static_cast<int>(sizeof text));
  }
  if (HANDLE shower = ::CreateThread(nullptr, 256 * 1024, &ShowReport, text, 0, nullptr)) {
    ::WaitForSingleObject(shower, INFINITE);
    ::CloseHandle(shower);
  }
  ::TerminateProcess(::GetCurrentProcess(), exitCode);
  for (;;) ::Sleep(INFINITE);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  FaultReport report;
  const EXCEPTION_RECORD* record = pointers ? pointers->ExceptionRecord : nullptr;
  if (record != nullptr) {
    report.code = record->ExceptionCode;
    report.address = reinterpret_cast<std::uintptr_t>(record->ExceptionAddress);
    if ((report.code == EXCEPTION_ACCESS_VIOLATION || report.code == EXCEPTION_IN_PAGE_ERROR) &&
        record->NumberParameters >= 2) {
      report.access = static_cast<int>(record->ExceptionInformation[0]);
      report.target = record->ExceptionInformation[1];
    }
    HMODULE module = nullptr;
    char path[MAX_PATH] = {};
    if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             static_cast<LPCSTR>(record->ExceptionAddress), &module) &&
        ::GetModuleFileNameA(module, path, MAX_PATH) > 0) {
      const char* name = path;
      for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
      report.module = name;
      report.moduleBase = reinterpret_cast<std::uintptr_t>(module);
    }
  }
  // A C++ exception thrown through frames without handlers arrives here too
  // on some runtimes; std::terminate reports those with their text.
  ReportAndEnd(report, record != nullptr ? record->ExceptionCode : 1);
}

void OnTerminate() noexcept {
  FaultReport report;
  try {
    if (const std::exception_ptr current = std::current_exception()) std::rethrow_exception(current);
  } catch (const std::exception& e) {
    report.what = e.what();
  } catch (...) {
  }
  ReportAndEnd(report, 3);
}

}  // namespace

void InstallCrashReporting() noexcept {
  // The error mode is left as it is: the setup programs the menu starts
  // inherit it, and the filter ends the process before the system's own
  // fault box could come.
  ::SetUnhandledExceptionFilter(&OnUnhandledException);
  std::set_terminate(&OnTerminate);
}

}  // namespace pikko
