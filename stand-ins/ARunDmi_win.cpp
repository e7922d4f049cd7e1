// The report library of the demo disc. The menu copies its page templates
// into the Windows folder and calls DMI_GetSysInfoEx with that folder; the
// library reads the firmware's SMBIOS table and fills every page of the
// folder ("*.htm") in place (the placeholders are described in
// stand-ins/formats/SmbiosReport.h). A folder without a start page "ZkDmi.htm" gets a
// plain one, so that the menu always has a page to open.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "actions/SideButtons.h"
#include "stand-ins/formats/Smbios.h"
#include "stand-ins/formats/SmbiosReport.h"
#include "platform/ScopedWin.h"

namespace pikko::standin {
namespace {

constexpr DWORD kMaxPageBytes = 4 * 1024 * 1024;

constexpr char kPlainStartPage[] =
    "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" "
    "content=\"text/html; charset=windows-1252\">\r\n<title>System report</title>\r\n</head>\r\n"
    "<body>\r\n<h1>System report</h1>\r\n<p><!--DMI:SMBIOS--></p>\r\n<h2>BIOS</h2>\r\n"
    "<!--DMI:BIOS-->\r\n<h2>System</h2>\r\n<!--DMI:SYSTEM-->\r\n<h2>Board</h2>\r\n"
    "<!--DMI:BOARD-->\r\n<h2>Processor</h2>\r\n<!--DMI:PROCESSOR-->\r\n<h2>Memory</h2>\r\n"
    "<!--DMI:MEMORY-->\r\n</body>\r\n</html>\r\n";

// The raw table as the firmware-table call gives it; nothing when the
// system has none.
std::optional<std::vector<std::uint8_t>> ReadFirmwareTable() {
  constexpr DWORD kRsmb = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';
  const UINT size = ::GetSystemFirmwareTable(kRsmb, 0, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::vector<std::uint8_t> data(size);
  const UINT got = ::GetSystemFirmwareTable(kRsmb, 0, data.data(), size);
  if (got == 0 || got > size) return std::nullopt;
  data.resize(got);
  return data;
}

std::optional<std::string> ReadPage(const std::string& path) {
  const win::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxPageBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

bool WritePage(const std::string& path, const std::string& bytes) {
  const win::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
         written == bytes.size();
}

// The pages of the folder, by file name.
std::vector<std::string> PagesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const win::ScopedFind search(::FindFirstFileA((folder + "\\*.htm").c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(search.Get(), &found));
  return names;
}

int WriteReport(const std::string& folder, int kind) {
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;

  std::optional<SmbiosTable> table;
  if (const auto raw = ReadFirmwareTable()) table = ParseRawSmbios(*raw);

  const std::string start = folder + kReportStartPage;
  if (::GetFileAttributesA(start.c_str()) == INVALID_FILE_ATTRIBUTES &&
      !WritePage(start, kPlainStartPage))
    return 0;
  bool ok = true;
  for (const std::string& name : PagesIn(folder)) {
    const std::string path = folder + "\\" + name;
    const auto page = ReadPage(path);
    if (!page) {
      ok = false;
      continue;
    }
    const std::string filled = FillReportPage(*page, table, kind);
    if (filled != *page && !WritePage(path, filled)) ok = false;
  }
  return ok ? 1 : 0;
}

}  // namespace
}  // namespace pikko::standin

// Fills the report pages in folder; 1 when every page was written, else 0.
extern "C" __declspec(dllexport) int PIKKO_STDCALL
    DMI_GetSysInfoEx(const char* folder, int kind) noexcept {
  try {
    if (folder == nullptr || *folder == '\0') return 0;
    std::string path = folder;
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return pikko::standin::WriteReport(path, kind);
  } catch (...) {
    return 0;
  }
}

// The export keeps the binary interface the menu calls.
static_assert(std::is_convertible_v<decltype(&DMI_GetSysInfoEx), pikko::DmiGetSysInfoExProc>);
