// The interaction layer of every skinned control: a windowed control that
// feeds mouse, keyboard and focus to the state machine and shows the look it
// asks for through four virtual operations. It knows nothing of bitmaps.
#pragma once

#include <functional>
#include <string>

#include "Component/ZkControlState.h"
#include "toolkit/WindowedControl_win.h"

namespace pikko {

class ZkControl : public WindowedControl, public ZkControlHost {
 public:
  ZkControl(std::string name, bool clicksDisabled);

  bool ShowMouseOver() const { return state_.ShowMouseOver(); }
  void SetShowMouseOver(bool v) { state_.SetShowMouseOver(v); }
  bool ClicksDisabled() const { return state_.ClicksDisabled(); }
  void SetClicksDisabled(bool v) { state_.SetClicksDisabled(v); }
  // Enabling shows the raised look; disabling cancels any press and hover
  // and shows the disabled look.
  void SetEnabled(bool v) override;
  const ZkControlState& InteractionState() const { return state_; }

  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}
  void ShowRaised() override {}
  void ShowDisabled() override { ShowRaised(); }
  void ShowFocused() override { ShowRaised(); }
  void ShowSunken() override { ShowRaised(); }
  bool IsPointInside(int x, int y) const override;

  std::function<void(Control& sender)> OnMouseEnter;
  std::function<void(Control& sender)> OnMouseLeave;

  // Input, each after the state machine's step firing the usual event.
  void MouseMove(ShiftState shift, int x, int y) override;
  void MouseDown(MouseButton b, ShiftState shift, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState shift, int x, int y) override;
  void MouseLeave() override;
  void CaptureLost() override;

 protected:
  const char* ClassName() const override { return "ZkControl"; }
  DWORD Style() const override { return WS_CHILD | WS_CLIPSIBLINGS; }
  void KeyDown(unsigned key, ShiftState shift) override;
  void KeyUp(unsigned key, ShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;

  // ZkControlHost
  bool HasFocus() const override { return hasFocus_; }
  bool IsTabStop() const override { return TabStop(); }
  void TakeFocus() override { SetFocus(); }
  void TrackMouseLeave() override;
  void FireMouseEnter() override;
  void FireMouseLeave() override;

 private:
  ZkControlState state_;
  // Between the focus arriving and leaving; the system's own answer is not
  // reliable while the focus is moving.
  bool hasFocus_ = false;
};

}  // namespace pikko
