#include "Component/ZkButtonTx_win.h"


namespace pikko {

ZkButtonTx::ZkButtonTx(std::string name) : ZkButton(std::move(name)) {
  FontColors_.OnChange = [this] { DoRepaint(); };
}

void ZkButtonTx::SetText(const std::string& text) {
  if (text == caption_.text) return;
  caption_.text = text;
  DoRepaint();
}

void ZkButtonTx::SetFont(const FontStyle& style) {
  caption_.font.SetStyle(style);
  DoRepaint();
}

void ZkButtonTx::SetTextBounds(int left, int top, int width, int height) {
  caption_.bounds = RECT{left, top, left + width, top + height};
  DoRepaint();
}

void ZkButtonTx::SetWordWrap(bool v) {
  FWordWrap = v;
  DoRepaint();
}

TColor ZkButtonTx::GetFontColorOfCurState() const {
  return ButtonTextColour(GetCurrentBitmap(), caption_.font.Style().colour, FontColors_);
}

void ZkButtonTx::ShowSunken() {
  caption_.displaced = true;
  ShowBitmap(1);
}

void ZkButtonTx::ShowBitmap(int index) {
  ZkButton::ShowBitmap(index);
  DoRepaint();
}

void ZkButtonTx::Repaint() {
  DoRepaint();
  Invalidate();
}

void ZkButtonTx::DoRepaint() {
  RedrawBitmap();
  caption_.DrawOn(StateImage(), GetFontColorOfCurState(),
                  FWordWrap ? kWrappedCaptionFormat : kCaptionFormat);
  Invalidate();
}

void ZkButtonTx::BoundsChanged(const RECT& old) {
  caption_.bounds = RECT{0, 0, Width(), Height()};
  ZkButton::BoundsChanged(old);
  DoRepaint();
}

}  // namespace pikko
