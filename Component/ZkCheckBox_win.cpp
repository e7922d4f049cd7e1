#include "Component/ZkCheckBox_win.h"

namespace pikko {

ZkCheckBox::ZkCheckBox(std::string name)
    : ZkCustomControl(std::move(name), false, 12), appearance_(*this) {
  savedChange_ = [this](Bitmap& b) { ZkCustomControl::BitmapChanged(b); };
}

void ZkCheckBox::SetState(CheckState s) {
  state_ = s;
  ShowChkboxBmp(GetCurrentBitmap() % 4);
}

void ZkCheckBox::Click() {
  SetState(NextCheckState(state_, AllowGrayed));
  ZkCustomControl::Click();
}

void ZkCheckBox::KeyPress(char key, bool repeated) {
  ZkCustomControl::KeyPress(key, repeated);
  // One press, one change: a held Space does not cycle the states.
  if (key == ' ' && !repeated) Click();
}

void ZkCheckBox::BitmapChanged(Bitmap& sender) {
  int index = -1;
  for (int i = 0; i < StateCount(); ++i) {
    if (&GetBitmap(i) == &sender) index = i;
  }
  // The look on show stands in for a missing one: when its stand-in
  // changes, show it again.
  const int shown = Substitute(GetCurrentBitmap());
  if (shown != 0 && index == shown) ShowBitmap(GetCurrentBitmap());
  savedChange_(sender);
}

}  // namespace pikko
