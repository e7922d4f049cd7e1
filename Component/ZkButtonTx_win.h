// A push button that draws its caption over its bitmap, in a text
// rectangle of its own, with one text colour per state; while pressed the
// text rectangle's left and top move by (DispX, DispY). Every side button
// of the menu, the manual buttons and the promotion's buttons are these.
#pragma once

#include <string>

#include "Component/ZkButton_win.h"
#include "Component/ZkFontColors.h"
#include "Component/ZkTextDrawing_win.h"
#include "toolkit/Font_win.h"

namespace pikko {

class ZkButtonTx : public ZkButton {
 public:
  explicit ZkButtonTx(std::string name);

  const std::string& GetText() const { return caption_.text; }
  void SetText(const std::string& text);
  const std::string& Caption() const { return caption_.text; }
  void SetCaption(const std::string& text) { SetText(text); }
  const Font& GetFont() const { return caption_.font; }
  // Changes of the font repaint the button.
  void SetFont(const FontStyle& style);
  ZkThreeStateFontColor& FontColors() { return FontColors_; }
  void SetFontColors(const ZkThreeStateFontColor& c) { c.AssignTo(FontColors_); }

  void SetTextBounds(int left, int top, int width, int height);
  const RECT& TextBounds() const { return caption_.bounds; }
  void SetDisp(int dx, int dy) {
    caption_.dispX = dx;
    caption_.dispY = dy;
  }
  void SetWordWrap(bool v);
  // The text colour of the state last asked for.
  TColor GetFontColorOfCurState() const;
  // Draws the bitmap and the caption again.
  void DoRepaint();

  void ShowSunken() override;
  void ShowBitmap(int index) override;
  void Repaint() override;

 protected:
  // Every change of size or position resets the text rectangle to the
  // whole control.
  void BoundsChanged(const RECT& old) override;

 private:
  ZkCaption caption_;
  ZkThreeStateFontColor FontColors_;
  bool FWordWrap = false;
};

}  // namespace pikko
