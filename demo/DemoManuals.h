// The demo disc's manuals and the files of its side buttons: the manual
// settings file "BIN\ManualSetting.ini" with PDF and HTML manuals in two
// languages, the stand-in reader installer, the system report's page
// template "ZkDmiHtm\ZkDmi.htm" and the help file "PCHelper.chm".
#pragma once

#include <string>
#include <vector>

#include "demo/DemoDisc.h"

namespace pikko::demo {

// One manual file on the disc, relative to the disc's root.
struct DemoManualFile {
  std::string path;
  std::string bytes;
};

// The manual settings file, CRLF line ends.
std::string ManualSettingsIni();
// Every manual file the settings file names, and the documents the Manuals
// tab's rows open.
std::vector<DemoManualFile> ManualFiles();
// The reader installer's place, relative to the disc's root.
constexpr const char* kReaderInstaller = "Software\\PdfReader\\ZekaSetup.exe";

// A one-page PDF with a title and lines of text (system code page), every
// offset of its cross-reference table computed as it is written.
std::string SimplePdf(const std::string& title, const std::vector<std::string>& lines);

// The report's start page with the report library's placeholders.
std::string ReportTemplatePage();
// The help file: a compiled HTML help file whose files are stored
// uncompressed, with one page as its default topic.
std::string HelpFileBytes();

// BIN\ManualSetting.ini and the manuals, below the disc's root.
WriteOutcome WriteManuals(const std::string& discFolder);
// ZkDmiHtm\ZkDmi.htm and PCHelper.chm in the program folder.
WriteOutcome WriteSideButtonFiles(const std::string& autorunFolder);
// The stand-in program as the reader installer, below the disc's root.
WriteOutcome PlaceReaderInstaller(const std::string& discFolder, const std::string& stubBytes);

// The disc's root for a program folder: its parent.
std::string DiscRootOf(const std::string& autorunFolder);

}  // namespace pikko::demo
