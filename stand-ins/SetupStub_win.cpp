// A stand-in for the setup programs and the batch installer on demo and
// test discs. It does nothing but record how it was started: one line per
// start, appended to "SetupStubLog.txt" beside it, with its own path, its
// argument text and its working folder, separated by tabs. It shows no window.
#include <windows.h>

#include <iterator>
#include <string>

#include "app/CommandLine.h"
#include "platform/ScopedWin.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char self[MAX_PATH];
  const DWORD n = ::GetModuleFileNameA(nullptr, self, static_cast<DWORD>(std::size(self)));
  if (n == 0 || n >= std::size(self)) return 1;
  char folder[MAX_PATH];
  const DWORD m = ::GetCurrentDirectoryA(static_cast<DWORD>(std::size(folder)), folder);
  if (m == 0 || m >= std::size(folder)) return 1;

  std::string log(self, n);
  log.erase(log.rfind('\\') + 1);
  log += "SetupStubLog.txt";
  const std::string line = std::string(self, n) + "\t" + pikko::ArgumentText(::GetCommandLineA()) + "\t" + std::string(folder, m) + "\r\n";

  // Several stubs may start at once: each line is one append.
  const pikko::win::ScopedFile file(::CreateFileA(log.c_str(), FILE_APPEND_DATA,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 1;
  DWORD written = 0;
  const BOOL ok =
      ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  return ok && written == line.size() ? 0 : 1;
}
