// The window chrome and the skinned buttons' places: the minimise and close
// images' three states, where the batch-install and paging pictures go,
// buttons sized by their artwork, and a background that exists but cannot
// be read.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "demo/Png.h"
#include "tests/win/FormHarness.h"

namespace pikko::testing {
namespace {

bool SamePicture(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

TEST(Chrome, MinimiseAndCloseShowUpOverAndDown) {
  FormHarness h;
  h.Disc(MenuIni(2, {0, 1}));
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  struct Step {
    const char* what;
    std::function<void()> act;
    const Bitmap& minimise;
    const Bitmap& close;
    int hover;
  } steps[] = {
      {"at rest", [] {}, f.imgMiniUp, f.imgCloseUp, -1},
      {"over minimise", [&] { h.Move(*f.imgMinimize); }, f.imgMiniOver, f.imgCloseUp, 0},
      {"pressed on minimise", [&] { h.Press(h.Centre(*f.imgMinimize).x, h.Centre(*f.imgMinimize).y); },
       f.imgMiniDown, f.imgCloseUp, 0},
      {"over close (button held: nothing changes)",
       [&] {
         // Dragged off and released elsewhere: no click, no minimising.
         h.Move(h.Centre(*f.imgClose).x, h.Centre(*f.imgClose).y, MK_LBUTTON);
         h.Release(h.Centre(*f.imgClose).x, h.Centre(*f.imgClose).y);
       },
       f.imgMiniDown, f.imgCloseUp, 0},
      {"over close", [&] { h.Move(*f.imgClose); }, f.imgMiniUp, f.imgCloseOver, 1},
      {"pressed on close", [&] { h.Press(h.Centre(*f.imgClose).x, h.Centre(*f.imgClose).y); },
       f.imgMiniUp, f.imgCloseDown, 1},
      {"back on the background",
       [&] {
         h.Release(345, 250);
         h.Move(345, 250);
       },
       f.imgMiniUp, f.imgCloseUp, -1},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_TRUE(SamePicture(f.imgMinimize->Picture(), s.minimise)) << s.what;
    EXPECT_TRUE(SamePicture(f.imgClose->Picture(), s.close)) << s.what;
    EXPECT_EQ(f.HoverChrome, s.hover) << s.what;
  }
  EXPECT_FALSE(SamePicture(f.imgMiniUp, f.imgMiniOver)) << "the states look different";
}

TEST(Chrome, SkinnedButtonsTakeTheirPlacesAndTheirArtworksSize) {
  FormHarness h;
  h.Disc(MenuIni(2, std::vector<int>(12, 0)));
  // Artwork of another size than the form's 50 x 45.
  demo::RgbaImage big(60, 40, demo::Rgba{200, 40, 40, 255});
  std::ofstream(h.ProgramFolder() + "BtnImages\\MB\\256\\mb_n.png", std::ios::binary)
      << demo::EncodePng(big);
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  struct Place {
    const ZkButtonTx* button;
    int left, top;
  } places[] = {{f.zkbFullkit, 28, 73}, {f.zkbPrevious, 175, 415}, {f.zkbNext, 28, 415},
                {f.SideButtons[0], 362, 66}, {f.SideButtons[4], 582, 66}};
  for (const Place& p : places) {
    EXPECT_EQ(p.button->Left(), p.left) << p.button->Name();
    EXPECT_EQ(p.button->Top(), p.top) << p.button->Name();
    EXPECT_FALSE(p.button->IsBitmapEmpty(0)) << p.button->Name();
  }
  EXPECT_EQ(f.SideButtons[0]->Width(), 60) << "sized by its raised picture";
  EXPECT_EQ(f.SideButtons[0]->Height(), 40);
  RECT r;
  ::GetWindowRect(f.SideButtons[0]->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 60) << "and so is its hit area";
  // The composited picture carries the background behind the button where
  // the artwork is transparent, and the artwork where it is opaque.
  EXPECT_EQ(f.SideButtons[0]->GetBitmap(0).Pixel(10, 10), RGB(200, 40, 40));
  // No disabled picture: disabled, the raised one shows.
  f.SideButtons[1]->SetEnabled(false);
  EXPECT_EQ(f.SideButtons[1]->GetCurrentBitmap(), 3);
  EXPECT_EQ(f.SideButtons[1]->StateImage().State(), 0);
  // The "Install Now" button has the form's pictures and transparent colour.
  EXPECT_EQ(f.zkbADInstall->Width(), 108);
  EXPECT_EQ(f.zkbADInstall->Height(), 27);
  EXPECT_EQ(f.zkbADInstall->TransparentColor(), 0xD16525u);
  for (int state = 0; state < 3; ++state) EXPECT_FALSE(f.zkbADInstall->IsBitmapEmpty(state));
}

TEST(Chrome, UnreadableBackgroundIsNotReportedAsMissing) {
  FormHarness h;
  h.Disc(MenuIni(1, {0}));
  h.WriteFile("pikko256.bmp", "BM this is no bitmap");
  h.Start();
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text.rfind("PIKKO256.bmp cannot be read: ", 0), 0u)
      << h.messages.shown[0].text;
  EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconError);
  EXPECT_TRUE(Application::Instance().Terminated());
  EXPECT_FALSE(h.WindowShown());
}

}  // namespace
}  // namespace pikko::testing
