// The home-tab promotion: product pages shown on one tab, configured by the
// disc's "HomeTab\HomeTab.ini". Until that file is read, no tab is the home
// tab and showing or hiding the promotion changes nothing.
#pragma once

#include <string>

#include "platform/Ports.h"

namespace pikko {

class HomeTab {
 public:
  static HomeTab& Instance();
  void Init(WindowHandle panel, const std::string& folder);
  // The home tab, counted from 1; 0 when there is none.
  int HomeTabNumber() const { return homeTabNumber_; }
  bool IsHomeTabWithin(int tabCount) const {
    return homeTabNumber_ >= 1 && homeTabNumber_ <= tabCount;
  }
  void Show() {}
  void Hide() {}

 private:
  WindowHandle panel_ = nullptr;
  std::string folder_;
  int homeTabNumber_ = 0;
};

}  // namespace pikko
