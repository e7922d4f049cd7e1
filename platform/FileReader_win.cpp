#include "platform/FileReader.h"

#include <windows.h>

#include <algorithm>

#include "platform/ScopedWin.h"

namespace pikko {

std::optional<std::string> ReadFileBytes(const std::string& path, bool& exists,
                                         std::size_t room) {
  const win::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                           nullptr));
  exists = static_cast<bool>(file);
  if (!file) return std::nullopt;
  // A plain file is read in one system call into room of its size: a menu
  // file of many items is megabytes long. Other kinds, and files that grow
  // while they are read, go on in blocks until the end.
  constexpr std::size_t kBlock = 64 * 1024, kMaxCall = 16u << 20;
  LARGE_INTEGER size{};
  std::string bytes;
  if (::GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 &&
      static_cast<unsigned long long>(size.QuadPart) < (1ull << 30))
    bytes.reserve(std::min(static_cast<std::size_t>(size.QuadPart), room));
  while (bytes.size() < room) {
    const std::size_t have = bytes.size();
    const std::size_t free = bytes.capacity() > have ? bytes.capacity() - have : kBlock;
    const DWORD want = static_cast<DWORD>(std::min({room - have, std::max(free, kBlock), kMaxCall}));
    bytes.resize(have + want);
    DWORD got = 0;
    const BOOL read = ::ReadFile(file.Get(), &bytes[have], want, &got, nullptr);
    bytes.resize(have + (read ? got : 0));
    if (!read) return std::nullopt;
    if (got == 0) break;
  }
  return bytes;
}

}  // namespace pikko
