#include "Manual_Opener/Manualini.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

constexpr char kSettings[] = "D:\\BIN\\ManualSetting.ini";
constexpr char kPlatformFile[] = "C:\\WINDOWS\\Zkcd_tmp.ini";
const OsVersionInfo kWindows7{6, 1, 7601, 2, 1, 0};
const OsVersionInfo kWindows8{6, 2, 9200, 2, 1, 0};

class ManualIniTest : public ::testing::Test {
 protected:
  fakes::FakeSystem sys;
  ManualIni opener{"D:\\", kSettings};

  void SetUp() override {
    Settings(
        "[ManualFolder]\r\nGuide=Guide\r\nPage=Page\r\nOld=Old\r\nEmpty=\r\n"
        "[Guide]\r\nEnglish=Guide.pdf\r\nFrench=Guide_FR.pdf\r\n"
        "[Page]\r\nEnglish=Page.html\r\n[Old]\r\nEnglish=Old.htm\r\n"
        "[Reader]\r\n.pdf=Software\\PdfReader\r\n");
    Language("WNT_6.1P_64, German ");
    for (const char* f : {"D:\\manual\\Guide\\Guide.pdf", "D:\\manual\\Guide\\Guide_FR.pdf",
                          "D:\\manual\\Page\\Page.html", "D:\\manual\\Old\\Old.htm"})
      sys.files.AddFile(f, std::string("bytes of ") + f);
    sys.version.version = kWindows7;
  }
  void Settings(const std::string& ini) { sys.files.AddFile(kSettings, ini); }
  void Language(const std::string& specifiedOs) {
    sys.files.AddFile(kPlatformFile, "[PLATFORM]\r\nSpecified OS=" + specifiedOs + "\r\n");
  }
  void PdfHandler() {
    sys.classes.AddKey(".pdf\\OpenWithList\\AcroRd32.exe");
    sys.classes.SetString("Applications\\AcroRd32.exe\\Shell\\Open\\command", "",
                          "\"C:\\Reader\\AcroRd32.exe\" \"%1\"");
  }
  std::string ShellOpened() const {
    return sys.shellEx.requests.empty() ? "(nothing)" : sys.shellEx.requests.back().file;
  }
};

TEST(ManualIniInstance, TheFirstCallMakesTheOneOpener) {
  fakes::FakeSystem sys;
  ManualIni::ResetForTests();
  EXPECT_EQ(ManualIni::Existing(), nullptr);
  ManualIni& first = ManualIni::Instance("D:\\", "D:\\BIN\\ManualSetting.ini");
  ManualIni& second = ManualIni::Instance("E:\\Other\\", "E:\\x.ini");
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(ManualIni::Existing(), &first);
  EXPECT_EQ(second.RootFolder(), "D:");  // the root without its backslash
  EXPECT_EQ(second.SettingsFile(), "D:\\BIN\\ManualSetting.ini");
  ManualIni::ResetForTests();
  EXPECT_EQ(ManualIni::Instance("E:\\Other\\", "E:\\x.ini").RootFolder(), "E:\\Other");
  ManualIni::ResetForTests();
}

TEST_F(ManualIniTest, HasManualExactlyWhenTheFolderIsNamed) {
  EXPECT_TRUE(opener.HasManual("Guide"));
  EXPECT_TRUE(opener.HasManual("GUIDE"));  // names compare without regard to case
  EXPECT_FALSE(opener.HasManual("Empty"));
  EXPECT_FALSE(opener.HasManual("Unknown"));
  EXPECT_FALSE(opener.HasManual(""));
  EXPECT_FALSE(ManualIni("D:\\", "").HasManual("Guide"));
  sys.files.Remove(kSettings);
  EXPECT_FALSE(opener.HasManual("Guide"));
}

TEST_F(ManualIniTest, TheFileOfTheUsersLanguageOrTheEnglishOne) {
  struct Case {
    const char* specifiedOs;  // nullptr: no Specified OS file
    const char* key;
    const char* opened;
  };
  const Case cases[] = {
      {"WNT_6.1P_64,French", "Guide", "D:\\manual\\Guide\\Guide_FR.pdf"},
      {"WNT_6.1P_64, German ", "Guide", "D:\\manual\\Guide\\Guide.pdf"},  // no German entry
      {"WNT_6.1P_64 French", "Guide", "D:\\manual\\Guide\\Guide.pdf"},    // no comma: no language
      {nullptr, "Guide", "D:\\manual\\Guide\\Guide.pdf"},
      {",French", "Guide", "D:\\manual\\Guide\\Guide_FR.pdf"},
      {"x,French", "Missing", "D:\\Manual"},  // no folder: the manuals folder
      {"x,French", "", "D:\\Manual"},
  };
  for (const Case& c : cases) {
    if (c.specifiedOs)
      Language(c.specifiedOs);
    else
      sys.files.Remove(kPlatformFile);
    opener.OpenManual(c.key, "?");
    EXPECT_EQ(ShellOpened(), c.opened)
        << (c.specifiedOs ? c.specifiedOs : "(none)") << " " << c.key;
  }
}

TEST_F(ManualIniTest, AMissingFileOpensTheManualsFolder) {
  sys.files.Remove("D:\\manual\\Guide\\Guide.pdf");
  opener.OpenManual("Guide", "?");
  EXPECT_EQ(ShellOpened(), "D:\\Manual");
  sys.files.Remove(kSettings);
  opener.OpenManual("Guide", "?");
  EXPECT_EQ(ShellOpened(), "D:\\Manual");
  EXPECT_TRUE(sys.messages.shown.empty());
}

TEST_F(ManualIniTest, NoSettingsFileNameOpensNothing) {
  ManualIni("D:\\", "").OpenManual("Guide", "?");
  EXPECT_TRUE(sys.shellEx.requests.empty());
  EXPECT_TRUE(sys.messages.shown.empty());
}

TEST_F(ManualIniTest, OpenFileChoosesTheRouteByTypeAndVersion) {
  PdfHandler();
  sys.classes.AddKey("*\\OpenWithList\\iexplore.exe");
  sys.classes.SetString("Applications\\iexplore.exe\\Shell\\open\\command", "", "ie.exe %1");
  struct Case {
    OsVersionInfo version;
    const char* path;
    const char* process;  // the command line started, or "" for the shell route
  };
  const Case cases[] = {
      {kWindows8, "D:\\m\\a.pdf", "\"C:\\Reader\\AcroRd32.exe\" \"D:\\m\\a.pdf\""},
      {kWindows8, "D:\\m\\A.PDF", "\"C:\\Reader\\AcroRd32.exe\" \"D:\\m\\A.PDF\""},
      {kWindows7, "D:\\m\\a.pdf", ""},
      {kWindows7, "D:\\m\\a.html", "ie.exe D:\\m\\a.html"},
      {kWindows8, "D:\\m\\a.HTML", "ie.exe D:\\m\\a.HTML"},
      {kWindows8, "D:\\m\\a.htm", ""},  // the browser route is for ".html" only
      {kWindows8, "D:\\m\\a.txt", ""},
      {kWindows8, "D:\\Manual", ""},
  };
  for (const Case& c : cases) {
    sys.version.version = c.version;
    sys.processes.created.clear();
    sys.shellEx.requests.clear();
    EXPECT_EQ(opener.OpenFile(c.path), 0) << c.path;
    if (*c.process) {
      ASSERT_EQ(sys.processes.created.size(), 1u) << c.path;
      EXPECT_EQ(sys.processes.created[0].commandLine, c.process);
      EXPECT_TRUE(sys.shellEx.requests.empty()) << c.path;
    } else {
      ASSERT_EQ(sys.shellEx.requests.size(), 1u) << c.path;
      const ShellExecuteRequest& r = sys.shellEx.requests[0];
      EXPECT_EQ(r.mask, 0x440u);
      EXPECT_EQ(r.verb, "open");
      EXPECT_EQ(r.file, c.path);
      EXPECT_EQ(r.directory, std::string(c.path).substr(0, std::string(c.path).rfind('\\') + 1));
      EXPECT_EQ(r.owner, nullptr);
      EXPECT_EQ(r.show, 1);
      EXPECT_TRUE(sys.processes.created.empty()) << c.path;
    }
  }
  sys.shellEx.executeResult = false;
  EXPECT_EQ(opener.OpenFile("D:\\m\\a.htm"), 1);
  sys.processes.createResult = false;
  EXPECT_EQ(opener.OpenFile("D:\\m\\a.html"), 1);
}

TEST_F(ManualIniTest, NothingToOpenWithAsksAndYesStartsTheReaderInstaller) {
  sys.shellEx.executeResult = false;
  sys.messages.answers = {mb::IdYes};
  WindowHandle owner = reinterpret_cast<WindowHandle>(0x1234);
  opener.OpenManual("Guide", "Install the reader?", owner);
  ASSERT_EQ(sys.messages.shown.size(), 1u);
  EXPECT_EQ(sys.messages.shown[0].text, "Install the reader?");
  EXPECT_EQ(sys.messages.shown[0].caption, "");
  EXPECT_EQ(sys.messages.shown[0].style, 0x24u);
  EXPECT_EQ(sys.messages.shown[0].owner, owner);
  ASSERT_EQ(sys.processes.created.size(), 1u);
  const ProcessStart& s = sys.processes.created[0];
  EXPECT_EQ(s.commandLine, "\"D:\\Software\\PdfReader\\ZekaSetup.exe\"");
  EXPECT_EQ(s.workingFolder, "D:\\Software\\");
  EXPECT_EQ(s.creationFlags, 0x08000000u);
  EXPECT_EQ(s.waitMilliseconds, 0u);
  EXPECT_TRUE(sys.files.written.empty());
}

TEST_F(ManualIniTest, AnUpperCaseExtensionFindsTheReaderEntry) {
  Settings(
      "[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=GUIDE.PDF\r\n"
      "[Reader]\r\n.pdf=Reader Folder\r\n");
  sys.files.AddFile("D:\\manual\\Guide\\GUIDE.PDF");
  sys.version.version = kWindows8;  // the PDF route, with no program for PDF files
  sys.messages.answers = {mb::IdYes};
  opener.OpenManual("Guide", "?");
  EXPECT_TRUE(sys.shellEx.requests.empty());
  ASSERT_EQ(sys.processes.created.size(), 1u);
  EXPECT_EQ(sys.processes.created[0].commandLine, "\"D:\\Reader Folder\\ZekaSetup.exe\"");
}

TEST_F(ManualIniTest, NoOnWindows7DoesNothingMore) {
  sys.shellEx.executeResult = false;
  sys.messages.answers = {mb::IdNo};
  opener.OpenManual("Guide", "?");
  EXPECT_EQ(sys.messages.shown.size(), 1u);
  EXPECT_TRUE(sys.processes.created.empty());
  EXPECT_TRUE(sys.files.written.empty());
  EXPECT_TRUE(sys.shell.calls.empty());
}

// A Japanese disc: folder and file names whose last byte is a backslash.
// TABLE is "一覧表" in Shift-JIS (code page 932), ending in 0x5C.
#define TABLE "\x88\xEA\x97\x97\x95\x5C"

TEST_F(ManualIniTest, DoubleByteNamesKeepTheirTrailBytes) {
  sys.version.ansiCodePage = 932;
  const std::string root = "E:\\" TABLE;
  const std::string manual = root + "\\manual\\Guide\\" TABLE ".pdf";
  sys.files.AddFile(manual, "the manual");
  Settings("[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=" TABLE
           ".pdf\r\n[Reader]\r\n.pdf=" TABLE "\r\n");
  const ManualIni japanese(root + "\\", kSettings);
  japanese.OpenManual("Guide", "?");
  ASSERT_EQ(sys.shellEx.requests.size(), 1u);
  EXPECT_EQ(sys.shellEx.requests[0].file, manual);
  EXPECT_EQ(sys.shellEx.requests[0].directory, root + "\\manual\\Guide\\");

  // The reader's installer starts in the folder that holds its folder.
  sys.shellEx.executeResult = false;
  sys.messages.answers = {mb::IdYes};
  japanese.OpenManual("Guide", "?");
  ASSERT_EQ(sys.processes.created.size(), 1u);
  EXPECT_EQ(sys.processes.created[0].commandLine, "\"" + root + "\\" TABLE "\\ZekaSetup.exe\"");
  EXPECT_EQ(sys.processes.created[0].workingFolder, root + "\\");

  // The copy keeps the whole name, from the settings file's last separator.
  sys.version.version = kWindows8;
  sys.batchText.sameCodePage = true;  // ANSI and OEM are both 932
  for (const char* name : {TABLE ".pdf", "sub\\" TABLE ".pdf"}) {
    Settings(std::string("[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=") + name + "\r\n");
    sys.files.AddFile(root + "\\manual\\Guide\\" + name, "the manual");
    sys.files.Remove("C:\\TEMP\\" TABLE ".pdf");
    sys.shell.calls.clear();
    sys.messages.answers = {mb::IdNo};
    japanese.OpenManual("Guide", "?");
    EXPECT_EQ(sys.files.Contents("C:\\TEMP\\" TABLE ".pdf").value_or("(none)"), "the manual")
        << name;
    EXPECT_EQ(sys.files.Contents("C:\\TEMP\\\\OpenManualBat.bat").value_or("(none)"),
              "start \"\" \"C:\\TEMP\\" TABLE ".pdf\"")
        << name;
    EXPECT_EQ(sys.shell.calls.size(), 1u) << name;
  }
}

class BatchRoute : public ManualIniTest {
 protected:
  void SetUp() override {
    ManualIniTest::SetUp();
    sys.version.version = kWindows8;  // and no program registered for PDF files
    sys.messages.answers = {mb::IdNo};
  }
  std::string Batch() const { return sys.folders.temp + "\\OpenManualBat.bat"; }
};

TEST_F(BatchRoute, NoWritesAQuotedBatchFileCopiesTheManualAndOpensItHidden) {
  sys.folders.temp = "C:\\Users\\Jane Doe\\AppData\\Local\\Temp\\";
  Settings("[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=User Guide.pdf\r\n");
  sys.files.AddFile("D:\\manual\\Guide\\User Guide.pdf", "the manual");
  opener.OpenManual("Guide", "?");
  const std::string copy = "C:\\Users\\Jane Doe\\AppData\\Local\\Temp\\User Guide.pdf";
  EXPECT_EQ(sys.files.Contents(Batch()).value_or("(none)"), "start \"\" \"" + copy + "\"");
  EXPECT_EQ(sys.files.Contents(copy).value_or("(none)"), "the manual");
  ASSERT_EQ(sys.shell.calls.size(), 1u);
  const fakes::ShellCall& call = sys.shell.calls[0];
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, "C:\\Users\\Jane Doe\\AppData\\Local\\Temp\\\\OpenManualBat.bat");
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.show, 0);
}

TEST_F(BatchRoute, AnEarlierCopyStaysAndIsOpened) {
  sys.files.AddFile("C:\\TEMP\\Guide.pdf", "an earlier copy");
  opener.OpenManual("Guide", "?");
  EXPECT_EQ(sys.files.Contents("C:\\TEMP\\Guide.pdf").value_or(""), "an earlier copy");
  EXPECT_EQ(sys.files.Contents(Batch()).value_or(""), "start \"\" \"C:\\TEMP\\Guide.pdf\"");
  EXPECT_EQ(sys.shell.calls.size(), 1u);
}

TEST_F(BatchRoute, APercentSignIsWrittenForTheCommandInterpreter) {
  Settings("[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=100%PATH%.pdf\r\n");
  sys.files.AddFile("D:\\manual\\Guide\\100%PATH%.pdf");
  opener.OpenManual("Guide", "?");
  EXPECT_EQ(sys.files.Contents(Batch()).value_or(""), "start \"\" \"C:\\TEMP\\100%%PATH%%.pdf\"");
}

// The copy is one file of the temporary folder, or nothing: a name the
// system would read as the folder, its parent or no file at all is refused.
TEST_F(BatchRoute, OnlyAPlainFileNameIsCopied) {
  const struct {
    const char* name;
    bool opened;
  } cases[] = {{"..Guide.pdf", true}, {"Guide.pdf", true},  {"...", false}, {". .", false},
               {".. ", false},        {"Guide.", false},    {"Guide ", false},
               {"Gu*de.pdf", false},  {"Gu\x01" "de.pdf", false}};
  for (const auto& c : cases) {
    Settings(std::string("[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=") + c.name + "\r\n");
    sys.files.AddFile(std::string("D:\\manual\\Guide\\") + c.name);
    sys.shell.calls.clear();
    sys.files.written.clear();
    sys.messages.answers = {mb::IdNo};
    opener.OpenManual("Guide", "?");
    EXPECT_EQ(sys.shell.calls.size(), c.opened ? 1u : 0u) << c.name;
    EXPECT_EQ(sys.files.written.empty(), !c.opened) << c.name;
  }
}

TEST_F(BatchRoute, PathsBeyondTheirRoomAreRefused) {
  struct Case {
    std::size_t nameLength;
    bool opened;
  };
  // C:\TEMP\ has 8 characters; the copy path may have 339.
  const Case cases[] = {{331, true}, {332, false}, {400, false}};
  for (const Case& c : cases) {
    const std::string name = std::string(c.nameLength - 4, 'n') + ".pdf";
    Settings("[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=" + name + "\r\n");
    sys.files.AddFile("D:\\manual\\Guide\\" + name);
    sys.shell.calls.clear();
    sys.files.written.clear();
    sys.messages.answers = {mb::IdNo};
    opener.OpenManual("Guide", "?");
    EXPECT_EQ(sys.shell.calls.size(), c.opened ? 1u : 0u) << c.nameLength;
    EXPECT_EQ(!sys.files.written.empty(), c.opened) << c.nameLength;
  }
  // A temporary folder that leaves no room for the batch file's name.
  Settings("[ManualFolder]\r\nGuide=Guide\r\n[Guide]\r\nEnglish=Guide.pdf\r\n");
  sys.folders.temp = "C:\\" + std::string(320, 't') + "\\";
  sys.shell.calls.clear();
  sys.messages.answers = {mb::IdNo};
  opener.OpenManual("Guide", "?");
  EXPECT_TRUE(sys.shell.calls.empty());
}

// The command interpreter reads the batch file in the OEM code page: the
// temporary folder of a user "José" is written as it reads it there (é is
// 0xE9 in the Western ANSI code page, 0x82 in the OEM one).
TEST_F(BatchRoute, AnAccentedTemporaryFolderIsWrittenInTheOemCodePage) {
  const std::string temp = "C:\\Users\\Jos\xE9\\AppData\\Local\\Temp\\";
  sys.folders.temp = temp;
  sys.batchText.oem = {{0xE9, '\x82'}};
  opener.OpenManual("Guide", "?");
  EXPECT_EQ(sys.files.Contents(Batch()).value_or("(none)"),
            "start \"\" \"C:\\Users\\Jos\x82\\AppData\\Local\\Temp\\Guide.pdf\"");
  EXPECT_TRUE(sys.files.Contents(temp + "Guide.pdf").has_value());
  ASSERT_EQ(sys.shell.calls.size(), 1u);
  EXPECT_EQ(sys.shell.calls[0].file, temp + "\\OpenManualBat.bat");  // the system takes ANSI
}

// A character without an OEM form (here 0x9A, the Western s with caron):
// the line names the copy by its short form, or nothing is opened when no
// form can be written.
TEST_F(BatchRoute, ACharacterWithoutAnOemFormIsWrittenInItsShortForm) {
  const std::string temp = "C:\\Users\\Ji\x9Ai\\AppData\\Local\\Temp\\";
  const std::string copy = temp + "Guide.pdf";
  struct Case {
    const char* what;
    std::map<std::string, std::string> shortPaths;
    bool failConversion;
    const char* line;  // nullptr: nothing opened
  };
  const Case cases[] = {
      {"short form",
       {{copy, "C:\\Users\\JII~1\\AppData\\Local\\Temp\\Guide.pdf"}},
       false,
       "start \"\" \"C:\\Users\\JII~1\\AppData\\Local\\Temp\\Guide.pdf\""},
      {"no short form", {}, false, nullptr},
      {"a short form that has no OEM form either", {{copy, copy}}, false, nullptr},
      {"no conversion", {{copy, "C:\\JII~1\\Guide.pdf"}}, true, nullptr},
  };
  for (const Case& c : cases) {
    sys.folders.temp = temp;
    sys.files.Remove(Batch());
    sys.files.Remove(copy);
    sys.batchText.shortPaths = c.shortPaths;
    sys.batchText.failConversion = c.failConversion;
    sys.shell.calls.clear();
    sys.messages.answers = {mb::IdNo};
    opener.OpenManual("Guide", "?");
    EXPECT_EQ(sys.files.Contents(Batch()).value_or("(none)"), c.line ? c.line : "(none)") << c.what;
    EXPECT_EQ(sys.shell.calls.size(), c.line ? 1u : 0u) << c.what;
  }
}

TEST_F(BatchRoute, ABatchFileThatCannotBeWrittenIsNotOpened) {
  sys.files.failWrites = true;
  opener.OpenManual("Guide", "?");
  EXPECT_TRUE(sys.shell.calls.empty());
}

TEST(BatchFileLine, StartsTheQuotedPathWithPercentSignsDoubled) {
  EXPECT_EQ(BatchFileLine("C:\\T\\a b.pdf"), "start \"\" \"C:\\T\\a b.pdf\"");
  EXPECT_EQ(BatchFileLine("C:\\T\\%x%.pdf"), "start \"\" \"C:\\T\\%%x%%.pdf\"");
}

TEST(ManualExtension, FromTheLastDotOfTheName) {
  const char* const cases[][2] = {
      {"D:\\m\\a.PDF", ".PDF"}, {"D:\\m\\a.b.html", ".html"}, {"D:\\Manual", ""},
      {"D:\\v1.2\\Manual", ""}, {"D:\\m\\a.", "."},
  };
  for (const auto& c : cases) EXPECT_EQ(ManualExtension(c[0]), c[1]) << c[0];
}

#undef TABLE

}  // namespace
}  // namespace pikko
