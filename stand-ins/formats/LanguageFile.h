// The files of the translation library that lies beside the menu on the
// demo disc: its settings file and one strings file per language, read as
// raw bytes (each strings file is in the code page of its language). The
// library reads the files through the system; what it does with their
// bytes is here, so that the host build tests and fuzzes it.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/IniReader.h"

namespace pikko {

// Files beyond this size are refused: they are not the disc's small files.
constexpr std::size_t kMaxStandInIniBytes = 1024 * 1024;

// A settings or strings file from its bytes: a UTF-8 byte-order mark in
// front of the first header is dropped. Nothing for a file beyond the limit.
std::optional<IniDocument> ParseStandInIni(std::string contents);

// A language names a folder below Lang and nothing else: no separators, no
// drive, no parent steps, nothing the file system would read differently.
bool IsLanguageName(const std::string& name);

// The first candidate that is a language name and whose folder exists;
// English when none is.
std::string ChooseLanguage(const std::vector<std::string>& candidates,
                           const std::function<bool(const std::string&)>& folderExists);

// The translations of one strings file, section "Strings": keys follow the
// INI rules (trimmed, compared without regard to ASCII case).
class LanguageCatalogue {
 public:
  explicit LanguageCatalogue(std::optional<IniDocument> strings = std::nullopt)
      : strings_(std::move(strings)) {}

  // The translation, owned here for the life of the catalogue; null when
  // the file has none for the text (a text with blanks around it cannot be
  // a key). Safe to call from several threads.
  const char* Find(const char* text);

 private:
  std::optional<IniDocument> strings_;
  std::mutex mutex_;
  // One stored answer per key of the file, so the store stays bounded.
  std::map<std::string, std::string> answers_;
};

}  // namespace pikko
