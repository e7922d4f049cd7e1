// How long the glow of one item row takes: the reference dilation against
// the fast one, on a 300 x 16 mask of text at the default radius (5, spread
// 128). Prints the median time of each over several runs and their ratio;
// it checks that both give the same bytes and sets no thresholds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Graphics/GlowFilter.h"
#include "toolkit/Pixels.h"
#include "demo/Draw.h"

namespace {

using pikko::GlowParameters;
using pikko::PixelBuffer;

// A row title as the menu draws it: capitals and digits of the demo's pixel
// font drawn at twice the size and scaled down, so that the letters get the
// soft edges of a real font's anti-aliasing; about 10 pixels high.
PixelBuffer TextMask(int width, int height) {
  const char* text = "REALTEK HIGH DEFINITION AUDIO 6.0.1";
  pikko::demo::Image big(2 * width, 2 * height);
  pikko::demo::DrawText(big, 8, (2 * height - 3 * pikko::demo::kTextHeight) / 2, text,
                        pikko::demo::Rgb{255, 255, 255}, 3);
  PixelBuffer mask(width, height, 32);
  const pikko::PixelView v = mask.View();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int sum = 0;
      for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) sum += big.At(2 * x + i, 2 * y + j).r;
      std::uint8_t* p = v.At(x, y);
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>(sum / 4);
      p[3] = 0;
    }
  return mask;
}

template <class Filter>
double MedianMicroseconds(const PixelBuffer& mask, const GlowParameters& glow, int repeats,
                          Filter filter, PixelBuffer& result) {
  std::vector<double> samples;
  for (int run = 0; run < 9; ++run) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) {
      result = mask;
      filter(result.View(), glow);
    }
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    samples.push_back(took.count() / repeats);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

bool SameBytes(const PixelBuffer& a, const PixelBuffer& b) {
  const pikko::ConstPixelView x = a.View(), y = b.View();
  for (int row = 0; row < x.height; ++row)
    if (std::memcmp(x.Row(row), y.Row(row), static_cast<std::size_t>(x.width) * 4) != 0)
      return false;
  return true;
}

}  // namespace

int main() {
  const PixelBuffer mask = TextMask(300, 16);
  const GlowParameters glow;  // radius 5, spread 128
  PixelBuffer reference, fast;
  const double slow =
      MedianMicroseconds(mask, glow, 20, pikko::ApplyOuterGlowFilterReference, reference);
  const double quick = MedianMicroseconds(mask, glow, 500, pikko::ApplyOuterGlowFilter, fast);
  std::printf("glow 300x16 radius %u spread %u: reference %.1f us, fast %.1f us, ratio %.1f, %s\n",
              glow.GlowRadius, unsigned{glow.GlowSpread}, slow, quick, slow / quick,
              SameBytes(reference, fast) ? "same bytes" : "OUTPUTS DIFFER");
  return SameBytes(reference, fast) ? 0 : 1;
}
