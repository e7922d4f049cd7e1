// Blending a picture with a straight (not premultiplied) alpha channel over
// an opaque background, one row at a time. The arithmetic is the menu's own
// and is kept exactly: in double precision, truncated toward zero,
//
//   a = alpha / 255 (times opacity / 255 when opacity is not 255)
//   d = truncate(d * (1 - a) + a * s)      for blue, green and red
//
// so a fully opaque pixel replaces the background, a transparent one keeps
// it, and anything between may land one level below the rounded value.
#pragma once

#include <cstdint>

namespace pikko {

// dst: width pixels of dstBytesPerPixel bytes (3: blue, green, red; 4: the
// fourth, alpha, is left as it is); src: width pixels of blue, green, red,
// alpha. Opacity outside 0..255 is taken as the nearest end.
void BlendRow(std::uint8_t* dst, int dstBytesPerPixel, const std::uint8_t* src, int width,
              int opacity = 255);

// The same over a 24-bit row.
void BlendRowOver24(std::uint8_t* dst, const std::uint8_t* src, int width, int opacity = 255);

}  // namespace pikko
