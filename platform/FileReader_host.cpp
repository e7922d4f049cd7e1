#include <algorithm>
#include <cstdio>

#include "platform/FileReader.h"

namespace pikko {

std::optional<std::string> ReadFileBytes(const std::string& path, bool& exists,
                                         std::size_t room) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  exists = file != nullptr;
  if (!file) return std::nullopt;
  std::string bytes;
  char block[64 * 1024];
  bool failed = false;
  while (bytes.size() < room) {
    const std::size_t want = std::min(sizeof block, room - bytes.size());
    const std::size_t got = std::fread(block, 1, want, file);
    bytes.append(block, got);
    if (got < want) {
      failed = std::ferror(file) != 0;
      break;
    }
  }
  std::fclose(file);
  if (failed) {
    // A folder opens here but cannot be read; the Windows build cannot open
    // one at all, and neither does this.
    if (bytes.empty()) exists = false;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace pikko
