#include "platform/fakes/FakePorts.h"

#include <stdexcept>

#include "platform/AsciiCase.h"
#include "platform/IniReader.h"

namespace pikko::fakes {

void FakeFileSystem::AddFile(const std::string& path, std::string contents) {
  files_[LowerCase(path)] = std::move(contents);
  parsed_.erase(LowerCase(path));
}

void FakeFileSystem::AddDirectory(const std::string& path) { directories_.insert(LowerCase(path)); }

void FakeFileSystem::Remove(const std::string& path) {
  files_.erase(LowerCase(path));
  directories_.erase(LowerCase(path));
  parsed_.erase(LowerCase(path));
}

const IniDocument* FakeFileSystem::Document(const std::string& path) {
  const std::string key = LowerCase(path);
  const auto file = files_.find(key);
  if (file == files_.end()) return nullptr;
  auto doc = parsed_.find(key);
  if (doc == parsed_.end()) doc = parsed_.emplace(key, IniDocument::Parse(file->second)).first;
  return &doc->second;
}

void FakeFileSystem::CountIniRead() {
  if (++iniReads > iniReadLimit && iniReadLimit > 0)
    throw std::runtime_error("more INI reads than the test allows");
}

bool FakeFileSystem::FileExists(const std::string& path) {
  return files_.count(LowerCase(path)) != 0;
}

bool FakeFileSystem::DirectoryExists(const std::string& path) {
  return directories_.count(LowerCase(path)) != 0;
}

std::string FakeFileSystem::ReadString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& def) {
  CountIniRead();
  const IniDocument* doc = Document(file);
  if (doc == nullptr) return ReadIniFromText({}, false, section, key, def);
  return doc->ReadString(section, key, def);
}

std::vector<std::string> FakeFileSystem::SectionNames(const std::string& file) {
  CountIniRead();
  const IniDocument* doc = Document(file);
  return doc == nullptr ? std::vector<std::string>() : doc->SectionNames();
}

std::vector<std::string> FakeFileSystem::KeyNames(const std::string& file,
                                                  const std::string& section) {
  CountIniRead();
  const IniDocument* doc = Document(file);
  return doc == nullptr ? std::vector<std::string>() : doc->KeyNames(section);
}

bool FakeFileSystem::WriteFile(const std::string& path, const std::string& contents) {
  if (failWrites || directories_.count(LowerCase(path)) != 0) return false;
  files_[LowerCase(path)] = contents;
  parsed_.erase(LowerCase(path));
  written.push_back(path);
  return true;
}

bool FakeFileSystem::CopyFileNoOverwrite(const std::string& from, const std::string& to) {
  const auto source = files_.find(LowerCase(from));
  if (failWrites || source == files_.end() || files_.count(LowerCase(to)) != 0 ||
      directories_.count(LowerCase(to)) != 0)
    return false;
  const std::string bytes = source->second;
  files_[LowerCase(to)] = bytes;
  parsed_.erase(LowerCase(to));
  written.push_back(to);
  return true;
}

std::optional<std::string> FakeFileSystem::Contents(const std::string& path) const {
  const auto it = files_.find(LowerCase(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

int FakeMessageBoxes::Show(WindowHandle owner, const std::string& text, const std::string& caption,
                           unsigned style) {
  shown.push_back({owner, text, caption, style});
  if (answers.empty()) return mb::IdOk;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

std::string FakeFolders::WindowsDirectory(unsigned room) {
  return windows.size() < room ? windows : std::string();
}

void* FakeLibraries::Load(const std::string& path) {
  loads.push_back(path);
  const auto it = libraries_.find(LowerCase(path));
  return it == libraries_.end() ? nullptr : &it->second;
}

void* FakeLibraries::Symbol(void* library, const char* name) {
  if (library == nullptr) return nullptr;
  const auto& symbols = *static_cast<std::map<std::string, void*>*>(library);
  const auto it = symbols.find(name);
  return it == symbols.end() ? nullptr : it->second;
}

void FakeLibraries::Release(void* library) { released.push_back(library); }

void FakeLibraries::Add(const std::string& path, std::map<std::string, void*> symbols) {
  libraries_[LowerCase(path)] = std::move(symbols);
}

RegistryPort::Status FakeRegistry::ReadCurrentUserInteger(const std::string& subkey,
                                                          const std::string& value, int& out) {
  ++reads;
  lastSubkey = subkey;
  lastValue = value;
  if (status != Status::Ok) return status;
  if (values.empty()) return Status::NoValue;
  out = values.front();
  if (values.size() > 1) values.pop_front();
  return Status::Ok;
}

std::intptr_t FakeShell::Execute(WindowHandle owner, const std::string& verb,
                                 const std::string& file, const std::string& parameters,
                                 const std::string& directory, int show) {
  calls.push_back({owner, verb, file, parameters, directory, show});
  return result;
}

WindowHandle FakeWindowSearch::FindTopLevel(const std::string& className,
                                            const std::string& title) {
  const auto it = existing.find({className, title});
  return it == existing.end() ? nullptr : it->second;
}

static Ports MakePorts(FakeSystem& s) {
  Ports p;
  p.ini = &s.files;
  p.files = &s.files;
  p.messages = &s.messages;
  p.folders = &s.folders;
  p.version = &s.version;
  p.libraries = &s.libraries;
  p.registry = &s.registry;
  p.shell = &s.shell;
  p.windows = &s.windows;
  p.classes = &s.classes;
  p.processes = &s.processes;
  p.shellEx = &s.shellEx;
  p.fileWrites = &s.files;
  p.batchText = &s.batchText;
  return p;
}

FakeSystem::FakeSystem() : scope_(MakePorts(*this)) {}

}  // namespace pikko::fakes
