#include "promotion/Hometabpromotion.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "env/PlatformTags.h"
#include "env/Text.h"
#include "env/Translation.h"

namespace pikko {
namespace {

constexpr int kShowNormal = 1;  // the shell's "show normal"
constexpr int kNextLeft = 580, kPreviousLeft = 535, kPageButtonTop = 355;

int ReadInteger(const std::string& file, const char* section, const char* key, int def) {
  return StrToIntDef(Ini().ReadString(file, section, key, ""), def);
}

// The numbers of the file's page sections from 1 to count, ascending. The
// sections are listed once instead of asking for every number, so that a
// "Number" far beyond the pages a disc holds costs nothing.
std::vector<int> PageNumbers(const std::string& file, int count) {
  std::set<int> numbers;
  for (const std::string& name : Ini().SectionNames(file)) {
    const int n = PageNumberOfSection(name);
    if (n >= 1 && n <= count) numbers.insert(n);
  }
  return {numbers.begin(), numbers.end()};
}

PageButtonLook PageButton(const std::string& folder, int left, const char* stem) {
  const std::string base = folder + "\\" + stem;
  return {left, kPageButtonTop, base + "_n.bmp", base + "_d.bmp", base + "_o.bmp", base + "_f.bmp"};
}

}  // namespace

int RotationIntervalMs(int seconds) {
  if (seconds <= 0) return 0;
  const std::int64_t ms = static_cast<std::int64_t>(seconds) * 1000;
  return static_cast<int>(std::min<std::int64_t>(ms, 0x7FFFFFFF));
}

HomeTab& HomeTab::Instance() {
  // Process-wide, never destroyed before the process ends.
  static HomeTab* instance = new HomeTab;
  return *instance;
}

void HomeTab::Reset() {
  folder_.clear();
  panel_ = nullptr;
  view_ = nullptr;
  initialised_ = false;
  homeTabNumber_ = -1;
  currentPage_ = 0;
  pages_.clear();
  platformTag_.clear();
  languageTag_.clear();
  languageId_.clear();
  hasTimer_ = false;
  timerIntervalMs_ = 0;
  timerRunning_ = false;
  shown_ = false;
  hovered_ = false;
  previousEnabled_ = nextEnabled_ = false;
}

bool HomeTab::Load(const std::string& promotionFile) {
  pages_.clear();
  currentPage_ = 0;
  hasTimer_ = false;
  timerIntervalMs_ = 0;
  if (!Files().FileExists(promotionFile)) return false;
  homeTabNumber_ = ReadInteger(promotionFile, "Setting", "Tab", -1);
  const int number = ReadInteger(promotionFile, "Setting", "Number", 0);
  const int interval = ReadInteger(promotionFile, "Setting", "Interval", 0);

  platformTag_.clear();
  languageTag_.clear();
  languageId_.clear();
  if (ReadSpecifiedOs(platformTag_, languageTag_)) {
    // The running system's own tag counts, not the one the record names.
    if (!DetectPlatform(platformTag_, languageId_)) return false;
  }
  if (languageTag_.empty()) languageTag_ = LookUpLanguageTag(promotionFile, languageId_, "English");
  StripComment(languageTag_);

  std::string pageFolder;
  if (!languageTag_.empty())
    pageFolder = Ini().ReadString(promotionFile, "HtmlPath", languageTag_, "");
  if (pageFolder.empty()) pageFolder = Ini().ReadString(promotionFile, "HtmlPath", "Default", "");

  for (int n : PageNumbers(promotionFile, number)) {
    auto page = std::make_unique<PromotionPage>();
    if (page->Load(promotionFile, pageFolder, n, folder_)) pages_.push_back(std::move(page));
  }

  if (interval > 0 && pages_.size() > 1) {
    hasTimer_ = true;
    timerIntervalMs_ = RotationIntervalMs(interval);
    if (view_ != nullptr) view_->CreateRotationTimer(timerIntervalMs_);
  }
  return !pages_.empty();
}

bool HomeTab::Init(WindowHandle panel, const std::string& folder, HomeTabView* view) {
  // Everything of an earlier window goes, so that a second window (tests
  // build many) never sees the first one's home tab or view.
  Reset();
  if (panel == nullptr || view == nullptr) return false;
  panel_ = panel;
  view_ = view;
  folder_ = folder;
  while (!folder_.empty() && folder_.back() == '\\') folder_.pop_back();

  if (!Load(folder_ + "\\" + kPromotionFileName)) {
    view_ = nullptr;
    return false;
  }
  view_->CreateBrowser();
  view_->CreateInstallButton({Translate("Install Now"), "Microsoft Sans Serif", 20, 0xFFFFFF});
  UpdateInstallButton();
  if (pages_.size() >= 2) {
    view_->CreatePageButtons(PageButton(folder_, kNextLeft, "next"),
                             PageButton(folder_, kPreviousLeft, "previous"));
    SetPageButtons(false, true);
  }
  initialised_ = true;
  Hide();
  return true;
}

void HomeTab::Detach() { Reset(); }

bool HomeTab::Show() {
  if (!initialised_) return false;
  StopTimer();
  view_->Navigate(pages_[static_cast<std::size_t>(currentPage_)]->PagePath);
  view_->SetPanelVisible(true);
  shown_ = true;
  // The pages stay while the pointer rests on the install button.
  if (!hovered_) StartTimer();
  return true;
}

void HomeTab::Hide() {
  if (!initialised_) return;
  view_->SetPanelVisible(false);
  StopTimer();
  shown_ = false;
  hovered_ = false;
}

void HomeTab::UpdateInstallButton() {
  const PromotionPage& page = *pages_[static_cast<std::size_t>(currentPage_)];
  if (!page.HasInstallButton) {
    view_->HideInstallButton();
    // A hidden button sends no leave: the pointer has left it all the same.
    if (hovered_) InstallMouseLeave();
    return;
  }
  const std::string base = folder_ + "\\";
  view_->ShowInstallButton({page.ButtonLeft, page.ButtonTop, page.ButtonWidth, page.ButtonHeight,
                            base + page.ButtonImages[0], base + page.ButtonImages[1],
                            base + page.ButtonImages[2]});
}

void HomeTab::SetPageButtons(bool previous, bool next) {
  if (pages_.size() < 2) return;  // there are no page buttons
  previousEnabled_ = previous;
  nextEnabled_ = next;
  view_->EnablePageButtons(previous, next);
}

void HomeTab::StartTimer() {
  if (!hasTimer_) return;
  view_->StartRotationTimer();
  timerRunning_ = true;
}

void HomeTab::StopTimer() {
  if (!hasTimer_) return;
  view_->StopRotationTimer();
  timerRunning_ = false;
}

void HomeTab::NextClick() {
  // A click that would leave the pages (a disabled button should never
  // send one) changes nothing.
  if (!initialised_ || currentPage_ >= LastPage()) return;
  ++currentPage_;
  Show();
  UpdateInstallButton();
  SetPageButtons(true, currentPage_ != LastPage());
}

void HomeTab::PreviousClick() {
  if (!initialised_ || currentPage_ <= 0) return;
  --currentPage_;
  Show();
  UpdateInstallButton();
  SetPageButtons(currentPage_ != 0, true);
}

void HomeTab::RotationTimerTick() {
  // A tick that was already on its way when the promotion was hidden is
  // dropped.
  if (!initialised_ || !shown_ || pages_.size() < 2) return;
  currentPage_ = currentPage_ >= LastPage() ? 0 : currentPage_ + 1;
  // The timer sets the buttons before the page shows; a middle page keeps
  // the states they have.
  if (currentPage_ == LastPage()) {
    SetPageButtons(true, false);
  } else if (currentPage_ == 0) {
    SetPageButtons(false, true);
  }
  Show();
  UpdateInstallButton();
}

std::string HomeTab::CurrentInstaller() const {
  if (pages_.empty()) return {};
  return pages_[static_cast<std::size_t>(currentPage_)]->ProductFolder(folder_) + kProductInstaller;
}

void HomeTab::InstallClick() {
  if (!initialised_ || !pages_[static_cast<std::size_t>(currentPage_)]->HasInstallButton) return;
  const std::string installer = CurrentInstaller();
  const std::intptr_t result =
      Shell().Execute(nullptr, "open", installer, "", ExtractFilePath(installer), kShowNormal);
  // A failed start is not reported: the menu stays as it was.
  if (result > 32) view_->MinimiseApplication();
}

void HomeTab::InstallMouseEnter() {
  if (!initialised_) return;
  hovered_ = true;
  StopTimer();
}

void HomeTab::InstallMouseLeave() {
  if (!initialised_) return;
  hovered_ = false;
  if (shown_) StartTimer();
}

}  // namespace pikko
