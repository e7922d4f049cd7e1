// A three-state check box drawn from twelve bitmaps: four looks (raised,
// sunken, focused, disabled) for each of unchecked, checked and grayed.
#pragma once

#include <string>

#include "Component/ZkAppearance_win.h"
#include "Component/ZkLogic.h"

namespace pikko {

class ZkCheckBox;

// The three groups of bitmaps of a check box.
class ZkChkBoxAppearance {
 public:
  explicit ZkChkBoxAppearance(ZkCustomControl& control)
      : Uncheck(control, 0), Check(control, 4), Gray(control, 8) {}
  void SetUncheck(const ZkFourStateAppearance& a) { a.AssignTo(Uncheck); }
  void SetCheck(const ZkFourStateAppearance& a) { a.AssignTo(Check); }
  void SetGray(const ZkFourStateAppearance& a) { a.AssignTo(Gray); }
  void AssignTo(ZkChkBoxAppearance& dest) const {
    Uncheck.AssignTo(dest.Uncheck);
    Check.AssignTo(dest.Check);
    Gray.AssignTo(dest.Gray);
  }
  ZkFourStateAppearance Uncheck;
  ZkFourStateAppearance Check;
  ZkFourStateAppearance Gray;
};

class ZkCheckBox : public ZkCustomControl {
 public:
  explicit ZkCheckBox(std::string name);

  CheckState State() const { return state_; }
  // Keeps the look (raised, sunken ...) and switches the group.
  void SetState(CheckState s);
  bool GetChecked() const override { return state_ == CheckState::Checked; }
  void SetChecked(bool v) override { SetState(v ? CheckState::Checked : CheckState::Unchecked); }
  bool AllowGrayed = false;
  ZkChkBoxAppearance& Appearance() { return appearance_; }

  bool LoadUnchecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                     const std::string& focused, const std::string& disabled) {
    return appearance_.Uncheck.Load(folder, raised, sunken, focused, disabled);
  }
  bool LoadChecked(const std::string& folder, const std::string& raised, const std::string& sunken,
                   const std::string& focused, const std::string& disabled) {
    return appearance_.Check.Load(folder, raised, sunken, focused, disabled);
  }
  bool LoadGrayed(const std::string& folder, const std::string& raised, const std::string& sunken,
                  const std::string& focused, const std::string& disabled) {
    return appearance_.Gray.Load(folder, raised, sunken, focused, disabled);
  }

  // Look 0 raised, 1 sunken, 2 focused, 3 disabled, of the current state.
  void ShowChkboxBmp(int look) { ShowBitmap(CheckBoxLookIndex(state_, look)); }
  void ShowRaised() override { ShowChkboxBmp(0); }
  void ShowSunken() override { ShowChkboxBmp(1); }
  void ShowFocused() override { ShowChkboxBmp(2); }
  void ShowDisabled() override { ShowChkboxBmp(3); }
  int Substitute(int index) override { return CheckBoxSubstitute(index); }
  // The next state, then OnClick.
  void Click() override;
  void BitmapChanged(Bitmap& sender) override;

 protected:
  void KeyPress(char key, bool repeated) override;

 private:
  CheckState state_ = CheckState::Unchecked;
  ZkChkBoxAppearance appearance_;
  // ZkCustomControl's own handling of a changed bitmap (size, shape, redraw).
  std::function<void(Bitmap&)> savedChange_;
};

}  // namespace pikko
