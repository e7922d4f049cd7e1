// The home-tab promotion over a recording view: the pages it loads, how it
// sets up the panel, page changes by buttons and timer, the install action,
// and what it does while it is not set up.
#include "promotion/Hometabpromotion.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"
#include "promotion/fakes/FakeHomeTabView.h"

namespace pikko {
namespace {

using Calls = std::vector<std::string>;
constexpr char kHome[] = "D:\\AUTORUN\\HomeTab";
constexpr char kFile[] = "D:\\AUTORUN\\HomeTab\\HomeTab.ini";
const std::string kPage = "Navigate D:\\AUTORUN\\HomeTab\\Pages\\page";
WindowHandle const kPanel = reinterpret_cast<WindowHandle>(0x1234);

// A page shown always; with a button when its product folder has a setup
// file supporting the fake system's platform.
std::string Page(int n, const std::string& product, const std::string& extra = "") {
  const std::string number = std::to_string(n);
  return "[Page" + number + "]\nHTML=page" + number +
         ".htm\nShowType=Always\nInstallPath=" + product + "\n" + extra;
}

class HomeTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", "[PLATFORM]\nSpecified OS=WNT_6.1P_32,\n");
    for (const char* product : {"Monitor", "Backup"})
      sys_.files.AddFile(std::string(kHome) + "\\" + product + "\\ZekaSetup.ini",
                         "[OS_Language_Tag]\nWNT_6.1P_32=Windows 7\n");
  }
  void Write(const std::string& setting, const std::string& pages) {
    sys_.files.AddFile(kFile, "[Setting]\n" + setting + "[HtmlPath]\nDefault=Pages\\\n" + pages);
  }
  // Monitor with a button, a page without one, Backup with a button.
  bool InitThreePages() {
    Write("Tab=6\nNumber=3\nInterval=5\n",
          Page(1, "Monitor",
               "ButtonImages=n.bmp,d.bmp,o.bmp\nButtonPosition=40,300\n"
               "ButtonSize=150,44\n") +
              Page(2, "Nothing") + Page(3, "Backup", "ButtonPosition=10,20\nButtonSize=30,40\n"));
    return home_.Init(kPanel, std::string(kHome) + "\\", &view_);
  }

  fakes::FakeSystem sys_;
  testing::FakeHomeTabView view_;
  HomeTab home_;
};

TEST_F(HomeTabTest, NotSetUpWithoutPanelViewOrPages) {
  struct Case {
    const char* what;
    bool panel, view, file;
    int number;  // HomeTabNumber afterwards
  };
  const Case cases[] = {{"no panel", false, true, true, -1},
                        {"no view", true, false, true, -1},
                        {"no promotion file", true, true, false, -1},
                        {"no accepted page: the tab number stays", true, true, true, 6}};
  for (const Case& c : cases) {
    sys_.files.Remove(kFile);
    if (c.file) Write("Tab=6\nNumber=2\n", "[Page1]\nShowType=ByScript\n");
    EXPECT_FALSE(home_.Init(c.panel ? kPanel : nullptr, kHome, c.view ? &view_ : nullptr));
    EXPECT_EQ(home_.HomeTabNumber(), c.number) << c.what;
    EXPECT_FALSE(home_.IsHomeTabWithin(6)) << c.what;
    EXPECT_FALSE(home_.Show());
    home_.Hide();
    home_.NextClick();
    home_.RotationTimerTick();
    home_.InstallClick();
    home_.InstallMouseEnter();
    EXPECT_EQ(view_.Take(), Calls{}) << c.what;
  }
  // A record read, but the running system not told: no promotion either.
  sys_.version.version.reset();
  EXPECT_FALSE(InitThreePages());
  EXPECT_EQ(home_.HomeTabNumber(), 6);
  EXPECT_FALSE(home_.IsHomeTabWithin(6));
}

TEST_F(HomeTabTest, InitBuildsThePanelHidden) {
  ASSERT_TRUE(InitThreePages());
  EXPECT_EQ(home_.Folder(), kHome);
  EXPECT_EQ(view_.Take(), (Calls{"CreateRotationTimer 5000", "CreateBrowser", "CreateInstallButton",
                                 "ShowInstallButton 40,300 150x44", "CreatePageButtons",
                                 "EnablePageButtons 01", "HidePanel", "StopTimer"}));
  EXPECT_EQ(view_.style.caption, "Install Now");
  EXPECT_EQ(view_.style.fontName, "Microsoft Sans Serif");
  EXPECT_EQ(std::make_pair(view_.style.fontSize, view_.style.fontColour),
            std::make_pair(20, 0xFFFFFFu));
  EXPECT_EQ(view_.install.raised + view_.install.sunken + view_.install.focused,
            "D:\\AUTORUN\\HomeTab\\n.bmpD:\\AUTORUN\\HomeTab\\d.bmpD:\\AUTORUN\\HomeTab\\o.bmp");
  EXPECT_EQ(std::make_pair(view_.next.left, view_.next.top), std::make_pair(580, 355));
  EXPECT_EQ(std::make_pair(view_.previous.left, view_.previous.top), std::make_pair(535, 355));
  EXPECT_EQ(view_.next.raised + view_.next.disabled,
            "D:\\AUTORUN\\HomeTab\\next_n.bmpD:\\AUTORUN\\HomeTab\\next_f.bmp");
  EXPECT_EQ(view_.previous.sunken + view_.previous.focused,
            "D:\\AUTORUN\\HomeTab\\previous_d.bmpD:\\AUTORUN\\HomeTab\\previous_o.bmp");
  EXPECT_TRUE(home_.IsHomeTabWithin(6));
}

TEST_F(HomeTabTest, OnePageHasNoPageButtonsAndNoTimer) {
  Write("Tab=1\nNumber=1\nInterval=5\n",
        Page(1, "Monitor", "ButtonPosition=5,6\nButtonSize=7,8\n"));
  ASSERT_TRUE(home_.Init(kPanel, kHome, &view_));
  EXPECT_EQ(view_.Take(), (Calls{"CreateBrowser", "CreateInstallButton",
                                 "ShowInstallButton 5,6 7x8", "HidePanel"}));
  ASSERT_TRUE(home_.Show());
  home_.NextClick();
  home_.PreviousClick();
  home_.RotationTimerTick();
  EXPECT_EQ(view_.Take(), (Calls{kPage + "1.htm", "ShowPanel"}));
}

TEST_F(HomeTabTest, PagesAreTheExistingSectionsUpToNumber) {
  const std::string p1 = Page(1, "x"), p2 = Page(2, "x"), p3 = Page(3, "x");
  const std::string other = "[PAGE2]\nHTML=page2.htm\nShowType=Always\n[Page03]\nHTML=page3.htm\n";
  const std::tuple<const char*, std::string, std::vector<int>> cases[] = {
      {"Number=3\n", p3 + p1, {1, 3}},  // a gap is skipped, the order is the number's
      {"Number=2\n", p1 + p2 + p3, {1, 2}},
      {"Number=3\n", other, {2}},  // names in other case count, leading zeros do not
      {"", p1, {}},
      {"Number=-3\n", p1, {}},
      {"Number=three\n", p1, {}},
      {"Number=0x2\n", p1 + p2 + p3, {1, 2}},
      {"Number=100000\n", p1 + p2, {1, 2}},
      {"Number=2147483647\n", p2, {2}},
  };
  for (const auto& [setting, sections, numbers] : cases) {
    Write(setting, sections);
    const int reads = sys_.files.iniReads;
    EXPECT_EQ(home_.Load(kFile), !numbers.empty()) << setting;
    // However large "Number" is, the work follows the sections the file has.
    EXPECT_LT(sys_.files.iniReads - reads, 30) << setting;
    std::vector<int> loaded;
    for (const auto& page : home_.Pages()) {
      const std::string& path = page->PagePath;
      loaded.push_back(path[path.size() - 5] - '0');
    }
    EXPECT_EQ(loaded, numbers) << setting;
  }
}

TEST_F(HomeTabTest, LanguageChoosesThePageFolder) {
  const std::tuple<const char*, std::uint16_t, const char*> cases[] = {
      {"WNT_6.1P_32,German ; de", 0x0409, "De\\"},  // the record's, without its comment
      {"WNT_6.1P_32,", 0x040C, "Fr\\"},             // else the system's, in the promotion file
      {"WNT_6.1P_32,", 0x0C07, "De\\"},             // by its last two digits
      {"WNT_6.1P_32,Japanese", 0x0409, "Def\\"},    // no folder for it: Default
      {nullptr, 0x040C, "En\\"},                    // no record: English
  };
  for (const auto& [record, langId, folder] : cases) {
    sys_.files.Remove("C:\\WINDOWS\\Zkcd_tmp.ini");
    if (record)
      sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini",
                         std::string("[PLATFORM]\nSpecified OS=") + record + "\n");
    sys_.version.langId = langId;
    sys_.files.AddFile(kFile,
                       "[Setting]\nNumber=1\n[OS_Language_Tag]\n040C=French\n07=German\n"
                       "[HtmlPath]\nDefault=Def\\\nGerman=De\\\nFrench=Fr\\\nEnglish=En\\\n" +
                           Page(1, "none"));
    ASSERT_TRUE(home_.Load(kFile));
    EXPECT_EQ(home_.Pages()[0]->PagePath, std::string(kHome) + "\\" + folder + "page1.htm")
        << (record ? record : "no record") << " " << langId;
  }
}

TEST_F(HomeTabTest, TimerIntervals) {
  const std::tuple<const char*, int, int> cases[] = {{"5", 3, 5000},
                                                     {"5", 1, 0},
                                                     {"0", 3, 0},
                                                     {"-5", 3, 0},
                                                     {"soon", 3, 0},
                                                     {"1", 2, 1000},
                                                     {"3000000", 2, 2147483647}};
  for (const auto& [interval, pages, ms] : cases) {
    std::string sections;
    for (int n = 1; n <= pages; ++n) sections += Page(n, "none");
    Write(std::string("Number=3\nInterval=") + interval + "\n", sections);
    ASSERT_TRUE(home_.Load(kFile));
    EXPECT_EQ(home_.HasTimer(), ms != 0) << interval << " s, " << pages << " pages";
    EXPECT_EQ(home_.TimerIntervalMs(), ms) << interval << " s, " << pages << " pages";
  }
}

// The page changes as one script over three pages (the second without an
// install button): the timer sets the page buttons before it shows a page
// and keeps them on a middle page, the buttons set them after showing, and
// the pointer on the install button holds the rotation.
TEST_F(HomeTabTest, PageChangesByTimerButtonsAndPointer) {
  ASSERT_TRUE(InitThreePages());
  view_.Take();
  const std::string show = "StopTimer|Navigate D:\\AUTORUN\\HomeTab\\Pages\\page";
  const std::string first = "|ShowInstallButton 40,300 150x44",
                    third = "|ShowInstallButton 10,20 30x40";
  const std::pair<const char*, std::string> steps[] = {
      {"show", show + "1.htm|ShowPanel|StartTimer"},
      {"tick", show + "2.htm|ShowPanel|StartTimer|HideInstallButton"},
      {"tick", "EnablePageButtons 10|" + show + "3.htm|ShowPanel|StartTimer" + third},
      {"tick", "EnablePageButtons 01|" + show + "1.htm|ShowPanel|StartTimer" + first},
      {"enter", "StopTimer"},
      {"leave", "StartTimer"},
      {"next", show + "2.htm|ShowPanel|StartTimer|HideInstallButton|EnablePageButtons 11"},
      {"next", show + "3.htm|ShowPanel|StartTimer" + third + "|EnablePageButtons 10"},
      {"next", ""},
      {"previous", show + "2.htm|ShowPanel|StartTimer|HideInstallButton|EnablePageButtons 11"},
      {"previous", show + "1.htm|ShowPanel|StartTimer" + first + "|EnablePageButtons 01"},
      {"previous", ""},
      {"enter", "StopTimer"},
      {"show", show + "1.htm|ShowPanel"},  // under the pointer: no start
      // The button hides under the pointer, which is off it then.
      {"next", show + "2.htm|ShowPanel|HideInstallButton|StartTimer|EnablePageButtons 11"},
      {"hide", "HidePanel|StopTimer"},
      {"leave", ""},
      {"tick", ""},  // one already on its way when the promotion hid
      {"show", show + "2.htm|ShowPanel|StartTimer"},  // the page shown last
  };
  for (const auto& [action, calls] : steps) {
    const std::string a = action;
    if (a == "show") home_.Show();
    if (a == "hide") home_.Hide();
    if (a == "tick") home_.RotationTimerTick();
    if (a == "next") home_.NextClick();
    if (a == "previous") home_.PreviousClick();
    if (a == "enter") home_.InstallMouseEnter();
    if (a == "leave") home_.InstallMouseLeave();
    std::string got;
    for (const std::string& call : view_.Take()) got += (got.empty() ? "" : "|") + call;
    EXPECT_EQ(got, calls) << a << " to page " << home_.CurrentPage();
  }
}

TEST_F(HomeTabTest, InstallStartsTheProductInstallerAndMinimises) {
  ASSERT_TRUE(InitThreePages());
  home_.Show();
  view_.Take();
  home_.InstallClick();
  ASSERT_EQ(sys_.shell.calls.size(), 1u);
  const fakes::ShellCall& call = sys_.shell.calls[0];
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.verb + "|" + call.file + "|" + call.parameters + "|" + call.directory,
            "open|D:\\AUTORUN\\HomeTab\\Monitor\\ZekaSetup.exe||D:\\AUTORUN\\HomeTab\\Monitor\\");
  EXPECT_EQ(call.show, 1);
  EXPECT_EQ(view_.Take(), Calls{"Minimise"});
  for (std::intptr_t result : {0, 2, 32}) {  // failures are silent
    sys_.shell.result = result;
    home_.InstallClick();
  }
  EXPECT_EQ(view_.Take(), Calls{});
  EXPECT_TRUE(sys_.messages.shown.empty());
}

TEST_F(HomeTabTest, HomeTabWithinTheTabsAndAFreshInit) {
  const std::tuple<const char*, int, bool, bool> cases[] = {
      {"", -1, false, false},      {"Tab=0\n", 0, false, false}, {"Tab=1\n", 1, true, true},
      {"Tab=6\n", 6, false, true}, {"Tab=7\n", 7, false, false}, {"Tab=six\n", -1, false, false}};
  for (const auto& [tab, number, within5, within6] : cases) {
    Write(std::string("Number=1\n") + tab, Page(1, "none"));
    ASSERT_TRUE(home_.Init(kPanel, kHome, &view_));
    EXPECT_EQ(home_.HomeTabNumber(), number) << tab;
    EXPECT_EQ(home_.IsHomeTabWithin(5), within5) << tab;
    EXPECT_EQ(home_.IsHomeTabWithin(6), within6) << tab;
  }
  // A later window without a promotion, or a detached one, sees none.
  sys_.files.Remove(kFile);
  EXPECT_FALSE(home_.Init(kPanel, kHome, &view_));
  EXPECT_EQ(home_.HomeTabNumber(), -1);
  ASSERT_TRUE(InitThreePages());
  home_.Detach();
  view_.Take();
  EXPECT_FALSE(home_.Show());
  home_.RotationTimerTick();
  EXPECT_EQ(view_.Take(), Calls{});
  EXPECT_EQ(&HomeTab::Instance(), &HomeTab::Instance());
}

}  // namespace
}  // namespace pikko
