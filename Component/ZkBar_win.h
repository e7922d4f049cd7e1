// A bar with a draggable indicator picture that reports a scroll position
// between 0 and Length. Built on the tile, so it has no pressed look.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Component/ZkBrick_win.h"
#include "toolkit/Image_win.h"

namespace pikko {

enum class ScrollBarKind { Horizontal = 0, Vertical = 1 };

class ZkBar : public ZkBrick {
 public:
  explicit ZkBar(std::string name);

  // The indicator picture; setting copies it in and places it.
  const Bitmap& Indicator() const { return indicator_->Picture(); }
  void SetIndicator(const Bitmap& b);
  int Length() const { return length_; }
  void SetLength(int v);
  int ScrollPos() const { return scrollPos_; }
  void SetScrollPos(int v);
  ScrollBarKind Kind() const { return kind_; }
  void SetKind(ScrollBarKind k);
  // Where the indicator's centre sits at scroll position 0.
  int OriginX() const { return originX_; }
  int OriginY() const { return originY_; }
  void SetOrigin(int x, int y);
  bool IsDraging() const { return dragging_; }
  void LocateIndicator();
  const Image& IndicatorImage() const { return *indicator_; }

  std::function<void(Control& sender)> OnStartScroll;
  std::function<void(Control& sender)> OnEndScroll;
  std::function<void(Control& sender, int& disp, bool direction)> OnScroll;
  std::function<void(Control& sender, int& disp)> OnIndicate;

  void MouseDown(MouseButton b, ShiftState shift, int x, int y) override;
  void MouseMove(ShiftState shift, int x, int y) override;
  void MouseUp(MouseButton b, ShiftState shift, int x, int y) override;
  // Another window took the mouse: the drag ends where it is.
  void CaptureLost() override;
  void Repaint() override;

 protected:
  virtual void StartScroll();
  virtual void Scroll(int& disp, bool direction);
  virtual void EndScroll();
  virtual void Indicate(int& disp);

 private:
  // Created after the tile's own picture, so it lies in front of it; it is
  // disabled, so presses on it reach the bar in the bar's coordinates.
  std::unique_ptr<Image> indicator_;
  int length_ = 20;
  int scrollPos_ = 0;
  bool dragging_ = false;
  int lastX_ = 0, lastY_ = 0;
  ScrollBarKind kind_ = ScrollBarKind::Horizontal;
  int originX_ = 0, originY_ = 0;
};

}  // namespace pikko
