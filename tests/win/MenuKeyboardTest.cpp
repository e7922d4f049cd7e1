// The demo menu driven by the keyboard alone, as the system queues keys for
// the window with the focus (posted messages): tabs, rows, descriptions,
// pages, starts, the buttons' focus ring, the focus mark and the mouse
// taking over again.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <stdexcept>

#include "app/MenuConfig.h"
#include "app/RowFocusMark_win.h"
#include "tests/win/FormHarness.h"

namespace pikko::testing {
namespace {

constexpr unsigned kCtrl = 1, kShift = 2;

class MenuKeyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    demo::TestDiscOptions options;
    options.promotion = true;
    h.Disc(demo::DemoMenuIni(), options);
    // The platform record the disc's companion program leaves in the
    // Windows folder, which the home tab reads.
    const std::string windows = h.DiscFolder() + "WINDOWS";
    ::CreateDirectoryA(windows.c_str(), nullptr);
    std::ofstream(windows + "\\Zkcd_log.ini") << "[PLATFORM]\nSpecified OS=WNT_6.1P_64,English\n";
    h.Start();
    ASSERT_TRUE(h.WindowShown());
  }
  void TearDown() override { SetModifiers(0); }

  static void SetModifiers(unsigned mods) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = (mods & kCtrl) ? 0x80 : 0;
    state[VK_SHIFT] = (mods & kShift) ? 0x80 : 0;
    ::SetKeyboardState(state);
  }
  // The window that gets keys: the focused one when it is the menu's.
  HWND KeyTarget() const {
    const HWND focus = ::GetFocus();
    const HWND form = h.form->Handle();
    return focus && (focus == form || ::IsChild(form, focus)) ? focus : form;
  }
  // A key pressed and released, with Ctrl and Shift as given.
  void Press(unsigned vk, unsigned mods = 0) {
    SetModifiers(mods);
    const UINT scan = ::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    const HWND target = KeyTarget();
    ::PostMessageA(target, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
    ::PostMessageA(target, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
    h.Pump();
    SetModifiers(0);
  }
  std::string Description() const { return h.form->sExplain->Caption(); }
  static const demo::DemoItem& Item(const std::string& title) {
    for (const demo::DemoItem& item : demo::DemoItems()) {
      if (item.title == title) return item;
    }
    throw std::runtime_error("no demo item " + title);
  }
  // The part of the started program's path that names the item: its folder
  // and file, or the batch installer told the item's number.
  static std::string Started(const demo::DemoItem& item) {
    if (item.dependency != "0xff") return "Fullkit.exe";
    const std::string program = demo::ItemProgram(item);
    const std::size_t cut = program.rfind('\\', program.rfind('\\') - 1);
    return program.substr(cut + 1);
  }
  FormHarness h;
};

TEST_F(MenuKeyboard, KeySequencesOverTheDemoMenu) {
  struct Step {
    const char* keys;  // what is pressed, for the message
    std::vector<std::pair<unsigned, unsigned>> press;
    int tab, page, row;
    const char* hovered;  // the hovered row's title; nullptr: none
    const char* started;  // the item whose program starts; nullptr: none
  };
  const Step steps[] = {
      {"Ctrl+Tab from the home tab wraps to the first", {{VK_TAB, kCtrl}}, 0, 0, -1, nullptr, nullptr},
      {"Down", {{VK_DOWN, 0}}, 0, 0, 0, "Chipset Driver", nullptr},
      {"Down onto the long title", {{VK_DOWN, 0}}, 0, 0, 1,
       "Audio Driver with Microphone Noise Suppression and Room Tuning", nullptr},
      {"Enter", {{VK_RETURN, 0}}, 0, 0, 1, "Audio Driver with Microphone Noise Suppression and Room Tuning",
       "Audio Driver with Microphone Noise Suppression and Room Tuning"},
      {"Up", {{VK_UP, 0}}, 0, 0, 0, "Chipset Driver", nullptr},
      {"End", {{VK_END, 0}}, 0, 0, 9, "Wi-Fi 6 Wireless LAN Driver", nullptr},
      {"Page Down", {{VK_NEXT, 0}}, 0, 1, 0, "Card Reader Driver", nullptr},
      {"Down Down Down stops at the last row", {{VK_DOWN, 0}, {VK_DOWN, 0}, {VK_DOWN, 0}}, 0, 1, 2,
       "Trusted Platform Module Driver", nullptr},
      {"Enter", {{VK_RETURN, 0}}, 0, 1, 2, "Trusted Platform Module Driver",
       "Trusted Platform Module Driver"},
      {"Page Down on the last page", {{VK_NEXT, 0}}, 0, 1, 2, "Trusted Platform Module Driver", nullptr},
      {"Page Up", {{VK_PRIOR, 0}}, 0, 0, 0, "Chipset Driver", nullptr},
      {"Right", {{VK_RIGHT, 0}}, 1, 0, -1, nullptr, nullptr},
      {"Down Enter", {{VK_DOWN, 0}, {VK_RETURN, 0}}, 1, 0, 0, "System Monitor", "System Monitor"},
      {"Left", {{VK_LEFT, 0}}, 0, 0, -1, nullptr, nullptr},
      {"Left on the first tab", {{VK_LEFT, 0}}, 0, 0, -1, nullptr, nullptr},
      {"Right Right Up Enter", {{VK_RIGHT, 0}, {VK_RIGHT, 0}, {VK_UP, 0}, {VK_RETURN, 0}}, 2, 0, 3,
       "Disc Burning Suite", "Disc Burning Suite"},
      {"Ctrl+Tab Home Enter", {{VK_TAB, kCtrl}, {VK_HOME, 0}, {VK_RETURN, 0}}, 3, 0, 0,
       "Motherboard User's Guide", "Motherboard User's Guide"},
      {"Right: the contact tab has no rows", {{VK_RIGHT, 0}, {VK_DOWN, 0}, {VK_RETURN, 0}}, 4, 0, -1,
       nullptr, nullptr},
      {"Right: the home tab", {{VK_RIGHT, 0}, {VK_DOWN, 0}}, 5, 0, -1, nullptr, nullptr},
      {"Right on the last tab", {{VK_RIGHT, 0}}, 5, 0, -1, nullptr, nullptr},
      {"Ctrl+Shift+Tab", {{VK_TAB, kCtrl | kShift}}, 4, 0, -1, nullptr, nullptr},
  };
  TZkAutorunForm& f = *h.form;
  for (const Step& s : steps) {
    const std::size_t startsBefore = h.shell.calls.size();
    for (const auto& [vk, mods] : s.press) Press(vk, mods);
    EXPECT_EQ(f.SelectedTab, s.tab) << s.keys;
    EXPECT_EQ(f.CurrentPage, s.page) << s.keys;
    EXPECT_EQ(f.HoverRow, s.row) << s.keys;
    if (s.hovered) {
      ASSERT_GE(f.HoverRow, 0) << s.keys;
      EXPECT_EQ(f.ItemRows[f.HoverRow]->Caption(), s.hovered) << s.keys;
      EXPECT_EQ(Description(), ExpandLineBreaks(Item(s.hovered).description)) << s.keys;
      EXPECT_TRUE(f.RowFrames[f.HoverRow]->Visible()) << s.keys << ": the mouse's highlight";
    }
    if (s.started) {
      ASSERT_EQ(h.shell.calls.size(), startsBefore + 1) << s.keys;
      EXPECT_NE(h.shell.calls.back().file.find(Started(Item(s.started))), std::string::npos)
          << s.keys << ": " << h.shell.calls.back().file;
    } else {
      EXPECT_EQ(h.shell.calls.size(), startsBefore) << s.keys;
    }
  }
  EXPECT_TRUE(h.messages.shown.empty()) << h.messages.shown.front().text;
}

TEST_F(MenuKeyboard, EveryItemOfTheDemoStartsFromTheKeyboardAlone) {
  TZkAutorunForm& f = *h.form;
  std::set<std::string> started;
  Press(VK_TAB, kCtrl);  // from the home tab to the first
  for (int tab = 0; tab < f.Model.TabCount; ++tab) {
    ASSERT_EQ(f.SelectedTab, tab);
    for (;;) {
      Press(VK_HOME);
      for (int row = 0; f.HoverRow == row; ++row) {
        const std::size_t before = h.shell.calls.size();
        const std::string title = f.ItemRows[row]->Caption();
        Press(VK_RETURN);
        ASSERT_EQ(h.shell.calls.size(), before + 1) << title;
        EXPECT_NE(h.shell.calls.back().file.find(Started(Item(title))), std::string::npos) << title;
        started.insert(title);
        Press(VK_DOWN);
      }
      if (!f.zkbNext->Visible()) break;
      Press(VK_NEXT);
    }
    // The batch install: Tab reaches its button first, Enter presses it.
    if (f.zkbFullkit->Visible()) {
      const std::size_t before = h.shell.calls.size();
      Press(VK_TAB);
      EXPECT_EQ(::GetFocus(), f.zkbFullkit->Handle()) << tab;
      Press(VK_RETURN);
      ASSERT_EQ(h.shell.calls.size(), before + 1) << tab;
      EXPECT_NE(h.shell.calls.back().file.find("Fullkit.exe"), std::string::npos);
      for (const demo::DemoItem& item : demo::DemoItems()) {
        if (item.fullkit && item.tab == tab) started.insert(item.title);
      }
    }
    Press(VK_RIGHT);
  }
  EXPECT_EQ(f.SelectedTab, f.Model.TabCount - 1) << "every tab reached";
  for (const demo::DemoItem& item : demo::DemoItems()) {
    if (item.hidden) continue;
    EXPECT_EQ(started.count(item.title), 1u) << item.title;
  }
}

TEST_F(MenuKeyboard, TabGoesRoundTheShownButtonsWhichSpaceAndEnterPress) {
  TZkAutorunForm& f = *h.form;
  Press(VK_TAB, kCtrl);
  ASSERT_EQ(f.SelectedTab, 0);
  // The batch install, the five side buttons and the next page, in
  // reading order; then the window again.
  std::vector<ZkButtonTx*> ring = {f.zkbFullkit};
  ring.insert(ring.end(), f.SideButtons.begin(), f.SideButtons.end());
  ring.push_back(f.zkbNext);
  ASSERT_EQ(f.FocusableButtons(), ring);
  for (ZkButtonTx* b : ring) {
    Press(VK_TAB);
    ASSERT_EQ(::GetFocus(), b->Handle()) << b->Name();
    EXPECT_EQ(b->GetCurrentBitmap(), 2) << b->Name() << ": the focused look";
    // Buttons that describe themselves under the pointer do so for the
    // keyboard; the others leave the description alone, as hovering does.
    if (b->OnMouseMove) {
      EXPECT_EQ(Description(), f.ButtonHoverText(*b)) << b->Name();
    }
    EXPECT_FALSE(f.KeyboardFocusMark->Visible());
  }
  Press(VK_TAB);
  EXPECT_EQ(::GetFocus(), f.Handle()) << "after the last button, the window";
  Press(VK_TAB, kShift);
  EXPECT_EQ(::GetFocus(), f.zkbNext->Handle()) << "Shift+Tab goes back";
  EXPECT_EQ(ring.front()->GetCurrentBitmap(), 0) << "a button left behind is at rest again";

  // Enter on the next-page button pages as its click does.
  Press(VK_RETURN);
  EXPECT_EQ(f.CurrentPage, 1);
  // Space presses the help button: the help file opens.
  while (::GetFocus() != f.SideButtons[4]->Handle()) {
    Press(VK_TAB);
    ASSERT_NE(::GetFocus(), f.Handle()) << "the help button is in the ring";
  }
  const std::size_t before = h.shell.calls.size();
  Press(VK_SPACE);
  ASSERT_EQ(h.shell.calls.size(), before + 1);
  EXPECT_NE(h.shell.calls.back().file.find("PCHelper.chm"), std::string::npos);
  // An arrow brings the focus back to the rows.
  Press(VK_DOWN);
  EXPECT_EQ(::GetFocus(), f.Handle());
  EXPECT_EQ(f.HoverRow, 0);
}

TEST_F(MenuKeyboard, FocusMarkFollowsTheKeyboardAndTheMouseTakesOver) {
  TZkAutorunForm& f = *h.form;
  Press(VK_TAB, kCtrl);
  Press(VK_DOWN);
  Press(VK_DOWN);
  ASSERT_EQ(f.HoverRow, 1);
  ASSERT_TRUE(f.KeyboardFocusMark->Visible());
  RECT mark = f.KeyboardFocusMark->BoundsRect(), frame = f.RowFrames[1]->BoundsRect();
  RECT inside;
  EXPECT_TRUE(::IntersectRect(&inside, &mark, &frame) && ::EqualRect(&inside, &frame))
      << "the mark lies around the unfolded row's frame";

  // The mouse moves onto another row: its hover, and no mark.
  h.Move(*f.ItemRows[4]);
  EXPECT_EQ(f.HoverRow, 4);
  EXPECT_FALSE(f.KeyboardFocusMark->Visible());
  // The keyboard goes on from the mouse's row.
  Press(VK_DOWN);
  EXPECT_EQ(f.HoverRow, 5);
  EXPECT_TRUE(f.KeyboardFocusMark->Visible());
  // A move the system makes up under the resting pointer changes nothing.
  h.Move(*f.ItemRows[4]);
  EXPECT_EQ(f.HoverRow, 5);
  EXPECT_TRUE(f.KeyboardFocusMark->Visible());
  // A press at the resting pointer belongs to the row under the pointer,
  // not to the keyboard's row.
  const POINT p = h.Centre(*f.ItemRows[4]);
  h.Press(p.x, p.y);
  h.Release(p.x, p.y);
  h.Pump();
  EXPECT_EQ(f.HoverRow, 4);
  EXPECT_FALSE(f.KeyboardFocusMark->Visible());
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_NE(h.shell.calls[0].file.find(Started(Item("USB 3.2 Host Controller Driver"))),
            std::string::npos);
}

}  // namespace

std::string TwoDriversMenu() {
  return "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n"
         "[TABS_INFO]\r\nNUM=1\r\nNOCONTACT=1\r\nTAB0=Drivers\r\n"
         "[SETUP_ITEM]\r\nCD_Title=Test Disc\r\nCD_Description=Two drivers\r\nItemNumber=2\r\n"
         "(1)Tab=0\r\n(1)Title=Chipset Driver with the Management Engine Interface and Serial IO\r\n"
         "(1)Description=The chipset\r\n(1)Path=One\r\n(1)Run=Setup.exe\r\n"
         "(2)Tab=0\r\n(2)Title=Audio Driver\r\n(2)Description=The audio\r\n(2)Path=Two\r\n"
         "(2)Run=Setup.exe\r\n";
}

namespace {

// Down marks the first row while the pointer rests on the background just
// below the second row, which the unfolded first row moves under it. The
// system reports a move there between Down and Enter (the window had no
// move from the resting pointer yet, or has one again): that is no movement
// and Enter starts the marked row. Only a real movement of the mouse takes
// the row over, and Enter then starts the row the mouse's highlight shows.
TEST(MenuKeyboardPointer, EnterStartsTheMarkedRowWhateverTheSystemReportsOfARestingPointer) {
  struct Case {
    const char* what;
    bool seenBefore;    // the window had the resting pointer's move before Down
    bool movedToRow2;   // the mouse really moves onto the second row after Down
    const char* started;
    int markedRow;      // -1: no focus mark, the mouse's highlight
  };
  const Case cases[] = {
      {"first report of a pointer resting where the window opened", false, false, "One\\Setup.exe", 0},
      {"another report of a pointer the window saw resting", true, false, "One\\Setup.exe", 0},
      {"the mouse moved onto the second row", false, true, "Two\\Setup.exe", -1},
  };
  for (const Case& c : cases) {
    FormHarness h;
    h.Disc(TwoDriversMenu());
    TZkAutorunForm& f = h.Start();
    ASSERT_TRUE(h.WindowShown()) << c.what;
    const POINT rest{200, f.ItemRows[1]->Top() + f.ItemRows[1]->Height() + 4};
    ASSERT_EQ(f.ControlAt(rest.x, rest.y), f.Image1) << c.what << ": the background";
    POINT screen = rest;
    ::ClientToScreen(f.Handle(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    if (c.seenBefore) {
      h.Move(rest.x, rest.y);
      h.Pump();
    } else {
      // The window has had no move from the resting pointer yet: the
      // system's report of it comes after the key.
      MSG queued;
      while (::PeekMessageA(&queued, f.Handle(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
      }
    }

    ::PostMessageA(f.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    h.Pump();
    EXPECT_EQ(f.HoverRow, 0) << c.what << ": Down marks the first row";
    if (f.HoverRow == 0) {
      ASSERT_EQ(f.ControlAt(rest.x, rest.y), f.ItemRows[1])
          << c.what << ": the second row moved under the pointer";
    }
    if (c.movedToRow2) {
      h.Move(*f.ItemRows[1]);
    } else {
      h.Move(rest.x, rest.y);
    }

    if (c.markedRow >= 0) {
      EXPECT_EQ(f.HoverRow, c.markedRow) << c.what;
      EXPECT_TRUE(f.KeyboardFocusMark->Visible()) << c.what;
      RECT mark = f.KeyboardFocusMark->BoundsRect(), frame = f.RowFrames[c.markedRow]->BoundsRect();
      RECT both;
      EXPECT_TRUE(::IntersectRect(&both, &mark, &frame) && ::EqualRect(&both, &frame))
          << c.what << ": the mark lies around the row";
    } else {
      EXPECT_FALSE(f.KeyboardFocusMark->Visible()) << c.what;
      EXPECT_TRUE(f.RowFrames[1]->Visible()) << c.what << ": the mouse's highlight";
    }
    ::PostMessageA(f.Handle(), WM_KEYDOWN, VK_RETURN, 1);
    h.Pump();
    ASSERT_EQ(h.shell.calls.size(), 1u) << c.what;
    EXPECT_NE(h.shell.calls[0].file.find(c.started), std::string::npos)
        << c.what << ": " << h.shell.calls[0].file;
  }
}

// With the demo's advertisements the first tab shows a page instead of its
// rows: its "Install Now" button is in the ring and starts the tab's first
// item.
TEST(MenuKeyboardAds, InstallNowIsReachedAndPressedFromTheKeyboard) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.promotion = true;
  options.vendorAds = true;
  h.Disc(demo::DemoMenuIni(), options);
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  f.imgTitle0Click(*f.TabImages[0]);
  h.Pump();
  ASSERT_TRUE(f.plAD->Visible());
  EXPECT_EQ(f.HoverRow, -1) << "no rows to go to under the page";
  const std::vector<ZkButtonTx*> ring = f.FocusableButtons();
  ASSERT_FALSE(ring.empty());
  EXPECT_EQ(ring.back(), f.zkbADInstall);
  for (std::size_t i = 0; i < ring.size(); ++i) {
    ::PostMessageA(::GetFocus() ? ::GetFocus() : f.Handle(), WM_KEYDOWN, VK_TAB, 1);
    h.Pump();
  }
  ASSERT_EQ(::GetFocus(), f.zkbADInstall->Handle());
  ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  h.Pump();
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_NE(h.shell.calls[0].file.find("Chipset\\Setup.exe"), std::string::npos)
      << h.shell.calls[0].file;
}

}  // namespace
}  // namespace pikko::testing
