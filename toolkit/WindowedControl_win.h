// A control with its own window. It paints its graphic children in z-order
// into a back buffer (no flicker), routes mouse messages to the topmost
// visible, enabled graphic child under the pointer or to itself, and has the
// input model of a windowed control: focus, keys, tab stops, capture, click,
// double click and mouse leave.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "toolkit/Bitmap_win.h"
#include "toolkit/Control_win.h"

namespace pikko {

class WindowedControl : public Control {
 public:
  using Control::Control;
  ~WindowedControl() override;

  HWND Handle() const { return hwnd_; }
  // The control of one of our windows; nullptr for any other window.
  static WindowedControl* FromHandle(HWND hwnd);
  // Creates the window as a child of parent (or top-level with nullptr),
  // with the control's bounds, visibility and enabled state. A control that
  // waits for its first show (SetCreateWhenShown), or whose parent has no
  // window yet, only notes that it is to have one, and gets it when it is
  // first shown or its parent gets its own; true then too.
  bool CreateHandle(WindowedControl* parent);
  // The window now, made (with the parents' ones it needs) if it is still to
  // come; false when the system cannot make it.
  bool EnsureHandle();
  // Opt-in: the window is made when the control is first shown, not while
  // it is hidden. Set before CreateHandle.
  void SetCreateWhenShown(bool v) { createWhenShown_ = v; }
  // Destroys the window (and its child windows) now; an owner whose controls
  // die before the base class calls this first.
  void DestroyHandle();

  // Graphic children, painted in the order added (later ones on top).
  void AddChild(GraphicControl& child);
  // Windowed children have their own windows; the list gives the tab order.
  void AddChild(WindowedControl& child);
  const std::vector<WindowedControl*>& WindowedChildren() const { return windowed_; }

  TColor Colour() const { return colour_; }
  void SetColour(TColor c);

  void InvalidateArea(const RECT& r);
  bool ShownWithAncestors() const;
  void Invalidate() override;
  // Paints pending areas now (tests and screenshots).
  void Update();
  void SetEnabled(bool v) override;

  // The topmost visible, enabled graphic child at a client point.
  GraphicControl* ControlAt(int x, int y) const;

  // Keyboard focus and tab stops.
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  bool Focused() const;
  void SetFocus();
  // Whether the control can take the focus now: it has a window, it and
  // every parent are visible, and it is enabled.
  bool CanFocus() const;
  // Moves the focus from current (a descendant, or this) to the next (or
  // previous) tab stop among the descendants, wrapping around. False when
  // there is none.
  bool SelectNext(const WindowedControl* current, bool forward);

  std::function<void(Control& sender, unsigned key, ShiftState shift)> OnKeyDown;
  std::function<void(Control& sender, unsigned key, ShiftState shift)> OnKeyUp;
  std::function<void(Control& sender)> OnEnter;
  std::function<void(Control& sender)> OnExit;

  // The window procedure's side (WindowThunk).
  void AttachWindow(HWND hwnd) noexcept;
  LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 protected:
  virtual DWORD Style() const { return WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS; }
  virtual DWORD ExStyle() const { return 0; }
  virtual const char* ClassName() const { return "PikkoPanel"; }
  // Window messages; the default handles painting, input and sizing.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void BoundsChanged(const RECT& old) override;
  void VisibilityChanged() override;
  virtual void PaintBackground(HDC dc, const RECT& area);

  // The top window sees every key of its windows before the one with the
  // focus does; true when it took the key (the focused control then never
  // sees it).
  virtual bool PreviewKey(WindowedControl& /*target*/, UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/) {
    return false;
  }
  // Keyboard and focus hooks; each fires its event.
  virtual void KeyDown(unsigned key, ShiftState shift);
  virtual void KeyUp(unsigned key, ShiftState shift);
  // A character; repeated when it is the auto-repeat of a held key.
  virtual void KeyPress(char key, bool repeated);
  virtual void DoEnter();
  virtual void DoExit();

 private:
  friend class Control;
  void RemoveChild(Control& child);
  void Paint();
  void RouteMouse(UINT msg, WPARAM wp, LPARAM lp);
  void ButtonDown(MouseButton b, bool dbl, WPARAM wp, int x, int y);
  void ButtonUp(MouseButton b, WPARAM wp, int x, int y);
  void CollectTabStops(std::vector<WindowedControl*>& out);
  bool PreviewedByRoot(UINT msg, WPARAM wp, LPARAM lp);

  bool MakeWindow(HWND parentHwnd);
  // A window made late takes the place among its siblings' windows that it
  // would have had if made in order (later children lie over earlier ones).
  void TakeZOrderPlace();

  HWND hwnd_ = nullptr;
  bool createWhenShown_ = false;
  bool pending_ = false;  // to get its window when shown or when its parent gets one
  bool detached_ = false;  // the window is going: its messages no longer reach us
  TColor colour_ = RGB(240, 240, 240);
  std::vector<GraphicControl*> graphics_;
  std::vector<WindowedControl*> windowed_;
  // The press in progress: its control (a graphic child, or null for this
  // control itself), its button and whether it was a double click's second.
  bool pressing_ = false;
  GraphicControl* pressed_ = nullptr;
  MouseButton pressButton_ = MouseButton::Left;
  bool pressDouble_ = false;
  GraphicControl* hovered_ = nullptr;  // the graphic child the last move went to
  bool paintFailed_ = false;
  bool tabStop_ = false;
};

// What start-up and a late window report when the system cannot make a
// control's window.
[[noreturn]] void ThrowCannotCreate(const Control& control);

ShiftState ShiftFromKeys(WPARAM keys);
// The state of the shift keys now, for keyboard messages.
ShiftState KeyboardShift();

}  // namespace pikko
