// Bitmap files of every depth and layout a disc may carry, loaded into the
// one 24-bit layout: uncompressed files take the one-read path, compressed
// ones the system's loader, and a file whose pixels end early is refused
// (the system's loader read past its end and brought the process down).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/TempFolder.h"
#include "toolkit/Bitmap_win.h"

namespace pikko {
namespace {

void Put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// Four colours the pictures are made of; pixel (x, y) has colour (x + y) % 4.
constexpr std::uint8_t kColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
int ColourAt(int x, int y) { return (x + y) % 4; }

struct Kind {
  const char* name;
  int bpp;
  bool topDown = false;
  std::uint32_t compression = BI_RGB;  // BI_BITFIELDS, or BI_RLE8 (system path)
};

// A 5 x 3 picture (odd width: rows need padding) of the given kind.
std::string MakeBmp(const Kind& k, int width = 5, int height = 3) {
  std::string palette, pixels;
  const int colours = k.bpp == 1 ? 2 : 4;
  if (k.bpp <= 8) {
    for (int i = 0; i < colours; ++i)
      palette += {char(kColours[i][2]), char(kColours[i][1]), char(kColours[i][0]), 0};
  } else if (k.compression == BI_BITFIELDS) {
    if (k.bpp == 16) {
      Put32(palette, 0xF800), Put32(palette, 0x07E0), Put32(palette, 0x001F);
    } else {
      Put32(palette, 0xFF0000), Put32(palette, 0x00FF00), Put32(palette, 0x0000FF);
    }
  }
  for (int j = 0; j < height; ++j) {
    const int y = k.topDown ? j : height - 1 - j;
    std::string row;
    if (k.compression == BI_RLE8) {
      for (int x = 0; x < width; ++x) row += {char(1), char(ColourAt(x, y))};
      row += {char(0), char(j + 1 == height ? 1 : 0)};  // end of line, or of picture
      pixels += row;
      continue;
    }
    unsigned bits = 0;
    int used = 0;
    for (int x = 0; x < width; ++x) {
      const int i = ColourAt(x, y) % colours;
      const auto* c = kColours[i];
      if (k.bpp <= 8) {
        bits = (bits << k.bpp) | static_cast<unsigned>(i);
        used += k.bpp;
        if (used == 8) row += static_cast<char>(bits), bits = 0, used = 0;
      } else if (k.bpp == 16) {
        Put16(row, unsigned(c[0] >> 3) << 11 | unsigned(c[1] >> 2) << 5 | unsigned(c[2] >> 3));
      } else {
        row += {char(c[2]), char(c[1]), char(c[0])};
        if (k.bpp == 32) row += '\0';
      }
    }
    if (used > 0) row += static_cast<char>(bits << (8 - used));
    while (row.size() % 4) row += '\0';
    pixels += row;
  }
  std::string info;
  Put32(info, 40);
  Put32(info, static_cast<std::uint32_t>(width));
  Put32(info, static_cast<std::uint32_t>(k.topDown ? -height : height));
  Put16(info, 1);
  Put16(info, static_cast<unsigned>(k.bpp));
  Put32(info, k.compression);
  Put32(info, k.compression == BI_RLE8 ? static_cast<std::uint32_t>(pixels.size()) : 0);
  Put32(info, 2835), Put32(info, 2835);
  Put32(info, k.bpp <= 8 ? static_cast<std::uint32_t>(colours) : 0);  // a short colour table
  Put32(info, 0);
  std::string file = "BM";
  const std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size() + palette.size());
  Put32(file, static_cast<std::uint32_t>(offset + pixels.size()));
  Put32(file, 0);
  Put32(file, offset);
  return file + info + palette + pixels;
}

TEST(BitmapFile, EveryDepthAndLayoutLoadsIntoTheSamePixels) {
  const testing::TempFolder temp;
  const Kind kinds[] = {
      {"1-bit", 1},  // two colours only: checked against its own palette below
      {"4-bit", 4},
      {"8-bit", 8},
      {"8-bit top-down", 8, true},
      {"16-bit 565", 16, false, BI_BITFIELDS},
      {"24-bit", 24},
      {"24-bit top-down", 24, true},
      {"32-bit", 32},
      {"32-bit masks", 32, false, BI_BITFIELDS},
      {"8-bit RLE", 8, false, BI_RLE8},
  };
  for (const Kind& k : kinds) {
    const std::string path = temp.Write(std::string(k.name) + ".bmp", MakeBmp(k));
    Bitmap b;
    ASSERT_TRUE(b.LoadFromFile(path)) << k.name;
    ASSERT_EQ(b.Width(), 5) << k.name;
    ASSERT_EQ(b.Height(), 3) << k.name;
    EXPECT_EQ(b.BitsPerPixel(), 24) << k.name;
    const ConstPixelView v = static_cast<const Bitmap&>(b).View();
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        const int i = ColourAt(x, y) % (k.bpp == 1 ? 2 : 4);
        const std::uint8_t* p = v.At(x, y);
        EXPECT_TRUE(p[2] == kColours[i][0] && p[1] == kColours[i][1] && p[0] == kColours[i][2])
            << k.name << " pixel " << x << "," << y;
      }
  }
}

TEST(BitmapFile, AFileThatEndsBeforeItsPixelsIsRefused) {
  const testing::TempFolder temp;
  const std::string whole = MakeBmp({"24-bit", 24}, 64, 64);
  struct Case {
    const char* name;
    std::string bytes;
  };
  std::string hugeHeight = whole;
  hugeHeight[22] = '\xFF', hugeHeight[23] = '\x7F';  // 32 767 rows claimed
  const Case cases[] = {
      {"pixels cut", whole.substr(0, whole.size() - 100)},
      {"header only", whole.substr(0, 54)},
      {"rows claimed beyond the file", hugeHeight},
      {"not a bitmap", "PK\x03\x04" + std::string(60, 'x')},
      {"empty", ""},
  };
  for (const Case& c : cases) {
    const std::string path = temp.Write(std::string(c.name) + ".bmp", c.bytes);
    Bitmap b;
    EXPECT_FALSE(b.LoadFromFile(path)) << c.name;
    EXPECT_TRUE(b.Empty()) << c.name;
  }
  Bitmap missing;
  ::SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(missing.LoadFromFile(temp.Path().string() + "\\absent.bmp"));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
      << "refused at the opening, not by using the failed open's value as a file";
}

}  // namespace
}  // namespace pikko
