// In-memory fakes of the ports the manuals and the side buttons use: a tree
// of keys below HKEY_CLASSES_ROOT, recording process and shell starts, and
// the batch file's code page.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Ports.h"

namespace pikko::fakes {

// Keys and values as the registry holds them: names compare without regard
// to case, subkeys enumerate in the order they were added, and values keep
// their type and raw bytes.
class FakeClassesRoot final : public ClassesRootPort {
 public:
  FakeClassesRoot();
  ~FakeClassesRoot() override;

  // Creates every key of path (backslash-separated) that is missing.
  void AddKey(const std::string& path);
  // Sets a value of a key (created when missing) with its raw bytes.
  void SetValue(const std::string& keyPath, const std::string& name, unsigned type,
                std::string data);
  // A plain string value, stored with its terminating zero as the platform does.
  void SetString(const std::string& keyPath, const std::string& name, const std::string& text);
  // Handles opened and not yet closed.
  int OpenHandles() const { return static_cast<int>(open_.size()); }
  // Makes the count and length query fail, as for a key the system cannot read.
  bool failQueryInfo = false;

  reg::Key ClassesRoot() override;
  long OpenKey(reg::Key parent, const std::string& path, unsigned access, reg::Key* out) override;
  long CloseKey(reg::Key key) override;
  long QueryInfo(reg::Key key, unsigned* subkeys, unsigned* maxSubkeyName, unsigned* values,
                 unsigned* maxValueName) override;
  long EnumKey(reg::Key key, unsigned index, char* name, unsigned* length) override;
  long QueryValue(reg::Key key, const std::string& name, unsigned* type, unsigned char* data,
                  unsigned* size) override;

  // The access rights of every OpenKey call, in order.
  std::vector<unsigned> accessRequested;

 private:
  struct Node;
  Node* Find(reg::Key key) const;
  Node* Walk(Node* from, const std::string& path, bool create) const;

  std::unique_ptr<Node> root_;
  std::map<reg::Key, Node*> open_;
  std::deque<char> tokens_;
};

class FakeProcesses final : public ProcessPort {
 public:
  bool Create(const ProcessStart& start) override {
    created.push_back(start);
    return createResult;
  }
  unsigned StartWithShow(const std::string& commandLine, int show) override {
    shown.push_back({commandLine, show});
    return startResult;
  }
  bool SetCurrentFolder(const std::string& folder) override {
    current = folder;
    folderChanges.push_back(folder);
    return true;
  }
  std::string CurrentFolder() override { return current; }

  bool createResult = true;
  unsigned startResult = 33;
  std::vector<ProcessStart> created;
  std::vector<std::pair<std::string, int>> shown;
  std::vector<std::string> folderChanges;
  std::string current = "C:\\";
};

struct FileCopyCall {
  WindowHandle owner;
  std::string source, destination;
  unsigned flags;
};

class FakeShellExtended final : public ShellExtendedPort {
 public:
  bool ExecuteEx(const ShellExecuteRequest& request) override {
    requests.push_back(request);
    return executeResult;
  }
  int CopyFiles(WindowHandle owner, const std::string& source, const std::string& destination,
                unsigned flags) override {
    copies.push_back({owner, source, destination, flags});
    return copyResult;
  }
  bool executeResult = true;
  int copyResult = 0;
  std::vector<ShellExecuteRequest> requests;
  std::vector<FileCopyCall> copies;
};

// The command interpreter's code page as a table: ASCII stays, a byte from
// 0x80 becomes its entry in oem, and a byte without one has no OEM form
// (it is written as "?" with usedDefault set). With sameCodePage the text
// stays as it is, as where both code pages are one (a Japanese system).
// Short forms are those listed, given only for files that exist.
class FakeBatchText final : public BatchTextPort {
 public:
  explicit FakeBatchText(FileSystemPort& files) : files_(files) {}
  std::optional<std::string> AnsiToOem(const std::string& text, bool& usedDefault) override;
  std::string ShortPathName(const std::string& path) override;

  std::map<unsigned char, char> oem;
  bool sameCodePage = false;
  bool failConversion = false;                    // every conversion fails
  std::map<std::string, std::string> shortPaths;  // long path -> short path

 private:
  FileSystemPort& files_;
};

}  // namespace pikko::fakes
