// A DIB-section bitmap of 4, 24 or 32 bits with scan-line access: the one
// place where the program's pixel views (toolkit/Pixels.h) meet GDI. Its
// transparent colour is the colour of its bottom-left pixel unless set.
// Whoever changes it (assigning, loading, converting, or drawing into it and
// calling Changed) has its change handler called, so that a control showing
// it can redraw.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "toolkit/Pixels.h"
#include "platform/ScopedWin.h"

namespace pikko {

class Bitmap {
 public:
  Bitmap() = default;
  // Moving carries the pixels, not the change handler, and tells nobody.
  Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }
  Bitmap& operator=(Bitmap&& other) noexcept;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // An empty (0 x 0) bitmap has no DIB at all.
  bool Empty() const { return !dib_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bpp_; }

  // Makes a new, black bitmap of 4 (the sixteen colours of the standard
  // palette), 24 or 32 bits; false when the system refuses.
  bool Create(int width, int height, int bitsPerPixel);
  // Loads a BMP file of any depth into a 24-bit bitmap. False when the file
  // is missing or not a bitmap; the bitmap is then unchanged.
  bool LoadFromFile(const std::string& path);
  void Clear();
  // Converts to 4, 24 or 32 bits (keeping the picture; a 32-bit bitmap
  // loses its alpha, a 4-bit one takes the nearest of its sixteen colours;
  // 24 to 32 bits gives alpha 0).
  bool SetPixelFormat(int bitsPerPixel);
  // Takes a copy of another bitmap (an empty one empties this one).
  bool CopyFrom(const Bitmap& other);
  // A copy of the pixels of a view (24 or 32 bits).
  bool CopyFrom(ConstPixelView pixels);

  // Rows, top-down: 3 (B, G, R) or 4 (B, G, R, A) bytes per pixel; 4-bit
  // bitmaps have no view (an empty one).
  PixelView View();
  ConstPixelView View() const;
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  int Stride() const { return stride_; }
  // The colour of a pixel (0 outside the bitmap).
  TColor Pixel(int x, int y) const;

  // The fixed transparent colour, else the colour of the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(std::optional<TColor> c) { transparentColor_ = c; }

  // Tells the change handler; callers that drew into the bitmap call it.
  void Changed();
  std::function<void(Bitmap&)> OnChange;

  // Draws at (x, y) of dc; transparent pixels are left out when asked.
  void Draw(HDC dc, int x, int y, bool transparent) const;
  HBITMAP Handle() const { return dib_.Get(); }

 private:
  bool CreateQuietly(int width, int height, int bitsPerPixel);
  void ClearQuietly();

  win::ScopedBitmap dib_;
  std::uint8_t* bits_ = nullptr;  // top-down rows
  int width_ = 0, height_ = 0, bpp_ = 0, stride_ = 0;
  std::optional<TColor> transparentColor_;
};

// A memory DC with a bitmap selected, for drawing into the bitmap with GDI.
// Call the bitmap's Changed() afterwards when its watchers must know.
class BitmapCanvas {
 public:
  explicit BitmapCanvas(Bitmap& bitmap);
  HDC Dc() const { return dc_.Get(); }

 private:
  win::ScopedMemoryDc dc_;
  win::ScopedSelect select_;
};

}  // namespace pikko
