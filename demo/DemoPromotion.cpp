#include "demo/DemoPromotion.h"

#include <sstream>

#include "demo/Draw.h"

namespace pikko::demo {
namespace {

// The menu's colours, as the contact page has them.
constexpr Rgb kPage{238, 243, 249};
constexpr Rgb kBlue{0, 112, 208};
constexpr Rgb kInk{3, 72, 113};
constexpr Rgb kGrey{160, 172, 186};

enum class PictureState { Normal, Pressed, Hover, Disabled };

// A rounded blue button face on the page colour, for the caption the menu
// draws over it.
Image PaintButtonFace(int width, int height, PictureState state) {
  Image image(width, height, kPage);
  Rgb top = Lighter(kBlue, 0.15), bottom = kInk;
  if (state == PictureState::Pressed) {
    top = Darker(kBlue, 0.2);
    bottom = Darker(kInk, 0.3);
  } else if (state == PictureState::Hover) {
    top = Lighter(kBlue, 0.35);
    bottom = kBlue;
  } else if (state == PictureState::Disabled) {
    top = Lighter(kGrey, 0.3);
    bottom = kGrey;
  }
  const Rect face{0, 0, width, height};
  const int radius = height / 4;
  FillRoundRect(image, face, Corners::All(radius), VerticalPaint(face, top, bottom));
  OutlineRoundRect(image, face, Corners::All(radius), Darker(bottom, 0.3));
  if (state == PictureState::Hover)
    OutlineRoundRect(image, face.Inset(1), Corners::All(radius - 1), Lighter(top, 0.6), 0.8);
  return image;
}

// A page button: the face with a white arrow, left or right.
Image PaintPageButton(bool next, PictureState state) {
  constexpr int kWidth = 40, kHeight = 20;
  Image image = PaintButtonFace(kWidth, kHeight, state);
  const double shift = state == PictureState::Pressed ? 1 : 0;
  const double cx = kWidth / 2.0 + shift, cy = kHeight / 2.0 + shift;
  const Rgb arrow = state == PictureState::Disabled ? Lighter(kGrey, 0.6) : Rgb{255, 255, 255};
  if (next) {
    FillPolygon(image, {{cx - 4, cy - 6}, {cx + 6, cy}, {cx - 4, cy + 6}}, arrow);
  } else {
    FillPolygon(image, {{cx + 4, cy - 6}, {cx - 6, cy}, {cx + 4, cy + 6}}, arrow);
  }
  return image;
}

constexpr const char* kStateSuffixes[] = {"_n.bmp", "_d.bmp", "_o.bmp", "_f.bmp"};
constexpr PictureState kStates[] = {PictureState::Normal, PictureState::Pressed,
                                    PictureState::Hover, PictureState::Disabled};

struct PageText {
  const char* title;
  const char* kicker;  // the small line above the title
  std::vector<const char*> paragraphs;
};

// A page that fills the visible area of its panel and keeps the places of
// the buttons the menu lays over it (given as left, top, width, height in
// page pixels) free of text.
std::string Html(const PageText& text, int width, int height, const std::string& extraStyle = "") {
  std::ostringstream html;
  html << "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
       << "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\r\n"
       << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
       << "<title>" << text.title << "</title>\r\n<style>\r\n"
       << "html, body { margin: 0; padding: 0; overflow: hidden; }\r\n"
       << "body { width: " << width << "px; height: " << height
       << "px; background: #eef3f9; color: #034871; font-family: Tahoma, Verdana, sans-serif; "
          "font-size: 12px; }\r\n"
       << ".kicker { color: #0070d0; font-size: 11px; font-weight: bold; letter-spacing: 1px; "
          "text-transform: uppercase; margin: 0 0 4px 0; }\r\n"
       << "h1 { color: #0070d0; font-size: 20px; margin: 0 0 10px 0; }\r\n"
       << "p { margin: 0 0 8px 0; line-height: 16px; }\r\n"
       << ".card { background: #ffffff; border: 1px solid #0070d0; }\r\n"
       << extraStyle << "</style>\r\n</head>\r\n<body>\r\n";
  return html.str();
}

std::string Body(const PageText& text) {
  std::ostringstream html;
  html << "<div class=\"kicker\">" << text.kicker << "</div>\r\n<h1>" << text.title << "</h1>\r\n";
  for (const char* p : text.paragraphs) html << "<p>" << p << "</p>\r\n";
  return html.str();
}

// A promotion page: 625 x 378 visible; the install button's place at the
// lower left and the page buttons at the lower right stay clear.
std::string PromotionHtml(const PageText& text) {
  return Html(text, 625, 378,
              ".card { position: absolute; left: 24px; top: 22px; width: 545px; height: 230px; "
              "padding: 14px 16px; }\r\n") +
         "<div class=\"card\">\r\n" + Body(text) + "</div>\r\n</body>\r\n</html>\r\n";
}

// The advertisement page of a tab: the window shows its top 55 pixels above
// the tab's area and from pixel 75 down the rest, with "Install Now" at
// 296, 325 of the page; the band between stays plain.
std::string TabAdHtml(const PageText& text) {
  std::ostringstream html;
  html << Html(text, 640, 420,
               ".banner { position: absolute; left: 2px; top: 2px; width: 625px; height: 53px; "
               "background: #0070d0; color: #ffffff; }\r\n"
               ".banner div { padding: 16px 20px; font-size: 16px; font-weight: bold; }\r\n"
               ".card { position: absolute; left: 26px; top: 92px; width: 555px; height: 200px; "
               "padding: 14px 16px; }\r\n")
       << "<div class=\"banner\"><div>Recommended for your motherboard</div></div>\r\n"
       << "<div class=\"card\">\r\n"
       << Body(text) << "</div>\r\n</body>\r\n</html>\r\n";
  return html.str();
}

// The small page beside a hovered item: 241 x 209 visible.
std::string ItemAdHtml(const PageText& text) {
  return Html(text, 241, 209,
              ".card { position: absolute; left: 2px; top: 2px; width: 215px; height: 183px; "
              "padding: 10px 12px; }\r\nh1 { font-size: 15px; }\r\n") +
         "<div class=\"card\">\r\n" + Body(text) + "</div>\r\n</body>\r\n</html>\r\n";
}

const char* const kMonitorProbe = "HomeTab\\Probes\\MonitorProbe.dll";
const char* const kBackupProbe = "HomeTab\\Probes\\BackupProbe.dll";

std::string ProductSetupIni(const char* product) {
  std::ostringstream ini;
  ini << "; " << product << ": the platforms it installs on, and its languages.\r\n"
      << "[OS_Language_Tag]\r\n";
  for (const std::string& tag : DemoSupportedPlatforms())
    ini << tag << "=" << product << " for " << tag << "\r\n";
  ini << "0409=English\r\n09=English\r\n040C=French\r\n0C=French\r\n";
  return ini.str();
}

std::string HomeTabIni() {
  const char* eol = "\r\n";
  std::ostringstream ini;
  ini << "[Setting]" << eol << "Tab=" << kDemoHomeTab << eol << "Number=3" << eol << "Interval=5"
      << eol << eol;
  ini << "[OS_Language_Tag]" << eol << "0409=English" << eol << "09=English" << eol << "040C=French"
      << eol << "0C=French" << eol << "0407=German" << eol << "07=German" << eol << "0411=Japanese"
      << eol << "11=Japanese" << eol << eol;
  ini << "[HtmlPath]" << eol << "Default=Pages\\" << eol << "English=Pages\\" << eol << eol;
  ini << "[Page1]" << eol << "HTML=monitor.htm" << eol << "ShowType=ByDynamic" << eol
      << "InstallPath=SystemMonitorPro" << eol << "DllName=" << kMonitorProbe << eol
      << "ButtonImages=Buttons\\install_n.bmp, Buttons\\install_d.bmp, Buttons\\install_o.bmp"
      << eol << "ButtonPosition=40,300" << eol << "ButtonSize=180,44" << eol << eol;
  ini << "[Page2]" << eol << "HTML=backup.htm" << eol << "ShowType=ByDynamic" << eol
      << "InstallPath=CloudBackup" << eol << "DllName=" << kBackupProbe << eol
      << "ButtonImages=Buttons\\install_n.bmp, Buttons\\install_d.bmp, Buttons\\install_o.bmp"
      << eol << "ButtonPosition=40,300" << eol << "ButtonSize=180,44" << eol << eol;
  ini << "[Page3]" << eol << "HTML=about.htm" << eol << "ShowType=Always" << eol
      << "InstallPath=About" << eol;
  return ini.str();
}

DiscFiles MakePromotionFiles() {
  DiscFiles files;
  files.emplace_back("HomeTab\\HomeTab.ini", HomeTabIni());
  files.emplace_back(
      "HomeTab\\Pages\\monitor.htm",
      PromotionHtml({"System Monitor Pro",
                     "Included with your motherboard",
                     {"Keep an eye on temperatures, voltages and fan speeds while you work or "
                      "play. System Monitor Pro reads every sensor of the board and warns you "
                      "before a value leaves its safe range.",
                      "Your motherboard carries the sensor hub it needs: install it now with one "
                      "click."}}));
  files.emplace_back(
      "HomeTab\\Pages\\backup.htm",
      PromotionHtml({"Cloud Backup",
                     "For boards with the backup module",
                     {"Cloud Backup keeps a copy of your documents on the backup module of our "
                      "premium boards and restores them with one click.",
                      "This computer has no backup module, so there is nothing to install here. "
                      "Ask your dealer about the premium edition."}}));
  files.emplace_back(
      "HomeTab\\Pages\\about.htm",
      PromotionHtml({"Welcome",
                     "Your support disc",
                     {"The tabs above list the drivers, utilities and software of this disc. "
                      "Point at an item to read about it and click it to install it.",
                      "Install the chipset driver first: the other drivers need it. The manuals "
                      "tab holds the user's guide of your motherboard."}}));
  for (int s = 0; s < 3; ++s) {
    files.emplace_back(std::string("HomeTab\\Buttons\\install") + kStateSuffixes[s],
                       EncodeBmp24(PaintButtonFace(180, 44, kStates[s])));
  }
  for (int s = 0; s < 4; ++s) {
    files.emplace_back(std::string("HomeTab\\next") + kStateSuffixes[s],
                       EncodeBmp24(PaintPageButton(true, kStates[s])));
    files.emplace_back(std::string("HomeTab\\previous") + kStateSuffixes[s],
                       EncodeBmp24(PaintPageButton(false, kStates[s])));
  }
  files.emplace_back("HomeTab\\SystemMonitorPro\\ZekaSetup.ini",
                     ProductSetupIni("System Monitor Pro"));
  files.emplace_back("HomeTab\\CloudBackup\\ZekaSetup.ini", ProductSetupIni("Cloud Backup"));
  files.emplace_back("HomeTab\\Probes\\MonitorProbe.ini", "[Products]\r\nPresent=1\r\n");
  files.emplace_back("HomeTab\\Probes\\BackupProbe.ini", "[Products]\r\nPresent=0\r\n");
  return files;
}

DiscFiles MakeVendorAdFiles() {
  DiscFiles files;
  files.emplace_back("VendorAD\\VendorAD.ini",
                     "[AD_TABS]\r\nMaxADTabs=1\r\nTab0=ChipsetAD\r\n\r\n"
                     "; A target section names the page for each language; English serves the "
                     "rest.\r\n[ChipsetAD]\r\nEnglish=chipset.htm\r\n");
  files.emplace_back(
      "VendorAD\\chipset.htm",
      TabAdHtml({"Chipset Driver",
                 "Install this first",
                 {"The chipset driver tells Windows about every device on your motherboard. "
                  "Install it before the other drivers: they need it.",
                  "Click Install Now below; the computer may ask to restart when it is done."}}));
  for (int s = 0; s < 3; ++s) {
    files.emplace_back(std::string("VendorAD\\install") + kStateSuffixes[s],
                       EncodeBmp24(PaintButtonFace(108, 27, kStates[s])));
  }
  files.emplace_back("VendorAD\\items\\monitor.htm",
                     ItemAdHtml({"System Monitor",
                                 "Utility",
                                 {"Temperatures, voltages and fan speeds at a glance, with a "
                                  "warning before anything runs hot."}}));
  files.emplace_back("VendorAD\\items\\bios.htm",
                     ItemAdHtml({"BIOS Update",
                                 "Utility",
                                 {"Brings new processor support and fixes to your board. Keep "
                                  "the computer on while it runs."}}));
  return files;
}

}  // namespace

const std::vector<std::string>& DemoSupportedPlatforms() {
  // Windows 7 to 11 as the version query reports them to the menu, 32- and
  // 64-bit processes, home and professional editions; XP for old discs.
  static const std::vector<std::string> tags = {
      "WNT_5.1P",    "WNT_6.1P_32", "WNT_6.1P_64", "WNT_6.1H_32", "WNT_6.1H_64",
      "WNT_6.2P_32", "WNT_6.2P_64", "WNT_6.2H_32", "WNT_6.2H_64", "WNT_6.3P_32",
      "WNT_6.3P_64", "WNT_10.0P",   "WNT_10.0H"};
  return tags;
}

const DiscFiles& PromotionFiles() {
  static const DiscFiles files = MakePromotionFiles();
  return files;
}

const DiscFiles& VendorAdFiles() {
  static const DiscFiles files = MakeVendorAdFiles();
  return files;
}

const std::vector<std::string>& PromotionProbeLibraries() {
  static const std::vector<std::string> libraries = {kMonitorProbe, kBackupProbe};
  return libraries;
}

const std::vector<std::string>& PromotionInstallers() {
  static const std::vector<std::string> installers = {"HomeTab\\SystemMonitorPro\\ZekaSetup.exe",
                                                      "HomeTab\\CloudBackup\\ZekaSetup.exe"};
  return installers;
}

WriteOutcome WriteDiscFiles(const std::string& autorunFolder, const DiscFiles& files) {
  for (const auto& [relative, bytes] : files) {
    const std::string path = JoinPath(autorunFolder, relative);
    if (!WriteFileBytes(path, bytes)) return {path};
  }
  return {};
}

}  // namespace pikko::demo
