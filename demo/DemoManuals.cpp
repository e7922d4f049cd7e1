// The demo disc's manuals and side-button files. The manual keys are the
// Path values of the demo items (DemoMenu.cpp): the three guides of the
// Manuals tab and the SATA driver, whose manual is the RAID guide.
#include "demo/DemoManuals.h"

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "demo/Bmp.h"

namespace pikko::demo {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEol = "\r\n";

std::string PdfString(const std::string& text) {
  std::string out = "(";
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += c;
  }
  return out + ")";
}

std::string HtmlManual(const std::string& lang, const std::string& title,
                       const std::vector<std::pair<std::string, std::string>>& sections) {
  std::ostringstream html;
  html << "<!DOCTYPE html>\r\n<html lang=\"" << lang << "\">\r\n<head>\r\n"
       << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
       << "<title>" << title << "</title>\r\n<style>\r\n"
       << "body { margin: 0; background: #eef3f9; color: #034871; font-family: Tahoma, "
          "Verdana, sans-serif; font-size: 13px; }\r\n"
       << "header { background: #0c306a; color: #ecf2fa; padding: 18px 28px; border-bottom: "
          "3px solid #0080de; }\r\n"
       << "h1 { margin: 0; font-size: 22px; }\r\nmain { padding: 10px 28px; max-width: 720px; }\r\n"
       << "h2 { color: #0070d0; font-size: 15px; margin: 18px 0 6px 0; }\r\n</style>\r\n"
       << "</head>\r\n<body>\r\n<header><h1>" << title << "</h1></header>\r\n<main>\r\n";
  for (const auto& s : sections)
    html << "<h2>" << s.first << "</h2>\r\n<p>" << s.second << "</p>\r\n";
  html << "</main>\r\n</body>\r\n</html>\r\n";
  return html.str();
}

std::string QuickGuideEnglish() {
  return HtmlManual("en", "Quick Installation Guide",
                    {{"1. Fit the processor",
                      "Lift the socket lever, line up the golden triangle with the "
                      "mark on the socket and lower the processor without force."},
                     {"2. Fit the memory",
                      "Use the second and fourth slots first. Press each module down "
                      "until both clips close."},
                     {"3. Connect the power",
                      "Connect the 24-pin and the 8-pin power cables before you turn "
                      "the computer on."},
                     {"4. Install the drivers",
                      "Start this disc and install the chipset driver first, then "
                      "the other drivers."}});
}

std::string QuickGuideGerman() {
  return HtmlManual("de", "Kurzanleitung zur Installation",
                    {{"1. Prozessor einsetzen",
                      "Heben Sie den Sockelhebel an, richten Sie das goldene "
                      "Dreieck an der Markierung aus und setzen Sie den Prozessor "
                      "ohne Druck ein."},
                     {"2. Speicher einsetzen",
                      "Belegen Sie zuerst den zweiten und den vierten Steckplatz. "
                      "Dr\374cken Sie jedes Modul, bis beide Klammern schlie\337en."},
                     {"3. Strom anschlie\337en",
                      "Schlie\337en Sie das 24-polige und das 8-polige "
                      "Stromkabel an, bevor Sie den Computer einschalten."},
                     {"4. Treiber installieren",
                      "Starten Sie diese Disc und installieren Sie zuerst den "
                      "Chipsatztreiber."}});
}

}  // namespace

std::string DiscRootOf(const std::string& autorunFolder) {
  std::error_code ec;
  fs::path autorun = fs::absolute(fs::path(autorunFolder), ec).lexically_normal();
  if (ec) return {};
  if (!autorun.has_filename()) autorun = autorun.parent_path();  // a trailing separator
  return autorun.parent_path().string();
}

std::string SimplePdf(const std::string& title, const std::vector<std::string>& lines) {
  // The page: a dark blue band with the title, then the lines of text.
  std::ostringstream content;
  content << "0.047 0.188 0.416 rg 0 762 595 80 re f\n"
          << "0 0.502 0.871 rg 0 758 595 4 re f\n"
          << "BT /F1 22 Tf 0.925 0.949 0.98 rg 48 792 Td " << PdfString(title) << " Tj ET\n"
          << "BT /F2 12 Tf 0.012 0.282 0.443 rg 48 720 Td 18 TL\n";
  for (const std::string& line : lines) content << PdfString(line) << " '\n";
  content << "ET\n";
  const std::string stream = content.str();

  const std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      std::string("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] ") +
          "/Resources << /Font << /F1 4 0 R /F2 5 0 R >> >> /Contents 6 0 R >>",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
      "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream",
  };
  std::string pdf = "%PDF-1.4\n%\342\343\317\323\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);  // 20 bytes each
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\n";
  pdf += "startxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::string ManualSettingsIni() {
  std::ostringstream ini;
  ini << "; Which items have a manual (keyed by their Path value), the file of each" << kEol
      << "; language in the manual's folder below \\manual\\, and the reader to offer." << kEol
      << "[ManualFolder]" << kEol << "..\\Manual\\UserGuide=UserGuide" << kEol
      << "..\\Manual\\QuickGuide=QuickGuide" << kEol << "..\\Manual\\RaidGuide=RaidGuide" << kEol
      << "..\\Drivers\\SATA=RaidGuide" << kEol << kEol;
  ini << "[UserGuide]" << kEol << "English=UserGuide.pdf" << kEol << "French=UserGuide_FR.pdf"
      << kEol << kEol;
  ini << "[QuickGuide]" << kEol << "English=QuickGuide.html" << kEol << "German=QuickGuide_DE.html"
      << kEol << kEol;
  ini << "[RaidGuide]" << kEol << "English=RaidGuide.pdf" << kEol << kEol;
  ini << "[Reader]" << kEol << ".pdf=Software\\PdfReader" << kEol;
  return ini.str();
}

std::vector<DemoManualFile> ManualFiles() {
  return {
      {"Manual\\UserGuide\\UserGuide.pdf",
       SimplePdf("Motherboard User's Guide",
                 {"Thank you for choosing this motherboard.", "",
                  "1. Package contents: the board, this disc, two SATA cables, the I/O shield.",
                  "2. Installation: fit the processor, the memory and the board in the case.",
                  "3. Connectors: see the layout printed on the box.",
                  "4. BIOS setup: press DEL while the computer starts."})},
      {"Manual\\UserGuide\\UserGuide_FR.pdf",
       SimplePdf("Guide de l'utilisateur de la carte m\350re",
                 {"Merci d'avoir choisi cette carte m\350re.", "",
                  "1. Contenu : la carte, ce disque, deux c\342bles SATA, la plaque d'E/S.",
                  "2. Installation : montez le processeur, la m\351moire et la carte.",
                  "3. Connecteurs : voir le sch\351ma imprim\351 sur la bo\356te.",
                  "4. BIOS : appuyez sur SUPPR au d\351marrage."})},
      {"Manual\\QuickGuide\\QuickGuide.html", QuickGuideEnglish()},
      {"Manual\\QuickGuide\\QuickGuide_DE.html", QuickGuideGerman()},
      // The Manuals tab's row itself opens this one.
      {"Manual\\QuickGuide\\QuickGuide.pdf",
       SimplePdf("Quick Installation Guide",
                 {"1. Fit the processor.", "2. Fit the memory.", "3. Connect the power.",
                  "4. Install the drivers from this disc."})},
      {"Manual\\RaidGuide\\RaidGuide.pdf",
       SimplePdf("RAID Setup Guide", {"1. Set the SATA mode to RAID in the BIOS setup.",
                                      "2. Press CTRL+R at start-up to build the array.",
                                      "3. Install the SATA driver of this disc."})},
  };
}

std::string ReportTemplatePage() {
  // The menu's colours: the dark blue body, the list panel, the accent line
  // and the light text of the normal skin.
  std::ostringstream html;
  html << "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
       << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
       << "<title>System Report</title>\r\n<style>\r\n"
       << "body { margin: 0; background: #081222; color: #ecf2fa; font-family: Tahoma, "
          "Verdana, sans-serif; font-size: 12px; }\r\n"
       << ".title { background: #22385c; background: linear-gradient(#22385c, #0c182c); "
          "padding: 12px 24px; border-bottom: 3px solid #0080de; }\r\n"
       << ".title h1 { margin: 0; font-size: 20px; color: #ecf2fa; }\r\n"
       << ".title p { margin: 4px 0 0 0; color: #80a8d2; }\r\n"
       << ".page { padding: 8px 24px 24px 24px; }\r\n"
       << ".panel { background: #0c306a; border: 1px solid #386aac; border-radius: 6px; "
          "margin: 12px 0; padding: 8px 14px; }\r\n"
       << "h2 { color: #46beff; font-size: 14px; margin: 2px 0 6px 0; }\r\n"
       << "table.dmi { border-collapse: collapse; }\r\n"
       << "table.dmi th { text-align: left; color: #80a8d2; font-weight: normal; "
          "padding: 2px 18px 2px 0; vertical-align: top; }\r\n"
       << "table.dmi td { padding: 2px 14px 2px 0; }\r\n"
       << "table.memory th { border-bottom: 1px solid #386aac; }\r\n"
       << "td.none, p.missing { color: #6f8db4; font-style: italic; }\r\n"
       << "</style>\r\n</head>\r\n<body>\r\n"
       << "<div class=\"title\"><h1>System Report</h1>\r\n"
       << "<p>Board type <!--DMI:KIND--> &middot; <!--DMI:SMBIOS--></p></div>\r\n"
       << "<div class=\"page\">\r\n";
  const char* sections[][2] = {{"BIOS", "<!--DMI:BIOS-->"},
                               {"System", "<!--DMI:SYSTEM-->"},
                               {"Motherboard", "<!--DMI:BOARD-->"},
                               {"Processor", "<!--DMI:PROCESSOR-->"},
                               {"Memory", "<!--DMI:MEMORY-->"}};
  for (const auto& s : sections)
    html << "<div class=\"panel\"><h2>" << s[0] << "</h2>\r\n" << s[1] << "\r\n</div>\r\n";
  html << "</div>\r\n</body>\r\n</html>\r\n";
  return html.str();
}

WriteOutcome WriteManuals(const std::string& discFolder) {
  const std::string settings = JoinPath(discFolder, "BIN\\ManualSetting.ini");
  if (!WriteFileBytes(settings, ManualSettingsIni())) return {settings};
  for (const DemoManualFile& f : ManualFiles()) {
    const std::string path = JoinPath(discFolder, f.path);
    if (!WriteFileBytes(path, f.bytes)) return {path};
  }
  return {};
}

WriteOutcome WriteSideButtonFiles(const std::string& autorunFolder) {
  const std::string page = JoinPath(autorunFolder, "ZkDmiHtm\\ZkDmi.htm");
  if (!WriteFileBytes(page, ReportTemplatePage())) return {page};
  const std::string help = JoinPath(autorunFolder, "PCHelper.chm");
  if (!WriteFileBytes(help, HelpFileBytes())) return {help};
  return {};
}

WriteOutcome PlaceReaderInstaller(const std::string& discFolder, const std::string& stubBytes) {
  const std::string path = JoinPath(discFolder, kReaderInstaller);
  if (!WriteFileBytes(path, stubBytes)) return {path};
  return {};
}

}  // namespace pikko::demo
