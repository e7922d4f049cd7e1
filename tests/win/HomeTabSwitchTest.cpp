// The home tab reached from other tabs: whether its promotion shows or
// accepted no page, nothing of the tab before stays on it to be pointed at,
// clicked, reached by the keyboard or found by a screen reader; and what is
// seen of it does not depend on the tab it was reached from.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app/AccessibleElements_win.h"
#include "app/AccessibleTree_win.h"
#include "platform/ScopedWin.h"
#include "promotion/Hometabpromotion.h"
#include "tests/win/FormHarness.h"
#include "tests/win/ScreenCapture.h"
#include "toolkit/Bitmap_win.h"

namespace pikko::testing {
namespace {

// The platform record the companion program leaves, which the promotion reads.
void WritePlatformRecord(const FormHarness& h) {
  const std::string windows = h.DiscFolder() + "WINDOWS";
  ::CreateDirectoryA(windows.c_str(), nullptr);
  std::ofstream(windows + "\\Zkcd_log.ini") << "[PLATFORM]\nSpecified OS=WNT_6.1P_64,English\n";
}

// A promotion on tab `tab` that accepts none of its pages: each waits for a
// product setup file the disc does not have.
std::string RefusedPromotion(int tab) {
  return "[Setting]\r\nTab=" + std::to_string(tab) + "\r\nNumber=2\r\n[HtmlPath]\r\nDefault=Pages\\\r\n"
         "[Page1]\r\nHTML=one.htm\r\nShowType=ByScript\r\nInstallPath=One\r\n"
         "[Page2]\r\nHTML=two.htm\r\nShowType=ByScript\r\nInstallPath=Two\r\n";
}

// Three tabs: 11 items on the first (two pages), one on the second and
// one on the third; each item starts "Item<n>.exe".
std::string ThreeTabs() {
  std::vector<int> tabs(11, 0);
  tabs.push_back(1);
  tabs.push_back(2);
  std::string runs;
  for (std::size_t n = 1; n <= tabs.size(); ++n)
    runs += "(" + std::to_string(n) + ")Run=Item" + std::to_string(n) + ".exe\r\n";
  return MenuIni(3, tabs, runs);
}

void Key(FormHarness& h, WPARAM vk) {
  const HWND focus = ::GetFocus();
  const HWND form = h.form->Handle();
  const HWND target = focus && (focus == form || ::IsChild(form, focus)) ? focus : form;
  ::PostMessageA(target, WM_KEYDOWN, vk, 1);
  ::PostMessageA(target, WM_KEYUP, vk, static_cast<LPARAM>(1 | (3u << 30)));
  h.Pump();
}

bool Contains(const std::vector<ZkButtonTx*>& buttons, const ZkButtonTx* b) {
  return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
}

// Nothing of an item list is there: not for the eye, the mouse, the
// keyboard or a screen reader; and nothing starts from where rows were.
void ExpectNoItemList(FormHarness& h, const std::string& what) {
  TZkAutorunForm& f = *h.form;
  for (int r = 0; r < 10; ++r) {
    EXPECT_FALSE(f.ItemRows[r]->Visible()) << what << ": row " << r;
    EXPECT_FALSE(f.EllipsisLabels[r]->Visible()) << what << ": ellipsis " << r;
    EXPECT_FALSE(f.ManualButtons[r]->Visible()) << what << ": manual " << r;
  }
  EXPECT_FALSE(f.zkbNext->Visible()) << what;
  EXPECT_FALSE(f.zkbPrevious->Visible()) << what;
  EXPECT_EQ(f.ReachableRows(), 0) << what;
  const MenuNavView view = f.NavView();
  EXPECT_FALSE(view.nextShown || view.previousShown) << what;
  const std::vector<ZkButtonTx*> ring = f.FocusableButtons();
  EXPECT_FALSE(Contains(ring, f.zkbNext) || Contains(ring, f.zkbPrevious)) << what << ": Tab ring";
  const std::vector<long> children = accessible::Children(f, CHILDID_SELF);
  EXPECT_EQ(std::count(children.begin(), children.end(), AccessibleTree::kItemList), 0) << what;
  const std::vector<ZkButtonTx*> all = f.AllButtons();
  for (const ZkButtonTx* paging : {f.zkbNext, f.zkbPrevious}) {
    const long id = AccessibleTree::ButtonId(static_cast<int>(std::find(all.begin(), all.end(), paging) - all.begin()));
    EXPECT_EQ(std::count(children.begin(), children.end(), id), 0) << what << ": " << paging->Name();
  }

  const int tab = f.SelectedTab, page = f.CurrentPage;
  const SetupItem& own = f.Model.Tabs[static_cast<std::size_t>(tab)].Items.front();
  h.Move(*f.ItemRows[0]);
  EXPECT_EQ(f.HoverRow, -1) << what << ": pointing where the first row was";
  EXPECT_NE(f.sExplain->Caption(), own.Description) << what;
  for (int r : {0, 1}) {
    // A press on the background would start moving the window: only a row
    // left there is clicked, as the user would click it.
    const POINT p = h.Centre(*f.ItemRows[r]);
    const bool row = f.ControlAt(p.x, p.y) == f.ItemRows[r];
    EXPECT_FALSE(row) << what << ": row " << r << " is under the pointer";
    if (row) h.Click(p.x, p.y);
  }
  Key(h, VK_DOWN);
  Key(h, VK_RETURN);
  Key(h, VK_NEXT);
  Key(h, VK_PRIOR);
  ::PostMessageA(f.Handle(), kAccessibleActionMessage, AccessibleTree::RowId(0), 0);
  h.Pump();
  EXPECT_TRUE(h.shell.calls.empty()) << what << ": started " << h.shell.calls.front().file;
  EXPECT_EQ(f.SelectedTab, tab) << what;
  EXPECT_EQ(f.CurrentPage, page) << what << ": the paging keys page nothing";
}

TEST(HomeTabSwitch, AHomeTabWithoutAnAcceptedPageShowsNoItems) {
  struct Case {
    const char* what;
    int homeTab;       // HomeTab.ini's Tab, counted from 1
    bool secondPage;   // the first tab on its second page before
    bool byKeyboard;   // Right instead of a click on the tab
  };
  const Case cases[] = {
      {"clicked after the first page of a tab", 2, false, false},
      {"clicked after the last page of a tab", 2, true, false},
      {"reached with Right after a row was reached", 2, false, true},
      {"the tab the menu opens on", 1, false, false},
  };
  for (const Case& c : cases) {
    FormHarness h;
    h.Disc(ThreeTabs());
    WritePlatformRecord(h);
    h.WriteFile("HomeTab\\HomeTab.ini", RefusedPromotion(c.homeTab));
    TZkAutorunForm& f = h.Start();
    ASSERT_TRUE(h.WindowShown()) << c.what;
    ASSERT_EQ(f.SelectedTab, 0) << c.what;
    ASSERT_EQ(HomeTab::Instance().HomeTabNumber(), c.homeTab) << c.what;
    ASSERT_FALSE(HomeTab::Instance().IsHomeTabWithin(f.Model.TabCount)) << c.what;
    if (c.homeTab != 1) {
      ASSERT_TRUE(f.ItemRows[0]->Visible()) << c.what;
      if (c.secondPage) h.Click(*f.zkbNext);
      if (c.byKeyboard) {
        Key(h, VK_DOWN);
        ASSERT_EQ(f.HoverRow, 0) << c.what;
        Key(h, VK_RIGHT);
      } else {
        h.Click(*f.TabCaptions[c.homeTab - 1]);
      }
      ASSERT_EQ(f.SelectedTab, c.homeTab - 1) << c.what;
    }
    EXPECT_FALSE(f.plPromotion->Visible()) << c.what;
    EXPECT_TRUE(h.messages.shown.empty()) << c.what << ": " << h.messages.shown.front().text;
    ExpectNoItemList(h, c.what);
  }
}

// The demo menu with its promotion working.
void StartDemoWithPromotion(FormHarness& h) {
  demo::TestDiscOptions options;
  options.promotion = true;
  h.Disc(demo::DemoMenuIni(), options);
  WritePlatformRecord(h);
  h.Start();
}

// The home tab reached from another tab, as the screen shows it.
Bitmap HomeLookFrom(FormHarness& h, int from, int home) {
  h.Click(*h.form->TabCaptions[from]);
  h.Click(*h.form->TabCaptions[home]);
  h.Pump(100);
  ::UpdateWindow(h.form->Handle());
  return CaptureClient(h.form->Handle());
}

int DifferingPixels(const Bitmap& a, const Bitmap& b) {
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) ++differing;
  return differing;
}

// With the demo's promotion the home tab shows its panel over the rows'
// place. The first tab's next-page button does not stay behind: it was left
// drawn over the promotion's corner, in the Tab ring, paged by Page Down
// and found by a screen reader. The home tab looks the same whichever tab
// it was reached from.
TEST(HomeTabSwitch, ThePagingButtonsOfTheTabBeforeDoNotStay) {
  FormHarness h;
  StartDemoWithPromotion(h);
  ASSERT_TRUE(h.WindowShown());
  TZkAutorunForm& f = *h.form;
  const int home = HomeTab::Instance().HomeTabNumber() - 1;
  ASSERT_TRUE(HomeTab::Instance().IsHomeTabWithin(f.Model.TabCount));
  const Bitmap fromUtilities = HomeLookFrom(h, 1, home);
  h.Click(*f.TabCaptions[0]);
  ASSERT_TRUE(f.zkbNext->Visible()) << "the drivers fill more than a page";
  const Bitmap fromDrivers = HomeLookFrom(h, 0, home);
  ASSERT_EQ(f.SelectedTab, home);
  ASSERT_TRUE(f.plPromotion->Visible());
  EXPECT_EQ(DifferingPixels(fromDrivers, fromUtilities), 0)
      << "pixels of the home tab that tell which tab came before";

  const std::vector<ZkButtonTx*> ring = f.FocusableButtons();
  EXPECT_FALSE(Contains(ring, f.zkbNext)) << "the Tab ring";
  EXPECT_FALSE(f.NavView().nextShown);
  for (std::size_t i = 0; i <= ring.size(); ++i) {
    Key(h, VK_TAB);
    EXPECT_NE(::GetFocus(), f.zkbNext->Handle()) << "Tab " << i + 1;
  }
  Key(h, VK_DOWN);
  Key(h, VK_NEXT);
  EXPECT_EQ(f.CurrentPage, 0) << "Page Down pages nothing under the promotion";
  const std::vector<long> children = accessible::Children(f, CHILDID_SELF);
  const std::vector<ZkButtonTx*> all = f.AllButtons();
  const long next = AccessibleTree::ButtonId(static_cast<int>(std::find(all.begin(), all.end(), f.zkbNext) - all.begin()));
  EXPECT_EQ(std::count(children.begin(), children.end(), next), 0) << "the screen reader's buttons";
  EXPECT_EQ(std::count(children.begin(), children.end(), AccessibleTree::kItemList), 0);
  EXPECT_TRUE(h.shell.calls.empty());

  // Back on the drivers, the list and its paging are there again.
  h.Click(*f.TabCaptions[0]);
  EXPECT_TRUE(f.ItemRows[0]->Visible());
  EXPECT_TRUE(f.zkbNext->Visible());
  EXPECT_TRUE(Contains(f.FocusableButtons(), f.zkbNext));
}

// The demo's contact tab comes right before its home tab: its page and the
// side buttons it hides do not stay, and the home tab looks as it does
// when reached from any other tab.
TEST(HomeTabSwitch, TheContactPageDoesNotStayOverThePromotion) {
  FormHarness h;
  StartDemoWithPromotion(h);
  ASSERT_TRUE(h.WindowShown());
  TZkAutorunForm& f = *h.form;
  const int home = HomeTab::Instance().HomeTabNumber() - 1;
  const int contact = home - 1;
  ASSERT_TRUE(HomeTab::Instance().IsHomeTabWithin(f.Model.TabCount));
  const Bitmap fromUtilities = HomeLookFrom(h, 1, home);
  h.Click(*f.TabCaptions[contact]);
  ASSERT_TRUE(f.plBrowser->Visible()) << "the contact page";
  const Bitmap fromContact = HomeLookFrom(h, contact, home);
  ASSERT_TRUE(f.plPromotion->Visible());
  EXPECT_FALSE(f.plBrowser->Visible());
  for (int j = 0; j < 5; ++j) EXPECT_EQ(f.SideButtons[j]->Visible(), f.Model.ButtonShown[j]) << j;
  EXPECT_EQ(DifferingPixels(fromContact, fromUtilities), 0)
      << "pixels of the home tab that tell which tab came before";
}

}  // namespace
}  // namespace pikko::testing
