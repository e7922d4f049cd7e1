// Clicks on item rows and on the batch-install button of the real window,
// proven by what the stand-in setup program recorded when it started.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "env/PlatformTags.h"
#include "env/Text.h"
#include "tests/win/FormHarness.h"

namespace pikko::testing {
namespace {

constexpr char kCaption[] = "AutoRun - Pikko.exe";

// Paths as the system reports them: one separator between parts, no
// trailing separator, no regard to case.
std::string Canonical(std::string path) {
  path = LowerCase(path);
  std::string out;
  for (char c : path) {
    if (c == '\\' && !out.empty() && out.back() == '\\') continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

struct StubStart {
  std::string program, arguments, folder;
};

// Puts the stand-in setup program at relative (below the disc folder).
void PlaceStub(const FormHarness& h, const std::string& relative) {
  const std::string target = h.DiscFolder() + relative;
  std::filesystem::create_directories(target.substr(0, target.rfind('\\')));
  ASSERT_TRUE(::CopyFileA(BuildPath("stand-ins/SetupStub.exe").c_str(), target.c_str(), FALSE)) << target;
}

// Waits for the stub beside which the log is written to record one start.
std::optional<StubStart> WaitForStart(FormHarness& h, const std::string& stubFolder, int tries = 200) {
  const std::string log = h.DiscFolder() + stubFolder + "\\SetupStubLog.txt";
  for (int i = 0; i < tries; ++i) {
    h.Pump();
    std::ifstream in(log);
    std::string line;
    if (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::istringstream fields(line);
      StubStart s;
      std::getline(fields, s.program, '\t');
      std::getline(fields, s.arguments, '\t');
      std::getline(fields, s.folder, '\t');
      in.close();
      // The stub may still hold the file for a moment after writing.
      for (int tries = 0; tries < 100 && !::DeleteFileA(log.c_str()); ++tries) ::Sleep(20);
      return s;
    }
    ::Sleep(50);
  }
  return std::nullopt;
}

std::string ItemLines(int n, int tab, const std::string& run, const std::string& path,
                      const std::string& dependency = "") {
  const std::string k = "(" + std::to_string(n) + ")";
  std::string s = k + "Tab=" + std::to_string(tab) + "\r\n" + k + "Title=Item " + std::to_string(n) +
                  "\r\n" + k + "Run=" + run + "\r\n" + k + "Path=" + path + "\r\n";
  if (!dependency.empty()) s += k + "Dependency=" + dependency + "\r\n";
  return s;
}

std::string ActionsMenu() {
  return "[TABS_INFO]\r\nNUM=3\r\nNOCONTACT=1\r\nTAB0=Drivers\r\nTAB1=Tools\r\nTAB2=More\r\n"
         "[SETUP_ITEM]\r\nCD_Title=Action Disc\r\nItemNumber=8\r\nSupport Fullkit=1\r\n" +
         ItemLines(1, 0, "Setup.exe", "..\\Drivers\\Plain") +
         ItemLines(2, 0, "Setup.exe -s -a", "..\\Drivers\\Params") +
         ItemLines(3, 0, "Setup.exe", "") + ItemLines(4, 0, "Setup.exe /quiet", "..\\Tools\\.\\Sub\\..") +
         ItemLines(5, 0, "Setup.exe", "..\\Drivers\\Plain", "0x01") +
         ItemLines(6, 1, "Setup.exe", "..\\Drivers\\Plain", "0x02") +
         ItemLines(7, 1, "Setup.exe -all", "..\\Drivers\\Kit") + "(7)IsZekaFullkit=1\r\n" +
         ItemLines(8, 0, "Setup.exe", "..\\Drivers\\Plain", "0XFF");
}

class ItemActions : public ::testing::Test {
 protected:
  void SetUp() override {
    h.Disc(ActionsMenu());
    for (const char* stub : {"Drivers\\Plain\\Setup.exe", "Drivers\\Params\\Setup.exe",
                             "AUTORUN\\Setup.exe", "Tools\\Setup.exe", "Drivers\\Kit\\Setup.exe",
                             "AUTORUN\\ZEKAFullkit\\Fullkit.exe"})
      PlaceStub(h, stub);
    h.UseRealShell();
    h.Start();
    ASSERT_TRUE(h.WindowShown());
  }
  void ClickRow(int row) {
    // A press on the background would start the system's drag loop.
    ASSERT_TRUE(h.form->ItemRows[row]->Visible()) << "row " << row;
    h.Move(*h.form->ItemRows[row]);
    h.Click(*h.form->ItemRows[row]);
  }
  FormHarness h;
};

// A click on a row starts the item's program with its parameters in its
// folder, or hands it to the batch installer.
TEST_F(ItemActions, ClickedRowsStartTheirPrograms) {
  struct Case {
    int tab, row;
    const char* stubFolder;  // below the disc folder
    const char* arguments;
  };
  const Case cases[] = {
      {0, 0, "Drivers\\Plain", ""},
      {0, 1, "Drivers\\Params", "-s -a"},
      {0, 2, "AUTORUN", ""},  // empty Path: the program folder
      {0, 3, "Tools", "/quiet"},  // "..", "." and a parent step resolved
      {0, 4, "AUTORUN\\ZEKAFullkit", "00 -i5"},  // dependency on the first tab
      {1, 0, "AUTORUN\\ZEKAFullkit", "01 -i6"},  // and on another
  };
  for (const Case& c : cases) {
    h.Click(*h.form->TabCaptions[c.tab]);
    ClickRow(c.row);
    const auto start = WaitForStart(h, c.stubFolder);
    ASSERT_TRUE(start.has_value()) << c.stubFolder;
    const std::string folder = h.DiscFolder() + c.stubFolder;
    EXPECT_EQ(Canonical(start->program), Canonical(folder + "\\" + ExtractFileName(start->program)));
    EXPECT_EQ(start->arguments, c.arguments) << c.stubFolder;
    EXPECT_EQ(Canonical(start->folder), Canonical(folder)) << c.stubFolder;
  }
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(ItemActions, BatchInstallButtonStartsTheTabsKit) {
  h.Click(*h.form->TabCaptions[1]);
  ASSERT_TRUE(h.form->zkbFullkit->Visible());
  h.Move(*h.form->zkbFullkit);
  EXPECT_EQ(h.form->sExplain->Caption(), "ZEKA Fullkit");  // no description of its own
  h.Click(*h.form->zkbFullkit);
  const auto start = WaitForStart(h, "Drivers\\Kit");
  ASSERT_TRUE(start.has_value());
  EXPECT_EQ(start->arguments, "-all");
  EXPECT_EQ(Canonical(start->folder), Canonical(h.DiscFolder() + "Drivers\\Kit"));
}

TEST_F(ItemActions, RefusalsAndFailuresShowTheirMessages) {
  ClickRow(5);  // item 8, "0XFF": the prefix test is case-sensitive
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "Error:(8)Dependency = 0XFF");
  EXPECT_EQ(h.messages.shown[0].caption, kCaption);
  EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconWarning);

  // A program that is not there: the shell's result in the message.
  ::DeleteFileA((h.DiscFolder() + "Drivers\\Params\\Setup.exe").c_str());
  ClickRow(1);
  h.Pump(200);
  ASSERT_EQ(h.messages.shown.size(), 2u);
  const std::string& text = h.messages.shown[1].text;
  EXPECT_EQ(text.rfind("Error:", 0), 0u) << text;
  EXPECT_NE(text.find(" - Cannot execute "), std::string::npos) << text;
  EXPECT_NE(text.find("Drivers\\Params\\Setup.exe -s -a"), std::string::npos) << text;
  EXPECT_EQ(h.messages.shown[1].style & 0xF0, mb::IconError);

  // The batch installer missing: the prepared message once the start failed.
  ::DeleteFileA((h.ProgramFolder() + "ZEKAFullkit\\Fullkit.exe").c_str());
  ClickRow(4);
  h.Pump(200);
  ASSERT_EQ(h.messages.shown.size(), 3u);
  EXPECT_EQ(h.messages.shown[2].text,
            "ZEKA Fullkit needed ... (" + h.ProgramFolder() + "ZEKAFullkit\\Fullkit.exe)");
  EXPECT_EQ(h.messages.shown[2].style & 0xF0, mb::IconError);
}

// A row's manual button hands the item's manual key and the reader question
// to the manual opener.
TEST_F(ItemActions, ManualButtonOpensTheManual) {
  TZkAutorunForm& f = *h.form;
  f.Model.Tabs[0].Items[1].ManualPath = "Drivers\\Params";
  f.ShowItemPage(0, 0);
  ASSERT_TRUE(f.ManualButtons[1]->Visible());
  EXPECT_FALSE(f.ManualButtons[0]->Visible());
  std::vector<std::pair<std::string, std::string>> opened;
  f.OpenManual = [&](const std::string& key, const std::string& question) {
    opened.emplace_back(key, question);
  };
  h.Move(*f.ManualButtons[1]);
  EXPECT_EQ(f.sExplain->Caption(), "Open the instruction manual");
  h.Click(*f.ManualButtons[1]);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].first, "Drivers\\Params");
  const std::string expected =
      IsWindows8OrLater()
          ? "For better compatibility and view experience, we recommend you to install Adobe "
            "Reader to open this file. Do you want to install Adobe Reader now?"
          : "You need to install Adobe Reader to open this file. Do you want to install now?";
  EXPECT_EQ(opened[0].second, expected);
  EXPECT_FALSE(WaitForStart(h, "Drivers\\Params", 10).has_value());  // the row did not start
}

// A window of the batch installer or of a setup wizard blocks every start.
class InstallerWindow {
 public:
  explicit InstallerWindow(const char* title) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TApplication";
    ::RegisterClassA(&wc);
    window_.Reset(::CreateWindowExA(0, "TApplication", title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                    nullptr, nullptr, wc.hInstance, nullptr));
    ::ShowWindow(window_.Get(), SW_SHOWMINNOACTIVE);
  }
  HWND Get() const { return window_.Get(); }

 private:
  win::ScopedWindow window_;
};

TEST_F(ItemActions, RunningInstallerRefusesTheStart) {
  struct Case {
    std::vector<const char*> windows;
    const char* name;
  };
  const Case cases[] = {
      {{"Fullkit"}, "ZEKA Fullkit"},
      {{"Setup Wizard"}, "Setup Wizard"},
      {{"Setup Wizard", "Fullkit"}, "ZEKA Fullkit"},  // the batch installer is named first
  };
  for (const Case& c : cases) {
    std::vector<std::unique_ptr<InstallerWindow>> windows;
    for (const char* title : c.windows) windows.push_back(std::make_unique<InstallerWindow>(title));
    h.messages.shown.clear();
    ClickRow(0);
    ASSERT_EQ(h.messages.shown.size(), 1u) << c.name;
    const std::string name = c.name;
    EXPECT_EQ(h.messages.shown[0].text,
              name + " is still running. Please close " + name + " first !");
    EXPECT_EQ(h.messages.shown[0].caption, "Action Disc");  // the application's title
    EXPECT_EQ(h.messages.shown[0].style & 0xF0, mb::IconWarning);
    EXPECT_EQ(h.messages.shown[0].owner, h.form->Handle());
    // The installer is restored; nothing was started.
    const HWND found = ::FindWindowA("TApplication", name == "ZEKA Fullkit" ? "Fullkit" : "Setup Wizard");
    EXPECT_FALSE(::IsIconic(found)) << c.name;
    EXPECT_FALSE(WaitForStart(h, "Drivers\\Plain", 20).has_value());
  }
}

}  // namespace
}  // namespace pikko::testing
