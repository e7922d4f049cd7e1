#include "Graphics/RegionRuns.h"

#include <cstdint>

namespace pikko {
namespace {

// The blue, green and red bytes of a pixel as one number.
inline std::uint32_t Bgr(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16);
}

// Calls emit(y, left, right) for the runs where a pixel's match with the
// colour equals wantMatch.
template <int Step, class Emit>
void ScanRows(ConstPixelView pixels, std::uint32_t key, bool wantMatch, Emit emit) {
  for (int y = 0; y < pixels.height; ++y) {
    const std::uint8_t* p = pixels.Row(y);
    const int w = pixels.width;
    int x = 0;
    while (x < w) {
      while (x < w && (Bgr(p + std::ptrdiff_t{Step} * x) == key) != wantMatch) ++x;
      const int start = x;
      while (x < w && (Bgr(p + std::ptrdiff_t{Step} * x) == key) == wantMatch) ++x;
      if (x > start) emit(y, start, x);
    }
  }
}

std::vector<PixelRun> Runs(ConstPixelView pixels, TColor colour, bool wantMatch) {
  std::vector<PixelRun> runs;
  if (pixels.Empty() || (pixels.bitsPerPixel != 24 && pixels.bitsPerPixel != 32)) return runs;
  const std::uint32_t key = static_cast<std::uint32_t>(BlueOf(colour)) |
                            (static_cast<std::uint32_t>(GreenOf(colour)) << 8) |
                            (static_cast<std::uint32_t>(RedOf(colour)) << 16);
  auto emit = [&](int y, int l, int r) { runs.push_back({y, l, r}); };
  if (pixels.bitsPerPixel == 24) {
    ScanRows<3>(pixels, key, wantMatch, emit);
  } else {
    ScanRows<4>(pixels, key, wantMatch, emit);
  }
  return runs;
}

}  // namespace

std::vector<PixelRun> TransparentRuns(ConstPixelView pixels, TColor transparent) {
  return Runs(pixels, transparent, true);
}

std::vector<PixelRun> OpaqueRuns(ConstPixelView pixels, TColor transparent) {
  return Runs(pixels, transparent, false);
}

}  // namespace pikko
