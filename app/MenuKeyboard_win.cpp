// The menu window without a mouse: keys of the window and of its skinned
// buttons go to the keyboard navigation, whose commands run through the
// mouse's own handlers; the focus mark on the row the keyboard reached; the
// mouse taking over again; the window's messages for screen readers.
#include <windowsx.h>

#include <algorithm>

#include "actions/SideButtons.h"
#include "app/AccessibleTree_win.h"
#include "app/Autorun3_win.h"
#include "app/RowFocusMark_win.h"
#include "env/Translation.h"
#include "platform/Ports.h"
#include "promotion/HomeTabPanelView_win.h"

namespace pikko {

void TZkAutorunForm::BuildKeyboardSupport() {
  // Added after the rows: the mark is drawn over them.
  auto mark = std::make_unique<RowFocusMark>("KeyboardFocusMark");
  mark->SetVisible(false);
  KeyboardFocusMark = Add(std::move(mark), "");
}

std::vector<ZkButtonTx*> TZkAutorunForm::AllButtons() const {
  // Reading order: the batch install and the side buttons at the top, the
  // rows' manual buttons, the paging buttons below the rows, then the
  // buttons over the advertisement and the promotion pages.
  std::vector<ZkButtonTx*> all{zkbFullkit};
  all.insert(all.end(), SideButtons.begin(), SideButtons.end());
  all.insert(all.end(), ManualButtons.begin(), ManualButtons.end());
  all.insert(all.end(), {zkbNext, zkbPrevious, zkbADInstall});
  const HomeTabPanelView* promotion = PromotionView.get();
  all.push_back(promotion ? promotion->InstallButton() : nullptr);
  all.push_back(promotion ? promotion->PreviousButton() : nullptr);
  all.push_back(promotion ? promotion->NextButton() : nullptr);
  return all;
}

std::vector<ZkButtonTx*> TZkAutorunForm::FocusableButtons() const {
  std::vector<ZkButtonTx*> shown;
  for (ZkButtonTx* b : AllButtons()) {
    // A promotion button without a picture has no size and cannot be seen.
    if (b && b->CanFocus() && b->Width() > 0 && b->Height() > 0) shown.push_back(b);
  }
  return shown;
}

std::string TZkAutorunForm::ButtonHoverText(const ZkButtonTx& button) const {
  for (int j = 0; j < 5; ++j) {
    if (&button == SideButtons[j]) return sidebuttons::SideButtonText(Model.ButtonTexts, j);
  }
  if (&button == zkbFullkit) {
    const MenuTab* tab = SelectedMenuTab();
    if (!tab || tab->FullkitItem < 0) return "ZEKA Fullkit";
    return ExpandLineBreaks(Ini().ReadString(MenuConfigPath(DebugMode, ProgramFolder), "SETUP_ITEM",
                                             ItemKey(tab->FullkitItem, "Description"),
                                             "ZEKA Fullkit"));
  }
  for (ZkButtonTx* manual : ManualButtons) {
    if (&button == manual) return Translate("Open the instruction manual");
  }
  if (!button.Caption().empty()) return button.Caption();
  if (!button.Hint().empty()) return button.Hint();
  // The paging buttons show only pictures; these say what they do.
  const HomeTabPanelView* promotion = PromotionView.get();
  if (&button == zkbNext || (promotion && &button == promotion->NextButton()))
    return Translate("Next page");
  if (&button == zkbPrevious || (promotion && &button == promotion->PreviousButton()))
    return Translate("Previous page");
  return button.Name();
}

int TZkAutorunForm::ReachableRows() const {
  // The contact, advertisement and promotion panels lie over the rows.
  for (const Panel* cover : {plBrowser, plAD, plPromotion}) {
    if (cover && cover->Visible()) return 0;
  }
  int rows = 0;
  while (rows < kRowsPerPage && ItemRows[rows]->Visible() && RowItem(rows)) ++rows;
  return rows;
}

MenuNavView TZkAutorunForm::NavView() const {
  MenuNavView v;
  for (int t = 0; t < kMaxTabs; ++t) {
    if (t < static_cast<int>(Model.Tabs.size()) && TabImages[t]->Visible()) v.tabs.push_back(t);
  }
  v.selectedTab = SelectedTab;
  v.rowCount = ReachableRows();
  v.hoveredRow = HoverRow < v.rowCount ? HoverRow : -1;
  v.nextShown = zkbNext->CanFocus();
  v.previousShown = zkbPrevious->CanFocus();
  const std::vector<ZkButtonTx*> buttons = FocusableButtons();
  v.buttonCount = static_cast<int>(buttons.size());
  const HWND focus = ::GetFocus();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (focus && buttons[i]->Handle() == focus) v.focusedButton = static_cast<int>(i);
  }
  return v;
}

void TZkAutorunForm::RunNavCommands(const NavCommands& commands) {
  for (const NavCommand& c : commands) {
    switch (c.kind) {
      case NavCommand::SelectTab:
        if (c.index < 0 || c.index >= kMaxTabs) break;
        // The pointer would leave the row on its way to the tab.
        LeaveHoveredRow();
        imgTitle0Click(*TabImages[c.index]);
        NotifyAccessible(Handle(), EVENT_OBJECT_SELECTION, AccessibleTree::TabId(c.index));
        NotifyAccessible(Handle(), EVENT_OBJECT_FOCUS, AccessibleTree::TabId(c.index));
        break;
      case NavCommand::HoverRow:
        if (c.index < 0 || c.index >= ReachableRows()) break;
        if (!Keyboard.KeyboardLeads()) {
          // The pointer rests where it is as the keyboard takes over. The
          // window may not have had a move from there yet (the pointer
          // rested where the window opened, or the move is still queued
          // behind the key): when the system reports it later, it is no
          // movement, and must not hand the row back to the mouse.
          POINT rest;
          if (::GetCursorPos(&rest)) Keyboard.PointerAt(rest.x, rest.y);
        }
        Keyboard.SetKeyboardLeads(true);
        Label1MouseMove(*ItemRows[c.index], 0, 0, 0);
        NotifyAccessible(Handle(), EVENT_OBJECT_SELECTION, AccessibleTree::RowId(c.index));
        NotifyAccessible(Handle(), EVENT_OBJECT_FOCUS, AccessibleTree::RowId(c.index));
        break;
      case NavCommand::StartRow:
        if (c.index >= 0 && c.index < ReachableRows()) Label1Click(*ItemRows[c.index]);
        break;
      case NavCommand::NextPage:
        if (zkbNext->CanFocus()) ImgNextClick(*zkbNext);
        break;
      case NavCommand::PreviousPage:
        if (zkbPrevious->CanFocus()) ImgPrevClick(*zkbPrevious);
        break;
      case NavCommand::FocusList:
        SetFocus();
        break;
      case NavCommand::FocusButton:
      case NavCommand::PressButton: {
        const std::vector<ZkButtonTx*> buttons = FocusableButtons();
        if (c.index < 0 || c.index >= static_cast<int>(buttons.size())) break;
        ZkButtonTx& b = *buttons[c.index];
        if (c.kind == NavCommand::PressButton) {
          b.Click();
          break;
        }
        b.SetFocus();
        // Reaching a button describes it as pointing at it does.
        if (b.OnMouseMove) b.OnMouseMove(b, 0, 0, 0);
        const std::vector<ZkButtonTx*> all = AllButtons();
        const auto slot = std::find(all.begin(), all.end(), &b) - all.begin();
        NotifyAccessible(Handle(), EVENT_OBJECT_FOCUS, AccessibleTree::ButtonId(static_cast<int>(slot)));
        break;
      }
    }
  }
  UpdateFocusMark();
}

void TZkAutorunForm::UpdateFocusMark() {
  if (!KeyboardFocusMark) return;
  const bool show = Keyboard.KeyboardLeads() && HoverRow >= 0 && HoverRow < ReachableRows() &&
                    NavView().focusedButton < 0;
  if (show) {
    const RECT r = RowFrames[HoverRow]->BoundsRect();
    KeyboardFocusMark->SetBounds(r.left - 2, r.top - 2, r.right - r.left + 4, r.bottom - r.top + 4);
  }
  KeyboardFocusMark->SetVisible(show);
}

bool TZkAutorunForm::PreviewKey(WindowedControl&, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_KEYDOWN || !Live()) return false;
  const ShiftState shift = KeyboardShift();
  NavKeyPress press;
  press.key = NavKeyFromVirtualKey(static_cast<unsigned>(wp));
  press.ctrl = (shift & ssCtrl) != 0;
  press.shift = (shift & ssShift) != 0;
  press.alt = (shift & ssAlt) != 0;
  press.repeat = (lp & (1 << 30)) != 0;
  if (!KeyboardNavigation::Claims(press)) return false;
  RunNavCommands(Keyboard.KeyDown(press, NavView()));
  return true;
}

LRESULT TZkAutorunForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ::ClientToScreen(Handle(), &p);
      const bool keyboardLed = Keyboard.KeyboardLeads();
      // While the keyboard leads, a move the system makes up under a
      // resting pointer would hover the row under it: it is dropped.
      if (!Keyboard.PointerAt(p.x, p.y) && keyboardLed) return 0;
      if (keyboardLed) UpdateFocusMark();
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      if (Keyboard.KeyboardLeads()) {
        // A press takes over too, and what it presses is what lies under
        // the pointer, not the row the keyboard went to: the row under the
        // pointer is hovered first, as a move onto it would.
        Keyboard.SetKeyboardLeads(false);
        Form::HandleMessage(WM_MOUSEMOVE, wp & ~static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON), lp);
        UpdateFocusMark();
      }
      break;
    case WM_GETOBJECT:
      if (Live()) {
        if (const LRESULT answer = Accessible().Answer(wp, lp)) return answer;
      }
      break;
    case kAccessibleActionMessage:
      if (Live()) Accessible().RunAction(static_cast<long>(wp), static_cast<long>(lp));
      return 0;
    default:
      break;
  }
  return Form::HandleMessage(msg, wp, lp);
}

AccessibleTree& TZkAutorunForm::Accessible() {
  if (!accessible_) accessible_ = std::make_shared<AccessibleTree>(*this);
  return *accessible_;
}

}  // namespace pikko
