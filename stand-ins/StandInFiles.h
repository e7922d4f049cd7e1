// What the stand-in libraries share: where they lie and how they read the
// small settings and language files beside them.
#pragma once

#include <optional>
#include <string>

#include "platform/IniReader.h"

namespace pikko::standin {

// The folder of the library that holds this code, without a trailing
// backslash; empty when the system cannot say.
std::string ThisLibraryFolder();

// The INI file at path, read as raw bytes (the disc's language files are in
// the code page of their language), or nothing when it cannot be read. Files
// beyond the size limit are refused: they are not the disc's small files.
std::optional<IniDocument> ReadIniFile(const std::string& path);

}  // namespace pikko::standin
