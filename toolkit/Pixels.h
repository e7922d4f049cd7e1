// The one pixel format every pixel algorithm of the menu works on: rows of
// 24-bit (blue, green, red) or 32-bit (blue, green, red, alpha, straight, not
// premultiplied) pixels, top row first, with a stride of their own. Region
// runs, PNG rows, blending and the glow filter all take these views; only
// the bitmap class of the toolkit turns them into DIB sections. Portable
// (no system header): the pixel algorithms of Graphics/ build on the
// toolkit's pixel format, never the other way round.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace pikko {

// A colour as the disc's files and the system give it: 0x00BBGGRR, red in
// the low byte. The top byte may carry a flag; colour comparisons of pixels
// use the low three bytes only.
using TColor = std::uint32_t;

constexpr std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr TColor MakeColour(unsigned red, unsigned green, unsigned blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// A view of someone else's pixels (a DIB section, a test's buffer).
template <class Byte>
struct BasicPixelView {
  Byte* data = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;         // bytes from one row to the next
  int bitsPerPixel = 24;  // 24 or 32

  bool Empty() const { return data == nullptr || width <= 0 || height <= 0; }
  int BytesPerPixel() const { return bitsPerPixel / 8; }
  Byte* Row(int y) const { return data + static_cast<std::ptrdiff_t>(y) * stride; }
  Byte* At(int x, int y) const { return Row(y) + static_cast<std::ptrdiff_t>(x) * BytesPerPixel(); }
  // The colour of a pixel inside the view (red in the low byte).
  TColor Colour(int x, int y) const {
    const Byte* p = At(x, y);
    return MakeColour(p[2], p[1], p[0]);
  }
  // A writable view reads as a read-only one.
  template <class Other, class = std::enable_if_t<std::is_same_v<Byte, const std::uint8_t> &&
                                                  std::is_same_v<Other, std::uint8_t>>>
  BasicPixelView(const BasicPixelView<Other>& o)  // NOLINT(google-explicit-constructor)
      : data(o.data), width(o.width), height(o.height), stride(o.stride),
        bitsPerPixel(o.bitsPerPixel) {}
  BasicPixelView() = default;
  BasicPixelView(Byte* d, int w, int h, int s, int bpp)
      : data(d), width(w), height(h), stride(s), bitsPerPixel(bpp) {}
};

using PixelView = BasicPixelView<std::uint8_t>;
using ConstPixelView = BasicPixelView<const std::uint8_t>;

// Pixels of our own, with rows padded to four bytes as a DIB's are.
class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(int width, int height, int bitsPerPixel) { Reset(width, height, bitsPerPixel); }
  // Black (and, at 32 bits, fully transparent) pixels; an empty buffer for
  // sizes of 0 or less.
  void Reset(int width, int height, int bitsPerPixel) {
    if (width <= 0 || height <= 0) width = height = 0;
    width_ = width;
    height_ = height;
    bpp_ = bitsPerPixel == 32 ? 32 : 24;
    stride_ = ((width_ * bpp_ + 31) / 32) * 4;
    bytes_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bpp_; }
  PixelView View() { return PixelView(bytes_.data(), width_, height_, stride_, bpp_); }
  ConstPixelView View() const {
    return ConstPixelView(bytes_.data(), width_, height_, stride_, bpp_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  int width_ = 0, height_ = 0, bpp_ = 24, stride_ = 0;
};

}  // namespace pikko
