#include "toolkit/Label_win.h"

#include "platform/ScopedWin.h"

namespace pikko {

void Label::SetCaption(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  Invalidate();
}

void Label::SetFont(const FontStyle& style) {
  font_.SetStyle(style);
  Invalidate();
}

void Label::SetFontColour(TColor c) {
  if (font_.Style().colour == c) return;
  font_.SetColour(c);
  Invalidate();
}

void Label::SetWordWrap(bool v) {
  wordWrap_ = v;
  Invalidate();
}

void Label::SetAlignment(Alignment a) {
  alignment_ = a;
  Invalidate();
}

void Label::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}

UINT Label::CaptionFormat() const {
  // Titles are shown as written: "&" is no accelerator marker here.
  UINT format = DT_NOPREFIX | DT_EXPANDTABS;
  format |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (alignment_ == Alignment::Center) format |= DT_CENTER;
  if (alignment_ == Alignment::Right) format |= DT_RIGHT;
  return format;
}

void Label::DrawCaption(HDC dc, RECT rect, TColor colour) const {
  win::ScopedSelect sel(dc, font_.Handle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colour);
  ::DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rect, CaptionFormat());
}

void Label::PaintBackground(HDC dc) const {
  if (transparent_) return;
  const RECT r = BoundsRect();
  win::ScopedGdiObject brush(::CreateSolidBrush(background_));
  ::FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

void Label::Paint(HDC dc) {
  RECT r = BoundsRect();
  ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  PaintBackground(dc);
  DrawCaption(dc, r, Enabled() ? font_.Style().colour : ::GetSysColor(COLOR_GRAYTEXT));
}

}  // namespace pikko
