// The window-free rules of the skinned controls and shapes: text colours per
// state, check-box substitution and cycling, bar positions, appearance
// folders, and the pixel runs a shape is cut from.
#include <gtest/gtest.h>

#include <random>

#include "Component/ZkFontColors.h"
#include "Component/ZkLogic.h"
#include "Graphics/RegionRuns.h"

namespace pikko {
namespace {

constexpr TColor kFont = 0xFF0000, kNavy = 0x800000, kBlue2 = 0xFF0001;

TEST(SkinRulesTest, TextColourFollowsTheRequestedState) {
  ZkThreeStateFontColor set;
  set.SetSunken(kNavy);
  set.SetFocused(kBlue2);
  set.SetDisabled(0x123456);
  const ZkThreeStateFontColor unset;
  struct Row {
    int state;
    const ZkThreeStateFontColor& colours;
    TColor expected;
  } rows[] = {
      {0, set, kFont},   {1, set, kNavy},   {2, set, kBlue2},   {3, set, 0x123456},
      {7, set, kFont},   {-1, set, kFont},  {1, unset, kFont},  {2, unset, kFont},
      {3, unset, kSystemGrayText},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ButtonTextColour(r.state, kFont, r.colours), r.expected) << "state " << r.state;

  ZkTwoStateFontColor brick;
  brick.SetFocused(kNavy);
  EXPECT_EQ(BrickTextColour(0, kFont, brick), kFont);
  EXPECT_EQ(BrickTextColour(1, kFont, brick), kNavy);
  EXPECT_EQ(BrickTextColour(2, kFont, brick), kSystemGrayText);
  EXPECT_EQ(BrickTextColour(3, kFont, brick), kFont);
  EXPECT_TRUE(IsSystemColour(kSystemGrayText));
  EXPECT_FALSE(IsSystemColour(kColourUnset));
}

TEST(SkinRulesTest, FontColoursTellOnlyRealChangesAndAssignOnce) {
  ZkThreeStateFontColor a, b;
  int changes = 0;
  a.OnChange = [&] { ++changes; };
  a.SetSunken(kNavy);
  a.SetSunken(kNavy);
  a.SetFocused(kColourUnset);  // already unset
  EXPECT_EQ(changes, 1);
  int assigned = 0;
  b.OnChange = [&] { ++assigned; };
  a.AssignTo(b);
  EXPECT_EQ(assigned, 1);
  EXPECT_EQ(b.Sunken(), kNavy);
  EXPECT_EQ(b.Disabled(), kColourUnset);
}

TEST(SkinRulesTest, CheckBoxSubstitutesAndCycles) {
  const int substitutes[12] = {0, 0, 0, 0, 0, 4, 4, 4, 0, 8, 8, 8};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(CheckBoxSubstitute(i), substitutes[i]) << i;
  EXPECT_EQ(CheckBoxLookIndex(CheckState::Checked, 2), 6);
  EXPECT_EQ(CheckBoxLookIndex(CheckState::Grayed, 2), 10);
  using S = CheckState;
  EXPECT_EQ(NextCheckState(S::Unchecked, false), S::Checked);
  EXPECT_EQ(NextCheckState(S::Checked, false), S::Unchecked);
  EXPECT_EQ(NextCheckState(S::Unchecked, true), S::Grayed);
  EXPECT_EQ(NextCheckState(S::Grayed, true), S::Checked);
  EXPECT_EQ(NextCheckState(S::Checked, true), S::Unchecked);
}

TEST(SkinRulesTest, BarIndicatorAndDragLimits) {
  EXPECT_EQ(IndicatorStart(50, 9, 0), 46);
  EXPECT_EQ(IndicatorStart(50, 9, 20), 66);
  EXPECT_EQ(IndicatorStart(0, 9, 0), -4);  // truncated toward zero
  EXPECT_EQ(DraggedPosition(0, 30, 20), 20);
  EXPECT_EQ(DraggedPosition(5, -30, 20), 0);
  EXPECT_EQ(DraggedPosition(5, 3, 20), 8);
  EXPECT_EQ(DraggedPosition(5, 3, -1), 0) << "clamped to Length first, then to 0";
}

TEST(SkinRulesTest, AppearanceFolderGetsOneSeparator) {
  EXPECT_EQ(AppearanceFolder("BtnImages"), "BtnImages\\");
  EXPECT_EQ(AppearanceFolder("BtnImages\\"), "BtnImages\\");
  EXPECT_EQ(AppearanceFolder("D:"), "D:");
}

// A 24-bit image from rows of letters: '.' the key colour, anything else
// another colour; '1' differs from the key in one byte only.
struct Picture {
  PixelBuffer buffer;
  explicit Picture(const std::vector<std::string>& rows, int bpp = 24)
      : buffer(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), bpp) {
    PixelView v = buffer.View();
    for (int y = 0; y < v.height; ++y) {
      for (int x = 0; x < v.width; ++x) {
        std::uint8_t* p = v.At(x, y);
        const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
        p[0] = 0x30;  // the key is blue 0x30, green 0x20, red 0x10
        p[1] = 0x20;
        p[2] = c == '.' || c == '1' ? 0x10 : 0xEE;
        if (c == '1') p[1] = 0x21;
      }
    }
  }
};
constexpr TColor kKey = MakeColour(0x10, 0x20, 0x30);

TEST(SkinRulesTest, TransparentRunsAreExactRowsOfTheKeyColour) {
  struct Row {
    const char* name;
    std::vector<std::string> rows;
    std::vector<PixelRun> runs;
  } rows[] = {
      {"corners cut", {".##.", "####"}, {{0, 0, 1}, {0, 3, 4}}},
      {"one-pixel hole", {"###", "#.#", "###"}, {{1, 1, 2}}},
      {"whole row is one run", {"###", "...", "###"}, {{1, 0, 3}}},
      {"run up to the right edge", {"#...", "####"}, {{0, 1, 4}}},
      {"one byte off stays", {"#1#", "###"}, {}},
      {"no key colour", {"##", "##"}, {}},
  };
  for (const Row& r : rows) {
    Picture p(r.rows);
    EXPECT_EQ(TransparentRuns(p.buffer.View(), kKey), r.runs) << r.name;
    Picture p32(r.rows, 32);
    EXPECT_EQ(TransparentRuns(p32.buffer.View(), kKey), r.runs) << r.name << " at 32 bits";
  }
  Picture p({".#"});
  EXPECT_EQ(TransparentRuns(p.buffer.View(), kKey | 0x02000000u).size(), 1u)
      << "the top byte of the colour is ignored";
  EXPECT_TRUE(TransparentRuns(ConstPixelView(), kKey).empty());
}

TEST(SkinRulesTest, OpaqueAndTransparentRunsTileEveryRow) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    const int w = 1 + static_cast<int>(random() % 40), h = 1 + static_cast<int>(random() % 5);
    std::vector<std::string> rows(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '#'));
    for (auto& row : rows)
      for (char& c : row) c = random() % 3 == 0 ? '.' : '#';
    Picture p(rows);
    std::vector<std::string> seen(rows.size(), std::string(static_cast<std::size_t>(w), '?'));
    for (const PixelRun& r : TransparentRuns(p.buffer.View(), kKey))
      for (int x = r.left; x < r.right; ++x) seen[static_cast<std::size_t>(r.y)][static_cast<std::size_t>(x)] = '.';
    for (const PixelRun& r : OpaqueRuns(p.buffer.View(), kKey))
      for (int x = r.left; x < r.right; ++x) {
        char& c = seen[static_cast<std::size_t>(r.y)][static_cast<std::size_t>(x)];
        EXPECT_EQ(c, '?') << "runs overlap";
        c = '#';
      }
    EXPECT_EQ(seen, rows);
  }
}

}  // namespace
}  // namespace pikko
