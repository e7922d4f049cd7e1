// The menu's icon, drawn by code: a blue rounded tile with a white disc.
// app/Pikko.ico is this file, committed; a test checks that it still is.
#pragma once

#include <string>

namespace pikko::demo {

// A Windows icon file with 16, 32 and 48 pixel images, 32 bits with alpha
// and an AND mask (so that every Windows from XP on can show it).
std::string EncodeAppIcon();

}  // namespace pikko::demo
