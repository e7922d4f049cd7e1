// The platform tag (WNT_6.1P_64) and the language tag (English) that pick the
// disc's items, manuals and pages for the running system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pikko {

// Everything the platform tag is built from, as plain values.
struct VersionRecord {
  unsigned major = 0;
  unsigned minor = 0;
  unsigned platformId = 0;   // 1: Windows 9x, 2: NT family
  unsigned productType = 0;  // 3: server
  unsigned suiteMask = 0;    // 0x0200: personal (home) edition
  unsigned architecture = 0; // of the system-information call: 0 x86, 6 IA64
  bool wow64 = false;        // the process runs under 64-bit emulation
  int mediaCenter = 0;       // the Media Center system metric
};

// The tag for a version record; nothing for a platform neither NT nor 9x.
std::optional<std::string> BuildPlatformTag(const VersionRecord& v);

// Reads "Specified OS" from the Specified OS file in the Windows folder.
bool ReadSpecifiedOs(std::string& platform, std::string& language);

// Detects the platform tag and the four-digit language code of the system.
bool DetectPlatform(std::string& platformTag, std::string& languageCode);

bool IsWow64();
std::string LookUpLanguageTag(const std::string& ini, const std::string& code,
                              const std::string& def);
void StripComment(std::string& text);
bool IsWindows8OrLater();

}  // namespace pikko
