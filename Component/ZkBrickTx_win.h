// A tile with a caption drawn over it in one colour per state.
#pragma once

#include <string>

#include "Component/ZkBrick_win.h"
#include "Component/ZkFontColors.h"
#include "Component/ZkTextDrawing_win.h"
#include "toolkit/Font_win.h"

namespace pikko {

class ZkBrickTx : public ZkBrick {
 public:
  explicit ZkBrickTx(std::string name);

  const std::string& GetText() const { return caption_.text; }
  void SetText(const std::string& text);
  const Font& GetFont() const { return caption_.font; }
  void SetFont(const FontStyle& style);
  ZkTwoStateFontColor& FontColors() { return FontColors_; }
  void SetFontColors(const ZkTwoStateFontColor& c) { c.AssignTo(FontColors_); }
  void SetTextBounds(int left, int top, int width, int height);
  const RECT& TextBounds() const { return caption_.bounds; }
  // Accepted, but a tile is never shown sunken, so its text never moves.
  void SetDisp(int dx, int dy) {
    caption_.dispX = dx;
    caption_.dispY = dy;
  }
  TColor GetFontColorOfCurState() const;
  void DoRepaint();

  void ShowBitmap(int index) override;
  void Repaint() override { DoRepaint(); }

 protected:
  void BoundsChanged(const RECT& old) override;

 private:
  ZkCaption caption_;
  ZkTwoStateFontColor FontColors_;
};

}  // namespace pikko
