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

// The names the menu looks up by name in the disc's libraries: "pngio.dll"
// (lower-case file name) -> its functions. One "library function" a line.
using RequiredExports = std::map<std::string, std::vector<std::string>>;
RequiredExports ParseRequiredExports(const std::string& text);
// Every required name of the library (known by its file name) is exported
// exactly so, undecorated (a standard-call "_Name@8" or "Name@8" is not
// found by the menu's lookup); a 32-bit library when the menu is 32-bit.
ShippingReport CheckExports(const PeFile& pe, const std::string& fileName, const RequiredExports& required,
                            bool want32Bit);

// The manifest's faults (empty when it is as the menu needs it).
std::vector<std::string> ManifestProblems(const std::string& manifest);

}  // namespace pikko::disccheck
