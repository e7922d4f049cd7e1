#include "demo/DemoManuals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "env/Text.h"
#include "platform/IniReader.h"
#include "tests/TempFolder.h"

namespace pikko::demo {
namespace {

TEST(DemoManuals, EveryManualTheSettingsNameIsOnTheDisc) {
  const IniDocument ini = IniDocument::Parse(ManualSettingsIni());
  std::set<std::string> files;
  for (const DemoManualFile& f : ManualFiles()) files.insert(LowerCase(f.path));
  int manuals = 0;
  std::set<std::string> folders;
  for (const DemoItem& item : DemoItems()) {
    const std::string folder = ini.ReadString("ManualFolder", item.path, "");
    if (folder.empty()) continue;
    ++manuals;
    folders.insert(folder);
    for (const char* language : {"English", "French", "German"}) {
      std::string name = ini.ReadString(folder, language, "");
      if (name.empty()) name = ini.ReadString(folder, "English", "");
      ASSERT_FALSE(name.empty()) << folder;
      // The opener builds root + "\manual\" + folder + "\" + name.
      EXPECT_EQ(files.count(LowerCase("Manual\\" + folder + "\\" + name)), 1u)
          << item.path << " " << language;
    }
  }
  EXPECT_GE(manuals, 3);
  EXPECT_EQ(ini.ReadString("Reader", ".PDF", ""), "Software\\PdfReader");
  // Two manuals in two languages, one of them PDF and one HTML.
  EXPECT_NE(ini.ReadString("UserGuide", "French", ""), ini.ReadString("UserGuide", "English", ""));
  EXPECT_TRUE(EndsWithText(ini.ReadString("UserGuide", "English", ""), ".pdf"));
  EXPECT_TRUE(EndsWithText(ini.ReadString("QuickGuide", "German", ""), ".html"));
}

TEST(DemoManuals, ThePdfCrossReferencePointsAtItsObjects) {
  const std::string pdf = SimplePdf("A (title)", {"line \\ one", "line two"});
  ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
  const std::size_t startxref = pdf.rfind("startxref\n");
  ASSERT_NE(startxref, std::string::npos);
  const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
  ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
  // Seven entries of 20 bytes after "xref\n0 7\n": the free one, then objects 1..6.
  ASSERT_EQ(pdf.compare(xref + 5, 4, "0 7\n"), 0);
  for (int n = 1; n <= 6; ++n) {
    const std::string entry = pdf.substr(xref + 9 + 20 * n, 20);
    ASSERT_EQ(entry.substr(10), " 00000 n \n") << n;
    const std::size_t at = std::stoul(entry.substr(0, 10));
    EXPECT_EQ(pdf.compare(at, std::to_string(n).size() + 6, std::to_string(n) + " 0 obj"), 0) << n;
  }
  // The stream is as long as it says.
  const std::size_t length = pdf.find("/Length ");
  const std::size_t bytes = std::stoul(pdf.substr(length + 8));
  const std::size_t begin = pdf.find("stream\n", length) + 7;
  EXPECT_EQ(pdf.compare(begin + bytes, 9, "endstream"), 0);
  EXPECT_NE(pdf.find("(A \\(title\\)) Tj"), std::string::npos);
  EXPECT_NE(pdf.find("(line \\\\ one) '"), std::string::npos);
}

TEST(DemoManuals, TheReportTemplateHoldsEveryPlaceholder) {
  const std::string page = ReportTemplatePage();
  for (const char* p :
       {"<!--DMI:BIOS-->", "<!--DMI:SYSTEM-->", "<!--DMI:BOARD-->", "<!--DMI:PROCESSOR-->",
        "<!--DMI:MEMORY-->", "<!--DMI:SMBIOS-->", "<!--DMI:KIND-->"})
    EXPECT_NE(page.find(p), std::string::npos) << p;
}

std::uint64_t Read(const std::string& s, std::size_t at, int bytes) {
  std::uint64_t v = 0;
  for (int i = bytes; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

TEST(DemoManuals, TheHelpFilesDirectoryFindsItsPage) {
  const std::string chm = HelpFileBytes();
  ASSERT_EQ(chm.compare(0, 4, "ITSF"), 0);
  EXPECT_EQ(Read(chm, 0x60 + 8, 8), chm.size());  // the file length in header section 0
  const std::size_t directory = Read(chm, 0x48, 8);
  const std::size_t content = Read(chm, 0x58, 8);
  ASSERT_EQ(chm.compare(directory, 4, "ITSP"), 0);
  const std::size_t chunk = directory + 0x54;
  ASSERT_EQ(chm.compare(chunk, 4, "PMGL"), 0);
  EXPECT_EQ(content, chunk + 0x1000);
  // Walk the entries up to the free space, as a reader does.
  const std::size_t end = chunk + 0x1000 - Read(chm, chunk + 4, 4);
  std::size_t at = chunk + 20;
  auto encint = [&] {
    std::uint64_t v = 0;
    unsigned char b;
    do {
      b = static_cast<unsigned char>(chm[at++]);
      v = (v << 7) | (b & 0x7F);
    } while (b & 0x80);
    return v;
  };
  std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> entries;
  while (at < end) {
    const std::size_t n = encint();
    const std::string name = chm.substr(at, n);
    at += n;
    EXPECT_EQ(encint(), 0u) << name;  // uncompressed section
    const std::uint64_t offset = encint();
    entries[name] = {offset, encint()};
  }
  EXPECT_EQ(at, end);
  EXPECT_EQ(Read(chm, chunk + 0x1000 - 2, 2), entries.size());
  ASSERT_EQ(entries.count("/index.htm"), 1u);
  const auto page = entries["/index.htm"];
  EXPECT_EQ(chm.compare(content + page.first, 6, "<html>"), 0);
  EXPECT_LE(content + page.first + page.second, chm.size());
  ASSERT_EQ(entries.count("/#SYSTEM"), 1u);
  const std::string system =
      chm.substr(content + entries["/#SYSTEM"].first, entries["/#SYSTEM"].second);
  EXPECT_NE(system.find(std::string("index.htm") + '\0'), std::string::npos);
}

TEST(DemoManuals, ATestDiscCarriesTheManualsBesideItsProgramFolder) {
  pikko::testing::TempFolder temp;
  const std::string program = (temp.Path() / "AUTORUN").string();
  TestDiscOptions options;
  options.manuals = true;
  options.sideButtonFiles = true;
  ASSERT_TRUE(WriteTestDisc(program, "[SETUP_ITEM]\r\n", options).Ok());
  namespace fs = std::filesystem;
  EXPECT_TRUE(fs::exists(temp.Path() / "BIN" / "ManualSetting.ini"));
  EXPECT_TRUE(fs::exists(temp.Path() / "Manual" / "UserGuide" / "UserGuide_FR.pdf"));
  EXPECT_TRUE(fs::exists(temp.Path() / "TECHSUPP.TXT"));
  EXPECT_TRUE(fs::exists(temp.Path() / "AUTORUN" / "ZkDmiHtm" / "ZkDmi.htm"));
  EXPECT_TRUE(fs::exists(temp.Path() / "AUTORUN" / "PCHelper.chm"));
  ASSERT_TRUE(PlaceReaderInstaller(DiscRootOf(program), "MZ").Ok());
  EXPECT_TRUE(fs::exists(temp.Path() / "Software" / "PdfReader" / "ZekaSetup.exe"));
}

}  // namespace
}  // namespace pikko::demo
