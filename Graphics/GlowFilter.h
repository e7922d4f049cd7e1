// The glow of the item titles: the text's mask (white letters on black) is
// turned into grey levels, the levels are dilated by a disc, and the
// dilated levels become the alpha of a layer in the glow colour. Two
// dilations give the same bytes: the reference, kept as the menu has always
// computed it (every pixel spreads its level over every kernel cell), and
// the fast one the menu paints with, whose cost does not grow with the
// radius.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/Pixels.h"

namespace pikko {

// One byte per pixel, rows top first, [row][column] = levels[row * width + column].
struct LevelMap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> levels;

  LevelMap() = default;
  LevelMap(int w, int h);
  std::uint8_t At(int x, int y) const {
    return levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  std::uint8_t* Row(int y) {
    return levels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  }
  const std::uint8_t* Row(int y) const {
    return levels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  }
};

// truncate(0.299 red + 0.587 green + 0.114 blue + 0.5), in double precision.
std::uint8_t GreyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
LevelMap GreyLevels(ConstPixelView mask);

// The disc rule of the glow kernel: with t = spread * radius / 255 and t²
// both in single precision, the offset (dy, dx) belongs to the disc when
// dy² + dx² <= t² (and |dy|, |dx| <= radius).
float GlowDiscRadiusSquared(unsigned radius, std::uint8_t spread);
bool InGlowDisc(std::uint64_t squaredDistance, float radiusSquared);

// A square of (2 radius + 1)² cells, [row][column] = cells[row * (2 radius + 1) + column].
struct FilterKernel {
  unsigned radius = 0;
  std::vector<int> cells;
  int divisor = 1;
  bool Empty() const { return cells.empty(); }
  int At(unsigned row, unsigned column) const { return cells[row * (2 * radius + 1) + column]; }
};

// The kernels the reference dilation takes cells from. Kernels beyond this
// radius (some 16 MB of cells) are refused and come out empty.
inline constexpr unsigned kMaxKernelRadius = 1023;

class FilterFactory {
 public:
  virtual ~FilterFactory() = default;
  virtual FilterKernel CreateKernel(unsigned radius) = 0;
  // Releases the kernel's cells.
  virtual void FreeKernel(FilterKernel& kernel, unsigned radius);
};

// The disc of the outer glow: cells 1 inside it, 0 outside, divisor 1.
class OuterGlowFilterFactory : public FilterFactory {
 public:
  FilterKernel CreateKernel(unsigned radius) override;
  std::uint8_t FSpread = 128;
};

// The reference: glow := 0; for every pixel and every kernel cell whose
// target lies inside the map, glow at the target := max(glow, level *
// cell / divisor). An empty kernel gives an all-zero map.
LevelMap DilateReference(const LevelMap& levels, const FilterKernel& kernel);

// The same result from the disc's row spans: each row of the disc is a span
// of half-width h, so a running maximum over width 2h + 1 of each source
// row (computed once per distinct h), combined over the disc's rows, gives
// the largest level within the disc. Empty rows are skipped. Any radius.
LevelMap DilateByDisc(const LevelMap& levels, unsigned radius, std::uint8_t spread);

// The four parameters of a glow and their defaults.
struct GlowParameters {
  std::uint8_t GlowAlphaValue = 255;  // overall opacity of the halo
  TColor GlowColor = 0xBEFFFF;        // pale yellow
  unsigned GlowRadius = 5;            // half-size of the kernel square
  std::uint8_t GlowSpread = 128;      // the disc's radius, in 255ths of GlowRadius

  friend bool operator==(const GlowParameters& a, const GlowParameters& b) {
    return a.GlowAlphaValue == b.GlowAlphaValue && a.GlowColor == b.GlowColor &&
           a.GlowRadius == b.GlowRadius && a.GlowSpread == b.GlowSpread;
  }
  friend bool operator!=(const GlowParameters& a, const GlowParameters& b) { return !(a == b); }
};

// Fills the 32-bit view (the size of glow) with the glow colour and gives
// each pixel the alpha truncate(glow * GlowAlphaValue / 255).
void FillHalo(const LevelMap& glow, const GlowParameters& parameters, PixelView halo);

// Turns a 32-bit mask into its halo layer in place, with the fast dilation.
// A mask that is not 32-bit is a broken invariant (unit Graphicutility).
void ApplyOuterGlowFilter(PixelView mask, const GlowParameters& parameters);
// The same with the reference dilation and a kernel from OuterGlowFilterFactory.
void ApplyOuterGlowFilterReference(PixelView mask, const GlowParameters& parameters);

}  // namespace pikko
