// A recording view of the home-tab promotion: every call in order, as text,
// and the last state each call left.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "promotion/HomeTabView.h"

namespace pikko::testing {

class FakeHomeTabView final : public HomeTabView {
 public:
  void CreateBrowser() override { Record("CreateBrowser"); }
  void Navigate(const std::string& page) override { Record("Navigate " + page); }
  void SetPanelVisible(bool visible) override { Record(visible ? "ShowPanel" : "HidePanel"); }
  void CreateInstallButton(const InstallButtonStyle& s) override {
    Record("CreateInstallButton");
    style = s;
  }
  void ShowInstallButton(const InstallButtonLook& look) override {
    Record("ShowInstallButton " + std::to_string(look.left) + "," + std::to_string(look.top) + " " +
           std::to_string(look.width) + "x" + std::to_string(look.height));
    install = look;
  }
  void HideInstallButton() override { Record("HideInstallButton"); }
  void CreatePageButtons(const PageButtonLook& n, const PageButtonLook& p) override {
    Record("CreatePageButtons");
    next = n;
    previous = p;
  }
  void EnablePageButtons(bool p, bool n) override {
    Record(std::string("EnablePageButtons ") + (p ? "1" : "0") + (n ? "1" : "0"));
  }
  void CreateRotationTimer(int ms) override { Record("CreateRotationTimer " + std::to_string(ms)); }
  void StartRotationTimer() override { Record("StartTimer"); }
  void StopRotationTimer() override { Record("StopTimer"); }
  void MinimiseApplication() override { Record("Minimise"); }

  // The calls since the last Take.
  std::vector<std::string> Take() { return std::exchange(calls, {}); }

  std::vector<std::string> calls;
  InstallButtonStyle style;
  InstallButtonLook install;
  PageButtonLook next, previous;

 private:
  void Record(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace pikko::testing
