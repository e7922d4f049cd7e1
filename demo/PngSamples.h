// PNG files of every colour type, bit depth and interlacing for the tests
// of the PNG library: the samples go into the file as they are (stored
// deflate blocks, filter 0), and Expected gives the 8-bit RGBA picture any
// decoder must make of them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <zlib.h>

#include "demo/Png.h"

namespace pikko::testing {

struct PngKind {
  const char* name;
  int width;
  int height;
  int colourType;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  int bitDepth;
  bool interlaced = false;
  bool transparency = false;  // a tRNS chunk
  int filter = 0;             // 0-4 for every row, 5: row j takes filter j % 5
  bool deflated = false;      // zlib's compression instead of stored blocks
};

inline int Channels(int colourType) {
  switch (colourType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

inline int PaletteSize(const PngKind& s) { return s.bitDepth >= 4 ? 16 : 1 << s.bitDepth; }

struct Rgba8 {
  std::uint8_t r, g, b, a;
};

inline Rgba8 PaletteEntry(int i) {
  return {static_cast<std::uint8_t>(i * 16 + 5), static_cast<std::uint8_t>(255 - i * 9),
          static_cast<std::uint8_t>(i * 40 % 256), 255};
}
inline std::uint8_t PaletteAlpha(int i) { return static_cast<std::uint8_t>(i * 60 % 256); }

// Sample c of pixel (x, y) at the kind's bit depth; 16-bit samples are an
// 8-bit value times 257, so that any reduction to 8 bits gives that value.
inline std::uint16_t Sample(const PngKind& s, int x, int y, int c) {
  if (s.colourType == 3) return static_cast<std::uint16_t>((x + 3 * y) % PaletteSize(s));
  // Every fifth pixel of a picture with an alpha channel is fully clear.
  const bool alphaChannel =
      (s.colourType == 4 || s.colourType == 6) && c == Channels(s.colourType) - 1;
  if (alphaChannel && (x + y) % 5 == 0) return 0;
  const int v8 = (x * 37 + y * 71 + c * 101) % 256;
  if (s.bitDepth == 16) return static_cast<std::uint16_t>(v8 * 257);
  if (s.bitDepth == 8) return static_cast<std::uint16_t>(v8);
  return static_cast<std::uint16_t>((x + 2 * y + c) % (1 << s.bitDepth));
}

inline std::uint8_t To8(const PngKind& s, std::uint16_t v) {
  if (s.bitDepth == 16) return static_cast<std::uint8_t>(v >> 8);
  if (s.bitDepth == 8) return static_cast<std::uint8_t>(v);
  return static_cast<std::uint8_t>(v * 255 / ((1 << s.bitDepth) - 1));
}

// The transparent colour of a tRNS chunk for grey and RGB: pixel (1, 0)'s.
inline bool IsTransparentColour(const PngKind& s, int x, int y) {
  if (!s.transparency || (s.colourType != 0 && s.colourType != 2)) return false;
  for (int c = 0; c < Channels(s.colourType); ++c)
    if (Sample(s, x, y, c) != Sample(s, 1, 0, c)) return false;
  return true;
}

inline Rgba8 Expected(const PngKind& s, int x, int y) {
  auto at = [&](int c) { return To8(s, Sample(s, x, y, c)); };
  Rgba8 p{};
  switch (s.colourType) {
    case 0:
      p = {at(0), at(0), at(0), 255};
      break;
    case 2:
      p = {at(0), at(1), at(2), 255};
      break;
    case 3: {
      const int i = Sample(s, x, y, 0);
      p = PaletteEntry(i);
      if (s.transparency) p.a = PaletteAlpha(i);
      break;
    }
    case 4:
      p = {at(0), at(0), at(0), at(1)};
      break;
    default:
      p = {at(0), at(1), at(2), at(3)};
      break;
  }
  if (IsTransparentColour(s, x, y)) p.a = 0;
  return p;
}

inline bool HasAlpha(const PngKind& s) {
  return s.colourType == 4 || s.colourType == 6 || s.transparency;
}

inline void PutBe32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}
inline void PutBe16(std::string& out, std::uint32_t v) {
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

inline std::string Chunk(const std::string& type, const std::string& data) {
  std::string out;
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  out += type + data;
  PutBe32(out, demo::Crc32(type + data));
  return out;
}

inline std::string StoredZlib(const std::string& raw) {
  std::string z = "\x78\x01";
  std::size_t at = 0;
  do {
    const std::size_t len = std::min<std::size_t>(raw.size() - at, 65535);
    z += static_cast<char>(at + len == raw.size() ? 1 : 0);
    z += static_cast<char>(len & 0xFF);
    z += static_cast<char>(len >> 8);
    z += static_cast<char>(~len & 0xFF);
    z += static_cast<char>((~len >> 8) & 0xFF);
    z += raw.substr(at, len);
    at += len;
  } while (at < raw.size());
  PutBe32(z, demo::Adler32(raw));
  return z;
}

inline std::uint8_t PaethOf(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One row filtered with the given type, against the unfiltered row above
// (empty for a pass's first row).
inline std::string FilterRow(int filter, const std::string& row, const std::string& above,
                             std::size_t bpp) {
  std::string out(1, static_cast<char>(filter));
  for (std::size_t i = 0; i < row.size(); ++i) {
    const int a = i >= bpp ? static_cast<std::uint8_t>(row[i - bpp]) : 0;
    const int b = above.empty() ? 0 : static_cast<std::uint8_t>(above[i]);
    const int c = above.empty() || i < bpp ? 0 : static_cast<std::uint8_t>(above[i - bpp]);
    const int predictor = filter == 1   ? a
                          : filter == 2 ? b
                          : filter == 3 ? (a + b) / 2
                          : filter == 4 ? PaethOf(a, b, c)
                                        : 0;
    out += static_cast<char>(static_cast<std::uint8_t>(row[i]) - predictor);
  }
  return out;
}

// The filtered rows of the pixels (x0 + i dx, y0 + j dy).
inline std::string Rows(const PngKind& s, int x0, int y0, int dx, int dy) {
  std::string raw, above;
  const int channels = Channels(s.colourType);
  const std::size_t bpp = std::max(1, channels * s.bitDepth / 8);
  int j = 0;
  for (int y = y0; y < s.height; y += dy, ++j) {
    if (x0 >= s.width) break;
    std::string row;
    unsigned bits = 0;
    int used = 0;
    for (int x = x0; x < s.width; x += dx) {
      for (int c = 0; c < channels; ++c) {
        const std::uint16_t v = Sample(s, x, y, c);
        if (s.bitDepth == 16) {
          PutBe16(row, v);
        } else if (s.bitDepth == 8) {
          row += static_cast<char>(v);
        } else {
          bits = (bits << s.bitDepth) | v;
          used += s.bitDepth;
          if (used == 8) row += static_cast<char>(bits), bits = 0, used = 0;
        }
      }
    }
    if (used > 0) row += static_cast<char>(bits << (8 - used));
    raw += FilterRow(s.filter == 5 ? j % 5 : s.filter, row, above, bpp);
    above = row;
  }
  return raw;
}

inline std::string EncodeKind(const PngKind& s) {
  std::string out("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBe32(header, static_cast<std::uint32_t>(s.width));
  PutBe32(header, static_cast<std::uint32_t>(s.height));
  header += static_cast<char>(s.bitDepth);
  header += static_cast<char>(s.colourType);
  header += std::string(2, '\0');
  header += static_cast<char>(s.interlaced ? 1 : 0);
  out += Chunk("IHDR", header);
  if (s.colourType == 3) {
    std::string plte, trns;
    for (int i = 0; i < PaletteSize(s); ++i) {
      const Rgba8 p = PaletteEntry(i);
      plte += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b)};
      trns += static_cast<char>(PaletteAlpha(i));
    }
    out += Chunk("PLTE", plte);
    if (s.transparency) out += Chunk("tRNS", trns);
  } else if (s.transparency) {
    std::string trns;
    for (int c = 0; c < Channels(s.colourType); ++c) PutBe16(trns, Sample(s, 1, 0, c));
    out += Chunk("tRNS", trns);
  }
  std::string raw;
  if (!s.interlaced) {
    raw = Rows(s, 0, 0, 1, 1);
  } else {
    const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    for (const auto& p : passes) raw += Rows(s, p[0], p[1], p[2], p[3]);
  }
  if (s.deflated) {
    std::string z(compressBound(static_cast<uLong>(raw.size())), '\0');
    uLongf size = static_cast<uLongf>(z.size());
    compress2(reinterpret_cast<Bytef*>(z.data()), &size,
              reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 9);
    z.resize(size);
    // Split over two IDAT chunks, as writers do for large pictures.
    out += Chunk("IDAT", z.substr(0, z.size() / 2));
    out += Chunk("IDAT", z.substr(z.size() / 2));
  } else {
    out += Chunk("IDAT", StoredZlib(raw));
  }
  out += Chunk("IEND", "");
  return out;
}

// A file of 100 bytes whose header claims 8192 x 8192 pixels of 16-bit RGBA
// (some 512 MiB of rows) over 32 bytes of image data.
inline std::string HugeHeaderPng() {
  std::string header;
  PutBe32(header, 8192);
  PutBe32(header, 8192);
  header += std::string("\x10\x06\0\0\0", 5);
  return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) +
         Chunk("IDAT", StoredZlib(std::string(32, '\0'))) + Chunk("IEND", "");
}

inline const std::vector<PngKind>& AllPngKinds() {
  static const std::vector<PngKind> kinds = {
      {"grey 1", 11, 5, 0, 1},
      {"grey 2", 11, 5, 0, 2},
      {"grey 4", 11, 5, 0, 4},
      {"grey 8", 11, 5, 0, 8},
      {"grey 16", 11, 5, 0, 16},
      {"grey 8 tRNS", 11, 5, 0, 8, false, true},
      {"palette 1", 11, 5, 3, 1},
      {"palette 2", 11, 5, 3, 2},
      {"palette 4", 11, 5, 3, 4},
      {"palette 8", 11, 5, 3, 8},
      {"palette 8 tRNS", 11, 5, 3, 8, false, true},
      {"grey+alpha 8", 11, 5, 4, 8},
      {"grey+alpha 16", 11, 5, 4, 16},
      {"RGB 8", 11, 5, 2, 8},
      {"RGB 16", 11, 5, 2, 16},
      {"RGB 8 tRNS", 11, 5, 2, 8, false, true},
      {"RGBA 8", 11, 5, 6, 8},
      {"RGBA 16", 11, 5, 6, 16},
      {"RGBA 8 interlaced", 11, 9, 6, 8, true},
      {"grey 2 interlaced", 13, 9, 0, 2, true},
      {"palette 4 interlaced", 10, 10, 3, 4, true},
      {"RGB 16 interlaced", 9, 11, 2, 16, true},
      // Every row filter, in one picture each, compressed as writers do.
      {"RGBA 8 filters", 23, 10, 6, 8, false, false, 5, true},
      {"RGB 16 filters", 17, 10, 2, 16, false, false, 5, true},
      {"grey 2 filters", 29, 10, 0, 2, false, false, 5, true},
      {"palette 4 interlaced filters", 19, 17, 3, 4, true, true, 5, true},
      {"grey+alpha 8 paeth", 40, 30, 4, 8, false, false, 4, true},
  };
  return kinds;
}

}  // namespace pikko::testing
