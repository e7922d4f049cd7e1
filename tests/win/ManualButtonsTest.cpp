// The manual buttons of the real window over a disc with manuals: which
// rows show one, and what a click opens with the program the system names,
// the reader question in its Windows 7 and Windows 8 forms, Yes and No.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "demo/DemoManuals.h"
#include "tests/win/FormHarness.h"
#include "tests/win/ManualsTestSupport.h"

namespace pikko::testing {
namespace {

namespace fs = std::filesystem;

constexpr OsVersionInfo kWindows7{6, 1, 7601, 2, 1, 0};
constexpr OsVersionInfo kWindows8{6, 2, 9200, 2, 1, 0};

// Three rows: a PDF manual, none, an English-only PDF manual.
std::string ManualMenu() {
  return MenuIni(1, {0, 0, 0}) + "(1)Path=..\\Manual\\UserGuide\r\n(2)Path=..\\Drivers\\None\r\n"
         "(3)Path=..\\Manual\\RaidGuide\r\n";
}

class ManualButtons : public ::testing::Test {
 protected:
  void Begin(const OsVersionInfo& version) {
    demo::TestDiscOptions options;
    options.manuals = true;
    h.Disc(ManualMenu(), options);
    reader_ = fs::path(h.DiscFolder()) / "Software" / "PdfReader";
    PlaceStub(reader_, "ZekaSetup.exe");
    h.UseVersion(version);
    h.Start();
    ASSERT_TRUE(h.WindowShown());
  }
  void ClickManual(int row) {
    ASSERT_TRUE(h.form->ManualButtons[row]->Visible()) << row;
    h.Move(*h.form->ManualButtons[row]);
    h.Click(*h.form->ManualButtons[row]);
  }
  std::string Manual(const char* file) const { return h.DiscFolder() + "manual\\" + file; }

  const std::string tag_ = UniqueTag();
  fs::path reader_;
  FormHarness h;
};

TEST_F(ManualButtons, RowsWithAManualShowTheirButton) {
  Begin(kWindows7);
  EXPECT_TRUE(h.form->ManualButtons[0]->Visible());
  EXPECT_FALSE(h.form->ManualButtons[1]->Visible());
  EXPECT_TRUE(h.form->ManualButtons[2]->Visible());
  EXPECT_EQ(h.form->Model.Tabs[0].Items[0].ManualPath, "..\\Manual\\UserGuide");
}

TEST_F(ManualButtons, TheSystemsProgramOpensTheManual) {
  // A stand-in program is the handler of PDF files for this test.
  TempFolder viewer;
  const std::string program = PlaceStub(viewer.Path(), "Viewer.exe");
  const std::string progId = "PikkoViewer" + tag_;
  ScopedClassesKey progIdKey(progId);
  ASSERT_TRUE(SetClassesString(progId + "\\shell\\open\\command", "\"" + program + "\" \"%1\""));
  const ScopedClassesDefault pdf(".pdf", progId);
  ASSERT_TRUE(pdf.Ok());
  Begin(kWindows7);
  ClickManual(0);
  const std::string log = WaitForStubLog(viewer.Path());
  EXPECT_NE(log.find("UserGuide\\UserGuide.pdf"), std::string::npos) << log;
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(ManualButtons, WithoutAProgramYesStartsTheReaderInstaller) {
  const ScopedClassesDefault pdf(".pdf", "PikkoNothing" + tag_);
  Begin(kWindows7);
  h.messages.answers = {mb::IdYes};
  ClickManual(2);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text,
            "You need to install Adobe Reader to open this file. Do you want to install now?");
  EXPECT_EQ(h.messages.shown[0].caption, "");
  EXPECT_EQ(h.messages.shown[0].style, 0x24u);
  const std::string log = WaitForStubLog(reader_);
  ASSERT_FALSE(log.empty()) << "the reader installer was not started";
  std::istringstream fields(log);
  std::string program, arguments, folder;
  std::getline(fields, program, '\t');
  std::getline(fields, arguments, '\t');
  std::getline(fields, folder, '\r');
  EXPECT_NE(program.find("PdfReader\\ZekaSetup.exe"), std::string::npos) << log;
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  EXPECT_EQ(fs::path(folder).filename().string(), "Software") << log;
}

TEST_F(ManualButtons, OnWindows8NoOpensTheManualThroughAQuotedBatchFile) {
  const ScopedClassesDefault pdf(".pdf", "PikkoNothing" + tag_);
  Begin(kWindows8);
  char temp[MAX_PATH] = {};
  ::GetTempPathA(std::size(temp), temp);
  const std::string batch = std::string(temp) + "\\OpenManualBat.bat";
  const std::string copy = std::string(temp) + "RaidGuide.pdf";
  ::DeleteFileA(batch.c_str());
  ::DeleteFileA(copy.c_str());
  h.messages.answers = {mb::IdNo};
  ClickManual(2);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text,
            "For better compatibility and view experience, we recommend you to install Adobe "
            "Reader to open this file. Do you want to install Adobe Reader now?");
  std::ifstream in(batch, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "start \"\" \"" + copy + "\"");
  EXPECT_TRUE(fs::exists(copy));
  EXPECT_TRUE(WaitForStubLog(reader_, 500).empty()) << "No starts no installer";
  ::DeleteFileA(batch.c_str());
  ::DeleteFileA(copy.c_str());
}

// The manual pictures: a missing one ends the start with its message; one
// the PNG library refuses is not reported and leaves that state of every
// manual button blank, the menu starting with its rows.
TEST(ManualPictures, OnlyAMissingPictureEndsTheStart) {
  const struct {
    const char* name;
    const char* file;
    int state;
    bool missing;
    std::size_t keep;  // of the disc's picture, the bytes left (a corrupt file)
  } cases[] = {
      {"corrupt pointed picture", "manual_o.png", 2, false, 60},
      {"corrupt raised picture", "manual_n.png", 0, false, 200},
      {"empty pressed picture", "manual_d.png", 1, false, 0},
      {"missing pointed picture", "manual_o.png", 2, true, 0},
  };
  for (const auto& c : cases) {
    FormHarness h;
    demo::TestDiscOptions options;
    options.manuals = true;
    h.Disc(ManualMenu(), options);
    const std::string path = h.ProgramFolder() + "BtnImages\\" + c.file;
    if (c.missing) {
      ASSERT_TRUE(::DeleteFileA(path.c_str())) << c.name;
    } else {
      std::ifstream in(path, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      in.close();
      ASSERT_GT(bytes.size(), c.keep) << c.name;
      h.WriteFile(std::string("BtnImages/") + c.file, bytes.substr(0, c.keep));
    }
    TZkAutorunForm& f = h.Start();
    if (c.missing) {
      ASSERT_EQ(h.messages.shown.size(), 1u) << c.name;
      EXPECT_NE(h.messages.shown[0].text.find(path), std::string::npos)
          << h.messages.shown[0].text;
      EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconError) << c.name;
      EXPECT_TRUE(Application::Instance().Terminated()) << c.name;
      EXPECT_FALSE(h.WindowShown()) << c.name;
      continue;
    }
    ASSERT_TRUE(h.WindowShown()) << c.name;
    EXPECT_TRUE(h.messages.shown.empty()) << c.name << ": " << h.messages.shown[0].text;
    EXPECT_FALSE(Application::Instance().Terminated()) << c.name;
    EXPECT_EQ(f.SelectedTab, 0) << c.name;
    for (int row = 0; row < 3; ++row) {
      EXPECT_TRUE(f.ItemRows[row]->Visible()) << c.name << " row " << row;
      EXPECT_EQ(f.ItemRows[row]->Caption(), "Item " + std::to_string(row + 1)) << c.name;
    }
    EXPECT_TRUE(f.ManualButtons[0]->Visible()) << c.name;
    for (int r = 0; r < 10; ++r)
      for (int state = 0; state < 3; ++state)
        EXPECT_EQ(f.ManualButtons[r]->IsBitmapEmpty(state), state == c.state)
            << c.name << " button " << r << " state " << state;
  }
}

// The report and help buttons of the window: the report is written into the
// Windows folder's copy of the template and its start page opened; the help
// file is opened by the shell; hovering shows the button's description.
TEST(SideButtonsOnTheWindow, ReportAndHelp) {
  FormHarness h;
  demo::TestDiscOptions options;
  options.sideButtonFiles = true;
  h.Disc(MenuIni(1, {0}), options);
  ASSERT_TRUE(::CopyFileA(BuildPath("stand-ins-payload/ARunDmi.dll").c_str(),
                          (h.ProgramFolder() + "ARunDmi.dll").c_str(), FALSE));
  fs::create_directories(h.DiscFolder() + "WINDOWS");
  h.UseVersion(kWindows7);
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(h.WindowShown());
  h.Move(*f.SideButtons[0]);
  EXPECT_EQ(f.sExplain->Caption(), "Report");
  h.Click(*f.SideButtons[0]);
  const std::string page = h.DiscFolder() + "WINDOWS\\ZkDmiHtm\\ZkDmi.htm";
  std::ifstream in(page, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("BIOS"), std::string::npos) << page;
  EXPECT_EQ(text.str().find("<!--DMI:"), std::string::npos) << "every placeholder filled";
  ASSERT_EQ(h.shell.calls.size(), 1u);
  EXPECT_EQ(h.shell.calls[0].verb, "open");
  EXPECT_EQ(h.shell.calls[0].file, page);

  h.Click(*f.SideButtons[4]);
  ASSERT_EQ(h.shell.calls.size(), 2u);
  EXPECT_EQ(h.shell.calls[1].file, h.ProgramFolder() + "PCHelper.chm");
  EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace pikko::testing
