// Checks over the INI files as files: keys and sections the menu never
// reads, duplicates, the translation library's language files and the
// companion program's master list.
#include <algorithm>
#include <filesystem>

#include "disccheck/Checker.h"
#include "env/Text.h"
#include "stand-ins/Companion.h"

namespace pikko::disccheck {
namespace fs = std::filesystem;

namespace {

const char* const kItemKeys[] = {"IsZekaFullkit", "HideInAutorun", "Demoshield_Item", "Tab",
                                 "Title",         "Description",   "AD",              "Path",
                                 "Run",           "Dependency"};

bool IsHex(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  });
}

// "(12)Title": 12 and "Title"; 0 for any other key (the loader's reading).
int ItemNumberOf(const std::string& key, std::string& suffix) {
  std::string_view rest;
  const std::optional<int> n = NumberAfterPrefix(key, "(", &rest);
  if (!n || *n == 0 || rest.empty() || rest[0] != ')') return 0;
  suffix = std::string(rest.substr(1));
  return *n;
}

}  // namespace

const std::vector<std::string>& TranslatedTexts() {
  static const std::vector<std::string> texts = {
      "Loading...",
      "(This may take a few minutes.)",
      "Motherboard Support CD",
      "Install Now",
      "Minimize the window",
      "Close this application",
      "Open the instruction manual",
      "%1 is still running. Please close %2 first !",
      "For better compatibility and view experience, we recommend you to install %1 to open this "
      "file. Do you want to install %1 now?",
      "You need to install %1 to open this file. Do you want to install now?",
      "Based on Intel specification, this model supports Windows XP, Windows 7, and later "
      "version. Install the drivers and utilities when needed.",
      // The names screen readers and the keyboard's buttons give.
      "Next page",
      "Previous page",
      "Tabs",
      "Switch",
      "Start",
      "Press",
  };
  return texts;
}

void Checker::CheckLanguageFiles() {
  const auto folder = files_.Resolve(Program("Lang"));
  if (!folder) return;
  std::error_code ec;
  for (fs::directory_iterator it(*folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_directory(ec)) continue;
    const std::string language = it->path().filename().string();
    languages_.insert(language);
    const std::string file = Program("Lang\\" + language + "\\Strings.ini");
    if (!files_.FileExists(file)) {
      AtFile(file, Severity::Warning,
             "the language " + language + " has no strings file: the menu stays in English");
      continue;
    }
    for (const std::string& text : TranslatedTexts()) {
      const std::string translation = ini_.ReadString(file, "Strings", text, "");
      const SourceLine at = ini_.LineOf(file, "Strings", text);
      if (translation.empty()) {
        At(at, Severity::Warning, "no " + language + " translation of \"" + text + "\"");
        continue;
      }
      for (const char* mark : {"%1", "%2"}) {
        if (text.find(mark) != std::string::npos && translation.find(mark) == std::string::npos)
          At(at, Severity::Warning,
             std::string("the translation drops \"") + mark +
                 "\": the menu fills it in after translating");
      }
    }
  }
  const std::string settings = Program("ZkMultiLang.ini");
  if (files_.FileExists(settings)) {
    const std::string wanted = Trim(ini_.ReadString(settings, "Settings", "Language", ""));
    if (!wanted.empty() && !files_.DirectoryExists(Program("Lang\\" + wanted)))
      At(ini_.LineOf(settings, "Settings", "Language"), Severity::Warning,
         "the language " + wanted + " has no folder in Lang: the library chooses another");
  }
}

void Checker::CheckMasterList(const std::string& path) {
  for (const std::string& code : ini_.KeyNames(path, "OS_Language_Tag")) {
    std::string tag = ini_.ReadString(path, "OS_Language_Tag", code, "");
    languages_.insert(Trim(tag.substr(0, tag.find(';'))));
  }
  const int count = StrToIntDef(ini_.ReadString(path, "SETUP_ITEM", "ItemNumber", ""), 0);
  const std::vector<std::string> languages = KnownLanguages();
  for (int n = 1; n <= count && n <= 100000; ++n) {
    auto list = [&](const char* key) {
      return ini_.ReadString(path, "SETUP_ITEM", ItemKey(n, key), "");
    };
    const std::string platforms = list("Platforms"), langs = list("Languages");
    list("Boards");
    list("CpuMakers");
    auto check = [&](const char* key, const std::string& value,
                     const std::vector<std::string>& known, const char* what) {
      std::size_t from = 0;
      while (from <= value.size()) {
        std::size_t comma = value.find(',', from);
        if (comma == std::string::npos) comma = value.size();
        std::string pattern = Trim(value.substr(from, comma - from));
        from = comma + 1;
        if (!pattern.empty() && pattern[0] == '!') pattern.erase(0, 1);
        if (pattern.empty()) continue;
        if (std::none_of(known.begin(), known.end(), [&](const std::string& k) {
              return companion::PatternMatches(pattern, k);
            }))
          At(ini_.LineOf(path, "SETUP_ITEM", ItemKey(n, key)), Severity::Warning,
             "\"" + pattern + "\" matches no " + what);
      }
    };
    check("Platforms", platforms, PossiblePlatformTags(),
          "platform tag the menu can see (Windows 8 and later report 6.2)");
    check("Languages", langs, languages, "language of the disc's [OS_Language_Tag]");
    const bool somePlatform = std::any_of(
        PossiblePlatformTags().begin(), PossiblePlatformTags().end(),
        [&](const std::string& t) { return companion::ListAdmits(platforms, t); });
    const bool someLanguage = std::any_of(languages.begin(), languages.end(), [&](const std::string& l) {
      return companion::ListAdmits(langs, l);
    });
    if (!somePlatform || !someLanguage)
      At(ini_.LineOf(path, "SETUP_ITEM", ItemKey(n, somePlatform ? "Languages" : "Platforms")),
         Severity::Warning, "item " + std::to_string(n) + " suits no system: no menu lists it");
  }
}

void Checker::CheckUnreadKeys() {
  for (const auto& [lower, relative] : ini_.FilesRead()) {
    const std::string path = Root(relative);
    const IniLineIndex* index = ini_.Index(path);
    if (!index || fatalFiles_.count(lower)) continue;
    const bool master = EndsWithText(relative, "MasterList.ini");
    const int items = StrToIntDef(
        IniDocument::Parse(files_.Contents(path).value_or("")).ReadString("SETUP_ITEM",
                                                                           "ItemNumber", ""),
        0);
    const auto& sections = index->Sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
      const IniSectionLines& s = sections[i];
      if (i == 0) {
        for (const IniKeyLine& k : s.keys)
          if (!k.comment)
            At({path, k.line}, Severity::Warning,
               "a key above the first section header: the menu never reads it");
        continue;
      }
      const IniSectionLines* first = index->FindSection(s.name);
      if (first != &s) {
        At({path, s.line}, Severity::Warning,
           "section [" + s.name + "] again: the menu reads only the first one, on line " +
               std::to_string(first->line));
        continue;
      }
      if (!ini_.SectionWasRead(relative, s.name)) {
        At({path, s.line}, Severity::Warning, "the menu never reads section [" + s.name + "]");
        continue;
      }
      for (std::size_t k = 0; k < s.keys.size(); ++k) {
        const IniKeyLine& key = s.keys[k];
        if (key.comment) continue;
        if (!key.hasValue) {
          At({path, key.line}, Severity::Warning, "this line holds no \"=\": it is no key");
          continue;
        }
        const auto earlier = std::find_if(s.keys.begin(), s.keys.begin() + static_cast<long>(k),
                                          [&](const IniKeyLine& e) {
                                            return !e.comment && SameText(e.name, key.name);
                                          });
        if (earlier != s.keys.begin() + static_cast<long>(k)) {
          At({path, key.line}, Severity::Warning,
             key.name + " again: the first one, on line " + std::to_string(earlier->line) +
                 ", wins");
          continue;
        }
        if (ini_.WasRead(relative, s.name, key.name)) continue;
        // Every system language code is asked for on some computer.
        if (SameText(s.name, "OS_Language_Tag") &&
            (key.name.size() == 4 || key.name.size() == 2) && IsHex(key.name))
          continue;
        std::string suffix;
        const int n = SameText(s.name, "SETUP_ITEM") ? ItemNumberOf(key.name, suffix) : 0;
        if (n > 0) {
          bool known = std::any_of(std::begin(kItemKeys), std::end(kItemKeys),
                                   [&](const char* k) { return SameText(k, suffix); });
          if (master)
            known = known || std::any_of(std::begin(companion::kFilterKeys),
                                         std::end(companion::kFilterKeys),
                                         [&](const char* k) { return SameText(k, suffix); });
          if (n > items) {
            At({path, key.line}, Severity::Warning,
               "item " + std::to_string(n) + " is beyond ItemNumber (" + std::to_string(items) +
                   "): the menu never reads " + key.name);
          } else if (!known) {
            At({path, key.line}, Severity::Warning,
               "the menu never reads " + key.name + ": it knows no item key \"" + suffix + "\"");
          }
          // A known key of an item the menu leaves out (hidden, batch
          // install) waits for another system's menu.
          continue;
        }
        At({path, key.line}, Severity::Warning,
           "the menu never reads " + key.name + " in [" + s.name + "]");
      }
    }
  }
}

}  // namespace pikko::disccheck
