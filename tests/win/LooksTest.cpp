// The three looks of the menu on screen (normal, 16 colours through the
// depth seam, gaming through "ForceGaming"): the background's own pixels, a
// glowing row computed with the reference filter from the same font, and a
// side button's picture as the PNG blended over the background.
#include <windows.h>

#include <gtest/gtest.h>

#include "Graphics/GlowFilter.h"
#include "Graphics/TLayout.h"
#include "tests/win/FormHarness.h"
#include "tests/win/ScreenCapture.h"
#include "Graphics/PngImage_win.h"

namespace pikko::testing {
namespace {

int Distance(TColor a, TColor b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

// Keeps a screenshot beside the build for people to look at.
void SaveBmp(const Bitmap& b, const std::string& path) {
  const int stride = b.Stride();
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = b.Width();
  info.biHeight = -b.Height();
  info.biPlanes = 1;
  info.biBitCount = 24;
  const DWORD bytes = static_cast<DWORD>(stride * b.Height());
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(b.ScanLine(0), 1, bytes, out);
  std::fclose(out);
}

// A piece of a bitmap.
Bitmap Piece(const Bitmap& from, const RECT& r) {
  PixelBuffer part;
  CopyCanvasRect(from.View(), PixelRect{r.left, r.top, r.right, r.bottom}, part);
  Bitmap out;
  out.CopyFrom(part.View());
  return out;
}

// Share of the pixels of expected that the shot shows at (left, top).
double Matching(const Bitmap& shot, int left, int top, const Bitmap& expected, int tolerance = 12) {
  int same = 0, all = 0;
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x, ++all)
      if (Distance(shot.Pixel(left + x, top + y), expected.Pixel(x, y)) <= tolerance) ++same;
  return all ? static_cast<double>(same) / all : 0.0;
}

// The row as it must look: the background under it, the halo of its letters
// from the reference filter blended over it, the letters on top.
struct ExpectedRow {
  Bitmap pixels;
  Bitmap plain;        // the same without the halo
  int haloPixels = 0;  // pixels the halo touches that no letter covers
};

void DrawLetters(Bitmap& on, const ZkOuterGlowLabel& row, TColor colour, UINT format) {
  BitmapCanvas dc(on);
  win::ScopedSelect font(dc.Dc(), row.GetFont().Handle());
  ::SetBkMode(dc.Dc(), TRANSPARENT);
  ::SetTextColor(dc.Dc(), colour);
  RECT all{0, 0, on.Width(), on.Height()};
  ::DrawTextA(dc.Dc(), row.Caption().c_str(), -1, &all, format);
  ::GdiFlush();
}

ExpectedRow RenderRow(const TZkAutorunForm& f, const ZkOuterGlowLabel& row) {
  const RECT r = row.BoundsRect();
  const int w = r.right - r.left, h = r.bottom - r.top;
  const UINT format = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE;
  Bitmap mask;
  mask.Create(w, h, 32);
  {
    BitmapCanvas dc(mask);
    win::ScopedSelect font(dc.Dc(), row.GetFont().Handle());
    ::SetBkMode(dc.Dc(), TRANSPARENT);
    ::SetTextColor(dc.Dc(), RGB(255, 255, 255));
    RECT all{0, 0, w, h};
    ::DrawTextA(dc.Dc(), row.Caption().c_str(), -1, &all, format);
    ::GdiFlush();
  }
  const LevelMap ink = GreyLevels(mask.View());
  const GlowParameters glow = row.Layout().Parameters();
  ApplyOuterGlowFilterReference(mask.View(), glow);
  ExpectedRow out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (mask.View().At(x, y)[3] != 0 && ink.At(x, y) == 0) ++out.haloPixels;
  out.pixels = Piece(f.Image1->Picture(), r);
  out.plain = Piece(f.Image1->Picture(), r);
  AlphaBlend(mask.View(), out.pixels.View(), 255);
  DrawLetters(out.pixels, row, row.GetFont().Style().colour, format);
  DrawLetters(out.plain, row, row.GetFont().Style().colour, format);
  return out;
}

TEST(Looks, EachLookShowsItsSkinGlowAndButtons) {
  struct Look {
    const char* name;
    int depth;
    bool gaming;
  } looks[] = {{"normal", 32, false}, {"16 colours", 4, false}, {"gaming", 32, true}};
  for (const Look& look : looks) {
    FormHarness h;
    demo::TestDiscOptions options;
    options.forceGaming = look.gaming;
    h.Disc(MenuIni(2, {0, 0, 1}), options);
    TZkAutorunForm& f = h.Start("debug", look.depth);
    ASSERT_TRUE(h.WindowShown()) << look.name;
    ::SetForegroundWindow(f.Handle());
    f.Update();
    h.Pump(300);
    const Bitmap shot = CaptureClient(f.Handle());
    SaveBmp(shot, BuildPath(std::string("look-") + (look.gaming ? "gaming" : look.depth == 4 ? "16" : "normal") + ".bmp"));
    const Bitmap& skin = f.Image1->Picture();

    // The background where no control lies.
    int same = 0;
    const POINT free[] = {{345, 200}, {345, 300}, {350, 420}, {200, 445}, {500, 445}};
    for (const POINT& p : free) same += Distance(shot.Pixel(p.x, p.y), skin.Pixel(p.x, p.y)) <= 12;
    EXPECT_EQ(same, 5) << look.name;

    // The first row glows in the look's colour.
    EXPECT_EQ(f.ItemRows[0]->GlowColor(), f.GlowColor) << look.name;
    const ExpectedRow row = RenderRow(f, *f.ItemRows[0]);
    EXPECT_GT(row.haloPixels, 50) << look.name;
    EXPECT_GE(Matching(shot, f.ItemRows[0]->Left(), f.ItemRows[0]->Top(), row.pixels), 0.98)
        << look.name;
    // Where the halo visibly changes the skin, the screen shows the halo.
    int visible = 0, shown = 0;
    for (int y = 0; y < row.pixels.Height(); ++y)
      for (int x = 0; x < row.pixels.Width(); ++x) {
        if (Distance(row.pixels.Pixel(x, y), row.plain.Pixel(x, y)) <= 24) continue;
        ++visible;
        const TColor seen = shot.Pixel(f.ItemRows[0]->Left() + x, f.ItemRows[0]->Top() + y);
        shown += Distance(seen, row.pixels.Pixel(x, y)) < Distance(seen, row.plain.Pixel(x, y));
      }
    EXPECT_GT(visible, 30) << look.name << ": the glow must show on this skin";
    EXPECT_GE(shown * 100, visible * 95) << look.name;

    // The system report button: its PNG blended over the background.
    const ZkButtonTx& button = *f.SideButtons[0];
    Bitmap png, blended;
    const std::string prefix = look.gaming ? "GAMING\\" : "";
    ASSERT_TRUE(LoadPngFile(f.ProgramFolder + prefix + "BtnImages\\MB\\256\\mb_n.png", png));
    ASSERT_TRUE(CompositeOver(skin, button.Left(), button.Top(), png, blended));
    if (look.depth == 4) {
      // A 16-colour display shows the nearest of its colours.
      blended.SetPixelFormat(4);
      blended.SetPixelFormat(24);
    }
    EXPECT_GE(Matching(shot, button.Left(), button.Top(), blended), 0.98) << look.name;
  }
}

}  // namespace
}  // namespace pikko::testing
