#include "Component/ZkBar_win.h"

#include "Component/ZkLogic.h"

namespace pikko {

ZkBar::ZkBar(std::string name) : ZkBrick(std::move(name)) {
  indicator_ = std::make_unique<Image>(Name() + ".Indicator");
  indicator_->SetAutoSize(true);
  indicator_->SetEnabled(false);
  AddChild(*indicator_);
  LocateIndicator();
}

void ZkBar::SetIndicator(const Bitmap& b) {
  indicator_->SetPicture(b);
  LocateIndicator();
}

void ZkBar::SetLength(int v) {
  length_ = v;
  LocateIndicator();
}

void ZkBar::SetScrollPos(int v) {
  scrollPos_ = v;
  LocateIndicator();
}

void ZkBar::SetKind(ScrollBarKind k) {
  kind_ = k;
  LocateIndicator();
}

void ZkBar::SetOrigin(int x, int y) {
  originX_ = x;
  originY_ = y;
  LocateIndicator();
}

void ZkBar::LocateIndicator() {
  const int w = indicator_->Picture().Width(), h = indicator_->Picture().Height();
  int x = IndicatorStart(originX_, w, 0);
  int y = IndicatorStart(originY_, h, 0);
  if (kind_ == ScrollBarKind::Horizontal) {
    x += scrollPos_;
    Indicate(x);
  } else {
    y += scrollPos_;
    Indicate(y);
  }
  indicator_->SetBounds(x, y, w, h);
}

void ZkBar::MouseDown(MouseButton b, ShiftState shift, int x, int y) {
  if (b == MouseButton::Left && IsPointInside(x, y)) {
    lastX_ = x;
    lastY_ = y;
    dragging_ = true;
    StartScroll();
  }
  ZkBrick::MouseDown(b, shift, x, y);
}

void ZkBar::MouseMove(ShiftState shift, int x, int y) {
  if (dragging_) {
    const int delta = kind_ == ScrollBarKind::Horizontal ? x - lastX_ : y - lastY_;
    int pos = DraggedPosition(scrollPos_, delta, length_);
    Scroll(pos, pos >= scrollPos_);
    scrollPos_ = pos;
    LocateIndicator();
    lastX_ = x;
    lastY_ = y;
  }
  ZkBrick::MouseMove(shift, x, y);
}

void ZkBar::MouseUp(MouseButton b, ShiftState shift, int x, int y) {
  if (dragging_) {
    dragging_ = false;
    EndScroll();
  }
  ZkBrick::MouseUp(b, shift, x, y);
}

void ZkBar::CaptureLost() {
  // No release comes for this drag: without this the indicator would follow
  // the pointer with no button held.
  if (dragging_) {
    dragging_ = false;
    EndScroll();
  }
  ZkBrick::CaptureLost();
}

void ZkBar::Repaint() {
  indicator_->Invalidate();
  ZkBrick::Repaint();
}

void ZkBar::StartScroll() {
  if (OnStartScroll) OnStartScroll(*this);
}
void ZkBar::Scroll(int& disp, bool direction) {
  if (OnScroll) OnScroll(*this, disp, direction);
}
void ZkBar::EndScroll() {
  if (OnEndScroll) OnEndScroll(*this);
}
void ZkBar::Indicate(int& disp) {
  if (OnIndicate) OnIndicate(*this, disp);
}

}  // namespace pikko
