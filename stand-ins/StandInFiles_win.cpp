#include "stand-ins/StandInFiles.h"

#include <windows.h>

#include <iterator>
#include <utility>
#include <vector>

#include "env/LanguageFile.h"
#include "platform/ScopedWin.h"

namespace pikko::standin {
namespace {

constexpr DWORD kMaxIniBytes = static_cast<DWORD>(kMaxStandInIniBytes);

}  // namespace

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
  const win::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxIniBytes) return std::nullopt;
  std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!contents.empty() &&
      !::ReadFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
    return std::nullopt;
  contents.resize(read);
  return ParseStandInIni(std::move(contents));
}

}  // namespace pikko::standin
