// What a click on an item row, on a row's manual button and on the
// batch-install button starts, and the model notice of the first two tabs.
#include "actions/LaunchPlanner.h"
#include "app/Autorun3_win.h"
#include "env/PlatformTags.h"
#include "env/Text.h"
#include "env/Translation.h"
#include "platform/Ports.h"
#include "toolkit/Application_win.h"

namespace pikko {
namespace {

constexpr const char* kCaption = kMenuMessageCaption;
constexpr char kSection[] = "SETUP_ITEM";
constexpr int kShowNormal = 1;

std::string ItemValue(const std::string& file, int n, const char* key, const char* def = "") {
  return Ini().ReadString(file, kSection, ItemKey(n, key), def);
}

// A click reads the item's program from the menu file. When the file has
// gone (the disc was taken out), every key would read empty and the click
// would open the program folder instead: say so rather.
bool MenuFileStillThere(const std::string& file) {
  if (Files().FileExists(file)) return true;
  Messages().Show(nullptr, file + " not found...", kCaption, mb::IconError);
  return false;
}

}  // namespace

int TZkAutorunForm::ClickedRow(const Control& sender) const {
  // The row last pointed at; a click that came without a move before it
  // belongs to the row clicked.
  return HoverRow >= 0 ? HoverRow : sender.Tag() - 1;
}

bool TZkAutorunForm::RefuseWhileInstallerRuns() {
  struct Installer {
    const char* title;
    const char* displayName;
  };
  const Installer installers[] = {{"Fullkit", "ZEKA Fullkit"}, {"Setup Wizard", "Setup Wizard"}};
  for (const Installer& i : installers) {
    const WindowHandle window = WindowSearch().FindTopLevel("TApplication", i.title);
    if (!window) continue;
    const std::string text =
        FillInstallerNotice(Translate("%1 is still running. Please close %2 first !"), i.displayName);
    Messages().Show(Handle(), text, Application::Instance().Title(), mb::IconWarning);
    WindowSearch().RestoreAndActivate(window);
    return true;
  }
  return false;
}

void TZkAutorunForm::StartProgram(const ProgramCommand& command, const std::string& preparedFailure) {
  const std::intptr_t result = Shell().Execute(Handle(), "open", command.program, command.parameters,
                                               WorkingFolderOf(command.program), kShowNormal);
  if (result > 32) return;
  Messages().Show(Handle(), preparedFailure.empty() ? StartFailureText(result, command) : preparedFailure,
                  kCaption, mb::IconError);
}

void TZkAutorunForm::Label1Click(Control& sender) {
  const SetupItem* item = RowItem(ClickedRow(sender));
  if (!item) return;
  const int n = item->Number;
  const std::string file = MenuConfigPath(DebugMode, ProgramFolder);
  if (!MenuFileStillThere(file)) return;
  const ProgramCommand own =
      BuildItemCommand(ProgramFolder, ItemValue(file, n, "Run"), ItemValue(file, n, "Path"));
  if (RefuseWhileInstallerRuns()) return;
  const DependencyDecision d =
      ApplyDependency(n, ItemValue(file, n, "Dependency"), ItemValue(file, n, "Tab"), ProgramFolder,
                      own, Files().FileExists(ProgramFolder + kBatchInstaller));
  if (d.refused) {
    Messages().Show(Handle(), d.refusal, kCaption, mb::IconWarning);
    return;
  }
  StartProgram(d.command, d.preparedFailure);
}

void TZkAutorunForm::ItemManualClick(Control& sender) {
  const SetupItem* item = RowItem(ClickedRow(sender));
  const std::string key = item ? item->ManualPath : std::string();
  const std::string question =
      IsWindows8OrLater()
          ? "For better compatibility and view experience, we recommend you to install %1 to open "
            "this file. Do you want to install %1 now?"
          : "You need to install %1 to open this file. Do you want to install now?";
  const std::string text = FillReaderQuestion(Translate(question), "Adobe Reader");
  if (OpenManual) OpenManual(key, text);
}

void TZkAutorunForm::zkbFullkitClick(Control&) {
  const MenuTab* tab = SelectedMenuTab();
  if (!tab || tab->FullkitItem < 0) return;
  const int n = tab->FullkitItem;
  const std::string file = MenuConfigPath(DebugMode, ProgramFolder);
  if (!MenuFileStillThere(file)) return;
  const ProgramCommand command =
      BuildItemCommand(ProgramFolder, ItemValue(file, n, "Run"), ItemValue(file, n, "Path"));
  if (RefuseWhileInstallerRuns()) return;
  StartProgram(command, "");
}

void TZkAutorunForm::zkbFullkitMouseMove(Control&, ShiftState, int, int) {
  const MenuTab* tab = SelectedMenuTab();
  if (!tab) return;
  const int n = tab->FullkitItem;
  const std::string text =
      ItemValue(MenuConfigPath(DebugMode, ProgramFolder), n, "Description", "ZEKA Fullkit");
  sExplain->SetCaption(ExpandLineBreaks(text));
}

void TZkAutorunForm::ShowFullkitOrNotice(int tab) {
  lblFullkitError->Hide();
  if (Model.Tabs[tab].FullkitItem != -1) {
    zkbFullkit->Show();
    return;
  }
  zkbFullkit->Hide();
  if (!Model.ExceptionModel || tab > 1) return;
  lblFullkitError->SetLeft(28);
  if (SameText(LanguageFolderName(), "French")) {
    lblFullkitError->SetBounds(28, 63, 335, 52);
  } else {
    lblFullkitError->SetTop(73);
  }
  lblFullkitError->SetCaption(Translate(
      "Based on Intel specification, this model supports Windows XP, Windows 7, and later version. "
      "Install the drivers and utilities when needed."));
  if (ProbeDeviceStatus() == 2) lblFullkitError->SetFontColour(0x00CCFF);
  lblFullkitError->Show();
}

}  // namespace pikko
