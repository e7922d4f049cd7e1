// What the five side buttons do: the system report, the disc's folder, the
// support text, the file list and the help file. The window's click
// handlers call these one to one; each first makes the program folder the
// process's current folder, which the relative names below rely on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "env/Translation.h"
#include "platform/Ports.h"

namespace pikko {

// The report library and its export: the full path of the report folder
// (system code page) and the kind, 1 for the "WB" board type, else 0.
inline constexpr char kReportLibrary[] = ".\\ARunDmi.dll";
inline constexpr char kReportExport[] = "DMI_GetSysInfoEx";
using DmiGetSysInfoExProc = int(PIKKO_STDCALL*)(const char* folder, int kind);

inline constexpr char kReportTemplateFolder[] = ".\\ZkDmiHtm";
inline constexpr char kReportFolderName[] = "ZkDmiHtm";
inline constexpr char kReportStartPage[] = "\\ZkDmi.htm";
inline constexpr char kHelpFile[] = "PCHelper.chm";

// The room the Windows folder is read into for the report.
constexpr unsigned kReportWindowsFolderRoom = 128;

namespace sidebuttons {

struct Context {
  std::string programFolder;  // with its trailing backslash
  WindowHandle owner = nullptr;
  std::string boardType = "MB";
};

// Copies the template into the Windows folder, lets the report library fill
// it and opens its start page. Always the empty text.
std::string ShowDmiReport(const Context& context);

void zkbMBClick(const Context& context);       // the system report
void zkbCDClick(const Context& context);       // the disc's folder in the file explorer
void zkbSupportClick(const Context& context);  // ..\TECHSUPP.TXT in Notepad
void zkbFileClick(const Context& context);     // ..\FILELIST.TXT in Notepad
void zkbPCHelpClick(const Context& context);   // PCHelper.chm through the shell

// The description shown while the pointer is over the button with this tag;
// empty for a tag outside the five.
std::string SideButtonText(const std::array<std::string, 5>& buttonTexts, int tag);

}  // namespace sidebuttons
}  // namespace pikko
