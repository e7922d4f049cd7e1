// A library planted under the name of one of the disc's libraries. When any
// process loads it, it leaves a file "<its own name>.loaded" beside itself:
// the library-search test looks for that file.
#include <windows.h>

#include "platform/ScopedWin.h"

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH + 8] = {};
  const DWORD n = ::GetModuleFileNameA(self, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return TRUE;
  lstrcatA(path, ".loaded");
  const pikko::win::ScopedFile marker(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  return TRUE;
}
