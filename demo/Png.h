// A small RGBA image and the PNG files the menu's button pictures are stored
// in: 8 bits a channel with a straight (not premultiplied) alpha, colour
// type 6. The writer keeps the zlib stream uncompressed (stored deflate
// blocks): the pictures are small, and any PNG reader takes such a stream.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "demo/Bmp.h"

namespace pikko::demo {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 0;  // 0 transparent, 255 opaque
  Rgb Colour() const { return {r, g, b}; }
  friend bool operator==(Rgba x, Rgba y) {
    return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
  }
  friend bool operator!=(Rgba x, Rgba y) { return !(x == y); }
};

class RgbaImage {
 public:
  RgbaImage() = default;
  // Starts fully transparent unless a fill is given.
  RgbaImage(int width, int height, Rgba fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Outside the image At gives a transparent pixel and Set and Over do
  // nothing, as with Image.
  Rgba At(int x, int y) const;
  void Set(int x, int y, Rgba c);
  // Lays c, with its alpha scaled by opacity, over the pixel (straight
  // alpha "over"). A pixel that stays fully transparent keeps colour 0.
  void Over(int x, int y, Rgba c, double opacity = 1.0);
  // Lays a whole layer over this image with its top-left corner at (left, top).
  void Over(const RgbaImage& layer, int left = 0, int top = 0);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgba> pixels_;
};

// Checksums of the format: CRC-32 (ISO 3309, as PNG chunks carry it) and
// Adler-32 (as zlib streams end with it). Both can be continued: pass the
// result of the previous part as start.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t start = 0);
std::uint32_t Adler32(std::string_view bytes, std::uint32_t start = 1);

// The largest payload of one stored deflate block.
constexpr std::size_t kStoredBlockMax = 65535;

// Encodes the image as a PNG file: signature, IHDR, one IDAT holding a zlib
// stream of stored blocks over the rows (each led by filter byte 0), IEND.
// An image with no pixels cannot be a PNG file and gives an empty string.
std::string EncodePng(const RgbaImage& image);

// Reads a PNG file of the kind EncodePng writes: 8-bit RGBA, not interlaced,
// a zlib stream of stored blocks (split over any number of IDAT chunks),
// filter byte 0 on every row. Every chunk's CRC, the block lengths and the
// Adler-32 are checked. Anything else, or a damaged or truncated file,
// gives nothing.
std::optional<RgbaImage> DecodePng(std::string_view bytes);

}  // namespace pikko::demo
