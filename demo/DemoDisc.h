// The demo support disc: the menu configuration, the skins drawn by code and
// the contact pages, laid out in the program folder as on a real disc. The
// same writers lay out the small discs the tests start the menu on.
#pragma once

#include <string>
#include <vector>

#include "demo/SkinArt.h"

namespace pikko::demo {

// The result of laying out files: the first file that could not be written,
// empty when everything was written.
struct WriteOutcome {
  std::string failedFile;
  bool Ok() const { return failedFile.empty(); }
  explicit operator bool() const { return Ok(); }
};

// One item of the demo menu, as written to the [SETUP_ITEM] section.
struct DemoItem {
  int number = 0;  // n of the item's keys, 1..ItemNumber
  int tab = 0;
  std::string title;
  std::string description;  // "@@" marks a line break
  std::string path;         // (n)Path, relative to the program folder
  std::string run;          // (n)Run: program, then its parameters
  std::string dependency = "0xff";
  bool fullkit = false;  // the batch-install item of its tab
  bool hidden = false;   // (n)HideInAutorun
  std::string adPage;    // (n)AD, relative to the program folder; empty: none
};

// The items of the demo menu, numbered from 1 in file order.
const std::vector<DemoItem>& DemoItems();
// The demo menu configuration (zkcd_dbg.ini), CRLF line ends.
std::string DemoMenuIni();

// The skin files of one skin folder, as the menu names them.
const std::vector<std::string>& SkinFileNames();
// The encoded bytes of one skin file of a look; empty for an unknown name.
const std::string& SkinFileBytes(Look look, const std::string& name);
// Writes every skin file of the look into folder.
WriteOutcome WriteSkins(const std::string& folder, Look look);

// The PNG button pictures of a look, relative to its skin folder: the side,
// batch-install and paging buttons in BtnImages\MB\256\, and with
// withManual the manual button's in BtnImages\ (the menu reads those from
// the program folder only, whatever the look).
std::vector<std::string> ButtonPictureNames(bool withManual);
// The encoded bytes of one button picture of a look; empty for an unknown name.
const std::string& ButtonPictureBytes(Look look, const std::string& name);
WriteOutcome WriteButtonPictures(const std::string& folder, Look look, bool withManual);

// The contact pages, relative to a skin folder.
constexpr const char* kContactPage256 = "contact\\contact_256_n00.htm";
constexpr const char* kContactPage16 = "contact\\contact_16_n00.htm";
std::string ContactPage(Look look, bool sixteenColours);
WriteOutcome WriteContactPages(const std::string& folder, Look look);

// The support text the support side button opens, beside the AUTORUN folder.
std::string SupportText();

// Lays out the demo disc: the menu configuration, the skins and button
// pictures of both looks (the gaming ones in GAMING\), the contact pages,
// the home-tab promotion and the vendor advertisements, the report
// template and the help file, and in the parent folder the support text and
// the manuals (demo/DemoManuals.h).
WriteOutcome WriteDemoDisc(const std::string& autorunFolder);

// Writes the list of every file below discFolder, one relative path a line,
// into discFolder\FILELIST.TXT (the file list side button opens it).
WriteOutcome WriteFileList(const std::string& discFolder);

// What a test disc holds besides its menu configuration.
struct TestDiscOptions {
  bool background256 = true;       // pikko256.bmp; without it the menu cannot start
  bool sixteenColourSkins = true;  // pikko16.bmp, logo16.bmp, MainTab\tab01_n.bmp
  bool gamingFolder = true;        // GAMING\ with the gaming skins
  bool forceGaming = false;        // the ForceGaming marker file
  bool contactPages = true;        // contact\contact_*_n00.htm (also in GAMING\)
  bool buttonPictures = true;      // BtnImages\ (the skin buttons also in GAMING\)
  bool promotion = false;          // the demo's HomeTab\ folder (DemoPromotion.h)
  bool vendorAds = false;          // the demo's VendorAD\ folder (DemoPromotion.h)
  bool manuals = false;            // BIN\ManualSetting.ini and the manuals in the parent folder
  bool sideButtonFiles = false;    // ZkDmiHtm\, PCHelper.chm, and TECHSUPP.TXT in the parent
};

// Lays out a test disc in folder (the program folder): menuIni as
// zkcd_dbg.ini, and the skins and pages the options ask for.
WriteOutcome WriteTestDisc(const std::string& folder, const std::string& menuIni,
                           const TestDiscOptions& options = {});

// The program an item's click starts, relative to the AUTORUN folder.
std::string ItemProgram(const DemoItem& item);
// Puts the stand-in setup program (its bytes) where every demo item's setup
// program, the batch installer and the promoted products' installers
// belong, so that clicks start something.
WriteOutcome PlaceSetupStubs(const std::string& autorunFolder, const std::string& stubBytes);

// folder joined with a path written with backslashes, in the form this
// system's file functions take.
std::string JoinPath(const std::string& folder, const std::string& relative);

}  // namespace pikko::demo
