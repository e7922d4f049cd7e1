#include "stand-ins/formats/LanguageFile.h"

#include <string_view>

#include "env/Text.h"

namespace pikko {
namespace {

constexpr char kStringsSection[] = "Strings";

}  // namespace

std::optional<IniDocument> ParseStandInIni(std::string contents) {
  if (contents.size() > kMaxStandInIniBytes) return std::nullopt;
  // An editor that saves as UTF-8 may put a byte-order mark in front of the
  // first section header.
  if (contents.compare(0, 3, "\xEF\xBB\xBF") == 0) contents.erase(0, 3);
  return IniDocument::Parse(contents);
}

bool IsLanguageName(const std::string& name) {
  if (name.empty() || name.size() > 64 || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::string ChooseLanguage(const std::vector<std::string>& candidates,
                           const std::function<bool(const std::string&)>& folderExists) {
  for (const std::string& candidate : candidates) {
    if (IsLanguageName(candidate) && folderExists && folderExists(candidate)) return candidate;
  }
  return "English";
}

const char* LanguageCatalogue::Find(const char* text) {
  if (!strings_ || text == nullptr) return nullptr;
  const std::string english(text);
  // A text with blanks around it cannot be a key: keys are trimmed.
  if (english.empty() || Trim(english) != english) return nullptr;
  std::string translated = strings_->ReadString(kStringsSection, english, "");
  if (translated.empty()) return nullptr;
  const std::lock_guard<std::mutex> lock(mutex_);
  return answers_.try_emplace(LowerCase(english), std::move(translated)).first->second.c_str();
}

}  // namespace pikko
