// The glow filter: grey levels, the disc of the kernel in single precision,
// the reference dilation on hand-made masks, the fast dilation giving the
// reference's bytes on a table of radii, spreads, opacities and masks, the
// halo layer, and the cache of a label's halo.
#include "Graphics/GlowFilter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Graphics/GlowHaloCache.h"

namespace pikko {
namespace {

TEST(GlowFilter, GreyLevels) {
  struct Case {
    std::uint8_t r, g, b, level;
  };
  const Case cases[] = {{255, 255, 255, 255}, {0, 0, 0, 0},     {255, 0, 0, 76},
                        {0, 255, 0, 150},     {0, 0, 255, 29},  {128, 128, 128, 128},
                        {1, 1, 1, 1},         {200, 10, 90, 76}};
  for (const Case& c : cases) EXPECT_EQ(GreyLevel(c.r, c.g, c.b), c.level) << int(c.r);
  PixelBuffer mask(2, 1, 32);
  std::uint8_t* p = mask.View().At(1, 0);
  p[0] = 255;  // blue
  p[3] = 200;  // alpha does not count
  const LevelMap levels = GreyLevels(mask.View());
  EXPECT_EQ(levels.At(0, 0), 0);
  EXPECT_EQ(levels.At(1, 0), 29);
}

// Cells inside the disc: the count, and the largest squared distance among them.
TEST(GlowFilter, KernelDisc) {
  struct Case {
    unsigned radius;
    std::uint8_t spread;
    int cells;
    int largest;
  };
  const Case cases[] = {
      {0, 128, 1, 0},    // the centre alone
      {5, 128, 21, 5},   // t = 2.51: squared distances up to 6, of which 6 has no cell
      {5, 255, 81, 25},  // t = 5, the boundary (3, 4) included
      {5, 0, 1, 0},      {1, 255, 5, 1}, {1, 128, 1, 0},  // t = 0.502
      {10, 128, 81, 25},                                  // t = 5.02
      {2, 255, 13, 4},  // the disc never leaves the square: corners (2, 2) out
  };
  for (const Case& c : cases) {
    OuterGlowFilterFactory factory;
    factory.FSpread = c.spread;
    FilterKernel k = factory.CreateKernel(c.radius);
    ASSERT_EQ(k.cells.size(), (2u * c.radius + 1) * (2u * c.radius + 1));
    EXPECT_EQ(k.divisor, 1);
    int cells = 0, largest = -1;
    for (unsigned j = 0; j < 2 * c.radius + 1; ++j)
      for (unsigned i = 0; i < 2 * c.radius + 1; ++i) {
        const int dy = int(j) - int(c.radius), dx = int(i) - int(c.radius);
        if (k.At(j, i) == 1) {
          ++cells;
          largest = std::max(largest, dy * dy + dx * dx);
        } else {
          EXPECT_EQ(k.At(j, i), 0);
        }
      }
    EXPECT_EQ(cells, c.cells) << c.radius << " " << int(c.spread);
    EXPECT_EQ(largest, c.largest) << c.radius << " " << int(c.spread);
    factory.FreeKernel(k, c.radius);
    EXPECT_TRUE(k.Empty());
  }
  OuterGlowFilterFactory factory;
  EXPECT_TRUE(factory.CreateKernel(kMaxKernelRadius + 1).Empty());
}

LevelMap FromText(const std::vector<std::string>& rows) {
  LevelMap map(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < map.height; ++y)
    for (int x = 0; x < map.width; ++x) map.Row(y)[x] = rows[y][x] == '#' ? 200 : 0;
  return map;
}

std::vector<std::string> ToText(const LevelMap& map) {
  std::vector<std::string> rows;
  for (int y = 0; y < map.height; ++y) {
    std::string row;
    for (int x = 0; x < map.width; ++x) row += map.At(x, y) == 200 ? '#' : map.At(x, y) ? '?' : '.';
    rows.push_back(row);
  }
  return rows;
}

// The default disc (squared distance up to 6) around a point, and cut at the edges.
TEST(GlowFilter, ReferenceDilationSpreadsEachLevelOverTheDisc) {
  OuterGlowFilterFactory factory;
  const FilterKernel kernel = factory.CreateKernel(5);
  EXPECT_EQ(ToText(DilateReference(FromText({".......", ".......", ".......", "...#...", ".......",
                                             ".......", "......."}),
                                   kernel)),
            (std::vector<std::string>{".......", "..###..", ".#####.", ".#####.", ".#####.",
                                      "..###..", "......."}));
  EXPECT_EQ(ToText(DilateReference(FromText({"#......", ".......", ".......", "......#"}), kernel)),
            (std::vector<std::string>{"###....", "###..##", "##..###", "....###"}));
  // Radius 0: exactly the text's own pixels.
  const LevelMap text = FromText({"#..#", ".#..", "...#"});
  EXPECT_EQ(ToText(DilateReference(text, factory.CreateKernel(0))), ToText(text));
  EXPECT_EQ(ToText(DilateByDisc(text, 0, 128)), ToText(text));
}

enum class Shape { Empty, Corners, Edges, Strokes, Noise, Full };

LevelMap MakeMask(Shape shape, int w, int h, std::mt19937& random) {
  LevelMap m(w, h);
  auto set = [&](int x, int y, std::uint8_t v) { m.Row(y)[x] = v; };
  switch (shape) {
    case Shape::Empty:
      break;
    case Shape::Corners:
      set(0, 0, 255), set(w - 1, 0, 17), set(0, h - 1, 128), set(w - 1, h - 1, 254);
      break;
    case Shape::Edges:  // letters cut by the rectangle's edges
      for (int x = 0; x < w; x += 3) set(x, 0, 255), set(x, h - 1, static_cast<std::uint8_t>(x));
      for (int y = 0; y < h; ++y) set(0, y, 90), set(w - 1, y, 255);
      break;
    case Shape::Strokes:  // text-like: vertical and horizontal strokes, soft edges
      for (int x = 2; x + 4 < w; x += 7) {
        for (int y = 2; y < h - 2; ++y) set(x, y, 255), set(x + 1, y, 120);
        for (int i = 0; i < 4; ++i) set(x + i, h / 2, 255), set(x + i, 2, 60);
      }
      break;
    case Shape::Noise: {
      std::uniform_int_distribution<int> value(0, 255), coin(0, 9);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (coin(random) == 0) set(x, y, static_cast<std::uint8_t>(value(random)));
      break;
    }
    case Shape::Full: {
      std::uniform_int_distribution<int> value(0, 255);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) set(x, y, static_cast<std::uint8_t>(value(random)));
      break;
    }
  }
  return m;
}

TEST(GlowFilter, FastDilationGivesTheReferenceBytes) {
  std::mt19937 random(20240601);
  const Shape shapes[] = {Shape::Empty,   Shape::Corners, Shape::Edges,
                          Shape::Strokes, Shape::Noise,   Shape::Full};
  struct Size {
    int w, h;
  };
  for (unsigned radius : {0u, 1u, 5u, 10u, 31u}) {
    // Masks smaller than the disc as well as larger ones.
    const Size sizes[] = {{37, 16}, {1, 1}, {3, 40}};
    for (const Size size : sizes) {
      for (std::uint8_t spread : {0, 128, 255}) {
        OuterGlowFilterFactory factory;
        factory.FSpread = spread;
        const FilterKernel kernel = factory.CreateKernel(radius);
        for (Shape shape : shapes) {
          const LevelMap mask = MakeMask(shape, size.w, size.h, random);
          const LevelMap slow = DilateReference(mask, kernel);
          const LevelMap fast = DilateByDisc(mask, radius, spread);
          EXPECT_EQ(fast.levels, slow.levels)
              << "radius " << radius << " spread " << int(spread) << " shape " << int(shape) << " "
              << size.w << "x" << size.h;
        }
      }
    }
  }
}

// Beyond any kernel: every pixel takes the largest level, at once.
TEST(GlowFilter, FastDilationTakesAnyRadius) {
  std::mt19937 random(7);
  const LevelMap mask = MakeMask(Shape::Noise, 50, 9, random);
  std::uint8_t top = 0;
  for (std::uint8_t v : mask.levels) top = std::max(top, v);
  const LevelMap glow = DilateByDisc(mask, 0xFFFFFFFFu, 255);
  for (std::uint8_t v : glow.levels) ASSERT_EQ(v, top);
}

PixelBuffer MaskBuffer(const LevelMap& levels) {
  PixelBuffer buf(levels.width, levels.height, 32);
  for (int y = 0; y < levels.height; ++y)
    for (int x = 0; x < levels.width; ++x) {
      std::uint8_t* p = buf.View().At(x, y);
      p[0] = p[1] = p[2] = levels.At(x, y);
    }
  return buf;
}

TEST(GlowFilter, HaloLayerTheSameBothWaysForEveryOpacity) {
  std::mt19937 random(99);
  for (std::uint8_t alpha : {0, 128, 255}) {
    for (Shape shape : {Shape::Strokes, Shape::Edges}) {
      const LevelMap levels = MakeMask(shape, 60, 16, random);
      GlowParameters glow;
      glow.GlowAlphaValue = alpha;
      glow.GlowColor = MakeColour(0x12, 0x34, 0x56);
      PixelBuffer slow = MaskBuffer(levels), fast = MaskBuffer(levels);
      ApplyOuterGlowFilterReference(slow.View(), glow);
      ApplyOuterGlowFilter(fast.View(), glow);
      const ConstPixelView s = slow.View(), f = fast.View();
      for (int y = 0; y < s.height; ++y)
        ASSERT_EQ(std::memcmp(s.Row(y), f.Row(y), std::size_t(s.width) * 4), 0)
            << "alpha " << int(alpha) << " row " << y;
    }
  }
}

TEST(GlowFilter, HaloAlphaIsTheLevelScaledAndTruncated) {
  struct Case {
    std::uint8_t level, alpha, expected;
  };
  const Case cases[] = {{255, 255, 255}, {255, 128, 128}, {100, 128, 50},
                        {254, 1, 0},     {255, 0, 0},     {0, 255, 0}};
  for (const Case& c : cases) {
    LevelMap glow(1, 1);
    glow.levels[0] = c.level;
    PixelBuffer halo(1, 1, 32);
    GlowParameters p;
    p.GlowAlphaValue = c.alpha;
    FillHalo(glow, p, halo.View());
    EXPECT_EQ(halo.View().At(0, 0)[3], c.expected) << int(c.level) << " " << int(c.alpha);
    EXPECT_EQ(halo.View().Colour(0, 0), 0xBEFFFFu);
  }
}

TEST(GlowHaloCache, KeepsTheHaloUntilWhatItDependsOnChanges) {
  const GlowHaloKey key{"Realtek Audio", false, "font A", 300, 16, 0x24, GlowParameters{}};
  GlowHaloCache cache;
  EXPECT_EQ(cache.Find(key), nullptr);
  cache.Store(key, PixelBuffer(300, 16, 32));
  ASSERT_NE(cache.Find(key), nullptr);
  EXPECT_EQ(cache.Find(key)->Width(), 300);
  EXPECT_EQ(cache.Builds(), 1u);

  std::vector<GlowHaloKey> changed(9, key);
  changed[0].text = "Realtek Audio ";
  changed[1].wide = true;
  changed[2].font = "font B";
  changed[3].width = 299;
  changed[4].height = 17;
  changed[5].format = 0x25;
  changed[6].glow.GlowColor = 0x533B0D;
  changed[7].glow.GlowRadius = 4;
  changed[8].glow.GlowSpread = 127;
  for (std::size_t i = 0; i < changed.size(); ++i) EXPECT_EQ(cache.Find(changed[i]), nullptr) << i;
  GlowHaloKey alpha = key;
  alpha.glow.GlowAlphaValue = 254;
  EXPECT_EQ(cache.Find(alpha), nullptr);

  cache.Store(changed[6], PixelBuffer(1, 1, 32));
  EXPECT_EQ(cache.Find(key), nullptr);  // one halo: the latest
  EXPECT_NE(cache.Find(changed[6]), nullptr);
  EXPECT_EQ(cache.Builds(), 2u);
  cache.Clear();
  EXPECT_EQ(cache.Find(changed[6]), nullptr);
}

}  // namespace
}  // namespace pikko
