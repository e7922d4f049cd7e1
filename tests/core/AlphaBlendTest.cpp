#include "Graphics/AlphaBlend.h"

#include <gtest/gtest.h>

namespace pikko {
namespace {

TEST(BlendRowOver24, Table) {
  struct Case {
    std::uint8_t bg[3];
    std::uint8_t px[4];  // blue, green, red, alpha
    int opacity;
    std::uint8_t out[3];
  };
  const Case cases[] = {
      {{10, 20, 30}, {200, 100, 50, 0}, 255, {10, 20, 30}},      // transparent keeps the background
      {{10, 20, 30}, {200, 100, 50, 255}, 255, {200, 100, 50}},  // opaque replaces it
      {{0, 0, 0}, {255, 255, 255, 128}, 255, {128, 128, 128}},   // half
      {{255, 255, 255}, {0, 0, 0, 128}, 255, {127, 127, 127}},
      // Truncated, not rounded: 200 * 200 / 255 = 156.9 gives 156.
      {{0, 0, 0}, {200, 100, 50, 200}, 255, {156, 78, 39}},
      // The double-precision arithmetic is kept as it is, even where it
      // lands just below a colour laid over itself.
      {{3, 5, 6}, {3, 5, 6, 5}, 255, {2, 4, 5}},
      {{0, 0, 0}, {255, 255, 255, 255}, 0, {0, 0, 0}},            // no opacity: nothing drawn
      {{0, 0, 0}, {255, 255, 255, 255}, 51, {51, 51, 51}},
      {{100, 100, 100}, {100, 100, 100, 77}, 255, {100, 100, 100}},  // same colour stays exact
  };
  for (const Case& c : cases) {
    std::uint8_t dst[3] = {c.bg[0], c.bg[1], c.bg[2]};
    BlendRowOver24(dst, c.px, 1, c.opacity);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(dst[i], c.out[i]) << "channel " << i << " alpha " << int(c.px[3]);
  }
}

// Every pixel of a row is blended with its own alpha, and the row ends where
// it should: the byte after it is untouched.
TEST(BlendRowOver24, WholeRowAndNoOverrun) {
  std::uint8_t dst[3 * 3 + 1] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0xAB};
  const std::uint8_t src[4 * 3] = {255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 255};
  BlendRowOver24(dst, src, 3);
  const std::uint8_t expected[3 * 3 + 1] = {255, 0, 0, 0, 0, 0, 0, 0, 255, 0xAB};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(dst[i], expected[i]) << i;
}

}  // namespace
}  // namespace pikko
