// Discs for the checker and the reliability tests: the complete demo disc
// laid out in a folder (the generator's files, the stand-in programs and
// libraries as small PE files, the language files), and a table of named
// damages, each applied to a fresh copy, with the findings it must cause.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo/DemoDisc.h"
#include "tests/PeStubs.h"

namespace pikko::testing {

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
inline void WriteAll(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// A language file of the repository as the build writes it: comment lines
// go, \xNN becomes the byte, lines end in CR LF.
inline std::string EncodedLanguageFile(const std::string& source) {
  std::string out, line;
  std::string text = ReadAll(source);
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    line = text.substr(from, end - from);
    from = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == ';') continue;
    std::string decoded;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line.compare(i, 2, "\\x") == 0 && i + 3 < line.size() + 0) {
        decoded += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
        i += 3;
      } else {
        decoded += line[i];
      }
    }
    out += decoded + "\r\n";
  }
  return out;
}

// The demo disc below root (the program folder is root/AUTORUN), as the
// Windows build lays it out, with 64-bit stand-ins.
inline bool LayOutFullDemoDisc(const fs::path& root) {
  const fs::path autorun = root / "AUTORUN";
  if (!demo::WriteDemoDisc(autorun.string())) return false;
  if (!demo::PlaceSetupStubs(autorun.string(), MinimalPe(true, false))) return false;
  WriteAll(autorun / "Pikko.exe", MinimalPe(true, false));
  WriteAll(autorun / "Companion.exe", MinimalPe(true, false));
  WriteAll(autorun / "pngio.dll", MinimalPe(true, true, {"ReadPngEx", "WritePngEx"}));
  WriteAll(autorun / "ZkMultiLang.dll",
           MinimalPe(true, true, {"ZkGetLangPathName", "ZkTranslateStr"}));
  WriteAll(autorun / "zkwmiacpi.dll", MinimalPe(true, true, {"ExecACPIMethod", "ZkWMI_Open"}));
  WriteAll(autorun / "ARunDmi.dll", MinimalPe(true, true, {"DMI_GetSysInfoEx"}));
  for (const char* probe : {"MonitorProbe.dll", "BackupProbe.dll"})
    WriteAll(autorun / "HomeTab" / "Probes" / probe, MinimalPe(true, true, {"ZEKAIoControl"}));
  for (const char* language : {"English", "French", "German", "Japanese"})
    WriteAll(autorun / "Lang" / language / "Strings.ini",
             EncodedLanguageFile(std::string(PIKKO_SOURCE_DIR) + "/stand-ins/lang/" + language +
                                 ".ini"));
  return static_cast<bool>(demo::WriteFileList(root.string()));
}

// A copy of the full demo disc below root, from one laid out once per
// process (laying the disc out takes a while; copying it does not).
inline bool CopyOfFullDemoDisc(const fs::path& root) {
  static const fs::path source = [] {
    const fs::path p = fs::temp_directory_path() /
                       ("pikko-demo-template-" + std::to_string(std::random_device()()));
    fs::remove_all(p);
    return LayOutFullDemoDisc(p) ? p : fs::path();
  }();
  static const struct Cleanup {
    ~Cleanup() {
      std::error_code ec;
      fs::remove_all(source, ec);
    }
  } cleanup;
  (void)cleanup;
  if (source.empty()) return false;
  // File by file: the Windows runtime's recursive copy refuses a target
  // folder that exists.
  std::error_code ec;
  fs::create_directories(root, ec);
  for (fs::recursive_directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path target = root / it->path().lexically_relative(source);
    if (it->is_directory(ec)) {
      fs::create_directories(target, ec);
    } else {
      fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, ec);
    }
  }
  return !ec;
}

// Text edits of a disc file.
inline void Replace(const fs::path& file, const std::string& from, const std::string& to) {
  std::string text = ReadAll(file);
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("no \"" + from + "\" in " + file.string());
  text.replace(at, from.size(), to);
  WriteAll(file, text);
}
inline void Append(const fs::path& file, const std::string& text) {
  WriteAll(file, ReadAll(file) + text);
}

struct ExpectedFinding {
  std::string fileEnd;   // the finding's file ends with this (forward slashes)
  int line;              // 0: the file as a whole; -1: any line
  std::string severity;  // "error", "warning", "note"
  std::string text;      // a part of the finding's text
};

struct DiscDamage {
  const char* name;
  std::function<void(const fs::path& root)> apply;
  std::vector<ExpectedFinding> expected;
};

// The damages. Each is applied to a fresh full demo disc.
inline std::vector<DiscDamage> BadDiscs() {
  auto menu = [](const fs::path& r) { return r / "AUTORUN" / "zkcd_dbg.ini"; };
  const std::string longTitle(
      "Audio Driver with Microphone Noise Suppression, Room Tuning, Speaker Protection, "
      "Headphone Virtual Surround and Voice Clarity for Every Conference Call");
  const std::string tallText = [] {
    std::string t;
    for (int i = 0; i < 30; ++i) t += "Line " + std::to_string(i) + " of a long description.@@";
    return t;
  }();
  return {
      {"misspelt item key", [=](const fs::path& r) { Replace(menu(r), "(3)Title=", "(3)Titel="); },
       {{"zkcd_dbg.ini", -1, "warning", "it knows no item key \"Titel\""}}},
      {"duplicate key",
       [=](const fs::path& r) { Replace(menu(r), "(2)Run=", "(2)Title=Chipset Again\r\n(2)Run="); },
       {{"zkcd_dbg.ini", -1, "warning", "(2)Title again: the first one"}}},
      {"duplicate section",
       [=](const fs::path& r) { Append(menu(r), "\r\n[COLORS]\r\nTitleMouseUp=1,2,3\r\n"); },
       {{"zkcd_dbg.ini", -1, "warning", "section [COLORS] again"}}},
      {"unknown section",
       [=](const fs::path& r) { Append(menu(r), "\r\n[COLOURS]\r\nTitleMouseUp=1,2,3\r\n"); },
       {{"zkcd_dbg.ini", -1, "warning", "never reads section [COLOURS]"}}},
      {"bad colour",
       [=](const fs::path& r) { Replace(menu(r), "TitleMouseMove=255,255,255", "TitleMouseMove=255,255"); },
       {{"zkcd_dbg.ini", 27, "warning", "Incorrect RGB value in [COLORS]: 255,255"}}},
      {"item on a tab that does not exist",
       [=](const fs::path& r) { Replace(menu(r), "(4)Tab=0", "(4)Tab=9"); },
       {{"zkcd_dbg.ini", -1, "warning", "Incorrect value of (4)Tab"}}},
      {"no number of tabs", [=](const fs::path& r) { Replace(menu(r), "NUM=6\r\n", ""); },
       {{"zkcd_dbg.ini", 8, "error", "Wrong NUM in TABS_INFO!"}}},
      {"missing setup program",
       [](const fs::path& r) { fs::remove(r / "Drivers" / "LAN" / "Setup.exe"); },
       {{"zkcd_dbg.ini", -1, "error", "Cannot execute D:\\Drivers\\LAN\\Setup.exe"}}},
      {"missing batch installer",
       [](const fs::path& r) { fs::remove(r / "AUTORUN" / "ZEKAFullkit" / "Fullkit.exe"); },
       {{"zkcd_dbg.ini", -1, "error", "ZEKA Fullkit needed"},
        {"zkcd_dbg.ini", -1, "error", "batch-install button of tab 0"}}},
      {"missing gaming background",
       [](const fs::path& r) { fs::remove(r / "AUTORUN" / "GAMING" / "pikko256.bmp"); },
       {{"AUTORUN/GAMING/pikko256.bmp", 0, "error", "of the gaming look"}}},
      {"damaged 16-colour background",
       [](const fs::path& r) { WriteAll(r / "AUTORUN" / "pikko16.bmp", "BM not a bitmap"); },
       {{"AUTORUN/pikko16.bmp", 0, "error", "not a readable bitmap"}}},
      {"missing button picture",
       [](const fs::path& r) { fs::remove(r / "AUTORUN" / "BtnImages" / "MB" / "256" / "cd_o.png"); },
       {{"BtnImages/MB/256/cd_o.png", 0, "warning", "a picture of a side button"}}},
      {"missing manual picture",
       [](const fs::path& r) { fs::remove(r / "AUTORUN" / "BtnImages" / "manual_d.png"); },
       {{"BtnImages/manual_d.png", 0, "error", "manual buttons"}}},
      {"damaged manual picture",
       [](const fs::path& r) { WriteAll(r / "AUTORUN" / "BtnImages" / "manual_o.png", "not a picture"); },
       {{"BtnImages/manual_o.png", 0, "warning", "manual buttons stay blank"}}},
      {"missing French manual",
       [](const fs::path& r) { fs::remove(r / "Manual" / "UserGuide" / "UserGuide_FR.pdf"); },
       {{"BIN/ManualSetting.ini", 11, "warning", "no manual file for French"}}},
      {"missing reader installer",
       [](const fs::path& r) { fs::remove(r / "Software" / "PdfReader" / "ZekaSetup.exe"); },
       {{"BIN/ManualSetting.ini", -1, "warning", "Software\\PdfReader\\ZekaSetup.exe, is not on the disc"}}},
      {"missing promotion page",
       [](const fs::path& r) { fs::remove(r / "AUTORUN" / "HomeTab" / "Pages" / "about.htm"); },
       {{"HomeTab/HomeTab.ini", -1, "warning", "promotion page AUTORUN\\HomeTab\\Pages\\about.htm"}}},
      {"missing product installer",
       [](const fs::path& r) {
         fs::remove(r / "AUTORUN" / "HomeTab" / "SystemMonitorPro" / "ZekaSetup.exe");
       },
       {{"HomeTab/HomeTab.ini", -1, "error", "SystemMonitorPro\\ZekaSetup.exe"}}},
      {"missing advertisement page",
       [](const fs::path& r) { fs::remove(r / "AUTORUN" / "VendorAD" / "chipset.htm"); },
       {{"VendorAD/VendorAD.ini", 7, "warning", "advertisement page AUTORUN\\VendorAD\\chipset.htm"}}},
      {"advertisement target without a page",
       [](const fs::path& r) {
         Replace(r / "AUTORUN" / "VendorAD" / "VendorAD.ini", "English=chipset.htm", "Englsh=chipset.htm");
       },
       {{"VendorAD/VendorAD.ini", -1, "warning", "Target not found."},
        {"VendorAD/VendorAD.ini", -1, "warning", "never reads Englsh"}}},
      {"item on no tab",
       [=](const fs::path& r) { Replace(menu(r), "(20)Tab=1\r\n", ""); },
       {{"zkcd_dbg.ini", -1, "warning", "item 20 is listed on no tab"}}},
      {"tab without items",
       [=](const fs::path& r) {
         for (int n = 23; n <= 26; ++n)
           Replace(menu(r), "(" + std::to_string(n) + ")Tab=2", "(" + std::to_string(n) + ")Tab=1");
       },
       {{"zkcd_dbg.ini", -1, "warning", "tab 2 \"Software\" lists no item"}}},
      {"title too long even unfolded",
       [=](const fs::path& r) { Replace(menu(r), "(4)Title=Gigabit LAN Driver", "(4)Title=" + longTitle); },
       {{"zkcd_dbg.ini", -1, "warning", "even unfolded on two lines it does not fit"}}},
      {"description taller than the panel",
       [=](const fs::path& r) {
         Replace(menu(r), "(8)Description=Driver of the M.2 NVMe slots.", "(8)Description=" + tallText);
       },
       {{"zkcd_dbg.ini", -1, "warning", "pixels tall in the description panel"}}},
      {"missing translation",
       [](const fs::path& r) {
         Replace(r / "AUTORUN" / "Lang" / "German" / "Strings.ini", "Install Now=", "Install Nwo=");
       },
       {{"Lang/German/Strings.ini", -1, "warning", "no German translation of \"Install Now\""},
        {"Lang/German/Strings.ini", -1, "warning", "never reads Install Nwo"}}},
      {"translation without its placeholder",
       [](const fs::path& r) {
         Replace(r / "AUTORUN" / "Lang" / "French" / "Strings.ini", "Veuillez d'abord fermer %2",
                 "Veuillez d'abord le fermer");
       },
       {{"Lang/French/Strings.ini", -1, "warning", "drops \"%2\""}}},
      {"names a Joliet disc cannot hold",
       [](const fs::path& r) {
         WriteAll(r / "Drivers" / "notes?.txt", "x");
         WriteAll(r / "Drivers" / (std::string(70, 'n') + ".txt"), "x");
       },
       {{"Drivers/notes?.txt", 0, "error", "which a Joliet disc cannot hold"},
        {".txt", 0, "error", "74 characters; a Joliet disc holds at most 64"}}},
      {"library of the wrong bitness",
       [](const fs::path& r) {
         WriteAll(r / "AUTORUN" / "zkwmiacpi.dll", MinimalPe(false, true, {"ExecACPIMethod", "ZkWMI_Open"}));
       },
       {{"AUTORUN/zkwmiacpi.dll", 0, "error", "a 32-bit library beside a 64-bit Pikko.exe"}}},
      {"report library without its export",
       [](const fs::path& r) { WriteAll(r / "AUTORUN" / "ARunDmi.dll", MinimalPe(true, true, {"Other"})); },
       {{"zkcd_dbg.ini", 20, "warning", "Can't get DMI_GetSysInfo from ARunDmi.dll"}}},
      {"home tab beyond the tabs",
       [](const fs::path& r) { Replace(r / "AUTORUN" / "HomeTab" / "HomeTab.ini", "Tab=6", "Tab=9"); },
       {{"HomeTab/HomeTab.ini", 2, "warning", "the home tab 9 is beyond the menu's 6 tabs"}}},
      {"item beyond ItemNumber",
       [=](const fs::path& r) { Append(menu(r), "(99)Title=Forgotten\r\n"); },
       {{"zkcd_dbg.ini", -1, "warning", "item 99 is beyond ItemNumber"}}},
      {"master list platform no system reports",
       [](const fs::path& r) {
         Replace(r / "AUTORUN" / "BIN" / "MasterList.ini", "(30)Platforms=WNT_5.*", "(30)Platforms=WNT_11.*");
       },
       {{"BIN/MasterList.ini", -1, "warning", "\"WNT_11.*\" matches no platform tag"},
        {"BIN/MasterList.ini", -1, "warning", "item 30 suits no system"}}},
      {"missing Pikko.exe", [](const fs::path& r) { fs::remove(r / "AUTORUN" / "Pikko.exe"); },
       {{"AUTORUN/Pikko.exe", 0, "error", "is not in the disc folder"}}},
  };
}

}  // namespace pikko::testing
