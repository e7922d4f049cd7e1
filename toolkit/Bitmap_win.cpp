#include "toolkit/Bitmap_win.h"

#include <cstring>

namespace pikko {

bool Bitmap::Create(int width, int height, int bitsPerPixel) {
  Clear();
  if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return false;
  dib_.Reset(dib);
  bits_ = static_cast<std::uint8_t*>(bits);
  width_ = width;
  height_ = height;
  bpp_ = bitsPerPixel;
  stride_ = ((width * bitsPerPixel + 31) / 32) * 4;
  std::memset(bits_, 0, static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height));
  return true;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    dib_ = std::move(other.dib_);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    bpp_ = std::exchange(other.bpp_, 0);
    stride_ = std::exchange(other.stride_, 0);
    transparentColor_ = std::exchange(other.transparentColor_, std::nullopt);
  }
  return *this;
}

void Bitmap::Clear() {
  dib_.Reset();
  bits_ = nullptr;
  width_ = height_ = bpp_ = stride_ = 0;
}

bool Bitmap::LoadFromFile(const std::string& path) {
  // The system reads every BMP depth and compression; the result is drawn
  // into our own 24-bit DIB so that every bitmap has one pixel layout.
  win::ScopedBitmap loaded(static_cast<HBITMAP>(
      ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!loaded) return false;
  BITMAP bm{};
  if (!::GetObjectA(loaded.Get(), sizeof bm, &bm)) return false;
  if (!Create(bm.bmWidth, bm.bmHeight, 24)) return false;
  win::ScopedMemoryDc src(::CreateCompatibleDC(nullptr));
  win::ScopedMemoryDc dst(::CreateCompatibleDC(nullptr));
  win::ScopedSelect s1(src.Get(), loaded.Get());
  win::ScopedSelect s2(dst.Get(), dib_.Get());
  ::BitBlt(dst.Get(), 0, 0, width_, height_, src.Get(), 0, 0, SRCCOPY);
  ::GdiFlush();
  return true;
}

void Bitmap::To24Bits() {
  if (Empty() || bpp_ == 24) return;
  Bitmap out;
  if (!out.Create(width_, height_, 24)) return;
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* s = ScanLine(y);
    std::uint8_t* d = out.ScanLine(y);
    for (int x = 0; x < width_; ++x) std::memcpy(d + 3 * x, s + 4 * x, 3);
  }
  out.transparentColor_ = transparentColor_;
  *this = std::move(out);
}

bool Bitmap::CopyFrom(const Bitmap& other) {
  if (other.Empty()) {
    Clear();
    transparentColor_ = other.transparentColor_;
    return true;
  }
  if (!Create(other.width_, other.height_, other.bpp_)) return false;
  std::memcpy(bits_, other.bits_, static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
  transparentColor_ = other.transparentColor_;
  return true;
}

std::uint8_t* Bitmap::ScanLine(int y) { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
const std::uint8_t* Bitmap::ScanLine(int y) const {
  return bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
}

TColor Bitmap::Pixel(int x, int y) const {
  if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const std::uint8_t* p = ScanLine(y) + x * (bpp_ / 8);
  return RGB(p[2], p[1], p[0]);
}

TColor Bitmap::TransparentColor() const {
  if (transparentColor_) return *transparentColor_;
  return Pixel(0, height_ - 1);
}

void Bitmap::Draw(HDC dc, int x, int y, bool transparent) const {
  if (Empty()) return;
  win::ScopedMemoryDc src(::CreateCompatibleDC(dc));
  win::ScopedSelect sel(src.Get(), dib_.Get());
  if (transparent) {
    ::TransparentBlt(dc, x, y, width_, height_, src.Get(), 0, 0, width_, height_,
                     TransparentColor());
  } else {
    ::BitBlt(dc, x, y, width_, height_, src.Get(), 0, 0, SRCCOPY);
  }
}

void Bitmap::DrawPart(HDC dc, int x, int y, int sx, int sy, int w, int h) const {
  if (Empty()) return;
  win::ScopedMemoryDc src(::CreateCompatibleDC(dc));
  win::ScopedSelect sel(src.Get(), dib_.Get());
  ::BitBlt(dc, x, y, w, h, src.Get(), sx, sy, SRCCOPY);
}

}  // namespace pikko
