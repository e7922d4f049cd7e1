#include "env/PlatformTags.h"

#include "env/Miscfunctions.h"
#include "env/Text.h"
#include "platform/Ports.h"

namespace pikko {

std::optional<std::string> BuildPlatformTag(const VersionRecord& v) {
  const std::string version = std::to_string(v.major) + "." + std::to_string(v.minor);
  if (v.platformId == 1) return "WIN_" + version;
  if (v.platformId != 2) return std::nullopt;

  std::string tag = "WNT_" + version;
  constexpr unsigned kServer = 3;
  constexpr unsigned kSuitePersonal = 0x0200;
  if (v.productType != kServer) {
    tag += (v.suiteMask & kSuitePersonal) ? "H" : "P";
  } else if (v.wow64) {
    tag += (v.architecture == 0 || v.architecture == 6) ? "I" : "A";
  }
  if (v.major == 6) tag += v.wow64 ? "_64" : "_32";
  if (v.mediaCenter != 0) tag += "_MCE";
  return tag;
}

bool ReadSpecifiedOs(std::string& platform, std::string& language) {
  std::string path = WindowsFolder() + "\\Zkcd_tmp.ini";
  if (!Files().FileExists(path)) path = WindowsFolder() + "\\Zkcd_log.ini";
  std::string value;
  if (Files().FileExists(path)) value = Ini().ReadString(path, "PLATFORM", "Specified OS", "");
  if (value.empty()) {
    Messages().Show(nullptr, "Can't find specified OS version and language.", ApplicationTitle(),
                    mb::IconWarning);
    return false;
  }
  const std::size_t comma = value.find(',');
  if (comma == std::string::npos) {
    platform.clear();
    language = Trim(value);
  } else {
    platform = Trim(std::string_view(value).substr(0, comma));
    language = Trim(std::string_view(value).substr(comma + 1));
  }
  return true;
}

bool DetectPlatform(std::string& platformTag, std::string& languageCode) {
  const std::optional<OsVersionInfo> info = Version().QueryVersion();
  if (!info) return false;
  VersionRecord record;
  record.major = info->major;
  record.minor = info->minor;
  record.platformId = info->platformId;
  record.productType = info->productType;
  record.suiteMask = info->suiteMask;
  record.wow64 = IsWow64();
  record.architecture = Version().ProcessorArchitecture();
  record.mediaCenter = record.platformId == 2 ? Version().MediaCenterMetric() : 0;
  const std::optional<std::string> tag = BuildPlatformTag(record);
  if (!tag) {
    Messages().Show(nullptr, "Unknown system platform...", ApplicationTitle(), mb::Ok);
    return false;
  }
  platformTag = *tag;
  languageCode = HexDigits(Version().SystemDefaultLangId(), 4);
  return true;
}

bool IsWow64() { return Version().IsWow64Process().value_or(false); }

std::string LookUpLanguageTag(const std::string& ini, const std::string& code,
                              const std::string& def) {
  static const char kSection[] = "OS_Language_Tag";
  const std::string shortCode = code.size() > 1 ? code.substr(code.size() - 2) : std::string();
  if (shortCode.empty()) return Ini().ReadString(ini, kSection, code, def);
  std::string tag = Ini().ReadString(ini, kSection, code, "");
  if (tag.empty()) tag = Ini().ReadString(ini, kSection, shortCode, def);
  return tag;
}

void StripComment(std::string& text) {
  const std::size_t semicolon = text.find(';');
  if (semicolon == std::string::npos) return;
  text.erase(semicolon);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

bool IsWindows8OrLater() {
  const std::optional<OsVersionInfo> info = Version().QueryVersion();
  return info && (info->major > 6 || (info->major == 6 && info->minor > 1));
}

}  // namespace pikko
