#include "stand-ins/StandInFiles.h"

#include <windows.h>

#include <iterator>
#include <vector>

#include "platform/ScopedWin.h"

namespace pikko::standin {
namespace {

constexpr DWORD kMaxIniBytes = 1024 * 1024;

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
  const HANDLE raw = ::CreateFileA(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
  const win::ScopedHandle file(raw);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxIniBytes) return std::nullopt;
  std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!contents.empty() &&
      !::ReadFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
    return std::nullopt;
  contents.resize(read);
  // An editor that saves as UTF-8 may put a byte-order mark in front of the
  // first section header.
  if (contents.compare(0, 3, "\xEF\xBB\xBF") == 0) contents.erase(0, 3);
  return IniDocument::Parse(contents);
}

}  // namespace pikko::standin
