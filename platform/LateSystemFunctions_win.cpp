#include "platform/LateSystemFunctions_win.h"

#include <string>

namespace pikko::win {
namespace {

// One lookup per function for the life of the process; the library stays
// loaded, as an imported one would.
template <class Function>
Function Late(const char* library, const char* function) noexcept {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, function)));
}

}  // namespace

FARPROC SystemFunction(const char* library, const char* function) noexcept {
  char folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + library;
  HMODULE module = ::GetModuleHandleA(path.c_str());
  if (!module) module = ::LoadLibraryA(path.c_str());
  return module ? ::GetProcAddress(module, function) : nullptr;
}

BOOL ShellExecuteExLate(SHELLEXECUTEINFOA* info) noexcept {
  using Proc = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
  static const Proc proc = Late<Proc>("shell32.dll", "ShellExecuteExA");
  if (proc) return proc(info);
  info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
  ::SetLastError(ERROR_DLL_NOT_FOUND);
  return FALSE;
}

int FileOperationLate(SHFILEOPSTRUCTA* operation) noexcept {
  using Proc = int(WINAPI*)(SHFILEOPSTRUCTA*);
  static const Proc proc = Late<Proc>("shell32.dll", "SHFileOperationA");
  return proc ? proc(operation) : ERROR_DLL_NOT_FOUND;
}

BOOL InitCommonControlsLate(const INITCOMMONCONTROLSEX* controls) noexcept {
  using Proc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  // By its bare name, as an import would load it: the program's manifest
  // redirects that name to the side-by-side version 6 of the common
  // controls, which a path into the system folder would bypass (version 5).
  static const Proc proc = [] {
    HMODULE module = ::LoadLibraryA("comctl32.dll");
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(
                        ::GetProcAddress(module, "InitCommonControlsEx")))
                  : nullptr;
  }();
  return proc ? proc(controls) : FALSE;
}

}  // namespace pikko::win
