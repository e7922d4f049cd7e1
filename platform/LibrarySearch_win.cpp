#include "platform/LibrarySearch_win.h"

#include <windows.h>

namespace pikko {

namespace {
// The flags of SetDefaultDllDirectories (Windows 8, and Windows 7 with its
// library-loading update); our headers may be set for an older system.
constexpr DWORD kSearchApplicationDir = 0x00000200;
constexpr DWORD kSearchSystem32 = 0x00000800;
using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
}  // namespace

LibrarySearch RestrictLibrarySearch() noexcept {
  // Looked up, not imported: the program still starts where the call is
  // missing, and falls back to taking the current folder out of the search.
  if (HMODULE kernel = ::GetModuleHandleA("kernel32.dll")) {
    const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (restrict != nullptr && restrict(kSearchApplicationDir | kSearchSystem32))
      return LibrarySearch::ProgramAndSystemFolders;
  }
  return ::SetDllDirectoryA("") ? LibrarySearch::CurrentFolderRemoved : LibrarySearch::Unchanged;
}

}  // namespace pikko
