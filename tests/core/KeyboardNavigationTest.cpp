// The menu's keys: what each does to the tabs, the rows, the paging and the
// focus ring in the situations a user meets, and when the mouse takes over.
#include "app/KeyboardNavigation.h"

#include <gtest/gtest.h>

namespace pikko {
namespace {

using C = NavCommand;

// Six tabs, tab 1 selected, a page of 10 rows (more pages both ways) and
// four buttons; the window has the focus, no row hovered.
MenuNavView Menu() {
  MenuNavView v;
  v.tabs = {0, 1, 2, 3, 4, 5};
  v.selectedTab = 1;
  v.rowCount = 10;
  v.nextShown = v.previousShown = true;
  v.buttonCount = 4;
  return v;
}

NavKeyPress Key(NavKey k, bool ctrl = false, bool shift = false) {
  NavKeyPress p;
  p.key = k;
  p.ctrl = ctrl;
  p.shift = shift;
  return p;
}

TEST(KeyboardNavigation, KeysGiveTheCommandsOfTheMouse) {
  struct Case {
    const char* what;
    MenuNavView view;
    NavKeyPress press;
    NavCommands expected;
  };
  MenuNavView hovered = Menu();
  hovered.hoveredRow = 4;
  MenuNavView lastRow = Menu();
  lastRow.hoveredRow = 9;
  MenuNavView firstTab = Menu();
  firstTab.selectedTab = 0;
  MenuNavView lastTab = Menu();
  lastTab.selectedTab = 5;
  MenuNavView noTab = Menu();
  noTab.selectedTab = -1;
  MenuNavView gaps = Menu();
  gaps.tabs = {0, 2, 5};  // the shown tabs, not every number
  gaps.selectedTab = 2;
  MenuNavView emptyPage = Menu();
  emptyPage.rowCount = 0;
  emptyPage.nextShown = emptyPage.previousShown = false;
  MenuNavView onePage = Menu();
  onePage.nextShown = onePage.previousShown = false;
  onePage.rowCount = 3;
  MenuNavView onButton = hovered;
  onButton.focusedButton = 2;
  MenuNavView lastButton = Menu();
  lastButton.focusedButton = 3;
  MenuNavView noButtons = Menu();
  noButtons.buttonCount = 0;
  MenuNavView staleHover = Menu();
  staleHover.rowCount = 3;
  staleHover.hoveredRow = 7;  // a row of a longer page, gone now

  const Case cases[] = {
      {"Right: the next tab", Menu(), Key(NavKey::Right), {{C::SelectTab, 2}}},
      {"Left: the previous tab", Menu(), Key(NavKey::Left), {{C::SelectTab, 0}}},
      {"Left stops at the first tab", firstTab, Key(NavKey::Left), {}},
      {"Right stops at the last tab", lastTab, Key(NavKey::Right), {}},
      {"Right without a selected tab: the first", noTab, Key(NavKey::Right), {{C::SelectTab, 0}}},
      {"Left without a selected tab: the last", noTab, Key(NavKey::Left), {{C::SelectTab, 5}}},
      {"Right skips tabs not shown", gaps, Key(NavKey::Right), {{C::SelectTab, 5}}},
      {"Ctrl+Tab: the next tab", Menu(), Key(NavKey::Tab, true), {{C::SelectTab, 2}}},
      {"Ctrl+Tab wraps to the first", lastTab, Key(NavKey::Tab, true), {{C::SelectTab, 0}}},
      {"Ctrl+Shift+Tab wraps to the last", firstTab, Key(NavKey::Tab, true, true), {{C::SelectTab, 5}}},
      {"Ctrl+Shift+Tab over gaps", gaps, Key(NavKey::Tab, true, true), {{C::SelectTab, 0}}},
      {"Down without a hover: the first row", Menu(), Key(NavKey::Down), {{C::HoverRow, 0}}},
      {"Up without a hover: the last row", Menu(), Key(NavKey::Up), {{C::HoverRow, 9}}},
      {"Down: the next row", hovered, Key(NavKey::Down), {{C::HoverRow, 5}}},
      {"Up: the previous row", hovered, Key(NavKey::Up), {{C::HoverRow, 3}}},
      {"Down stays on the last row", lastRow, Key(NavKey::Down), {{C::HoverRow, 9}}},
      {"Up stays on the first row", [] { auto v = Menu(); v.hoveredRow = 0; return v; }(),
       Key(NavKey::Up), {{C::HoverRow, 0}}},
      {"Home and End", hovered, Key(NavKey::End), {{C::HoverRow, 9}}},
      {"Home", hovered, Key(NavKey::Home), {{C::HoverRow, 0}}},
      {"Down on a short page", onePage, Key(NavKey::End), {{C::HoverRow, 2}}},
      {"a hover past the page counts as none", staleHover, Key(NavKey::Down), {{C::HoverRow, 0}}},
      {"no rows: nothing to hover", emptyPage, Key(NavKey::Down), {}},
      {"Enter starts the hovered row", hovered, Key(NavKey::Enter), {{C::StartRow, 4}}},
      {"Enter without a hover starts nothing", Menu(), Key(NavKey::Enter), {}},
      {"Enter on a stale hover starts nothing", staleHover, Key(NavKey::Enter), {}},
      {"Page Down pages and hovers the first row", Menu(), Key(NavKey::PageDown),
       {{C::NextPage}, {C::HoverRow, 0}}},
      {"Page Up pages back", Menu(), Key(NavKey::PageUp), {{C::PreviousPage}, {C::HoverRow, 0}}},
      {"no next page: Page Down does nothing", onePage, Key(NavKey::PageDown), {}},
      {"no previous page: Page Up does nothing", onePage, Key(NavKey::PageUp), {}},
      {"Tab: the first button", Menu(), Key(NavKey::Tab), {{C::FocusButton, 0}}},
      {"Shift+Tab: the last button", Menu(), Key(NavKey::Tab, false, true), {{C::FocusButton, 3}}},
      {"Tab: the next button", onButton, Key(NavKey::Tab), {{C::FocusButton, 3}}},
      {"Tab after the last button: the window", lastButton, Key(NavKey::Tab), {{C::FocusList}}},
      {"Shift+Tab from the first button: the window",
       [] { auto v = Menu(); v.focusedButton = 0; return v; }(), Key(NavKey::Tab, false, true),
       {{C::FocusList}}},
      {"Tab without buttons stays", noButtons, Key(NavKey::Tab), {}},
      {"Enter presses the focused button, not the row", onButton, Key(NavKey::Enter),
       {{C::PressButton, 2}}},
      {"arrows from a button: focus back, then the row", onButton, Key(NavKey::Down),
       {{C::FocusList}, {C::HoverRow, 5}}},
      {"Right from a button: focus back, then the tab", onButton, Key(NavKey::Right),
       {{C::FocusList}, {C::SelectTab, 2}}},
      {"Ctrl+Tab from a button", onButton, Key(NavKey::Tab, true), {{C::FocusList}, {C::SelectTab, 2}}},
  };
  KeyboardNavigation nav;
  for (const Case& c : cases) EXPECT_EQ(nav.KeyDown(c.press, c.view), c.expected) << c.what;
}

TEST(KeyboardNavigation, RepeatsAndForeignKeys) {
  MenuNavView hovered = Menu();
  hovered.hoveredRow = 4;
  KeyboardNavigation nav;
  NavKeyPress held = Key(NavKey::Enter);
  held.repeat = true;
  EXPECT_TRUE(nav.KeyDown(held, hovered).empty()) << "holding Enter starts the item once";
  NavKeyPress downHeld = Key(NavKey::Down);
  downHeld.repeat = true;
  EXPECT_EQ(nav.KeyDown(downHeld, hovered), (NavCommands{{C::HoverRow, 5}})) << "arrows repeat";
  NavKeyPress altRight = Key(NavKey::Right);
  altRight.alt = true;
  EXPECT_FALSE(KeyboardNavigation::Claims(altRight)) << "Alt combinations are the system's";
  EXPECT_TRUE(nav.KeyDown(altRight, hovered).empty());
  EXPECT_FALSE(KeyboardNavigation::Claims(Key(NavKey::Other)));
}

TEST(KeyboardNavigation, VirtualKeys) {
  const std::pair<unsigned, NavKey> keys[] = {
      {0x25, NavKey::Left}, {0x27, NavKey::Right}, {0x26, NavKey::Up}, {0x28, NavKey::Down},
      {0x24, NavKey::Home}, {0x23, NavKey::End},   {0x21, NavKey::PageUp}, {0x22, NavKey::PageDown},
      {0x09, NavKey::Tab},  {0x0D, NavKey::Enter}, {0x20, NavKey::Other}, {0x41, NavKey::Other},
  };
  for (const auto& [vk, key] : keys) EXPECT_EQ(NavKeyFromVirtualKey(vk), key) << vk;
}

TEST(KeyboardNavigation, OnlyARealPointerMoveTakesOver) {
  KeyboardNavigation nav;
  EXPECT_TRUE(nav.PointerAt(10, 10)) << "the first position seen is a move";
  nav.SetKeyboardLeads(true);
  EXPECT_FALSE(nav.PointerAt(10, 10)) << "a made-up move under a resting pointer";
  EXPECT_TRUE(nav.KeyboardLeads());
  EXPECT_TRUE(nav.PointerAt(11, 10));
  EXPECT_FALSE(nav.KeyboardLeads()) << "the mouse has taken over";
}

}  // namespace
}  // namespace pikko
