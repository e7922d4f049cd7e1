// The plain reading of a local HTML page: its title, colours and a small
// tree of boxes and text, for the plain page view that shows the disc's pages
// where the platform has no HTML engine. Scripts, styles, comments, forms,
// images and links' targets are dropped; the page's own simple style rules
// give colours, sizes, padding and positions.
//
// The page is disc data: any bytes give a model, in bounded time and room.
// Text stays in the system code page, as the page's bytes are; character
// references are turned into that code page by the encoder the caller gives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Pixels.h"
#include "browser/html/HtmlCss.h"

namespace pikko {

struct PageFont {
  int sizePx = 16;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  TColor colour = 0;
  bool operator==(const PageFont& o) const {
    return sizePx == o.sizePx && bold == o.bold && italic == o.italic &&
           underline == o.underline && colour == o.colour;
  }
  bool operator!=(const PageFont& o) const { return !(*this == o); }
};

// A piece of text in one font. A run with lineBreak set ends its line (the
// text before it, if any, is on that line).
struct PageRun {
  std::string text;
  PageFont font;
  bool lineBreak = false;
};

enum class PageBlockKind : std::uint8_t {
  Box,    // a block element: heading, paragraph, list item, div ...
  Text,   // the inline content between block children
  Rule,   // a horizontal line
  Table,  // its children are Rows, theirs Cells (Boxes)
  Row,
};

struct PageBlock {
  PageBlockKind kind = PageBlockKind::Box;
  int parent = -1;
  std::vector<int> children;  // indices into PageModel::blocks
  // The box: resolved to pixels.
  std::optional<TColor> background;
  int borderWidth = 0;
  TColor borderColour = 0;
  int margin[4] = {};  // top, right, bottom, left
  int padding[4] = {};
  bool absolute = false;
  // Pixels or percentages of the containing box (em is already pixels).
  std::optional<CssLength> left, top, width, height;
  TextAlign align = TextAlign::Left;
  PageFont font;       // the element's own font (list markers use it)
  int listMarker = 0;  // -1 a bullet, n > 0 the number of an ordered list's item
  std::vector<PageRun> runs;  // Text blocks only
};

struct PageModel {
  std::string title;
  TColor background = MakeColour(255, 255, 255);
  TColor text = MakeColour(0, 0, 0);
  std::vector<PageBlock> blocks;  // blocks[0] is the body, a Box
};

// Turns a Unicode code point into text of the system code page; empty when
// the code page has no such character.
using CodePointEncoder = std::function<std::string(char32_t)>;
// The encoder for Windows-1252 (the Western code page): what the host uses.
std::string EncodeWindows1252(char32_t codePoint);

struct HtmlLimits {
  std::size_t inputBytes = 1 << 20;  // bytes of the page read; the rest is left out
  std::size_t blocks = 4000;         // blocks in the model
  std::size_t textBytes = 256 << 10;  // text in all runs together
  std::size_t depth = 32;            // nested block elements; deeper ones join their parent
};

// The display model of the page's text.
PageModel SimplifyHtml(std::string_view html, const CodePointEncoder& encode = EncodeWindows1252,
                       const HtmlLimits& limits = {});

// The local file a browser address names: a path as it stands, or the path
// of a file: URL (percent escapes decoded, slashes made backslashes, a query
// or fragment dropped). Empty for every other address (http:, about:, res:
// ...) and for an empty one.
std::string LocalPagePath(std::string_view address);

// Character references in text ("&amp;", "&#233;", "&#x41;", "&nbsp;"),
// decoded; unknown ones stay as written.
std::string DecodeEntities(std::string_view text, const CodePointEncoder& encode);

}  // namespace pikko
