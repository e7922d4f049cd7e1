#include "Component/ZkBrickTx_win.h"


namespace pikko {

ZkBrickTx::ZkBrickTx(std::string name) : ZkBrick(std::move(name)) {
  FontColors_.OnChange = [this] { DoRepaint(); };
}

void ZkBrickTx::SetText(const std::string& text) {
  if (text == caption_.text) return;
  caption_.text = text;
  DoRepaint();
}

void ZkBrickTx::SetFont(const FontStyle& style) {
  caption_.font.SetStyle(style);
  DoRepaint();
}

void ZkBrickTx::SetTextBounds(int left, int top, int width, int height) {
  caption_.bounds = RECT{left, top, left + width, top + height};
  DoRepaint();
}

TColor ZkBrickTx::GetFontColorOfCurState() const {
  return BrickTextColour(GetCurrentBitmap(), caption_.font.Style().colour, FontColors_);
}

void ZkBrickTx::ShowBitmap(int index) {
  ZkBrick::ShowBitmap(index);
  DoRepaint();
}

void ZkBrickTx::DoRepaint() {
  RedrawBitmap();
  caption_.DrawOn(StateImage(), GetFontColorOfCurState(), kCaptionFormat);
  // A tile repaints at once.
  Invalidate();
  Update();
}

void ZkBrickTx::BoundsChanged(const RECT& old) {
  caption_.bounds = RECT{0, 0, Width(), Height()};
  ZkBrick::BoundsChanged(old);
  DoRepaint();
}

}  // namespace pikko
