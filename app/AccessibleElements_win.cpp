#include "app/AccessibleElements_win.h"

#include <oleacc.h>

#include <algorithm>

#include "app/AccessibleTree_win.h"
#include "app/Autorun3_win.h"
#include "env/Translation.h"

namespace pikko::accessible {
namespace {

using Tree = AccessibleTree;

// A button is on show when its window is (disabled ones too: a screen
// reader tells them as unavailable).
bool ButtonShown(const ZkButtonTx* b) {
  return b && b->Handle() && ::IsWindowVisible(b->Handle()) && b->Width() > 0 && b->Height() > 0;
}

const ZkButtonTx* ButtonOf(const TZkAutorunForm& form, long id) {
  const std::vector<ZkButtonTx*> all = form.AllButtons();
  const int slot = IndexOf(id);
  return slot >= 0 && slot < static_cast<int>(all.size()) ? all[slot] : nullptr;
}

const Image* ChromeOf(const TZkAutorunForm& form, long id) {
  return IndexOf(id) == 0 ? form.imgMinimize : form.imgClose;
}

RECT ScreenRect(const TZkAutorunForm& form, const Control& c) {
  if (const auto* w = dynamic_cast<const WindowedControl*>(&c); w && w->Handle()) {
    RECT r{};
    ::GetWindowRect(w->Handle(), &r);
    return r;
  }
  RECT r = c.BoundsRect();
  ::MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT UnionOf(const TZkAutorunForm& form, const std::vector<long>& ids) {
  RECT all{};
  for (long id : ids) {
    const RECT r = Location(form, id);
    ::UnionRect(&all, &all, &r);
  }
  return all;
}

bool HasFocus(const TZkAutorunForm& form) {
  const HWND focus = ::GetFocus();
  return focus && (focus == form.Handle() || ::IsChild(form.Handle(), focus));
}

}  // namespace

Kind KindOf(long id) {
  if (id == CHILDID_SELF) return Kind::Client;
  if (id == Tree::kTabList) return Kind::TabList;
  if (id == Tree::kItemList) return Kind::ItemList;
  if (id == Tree::kDescription) return Kind::Description;
  if (id >= Tree::TabId(0) && id < Tree::TabId(kMaxTabs)) return Kind::Tab;
  if (id >= Tree::RowId(0) && id < Tree::RowId(kRowsPerPage)) return Kind::Row;
  if (id >= Tree::ButtonId(0) && id < Tree::ButtonId(64)) return Kind::Button;
  if (id == Tree::kMinimise || id == Tree::kClose) return Kind::Chrome;
  return Kind::None;
}

int IndexOf(long id) {
  switch (KindOf(id)) {
    case Kind::Tab: return static_cast<int>(id - Tree::TabId(0));
    case Kind::Row: return static_cast<int>(id - Tree::RowId(0));
    case Kind::Button: return static_cast<int>(id - Tree::ButtonId(0));
    case Kind::Chrome: return static_cast<int>(id - Tree::kMinimise);
    default: return 0;
  }
}

std::vector<long> Children(const TZkAutorunForm& form, long container) {
  std::vector<long> out;
  const MenuNavView view = form.NavView();
  switch (KindOf(container)) {
    case Kind::Client: {
      if (!view.tabs.empty()) out.push_back(Tree::kTabList);
      if (view.rowCount > 0) out.push_back(Tree::kItemList);
      const std::vector<ZkButtonTx*> all = form.AllButtons();
      for (std::size_t slot = 0; slot < all.size(); ++slot) {
        if (ButtonShown(all[slot])) out.push_back(Tree::ButtonId(static_cast<int>(slot)));
      }
      if (form.imgMinimize->Visible()) out.push_back(Tree::kMinimise);
      if (form.imgClose->Visible()) out.push_back(Tree::kClose);
      if (form.sExplain->Visible()) out.push_back(Tree::kDescription);
      break;
    }
    case Kind::TabList:
      for (int t : view.tabs) out.push_back(Tree::TabId(t));
      break;
    case Kind::ItemList:
      for (int r = 0; r < view.rowCount; ++r) out.push_back(Tree::RowId(r));
      break;
    default:
      break;
  }
  return out;
}

long ParentOf(long id) {
  switch (KindOf(id)) {
    case Kind::Tab: return Tree::kTabList;
    case Kind::Row: return Tree::kItemList;
    default: return CHILDID_SELF;
  }
}

bool Exists(const TZkAutorunForm& form, long id) {
  if (KindOf(id) == Kind::Client) return true;
  if (KindOf(id) == Kind::None) return false;
  const std::vector<long> siblings = Children(form, ParentOf(id));
  return std::find(siblings.begin(), siblings.end(), id) != siblings.end();
}

std::string Name(const TZkAutorunForm& form, long id) {
  switch (KindOf(id)) {
    case Kind::Client: return form.Caption();
    case Kind::TabList: return Translate("Tabs");
    case Kind::ItemList: {
      // The list is the selected tab's.
      const MenuTab* tab = form.SelectedMenuTab();
      return tab ? tab->Caption : std::string();
    }
    case Kind::Description: return form.sExplain->Caption();
    case Kind::Tab: {
      const int t = IndexOf(id);
      return t < static_cast<int>(form.Model.Tabs.size()) ? form.Model.Tabs[t].Caption : "";
    }
    case Kind::Row: {
      const SetupItem* item = form.RowItem(IndexOf(id));
      return item ? item->Title : std::string();
    }
    case Kind::Button: {
      const ZkButtonTx* b = ButtonOf(form, id);
      return b ? form.ButtonHoverText(*b) : std::string();
    }
    case Kind::Chrome: return ChromeOf(form, id)->Hint();
    case Kind::None: break;
  }
  return {};
}

std::string Description(const TZkAutorunForm& form, long id) {
  if (KindOf(id) == Kind::Row) {
    const SetupItem* item = form.RowItem(IndexOf(id));
    return item ? item->Description : std::string();
  }
  if (KindOf(id) == Kind::Button) {
    // A manual button opens the manual of its row's item.
    const int slot = IndexOf(id);
    const std::vector<ZkButtonTx*> all = form.AllButtons();
    for (int r = 0; r < kRowsPerPage; ++r) {
      if (slot < static_cast<int>(all.size()) && all[slot] == form.ManualButtons[r]) {
        const SetupItem* item = form.RowItem(r);
        return item ? item->Title : std::string();
      }
    }
  }
  return {};
}

std::string DefaultAction(const TZkAutorunForm&, long id) {
  switch (KindOf(id)) {
    case Kind::Tab: return Translate("Switch");
    case Kind::Row: return Translate("Start");
    case Kind::Button:
    case Kind::Chrome: return Translate("Press");
    default: return {};
  }
}

long Role(long id) {
  switch (KindOf(id)) {
    case Kind::Client: return ROLE_SYSTEM_CLIENT;
    case Kind::TabList: return ROLE_SYSTEM_PAGETABLIST;
    case Kind::ItemList: return ROLE_SYSTEM_LIST;
    case Kind::Description: return ROLE_SYSTEM_STATICTEXT;
    case Kind::Tab: return ROLE_SYSTEM_PAGETAB;
    case Kind::Row: return ROLE_SYSTEM_LISTITEM;
    case Kind::Button:
    case Kind::Chrome: return ROLE_SYSTEM_PUSHBUTTON;
    case Kind::None: break;
  }
  return 0;
}

long State(const TZkAutorunForm& form, long id) {
  const long focused = FocusedElement(form);
  long s = focused == id ? STATE_SYSTEM_FOCUSED : 0;
  switch (KindOf(id)) {
    case Kind::Client:
      return s | STATE_SYSTEM_FOCUSABLE;
    case Kind::Tab:
      s |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
      if (IndexOf(id) == form.SelectedTab) s |= STATE_SYSTEM_SELECTED;
      return s;
    case Kind::Row:
      s |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
      if (IndexOf(id) == form.HoverRow) s |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
      return s;
    case Kind::Button: {
      const ZkButtonTx* b = ButtonOf(form, id);
      s |= STATE_SYSTEM_FOCUSABLE;
      if (b && !b->Enabled()) s |= STATE_SYSTEM_UNAVAILABLE;
      return s;
    }
    case Kind::Description:
      return s | STATE_SYSTEM_READONLY;
    default:
      return s;
  }
}

RECT Location(const TZkAutorunForm& form, long id) {
  switch (KindOf(id)) {
    case Kind::Client: {
      RECT r{};
      ::GetClientRect(form.Handle(), &r);
      ::MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
      return r;
    }
    case Kind::TabList:
    case Kind::ItemList: return UnionOf(form, Children(form, id));
    case Kind::Description: return ScreenRect(form, *form.sExplain);
    case Kind::Tab: return ScreenRect(form, *form.TabImages[IndexOf(id)]);
    case Kind::Row: return ScreenRect(form, *form.ItemRows[IndexOf(id)]);
    case Kind::Button: {
      const ZkButtonTx* b = ButtonOf(form, id);
      return b ? ScreenRect(form, *b) : RECT{};
    }
    case Kind::Chrome: return ScreenRect(form, *ChromeOf(form, id));
    case Kind::None: break;
  }
  return RECT{};
}

long ElementAt(const TZkAutorunForm& form, POINT screen) {
  RECT client = Location(form, CHILDID_SELF);
  if (!::PtInRect(&client, screen)) return -1;
  // Buttons and chrome lie over everything; then rows, tabs, description.
  std::vector<long> order = Children(form, CHILDID_SELF);
  std::vector<long> rows = Children(form, Tree::kItemList);
  std::vector<long> tabs = Children(form, Tree::kTabList);
  std::vector<long> candidates;
  for (long id : order) {
    if (KindOf(id) == Kind::Button || KindOf(id) == Kind::Chrome) candidates.push_back(id);
  }
  candidates.insert(candidates.end(), rows.begin(), rows.end());
  candidates.insert(candidates.end(), tabs.begin(), tabs.end());
  if (form.sExplain->Visible()) candidates.push_back(Tree::kDescription);
  for (long id : candidates) {
    const RECT r = Location(form, id);
    if (::PtInRect(&r, screen)) return id;
  }
  return CHILDID_SELF;
}

long FocusedElement(const TZkAutorunForm& form) {
  if (!HasFocus(form)) return -1;
  const HWND focus = ::GetFocus();
  const std::vector<ZkButtonTx*> all = form.AllButtons();
  for (std::size_t slot = 0; slot < all.size(); ++slot) {
    if (all[slot] && all[slot]->Handle() == focus) return Tree::ButtonId(static_cast<int>(slot));
  }
  if (focus != form.Handle()) return CHILDID_SELF;
  const MenuNavView view = form.NavView();
  if (view.hoveredRow >= 0) return Tree::RowId(view.hoveredRow);
  if (view.selectedTab >= 0) return Tree::TabId(view.selectedTab);
  return CHILDID_SELF;
}

long SelectedChild(const TZkAutorunForm& form, long container) {
  const MenuNavView view = form.NavView();
  if (KindOf(container) == Kind::TabList && view.selectedTab >= 0) return Tree::TabId(view.selectedTab);
  if (KindOf(container) == Kind::ItemList && view.hoveredRow >= 0) return Tree::RowId(view.hoveredRow);
  return -1;
}

}  // namespace pikko::accessible
