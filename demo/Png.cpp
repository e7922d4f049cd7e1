#include "demo/Png.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pikko::demo {

RgbaImage::RgbaImage(int width, int height, Rgba fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
}

Rgba RgbaImage::At(int x, int y) const {
  if (!Contains(x, y)) return {};
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

void RgbaImage::Set(int x, int y, Rgba c) {
  if (!Contains(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = c;
}

void RgbaImage::Over(int x, int y, Rgba c, double opacity) {
  if (!Contains(x, y)) return;
  const double top = std::clamp(opacity, 0.0, 1.0) * c.a / 255.0;
  if (!(top > 0.0)) return;
  const Rgba old = At(x, y);
  const double below = old.a / 255.0 * (1.0 - top);
  const double alpha = top + below;
  auto channel = [&](std::uint8_t over, std::uint8_t under) {
    return static_cast<std::uint8_t>(std::lround((over * top + under * below) / alpha));
  };
  const auto a = static_cast<std::uint8_t>(std::lround(alpha * 255.0));
  if (a == 0) return Set(x, y, {});
  Set(x, y, {channel(c.r, old.r), channel(c.g, old.g), channel(c.b, old.b), a});
}

void RgbaImage::Over(const RgbaImage& layer, int left, int top) {
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) Over(left + x, top + y, layer.At(x, y));
}

std::uint32_t Crc32(std::string_view bytes, std::uint32_t start) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = start ^ 0xFFFFFFFFu;
  for (char ch : bytes) c = table[(c ^ static_cast<std::uint8_t>(ch)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes, std::uint32_t start) {
  constexpr std::uint32_t kBase = 65521;
  std::uint32_t a = start & 0xFFFF;
  std::uint32_t b = start >> 16;
  // 5552 bytes is the longest run whose sums cannot overflow 32 bits.
  while (!bytes.empty()) {
    const std::size_t run = std::min<std::size_t>(bytes.size(), 5552);
    for (std::size_t i = 0; i < run; ++i) {
      a += static_cast<std::uint8_t>(bytes[i]);
      b += a;
    }
    a %= kBase;
    b %= kBase;
    bytes.remove_prefix(run);
  }
  return (b << 16) | a;
}

namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr int kMaxSide = 16384;
// IDAT data is cut into chunks of this size, far below the format's limit.
constexpr std::size_t kIdatChunkMax = std::size_t{1} << 20;

void PutBe32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

std::uint32_t GetBe32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

void PutChunk(std::string& out, std::string_view type, std::string_view data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.append(type);
  out.append(data);
  PutBe32(out, Crc32(std::string_view(out).substr(typeAt)));
}

std::size_t RowBytes(int width) { return 1 + 4 * static_cast<std::size_t>(width); }

// The zlib stream: header 78 01 (deflate, 32K window, no dictionary, check
// bits), stored blocks, then the Adler-32 of the raw data, big-endian.
std::string StoredZlib(std::string_view raw) {
  std::string out = "\x78\x01";
  std::size_t at = 0;
  do {
    const std::size_t len = std::min(raw.size() - at, kStoredBlockMax);
    const bool final = at + len == raw.size();
    out.push_back(final ? '\x01' : '\x00');  // BFINAL, BTYPE 00 (stored)
    out.push_back(static_cast<char>(len & 0xFF));
    out.push_back(static_cast<char>(len >> 8));
    out.push_back(static_cast<char>(~len & 0xFF));
    out.push_back(static_cast<char>((~len >> 8) & 0xFF));
    out.append(raw.substr(at, len));
    at += len;
  } while (at < raw.size());
  PutBe32(out, Adler32(raw));
  return out;
}

// The raw data of a zlib stream made of stored blocks; nothing when the
// stream is damaged or uses compressed blocks.
std::optional<std::string> InflateStored(std::string_view z) {
  if (z.size() < 2) return std::nullopt;
  const auto cmf = static_cast<std::uint8_t>(z[0]);
  const auto flg = static_cast<std::uint8_t>(z[1]);
  if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || (flg & 0x20) != 0 || ((cmf << 8) | flg) % 31 != 0)
    return std::nullopt;
  std::size_t at = 2;
  std::string raw;
  for (bool final = false; !final;) {
    if (z.size() - at < 5) return std::nullopt;
    const auto header = static_cast<std::uint8_t>(z[at]);
    if ((header & 0x06) != 0) return std::nullopt;  // a compressed block
    final = (header & 0x01) != 0;
    const std::size_t len =
        static_cast<std::uint8_t>(z[at + 1]) | static_cast<std::size_t>(z[at + 2] & 0xFF) << 8;
    const std::size_t nlen =
        static_cast<std::uint8_t>(z[at + 3]) | static_cast<std::size_t>(z[at + 4] & 0xFF) << 8;
    if ((len ^ 0xFFFF) != nlen) return std::nullopt;
    at += 5;
    if (z.size() - at < len) return std::nullopt;
    raw.append(z.substr(at, len));
    at += len;
  }
  if (z.size() - at != 4 || GetBe32(z, at) != Adler32(raw)) return std::nullopt;
  return raw;
}

}  // namespace

std::string EncodePng(const RgbaImage& image) {
  if (image.Width() <= 0 || image.Height() <= 0) return {};
  std::string out(kSignature);

  std::string header;
  PutBe32(header, static_cast<std::uint32_t>(image.Width()));
  PutBe32(header, static_cast<std::uint32_t>(image.Height()));
  header += '\x08';                // bits per channel
  header += '\x06';                // colour type: RGB with alpha
  header += std::string(3, '\0');  // deflate, adaptive filtering, not interlaced
  PutChunk(out, "IHDR", header);

  std::string raw;
  raw.reserve(RowBytes(image.Width()) * static_cast<std::size_t>(image.Height()));
  for (int y = 0; y < image.Height(); ++y) {
    raw.push_back('\0');  // filter: none
    for (int x = 0; x < image.Width(); ++x) {
      const Rgba p = image.At(x, y);
      for (std::uint8_t v : {p.r, p.g, p.b, p.a}) raw.push_back(static_cast<char>(v));
    }
  }
  const std::string z = StoredZlib(raw);
  for (std::size_t at = 0; at < z.size(); at += kIdatChunkMax)
    PutChunk(out, "IDAT", std::string_view(z).substr(at, kIdatChunkMax));
  PutChunk(out, "IEND", {});
  return out;
}

std::optional<RgbaImage> DecodePng(std::string_view bytes) {
  if (bytes.substr(0, kSignature.size()) != kSignature) return std::nullopt;
  std::size_t at = kSignature.size();
  int width = 0;
  int height = 0;
  std::string z;
  bool ended = false;
  while (!ended) {
    if (bytes.size() - at < 12) return std::nullopt;
    const std::uint32_t length = GetBe32(bytes, at);
    if (length > bytes.size() - at - 12) return std::nullopt;
    const std::string_view type = bytes.substr(at + 4, 4);
    const std::string_view data = bytes.substr(at + 8, length);
    if (GetBe32(bytes, at + 8 + length) != Crc32(bytes.substr(at + 4, 4 + length)))
      return std::nullopt;
    const bool first = at == kSignature.size();
    at += 12 + length;
    if (first != (type == "IHDR")) return std::nullopt;  // IHDR first, and only once
    if (type == "IHDR") {
      if (length != 13 || data.substr(8, 5) != std::string_view("\x08\x06\0\0\0", 5))
        return std::nullopt;
      const std::uint32_t w = GetBe32(data, 0);
      const std::uint32_t h = GetBe32(data, 4);
      if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) return std::nullopt;
      width = static_cast<int>(w);
      height = static_cast<int>(h);
    } else if (type == "IDAT") {
      z.append(data);
    } else if (type == "IEND") {
      ended = true;
    } else if (type[0] >= 'A' && type[0] <= 'Z') {
      return std::nullopt;  // a critical chunk this reader does not know
    }
  }
  if (at != bytes.size()) return std::nullopt;

  const std::optional<std::string> raw = InflateStored(z);
  const std::size_t rowBytes = RowBytes(width);
  if (!raw || raw->size() != rowBytes * static_cast<std::size_t>(height)) return std::nullopt;
  RgbaImage image(width, height);
  for (int y = 0; y < height; ++y) {
    const std::size_t row = rowBytes * static_cast<std::size_t>(y);
    if ((*raw)[row] != '\0') return std::nullopt;  // only filter "none" is read
    for (int x = 0; x < width; ++x) {
      const std::size_t p = row + 1 + 4 * static_cast<std::size_t>(x);
      auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>((*raw)[p + i]); };
      image.Set(x, y, {byte(0), byte(1), byte(2), byte(3)});
    }
  }
  return image;
}

}  // namespace pikko::demo
