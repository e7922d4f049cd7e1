// The Win32 adapters of the ports.
#include "platform/Win32Ports.h"

#include <windows.h>

#include <iterator>

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
};

}  // namespace

Ports Win32Ports() {
  static Win32Ini ini;
  static Win32MessageBoxes messages;
  static Win32Files files;
  static Win32Folders folders;
  static Win32Version version;
  Ports ports;
  ports.ini = &ini;
  ports.messages = &messages;
  ports.files = &files;
  ports.folders = &folders;
  ports.version = &version;
  return ports;
}

}  // namespace pikko
