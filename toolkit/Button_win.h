// A plain picture button painted by its parent: a picture for each of the
// normal, pressed and hover states and an optional caption.
#pragma once

#include "toolkit/Bitmap_win.h"
#include "toolkit/Label_win.h"

namespace pikko {

class PictureButton : public Label {
 public:
  enum State { Normal = 0, Pressed = 1, Hover = 2, Disabled = 3 };
  using Label::Label;
  Bitmap& StatePicture(State s) { return pictures_[s]; }
  void SetHoverColour(TColor c) { hoverColour_ = c; }
  void SetPressedColour(TColor c) { pressedColour_ = c; }
  State CurrentState() const;
  void Paint(HDC dc) override;
  void MouseMove(ShiftState shift, int x, int y) override;
  void MouseDown(MouseButton b, ShiftState shift, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState shift, int x, int y) override;
  void MouseLeave() override;

 private:
  Bitmap pictures_[4];
  bool hover_ = false;
  bool pressed_ = false;
  TColor hoverColour_ = RGB(0, 0, 255);
  TColor pressedColour_ = RGB(0, 0, 128);
};

}  // namespace pikko
