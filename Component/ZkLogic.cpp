#include "Component/ZkLogic.h"

#include <algorithm>

namespace pikko {

std::string AppearanceFolder(const std::string& folder) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == ':')) return folder;
  return folder + "\\";
}

int CheckBoxSubstitute(int index) {
  const int r = index % 4;
  return r == 0 ? 0 : index - r;
}

int CheckBoxLookIndex(CheckState state, int look) {
  return static_cast<int>(state) * 4 + look;
}

CheckState NextCheckState(CheckState state, bool allowGrayed) {
  switch (state) {
    case CheckState::Unchecked:
      return allowGrayed ? CheckState::Grayed : CheckState::Checked;
    case CheckState::Grayed:
      return CheckState::Checked;
    case CheckState::Checked:
      break;
  }
  return CheckState::Unchecked;
}

int IndicatorStart(int origin, int indicatorSize, int scrollPos) {
  // Half the size, truncated toward zero.
  return origin - indicatorSize / 2 + scrollPos;
}

int DraggedPosition(int scrollPos, int delta, int length) {
  int pos = scrollPos + delta;
  pos = std::min(pos, length);
  return std::max(pos, 0);
}

}  // namespace pikko
