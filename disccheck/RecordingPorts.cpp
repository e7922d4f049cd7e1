#include "disccheck/RecordingPorts.h"

#include "actions/SideButtons.h"
#include "disccheck/PeFile.h"
#include "env/Text.h"
#include "promotion/ProductProbe.h"

namespace pikko::disccheck {
namespace {

std::string ReadKey(const std::string& file, const std::string& section, const std::string& key) {
  return LowerCase(file) + "\n" + LowerCase(Trim(section)) + "\n" + LowerCase(Trim(key));
}

// Stand-ins for the exports the loaders call, so that a replay goes on past
// the call exactly as it does with the real library.
int PIKKO_STDCALL FillReport(const char*, int) { return 1; }
bool g_probeAnswer = true;
std::int32_t PIKKO_CDECL AskProbe(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                  std::uint32_t, std::uint32_t*, std::uint8_t*) {
  return g_probeAnswer ? 1 : 0;
}

void* StandInExport(const std::string& name) {
  if (name == kReportExport) return reinterpret_cast<void*>(&FillReport);
  if (name == kProbeExport) return reinterpret_cast<void*>(&AskProbe);
  return nullptr;
}

}  // namespace

const IniDocument* RecordingIni::Document(const std::string& file) {
  if (files_.IsVirtual(file)) {
    // Files in memory change between runs: never cached.
    static thread_local std::optional<IniDocument> scratch;
    const auto text = files_.Contents(file);
    scratch = text ? std::optional<IniDocument>(IniDocument::Parse(*text)) : std::nullopt;
    return scratch ? &*scratch : nullptr;
  }
  const std::string key = LowerCase(files_.DiscRelative(file));
  auto it = documents_.find(key);
  if (it == documents_.end()) {
    const auto text = files_.Contents(file);
    it = documents_
             .emplace(key, text ? std::optional<IniDocument>(IniDocument::Parse(*text))
                                : std::nullopt)
             .first;
  }
  return it->second ? &*it->second : nullptr;
}

void RecordingIni::Note(const std::string& file, const std::string& section,
                        const std::string* key) {
  const std::string name = files_.DiscRelative(file);
  if (!files_.IsVirtual(file) && files_.FileExists(file)) filesRead_.emplace(LowerCase(name), name);
  sectionsRead_.insert(LowerCase(name) + "\n" + LowerCase(Trim(section)));
  if (key) {
    keysRead_.insert(ReadKey(name, section, *key));
    log_.push_back({file, section, *key});
  }
}

std::string RecordingIni::ReadString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& def) {
  Note(file, section, &key);
  const IniDocument* doc = Document(file);
  if (!doc) return ReadIniFromText({}, false, section, key, def);
  return doc->ReadString(section, key, def);
}

std::vector<std::string> RecordingIni::SectionNames(const std::string& file) {
  const IniDocument* doc = Document(file);
  return doc ? doc->SectionNames() : std::vector<std::string>();
}

std::vector<std::string> RecordingIni::KeyNames(const std::string& file,
                                                const std::string& section) {
  Note(file, section, nullptr);
  const IniDocument* doc = Document(file);
  return doc ? doc->KeyNames(section) : std::vector<std::string>();
}

const IniLineIndex* RecordingIni::Index(const std::string& file) const {
  if (files_.IsVirtual(file)) return nullptr;
  const std::string key = LowerCase(files_.DiscRelative(file));
  auto it = indices_.find(key);
  if (it == indices_.end()) {
    const auto text = files_.Contents(file);
    it = indices_
             .emplace(key, text ? std::optional<IniLineIndex>(IniLineIndex::Build(*text))
                                : std::nullopt)
             .first;
  }
  return it->second ? &*it->second : nullptr;
}

SourceLine RecordingIni::LineOf(const std::string& file, const std::string& section,
                                const std::string& key) const {
  const IniLineIndex* index = Index(file);
  if (!index) return {files_.IsVirtual(file) ? std::string() : file, 0};
  int line = key.empty() ? 0 : index->KeyLine(section, key);
  if (line == 0) line = index->SectionLine(section);
  return {file, line};
}

SourceLine RecordingIni::LastReadLine() const {
  if (log_.empty()) return {};
  const IniRead& last = log_.back();
  return LineOf(last.file, last.section, last.key);
}

bool RecordingIni::WasRead(const std::string& file, const std::string& section,
                           const std::string& key) const {
  return keysRead_.count(ReadKey(file, section, key)) != 0;
}

bool RecordingIni::SectionWasRead(const std::string& file, const std::string& section) const {
  return sectionsRead_.count(LowerCase(file) + "\n" + LowerCase(Trim(section))) != 0;
}

int RecordingMessages::Show(WindowHandle, const std::string& text, const std::string& caption,
                            unsigned style) {
  shown.push_back({text, caption, style, ini_.LastReadLine()});
  return answer;
}

bool RecordingStarts::Open(const std::string& what, const std::string& path) {
  const bool found = files_.FileExists(path) || files_.DirectoryExists(path);
  attempts.push_back({what, path, found, ini_.LastReadLine()});
  return found;
}

std::intptr_t RecordingStarts::Execute(WindowHandle, const std::string&, const std::string& file,
                                       const std::string&, const std::string&, int) {
  // The shell's "file not found" for a program that is not there.
  return Open("program", file) ? 42 : 2;
}

bool RecordingStarts::ExecuteEx(const ShellExecuteRequest& request) {
  return Open("document", request.file) && documentsOpen;
}

int RecordingStarts::CopyFiles(WindowHandle, const std::string& source, const std::string&,
                               unsigned) {
  if (!Open("folder", source)) return 2;
  // The copy in the Windows folder is the disc's folder by another name.
  const std::vector<std::string> parts = files_.Components(source);
  std::string onto;
  for (std::size_t i = 0; i < parts.size(); ++i) onto += (i ? "\\" : "") + parts[i];
  files_.Mount(std::string("C:\\WINDOWS\\") + ExtractFileName(onto), onto);
  return 0;
}

bool RecordingStarts::Create(const ProcessStart& start) {
  // The command line starts with the program, quoted or not.
  std::string program = start.commandLine;
  if (!program.empty() && program.front() == '"') {
    program = program.substr(1, program.find('"', 1) - 1);
  } else {
    program = program.substr(0, program.find(' '));
  }
  return Open("program", program);
}

unsigned RecordingStarts::StartWithShow(const std::string& commandLine, int) {
  // The system's own programs (EXPLORER.EXE, NOTEPAD.EXE) are always there;
  // what they are asked to open is the disc's.
  const std::size_t blank = commandLine.find(' ');
  if (blank == std::string::npos) return 33;
  return Open("document", commandLine.substr(blank + 1)) ? 33 : 2;
}

bool RecordingStarts::SetCurrentFolder(const std::string& folder) {
  files_.SetCurrentFolder(folder);
  return true;
}

void* RecordingStarts::Load(const std::string& path) {
  // A bare name is found beside the program first, as the system's search does.
  std::string full = path;
  if (full.find('\\') == std::string::npos && full.find('/') == std::string::npos)
    full = programFolder + path;
  if (!Open("library", full)) return nullptr;
  void* handle = reinterpret_cast<void*>(static_cast<std::intptr_t>(libraries_.size() + 1));
  libraries_[handle] = full;
  return handle;
}

void* RecordingStarts::Symbol(void* library, const char* name) {
  const auto it = libraries_.find(library);
  if (it == libraries_.end() || name == nullptr) return nullptr;
  // The loaders ask the same libraries again and again (a probe per page and
  // language): each file is read and parsed once.
  auto names = exportNames_.find(it->second);
  if (names == exportNames_.end()) {
    const auto bytes = files_.Contents(it->second);
    const auto pe = bytes ? PeFile::Parse(*bytes) : std::nullopt;
    std::set<std::string> exported;
    if (pe) exported.insert(pe->ExportNames().begin(), pe->ExportNames().end());
    names = exportNames_.emplace(it->second, std::move(exported)).first;
  }
  if (names->second.count(name) == 0) {
    missingExports.emplace_back(it->second, name);
    return nullptr;
  }
  g_probeAnswer = probeAnswer;
  return StandInExport(name);
}

}  // namespace pikko::disccheck
