// A control with its own window: it paints its graphic children in z-order
// into a back buffer (no flicker) and routes mouse messages to the topmost
// visible, enabled graphic child under the pointer.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/Bitmap_win.h"
#include "toolkit/Control_win.h"

namespace pikko {

class WindowedControl : public Control {
 public:
  using Control::Control;
  ~WindowedControl() override;

  HWND Handle() const { return hwnd_; }
  // Creates the window as a child of parent (or top-level with nullptr).
  bool CreateHandle(WindowedControl* parent);
  // Destroys the window (and its child windows) now; an owner whose controls
  // die before the base class calls this first.
  void DestroyHandle();

  // Graphic children, painted in the order added (later ones on top).
  void AddChild(GraphicControl& child);
  // Windowed children have their own windows; they only need their parent.
  void AddChild(WindowedControl& child) { child.parent_ = this; }
  const std::vector<GraphicControl*>& GraphicChildren() const { return graphics_; }

  TColor Colour() const { return colour_; }
  void SetColour(TColor c);

  void InvalidateArea(const RECT& r);
  void Invalidate() override;
  // Paints pending areas now (tests and screenshots).
  void Update();

  // The topmost visible, enabled graphic child at a client point.
  GraphicControl* ControlAt(int x, int y) const;

 protected:
  virtual DWORD Style() const { return WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS; }
  virtual DWORD ExStyle() const { return 0; }
  virtual const char* ClassName() const { return "PikkoPanel"; }
  // Window messages; the default handles painting and mouse routing.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void BoundsChanged(const RECT& old) override;
  void VisibilityChanged() override;
  virtual void PaintBackground(HDC dc, const RECT& area);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void Paint();
  void RouteMouse(UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  TColor colour_ = RGB(240, 240, 240);
  std::vector<GraphicControl*> graphics_;
  GraphicControl* captured_ = nullptr;  // the control a left press started on
  GraphicControl* hovered_ = nullptr;   // the control the last move went to
  bool trackingLeave_ = false;
  MouseButton capturedButton_ = MouseButton::Left;
};

ShiftState ShiftFromKeys(WPARAM keys);

}  // namespace pikko
