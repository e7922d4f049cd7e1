// System functions the menu first needs after its window has painted: the
// shell's (a click starts a program, a copy) and the tooltips' library. They
// are looked up in their library at the first call, so that the library is
// not loaded at start. The shell comes from the system folder by its full
// path, never from the disc or the current folder; the common controls by
// the name the program's manifest redirects. Where the library or the
// function is missing, the call fails as the function itself reports a
// failure; nothing is thrown and the program goes on.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace pikko::win {

// The function of a library of the system folder, loading the library the
// first time; null when either is missing.
FARPROC SystemFunction(const char* library, const char* function) noexcept;

// As ShellExecuteExA; without the shell, FALSE with hInstApp SE_ERR_DLLNOTFOUND.
BOOL ShellExecuteExLate(SHELLEXECUTEINFOA* info) noexcept;
// As SHFileOperationA; without the shell, ERROR_DLL_NOT_FOUND.
int FileOperationLate(SHFILEOPSTRUCTA* operation) noexcept;
// As InitCommonControlsEx; FALSE without the library.
BOOL InitCommonControlsLate(const INITCOMMONCONTROLSEX* controls) noexcept;

}  // namespace pikko::win
