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

#include "platform/IniReader.h"
#include "platform/Ports.h"
#include "platform/fakes/FakeManualPorts.h"

namespace pikko::fakes {

class FakeFileSystem final : public FileSystemPort, public IniPort, public FileWritePort {
 public:
  void AddFile(const std::string& path, std::string contents = {});
  void AddDirectory(const std::string& path);
  void Remove(const std::string& path);
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def) override;
  std::vector<std::string> SectionNames(const std::string& file) override;
  std::optional<std::string> FileText(const std::string& file, bool& exists) override {
    std::optional<std::string> text = Contents(file);
    exists = text.has_value();
    return text;
  }
  std::vector<std::string> KeyNames(const std::string& file, const std::string& section) override;
  // How many times the INI port was asked anything, for tests that bound the work.
  int iniReads = 0;
  // When above 0, a read past this many throws std::runtime_error: a loader
  // that asks without end fails its test instead of hanging it.
  int iniReadLimit = 0;
  bool WriteFile(const std::string& path, const std::string& contents) override;
  bool CopyFileNoOverwrite(const std::string& from, const std::string& to) override;
  // The contents of a file, or nothing when there is none.
  std::optional<std::string> Contents(const std::string& path) const;
  // Writes and copies fail while this is set.
  bool failWrites = false;
  std::vector<std::string> written;  // every path written or copied to, in order

 private:
  // The parsed document of a file, parsed on its first read and kept until
  // the file changes, so that tests and fuzz targets that read many keys
  // stay quick.
  const IniDocument* Document(const std::string& path);
  void CountIniRead();

  // Paths compare without regard to case, as on the disc's file system.
  std::map<std::string, std::string> files_;
  std::set<std::string> directories_;
  std::map<std::string, IniDocument> parsed_;
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
  unsigned AnsiCodePage() override { return ansiCodePage; }

  std::optional<OsVersionInfo> version = OsVersionInfo{6, 1, 7601, 2, 1, 0};
  unsigned architecture = 9;
  std::optional<bool> wow64 = false;
  int mediaCenter = 0;
  std::uint16_t langId = 0x0409;
  unsigned ansiCodePage = 1252;
};

class FakeLibraries final : public LibraryPort {
 public:
  void* Load(const std::string& path) override;
  void* Symbol(void* library, const char* name) override;
  // A library that loads under this path (compared without regard to case)
  // and exports these symbols.
  void Add(const std::string& path, std::map<std::string, void*> symbols);
  void Release(void* library) override;
  std::vector<std::string> loads;
  std::vector<void*> released;

 private:
  std::map<std::string, std::map<std::string, void*>> libraries_;
};

class FakeRegistry final : public RegistryPort {
 public:
  Status ReadCurrentUserInteger(const std::string& subkey, const std::string& value,
                                int& out) override;
  Status status = Status::NoKey;
  // Values given on successive reads; the last one repeats.
  std::deque<int> values;
  int reads = 0;
  std::string lastSubkey, lastValue;
};

struct ShellCall {
  WindowHandle owner;
  std::string verb, file, parameters, directory;
  int show;
};

class FakeShell final : public ShellPort {
 public:
  std::intptr_t Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int show) override;
  std::intptr_t result = 42;
  std::vector<ShellCall> calls;
};

class FakeWindowSearch final : public WindowSearchPort {
 public:
  WindowHandle FindTopLevel(const std::string& className, const std::string& title) override;
  void RestoreAndActivate(WindowHandle window) override { activated.push_back(window); }
  // Windows that exist, by class and title.
  std::map<std::pair<std::string, std::string>, WindowHandle> existing;
  std::vector<WindowHandle> activated;
};

// All fakes together, installed for the lifetime of the object.
class FakeSystem {
 public:
  FakeSystem();
  FakeFileSystem files;
  FakeMessageBoxes messages;
  FakeFolders folders;
  FakeVersion version;
  FakeLibraries libraries;
  FakeRegistry registry;
  FakeShell shell;
  FakeWindowSearch windows;
  FakeClassesRoot classes;
  FakeProcesses processes;
  FakeShellExtended shellEx;
  FakeBatchText batchText{files};

 private:
  ScopedPorts scope_;
};

}  // namespace pikko::fakes
