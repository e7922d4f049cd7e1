// The little of CSS the plain page view understands: colours, lengths and
// the declarations of simple rules (tag, .class, tag.class, #id and
// descendant chains of those). Everything else in a style sheet is skipped
// without complaint: the disc's pages are shown as well as these allow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Pixels.h"

namespace pikko {

// A colour from its CSS text: "#rgb", "#rrggbb", "rgb(r, g, b)" (numbers or
// percentages) or one of the basic colour names. Empty for anything else.
std::optional<TColor> ParseCssColour(std::string_view text);

struct CssLength {
  enum class Unit : std::uint8_t { Px, Em, Percent };
  float value = 0;
  Unit unit = Unit::Px;
  // In pixels, with em relative to fontPx and percentages to percentOf.
  int ToPx(int fontPx, int percentOf) const;
};

// "12px", "9pt", "1.5em", "80%", "0". Empty for anything else ("auto" too).
std::optional<CssLength> ParseCssLength(std::string_view text);

enum class TextAlign : std::uint8_t { Left, Center, Right };

// The declared values of one rule or style attribute; unset fields were not
// declared (or not understood).
struct CssDeclarations {
  std::optional<TColor> color;
  // A background colour, or transparent (background: none / transparent).
  std::optional<TColor> background;
  bool backgroundNone = false;
  std::optional<CssLength> fontSize;
  std::optional<bool> bold, italic, underline, uppercase;
  std::optional<CssLength> margin[4], padding[4];  // top, right, bottom, left
  std::optional<CssLength> borderWidth;
  std::optional<TColor> borderColour;
  std::optional<bool> absolute;
  std::optional<CssLength> left, top, width, height;
  std::optional<TextAlign> align;
  std::optional<bool> hidden;  // display: none

  // Takes every field that other declares (later declarations win).
  void Merge(const CssDeclarations& other);
};

// "color: red; padding: 2px 4px" into declarations; unknown properties and
// values that do not parse are left out.
CssDeclarations ParseCssDeclarations(std::string_view text);

// What a selector is matched against: one element of the page.
struct CssElement {
  std::string tag;  // lower case
  std::string id;
  std::vector<std::string> classes;
};

// One compound selector: tag, id and classes, any of them absent.
struct CssCompound {
  std::string tag;  // empty or "*": any
  std::string id;
  std::vector<std::string> classes;
  bool Matches(const CssElement& e) const;
};

struct CssRule {
  std::vector<CssCompound> chain;  // ancestors first, the subject last
  int specificity = 0;
  std::size_t order = 0;  // position in the sheet(s), later wins at equal specificity
  CssDeclarations declarations;
};

class CssStyleSheet {
 public:
  // Adds the rules of a style sheet's text. Rules beyond the sheet's room
  // are dropped; rules with selectors we do not understand (pseudo-classes,
  // attributes, at-rules) never match.
  void Add(std::string_view text);
  // The declarations that apply to the element (the last of ancestors is its
  // parent), merged in cascade order. Each selector test takes one from
  // budget; with none left, the rest of the rules are not tried.
  CssDeclarations Match(const std::vector<const CssElement*>& ancestors, const CssElement& element,
                        std::size_t& budget) const;
  std::size_t RuleCount() const { return rules_.size(); }

  static constexpr std::size_t kRuleRoom = 1000;

 private:
  std::vector<CssRule> rules_;
};

}  // namespace pikko
