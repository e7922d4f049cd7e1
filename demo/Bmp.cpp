#include "demo/Bmp.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace pikko::demo {

Image::Image(int width, int height, Rgb fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
}

Rgb Image::At(int x, int y) const {
  if (!Contains(x, y)) return {};
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

void Image::Set(int x, int y, Rgb c) {
  if (!Contains(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = c;
}

void Image::Blend(int x, int y, Rgb c, double alpha) {
  if (!Contains(x, y) || !(alpha > 0.0)) return;
  if (alpha >= 1.0) return Set(x, y, c);
  const Rgb old = At(x, y);
  auto mix = [alpha](std::uint8_t from, std::uint8_t to) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * alpha));
  };
  Set(x, y, {mix(old.r, c.r), mix(old.g, c.g), mix(old.b, c.b)});
}

Image Image::Crop(int left, int top, int width, int height) const {
  Image part(width, height);
  for (int y = 0; y < part.Height(); ++y)
    for (int x = 0; x < part.Width(); ++x) part.Set(x, y, At(left + x, top + y));
  return part;
}

void Image::Paste(const Image& part, int left, int top) {
  for (int y = 0; y < part.Height(); ++y)
    for (int x = 0; x < part.Width(); ++x) Set(left + x, top + y, part.At(x, y));
}

const std::array<Rgb, 16>& VgaPalette() {
  static const std::array<Rgb, 16> palette = {{{0, 0, 0},
                                               {128, 0, 0},
                                               {0, 128, 0},
                                               {128, 128, 0},
                                               {0, 0, 128},
                                               {128, 0, 128},
                                               {0, 128, 128},
                                               {192, 192, 192},
                                               {128, 128, 128},
                                               {255, 0, 0},
                                               {0, 255, 0},
                                               {255, 255, 0},
                                               {0, 0, 255},
                                               {255, 0, 255},
                                               {0, 255, 255},
                                               {255, 255, 255}}};
  return palette;
}

int NearestVgaIndex(Rgb c) {
  const auto& palette = VgaPalette();
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 16; ++i) {
    const long dr = c.r - palette[i].r;
    const long dg = c.g - palette[i].g;
    const long db = c.b - palette[i].b;
    // Weighted like the eye: green counts most, blue least.
    const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

Image QuantizeToVga(const Image& image) {
  Image out(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      out.Set(x, y, VgaPalette()[NearestVgaIndex(image.At(x, y))]);
  return out;
}

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::uint32_t RowBytes(int width, int bitsPerPixel) {
  return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31) /
          32) *
         4;
}

// Both headers of an uncompressed bottom-up file.
std::string Headers(const Image& image, int bitsPerPixel, std::uint32_t paletteEntries) {
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteEntries * 4;
  const std::uint32_t imageSize =
      RowBytes(image.Width(), bitsPerPixel) * static_cast<std::uint32_t>(image.Height());
  std::string out;
  out += "BM";
  Put32(out, pixelOffset + imageSize);
  Put32(out, 0);
  Put32(out, pixelOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(image.Width()));
  Put32(out, static_cast<std::uint32_t>(image.Height()));  // positive: bottom-up
  Put16(out, 1);                                           // planes
  Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 3780);  // 96 pixels per inch
  Put32(out, 3780);
  Put32(out, paletteEntries);
  Put32(out, paletteEntries);
  return out;
}

}  // namespace

std::string EncodeBmp24(const Image& image) {
  std::string out = Headers(image, 24, 0);
  const std::uint32_t rowBytes = RowBytes(image.Width(), 24);
  for (int y = image.Height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb c = image.At(x, y);
      out.push_back(static_cast<char>(c.b));
      out.push_back(static_cast<char>(c.g));
      out.push_back(static_cast<char>(c.r));
    }
    out.resize(rowStart + rowBytes, '\0');
  }
  return out;
}

std::string EncodeBmp4(const Image& image) {
  std::string out = Headers(image, 4, 16);
  for (const Rgb& c : VgaPalette()) {
    out.push_back(static_cast<char>(c.b));
    out.push_back(static_cast<char>(c.g));
    out.push_back(static_cast<char>(c.r));
    out.push_back('\0');
  }
  const std::uint32_t rowBytes = RowBytes(image.Width(), 4);
  for (int y = image.Height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < image.Width(); x += 2) {
      const int high = NearestVgaIndex(image.At(x, y));
      const int low = x + 1 < image.Width() ? NearestVgaIndex(image.At(x + 1, y)) : 0;
      out.push_back(static_cast<char>((high << 4) | low));
    }
    out.resize(rowStart + rowBytes, '\0');
  }
  return out;
}

namespace {

std::uint32_t Get16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t Get32(std::string_view b, std::size_t at) {
  return Get16(b, at) | (Get16(b, at + 2) << 16);
}

}  // namespace

std::optional<DecodedBmp> DecodeBmp(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM")
    return std::nullopt;
  const std::uint32_t pixelOffset = Get32(bytes, 10);
  const std::uint32_t infoSize = Get32(bytes, 14);
  const auto width = static_cast<std::int32_t>(Get32(bytes, 18));
  const auto rawHeight = static_cast<std::int32_t>(Get32(bytes, 22));
  const int bits = static_cast<int>(Get16(bytes, 28));
  const std::uint32_t compression = Get32(bytes, 30);
  std::uint32_t colours = Get32(bytes, 46);
  if (infoSize < kInfoHeaderSize || infoSize > bytes.size() || compression != 0 ||
      (bits != 24 && bits != 4))
    return std::nullopt;
  // Sizes beyond any skin are refused before they can drive an allocation.
  if (width <= 0 || width > 16384 || rawHeight == 0 || rawHeight < -16384 || rawHeight > 16384)
    return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;

  DecodedBmp out;
  out.bitsPerPixel = bits;
  if (bits == 4) {
    if (colours == 0) colours = 16;
    if (colours > 16) return std::nullopt;
    const std::size_t paletteAt = kFileHeaderSize + infoSize;
    if (paletteAt + std::size_t{colours} * 4 > bytes.size()) return std::nullopt;
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::size_t at = paletteAt + std::size_t{i} * 4;
      out.palette.push_back({static_cast<std::uint8_t>(bytes[at + 2]),
                             static_cast<std::uint8_t>(bytes[at + 1]),
                             static_cast<std::uint8_t>(bytes[at])});
    }
  }
  const std::uint32_t rowBytes = RowBytes(width, bits);
  if (pixelOffset > bytes.size() ||
      (bytes.size() - pixelOffset) / rowBytes < static_cast<std::uint32_t>(height))
    return std::nullopt;

  out.image = Image(width, height);
  if (bits == 4) out.indices.resize(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    const std::size_t rowAt = pixelOffset + static_cast<std::size_t>(row) * rowBytes;
    for (int x = 0; x < width; ++x) {
      if (bits == 24) {
        const std::size_t at = rowAt + static_cast<std::size_t>(x) * 3;
        out.image.Set(
            x, y,
            {static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]),
             static_cast<std::uint8_t>(bytes[at])});
        continue;
      }
      const auto packed = static_cast<std::uint8_t>(bytes[rowAt + static_cast<std::size_t>(x) / 2]);
      const std::uint8_t index = (x % 2 == 0) ? packed >> 4 : packed & 0x0F;
      if (index >= out.palette.size()) return std::nullopt;
      out.indices[static_cast<std::size_t>(y) * width + x] = index;
      out.image.Set(x, y, out.palette[index]);
    }
  }
  return out;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  const std::filesystem::path file(path);
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace pikko::demo
