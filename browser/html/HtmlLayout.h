// Lays out a page's display model at a width: boxes with their padding,
// borders and backgrounds, absolutely placed boxes, word-wrapped lines in
// the page's fonts, list markers and simple tables. The result is a list of
// things to paint, in page pixels, in painting order; the measuring of text
// is the caller's (GDI on Windows, a fixed-width stand-in in tests).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "browser/html/HtmlText.h"

namespace pikko {

class PageMeasure {
 public:
  virtual ~PageMeasure() = default;
  virtual int TextWidth(std::string_view text, const PageFont& font) = 0;
  virtual int LineHeight(const PageFont& font) = 0;
  virtual int Ascent(const PageFont& font) = 0;
  // Bytes of the character that starts text (two for a double-byte
  // character of the system code page); at least 1.
  virtual std::size_t CharLength(std::string_view text) {
    (void)text;
    return 1;
  }
};

struct PageRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct PagePaint {
  enum class Kind { Fill, Frame, Text, Dot };
  Kind kind = Kind::Fill;
  PageRect rect;  // Text: rect.left, rect.top is where the text starts
  TColor colour = 0;
  int thickness = 0;  // Frame
  std::string text;   // Text
  PageFont font;      // Text
};

struct PageLayout {
  std::vector<PagePaint> paints;
  int height = 0;  // of the page's flow
};

// At most this many paints; a page that needs more shows its beginning.
constexpr std::size_t kPagePaintRoom = 50000;

PageLayout LayoutPage(const PageModel& page, int width, int height, PageMeasure& measure);

}  // namespace pikko
