// The pieces of disccheck and the shipping checks: the INI line index, the
// PE reader, the manifest rules, the committed icon and the list of texts
// the menu translates.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "demo/AppIcon.h"
#include "disccheck/DiscChecker.h"
#include "disccheck/IniLineIndex.h"
#include "disccheck/PeFile.h"
#include "disccheck/ShippingChecks.h"
#include "disccheck/TextMetrics.h"
#include "platform/IniReader.h"
#include "tests/BadDiscs.h"

namespace pikko::disccheck {
namespace {

const std::string kSource = PIKKO_SOURCE_DIR;

TEST(IniLineIndex, LinesOfSectionsAndKeys) {
  const std::string text =
      "; head\r\n[A]\r\nk=1\r\n  K = 2 \r\n\r\n[b ]\r\nx\r\n;c=3\r\n[A]\r\nz=4\r\n";
  const IniLineIndex index = IniLineIndex::Build(text);
  struct Case {
    const char* section;
    const char* key;
    int line;
  };
  const Case cases[] = {{"a", "", 2},  {"A", "k", 3}, {"A", "z", 0},  {"B", "", 6},
                        {"b", "x", 7}, {"b", ";c", 8}, {"none", "k", 0}};
  for (const Case& c : cases) {
    const int line = *c.key ? index.KeyLine(c.section, c.key) : index.SectionLine(c.section);
    EXPECT_EQ(line, c.line) << c.section << "/" << c.key;
  }
  ASSERT_EQ(index.Sections().size(), 4u);  // the part above the first header, A, b, A again
  EXPECT_EQ(index.Sections()[3].line, 9);
  EXPECT_FALSE(index.Sections()[2].keys[0].hasValue);
  EXPECT_TRUE(index.Sections()[2].keys[1].comment);
  ASSERT_NE(index.FindValue("2"), nullptr);
  EXPECT_EQ(index.FindValue("2")->line, 4);
}

TEST(IniLineIndex, AgreesWithTheReaderOnWhichKeysExist) {
  // A file split at CR only, a header without its bracket, blanks everywhere.
  const std::string texts[] = {"[S]\rK=V\r[T]\rX=1\r", "[S\nK=V\n[S]\nK=W\n", " [ S ] \n K=V\n"};
  for (const std::string& text : texts) {
    const IniLineIndex index = IniLineIndex::Build(text);
    const IniDocument doc = IniDocument::Parse(text);
    for (const std::string& section : doc.SectionNames())
      for (const std::string& key : doc.KeyNames(section))
        EXPECT_GT(index.KeyLine(section, key), 0) << section << "/" << key << " in " << text;
  }
}

// The disc libraries' exports as the 32-bit menu looks them up: by the plain
// name only; a standard-call name left decorated, or a 64-bit library, is
// a library the menu cannot use.
TEST(ShippingChecks, DiscLibraryExportsAreFoundUndecorated) {
  const RequiredExports required = ParseRequiredExports(
      "# comment\npngio.dll ReadPngEx\nPNGIO.DLL FreePngData\nZkProbe.dll ZEKAIoControl\n");
  struct Case {
    bool is64;
    std::vector<std::string> exports;
    const char* file;
    std::vector<std::string> problems;
  } cases[] = {
      {false, {"ReadPngEx", "FreePngData"}, "pngio.dll", {}},
      {false, {"_ReadPngEx@12", "FreePngData"}, "pngio.dll",
       {"exports ReadPngEx only decorated, as _ReadPngEx@12"}},
      {false, {"ReadPngEx@12", "FreePngData@4"}, "Pngio.dll",
       {"exports ReadPngEx only decorated, as ReadPngEx@12",
        "exports FreePngData only decorated, as FreePngData@4"}},
      {false, {"ReadPngExA", "FreePngData"}, "pngio.dll", {"does not export ReadPngEx"}},
      {true, {"ReadPngEx", "FreePngData"}, "pngio.dll", {"not a 32-bit library"}},
      {false, {"ZEKAIoControl"}, "other.dll", {"no exports are listed for other.dll"}},
  };
  for (const Case& c : cases) {
    const auto pe = PeFile::Parse(pikko::testing::MinimalPe(c.is64, true, c.exports));
    ASSERT_TRUE(pe);
    EXPECT_EQ(CheckExports(*pe, c.file, required, true).problems, c.problems) << c.exports[0];
  }
}

TEST(PeFile, ReadsMachineAndExportsAndSurvivesDamage) {
  const std::string dll = pikko::testing::MinimalPe(false, true, {"ZkTranslateStr", "Other"});
  const auto pe = PeFile::Parse(dll);
  ASSERT_TRUE(pe);
  EXPECT_EQ(pe->Machine(), PeFile::kI386);
  EXPECT_FALSE(pe->Is64Bit());
  EXPECT_TRUE(pe->IsDll());
  EXPECT_TRUE(pe->Exports("ZkTranslateStr"));
  EXPECT_FALSE(pe->Exports("zktranslatestr"));  // names compare as the loader compares them
  // Every cut of the file reads as nothing or as less, never past its end.
  for (std::size_t size = 0; size < dll.size(); size += 7) PeFile::Parse(dll.substr(0, size));
  std::string wild = dll;
  for (std::size_t at = 0x44; at < 0x180; at += 3) wild[at] = static_cast<char>(0xFF);
  PeFile::Parse(wild);
  EXPECT_FALSE(PeFile::Parse("MZ"));
  EXPECT_FALSE(PeFile::Parse(std::string(100, 'x')));
}

TEST(Shipping, TheCommittedManifestPassesAndEachFaultIsNamed) {
  const std::string manifest = pikko::testing::ReadAll(kSource + "/app/Pikko.manifest");
  EXPECT_TRUE(ManifestProblems(manifest).empty());
  struct Case {
    const char* name;
    std::string from, to;
    const char* problem;
  };
  const Case cases[] = {
      {"elevation", "asInvoker", "requireAdministrator", "asInvoker"},
      {"no common controls", "Microsoft.Windows.Common-Controls", "Other", "Common-Controls"},
      {"DPI aware", ">false</dpiAware>", ">true</dpiAware>", "dpiAware"},
      {"no GDI scaling", ">true</gdiScaling>", ">false</gdiScaling>", "gdiScaling"},
      {"supported OS", "</assembly>",
       "<compatibility><application><supportedOS Id=\"x\"/></application></compatibility></assembly>",
       "supportedOS"},
  };
  for (const Case& c : cases) {
    std::string changed = manifest;
    changed.replace(changed.find(c.from), c.from.size(), c.to);
    const auto problems = ManifestProblems(changed);
    ASSERT_EQ(problems.size(), 1u) << c.name;
    EXPECT_NE(problems[0].find(c.problem), std::string::npos) << c.name << ": " << problems[0];
  }
}

TEST(Shipping, ImportsOutsideTheListAreNamed) {
  const AllowedImports allowed = ParseAllowedImports(
      "# comment\nkernel32.dll!GetTickCount64 Vista\nKERNEL32.dll!Sleep XP\nbad line\n");
  EXPECT_EQ(allowed.size(), 2u);
  const auto pe = PeFile::Parse(pikko::testing::MinimalPe(true, false));
  ASSERT_TRUE(pe);
  const ShippingReport report = CheckImports(*pe, allowed);
  EXPECT_TRUE(report.problems.empty());
  EXPECT_NE(report.facts[0].find("Windows XP"), std::string::npos);
}

TEST(Shipping, TheCommittedIconIsTheDrawnOne) {
  EXPECT_EQ(pikko::testing::ReadAll(kSource + "/app/Pikko.ico"), demo::EncodeAppIcon())
      << "regenerate it: make_demo_disc --icon app/Pikko.ico";
}

TEST(TranslatedTexts, AreTheEnglishFileAndEveryTextTheCodeTranslates) {
  const IniDocument english =
      IniDocument::Parse(pikko::testing::EncodedLanguageFile(kSource + "/stand-ins/lang/English.ini"));
  EXPECT_EQ(english.KeyNames("Strings"), TranslatedTexts());
  // Every literal text the menu's code passes to Translate is in the list.
  // A text may be written as adjacent literals, which the compiler joins.
  const std::regex literal("Translate\\(\\s*((\"[^\"]*\"\\s*)+)");
  const std::regex piece("\"([^\"]*)\"");
  for (const char* folder : {"app", "actions", "promotion", "Manual_Opener", "env"}) {
    for (const auto& entry : std::filesystem::directory_iterator(kSource + "/" + folder)) {
      if (!entry.is_regular_file()) continue;  // promotion/fakes/ holds no menu code
      const std::string code = pikko::testing::ReadAll(entry.path());
      for (std::sregex_iterator it(code.begin(), code.end(), literal), end; it != end; ++it) {
        const std::string literals = (*it)[1];
        std::string text;
        for (std::sregex_iterator p(literals.begin(), literals.end(), piece), none; p != none; ++p)
          text += (*p)[1];
        EXPECT_NE(std::find(TranslatedTexts().begin(), TranslatedTexts().end(), text),
                  TranslatedTexts().end())
            << text << " in " << entry.path();
      }
    }
  }
}

TEST(TextMetrics, WrapsAtWordsAndLineFeeds) {
  auto width = [](const std::string& s) { return static_cast<int>(s.size()); };
  struct Case {
    const char* text;
    int width;
    int lines;
  };
  const Case cases[] = {{"", 10, 1},           {"abc", 10, 1},         {"abc def", 7, 1},
                        {"abc def", 6, 2},     {"a\nb", 10, 2},        {"abcdefghijk", 5, 1},
                        {"ab cd ef gh", 5, 2}, {"ab  cd", 2, 2},       {"a\n\nb", 10, 3}};
  for (const Case& c : cases)
    EXPECT_EQ(WrappedLineCount(c.text, c.width, width), c.lines) << c.text << " in " << c.width;
  // The table knows the menu's two fonts, and a bold face is wider.
  const TableMeasurer table;
  ASSERT_TRUE(table.Width(RowFont(), "Chipset Driver"));
  EXPECT_GT(*table.Width(RowFont(), "Chipset Driver"), *table.Width(DescriptionFont(), "Chipset Driver"));
  EXPECT_FALSE(table.Width({"Arial", 13, true}, "x"));
}

}  // namespace
}  // namespace pikko::disccheck
