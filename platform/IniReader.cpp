#include "platform/IniReader.h"

#include <algorithm>
#include <optional>

#include "platform/AsciiCase.h"
#include "platform/FileReader.h"

namespace pikko {

// The profile functions treat the end-of-file mark like a blank.
bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' ||
         c == '\x1a';
}

std::string_view TrimProfile(std::string_view s) {
  while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsProfileSpace(s.back())) s.remove_suffix(1);
  return s;
}

namespace {

// Copies a value into the 2048-character room. One pair of enclosing quotes
// (single or double) is removed when the whole value fits the room.
std::string CopyEntry(std::string_view value, bool stripQuote) {
  bool quoted = false;
  if (stripQuote && value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value.remove_prefix(1);
    quoted = true;
  }
  const std::size_t fits = kIniValueRoom - 1;
  std::string out(value.substr(0, fits));
  // The closing quote goes only when the whole value fitted the room.
  if (quoted && value.size() <= kIniValueRoom) out.resize(std::min(out.size(), value.size() - 1));
  return out;
}

// The default loses its trailing blanks (though never its first character).
std::string_view TrimDefault(std::string_view def) {
  while (def.size() > 1 && def.back() == ' ') def.remove_suffix(1);
  return def;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view source) { return Parse(std::string(source)); }

IniDocument IniDocument::Parse(std::string&& source) {
  IniDocument doc;
  auto text = std::make_shared<std::string>(std::move(source));
  const std::string_view contents(*text);
  doc.text_ = std::move(text);
  // Keys above the first section header belong to a section without a name.
  doc.sections_.push_back(Section{});
  // Lines end at LF; a file without any LF is split at CR instead.
  const char separator = contents.find('\n') != std::string_view::npos ? '\n' : '\r';
  std::size_t pos = 0;
  while (pos < contents.size()) {
    std::size_t end = contents.find(separator, pos);
    if (end == std::string_view::npos) end = contents.size();
    std::string_view line = TrimProfile(contents.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;

    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        doc.sections_.push_back(Section{TrimProfile(line.substr(1, close - 1)), {}, {}});
        continue;
      }
      // A header without its "]" is read as a key line.
    }
    Key key;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      key.name = line;
    } else {
      key.name = TrimProfile(line.substr(0, eq));
      key.value = TrimProfile(line.substr(eq + 1));
      key.hasValue = true;
    }
    doc.sections_.back().keys.push_back(key);
  }
  // The first section of a name, and in it the first key of a name, win.
  doc.firstSection.Build(doc.sections_.size(),
                         [&doc](std::size_t i) { return doc.sections_[i].name; });
  for (Section& s : doc.sections_)
    s.firstKey.Build(s.keys.size(), [&s](std::size_t k) { return s.keys[k].name; });
  return doc;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto found = firstSection.Find(name, [this](std::size_t i) { return sections_[i].name; });
  return found ? &sections_[*found] : nullptr;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view def) const {
  section = TrimProfile(section);
  key = TrimProfile(key);
  def = TrimDefault(def);
  // Only the first section of a name is searched, and its first key wins.
  if (const Section* s = FindSection(section)) {
    const auto found = s->firstKey.Find(key, [s](std::size_t k) { return s->keys[k].name; });
    if (found) {
      const Key& k = s->keys[*found];
      return CopyEntry(k.hasValue ? k.value : def, true);
    }
  }
  return CopyEntry(def, true);
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) {
    if (!s.name.empty()) names.emplace_back(s.name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  section = TrimProfile(section);
  std::vector<std::string> names;
  if (const Section* s = FindSection(section)) {
    for (const Key& k : s->keys) {
      // The platform keeps comment lines as keys but never lists them.
      if (!k.name.empty() && k.name.front() == ';') continue;
      if (k.name.empty() && !k.hasValue) continue;
      names.emplace_back(k.name);
    }
  }
  return names;
}

std::string ReadIniFromText(std::string_view contents, bool fileExists, std::string_view section,
                            std::string_view key, std::string_view def) {
  if (!fileExists) return std::string(TrimDefault(def).substr(0, kIniValueRoom - 1));
  return IniDocument::Parse(contents).ReadString(section, key, def);
}

std::string PortableIniReader::ReadString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& def) {
  bool exists = false;
  const std::optional<std::string> contents = ReadFileBytes(file, exists);
  return ReadIniFromText(contents ? *contents : std::string(), contents.has_value(), section, key,
                         def);
}

namespace {

std::optional<IniDocument> ReadDocument(const std::string& file) {
  bool exists = false;
  std::optional<std::string> contents = ReadFileBytes(file, exists);
  if (!contents) return std::nullopt;
  return IniDocument::Parse(std::move(*contents));
}

}  // namespace

std::vector<std::string> PortableIniReader::SectionNames(const std::string& file) {
  const auto doc = ReadDocument(file);
  return doc ? doc->SectionNames() : std::vector<std::string>();
}

std::vector<std::string> PortableIniReader::KeyNames(const std::string& file,
                                                     const std::string& section) {
  const auto doc = ReadDocument(file);
  return doc ? doc->KeyNames(section) : std::vector<std::string>();
}

}  // namespace pikko
