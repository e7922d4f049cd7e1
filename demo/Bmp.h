// A small RGB image and the BMP files the menu's skins are stored in: 24-bit
// for the true-colour look, 4-bit with the standard 16-colour VGA palette
// for the 16-colour look. Rows are stored bottom-up and padded to 4 bytes,
// as every Windows bitmap reader expects.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pikko::demo {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
  friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Outside the image At gives black and Set and Blend do nothing, so the
  // painters can draw shapes that run over an edge.
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb c);
  // Mixes c over the pixel; alpha 0 keeps it, 1 replaces it.
  void Blend(int x, int y, Rgb c, double alpha);

  // The part of the image at (left, top); pixels outside the image are black.
  Image Crop(int left, int top, int width, int height) const;
  void Paste(const Image& part, int left, int top);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// The 16 colours of the standard VGA palette, in the order of the Windows
// default 16-colour palette (black, maroon, green, olive, navy, purple,
// teal, silver, grey, red, lime, yellow, blue, fuchsia, aqua, white).
const std::array<Rgb, 16>& VgaPalette();
// The palette index of the nearest VGA colour (exact colours map to themselves).
int NearestVgaIndex(Rgb c);
// Every pixel replaced by its nearest VGA colour.
Image QuantizeToVga(const Image& image);

// Encodes the image as a bottom-up BMP file (BITMAPINFOHEADER, no
// compression). The 4-bit file maps each pixel to its nearest VGA colour.
std::string EncodeBmp24(const Image& image);
std::string EncodeBmp4(const Image& image);

// A parsed BMP file: its bit depth and its pixels (a palette file is
// decoded through its palette). Reads uncompressed 24-bit and 4-bit files,
// bottom-up or top-down; anything else, or a truncated file, gives nothing.
struct DecodedBmp {
  int bitsPerPixel = 0;
  Image image;
  std::vector<Rgb> palette;           // empty for 24-bit files
  std::vector<std::uint8_t> indices;  // palette index per pixel, top row first
};
std::optional<DecodedBmp> DecodeBmp(std::string_view bytes);

// Writes bytes to a file, creating its folders; false when that fails.
bool WriteFileBytes(const std::string& path, std::string_view bytes);
std::optional<std::string> ReadFileBytes(const std::string& path);

}  // namespace pikko::demo
