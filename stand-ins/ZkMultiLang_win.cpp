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

#include <optional>
#include <string>
#include <type_traits>

#include "stand-ins/formats/LanguageFile.h"
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

    std::string wanted;
    if (const auto settings = ReadIniFile(home + "\\" + kSettingsFile))
      wanted = Trim(settings->ReadString(kSettingsSection, kLanguageKey, ""));
    const std::string chosen =
        ChooseLanguage({wanted, UserInterfaceLanguage()},
                       [&](const std::string& name) { return FolderExists(languages + name); });
    languagePath_ = languages + chosen;
    strings_.emplace(ReadIniFile(languagePath_ + "\\" + kStringsFile));
  }

  // The translation, owned here for the life of the library; null when the
  // language has none for the text.
  const char* Find(const char* text) { return strings_ ? strings_->Find(text) : nullptr; }

  const char* LanguagePath() const {
    return languagePath_.empty() ? nullptr : languagePath_.c_str();
  }

 private:
  std::string languagePath_;
  std::optional<LanguageCatalogue> strings_;
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
