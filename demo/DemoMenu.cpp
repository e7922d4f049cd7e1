// The demo disc's texts: the menu configuration with its items, the contact
// pages and the support text. The company is fictional.
#include <sstream>

#include "demo/DemoDisc.h"

namespace pikko::demo {
namespace {

constexpr const char* kCompany = "Example Mainboards Ltd.";
constexpr const char* kSupportMail = "support@example.com";
constexpr const char* kSupportPhone = "+1 555 0100";
constexpr const char* kSupportHours = "Monday to Friday, 8:00 to 18:00";
constexpr const char* kWebSite = "www.example.com/support";

struct ItemRow {
  int tab;
  const char* title;
  const char* description;
  const char* path;
  const char* run;
  const char* dependency;
  bool fullkit;
  bool hidden;
};

// Tab 0 lists 13 drivers (two pages), tab 1 six utilities, tab 2 four
// programs, tab 3 three manuals; the last tab is the contact page. Each of
// the first two tabs has its batch-install item, and one driver is hidden.
constexpr ItemRow kItems[] = {
    {0, "Install All Drivers",
     "Installs every driver of this disc in one go.@@The computer restarts once when it is done.",
     "ZEKAFullkit", "Fullkit.exe 00", "0xff", true, false},
    {0, "Chipset Driver", "Chipset device driver.@@Install it first: the other drivers need it.",
     "..\\Drivers\\Chipset", "Setup.exe", "0xff", false, false},
    {0, "Audio Driver with Microphone Noise Suppression and Room Tuning",
     "High definition audio driver with the audio control panel.@@Includes microphone noise "
     "suppression and speaker room tuning.",
     "..\\Drivers\\Audio", "Setup.exe", "0xff", false, false},
    {0, "Gigabit LAN Driver", "Driver of the on-board 1 Gb/s network controller.",
     "..\\Drivers\\LAN", "Setup.exe", "0xff", false, false},
    {0, "2.5G LAN Driver", "Driver of the second, 2.5 Gb/s network controller.",
     "..\\Drivers\\LAN25", "Setup.exe", "0xff", false, false},
    {0, "USB 3.2 Host Controller Driver",
     "Driver of the USB 3.2 controller on the rear panel.@@Installed through the batch installer.",
     "..\\Drivers\\USB3", "Setup.exe", "0x01", false, false},
    {0, "SATA AHCI / RAID Storage Driver",
     "Storage driver for SATA disks in AHCI and RAID mode.@@Use the RAID guide on the Manuals tab "
     "to build an array.",
     "..\\Drivers\\SATA", "Setup.exe -s", "0xff", false, false},
    {0, "NVMe Storage Driver", "Driver of the M.2 NVMe slots.", "..\\Drivers\\NVMe", "Setup.exe",
     "0xff", false, false},
    {0, "Integrated Graphics Driver",
     "Driver of the processor's integrated graphics.@@Needed for the video outputs on the rear "
     "panel.",
     "..\\Drivers\\Graphics", "Setup.exe", "0xff", false, false},
    {0, "Bluetooth Driver", "Driver of the on-board Bluetooth 5.2 adapter.",
     "..\\Drivers\\Bluetooth", "Setup.exe", "0xff", false, false},
    {0, "Wi-Fi 6 Wireless LAN Driver",
     "Driver of the on-board Wi-Fi 6 adapter.@@Connect the antennas before you install it.",
     "..\\Drivers\\WiFi", "Setup.exe", "0xff", false, false},
    {0, "Card Reader Driver", "Driver of the front-panel memory card reader.",
     "..\\Drivers\\CardReader", "Setup.exe", "0xff", false, false},
    {0, "Serial IO Driver", "Driver of the serial bus controllers (I2C, UART, GPIO).",
     "..\\Drivers\\SerialIO", "Setup.exe", "0xff", false, false},
    {0, "Trusted Platform Module Driver", "Driver of the on-board security module.",
     "..\\Drivers\\TPM", "Setup.exe", "0xff", false, false},
    {0, "Legacy Floppy Driver", "Driver of the floppy controller of older boards.",
     "..\\Drivers\\Floppy", "Setup.exe", "0xff", false, true},
    {1, "Install All Utilities", "Installs every utility of this disc in one go.", "ZEKAFullkit",
     "Fullkit.exe 01", "0xff", true, false},
    {1, "System Monitor",
     "Shows temperatures, voltages and fan speeds.@@Warns you when a value leaves its safe range.",
     "..\\Utility\\SystemMonitor", "Setup.exe", "0xff", false, false},
    {1, "BIOS Update Utility",
     "Updates the BIOS from Windows.@@Do not turn the computer off while it runs.",
     "..\\Utility\\BiosUpdate", "Setup.exe", "0xff", false, false},
    {1, "Fan Control", "Sets the fan curves of every fan header.", "..\\Utility\\FanControl",
     "Setup.exe", "0xff", false, false},
    {1, "Lighting Control", "Sets the colours and effects of the board's lighting.",
     "..\\Utility\\Lighting", "Setup.exe", "0xff", false, false},
    {1, "Smart Backup", "Backs up your documents on a schedule.", "..\\Utility\\Backup",
     "Setup.exe", "0xff", false, false},
    {1, "Network Priority Manager", "Gives games and calls priority on the network.",
     "..\\Utility\\NetPriority", "Setup.exe", "0xff", false, false},
    {2, "Web Browser", "A fast and safe web browser.", "..\\Software\\Browser", "Setup.exe", "0xff",
     false, false},
    {2, "PDF Reader", "Reads the manuals of this disc and other PDF files.",
     "..\\Software\\PdfReader", "Setup.exe", "0xff", false, false},
    {2, "Antivirus (30-day trial)",
     "Protects the computer against viruses and malware.@@Free for 30 days.",
     "..\\Software\\Antivirus", "Setup.exe", "0xff", false, false},
    {2, "Disc Burning Suite", "Burns data, music and video discs.", "..\\Software\\Burning",
     "Setup.exe", "0xff", false, false},
    {3, "Motherboard User's Guide",
     "The complete guide to the motherboard: installation, connectors and BIOS setup.",
     "..\\Manual\\UserGuide", "UserGuide.pdf", "0xff", false, false},
    {3, "Quick Installation Guide", "The steps to build the computer, on two pages.",
     "..\\Manual\\QuickGuide", "QuickGuide.pdf", "0xff", false, false},
    {3, "RAID Setup Guide", "How to build a RAID array of SATA or NVMe disks.",
     "..\\Manual\\RaidGuide", "RaidGuide.pdf", "0xff", false, false},
};

// The last tab is the home tab of the promotion (DemoPromotion.cpp); the
// contact tab stands before it.
constexpr const char* kTabCaptions[] = {"Drivers",  "Utilities", "Software",
                                        "Manuals",  "Contact",   "Home"};

// Items that show a small advertisement page of their own on hover.
struct ItemAd {
  const char* title;
  const char* page;
};
constexpr ItemAd kItemAds[] = {
    {"System Monitor", "VendorAD\\items\\monitor.htm"},
    {"BIOS Update Utility", "VendorAD\\items\\bios.htm"},
};

constexpr const char* kButtonTexts[] = {
    "View a report of this computer's hardware.",
    "Browse the contents of this disc.",
    "Read how to reach our technical support.",
    "See the list of files on this disc.",
    "Open the help of this disc.",
};

}  // namespace

const std::vector<DemoItem>& DemoItems() {
  static const std::vector<DemoItem> items = [] {
    std::vector<DemoItem> out;
    int number = 0;
    for (const ItemRow& row : kItems) {
      DemoItem item;
      item.number = ++number;
      item.tab = row.tab;
      item.title = row.title;
      item.description = row.description;
      item.path = row.path;
      item.run = row.run;
      item.dependency = row.dependency;
      item.fullkit = row.fullkit;
      item.hidden = row.hidden;
      for (const ItemAd& ad : kItemAds) {
        if (item.title == ad.title) item.adPage = ad.page;
      }
      out.push_back(item);
    }
    return out;
  }();
  return items;
}

std::string DemoMenuIni() {
  std::ostringstream ini;
  const char* eol = "\r\n";
  ini << "[PLATFORM]" << eol << "Specified OS=WNT_6.1P_64,English" << eol << eol;
  ini << "[DMI_Info]" << eol << "MB_PRODUCTNAME=EX-M1000 PRO" << eol
      << "CPU_MANUFACTURER=ExampleCPU" << eol << eol;
  ini << "[TABS_INFO]" << eol << "NUM=" << std::size(kTabCaptions) << eol << "NOCONTACT=0" << eol;
  for (std::size_t t = 0; t < std::size(kTabCaptions); ++t)
    ini << "TAB" << t << "=" << kTabCaptions[t] << eol;
  ini << "NoItem=There is no item on this tab for this operating system." << eol << eol;
  ini << "[BUTTONS]" << eol;
  for (std::size_t j = 0; j < std::size(kButtonTexts); ++j)
    ini << "Button" << j << "=" << kButtonTexts[j] << eol;
  ini << eol << "[COLORS]" << eol << "TitleMouseMove=255,255,255" << eol << "Description=3,72,113"
      << eol << eol;
  ini << "[SETUP_ITEM]" << eol << "CD_Title=Motherboard Support Disc" << eol
      << "CD_Description=Welcome to the support disc of your motherboard.@@"
         "Point at an item to read about it, and click it to install it.@@"
         "Install the chipset driver first."
      << eol << "ItemNumber=" << DemoItems().size() << eol << "Support Fullkit=1" << eol;
  for (const DemoItem& item : DemoItems()) {
    const std::string key = "(" + std::to_string(item.number) + ")";
    if (item.fullkit) ini << key << "IsZekaFullkit=1" << eol;
    if (item.hidden) ini << key << "HideInAutorun=1" << eol;
    ini << key << "Tab=" << item.tab << eol << key << "Title=" << item.title << eol << key
        << "Description=" << item.description << eol << key << "Path=" << item.path << eol << key
        << "Run=" << item.run << eol << key << "Dependency=" << item.dependency << eol;
    if (!item.adPage.empty()) ini << key << "AD=" << item.adPage << eol;
  }
  return ini.str();
}

std::string ContactPage(Look look, bool sixteenColours) {
  // The page fills the contact panel (650 x 450, 626 x 380 visible); the
  // 16-colour page keeps to colours a 16-colour display has.
  const bool gaming = look == Look::Gaming;
  const char* page =
      sixteenColours ? (gaming ? "#000000" : "#C0C0C0") : (gaming ? "#1c1c1f" : "#eef3f9");
  const char* ink =
      sixteenColours ? (gaming ? "#C0C0C0" : "#000080") : (gaming ? "#b9b9b9" : "#034871");
  const char* heading =
      sixteenColours ? (gaming ? "#FF0000" : "#000080") : (gaming ? "#e84848" : "#0070d0");
  const char* card =
      sixteenColours ? (gaming ? "#000000" : "#FFFFFF") : (gaming ? "#2a2a2e" : "#ffffff");
  std::ostringstream html;
  html << "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
       << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
       << "<title>Contact " << kCompany << "</title>\r\n<style>\r\n"
       << "body { margin: 0; padding: 16px 22px; background: " << page << "; color: " << ink
       << "; font-family: Tahoma, Verdana, sans-serif; font-size: 12px; overflow: hidden; }\r\n"
       << "h1 { color: " << heading << "; font-size: 18px; margin: 4px 0 12px 0; }\r\n"
       << "h2 { color: " << heading << "; font-size: 13px; margin: 0 0 6px 0; }\r\n"
       << ".card { background: " << card << "; border: 1px solid " << heading
       << "; padding: 10px 14px; margin: 0 0 10px 0; width: 560px; }\r\n"
       << "td { padding: 2px 16px 2px 0; vertical-align: top; }\r\n"
       << "a { color: " << heading << "; }\r\n</style>\r\n</head>\r\n<body>\r\n"
       << "<h1>Contact " << kCompany << "</h1>\r\n"
       << "<div class=\"card\">\r\n<h2>Technical support</h2>\r\n<table>\r\n"
       << "<tr><td>E-mail</td><td><a href=\"mailto:" << kSupportMail << "\">" << kSupportMail
       << "</a></td></tr>\r\n"
       << "<tr><td>Telephone</td><td>" << kSupportPhone << "</td></tr>\r\n"
       << "<tr><td>Hours</td><td>" << kSupportHours << "</td></tr>\r\n"
       << "<tr><td>Web</td><td>" << kWebSite << "</td></tr>\r\n</table>\r\n</div>\r\n"
       << "<div class=\"card\">\r\n<h2>Before you call</h2>\r\n"
       << "Please have the model name of your motherboard and its serial number at hand; "
       << "both are printed on the sticker between the expansion slots. The system report "
       << "(the first button at the top right) lists the BIOS version we will ask for.\r\n"
       << "</div>\r\n"
       << "<div class=\"card\">\r\n<h2>Postal address</h2>\r\n"
       << kCompany << "<br>1 Sample Street<br>Exampletown 01234\r\n</div>\r\n"
       << "</body>\r\n</html>\r\n";
  return html.str();
}

std::string SupportText() {
  std::ostringstream text;
  text << kCompany << " - technical support\r\n\r\n"
       << "E-mail:    " << kSupportMail << "\r\n"
       << "Telephone: " << kSupportPhone << " (" << kSupportHours << ")\r\n"
       << "Web:       " << kWebSite << "\r\n\r\n"
       << "Please have the model name and the serial number of your motherboard at hand.\r\n"
       << "Both are printed on the sticker between the expansion slots.\r\n";
  return text.str();
}

}  // namespace pikko::demo
