#include "demo/DemoMasterList.h"

#include <sstream>

#include "demo/DemoDisc.h"

namespace pikko::demo {
namespace {

struct OtherItem {
  int tab;
  const char* title;
  const char* description;
  const char* path;
  const char* platforms;
  const char* languages;
};

constexpr OtherItem kOthers[] = {
    {0, "Audio Driver for Windows XP", "The audio driver for boards that still run Windows XP.",
     "..\\Drivers\\Audio", "WNT_5.*", ""},
    {1, "Japanese Input Helper", "Input method settings for Japanese keyboards.",
     "..\\Utility\\Lighting", "", "Japanese"},
    {0, "Chipset Driver for Windows 7 x64", "The chipset driver of 64-bit Windows 7.",
     "..\\Drivers\\Chipset", "WNT_6.1*_64", ""},
};

// Items of the demo menu that suit only some systems.
const char* PlatformsOf(const DemoItem& item) {
  if (item.title == "Legacy Floppy Driver") return "WNT_5.*,WNT_6.0*";
  if (item.title == "Trusted Platform Module Driver") return "!WNT_5.*";
  return "";
}

}  // namespace

const std::vector<std::string>& OtherSystemsTitles() {
  static const std::vector<std::string> titles = [] {
    std::vector<std::string> out;
    for (const OtherItem& o : kOthers) out.push_back(o.title);
    return out;
  }();
  return titles;
}

std::string DemoMasterListIni() {
  const char* eol = "\r\n";
  std::istringstream menu(DemoMenuIni());
  std::ostringstream out;
  out << "; Every item of this disc with the systems it suits; the companion program"
      << eol << "; writes the menu of the running system from it." << eol;
  std::string line;
  bool skipping = false;
  const int count = static_cast<int>(DemoItems().size());
  while (std::getline(menu, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      // The companion writes these two for the running system.
      skipping = line == "[PLATFORM]" || line == "[DMI_Info]";
    }
    if (skipping) continue;
    if (line.rfind("ItemNumber=", 0) == 0) {
      out << "ItemNumber=" << count + static_cast<int>(std::size(kOthers)) << eol;
      continue;
    }
    out << line << eol;
    // Each item's filters follow its last key.
    for (const DemoItem& item : DemoItems()) {
      const std::string key = "(" + std::to_string(item.number) + ")Dependency=";
      if (line.rfind(key, 0) == 0 && *PlatformsOf(item))
        out << "(" << item.number << ")Platforms=" << PlatformsOf(item) << eol;
    }
  }
  int n = count;
  for (const OtherItem& o : kOthers) {
    const std::string key = "(" + std::to_string(++n) + ")";
    out << key << "Tab=" << o.tab << eol << key << "Title=" << o.title << eol << key
        << "Description=" << o.description << eol << key << "Path=" << o.path << eol << key
        << "Run=Setup.exe" << eol << key << "Dependency=0xff" << eol;
    if (*o.platforms) out << key << "Platforms=" << o.platforms << eol;
    if (*o.languages) out << key << "Languages=" << o.languages << eol;
  }
  out << eol << "[OS_Language_Tag]" << eol << "0409=English" << eol << "09=English" << eol
      << "040C=French" << eol << "0C=French" << eol << "0407=German" << eol << "07=German" << eol
      << "0411=Japanese" << eol << "11=Japanese" << eol;
  return out.str();
}

std::string AutorunInf() {
  return "[autorun]\r\nopen=AUTORUN\\Companion.exe\r\nicon=AUTORUN\\Pikko.exe,0\r\n"
         "label=Support Disc\r\n";
}

}  // namespace pikko::demo
