// The button pictures of the demo disc as the menu finds them: every file
// in every look, transparent round the tile, the three states, and tiles
// that sit on the panels behind their buttons; and the vector shapes the
// icons are drawn with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "demo/ButtonArt.h"
#include "demo/DemoDisc.h"
#include "demo/Png.h"
#include "tests/TempFolder.h"

namespace pikko::demo {
namespace {

// The icons' strokes and polygons cover what they outline and nothing
// more; the distance to a rounded rectangle is signed.
TEST(Draw, VectorShapesCoverTheirOutline) {
  struct Case {
    const char* name;
    std::function<void(Image&)> draw;
    std::vector<std::pair<int, int>> covered, untouched;
  };
  const Rgb white{255, 255, 255};
  const Case cases[] = {
      {"segment",
       [&](Image& i) { StrokeSegment(i, 2, 5, 18, 5, 2, white); },
       {{10, 4}, {10, 5}, {2, 4}},
       {{10, 3}, {10, 6}, {0, 5}, {19, 5}}},
      {"ring",
       [&](Image& i) { StrokeArc(i, 10, 10, 6, 0, 360, 2, white); },
       {{15, 10}, {4, 10}, {10, 4}, {10, 15}},
       {{10, 10}, {18, 10}, {1, 10}}},
      {"upper half ring",
       [&](Image& i) { StrokeArc(i, 10, 10, 6, 180, 360, 2, white); },
       {{9, 4}, {4, 8}},
       {{9, 15}, {10, 10}}},
      {"arc across 0 degrees",
       [&](Image& i) { StrokeArc(i, 10, 10, 6, 315, 45, 2, white); },
       {{15, 10}},
       {{4, 10}, {10, 4}, {10, 15}}},
      {"triangle",
       [&](Image& i) {
         FillPolygon(i, {{0, 0}, {10, 0}, {0, 10}}, white);
       },
       {{1, 1}, {4, 4}, {0, 8}},
       {{5, 5}, {8, 8}, {11, 0}}},
  };
  for (const Case& c : cases) {
    Image image(20, 20);
    c.draw(image);
    for (auto [x, y] : c.covered)
      EXPECT_EQ(image.At(x, y), white) << c.name << " " << x << "," << y;
    for (auto [x, y] : c.untouched)
      EXPECT_EQ(image.At(x, y), Rgb{}) << c.name << " " << x << "," << y;
  }
  const Rect r{0, 0, 20, 10};
  EXPECT_DOUBLE_EQ(RoundRectDistance(r, 4, 10, 5), -5);
  EXPECT_DOUBLE_EQ(RoundRectDistance(r, 4, 0, 5), 0);
  EXPECT_DOUBLE_EQ(RoundRectDistance(r, 4, 10, -2), 2);
  EXPECT_DOUBLE_EQ(RoundRectDistance(r, 4, 23, 5), 3);
  EXPECT_NEAR(RoundRectDistance(r, 4, -3, -3), std::hypot(7, 7) - 4, 1e-9);  // past a round corner
}

// The button pictures as the menu finds them on the demo disc, with the
// sizes of the buttons they dress.
struct PictureSet {
  const char* stem;  // below the skin folder
  int width, height;
  int left, top;  // where the menu places the button
};
const PictureSet kPictureSets[] = {
    {"BtnImages\\MB\\256\\mb", 50, 45, 362, 66},
    {"BtnImages\\MB\\256\\cd", 50, 45, 417, 66},
    {"BtnImages\\MB\\256\\report", 50, 45, 472, 66},
    {"BtnImages\\MB\\256\\file", 50, 45, 527, 66},
    {"BtnImages\\MB\\256\\help", 50, 45, 582, 66},
    {"BtnImages\\MB\\256\\install", 105, 49, 28, 73},
    {"BtnImages\\MB\\256\\prev_page", 113, 25, 175, 415},
    {"BtnImages\\MB\\256\\next_page", 123, 22, 28, 415},
    {"BtnImages\\manual", 20, 20, 337, 118},
};
const char* const kSuffixes[] = {"_n.png", "_d.png", "_o.png"};

bool IsManual(const PictureSet& set) { return std::string(set.stem) == "BtnImages\\manual"; }

// Every picture, in every look that has it, read from a laid-out demo disc.
class DemoPictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new testing::TempFolder;
    autorun_ = (folder_->Path() / "AUTORUN").string();
    ASSERT_TRUE(WriteDemoDisc(autorun_));
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  static std::string Path(bool gaming, const PictureSet& set, const char* suffix) {
    return JoinPath(gaming ? JoinPath(autorun_, "GAMING") : autorun_,
                    std::string(set.stem) + suffix);
  }
  static std::optional<RgbaImage> Read(bool gaming, const PictureSet& set, const char* suffix) {
    const auto bytes = ReadFileBytes(Path(gaming, set, suffix));
    if (!bytes) return std::nullopt;
    return DecodePng(*bytes);
  }
  static inline testing::TempFolder* folder_ = nullptr;
  static inline std::string autorun_;
};

TEST_F(DemoPictures, EveryFileExistsWithTheButtonsSize) {
  for (bool gaming : {false, true}) {
    for (const PictureSet& set : kPictureSets) {
      for (const char* suffix : kSuffixes) {
        SCOPED_TRACE(Path(gaming, set, suffix));
        if (gaming && IsManual(set)) {
          // The menu reads the manual pictures from BtnImages\ in either look.
          EXPECT_FALSE(std::filesystem::exists(Path(gaming, set, suffix)));
          continue;
        }
        const auto picture = Read(gaming, set, suffix);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Width(), set.width);
        EXPECT_EQ(picture->Height(), set.height);
      }
    }
  }
}

// Transparent corners let the window background show round the tile; the
// middle of the button is solid.
TEST_F(DemoPictures, CornersTransparentCentreOpaque) {
  for (bool gaming : {false, true}) {
    for (const PictureSet& set : kPictureSets) {
      if (gaming && IsManual(set)) continue;
      for (const char* suffix : kSuffixes) {
        SCOPED_TRACE(Path(gaming, set, suffix));
        const auto p = Read(gaming, set, suffix);
        ASSERT_TRUE(p);
        const int r = p->Width() - 1;
        const int b = p->Height() - 1;
        for (auto [x, y] : {std::pair{0, 0}, std::pair{r, 0}, std::pair{0, b}, std::pair{r, b}})
          EXPECT_EQ(p->At(x, y), Rgba{}) << x << "," << y;
        EXPECT_EQ(p->At(p->Width() / 2, p->Height() / 2).a, 255);
        // Soft edges: each rounded corner has partly transparent pixels.
        int soft = 0;
        for (int y = 0; y < p->Height(); ++y)
          for (int x = 0; x < p->Width(); ++x) soft += p->At(x, y).a > 0 && p->At(x, y).a < 255;
        EXPECT_GE(soft, 4 * 4);
      }
    }
  }
}

// The rows and columns of a picture's fully opaque pixels: the tile, or
// the icon on a clear tile.
Rect OpaqueBounds(const RgbaImage& p) {
  Rect r{p.Width(), p.Height(), 0, 0};
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x)
      if (p.At(x, y).a == 255)
        r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
             std::max(r.bottom, y + 1)};
  return r;
}

// Mean brightness of the picture as the menu shows it, laid over a dark panel.
double Brightness(const RgbaImage& p) {
  const Rgb panel{16, 30, 54};
  double sum = 0;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      const Rgba c = p.At(x, y);
      const Rgb shown = Mix(panel, c.Colour(), c.a / 255.0);
      sum += 0.299 * shown.r + 0.587 * shown.g + 0.114 * shown.b;
    }
  }
  return sum / (p.Width() * p.Height());
}

// Pressed is darker and one pixel lower and further right; under the mouse
// the button is brighter and glows around its tile.
TEST_F(DemoPictures, StatesLookPressedAndLit) {
  for (bool gaming : {false, true}) {
    for (const PictureSet& set : kPictureSets) {
      if (gaming && IsManual(set)) continue;
      SCOPED_TRACE(Path(gaming, set, ""));
      const auto normal = Read(gaming, set, "_n.png");
      const auto pressed = Read(gaming, set, "_d.png");
      const auto hover = Read(gaming, set, "_o.png");
      ASSERT_TRUE(normal && pressed && hover);
      EXPECT_LT(Brightness(*pressed), Brightness(*normal) - 3);
      EXPECT_GT(Brightness(*hover), Brightness(*normal) + 3);
      const Rect n = OpaqueBounds(*normal);
      const Rect d = OpaqueBounds(*pressed);
      EXPECT_EQ(d.left, n.left + 1);
      EXPECT_EQ(d.top, n.top + 1);
      EXPECT_EQ(d.right, n.right + 1);
      EXPECT_EQ(d.bottom, n.bottom + 1);
      // The glow just above the tile's middle: partly transparent, in its
      // full colour (a premultiplied pixel would come out dark).
      int tileTop = 0;
      while (tileTop < set.height && normal->At(set.width / 2, tileTop).a == 0) ++tileTop;
      ASSERT_GT(tileTop, 0);
      const Rgba glow = hover->At(set.width / 2, tileTop - 1);
      EXPECT_GT(glow.a, 0);
      EXPECT_LT(glow.a, 255);
      EXPECT_GE(std::max({glow.r, glow.g, glow.b}), 200);
    }
  }
}

// The looks differ: the side, batch-install and paging pictures of the
// gaming look are red and graphite, the others blue.
TEST_F(DemoPictures, EachLookInItsColours) {
  for (const PictureSet& set : kPictureSets) {
    if (IsManual(set)) continue;
    SCOPED_TRACE(set.stem);
    for (bool gaming : {false, true}) {
      const auto p = Read(gaming, set, "_o.png");
      ASSERT_TRUE(p);
      double red = 0, blue = 0;
      for (int y = 0; y < p->Height(); ++y) {
        for (int x = 0; x < p->Width(); ++x) {
          red += p->At(x, y).r * p->At(x, y).a;
          blue += p->At(x, y).b * p->At(x, y).a;
        }
      }
      if (gaming) {
        EXPECT_GT(red, blue);
      } else {
        EXPECT_GT(blue, 1.3 * red);
      }
    }
  }
}

// Laid over the window background, each tile sits inside the panel behind
// its button (inside the panel's outline), the batch-install tile ends
// above the first item row, and the manual tiles fit the gap between the
// item list and the description.
TEST_F(DemoPictures, TilesSitOnTheirPanels) {
  struct Place {
    const char* stem;
    Rect panel;  // window pixels the visible tile must stay within
  };
  const Rect well = kSideButtonStrip.Inset(1);
  const Rect list = kListPanel.Inset(1);
  const Place places[] = {
      {"BtnImages\\MB\\256\\mb", well},
      {"BtnImages\\MB\\256\\cd", well},
      {"BtnImages\\MB\\256\\report", well},
      {"BtnImages\\MB\\256\\file", well},
      {"BtnImages\\MB\\256\\help", well},
      {"BtnImages\\MB\\256\\install", {list.left, list.top, list.right, 117}},
      {"BtnImages\\MB\\256\\prev_page", {list.left, 413, list.right, list.bottom}},
      {"BtnImages\\MB\\256\\next_page", {list.left, 413, list.right, list.bottom}},
      {"BtnImages\\manual", {kListPanel.right, 0, kDescriptionPanel.left, kBackgroundHeight}},
  };
  for (std::size_t i = 0; i < std::size(kPictureSets); ++i) {
    const PictureSet& set = kPictureSets[i];
    ASSERT_EQ(std::string(set.stem), places[i].stem);
    const int rows = IsManual(set) ? 10 : 1;
    for (const char* suffix : kSuffixes) {
      SCOPED_TRACE(std::string(set.stem) + suffix);
      const auto p = Read(false, set, suffix);
      ASSERT_TRUE(p);
      for (int row = 0; row < rows; ++row) {
        const int top = set.top + 30 * row;
        for (int y = 0; y < p->Height(); ++y) {
          for (int x = 0; x < p->Width(); ++x) {
            if (p->At(x, y).a == 0) continue;
            const int wx = set.left + x;
            const int wy = top + y;
            const Rect& r = places[i].panel;
            ASSERT_TRUE(wx >= r.left && wx < r.right && wy >= r.top && wy < r.bottom)
                << "visible at window " << wx << "," << wy << " (row " << row << ")";
          }
        }
      }
    }
  }
}

// The writer's own table agrees with the positions the menu uses.
TEST(ButtonArt, PicturesMatchTheButtons) {
  std::vector<ButtonSpec> all = SkinButtons();
  all.push_back(ManualButton());
  ASSERT_EQ(all.size(), std::size(kPictureSets));
  for (std::size_t i = 0; i < all.size(); ++i) {
    const PictureSet& set = kPictureSets[i];
    EXPECT_EQ(ButtonFileName(all[i], ButtonState::Normal), std::string(set.stem) + "_n.png");
    EXPECT_EQ(ButtonFileName(all[i], ButtonState::Pressed), std::string(set.stem) + "_d.png");
    EXPECT_EQ(ButtonFileName(all[i], ButtonState::Hover), std::string(set.stem) + "_o.png");
    EXPECT_EQ(all[i].left, set.left) << set.stem;
    EXPECT_EQ(all[i].top, set.top) << set.stem;
  }
}

}  // namespace
}  // namespace pikko::demo
