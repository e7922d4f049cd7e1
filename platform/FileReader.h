// The program's one reader of files on disk: the menu's INI files, the
// skins' bitmaps and the contact pages all come through it. The Windows
// build reads through the system (FileReader_win.cpp), the host build
// through the C library (FileReader_host.cpp).
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace pikko {

constexpr std::size_t kWholeFile = std::numeric_limits<std::size_t>::max();

// The first room bytes of a file (all of it by default; the rest stays
// unread). Nothing, with exists = false, when the file cannot be opened for
// reading; nothing, with exists = true, when it opened but a read failed.
std::optional<std::string> ReadFileBytes(const std::string& path, bool& exists,
                                         std::size_t room = kWholeFile);

}  // namespace pikko
