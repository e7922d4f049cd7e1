// The disc's PNG library's decoder, whole: a PNG file as the menu's button
// pictures come, through every chunk, the inflation, the row filters and the
// conversion into the library's record.
#include <cstdint>
#include <string>
#include <string_view>

#include "demo/Png.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "stand-ins/PngDecoder.h"

namespace pikko::fuzz {
namespace {

std::uint32_t Be32(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<std::uint8_t>(s[at + i]);
  return v;
}

// Every whole chunk's CRC written anew, so that a mutated chunk reaches the
// decoder instead of failing its checksum.
void RewriteCrcs(std::string& file) {
  std::size_t at = 8;
  while (file.size() >= at + 12) {
    const std::uint32_t length = Be32(file, at);
    if (length > file.size() - at - 12) return;
    const std::uint32_t crc = demo::Crc32(std::string_view(file).substr(at + 4, 4 + length));
    for (int i = 0; i < 4; ++i) file[at + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
    at += 12 + std::size_t{length};
  }
}

}  // namespace

// The first byte: bit 0 rewrites the chunks' CRCs; the rest is the file.
void FuzzPngFile(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const bool rewrite = in.Bit();
  std::string file = in.Rest();
  if (rewrite) RewriteCrcs(file);

  PngImageRecord record{7, 7, 7, 7, 7, nullptr};
  standin::PngDecodeCosts costs;
  const bool decoded = standin::DecodePngFile(reinterpret_cast<const std::uint8_t*>(file.data()),
                                              file.size(), record, &costs);
  // The room the inflated rows get is what the image data could fill.
  Expect(std::uint64_t{costs.inflateBuffer} <=
             std::uint64_t{costs.compressedBytes} * standin::kMaxInflateRatio,
         "no buffer beyond what the image data can give");

  // The test decoder reads only 8-bit RGBA files of stored blocks; what it
  // reads, the library reads alike.
  const auto reference = demo::DecodePng(file);
  if (!decoded) {
    Expect(record.rows == nullptr && record.width == 0 && record.height == 0,
           "a refused file leaves the record empty");
    Expect(costs.rowsBlock == 0, "a refused file takes no rows");
    Expect(!reference, "a file the test decoder reads is decoded");
    return;
  }
  Expect(file.size() >= 24 && record.width == Be32(file, 16) && record.height == Be32(file, 20),
         "the record has the header's size");
  Expect(record.colourType == kPngColourTypeRgb || record.colourType == kPngColourTypeRgba,
         "8-bit RGB or RGBA rows");
  const std::size_t bytes = record.colourType == kPngColourTypeRgba ? 4 : 3;
  Expect(record.libraryField8 == 8 && record.libraryField16 == record.width * bytes,
         "the record's own words: the depth and the bytes of a row");
  const std::size_t rowBytes = record.width * bytes;
  Expect(costs.rowsBlock == record.height * (sizeof(std::uint8_t*) + rowBytes),
         "one block of row pointers and rows");
  // Every byte of every row is read: a row outside the block is caught.
  unsigned sum = 0;
  for (std::uint32_t y = 0; y < record.height; ++y) {
    Expect(record.rows[y] != nullptr, "every row is there");
    for (std::size_t i = 0; i < rowBytes; ++i) sum += record.rows[y][i];
  }
  if (reference) {
    Expect(record.colourType == kPngColourTypeRgba &&
               reference->Width() == static_cast<int>(record.width) &&
               reference->Height() == static_cast<int>(record.height),
           "the test decoder's picture has the same size and alpha");
    for (std::uint32_t y = 0; y < record.height; ++y)
      for (std::uint32_t x = 0; x < record.width; ++x) {
        const demo::Rgba p = reference->At(static_cast<int>(x), static_cast<int>(y));
        const std::uint8_t* q = record.rows[y] + 4 * std::size_t{x};
        Expect(q[0] == p.r && q[1] == p.g && q[2] == p.b && q[3] == p.a,
               "the test decoder's pixels");
      }
  }
  static volatile unsigned sink = 0;
  sink = sink + sum;
  standin::ReleasePngRows(record);
  Expect(record.rows == nullptr && record.width == 0, "a released record is empty");
}

}  // namespace pikko::fuzz
