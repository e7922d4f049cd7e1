// The PNG files of the button pictures: checksums, the file structure the
// writer produces, the reader's refusal of damaged files, and straight-alpha
// compositing.
#include "demo/Png.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pikko::demo {
namespace {

std::uint32_t Be32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) << 24 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 8 |
         static_cast<std::uint8_t>(b[at + 3]);
}
std::string Be32Bytes(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// A pattern in which neighbouring pixels differ in every channel, alpha too.
RgbaImage Pattern(int width, int height) {
  RgbaImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.Set(
          x, y,
          {static_cast<std::uint8_t>(x * 37 + y), static_cast<std::uint8_t>(y * 53 + 7),
           static_cast<std::uint8_t>(x * 11 + y * 29), static_cast<std::uint8_t>(x * 7 + y * 3)});
  return image;
}

bool SamePixels(const RgbaImage& a, const RgbaImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

// The rows as a PNG stream holds them: filter byte 0, then R, G, B, A.
std::string RawRows(const RgbaImage& image) {
  std::string raw;
  for (int y = 0; y < image.Height(); ++y) {
    raw += '\0';
    for (int x = 0; x < image.Width(); ++x) {
      const Rgba p = image.At(x, y);
      raw += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b),
              static_cast<char>(p.a)};
    }
  }
  return raw;
}

struct Chunk {
  std::string type;
  std::string data;
};

// Walks the chunks of a file, checking each CRC; fails the test on damage.
std::vector<Chunk> Chunks(const std::string& file) {
  std::vector<Chunk> chunks;
  EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  for (std::size_t at = 8; at < file.size();) {
    if (file.size() - at < 12) {
      ADD_FAILURE() << "truncated chunk at " << at;
      break;
    }
    const std::uint32_t length = Be32(file, at);
    Chunk c{file.substr(at + 4, 4), file.substr(at + 8, length)};
    EXPECT_EQ(Be32(file, at + 8 + length), Crc32(c.type + c.data)) << c.type << " at " << at;
    chunks.push_back(c);
    at += 12 + length;
  }
  return chunks;
}

struct StoredBlock {
  bool final;
  std::size_t length;
};

// Splits a zlib stream of stored blocks; checks the header, LEN against
// NLEN and the Adler-32 of the data.
std::string ReadStoredZlib(const std::string& z, std::vector<StoredBlock>& blocks) {
  EXPECT_EQ(z.substr(0, 2), "\x78\x01");
  EXPECT_EQ(((static_cast<std::uint8_t>(z[0]) << 8) | static_cast<std::uint8_t>(z[1])) % 31, 0);
  std::string raw;
  std::size_t at = 2;
  for (bool final = false; !final && at + 5 <= z.size();) {
    const auto header = static_cast<std::uint8_t>(z[at]);
    EXPECT_EQ(header & 0x06, 0) << "a block that is not stored";
    final = header & 1;
    const std::size_t len =
        static_cast<std::uint8_t>(z[at + 1]) | static_cast<std::uint8_t>(z[at + 2]) << 8;
    const std::size_t nlen =
        static_cast<std::uint8_t>(z[at + 3]) | static_cast<std::uint8_t>(z[at + 4]) << 8;
    EXPECT_EQ(len ^ 0xFFFF, nlen);
    blocks.push_back({final, len});
    raw += z.substr(at + 5, len);
    at += 5 + len;
  }
  EXPECT_EQ(z.size(), at + 4);
  if (z.size() >= at + 4) {
    EXPECT_EQ(Be32(z, at), Adler32(raw));
  }
  return raw;
}

TEST(Checksums, KnownValues) {
  struct Case {
    std::string bytes;
    std::uint32_t crc, adler;
  };
  const Case cases[] = {
      {"", 0, 1},
      {"a", 0xE8B7BE43, 0x00620062},
      {"123456789", 0xCBF43926, 0x091E01DE},
      {"Wikipedia", 0xADAAC02E, 0x11E60398},
      // Long enough that Adler-32's sums would overflow without reduction.
      {std::string(100000, '\xFF'), 0x68C6CEC4, 0x149A302C},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 12) + " (" + std::to_string(c.bytes.size()) + " bytes)");
    EXPECT_EQ(Crc32(c.bytes), c.crc);
    EXPECT_EQ(Adler32(c.bytes), c.adler);
    // Continued over two parts, as the writer and reader may compute them.
    const std::size_t half = c.bytes.size() / 2;
    const std::string_view all(c.bytes);
    EXPECT_EQ(Crc32(all.substr(half), Crc32(all.substr(0, half))), c.crc);
    EXPECT_EQ(Adler32(all.substr(half), Adler32(all.substr(0, half))), c.adler);
  }
}

// The file holds exactly what a PNG reader needs: IHDR, the rows in stored
// blocks of at most 65535 bytes, IEND; and reads back pixel for pixel.
TEST(PngWriter, StructureAndRoundTrip) {
  struct Case {
    int width, height;
    std::size_t minBlocks;
  };
  const Case cases[] = {
      {1, 1, 1},      {3, 2, 1},
      {50, 45, 1},    {64, 255, 1},  // the rows fill exactly one block: 255 x 257 = 65535 bytes
      {64, 256, 2},                  // one row more spills into a second block
      {200, 100, 2},                 // 80100 bytes
      {600, 500, 19},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const RgbaImage image = Pattern(c.width, c.height);
    const std::string file = EncodePng(image);
    const std::vector<Chunk> chunks = Chunks(file);
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks.back().type, "IEND");
    EXPECT_EQ(chunks.back().data, "");
    const std::string& ihdr = chunks.front().data;
    ASSERT_EQ(ihdr.size(), 13u);
    EXPECT_EQ(Be32(ihdr, 0), static_cast<std::uint32_t>(c.width));
    EXPECT_EQ(Be32(ihdr, 4), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(ihdr.substr(8), std::string("\x08\x06\0\0\0", 5));  // 8 bits, RGBA, plain

    std::string z;
    for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
      EXPECT_EQ(chunks[i].type, "IDAT");
      z += chunks[i].data;
    }
    std::vector<StoredBlock> blocks;
    EXPECT_EQ(ReadStoredZlib(z, blocks), RawRows(image));
    ASSERT_GE(blocks.size(), c.minBlocks);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      EXPECT_LE(blocks[i].length, kStoredBlockMax);
      EXPECT_EQ(blocks[i].final, i + 1 == blocks.size()) << "block " << i;
    }

    const auto back = DecodePng(file);
    ASSERT_TRUE(back);
    EXPECT_TRUE(SamePixels(*back, image));
  }
}

TEST(PngWriter, AnImageWithoutPixelsIsNoFile) {
  EXPECT_EQ(EncodePng(RgbaImage()), "");
  EXPECT_EQ(EncodePng(RgbaImage(0, 5)), "");
  EXPECT_EQ(EncodePng(RgbaImage(5, 0)), "");
}

// A file built chunk by chunk, with correct CRCs, around given rows.
std::string Chunked(const std::string& type, const std::string& data) {
  return Be32Bytes(static_cast<std::uint32_t>(data.size())) + type + data +
         Be32Bytes(Crc32(type + data));
}
std::string Header(std::uint32_t width, std::uint32_t height,
                   const std::string& tail = {"\x08\x06\0\0\0", 5}) {
  return Chunked("IHDR", Be32Bytes(width) + Be32Bytes(height) + tail);
}
std::string Stored(const std::string& raw, char blockHeader = '\x01') {
  const auto len = static_cast<std::uint16_t>(raw.size());
  return std::string("\x78\x01", 2) + blockHeader + static_cast<char>(len & 0xFF) +
         static_cast<char>(len >> 8) + static_cast<char>(~len & 0xFF) +
         static_cast<char>((~len >> 8) & 0xFF) + raw + Be32Bytes(Adler32(raw));
}
const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
const std::string kEnd = Chunked("IEND", "");

// The reader takes untrusted bytes: anything it was not written for, or
// any damage, gives nothing rather than wrong pixels or a crash.
TEST(PngReader, RefusesWhatItCannotRead) {
  const std::string row = std::string(1, '\0') + "\x10\x20\x30\x40\x50\x60\x70\x80";  // 2 x 1
  const std::string good = Stored(row);
  std::string badAdler = good;
  badAdler.back() = static_cast<char>(badAdler.back() ^ 1);
  std::string badNlen = good;
  badNlen[5] = static_cast<char>(badNlen[5] ^ 1);
  struct Case {
    const char* name;
    std::string file;
    bool readable;
  };
  const Case cases[] = {
      {"as written", kSignature + Header(2, 1) + Chunked("IDAT", good) + kEnd, true},
      {"rows split over two IDAT chunks",
       kSignature + Header(2, 1) + Chunked("IDAT", good.substr(0, 9)) +
           Chunked("IDAT", good.substr(9)) + kEnd,
       true},
      {"an ancillary chunk",
       kSignature + Header(2, 1) + Chunked("tEXt", "a\0b") + Chunked("IDAT", good) + kEnd, true},
      {"no signature", Header(2, 1) + Chunked("IDAT", good) + kEnd, false},
      {"IDAT before IHDR", kSignature + Chunked("IDAT", good) + Header(2, 1) + kEnd, false},
      {"two IHDR", kSignature + Header(2, 1) + Header(2, 1) + Chunked("IDAT", good) + kEnd, false},
      {"no IEND", kSignature + Header(2, 1) + Chunked("IDAT", good), false},
      {"bytes after IEND", kSignature + Header(2, 1) + Chunked("IDAT", good) + kEnd + "x", false},
      {"an unknown critical chunk",
       kSignature + Header(2, 1) + Chunked("ABCD", "") + Chunked("IDAT", good) + kEnd, false},
      {"RGB without alpha",
       kSignature + Header(2, 1, {"\x08\x02\0\0\0", 5}) + Chunked("IDAT", good) + kEnd, false},
      {"16 bits a channel",
       kSignature + Header(2, 1, {"\x10\x06\0\0\0", 5}) + Chunked("IDAT", good) + kEnd, false},
      {"interlaced",
       kSignature + Header(2, 1, {"\x08\x06\0\0\x01", 5}) + Chunked("IDAT", good) + kEnd, false},
      {"width 0", kSignature + Header(0, 1) + Chunked("IDAT", Stored("")) + kEnd, false},
      {"a huge height", kSignature + Header(2, 0x40000000) + Chunked("IDAT", good) + kEnd, false},
      {"one row short", kSignature + Header(2, 2) + Chunked("IDAT", good) + kEnd, false},
      {"one byte too many", kSignature + Header(2, 1) + Chunked("IDAT", Stored(row + "x")) + kEnd,
       false},
      {"filter byte 1",
       kSignature + Header(2, 1) + Chunked("IDAT", Stored("\x01" + row.substr(1))) + kEnd, false},
      {"a compressed block",
       kSignature + Header(2, 1) + Chunked("IDAT", Stored(row, '\x03')) + kEnd, false},
      {"no final block", kSignature + Header(2, 1) + Chunked("IDAT", Stored(row, '\x00')) + kEnd,
       false},
      {"LEN and NLEN disagree", kSignature + Header(2, 1) + Chunked("IDAT", badNlen) + kEnd, false},
      {"wrong Adler-32", kSignature + Header(2, 1) + Chunked("IDAT", badAdler) + kEnd, false},
      {"no IDAT", kSignature + Header(2, 1) + kEnd, false},
  };
  for (const Case& c : cases) {
    const auto image = DecodePng(c.file);
    EXPECT_EQ(image.has_value(), c.readable) << c.name;
    if (image && c.readable) {
      EXPECT_EQ(image->At(0, 0), (Rgba{0x10, 0x20, 0x30, 0x40})) << c.name;
      EXPECT_EQ(image->At(1, 0), (Rgba{0x50, 0x60, 0x70, 0x80})) << c.name;
    }
  }
}

// Every truncation and every single flipped bit of a written file is refused.
TEST(PngReader, RefusesEveryTruncationAndFlippedBit) {
  const std::string file = EncodePng(Pattern(3, 2));
  ASSERT_TRUE(DecodePng(file));
  for (std::size_t size = 0; size < file.size(); ++size)
    EXPECT_FALSE(DecodePng(file.substr(0, size))) << "cut to " << size << " bytes";
  for (std::size_t at = 0; at < file.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string damaged = file;
      damaged[at] = static_cast<char>(damaged[at] ^ (1 << bit));
      EXPECT_FALSE(DecodePng(damaged)) << "byte " << at << " bit " << bit;
    }
  }
}

// The pictures' alpha is straight: a half-transparent pixel keeps its full
// colour, and only the alpha says how much of it shows.
TEST(RgbaImage, OverKeepsStraightAlpha) {
  struct Case {
    const char* name;
    Rgba under, over;
    double opacity;
    Rgba expected;
  };
  const Case cases[] = {
      {"onto nothing", {}, {200, 100, 50, 255}, 1.0, {200, 100, 50, 255}},
      {"half onto nothing keeps its colour", {}, {200, 100, 50, 255}, 0.5, {200, 100, 50, 128}},
      {"translucent onto nothing", {}, {200, 100, 50, 64}, 1.0, {200, 100, 50, 64}},
      {"opaque covers", {10, 20, 30, 255}, {200, 100, 50, 255}, 1.0, {200, 100, 50, 255}},
      {"half onto opaque mixes", {0, 0, 0, 255}, {200, 100, 50, 255}, 0.5, {100, 50, 25, 255}},
      {"half onto half", {0, 0, 0, 128}, {240, 120, 60, 255}, 0.5, {160, 80, 40, 191}},
      {"nothing onto something", {10, 20, 30, 200}, {200, 100, 50, 0}, 1.0, {10, 20, 30, 200}},
      {"opacity 0", {10, 20, 30, 200}, {200, 100, 50, 255}, 0.0, {10, 20, 30, 200}},
  };
  for (const Case& c : cases) {
    RgbaImage image(1, 1, c.under);
    image.Over(0, 0, c.over, c.opacity);
    const Rgba got = image.At(0, 0);
    EXPECT_NEAR(got.r, c.expected.r, 1) << c.name;
    EXPECT_NEAR(got.g, c.expected.g, 1) << c.name;
    EXPECT_NEAR(got.b, c.expected.b, 1) << c.name;
    EXPECT_NEAR(got.a, c.expected.a, 1) << c.name;
  }
  RgbaImage image(2, 2);
  image.Over(9, 9, {1, 2, 3, 255});  // outside: nothing happens
  EXPECT_EQ(image.At(9, 9), Rgba{});
  EXPECT_EQ(image.At(1, 1), Rgba{});
}

}  // namespace
}  // namespace pikko::demo
