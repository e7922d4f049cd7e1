// Fonts as the form describes them: a face name, a character height in
// pixels, bold, colour and character set; realised as GDI fonts on demand.
#pragma once

#include <windows.h>

#include <string>

#include "platform/ScopedWin.h"
#include "toolkit/Bitmap_win.h"

namespace pikko {

struct FontStyle {
  std::string name = "MS Sans Serif";
  int height = 11;  // character height in pixels
  bool bold = false;
  TColor colour = 0;
  int charset = DEFAULT_CHARSET;

  bool SameFace(const FontStyle& o) const {
    return name == o.name && height == o.height && bold == o.bold && charset == o.charset;
  }
};

// Holds the GDI font of a style, made again when the face changes.
class Font {
 public:
  const FontStyle& Style() const { return style_; }
  void SetStyle(const FontStyle& style);
  void SetColour(TColor c) { style_.colour = c; }
  // Sets the size in points, as disc files give it (96 pixels per inch).
  void SetPointSize(int points) { SetHeight(MulDiv(points, 96, 72)); }
  void SetHeight(int pixels);
  void SetName(const std::string& name);
  void SetCharset(int charset);
  HFONT Handle() const;

 private:
  FontStyle style_;
  mutable win::ScopedFont font_;
};

// The width of a single-line text in the font, in pixels.
int MeasureText(const Font& font, const std::string& text);

}  // namespace pikko
