// Blending a picture with a straight (not premultiplied) alpha channel over
// an opaque background, one row at a time.
#pragma once

#include <cstdint>

namespace pikko {

// dst: width pixels of blue, green, red; src: width pixels of blue, green,
// red, alpha. Each channel becomes (src * a + dst * (255 - a)) / 255, rounded,
// with a scaled by opacity / 255 first.
void BlendRowOver24(std::uint8_t* dst, const std::uint8_t* src, int width, int opacity = 255);

}  // namespace pikko
