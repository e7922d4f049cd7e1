// The home-tab promotion on the menu window's promotion panel: the browser,
// the install button, the previous and next buttons and the rotation timer
// that the portable HomeTab asks for, with every event of theirs handed back
// to that HomeTab.
//
// Ownership: the window owns this view (and the panel); the view owns the
// controls it creates on the panel and the timer. The window calls
// HomeTab::Detach before it lets the view go, and lets the view go before
// the panel. A view serves one HomeTab::Init; a window that sets the
// promotion up again makes a new view.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Component/ZkButtonTx_win.h"
#include "browser/WebBrowser_win.h"
#include "promotion/HomeTabView.h"
#include "promotion/Hometabpromotion.h"
#include "toolkit/Panel_win.h"
#include "toolkit/Timer_win.h"

namespace pikko {

class HomeTabPanelView final : public HomeTabView {
 public:
  // Both are borrowed: the HomeTab the events go to, and the panel (with its
  // window) that the controls are placed on.
  HomeTabPanelView(HomeTab& home, Panel& panel);
  ~HomeTabPanelView() override;
  HomeTabPanelView(const HomeTabPanelView&) = delete;
  HomeTabPanelView& operator=(const HomeTabPanelView&) = delete;

  void CreateBrowser() override;
  void Navigate(const std::string& page) override;
  void SetPanelVisible(bool visible) override;
  void CreateInstallButton(const InstallButtonStyle& style) override;
  void ShowInstallButton(const InstallButtonLook& look) override;
  void HideInstallButton() override;
  void CreatePageButtons(const PageButtonLook& next, const PageButtonLook& previous) override;
  void EnablePageButtons(bool previous, bool next) override;
  void CreateRotationTimer(int intervalMs) override;
  void StartRotationTimer() override;
  void StopRotationTimer() override;
  void MinimiseApplication() override;

  // The menu window holds the browser back until its first paint: the
  // browser library is heavy to load. Until MakeHeldBrowser the view keeps
  // the last page it was asked for and shows it in the browser then. The
  // buttons' pressed and pointed pictures, which the first paint cannot
  // show, are loaded then too.
  void HoldBrowser() { holdBrowser_ = true; }
  void MakeHeldBrowser();

  // What the view has created; null before (the browser also when the
  // system has no browser control, or while it is held back).
  WebBrowser* Browser() const { return browser_.get(); }
  ZkButtonTx* InstallButton() const { return install_.get(); }
  ZkButtonTx* NextButton() const { return next_.get(); }
  ZkButtonTx* PreviousButton() const { return previous_.get(); }
  Timer* RotationTimer() const { return timer_.get(); }

 private:
  std::unique_ptr<ZkButtonTx> PlaceButton(const std::string& name, int left, int top);

  void MakeBrowser();
  // One state picture of a button, now or, held back, with the browser.
  void LoadPicture(ZkButtonTx& button, int state, const std::string& path);
  void ForgetHeldPictures(const ZkButtonTx* button);

  HomeTab& home_;
  Panel& panel_;
  bool holdBrowser_ = false;
  bool browserWanted_ = false;
  std::string pendingPage_;
  struct HeldPicture {
    ZkButtonTx* button;
    int state;
    std::string path;
  };
  std::vector<HeldPicture> heldPictures_;
  // Declared so that they go in reverse: the timer first (no tick reaches a
  // view that is going), then the buttons, then the browser.
  std::unique_ptr<WebBrowser> browser_;
  std::unique_ptr<ZkButtonTx> install_, next_, previous_;
  std::unique_ptr<Timer> timer_;
};

// Loads a BMP file into one state of a skinned button. A picture that is
// missing or unreadable leaves that state without a picture (it is cleared)
// and gives false; nothing is thrown. An empty path clears the state too.
bool LoadStatePicture(ZkButton& button, int state, const std::string& path);

}  // namespace pikko
