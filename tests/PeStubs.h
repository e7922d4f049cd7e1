// Tiny Windows executables and libraries for the host tests: a valid PE
// header, one section and an export table with the names given. They
// cannot run; they only have to read like the real files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pikko::testing {

inline void PutLe(std::string& b, std::size_t at, std::uint64_t v, int bytes) {
  if (b.size() < at + static_cast<std::size_t>(bytes)) b.resize(at + static_cast<std::size_t>(bytes), '\0');
  for (int i = 0; i < bytes; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::string MinimalPe(bool is64, bool dll, const std::vector<std::string>& exports = {}) {
  std::string b(0x400, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  PutLe(b, 0x3C, 0x40, 4);
  b.replace(0x40, 4, std::string("PE\0\0", 4));
  const std::size_t coff = 0x44;
  PutLe(b, coff, is64 ? 0x8664 : 0x14C, 2);
  PutLe(b, coff + 2, 1, 2);  // one section
  const std::size_t optionalSize = is64 ? 240 : 224;
  PutLe(b, coff + 16, optionalSize, 2);
  PutLe(b, coff + 18, dll ? 0x2022 : 0x0022, 2);
  const std::size_t opt = coff + 20;
  PutLe(b, opt, is64 ? 0x20B : 0x10B, 2);
  PutLe(b, opt + 48, 5, 2);  // subsystem version 5.2
  PutLe(b, opt + 50, 2, 2);
  PutLe(b, opt + 68, 2, 2);  // GUI
  const std::size_t dirCount = opt + (is64 ? 108 : 92);
  PutLe(b, dirCount, 16, 4);
  const std::size_t section = opt + optionalSize;
  b.replace(section, 6, ".edata");
  PutLe(b, section + 8, 0x200, 4);    // virtual size
  PutLe(b, section + 12, 0x1000, 4);  // virtual address
  PutLe(b, section + 16, 0x200, 4);   // raw size
  PutLe(b, section + 20, 0x200, 4);   // raw offset
  if (!exports.empty()) {
    PutLe(b, dirCount + 4, 0x1000, 4);  // export directory
    PutLe(b, dirCount + 8, 0x100, 4);
    const std::size_t dir = 0x200;
    PutLe(b, dir + 20, exports.size(), 4);
    PutLe(b, dir + 24, exports.size(), 4);
    PutLe(b, dir + 32, 0x1000 + 40, 4);  // the name pointers follow the directory
    std::size_t text = 40 + exports.size() * 4;
    for (std::size_t i = 0; i < exports.size(); ++i) {
      PutLe(b, dir + 40 + i * 4, 0x1000 + text, 4);
      b.replace(dir + text, exports[i].size() + 1, exports[i] + std::string(1, '\0'));
      text += exports[i].size() + 1;
    }
  }
  return b;
}

}  // namespace pikko::testing
