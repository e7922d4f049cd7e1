#include "promotion/HomeTabPanelView_win.h"

#include <algorithm>
#include <array>
#include <exception>

#include "env/Text.h"
#include "toolkit/Application_win.h"

namespace pikko {
namespace {

// The browser is larger than the panel on both sides so that the page's own
// scroll bars fall outside the panel, which clips them.
constexpr int kBrowserOverhang = 200;
constexpr int kScreenDpi = 96, kPointsPerInch = 72;

enum State { kRaised = 0, kSunken = 1, kFocused = 2, kDisabled = 3 };

}  // namespace

bool LoadStatePicture(ZkButton& button, int state, const std::string& path) {
  if (!path.empty()) {
    std::array<std::string, 4> names;
    names.at(static_cast<std::size_t>(state)) = ExtractFileName(path);
    std::string folder = ExtractFilePath(path);
    if (folder.empty()) folder = ".";
    try {
      button.LoadBitmap(folder, names[0], names[1], names[2], names[3]);
      return true;
    } catch (const std::exception&) {
      // The disc's picture is missing or is no bitmap: the button goes on
      // without it rather than the whole promotion failing for one picture.
    }
  }
  button.SetBitmap(nullptr, state);
  return false;
}

HomeTabPanelView::HomeTabPanelView(HomeTab& home, Panel& panel) : home_(home), panel_(panel) {}

HomeTabPanelView::~HomeTabPanelView() {
  // No tick may arrive once the view starts to go; the controls then leave
  // the panel while it still exists.
  timer_.reset();
  previous_.reset();
  next_.reset();
  install_.reset();
  browser_.reset();
}

void HomeTabPanelView::CreateBrowser() {
  browser_.reset();
  browserWanted_ = true;
  if (!holdBrowser_) MakeBrowser();
}

void HomeTabPanelView::MakeBrowser() {
  // Without a browser control the promotion still works, showing no page.
  if (!panel_.EnsureHandle()) return;
  browser_ = WebBrowser::Create(panel_.Handle(), 0, 0, panel_.Width() + kBrowserOverhang,
                                panel_.Height() + kBrowserOverhang);
}

void HomeTabPanelView::LoadPicture(ZkButtonTx& button, int state, const std::string& path) {
  if (holdBrowser_ && (state == kSunken || state == kFocused)) {
    heldPictures_.push_back({&button, state, path});
    return;
  }
  LoadStatePicture(button, state, path);
}

void HomeTabPanelView::ForgetHeldPictures(const ZkButtonTx* button) {
  heldPictures_.erase(std::remove_if(heldPictures_.begin(), heldPictures_.end(),
                                     [button](const HeldPicture& h) { return h.button == button; }),
                      heldPictures_.end());
}

void HomeTabPanelView::MakeHeldBrowser() {
  if (!holdBrowser_) return;
  holdBrowser_ = false;
  // In the order asked for: a later page's picture replaces an earlier one's.
  for (const HeldPicture& h : heldPictures_) LoadStatePicture(*h.button, h.state, h.path);
  heldPictures_.clear();
  if (!browserWanted_) return;
  MakeBrowser();
  // Made first, the browser would lie under the buttons made after it; held
  // back, it goes under them now.
  if (browser_ && browser_->Window())
    ::SetWindowPos(browser_->Window(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (browser_ && !pendingPage_.empty()) browser_->Navigate(pendingPage_);
  pendingPage_.clear();
}

void HomeTabPanelView::Navigate(const std::string& page) {
  if (holdBrowser_) {
    pendingPage_ = page;
  } else if (browser_) {
    browser_->Navigate(page);
  }
}

void HomeTabPanelView::SetPanelVisible(bool visible) { panel_.SetVisible(visible); }

std::unique_ptr<ZkButtonTx> HomeTabPanelView::PlaceButton(const std::string& name, int left,
                                                          int top) {
  auto button = std::make_unique<ZkButtonTx>(name);
  panel_.AddChild(*button);
  button->SetBounds(left, top, 0, 0);
  button->CreateHandle(&panel_);
  return button;
}

void HomeTabPanelView::CreateInstallButton(const InstallButtonStyle& style) {
  ForgetHeldPictures(install_.get());
  install_.reset();
  install_ = PlaceButton("zkbInstall", 0, 0);
  install_->SetCaption(style.caption);
  FontStyle font;
  font.name = style.fontName;
  font.height = MulDiv(style.fontSize, kScreenDpi, kPointsPerInch);
  font.colour = style.fontColour;
  install_->SetFont(font);
  install_->SetHandCursor(true);
  install_->OnClick = [this](Control&) { home_.InstallClick(); };
  install_->OnMouseEnter = [this](Control&) { home_.InstallMouseEnter(); };
  install_->OnMouseLeave = [this](Control&) { home_.InstallMouseLeave(); };
}

void HomeTabPanelView::ShowInstallButton(const InstallButtonLook& look) {
  if (!install_) return;
  // Every page brings its own pictures; one that cannot be read leaves its
  // state empty instead of showing the last page's.
  LoadPicture(*install_, kSunken, look.sunken);
  LoadPicture(*install_, kFocused, look.focused);
  install_->SetBitmap(nullptr, kDisabled);
  LoadStatePicture(*install_, kRaised, look.raised);
  // A skinned button shows its raised picture one to one: with a picture the
  // button takes the picture's size, as the window's own buttons do, and the
  // page's size only counts for a button that has no picture to show. The
  // caption lies in the page's size all the same, from the button's corner,
  // not in the picture's: a page whose picture carries its own lettering
  // gives no size, and the caption's empty rectangle clips it away.
  install_->SetBounds(look.left, look.top, look.width, look.height);
  install_->SetTextBounds(0, 0, look.width, look.height);
  install_->Show();
}

void HomeTabPanelView::HideInstallButton() {
  if (install_) install_->Hide();
}

void HomeTabPanelView::CreatePageButtons(const PageButtonLook& next,
                                         const PageButtonLook& previous) {
  ForgetHeldPictures(next_.get());
  ForgetHeldPictures(previous_.get());
  next_.reset();
  previous_.reset();
  next_ = PlaceButton("zkbPromotionNext", next.left, next.top);
  previous_ = PlaceButton("zkbPromotionPrevious", previous.left, previous.top);
  const std::pair<ZkButtonTx*, const PageButtonLook*> buttons[] = {{next_.get(), &next},
                                                                   {previous_.get(), &previous}};
  for (const auto& [button, look] : buttons) {
    // Without its raised picture a page button keeps no size: the disc's
    // pictures are its only face.
    LoadPicture(*button, kSunken, look->sunken);
    LoadPicture(*button, kFocused, look->focused);
    LoadStatePicture(*button, kDisabled, look->disabled);
    LoadStatePicture(*button, kRaised, look->raised);
  }
  next_->OnClick = [this](Control&) { home_.NextClick(); };
  previous_->OnClick = [this](Control&) { home_.PreviousClick(); };
}

void HomeTabPanelView::EnablePageButtons(bool previous, bool next) {
  if (previous_) previous_->SetEnabled(previous);
  if (next_) next_->SetEnabled(next);
}

void HomeTabPanelView::CreateRotationTimer(int intervalMs) {
  timer_.reset();
  timer_ = std::make_unique<Timer>();
  timer_->SetInterval(static_cast<unsigned>(std::max(intervalMs, 1)));
  timer_->OnTimer = [this] { home_.RotationTimerTick(); };
}

void HomeTabPanelView::StartRotationTimer() {
  if (!timer_) return;
  // A start while running begins the full interval anew.
  timer_->SetEnabled(false);
  timer_->SetEnabled(true);
}

void HomeTabPanelView::StopRotationTimer() {
  if (timer_) timer_->SetEnabled(false);
}

void HomeTabPanelView::MinimiseApplication() { Application::Instance().Minimize(); }

}  // namespace pikko
