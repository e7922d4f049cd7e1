// Laying out the plain reading of a page: wrapping, boxes, positions,
// tables and lists, over a fixed-width font.
#include "browser/html/HtmlLayout.h"

#include <gtest/gtest.h>

#include "demo/DemoPromotion.h"

namespace pikko {
namespace {

// Every byte is half the font size wide; a line is the size plus 4.
// Bytes from 0x80 start a two-byte character.
class FixedMeasure final : public PageMeasure {
 public:
  int TextWidth(std::string_view text, const PageFont& font) override {
    return static_cast<int>(text.size()) * font.sizePx / 2;
  }
  int LineHeight(const PageFont& font) override { return font.sizePx + 4; }
  int Ascent(const PageFont& font) override { return font.sizePx; }
  std::size_t CharLength(std::string_view text) override {
    return static_cast<unsigned char>(text[0]) >= 0x80 ? 2 : 1;
  }
};

PageLayout Lay(const std::string& html, int width, int height = 400) {
  FixedMeasure measure;
  return LayoutPage(SimplifyHtml(html), width, height, measure);
}

std::vector<const PagePaint*> Texts(const PageLayout& l) {
  std::vector<const PagePaint*> out;
  for (const PagePaint& p : l.paints) {
    if (p.kind == PagePaint::Kind::Text) out.push_back(&p);
  }
  return out;
}

const PagePaint* Find(const PageLayout& l, const std::string& text) {
  for (const PagePaint& p : l.paints) {
    if (p.kind == PagePaint::Kind::Text && p.text.find(text) != std::string::npos) return &p;
  }
  ADD_FAILURE() << "no text " << text;
  static const PagePaint none;
  return &none;
}

const char kNoMargins[] = "<style>body { margin: 0; font-size: 10px } p { margin: 0 }</style>";

TEST(LayoutPage, WrapsWordsAtTheWidth) {
  // 10px text: 5 pixels a byte, a line 14 high.
  const struct {
    const char* body;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {"aaa bbb ccc", 100, {"aaa bbb ccc"}},
      {"aaa bbb ccc", 55, {"aaa bbb ccc"}},  // exactly the width
      {"aaa bbb ccc", 54, {"aaa bbb", "ccc"}},
      {"aaa bbb ccc", 35, {"aaa bbb", "ccc"}},
      {"aaa bbb ccc", 34, {"aaa", "bbb", "ccc"}},
      {"abcdefghij", 20, {"abcd", "efgh", "ij"}},  // a long word is cut
      {"abcdefghij", 1, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
      {"ab\x82\x83\x84\x85", 15, {"ab", "\x82\x83", "\x84\x85"}},  // never inside a character
      {"one<br>two", 200, {"one", "two"}},
  };
  for (const auto& c : cases) {
    const PageLayout l = Lay(std::string(kNoMargins) + "<p>" + c.body + "</p>", c.width);
    const auto texts = Texts(l);
    ASSERT_EQ(texts.size(), c.lines.size()) << c.body << " at " << c.width;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i]->text, c.lines[i]) << c.body << " at " << c.width;
      EXPECT_EQ(texts[i]->rect.left, 0) << c.body;
      EXPECT_EQ(texts[i]->rect.top, static_cast<int>(i) * 14) << c.body;
    }
  }
}

TEST(LayoutPage, BreaksFontsHeadingsAndAlignment) {
  const PageLayout l = Lay(std::string(kNoMargins) +
                               "<h1 style=\"margin: 0\">Big</h1><p>a<br><br>b <b>bold</b></p>"
                               "<p style=\"text-align: center\">mid</p>",
                           100);
  const PagePaint* big = Find(l, "Big");
  EXPECT_EQ(big->font.sizePx, 20);
  EXPECT_EQ(big->rect.top, 0);
  // The heading's line is 24 high; then a, an empty line, and b with bold.
  EXPECT_EQ(Find(l, "a")->rect.top, 24);
  EXPECT_EQ(Find(l, "b")->rect.top, 24 + 28);
  EXPECT_EQ(Find(l, "bold")->rect.left, 10);  // "b" and a space: two bytes
  EXPECT_TRUE(Find(l, "bold")->font.bold);
  EXPECT_EQ(Find(l, "mid")->rect.left, (100 - 15) / 2);
}

TEST(LayoutPage, BoxesCarryTheirBackgroundBorderAndPadding) {
  const PageLayout l = Lay(std::string(kNoMargins) +
                               "<style>.card { background: #ffffff; border: 1px solid #0070d0; "
                               "padding: 4px 6px; margin: 0 0 10px 0; width: 80px }</style>"
                               "<div class=card>in</div><div class=card>two</div>",
                           300);
  std::vector<const PagePaint*> fills, frames;
  for (const PagePaint& p : l.paints) {
    if (p.kind == PagePaint::Kind::Fill) fills.push_back(&p);
    if (p.kind == PagePaint::Kind::Frame) frames.push_back(&p);
  }
  ASSERT_EQ(fills.size(), 2u);
  ASSERT_EQ(frames.size(), 2u);
  // 80 wide content, 6 + 6 padding, 1 + 1 border; 14 high text, 4 + 4, 1 + 1.
  EXPECT_EQ(fills[0]->rect.left, 0);
  EXPECT_EQ(fills[0]->rect.right, 94);
  EXPECT_EQ(fills[0]->rect.bottom, 24);
  EXPECT_EQ(fills[0]->colour, MakeColour(255, 255, 255));
  EXPECT_EQ(frames[0]->thickness, 1);
  EXPECT_EQ(frames[0]->colour, MakeColour(0, 0x70, 0xd0));
  EXPECT_EQ(fills[1]->rect.top, 34);  // after the first box's bottom margin
  EXPECT_EQ(Find(l, "in")->rect.left, 7);
  EXPECT_EQ(Find(l, "in")->rect.top, 5);
  // The background comes before the text it is under.
  EXPECT_LT(fills[0], Find(l, "in"));
}

TEST(LayoutPage, AbsoluteBoxesStandWhereThePageSays) {
  const PageLayout l =
      Lay(std::string(kNoMargins) +
              "<style>.a { position: absolute; left: 24px; top: 22px; width: 100px; padding: 2px }"
              " .b { position: absolute; left: 10%; top: 5px }</style>"
              "<p>flow</p><div class=a>placed<div class=b>inner</div></div><p>after</p>",
          400);
  EXPECT_EQ(Find(l, "flow")->rect.top, 0);
  EXPECT_EQ(Find(l, "after")->rect.top, 14);  // the placed box takes no room in the flow
  EXPECT_EQ(Find(l, "placed")->rect.left, 26);
  EXPECT_EQ(Find(l, "placed")->rect.top, 24);
  // Inside a placed box, positions count from its padding box (10% of 104).
  EXPECT_EQ(Find(l, "inner")->rect.left, 24 + 10);
  EXPECT_EQ(Find(l, "inner")->rect.top, 22 + 5);
}

TEST(LayoutPage, TableColumnsLineUp) {
  const PageLayout l =
      Lay(std::string(kNoMargins) +
              "<style>td { padding: 0 }</style><table>"
              "<tr><td>E-mail</td><td>support@example.com</td></tr>"
              "<tr><td>Telephone</td><td>0123</td></tr></table>",
          400);
  const PagePaint* mail = Find(l, "support@");
  const PagePaint* phone = Find(l, "0123");
  EXPECT_EQ(mail->rect.left, phone->rect.left);
  // The first column is as wide as "Telephone" (45) with the cell spacing.
  EXPECT_EQ(Find(l, "E-mail")->rect.left, 2);
  EXPECT_EQ(mail->rect.left, 2 + 45 + 2);
  EXPECT_EQ(phone->rect.top, mail->rect.top + 14 + 2);

  // Too narrow: the columns share the room and the text wraps.
  const PageLayout narrow = Lay(std::string(kNoMargins) +
                                    "<table><tr><td>aaaa bbbb cccc</td><td>dd ee</td></tr></table>",
                                60);
  for (const PagePaint* t : Texts(narrow)) EXPECT_LE(t->rect.right, 60) << t->text;
}

TEST(LayoutPage, ListItemsGetMarkers) {
  const PageLayout l = Lay(std::string(kNoMargins) +
                               "<ul style=\"margin: 0\"><li>one</li></ul>"
                               "<ol style=\"margin: 0\"><li>a<li>b</ol>",
                           200);
  const PagePaint* one = Find(l, "one");
  EXPECT_EQ(one->rect.left, 40);
  bool dot = false;
  for (const PagePaint& p : l.paints) {
    if (p.kind != PagePaint::Kind::Dot) continue;
    dot = true;
    EXPECT_LT(p.rect.right, 40);
    EXPECT_GE(p.rect.top, one->rect.top);
    EXPECT_LE(p.rect.bottom, one->rect.top + 14);
  }
  EXPECT_TRUE(dot);
  EXPECT_LT(Find(l, "2.")->rect.right, 41);
  EXPECT_EQ(Find(l, "2.")->rect.top, Find(l, "b")->rect.top);
}

TEST(LayoutPage, NothingToShowOrTooMuch) {
  EXPECT_TRUE(Lay("<p>text", 0).paints.empty());
  EXPECT_TRUE(Lay("<p>text", 100, 0).paints.empty());
  EXPECT_TRUE(Texts(Lay("", 100)).empty());
  std::string many;
  for (int i = 0; i < 60000; ++i) many += "a<br>";
  FixedMeasure measure;
  EXPECT_LE(LayoutPage(SimplifyHtml(many), 100, 100, measure).paints.size(), kPagePaintRoom);
}

// The demo promotion page at the panel's size: every text inside its card.
TEST(LayoutPage, TheDemoPromotionPageFitsItsCard) {
  for (const auto& file : demo::PromotionFiles()) {
    if (file.first != "HomeTab\\Pages\\monitor.htm") continue;
    FixedMeasure measure;
    const PageLayout l = LayoutPage(SimplifyHtml(file.second), 625, 378, measure);
    const PagePaint* card = nullptr;
    for (const PagePaint& p : l.paints) {
      if (p.kind == PagePaint::Kind::Fill && !card) card = &p;
    }
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->rect.left, 24);
    EXPECT_EQ(card->rect.top, 22);
    EXPECT_EQ(card->rect.right, 24 + 1 + 16 + 545 + 16 + 1);
    for (const PagePaint* t : Texts(l)) {
      EXPECT_GE(t->rect.left, card->rect.left + 17) << t->text;
      EXPECT_LE(t->rect.right, card->rect.right - 17) << t->text;
    }
  }
}

}  // namespace
}  // namespace pikko
