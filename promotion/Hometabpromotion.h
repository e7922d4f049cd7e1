// The home-tab promotion: product pages shown on one tab of the menu,
// configured by the disc's "HomeTab\HomeTab.ini", one at a time in the
// promotion panel's browser, with an install button, previous and next
// buttons and a rotation timer.
//
// Ownership: there is one HomeTab per process (Instance), created on first
// use and never destroyed. It owns its pages. The window owns the view
// (HomeTabView.h) and the panel with every control on it; the HomeTab only
// borrows the view from Init until Detach, which the window calls before
// its controls go.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Ports.h"
#include "promotion/HomeTabView.h"
#include "promotion/PromotionPage.h"

namespace pikko {

class HomeTab {
 public:
  static HomeTab& Instance();

  // A promotion of its own, for tests; the program uses Instance.
  HomeTab() = default;
  virtual ~HomeTab() = default;
  HomeTab(const HomeTab&) = delete;
  HomeTab& operator=(const HomeTab&) = delete;

  // Reads the promotion file and accepts its pages; true when at least one
  // page is shown. Called by Init.
  virtual bool Load(const std::string& promotionFile);
  // Sets the promotion up on the panel through the view (both borrowed):
  // true when at least one page was accepted. Without a panel or a view
  // nothing is read and no tab is the home tab. Ends hidden.
  virtual bool Init(WindowHandle panel, const std::string& folder, HomeTabView* view = nullptr);
  // Shows the current page; false while not initialised.
  virtual bool Show();
  virtual void Hide();
  // Forgets the view and the panel: not initialised afterwards, no home tab.
  void Detach();

  // The home tab, counted from 1; -1 until the promotion file is read, and
  // kept when loading failed after that.
  int HomeTabNumber() const { return homeTabNumber_; }
  bool IsHomeTabWithin(int tabCount) const {
    return initialised_ && homeTabNumber_ >= 1 && homeTabNumber_ <= tabCount;
  }

  // Events of the view's controls.
  void NextClick();
  void PreviousClick();
  void RotationTimerTick();
  void InstallClick();
  void InstallMouseEnter();
  void InstallMouseLeave();

  bool Initialised() const { return initialised_; }
  bool Shown() const { return shown_; }
  int CurrentPage() const { return currentPage_; }
  const std::vector<std::unique_ptr<PromotionPage>>& Pages() const { return pages_; }
  bool HasTimer() const { return hasTimer_; }
  int TimerIntervalMs() const { return timerIntervalMs_; }
  bool TimerRunning() const { return timerRunning_; }
  bool PreviousEnabled() const { return previousEnabled_; }
  bool NextEnabled() const { return nextEnabled_; }
  const std::string& Folder() const { return folder_; }
  const std::string& PlatformTag() const { return platformTag_; }
  const std::string& LanguageTag() const { return languageTag_; }
  const std::string& LanguageId() const { return languageId_; }
  // The product installer of the current page; empty without pages.
  std::string CurrentInstaller() const;

 private:
  void Reset();
  void UpdateInstallButton();
  void SetPageButtons(bool previous, bool next);
  void StartTimer();
  void StopTimer();
  int LastPage() const { return static_cast<int>(pages_.size()) - 1; }

  std::string folder_;
  WindowHandle panel_ = nullptr;
  HomeTabView* view_ = nullptr;
  bool initialised_ = false;
  int homeTabNumber_ = -1;
  int currentPage_ = 0;
  std::vector<std::unique_ptr<PromotionPage>> pages_;
  std::string platformTag_, languageTag_, languageId_;
  bool hasTimer_ = false;
  int timerIntervalMs_ = 0;
  bool timerRunning_ = false;
  bool shown_ = false;
  bool hovered_ = false;  // the pointer rests on the install button
  bool previousEnabled_ = false, nextEnabled_ = false;
};

// The rotation interval in milliseconds for an "Interval" in seconds, kept
// within the timer's range.
int RotationIntervalMs(int seconds);

}  // namespace pikko
