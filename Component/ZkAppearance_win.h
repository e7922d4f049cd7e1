// The appearances of the skinned controls: the objects through which a
// control's state bitmaps are named (raised, sunken, focused, disabled) and
// loaded from files. Writing a bitmap copies its pixels into the control's
// own state bitmap; reading gives the control's bitmap itself.
#pragma once

#include <string>
#include <vector>

#include "Component/ZkCustomControl_win.h"

namespace pikko {

class ZkCtrlAppearance {
 public:
  explicit ZkCtrlAppearance(ZkCustomControl& control) : control_(control) {}
  virtual ~ZkCtrlAppearance() = default;
  ZkCtrlAppearance(const ZkCtrlAppearance&) = delete;
  ZkCtrlAppearance& operator=(const ZkCtrlAppearance&) = delete;

 protected:
  void SetStateBitmap(int index, const Bitmap& b) { control_.SetBitmap(&b, index); }
  Bitmap& StateBitmap(int index) { return control_.GetBitmap(index); }
  const Bitmap& StateBitmap(int index) const { return control_.GetBitmap(index); }
  // Loads files from folder into the states first, first + 1 ...; an empty
  // name leaves its state as it was. Every file is read before any state
  // changes; a file that cannot be read throws (std::runtime_error naming
  // it) and changes nothing.
  bool LoadBitmaps(const std::string& folder, const std::vector<std::string>& names, int first);

 private:
  ZkCustomControl& control_;
};

class ZkFourStateAppearance : public ZkCtrlAppearance {
 public:
  ZkFourStateAppearance(ZkCustomControl& control, int firstState)
      : ZkCtrlAppearance(control), FFirstState(firstState) {}
  Bitmap& RaisedBmp() { return StateBitmap(FFirstState); }
  Bitmap& SunkenBmp() { return StateBitmap(FFirstState + 1); }
  Bitmap& FocusedBmp() { return StateBitmap(FFirstState + 2); }
  Bitmap& DisabledBmp() { return StateBitmap(FFirstState + 3); }
  void SetRaisedBmp(const Bitmap& b) { SetStateBitmap(FFirstState, b); }
  void SetSunkenBmp(const Bitmap& b) { SetStateBitmap(FFirstState + 1, b); }
  void SetFocusedBmp(const Bitmap& b) { SetStateBitmap(FFirstState + 2, b); }
  void SetDisabledBmp(const Bitmap& b) { SetStateBitmap(FFirstState + 3, b); }
  // Copies the four bitmaps into dest, raised first.
  void AssignTo(ZkFourStateAppearance& dest) const;
  bool Load(const std::string& folder, const std::string& raised, const std::string& sunken,
            const std::string& focused, const std::string& disabled) {
    return LoadBitmaps(folder, {raised, sunken, focused, disabled}, FFirstState);
  }

 private:
  int FFirstState;
};

class ZkThreeStateAppearance : public ZkCtrlAppearance {
 public:
  ZkThreeStateAppearance(ZkCustomControl& control, int firstState)
      : ZkCtrlAppearance(control), FFirstState(firstState) {}
  Bitmap& NormalBmp() { return StateBitmap(FFirstState); }
  Bitmap& FocusedBmp() { return StateBitmap(FFirstState + 1); }
  Bitmap& DisabledBmp() { return StateBitmap(FFirstState + 2); }
  void SetNormalBmp(const Bitmap& b) { SetStateBitmap(FFirstState, b); }
  void SetFocusedBmp(const Bitmap& b) { SetStateBitmap(FFirstState + 1, b); }
  void SetDisabledBmp(const Bitmap& b) { SetStateBitmap(FFirstState + 2, b); }
  void AssignTo(ZkThreeStateAppearance& dest) const;
  bool Load(const std::string& folder, const std::string& normal, const std::string& focused,
            const std::string& disabled) {
    return LoadBitmaps(folder, {normal, focused, disabled}, FFirstState);
  }

 private:
  int FFirstState;
};

}  // namespace pikko
