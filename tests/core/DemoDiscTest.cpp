// The demo disc generator: its bitmap files, the shape and legibility of the
// skins, the menu configuration it writes, and the discs it lays out.
#include "demo/DemoDisc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "env/Text.h"
#include "platform/IniReader.h"
#include "tests/TempFolder.h"

namespace pikko::demo {
namespace {

namespace fs = std::filesystem;

std::uint32_t Le32(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
std::uint32_t Le16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

// A pattern in which every pixel differs from its neighbours.
Image Pattern(int width, int height) {
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.Set(x, y,
                {static_cast<std::uint8_t>(x * 37 + y), static_cast<std::uint8_t>(y * 53 + 7),
                 static_cast<std::uint8_t>(x * 11 + y * 29)});
  return image;
}

bool SamePixels(const Image& a, const Image& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

// 24-bit rows are padded to a multiple of four bytes.
TEST(Bmp24, HeadersPaddingAndRoundTrip) {
  struct Case {
    int width, height;
    std::uint32_t rowBytes;
  };
  const Case cases[] = {{1, 1, 4}, {2, 1, 8}, {3, 2, 12}, {4, 3, 12}, {5, 5, 16}, {105, 37, 316}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const Image image = Pattern(c.width, c.height);
    const std::string file = EncodeBmp24(image);
    ASSERT_EQ(file.size(), 54 + c.rowBytes * c.height);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 10), 54u);  // pixels follow the two headers
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(static_cast<int>(Le32(file, 18)), c.width);
    EXPECT_EQ(static_cast<int>(Le32(file, 22)), c.height);  // positive: bottom-up
    EXPECT_EQ(Le16(file, 28), 24u);
    EXPECT_EQ(Le32(file, 30), 0u);
    EXPECT_EQ(Le32(file, 34), c.rowBytes * c.height);
    // The first stored pixel is the bottom-left one, blue first.
    const Rgb bottomLeft = image.At(0, c.height - 1);
    EXPECT_EQ(static_cast<std::uint8_t>(file[54]), bottomLeft.b);
    EXPECT_EQ(static_cast<std::uint8_t>(file[56]), bottomLeft.r);
    for (std::uint32_t pad = c.width * 3; pad < c.rowBytes; ++pad) EXPECT_EQ(file[54 + pad], '\0');
    const auto decoded = DecodeBmp(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bitsPerPixel, 24);
    EXPECT_TRUE(SamePixels(decoded->image, image));
  }
}

// 4-bit files hold the VGA palette and two pixels a byte, the left one in
// the high nibble.
TEST(Bmp4, HeadersPaletteIndicesAndPadding) {
  struct Case {
    int width, height;
    std::uint32_t rowBytes;
  };
  const Case cases[] = {{1, 1, 4}, {2, 2, 4}, {7, 3, 4}, {8, 1, 4}, {9, 2, 8}, {17, 4, 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    Image image(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) image.Set(x, y, VgaPalette()[(x * 3 + y * 5) % 16]);
    const std::string file = EncodeBmp4(image);
    ASSERT_EQ(file.size(), 54 + 64 + c.rowBytes * c.height);
    EXPECT_EQ(Le32(file, 10), 118u);
    EXPECT_EQ(Le16(file, 28), 4u);
    EXPECT_EQ(Le32(file, 46), 16u);
    EXPECT_EQ(static_cast<std::uint8_t>(file[54 + 13 * 4 + 2]), 255);  // fuchsia's red
    const int bottom = c.height - 1;
    const int first = (0 * 3 + bottom * 5) % 16;
    const int second = c.width > 1 ? (1 * 3 + bottom * 5) % 16 : 0;
    EXPECT_EQ(static_cast<std::uint8_t>(file[118]), (first << 4) | second);
    const auto decoded = DecodeBmp(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bitsPerPixel, 4);
    ASSERT_EQ(decoded->palette.size(), 16u);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x)
        EXPECT_EQ(decoded->indices[y * c.width + x], (x * 3 + y * 5) % 16) << x << "," << y;
    EXPECT_TRUE(SamePixels(decoded->image, image));
  }
}

TEST(Bmp4, OffPaletteColoursTakeTheNearestVgaColour) {
  struct Case {
    Rgb colour;
    int index;
  };
  const Case cases[] = {{{0, 0, 0}, 0},       {{255, 0, 255}, 13},  {{250, 250, 250}, 15},
                        {{100, 100, 100}, 8}, {{200, 190, 195}, 7}, {{10, 0, 140}, 4},
                        {{230, 20, 20}, 9},   {{0, 120, 130}, 6},   {{140, 0, 0}, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(NearestVgaIndex(c.colour), c.index)
        << int(c.colour.r) << "," << int(c.colour.g) << "," << int(c.colour.b);
  }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(NearestVgaIndex(VgaPalette()[i]), i);
}

TEST(Bmp, DecodeRefusesBrokenFiles) {
  const std::string good = EncodeBmp24(Pattern(3, 3));
  auto with32 = [&good](std::size_t at, std::uint32_t v) {
    std::string b = good;
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
  };
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"headers only, cut", good.substr(0, 40)},
      {"pixels cut short", good.substr(0, good.size() - 1)},
      {"not a bitmap", "XX" + good.substr(2)},
      {"compressed", with32(30, 1)},
      {"8 bits per pixel",
       [&good] {
         std::string b = good;
         b[28] = 8;
         return b;
       }()},
      {"zero width", with32(18, 0)},
      {"absurd height", with32(22, 0x7FFFFFFF)},
      {"pixel offset past the end", with32(10, 100000)},
      {"header size past the end", with32(14, 0xFFFFFFF0u)},
  };
  for (const Case& c : cases) EXPECT_FALSE(DecodeBmp(c.bytes)) << c.name;
}

TEST(Draw, ShapesStayInsideTheirOutline) {
  const Rect r{2, 2, 22, 22};
  EXPECT_DOUBLE_EQ(RoundRectCoverage(r, Corners::All(6), 12, 12), 1.0);
  EXPECT_DOUBLE_EQ(RoundRectCoverage(r, Corners::All(6), 2, 2), 0.0);   // cut corner
  EXPECT_DOUBLE_EQ(RoundRectCoverage(r, Corners::Top(6), 2, 21), 1.0);  // square bottom
  EXPECT_DOUBLE_EQ(RoundRectCoverage(r, Corners::All(6), 1, 12), 0.0);
  Image image(24, 24, {9, 9, 9});
  FillRoundRect(image, r, Corners::All(6), Solid({200, 100, 50}));
  EXPECT_EQ(image.At(2, 2), (Rgb{9, 9, 9}));
  EXPECT_EQ(image.At(12, 12), (Rgb{200, 100, 50}));
  EXPECT_EQ(image.At(1, 12), (Rgb{9, 9, 9}));
  const Rgb edge = image.At(3, 4);  // partly covered: mixed, neither colour
  EXPECT_NE(edge, (Rgb{9, 9, 9}));
  EXPECT_NE(edge, (Rgb{200, 100, 50}));
  EXPECT_EQ(TextWidth("PIKKO"), 29);
  EXPECT_EQ(TextWidth("AB", 2), 22);
  EXPECT_EQ(Mix({0, 0, 0}, {255, 255, 255}, 0.0), (Rgb{0, 0, 0}));
  EXPECT_EQ(Mix({0, 0, 0}, {255, 255, 255}, 1.0), (Rgb{255, 255, 255}));
}

Image Decoded(Look look, const std::string& name, int expectedBits) {
  const auto decoded = DecodeBmp(SkinFileBytes(look, name));
  EXPECT_TRUE(decoded) << name;
  if (!decoded) return {};
  EXPECT_EQ(decoded->bitsPerPixel, expectedBits) << name;
  return decoded->image;
}

const char* LookName(Look look) { return look == Look::Gaming ? "gaming" : "normal"; }

// The window is cut to the background: its bottom-left pixel gives the key
// colour, and a key-coloured pixel anywhere but in the four rounded corners
// would punch a hole into the window.
TEST(Skins, BackgroundIsShapedOnlyAtItsCorners) {
  for (Look look : {Look::Normal, Look::Gaming}) {
    for (const auto& [name, bits] : {std::pair{"pikko256.bmp", 24}, std::pair{"pikko16.bmp", 4}}) {
      SCOPED_TRACE(std::string(LookName(look)) + " " + name);
      const Image bg = Decoded(look, name, bits);
      ASSERT_EQ(bg.Width(), 641);
      ASSERT_EQ(bg.Height(), 451);
      const Rgb key = bg.At(0, bg.Height() - 1);
      EXPECT_EQ(key, kKeyColour);
      EXPECT_EQ(bg.At(0, 0), key);
      EXPECT_EQ(bg.At(640, 0), key);
      EXPECT_EQ(bg.At(640, 450), key);
      int cornerKeys = 0;
      for (int y = 0; y < bg.Height(); ++y) {
        for (int x = 0; x < bg.Width(); ++x) {
          if (bg.At(x, y) != key) continue;
          const bool inCorner = (x < kCornerRadius || x >= bg.Width() - kCornerRadius) &&
                                (y < kCornerRadius || y >= bg.Height() - kCornerRadius);
          ASSERT_TRUE(inCorner) << "key colour inside the window at " << x << "," << y;
          ++cornerKeys;
        }
      }
      // Each corner loses a few pixels, but far fewer than its square.
      EXPECT_GT(cornerKeys, 4 * 10);
      EXPECT_LT(cornerKeys, 4 * kCornerRadius * kCornerRadius / 2);
      // The row and column through the centre span the whole window.
      for (int x = 0; x < bg.Width(); ++x) EXPECT_NE(bg.At(x, 225), key) << x;
      for (int y = 0; y < bg.Height(); ++y) EXPECT_NE(bg.At(320, y), key) << y;
    }
  }
}

TEST(Skins, SixteenColourFilesUseOnlyVgaColours) {
  for (Look look : {Look::Normal, Look::Gaming}) {
    for (const char* name : {"pikko16.bmp", "logo16.bmp", "MainTab\\tab01_n.bmp"}) {
      const auto decoded = DecodeBmp(SkinFileBytes(look, name));
      ASSERT_TRUE(decoded) << name;
      EXPECT_EQ(decoded->bitsPerPixel, 4) << name;
      for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(decoded->palette[i], VgaPalette()[i]);
    }
  }
}

// The pictures that the menu lays over the background must match it, or
// their edges would show as seams.
TEST(Skins, PicturesFitTheBackground) {
  for (Look look : {Look::Normal, Look::Gaming}) {
    SCOPED_TRACE(LookName(look));
    const Image bg = Decoded(look, "pikko256.bmp", 24);
    const Image logo = Decoded(look, "logo256.bmp", 24);
    ASSERT_EQ(logo.Width(), 68);
    ASSERT_EQ(logo.Height(), 20);
    EXPECT_TRUE(SamePixels(logo, bg.Crop(kLogoLeft, kLogoTop, 68, 20)));
    const Image logo16 = Decoded(look, "logo16.bmp", 4);
    EXPECT_TRUE(
        SamePixels(logo16, Decoded(look, "pikko16.bmp", 4).Crop(kLogoLeft, kLogoTop, 68, 20)));
    const Image down = Decoded(look, "MainTab\\tab01_down.bmp", 24);
    const Image over = Decoded(look, "MainTab\\tab01_up.bmp", 24);
    const Image rest16 = Decoded(look, "MainTab\\tab01_n.bmp", 4);
    for (const Image* tab : {&down, &over, &rest16}) {
      ASSERT_EQ(tab->Width(), 105);
      ASSERT_EQ(tab->Height(), 37);
    }
    // Outside its rounded top corners a tab picture shows the strip behind it.
    for (int left : kTabLefts) {
      EXPECT_EQ(down.At(0, 0), bg.At(left, kTabTop)) << left;
      EXPECT_EQ(over.At(104, 1), bg.At(left + 104, kTabTop + 1)) << left;
    }
    // Selected, hovered and resting tabs look different.
    const Image rest = bg.Crop(kTabLefts[2], kTabTop, 105, 37);
    EXPECT_NE(down.At(52, 20), rest.At(52, 20));
    EXPECT_NE(over.At(52, 20), rest.At(52, 20));
    EXPECT_NE(over.At(52, 20), down.At(52, 20));
  }
}

// WCAG contrast ratio of two colours.
double Luminance(Rgb c) {
  auto channel = [](std::uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}
double Contrast(Rgb a, Rgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The menu draws its texts over the background in fixed colours; every
// pixel behind them must leave the text readable.
TEST(Skins, TextsOverTheBackgroundAreReadable) {
  struct Case {
    Look look;
    const char* file;
    int bits;
    Rect area;
    Rgb text;
  };
  const Rect rows{30, 120, 326, 410};
  const Rect description{368, 118, 621, 431};
  const Rect caption{78, 6, 559, 21};
  const Case cases[] = {
      {Look::Normal, "pikko256.bmp", 24, rows, {215, 243, 241}},
      {Look::Normal, "pikko256.bmp", 24, description, {3, 72, 113}},
      {Look::Normal, "pikko256.bmp", 24, caption, {151, 179, 216}},
      {Look::Gaming, "pikko256.bmp", 24, rows, {185, 185, 185}},
      {Look::Gaming, "pikko256.bmp", 24, {368, 128, 621, 431}, {141, 141, 141}},
      {Look::Gaming, "pikko256.bmp", 24, {54, 6, 535, 21}, {185, 185, 185}},
      {Look::Normal, "pikko16.bmp", 4, rows, {0, 0, 128}},
      {Look::Normal, "pikko16.bmp", 4, description, {3, 72, 113}},
      {Look::Gaming, "pikko16.bmp", 4, rows, {0, 0, 128}},
      {Look::Gaming, "pikko16.bmp", 4, {368, 128, 621, 431}, {141, 141, 141}},
  };
  for (const Case& c : cases) {
    const Image bg = Decoded(c.look, c.file, c.bits);
    double worst = 100;
    for (int y = c.area.top; y < c.area.bottom; ++y)
      for (int x = c.area.left; x < c.area.right; ++x)
        worst = std::min(worst, Contrast(bg.At(x, y), c.text));
    EXPECT_GE(worst, 4.5) << LookName(c.look) << " " << c.file << " at " << c.area.left << ","
                          << c.area.top;
  }
}

// The demo configuration, read as the menu reads it.
class DemoIni : public ::testing::Test {
 protected:
  std::string Read(const std::string& section, const std::string& key) const {
    return ini_.ReadString(section, key, "<missing>");
  }
  std::string Item(int n, const std::string& key) const {
    return Read("SETUP_ITEM", "(" + std::to_string(n) + ")" + key);
  }
  IniDocument ini_ = IniDocument::Parse(DemoMenuIni());
};

TEST_F(DemoIni, TabsButtonsAndTitles) {
  EXPECT_EQ(Read("PLATFORM", "Specified OS"), "WNT_6.1P_64,English");
  EXPECT_EQ(StrToIntDef(Read("TABS_INFO", "NUM"), 0), 6);
  EXPECT_EQ(Read("TABS_INFO", "NOCONTACT"), "0");
  // The contact tab stands before the promotion's home tab, the last one.
  EXPECT_EQ(Read("TABS_INFO", "TAB4"), "Contact");
  EXPECT_EQ(Read("TABS_INFO", "TAB5"), "Home");
  for (int t = 0; t < 6; ++t) EXPECT_NE(Read("TABS_INFO", "TAB" + std::to_string(t)), "<missing>");
  EXPECT_EQ(Read("TABS_INFO", "TAB6"), "<missing>");
  EXPECT_NE(Read("TABS_INFO", "NoItem"), "<missing>");
  for (int j = 0; j < 5; ++j) {
    const std::string text = Read("BUTTONS", "Button" + std::to_string(j));
    EXPECT_NE(text, "<missing>");
    EXPECT_NE(text, "-");
  }
  EXPECT_EQ(Read("SETUP_ITEM", "CD_Title"), "Motherboard Support Disc");
  EXPECT_NE(Read("SETUP_ITEM", "CD_Description").find("@@"), std::string::npos);
  EXPECT_EQ(Read("SETUP_ITEM", "FontName"), "<missing>");  // the menu's default fonts
  EXPECT_EQ(Read("SETUP_ITEM", "FontSize"), "<missing>");
  EXPECT_NE(StrToIntDef(Read("SETUP_ITEM", "Support Fullkit"), 0), 0);
}

// Every [COLORS] value is three integers, or the menu warns at start.
TEST_F(DemoIni, ColoursAreThreeComponents) {
  for (const char* key : {"TitleMouseMove", "Description"}) {
    const std::string value = Read("COLORS", key);
    ASSERT_NE(value, "<missing>") << key;
    int parts = 0;
    std::size_t from = 0;
    for (;;) {
      const std::size_t comma = value.find(',', from);
      const std::string part =
          value.substr(from, comma == std::string::npos ? comma : comma - from);
      const int v = StrToIntDef(part, -1);
      EXPECT_TRUE(v >= 0 && v <= 255) << key << ": " << part;
      ++parts;
      if (comma == std::string::npos) break;
      from = comma + 1;
    }
    EXPECT_EQ(parts, 3) << key;
  }
}

// The item scan the menu performs, counted per tab.
TEST_F(DemoIni, ItemsAsTheMenuListsThem) {
  const int count = StrToIntDef(Read("SETUP_ITEM", "ItemNumber"), 0);
  ASSERT_EQ(count, static_cast<int>(DemoItems().size()));
  int listed[6] = {}, fullkits[6] = {}, hidden = 0, longTitles = 0;
  for (int n = 1; n <= count; ++n) {
    SCOPED_TRACE("item " + std::to_string(n));
    const int tab = StrToIntDef(Item(n, "Tab"), -1);
    ASSERT_GE(tab, 0);
    ASSERT_LT(tab, 5);
    EXPECT_NE(Item(n, "Title"), "<missing>");
    EXPECT_NE(Item(n, "Description"), "<missing>");
    EXPECT_NE(Item(n, "Path"), "<missing>");
    EXPECT_NE(Item(n, "Run"), "<missing>");
    EXPECT_TRUE(StartsWithText(Item(n, "Dependency"), "0x") && Item(n, "Dependency")[1] == 'x');
    if (Item(n, "IsZekaFullkit") == "1") {
      ++fullkits[tab];
    } else if (Item(n, "HideInAutorun") == "1") {
      ++hidden;
    } else {
      ++listed[tab];
      // Over 300 pixels in the rows' 13-pixel bold font: cut, then unfolded.
      if (Item(n, "Title").size() >= 55) ++longTitles;
    }
  }
  EXPECT_EQ(Item(count + 1, "Title"), "<missing>");
  EXPECT_EQ(listed[0], 13);  // two pages
  EXPECT_GT(listed[1], 0);
  EXPECT_GT(listed[2], 0);
  EXPECT_GT(listed[3], 0);
  EXPECT_EQ(listed[4], 0);  // the contact tab
  EXPECT_EQ(listed[5], 0);  // the home tab
  EXPECT_EQ(fullkits[0], 1);
  EXPECT_EQ(fullkits[1], 1);
  EXPECT_EQ(hidden, 1);
  EXPECT_EQ(longTitles, 1);
}

TEST(DemoDisc, HoldsEveryFileTheMenuLoads) {
  testing::TempFolder temp;
  const std::string autorun = (temp.Path() / "AUTORUN").string();
  ASSERT_TRUE(WriteDemoDisc(autorun));
  for (const std::string& folder : {autorun, JoinPath(autorun, "GAMING")}) {
    for (const std::string& name : SkinFileNames()) {
      const auto bytes = ReadFileBytes(JoinPath(folder, name));
      ASSERT_TRUE(bytes) << folder << " " << name;
      EXPECT_TRUE(DecodeBmp(*bytes)) << name;
    }
    for (const char* page : {kContactPage256, kContactPage16})
      EXPECT_TRUE(fs::is_regular_file(JoinPath(folder, page))) << page;
  }
  const auto ini = ReadFileBytes(JoinPath(autorun, "zkcd_dbg.ini"));
  ASSERT_TRUE(ini);
  EXPECT_EQ(*ini, DemoMenuIni());
  EXPECT_TRUE(fs::is_regular_file(temp.Path() / "TECHSUPP.TXT"));
  EXPECT_FALSE(fs::exists(JoinPath(autorun, "ForceGaming")));  // the probe decides
}

TEST(TestDisc, OptionsChooseTheFiles) {
  struct Case {
    const char* name;
    TestDiscOptions options;
    std::set<std::string> present, absent;
  };
  TestDiscOptions no256, no16, noGaming, forced, noContact, noPictures;
  no256.background256 = false;
  no16.sixteenColourSkins = false;
  noGaming.gamingFolder = false;
  forced.forceGaming = true;
  noContact.contactPages = false;
  noPictures.buttonPictures = false;
  const Case cases[] = {
      {"defaults",
       {},
       {"pikko256.bmp", "pikko16.bmp", "GAMING\\pikko256.bmp", kContactPage256,
        "GAMING\\contact\\contact_16_n00.htm", "BtnImages\\manual_o.png",
        "BtnImages\\MB\\256\\next_page_d.png", "GAMING\\BtnImages\\MB\\256\\mb_n.png"},
       {"ForceGaming", "GAMING\\BtnImages\\manual_n.png"}},
      {"no 256-colour background",
       no256,
       {"logo256.bmp", "pikko16.bmp"},
       {"pikko256.bmp", "GAMING\\pikko256.bmp"}},
      {"no 16-colour files",
       no16,
       {"pikko256.bmp", "MainTab\\tab01_down.bmp"},
       {"pikko16.bmp", "logo16.bmp", "MainTab\\tab01_n.bmp", "GAMING\\pikko16.bmp"}},
      {"no gaming folder",
       noGaming,
       {"pikko256.bmp", kContactPage16, "BtnImages\\MB\\256\\help_n.png"},
       {"GAMING"}},
      {"forced gaming", forced, {"ForceGaming", "GAMING\\MainTab\\tab01_up.bmp"}, {}},
      {"no contact pages",
       noContact,
       {"pikko256.bmp"},
       {kContactPage256, kContactPage16, "GAMING\\contact"}},
      {"no button pictures", noPictures, {"pikko256.bmp"}, {"BtnImages", "GAMING\\BtnImages"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder temp;
    const std::string ini = "[TABS_INFO]\r\nNUM=1\r\n";
    ASSERT_TRUE(WriteTestDisc(temp.Path().string(), ini, c.options));
    EXPECT_EQ(ReadFileBytes(JoinPath(temp.Path().string(), "zkcd_dbg.ini")), ini);
    for (const std::string& p : c.present)
      EXPECT_TRUE(fs::exists(JoinPath(temp.Path().string(), p))) << p;
    for (const std::string& p : c.absent)
      EXPECT_FALSE(fs::exists(JoinPath(temp.Path().string(), p))) << p;
  }
}

// A disc that cannot be written says which file failed, never success.
TEST(TestDisc, ReportsTheFileItCannotWrite) {
  testing::TempFolder temp;
  const std::string blocker = temp.Write("blocker", "a file, not a folder");
  const WriteOutcome out = WriteTestDisc(JoinPath(blocker, "disc"), "[S]\r\n");
  EXPECT_FALSE(out);
  EXPECT_NE(out.failedFile.find("zkcd_dbg.ini"), std::string::npos) << out.failedFile;
  const WriteOutcome demo = WriteDemoDisc(JoinPath(blocker, "AUTORUN"));
  EXPECT_FALSE(demo);
}

TEST(DemoDisc, FileListNamesEveryFileOnce) {
  testing::TempFolder temp;
  temp.Write("AUTORUN/a.txt", "a");
  temp.Write("AUTORUN/Sub/b.txt", "b");
  temp.Write("TECHSUPP.TXT", "c");
  ASSERT_TRUE(WriteFileList(temp.Path().string()));
  EXPECT_EQ(ReadFileBytes((temp.Path() / "FILELIST.TXT").string()),
            "AUTORUN\\Sub\\b.txt\r\nAUTORUN\\a.txt\r\nTECHSUPP.TXT\r\n");
  ASSERT_TRUE(WriteFileList(temp.Path().string()));  // a second run does not list itself
  EXPECT_EQ(ReadFileBytes((temp.Path() / "FILELIST.TXT").string())->find("FILELIST"),
            std::string::npos);
}

// The contact pages work offline and the 16-colour ones keep to VGA colours.
TEST(ContactPages, OfflineAndInTheirColours) {
  for (Look look : {Look::Normal, Look::Gaming}) {
    for (bool sixteen : {false, true}) {
      const std::string page = ContactPage(look, sixteen);
      EXPECT_NE(page.find("mailto:support@example.com"), std::string::npos);
      EXPECT_EQ(page.find("src="), std::string::npos);  // nothing to fetch
      EXPECT_EQ(page.find("://"), std::string::npos);
      if (!sixteen) continue;
      for (std::size_t at = page.find('#'); at != std::string::npos; at = page.find('#', at + 1)) {
        const std::string hex = page.substr(at + 1, 6);
        const auto v = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
        const Rgb c{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                    static_cast<std::uint8_t>(v)};
        EXPECT_EQ(VgaPalette()[NearestVgaIndex(c)], c) << LookName(look) << " #" << hex;
      }
    }
  }
}

}  // namespace
}  // namespace pikko::demo
