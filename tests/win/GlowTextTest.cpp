// The glowing caption drawn with GDI: outside the letters every pixel is
// the skin with the halo (computed by the reference filter from the same
// font) blended over it, so halo pixels in the glow colour lie around the
// letters and none far away; the letters are on top; nothing leaves the
// rectangle or the clip; the halo is reused until what it depends on
// changes; the plain and glow layouts measure alike.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "Graphics/GlowFilter.h"
#include "Graphics/Graphicutility_win.h"
#include "Graphics/TLayout.h"
#include "platform/ScopedWin.h"
#include "toolkit/Bitmap_win.h"

namespace pikko {
namespace {

constexpr int kWidth = 140, kHeight = 40;
constexpr UINT kFormat = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;

// A skin to draw on: a memory dc over a 24-bit gradient.
struct Canvas {
  Canvas() : dc(::CreateCompatibleDC(nullptr)) {
    bitmap.Create(kWidth, kHeight, 24);
    const PixelView v = bitmap.View();
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        std::uint8_t* p = v.At(x, y);
        p[0] = static_cast<std::uint8_t>(200 - x);
        p[1] = static_cast<std::uint8_t>(100 + y);
        p[2] = static_cast<std::uint8_t>(x);
      }
    select.emplace(dc.Get(), bitmap.Handle());
  }
  TColor At(int x, int y) {
    ::GdiFlush();
    return bitmap.View().Colour(x, y);
  }
  PixelBuffer Pixels() {
    ::GdiFlush();
    PixelBuffer out;
    CopyCanvasRect(bitmap.View(), {0, 0, kWidth, kHeight}, out);
    return out;
  }
  Bitmap bitmap;
  win::ScopedMemoryDc dc;
  std::optional<win::ScopedSelect> select;
};

win::ScopedFont TitleFont() {
  return win::ScopedFont(::CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                       DEFAULT_QUALITY, 0, "Tahoma"));
}

// The glowing caption as a label draws it: the glow layout with the glow's
// parameters over the dc, the font and the text colour selected into it.
void DrawCaption(HDC dc, const RECT& rect, const std::string& caption, HFONT font, TColor colour,
                 UINT format, const GlowParameters& glow, GlowHaloCache* cache = nullptr) {
  TOuterGlowTextLayout layout(cache);
  layout.GlowAlphaValue = glow.GlowAlphaValue;
  layout.GlowColor = glow.GlowColor;
  layout.GlowRadius = glow.GlowRadius;
  layout.GlowSpread = glow.GlowSpread;
  ::SelectObject(dc, font);
  ::SetTextColor(dc, colour & 0xFFFFFF);
  layout.DrawText(dc, caption, rect, format);
}

// The letters' grey levels and the reference halo for a caption in rect.
struct Reference {
  LevelMap levels;
  PixelBuffer halo;
};
Reference MakeReference(const std::string& caption, HFONT font, RECT rect,
                        const GlowParameters& glow) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  Bitmap mask;
  mask.Create(w, h, 32);
  win::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  {
    win::ScopedSelect s1(dc.Get(), mask.Handle());
    win::ScopedSelect s2(dc.Get(), font);
    ::SetTextColor(dc.Get(), RGB(255, 255, 255));
    ::SetBkMode(dc.Get(), TRANSPARENT);
    RECT r{0, 0, w, h};
    ::DrawTextA(dc.Get(), caption.c_str(), -1, &r, kFormat);
    ::GdiFlush();
  }
  Reference ref;
  ref.levels = GreyLevels(mask.View());
  ApplyOuterGlowFilterReference(mask.View(), glow);
  ref.halo = PixelBuffer(w, h, 32);
  for (int y = 0; y < h; ++y)
    std::memcpy(ref.halo.View().Row(y), mask.View().Row(y), std::size_t(w) * 4);
  return ref;
}

bool InkNear(const LevelMap& levels, int x, int y, int d2) {
  for (int j = 0; j < levels.height; ++j)
    for (int i = 0; i < levels.width; ++i)
      if (levels.At(i, j) != 0 && (i - x) * (i - x) + (j - y) * (j - y) <= d2) return true;
  return false;
}

TEST(GlowCaption, HaloAroundTheLettersTextOnTopNothingOutside) {
  const TColor glowColour = RGB(255, 255, 0);
  struct Case {
    const char* name;
    std::string caption;
    RECT rect;
    std::uint8_t alpha;
    RECT clip;  // the dc's clip
  };
  const Case cases[] = {
      {"row", "Audio Driver", {10, 8, 130, 32}, 255, {0, 0, kWidth, kHeight}},
      {"cut by the rectangle", "Audio Driver", {6, 12, 50, 26}, 255, {0, 0, kWidth, kHeight}},
      {"half opaque", "LAN", {20, 0, 80, 40}, 128, {0, 0, kWidth, kHeight}},
      {"invisible halo", "LAN", {20, 0, 80, 40}, 0, {0, 0, kWidth, kHeight}},
      {"clipped", "Audio Driver", {10, 8, 130, 32}, 255, {0, 0, 50, kHeight}},
  };
  const win::ScopedFont font = TitleFont();
  for (const Case& c : cases) {
    Canvas canvas;
    const PixelBuffer before = canvas.Pixels();
    GlowParameters glow;
    glow.GlowColor = glowColour;
    glow.GlowAlphaValue = c.alpha;
    ::IntersectClipRect(canvas.dc.Get(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
    DrawCaption(canvas.dc.Get(), c.rect, c.caption, font.Get(), RGB(0, 0, 0), kFormat, glow);

    const Reference ref = MakeReference(c.caption, font.Get(), c.rect, glow);
    PixelBuffer expected;
    CopyCanvasRect(before.View(), {c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}, expected);
    AlphaBlend(ref.halo.View(), expected.View());

    int glowing = 0, distant = 0, ink = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const TColor now = canvas.At(x, y), was = before.View().Colour(x, y);
        const POINT pt{x, y};
        if (!::PtInRect(&c.rect, pt) || !::PtInRect(&c.clip, pt)) {
          ASSERT_EQ(now, was) << c.name << " outside at " << x << "," << y;
          continue;
        }
        const int lx = x - c.rect.left, ly = y - c.rect.top;
        const std::uint8_t level = ref.levels.At(lx, ly);
        if (level == 0) {
          ASSERT_EQ(now, expected.View().Colour(lx, ly)) << c.name << " at " << x << "," << y;
          glowing += now == glowColour;
          if (!InkNear(ref.levels, lx, ly, 9)) {
            ++distant;
            ASSERT_EQ(now, was) << c.name << " halo far from the letters at " << x << "," << y;
          }
        } else if (level == 255) {
          ++ink;
          ASSERT_EQ(now, RGB(0, 0, 0)) << c.name << " letter at " << x << "," << y;
        }
      }
    EXPECT_GT(ink, 10) << c.name;
    EXPECT_GT(distant, 0) << c.name;
    if (c.alpha == 255) {
      EXPECT_GT(glowing, 20) << c.name;
    } else {
      EXPECT_EQ(glowing, 0) << c.name;
    }
  }
}

TEST(GlowCaption, EmptyCaptionOrRectangleDrawsNothing) {
  const win::ScopedFont font = TitleFont();
  for (const auto& [caption, rect] : {std::pair<std::string, RECT>{"", {0, 0, 100, 20}},
                                      {"LAN", {10, 10, 10, 30}},
                                      {"LAN", {10, 10, 40, 5}}}) {
    Canvas canvas;
    const PixelBuffer before = canvas.Pixels();
    DrawCaption(canvas.dc.Get(), rect, caption, font.Get(), 0, kFormat, GlowParameters{});
    const PixelBuffer after = canvas.Pixels();
    for (int y = 0; y < kHeight; ++y)
      ASSERT_EQ(std::memcmp(before.View().Row(y), after.View().Row(y), kWidth * 3), 0) << caption;
  }
}

bool Same(const PixelBuffer& a, const PixelBuffer& b) {
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.View().Row(y), b.View().Row(y), std::size_t(a.Width()) * 3) != 0)
      return false;
  return true;
}

PixelBuffer DrawnOnce(const std::string& caption, RECT rect, TColor text,
                      const GlowParameters& glow, HFONT font) {
  Canvas canvas;
  DrawCaption(canvas.dc.Get(), rect, caption, font, text, kFormat, glow);
  return canvas.Pixels();
}

TEST(GlowCaption, HaloIsKeptUntilWhatItDependsOnChanges) {
  const win::ScopedFont font = TitleFont();
  const win::ScopedFont other(::CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                            DEFAULT_QUALITY, 0, "Tahoma"));
  GlowHaloCache cache;
  GlowParameters glow;
  struct Step {
    const char* name;
    std::string caption;
    RECT rect;
    TColor text;
    TColor glowColour;
    HFONT font;
    unsigned builds;  // after the step
  };
  const Step steps[] = {
      {"first paint", "Chipset", {5, 5, 105, 30}, 0, 0x00FFFF, font.Get(), 1},
      {"again", "Chipset", {5, 5, 105, 30}, 0, 0x00FFFF, font.Get(), 1},
      {"hover colour", "Chipset", {5, 5, 105, 30}, RGB(200, 0, 0), 0x00FFFF, font.Get(), 1},
      {"moved", "Chipset", {25, 9, 125, 34}, 0, 0x00FFFF, font.Get(), 1},
      {"glow colour", "Chipset", {25, 9, 125, 34}, 0, 0x533B0D, font.Get(), 2},
      {"text", "Chipset Driver", {25, 9, 125, 34}, 0, 0x533B0D, font.Get(), 3},
      {"size", "Chipset Driver", {25, 9, 126, 34}, 0, 0x533B0D, font.Get(), 4},
      {"font", "Chipset Driver", {25, 9, 126, 34}, 0, 0x533B0D, other.Get(), 5},
  };
  for (const Step& s : steps) {
    glow.GlowColor = s.glowColour;
    Canvas canvas;
    DrawCaption(canvas.dc.Get(), s.rect, s.caption, s.font, s.text, kFormat, glow, &cache);
    EXPECT_EQ(cache.Builds(), s.builds) << s.name;
    EXPECT_TRUE(Same(canvas.Pixels(), DrawnOnce(s.caption, s.rect, s.text, glow, s.font)))
        << s.name << ": a kept halo draws as a fresh one";
  }
}

TEST(TextLayouts, GlowLayoutDrawsWideAsNarrowAndMeasuresAsThePlainOne) {
  const win::ScopedFont font = TitleFont();
  TOuterGlowTextLayout glow;
  glow.GlowColor = RGB(0, 255, 0);

  Canvas narrow, wide;
  for (Canvas* c : {&narrow, &wide}) {
    ::SelectObject(c->dc.Get(), font.Get());
    ::SetTextColor(c->dc.Get(), RGB(0, 0, 0));
  }
  const RECT rect{4, 4, 120, 36};
  glow.DrawText(narrow.dc.Get(), "Realtek LAN", rect, kFormat);
  glow.DrawTextW(wide.dc.Get(), L"Realtek LAN", rect, kFormat);
  EXPECT_TRUE(Same(narrow.Pixels(), wide.Pixels()));
  EXPECT_EQ(glow.HaloCache().Builds(), 2u);  // narrow and wide are told apart

  TTextLayout plain;
  RECT measured{0, 0, 300, 20}, glowMeasured{0, 0, 300, 20}, system{0, 0, 300, 20};
  plain.CalcRect(narrow.dc.Get(), "Realtek LAN", measured, kFormat);
  glow.CalcRect(narrow.dc.Get(), "Realtek LAN", glowMeasured, kFormat);
  ::DrawTextA(narrow.dc.Get(), "Realtek LAN", -1, &system, kFormat | DT_CALCRECT);
  EXPECT_TRUE(::EqualRect(&measured, &system));
  EXPECT_TRUE(::EqualRect(&glowMeasured, &system));
  EXPECT_GT(system.right, 20);
  EXPECT_LT(system.right, 300);
}

}  // namespace
}  // namespace pikko
