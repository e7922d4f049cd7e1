// The pixel algorithms over pictures from the disc: the PNG library's
// records turned into buffers, compositing, the window shape's runs and
// the glow of the item titles. Every view lies at the very end of its own
// allocation, so that a read past the last pixel is caught.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Graphics/AlphaBlend.h"
#include "Graphics/GlowFilter.h"
#include "Graphics/PngReader.h"
#include "Graphics/RegionRuns.h"
#include "Graphics/TLayout.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "platform/Assert.h"

namespace pikko::fuzz {
namespace {

// Pixels in a buffer of exactly the bytes the view reaches: every row but
// the last carries its padding, the last ends with its last pixel.
class TightPixels {
 public:
  TightPixels(int width, int height, int bitsPerPixel, int padding, ByteReader& in)
      : width_(std::max(width, 0)), height_(std::max(height, 0)), bpp_(bitsPerPixel) {
    stride_ = width_ * (bpp_ / 8) + padding;
    const std::size_t bytes =
        width_ == 0 || height_ == 0
            ? 0
            : static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_ - 1) +
                  static_cast<std::size_t>(width_ * (bpp_ / 8));
    bytes_ = in.Bytes(bytes);
  }
  PixelView View() {
    return PixelView(bytes_.empty() ? nullptr : bytes_.data(), width_, height_, stride_, bpp_);
  }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }

 private:
  int width_, height_, bpp_, stride_ = 0;
  std::vector<std::uint8_t> bytes_;
};

int SmallOrRaw(ByteReader& in, bool raw) {
  return raw ? in.I32() : static_cast<int>(static_cast<std::int8_t>(in.U8()));
}

}  // namespace

void FuzzPngRows(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t flags = in.U8();
  const bool want32 = (flags & 1) != 0;
  const std::uint32_t colourType = (flags & 2) ? kPngColourTypeRgba : (flags >> 2) & 7;
  std::uint32_t w = in.U16() % 1025, h = in.U16() % 1025;
  if (w * h > 65536) h = 65536 / std::max<std::uint32_t>(w, 1);
  const bool rgba = colourType == kPngColourTypeRgba;
  const std::size_t rowBytes = std::size_t{w} * (rgba ? 4 : 3);
  // One allocation per row, of exactly its bytes, as the library's rows are.
  std::vector<std::unique_ptr<std::uint8_t[]>> rowStore;
  std::vector<std::uint8_t*> rows;
  for (std::uint32_t y = 0; y < h; ++y) {
    rowStore.push_back(std::make_unique<std::uint8_t[]>(rowBytes));
    const std::vector<std::uint8_t> bytes = in.Bytes(rowBytes);
    std::copy(bytes.begin(), bytes.end(), rowStore.back().get());
    rows.push_back(rowStore.back().get());
  }
  const bool missingRow = (flags & 0x20) != 0 && h > 0;
  if (missingRow) rows[in.U16() % h] = nullptr;

  PngImageRecord record{};
  record.width = w;
  record.height = h;
  record.colourType = colourType;
  record.rows = rows.empty() ? nullptr : rows.data();
  // A record beyond the limits names rows it does not have: it must be
  // refused before a row is read.
  if (flags & 0x40) record.width = kMaxPngSide + 1 + in.U8();
  if (flags & 0x80) {
    record.width = kMaxPngSide;
    record.height = static_cast<std::uint32_t>(kMaxPngPixels / kMaxPngSide) + 1 + in.U8();
  }

  PixelBuffer destination(3, 2, 24);
  destination.View().Row(0)[0] = 0xAB;
  const bool converted = ConvertPngRows(record, destination, want32);
  const bool refusable = w == 0 || h == 0 || missingRow || (flags & 0xC0) != 0;
  Expect(converted != refusable, "a sound record converts and any other is refused");
  if (!converted) {
    Expect(destination.Width() == 3 && destination.View().Row(0)[0] == 0xAB,
           "a refused record leaves the destination");
    return;
  }
  const ConstPixelView view = std::as_const(destination).View();
  Expect(view.width == static_cast<int>(w) && view.height == static_cast<int>(h) &&
             view.bitsPerPixel == (want32 ? 32 : 24),
         "the buffer has the record's size");
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const std::uint8_t* s = rows[y] + std::size_t{x} * (rgba ? 4 : 3);
      const std::uint8_t* d = view.At(static_cast<int>(x), static_cast<int>(y));
      const std::uint8_t alpha = rgba ? s[3] : 255;
      const bool cleared = want32 && alpha == 0;
      Expect(d[0] == (cleared ? 0 : s[2]) && d[1] == (cleared ? 0 : s[1]) &&
                 d[2] == (cleared ? 0 : s[0]),
             "red, green, blue become blue, green, red");
      if (want32) Expect(d[3] == alpha, "the alpha is the record's, or opaque");
    }
  }
}

void FuzzAlphaBlend(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t flags = in.U8();
  const int srcW = in.U8() % 40, srcH = in.U8() % 40;
  const int dstW = in.U8() % 40, dstH = in.U8() % 40;
  const int srcBpp = (flags & 7) == 0 ? 24 : 32;
  const int dstBpp = (flags & 8) ? 24 : 32;
  const bool raw = (flags & 0x10) != 0;
  PixelRect rect;
  rect.Left = SmallOrRaw(in, raw);
  rect.Top = SmallOrRaw(in, raw);
  rect.Right = SmallOrRaw(in, raw);
  rect.Bottom = SmallOrRaw(in, raw);
  const PixelPoint point{SmallOrRaw(in, raw), SmallOrRaw(in, raw)};
  const int opacity = static_cast<std::int16_t>(in.U16());
  const int srcPad = in.U8() % 4, dstPad = in.U8() % 4;
  TightPixels source(srcW, srcH, srcBpp, srcPad, in);
  TightPixels destination(dstW, dstH, dstBpp, dstPad, in);

  // What must happen, worked out in 64 bits: the area clipped to the
  // destination must lie inside the source.
  const PixelView src = source.View(), dst = destination.View();
  std::vector<std::uint8_t> expected = destination.Bytes();
  const char* expectedCheck = nullptr;
  if (srcBpp != 32) {
    expectedCheck = "src->BitsPerPixel == 32";
  } else if (!dst.Empty()) {
    const std::int64_t rows = std::min<std::int64_t>(std::int64_t{rect.Bottom} - rect.Top,
                                                     std::int64_t{dstH} - point.Y);
    const std::int64_t cols = std::min<std::int64_t>(std::int64_t{rect.Right} - rect.Left,
                                                     std::int64_t{dstW} - point.X);
    if (rows > 0 && cols > 0) {
      if (rect.Top < 0 || rect.Left < 0 || rect.Top + rows > srcH || rect.Left + cols > srcW ||
          src.Empty()) {
        expectedCheck = "maxRow <= src->Height && maxCol <= src->Width";
      } else {
        const PixelView want(expected.data(), dstW, dstH, dst.stride, dstBpp);
        for (std::int64_t r = std::max<std::int64_t>(0, -std::int64_t{point.Y}); r < rows; ++r) {
          for (std::int64_t c = std::max<std::int64_t>(0, -std::int64_t{point.X}); c < cols; ++c) {
            BlendRow(want.At(static_cast<int>(point.X + c), static_cast<int>(point.Y + r)),
                     want.BytesPerPixel(),
                     src.At(static_cast<int>(rect.Left + c), static_cast<int>(rect.Top + r)), 1,
                     opacity);
          }
        }
      }
    }
  }

  const ThrowingAssertions throwing;
  const char* failed = nullptr;
  std::string failedText;
  try {
    AlphaBlendRect(src, rect, dst, point, opacity);
  } catch (const AssertionFailure& f) {
    failedText = f.expression;
    failed = failedText.c_str();
    Expect(f.unit == "TLayout", "the check names its unit");
  }
  Expect((failed == nullptr) == (expectedCheck == nullptr) &&
             (failed == nullptr || failedText == expectedCheck),
         "the documented check fails exactly when the area leaves the source");
  if (failed == nullptr)
    Expect(destination.Bytes() == expected, "the area is blended and nothing else changes");

  // Copying a rectangle of the destination, as a canvas, with small bounds.
  const PixelRect copy{static_cast<std::int8_t>(rect.Left & 0xFF) / 2,
                       static_cast<std::int8_t>(rect.Top & 0xFF) / 2,
                       static_cast<std::int8_t>(rect.Right & 0xFF) / 2,
                       static_cast<std::int8_t>(rect.Bottom & 0xFF) / 2};
  PixelBuffer out;
  CopyCanvasRect(dst, copy, out);
  const int outW = copy.Width() > 0 && copy.Height() > 0 ? copy.Width() : 0;
  const int outH = outW > 0 ? copy.Height() : 0;
  Expect(out.Width() == outW && out.Height() == outH && out.BitsPerPixel() == 24,
         "the copy has the rectangle's size");
  const ConstPixelView o = std::as_const(out).View();
  for (int y = 0; y < outH; ++y) {
    for (int x = 0; x < outW; ++x) {
      const int cx = copy.Left + x, cy = copy.Top + y;
      const bool inside = !dst.Empty() && cx >= 0 && cy >= 0 && cx < dstW && cy < dstH;
      const std::uint8_t* p = o.At(x, y);
      for (int c = 0; c < 3; ++c)
        Expect(p[c] == (inside ? dst.At(cx, cy)[c] : 0), "outside the canvas the copy is black");
    }
  }
}

void FuzzRegionRuns(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t flags = in.U8();
  const int w = in.U8() % 65, h = in.U8() % 65;
  const int bpp = (flags & 3) == 0 ? 16 : (flags & 1) ? 32 : 24;
  const int pad = in.U8() % 5;
  const TColor colour = in.U32();
  TightPixels pixels(w, h, bpp, pad, in);
  const PixelView view = pixels.View();
  // Two-colour pictures, as skins are: each bit picks the colour or not.
  if ((flags & 4) && !view.Empty() && bpp != 16) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        std::uint8_t* p = view.At(x, y);
        if (p[0] & 1) {
          p[0] = BlueOf(colour);
          p[1] = GreenOf(colour);
          p[2] = RedOf(colour);
        }
      }
    }
  }
  const std::vector<PixelRun> transparent = TransparentRuns(view, colour);
  const std::vector<PixelRun> opaque = OpaqueRuns(view, colour);
  if (view.Empty() || bpp == 16) {
    Expect(transparent.empty() && opaque.empty(), "no runs without 24- or 32-bit pixels");
    return;
  }
  // Together the runs of a row cover it once, alternating, each pixel on
  // the side its colour puts it.
  std::size_t t = 0, q = 0;
  for (int y = 0; y < h; ++y) {
    int x = 0;
    while (x < w) {
      const bool match = view.Colour(x, y) == (colour & 0xFFFFFF);
      const std::vector<PixelRun>& runs = match ? transparent : opaque;
      std::size_t& i = match ? t : q;
      Expect(i < runs.size() && runs[i].y == y && runs[i].left == x && runs[i].right > x &&
                 runs[i].right <= w,
             "every pixel starts or continues a run of its kind");
      for (int p = x; p < runs[i].right; ++p)
        Expect((view.Colour(p, y) == (colour & 0xFFFFFF)) == match, "a run holds one kind");
      x = runs[i].right;
      ++i;
    }
  }
  Expect(t == transparent.size() && q == opaque.size(), "no run lies outside the picture");
}

void FuzzGlowFilter(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t flags = in.U8();
  // Small masks keep the reference (every pixel over every kernel cell)
  // quick; the smallest take the larger radii.
  const int w = 1 + in.U8() % 16, h = 1 + in.U8() % 16;
  GlowParameters parameters;
  parameters.GlowRadius = in.U8() % (w * h <= 48 ? 31 : 13);
  parameters.GlowSpread = in.U8();
  parameters.GlowAlphaValue = in.U8();
  parameters.GlowColor = in.U32();
  TightPixels mask(w, h, 32, 0, in);

  if (flags & 1) {
    // A mask that is not 32-bit is a broken invariant.
    TightPixels narrow(w, h, 24, 0, in);
    const ThrowingAssertions throwing;
    bool failed = false;
    try {
      ApplyOuterGlowFilter(narrow.View(), parameters);
    } catch (const AssertionFailure& f) {
      failed = f.expression == "bitmap->BitsPerPixel == 32" && f.unit == "Graphicutility";
    }
    Expect(failed, "a 24-bit mask fails the documented check");
  }

  const LevelMap levels = GreyLevels(mask.View());
  if (flags & 2) {
    // A disc beyond the map's size reaches every pixel: each gets the
    // largest level. The reference takes no kernel of that size.
    const unsigned radius = 2000 + in.U16();
    const LevelMap wide = DilateByDisc(levels, radius, 255);
    const std::uint8_t top = *std::max_element(levels.levels.begin(), levels.levels.end());
    Expect(std::all_of(wide.levels.begin(), wide.levels.end(),
                       [&](std::uint8_t v) { return v == top; }),
           "a disc over the whole map spreads its largest level");
    OuterGlowFilterFactory factory;
    Expect(factory.CreateKernel(kMaxKernelRadius + 1).Empty(), "an oversized kernel is refused");
  }

  // The fast dilation and the reference give the same bytes.
  OuterGlowFilterFactory factory;
  factory.FSpread = parameters.GlowSpread;
  FilterKernel kernel = factory.CreateKernel(parameters.GlowRadius);
  const LevelMap reference = DilateReference(levels, kernel);
  const LevelMap fast = DilateByDisc(levels, parameters.GlowRadius, parameters.GlowSpread);
  factory.FreeKernel(kernel, parameters.GlowRadius);
  Expect(fast.width == reference.width && fast.height == reference.height &&
             fast.levels == reference.levels,
         "the fast dilation gives the reference's levels");

  std::vector<std::uint8_t> original = mask.Bytes();
  ApplyOuterGlowFilter(mask.View(), parameters);
  std::vector<std::uint8_t> fastHalo = mask.Bytes();
  mask.Bytes() = original;
  ApplyOuterGlowFilterReference(mask.View(), parameters);
  Expect(fastHalo == mask.Bytes(), "the fast halo is the reference's, byte for byte");
}

}  // namespace pikko::fuzz
