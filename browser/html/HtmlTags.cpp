// What elements are: blocks, hidden, empty; and what a browser gives them
// before the page's own rules.
#include "browser/html/HtmlTags.h"

namespace pikko {
namespace {

// What a browser gives elements before the page's own rules.
constexpr char kDefaultSheet[] =
    "body { margin: 8px; }"
    "h1 { font-size: 2em; font-weight: bold; margin: 0.67em 0; }"
    "h2 { font-size: 1.5em; font-weight: bold; margin: 0.83em 0; }"
    "h3 { font-size: 1.17em; font-weight: bold; margin: 1em 0; }"
    "h4 { font-weight: bold; margin: 1.33em 0; }"
    "h5 { font-size: 0.83em; font-weight: bold; margin: 1.67em 0; }"
    "h6 { font-size: 0.67em; font-weight: bold; margin: 2.33em 0; }"
    "p, dl { margin: 1em 0; }"
    "ul, ol { margin: 1em 0; padding-left: 40px; }"
    "li ul, li ol { margin: 0; }"
    "dd { margin-left: 40px; }"
    "blockquote { margin: 1em 40px; }"
    "b, strong, th, dt { font-weight: bold; }"
    "i, em, cite, var, address { font-style: italic; }"
    "u, ins { text-decoration: underline; }"
    "a { color: #0000ee; text-decoration: underline; }"
    "small { font-size: smaller; } big { font-size: larger; }"
    "td, th { padding: 1px; }"
    "center { text-align: center; }"
    "hr { margin: 0.5em 0; border: 1px solid #808080; }";

}  // namespace

const CssStyleSheet& DefaultSheet() {
  static const CssStyleSheet sheet = [] {
    CssStyleSheet s;
    s.Add(kDefaultSheet);
    return s;
  }();
  return sheet;
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* n : names) {
    if (name == n) return true;
  }
  return false;
}

bool IsBlockTag(const std::string& t) {
  return OneOf(t, {"div", "p", "h1", "h2", "h3", "h4", "h5", "h6", "ul", "ol", "li", "table",
                   "tr", "td", "th", "header", "footer", "main", "section", "article", "nav",
                   "aside", "blockquote", "center", "form", "dl", "dt", "dd", "pre", "address",
                   "figure", "figcaption", "caption", "fieldset", "legend", "noscript", "menu",
                   "details", "summary"});
}

// Elements whose content is never shown here.
bool IsHiddenTag(const std::string& t) {
  return OneOf(t, {"template", "select", "textarea", "iframe", "object", "embed",
                   "applet", "svg", "math", "canvas", "map", "audio", "video", "frameset",
                   "datalist"});
}

bool IsVoidTag(const std::string& t) {
  return OneOf(t, {"br", "hr", "img", "meta", "link", "input", "area", "base", "col", "embed",
                   "param", "source", "track", "wbr", "basefont", "frame", "keygen"});
}

// A closed p, li, td or tr is implied by these.
bool ClosesParagraph(const std::string& t) {
  return IsBlockTag(t) && !OneOf(t, {"li", "td", "th", "tr", "dt", "dd", "caption"});
}

}  // namespace pikko
