// What a screen reader sees of the menu window: the window's client answers
// WM_GETOBJECT with an accessible object whose children are the tab bar (a
// page tab list of the tabs), the item rows (a list of list items), the
// skinned buttons and the chrome images (push buttons) and the description
// panel (static text). Every answer is read from the window at the moment it
// is asked; texts go from the system code page to UTF-16 here and nowhere
// else.
//
// Child ids are stable across the whole tree, so that an event's child id
// (NotifyAccessible) is understood by the window's client object itself.
#pragma once

#include <windows.h>

#include <memory>

namespace pikko {

class TZkAutorunForm;

// Posted to the window by the accessible objects: (child id, action). The
// actions run after the screen reader's call has returned, so that a
// message box opened by an item never blocks the caller.
constexpr UINT kAccessibleActionMessage = WM_APP + 0x4A;

// Tells screen readers that an element of the window's client changed.
void NotifyAccessible(HWND window, DWORD event, long childId);

class AccessibleTree {
 public:
  explicit AccessibleTree(TZkAutorunForm& form);
  // Clients that still hold objects get "disconnected" from then on.
  ~AccessibleTree();
  AccessibleTree(const AccessibleTree&) = delete;
  AccessibleTree& operator=(const AccessibleTree&) = delete;

  // The answer to WM_GETOBJECT; 0 for the objects the system provides.
  LRESULT Answer(WPARAM wp, LPARAM lp);
  // Runs a posted action: 0 the element's default action, 1 select it.
  void RunAction(long childId, long action);

  static constexpr long kTabList = 1, kItemList = 2, kDescription = 3;
  static constexpr long kMinimise = 400, kClose = 401;
  static long TabId(int tab) { return 100 + tab; }
  static long RowId(int row) { return 200 + row; }
  // slot: the button's place in TZkAutorunForm::AllButtons.
  static long ButtonId(int slot) { return 300 + slot; }

  struct Link;
  class Node;

 private:
  std::shared_ptr<Link> link_;
};

}  // namespace pikko
