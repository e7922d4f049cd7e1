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
};

// Library loading and export lookup. Handles are opaque; a library loaded
// through this port stays loaded (the menu never releases its libraries).
class LibraryPort {
 public:
  virtual ~LibraryPort() = default;
  // Loads by full path or, without a folder, through the platform's search.
  virtual void* Load(const std::string& path) = 0;
  virtual void* Symbol(void* library, const char* name) = 0;
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

// The application title: the caption of messages that speak for the program
// as a whole. Set by the application object.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);

}  // namespace pikko
