#include "toolkit/Image_win.h"

#include "platform/ScopedWin.h"

namespace pikko {

void Image::SetPicture(const Bitmap& b) {
  picture_.CopyFrom(b);
  PictureChanged();
}

void Image::ClearPicture() {
  picture_.Clear();
  PictureChanged();
}

bool Image::LoadFromFile(const std::string& path) {
  const bool ok = picture_.LoadFromFile(path);
  PictureChanged();
  return ok;
}

void Image::PictureChanged() {
  if (autoSize_ && !picture_.Empty()) {
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  }
  Invalidate();
}

void Image::Paint(HDC dc) {
  if (picture_.Empty()) return;
  if (stretch_ && (picture_.Width() != Width() || picture_.Height() != Height()) && !autoSize_) {
    win::ScopedMemoryDc src(::CreateCompatibleDC(dc));
    win::ScopedSelect sel(src.Get(), picture_.Handle());
    ::StretchBlt(dc, Left(), Top(), Width(), Height(), src.Get(), 0, 0, picture_.Width(),
                 picture_.Height(), SRCCOPY);
    return;
  }
  // The picture is clipped to the control's bounds.
  ::IntersectClipRect(dc, Left(), Top(), Left() + Width(), Top() + Height());
  picture_.Draw(dc, Left(), Top(), transparent_);
}

}  // namespace pikko
