// A tile with three state bitmaps (normal, focused, disabled) that never
// shows a pressed look; it tells double clicks (OnDblClick).
#pragma once

#include <string>

#include "Component/ZkAppearance_win.h"

namespace pikko {

class ZkBrick : public ZkCustomControl {
 public:
  explicit ZkBrick(std::string name);

  ZkThreeStateAppearance& Appearance() { return appearance_; }
  void SetAppearance(const ZkThreeStateAppearance& a) { a.AssignTo(appearance_); }
  bool LoadBitmap(const std::string& folder, const std::string& normal, const std::string& focused,
                  const std::string& disabled) {
    return appearance_.Load(folder, normal, focused, disabled);
  }

  void ShowFocused() override { ShowBitmap(1); }
  void ShowDisabled() override { ShowBitmap(2); }

 private:
  ZkThreeStateAppearance appearance_;
};

}  // namespace pikko
