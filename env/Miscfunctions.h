// Path helpers: the Windows folder in its two spellings, a tail copy, and the
// normalisation of the "." and ".." steps that the disc's INI files build.
// Paths use the backslash; positions are 1-based.
#pragma once

#include <string>
#include <string_view>

namespace pikko {

std::string WindowsFolder();       // without trailing backslash (C:\ becomes C:)
std::string WindowsFolderSlash();  // with trailing backslash
std::string WindowsFile(std::string_view name);
std::string CopyFrom(std::string_view text, int from);
std::string NormalizePath(std::string path);

}  // namespace pikko
