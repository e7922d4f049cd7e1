// A text painted by its parent: font, colour, alignment, word wrap and a
// transparent or filled background.
#pragma once

#include <string>

#include "toolkit/Control_win.h"
#include "toolkit/Font_win.h"

namespace pikko {

enum class Alignment { Left, Center, Right };

class Label : public GraphicControl {
 public:
  using GraphicControl::GraphicControl;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  Font& GetFont() { return font_; }
  const Font& GetFont() const { return font_; }
  void SetFont(const FontStyle& style);
  void SetFontColour(TColor c);
  void SetWordWrap(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetAlignment(Alignment a);
  void SetTransparent(bool v);
  void SetBackground(TColor c) { background_ = c; }
  void Paint(HDC dc) override;

 protected:
  // Draws the caption in rect with the label's settings; colour given.
  void DrawCaption(HDC dc, RECT rect, TColor colour) const;
  // The text-format flags of the label's settings.
  UINT CaptionFormat() const;
  // Fills the label's rectangle unless it is transparent.
  void PaintBackground(HDC dc) const;

 private:
  std::string caption_;
  Font font_;
  bool wordWrap_ = false;
  bool transparent_ = false;
  Alignment alignment_ = Alignment::Left;
  TColor background_ = RGB(240, 240, 240);
};

}  // namespace pikko
