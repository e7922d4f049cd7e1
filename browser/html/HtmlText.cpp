#include "browser/html/HtmlText.h"

#include <algorithm>
#include <cstdint>

#include "browser/html/HtmlTags.h"
#include "browser/html/HtmlTokens.h"
#include "env/Text.h"

namespace pikko {
namespace {

constexpr std::size_t kStackRoom = 64;
constexpr std::size_t kTokenRoom = 200'000;

struct Open {
  std::string tag;
  CssElement element;
  PageFont font;
  TextAlign align = TextAlign::Left;
  bool uppercase = false;
  bool pre = false;
  bool hidden = false;
  int block = -1;  // the block this element made, if any
  int counter = 0;  // ol, ul: items so far
};

class Builder {
 public:
  Builder(const CodePointEncoder& encode, const HtmlLimits& limits)
      : encode_(encode), limits_(limits) {}

  PageModel Run(std::string_view html) {
    html = html.substr(0, std::min(html.size(), limits_.inputBytes));
    const auto tokens = TokenizeHtml(html, kTokenRoom);
    CollectStyleAndTitle(tokens);
    StartBody(nullptr);
    for (const HtmlToken& t : tokens) {
      if (t.kind == HtmlToken::Kind::Text) {
        if (!rawParent_) AddText(t.text);
      } else if (t.kind == HtmlToken::Kind::Start) {
        rawParent_ = OneOf(t.name, {"style", "title", "textarea", "xmp"}) && !t.selfClosing;
        Start(t);
      } else {
        rawParent_ = false;
        End(t.name);
      }
    }
    Finish();
    return std::move(model_);
  }

 private:
  void CollectStyleAndTitle(const std::vector<HtmlToken>& tokens) {
    bool titleSeen = false;
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
      const HtmlToken& t = tokens[i];
      const HtmlToken& next = tokens[i + 1];
      if (t.kind != HtmlToken::Kind::Start || next.kind != HtmlToken::Kind::Text) continue;
      if (t.name == "style") sheet_.Add(next.text);
      if (t.name == "title" && !titleSeen) {
        titleSeen = true;
        model_.title = Collapse(DecodeEntities(next.text, encode_));
        if (model_.title.size() > 256) model_.title.resize(256);
      }
    }
  }

  static std::string Collapse(const std::string& text) {
    std::string out;
    for (char c : text) {
      const bool space = static_cast<unsigned char>(c) <= ' ';
      if (space && (out.empty() || out.back() == ' ')) continue;
      out += space ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
  }

  static CssElement ElementOf(const HtmlToken* t, const std::string& tag) {
    CssElement e;
    e.tag = tag;
    if (!t) return e;
    if (const std::string* id = t->Attribute("id")) e.id = LowerCase(*id);
    if (const std::string* cls = t->Attribute("class")) {
      std::string word;
      for (char c : *cls + " ") {
        if (static_cast<unsigned char>(c) > ' ') {
          word += AsciiLower(c);
        } else if (!word.empty() && e.classes.size() < 16) {
          e.classes.push_back(std::move(word));
          word.clear();
        }
      }
    }
    return e;
  }

  // The declarations of an element: the browser's, the page's rules, the old
  // presentation attributes, then its own style attribute.
  CssDeclarations Declarations(const HtmlToken* t, const CssElement& e, bool root = false) {
    std::vector<const CssElement*> ancestors;
    if (!root) {
      ancestors.reserve(stack_.size());
      for (const Open& o : stack_) ancestors.push_back(&o.element);
    }
    std::size_t unbounded = SIZE_MAX;  // a few rules of our own
    CssDeclarations d = DefaultSheet().Match(ancestors, e, unbounded);
    d.Merge(sheet_.Match(ancestors, e, matchBudget_));
    if (!t) return d;
    CssDeclarations old;
    if (const std::string* v = t->Attribute("bgcolor")) old.background = ParseCssColour(*v);
    if (const std::string* v = t->Attribute(e.tag == "body" ? "text" : "color")) {
      old.color = ParseCssColour(*v);
    }
    if (const std::string* v = t->Attribute("align")) {
      const std::string a = LowerCase(*v);
      if (a == "center") old.align = TextAlign::Center;
      if (a == "right") old.align = TextAlign::Right;
    }
    if (const std::string* v = t->Attribute("width"); v && e.tag != "img") {
      old.width = ParseCssLength(v->find_first_not_of("0123456789") == std::string::npos
                                     ? *v + "px"
                                     : *v);
    }
    if (const std::string* v = t->Attribute("size"); v && e.tag == "font") {
      static constexpr int kSizes[] = {10, 13, 16, 18, 24, 32, 48};
      const int n = std::clamp(StrToIntDef(*v, 3), 1, 7);
      old.fontSize = CssLength{static_cast<float>(kSizes[n - 1]), CssLength::Unit::Px};
    }
    d.Merge(old);
    if (const std::string* style = t->Attribute("style")) {
      d.Merge(ParseCssDeclarations(DecodeEntities(*style, encode_)));
    }
    return d;
  }

  // The element's font and alignment from its parent's and its declarations.
  void Inherit(Open& o, const CssDeclarations& d, const Open* parent) const {
    if (parent) {
      o.font = parent->font;
      o.align = parent->align;
      o.uppercase = parent->uppercase;
      o.pre = parent->pre;
    }
    if (d.fontSize) {
      o.font.sizePx = std::clamp(d.fontSize->ToPx(o.font.sizePx, o.font.sizePx), 4, 200);
    }
    if (d.bold) o.font.bold = *d.bold;
    if (d.italic) o.font.italic = *d.italic;
    if (d.underline) o.font.underline = *d.underline;
    if (d.color) o.font.colour = *d.color;
    if (d.uppercase) o.uppercase = *d.uppercase;
    if (d.align) o.align = *d.align;
    if (o.tag == "pre") o.pre = true;
  }

  void ApplyBox(PageBlock& b, const CssDeclarations& d, int fontPx) const {
    if (d.background) b.background = d.background;
    if (d.borderWidth) b.borderWidth = std::clamp(d.borderWidth->ToPx(fontPx, 0), 0, 50);
    b.borderColour = d.borderColour.value_or(b.font.colour);
    for (int s = 0; s < 4; ++s) {
      if (d.margin[s]) b.margin[s] = std::clamp(d.margin[s]->ToPx(fontPx, 0), -2000, 2000);
      if (d.padding[s]) b.padding[s] = std::clamp(d.padding[s]->ToPx(fontPx, 0), 0, 2000);
    }
    b.absolute = d.absolute.value_or(false);
    auto resolved = [fontPx](const std::optional<CssLength>& l) -> std::optional<CssLength> {
      if (!l || l->unit != CssLength::Unit::Em) return l;
      return CssLength{static_cast<float>(l->ToPx(fontPx, 0)), CssLength::Unit::Px};
    };
    b.left = resolved(d.left);
    b.top = resolved(d.top);
    b.width = resolved(d.width);
    b.height = resolved(d.height);
  }

  void StartBody(const HtmlToken* t) {
    Open body;
    body.tag = "body";
    body.element = ElementOf(t, "body");
    const CssDeclarations d = Declarations(t, body.element, true);
    Inherit(body, d, nullptr);
    body.block = 0;
    if (model_.blocks.empty()) model_.blocks.emplace_back();
    PageBlock& b = model_.blocks[0];
    b.font = body.font;
    b.align = body.align;
    ApplyBox(b, d, body.font.sizePx);
    b.absolute = false;
    b.left = b.top = std::nullopt;
    if (stack_.empty()) {
      stack_.push_back(std::move(body));
    } else {
      // The <body> tag itself: its rules and attributes now apply.
      const PageFont old = stack_[0].font;
      stack_[0] = std::move(body);
      for (PageRun& r : model_.blocks[0].runs) {
        if (r.font == old) r.font = stack_[0].font;
      }
    }
  }

  int Container() const {
    for (std::size_t i = stack_.size(); i > 0; --i) {
      if (stack_[i - 1].block >= 0) return stack_[i - 1].block;
    }
    return 0;
  }

  bool Hidden() const { return !stack_.empty() && stack_.back().hidden; }

  std::size_t BlockDepth() const {
    return static_cast<std::size_t>(
        std::count_if(stack_.begin(), stack_.end(), [](const Open& o) { return o.block >= 0; }));
  }

  int NewBlock(PageBlockKind kind) {
    if (model_.blocks.size() >= limits_.blocks) return -1;
    const int parent = Container();
    PageBlock b;
    b.kind = kind;
    b.parent = parent;
    model_.blocks.push_back(std::move(b));
    const int index = static_cast<int>(model_.blocks.size()) - 1;
    model_.blocks[static_cast<std::size_t>(parent)].children.push_back(index);
    text_ = -1;
    return index;
  }

  // Pops the top element; the text after it starts a new text block.
  void Pop() {
    if (stack_.size() <= 1) return;
    if (stack_.back().block >= 0) text_ = -1;
    stack_.pop_back();
  }

  // Pops up to and including the nearest open element named one of names,
  // but not past one of the stops; false when there is none.
  bool CloseUpTo(std::initializer_list<const char*> names, std::initializer_list<const char*> stops) {
    for (std::size_t i = stack_.size(); i > 1; --i) {
      const std::string& tag = stack_[i - 1].tag;
      if (OneOf(tag, stops)) return false;
      if (OneOf(tag, names)) {
        while (stack_.size() >= i) Pop();
        return true;
      }
    }
    return false;
  }

  PageBlockKind ContainerKind() const {
    return model_.blocks[static_cast<std::size_t>(Container())].kind;
  }

  // Content directly in a table or row goes into a row and a cell of its own.
  void EnsureCell() {
    if (ContainerKind() == PageBlockKind::Table) Push(nullptr, "tr");
    if (ContainerKind() == PageBlockKind::Row) Push(nullptr, "td");
  }

  void Start(const HtmlToken& t) {
    const std::string& tag = t.name;
    if (tag == "body") return StartBody(&t);
    if (tag == "html") {
      htmlBackground_ = Declarations(&t, ElementOf(&t, "html"), true).background;
      return;
    }
    // Never shown, or only structure: the head's title and style rules are
    // already taken, a row group adds nothing to its table here.
    if (OneOf(tag, {"head", "title", "style", "script", "textarea", "xmp", "thead", "tbody",
                    "tfoot", "colgroup"})) {
      return;
    }
    if (Hidden()) {
      if (!IsVoidTag(tag) && !t.selfClosing) Push(&t, tag);  // kept for the matching end tag
      return;
    }
    if (tag == "br") return LineBreak();
    if (ClosesParagraph(tag)) CloseUpTo({"p"}, {"table", "td", "th", "li", "div"});
    if (tag == "li") CloseUpTo({"li"}, {"ul", "ol", "table"});
    if (tag == "dt" || tag == "dd") CloseUpTo({"dt", "dd"}, {"dl", "table"});
    if (tag == "tr") CloseUpTo({"tr"}, {"table"});
    if (tag == "td" || tag == "th") CloseUpTo({"td", "th"}, {"tr", "table"});
    if ((tag == "td" || tag == "th") && ContainerKind() == PageBlockKind::Table) {
      Push(nullptr, "tr");
    }
    if (tag != "tr" && tag != "td" && tag != "th" && (IsBlockTag(tag) || tag == "hr")) {
      EnsureCell();
    }
    if (tag == "hr") {
      Push(&t, tag);
      Pop();
      return;
    }
    if (IsVoidTag(tag) || t.selfClosing) return;  // images, inputs: nothing to show
    Push(&t, tag);
  }

  void Push(const HtmlToken* t, const std::string& tag) {
    if (stack_.size() >= kStackRoom) return;  // deeper elements leave their text to the parent
    Open o;
    o.tag = tag;
    o.element = ElementOf(t, tag);
    const bool parentHidden = Hidden();
    const CssDeclarations d = parentHidden ? CssDeclarations{} : Declarations(t, o.element);
    Inherit(o, d, &stack_.back());
    o.hidden = parentHidden || IsHiddenTag(tag) || d.hidden.value_or(false);
    const bool wantsBlock = IsBlockTag(tag) || tag == "hr";
    if (!o.hidden && wantsBlock && BlockDepth() < limits_.depth) {
      PageBlockKind kind = PageBlockKind::Box;
      if (tag == "table") kind = PageBlockKind::Table;
      if (tag == "tr" && ContainerKind() == PageBlockKind::Table) kind = PageBlockKind::Row;
      if (tag == "hr") kind = PageBlockKind::Rule;
      o.block = NewBlock(kind);
      if (o.block >= 0) {
        PageBlock& b = model_.blocks[static_cast<std::size_t>(o.block)];
        b.font = o.font;
        b.align = o.align;
        ApplyBox(b, d, o.font.sizePx);
        if (tag == "li") b.listMarker = ListMarker();
      }
    }
    stack_.push_back(std::move(o));
  }

  // The marker of a new list item: the next number of an open ol, else a bullet.
  int ListMarker() {
    for (std::size_t i = stack_.size(); i > 1; --i) {
      Open& o = stack_[i - 1];
      if (o.tag == "ol") return ++o.counter;
      if (o.tag == "ul" || o.tag == "menu") return -1;
    }
    return -1;
  }

  void End(const std::string& tag) {
    if (tag == "br") {
      if (!Hidden()) LineBreak();
      return;
    }
    if (tag == "body" || tag == "html") return;
    for (std::size_t i = stack_.size(); i > 1; --i) {
      if (stack_[i - 1].tag == tag) {
        while (stack_.size() >= i) Pop();
        return;
      }
      // An end tag does not close past the table it is in.
      if (stack_[i - 1].tag == "table" && tag != "table") return;
    }
  }

  PageBlock* TextBlock(bool create) {
    if (text_ < 0) {
      if (!create) return nullptr;
      EnsureCell();
      text_ = NewBlock(PageBlockKind::Text);
      if (text_ < 0) return nullptr;
      model_.blocks[static_cast<std::size_t>(text_)].align = stack_.back().align;
      model_.blocks[static_cast<std::size_t>(text_)].font = stack_.back().font;
      lastWasSpace_ = true;
    }
    return &model_.blocks[static_cast<std::size_t>(text_)];
  }

  void Append(PageBlock& b, std::string_view text) {
    const Open& o = stack_.back();
    // Text beyond the page's room is cut off.
    text = text.substr(0, std::min(text.size(), limits_.textBytes - textBytes_));
    if (text.empty()) return;
    textBytes_ += text.size();
    if (b.runs.empty() || b.runs.back().lineBreak || b.runs.back().font != o.font) {
      PageRun r;
      r.font = o.font;
      b.runs.push_back(std::move(r));
    }
    std::string& out = b.runs.back().text;
    const std::size_t from = out.size();
    out.append(text);
    if (o.uppercase) {
      for (std::size_t i = from; i < out.size(); ++i) {
        if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
      }
    }
  }

  void AddText(const std::string& raw) {
    if (Hidden()) return;
    const std::string text = DecodeEntities(raw, encode_);
    const bool pre = stack_.back().pre;
    std::string piece;
    auto flush = [&] {
      if (piece.empty()) return;
      if (PageBlock* b = TextBlock(true)) Append(*b, piece);
      piece.clear();
    };
    for (char c : text) {
      const auto u = static_cast<unsigned char>(c);
      if (pre && (c == '\n')) {
        flush();
        LineBreak();
        continue;
      }
      if (u <= ' ' && !pre) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f') continue;
        if (lastWasSpace_) continue;
        // A space at the start of a text block shows nothing: it waits for text.
        if (text_ < 0 && piece.empty()) continue;
        piece += ' ';
        lastWasSpace_ = true;
        continue;
      }
      if (u < ' ' && c != '\t') continue;  // control characters
      piece += c == '\t' ? ' ' : c;
      lastWasSpace_ = false;
    }
    flush();
  }

  void LineBreak() {
    if (PageBlock* b = TextBlock(true)) {
      PageRun r;
      r.font = stack_.back().font;
      r.lineBreak = true;
      b->runs.push_back(std::move(r));
      lastWasSpace_ = true;
    }
  }

  void Finish() {
    PageBlock& body = model_.blocks[0];
    model_.text = body.font.colour;
    if (body.background) {
      model_.background = *body.background;
    } else if (htmlBackground_) {
      model_.background = *htmlBackground_;
    }
    body.background.reset();  // the page is painted in it
  }

  const CodePointEncoder& encode_;
  HtmlLimits limits_;
  PageModel model_;
  CssStyleSheet sheet_;
  std::vector<Open> stack_;
  std::optional<TColor> htmlBackground_;
  int text_ = -1;
  bool lastWasSpace_ = true;
  bool rawParent_ = false;
  std::size_t textBytes_ = 0;
  // Selector tests left for the whole page: beyond them only the browser's
  // rules apply, so a page of many rules and elements costs bounded time.
  std::size_t matchBudget_ = 20'000'000;
};

}  // namespace

PageModel SimplifyHtml(std::string_view html, const CodePointEncoder& encode,
                       const HtmlLimits& limits) {
  return Builder(encode, limits).Run(html);
}

}  // namespace pikko
