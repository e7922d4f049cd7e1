#include "Component/TBmpLEDCtrl_win.h"

#include "platform/Assert.h"
#include "toolkit/Display_win.h"

namespace pikko {
namespace {

constexpr char kUnit[] = "TBmpLEDCtrl";
constexpr char kLedUnit[] = "BmpLED";
constexpr TColor kBackground = 0xFFFFFF;

void Fill(Bitmap& b, int left, int top, int right, int bottom, TColor colour) {
  if (b.Empty() || right <= left || bottom <= top) return;
  BitmapCanvas canvas(b);
  win::ScopedGdiObject brush(::CreateSolidBrush(colour));
  const RECT r{left, top, right, bottom};
  ::FillRect(canvas.Dc(), &r, static_cast<HBRUSH>(brush.Get()));
  ::GdiFlush();
}

}  // namespace

TBmpLEDCtrl::TBmpLEDCtrl(WindowedControl& host, int stateCount) : host_(host) {
  Check(stateCount > 0, "stateCount > 0", kUnit);
  surface_ = std::make_unique<Image>(host.Name() + ".StateImage");
  surface_->SetBounds(0, 0, 0, 0);
  // The mouse falls through to the host control.
  surface_->SetEnabled(false);
  host_.AddChild(*surface_);
  bitmaps_.reserve(static_cast<std::size_t>(stateCount));
  for (int i = 0; i < stateCount; ++i) {
    bitmaps_.push_back(std::make_unique<Bitmap>());
    bitmaps_.back()->OnChange = [this](Bitmap& b) { StateBitmapChanged(b); };
  }
  SetState(0);
}

TBmpLEDCtrl::~TBmpLEDCtrl() {
  // The bitmaps go from the last to the first; nobody is told.
  for (auto it = bitmaps_.rbegin(); it != bitmaps_.rend(); ++it) (*it)->OnChange = nullptr;
  while (!bitmaps_.empty()) bitmaps_.pop_back();
}

int TBmpLEDCtrl::SurfaceBits() const { return DisplayColourDepth() < 5 ? 4 : 24; }

int TBmpLEDCtrl::IndexOf(const Bitmap& b) const {
  for (std::size_t i = 0; i < bitmaps_.size(); ++i) {
    if (bitmaps_[i].get() == &b) return static_cast<int>(i);
  }
  return -1;
}

void TBmpLEDCtrl::StateBitmapChanged(Bitmap& sender) {
  if (IndexOf(sender) == state_) Redraw();
}

Bitmap& TBmpLEDCtrl::StateBitmap(int index) {
  Check(index >= 0 && index < static_cast<int>(bitmaps_.size()), "index < (int) m_bitmaps.size()",
        kLedUnit);
  return *bitmaps_[static_cast<std::size_t>(index)];
}

const Bitmap& TBmpLEDCtrl::StateBitmap(int index) const {
  return const_cast<TBmpLEDCtrl*>(this)->StateBitmap(index);
}

void TBmpLEDCtrl::SetBitmap(const Bitmap& bitmap, int index) { StateBitmap(index).CopyFrom(bitmap); }

void TBmpLEDCtrl::SetState(int state) {
  Check(state >= 0 && state < StateCount(), "state >= 0 && state < StateCount()", kLedUnit);
  if (state == state_) return;
  state_ = state;
  figure_.CopyFrom(StateBitmap(state));
  DrawFigure();
}

void TBmpLEDCtrl::Redraw() {
  Check(state_ >= 0 && state_ < StateCount(), "m_state >= 0 && m_state < StateCount()", kLedUnit);
  figure_.CopyFrom(StateBitmap(state_));
  DrawFigure();
}

void TBmpLEDCtrl::DrawFigure() {
  // The figure keeps its own copy, in the surface's depth.
  if (!figure_.Empty() && figure_.BitsPerPixel() != SurfaceBits())
    figure_.SetPixelFormat(SurfaceBits());
  Bitmap& surface = surface_->Picture();
  if (!figure_.Empty() && !surface.Empty()) {
    // Nothing is erased first: a smaller bitmap leaves the rest of the
    // previous picture in place.
    BitmapCanvas canvas(surface);
    figure_.Draw(canvas.Dc(), 0, 0, false);
    ::GdiFlush();
  }
  surface_->Invalidate();
}

void TBmpLEDCtrl::Move(int dx, int dy) {
  surface_->SetBounds(surface_->Left() + dx, surface_->Top() + dy, surface_->Width(),
                      surface_->Height());
}

void TBmpLEDCtrl::SetTransparentColor(TColor c) {
  if (c & 0x80000000u) c = ::GetSysColor(static_cast<int>(c & 0xFF));
  transparentColor_ = c;
  surface_->Picture().SetTransparentColor(c & 0xFFFFFF);
  surface_->Invalidate();
}

void TBmpLEDCtrl::SetTransparent(bool v) {
  transparent_ = v;
  surface_->SetTransparent(v);
}

void TBmpLEDCtrl::Resize(int width, int height) {
  Bitmap& surface = surface_->Picture();
  const int w0 = surface.Width(), h0 = surface.Height();
  if (width != w0 || height != h0) {
    Bitmap grown;
    if (width > 0 && height > 0 && grown.Create(width, height, SurfaceBits())) {
      Fill(grown, 0, 0, width, height, kBackground);
      if (!surface.Empty()) {
        BitmapCanvas canvas(grown);
        surface.Draw(canvas.Dc(), 0, 0, false);
        ::GdiFlush();
      }
    }
    grown.SetTransparentColor(transparentColor_ & 0xFFFFFF);
    // The picture keeps its change handler; only the pixels move in.
    surface = std::move(grown);
  }
  surface_->SetBounds(surface_->Left(), surface_->Top(), width, height);
  surface_->Invalidate();
}

void TBmpLEDCtrl::RegionOfState(WinRegion& region, int index) const {
  Bitmap copy;
  copy.CopyFrom(StateBitmap(index));
  WinRegion shape(copy, TransparentColor());
  region.CopyFrom(shape);
}

}  // namespace pikko
