#include "platform/fakes/FakePorts.h"

#include "env/Text.h"
#include "platform/IniReader.h"

namespace pikko::fakes {

void FakeFileSystem::AddFile(const std::string& path, std::string contents) {
  files_[LowerCase(path)] = std::move(contents);
}

void FakeFileSystem::AddDirectory(const std::string& path) { directories_.insert(LowerCase(path)); }

void FakeFileSystem::Remove(const std::string& path) {
  files_.erase(LowerCase(path));
  directories_.erase(LowerCase(path));
}

bool FakeFileSystem::FileExists(const std::string& path) {
  return files_.count(LowerCase(path)) != 0;
}

bool FakeFileSystem::DirectoryExists(const std::string& path) {
  return directories_.count(LowerCase(path)) != 0;
}

std::string FakeFileSystem::ReadString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& def) {
  const auto it = files_.find(LowerCase(file));
  return ReadIniFromText(it == files_.end() ? std::string() : it->second, it != files_.end(),
                         section, key, def);
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

static Ports MakePorts(FakeSystem& s) {
  Ports p;
  p.ini = &s.files;
  p.files = &s.files;
  p.messages = &s.messages;
  p.folders = &s.folders;
  p.version = &s.version;
  return p;
}

FakeSystem::FakeSystem() : scope_(MakePorts(*this)) {}

}  // namespace pikko::fakes
