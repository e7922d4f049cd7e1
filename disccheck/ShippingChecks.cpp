#include "disccheck/ShippingChecks.h"

#include <algorithm>
#include <sstream>

#include "env/Text.h"

namespace pikko::disccheck {
namespace {

const char* const kVersionOrder[] = {"XP", "Vista", "7"};

int VersionRank(const std::string& v) {
  for (int i = 0; i < 3; ++i)
    if (SameText(v, kVersionOrder[i])) return i;
  return -1;
}

bool Contains(const std::string& text, const std::string& part) {
  return LowerCase(text).find(LowerCase(part)) != std::string::npos;
}

// The two first words of every line of a list file that holds any; "#"
// starts a comment.
template <class Take>
void ForEachListLine(const std::string& text, Take take) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    std::istringstream fields(line);
    std::string first, second;
    fields >> first >> second;
    take(first, second);
  }
}

}  // namespace

AllowedImports ParseAllowedImports(const std::string& text) {
  AllowedImports allowed;
  ForEachListLine(text, [&](const std::string& name, const std::string& version) {
    const std::size_t bang = name.find('!');
    if (bang == std::string::npos || VersionRank(version) < 0) return;
    allowed[UpperCase(name.substr(0, bang)) + name.substr(bang)] = version;
  });
  return allowed;
}

ShippingReport CheckImports(const PeFile& pe, const AllowedImports& allowed) {
  ShippingReport report;
  int oldest = 0;
  for (const PeImport& import : pe.Imports()) {
    for (const std::string& function : import.functions) {
      const std::string key = UpperCase(import.library) + "!" + function;
      const auto it = allowed.find(key);
      if (it == allowed.end()) {
        report.problems.push_back("imports " + import.library + "!" + function +
                                  ", which is not in the list of functions checked to exist on "
                                  "Windows 7");
        continue;
      }
      oldest = std::max(oldest, VersionRank(it->second));
    }
  }
  if (pe.SubsystemMajor() > 6 || (pe.SubsystemMajor() == 6 && pe.SubsystemMinor() > 1))
    report.problems.push_back("asks for subsystem version " + std::to_string(pe.SubsystemMajor()) +
                              "." + std::to_string(pe.SubsystemMinor()) +
                              ": Windows 7 (6.1) would refuse to start it");
  report.facts.push_back(std::string("imports allow Windows ") + kVersionOrder[oldest] +
                         " and later; subsystem version " + std::to_string(pe.SubsystemMajor()) +
                         "." + std::to_string(pe.SubsystemMinor()));
  return report;
}

std::vector<std::string> ManifestProblems(const std::string& manifest) {
  // Comments say what the manifest leaves out and why; only its elements count.
  std::string m;
  for (std::size_t at = 0; at < manifest.size();) {
    const std::size_t open = manifest.find("<!--", at);
    m += manifest.substr(at, open == std::string::npos ? std::string::npos : open - at);
    if (open == std::string::npos) break;
    const std::size_t close = manifest.find("-->", open + 4);
    at = close == std::string::npos ? manifest.size() : close + 3;
  }
  std::vector<std::string> problems;
  auto need = [&](const char* part, const char* why) {
    if (!Contains(m, part)) problems.push_back(std::string("the manifest lacks ") + part + ": " + why);
  };
  need("level=\"asInvoker\"", "a disc menu must never ask for elevation");
  need("name=\"Microsoft.Windows.Common-Controls\"", "message boxes in the system's look");
  need("version=\"6.0.0.0\"", "common controls 6");
  need(">true</gdiScaling>", "sharp text on high-DPI screens at the fixed layout");
  need(">false</dpiAware>", "the system keeps the 660 x 512 layout and scales it");
  if (Contains(m, "supportedOS"))
    problems.push_back(
        "the manifest has supportedOS entries: they make Windows 8.1 and later report their real "
        "version, and the platform tags of the disc's files would no longer match");
  if (Contains(m, "activeCodePage"))
    problems.push_back("the manifest sets activeCodePage: the disc's texts are in the system code page");
  return problems;
}

ShippingReport CheckShippedResources(const PeFile& pe) {
  ShippingReport report;
  const auto manifest = pe.Resource(PeFile::kManifest, 1);
  if (!manifest) {
    report.problems.push_back("no embedded application manifest (resource 24, id 1)");
  } else {
    report.problems = ManifestProblems(*manifest);
    // Two manifests (ours and the toolchain's default) leave the choice to the system.
    if (pe.ResourceCount(PeFile::kManifest, 1) > 1)
      report.problems.push_back("more than one manifest resource: the toolchain's default one is there too");
    report.facts.push_back("manifest of " + std::to_string(manifest->size()) + " bytes embedded");
  }
  const auto version = pe.Resource(PeFile::kVersion, 1);
  // The version block is UTF-16: look for its key names as such.
  auto utf16 = [](const std::string& s) {
    std::string out;
    for (char c : s) out += std::string(1, c) + '\0';
    return out;
  };
  if (!version || version->find(utf16("VS_VERSION_INFO")) == std::string::npos ||
      version->find(utf16("FileVersion")) == std::string::npos ||
      version->find(utf16("ProductName")) == std::string::npos)
    report.problems.push_back("no version resource with FileVersion and ProductName");
  if (!pe.HasResourceType(PeFile::kIconGroup)) report.problems.push_back("no icon");
  return report;
}

RequiredExports ParseRequiredExports(const std::string& text) {
  RequiredExports required;
  ForEachListLine(text, [&](const std::string& library, const std::string& function) {
    if (!function.empty()) required[LowerCase(library)].push_back(function);
  });
  return required;
}

ShippingReport CheckExports(const PeFile& pe, const std::string& fileName, const RequiredExports& required,
                            bool want32Bit) {
  ShippingReport report;
  const auto it = required.find(LowerCase(fileName));
  if (it == required.end()) {
    report.problems.push_back("no exports are listed for " + fileName);
    return report;
  }
  if (want32Bit && pe.Machine() != PeFile::kI386) report.problems.push_back("not a 32-bit library");
  for (const std::string& name : it->second) {
    if (pe.Exports(name)) {
      report.facts.push_back("exports " + name);
      continue;
    }
    std::string decorated;
    for (const std::string& exported : pe.ExportNames()) {
      const std::size_t at = exported.rfind('@');
      const std::size_t start = !exported.empty() && exported[0] == '_' ? 1 : 0;
      if (at != std::string::npos && at > start && exported.compare(start, at - start, name) == 0 &&
          at - start == name.size())
        decorated = exported;
    }
    report.problems.push_back(decorated.empty() ? "does not export " + name
                                                : "exports " + name + " only decorated, as " + decorated);
  }
  return report;
}

}  // namespace pikko::disccheck
