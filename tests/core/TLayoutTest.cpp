// Compositing over pixel views: which pixels a blend reaches (clipped to the
// destination, never before its first row or pixel), the checks of a source
// that is too small or not 32-bit, the destination's alpha, and the canvas
// copy.
#include "Graphics/TLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Assert.h"

namespace pikko {
namespace {

PixelBuffer Filled(int w, int h, int bpp, std::uint8_t b, std::uint8_t g, std::uint8_t r,
                   std::uint8_t a = 0) {
  PixelBuffer buf(w, h, bpp);
  const PixelView v = buf.View();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = v.At(x, y);
      p[0] = b;
      p[1] = g;
      p[2] = r;
      if (bpp == 32) p[3] = a;
    }
  return buf;
}

// The destination as a picture: '#' where the opaque source landed, '.' elsewhere.
std::string Changed(const PixelBuffer& dst) {
  std::string s;
  const ConstPixelView v = dst.View();
  for (int y = 0; y < v.height; ++y) {
    for (int x = 0; x < v.width; ++x) s += v.Colour(x, y) == MakeColour(9, 9, 9) ? '#' : '.';
    s += '/';
  }
  return s;
}

TEST(AlphaBlendRect, ReachesTheClippedAreaOnly) {
  struct Case {
    PixelRect sourceRect;
    PixelPoint point;
    const char* picture;  // of a 4 x 3 destination
  };
  const Case cases[] = {
      {{0, 0, 2, 2}, {0, 0}, "##../##../..../"},
      {{0, 0, 2, 2}, {3, 2}, "..../..../...#/"},    // cut at the right and bottom
      {{0, 0, 6, 5}, {0, 0}, "####/####/####/"},    // wider than the destination
      {{1, 1, 6, 5}, {2, 1}, "..../..##/..##/"},    // from inside the source
      {{0, 0, 3, 3}, {-1, -2}, "##../..../..../"},  // before the first row and pixel
      {{0, 0, 2, 2}, {4, 0}, "..../..../..../"},    // beyond the destination
      {{0, 0, 2, 2}, {-2, 0}, "..../..../..../"},
      {{0, 0, 0, 2}, {0, 0}, "..../..../..../"},  // empty rectangle
  };
  for (const Case& c : cases) {
    const PixelBuffer src = Filled(6, 5, 32, 9, 9, 9, 255);
    PixelBuffer dst = Filled(4, 3, 24, 1, 2, 3);
    AlphaBlendRect(src.View(), c.sourceRect, dst.View(), c.point);
    const std::string expected = c.picture;
    EXPECT_EQ(Changed(dst), expected) << c.point.X << "," << c.point.Y;
  }
}

TEST(AlphaBlendRect, AreaBeyondTheSourceIsABrokenInvariant) {
  struct Case {
    PixelRect sourceRect;
    int dstWidth;
    bool fails;
  };
  const Case cases[] = {
      {{0, 0, 3, 2}, 5, true},   // three columns of a two-column source
      {{0, 0, 3, 2}, 2, false},  // clipped to two by the destination first
      {{1, 0, 3, 2}, 5, true},  {{0, 1, 2, 3}, 5, true},
      {{-1, 0, 1, 2}, 5, true},  // starts before the source
      {{0, 0, 2, 2}, 5, false},
  };
  ThrowingAssertions throwing;
  for (const Case& c : cases) {
    const PixelBuffer src = Filled(2, 2, 32, 9, 9, 9, 255);
    PixelBuffer dst = Filled(c.dstWidth, 4, 24, 1, 2, 3);
    try {
      AlphaBlendRect(src.View(), c.sourceRect, dst.View(), {0, 0});
      EXPECT_FALSE(c.fails) << c.sourceRect.Left << " " << c.sourceRect.Right;
    } catch (const AssertionFailure& f) {
      EXPECT_TRUE(c.fails) << c.sourceRect.Left << " " << c.sourceRect.Right;
      EXPECT_EQ(f.expression, "maxRow <= src->Height && maxCol <= src->Width");
      EXPECT_EQ(f.unit, "TLayout");
    }
  }
}

TEST(AlphaBlendRect, SourceMustBe32Bit) {
  ThrowingAssertions throwing;
  const PixelBuffer src = Filled(2, 2, 24, 9, 9, 9);
  PixelBuffer dst = Filled(2, 2, 24, 1, 2, 3);
  EXPECT_THROW(AlphaBlend(src.View(), dst.View()), AssertionFailure);
  EXPECT_EQ(dst.View().Colour(0, 0), MakeColour(3, 2, 1));
}

// A 32-bit destination is blended with 4 bytes a pixel and keeps its own
// alpha; the opacity scales the source's alpha.
TEST(AlphaBlend, DestinationAlphaAndOpacity) {
  struct Case {
    int bpp;
    int opacity;
    std::uint8_t expected;  // each colour channel, background 0, source 255
  };
  const Case cases[] = {{32, 255, 255}, {32, 51, 51}, {24, 255, 255}, {24, 0, 0}, {24, 128, 128}};
  for (const Case& c : cases) {
    const PixelBuffer src = Filled(3, 2, 32, 255, 255, 255, 255);
    PixelBuffer dst = Filled(3, 2, c.bpp, 0, 0, 0, 77);
    AlphaBlend(src.View(), dst.View(), c.opacity);
    const ConstPixelView v = dst.View();
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        for (int i = 0; i < 3; ++i) {
          EXPECT_EQ(v.At(x, y)[i], c.expected) << c.bpp << " " << c.opacity;
        }
        if (c.bpp == 32) {
          EXPECT_EQ(v.At(x, y)[3], 77);
        }
      }
  }
}

TEST(CopyCanvasRect, CopiesInsideAndLeavesTheRestBlack) {
  PixelBuffer canvas(3, 2, 32);
  const PixelView v = canvas.View();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      std::uint8_t* p = v.At(x, y);
      p[0] = static_cast<std::uint8_t>(10 * x + y);
      p[1] = 100;
      p[2] = 200;
      p[3] = 1;
    }
  PixelBuffer out;
  CopyCanvasRect(canvas.View(), {1, -1, 4, 2}, out);
  ASSERT_EQ(out.Width(), 3);
  ASSERT_EQ(out.Height(), 3);
  EXPECT_EQ(out.BitsPerPixel(), 24);
  const ConstPixelView o = out.View();
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      const bool inside = y >= 1 && x <= 1;
      const TColor want = inside ? MakeColour(200, 100, 10 * (x + 1) + (y - 1)) : 0;
      EXPECT_EQ(o.Colour(x, y), want) << x << "," << y;
    }
  CopyCanvasRect(canvas.View(), {2, 2, 2, 5}, out);
  EXPECT_EQ(out.Width(), 0);
}

}  // namespace
}  // namespace pikko
