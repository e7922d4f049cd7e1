// The small widget layer the menu's form is built from: controls with
// bounds, visibility, tags and mouse events; graphic controls painted by
// their windowed parent in z-order; windowed controls with their own HWND.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace pikko {

// Mouse and keyboard state of a mouse event.
enum ShiftFlags : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
  ssDouble = 64,  // the press is the second of a double click
};
using ShiftState = unsigned;
enum class MouseButton { Left, Right, Middle };

class WindowedControl;

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  // Moves and sizes the control; CanResize may change the size first.
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  bool HandCursor() const { return handCursor_; }
  void SetHandCursor(bool v) { handCursor_ = v; }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }

  WindowedControl* Parent() const { return parent_; }
  // Repaints the control's area of its parent.
  virtual void Invalidate();

  std::function<void(Control& sender)> OnClick;
  std::function<void(Control& sender)> OnDblClick;
  std::function<void(Control& sender, ShiftState shift, int x, int y)> OnMouseMove;
  std::function<void(Control& sender, MouseButton b, ShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(Control& sender, MouseButton b, ShiftState shift, int x, int y)> OnMouseUp;

  // Event entry points; controls may override to add their own behaviour.
  virtual void MouseMove(ShiftState shift, int x, int y);
  virtual void MouseDown(MouseButton b, ShiftState shift, int x, int y);
  virtual void MouseUp(MouseButton b, ShiftState shift, int x, int y);
  virtual void Click();
  // The second press of a double click (after its MouseDown with ssDouble).
  // A double click gives one Click, never two.
  virtual void DblClick();
  // The pointer has moved off the control (to another or out of the window).
  virtual void MouseLeave() {}
  // The press in progress on the control ended without a release: another
  // window took the mouse (an installer's window coming up, a message box).
  // No MouseUp and no Click follow.
  virtual void CaptureLost() {}

 protected:
  friend class WindowedControl;
  // Asked before every change of size, from SetBounds and, for a windowed
  // control, from the system's size changes; may change the new size.
  // False keeps the size as it is.
  virtual bool CanResize(int& /*width*/, int& /*height*/) { return true; }
  virtual void BoundsChanged(const RECT& old);
  virtual void VisibilityChanged() { Invalidate(); }
  WindowedControl* parent_ = nullptr;

 private:
  std::string name_;
  int tag_ = 0;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool handCursor_ = false;
  std::string hint_;
};

// A control without a window of its own: its parent paints it.
class GraphicControl : public Control {
 public:
  using Control::Control;
  // Paints into dc, whose origin is the parent's client origin.
  virtual void Paint(HDC dc) = 0;
  // True where a mouse event at the point (parent coordinates) belongs to it.
  virtual bool HitTest(int x, int y) const;
};

}  // namespace pikko
