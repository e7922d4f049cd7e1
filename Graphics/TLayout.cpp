#include "Graphics/TLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "Graphics/AlphaBlend.h"
#include "platform/Assert.h"

namespace pikko {

namespace {
constexpr char kUnit[] = "TLayout";
}  // namespace

void AlphaBlendRect(ConstPixelView source, const PixelRect& sourceRect, PixelView destination,
                    PixelPoint point, int opacity) {
  Check(source.bitsPerPixel == 32, "src->BitsPerPixel == 32", kUnit);
  if (destination.Empty()) return;
  // In 64 bits: a picture's rectangle and place come from its file, and the
  // differences of values near the ends of int would overflow.
  using Wide = std::int64_t;
  const Wide rows =
      std::min(Wide{sourceRect.Bottom} - sourceRect.Top, Wide{destination.height} - point.Y);
  const Wide cols =
      std::min(Wide{sourceRect.Right} - sourceRect.Left, Wide{destination.width} - point.X);
  if (rows <= 0 || cols <= 0) return;
  const Wide maxRow = sourceRect.Top + rows;
  const Wide maxCol = sourceRect.Left + cols;
  // A source rectangle that starts before the source reaches beyond it just
  // as one that ends after it.
  Check(maxRow <= source.height && maxCol <= source.width && sourceRect.Top >= 0 &&
            sourceRect.Left >= 0 && !source.Empty(),
        "maxRow <= src->Height && maxCol <= src->Width", kUnit);
  // A point above or left of the destination would write before its first
  // row or pixel: those parts of the area are left out.
  const Wide skipRows = std::max(Wide{0}, -Wide{point.Y});
  const Wide skipCols = std::max(Wide{0}, -Wide{point.X});
  if (skipRows >= rows || skipCols >= cols) return;
  // From here on every value lies within the source and the destination.
  const int dstBytes = destination.BytesPerPixel();
  const int left = static_cast<int>(sourceRect.Left + skipCols);
  const int x = static_cast<int>(point.X + skipCols);
  const int count = static_cast<int>(cols - skipCols);
  for (Wide r = skipRows; r < rows; ++r) {
    const std::uint8_t* s = source.At(left, static_cast<int>(sourceRect.Top + r));
    std::uint8_t* d = destination.At(x, static_cast<int>(point.Y + r));
    BlendRow(d, dstBytes, s, count, opacity);
  }
}

void AlphaBlend(ConstPixelView source, PixelView destination, int opacity) {
  AlphaBlendRect(source, PixelRect{0, 0, source.width, source.height}, destination,
                 PixelPoint{0, 0}, opacity);
}

void CopyCanvasRect(ConstPixelView canvas, const PixelRect& rect, PixelBuffer& out) {
  out.Reset(rect.Width(), rect.Height(), 24);
  if (out.Width() == 0 || canvas.Empty()) return;
  const PixelView o = out.View();
  const int left = std::max(rect.Left, 0), right = std::min(rect.Right, canvas.width);
  const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, canvas.height);
  const int bytes = canvas.BytesPerPixel();
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* s = canvas.At(left, y);
    std::uint8_t* d = o.At(left - rect.Left, y - rect.Top);
    for (int x = left; x < right; ++x, s += bytes, d += 3) std::memcpy(d, s, 3);
  }
}

}  // namespace pikko
