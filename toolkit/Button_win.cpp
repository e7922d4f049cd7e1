#include "toolkit/Button_win.h"

namespace pikko {

PictureButton::State PictureButton::CurrentState() const {
  if (!Enabled()) return Disabled;
  if (pressed_) return Pressed;
  if (hover_) return Hover;
  return Normal;
}

void PictureButton::Paint(HDC dc) {
  State s = CurrentState();
  // A state without its own picture shows the normal one.
  const Bitmap& pic = pictures_[s].Empty() ? pictures_[Normal] : pictures_[s];
  ::IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
  pic.Draw(dc, Left(), Top(), false);
  if (Caption().empty()) return;
  const TColor colour = s == Pressed ? pressedColour_ : s == Hover ? hoverColour_ : GetFont().Style().colour;
  RECT r = BoundsRect();
  if (s == Pressed) ::OffsetRect(&r, 1, 1);
  const int textHeight = GetFont().Style().height + 4;
  r.top += (Height() - textHeight) / 2;
  DrawCaption(dc, r, colour);
}

void PictureButton::MouseMove(ShiftState shift, int x, int y) {
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (inside != hover_) {
    hover_ = inside;
    Invalidate();
  }
  Label::MouseMove(shift, x, y);
}

void PictureButton::MouseDown(MouseButton b, ShiftState shift, int x, int y) {
  if (b == MouseButton::Left) {
    pressed_ = true;
    Invalidate();
  }
  Label::MouseDown(b, shift, x, y);
}

void PictureButton::MouseUp(MouseButton b, ShiftState shift, int x, int y) {
  if (b == MouseButton::Left) {
    pressed_ = false;
    Invalidate();
  }
  Label::MouseUp(b, shift, x, y);
}

void PictureButton::MouseLeave() {
  if (!hover_ && !pressed_) return;
  hover_ = false;
  pressed_ = false;
  Invalidate();
}

}  // namespace pikko
