// The home-tab promotion over a recording view: which pages it loads, how
// it sets up the panel, the page changes by buttons and timer, the install
// action, and what it does while it is not set up.
#include "promotion/Hometabpromotion.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"
#include "tests/core/FakeHomeTabView.h"

namespace pikko {
namespace {

constexpr char kHome[] = "D:\\AUTORUN\\HomeTab";
constexpr char kFile[] = "D:\\AUTORUN\\HomeTab\\HomeTab.ini";
WindowHandle const kPanel = reinterpret_cast<WindowHandle>(0x1234);

// A page section: shown always, with a button when its product (a folder
// of that name) supports the fake system's platform.
std::string PageSection(int n, const std::string& product, const std::string& extra = "") {
  return "[Page" + std::to_string(n) + "]\nHTML=page" + std::to_string(n) +
         ".htm\nShowType=Always\nInstallPath=" + product + "\n" + extra;
}

class HomeTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", "[PLATFORM]\nSpecified OS=WNT_6.1P_32,English\n");
    AddProduct("Monitor");
    AddProduct("Backup");
  }
  void AddProduct(const std::string& name) {
    sys_.files.AddFile(std::string(kHome) + "\\" + name + "\\ZekaSetup.ini",
                       "[OS_Language_Tag]\nWNT_6.1P_32=Windows 7\n");
  }
  void WritePromotion(const std::string& setting, const std::string& pages) {
    sys_.files.AddFile(kFile, "[Setting]\n" + setting + "[HtmlPath]\nDefault=Pages\\\n" + pages);
  }
  // Three pages: Monitor with a button, one without, Backup with a button.
  void WriteThreePages(const std::string& setting = "Tab=6\nNumber=3\nInterval=5\n") {
    WritePromotion(setting,
                   PageSection(1, "Monitor", "ButtonImages=n.bmp,d.bmp,o.bmp\n"
                                             "ButtonPosition=40,300\nButtonSize=150,44\n") +
                       PageSection(2, "Nothing") +
                       PageSection(3, "Backup", "ButtonPosition=10,20\nButtonSize=30,40\n"));
  }
  bool Init() { return home_.Init(kPanel, std::string(kHome) + "\\", &view_); }

  fakes::FakeSystem sys_;
  testing::FakeHomeTabView view_;
  HomeTab home_;
};

TEST_F(HomeTabTest, NotSetUpWithoutPanelViewOrPages) {
  struct Case {
    const char* what;
    bool panel, view, file;
    const char* pages;
    int number;  // HomeTabNumber afterwards
  };
  const Case cases[] = {
      {"no panel", false, true, true, "", -1},
      {"no view", true, false, true, "", -1},
      {"no promotion file", true, true, false, "", -1},
      {"no accepted page: the tab number stays", true, true, true, "[Page1]\nShowType=ByScript\n",
       6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sys_.files.Remove(kFile);
    if (c.file) WritePromotion("Tab=6\nNumber=2\n", c.pages);
    view_.calls.clear();
    EXPECT_FALSE(home_.Init(c.panel ? kPanel : nullptr, kHome, c.view ? &view_ : nullptr));
    EXPECT_EQ(home_.HomeTabNumber(), c.number);
    EXPECT_FALSE(home_.IsHomeTabWithin(6));
    EXPECT_FALSE(home_.Show());
    home_.Hide();
    home_.NextClick();
    home_.RotationTimerTick();
    home_.InstallClick();
    home_.InstallMouseEnter();
    EXPECT_TRUE(view_.calls.empty()) << view_.calls.front();
    EXPECT_TRUE(sys_.shell.calls.empty());
  }
}

TEST_F(HomeTabTest, FailedDetectionAfterTheRecordEndsTheLoad) {
  WriteThreePages();
  sys_.version.version.reset();
  EXPECT_FALSE(Init());
  EXPECT_EQ(home_.HomeTabNumber(), 6);
  EXPECT_FALSE(home_.IsHomeTabWithin(6));
  EXPECT_TRUE(view_.calls.empty());
}

TEST_F(HomeTabTest, InitBuildsThePanelAndEndsHidden) {
  WriteThreePages();
  ASSERT_TRUE(Init());
  EXPECT_EQ(home_.Folder(), kHome);  // the trailing backslash goes
  EXPECT_EQ(view_.Take(), (std::vector<std::string>{
                              "CreateRotationTimer 5000", "CreateBrowser", "CreateInstallButton",
                              "ShowInstallButton 40,300 150x44", "CreatePageButtons",
                              "EnablePageButtons 01", "HidePanel", "StopTimer"}));
  EXPECT_EQ(view_.installStyle.caption, "Install Now");
  EXPECT_EQ(view_.installStyle.fontName, "Microsoft Sans Serif");
  EXPECT_EQ(view_.installStyle.fontSize, 20);
  EXPECT_EQ(view_.installStyle.fontColour, 0xFFFFFFu);
  EXPECT_EQ(view_.installLook.raised, "D:\\AUTORUN\\HomeTab\\n.bmp");
  EXPECT_EQ(view_.installLook.sunken, "D:\\AUTORUN\\HomeTab\\d.bmp");
  EXPECT_EQ(view_.installLook.focused, "D:\\AUTORUN\\HomeTab\\o.bmp");
  EXPECT_EQ(view_.next.left, 580);
  EXPECT_EQ(view_.previous.left, 535);
  EXPECT_EQ(view_.next.top, 355);
  EXPECT_EQ(view_.next.raised, "D:\\AUTORUN\\HomeTab\\next_n.bmp");
  EXPECT_EQ(view_.next.sunken, "D:\\AUTORUN\\HomeTab\\next_d.bmp");
  EXPECT_EQ(view_.next.focused, "D:\\AUTORUN\\HomeTab\\next_o.bmp");
  EXPECT_EQ(view_.next.disabled, "D:\\AUTORUN\\HomeTab\\next_f.bmp");
  EXPECT_EQ(view_.previous.disabled, "D:\\AUTORUN\\HomeTab\\previous_f.bmp");
  EXPECT_TRUE(home_.IsHomeTabWithin(6));
  EXPECT_FALSE(home_.IsHomeTabWithin(5));
  EXPECT_FALSE(home_.Shown());
}

TEST_F(HomeTabTest, OnePageHasNoPageButtonsAndNoTimer) {
  WritePromotion("Tab=1\nNumber=1\nInterval=5\n",
                 PageSection(1, "Monitor", "ButtonPosition=5,6\nButtonSize=7,8\n"));
  ASSERT_TRUE(Init());
  EXPECT_EQ(view_.Take(), (std::vector<std::string>{"CreateBrowser", "CreateInstallButton",
                                                     "ShowInstallButton 5,6 7x8", "HidePanel"}));
  EXPECT_FALSE(home_.HasTimer());
  ASSERT_TRUE(home_.Show());
  EXPECT_EQ(view_.Take(), (std::vector<std::string>{"Navigate D:\\AUTORUN\\HomeTab\\Pages\\page1.htm",
                                                     "ShowPanel"}));
  home_.NextClick();
  home_.PreviousClick();
  home_.RotationTimerTick();
  EXPECT_TRUE(view_.Take().empty());
  EXPECT_EQ(home_.CurrentPage(), 0);
}

TEST_F(HomeTabTest, PagesAreTheExistingSectionsUpToNumberInOrder) {
  struct Case {
    const char* what;
    std::string setting;
    std::string sections;
    std::vector<std::string> pages;  // page files accepted, in order
  };
  const std::string p1 = PageSection(1, "x"), p2 = PageSection(2, "x"), p3 = PageSection(3, "x");
  const Case cases[] = {
      {"a gap is skipped", "Number=3\n", p3 + p1, {"page1.htm", "page3.htm"}},
      {"beyond Number is not read", "Number=2\n", p1 + p2 + p3, {"page1.htm", "page2.htm"}},
      {"sections in other case", "Number=3\n", "[PAGE2]\nHTML=two.htm\nShowType=Always\n",
       {"two.htm"}},
      {"leading zeros name no page", "Number=3\n", "[Page02]\nHTML=two.htm\nShowType=Always\n", {}},
      {"Number missing", "", p1, {}},
      {"Number negative", "Number=-3\n", p1, {}},
      {"Number not a number", "Number=three\n", p1, {}},
      {"Number in hexadecimal", "Number=0x2\n", p1 + p2 + p3, {"page1.htm", "page2.htm"}},
      {"Number huge", "Number=100000\n", p1 + p2, {"page1.htm", "page2.htm"}},
      {"Number at the limit", "Number=2147483647\n", p2, {"page2.htm"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WritePromotion(c.setting, c.sections);
    const int readsBefore = sys_.files.iniReads;
    EXPECT_EQ(home_.Load(kFile), !c.pages.empty());
    // However large "Number" is, the work follows the sections the file has.
    EXPECT_LT(sys_.files.iniReads - readsBefore, 40);
    std::vector<std::string> pages;
    for (const auto& page : home_.Pages()) pages.push_back(page->PagePath.substr(page->PagePath.rfind('\\') + 1));
    EXPECT_EQ(pages, c.pages);
  }
}

TEST_F(HomeTabTest, LanguageChoosesThePageFolder) {
  struct Case {
    const char* what;
    const char* record;  // "Specified OS"; nullptr: no record file
    std::uint16_t langId;
    const char* htmlPath;
    const char* language;
    const char* folder;
  };
  const char* allFolders = "[HtmlPath]\nDefault=Def\\\nGerman=De\\\nFrench=Fr\\\nEnglish=En\\\n";
  const Case cases[] = {
      {"the record's language", "WNT_6.1P_32,German", 0x0409, allFolders, "German", "De\\"},
      {"record without language: the system's", "WNT_6.1P_32,", 0x040C, allFolders, "French",
       "Fr\\"},
      {"system language by its last two digits", "WNT_6.1P_32,", 0x0C07, allFolders, "German",
       "De\\"},
      {"unknown system language: English", "WNT_6.1P_32,", 0x0416, allFolders, "English", "En\\"},
      {"no folder for the language: Default", "WNT_6.1P_32,Japanese", 0x0409, allFolders,
       "Japanese", "Def\\"},
      {"comment after the language", "WNT_6.1P_32,German ; de", 0x0409, allFolders, "German",
       "De\\"},
      {"no record: English", nullptr, 0x040C, allFolders, "English", "En\\"},
      {"no folders at all", "WNT_6.1P_32,German", 0x0409, "", "German", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sys_.files.Remove("C:\\WINDOWS\\Zkcd_tmp.ini");
    if (c.record)
      sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini",
                         std::string("[PLATFORM]\nSpecified OS=") + c.record + "\n");
    sys_.version.langId = c.langId;
    sys_.files.AddFile(kFile, std::string("[Setting]\nNumber=1\n[OS_Language_Tag]\n040C=French\n"
                                          "07=German\n") +
                                  c.htmlPath + PageSection(1, "none"));
    ASSERT_TRUE(home_.Load(kFile));
    EXPECT_EQ(home_.LanguageTag(), c.language);
    EXPECT_EQ(home_.Pages().front()->PagePath, std::string("D:\\AUTORUN\\HomeTab\\") + c.folder + "page1.htm");
  }
}

TEST_F(HomeTabTest, TimerIntervals) {
  struct Case {
    const char* interval;
    int pages;
    bool timer;
    int ms;
  };
  const Case cases[] = {{"5", 3, true, 5000},      {"5", 1, false, 0},    {"1", 2, true, 1000},
                        {"0", 3, false, 0},        {"-5", 3, false, 0},   {"soon", 3, false, 0},
                        {"3000000", 2, true, 2147483647}, {"2147483647", 2, true, 2147483647}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.interval) + " s, " + std::to_string(c.pages) + " pages");
    std::string pages;
    for (int n = 1; n <= c.pages; ++n) pages += PageSection(n, "none");
    WritePromotion(std::string("Number=3\nInterval=") + c.interval + "\n", pages);
    ASSERT_TRUE(home_.Load(kFile));
    EXPECT_EQ(home_.HasTimer(), c.timer);
    EXPECT_EQ(home_.TimerIntervalMs(), c.ms);
  }
}

TEST_F(HomeTabTest, TimerRotatesAndSetsTheButtonsBeforeShowing) {
  WriteThreePages();
  ASSERT_TRUE(Init());
  ASSERT_TRUE(home_.Show());
  view_.Take();
  struct Step {
    int page;
    bool previous, next;
    std::vector<std::string> calls;
  };
  const std::string pages = "Navigate D:\\AUTORUN\\HomeTab\\Pages\\page";
  const Step steps[] = {
      // A middle page keeps the states: previous stays disabled.
      {1, false, true, {"StopTimer", pages + "2.htm", "ShowPanel", "StartTimer", "HideInstallButton"}},
      {2, true, false,
       {"EnablePageButtons 10", "StopTimer", pages + "3.htm", "ShowPanel", "StartTimer",
        "ShowInstallButton 10,20 30x40"}},
      {0, false, true,
       {"EnablePageButtons 01", "StopTimer", pages + "1.htm", "ShowPanel", "StartTimer",
        "ShowInstallButton 40,300 150x44"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE("to page " + std::to_string(s.page));
    home_.RotationTimerTick();
    EXPECT_EQ(home_.CurrentPage(), s.page);
    EXPECT_EQ(view_.previousEnabled, s.previous);
    EXPECT_EQ(view_.nextEnabled, s.next);
    EXPECT_EQ(view_.Take(), s.calls);
  }
  // Back on the first page, with its own pictures.
  EXPECT_EQ(view_.installLook.raised, "D:\\AUTORUN\\HomeTab\\n.bmp");
}

TEST_F(HomeTabTest, PageButtonsStepAndSetTheirStatesAfterShowing) {
  WriteThreePages();
  ASSERT_TRUE(Init());
  ASSERT_TRUE(home_.Show());
  view_.Take();
  home_.NextClick();
  EXPECT_EQ(view_.Take().back(), "EnablePageButtons 11");
  struct Step {
    bool next;  // which button
    int page;
    bool previousEnabled, nextEnabled;
  };
  const Step steps[] = {{true, 2, true, false}, {true, 2, true, false},  // past the last: nothing
                        {false, 1, true, true},  {false, 0, false, true},
                        {false, 0, false, true}};
  for (const Step& s : steps) {
    if (s.next) {
      home_.NextClick();
    } else {
      home_.PreviousClick();
    }
    EXPECT_EQ(home_.CurrentPage(), s.page);
    EXPECT_EQ(view_.previousEnabled, s.previousEnabled);
    EXPECT_EQ(view_.nextEnabled, s.nextEnabled);
  }
  // The page shown last is shown again after hiding.
  home_.NextClick();
  home_.Hide();
  EXPECT_FALSE(view_.panelVisible);
  EXPECT_FALSE(view_.timerRunning);
  view_.navigated.clear();
  ASSERT_TRUE(home_.Show());
  EXPECT_EQ(view_.navigated, std::vector<std::string>{"D:\\AUTORUN\\HomeTab\\Pages\\page2.htm"});
  EXPECT_TRUE(view_.panelVisible);
}

TEST_F(HomeTabTest, PointerOnTheInstallButtonHoldsTheRotation) {
  WriteThreePages();
  ASSERT_TRUE(Init());
  ASSERT_TRUE(home_.Show());
  EXPECT_TRUE(view_.timerRunning);
  home_.InstallMouseEnter();
  EXPECT_FALSE(view_.timerRunning);
  view_.Take();
  home_.InstallMouseLeave();
  EXPECT_EQ(view_.Take(), std::vector<std::string>{"StartTimer"});  // the full interval anew
  // Shown again while the pointer rests there: the timer waits for the leave.
  home_.InstallMouseEnter();
  home_.Show();
  EXPECT_FALSE(view_.timerRunning);
  // Leaving while hidden starts nothing; a tick left over changes nothing.
  home_.Hide();
  home_.InstallMouseLeave();
  home_.RotationTimerTick();
  EXPECT_FALSE(view_.timerRunning);
  EXPECT_EQ(home_.CurrentPage(), 0);
}

TEST_F(HomeTabTest, HidingTheButtonUnderThePointerRestartsTheRotation) {
  WriteThreePages();
  ASSERT_TRUE(Init());
  ASSERT_TRUE(home_.Show());
  home_.InstallMouseEnter();
  home_.NextClick();  // page 2 has no button: the pointer is off it
  EXPECT_FALSE(view_.installVisible);
  EXPECT_TRUE(view_.timerRunning);
}

TEST_F(HomeTabTest, InstallStartsTheProductInstallerAndMinimises) {
  WriteThreePages();
  ASSERT_TRUE(Init());
  ASSERT_TRUE(home_.Show());
  home_.InstallClick();
  ASSERT_EQ(sys_.shell.calls.size(), 1u);
  const fakes::ShellCall& call = sys_.shell.calls[0];
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, "D:\\AUTORUN\\HomeTab\\Monitor\\ZekaSetup.exe");
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, "D:\\AUTORUN\\HomeTab\\Monitor\\");
  EXPECT_EQ(call.show, 1);
  EXPECT_EQ(view_.minimised, 1);
  // A failed start says nothing and leaves the menu as it was.
  for (std::intptr_t result : {0, 2, 32}) {
    sys_.shell.result = result;
    home_.InstallClick();
  }
  EXPECT_EQ(view_.minimised, 1);
  EXPECT_TRUE(sys_.messages.shown.empty());
  // A page without a button starts nothing.
  home_.NextClick();
  home_.InstallClick();
  EXPECT_EQ(sys_.shell.calls.size(), 4u);
}

TEST_F(HomeTabTest, HomeTabWithinTheTabs) {
  struct Case {
    const char* tab;
    int number;
    bool within5, within6;
  };
  const Case cases[] = {{"", -1, false, false},    {"0", 0, false, false}, {"1", 1, true, true},
                        {"5", 5, true, true},       {"6", 6, false, true},  {"7", 7, false, false},
                        {"-2", -2, false, false},   {"six", -1, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab);
    WritePromotion(std::string("Number=1\n") + (*c.tab ? std::string("Tab=") + c.tab + "\n" : ""),
                   PageSection(1, "none"));
    ASSERT_TRUE(Init());
    EXPECT_EQ(home_.HomeTabNumber(), c.number);
    EXPECT_EQ(home_.IsHomeTabWithin(5), c.within5);
    EXPECT_EQ(home_.IsHomeTabWithin(6), c.within6);
  }
}

TEST_F(HomeTabTest, InitAndDetachForgetTheEarlierWindow) {
  WriteThreePages();
  ASSERT_TRUE(Init());
  home_.Detach();
  EXPECT_FALSE(home_.Initialised());
  EXPECT_EQ(home_.HomeTabNumber(), -1);
  EXPECT_FALSE(home_.Show());
  ASSERT_TRUE(Init());
  sys_.files.Remove(kFile);
  testing::FakeHomeTabView second;
  EXPECT_FALSE(home_.Init(kPanel, kHome, &second));
  EXPECT_EQ(home_.HomeTabNumber(), -1);
  EXPECT_TRUE(home_.Pages().empty());
  view_.calls.clear();
  home_.Hide();
  home_.RotationTimerTick();
  EXPECT_TRUE(view_.calls.empty());
  EXPECT_TRUE(second.calls.empty());
}

TEST(HomeTabInstance, IsOneObjectForTheProcess) {
  EXPECT_EQ(&HomeTab::Instance(), &HomeTab::Instance());
  EXPECT_FALSE(HomeTab::Instance().IsHomeTabWithin(6));
}

}  // namespace
}  // namespace pikko
