// A portable reader of INI files with the private-profile semantics the
// disc's files are written for: names compare without regard to case, the
// first of duplicate sections and keys wins, values are trimmed and lose one
// pair of enclosing quotes, and every text is cut to 2047 characters.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FileReader.h"
#include "platform/NameIndex.h"
#include "platform/Ports.h"

namespace pikko {

// Blanks as the profile functions see them (the end-of-file mark is one),
// and a text without them at either end: how names and values are trimmed.
bool IsProfileSpace(char c);
std::string_view TrimProfile(std::string_view s);

// The room the platform's profile functions read text values into.
constexpr std::size_t kIniValueRoom = 2048;

class IniDocument {
 public:
  static IniDocument Parse(std::string_view contents);
  // The same, taking over the text instead of copying it.
  static IniDocument Parse(std::string&& contents);

  // The value of key in section, or def when the section, the key or its
  // "=" is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // Section names in file order, without the unnamed part above the first
  // header; key names of the first section of a name, without comments.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

 private:
  // Names and values are views into the document's own copy of the text,
  // which stays where it is when the document is moved or copied.
  struct Key {
    std::string_view name;
    std::string_view value;
    bool hasValue = false;
  };
  struct Section {
    std::string_view name;
    std::vector<Key> keys;
    // Key name -> its first key, so that a look-up does not walk the
    // section (a menu file may hold hundreds of thousands of keys).
    NameIndex firstKey;
  };
  const Section* FindSection(std::string_view name) const;
  std::shared_ptr<const std::string> text_;
  std::vector<Section> sections_;
  NameIndex firstSection;
};

// Reads a missing file as the default, like the platform does.
std::string ReadIniFromText(std::string_view contents, bool fileExists, std::string_view section,
                            std::string_view key, std::string_view def);

// The INI port over files on disk, for builds without the platform's reader.
class PortableIniReader final : public IniPort {
 public:
  std::optional<std::string> FileText(const std::string& file, bool& exists) override {
    return ReadFileBytes(file, exists);
  }
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def) override;
  std::vector<std::string> SectionNames(const std::string& file) override;
  std::vector<std::string> KeyNames(const std::string& file, const std::string& section) override;
};

}  // namespace pikko
