// The ACPI access library of the demo disc. It answers the one method the
// menu asks for, "device_status", from a settings file beside it, read afresh
// at every query as the real library asks the board each time:
//
//   zkwmiacpi.ini    [ACPI] DeviceStatus=2   the board's status (default 0;
//                                            2 asks for the gaming look)
//                           Available=0      the interface does not open
//                                            (default 1)
//
// Without the file the board reports status 0. A status that is not a
// number makes the query fail.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

#include "env/Text.h"
#include "env/Translation.h"
#include "stand-ins/StandInFiles.h"

namespace pikko::standin {
namespace {

constexpr char kSettingsFile[] = "zkwmiacpi.ini";
constexpr char kSection[] = "ACPI";

std::atomic<bool> g_open{false};

std::optional<IniDocument> Settings() {
  const std::string home = ThisLibraryFolder();
  if (home.empty()) return std::nullopt;
  return ReadIniFile(home + "\\" + kSettingsFile);
}

// The integer of a settings value, or nothing when it is not one.
std::optional<int> ReadInteger(const IniDocument& settings, const char* key, const char* def) {
  const std::string text = settings.ReadString(kSection, key, def);
  // The conversion answers its default for a text that is no number: with
  // two different defaults that case shows as two different answers.
  const int a = StrToIntDef(text, 0);
  const int b = StrToIntDef(text, 1);
  if (a != b) return std::nullopt;
  return a;
}

bool InterfaceAvailable() {
  const auto settings = Settings();
  if (!settings) return true;
  return ReadInteger(*settings, "Available", "1").value_or(0) != 0;
}

std::optional<std::uint32_t> DeviceStatus() {
  const auto settings = Settings();
  if (!settings) return 0;
  const auto status = ReadInteger(*settings, "DeviceStatus", "0");
  if (!status) return std::nullopt;
  return static_cast<std::uint32_t>(*status);
}

bool IsDeviceStatusMethod(const wchar_t* method) {
  const wchar_t* expected = kDeviceStatusMethod;
  for (; *method != 0 && *expected != 0; ++method, ++expected) {
    wchar_t c = *method;
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != *expected) return false;
  }
  return *method == 0 && *expected == 0;
}

}  // namespace
}  // namespace pikko::standin

extern "C" __declspec(dllexport) std::uint8_t PIKKO_STDCALL ZkWMI_Open() noexcept {
  try {
    const bool open = pikko::standin::InterfaceAvailable();
    pikko::standin::g_open = open;
    return open ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

extern "C" __declspec(dllexport) std::uint8_t PIKKO_STDCALL
    ExecACPIMethod(const wchar_t* method, std::uint32_t input1, std::uint32_t /*input2*/,
                   std::uint32_t* output, std::uint32_t /*reserved*/) noexcept {
  try {
    using namespace pikko::standin;
    // The interface must be open, and only the device-status method with its
    // input value is known.
    if (!g_open || method == nullptr || output == nullptr) return 0;
    if (!IsDeviceStatusMethod(method) || input1 != pikko::kDeviceStatusInput) return 0;
    const auto status = DeviceStatus();
    if (!status) return 0;
    *output = *status;
    return 1;
  } catch (...) {
    return 0;
  }
}

// The exports keep the binary interface the menu calls.
static_assert(std::is_convertible_v<decltype(&ZkWMI_Open), pikko::ZkWmiOpenProc>);
static_assert(std::is_convertible_v<decltype(&ExecACPIMethod), pikko::ExecAcpiMethodProc>);
