// The display's colour depth as the skinned controls see it: the desktop's
// bits per pixel, unless the program has fixed another (the menu tells its
// controls the depth it chose its skin for, so that a test can run the
// 16-colour look on a deeper display).
#pragma once

#include <optional>

namespace pikko {

int DisplayColourDepth();
void SetDisplayColourDepth(std::optional<int> bitsPerPixel);

}  // namespace pikko
