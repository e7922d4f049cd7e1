// The state image beneath every skinned control: it owns N state bitmaps
// and shows exactly one of them on a picture laid over its host control,
// like a lamp with N looks. The picture is disabled, so the mouse goes to
// the host. On a 16-colour display the surface and the shown copy use four
// bits per pixel.
#pragma once

#include <memory>
#include <vector>

#include "Graphics/WinRegion_win.h"
#include "toolkit/Bitmap_win.h"
#include "toolkit/Image_win.h"
#include "toolkit/WindowedControl_win.h"

namespace pikko {

class TBmpLEDCtrl {
 public:
  // host: the control the picture lies on. stateCount must be positive.
  TBmpLEDCtrl(WindowedControl& host, int stateCount);
  ~TBmpLEDCtrl();
  TBmpLEDCtrl(const TBmpLEDCtrl&) = delete;
  TBmpLEDCtrl& operator=(const TBmpLEDCtrl&) = delete;

  int StateCount() const { return static_cast<int>(bitmaps_.size()); }
  int State() const { return state_; }
  // Switches to the state and draws it; nothing when it is already shown.
  void SetState(int state);
  // Copies the current state's bitmap again and draws it.
  void Redraw();

  void Move(int dx, int dy);
  int Left() const { return surface_->Left(); }
  int Top() const { return surface_->Top(); }
  // The surface's size.
  int Width() const { return surface_->Picture().Width(); }
  int Height() const { return surface_->Picture().Height(); }

  // The bitmap of a state, owned here; callers may draw into it (and call
  // its Changed) or assign to it.
  Bitmap& StateBitmap(int index);
  const Bitmap& StateBitmap(int index) const;
  void SetBitmap(const Bitmap& bitmap, int index);

  // The picture's fixed transparent colour (read without the top byte).
  TColor TransparentColor() const { return transparentColor_ & 0xFFFFFF; }
  void SetTransparentColor(TColor c);
  // Transparent pixels of the picture are not painted.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

  // Draws into the surface (the text controls draw their captions here);
  // call SurfaceChanged afterwards.
  BitmapCanvas Canvas() { return BitmapCanvas(surface_->Picture()); }
  void SurfaceChanged() { surface_->Invalidate(); }
  // Sets the surface to width x height; newly exposed parts are white.
  void Resize(int width, int height);
  // The shape of a state: a copy of its bitmap cut by the transparent colour.
  void RegionOfState(WinRegion& region, int index) const;

  // The picture control itself (tests look at what it shows).
  const Image& Surface() const { return *surface_; }
  // The shown copy of the current state.
  const Bitmap& Figure() const { return figure_; }
  // The handler the state image puts on each state bitmap; the controls
  // keep it and chain to it.
  void StateBitmapChanged(Bitmap& sender);

 private:
  int IndexOf(const Bitmap& b) const;
  void DrawFigure();
  int SurfaceBits() const;

  WindowedControl& host_;
  std::unique_ptr<Image> surface_;
  std::vector<std::unique_ptr<Bitmap>> bitmaps_;
  Bitmap figure_;
  int state_ = -1;
  TColor transparentColor_ = 0;
  bool transparent_ = false;
};

}  // namespace pikko
