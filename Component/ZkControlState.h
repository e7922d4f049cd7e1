// The interaction state machine of the skinned controls: hover, mouse press
// and keyboard press, and which of the four looks (raised, sunken, focused,
// disabled) the control shows. The focused look serves both keyboard focus
// and hover. Portable: the windowed control feeds it events and answers its
// questions through ZkControlHost.
#pragma once

namespace pikko {

// What the state machine asks of its control.
class ZkControlHost {
 public:
  virtual ~ZkControlHost() = default;
  // The four looks.
  virtual void ShowRaised() = 0;
  virtual void ShowSunken() = 0;
  virtual void ShowFocused() = 0;
  virtual void ShowDisabled() = 0;
  // The control's hit area (client coordinates).
  virtual bool IsPointInside(int x, int y) const = 0;
  virtual bool HasFocus() const = 0;
  virtual bool IsTabStop() const = 0;
  virtual void TakeFocus() = 0;
  // Asks the system for one notification when the pointer leaves.
  virtual void TrackMouseLeave() = 0;
  virtual void FireMouseEnter() = 0;
  virtual void FireMouseLeave() = 0;
};

// The keys that press a control.
constexpr unsigned kKeySpace = 32;
constexpr unsigned kKeyEnter = 13;

class ZkControlState {
 public:
  ZkControlState(ZkControlHost& host, bool clicksDisabled)
      : host_(host), clicksDisabled_(clicksDisabled) {}

  bool ShowMouseOver() const { return showMouseOver_; }
  // Switching it off first clears the hover.
  void SetShowMouseOver(bool v);
  bool ClicksDisabled() const { return clicksDisabled_; }
  // Switching it off first cancels any press.
  void SetClicksDisabled(bool v);

  bool MouseInside() const { return mouseInside_; }
  bool KeyPressed() const { return keyPressed_; }
  bool MousePressed() const { return mousePressed_; }

  // Events, in client coordinates.
  void MouseMove(int x, int y, bool leftButtonDown);
  void MouseDown(bool leftButton, int x, int y);
  void MouseUp(bool leftButton);
  void KeyDown(unsigned key);
  void KeyUp(unsigned key);
  void FocusGained();
  void FocusLost();
  // The system's notification that the pointer has left the window.
  void MouseLeaveNotification();
  // Another window took the mouse during a press: the press is cancelled as
  // dragging out would cancel it.
  void CaptureLost();
  // Called before the control's enabled state changes to the new value.
  void EnabledChanging(bool enabled);

 private:
  bool Pressed() const { return keyPressed_ || mousePressed_; }
  bool Hovered() const { return showMouseOver_ && mouseInside_; }
  void Press();
  void ShowReleased();
  void CancelPress();
  void CancelHover();
  void MouseEnter(bool leftButtonDown);
  void MouseLeave();

  ZkControlHost& host_;
  bool showMouseOver_ = true;
  bool mouseInside_ = false;
  bool keyPressed_ = false;
  bool mousePressed_ = false;
  bool clicksDisabled_;
};

}  // namespace pikko
