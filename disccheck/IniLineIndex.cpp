#include "disccheck/IniLineIndex.h"

#include "env/Text.h"
#include "platform/IniReader.h"

namespace pikko::disccheck {

IniLineIndex IniLineIndex::Build(std::string_view contents) {
  IniLineIndex index;
  index.sections_.push_back(IniSectionLines{});
  // Lines end at LF; a file without any LF is split at CR, as the reader does.
  const char separator = contents.find('\n') != std::string_view::npos ? '\n' : '\r';
  std::size_t pos = 0;
  int line = 0;
  while (pos < contents.size()) {
    std::size_t end = contents.find(separator, pos);
    if (end == std::string_view::npos) end = contents.size();
    const std::string_view text = TrimProfile(contents.substr(pos, end - pos));
    pos = end + 1;
    ++line;
    if (text.empty()) continue;
    if (text.front() == '[') {
      const std::size_t close = text.rfind(']');
      if (close != std::string_view::npos) {
        index.sections_.push_back(
            IniSectionLines{std::string(TrimProfile(text.substr(1, close - 1))), line, {}});
        continue;
      }
    }
    IniKeyLine key;
    key.line = line;
    key.comment = text.front() == ';';
    const std::size_t eq = text.find('=');
    key.hasValue = eq != std::string_view::npos;
    key.name = std::string(key.hasValue ? TrimProfile(text.substr(0, eq)) : text);
    if (key.hasValue) key.value = std::string(TrimProfile(text.substr(eq + 1)));
    index.sections_.back().keys.push_back(std::move(key));
  }
  return index;
}

const IniSectionLines* IniLineIndex::FindSection(std::string_view name) const {
  const std::string_view wanted = TrimProfile(name);
  for (const IniSectionLines& s : sections_) {
    if (SameText(s.name, wanted)) return &s;
  }
  return nullptr;
}

int IniLineIndex::SectionLine(std::string_view section) const {
  const IniSectionLines* s = FindSection(section);
  return s ? s->line : 0;
}

int IniLineIndex::KeyLine(std::string_view section, std::string_view key) const {
  const IniSectionLines* s = FindSection(section);
  if (!s) return 0;
  const std::string_view wanted = TrimProfile(key);
  for (const IniKeyLine& k : s->keys) {
    if (SameText(k.name, wanted)) return k.line;
  }
  return 0;
}

const IniKeyLine* IniLineIndex::FindValue(std::string_view value) const {
  const std::string_view wanted = TrimProfile(value);
  for (const IniSectionLines& s : sections_) {
    for (const IniKeyLine& k : s.keys) {
      if (k.comment || !k.hasValue) continue;
      std::string_view rest = k.value;
      for (;;) {
        const std::size_t comma = rest.find(',');
        if (SameText(TrimProfile(rest.substr(0, comma)), wanted)) return &k;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
      }
    }
  }
  return nullptr;
}

}  // namespace pikko::disccheck
