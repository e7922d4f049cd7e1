#include "Component/ZkCustomControl_win.h"

namespace pikko {

ZkCustomControl::ZkCustomControl(std::string name, bool clicksDisabled, int stateCount)
    : ZkControl(std::move(name), clicksDisabled),
      stateImage_(std::make_unique<TBmpLEDCtrl>(*this, stateCount)) {
  SetBitmap(nullptr, 0);
  FSavedBitmapChange = GetBitmap(0).OnChange;
  for (int i = 0; i < StateCount(); ++i)
    GetBitmap(i).OnChange = [this](Bitmap& b) { BitmapChanged(b); };
}

ZkCustomControl::~ZkCustomControl() {
  // The window goes while the whole control still exists.
  DestroyHandle();
  for (int i = 0; i < StateCount(); ++i) GetBitmap(i).OnChange = nullptr;
}

void ZkCustomControl::SetTransparentColor(TColor c) {
  stateImage_->SetTransparentColor(c);
  ApplyRegion();
}

void ZkCustomControl::SetTransparent(bool v) {
  if (v == Transparent()) return;
  stateImage_->SetTransparent(v);
  ApplyRegion();
}

bool ZkCustomControl::IsBitmapEmpty(int index) const {
  const Bitmap& b = GetBitmap(index);
  return b.Width() == 0 || b.Height() == 0;
}

void ZkCustomControl::ShowBitmap(int index) {
  FCurrentBitmap = index;
  // Substitutes are followed until a state with a bitmap, or state 0.
  for (int hops = 0; index != 0 && IsBitmapEmpty(index) && hops < StateCount(); ++hops)
    index = Substitute(index);
  if (index != 0 && IsBitmapEmpty(index)) index = 0;
  stateImage_->SetState(index);
}

void ZkCustomControl::Repaint() {
  stateImage_->Redraw();
  Invalidate();
}

void ZkCustomControl::SetBitmap(const Bitmap* bitmap, int index) {
  if (index == 0 && bitmap) stateImage_->SetTransparentColor(bitmap->TransparentColor());
  if (bitmap) {
    GetBitmap(index).CopyFrom(*bitmap);
  } else {
    GetBitmap(index).Clear();
  }
}

void ZkCustomControl::BitmapChanged(Bitmap& sender) {
  int index = -1;
  for (int i = 0; i < StateCount(); ++i) {
    if (&GetBitmap(i) == &sender) index = i;
  }
  if (index != 0) {
    if (index == FCurrentBitmap) ShowBitmap(index);
    if (FSavedBitmapChange) FSavedBitmapChange(sender);
    return;
  }
  // The raised bitmap gives the control its size and shape.
  stateImage_->Resize(sender.Width(), sender.Height());
  Repaint();
  if (FSavedBitmapChange) FSavedBitmapChange(sender);
  if (!IsBitmapEmpty(0)) SetBounds(Left(), Top(), sender.Width(), sender.Height());
  ApplyRegion();
}

bool ZkCustomControl::CanResize(int& width, int& height) {
  const bool allowed = ZkControl::CanResize(width, height);
  if (IsBitmapEmpty(0)) return allowed;
  width = stateImage_->Width();
  height = stateImage_->Height();
  return true;
}

void ZkCustomControl::BoundsChanged(const RECT& old) {
  ZkControl::BoundsChanged(old);
  if (old.right - old.left != Width() || old.bottom - old.top != Height()) ApplyRegion();
}

void ZkCustomControl::PaintBackground(HDC dc, const RECT& area) {
  // The state image covers the control; where it does not (no bitmap yet)
  // the parent's colour shows.
  if (Parent()) {
    win::ScopedGdiObject brush(::CreateSolidBrush(Parent()->Colour()));
    ::FillRect(dc, &area, static_cast<HBRUSH>(brush.Get()));
  }
}

LRESULT ZkCustomControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Bitmaps given before the window existed shape it now.
  if (msg == WM_CREATE) ApplyRegion();
  return ZkControl::HandleMessage(msg, wp, lp);
}

void ZkCustomControl::BuildRegion() {
  if (!Transparent()) {
    FRegion.SetRect(0, 0, Width(), Height());
  } else if (IsBitmapEmpty(0)) {
    FRegion.SetRect(0, 0, 0, 0);
  } else {
    stateImage_->RegionOfState(FRegion, 0);
  }
}

void ZkCustomControl::ApplyRegion() {
  BuildRegion();
  if (!Handle()) return;
  if (!Transparent() || IsBitmapEmpty(0)) {
    ::SetWindowRgn(Handle(), nullptr, TRUE);
  } else {
    FRegion.ApplyToWindow(Handle(), true);
  }
}

}  // namespace pikko
