// What a shipped Pikko.exe must be: it imports only functions of system
// libraries that Windows 7 has, and it carries its manifest (asInvoker,
// common controls 6, GDI scaling without DPI awareness, no supported-OS
// entries), a version resource and an icon.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "disccheck/PeFile.h"

namespace pikko::disccheck {

// "KERNEL32.dll!GetTickCount64" (upper-case library) -> the Windows it
// needs ("XP", "Vista", "7").
using AllowedImports = std::map<std::string, std::string>;
AllowedImports ParseAllowedImports(const std::string& text);

struct ShippingReport {
  std::vector<std::string> problems;
  std::vector<std::string> facts;  // what was found, for the log
};

ShippingReport CheckImports(const PeFile& pe, const AllowedImports& allowed);
ShippingReport CheckShippedResources(const PeFile& pe);

// The manifest's faults (empty when it is as the menu needs it).
std::vector<std::string> ManifestProblems(const std::string& manifest);

}  // namespace pikko::disccheck
