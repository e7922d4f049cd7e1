// The tab bar and the item list: ten rows a page, hover and press states,
// long titles cut and unfolded, descriptions, paging and the tab switch.
#include "actions/VendorAds.h"
#include "app/Autorun3_win.h"
#include "browser/WebBrowser_win.h"
#include "env/Translation.h"
#include "promotion/Hometabpromotion.h"

namespace pikko {
namespace {

constexpr int kRowWidth = 300;
constexpr int kFoldedHeight = 18;
constexpr int kUnfoldedHeight = 36;

int RowOf(const Control& sender) { return sender.Tag() - 1; }

}  // namespace

void TZkAutorunForm::BuildRows() {
  FontStyle rowFont;
  rowFont.height = 13;
  rowFont.bold = true;
  for (int r = 0; r < kRowsPerPage; ++r) {
    auto row = std::make_unique<ZkOuterGlowLabel>("ItemRow" + std::to_string(r + 1));
    row->SetFont(rowFont);
    row->SetBounds(30, 120 + 30 * r, kRowWidth, kFoldedHeight);
    row->SetTransparent(true);
    row->SetHandCursor(true);
    row->SetVisible(false);
    row->SetTag(r + 1);
    row->OnMouseMove = [this](Control& s, ShiftState sh, int x, int y) { Label1MouseMove(s, sh, x, y); };
    row->OnMouseDown = [this](Control& s, MouseButton b, ShiftState sh, int x, int y) {
      Label1MouseDown(s, b, sh, x, y);
    };
    row->OnMouseUp = [this](Control& s, MouseButton b, ShiftState sh, int x, int y) {
      Label1MouseUp(s, b, sh, x, y);
    };
    row->OnClick = [this](Control& s) { Label1Click(s); };
    ItemRows[r] = Add(std::move(row), "");

    FontStyle ellipsisFont;
    ellipsisFont.height = 13;
    auto ellipsis = std::make_unique<ZkOuterGlowLabel>("Ellipsis" + std::to_string(r + 1));
    ellipsis->SetFont(ellipsisFont);
    ellipsis->SetCaption(". . .");
    ellipsis->SetAlignment(Alignment::Center);
    ellipsis->SetTransparent(true);
    ellipsis->SetHandCursor(true);
    ellipsis->SetBounds(ItemRows[r]->Left() - 20 + kRowWidth, 120 + 30 * r, 20, kFoldedHeight);
    ellipsis->SetVisible(false);
    ellipsis->SetTag(r + 1);
    ellipsis->OnMouseMove = ItemRows[r]->OnMouseMove;
    EllipsisLabels[r] = Add(std::move(ellipsis), "");

    auto manual = std::make_unique<ZkButtonTx>("ManualButton" + std::to_string(r + 1));
    manual->SetBounds(EllipsisLabels[r]->Left() + 27, 118 + 30 * r, 20, 20);
    manual->SetHandCursor(true);
    manual->SetVisible(false);
    manual->SetTag(r + 1);
    manual->OnMouseMove = [this](Control& s, ShiftState sh, int x, int y) {
      ManualButtonMouseMove(s, sh, x, y);
    };
    manual->OnClick = [this](Control& s) { ItemManualClick(s); };
    ManualButtons[r] = Add(std::move(manual), "");
  }
}

const MenuTab* TZkAutorunForm::SelectedMenuTab() const {
  if (SelectedTab < 0 || SelectedTab >= static_cast<int>(Model.Tabs.size())) return nullptr;
  return &Model.Tabs[SelectedTab];
}

const SetupItem* TZkAutorunForm::RowItem(int row) const {
  const MenuTab* tab = SelectedMenuTab();
  if (!tab || row < 0 || CurrentPage < 0) return nullptr;
  const std::size_t i = static_cast<std::size_t>(CurrentPage) * kRowsPerPage + static_cast<std::size_t>(row);
  return i < tab->Items.size() ? &tab->Items[i] : nullptr;
}

void TZkAutorunForm::SetRowGlow(TColor glow) {
  for (int r = 0; r < kRowsPerPage; ++r) {
    ItemRows[r]->SetGlowColor(glow);
    EllipsisLabels[r]->SetGlowColor(glow);
  }
}

void TZkAutorunForm::SetRowColour(TColor colour) {
  for (int r = 0; r < kRowsPerPage; ++r) {
    ItemRows[r]->SetFontColour(colour);
    EllipsisLabels[r]->SetFontColour(colour);
  }
}

void TZkAutorunForm::LeaveHoveredRow() {
  if (HoverRow < 0) return;
  ItemRows[HoverRow]->SetFontColour(ItemColorUp);
  RowFrames[HoverRow]->Hide();
  ExpandRow(-1, HoverRow);
  HoverRow = -1;
}

void TZkAutorunForm::HideItemPage() {
  LeaveHoveredRow();
  for (int r = 0; r < kRowsPerPage; ++r) {
    ItemRows[r]->Hide();
    EllipsisLabels[r]->Hide();
    ManualButtons[r]->Hide();
    RowFrames[r]->Hide();
  }
  zkbPrevious->Hide();
  zkbNext->Hide();
}

void TZkAutorunForm::ShowItemPage(int tab, int page) {
  LeaveHoveredRow();
  if (tab < 0 || tab >= static_cast<int>(Model.Tabs.size())) return;
  const auto& items = Model.Tabs[tab].Items;
  const int count = static_cast<int>(items.size());
  const int pages = (count + kRowsPerPage - 1) / kRowsPerPage;
  if (page > pages) return;
  const int ellipsisWidth = EllipsisLabels[0]->Width();
  for (int r = 0; r < kRowsPerPage; ++r) {
    const int i = page * kRowsPerPage + r;
    RowFrames[r]->Hide();
    EllipsisLabels[r]->Hide();
    if (i >= count || i < 0) {
      ItemRows[r]->Hide();
      ManualButtons[r]->Hide();
      continue;
    }
    ItemRows[r]->SetCaption(items[i].Title);
    ItemRows[r]->Show();
    const int width = MeasureText(ItemRows[0]->GetFont(), items[i].Title);
    if (width < kRowWidth + 1) {
      ItemRows[r]->SetWidth(kRowWidth);
    } else {
      ItemRows[r]->SetWidth(kRowWidth - ellipsisWidth);
      EllipsisLabels[r]->Show();
    }
    ManualButtons[r]->SetVisible(!items[i].ManualPath.empty());
  }
  zkbPrevious->Hide();
  zkbNext->Hide();
  if (page > 0) zkbPrevious->Show();
  if (page < pages - 1) zkbNext->Show();
  sExplain->SetCaption(count > 0 ? Model.CdDescription : Model.NoItemText);
}

void TZkAutorunForm::ExpandRow(int newRow, int oldRow) {
  const int ellipsisWidth = EllipsisLabels[0]->Width();
  if (oldRow >= 0 && ItemRows[oldRow]->Height() == kUnfoldedHeight) {
    Label* row = ItemRows[oldRow];
    EllipsisLabels[oldRow]->Show();
    row->SetWordWrap(false);
    row->SetBounds(row->Left(), row->Top(), kRowWidth - ellipsisWidth, kFoldedHeight);
    RowFrames[oldRow]->SetHeight(25);
    if (oldRow != 9) {
      ItemRows[oldRow + 1]->SetTop(ItemRows[oldRow + 1]->Top() - 8);
      EllipsisLabels[oldRow + 1]->SetTop(ItemRows[oldRow + 1]->Top());
    }
  }
  if (newRow < 0) return;
  const SetupItem* item = RowItem(newRow);
  if (!item) return;
  if (MeasureText(ItemRows[0]->GetFont(), item->Title) > kRowWidth) {
    Label* row = ItemRows[newRow];
    EllipsisLabels[newRow]->Hide();
    row->SetWordWrap(true);
    row->SetBounds(row->Left(), row->Top(), kRowWidth, kUnfoldedHeight);
    RowFrames[newRow]->SetHeight(40);
    if (newRow != 9) {
      ItemRows[newRow + 1]->SetTop(ItemRows[newRow + 1]->Top() + 8);
      EllipsisLabels[newRow + 1]->SetTop(ItemRows[newRow + 1]->Top());
    }
  }
}

void TZkAutorunForm::Label1MouseMove(Control& sender, ShiftState shift, int, int) {
  if (shift & ssLeft) return;
  const int row = RowOf(sender);
  if (row < 0 || row > 9 || row == HoverRow) return;
  if (HoverRow >= 0) {
    ItemRows[HoverRow]->SetFontColour(ItemColorUp);
    RowFrames[HoverRow]->Hide();
  }
  const int previous = HoverRow;
  HoverRow = row;
  ItemRows[row]->SetFontColour(ItemColorMove);
  RowFrames[row]->SetRaised(true);
  RowFrames[row]->Show();
  const SetupItem* item = RowItem(row);
  if (item) sExplain->SetCaption(item->Description);
  ExpandRow(HoverRow, previous);
  if (const auto page = ItemAdPage(VendorAdMode, item, ProgramFolder)) {
    if (wbItemAD) wbItemAD->Navigate(*page);
    plItemAD->Show();
    return;
  }
  plItemAD->Hide();
}

void TZkAutorunForm::ManualButtonMouseMove(Control& sender, ShiftState shift, int x, int y) {
  Label1MouseMove(sender, shift, x, y);
  sExplain->SetCaption(Translate("Open the instruction manual"));
}

void TZkAutorunForm::Label1MouseDown(Control& sender, MouseButton b, ShiftState, int, int) {
  if (b != MouseButton::Left) return;
  const int row = RowOf(sender);
  if (row < 0 || row > 9) return;
  ItemRows[row]->SetFontColour(ItemColorDown);
  ItemRows[row]->SetLeft(ItemRows[row]->Left() + 5);
  RowFrames[row]->SetRaised(false);
}

void TZkAutorunForm::Label1MouseUp(Control& sender, MouseButton b, ShiftState, int, int) {
  if (b != MouseButton::Left) return;
  const int row = RowOf(sender);
  if (row < 0 || row > 9) return;
  ItemRows[row]->SetFontColour(ItemColorUp);
  ItemRows[row]->SetLeft(ItemRows[row]->Left() - 5);
  RowFrames[row]->Hide();
}

void TZkAutorunForm::Image1MouseMove(Control&, ShiftState, int, int) {
  if (HoverTab >= 0 && HoverTab != SelectedTab) {
    TabImages[HoverTab]->ClearPicture();
    HoverTab = -1;
  }
  if (!Model.NoContact && SelectedTab == Model.TabCount - 1 && Model.TabCount >= 2) {
    sExplain->Hide();
  } else if (!VendorAdMode) {
    sExplain->Show();
  }
  LeaveHoveredRow();
  const MenuTab* tab = SelectedMenuTab();
  const bool hasItems = tab && !tab->Items.empty();
  sExplain->SetCaption(hasItems ? Model.CdDescription : Model.NoItemText);
  if (HoverChrome == 0) imgMinimize->SetPicture(imgMiniUp);
  if (HoverChrome == 1) imgClose->SetPicture(imgCloseUp);
  HoverChrome = -1;
}

void TZkAutorunForm::imgTitle1MouseMove(Control& sender, ShiftState, int, int) {
  const int t = sender.Tag();
  if (t == HoverTab) return;
  if (HoverTab >= 0 && HoverTab != SelectedTab) TabImages[HoverTab]->ClearPicture();
  HoverTab = t;
  if (t != SelectedTab) TabImages[t]->SetPicture(imgTitleOver);
}

void TZkAutorunForm::imgTitle0Click(Control& sender) {
  const int t = sender.Tag();
  if (t == SelectedTab || t < 0 || t >= static_cast<int>(Model.Tabs.size())) return;
  if (SelectedTab >= 0) {
    TabImages[SelectedTab]->ClearPicture();
    TabCaptions[SelectedTab]->SetFontColour(TabColorUp);
    plAD->Hide();
    plADUp->Hide();
    plItemAD->Hide();
  }
  SelectedTab = t;
  TabImages[t]->SetPicture(imgTitleDown);
  TabCaptions[t]->SetFontColour(TabColorDown);

  ShowFullkitOrNotice(t);

  for (ZkButtonTx* b : ManualButtons) b->Hide();
  HomeTab& home = HomeTab::Instance();
  if (home.HomeTabNumber() == t + 1) {
    // The home tab lists no items, whether its promotion shows (its panel
    // lies over the rows' place) or accepted no page: nothing of the tab
    // before stays to be pointed at, clicked or reached by the keyboard.
    HideItemPage();
    // Nor does the contact page, which would lie over the promotion.
    ShowContactPanel(false);
    home.Show();
    return;
  }
  home.Hide();
  if (!Model.NoContact && t == ContactTab() && Model.TabCount > 1) {
    sExplain->Hide();
    HideItemPage();
    ShowContactPanel(true);
    return;
  }
  sExplain->Show();
  ShowContactPanel(false);
  CurrentPage = 0;
  if (static_cast<int>(AdPages.size()) < t + 1) {
    ShowItemPage(t, 0);
  } else {
    if (wbAD) wbAD->Navigate(AdPages[t]);
    if (wbADUp) wbADUp->Navigate(AdPages[t]);
    plAD->Show();
    plADUp->Show();
  }
}

void TZkAutorunForm::ImgNextClick(Control&) {
  CurrentPage += 1;
  ShowItemPage(SelectedTab, CurrentPage);
}

void TZkAutorunForm::ImgPrevClick(Control&) {
  CurrentPage -= 1;
  ShowItemPage(SelectedTab, CurrentPage);
}

void TZkAutorunForm::ShowContactPanel(bool show) {
  if (show && wbContact) wbContact->SetBounds(-1, -1, 650, 450);
  plBrowser->SetVisible(show);
  ShowSideButtons(!show);
  zkbPrevious->Hide();
  zkbNext->Hide();
}

void TZkAutorunForm::ShowSideButtons(bool visible) {
  for (int j = 0; j < 5; ++j) SideButtons[j]->SetVisible(Model.ButtonShown[j] && visible);
}

}  // namespace pikko
