// The Win32 adapters of the classes registry, process, extended shell,
// file-write and batch-text ports.
#include <windows.h>

#include <shellapi.h>

#include <iterator>
#include <string>
#include <vector>

#include "platform/ScopedWin.h"
#include "platform/LateSystemFunctions_win.h"
#include "platform/Win32Ports.h"

namespace pikko {
namespace {

HKEY AsKey(reg::Key key) { return static_cast<HKEY>(key); }

class ClassesRootAdapter final : public ClassesRootPort {
 public:
  reg::Key ClassesRoot() override { return HKEY_CLASSES_ROOT; }
  long OpenKey(reg::Key parent, const std::string& path, unsigned access, reg::Key* out) override {
    HKEY raw = nullptr;
    const LONG status = ::RegOpenKeyExA(AsKey(parent), path.c_str(), 0, access, &raw);
    if (status == ERROR_SUCCESS) *out = raw;
    return status;
  }
  long CloseKey(reg::Key key) override { return ::RegCloseKey(AsKey(key)); }
  long QueryInfo(reg::Key key, unsigned* subkeys, unsigned* maxSubkeyName, unsigned* values,
                 unsigned* maxValueName) override {
    DWORD s = 0, ms = 0, v = 0, mv = 0;
    const LONG status = ::RegQueryInfoKeyA(AsKey(key), nullptr, nullptr, nullptr, &s, &ms, nullptr,
                                           &v, &mv, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return status;
    if (subkeys) *subkeys = s;
    if (maxSubkeyName) *maxSubkeyName = ms;
    if (values) *values = v;
    if (maxValueName) *maxValueName = mv;
    return status;
  }
  long EnumKey(reg::Key key, unsigned index, char* name, unsigned* length) override {
    if (name == nullptr || length == nullptr) return ERROR_INVALID_PARAMETER;
    DWORD room = *length;
    const LONG status =
        ::RegEnumKeyExA(AsKey(key), index, name, &room, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) *length = room;
    return status;
  }
  long QueryValue(reg::Key key, const std::string& name, unsigned* type, unsigned char* data,
                  unsigned* size) override {
    DWORD t = 0, s = size ? *size : 0;
    const LONG status =
        ::RegQueryValueExA(AsKey(key), name.c_str(), nullptr, &t, data, size ? &s : nullptr);
    if (type) *type = t;
    if (size) *size = s;
    return status;
  }
};

class ProcessesAdapter final : public ProcessPort {
 public:
  bool Create(const ProcessStart& start) override {
    // Process creation may write into its command line: it gets a copy.
    std::vector<char> line(start.commandLine.begin(), start.commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(
            nullptr, line.data(), nullptr, nullptr, FALSE, start.creationFlags, nullptr,
            start.workingFolder.empty() ? nullptr : start.workingFolder.c_str(), &startup, &info))
      return false;
    const win::ScopedHandle process(info.hProcess);
    const win::ScopedHandle thread(info.hThread);
    if (start.waitMilliseconds != 0) ::WaitForSingleObject(process.Get(), start.waitMilliseconds);
    return true;
  }
  unsigned StartWithShow(const std::string& commandLine, int show) override {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
  }
  bool SetCurrentFolder(const std::string& folder) override {
    return ::SetCurrentDirectoryA(folder.c_str()) != FALSE;
  }
  std::string CurrentFolder() override {
    std::vector<char> room(MAX_PATH);
    for (;;) {
      const DWORD n = ::GetCurrentDirectoryA(static_cast<DWORD>(room.size()), room.data());
      if (n == 0) return {};
      if (n < room.size()) return std::string(room.data(), n);
      room.resize(n + 1);
    }
  }
};

class ShellExtendedAdapter final : public ShellExtendedPort {
 public:
  bool ExecuteEx(const ShellExecuteRequest& request) override {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = request.mask;
    info.hwnd = static_cast<HWND>(request.owner);
    info.lpVerb = request.verb.empty() ? nullptr : request.verb.c_str();
    info.lpFile = request.file.c_str();
    info.lpParameters = request.parameters.empty() ? nullptr : request.parameters.c_str();
    info.lpDirectory = request.directory.empty() ? nullptr : request.directory.c_str();
    info.nShow = request.show;
    const bool ok = win::ShellExecuteExLate(&info) != FALSE;
    // The menu does not wait for what it opens: a process handle asked for
    // by the mask is given back at once.
    if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);
    return ok;
  }
  int CopyFiles(WindowHandle owner, const std::string& source, const std::string& destination,
                unsigned flags) override {
    // Both are lists of paths, each list ended by two zero characters.
    std::string from = source, to = destination;
    from.append(2, '\0');
    to.append(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.hwnd = static_cast<HWND>(owner);
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = static_cast<FILEOP_FLAGS>(flags);
    const int result = win::FileOperationLate(&op);
    if (result == 0 && op.fAnyOperationsAborted) return ERROR_CANCELLED;
    return result;
  }
};

class FileWritesAdapter final : public FileWritePort {
 public:
  bool WriteFile(const std::string& path, const std::string& contents) override {
    const win::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return contents.empty() ||
           (::WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                        nullptr) &&
            written == contents.size());
  }
  bool CopyFileNoOverwrite(const std::string& from, const std::string& to) override {
    return ::CopyFileA(from.c_str(), to.c_str(), TRUE) != FALSE;
  }
};

class BatchTextAdapter final : public BatchTextPort {
 public:
  std::optional<std::string> AnsiToOem(const std::string& text, bool& usedDefault) override {
    usedDefault = false;
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength), L'\0');
    if (::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), wideLength) != wideLength)
      return std::nullopt;
    // No best fit: a character the OEM code page lacks must show as the
    // default one, not as a look-alike that names another file. A UTF-8
    // OEM code page holds every character and takes neither the flag nor
    // the default-character report.
    const bool utf8 = ::GetOEMCP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* report = utf8 ? nullptr : &defaulted;
    const int length = ::WideCharToMultiByte(CP_OEMCP, flags, wide.data(), wideLength, nullptr, 0,
                                             nullptr, report);
    if (length <= 0) return std::nullopt;
    std::string oem(static_cast<std::size_t>(length), '\0');
    defaulted = FALSE;
    if (::WideCharToMultiByte(CP_OEMCP, flags, wide.data(), wideLength, oem.data(), length, nullptr,
                              report) != length)
      return std::nullopt;
    usedDefault = defaulted != FALSE;
    return oem;
  }
  std::string ShortPathName(const std::string& path) override {
    std::vector<char> room(MAX_PATH);
    // The answer is the room needed when it does not fit: a second call
    // with that room suffices unless the path changed in between.
    for (int attempt = 0; attempt < 3; ++attempt) {
      const DWORD n =
          ::GetShortPathNameA(path.c_str(), room.data(), static_cast<DWORD>(room.size()));
      if (n == 0) return {};
      if (n < room.size()) return std::string(room.data(), n);
      room.resize(n);
    }
    return {};
  }
};

}  // namespace

ClassesRootPort& Win32ClassesRegistry() {
  static ClassesRootAdapter port;
  return port;
}
ProcessPort& Win32Processes() {
  static ProcessesAdapter port;
  return port;
}
ShellExtendedPort& Win32ShellExtended() {
  static ShellExtendedAdapter port;
  return port;
}
FileWritePort& Win32FileWrites() {
  static FileWritesAdapter port;
  return port;
}
BatchTextPort& Win32BatchText() {
  static BatchTextAdapter port;
  return port;
}

}  // namespace pikko
