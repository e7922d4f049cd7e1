// The ports the checker runs the menu's own loaders over. They answer from
// the disc (DiscFileSystem) and record what the menu asked: which INI keys
// it read, which messages it showed, which programs, pages and libraries it
// would have opened. Nothing is started, shown or written.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "disccheck/DiscFileSystem.h"
#include "disccheck/IniLineIndex.h"
#include "platform/IniReader.h"
#include "platform/Ports.h"

namespace pikko::disccheck {

// One read of the INI port.
struct IniRead {
  std::string file;  // as the menu named it
  std::string section, key;
};

// Where a read points: the key's line, else its section's, else the file.
struct SourceLine {
  std::string file;  // as the menu named it; empty: nowhere
  int line = 0;
};

class RecordingIni final : public IniPort {
 public:
  explicit RecordingIni(DiscFileSystem& files) : files_(files) {}

  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def) override;
  std::vector<std::string> SectionNames(const std::string& file) override;
  std::vector<std::string> KeyNames(const std::string& file, const std::string& section) override;

  // The line the last read points at.
  SourceLine LastReadLine() const;
  SourceLine LineOf(const std::string& file, const std::string& section,
                    const std::string& key) const;
  // The line index of a file of the disc; null when it does not exist.
  const IniLineIndex* Index(const std::string& file) const;

  // Every disc file read, by its disc-relative lower-case name, with the
  // name as the menu first wrote it.
  const std::map<std::string, std::string>& FilesRead() const { return filesRead_; }
  bool WasRead(const std::string& file, const std::string& section, const std::string& key) const;
  bool SectionWasRead(const std::string& file, const std::string& section) const;

 private:
  const IniDocument* Document(const std::string& file);
  void Note(const std::string& file, const std::string& section, const std::string* key);

  DiscFileSystem& files_;
  std::vector<IniRead> log_;
  std::map<std::string, std::string> filesRead_;
  std::set<std::string> keysRead_, sectionsRead_;
  mutable std::map<std::string, std::optional<IniDocument>> documents_;
  mutable std::map<std::string, std::optional<IniLineIndex>> indices_;
};

struct ShownBox {
  std::string text, caption;
  unsigned style = 0;
  SourceLine source;
};

// Records each message with the line of the read just before it (the read
// that made the menu speak). Answers with `answer`.
class RecordingMessages final : public MessageBoxPort {
 public:
  explicit RecordingMessages(const RecordingIni& ini) : ini_(ini) {}
  int Show(WindowHandle owner, const std::string& text, const std::string& caption,
           unsigned style) override;
  std::vector<ShownBox> shown;
  int answer = mb::IdOk;

 private:
  const RecordingIni& ini_;
};

// Something the menu would open: a program, a document, a library, a page.
struct OpenAttempt {
  std::string what;  // "program", "document", "library", "page", "picture"
  std::string path;  // as the menu wrote it
  bool found = false;
  SourceLine source;
};

// Shell, process, extended shell, library and file-write ports in one: each
// start "works" exactly when its file is on the disc.
class RecordingStarts final : public ShellPort,
                              public ShellExtendedPort,
                              public ProcessPort,
                              public LibraryPort,
                              public FileWritePort {
 public:
  RecordingStarts(DiscFileSystem& files, const RecordingIni& ini) : files_(files), ini_(ini) {}

  std::intptr_t Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int show) override;
  bool ExecuteEx(const ShellExecuteRequest& request) override;
  int CopyFiles(WindowHandle owner, const std::string& source, const std::string& destination,
                unsigned flags) override;
  bool Create(const ProcessStart& start) override;
  unsigned StartWithShow(const std::string& commandLine, int show) override;
  bool SetCurrentFolder(const std::string& folder) override;
  std::string CurrentFolder() override { return files_.CurrentFolder(); }
  void* Load(const std::string& path) override;
  void* Symbol(void* library, const char* name) override;
  bool WriteFile(const std::string&, const std::string&) override { return true; }
  bool CopyFileNoOverwrite(const std::string&, const std::string&) override { return true; }

  // Records an attempt to open path (also used by the checker's views).
  bool Open(const std::string& what, const std::string& path);

  std::vector<OpenAttempt> attempts;
  // While set, documents "open" only when they exist; cleared, no program
  // can open a document (the manual opener then offers its reader).
  bool documentsOpen = true;
  // The answer the product probes give.
  bool probeAnswer = true;
  // Where a bare library name is found (the program folder, with its backslash).
  std::string programFolder;
  // Exports a library lacks: (library path, export name).
  std::vector<std::pair<std::string, std::string>> missingExports;

 private:
  DiscFileSystem& files_;
  const RecordingIni& ini_;
  std::map<void*, std::string> libraries_;
  std::map<std::string, std::set<std::string>> exportNames_;  // by library path
};

// A Windows of a given version record; the system language given.
class CheckerVersion final : public VersionPort {
 public:
  std::optional<OsVersionInfo> QueryVersion() override { return info; }
  unsigned ProcessorArchitecture() override { return architecture; }
  std::optional<bool> IsWow64Process() override { return wow64; }
  int MediaCenterMetric() override { return mediaCenter; }
  std::uint16_t SystemDefaultLangId() override { return langId; }
  unsigned AnsiCodePage() override { return codePage; }
  OsVersionInfo info{6, 1, 7601, 2, 1, 0};
  unsigned architecture = 9;
  bool wow64 = true;
  int mediaCenter = 0;
  std::uint16_t langId = 0x0409;
  unsigned codePage = 1252;  // the Western code page of that language
};

class CheckerFolders final : public FoldersPort {
 public:
  explicit CheckerFolders(std::string program) : program_(std::move(program)) {}
  std::string WindowsDirectory(unsigned) override { return "C:\\WINDOWS"; }
  std::string TempDirectory() override { return "C:\\TEMP\\"; }
  std::string ProgramFileName() override { return program_; }

 private:
  std::string program_;
};

// No installer window is running; the registry holds no program for any
// file type; the companion's answer is "ready".
class QuietSystem final : public WindowSearchPort, public ClassesRootPort, public RegistryPort {
 public:
  WindowHandle FindTopLevel(const std::string&, const std::string&) override { return nullptr; }
  void RestoreAndActivate(WindowHandle) override {}
  reg::Key ClassesRoot() override { return this; }
  long OpenKey(reg::Key, const std::string&, unsigned, reg::Key*) override {
    return reg::FileNotFound;
  }
  long CloseKey(reg::Key) override { return reg::Success; }
  long QueryInfo(reg::Key, unsigned*, unsigned*, unsigned*, unsigned*) override {
    return reg::FileNotFound;
  }
  long EnumKey(reg::Key, unsigned, char*, unsigned*) override { return reg::NoMoreItems; }
  long QueryValue(reg::Key, const std::string&, unsigned*, unsigned char*, unsigned*) override {
    return reg::FileNotFound;
  }
  Status ReadCurrentUserInteger(const std::string&, const std::string&, int& out) override {
    out = 2;
    return Status::Ok;
  }
};

}  // namespace pikko::disccheck
