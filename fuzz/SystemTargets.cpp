// What the system and the disc's libraries hand the menu: the firmware's
// SMBIOS table and the report made from it, the open-with lists of the
// registry with the command lines built from them, and the translation
// library's language files.
#include <optional>
#include <string>
#include <vector>

#include "Manual_Opener/OpenWith.h"
#include "stand-ins/formats/LanguageFile.h"
#include "stand-ins/formats/Smbios.h"
#include "stand-ins/formats/SmbiosReport.h"
#include "env/Text.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTargets.h"
#include "platform/fakes/FakePorts.h"

namespace pikko::fuzz {
namespace {

constexpr char kReportTemplate[] =
    "<html><body><!--DMI:BIOS--><!--DMI:SYSTEM--><!--DMI:BOARD--><!--DMI:PROCESSOR-->"
    "<!--DMI:MEMORY--><p><!--DMI:SMBIOS--> <!--DMI:KIND--></p><!--DMI:OTHER--></body></html>";

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A key path names a key when none of its parts is empty.
bool IsKeyPath(const std::string& path) {
  return !path.empty() && path.front() != '\\' && path.back() != '\\' &&
         path.find("\\\\") == std::string::npos;
}

// Registry lines: "path" makes a key; "path=text" sets its default value as
// a string; "path|name=text" a named one; a leading "!N " stores the text
// as raw bytes of value type N (no terminating zero).
void BuildRegistry(const std::string& lines, fakes::FakeClassesRoot& classes) {
  std::size_t from = 0;
  for (int count = 0; from < lines.size() && count < 64; ++count) {
    std::size_t end = lines.find('\n', from);
    if (end == std::string::npos) end = lines.size();
    std::string line = lines.substr(from, end - from);
    from = end + 1;
    std::optional<unsigned> rawType;
    if (line.size() >= 3 && line[0] == '!' && line[2] == ' ') {
      rawType = static_cast<unsigned>(static_cast<unsigned char>(line[1]) % 12);
      line.erase(0, 3);
    }
    const std::size_t eq = line.find('=');
    std::string path = line.substr(0, eq);
    std::string name;
    if (const std::size_t bar = path.find('|'); bar != std::string::npos) {
      name = path.substr(bar + 1);
      path.erase(bar);
    }
    if (!IsKeyPath(path)) continue;
    if (eq == std::string::npos) {
      classes.AddKey(path);
    } else if (rawType) {
      classes.SetValue(path, name, *rawType, line.substr(eq + 1));
    } else {
      classes.SetString(path, name, line.substr(eq + 1));
    }
  }
}

}  // namespace

void FuzzSmbios(const std::uint8_t* data, std::size_t size) {
  const std::optional<SmbiosTable> table = ParseRawSmbios(data, size);
  Expect(table.has_value() == (data != nullptr && size >= 8), "a table needs its 8-byte header");
  if (table) {
    Expect(table->structures * 4 <= size - 8, "every structure takes at least its header");
    Expect(table->bios.size() + table->systems.size() + table->boards.size() +
                   table->processors.size() + table->memoryDevices.size() <=
               table->structures,
           "records come from structures");
  }
  // Whatever the firmware's strings say, only the template's own markup
  // is markup: every known placeholder is filled, the unknown one stays.
  for (int kind = 0; kind < 2; ++kind) {
    const std::string page = FillReportPage(kReportTemplate, table, kind);
    Expect(Count(page, "<!--") == 1 && Count(page, "<!--DMI:OTHER-->") == 1,
           "placeholders are filled once and values bring no markup");
    Expect(Count(page, "<script") == 0, "values bring no markup");
  }
}

void FuzzOpenWith(const std::uint8_t* data, std::size_t size) {
  // Registry lines, then the file's path, then a file type of its own.
  const std::vector<std::string> parts = SplitFiles(AsText(data, size));
  fakes::FakeSystem sys;
  BuildRegistry(parts[0], sys.classes);
  const std::string path = parts.size() > 1 ? parts[1] : std::string("D:\\manual\\Guide.pdf");
  sys.processes.createResult = size % 3 != 0;

  struct Query {
    std::string fileType;
    std::vector<std::string> preferred;
  };
  std::vector<Query> queries = {{".pdf", {"acrord32.exe", "acrobat.exe"}}, {"*", {"iexplore.exe"}}};
  if (parts.size() > 2) queries.push_back({parts[2], {parts[2]}});
  for (const Query& q : queries) {
    const std::optional<std::string> command = FindOpenCommand(q.fileType, q.preferred);
    const std::size_t started = sys.processes.created.size();
    const int opened = OpenWithHandler(path, q.fileType, q.preferred);
    if (!command) {
      Expect(opened == 1 && sys.processes.created.size() == started, "no command starts nothing");
      continue;
    }
    Expect(!command->empty(), "a found command is not empty");
    const std::string line = BuildCommandLine(*command, path);
    const std::size_t at = command->find("%1");
    if (at == std::string::npos) {
      Expect(line.empty(), "a template without %1 builds nothing");
    } else {
      Expect(line == command->substr(0, at) + path + command->substr(at + 2),
             "the path takes the place of the first %1");
    }
    const bool fits = !line.empty() && line.size() < kCommandLineRoom;
    Expect(sys.processes.created.size() == started + (fits ? 1 : 0),
           "a command line is started only when it fits its room");
    if (fits) {
      const ProcessStart& start = sys.processes.created.back();
      Expect(start.commandLine == line && start.creationFlags == kCreateNoWindow &&
                 start.waitMilliseconds == 0,
             "the line starts as built, without a window, unwaited");
    }
    Expect(opened == (fits && sys.processes.createResult ? 0 : 1),
           "the handler answers 0 only for a started process");
  }
  // The room, tried with the path itself as a command line.
  const std::size_t before = sys.processes.created.size();
  RunCommandLine(path, 0);
  Expect(sys.processes.created.size() == before + (!path.empty() && path.size() < 520 ? 1 : 0),
         "519 characters fit the room and 520 do not");
  Expect(sys.classes.OpenHandles() == 0, "every registry key is closed");
}

void FuzzLanguageFile(const std::uint8_t* data, std::size_t size) {
  const std::string text = AsText(data, size);
  std::optional<IniDocument> parsed = ParseStandInIni(text);
  Expect(parsed.has_value() == (text.size() <= kMaxStandInIniBytes), "small files are read");
  if (!parsed) return;
  const std::string settingsLanguage = Trim(parsed->ReadString("Settings", "Language", ""));
  const std::vector<std::string> keys = parsed->KeyNames("Strings");

  // The settings file's language is taken only as a folder name.
  const std::string chosen = ChooseLanguage(
      {settingsLanguage, "French"}, [](const std::string& name) { return name.size() % 2 == 0; });
  Expect(IsLanguageName(chosen), "the chosen language names a folder");
  Expect(chosen == (IsLanguageName(settingsLanguage) && settingsLanguage.size() % 2 == 0
                        ? settingsLanguage
                        : std::string("French")),
         "the settings file's language comes first when its folder is there");

  const IniDocument doc = *parsed;
  LanguageCatalogue catalogue(std::move(parsed));
  Expect(catalogue.Find(nullptr) == nullptr && catalogue.Find("") == nullptr,
         "no text has no translation");
  for (std::size_t i = 0; i < keys.size() && i < 32; ++i) {
    const std::string& key = keys[i];
    if (key.find('\0') != std::string::npos) continue;
    // Keys lose their blanks; a text that starts or ends with any control
    // character is never one the menu asks for, and is no key either.
    const std::string expected =
        Trim(key) != key || key.empty() ? std::string() : doc.ReadString("Strings", key, "");
    const char* found = catalogue.Find(key.c_str());
    if (expected.empty()) {
      Expect(found == nullptr, "an empty translation is none");
      continue;
    }
    // The library hands out C strings: a value ends at its first zero byte.
    Expect(found != nullptr && expected.substr(0, expected.find('\0')) == found,
           "a key gives its translation");
    Expect(catalogue.Find(UpperCase(key).c_str()) == found,
           "one stored answer per key, whatever its case");
    Expect(catalogue.Find((" " + key).c_str()) == nullptr, "a text with blanks is no key");
  }
}

}  // namespace pikko::fuzz
