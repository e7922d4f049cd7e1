// The product probe of the demo disc. It answers "ZEKAIoControl" from a
// settings file named like the library itself, with ".ini" for ".dll", in
// its folder, so that copies of one library under different names can speak
// for different products (MonitorProbe.dll reads MonitorProbe.ini):
//
//   [Products]
//   Present=1      the product is present: the call answers 1
//                  (any other value, no key or no file: absent, 0)
//
// The file is read afresh at every call. On an answer it writes the 32-bit
// slot (1 present, 0 absent) and the one-byte slot (the same). A request
// whose five words are not all zero is not one the stand-in knows: 0, and
// the slots stay as they were.
#include <windows.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <type_traits>

#include "env/Text.h"
#include "promotion/ProductProbe.h"
#include "stand-ins/StandInFiles.h"

namespace pikko::standin {
namespace {

// This library's own file name; empty when the system cannot say.
std::string ThisLibraryFile() {
  HMODULE self = nullptr;
  if (!::GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&ThisLibraryFile), &self))
    return {};
  char room[MAX_PATH];
  const DWORD n = ::GetModuleFileNameA(self, room, static_cast<DWORD>(std::size(room)));
  if (n == 0 || n >= std::size(room)) return {};
  return std::string(room, n);
}

bool ProductPresent() {
  std::string file = ThisLibraryFile();
  const std::size_t dot = file.rfind('.');
  const std::size_t slash = file.rfind('\\');
  if (file.empty() || dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return false;
  file.replace(dot, std::string::npos, ".ini");
  const auto settings = ReadIniFile(file);
  if (!settings) return false;
  return StrToIntDef(settings->ReadString("Products", "Present", "0"), 0) == 1;
}

}  // namespace
}  // namespace pikko::standin

extern "C" __declspec(dllexport) std::int32_t PIKKO_CDECL
    ZEKAIoControl(std::uint32_t w1, std::uint32_t w2, std::uint32_t w3, std::uint32_t w4,
                  std::uint32_t w5, std::uint32_t* status, std::uint8_t* flag) noexcept {
  try {
    if ((w1 | w2 | w3 | w4 | w5) != 0) return 0;
    const bool present = pikko::standin::ProductPresent();
    if (status != nullptr) *status = present ? 1u : 0u;
    if (flag != nullptr) *flag = present ? 1 : 0;
    return present ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

// The export keeps the binary interface the menu calls.
static_assert(std::is_convertible_v<decltype(&ZEKAIoControl), pikko::ZekaIoControlProc>);
