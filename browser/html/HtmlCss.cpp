#include "browser/html/HtmlCss.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "env/Text.h"

namespace pikko {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A decimal number at the start of text ("-1.5"), with how many characters
// it took; nothing when there is no digit.
std::optional<float> LeadingNumber(std::string_view text, std::size_t& used) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  double value = 0;
  bool digits = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < 1e6) value = value * 10 + (text[i] - '0');
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10) {
      value += (text[i] - '0') * scale;
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  used = i;
  return static_cast<float>(negative ? -value : value);
}

struct NamedColour {
  const char* name;
  TColor colour;
};
constexpr NamedColour kNamedColours[] = {
    {"black", MakeColour(0, 0, 0)},         {"white", MakeColour(255, 255, 255)},
    {"red", MakeColour(255, 0, 0)},         {"green", MakeColour(0, 128, 0)},
    {"blue", MakeColour(0, 0, 255)},        {"yellow", MakeColour(255, 255, 0)},
    {"navy", MakeColour(0, 0, 128)},        {"gray", MakeColour(128, 128, 128)},
    {"grey", MakeColour(128, 128, 128)},    {"silver", MakeColour(192, 192, 192)},
    {"maroon", MakeColour(128, 0, 0)},      {"purple", MakeColour(128, 0, 128)},
    {"fuchsia", MakeColour(255, 0, 255)},   {"magenta", MakeColour(255, 0, 255)},
    {"lime", MakeColour(0, 255, 0)},        {"olive", MakeColour(128, 128, 0)},
    {"teal", MakeColour(0, 128, 128)},      {"aqua", MakeColour(0, 255, 255)},
    {"cyan", MakeColour(0, 255, 255)},      {"orange", MakeColour(255, 165, 0)},
    {"darkblue", MakeColour(0, 0, 139)},    {"darkgray", MakeColour(169, 169, 169)},
    {"lightgray", MakeColour(211, 211, 211)}, {"darkred", MakeColour(139, 0, 0)},
};

// Splits at blanks outside parentheses ("1px solid rgb(1, 2, 3)").
std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  int depth = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size();
    if (!end && text[i] == '(') ++depth;
    if (!end && text[i] == ')' && depth > 0) --depth;
    if (end || (depth == 0 && IsSpace(text[i]))) {
      if (i > start) out.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return out;
}

std::optional<CssLength> FontSizeKeyword(std::string_view value) {
  const struct {
    const char* name;
    CssLength length;
  } keywords[] = {
      {"xx-small", {9, CssLength::Unit::Px}}, {"x-small", {10, CssLength::Unit::Px}},
      {"small", {13, CssLength::Unit::Px}},   {"medium", {16, CssLength::Unit::Px}},
      {"large", {18, CssLength::Unit::Px}},   {"x-large", {24, CssLength::Unit::Px}},
      {"xx-large", {32, CssLength::Unit::Px}}, {"smaller", {0.83f, CssLength::Unit::Em}},
      {"larger", {1.2f, CssLength::Unit::Em}},
  };
  for (const auto& k : keywords) {
    if (value == k.name) return k.length;
  }
  return ParseCssLength(value);
}

std::optional<bool> Weight(std::string_view value) {
  if (value == "bold" || value == "bolder") return true;
  if (value == "normal" || value == "lighter") return false;
  std::size_t used = 0;
  const auto number = LeadingNumber(value, used);
  if (number && used == value.size()) return *number >= 600;
  return std::nullopt;
}

// One to four lengths for the four sides, as margin and padding take them.
void Sides(std::string_view value, std::optional<CssLength> (&sides)[4]) {
  const auto tokens = Tokens(value);
  if (tokens.empty() || tokens.size() > 4) return;
  std::optional<CssLength> v[4];
  for (std::size_t i = 0; i < tokens.size(); ++i) v[i] = ParseCssLength(tokens[i]);
  static constexpr int kFrom[5][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1},
                                      {0, 1, 2, 3}};
  for (int side = 0; side < 4; ++side) {
    const auto& from = v[kFrom[tokens.size()][side]];
    if (from) sides[side] = from;  // "auto" leaves the side as it was
  }
}

void Border(std::string_view value, CssDeclarations& d) {
  std::optional<CssLength> width;
  std::optional<TColor> colour;
  bool styled = false, none = false;
  for (std::string_view token : Tokens(value)) {
    if (token == "none" || token == "hidden") {
      none = true;
    } else if (token == "solid" || token == "dashed" || token == "dotted" || token == "double" ||
               token == "groove" || token == "ridge" || token == "inset" || token == "outset") {
      styled = true;
    } else if (token == "thin") {
      width = CssLength{1, CssLength::Unit::Px};
    } else if (token == "medium") {
      width = CssLength{3, CssLength::Unit::Px};
    } else if (token == "thick") {
      width = CssLength{5, CssLength::Unit::Px};
    } else if (auto length = ParseCssLength(token)) {
      width = length;
    } else if (auto c = ParseCssColour(token)) {
      colour = c;
    }
  }
  if (none || !styled) {
    d.borderWidth = CssLength{0, CssLength::Unit::Px};
    return;
  }
  d.borderWidth = width ? *width : CssLength{3, CssLength::Unit::Px};
  if (colour) d.borderColour = colour;
}

void Background(std::string_view value, CssDeclarations& d) {
  if (value == "none" || value == "transparent") {
    d.background.reset();
    d.backgroundNone = true;
    return;
  }
  for (std::string_view token : Tokens(value)) {
    if (auto c = ParseCssColour(token)) {
      d.background = c;
      d.backgroundNone = false;
      return;
    }
  }
  // An image or a gradient alone: the colour stays as it was.
}

void Declare(std::string_view name, std::string_view value, CssDeclarations& d) {
  if (name == "color") {
    if (auto c = ParseCssColour(value)) d.color = c;
  } else if (name == "background" || name == "background-color") {
    Background(value, d);
  } else if (name == "font-size") {
    if (auto l = FontSizeKeyword(value)) d.fontSize = l;
  } else if (name == "font-weight") {
    if (auto w = Weight(value)) d.bold = w;
  } else if (name == "font-style") {
    if (value == "italic" || value == "oblique") d.italic = true;
    if (value == "normal") d.italic = false;
  } else if (name == "font") {
    for (std::string_view token : Tokens(value)) {
      if (token == "bold" || token == "bolder") d.bold = true;
      if (token == "italic" || token == "oblique") d.italic = true;
      const std::string_view size = token.substr(0, token.find('/'));  // "12px/16px"
      if (auto l = ParseCssLength(size); l && l->value > 0) d.fontSize = l;
    }
  } else if (name == "text-decoration" || name == "text-decoration-line") {
    if (value.find("underline") != std::string_view::npos) d.underline = true;
    if (value == "none") d.underline = false;
  } else if (name == "text-transform") {
    d.uppercase = value == "uppercase";
  } else if (name == "margin" || name == "padding") {
    Sides(value, name == "margin" ? d.margin : d.padding);
  } else if (StartsWithText(name, "margin-") || StartsWithText(name, "padding-")) {
    const bool margin = name[0] == 'm';
    const std::string_view side = name.substr(margin ? 7 : 8);
    const char* names[] = {"top", "right", "bottom", "left"};
    for (int s = 0; s < 4; ++s) {
      if (side == names[s]) {
        if (auto l = ParseCssLength(value)) (margin ? d.margin : d.padding)[s] = l;
      }
    }
  } else if (name == "border") {
    Border(value, d);
  } else if (name == "border-color") {
    if (auto c = ParseCssColour(value)) d.borderColour = c;
  } else if (name == "border-width") {
    if (auto l = ParseCssLength(value)) d.borderWidth = l;
  } else if (name == "position") {
    d.absolute = value == "absolute" || value == "fixed";
  } else if (name == "left" || name == "top" || name == "width" || name == "height") {
    std::optional<CssLength>& field = name == "left"    ? d.left
                                      : name == "top"   ? d.top
                                      : name == "width" ? d.width
                                                        : d.height;
    if (value == "auto") field.reset();
    if (auto l = ParseCssLength(value)) field = l;
  } else if (name == "text-align") {
    if (value == "center") d.align = TextAlign::Center;
    if (value == "right") d.align = TextAlign::Right;
    if (value == "left" || value == "justify") d.align = TextAlign::Left;
  } else if (name == "display") {
    d.hidden = value == "none";
  }
}

// A compound selector's text ("div.card", "#top", "*"); nothing for one we
// do not understand.
std::optional<CssCompound> ParseCompound(std::string_view text) {
  CssCompound compound;
  std::size_t i = 0;
  auto name = [&] {
    const std::size_t start = i;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) ||
                               text[i] == '-' || text[i] == '_')) {
      ++i;
    }
    return LowerCase(text.substr(start, i - start));
  };
  if (i < text.size() && text[i] == '*') {
    ++i;
  } else {
    compound.tag = name();
  }
  while (i < text.size()) {
    const char kind = text[i++];
    if (kind != '.' && kind != '#') return std::nullopt;  // pseudo-classes, attributes
    std::string part = name();
    if (part.empty()) return std::nullopt;
    if (kind == '.') {
      compound.classes.push_back(std::move(part));
    } else {
      compound.id = std::move(part);
    }
  }
  if (compound.tag.empty() && compound.id.empty() && compound.classes.empty() && text != "*") {
    return std::nullopt;
  }
  return compound;
}

// One selector of a list; nothing when a part of it is beyond us.
std::optional<CssRule> ParseSelector(std::string_view text) {
  CssRule rule;
  for (std::string_view token : Tokens(text)) {
    if (token == ">") continue;  // a child is taken as any descendant
    auto compound = ParseCompound(token);
    if (!compound || rule.chain.size() >= 8) return std::nullopt;
    rule.specificity += (compound->id.empty() ? 0 : 100) +
                        10 * static_cast<int>(compound->classes.size()) +
                        (compound->tag.empty() ? 0 : 1);
    rule.chain.push_back(std::move(*compound));
  }
  if (rule.chain.empty()) return std::nullopt;
  return rule;
}

// The position after the block that starts at text[open] == '{', or the end.
std::size_t SkipBlock(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '{') ++depth;
    if (text[i] == '}' && --depth == 0) return i + 1;
  }
  return text.size();
}

std::string WithoutComments(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, 2, "/*") == 0) {
      const std::size_t end = text.find("*/", i + 2);
      if (end == std::string_view::npos) break;
      i = end + 2;
      out += ' ';
    } else {
      out += text[i++];
    }
  }
  return out;
}

}  // namespace

std::optional<TColor> ParseCssColour(std::string_view text) {
  const std::string value = LowerCase(TrimView(text));
  if (!value.empty() && value[0] == '#') {
    const std::size_t n = value.size() - 1;
    if (n != 3 && n != 4 && n != 6 && n != 8) return std::nullopt;
    int digits[8] = {};
    for (std::size_t i = 0; i < n; ++i) {
      digits[i] = HexDigit(value[i + 1]);
      if (digits[i] < 0) return std::nullopt;
    }
    if (n <= 4) {
      return MakeColour(digits[0] * 17, digits[1] * 17, digits[2] * 17);  // alpha is dropped
    }
    return MakeColour(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3],
                      digits[4] * 16 + digits[5]);
  }
  if (StartsWithText(value, "rgb(") || StartsWithText(value, "rgba(")) {
    const std::size_t open = value.find('('), close = value.find(')');
    if (close == std::string::npos || close != value.size() - 1) return std::nullopt;
    std::string inner = value.substr(open + 1, close - open - 1);
    std::replace(inner.begin(), inner.end(), ',', ' ');
    std::replace(inner.begin(), inner.end(), '/', ' ');
    const auto parts = Tokens(inner);
    if (parts.size() != 3 && parts.size() != 4) return std::nullopt;
    unsigned channel[3] = {};
    for (int c = 0; c < 3; ++c) {
      std::size_t used = 0;
      const auto number = LeadingNumber(parts[c], used);
      if (!number) return std::nullopt;
      const std::string_view unit = parts[c].substr(used);
      float v = *number;
      if (unit == "%") {
        v = v * 255.0f / 100.0f;
      } else if (!unit.empty()) {
        return std::nullopt;
      }
      channel[c] = static_cast<unsigned>(std::lround(std::clamp(v, 0.0f, 255.0f)));
    }
    return MakeColour(channel[0], channel[1], channel[2]);
  }
  for (const NamedColour& named : kNamedColours) {
    if (value == named.name) return named.colour;
  }
  return std::nullopt;
}

int CssLength::ToPx(int fontPx, int percentOf) const {
  double px = value;
  if (unit == Unit::Em) px = value * static_cast<double>(fontPx);
  if (unit == Unit::Percent) px = value * static_cast<double>(percentOf) / 100.0;
  return static_cast<int>(std::lround(std::clamp(px, -100000.0, 100000.0)));
}

std::optional<CssLength> ParseCssLength(std::string_view text) {
  const std::string value = LowerCase(TrimView(text));
  std::size_t used = 0;
  const auto number = LeadingNumber(value, used);
  if (!number) return std::nullopt;
  const std::string_view unit = std::string_view(value).substr(used);
  if (unit == "px" || (unit.empty() && *number == 0)) return CssLength{*number, CssLength::Unit::Px};
  if (unit == "pt") return CssLength{*number * 4.0f / 3.0f, CssLength::Unit::Px};
  if (unit == "em" || unit == "rem") return CssLength{*number, CssLength::Unit::Em};
  if (unit == "ex") return CssLength{*number / 2, CssLength::Unit::Em};
  if (unit == "%") return CssLength{*number, CssLength::Unit::Percent};
  return std::nullopt;
}

void CssDeclarations::Merge(const CssDeclarations& o) {
  auto take = [](auto& mine, const auto& theirs) {
    if (theirs) mine = theirs;
  };
  take(color, o.color);
  if (o.background || o.backgroundNone) {
    background = o.background;
    backgroundNone = o.backgroundNone;
  }
  take(fontSize, o.fontSize);
  take(bold, o.bold);
  take(italic, o.italic);
  take(underline, o.underline);
  take(uppercase, o.uppercase);
  for (int s = 0; s < 4; ++s) {
    take(margin[s], o.margin[s]);
    take(padding[s], o.padding[s]);
  }
  take(borderWidth, o.borderWidth);
  take(borderColour, o.borderColour);
  take(absolute, o.absolute);
  take(left, o.left);
  take(top, o.top);
  take(width, o.width);
  take(height, o.height);
  take(align, o.align);
  take(hidden, o.hidden);
}

CssDeclarations ParseCssDeclarations(std::string_view text) {
  CssDeclarations d;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view one = text.substr(start, end - start);
    start = end + 1;
    const std::size_t colon = one.find(':');
    if (colon == std::string_view::npos) continue;
    std::string value = LowerCase(TrimView(one.substr(colon + 1)));
    if (const std::size_t bang = value.find('!'); bang != std::string::npos) {
      value = std::string(TrimView(std::string_view(value).substr(0, bang)));
    }
    Declare(LowerCase(TrimView(one.substr(0, colon))), value, d);
  }
  return d;
}

bool CssCompound::Matches(const CssElement& e) const {
  if (!tag.empty() && tag != e.tag) return false;
  if (!id.empty() && id != e.id) return false;
  for (const std::string& c : classes) {
    if (std::find(e.classes.begin(), e.classes.end(), c) == e.classes.end()) return false;
  }
  return true;
}

void CssStyleSheet::Add(std::string_view input) {
  const std::string text = WithoutComments(input);
  std::size_t i = 0;
  while (i < text.size() && rules_.size() < kRuleRoom) {
    while (i < text.size() && (IsSpace(text[i]) || text[i] == '}' || text[i] == ';')) ++i;
    if (i >= text.size()) break;
    const std::size_t open = text.find('{', i);
    if (text[i] == '@') {
      const std::size_t semicolon = text.find(';', i);
      if (semicolon != std::string::npos && (open == std::string::npos || semicolon < open)) {
        i = semicolon + 1;  // @charset, @import
      } else {
        i = open == std::string::npos ? text.size() : SkipBlock(text, open);  // @media and such
      }
      continue;
    }
    if (open == std::string::npos) break;
    const std::size_t close = text.find('}', open);
    const std::string_view selectors = std::string_view(text).substr(i, open - i);
    const std::string_view body = std::string_view(text).substr(
        open + 1, (close == std::string::npos ? text.size() : close) - open - 1);
    i = close == std::string::npos ? text.size() : close + 1;
    const CssDeclarations declarations = ParseCssDeclarations(body);
    std::size_t start = 0;
    while (start <= selectors.size() && rules_.size() < kRuleRoom) {
      std::size_t comma = selectors.find(',', start);
      if (comma == std::string_view::npos) comma = selectors.size();
      if (auto rule = ParseSelector(selectors.substr(start, comma - start))) {
        rule->order = rules_.size();
        rule->declarations = declarations;
        rules_.push_back(std::move(*rule));
      }
      start = comma + 1;
    }
  }
}

CssDeclarations CssStyleSheet::Match(const std::vector<const CssElement*>& ancestors,
                                     const CssElement& element, std::size_t& budget) const {
  std::vector<const CssRule*> matched;
  for (const CssRule& rule : rules_) {
    if (budget == 0) break;
    --budget;
    if (!rule.chain.back().Matches(element)) continue;
    // The other compounds, right to left, each on a further ancestor.
    std::size_t want = rule.chain.size() - 1;
    for (std::size_t a = ancestors.size(); a > 0 && want > 0 && budget > 0; --a, --budget) {
      if (rule.chain[want - 1].Matches(*ancestors[a - 1])) --want;
    }
    if (want == 0) matched.push_back(&rule);
  }
  std::stable_sort(matched.begin(), matched.end(), [](const CssRule* a, const CssRule* b) {
    return a->specificity < b->specificity;
  });
  CssDeclarations out;
  for (const CssRule* rule : matched) out.Merge(rule->declarations);
  return out;
}

}  // namespace pikko
