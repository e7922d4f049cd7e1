// How wide a title is and how tall a description is in the menu's fonts.
// On Windows the checker asks GDI (TextMetrics_win.cpp); elsewhere it adds
// up a table of character widths of "MS Sans Serif" that was measured once
// with GDI under Wine and is kept in FontWidths.cpp (make_font_widths.exe
// prints it; a Windows test checks that it still agrees with GDI).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace pikko::disccheck {

struct FontFace {
  std::string name = "MS Sans Serif";
  int height = 11;  // character height in pixels
  bool bold = false;
};

// The fonts of the menu's texts (the disc's FontName and FontSize change
// the first two).
FontFace RowFont();          // item titles: 13 pixels, bold
FontFace DescriptionFont();  // the description panel: 11 pixels
FontFace TabCaptionFont();   // tab captions: 11 pixels

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The width of one line of text; nothing for a font it cannot measure.
  virtual std::optional<int> Width(const FontFace& font, const std::string& text) const = 0;
  // The height of the text drawn word-wrapped into the width, as the menu's
  // labels draw it (line feeds break lines).
  virtual std::optional<int> WrappedHeight(const FontFace& font, const std::string& text,
                                           int width) const = 0;
};

// The committed table: "MS Sans Serif" at 11 and 13 pixels, regular and bold.
class TableMeasurer final : public TextMeasurer {
 public:
  std::optional<int> Width(const FontFace& font, const std::string& text) const override;
  std::optional<int> WrappedHeight(const FontFace& font, const std::string& text,
                                   int width) const override;
};

// The measured widths of one font, for characters 0x20..0xFF of the system
// code page: the width of text is the sum of its characters' widths plus
// `overhang` once (bold faces drawn from a regular one are one pixel wider).
struct FontWidthTable {
  const char* name;
  int height;
  bool bold;
  int lineHeight;
  int overhang;
  int widths[224];
};
const FontWidthTable* FindWidthTable(const FontFace& font);

// The lines a word-wrapping label breaks text into, by a width function:
// breaks at line feeds, then before the word that would overflow; a word
// wider than the line stands alone on its line.
int WrappedLineCount(const std::string& text, int width,
                     const std::function<int(const std::string&)>& measure);

}  // namespace pikko::disccheck
