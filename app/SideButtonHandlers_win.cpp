// The side buttons' handlers of the menu window: each hands the window's
// program folder, its handle and the board type to the side-button action.
#include "actions/SideButtons.h"
#include "app/Autorun3_win.h"

namespace pikko {
namespace {

sidebuttons::Context ContextOf(const TZkAutorunForm& f) {
  return sidebuttons::Context{f.ProgramFolder, f.Handle(), f.BoardType};
}

}  // namespace

void TZkAutorunForm::zkbMBClick(Control&) { sidebuttons::zkbMBClick(ContextOf(*this)); }
void TZkAutorunForm::zkbCDClick(Control&) { sidebuttons::zkbCDClick(ContextOf(*this)); }
void TZkAutorunForm::zkbSupportClick(Control&) { sidebuttons::zkbSupportClick(ContextOf(*this)); }
void TZkAutorunForm::zkbFileClick(Control&) { sidebuttons::zkbFileClick(ContextOf(*this)); }
void TZkAutorunForm::zkbPCHelpClick(Control&) { sidebuttons::zkbPCHelpClick(ContextOf(*this)); }

void TZkAutorunForm::zkbMBMouseMove(Control& sender, ShiftState, int, int) {
  sExplain->SetCaption(sidebuttons::SideButtonText(Model.ButtonTexts, sender.Tag()));
}

}  // namespace pikko
