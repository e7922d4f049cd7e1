#include "Component/ZkControl_win.h"

namespace pikko {

ZkControl::ZkControl(std::string name, bool clicksDisabled)
    : WindowedControl(std::move(name)), state_(*this, clicksDisabled) {}

void ZkControl::SetEnabled(bool v) {
  if (v == Enabled()) return;
  state_.EnabledChanging(v);
  WindowedControl::SetEnabled(v);
}

bool ZkControl::IsPointInside(int x, int y) const {
  return x >= 0 && y >= 0 && x < Width() && y < Height();
}

void ZkControl::MouseMove(ShiftState shift, int x, int y) {
  state_.MouseMove(x, y, (shift & ssLeft) != 0);
  WindowedControl::MouseMove(shift, x, y);
}

void ZkControl::MouseDown(MouseButton b, ShiftState shift, int x, int y) {
  state_.MouseDown(b == MouseButton::Left, x, y);
  WindowedControl::MouseDown(b, shift, x, y);
}

void ZkControl::MouseUp(MouseButton b, ShiftState shift, int x, int y) {
  state_.MouseUp(b == MouseButton::Left);
  WindowedControl::MouseUp(b, shift, x, y);
}

void ZkControl::MouseLeave() { state_.MouseLeaveNotification(); }

void ZkControl::CaptureLost() {
  state_.CaptureLost();
  WindowedControl::CaptureLost();
}

void ZkControl::KeyDown(unsigned key, ShiftState shift) {
  state_.KeyDown(key);
  WindowedControl::KeyDown(key, shift);
}

void ZkControl::KeyUp(unsigned key, ShiftState shift) {
  state_.KeyUp(key);
  WindowedControl::KeyUp(key, shift);
}

void ZkControl::DoEnter() {
  hasFocus_ = true;
  state_.FocusGained();
  WindowedControl::DoEnter();
}

void ZkControl::DoExit() {
  hasFocus_ = false;
  // Disabling a focused control takes its focus away: it keeps the
  // disabled look it has just been given.
  if (Enabled()) state_.FocusLost();
  WindowedControl::DoExit();
}

void ZkControl::TrackMouseLeave() {
  if (!Handle()) return;
  TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
  ::TrackMouseEvent(&tme);
}

void ZkControl::FireMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void ZkControl::FireMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

}  // namespace pikko
