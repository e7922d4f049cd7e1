// The menu window built over temporary discs: start-up failures, the waiting
// start through the registry, the pinned size, the tab bar and item list.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "tests/win/FormHarness.h"

namespace pikko::testing {

std::string MenuIni(int tabs, const std::vector<int>& itemTabs, const std::string& extra) {
  std::string ini = "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n[TABS_INFO]\r\nNUM=" +
                    std::to_string(tabs) + "\r\nNOCONTACT=1\r\n";
  for (int t = 0; t < tabs; ++t) ini += "TAB" + std::to_string(t) + "=Tab " + std::to_string(t) + "\r\n";
  ini += "[BUTTONS]\r\nButton0=Report\r\nButton1=Folder\r\nButton2=Support\r\nButton3=Files\r\n"
         "Button4=Help\r\n";
  ini += "[SETUP_ITEM]\r\nCD_Title=Test Disc\r\nCD_Description=First@@Second\r\nItemNumber=" +
         std::to_string(itemTabs.size()) + "\r\n";
  for (std::size_t i = 0; i < itemTabs.size(); ++i) {
    const std::string n = "(" + std::to_string(i + 1) + ")";
    ini += n + "Tab=" + std::to_string(itemTabs[i]) + "\r\n";
    ini += n + "Title=Item " + std::to_string(i + 1) + "\r\n";
    ini += n + "Description=About item " + std::to_string(i + 1) + "\r\n";
  }
  return ini + extra;
}

namespace {

constexpr char kCaption[] = "AutoRun - Pikko.exe";

TEST(AutorunForm, StartsOnTheFirstTab) {
  FormHarness h;
  h.Disc(MenuIni(3, {0, 0, 1}));
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_EQ(f.SelectedTab, 0);
  EXPECT_TRUE(f.ItemRows[0]->Visible());
  EXPECT_EQ(f.ItemRows[0]->Caption(), "Item 1");
  EXPECT_TRUE(f.ItemRows[1]->Visible());
  EXPECT_FALSE(f.ItemRows[2]->Visible());
  EXPECT_EQ(f.sExplain->Caption(), "First\nSecond");
  EXPECT_EQ(f.lblTitleBar->Caption(), "Test Disc");
  EXPECT_EQ(Application::Instance().Title(), "Test Disc");
  for (int t = 0; t < 6; ++t) EXPECT_EQ(f.TabCaptions[t]->Visible(), t < 3) << t;
  EXPECT_TRUE(f.Image1->Enabled());
  EXPECT_FALSE(f.lblWaiting->Visible());
  EXPECT_FALSE(Application::Instance().Terminated());

  // The minimise and close images explain themselves in a tooltip.
  ASSERT_NE(f.HintWindow(), nullptr);
  EXPECT_EQ(::SendMessageA(f.HintWindow(), TTM_GETTOOLCOUNT, 0, 0), 2);
  const Image* images[] = {f.imgMinimize, f.imgClose};
  const char* hints[] = {"Minimize the window", "Close this application"};
  for (int i = 0; i < 2; ++i) {
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = f.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(images[i]);
    tool.lpszText = text;
    ::SendMessageA(f.HintWindow(), TTM_GETTEXTA, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, hints[i]);
  }
}

// Every start-up failure: its exact message, and no menu afterwards.
TEST(AutorunForm, FatalStartsShowTheirMessageAndNoMenu) {
  struct Case {
    const char* what;
    std::string ini;  // empty: no menu file
    demo::TestDiscOptions options;
    int depth;
    std::string message;  // "<path>" stands for the menu file's path
    unsigned icon;
    const char* caption;
  };
  demo::TestDiscOptions no256;
  no256.background256 = false;
  const Case cases[] = {
      {"no 256-colour background", MenuIni(1, {0}), no256, 32, "PIKKO256.bmp not found.",
       mb::IconError, kCaption},
      {"no 16-colour background", MenuIni(1, {0}), {}, 4, "PIKKO16.BMP not found.",
       mb::IconError, kCaption},
      {"no menu file", "", {}, 32, "<path> not found...", mb::IconError, kCaption},
      {"NUM missing", "[TABS_INFO]\r\n[SETUP_ITEM]\r\nItemNumber=1\r\n(1)Tab=0\r\n", {}, 32,
       "Wrong NUM in TABS_INFO!", mb::IconError, kCaption},
      {"no items", MenuIni(2, {}), {}, 32, "No items supporting this Operating System",
       mb::IconInformation, kCaption},
      {"batch-install item on a bad tab", MenuIni(2, {0, 7}, "(2)IsZekaFullkit=1\r\n"), {}, 32,
       "Incorrect value: (2)Tab", mb::IconError, kCaption},
  };
  for (const Case& c : cases) {
    FormHarness h;
    h.Disc(c.ini, c.options);
    if (c.ini.empty()) ::DeleteFileA((h.ProgramFolder() + "zkcd_dbg.ini").c_str());
    if (c.depth == 4) ::DeleteFileA((h.ProgramFolder() + "pikko16.bmp").c_str());
    TZkAutorunForm& f = h.Start("debug", c.depth);
    std::string expected = c.message;
    if (expected.rfind("<path>", 0) == 0) expected = h.ProgramFolder() + "zkcd_dbg.ini" + expected.substr(6);
    ASSERT_EQ(h.messages.shown.size(), 1u) << c.what;
    EXPECT_EQ(h.messages.shown[0].text, expected) << c.what;
    EXPECT_EQ(h.messages.shown[0].caption, c.caption) << c.what;
    EXPECT_EQ(h.messages.shown[0].style & 0xF0, c.icon) << c.what;
    EXPECT_TRUE(Application::Instance().Terminated()) << c.what;
    EXPECT_FALSE(h.WindowShown()) << c.what;
    EXPECT_EQ(f.SelectedTab, -1) << c.what;
  }
}

// A skin file that every skin must have is an error of the disc: it is shown
// by the application's error display and the program ends.
TEST(AutorunForm, MissingTabBitmapEndsTheStart) {
  FormHarness h;
  h.Disc(MenuIni(1, {0}));
  ::DeleteFileA((h.ProgramFolder() + "MainTab\\tab01_up.bmp").c_str());
  h.Start();
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_NE(h.messages.shown[0].text.find("tab01_up.bmp"), std::string::npos);
  EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconError);
  EXPECT_TRUE(Application::Instance().Terminated());
  EXPECT_FALSE(h.WindowShown());
}

TEST(AutorunForm, WarningsLetTheStartGoOn) {
  FormHarness h;
  h.Disc(MenuIni(2, {0, -2, 1}, "[COLORS]\r\nTitleMouseUp=1,2\r\nTitleMouseMove=0,0,0\r\n"));
  TZkAutorunForm& f = h.Start();
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[0].text, "Incorrect RGB value in [COLORS]: 1,2");
  EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconWarning);
  EXPECT_EQ(h.messages.shown[1].text, "Incorrect value of (2)Tab");
  EXPECT_TRUE(h.WindowShown());
  EXPECT_EQ(f.ItemColorUp, 0xF1F3D7u);  // kept
  EXPECT_EQ(f.ItemColorMove, 0u);       // applied
  EXPECT_EQ(f.Model.Tabs[0].Items.size(), 1u);
}

TEST(AutorunForm, SixteenColourSkinSitsAtTheTopLeft) {
  FormHarness h;
  h.Disc(MenuIni(2, {0}));
  TZkAutorunForm& f = h.Start("debug", 4);
  ASSERT_TRUE(h.WindowShown());
  RECT r;
  ::GetWindowRect(f.Handle(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, -20);
  EXPECT_EQ(f.ItemColorUp, 0x800000u);
  EXPECT_EQ(f.TabCaptions[0]->GetFont().Style().colour, 0x000000u);  // selected
  EXPECT_EQ(f.TabCaptions[1]->GetFont().Style().colour, 0x808080u);
}

TEST(AutorunForm, ForceGamingTakesTheGamingSkin) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.forceGaming = true;
  h.Disc(MenuIni(1, {0}), options);
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  EXPECT_TRUE(f.GamingMode);
  EXPECT_EQ(f.SkinFolder, h.ProgramFolder() + "GAMING\\");
  EXPECT_EQ(f.ItemColorUp, 0xB9B9B9u);
  EXPECT_EQ(f.sExplain->GetFont().Style().colour, 0x8D8D8Du);
  EXPECT_EQ(f.lblTitleBar->Left(), 54);
  EXPECT_EQ(f.sExplain->Top(), 128);
}

// The window never takes another size than 660 x 512.
TEST(AutorunForm, SizeIsPinned) {
  FormHarness h;
  h.Disc(MenuIni(1, {0}));
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  auto size = [&] {
    RECT r;
    ::GetWindowRect(f.Handle(), &r);
    return std::make_pair(static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
  };
  EXPECT_EQ(size(), std::make_pair(660, 512));
  ::SetWindowPos(f.Handle(), nullptr, 10, 10, 800, 600, SWP_NOZORDER);
  h.Pump();
  EXPECT_EQ(size(), std::make_pair(660, 512));
  ::MoveWindow(f.Handle(), 0, 0, 100, 100, TRUE);
  EXPECT_EQ(size(), std::make_pair(660, 512));
  ::ShowWindow(f.Handle(), SW_MAXIMIZE);
  h.Pump();
  EXPECT_EQ(size(), std::make_pair(660, 512));
}

TEST(AutorunForm, PagingAtTenAndElevenItems) {
  FormHarness h;
  h.Disc(MenuIni(2, std::vector<int>(10, 0)) );
  TZkAutorunForm& ten = h.Start();
  EXPECT_FALSE(ten.zkbNext->Visible());
  EXPECT_FALSE(ten.zkbPrevious->Visible());
  EXPECT_TRUE(ten.ItemRows[9]->Visible());

  FormHarness h2;
  h2.Disc(MenuIni(2, std::vector<int>(11, 0)));
  TZkAutorunForm& f = h2.Start();
  ASSERT_TRUE(f.zkbNext->Visible());
  h2.Click(*f.zkbNext);
  EXPECT_EQ(f.CurrentPage, 1);
  EXPECT_EQ(f.ItemRows[0]->Caption(), "Item 11");
  EXPECT_TRUE(f.ItemRows[0]->Visible());
  EXPECT_FALSE(f.ItemRows[1]->Visible());
  EXPECT_TRUE(f.zkbPrevious->Visible());
  EXPECT_FALSE(f.zkbNext->Visible());
  h2.Click(*f.zkbPrevious);
  EXPECT_EQ(f.CurrentPage, 0);
  EXPECT_EQ(f.ItemRows[0]->Caption(), "Item 1");
  EXPECT_TRUE(f.ItemRows[9]->Visible());
}

// Hover shows the description and a raised frame; a press shifts the row;
// moving with the button held changes nothing.
TEST(AutorunForm, RowHoverAndPress) {
  FormHarness h;
  h.Disc(MenuIni(2, {0, 0, 0}));
  TZkAutorunForm& f = h.Start();
  h.Move(*f.ItemRows[1]);
  EXPECT_EQ(f.HoverRow, 1);
  EXPECT_EQ(f.sExplain->Caption(), "About item 2");
  EXPECT_TRUE(f.RowFrames[1]->Visible());
  EXPECT_EQ(f.ItemRows[1]->GetFont().Style().colour, f.ItemColorMove);

  const int left = f.ItemRows[1]->Left();
  h.Press(h.Centre(*f.ItemRows[1]).x, h.Centre(*f.ItemRows[1]).y);
  EXPECT_EQ(f.ItemRows[1]->Left(), left + 5);
  EXPECT_FALSE(f.RowFrames[1]->Raised());
  h.Move(h.Centre(*f.ItemRows[2]).x, h.Centre(*f.ItemRows[2]).y, MK_LBUTTON);
  EXPECT_EQ(f.HoverRow, 1);
  h.Release(h.Centre(*f.ItemRows[1]).x, h.Centre(*f.ItemRows[1]).y);
  EXPECT_EQ(f.ItemRows[1]->Left(), left);
  EXPECT_FALSE(f.RowFrames[1]->Visible());

  // The background brings back the disc's description.
  h.Move(500, 440);
  EXPECT_EQ(f.HoverRow, -1);
  EXPECT_EQ(f.sExplain->Caption(), "First\nSecond");
}

// A title up to 300 pixels shows whole; a wider one is cut with ". . ." and
// unfolds to two lines under the mouse, pushing the next row down by 8.
TEST(AutorunForm, LongTitlesAreCutAndUnfold) {
  // Titles measured in the rows' font, just under and just over the limit.
  Font font;
  FontStyle style;
  style.height = 13;
  style.bold = true;
  font.SetStyle(style);
  std::string fits = "Driver";
  while (MeasureText(font, fits + "x") <= 300) fits += "x";
  std::string over = fits + "x";
  ASSERT_LE(MeasureText(font, fits), 300);
  ASSERT_GT(MeasureText(font, over), 300);

  FormHarness h;
  // The first of duplicate keys counts: the titles replace the generated ones.
  std::string ini = MenuIni(1, {0, 0, 0});
  ini.replace(ini.find("(1)Title=Item 1"), 15, "(1)Title=" + fits);
  ini.replace(ini.find("(2)Title=Item 2"), 15, "(2)Title=" + over);
  h.Disc(ini);
  TZkAutorunForm& f = h.Start();
  EXPECT_FALSE(f.EllipsisLabels[0]->Visible());
  EXPECT_EQ(f.ItemRows[0]->Width(), 300);
  EXPECT_TRUE(f.EllipsisLabels[1]->Visible());
  EXPECT_EQ(f.ItemRows[1]->Width(), 280);

  const int nextTop = f.ItemRows[2]->Top();
  h.Move(*f.ItemRows[0]);
  EXPECT_EQ(f.ItemRows[0]->Height(), 18);  // fits: no unfolding
  h.Move(*f.ItemRows[1]);
  EXPECT_EQ(f.ItemRows[1]->Height(), 36);
  EXPECT_EQ(f.ItemRows[1]->Width(), 300);
  EXPECT_FALSE(f.EllipsisLabels[1]->Visible());
  EXPECT_EQ(f.RowFrames[1]->Height(), 40);
  EXPECT_EQ(f.ItemRows[2]->Top(), nextTop + 8);
  h.Move(500, 440);
  EXPECT_EQ(f.ItemRows[1]->Height(), 18);
  EXPECT_TRUE(f.EllipsisLabels[1]->Visible());
  EXPECT_EQ(f.ItemRows[2]->Top(), nextTop);
}

TEST(AutorunForm, TabSwitchAndContactTab) {
  FormHarness h;
  std::string ini = MenuIni(4, {0, 1, 1});
  ini.replace(ini.find("NOCONTACT=1"), 11, "NOCONTACT=0");
  h.Disc(ini);
  TZkAutorunForm& f = h.Start();
  h.Click(*f.TabCaptions[1]);
  EXPECT_EQ(f.SelectedTab, 1);
  EXPECT_EQ(f.ItemRows[0]->Caption(), "Item 2");
  EXPECT_EQ(f.TabCaptions[1]->GetFont().Style().colour, f.TabColorDown);
  EXPECT_EQ(f.TabCaptions[0]->GetFont().Style().colour, f.TabColorUp);

  // Clicking the selected tab again does nothing, not even a return to page 0.
  f.CurrentPage = 3;
  h.Click(*f.TabCaptions[1]);
  EXPECT_EQ(f.CurrentPage, 3);
  f.CurrentPage = 0;

  h.Click(*f.TabCaptions[3]);  // the last tab is the contact tab
  EXPECT_EQ(f.SelectedTab, 3);
  EXPECT_TRUE(f.plBrowser->Visible());
  EXPECT_TRUE(::IsWindowVisible(f.plBrowser->Handle()));
  EXPECT_FALSE(f.sExplain->Visible());
  for (ZkButtonTx* b : f.SideButtons) EXPECT_FALSE(b->Visible());
  for (Label* row : f.ItemRows) EXPECT_FALSE(row->Visible());

  h.Click(*f.TabCaptions[2]);  // a tab without items
  EXPECT_FALSE(f.plBrowser->Visible());
  EXPECT_TRUE(f.SideButtons[0]->Visible());
  EXPECT_FALSE(f.ItemRows[0]->Visible());
  EXPECT_EQ(f.sExplain->Caption(), f.Model.NoItemText);
}

TEST(AutorunForm, SideButtonsCloseGapsAndTabsHover) {
  FormHarness h;
  std::string ini = MenuIni(2, {0});
  ini.replace(ini.find("Button1=Folder"), 14, "Button1=-");
  h.Disc(ini);
  TZkAutorunForm& f = h.Start();
  EXPECT_EQ(f.SideButtons[0]->Left(), 362);
  EXPECT_FALSE(f.SideButtons[1]->Visible());
  EXPECT_EQ(f.SideButtons[2]->Left(), 472 - 55);
  EXPECT_EQ(f.SideButtons[3]->Left(), 527 - 55);
  EXPECT_EQ(f.SideButtons[4]->Left(), 582 - 55);
  for (int j : {0, 2, 3, 4}) EXPECT_TRUE(f.SideButtons[j]->Visible()) << j;
  for (int j = 0; j < 5; ++j) EXPECT_EQ(f.SideButtons[j]->Top(), 66) << j;

  h.Move(*f.TabImages[1]);
  EXPECT_EQ(f.HoverTab, 1);
  EXPECT_FALSE(f.TabImages[1]->Picture().Empty());
  h.Move(500, 440);
  EXPECT_EQ(f.HoverTab, -1);
  EXPECT_TRUE(f.TabImages[1]->Picture().Empty());
}

class RegistryResult {
 public:
  RegistryResult() { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
  ~RegistryResult() { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
  void Set(DWORD value) {
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                                nullptr),
              ERROR_SUCCESS);
    win::ScopedRegKey key(raw);
    ::RegSetValueExA(key.Get(), "Result", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof value);
  }
  static constexpr const char* kKey = "Software\\ZEKA\\Autorun";
};

// The waiting start polls the registry every 10 ms until the companion
// program says 1 (give up) or 2 (ready); any other value leaves it waiting.
TEST(AutorunForm, WaitingStartThroughTheRegistry) {
  {
    RegistryResult reg;
    reg.Set(0);
    FormHarness h;
    h.Disc("");
    h.WindowsMenu(MenuIni(2, {0}));
    TZkAutorunForm& f = h.Start("-waiting -M_WB");
    EXPECT_TRUE(h.WindowShown());
    EXPECT_TRUE(f.lblWaiting->Visible());
    EXPECT_TRUE(f.lblWaiting_2->Visible());
    EXPECT_FALSE(f.Image1->Enabled());
    EXPECT_EQ(f.BoardType, "WB");
    h.Pump(100);
    EXPECT_EQ(f.SelectedTab, -1);
    EXPECT_TRUE(f.tmrPooling.Enabled());
    reg.Set(2);
    h.Pump(100);
    EXPECT_EQ(f.SelectedTab, 0);
    EXPECT_FALSE(f.lblWaiting->Visible());
    EXPECT_TRUE(f.Image1->Enabled());
    EXPECT_FALSE(f.tmrPooling.Enabled());
    EXPECT_FALSE(Application::Instance().Terminated());
  }
  {
    RegistryResult reg;
    reg.Set(1);
    FormHarness h;
    h.Disc(MenuIni(2, {0}));
    h.Start("-WAITING");
    h.Pump(100);
    EXPECT_TRUE(Application::Instance().Terminated());
    EXPECT_TRUE(h.messages.shown.empty());
  }
  {
    RegistryResult reg;
    reg.Set(5);
    FormHarness h;
    h.Disc(MenuIni(2, {0}));
    TZkAutorunForm& f = h.Start("-waiting");
    h.Pump(100);
    EXPECT_FALSE(f.tmrPooling.Enabled());
    EXPECT_TRUE(f.lblWaiting->Visible());
    EXPECT_EQ(f.SelectedTab, -1);
    EXPECT_FALSE(Application::Instance().Terminated());
  }
  {
    // The key without its value: an error of the registry read, shown by the
    // application's error display; polling stops.
    RegistryResult reg;
    reg.Set(0);
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, RegistryResult::kKey, "Result");
    FormHarness h;
    h.Disc(MenuIni(2, {0}));
    TZkAutorunForm& f = h.Start("-waiting");
    h.Pump(100);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconError);
    EXPECT_FALSE(f.tmrPooling.Enabled());
    EXPECT_TRUE(f.lblWaiting->Visible());
    EXPECT_FALSE(Application::Instance().Terminated());
  }
  {
    RegistryResult reg;  // no key at all
    FormHarness h;
    h.Disc(MenuIni(2, {0}));
    h.Start("-waiting");
    h.Pump(100);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "Can't open Registry key.");
    EXPECT_EQ(h.messages.shown[0].caption, kCaption);
    EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconError);
    EXPECT_EQ(h.messages.shown[0].owner, nullptr);
    EXPECT_TRUE(Application::Instance().Terminated());
  }
}

}  // namespace
}  // namespace pikko::testing
