// The bitmap layer of every skinned control: a state image with a fixed
// number of state bitmaps, one of them on show; the control takes the size
// of its raised bitmap (state 0) and, when Transparent, the shape of that
// bitmap without its transparent colour, which is also its hit area.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Component/TBmpLEDCtrl_win.h"
#include "Component/ZkControl_win.h"
#include "Graphics/WinRegion_win.h"

namespace pikko {

class ZkCustomControl : public ZkControl {
 public:
  ZkCustomControl(std::string name, bool clicksDisabled, int stateCount);
  ~ZkCustomControl() override;

  TColor TransparentColor() const { return stateImage_->TransparentColor(); }
  virtual void SetTransparentColor(TColor c);
  bool Transparent() const { return stateImage_->Transparent(); }
  virtual void SetTransparent(bool v);

  // Shows a state; a state whose bitmap is empty shows its substitute.
  virtual void ShowBitmap(int index);
  // The state to show instead of one whose bitmap is empty.
  virtual int Substitute(int /*index*/) { return 0; }
  void ShowRaised() override { ShowBitmap(0); }
  // Inside the hit area: the shape when Transparent, else the rectangle.
  bool IsPointInside(int x, int y) const override { return FRegion.Contains(x, y); }
  // Draws the current state onto the surface again and repaints.
  virtual void Repaint();

  // State bitmaps. Setting state 0 also takes that bitmap's transparent
  // colour; null empties the state.
  void SetBitmap(const Bitmap* bitmap, int index);
  Bitmap& GetBitmap(int index) { return stateImage_->StateBitmap(index); }
  const Bitmap& GetBitmap(int index) const { return stateImage_->StateBitmap(index); }
  int StateCount() const { return stateImage_->StateCount(); }
  bool IsBitmapEmpty(int index) const;
  int GetCurrentBitmap() const { return FCurrentBitmap; }
  BitmapCanvas GetCanvas() { return stateImage_->Canvas(); }
  void RedrawBitmap() { stateImage_->Redraw(); }
  TBmpLEDCtrl& StateImage() { return *stateImage_; }
  const TBmpLEDCtrl& StateImage() const { return *stateImage_; }
  const WinRegion& Region() const { return FRegion; }

  void BuildRegion();
  void ApplyRegion();
  // Every state bitmap's change handler.
  virtual void BitmapChanged(Bitmap& sender);

 protected:
  // The size of a control with a raised bitmap is that bitmap's.
  bool CanResize(int& width, int& height) override;
  void BoundsChanged(const RECT& old) override;
  void PaintBackground(HDC dc, const RECT& area) override;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // The change handler the state image had put on the state bitmaps.
  std::function<void(Bitmap&)> FSavedBitmapChange;

 private:
  WinRegion FRegion;  // declared first: it goes after the state image
  std::unique_ptr<TBmpLEDCtrl> stateImage_;
  int FCurrentBitmap = 0;
};

}  // namespace pikko
