#include "app/KeyboardNavigation.h"

#include <algorithm>

namespace pikko {
namespace {

// The system's virtual-key codes of the keys the menu uses.
constexpr unsigned kVkTab = 0x09, kVkReturn = 0x0D, kVkPrior = 0x21, kVkNext = 0x22,
                   kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27,
                   kVkDown = 0x28;

int PositionOf(const std::vector<int>& tabs, int tab) {
  const auto it = std::find(tabs.begin(), tabs.end(), tab);
  return it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin());
}

}  // namespace

NavKey NavKeyFromVirtualKey(unsigned virtualKey) {
  switch (virtualKey) {
    case kVkLeft: return NavKey::Left;
    case kVkRight: return NavKey::Right;
    case kVkUp: return NavKey::Up;
    case kVkDown: return NavKey::Down;
    case kVkHome: return NavKey::Home;
    case kVkEnd: return NavKey::End;
    case kVkPrior: return NavKey::PageUp;
    case kVkNext: return NavKey::PageDown;
    case kVkTab: return NavKey::Tab;
    case kVkReturn: return NavKey::Enter;
    default: return NavKey::Other;
  }
}

bool KeyboardNavigation::Claims(const NavKeyPress& press) {
  // Alt combinations belong to the system (Alt+Tab, Alt+F4).
  return press.key != NavKey::Other && !press.alt;
}

NavCommands KeyboardNavigation::KeyDown(const NavKeyPress& press, const MenuNavView& view) {
  if (!Claims(press)) return {};
  if (press.key == NavKey::Tab) return TabKey(press, view);
  if (press.key == NavKey::Enter) {
    // Holding Enter down starts nothing twice.
    if (press.repeat) return {};
    if (view.focusedButton >= 0) return {{NavCommand::PressButton, view.focusedButton}};
    if (view.hoveredRow >= 0 && view.hoveredRow < view.rowCount)
      return {{NavCommand::StartRow, view.hoveredRow}};
    return {};
  }
  return ListKey(press, view);
}

NavCommands KeyboardNavigation::TabKey(const NavKeyPress& press, const MenuNavView& view) const {
  NavCommands out;
  if (press.ctrl) {
    // Ctrl+Tab goes round the tabs, as a tabbed dialog's does.
    const int n = static_cast<int>(view.tabs.size());
    if (n == 0) return out;
    const int at = PositionOf(view.tabs, view.selectedTab);
    int next = 0;
    if (press.shift) {
      next = at < 0 ? n - 1 : (at + n - 1) % n;
    } else {
      next = at < 0 ? 0 : (at + 1) % n;
    }
    if (view.focusedButton >= 0) out.push_back({NavCommand::FocusList});
    if (view.tabs[next] != view.selectedTab) out.push_back({NavCommand::SelectTab, view.tabs[next]});
    return out;
  }
  // The focus goes round: the window (tabs and rows), then each button.
  const int ring = view.buttonCount + 1;
  const int at = std::clamp(view.focusedButton, -1, view.buttonCount - 1) + 1;
  const int next = press.shift ? (at + ring - 1) % ring : (at + 1) % ring;
  if (next == at) return out;
  if (next == 0) {
    out.push_back({NavCommand::FocusList});
  } else {
    out.push_back({NavCommand::FocusButton, next - 1});
  }
  return out;
}

NavCommands KeyboardNavigation::ListKey(const NavKeyPress& press, const MenuNavView& view) const {
  NavCommands out;
  // Every key of the tabs and rows brings the focus back to them first.
  if (view.focusedButton >= 0) out.push_back({NavCommand::FocusList});
  switch (press.key) {
    case NavKey::Left:
    case NavKey::Right: {
      const int n = static_cast<int>(view.tabs.size());
      if (n == 0) break;
      const int at = PositionOf(view.tabs, view.selectedTab);
      int next = -1;
      if (press.key == NavKey::Right) {
        next = at + 1 < n ? at + 1 : -1;
      } else {
        next = at < 0 ? n - 1 : at - 1;
      }
      if (next >= 0) out.push_back({NavCommand::SelectTab, view.tabs[next]});
      break;
    }
    case NavKey::Up:
    case NavKey::Down:
    case NavKey::Home:
    case NavKey::End: {
      if (view.rowCount <= 0) break;
      const int last = view.rowCount - 1;
      const int at = view.hoveredRow >= 0 && view.hoveredRow <= last ? view.hoveredRow : -1;
      int row = 0;
      if (press.key == NavKey::Down) row = at < 0 ? 0 : std::min(at + 1, last);
      if (press.key == NavKey::Up) row = at < 0 ? last : std::max(at - 1, 0);
      if (press.key == NavKey::End) row = last;
      // The row is hovered again even when it is the same one: a row the
      // mouse hovered becomes the keyboard's.
      out.push_back({NavCommand::HoverRow, row});
      break;
    }
    case NavKey::PageDown:
      if (view.nextShown) {
        out.push_back({NavCommand::NextPage});
        out.push_back({NavCommand::HoverRow, 0});
      }
      break;
    case NavKey::PageUp:
      if (view.previousShown) {
        out.push_back({NavCommand::PreviousPage});
        out.push_back({NavCommand::HoverRow, 0});
      }
      break;
    default:
      break;
  }
  return out;
}

bool KeyboardNavigation::PointerAt(int screenX, int screenY) {
  if (pointerKnown_ && screenX == pointerX_ && screenY == pointerY_) return false;
  pointerKnown_ = true;
  pointerX_ = screenX;
  pointerY_ = screenY;
  keyboardLeads_ = false;
  return true;
}

}  // namespace pikko
