#include "toolkit/Bitmap_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/FileReader.h"
#include "platform/ScopedWin.h"

namespace pikko {
namespace {

// A skin's bitmaps are under a megabyte; a file beyond this is not one.
constexpr std::size_t kMaxBitmapFileBytes = std::size_t{64} << 20;

std::uint32_t Le32(const char* bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

// What a bitmap file holds, for its load.
enum class DibFile {
  Uncompressed,  // header, colours and pixels whole within the file
  Damaged,       // uncompressed, but the file ends before its pixels do
  Other,         // compressed, an old header, or no bitmap: the system decides
};

// Sorts the file; for an uncompressed one gives its header, size and pixels,
// which the system can then convert without reading past the file.
DibFile ExamineDib(const std::string& file, const BITMAPINFO*& info, int& width,
                   int& height, const std::uint8_t*& bits) {
  if (file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M') return DibFile::Other;
  const std::uint32_t offBits = Le32(&file[10]);
  const std::uint32_t headerSize = Le32(&file[14]);
  if (headerSize < 40 || headerSize > 124 || 14 + std::uint64_t{headerSize} > file.size())
    return DibFile::Other;
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(&file[14]);
  const LONG w = header->biWidth, h = header->biHeight;
  const WORD bpp = header->biBitCount;
  const bool masks = header->biCompression == BI_BITFIELDS;
  if (header->biCompression != BI_RGB && !(masks && (bpp == 16 || bpp == 32)))
    return DibFile::Other;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return DibFile::Other;
  if (header->biPlanes != 1 || w <= 0 || w > 32768 || h == 0 || h < -32768 || h > 32768)
    return DibFile::Damaged;
  // The colour table (or the three masks of a short header) follows the header.
  std::uint64_t table = 0;
  if (bpp <= 8) {
    const std::uint64_t used = header->biClrUsed ? header->biClrUsed : 1u << bpp;
    if (used > (1u << bpp)) return DibFile::Damaged;
    table = 4 * used;
  } else if (masks && headerSize == 40) {
    table = 12;
  }
  const std::uint64_t rows = h < 0 ? std::uint64_t(-std::int64_t{h}) : std::uint64_t(h);
  const std::uint64_t stride = (std::uint64_t(w) * bpp + 31) / 32 * 4;
  if (14 + std::uint64_t{headerSize} + table > offBits || offBits > file.size() ||
      stride * rows > file.size() - offBits)
    return DibFile::Damaged;
  info = reinterpret_cast<const BITMAPINFO*>(header);
  width = static_cast<int>(w);
  height = static_cast<int>(rows);
  bits = reinterpret_cast<const std::uint8_t*>(&file[offBits]);
  return DibFile::Uncompressed;
}

// The sixteen colours of a 16-colour display, in the standard order.
constexpr RGBQUAD kSixteenColours[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},     {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0},   {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},     {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0},   {255, 255, 0, 0}, {255, 255, 255, 0}};

struct InfoWithPalette {
  BITMAPINFOHEADER header;
  RGBQUAD colours[16];
};

}  // namespace

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

bool Bitmap::CreateQuietly(int width, int height, int bitsPerPixel) {
  ClearQuietly();
  if (width <= 0 || height <= 0) return false;
  if (bitsPerPixel != 4 && bitsPerPixel != 24 && bitsPerPixel != 32) return false;
  InfoWithPalette info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = -height;  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.header.biCompression = BI_RGB;
  if (bitsPerPixel == 4) {
    info.header.biClrUsed = 16;
    std::memcpy(info.colours, kSixteenColours, sizeof kSixteenColours);
  }
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info),
                                   DIB_RGB_COLORS, &bits, nullptr, 0);
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

bool Bitmap::Create(int width, int height, int bitsPerPixel) {
  const bool ok = CreateQuietly(width, height, bitsPerPixel);
  Changed();
  return ok;
}

void Bitmap::ClearQuietly() {
  dib_.Reset();
  bits_ = nullptr;
  width_ = height_ = bpp_ = stride_ = 0;
}

void Bitmap::Clear() {
  ClearQuietly();
  Changed();
}

void Bitmap::Changed() {
  if (OnChange) OnChange(*this);
}

bool Bitmap::LoadFromFile(const std::string& path) {
  // Every bitmap has one pixel layout, our own 24-bit DIB. An uncompressed
  // file (the skins' kind) is read in one go and converted by the system
  // straight into it; that costs a third of a loaded image drawn over. One
  // whose pixels are cut off is refused: the system's loader would read past
  // the end of the file and bring the menu down.
  bool exists = false;
  const std::optional<std::string> read = ReadFileBytes(path, exists, kMaxBitmapFileBytes + 1);
  if (!read || read->empty() || read->size() > kMaxBitmapFileBytes) return false;
  const std::string& file = *read;
  const BITMAPINFO* info = nullptr;
  int width = 0, height = 0;
  const std::uint8_t* bits = nullptr;
  const DibFile kind = ExamineDib(file, info, width, height, bits);
  if (kind == DibFile::Damaged) return false;
  if (kind == DibFile::Uncompressed) {
    Bitmap out;
    win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (dc && out.CreateQuietly(width, height, 24) &&
        ::SetDIBits(dc.Get(), out.Handle(), 0, static_cast<UINT>(height), bits, info,
                    DIB_RGB_COLORS) == height) {
      ::GdiFlush();
      out.transparentColor_ = transparentColor_;
      *this = std::move(out);
      Changed();
      return true;
    }
  }
  // Everything else the system reads (every BMP depth and compression) is
  // loaded by it and drawn into our DIB.
  win::ScopedBitmap loaded(static_cast<HBITMAP>(
      ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!loaded) return false;
  BITMAP bm{};
  if (!::GetObjectA(loaded.Get(), sizeof bm, &bm)) return false;
  Bitmap out;
  if (!out.CreateQuietly(bm.bmWidth, bm.bmHeight, 24)) return false;
  {
    win::ScopedMemoryDc src(::CreateCompatibleDC(nullptr));
    win::ScopedMemoryDc dst(::CreateCompatibleDC(nullptr));
    win::ScopedSelect s1(src.Get(), loaded.Get());
    win::ScopedSelect s2(dst.Get(), out.Handle());
    ::BitBlt(dst.Get(), 0, 0, out.width_, out.height_, src.Get(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
  out.transparentColor_ = transparentColor_;
  *this = std::move(out);
  Changed();
  return true;
}

bool Bitmap::SetPixelFormat(int bitsPerPixel) {
  if (Empty() || bpp_ == bitsPerPixel) return true;
  Bitmap out;
  if (!out.CreateQuietly(width_, height_, bitsPerPixel)) return false;
  if (bpp_ != 4 && bitsPerPixel != 4) {
    // 24 <-> 32 bits: the colour bytes as they are.
    const int from = bpp_ / 8, to = bitsPerPixel / 8;
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* s = ScanLine(y);
      std::uint8_t* d = out.ScanLine(y);
      for (int x = 0; x < width_; ++x) std::memcpy(d + to * x, s + from * x, 3);
    }
  } else {
    // To or from sixteen colours: GDI finds the nearest colour.
    win::ScopedMemoryDc src(::CreateCompatibleDC(nullptr));
    win::ScopedMemoryDc dst(::CreateCompatibleDC(nullptr));
    win::ScopedSelect s1(src.Get(), dib_.Get());
    win::ScopedSelect s2(dst.Get(), out.Handle());
    ::BitBlt(dst.Get(), 0, 0, width_, height_, src.Get(), 0, 0, SRCCOPY);
    ::GdiFlush();
  }
  out.transparentColor_ = transparentColor_;
  *this = std::move(out);
  Changed();
  return true;
}

bool Bitmap::CopyFrom(const Bitmap& other) {
  if (&other == this) return true;
  if (other.Empty()) {
    ClearQuietly();
    transparentColor_ = other.transparentColor_;
    Changed();
    return true;
  }
  if (!CreateQuietly(other.width_, other.height_, other.bpp_)) {
    Changed();
    return false;
  }
  std::memcpy(bits_, other.bits_, static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
  transparentColor_ = other.transparentColor_;
  Changed();
  return true;
}

bool Bitmap::CopyFrom(ConstPixelView pixels) {
  if (pixels.Empty() || (pixels.bitsPerPixel != 24 && pixels.bitsPerPixel != 32)) {
    ClearQuietly();
    Changed();
    return pixels.Empty();
  }
  if (!CreateQuietly(pixels.width, pixels.height, pixels.bitsPerPixel)) {
    Changed();
    return false;
  }
  const std::size_t rowBytes =
      static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.BytesPerPixel());
  for (int y = 0; y < height_; ++y) std::memcpy(ScanLine(y), pixels.Row(y), rowBytes);
  Changed();
  return true;
}

PixelView Bitmap::View() {
  if (Empty() || bpp_ == 4) return {};
  return PixelView(bits_, width_, height_, stride_, bpp_);
}

ConstPixelView Bitmap::View() const {
  if (Empty() || bpp_ == 4) return {};
  return ConstPixelView(bits_, width_, height_, stride_, bpp_);
}

std::uint8_t* Bitmap::ScanLine(int y) { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
const std::uint8_t* Bitmap::ScanLine(int y) const {
  return bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
}

TColor Bitmap::Pixel(int x, int y) const {
  if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  if (bpp_ == 4) {
    const std::uint8_t pair = ScanLine(y)[x / 2];
    const RGBQUAD& q = kSixteenColours[(x % 2) ? (pair & 0x0F) : (pair >> 4)];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
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
                     TransparentColor() & 0xFFFFFF);
  } else {
    ::BitBlt(dc, x, y, width_, height_, src.Get(), 0, 0, SRCCOPY);
  }
}

BitmapCanvas::BitmapCanvas(Bitmap& bitmap)
    : dc_(::CreateCompatibleDC(nullptr)), select_(dc_.Get(), bitmap.Handle()) {}

}  // namespace pikko
