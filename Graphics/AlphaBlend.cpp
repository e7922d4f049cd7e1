#include "Graphics/AlphaBlend.h"

#include "Graphics/FloatMath.h"

namespace pikko {

PIKKO_EXACT_FLOAT void BlendRow(std::uint8_t* dst, int dstBytesPerPixel, const std::uint8_t* src,
                                int width, int opacity) {
  if (opacity < 0) opacity = 0;
  if (opacity > 255) opacity = 255;
  const double scale = opacity / 255.0;
  for (int x = 0; x < width; ++x, dst += dstBytesPerPixel, src += 4) {
    double a = src[3] / 255.0;
    if (opacity != 255) a *= scale;
    for (int c = 0; c < 3; ++c) dst[c] = static_cast<std::uint8_t>(dst[c] * (1.0 - a) + a * src[c]);
  }
}

void BlendRowOver24(std::uint8_t* dst, const std::uint8_t* src, int width, int opacity) {
  BlendRow(dst, 3, src, width, opacity);
}

}  // namespace pikko
