// The menu without a mouse: which key does what to the tab bar, the item
// rows and the skinned buttons, and when the mouse takes over again.
// Portable: the window describes what it shows (MenuNavView), the
// navigation answers with commands that the window carries out through the
// same handlers as the mouse's.
#pragma once

#include <vector>

namespace pikko {

// The keys the menu listens to, as the system's virtual-key codes.
enum class NavKey { Other, Left, Right, Up, Down, Home, End, PageUp, PageDown, Tab, Enter };
NavKey NavKeyFromVirtualKey(unsigned virtualKey);

struct NavKeyPress {
  NavKey key = NavKey::Other;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool repeat = false;  // the key was already down (auto-repeat)
};

// What the window shows at the moment of a key press.
struct MenuNavView {
  std::vector<int> tabs;    // the tabs on show, left to right
  int selectedTab = -1;
  int rowCount = 0;         // rows of the page that show an item (0..10)
  int hoveredRow = -1;      // -1: none
  bool nextShown = false;   // the paging buttons
  bool previousShown = false;
  int buttonCount = 0;      // skinned buttons that can take the focus, in Tab order
  int focusedButton = -1;   // -1: the window itself (tabs and rows) has the focus
};

struct NavCommand {
  enum Kind {
    SelectTab,     // as a click on tab `index`
    HoverRow,      // as the pointer moving onto row `index`
    StartRow,      // as a click on row `index`
    NextPage,      // as a click on the next-page button
    PreviousPage,  // as a click on the previous-page button
    FocusList,     // the window itself takes the focus back
    FocusButton,   // button `index` takes the focus
    PressButton,   // button `index` is pressed
  };
  Kind kind;
  int index = 0;
  bool operator==(const NavCommand& o) const { return kind == o.kind && index == o.index; }
};
using NavCommands = std::vector<NavCommand>;

class KeyboardNavigation {
 public:
  // Whether the menu takes the key at all; the others go on to the system.
  static bool Claims(const NavKeyPress& press);
  // The commands for a key going down; empty when the key means nothing
  // here (the window then lets the system have it).
  NavCommands KeyDown(const NavKeyPress& press, const MenuNavView& view);

  // The pointer seen at a screen point. True when it really moved: the
  // mouse then takes over and the keyboard's focus mark goes. False for the
  // moves the system makes up when something changes under a resting
  // pointer; while the keyboard leads, those must not hover the row under
  // the pointer.
  bool PointerAt(int screenX, int screenY);
  // The row hover was last set by the keyboard, not the mouse.
  bool KeyboardLeads() const { return keyboardLeads_; }
  void SetKeyboardLeads(bool v) { keyboardLeads_ = v; }

 private:
  NavCommands TabKey(const NavKeyPress& press, const MenuNavView& view) const;
  NavCommands ListKey(const NavKeyPress& press, const MenuNavView& view) const;

  bool keyboardLeads_ = false;
  bool pointerKnown_ = false;
  int pointerX_ = 0, pointerY_ = 0;
};

}  // namespace pikko
