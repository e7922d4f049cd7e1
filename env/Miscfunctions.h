// Path helpers: the Windows folder in its two spellings, a tail copy, and the
// normalisation of the "." and ".." steps that the disc's INI files build.
// Paths use the backslash; positions are 1-based. Paths are in the system
// code page, whose double-byte characters may end in a backslash byte.
#pragma once

#include <string>
#include <string_view>

namespace pikko {

std::string WindowsFolder();       // without trailing backslash (C:\ becomes C:)
std::string WindowsFolderSlash();  // with trailing backslash
std::string WindowsFile(std::string_view name);
std::string CopyFrom(std::string_view text, int from);
// Byte by byte, for text without double-byte characters.
std::string NormalizePath(std::string path);
// For text in the code page: a backslash that is the trail byte of a
// double-byte character is never taken for a separator.
std::string NormalizePath(std::string path, unsigned codePage);
// The path without one trailing backslash (C:\ becomes C:, C:\a\\ becomes
// C:\a\); a double-byte character's trail byte stays.
std::string WithoutTrailingBackslash(std::string path, unsigned codePage);

}  // namespace pikko
