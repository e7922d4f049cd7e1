// The PNG library's decoder (PngDecoder.h). The file is checked whole
// before a byte of it is inflated; the inflated rows are given room as the
// data fills it, up to what the header asks for, and the record's rows are
// made only once every row has come and had its filter undone.
#include "stand-ins/PngDecoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <zlib.h>

namespace pikko::standin {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The first room given to the inflated rows (it doubles as they fill it).
constexpr std::size_t kFirstInflateRoom = std::size_t{64} * 1024;

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Be32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// What the chunks say of the picture.
struct Picture {
  std::uint32_t width = 0, height = 0;
  std::uint8_t depth = 0, colourType = 0, interlace = 0;
  Bytes palette;              // red, green, blue per entry
  Bytes paletteAlpha;         // tRNS of a palette picture
  std::uint16_t key[3] = {};  // tRNS of grey (key[0]) and RGB pictures
  bool hasKey = false;
  bool hasAlpha = false;
  Bytes data;  // the IDAT chunks, joined
};

bool ValidHeader(const Picture& p) {
  switch (p.colourType) {
    case 0:
      return p.depth == 1 || p.depth == 2 || p.depth == 4 || p.depth == 8 || p.depth == 16;
    case 3:
      return p.depth == 1 || p.depth == 2 || p.depth == 4 || p.depth == 8;
    case 2:
    case 4:
    case 6:
      return p.depth == 8 || p.depth == 16;
    default:
      return false;
  }
}

// Checks the file's structure (signature, IHDR first, every chunk whole with
// its CRC, IEND at the end) and gathers what decoding needs.
bool Parse(const std::uint8_t* file, std::size_t size, Picture& picture) {
  if (size < 8 || std::memcmp(file, kSignature, 8) != 0) return false;
  std::size_t at = 8;
  bool first = true;
  bool transparency = false;
  for (;;) {
    if (size - at < 12) return false;
    const std::uint32_t length = Be32(file + at);
    if (length > size - at - 12) return false;
    const std::uint8_t* type = file + at + 4;
    const std::uint8_t* body = file + at + 8;
    if (Be32(file + at + 8 + length) != Crc32(type, 4 + std::size_t{length})) return false;
    const bool isHeader = std::memcmp(type, "IHDR", 4) == 0;
    if (first != isHeader) return false;
    if (isHeader) {
      if (length != 13) return false;
      picture.width = Be32(body);
      picture.height = Be32(body + 4);
      picture.depth = body[8];
      picture.colourType = body[9];
      picture.interlace = body[12];
      // Compression and filter method 0 are the only ones there are.
      if (body[10] != 0 || body[11] != 0 || picture.interlace > 1 || !ValidHeader(picture) ||
          !PngSizeAllowed(picture.width, picture.height))
        return false;
    } else if (std::memcmp(type, "PLTE", 4) == 0) {
      if (length % 3 != 0 || length == 0 || length > 3 * 256) return false;
      picture.palette.assign(body, body + length);
    } else if (std::memcmp(type, "tRNS", 4) == 0) {
      transparency = true;
      if (picture.colourType == 3) {
        picture.paletteAlpha.assign(body, body + std::min<std::uint32_t>(length, 256));
      } else if (picture.colourType == 0 && length >= 2) {
        picture.key[0] = static_cast<std::uint16_t>(body[0] << 8 | body[1]);
        picture.hasKey = true;
      } else if (picture.colourType == 2 && length >= 6) {
        for (std::size_t c = 0; c < 3; ++c)
          picture.key[c] = static_cast<std::uint16_t>(body[2 * c] << 8 | body[2 * c + 1]);
        picture.hasKey = true;
      }
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      picture.data.insert(picture.data.end(), body, body + length);
    }
    at += 12 + std::size_t{length};
    first = false;
    if (std::memcmp(type, "IEND", 4) == 0) break;
  }
  if (picture.colourType == 3 && picture.palette.empty()) return false;
  if (picture.data.empty()) return false;
  picture.hasAlpha = picture.colourType == 4 || picture.colourType == 6 || transparency;
  return true;
}

int Channels(std::uint8_t colourType) {
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

// One interlacing pass (or the whole picture): its first pixel and steps.
struct Pass {
  std::uint32_t x0, y0, dx, dy;
};
constexpr Pass kWhole[] = {{0, 0, 1, 1}};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

std::uint32_t PassSize(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

std::size_t RowBytes(const Picture& p, std::uint32_t width) {
  return (std::size_t{width} * Channels(p.colourType) * p.depth + 7) / 8;
}

// The filtered rows of every pass, inflated into raw; false when the data
// is damaged or ends before the picture does. A header asking for more than
// the data could give is refused at once; otherwise the room for the rows
// grows as they come, so that data that ends early or breaks off takes no
// more memory than it filled.
bool Inflate(const Picture& p, const Pass* passes, int count, Bytes& raw, PngDecodeCosts& costs) {
  std::size_t total = 0;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t w = PassSize(p.width, passes[i].x0, passes[i].dx);
    const std::uint32_t h = PassSize(p.height, passes[i].y0, passes[i].dy);
    if (w != 0) total += std::size_t{h} * (1 + RowBytes(p, w));
  }
  if (total == 0 || std::uint64_t{total} > std::uint64_t{p.data.size()} * kMaxInflateRatio)
    return false;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(p.data.data());
  z.avail_in = static_cast<uInt>(p.data.size());
  raw.resize(std::min(total, std::max(kFirstInflateRoom, 4 * p.data.size())));
  costs.inflateBuffer = raw.size();
  std::size_t produced = 0;
  int result = Z_OK;
  while (result == Z_OK && produced < total) {
    if (produced == raw.size()) {
      raw.resize(std::min(total, 2 * raw.size()));
      costs.inflateBuffer = raw.size();
    }
    z.next_out = raw.data() + produced;
    z.avail_out = static_cast<uInt>(raw.size() - produced);
    result = inflate(&z, Z_NO_FLUSH);
    produced = raw.size() - z.avail_out;
  }
  inflateEnd(&z);
  // Data past the picture's last row is left unread, as a reader may.
  return produced == total && (result == Z_OK || result == Z_STREAM_END);
}

std::uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Undoes one row's filter in place, given the row above (unfiltered, or
// nullptr for a pass's first row).
bool Unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* above, std::size_t n,
              std::size_t bpp) {
  for (std::size_t i = 0; i < n; ++i) {
    const int a = i >= bpp ? row[i - bpp] : 0;
    const int b = above ? above[i] : 0;
    const int c = above && i >= bpp ? above[i - bpp] : 0;
    switch (filter) {
      case 0:
        return true;
      case 1:
        row[i] = static_cast<std::uint8_t>(row[i] + a);
        break;
      case 2:
        row[i] = static_cast<std::uint8_t>(row[i] + b);
        break;
      case 3:
        row[i] = static_cast<std::uint8_t>(row[i] + (a + b) / 2);
        break;
      case 4:
        row[i] = static_cast<std::uint8_t>(row[i] + Paeth(a, b, c));
        break;
      default:
        return false;
    }
  }
  return true;
}

// Sample c of pixel x of an unfiltered row, at the picture's bit depth.
std::uint16_t SampleAt(const Picture& p, const std::uint8_t* row, std::uint32_t x, int c) {
  const std::size_t index = std::size_t{x} * Channels(p.colourType) + c;
  if (p.depth == 16) return static_cast<std::uint16_t>(row[2 * index] << 8 | row[2 * index + 1]);
  if (p.depth == 8) return row[index];
  const std::size_t bit = index * p.depth;
  const int shift = 8 - p.depth - static_cast<int>(bit % 8);
  return static_cast<std::uint16_t>((row[bit / 8] >> shift) & ((1 << p.depth) - 1));
}

std::uint8_t To8(const Picture& p, std::uint16_t v) {
  if (p.depth == 16) return static_cast<std::uint8_t>(v >> 8);
  if (p.depth == 8) return static_cast<std::uint8_t>(v);
  return static_cast<std::uint8_t>(v * 255 / ((1 << p.depth) - 1));
}

// Pixel x of an unfiltered row into out (red, green, blue, and alpha when
// the picture has alpha).
void PutPixel(const Picture& p, const std::uint8_t* row, std::uint32_t x, std::uint8_t* out) {
  std::uint8_t rgba[4] = {0, 0, 0, 255};
  switch (p.colourType) {
    case 0: {
      const std::uint16_t v = SampleAt(p, row, x, 0);
      rgba[0] = rgba[1] = rgba[2] = To8(p, v);
      if (p.hasKey && v == p.key[0]) rgba[3] = 0;
      break;
    }
    case 2: {
      std::uint16_t v[3];
      for (int c = 0; c < 3; ++c) rgba[c] = To8(p, v[c] = SampleAt(p, row, x, c));
      if (p.hasKey && v[0] == p.key[0] && v[1] == p.key[1] && v[2] == p.key[2]) rgba[3] = 0;
      break;
    }
    case 3: {
      // An index beyond the palette is black, as other readers make it.
      const std::size_t i = SampleAt(p, row, x, 0);
      if (3 * i + 2 < p.palette.size())
        for (int c = 0; c < 3; ++c) rgba[c] = p.palette[3 * i + c];
      if (i < p.paletteAlpha.size()) rgba[3] = p.paletteAlpha[i];
      break;
    }
    case 4:
      rgba[0] = rgba[1] = rgba[2] = To8(p, SampleAt(p, row, x, 0));
      rgba[3] = To8(p, SampleAt(p, row, x, 1));
      break;
    default:
      for (int c = 0; c < 4; ++c) rgba[c] = To8(p, SampleAt(p, row, x, c));
      break;
  }
  std::memcpy(out, rgba, p.hasAlpha ? 4 : 3);
}

// Calls fn(pass, the pass's width, j, at) for row j of every pass, at
// pointing to the row's filter byte in raw; false as soon as fn is.
template <class Fn>
bool ForEachRow(const Picture& p, const Pass* passes, int count, std::uint8_t* raw, Fn fn) {
  std::uint8_t* at = raw;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t w = PassSize(p.width, passes[i].x0, passes[i].dx);
    const std::uint32_t h = PassSize(p.height, passes[i].y0, passes[i].dy);
    if (w == 0) continue;
    for (std::uint32_t j = 0; j < h; ++j, at += 1 + RowBytes(p, w))
      if (!fn(passes[i], w, j, at)) return false;
  }
  return true;
}

bool Decode(const Picture& p, PngImageRecord& record, PngDecodeCosts& costs) {
  const Pass* passes = p.interlace ? kAdam7 : kWhole;
  const int count = p.interlace ? 7 : 1;
  Bytes raw;
  if (!Inflate(p, passes, count, raw, costs)) return false;
  // Every row's filter is undone before the record's rows are made: a row
  // with a filter that does not exist refuses the file.
  const std::size_t bpp =
      std::max<std::size_t>(1, static_cast<std::size_t>(Channels(p.colourType)) * p.depth / 8);
  const std::uint8_t* above = nullptr;
  const bool unfiltered =
      ForEachRow(p, passes, count, raw.data(),
                 [&](const Pass&, std::uint32_t w, std::uint32_t j, std::uint8_t* at) {
                   if (j == 0) above = nullptr;
                   if (!Unfilter(at[0], at + 1, above, RowBytes(p, w), bpp)) return false;
                   above = at + 1;
                   return true;
                 });
  if (!unfiltered) return false;
  if (!AllocatePngRows(record, p.width, p.height,
                       p.hasAlpha ? kPngColourTypeRgba : kPngColourTypeRgb))
    return false;
  costs.rowsBlock = std::size_t{p.height} * (sizeof(std::uint8_t*) + record.libraryField16);
  const int out = p.hasAlpha ? 4 : 3;
  return ForEachRow(p, passes, count, raw.data(),
                    [&](const Pass& pass, std::uint32_t w, std::uint32_t j, std::uint8_t* at) {
                      std::uint8_t* target = record.rows[pass.y0 + j * pass.dy];
                      for (std::uint32_t k = 0; k < w; ++k) {
                        const std::size_t x = pass.x0 + k * pass.dx;
                        PutPixel(p, at + 1, k, target + static_cast<std::size_t>(out) * x);
                      }
                      return true;
                    });
}

}  // namespace

bool PngSizeAllowed(std::uint64_t width, std::uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxPngSide && height <= kMaxPngSide &&
         width * height <= kMaxPngPixels;
}

bool AllocatePngRows(PngImageRecord& record, std::uint32_t width, std::uint32_t height,
                     std::uint32_t colourType) {
  if (!PngSizeAllowed(width, height)) return false;
  const std::size_t rowBytes = std::size_t{width} * (colourType == kPngColourTypeRgba ? 4 : 3);
  const std::size_t pointers = std::size_t{height} * sizeof(std::uint8_t*);
  void* block = std::calloc(1, pointers + rowBytes * height);
  if (block == nullptr) return false;
  auto** rows = static_cast<std::uint8_t**>(block);
  std::uint8_t* pixels = static_cast<std::uint8_t*>(block) + pointers;
  for (std::uint32_t y = 0; y < height; ++y) rows[y] = pixels + rowBytes * y;
  record.width = width;
  record.height = height;
  record.libraryField8 = 8;
  record.colourType = colourType;
  record.libraryField16 = static_cast<std::uint32_t>(rowBytes);
  record.rows = rows;
  return true;
}

void ReleasePngRows(PngImageRecord& record) {
  std::free(record.rows);
  record = PngImageRecord{};
}

bool DecodePngFile(const std::uint8_t* file, std::size_t size, PngImageRecord& record,
                   PngDecodeCosts* costs) {
  record = PngImageRecord{};
  PngDecodeCosts own;
  PngDecodeCosts& spent = costs ? *costs : own;
  spent = PngDecodeCosts{};
  Picture picture;
  if (file == nullptr || !Parse(file, size, picture)) return false;
  spent.compressedBytes = picture.data.size();
  if (!Decode(picture, record, spent)) {
    ReleasePngRows(record);
    return false;
  }
  return true;
}

}  // namespace pikko::standin
