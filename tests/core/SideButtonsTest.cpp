#include "actions/SideButtons.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

using sidebuttons::Context;

// What the fake report library was called with.
struct DmiCall {
  std::string folder;
  int kind;
};
std::vector<DmiCall>& DmiCalls() {
  static std::vector<DmiCall> calls;
  return calls;
}
int PIKKO_STDCALL FakeDmi(const char* folder, int kind) {
  DmiCalls().push_back({folder, kind});
  return 1;
}

const OsVersionInfo kWindows7{6, 1, 7601, 2, 1, 0};
const OsVersionInfo kWindows10{10, 0, 19045, 2, 1, 0};
WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x77);

class SideButtonsTest : public ::testing::Test {
 protected:
  fakes::FakeSystem sys;
  Context context{"D:\\AUTORUN\\", kOwner, "MB"};

  void SetUp() override {
    DmiCalls().clear();
    sys.version.version = kWindows7;
    sys.libraries.Add(".\\ARunDmi.dll", {{"DMI_GetSysInfoEx", reinterpret_cast<void*>(&FakeDmi)}});
  }
};

TEST_F(SideButtonsTest, ExplorerAndNotepadStartFromTheProgramFolder) {
  struct Case {
    void (*click)(const Context&);
    const char* commandLine;
  };
  const Case cases[] = {
      {sidebuttons::zkbCDClick, "EXPLORER.EXE ..\\"},
      {sidebuttons::zkbSupportClick, "NOTEPAD.EXE ..\\TECHSUPP.TXT"},
      {sidebuttons::zkbFileClick, "NOTEPAD.EXE ..\\FILELIST.TXT"},
  };
  sys.processes.startResult = 2;  // a failed start is not reported
  for (const Case& c : cases) {
    sys.processes.shown.clear();
    sys.processes.current = "C:\\";
    c.click(context);
    EXPECT_EQ(sys.processes.current, "D:\\AUTORUN\\") << c.commandLine;
    ASSERT_EQ(sys.processes.shown.size(), 1u) << c.commandLine;
    EXPECT_EQ(sys.processes.shown[0].first, c.commandLine);
    EXPECT_EQ(sys.processes.shown[0].second, 5);
  }
  EXPECT_TRUE(sys.messages.shown.empty());
}

TEST_F(SideButtonsTest, HelpOpensThroughTheShellAndReportsAFailure) {
  sidebuttons::zkbPCHelpClick(context);
  ASSERT_EQ(sys.shell.calls.size(), 1u);
  const fakes::ShellCall& call = sys.shell.calls[0];
  EXPECT_EQ(call.owner, kOwner);
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, "D:\\AUTORUN\\PCHelper.chm");
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, "D:\\AUTORUN\\");
  EXPECT_EQ(call.show, 1);
  EXPECT_EQ(sys.processes.current, "D:\\AUTORUN\\");
  EXPECT_TRUE(sys.messages.shown.empty());

  for (const std::intptr_t result : {32, 2}) {
    sys.shell.result = result;
    sys.messages.shown.clear();
    sidebuttons::zkbPCHelpClick(context);
    ASSERT_EQ(sys.messages.shown.size(), 1u);
    EXPECT_EQ(sys.messages.shown[0].text,
              "Error:" + std::to_string(result) + " - Faild to open D:\\AUTORUN\\PCHelper.chm");
    EXPECT_EQ(sys.messages.shown[0].caption, "AutoRun - Pikko.exe");
    EXPECT_EQ(sys.messages.shown[0].style, mb::IconError);
  }
}

TEST_F(SideButtonsTest, TheReportIsCopiedFilledAndOpened) {
  sidebuttons::zkbMBClick(context);
  EXPECT_EQ(sys.processes.current, "D:\\AUTORUN\\");
  EXPECT_EQ(sys.libraries.loads, std::vector<std::string>{".\\ARunDmi.dll"});
  ASSERT_EQ(sys.shellEx.copies.size(), 1u);
  const fakes::FileCopyCall& copy = sys.shellEx.copies[0];
  EXPECT_EQ(copy.source, ".\\ZkDmiHtm");
  EXPECT_EQ(copy.destination, "C:\\WINDOWS\\");
  EXPECT_EQ(copy.flags, 0x0014u);
  EXPECT_EQ(copy.owner, kOwner);
  ASSERT_EQ(DmiCalls().size(), 1u);
  EXPECT_EQ(DmiCalls()[0].folder, "C:\\WINDOWS\\ZkDmiHtm");
  ASSERT_EQ(sys.shell.calls.size(), 1u);
  EXPECT_EQ(sys.shell.calls[0].file, "C:\\WINDOWS\\ZkDmiHtm\\ZkDmi.htm");
  EXPECT_EQ(sys.shell.calls[0].owner, kOwner);
  EXPECT_EQ(sys.shell.calls[0].parameters, "");
  EXPECT_EQ(sys.shell.calls[0].directory, "");
  EXPECT_EQ(sys.shell.calls[0].show, 1);
  EXPECT_EQ(sys.libraries.released.size(), 1u);
  EXPECT_TRUE(sys.messages.shown.empty());
}

TEST_F(SideButtonsTest, AtTheRootOfADriveTheReportLiesBesideIt) {
  sys.folders.windows = "C:\\";
  EXPECT_EQ(sidebuttons::ShowDmiReport(context), "");
  EXPECT_EQ(sys.shellEx.copies.at(0).destination, "C:\\");
  EXPECT_EQ(DmiCalls().at(0).folder, "C:\\ZkDmiHtm");
  EXPECT_EQ(sys.shell.calls.at(0).file, "C:\\ZkDmiHtm\\ZkDmi.htm");
}

TEST_F(SideButtonsTest, KindOneOnlyForTheWbBoardType) {
  const std::pair<const char*, int> cases[] = {
      {"WB", 1}, {"wb", 0}, {"MB", 0}, {"WB ", 0}, {"", 0}};
  for (const auto& c : cases) {
    DmiCalls().clear();
    context.boardType = c.first;
    sidebuttons::ShowDmiReport(context);
    ASSERT_EQ(DmiCalls().size(), 1u);
    EXPECT_EQ(DmiCalls()[0].kind, c.second) << c.first;
  }
}

TEST_F(SideButtonsTest, EveryFailureOfTheReportHasItsMessage) {
  struct Case {
    const char* what;
    std::map<std::string, void*> exports;  // of the library; "none": no library
    bool libraryExists;
    int copyResult;
    std::string windows;
    const char* text;
    unsigned style;
  };
  const Case cases[] = {
      {"no library", {}, false, 0, "C:\\WINDOWS", "Can't load ARunDmi.dll.", mb::IconError},
      {"no export",
       {{"Other", reinterpret_cast<void*>(&FakeDmi)}},
       true,
       0,
       "C:\\WINDOWS",
       "Can't get DMI_GetSysInfo from ARunDmi.dll",
       mb::IconWarning},
      {"copy fails",
       {{"DMI_GetSysInfoEx", reinterpret_cast<void*>(&FakeDmi)}},
       true,
       1223,
       "C:\\WINDOWS",
       "Can't create ZkDmiBrowser",
       mb::IconWarning},
      {"Windows folder beyond the room",
       {{"DMI_GetSysInfoEx", reinterpret_cast<void*>(&FakeDmi)}},
       true,
       0,
       "C:\\" + std::string(130, 'w'),
       "Can't create ZkDmiBrowser",
       mb::IconWarning},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem fresh;
    DmiCalls().clear();
    if (c.libraryExists) fresh.libraries.Add(".\\ARunDmi.dll", c.exports);
    fresh.shellEx.copyResult = c.copyResult;
    fresh.folders.windows = c.windows;
    EXPECT_EQ(sidebuttons::ShowDmiReport(context), "") << c.what;
    ASSERT_EQ(fresh.messages.shown.size(), 1u) << c.what;
    EXPECT_EQ(fresh.messages.shown[0].text, c.text) << c.what;
    EXPECT_EQ(fresh.messages.shown[0].caption, "") << c.what;
    EXPECT_EQ(fresh.messages.shown[0].style, c.style) << c.what;
    EXPECT_EQ(fresh.messages.shown[0].owner, nullptr) << c.what;
    EXPECT_TRUE(DmiCalls().empty()) << c.what;
    EXPECT_TRUE(fresh.shell.calls.empty()) << c.what;
    // A library that was loaded is released on the way out as well.
    EXPECT_EQ(fresh.libraries.released.size(), c.libraryExists ? 1u : 0u) << c.what;
  }
}

TEST_F(SideButtonsTest, AFailedOpenOfTheReportIsNotReported) {
  sys.shell.result = 2;
  sidebuttons::ShowDmiReport(context);
  EXPECT_EQ(sys.shell.calls.size(), 1u);
  EXPECT_TRUE(sys.messages.shown.empty());
}

TEST_F(SideButtonsTest, OnWindows8AndLaterTheBrowserIsAskedForByName) {
  sys.version.version = kWindows10;
  // Without a browser in the list for all types the shell opens the page.
  sidebuttons::ShowDmiReport(context);
  EXPECT_EQ(sys.shell.calls.size(), 1u);
  EXPECT_TRUE(sys.processes.created.empty());

  sys.classes.AddKey("*\\OpenWithList\\firefox.exe");
  sys.classes.AddKey("*\\OpenWithList\\IEXPLORE.EXE");
  sys.classes.SetString("Applications\\firefox.exe\\shell\\open\\command", "", "ff.exe %1");
  sys.classes.SetString("Applications\\IEXPLORE.EXE\\shell\\open\\command", "",
                        "\"C:\\IE\\iexplore.exe\" %1");
  sys.shell.calls.clear();
  sidebuttons::ShowDmiReport(context);
  ASSERT_EQ(sys.processes.created.size(), 1u);
  EXPECT_EQ(sys.processes.created[0].commandLine,
            "\"C:\\IE\\iexplore.exe\" C:\\WINDOWS\\ZkDmiHtm\\ZkDmi.htm");
  EXPECT_EQ(sys.processes.created[0].waitMilliseconds, 0u);
  EXPECT_TRUE(sys.shell.calls.empty());

  // A browser that cannot be started leaves it to the shell.
  sys.processes.createResult = false;
  sidebuttons::ShowDmiReport(context);
  EXPECT_EQ(sys.shell.calls.size(), 1u);
}

TEST(SideButtonText, TheTagPicksTheDescription) {
  const std::array<std::string, 5> texts = {"report", "disc", "support", "files", "help"};
  EXPECT_EQ(sidebuttons::SideButtonText(texts, 0), "report");
  EXPECT_EQ(sidebuttons::SideButtonText(texts, 4), "help");
  EXPECT_EQ(sidebuttons::SideButtonText(texts, 5), "");
  EXPECT_EQ(sidebuttons::SideButtonText(texts, -1), "");
}

}  // namespace
}  // namespace pikko
