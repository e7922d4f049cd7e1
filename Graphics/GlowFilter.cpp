#include "Graphics/GlowFilter.h"

#include <algorithm>
#include <cmath>

#include "Graphics/FloatMath.h"
#include "platform/Assert.h"

namespace pikko {
namespace {

// A value rounded to single precision once, whatever the unit keeps it in.
PIKKO_EXACT_FLOAT float ToSingle(double v) {
  volatile float f = static_cast<float>(v);
  return f;
}

// The largest level among in[x - h .. x + h] (levels outside the row count
// as 0) for every x of lo..hi, written to out[lo..hi].
void RunningMax(const std::uint8_t* in, int width, int h, int lo, int hi, std::uint8_t* out,
                std::vector<std::uint8_t>& scratch) {
  if (h <= 2) {
    for (int x = lo; x <= hi; ++x) {
      const int a = std::max(0, x - h), b = std::min(width - 1, x + h);
      std::uint8_t m = 0;
      for (int i = a; i <= b; ++i) m = std::max(m, in[i]);
      out[x] = m;
    }
    return;
  }
  // van Herk / Gil-Werman: over the row padded with h zeros on each side,
  // maxima from each block start (forward) and to each block end
  // (backward), blocks of the window's width k; a window starting at i is
  // then max(backward[i], forward[i + k - 1]).
  const int k = 2 * h + 1;
  const int start = lo - h;
  const int n = hi - lo + 1 + 2 * h;
  scratch.resize(2 * static_cast<std::size_t>(n));
  std::uint8_t* forward = scratch.data();
  std::uint8_t* backward = forward + n;
  for (int i = 0; i < n; ++i) {
    const int x = start + i;
    const std::uint8_t v = (x >= 0 && x < width) ? in[x] : 0;
    forward[i] = (i % k == 0) ? v : std::max(forward[i - 1], v);
    backward[i] = v;
  }
  for (int i = n - 2; i >= 0; --i)
    if ((i + 1) % k != 0) backward[i] = std::max(backward[i], backward[i + 1]);
  for (int x = lo; x <= hi; ++x) {
    const int i = x - lo;
    out[x] = std::max(backward[i], forward[i + k - 1]);
  }
}

}  // namespace

LevelMap::LevelMap(int w, int h) : width(std::max(w, 0)), height(std::max(h, 0)) {
  if (width == 0 || height == 0) width = height = 0;
  levels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

PIKKO_EXACT_FLOAT std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  // The menu's own rounding: add a half and truncate (the sum is never
  // negative, so this rounds halves up as the menu always did).
  // NOLINTNEXTLINE(bugprone-incorrect-roundings)
  return static_cast<std::uint8_t>(0.299 * red + 0.587 * green + 0.114 * blue + 0.5);
}

LevelMap GreyLevels(ConstPixelView mask) {
  if (mask.Empty()) return {};
  LevelMap map(mask.width, mask.height);
  const int bytes = mask.BytesPerPixel();
  for (int y = 0; y < mask.height; ++y) {
    const std::uint8_t* p = mask.Row(y);
    std::uint8_t* out = map.Row(y);
    for (int x = 0; x < mask.width; ++x, p += bytes) out[x] = GreyLevel(p[2], p[1], p[0]);
  }
  return map;
}

PIKKO_EXACT_FLOAT float GlowDiscRadiusSquared(unsigned radius, std::uint8_t spread) {
  const float t = ToSingle(static_cast<double>(std::uint64_t{spread} * radius) / 255.0);
  // The product of two singles is exact in double; rounding it once gives
  // the single-precision square.
  return ToSingle(static_cast<double>(t) * static_cast<double>(t));
}

PIKKO_EXACT_FLOAT bool InGlowDisc(std::uint64_t squaredDistance, float radiusSquared) {
  return static_cast<double>(squaredDistance) <= static_cast<double>(radiusSquared);
}

void FilterFactory::FreeKernel(FilterKernel& kernel, unsigned /*radius*/) {
  kernel.cells.clear();
  kernel.cells.shrink_to_fit();
}

FilterKernel OuterGlowFilterFactory::CreateKernel(unsigned radius) {
  FilterKernel kernel;
  kernel.radius = radius;
  if (radius > kMaxKernelRadius) return kernel;
  const float t2 = GlowDiscRadiusSquared(radius, FSpread);
  const unsigned n = 2 * radius + 1;
  kernel.cells.assign(static_cast<std::size_t>(n) * n, 0);
  for (unsigned j = 0; j < n; ++j) {
    for (unsigned i = 0; i < n; ++i) {
      const std::int64_t dy = static_cast<std::int64_t>(j) - radius;
      const std::int64_t dx = static_cast<std::int64_t>(i) - radius;
      if (InGlowDisc(static_cast<std::uint64_t>(dy * dy + dx * dx), t2))
        kernel.cells[j * n + i] = 1;
    }
  }
  return kernel;
}

LevelMap DilateReference(const LevelMap& levels, const FilterKernel& kernel) {
  LevelMap glow(levels.width, levels.height);
  if (kernel.Empty() || kernel.divisor == 0) return glow;
  const int r = static_cast<int>(kernel.radius);
  for (int y = 0; y < levels.height; ++y) {
    for (int x = 0; x < levels.width; ++x) {
      const int level = levels.At(x, y);
      for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
          const int ty = y + dy, tx = x + dx;
          if (ty < 0 || ty >= levels.height || tx < 0 || tx >= levels.width) continue;
          const int value = level * kernel.At(r + dy, r + dx) / kernel.divisor;
          std::uint8_t& target = glow.Row(ty)[tx];
          if (value > target) target = static_cast<std::uint8_t>(value);
        }
      }
    }
  }
  return glow;
}

LevelMap DilateByDisc(const LevelMap& levels, unsigned radius, std::uint8_t spread) {
  const int W = levels.width, H = levels.height;
  LevelMap glow(W, H);
  if (W == 0 || H == 0) return glow;
  const float t2 = GlowDiscRadiusSquared(radius, spread);

  // half[d]: the half-width of the disc's rows dy = +-d, or -1 past its end.
  // Offsets beyond the map's own size never reach a pixel, so neither dy
  // nor dx needs to go further than that.
  const std::int64_t dxLimit = std::min<std::int64_t>(radius, W - 1);
  const std::int64_t dyLimit = std::min<std::int64_t>(radius, H - 1);
  std::vector<int> half;
  for (std::int64_t d = 0; d <= dyLimit; ++d) {
    const auto inDisc = [&](std::int64_t dx) {
      return InGlowDisc(static_cast<std::uint64_t>(d * d + dx * dx), t2);
    };
    if (!inDisc(0)) break;
    const double room = static_cast<double>(t2) - static_cast<double>(d * d);
    std::int64_t dx = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(std::sqrt(std::max(room, 0.0))), 0, dxLimit);
    while (dx < dxLimit && inDisc(dx + 1)) ++dx;
    while (dx > 0 && !inDisc(dx)) --dx;
    half.push_back(static_cast<int>(dx));
  }
  const int D = static_cast<int>(half.size()) - 1;  // the disc's rows are -D..D

  // The columns that hold a level above 0, row by row; empty rows spread nothing.
  std::vector<int> first(H, -1), last(H, -1);
  for (int y = 0; y < H; ++y) {
    const std::uint8_t* row = levels.Row(y);
    for (int x = 0; x < W; ++x)
      if (row[x] != 0) {
        if (first[y] < 0) first[y] = x;
        last[y] = x;
      }
  }

  // The running maxima of every non-empty row, once for each distinct half-width.
  std::vector<int> widths(half);
  std::sort(widths.begin(), widths.end());
  widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
  std::vector<int> slot(half.size());
  for (std::size_t d = 0; d < half.size(); ++d)
    slot[d] =
        static_cast<int>(std::lower_bound(widths.begin(), widths.end(), half[d]) - widths.begin());
  std::vector<LevelMap> spans(widths.size(), LevelMap(W, H));
  std::vector<std::uint8_t> scratch;
  for (std::size_t w = 0; w < widths.size(); ++w) {
    const int h = widths[w];
    for (int y = 0; y < H; ++y) {
      if (first[y] < 0) continue;
      RunningMax(levels.Row(y), W, h, std::max(0, first[y] - h), std::min(W - 1, last[y] + h),
                 spans[w].Row(y), scratch);
    }
  }

  // Each output row: the largest of its disc rows' span maxima.
  for (int y = 0; y < H; ++y) {
    std::uint8_t* out = glow.Row(y);
    for (int dy = -D; dy <= D; ++dy) {
      const int s = y + dy;
      if (s < 0 || s >= H || first[s] < 0) continue;
      const int d = dy < 0 ? -dy : dy;
      const int h = half[d];
      const std::uint8_t* span = spans[slot[d]].Row(s);
      const int lo = std::max(0, first[s] - h), hi = std::min(W - 1, last[s] + h);
      for (int x = lo; x <= hi; ++x) out[x] = std::max(out[x], span[x]);
    }
  }
  return glow;
}

void FillHalo(const LevelMap& glow, const GlowParameters& parameters, PixelView halo) {
  Check(halo.bitsPerPixel == 32 && halo.width == glow.width && halo.height == glow.height,
        "bitmap->BitsPerPixel == 32", "Graphicutility");
  const std::uint8_t blue = BlueOf(parameters.GlowColor), green = GreenOf(parameters.GlowColor),
                     red = RedOf(parameters.GlowColor);
  const unsigned alpha = parameters.GlowAlphaValue;
  for (int y = 0; y < glow.height; ++y) {
    const std::uint8_t* g = glow.Row(y);
    std::uint8_t* p = halo.Row(y);
    for (int x = 0; x < glow.width; ++x, p += 4) {
      p[0] = blue;
      p[1] = green;
      p[2] = red;
      p[3] = static_cast<std::uint8_t>(g[x] * alpha / 255);
    }
  }
}

void ApplyOuterGlowFilter(PixelView mask, const GlowParameters& parameters) {
  Check(mask.bitsPerPixel == 32, "bitmap->BitsPerPixel == 32", "Graphicutility");
  if (mask.Empty()) return;
  FillHalo(DilateByDisc(GreyLevels(mask), parameters.GlowRadius, parameters.GlowSpread), parameters,
           mask);
}

void ApplyOuterGlowFilterReference(PixelView mask, const GlowParameters& parameters) {
  Check(mask.bitsPerPixel == 32, "bitmap->BitsPerPixel == 32", "Graphicutility");
  if (mask.Empty()) return;
  const LevelMap levels = GreyLevels(mask);
  OuterGlowFilterFactory factory;
  factory.FSpread = parameters.GlowSpread;
  FilterKernel kernel = factory.CreateKernel(parameters.GlowRadius);
  const LevelMap glow = DilateReference(levels, kernel);
  factory.FreeKernel(kernel, parameters.GlowRadius);
  FillHalo(glow, parameters, mask);
}

}  // namespace pikko
