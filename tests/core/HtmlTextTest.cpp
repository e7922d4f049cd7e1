// The plain reading of the disc's pages: structure, text, colours, and
// what malformed or hostile pages come to.
#include "browser/html/HtmlText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "demo/DemoDisc.h"
#include "demo/DemoPromotion.h"

namespace pikko {
namespace {

// The blocks as a short text: [..] a box, T[..] a table, R[..] a row, "..."
// a text block ('/' a line break), - a rule, * a bullet, 2. a number.
std::string Outline(const PageModel& m, int index = 0) {
  const PageBlock& b = m.blocks[static_cast<std::size_t>(index)];
  std::string s;
  if (b.kind == PageBlockKind::Text) {
    s = "\"";
    for (const PageRun& r : b.runs) s += r.lineBreak ? "/" : r.text;
    return s + "\"";
  }
  if (b.kind == PageBlockKind::Rule) return "-";
  if (b.listMarker < 0) s += "*";
  if (b.listMarker > 0) s += std::to_string(b.listMarker) + ".";
  s += b.kind == PageBlockKind::Table ? "T[" : b.kind == PageBlockKind::Row ? "R[" : "[";
  for (int child : b.children) s += Outline(m, child);
  return s + "]";
}

std::string OutlineOf(const std::string& html) { return Outline(SimplifyHtml(html)); }

TEST(SimplifyHtml, StructureTable) {
  const struct {
    const char* html;
    const char* outline;
  } cases[] = {
      {"", "[]"},
      {"plain words", "[\"plain words\"]"},
      {"<p>one</p><p>two</p>", "[[\"one\"][\"two\"]]"},
      {"<p>one<p>two", "[[\"one\"][\"two\"]]"},  // an open paragraph ends at the next
      {"<h1>Title</h1>text", "[[\"Title\"]\"text\"]"},
      {"a  \r\n\t b <b> c </b> d", "[\"a b c d\"]"},
      {"  <p>  lead and trail  </p>  ", "[[\"lead and trail \"]]"},
      {"x<script>document.write('no')</script>y", "[\"xy\"]"},
      {"x<style>p{color:red}</style>y<!-- gone -->z", "[\"xyz\"]"},
      {"<head><title>T</title></head><body>b</body>", "[\"b\"]"},
      {"line<br>next<br/><br>last", "[\"line/next//last\"]"},
      {"<ul><li>a<li>b</ul><ol><li>c<li>d</ol>", "[[*[\"a\"]*[\"b\"]][1.[\"c\"]2.[\"d\"]]]"},
      {"<table><tr><td>a<td>b<tr><td>c</table>", "[T[R[[\"a\"][\"b\"]]R[[\"c\"]]]]"},
      {"<table><tbody><tr><td>a</td></tr></tbody></table>", "[T[R[[\"a\"]]]]"},
      {"<table><td>a</td>b</table>", "[T[R[[\"a\"][\"b\"]]]]"},  // rows and cells implied
      {"<table>loose</table>", "[T[R[[\"loose\"]]]]"},
      {"a<hr>b", "[\"a\"-\"b\"]"},
      {"<div>a<div>b</div>c</div>", "[[\"a\"[\"b\"]\"c\"]]"},
      {"<p>a<div>b</div>", "[[\"a\"][\"b\"]]"},  // a div ends the paragraph
      {"x<select><option>1</option></select>y", "[\"xy\"]"},
      {"<div style=\"display:none\">gone<p>too</p></div>kept", "[\"kept\"]"},
      {"<pre>a  b\nc</pre>", "[[\"a  b/c\"]]"},
      {"<img src=x alt=picture>text<input value=v>", "[\"text\"]"},
      // Malformed: stray and unmatched tags, a lone '<', unclosed constructs.
      {"</p></div>a</b>b", "[\"ab\"]"},
      {"a < b and c<3", "[\"a < b and c<3\"]"},
      {"<b><i>x</b>y</i>z", "[\"xyz\"]"},
      {"text<!-- never closed", "[\"text\"]"},
      {"text<div class=\"never closed", "[\"text\"[]]"},
      {"<table><tr><td>a</div></td></tr></table>after", "[T[R[[\"a\"]]]\"after\"]"},
      {"<p>a</table>b", "[[\"ab\"]]"},
  };
  for (const auto& c : cases) EXPECT_EQ(OutlineOf(c.html), c.outline) << c.html;
}

TEST(DecodeEntities, Table) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"&amp; &lt; &gt; &quot; &apos;", "& < > \" '"},
      {"a&nbsp;b", "a\xA0" "b"},
      {"&#65;&#x42;&#X43;", "ABC"},
      {"&#233;&eacute;", "\xE9\xE9"},
      {"&#8364;&euro;&#128;", "\x80\x80\x80"},  // the euro, also by its old number
      {"&copy; &trade; &mdash;", "\xA9 \x99 \x97"},
      {"&#x4E2D;", "?"},                  // not in the Western code page
      {"&#0; &#xD800; &#99999999999;", "? ? ?"},  // nothing, a surrogate, beyond Unicode
      {"&amp without semicolon", "& without semicolon"},
      {"&eacute without semicolon", "&eacute without semicolon"},
      {"&unknown; & &; &#; &#x;", "&unknown; & &; &#; &#x;"},
      {"soft&shy;hyphen", "softhyphen"},
      {"&&amp;&", "&&&"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeEntities(c.text, EncodeWindows1252), c.expected)
      << c.text;
  // Text references come out decoded; markup written as references stays text.
  EXPECT_EQ(OutlineOf("&lt;b&gt;not bold&lt;/b&gt; &amp; more"), "[\"<b>not bold</b> & more\"]");
  // The encoder given decides the code page.
  auto wide = [](char32_t c) { return c == 0x4E2D ? std::string("\x92\x86") : std::string(); };
  EXPECT_EQ(DecodeEntities("&#x4E2D;&#x4E01;", wide), "\x92\x86?");
}

const PageBlock& FirstWithText(const PageModel& m, const std::string& text) {
  for (const PageBlock& b : m.blocks) {
    for (const PageRun& r : b.runs) {
      if (r.text.find(text) != std::string::npos) return m.blocks[static_cast<std::size_t>(b.parent)];
    }
  }
  static const PageBlock none;
  ADD_FAILURE() << "no text " << text;
  return none;
}

const PageRun& RunWith(const PageModel& m, const std::string& text) {
  for (const PageBlock& b : m.blocks) {
    for (const PageRun& r : b.runs) {
      if (r.text.find(text) != std::string::npos) return r;
    }
  }
  static const PageRun none;
  ADD_FAILURE() << "no text " << text;
  return none;
}

TEST(SimplifyHtml, PageColoursAndTitle) {
  const struct {
    const char* html;
    TColor background, text;
  } cases[] = {
      {"<p>x", MakeColour(255, 255, 255), MakeColour(0, 0, 0)},
      {"<style>body { background: #1c1c1f; color: #b9b9b9 }</style>x", MakeColour(0x1c, 0x1c, 0x1f),
       MakeColour(0xb9, 0xb9, 0xb9)},
      {"<body bgcolor=\"#000080\" text=\"#ffff00\">x", MakeColour(0, 0, 128),
       MakeColour(255, 255, 0)},
      {"<html style=\"background: silver\"><body>x", MakeColour(192, 192, 192),
       MakeColour(0, 0, 0)},
      {"<style>html { background: red } body { background-color: blue }</style>x",
       MakeColour(0, 0, 255), MakeColour(0, 0, 0)},
      {"<body style=\"background: url(a.png); color: nonsense\">x", MakeColour(255, 255, 255),
       MakeColour(0, 0, 0)},
  };
  for (const auto& c : cases) {
    const PageModel m = SimplifyHtml(c.html);
    EXPECT_EQ(m.background, c.background) << c.html;
    EXPECT_EQ(m.text, c.text) << c.html;
    EXPECT_EQ(RunWith(m, "x").font.colour, c.text) << c.html;
  }
  EXPECT_EQ(SimplifyHtml("<title> Contact \r\n us &amp; co </title>").title, "Contact us & co");
}

TEST(SimplifyHtml, FontsFollowHeadingsRulesAndInlineElements) {
  const PageModel m = SimplifyHtml(
      "<style>body { font-size: 12px } h1 { font-size: 20px; color: #0070d0 } "
      ".kicker { text-transform: uppercase; font-size: 11px; font-weight: bold }</style>"
      "<h1>Head</h1><h2>Sub</h2><div class=kicker>small caps</div>"
      "<p>plain <b>bold</b> <i>slanted</i> <a href=x>link</a> "
      "<span style=\"font-size: 2em\">big</span> <font color=red size=1>tiny</font></p>");
  const PageRun& head = RunWith(m, "Head");
  EXPECT_EQ(head.font.sizePx, 20);
  EXPECT_TRUE(head.font.bold);
  EXPECT_EQ(head.font.colour, MakeColour(0, 0x70, 0xd0));
  EXPECT_EQ(RunWith(m, "Sub").font.sizePx, 18);  // 1.5em of the body's 12px
  EXPECT_EQ(RunWith(m, "SMALL CAPS").font.sizePx, 11);
  EXPECT_TRUE(RunWith(m, "SMALL CAPS").font.bold);
  EXPECT_EQ(RunWith(m, "plain").font.sizePx, 12);
  EXPECT_FALSE(RunWith(m, "plain").font.bold);
  EXPECT_TRUE(RunWith(m, "bold").font.bold);
  EXPECT_TRUE(RunWith(m, "slanted").font.italic);
  EXPECT_TRUE(RunWith(m, "link").font.underline);
  EXPECT_EQ(RunWith(m, "big").font.sizePx, 24);
  EXPECT_EQ(RunWith(m, "tiny").font.sizePx, 10);
  EXPECT_EQ(RunWith(m, "tiny").font.colour, MakeColour(255, 0, 0));
  // Browser margins of headings and paragraphs, in the element's own font.
  EXPECT_EQ(FirstWithText(m, "Head").margin[0], 13);  // 0.67em of 20px
  EXPECT_EQ(FirstWithText(m, "plain").margin[2], 12);
}

// The demo disc's pages, as the menu shows them.
TEST(SimplifyHtml, TheDemoContactPage) {
  const PageModel m = SimplifyHtml(demo::ContactPage(demo::Look::Normal, false));
  EXPECT_NE(m.title.find("Contact"), std::string::npos);
  EXPECT_EQ(m.background, MakeColour(0xee, 0xf3, 0xf9));
  EXPECT_EQ(m.text, MakeColour(3, 0x48, 0x71));
  EXPECT_EQ(m.blocks[0].padding[0], 16);
  EXPECT_EQ(m.blocks[0].padding[3], 22);
  const PageRun& heading = RunWith(m, "Contact");
  EXPECT_EQ(heading.font.sizePx, 18);
  EXPECT_EQ(heading.font.colour, MakeColour(0, 0x70, 0xd0));
  const PageBlock& h2 = FirstWithText(m, "Technical support");
  const PageBlock& card = m.blocks[static_cast<std::size_t>(h2.parent)];
  EXPECT_EQ(card.background, MakeColour(255, 255, 255));
  EXPECT_EQ(card.borderWidth, 1);
  EXPECT_EQ(card.borderColour, MakeColour(0, 0x70, 0xd0));
  EXPECT_EQ(card.padding[3], 14);
  ASSERT_TRUE(card.width.has_value());
  EXPECT_EQ(card.width->ToPx(0, 0), 560);
  // The support table: four rows of label and value; the link is text only.
  int rows = 0;
  for (const PageBlock& b : m.blocks) {
    if (b.kind == PageBlockKind::Row) {
      ++rows;
      EXPECT_EQ(b.children.size(), 2u);
    }
  }
  EXPECT_EQ(rows, 4);
  EXPECT_EQ(FirstWithText(m, "Telephone").padding[1], 16);
  EXPECT_NE(Outline(m).find("/1 Sample Street/Exampletown"), std::string::npos) << Outline(m);
}

TEST(SimplifyHtml, TheDemoPromotionPagesPlaceTheirCards) {
  for (const auto& file : demo::PromotionFiles()) {
    if (file.first.find(".htm") == std::string::npos) continue;
    const PageModel m = SimplifyHtml(file.second);
    EXPECT_EQ(m.background, MakeColour(0xee, 0xf3, 0xf9)) << file.first;
    const PageBlock& card = m.blocks[static_cast<std::size_t>(m.blocks[0].children.at(0))];
    EXPECT_TRUE(card.absolute) << file.first;
    EXPECT_EQ(card.left->ToPx(0, 0), 24) << file.first;
    EXPECT_EQ(card.top->ToPx(0, 0), 22) << file.first;
    EXPECT_EQ(card.background, MakeColour(255, 255, 255)) << file.first;
    EXPECT_EQ(card.padding[0], 14) << file.first;
    // The page's heading is its title.
    ASSERT_FALSE(m.title.empty()) << file.first;
    EXPECT_EQ(RunWith(m, m.title).font.sizePx, 20) << file.first;
    EXPECT_TRUE(RunWith(m, m.title).font.bold) << file.first;
  }
  // The advertisement banner carries its colour and its text its own.
  for (const auto& file : demo::VendorAdFiles()) {
    if (file.first != "VendorAD\\chipset.htm") continue;
    const PageModel m = SimplifyHtml(file.second);
    const PageBlock& inner = FirstWithText(m, "Recommended");
    const PageBlock& banner = m.blocks[static_cast<std::size_t>(inner.parent)];
    EXPECT_EQ(banner.background, MakeColour(0, 0x70, 0xd0));
    EXPECT_EQ(inner.padding[0], 16);
    EXPECT_EQ(RunWith(m, "Recommended").font.colour, MakeColour(255, 255, 255));
    EXPECT_TRUE(RunWith(m, "Recommended").font.bold);
  }
}

TEST(SimplifyHtml, HostilePagesStayBounded) {
  HtmlLimits limits;
  limits.blocks = 500;
  limits.textBytes = 1000;
  const struct {
    const char* what;
    std::string html;
  } cases[] = {
      {"deep nesting", [] {
         std::string s;
         for (int i = 0; i < 40000; ++i) s += "<div><b>";
         return s + "x";
       }()},
      {"many blocks", [] {
         std::string s;
         for (int i = 0; i < 20000; ++i) s += "<p>x";
         return s;
       }()},
      {"much text", std::string(100000, 'w') + " " + std::string(100000, 'v')},
      {"many rules and elements", [] {
         std::string s = "<style>";
         for (int i = 0; i < 2000; ++i) s += "div span.c" + std::to_string(i) + " { color: red }";
         s += "</style>";
         for (int i = 0; i < 20000; ++i) s += "<span class=c1>";
         return s;
       }()},
      {"only angle brackets", std::string(300000, '<')},
      {"unclosed attribute quote", "<p title=\"" + std::string(300000, 'q')},
  };
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    const PageModel m = SimplifyHtml(c.html, EncodeWindows1252, limits);
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LE(m.blocks.size(), limits.blocks) << c.what;
    std::size_t text = 0;
    for (const PageBlock& b : m.blocks) {
      for (const PageRun& r : b.runs) text += r.text.size();
    }
    EXPECT_LE(text, limits.textBytes) << c.what;
    EXPECT_LT(seconds, 10.0) << c.what;  // generous: sanitizers slow this down
  }
}

TEST(SimplifyHtml, RandomBytesGiveAModel) {
  std::mt19937 random(20240601);
  const char alphabet[] = "<>/=\"' &#;abdiltpr\r\n\x80\xff";
  for (int round = 0; round < 300; ++round) {
    std::string html;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) {
      html += random() % 4 == 0 ? static_cast<char>(random() % 256)
                                : alphabet[random() % (sizeof(alphabet) - 1)];
    }
    const PageModel m = SimplifyHtml(html);
    ASSERT_FALSE(m.blocks.empty());
    for (std::size_t i = 1; i < m.blocks.size(); ++i) {
      // Every block but the body hangs below an earlier one.
      ASSERT_GE(m.blocks[i].parent, 0);
      ASSERT_LT(static_cast<std::size_t>(m.blocks[i].parent), i);
    }
  }
}

TEST(LocalPagePath, PathsAndFileUrlsOnly) {
  const struct {
    const char* address;
    const char* path;
  } cases[] = {
      {"D:\\AUTORUN\\contact\\contact_256_n00.htm", "D:\\AUTORUN\\contact\\contact_256_n00.htm"},
      {"  D:\\page.htm ", "D:\\page.htm"},
      {"\\\\server\\disc\\page.htm", "\\\\server\\disc\\page.htm"},
      {"page.htm", "page.htm"},
      {"file:///D:/AUTORUN/My%20Pages/a.htm", "D:\\AUTORUN\\My Pages\\a.htm"},
      {"FILE://D:/a.htm", "D:\\a.htm"},
      {"file://localhost/D:/a.htm", "D:\\a.htm"},
      {"file://server/share/a.htm", "\\\\server\\share\\a.htm"},
      {"file:D:\\a.htm", "D:\\a.htm"},
      {"file:///D:/a.htm?x=1#top", "D:\\a.htm"},
      {"file:///D:/a%2", "D:\\a%2"},        // a cut escape stays as written
      {"file:///D:/a%00b.htm", "D:\\a%00b.htm"},  // never a NUL inside the path
      {"file:///D:/%zz.htm", "D:\\%zz.htm"},
      {"http://example.com/a.htm", ""},
      {"https://example.com/", ""},
      {"about:blank", ""},
      {"res://ieframe.dll/navcancl.htm", ""},
      {"javascript:alert(1)", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(LocalPagePath(c.address), c.path) << c.address;
  EXPECT_EQ(LocalPagePath(std::string("D:\\a.htm\0http://x", 17)), "D:\\a.htm");
}

}  // namespace
}  // namespace pikko
