#include "Component/ZkControlState.h"

namespace pikko {

void ZkControlState::SetShowMouseOver(bool v) {
  if (v == showMouseOver_) return;
  if (!v) CancelHover();
  showMouseOver_ = v;
}

void ZkControlState::SetClicksDisabled(bool v) {
  if (v == clicksDisabled_) return;
  if (!v) CancelPress();
  clicksDisabled_ = v;
}

void ZkControlState::Press() {
  if (!host_.HasFocus() && host_.IsTabStop()) host_.TakeFocus();
  host_.ShowSunken();
}

void ZkControlState::ShowReleased() {
  if (Hovered() || host_.HasFocus()) {
    host_.ShowFocused();
  } else {
    host_.ShowRaised();
  }
}

void ZkControlState::CancelPress() {
  if (!Pressed()) return;
  ShowReleased();
  keyPressed_ = mousePressed_ = false;
}

void ZkControlState::CancelHover() {
  if (!mouseInside_) return;
  mouseInside_ = false;
  if (!mousePressed_ && !host_.HasFocus() && showMouseOver_) host_.ShowRaised();
}

void ZkControlState::MouseEnter(bool leftButtonDown) {
  if (leftButtonDown) {
    // Dragged back in with the button still down: pressed again.
    Press();
    mousePressed_ = true;
  } else if (showMouseOver_ && !host_.HasFocus()) {
    host_.ShowFocused();
  }
  mouseInside_ = true;
  host_.FireMouseEnter();
}

void ZkControlState::MouseLeave() {
  mouseInside_ = false;
  if (mousePressed_) {
    // Dragged out while pressed: released without a click, and the exit
    // is not announced.
    mousePressed_ = false;
    if (!keyPressed_) ShowReleased();
    return;
  }
  if (!host_.HasFocus() && showMouseOver_) host_.ShowRaised();
  host_.FireMouseLeave();
}

void ZkControlState::MouseMove(int x, int y, bool leftButtonDown) {
  if (!showMouseOver_ && clicksDisabled_) return;
  host_.TrackMouseLeave();
  const bool inside = host_.IsPointInside(x, y);
  if (inside && !mouseInside_) {
    MouseEnter(leftButtonDown);
  } else if (!inside && mouseInside_) {
    MouseLeave();
  }
}

void ZkControlState::MouseDown(bool leftButton, int x, int y) {
  if (!leftButton || clicksDisabled_ || !host_.IsPointInside(x, y)) return;
  mousePressed_ = true;
  if (!keyPressed_) Press();
}

void ZkControlState::MouseUp(bool leftButton) {
  if (!leftButton || clicksDisabled_) return;
  if (mousePressed_ && !keyPressed_) ShowReleased();
  mousePressed_ = false;
}

void ZkControlState::KeyDown(unsigned key) {
  if (clicksDisabled_ || (key != kKeySpace && key != kKeyEnter)) return;
  keyPressed_ = true;
  if (!mousePressed_) Press();
}

void ZkControlState::KeyUp(unsigned key) {
  if (clicksDisabled_ || (key != kKeySpace && key != kKeyEnter) || mousePressed_) return;
  if (keyPressed_) ShowReleased();
  keyPressed_ = false;
}

void ZkControlState::FocusGained() {
  if (!Pressed() && !Hovered()) host_.ShowFocused();
}

void ZkControlState::FocusLost() {
  if (Pressed()) {
    // A mouse press survives the focus change; a key press does not.
    if (!mousePressed_) {
      ShowReleased();
      keyPressed_ = false;
    }
    return;
  }
  if (!Hovered()) host_.ShowRaised();
}

void ZkControlState::MouseLeaveNotification() {
  if (mouseInside_) MouseLeave();
}

void ZkControlState::CaptureLost() {
  // No release and no further moves come for this press: it ends here,
  // without a click, and the next move inside enters again.
  if (mousePressed_) MouseLeave();
}

void ZkControlState::EnabledChanging(bool enabled) {
  if (enabled) {
    host_.ShowRaised();
    return;
  }
  CancelPress();
  CancelHover();
  host_.ShowDisabled();
}

}  // namespace pikko
