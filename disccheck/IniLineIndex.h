// Which line of an INI file holds each section header and each key, read by
// the same rules as the disc's INI reader (platform/IniReader.h): names are
// trimmed, a header is "[" up to the last "]", a line without "=" is a key
// without a value. The checker points its diagnostics at these lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pikko::disccheck {

struct IniKeyLine {
  std::string name;
  int line = 0;  // 1-based
  bool hasValue = false;
  std::string value;  // trimmed, as written (quotes kept)
  bool comment = false;  // the line starts with ";"
};

struct IniSectionLines {
  std::string name;  // empty for the part above the first header
  int line = 0;      // of the header; 0 for the part above the first header
  std::vector<IniKeyLine> keys;
};

class IniLineIndex {
 public:
  static IniLineIndex Build(std::string_view contents);

  // Every section in file order; the first entry is the part above the
  // first header (it has no name and usually no keys).
  const std::vector<IniSectionLines>& Sections() const { return sections_; }
  // The first section of the name (compared without regard to case), or null.
  const IniSectionLines* FindSection(std::string_view name) const;
  // The line of the first section's header; 0 when there is none.
  int SectionLine(std::string_view section) const;
  // The line of the first key of the name in the first section of that
  // name: the one the reader answers with. 0 when there is none.
  int KeyLine(std::string_view section, std::string_view key) const;
  // The first key line in any section whose value is the text, or one of
  // the parts of its comma list (without regard to case); null when none.
  const IniKeyLine* FindValue(std::string_view value) const;

 private:
  std::vector<IniSectionLines> sections_;
};

}  // namespace pikko::disccheck
