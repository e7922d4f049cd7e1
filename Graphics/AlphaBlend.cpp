#include "Graphics/AlphaBlend.h"

namespace pikko {

namespace {
// x / 255 rounded, exact for 0 <= x <= 255 * 255.
inline unsigned Div255(unsigned x) { return (x + 127) / 255; }
}  // namespace

void BlendRowOver24(std::uint8_t* dst, const std::uint8_t* src, int width, int opacity) {
  if (opacity < 0) opacity = 0;
  if (opacity > 255) opacity = 255;
  for (int x = 0; x < width; ++x, dst += 3, src += 4) {
    const unsigned a = Div255(src[3] * static_cast<unsigned>(opacity));
    for (int c = 0; c < 3; ++c) dst[c] = static_cast<std::uint8_t>(Div255(src[c] * a + dst[c] * (255 - a)));
  }
}

}  // namespace pikko
