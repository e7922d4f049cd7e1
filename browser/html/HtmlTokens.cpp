#include "browser/html/HtmlTokens.h"

#include "env/Text.h"

namespace pikko {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameChar(char c) {
  return IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == ':' || c == '_';
}

// Elements whose content is not markup: it runs to their own end tag.
bool IsRawText(const std::string& name) {
  return name == "script" || name == "style" || name == "title" || name == "textarea" ||
         name == "xmp";
}

// Where "</name" (any case) starts at or after from, or npos.
std::size_t FindEndTag(std::string_view html, std::size_t from, std::string_view name) {
  for (std::size_t at = html.find("</", from); at != std::string_view::npos;
       at = html.find("</", at + 2)) {
    if (SameText(html.substr(at + 2, name.size()), name)) {
      const std::size_t after = at + 2 + name.size();
      if (after >= html.size() || !IsNameChar(html[after])) return at;
    }
  }
  return std::string_view::npos;
}

class Tokenizer {
 public:
  Tokenizer(std::string_view html, std::size_t tokenRoom, std::size_t attributesRoom)
      : html_(html), tokenRoom_(tokenRoom), attributesRoom_(attributesRoom) {}

  std::vector<HtmlToken> Run() {
    while (pos_ < html_.size() && tokens_.size() < tokenRoom_) {
      const char c = html_[pos_];
      const char next = pos_ + 1 < html_.size() ? html_[pos_ + 1] : '\0';
      if (c != '<') {
        Text(pos_, html_.find('<', pos_));
      } else if (html_.compare(pos_, 4, "<!--") == 0) {
        SkipPast("-->", pos_ + 4);
      } else if (next == '!' || next == '?') {
        SkipPast(">", pos_ + 2);
      } else if (IsLetter(next)) {
        StartTag();
      } else if (next == '/' && pos_ + 2 < html_.size() && IsLetter(html_[pos_ + 2])) {
        EndTag();
      } else {
        Text(pos_, pos_ + 1);  // a '<' that starts nothing is text
      }
    }
    return std::move(tokens_);
  }

 private:
  void Text(std::size_t from, std::size_t to) {
    if (to == std::string_view::npos) to = html_.size();
    if (!tokens_.empty() && tokens_.back().kind == HtmlToken::Kind::Text) {
      tokens_.back().text.append(html_.substr(from, to - from));
    } else {
      HtmlToken t;
      t.text = std::string(html_.substr(from, to - from));
      tokens_.push_back(std::move(t));
    }
    pos_ = to;
  }

  void SkipPast(std::string_view end, std::size_t from) {
    const std::size_t at = html_.find(end, from);
    pos_ = at == std::string_view::npos ? html_.size() : at + end.size();
  }

  std::string Name() {
    const std::size_t start = pos_;
    while (pos_ < html_.size() && IsNameChar(html_[pos_])) ++pos_;
    return LowerCase(html_.substr(start, pos_ - start));
  }

  void SkipSpace() {
    while (pos_ < html_.size() && IsSpace(html_[pos_])) ++pos_;
  }

  void StartTag() {
    ++pos_;  // '<'
    HtmlToken t;
    t.kind = HtmlToken::Kind::Start;
    t.name = Name();
    while (pos_ < html_.size()) {
      SkipSpace();
      if (pos_ >= html_.size()) break;
      const char c = html_[pos_];
      if (c == '>') {
        ++pos_;
        break;
      }
      if (c == '/') {
        ++pos_;
        t.selfClosing = pos_ < html_.size() && html_[pos_] == '>';
        continue;
      }
      Attribute(t);
    }
    const std::string name = t.name;
    const bool raw = IsRawText(name) && !t.selfClosing;
    tokens_.push_back(std::move(t));
    if (!raw) return;
    // Everything up to the element's end tag is its text; a script's is dropped.
    std::size_t end = FindEndTag(html_, pos_, name);
    if (end == std::string_view::npos) end = html_.size();
    if (name != "script" && end > pos_ && tokens_.size() < tokenRoom_) {
      HtmlToken text;
      text.text = std::string(html_.substr(pos_, end - pos_));
      tokens_.push_back(std::move(text));
    }
    pos_ = end;
  }

  void Attribute(HtmlToken& t) {
    const std::size_t start = pos_;
    while (pos_ < html_.size() && !IsSpace(html_[pos_]) && html_[pos_] != '=' &&
           html_[pos_] != '>' && html_[pos_] != '/') {
      ++pos_;
    }
    if (pos_ == start) {  // a lone '=' or such
      ++pos_;
      return;
    }
    HtmlAttribute a;
    a.name = LowerCase(html_.substr(start, pos_ - start));
    SkipSpace();
    if (pos_ < html_.size() && html_[pos_] == '=') {
      ++pos_;
      SkipSpace();
      if (pos_ < html_.size() && (html_[pos_] == '"' || html_[pos_] == '\'')) {
        const char quote = html_[pos_++];
        std::size_t end = html_.find(quote, pos_);
        if (end == std::string_view::npos) end = html_.size();
        a.value = std::string(html_.substr(pos_, end - pos_));
        pos_ = end < html_.size() ? end + 1 : end;
      } else {
        const std::size_t vstart = pos_;
        while (pos_ < html_.size() && !IsSpace(html_[pos_]) && html_[pos_] != '>') ++pos_;
        a.value = std::string(html_.substr(vstart, pos_ - vstart));
      }
    }
    if (t.attributes.size() < attributesRoom_) t.attributes.push_back(std::move(a));
  }

  void EndTag() {
    pos_ += 2;  // "</"
    HtmlToken t;
    t.kind = HtmlToken::Kind::End;
    t.name = Name();
    SkipPast(">", pos_);
    tokens_.push_back(std::move(t));
  }

  std::string_view html_;
  std::size_t tokenRoom_;
  std::size_t attributesRoom_;
  std::size_t pos_ = 0;
  std::vector<HtmlToken> tokens_;
};

}  // namespace

const std::string* HtmlToken::Attribute(std::string_view wanted) const {
  for (const HtmlAttribute& a : attributes) {
    if (a.name == wanted) return &a.value;
  }
  return nullptr;
}

std::vector<HtmlToken> TokenizeHtml(std::string_view html, std::size_t tokenRoom,
                                    std::size_t attributesRoom) {
  return Tokenizer(html, tokenRoom, attributesRoom).Run();
}

}  // namespace pikko
