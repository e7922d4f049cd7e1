// The style rules of the disc's pages: colours, lengths, declarations and
// which rule wins.
#include "browser/html/HtmlCss.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pikko {
namespace {

TEST(ParseCssColour, Table) {
  const struct {
    const char* text;
    std::optional<TColor> expected;
  } cases[] = {
      {"#0070d0", MakeColour(0, 0x70, 0xd0)},
      {"#EEF3F9", MakeColour(0xee, 0xf3, 0xf9)},
      {"  #fff ", MakeColour(255, 255, 255)},
      {"#f00", MakeColour(255, 0, 0)},
      {"#f008", MakeColour(255, 0, 0)},        // the alpha is dropped
      {"#11223344", MakeColour(0x11, 0x22, 0x33)},
      {"rgb(1, 2, 3)", MakeColour(1, 2, 3)},
      {"RGB(1,2,3)", MakeColour(1, 2, 3)},
      {"rgb(300, -5, 7)", MakeColour(255, 0, 7)},  // clamped, never wrapped
      {"rgb(100%, 0%, 50%)", MakeColour(255, 0, 128)},
      {"rgba(10, 20, 30, 0.5)", MakeColour(10, 20, 30)},
      {"rgb(1 2 3 / 50%)", MakeColour(1, 2, 3)},
      {"Navy", MakeColour(0, 0, 128)},
      {"grey", MakeColour(128, 128, 128)},
      {"#12", std::nullopt},
      {"#12345", std::nullopt},
      {"#ggg", std::nullopt},
      {"rgb(1, 2)", std::nullopt},
      {"rgb(1, 2, 3", std::nullopt},
      {"rgb(1px, 2, 3)", std::nullopt},
      {"linear-gradient(#fff, #000)", std::nullopt},
      {"bluish", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCssColour(c.text), c.expected) << c.text;
}

TEST(ParseCssLength, TableInPixels) {
  // fontPx 10, percentages of 200.
  const struct {
    const char* text;
    std::optional<int> px;
  } cases[] = {
      {"12px", 12},  {"9pt", 12},   {"1.5em", 15}, {"80%", 160}, {"0", 0},
      {"-4px", -4},  {".5em", 5},   {"2ex", 10},   {"12", std::nullopt},
      {"auto", std::nullopt},       {"px", std::nullopt},         {"", std::nullopt},
      {"12 px", std::nullopt},      {"99999999999px", 100000},  // bounded, not overflowed
  };
  for (const auto& c : cases) {
    const auto length = ParseCssLength(c.text);
    ASSERT_EQ(length.has_value(), c.px.has_value()) << c.text;
    if (length) {
      EXPECT_EQ(length->ToPx(10, 200), *c.px) << c.text;
    }
  }
}

int Px(const std::optional<CssLength>& l) { return l ? l->ToPx(10, 100) : -999; }

TEST(ParseCssDeclarations, TheDiscPagesProperties) {
  auto d = ParseCssDeclarations(
      "background: #eef3f9 url(x.png) no-repeat; color: #034871; font-size: 12px; "
      "font-weight: 700; border: 1px solid #0070d0; padding: 14px 16px; margin: 0 0 8px 0; "
      "position: absolute; left: 24px; top: 22px; width: 545px; text-transform: uppercase");
  EXPECT_EQ(d.background, MakeColour(0xee, 0xf3, 0xf9));
  EXPECT_EQ(d.color, MakeColour(3, 0x48, 0x71));
  EXPECT_EQ(Px(d.fontSize), 12);
  EXPECT_EQ(d.bold, true);
  EXPECT_EQ(Px(d.borderWidth), 1);
  EXPECT_EQ(d.borderColour, MakeColour(0, 0x70, 0xd0));
  const int padding[4] = {14, 16, 14, 16}, margin[4] = {0, 0, 8, 0};
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(Px(d.padding[s]), padding[s]) << s;
    EXPECT_EQ(Px(d.margin[s]), margin[s]) << s;
  }
  EXPECT_EQ(d.absolute, true);
  EXPECT_EQ(Px(d.left), 24);
  EXPECT_EQ(Px(d.top), 22);
  EXPECT_EQ(Px(d.width), 545);
  EXPECT_EQ(d.uppercase, true);
}

TEST(ParseCssDeclarations, EdgeCases) {
  const struct {
    const char* text;
    const char* what;
    bool (*check)(const CssDeclarations&);
  } cases[] = {
      {"background: linear-gradient(#22385c, #0c182c)", "a gradient alone sets no colour",
       [](const CssDeclarations& d) { return !d.background && !d.backgroundNone; }},
      {"background: #111; background: transparent", "transparent takes the colour back",
       [](const CssDeclarations& d) { return !d.background && d.backgroundNone; }},
      {"border: 2px #f00", "a border without a style is not drawn",
       [](const CssDeclarations& d) { return Px(d.borderWidth) == 0; }},
      {"border: solid red", "a style alone gives the medium width",
       [](const CssDeclarations& d) { return Px(d.borderWidth) == 3; }},
      {"margin: 1px 2px 3px", "three margins: the left is the right",
       [](const CssDeclarations& d) { return Px(d.margin[3]) == 2 && Px(d.margin[2]) == 3; }},
      {"margin: 0 auto", "auto leaves the sides alone",
       [](const CssDeclarations& d) { return Px(d.margin[0]) == 0 && !d.margin[1]; }},
      {"margin: 1px 2px 3px 4px 5px", "five values are no margin",
       [](const CssDeclarations& d) { return !d.margin[0]; }},
      {"COLOR : Red !important", "names in any case, !important ignored",
       [](const CssDeclarations& d) { return d.color == MakeColour(255, 0, 0); }},
      {"font: italic bold 13px/16px Tahoma", "the font shorthand",
       [](const CssDeclarations& d) { return *d.italic && *d.bold && Px(d.fontSize) == 13; }},
      {"font-size: small; font-weight: normal", "keywords",
       [](const CssDeclarations& d) { return Px(d.fontSize) == 13 && !*d.bold; }},
      {"display: none", "hidden", [](const CssDeclarations& d) { return *d.hidden; }},
      {";;:;color;: red;color:;width: 10", "garbage declares nothing",
       [](const CssDeclarations& d) { return !d.color && !d.width; }},
  };
  for (const auto& c : cases) EXPECT_TRUE(c.check(ParseCssDeclarations(c.text))) << c.what;
}

CssElement Element(const char* tag, std::vector<std::string> classes = {}, const char* id = "") {
  return CssElement{tag, id, std::move(classes)};
}

std::optional<TColor> ColourOf(const CssStyleSheet& sheet, const CssElement& e,
                               std::vector<const CssElement*> ancestors = {}) {
  std::size_t budget = SIZE_MAX;
  return sheet.Match(ancestors, e, budget).color;
}

TEST(CssStyleSheet, TheMoreSpecificRuleWinsThenTheLater) {
  CssStyleSheet sheet;
  sheet.Add(
      "div.card { color: #000001 } .card { color: #000002 } div { color: #000003 }"
      "p { color: #000004 } p { color: #000005 } #top { color: #000006 }"
      "/* a comment { color: red } */ h1, .x:hover, h2 { color: #000007 }");
  const CssElement body = Element("body");
  EXPECT_EQ(ColourOf(sheet, Element("div", {"card"})), 0x010000u);
  EXPECT_EQ(ColourOf(sheet, Element("span", {"card"})), 0x020000u);
  EXPECT_EQ(ColourOf(sheet, Element("div")), 0x030000u);
  EXPECT_EQ(ColourOf(sheet, Element("p")), 0x050000u);
  EXPECT_EQ(ColourOf(sheet, Element("p", {"card"}, "top")), 0x060000u);
  // The pseudo-class selector never matches; the others of its list do.
  EXPECT_EQ(ColourOf(sheet, Element("h1")), 0x070000u);
  EXPECT_EQ(ColourOf(sheet, Element("h2")), 0x070000u);
  EXPECT_EQ(ColourOf(sheet, Element("span", {"x"})), std::nullopt);
}

TEST(CssStyleSheet, DescendantRulesNeedTheirAncestors) {
  CssStyleSheet sheet;
  sheet.Add(".banner div { color: #010101 } table.dmi td { color: #020202 } ul > li { color: red }");
  const CssElement banner = Element("div", {"banner"}), table = Element("table", {"dmi"});
  const CssElement other = Element("div"), tr = Element("tr"), ul = Element("ul");
  EXPECT_EQ(ColourOf(sheet, Element("div"), {&banner}), 0x010101u);
  EXPECT_EQ(ColourOf(sheet, Element("div"), {&other}), std::nullopt);
  EXPECT_EQ(ColourOf(sheet, Element("div", {"banner"})), std::nullopt);
  EXPECT_EQ(ColourOf(sheet, Element("td"), {&table, &tr}), 0x020202u);
  EXPECT_EQ(ColourOf(sheet, Element("td"), {&tr}), std::nullopt);
  EXPECT_EQ(ColourOf(sheet, Element("li"), {&ul}), MakeColour(255, 0, 0));
}

TEST(CssStyleSheet, SkipsWhatItCannotReadAndStaysBounded) {
  CssStyleSheet sheet;
  sheet.Add(
      "@charset \"x\"; @media print { p { color: red } } a[href] { color: red }"
      "p { color: #000009 } div { color: blue");  // the last rule is never closed
  EXPECT_EQ(ColourOf(sheet, Element("p")), 0x090000u);
  EXPECT_EQ(ColourOf(sheet, Element("div")), MakeColour(0, 0, 255));
  EXPECT_EQ(ColourOf(sheet, Element("a")), std::nullopt);

  CssStyleSheet big;
  std::string many;
  for (int i = 0; i < 3000; ++i) many += "p { color: #000001 } ";
  big.Add(many);
  EXPECT_EQ(big.RuleCount(), CssStyleSheet::kRuleRoom);
  // A spent budget stops the matching where it is.
  std::size_t budget = 10;
  big.Match({}, Element("p"), budget);
  EXPECT_EQ(budget, 0u);
}

}  // namespace
}  // namespace pikko
