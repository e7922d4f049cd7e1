#include "toolkit/Control_win.h"

#include "toolkit/WindowedControl_win.h"

namespace pikko {

Control::~Control() {
  if (parent_) parent_->RemoveChild(*this);
}

void Control::SetBounds(int left, int top, int width, int height) {
  if ((width != width_ || height != height_) && !CanResize(width, height)) {
    width = width_;
    height = height_;
  }
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const RECT old = BoundsRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged(old);
}

void Control::BoundsChanged(const RECT& old) {
  if (parent_ && visible_) {
    parent_->InvalidateArea(old);
    Invalidate();
  }
}

void Control::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  VisibilityChanged();
  // A control that is hidden always repaints the area it leaves.
  if (!v && parent_) parent_->InvalidateArea(BoundsRect());
}

void Control::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Invalidate();
}

void Control::Invalidate() {
  if (parent_ && visible_) parent_->InvalidateArea(BoundsRect());
}

void Control::MouseMove(ShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void Control::MouseDown(MouseButton b, ShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, b, shift, x, y);
}

void Control::MouseUp(MouseButton b, ShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, b, shift, x, y);
}

void Control::Click() {
  if (OnClick) OnClick(*this);
}

void Control::DblClick() {
  if (OnDblClick) OnDblClick(*this);
}

bool GraphicControl::HitTest(int x, int y) const {
  return x >= Left() && y >= Top() && x < Left() + Width() && y < Top() + Height();
}

}  // namespace pikko
