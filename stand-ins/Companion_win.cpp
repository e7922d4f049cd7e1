// The companion program of the demo disc, the disc's autorun entry. It
// tells the menu to wait, starts it, writes the menu configuration for this
// Windows from the disc's master list (stand-ins/Companion.cpp chooses the
// items) and then tells the menu that the file is ready:
//
//   HKCU\Software\ZEKA\Autorun  Result = 0 (wait), 2 (ready), 1 (nothing suits)
//
//   Companion.exe               the disc's start
//   Companion.exe --no-menu     only writes the file and the answer (for tests)
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/MenuConfig.h"
#include "env/PlatformTags.h"
#include "stand-ins/formats/Smbios.h"
#include "env/Text.h"
#include "platform/ScopedWin.h"
#include "platform/Win32Ports.h"
#include "stand-ins/Companion.h"

namespace {

using namespace pikko;

constexpr char kCaption[] = "Support disc";

bool SetResult(DWORD value) {
  HKEY raw = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\ZEKA\\Autorun", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &raw, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG set = ::RegSetValueExA(raw, "Result", 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&value), sizeof value);
  ::RegCloseKey(raw);
  return set == ERROR_SUCCESS;
}

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::string folder(path, n);
  return folder.substr(0, folder.rfind('\\') + 1);
}

bool StartMenu(const std::string& folder) {
  std::string command = "\"" + folder + "Pikko.exe\" -WAITING";
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &si, &pi))
    return false;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

std::optional<SmbiosTable> ReadSmbios() {
  constexpr DWORD kRsmb = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';
  const UINT size = ::GetSystemFirmwareTable(kRsmb, 0, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::vector<std::uint8_t> data(size);
  const UINT got = ::GetSystemFirmwareTable(kRsmb, 0, data.data(), size);
  if (got == 0 || got > size) return std::nullopt;
  data.resize(got);
  return ParseRawSmbios(data);
}

bool WriteWhole(const std::string& path, const std::string& text) {
  const win::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

void Fail(const std::string& text) {
  ::MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONERROR);
  SetResult(1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  CurrentPorts() = Win32Ports();
  const bool startMenu = std::string(commandLine).find("--no-menu") == std::string::npos;
  const std::string folder = OwnFolder();
  if (!SetResult(0)) {
    ::MessageBoxA(nullptr, "Can't write HKCU\\Software\\ZEKA\\Autorun.", kCaption, MB_ICONERROR);
    return 1;
  }
  if (startMenu && !StartMenu(folder)) {
    Fail("Can't start " + folder + "Pikko.exe.");
    return 1;
  }
  const std::string master = folder + companion::kMasterList;
  if (::GetFileAttributesA(master.c_str()) == INVALID_FILE_ATTRIBUTES) {
    Fail(master + " not found.");
    return 1;
  }
  companion::SystemFacts facts;
  if (!DetectPlatform(facts.platformTag, facts.languageCode)) {
    SetResult(1);
    return 1;
  }
  if (const auto table = ReadSmbios()) companion::FactsFromSmbios(*table, facts);
  const companion::MenuFile menu = companion::BuildMenuFile(master, facts);
  if (menu.sourceNumbers.empty()) {
    SetResult(1);  // nothing on this disc suits this Windows: the menu ends
    return 0;
  }
  const std::string path = MenuConfigPath(false, folder);
  if (!WriteWhole(path, menu.text)) {
    Fail("Can't write " + path + ".");
    return 1;
  }
  SetResult(2);
  return 0;
}
