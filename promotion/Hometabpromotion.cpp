#include "promotion/Hometabpromotion.h"

namespace pikko {

HomeTab& HomeTab::Instance() {
  // Process-wide, never destroyed before the process ends.
  static HomeTab* instance = new HomeTab;
  return *instance;
}

void HomeTab::Init(WindowHandle panel, const std::string& folder) {
  panel_ = panel;
  folder_ = folder;
}

}  // namespace pikko
