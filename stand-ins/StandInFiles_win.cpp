#include "stand-ins/StandInFiles.h"

#include <windows.h>

#include <iterator>
#include <utility>
#include <vector>

#include "stand-ins/formats/LanguageFile.h"
#include "platform/FileReader.h"
#include "platform/ScopedWin.h"

namespace pikko::standin {

std::string ThisLibraryFolder() {
  HMODULE self = nullptr;
  if (!::GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&ThisLibraryFolder), &self))
    return {};
  // Long paths need more than MAX_PATH; grow the room until the name fits.
  std::vector<char> room(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(self, room.data(), static_cast<DWORD>(room.size()));
    if (n == 0) return {};
    if (n < room.size()) {
      const std::string file(room.data(), n);
      const std::size_t cut = file.rfind('\\');
      return cut == std::string::npos ? std::string() : file.substr(0, cut);
    }
    if (room.size() >= 32768) return {};
    room.resize(room.size() * 2);
  }
}

std::optional<IniDocument> ReadIniFile(const std::string& path) {
  bool exists = false;
  std::optional<std::string> contents = ReadFileBytes(path, exists, kMaxStandInIniBytes + 1);
  if (!contents || contents->size() > kMaxStandInIniBytes) return std::nullopt;
  return ParseStandInIni(std::move(*contents));
}

}  // namespace pikko::standin
