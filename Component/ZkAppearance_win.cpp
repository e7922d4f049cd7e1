#include "Component/ZkAppearance_win.h"

#include <memory>
#include <stdexcept>

#include "Component/ZkLogic.h"

namespace pikko {

bool ZkCtrlAppearance::LoadBitmaps(const std::string& folder, const std::vector<std::string>& names,
                                   int first) {
  const std::string base = AppearanceFolder(folder);
  std::vector<std::unique_ptr<Bitmap>> loaded(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].empty()) continue;
    loaded[i] = std::make_unique<Bitmap>();
    if (!loaded[i]->LoadFromFile(base + names[i]))
      throw std::runtime_error("Cannot open file \"" + base + names[i] + "\"");
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (loaded[i]) SetStateBitmap(first + static_cast<int>(i), *loaded[i]);
  }
  return true;
}

void ZkFourStateAppearance::AssignTo(ZkFourStateAppearance& dest) const {
  auto& self = const_cast<ZkFourStateAppearance&>(*this);
  dest.SetRaisedBmp(self.RaisedBmp());
  dest.SetSunkenBmp(self.SunkenBmp());
  dest.SetFocusedBmp(self.FocusedBmp());
  dest.SetDisabledBmp(self.DisabledBmp());
}

void ZkThreeStateAppearance::AssignTo(ZkThreeStateAppearance& dest) const {
  auto& self = const_cast<ZkThreeStateAppearance&>(*this);
  dest.SetNormalBmp(self.NormalBmp());
  dest.SetFocusedBmp(self.FocusedBmp());
  dest.SetDisabledBmp(self.DisabledBmp());
}

}  // namespace pikko
