// The PNG library's decoder on the host: every kind of file into 8-bit rows,
// and what it allocates for a file whose header claims more than its image
// data holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "stand-ins/PngDecoder.h"
#include "demo/PngSamples.h"

namespace pikko::standin {
namespace {

using testing::PngKind;

bool Decode(const std::string& file, PngImageRecord& record, PngDecodeCosts& costs) {
  return DecodePngFile(reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), record,
                       &costs);
}

std::string File(std::uint32_t width, std::uint32_t height, const char* depthAndType,
                 const std::string& zlib) {
  std::string header;
  testing::PutBe32(header, width);
  testing::PutBe32(header, height);
  header += std::string(depthAndType, 2) + std::string(3, '\0');
  return std::string("\x89PNG\r\n\x1a\n", 8) + testing::Chunk("IHDR", header) +
         testing::Chunk("IDAT", zlib) + testing::Chunk("IEND", "");
}

TEST(PngDecoder, EveryKindBecomes8BitRows) {
  std::vector<PngKind> kinds = testing::AllPngKinds();
  // Large enough for the room of the inflated rows to grow several times.
  kinds.push_back({"RGBA 8 large", 600, 300, 6, 8, false, false, 0, true});
  for (const PngKind& kind : kinds) {
    PngImageRecord record{};
    PngDecodeCosts costs;
    ASSERT_TRUE(Decode(testing::EncodeKind(kind), record, costs)) << kind.name;
    const bool alpha = testing::HasAlpha(kind);
    ASSERT_EQ(record.width, std::uint32_t(kind.width));
    ASSERT_EQ(record.height, std::uint32_t(kind.height));
    ASSERT_EQ(record.colourType, alpha ? kPngColourTypeRgba : kPngColourTypeRgb) << kind.name;
    int wrong = 0;
    for (int y = 0; y < kind.height; ++y)
      for (int x = 0; x < kind.width; ++x) {
        const std::uint8_t* p = record.rows[y] + (alpha ? 4 : 3) * x;
        const testing::Rgba8 e = testing::Expected(kind, x, y);
        if ((p[0] != e.r || p[1] != e.g || p[2] != e.b || (alpha && p[3] != e.a)) && wrong++ < 3)
          ADD_FAILURE() << kind.name << " pixel " << x << "," << y;
      }
    ReleasePngRows(record);
    EXPECT_EQ(record.rows, nullptr);
  }
}

// A string of the literal's bytes, zeros included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// Two pixels of every colour type, the bit depths and the tRNS chunk, their
// bytes and the rows the decoder must make of them written out by hand: an
// oracle that shares no table (channels a pixel, bit packing, scaling,
// palette, transparency) with the decoder or the sample encoder above.
TEST(PngDecoder, HandWrittenPixels) {
  const struct {
    const char* name;
    const char* depthAndType;
    std::string palette;  // a PLTE chunk's data when not empty
    std::string row;      // filter 0, then the two pixels' bytes
    std::string expected; // RGB, or RGBA for the kinds with alpha
    std::string trns = "";  // a tRNS chunk's data when not empty
  } cases[] = {
      {"grey 8", "\x08\x00", "", std::string("\0\x10\xF0", 3), "\x10\x10\x10\xF0\xF0\xF0"},
      {"grey 2", "\x02\x00", "", std::string("\0\xD0", 2), std::string("\xFF\xFF\xFF\x55\x55\x55")},
      {"RGB 8", "\x08\x02", "", std::string("\0\x01\x02\x03\x04\x05\x06", 7),
       "\x01\x02\x03\x04\x05\x06"},
      {"RGB 16", "\x10\x02", "",
       std::string("\0\x12\x34\x56\x78\x9A\xBC\x00\x00\x00\x00\xFF\xFF", 13),
       std::string("\x12\x56\x9A\x00\x00\xFF", 6)},
      {"palette 8", "\x08\x03", "\x0A\x14\x1E\x28\x32\x3C", std::string("\0\x01\x00", 3),
       "\x28\x32\x3C\x0A\x14\x1E"},
      {"grey and alpha 8", "\x08\x04", "", std::string("\0\x20\x80\x30\xFF", 5),
       "\x20\x20\x20\x80\x30\x30\x30\xFF"},
      {"RGBA 8", "\x08\x06", "", std::string("\0\x01\x02\x03\x04\x05\x06\x07\x08", 9),
       "\x01\x02\x03\x04\x05\x06\x07\x08"},
      // Samples below 8 bits: packed from the high bits, scaled to 0-255.
      {"grey 1", "\x01\x00", "", Bytes("\0\x80"), Bytes("\xFF\xFF\xFF\x00\x00\x00")},
      {"grey 4", "\x04\x00", "", Bytes("\0\x3C"), "\x33\x33\x33\xCC\xCC\xCC"},
      {"palette 1", "\x01\x03", "\x0A\x14\x1E\x28\x32\x3C", Bytes("\0\x40"),
       "\x0A\x14\x1E\x28\x32\x3C"},
      {"palette 2", "\x02\x03", "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C",
       Bytes("\0\xE0"), "\x0A\x0B\x0C\x07\x08\x09"},
      {"palette 4", "\x04\x03", "\x10\x20\x30\x40\x50\x60\x70\x80\x90", Bytes("\0\x21"),
       "\x70\x80\x90\x40\x50\x60"},
      // 16-bit samples: their high byte.
      {"grey 16", "\x10\x00", "", Bytes("\0\x12\x34\xAB\xCD"), "\x12\x12\x12\xAB\xAB\xAB"},
      {"grey and alpha 16", "\x10\x04", "", Bytes("\0\x12\x34\x56\x78\xFF\xFF\x00\x00"),
       Bytes("\x12\x12\x12\x56\xFF\xFF\xFF\x00")},
      {"RGBA 16", "\x10\x06", "",
       Bytes("\0\x01\x02\x03\x04\x05\x06\x07\x08\x10\x11\x20\x21\x30\x31\x40\x41"),
       "\x01\x03\x05\x07\x10\x20\x30\x40"},
      // A tRNS chunk: the one transparent grey or colour (compared before
      // scaling), or the alpha of the first palette entries (the rest opaque).
      {"grey 8 tRNS", "\x08\x00", "", Bytes("\0\x10\xF0"), Bytes("\x10\x10\x10\x00\xF0\xF0\xF0\xFF"),
       Bytes("\x00\x10")},
      {"grey 2 tRNS", "\x02\x00", "", Bytes("\0\x90"), Bytes("\xAA\xAA\xAA\x00\x55\x55\x55\xFF"),
       Bytes("\x00\x02")},
      {"RGB 8 tRNS", "\x08\x02", "", Bytes("\0\x01\x02\x03\x01\x02\x04"),
       Bytes("\x01\x02\x03\x00\x01\x02\x04\xFF"), Bytes("\x00\x01\x00\x02\x00\x03")},
      {"palette 8 tRNS", "\x08\x03", "\x0A\x14\x1E\x28\x32\x3C", Bytes("\0\x00\x01"),
       "\x0A\x14\x1E\x80\x28\x32\x3C\xFF", "\x80"},
  };
  for (const auto& c : cases) {
    std::string header;
    testing::PutBe32(header, 2);
    testing::PutBe32(header, 1);
    header += std::string(c.depthAndType, 2) + std::string(3, '\0');
    const std::string file = std::string("\x89PNG\r\n\x1a\n", 8) + testing::Chunk("IHDR", header) +
                             (c.palette.empty() ? "" : testing::Chunk("PLTE", c.palette)) +
                             (c.trns.empty() ? "" : testing::Chunk("tRNS", c.trns)) +
                             testing::Chunk("IDAT", testing::StoredZlib(c.row)) +
                             testing::Chunk("IEND", "");
    PngImageRecord record{};
    PngDecodeCosts costs;
    ASSERT_TRUE(Decode(file, record, costs)) << c.name;
    const std::size_t bytes = c.expected.size() == 8 ? 8 : 6;
    EXPECT_EQ(record.colourType, bytes == 8 ? kPngColourTypeRgba : kPngColourTypeRgb) << c.name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.rows[0]), bytes), c.expected)
        << c.name;
    ReleasePngRows(record);
  }
}

// A header beyond what its image data could give is refused before
// anything is allocated; one the data could fill but does not takes only
// the first room for its rows, never the whole picture's.
TEST(PngDecoder, RowsGetNoRoomBeyondWhatTheImageDataGives) {
  const struct {
    const char* name;
    std::string file;
    std::size_t largestInflateBuffer;
  } cases[] = {
      {"100 bytes claiming 8192 x 8192 of 16-bit RGBA", testing::HugeHeaderPng(), 0},
      {"1000 stored bytes claiming 2048 x 2048 RGBA",
       File(2048, 2048, "\x08\x06", testing::StoredZlib(std::string(1000, '\0'))), 0},
      {"1000 stored bytes claiming 256 x 256 RGBA",
       File(256, 256, "\x08\x06", testing::StoredZlib(std::string(1000, '\0'))), 64 * 1024},
      {"a broken stream claiming 1000 x 1000 RGB",
       File(1000, 1000, "\x08\x02",
            std::string("\x78\x01\x00\xFF\x0F\x00\x00", 7) + std::string(4000, '\0')),
       64 * 1024},
  };
  ASSERT_EQ(cases[0].file.size(), 100u);
  for (const auto& c : cases) {
    PngImageRecord record{1, 1, 1, 1, 1, nullptr};
    PngDecodeCosts costs;
    EXPECT_FALSE(Decode(c.file, record, costs)) << c.name;
    EXPECT_EQ(record.rows, nullptr) << c.name;
    EXPECT_EQ(record.width, 0u) << c.name;
    EXPECT_LE(costs.inflateBuffer, c.largestInflateBuffer) << c.name;
    EXPECT_EQ(costs.rowsBlock, 0u) << c.name;
  }
}

}  // namespace
}  // namespace pikko::standin
