#include "actions/SideButtons.h"

#include "Manual_Opener/OpenWith.h"
#include "actions/MenuItems.h"
#include "env/PlatformTags.h"

namespace pikko::sidebuttons {
namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
constexpr int kShow = 5;        // SW_SHOW

void EnterProgramFolder(const Context& context) {
  Processes().SetCurrentFolder(context.programFolder);
}

// The start of Explorer or Notepad is not looked at: nothing is reported.
void StartShown(const Context& context, const char* commandLine) {
  EnterProgramFolder(context);
  Processes().StartWithShow(commandLine, kShow);
}

// Releases the report library on every way out.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(void* library) : library_(library) {}
  ~LoadedLibrary() {
    if (library_ != nullptr) Libraries().Release(library_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  void* Get() const { return library_; }

 private:
  void* library_;
};

}  // namespace

// The Windows folder with its trailing backslash; empty when it does not
// fit the report's room.
std::string ReportParent() {
  std::string windows = Folders().WindowsDirectory(kReportWindowsFolderRoom);
  // A root folder such as C:\ keeps its own backslash.
  if (windows.size() > 3) windows += '\\';
  return windows;
}

std::string ShowDmiReport(const Context& context) {
  const LoadedLibrary library(Libraries().Load(kReportLibrary));
  if (library.Get() == nullptr) {
    Messages().Show(nullptr, "Can't load ARunDmi.dll.", "", mb::IconError);
    return {};
  }
  const auto fill =
      reinterpret_cast<DmiGetSysInfoExProc>(Libraries().Symbol(library.Get(), kReportExport));
  if (fill == nullptr) {
    Messages().Show(nullptr, "Can't get DMI_GetSysInfo from ARunDmi.dll", "", mb::IconWarning);
    return {};
  }
  const std::string parent = ReportParent();
  // A Windows folder beyond the report's room leaves nowhere to write to.
  if (parent.empty() || ShellEx().CopyFiles(context.owner, kReportTemplateFolder, parent,
                                            kFofNoConfirmation | kFofSilent) != 0) {
    Messages().Show(nullptr, "Can't create ZkDmiBrowser", "", mb::IconWarning);
    return {};
  }
  const std::string folder = parent + kReportFolderName;
  fill(folder.c_str(), context.boardType == "WB" ? 1 : 0);  // its result is not looked at

  const std::string page = folder + kReportStartPage;
  // On Windows 8 and later the browser is asked for by name; the shell's
  // association takes over when it cannot be started. A failed open is
  // not reported.
  if (IsWindows8OrLater() && OpenWithHandler(page, "*", {"iexplore.exe"}) == 0) return {};
  Shell().Execute(context.owner, "open", page, "", "", kShowNormal);
  return {};
}

void zkbMBClick(const Context& context) {
  EnterProgramFolder(context);
  ShowDmiReport(context);
}

void zkbCDClick(const Context& context) { StartShown(context, "EXPLORER.EXE ..\\"); }
void zkbSupportClick(const Context& context) {
  StartShown(context, "NOTEPAD.EXE ..\\TECHSUPP.TXT");
}
void zkbFileClick(const Context& context) { StartShown(context, "NOTEPAD.EXE ..\\FILELIST.TXT"); }

void zkbPCHelpClick(const Context& context) {
  EnterProgramFolder(context);
  const std::string path = context.programFolder + kHelpFile;
  const std::intptr_t result =
      Shell().Execute(context.owner, "open", path, "", context.programFolder, kShowNormal);
  if (result <= 32) {
    Messages().Show(context.owner, "Error:" + std::to_string(result) + " - Faild to open " + path,
                    kMenuMessageCaption, mb::IconError);
  }
}

std::string SideButtonText(const std::array<std::string, 5>& buttonTexts, int tag) {
  if (tag < 0 || tag >= static_cast<int>(buttonTexts.size())) return {};
  return buttonTexts[static_cast<std::size_t>(tag)];
}

}  // namespace pikko::sidebuttons
