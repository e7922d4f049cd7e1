// Checks of single files: whether a bitmap or a PNG picture can be read.
#pragma once

#include <string>

#include "disccheck/DiscFileSystem.h"

namespace pikko::disccheck {

// An uncompressed or run-length Windows bitmap whose header is sound and
// whose pixels the file holds.
bool IsReadableBitmap(const DiscFileSystem& files, const std::string& path);
bool LooksLikeBitmap(const std::string& bytes);
// A PNG file with its signature and a sound header chunk.
bool LooksLikePng(const std::string& bytes);

}  // namespace pikko::disccheck
