// The vendor advertisement tabs in the menu window: the pages read at load,
// the "Install Now" pictures from the disc, and the button's click.
#include <stdexcept>

#include "actions/VendorAds.h"
#include "app/Autorun3_win.h"
#include "toolkit/Application_win.h"

namespace pikko {

bool TZkAutorunForm::LoadVendorAds() {
  VendorAdSeams seams;
  seams.hideDescription = [this] { sExplain->Hide(); };
  seams.loadInstallPicture = [this](InstallPicture state, const std::string& file) {
    Bitmap picture;
    if (!picture.LoadFromFile(file)) return false;
    ZkFourStateAppearance& looks = zkbADInstall->Appearance();
    if (state == InstallPicture::Raised) looks.SetRaisedBmp(picture);
    if (state == InstallPicture::Sunken) looks.SetSunkenBmp(picture);
    if (state == InstallPicture::Focused) looks.SetFocusedBmp(picture);
    return true;
  };
  VendorAds ads = pikko::LoadVendorAds(ProgramFolder, Model.Language, Handle(), seams);
  VendorAdMode = ads.VendorAdMode;
  AdPages = std::move(ads.AdPages);
  if (!ads.Ok()) {
    // A disc that names advertisements but lacks their pictures is broken.
    Application::Instance().ShowException("Cannot load the picture " + ads.FailedPicture);
    Application::Instance().Terminate();
    return false;
  }
  return true;
}

void TZkAutorunForm::zkbADInstallClick(Control&) {
  if (!AdInstallStartsFirstItem(SelectedMenuTab(), Handle())) return;
  // The tab's first item: row 0 of page 0.
  HoverRow = 0;
  Label1Click(*ItemRows[0]);
}

}  // namespace pikko
