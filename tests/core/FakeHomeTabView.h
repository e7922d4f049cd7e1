// A recording view of the home-tab promotion: every call of the HomeTab in
// order, as text, and the state the calls leave the panel in.
#pragma once

#include <string>
#include <vector>

#include "promotion/HomeTabView.h"

namespace pikko::testing {

class FakeHomeTabView final : public HomeTabView {
 public:
  void CreateBrowser() override { Record("CreateBrowser"); ++browsers; }
  void Navigate(const std::string& page) override {
    Record("Navigate " + page);
    navigated.push_back(page);
  }
  void SetPanelVisible(bool visible) override {
    Record(visible ? "ShowPanel" : "HidePanel");
    panelVisible = visible;
  }
  void CreateInstallButton(const InstallButtonStyle& style) override {
    Record("CreateInstallButton");
    installStyle = style;
    ++installButtons;
  }
  void ShowInstallButton(const InstallButtonLook& look) override {
    Record("ShowInstallButton " + std::to_string(look.left) + "," + std::to_string(look.top) + " " +
           std::to_string(look.width) + "x" + std::to_string(look.height));
    installLook = look;
    installVisible = true;
  }
  void HideInstallButton() override {
    Record("HideInstallButton");
    installVisible = false;
  }
  void CreatePageButtons(const PageButtonLook& n, const PageButtonLook& p) override {
    Record("CreatePageButtons");
    next = n;
    previous = p;
    ++pageButtonSets;
  }
  void EnablePageButtons(bool p, bool n) override {
    Record(std::string("EnablePageButtons ") + (p ? "1" : "0") + (n ? "1" : "0"));
    previousEnabled = p;
    nextEnabled = n;
  }
  void CreateRotationTimer(int ms) override {
    Record("CreateRotationTimer " + std::to_string(ms));
    timerInterval = ms;
    ++timers;
  }
  void StartRotationTimer() override {
    Record("StartTimer");
    timerRunning = true;
  }
  void StopRotationTimer() override {
    Record("StopTimer");
    timerRunning = false;
  }
  void MinimiseApplication() override {
    Record("Minimise");
    ++minimised;
  }

  // The calls since the last Take, and forgets them.
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(calls);
    return out;
  }

  std::vector<std::string> calls;
  std::vector<std::string> navigated;
  int browsers = 0, installButtons = 0, pageButtonSets = 0, timers = 0, minimised = 0;
  bool panelVisible = false, installVisible = false, timerRunning = false;
  bool previousEnabled = false, nextEnabled = false;
  int timerInterval = 0;
  InstallButtonStyle installStyle;
  InstallButtonLook installLook;
  PageButtonLook next, previous;

 private:
  void Record(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace pikko::testing
