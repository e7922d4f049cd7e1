// A DIB-section bitmap of 24 or 32 bits with scan-line access. Its
// transparent colour is the colour of its bottom-left pixel unless set.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "Graphics/Pixels.h"
#include "platform/ScopedWin.h"

namespace pikko {

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }
  Bitmap& operator=(Bitmap&& other) noexcept;
  // An empty (0 x 0) bitmap has no DIB at all.
  bool Empty() const { return !dib_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bpp_; }

  // Makes a new, black bitmap; false when the system refuses.
  bool Create(int width, int height, int bitsPerPixel);
  // Loads a BMP file of any depth into a 24-bit bitmap. False when the file
  // is missing or not a bitmap.
  bool LoadFromFile(const std::string& path);
  void Clear();
  // Converts to 24 bits (a 32-bit bitmap loses its alpha).
  void To24Bits();
  bool CopyFrom(const Bitmap& other);

  // Row y, top-down, as bytes: 3 (B, G, R) or 4 (B, G, R, A) per pixel.
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  int Stride() const { return stride_; }
  TColor Pixel(int x, int y) const;

  TColor TransparentColor() const;
  void SetTransparentColor(std::optional<TColor> c) { transparentColor_ = c; }

  // Draws at (x, y) of dc; transparent pixels are left out when asked.
  void Draw(HDC dc, int x, int y, bool transparent) const;
  // Draws the part (sx, sy, w, h) of the bitmap at (x, y).
  void DrawPart(HDC dc, int x, int y, int sx, int sy, int w, int h) const;
  HBITMAP Handle() const { return dib_.Get(); }

 private:
  win::ScopedBitmap dib_;
  std::uint8_t* bits_ = nullptr;  // top-down rows
  int width_ = 0, height_ = 0, bpp_ = 0, stride_ = 0;
  std::optional<TColor> transparentColor_;
};

}  // namespace pikko
