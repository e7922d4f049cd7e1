// The tokens of an HTML page: text, start tags with their attributes and end
// tags. Comments, doctypes, processing instructions and the contents of
// scripts are dropped here; a style element's text comes through as one text
// token. Any bytes tokenise: a stray '<' is text, an unclosed tag or comment
// ends the page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pikko {

struct HtmlAttribute {
  std::string name;   // lower case
  std::string value;  // as written: character references are not yet decoded
};

struct HtmlToken {
  enum class Kind { Text, Start, End };
  Kind kind = Kind::Text;
  std::string name;  // tags: lower case
  std::vector<HtmlAttribute> attributes;
  std::string text;  // text tokens: as written
  bool selfClosing = false;

  // The attribute's value (the first of that name), or null.
  const std::string* Attribute(std::string_view name) const;
};

// At most tokenRoom tokens and attributesRoom attributes a tag; what is
// beyond them is left out.
std::vector<HtmlToken> TokenizeHtml(std::string_view html, std::size_t tokenRoom,
                                    std::size_t attributesRoom = 32);

}  // namespace pikko
