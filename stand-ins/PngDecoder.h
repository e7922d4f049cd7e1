// The decoding half of the disc's PNG library, "pngio.dll" (its exports are
// in pngio_win.cpp): a whole PNG file in memory becomes the library's record
// of 8-bit rows. Portable (zlib inflates the image data), so that the fuzz
// targets and the core tests run the library's own decoder on the host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Graphics/PngReader.h"

namespace pikko::standin {

// zlib's largest expansion: one byte of a deflate stream gives at most
// 1032 bytes. A header that claims more rows than its image data could
// give is refused before anything is allocated for them.
inline constexpr std::uint64_t kMaxInflateRatio = 1032;

// What one decoding asked for, for a caller that watches the memory it takes.
struct PngDecodeCosts {
  std::size_t compressedBytes = 0;  // the image data of the IDAT chunks, joined
  std::size_t inflateBuffer = 0;    // the largest buffer the inflated rows were given
  std::size_t rowsBlock = 0;        // the record's block of rows; 0 when none was made
};

// Decodes a whole PNG file: every colour type, bit depth and interlacing
// becomes 8-bit rows, RGB (kPngColourTypeRgb) or, when the picture has
// alpha (an alpha channel or a transparency chunk), RGBA. The chunk
// structure and every chunk's CRC are checked, a header beyond the limits of
// PngReader.h is refused, and the record's rows are allocated only once the
// image data has given every one of them, each with a filter that exists.
// False, with the record empty, for a file that is refused; a filled record
// is released with ReleasePngRows.
bool DecodePngFile(const std::uint8_t* file, std::size_t size, PngImageRecord& record,
                   PngDecodeCosts* costs = nullptr);

// A record's rows in one block (the row pointers, then the rows, cleared),
// released with std::free; false for a size beyond the limits.
bool AllocatePngRows(PngImageRecord& record, std::uint32_t width, std::uint32_t height,
                     std::uint32_t colourType);
// Releases the rows and empties the record; an empty record may be released.
void ReleasePngRows(PngImageRecord& record);

// Within the limits of the pictures the menu takes (PngReader.h).
bool PngSizeAllowed(std::uint64_t width, std::uint64_t height);

}  // namespace pikko::standin
