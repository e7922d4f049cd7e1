// A raised or lowered frame painted by its parent.
#pragma once

#include "toolkit/Control_win.h"

namespace pikko {

class Bevel : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  bool Raised() const { return raised_; }
  void SetRaised(bool v);
  void Paint(HDC dc) override;
  // A frame never takes the mouse: the row under it does.
  bool HitTest(int, int) const override { return false; }

 private:
  bool raised_ = true;
};

}  // namespace pikko
