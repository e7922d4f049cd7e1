// The Win32 adapters of the ports.
#include "platform/Win32Ports.h"
#include "platform/LateSystemFunctions_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "platform/FileReader.h"
#include "platform/ScopedWin.h"

namespace pikko {
namespace {

class Win32Ini final : public IniPort {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def) override {
    char buffer[2048];
    const DWORD n = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                                               static_cast<DWORD>(std::size(buffer)), file.c_str());
    return std::string(buffer, n);
  }
  std::vector<std::string> SectionNames(const std::string& file) override {
    return NameList([&](char* room, DWORD size) {
      return ::GetPrivateProfileSectionNamesA(room, size, file.c_str());
    });
  }
  std::vector<std::string> KeyNames(const std::string& file, const std::string& section) override {
    return NameList([&](char* room, DWORD size) {
      return ::GetPrivateProfileStringA(section.c_str(), nullptr, "", room, size, file.c_str());
    });
  }
  std::optional<std::string> FileText(const std::string& file, bool& exists) override {
    return ReadFileBytes(file, exists);
  }

 private:
  // The profile functions list names as a double-null-terminated block and
  // answer size - 2 when the room is too small: grow the room until the
  // list fits. Past the limit the list is cut before its last, partial name.
  template <class Fill>
  static std::vector<std::string> NameList(Fill fill) {
    constexpr DWORD kMaxRoom = 4u << 20;
    std::vector<char> room(4096);
    DWORD n = 0;
    for (;;) {
      n = fill(room.data(), static_cast<DWORD>(room.size()));
      if (n + 2 < room.size() || room.size() >= kMaxRoom) break;
      room.assign(room.size() * 4, '\0');
    }
    const bool cut = n + 2 >= room.size();
    std::vector<std::string> names;
    for (DWORD at = 0; at < n;) {
      const char* name = room.data() + at;
      const DWORD length = static_cast<DWORD>(::strnlen(name, n - at));
      if (at + length >= n && cut) break;
      names.emplace_back(name, length);
      at += length + 1;
    }
    return names;
  }
};

class Win32MessageBoxes final : public MessageBoxPort {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& caption,
           unsigned style) override {
    return ::MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
  }
};

class Win32Files final : public FileSystemPort {
 public:
  bool FileExists(const std::string& path) override {
    const DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool DirectoryExists(const std::string& path) override {
    const DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }
};

class Win32Folders final : public FoldersPort {
 public:
  std::string WindowsDirectory(unsigned room) override {
    char buffer[MAX_PATH + 1];
    if (room > std::size(buffer)) room = static_cast<unsigned>(std::size(buffer));
    const UINT n = ::GetWindowsDirectoryA(buffer, room);
    return (n == 0 || n >= room) ? std::string() : std::string(buffer, n);
  }
  std::string TempDirectory() override {
    char buffer[MAX_PATH + 1];
    const DWORD n = ::GetTempPathA(static_cast<DWORD>(std::size(buffer)), buffer);
    return (n == 0 || n >= std::size(buffer)) ? std::string() : std::string(buffer, n);
  }
  std::string ProgramFileName() override {
    char buffer[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return (n == 0 || n >= std::size(buffer)) ? std::string() : std::string(buffer, n);
  }
};

class Win32Version final : public VersionPort {
 public:
  std::optional<OsVersionInfo> QueryVersion() override {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 156 bytes, the extended record
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return std::nullopt;
#pragma GCC diagnostic pop
    OsVersionInfo out;
    out.major = info.dwMajorVersion;
    out.minor = info.dwMinorVersion;
    out.build = info.dwBuildNumber;
    out.platformId = info.dwPlatformId;
    out.productType = info.wProductType;
    out.suiteMask = info.wSuiteMask;
    return out;
  }
  unsigned ProcessorArchitecture() override {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.wProcessorArchitecture;
  }
  std::optional<bool> IsWow64Process() override {
    // Looked up at run time: systems before XP SP2 do not export it.
    using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const HMODULE kernel = ::GetModuleHandleA("kernel32");
    const auto fn = kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(
                                 ::GetProcAddress(kernel, "IsWow64Process")))
                           : nullptr;
    if (!fn) return std::nullopt;
    BOOL wow64 = FALSE;
    if (!fn(::GetCurrentProcess(), &wow64)) return std::nullopt;
    return wow64 != FALSE;
  }
  int MediaCenterMetric() override { return ::GetSystemMetrics(87); }
  std::uint16_t SystemDefaultLangId() override { return ::GetSystemDefaultLangID(); }
  unsigned AnsiCodePage() override { return ::GetACP(); }
};

class Win32Libraries final : public LibraryPort {
 public:
  void* Load(const std::string& path) override { return ::LoadLibraryA(path.c_str()); }
  void* Symbol(void* library, const char* name) override {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
  }
  void Release(void* library) override {
    if (library != nullptr) ::FreeLibrary(static_cast<HMODULE>(library));
  }
};

class Win32Registry final : public RegistryPort {
 public:
  Status ReadCurrentUserInteger(const std::string& subkey, const std::string& value,
                                int& out) override {
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
      return Status::NoKey;
    win::ScopedRegKey key(raw);
    DWORD type = 0, data = 0, size = sizeof data;
    if (::RegQueryValueExA(key.Get(), value.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
      return Status::NoValue;
    out = static_cast<int>(data);
    return Status::Ok;
  }
};

class Win32Shell final : public ShellPort {
 public:
  std::intptr_t Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int show) override {
    // The extended form without the shell's own error box: the menu reports
    // a failed start itself, with the same result code.
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = static_cast<HWND>(owner);
    info.lpVerb = verb.c_str();
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = show;
    win::ShellExecuteExLate(&info);
    return reinterpret_cast<std::intptr_t>(info.hInstApp);
  }
};

class Win32WindowSearch final : public WindowSearchPort {
 public:
  WindowHandle FindTopLevel(const std::string& className, const std::string& title) override {
    return ::FindWindowA(className.c_str(), title.c_str());
  }
  void RestoreAndActivate(WindowHandle window) override {
    const HWND hwnd = static_cast<HWND>(window);
    if (::IsIconic(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
    ::SetForegroundWindow(hwnd);
  }
};

}  // namespace

Ports Win32Ports() {
  static Win32Ini ini;
  static Win32MessageBoxes messages;
  static Win32Files files;
  static Win32Folders folders;
  static Win32Version version;
  static Win32Libraries libraries;
  static Win32Registry registry;
  static Win32Shell shell;
  static Win32WindowSearch windows;
  Ports ports;
  ports.ini = &ini;
  ports.messages = &messages;
  ports.files = &files;
  ports.folders = &folders;
  ports.version = &version;
  ports.libraries = &libraries;
  ports.registry = &registry;
  ports.shell = &shell;
  ports.windows = &windows;
  ports.classes = &Win32ClassesRegistry();
  ports.processes = &Win32Processes();
  ports.shellEx = &Win32ShellExtended();
  ports.fileWrites = &Win32FileWrites();
  ports.batchText = &Win32BatchText();
  return ports;
}

}  // namespace pikko
