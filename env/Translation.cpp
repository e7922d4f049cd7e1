#include "env/Translation.h"

#include "env/Text.h"
#include "platform/Ports.h"

namespace pikko {
namespace {

// The translation library's entry points, fixed once it is loaded. Null
// entries mean the fallback: the English text, no language folder.
struct TranslationEntryPoints {
  ZkTranslateStrProc translate = nullptr;
  ZkGetLangPathNameProc languagePath = nullptr;
};

TranslationEntryPoints& EntryPoints() {
  static TranslationEntryPoints entries;
  return entries;
}

template <class Proc>
Proc LookUp(void* library, const char* name) {
  return reinterpret_cast<Proc>(Libraries().Symbol(library, name));
}

}  // namespace

void LoadTranslationLibrary() {
  TranslationEntryPoints entries;
  // The library is taken from the program's own folder only. Without a
  // program file name there is no such folder, and a bare "\ZkMultiLang.dll"
  // would load whatever lies at the root of the current drive: stay English.
  const std::string program = Folders().ProgramFileName();
  if (!program.empty()) {
    const std::size_t cut = program.rfind('\\');
    const std::string folder = cut == std::string::npos ? program : program.substr(0, cut);
    if (void* library = Libraries().Load(folder + "\\" + kTranslationLibrary)) {
      entries.translate = LookUp<ZkTranslateStrProc>(library, "ZkTranslateStr");
      entries.languagePath = LookUp<ZkGetLangPathNameProc>(library, "ZkGetLangPathName");
    }
  }
  EntryPoints() = entries;
}

std::string Translate(const std::string& text) {
  const ZkTranslateStrProc translate = EntryPoints().translate;
  if (translate == nullptr) return text;
  // The library owns its result and may reuse it on the next call: copy now.
  const char* translated = translate(text.c_str());
  return translated == nullptr ? text : std::string(translated);
}

std::optional<std::string> LanguagePathName() {
  const ZkGetLangPathNameProc languagePath = EntryPoints().languagePath;
  if (languagePath == nullptr) return std::nullopt;
  const char* path = languagePath();
  if (path == nullptr) return std::nullopt;
  return std::string(path);
}

std::string LanguageFolderName() {
  std::string path = LanguagePathName().value_or(std::string());
  // A library that names its folder with a trailing backslash still means
  // the folder itself.
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return ExtractFileName(path);
}

int ProbeDeviceStatus() {
  // Loaded by name at every call and never released: the platform counts
  // the loads, and the board is asked afresh each time.
  void* library = Libraries().Load(kAcpiLibrary);
  if (library == nullptr) return 0;
  const auto open = LookUp<ZkWmiOpenProc>(library, "ZkWMI_Open");
  const auto exec = LookUp<ExecAcpiMethodProc>(library, "ExecACPIMethod");
  if (open == nullptr || exec == nullptr) return 0;
  if (open() == 0) return 0;
  std::uint32_t status = 0;
  if (exec(kDeviceStatusMethod, kDeviceStatusInput, 0, &status, 0) == 0) return 0;
  return static_cast<int>(status);
}

void ForgetTranslationLibraryForTests() { EntryPoints() = TranslationEntryPoints{}; }

}  // namespace pikko
