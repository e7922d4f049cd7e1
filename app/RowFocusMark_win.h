// The dotted focus rectangle around the item row the keyboard has reached.
// Painted by the form over the rows; it never takes the mouse.
#pragma once

#include "toolkit/Control_win.h"

namespace pikko {

class RowFocusMark : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  void Paint(HDC dc) override;
  bool HitTest(int, int) const override { return false; }
};

}  // namespace pikko
