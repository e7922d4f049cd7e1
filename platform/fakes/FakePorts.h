// In-memory fakes of the ports, for tests: a file system of texts (INI files
// are read from it by the portable reader), recorded message boxes with
// scripted answers, fixed folders and a settable version.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Ports.h"

namespace pikko::fakes {

class FakeFileSystem final : public FileSystemPort, public IniPort {
 public:
  void AddFile(const std::string& path, std::string contents = {});
  void AddDirectory(const std::string& path);
  void Remove(const std::string& path);
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def) override;

 private:
  // Paths compare without regard to case, as on the disc's file system.
  std::map<std::string, std::string> files_;
  std::set<std::string> directories_;
};

struct ShownMessage {
  WindowHandle owner;
  std::string text;
  std::string caption;
  unsigned style;
};

class FakeMessageBoxes final : public MessageBoxPort {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& caption,
           unsigned style) override;
  // The next answers to give, in order; IdOk once they run out.
  std::deque<int> answers;
  std::vector<ShownMessage> shown;
};

class FakeFolders final : public FoldersPort {
 public:
  std::string WindowsDirectory(unsigned room) override;
  std::string TempDirectory() override { return temp; }
  std::string ProgramFileName() override { return program; }
  std::string windows = "C:\\WINDOWS";
  std::string temp = "C:\\TEMP\\";
  std::string program = "D:\\AUTORUN\\Pikko.exe";
};

class FakeVersion final : public VersionPort {
 public:
  std::optional<OsVersionInfo> QueryVersion() override { return version; }
  unsigned ProcessorArchitecture() override { return architecture; }
  std::optional<bool> IsWow64Process() override { return wow64; }
  int MediaCenterMetric() override { return mediaCenter; }
  std::uint16_t SystemDefaultLangId() override { return langId; }

  std::optional<OsVersionInfo> version = OsVersionInfo{6, 1, 7601, 2, 1, 0};
  unsigned architecture = 9;
  std::optional<bool> wow64 = false;
  int mediaCenter = 0;
  std::uint16_t langId = 0x0409;
};

// All fakes together, installed for the lifetime of the object.
class FakeSystem {
 public:
  FakeSystem();
  FakeFileSystem files;
  FakeMessageBoxes messages;
  FakeFolders folders;
  FakeVersion version;

 private:
  ScopedPorts scope_;
};

}  // namespace pikko::fakes
