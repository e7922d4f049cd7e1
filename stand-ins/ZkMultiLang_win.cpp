// The translation library of the demo disc. It lies beside the menu with one
// folder per language:
//
//   ZkMultiLang.dll
//   ZkMultiLang.ini            optional: [Settings] Language=French
//   Lang\English\Strings.ini   [Strings] English text=translation
//   Lang\French\Strings.ini    ...
//
// The language is the one the settings file names, else the user's interface
// language, else English; a language is only taken when its folder is there.
// The strings files are read as raw bytes: each is written in the code page
// of its language, which is what the menu shows. Keys follow the INI rules
// (trimmed, compared without regard to ASCII case). The language is chosen
// and its file read once, on the first call.
#include <windows.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>

#include "env/Text.h"
#include "env/Translation.h"
#include "stand-ins/StandInFiles.h"

namespace pikko::standin {
namespace {

constexpr char kSettingsFile[] = "ZkMultiLang.ini";
constexpr char kSettingsSection[] = "Settings";
constexpr char kLanguageKey[] = "Language";
constexpr char kLanguagesFolder[] = "Lang";
constexpr char kStringsFile[] = "Strings.ini";
constexpr char kStringsSection[] = "Strings";

// A language names a folder below Lang and nothing else: no separators, no
// drive, no parent steps, nothing the file system would read differently.
bool IsLanguageName(const std::string& name) {
  if (name.empty() || name.size() > 64 || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::string UserInterfaceLanguage() {
  switch (PRIMARYLANGID(::GetUserDefaultUILanguage())) {
    case LANG_FRENCH:
      return "French";
    case LANG_GERMAN:
      return "German";
    case LANG_JAPANESE:
      return "Japanese";
    default:
      return "English";
  }
}

bool FolderExists(const std::string& path) {
  const DWORD a = ::GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Catalogue {
 public:
  Catalogue() {
    const std::string home = ThisLibraryFolder();
    if (home.empty()) return;
    const std::string languages = home + "\\" + kLanguagesFolder + "\\";

    std::string chosen = "English";
    std::string wanted;
    if (const auto settings = ReadIniFile(home + "\\" + kSettingsFile))
      wanted = Trim(settings->ReadString(kSettingsSection, kLanguageKey, ""));
    for (const std::string& candidate : {wanted, UserInterfaceLanguage()}) {
      if (IsLanguageName(candidate) && FolderExists(languages + candidate)) {
        chosen = candidate;
        break;
      }
    }
    languagePath_ = languages + chosen;
    strings_ = ReadIniFile(languagePath_ + "\\" + kStringsFile);
  }

  // The translation, owned here for the life of the library; null when the
  // language has none for the text.
  const char* Find(const char* text) {
    if (!strings_ || text == nullptr) return nullptr;
    const std::string english(text);
    // A text with blanks around it cannot be a key: keys are trimmed.
    if (english.empty() || Trim(english) != english) return nullptr;
    std::string translated = strings_->ReadString(kStringsSection, english, "");
    if (translated.empty()) return nullptr;
    // One stored answer per key of the file, so the store stays bounded.
    const std::lock_guard<std::mutex> lock(mutex_);
    return answers_.try_emplace(LowerCase(english), std::move(translated)).first->second.c_str();
  }

  const char* LanguagePath() const {
    return languagePath_.empty() ? nullptr : languagePath_.c_str();
  }

 private:
  std::string languagePath_;
  std::optional<IniDocument> strings_;
  std::mutex mutex_;
  std::map<std::string, std::string> answers_;
};

Catalogue& TheCatalogue() {
  static Catalogue catalogue;
  return catalogue;
}

}  // namespace
}  // namespace pikko::standin

extern "C" __declspec(dllexport) const char* PIKKO_STDCALL
    ZkTranslateStr(const char* text) noexcept {
  try {
    const char* translated = pikko::standin::TheCatalogue().Find(text);
    return translated != nullptr ? translated : text;
  } catch (...) {
    return text;
  }
}

extern "C" __declspec(dllexport) const char* PIKKO_STDCALL ZkGetLangPathName() noexcept {
  try {
    return pikko::standin::TheCatalogue().LanguagePath();
  } catch (...) {
    return nullptr;
  }
}

// The exports keep the binary interface the menu calls.
static_assert(std::is_convertible_v<decltype(&ZkTranslateStr), pikko::ZkTranslateStrProc>);
static_assert(std::is_convertible_v<decltype(&ZkGetLangPathName), pikko::ZkGetLangPathNameProc>);
