// The ports through which the menu reaches the system. The portable core
// includes only this header; the Win32 adapters live in *_win.cpp files and
// tests install recording fakes (platform/fakes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pikko {

// An opaque window handle as the core sees it (an HWND on Windows).
using WindowHandle = void*;

// Message box styles and answers, numerically the same as the platform's.
namespace mb {
constexpr unsigned Ok = 0x0;
constexpr unsigned YesNo = 0x4;
constexpr unsigned IconError = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconWarning = 0x30;
constexpr unsigned IconInformation = 0x40;
constexpr int IdOk = 1;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
}  // namespace mb

// Private-profile reading: the disc's INI files.
class IniPort {
 public:
  virtual ~IniPort() = default;
  // The value of key in section of the file, or the default; the result is
  // cut to 2047 characters as the platform's 2048-character room does.
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& def) = 0;
  // The names of the file's sections in file order, as the platform lists
  // them (the unnamed part above the first header is not one); none for a
  // missing file. Lets a reader learn which numbered sections exist without
  // asking for every number.
  virtual std::vector<std::string> SectionNames(const std::string& file) = 0;
  // The names of the keys of a section in file order, comment lines left
  // out; none for a missing file or section.
  virtual std::vector<std::string> KeyNames(const std::string& file,
                                            const std::string& section) = 0;
  // The whole text of a file that ReadString would read, so that it can be
  // parsed once and answered from memory (ScopedIniSnapshot); nothing when
  // the port cannot give it (the file is then read key by key) or the file
  // does not exist (exists = false).
  virtual std::optional<std::string> FileText(const std::string& /*file*/, bool& exists) {
    exists = true;
    return std::nullopt;
  }
};

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  virtual int Show(WindowHandle owner, const std::string& text, const std::string& caption,
                   unsigned style) = 0;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;
  // True for an existing file (not a folder).
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
};

class FoldersPort {
 public:
  virtual ~FoldersPort() = default;
  // The Windows folder as the system reports it (C:\windows, or C:\ at the
  // root); empty when it does not fit the given room.
  virtual std::string WindowsDirectory(unsigned room) = 0;
  // The temporary folder, with its trailing backslash.
  virtual std::string TempDirectory() = 0;
  // The full file name of the running program.
  virtual std::string ProgramFileName() = 0;
};

// What the extended version query and its companions report.
struct OsVersionInfo {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;
  unsigned platformId = 0;   // 1: Windows 9x, 2: NT family
  unsigned productType = 0;  // 1 workstation, 2 domain controller, 3 server
  unsigned suiteMask = 0;
};

class VersionPort {
 public:
  virtual ~VersionPort() = default;
  // Nothing when the extended version query fails.
  virtual std::optional<OsVersionInfo> QueryVersion() = 0;
  // The processor architecture of the system-information call (0 x86, 6 IA64, 9 x64).
  virtual unsigned ProcessorArchitecture() = 0;
  // Nothing when "IsWow64Process" is not exported by kernel32 or fails.
  virtual std::optional<bool> IsWow64Process() = 0;
  // The system metric 87 (Media Center edition).
  virtual int MediaCenterMetric() = 0;
  virtual std::uint16_t SystemDefaultLangId() = 0;
  // The ANSI code page the system's narrow texts and file names are in
  // (932 on a Japanese system, 1252 on a Western one).
  virtual unsigned AnsiCodePage() = 0;
};

// Library loading and export lookup. Handles are opaque; a library loaded
// through this port stays loaded until it is released (the menu keeps its
// libraries for the life of the process, the system report's excepted).
class LibraryPort {
 public:
  virtual ~LibraryPort() = default;
  // Loads by full path or, without a folder, through the platform's search.
  virtual void* Load(const std::string& path) = 0;
  virtual void* Symbol(void* library, const char* name) = 0;
  // Releases a library that a caller loaded for one use only (the system
  // report's library); the others stay loaded.
  virtual void Release(void* library) { (void)library; }
};

// Reading HKEY_CURRENT_USER, which is all the menu reads directly.
class RegistryPort {
 public:
  virtual ~RegistryPort() = default;
  enum class Status { NoKey, NoValue, Ok };
  // Opens subkey without creating it and reads an integer (DWORD) value.
  virtual Status ReadCurrentUserInteger(const std::string& subkey, const std::string& value,
                                        int& out) = 0;
};

// Starting programs through the shell, fire and forget.
class ShellPort {
 public:
  virtual ~ShellPort() = default;
  // The shell's result: greater than 32 when the program started.
  virtual std::intptr_t Execute(WindowHandle owner, const std::string& verb,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int show) = 0;
};

// Other programs' top-level windows.
class WindowSearchPort {
 public:
  virtual ~WindowSearchPort() = default;
  virtual WindowHandle FindTopLevel(const std::string& className, const std::string& title) = 0;
  // Restores a minimised window and brings it to the front.
  virtual void RestoreAndActivate(WindowHandle window) = 0;
};

// Reading keys below HKEY_CLASSES_ROOT key by key, as the open-with lists
// do. The calls mirror the platform's registry functions: they answer the
// platform's error codes (reg::Success and the others below) and take the
// platform's value types and access rights.
namespace reg {
using Key = void*;  // an opaque key handle (an HKEY on Windows)
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long MoreData = 234;
constexpr long NoMoreItems = 259;
constexpr unsigned TypeString = 1;        // REG_SZ
constexpr unsigned TypeExpandString = 2;  // REG_EXPAND_SZ
constexpr unsigned TypeBinary = 3;        // REG_BINARY
constexpr unsigned TypeDword = 4;         // REG_DWORD
constexpr unsigned TypeMultiString = 7;   // REG_MULTI_SZ
constexpr unsigned KeyRead = 0x20019;     // KEY_READ
}  // namespace reg

class ClassesRootPort {
 public:
  virtual ~ClassesRootPort() = default;
  // The predefined root HKEY_CLASSES_ROOT; never closed.
  virtual reg::Key ClassesRoot() = 0;
  // Opens path below parent; *out receives the new key on success.
  virtual long OpenKey(reg::Key parent, const std::string& path, unsigned access,
                       reg::Key* out) = 0;
  virtual long CloseKey(reg::Key key) = 0;
  // Counts and longest names (in characters, without the terminating zero).
  virtual long QueryInfo(reg::Key key, unsigned* subkeys, unsigned* maxSubkeyName,
                         unsigned* values, unsigned* maxValueName) = 0;
  // The name of subkey index into name, which has room for *length
  // characters including the terminating zero. On success *length is the
  // name's length; a name that does not fit gives reg::MoreData, an index
  // past the last subkey reg::NoMoreItems.
  virtual long EnumKey(reg::Key key, unsigned index, char* name, unsigned* length) = 0;
  // A value's type and the size of its data in bytes; with data not null
  // also its data, into room for *size bytes (reg::MoreData when it does
  // not fit). The empty name is the key's default value.
  virtual long QueryValue(reg::Key key, const std::string& name, unsigned* type,
                          unsigned char* data, unsigned* size) = 0;
};

// Starting processes and the process's own current folder.
constexpr unsigned kCreateNoWindow = 0x08000000;  // CREATE_NO_WINDOW

struct ProcessStart {
  std::string commandLine;    // no separate application name
  std::string workingFolder;  // empty: the caller's
  unsigned creationFlags = 0;
  unsigned waitMilliseconds = 0;  // 0: do not wait for the process to end
};

class ProcessPort {
 public:
  virtual ~ProcessPort() = default;
  // True when the process was created; its handles are never kept.
  virtual bool Create(const ProcessStart& start) = 0;
  // The old-style start of a command line with a show command; the
  // platform's result (greater than 31 when the program started).
  virtual unsigned StartWithShow(const std::string& commandLine, int show) = 0;
  virtual bool SetCurrentFolder(const std::string& folder) = 0;
  virtual std::string CurrentFolder() = 0;
};

// The shell's extended execute call and its file operation.
constexpr unsigned kSeeMaskNoCloseProcess = 0x00000040;  // SEE_MASK_NOCLOSEPROCESS
constexpr unsigned kSeeMaskFlagNoUi = 0x00000400;        // SEE_MASK_FLAG_NO_UI
constexpr unsigned kFofSilent = 0x0004;                  // FOF_SILENT
constexpr unsigned kFofNoConfirmation = 0x0010;          // FOF_NOCONFIRMATION

struct ShellExecuteRequest {
  WindowHandle owner = nullptr;
  unsigned mask = 0;
  std::string verb, file, parameters, directory;  // empty parameters, directory: none
  int show = 1;
};

class ShellExtendedPort {
 public:
  virtual ~ShellExtendedPort() = default;
  // True when the shell reports success. A process handle the mask asks
  // for is closed at once: the menu never waits for what it opens.
  virtual bool ExecuteEx(const ShellExecuteRequest& request) = 0;
  // The shell's copy operation of one source to one destination; 0 on
  // success, as the platform answers.
  virtual int CopyFiles(WindowHandle owner, const std::string& source,
                        const std::string& destination, unsigned flags) = 0;
};

// Writing the few files the menu writes itself.
class FileWritePort {
 public:
  virtual ~FileWritePort() = default;
  // Creates or replaces the file with exactly these bytes.
  virtual bool WriteFile(const std::string& path, const std::string& contents) = 0;
  // Copies a file; fails rather than replace an existing target.
  virtual bool CopyFileNoOverwrite(const std::string& from, const std::string& to) = 0;
};

// What a batch file's line needs. The command interpreter reads batch
// files in the OEM code page, while the menu's texts and paths are in the
// ANSI one: both hold ASCII alike, but their other characters differ (the
// Western e with acute accent is 0xE9 in ANSI and 0x82 in OEM).
class BatchTextPort {
 public:
  virtual ~BatchTextPort() = default;
  // The ANSI text in the OEM code page (through UTF-16), or nothing when
  // it cannot be converted; usedDefault tells that some character has no
  // OEM form and stands there as the code page's default character.
  virtual std::optional<std::string> AnsiToOem(const std::string& text, bool& usedDefault) = 0;
  // The short (8.3) form of an existing file's path, or empty when the
  // system gives none (a missing file).
  virtual std::string ShortPathName(const std::string& path) = 0;
};

// The set of ports in force. The program installs the Win32 adapters at
// start; a test installs fakes with ScopedPorts.
struct Ports {
  IniPort* ini = nullptr;
  MessageBoxPort* messages = nullptr;
  FileSystemPort* files = nullptr;
  FoldersPort* folders = nullptr;
  VersionPort* version = nullptr;
  LibraryPort* libraries = nullptr;
  RegistryPort* registry = nullptr;
  ShellPort* shell = nullptr;
  WindowSearchPort* windows = nullptr;
  ClassesRootPort* classes = nullptr;
  ProcessPort* processes = nullptr;
  ShellExtendedPort* shellEx = nullptr;
  FileWritePort* fileWrites = nullptr;
  BatchTextPort* batchText = nullptr;
};

Ports& CurrentPorts();

// Installs a set of ports for its lifetime and restores the previous set.
class ScopedPorts {
 public:
  explicit ScopedPorts(const Ports& ports) : saved_(CurrentPorts()) { CurrentPorts() = ports; }
  ~ScopedPorts() { CurrentPorts() = saved_; }
  ScopedPorts(const ScopedPorts&) = delete;
  ScopedPorts& operator=(const ScopedPorts&) = delete;

 private:
  Ports saved_;
};

// Convenience accessors; each asserts that its port is installed.
IniPort& Ini();
MessageBoxPort& Messages();
FileSystemPort& Files();
FoldersPort& Folders();
VersionPort& Version();
LibraryPort& Libraries();
RegistryPort& Registry();
ShellPort& Shell();
WindowSearchPort& WindowSearch();
ClassesRootPort& ClassesRegistry();
ProcessPort& Processes();
ShellExtendedPort& ShellEx();
FileWritePort& FileWrites();
BatchTextPort& BatchText();

// The application title: the caption of messages that speak for the program
// as a whole. Set by the application object.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);

}  // namespace pikko
