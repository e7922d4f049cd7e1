// Input on the real menu window as the system queues it (posted messages):
// a double click starts a program once and turns one page; the window's
// shape is the reference shape of its skin in every look.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/FormHarness.h"
#include "tests/win/RegionReference_win.h"

namespace pikko::testing {
namespace {

// Three tabs: tab 0 with 25 items (three pages), tab 1 with a batch-install
// item and one listed item.
std::string PagedMenu() {
  std::vector<int> tabs(25, 0);
  tabs.push_back(1);
  tabs.push_back(1);
  return MenuIni(3, tabs, "") ;
}

class MenuInput : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string ini = PagedMenu();
    // Item 27 is tab 1's batch-install item.
    const std::size_t at = ini.find("ItemNumber=");
    ini.insert(at, "Support Fullkit=1\r\n");
    ini += "(27)IsZekaFullkit=1\r\n(27)Run=Kit.exe\r\n";
    h.Disc(ini);
    h.Start();
    ASSERT_TRUE(h.WindowShown());
  }
  // Press, release, the second press of a double click and its release,
  // as the system queues them for the window at the point.
  void DoubleClick(const Control& c) {
    const POINT p = h.Centre(c);
    h.Move(p.x, p.y);
    h.Post(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
    h.Post(WM_LBUTTONUP, 0, p.x, p.y);
    h.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, p.x, p.y);
    h.Post(WM_LBUTTONUP, 0, p.x, p.y);
    h.Pump(50);
  }
  FormHarness h;
};

TEST_F(MenuInput, DoubleClickOnARowStartsItsProgramOnce) {
  DoubleClick(*h.form->ItemRows[2]);
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_EQ(h.form->ItemRows[2]->Left(), 30) << "each press moved the row and each release back";
}

TEST_F(MenuInput, DoubleClickOnTheBatchInstallButtonStartsItOnce) {
  h.Click(*h.form->TabCaptions[1]);
  ASSERT_TRUE(h.form->zkbFullkit->Visible());
  DoubleClick(*h.form->zkbFullkit);
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_NE(h.shell.calls[0].file.find("Kit.exe"), std::string::npos);
}

TEST_F(MenuInput, DoubleClickOnThePagingButtonsTurnsOnePage) {
  ASSERT_TRUE(h.form->zkbNext->Visible());
  DoubleClick(*h.form->zkbNext);
  EXPECT_EQ(h.form->CurrentPage, 1);
  ASSERT_TRUE(h.form->zkbPrevious->Visible());
  DoubleClick(*h.form->zkbPrevious);
  EXPECT_EQ(h.form->CurrentPage, 0);
  EXPECT_TRUE(h.shell.calls.empty());
}

// The window region, moved back to the background's own coordinates.
HRGN WindowShape(HWND window) {
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ::GetWindowRgn(window, region);
  RECT frame;
  ::GetWindowRect(window, &frame);
  POINT client{0, 0};
  ::ClientToScreen(window, &client);
  ::OffsetRgn(region, frame.left - client.x, frame.top - client.y);
  return region;
}

TEST(MenuShape, WindowTakesTheReferenceShapeOfEveryLook) {
  struct Look {
    const char* name;
    int depth;
    bool gaming;
  } looks[] = {{"normal", 32, false}, {"16 colours", 4, false}, {"gaming", 32, true}};
  for (const Look& look : looks) {
    FormHarness h;
    demo::TestDiscOptions options;
    options.forceGaming = look.gaming;
    h.Disc(MenuIni(2, {0, 1}), options);
    TZkAutorunForm& f = h.Start("debug", look.depth);
    ASSERT_TRUE(h.WindowShown()) << look.name;
    EXPECT_EQ(f.GamingMode, look.gaming);
    Bitmap skin;
    const std::string file = f.SkinFolder + (look.depth > 4 ? "pikko256.bmp" : "pikko16.bmp");
    ASSERT_TRUE(skin.LoadFromFile(file)) << file;
    win::ScopedRegion reference(ReferenceRegion(skin, skin.TransparentColor()));
    win::ScopedRegion shape(WindowShape(f.Handle()));
    EXPECT_TRUE(::EqualRgn(shape.Get(), reference.Get())) << look.name;
  }
}

}  // namespace
}  // namespace pikko::testing
