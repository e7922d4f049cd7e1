#include "app/MenuConfig.h"

#include <gtest/gtest.h>

#include "Manual_Opener/Manualini.h"
#include "platform/IniSnapshot.h"
#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

const std::string kProgramFolder = "D:\\AUTORUN\\";
const std::string kPath = "D:\\AUTORUN\\zkcd_dbg.ini";
WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x1234);
const std::string kWarn = "Incorrect RGB value in [COLORS]: ";

struct Msg {
  std::string text;
  unsigned icon;
  bool operator==(const Msg& o) const { return text == o.text && icon == o.icon; }
};

std::ostream& operator<<(std::ostream& os, const Msg& m) {
  return os << "{\"" << m.text << "\", 0x" << std::hex << m.icon << std::dec << "}";
}

MenuColours StartColours() { return {0xF1F3D7, 0xF1F3D8, 0xF1F3D9, 0x867D70, 0xF7F9F9, {}, {}}; }

// One load of a file (no file at all when ini is null), with what it showed.
struct Loaded {
  bool ok = false;
  MenuModel model;
  MenuColours colours = StartColours();
  std::vector<Msg> messages;
  std::vector<std::string> manualQuestions;
  std::vector<std::string> manualsOpened;  // disc folder, settings file
};

Loaded Load(const char* ini, MenuConfigSeams seams = {}) {
  fakes::FakeSystem sys;
  if (ini != nullptr) sys.files.AddFile(kPath, ini);
  Loaded out;
  if (!seams.hasManual) {
    seams.hasManual = [&out](const std::string& key) {
      out.manualQuestions.push_back(key);
      return key.find("manual") != std::string::npos;
    };
  }
  seams.openManuals = [&out](const std::string& disc, const std::string& settings) {
    out.manualsOpened = {disc, settings};
  };
  out.ok = LoadMenuConfiguration(kPath, kProgramFolder, kOwner, seams, out.model, out.colours);
  for (const fakes::ShownMessage& m : sys.messages.shown) {
    EXPECT_EQ(m.owner, kOwner);
    EXPECT_EQ(m.caption, "AutoRun - Pikko.exe");
    out.messages.push_back({m.text, m.style});
  }
  return out;
}

std::vector<int> Numbers(const MenuTab& tab) {
  std::vector<int> numbers;
  for (const SetupItem& item : tab.Items) numbers.push_back(item.Number);
  return numbers;
}

TEST(MenuConfigPath, DebugAndNormal) {
  struct Case {
    bool debug;
    std::string programFolder, windows, path;
  };
  const Case cases[] = {
      {true, "D:\\AUTORUN\\", "C:\\WINDOWS", "D:\\AUTORUN\\zkcd_dbg.ini"},
      {true, "D:\\AUTORUN", "C:\\WINDOWS", "D:\\AUTORUN\\zkcd_dbg.ini"},
      {false, "D:\\AUTORUN\\", "C:\\WINDOWS", "C:\\WINDOWS\\Zkcd_tmp.ini"},
      {false, "D:\\AUTORUN\\", "C:\\", "C:\\Zkcd_tmp.ini"},  // a drive root has its backslash
      {false, "D:\\", "E:\\WinNT", "E:\\WinNT\\Zkcd_tmp.ini"},
      // The Windows folder is asked for with room for 255 characters.
      {false, "", "C:\\" + std::string(251, 'w'),
       "C:\\" + std::string(251, 'w') + "\\Zkcd_tmp.ini"},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    sys.folders.windows = c.windows;
    EXPECT_EQ(MenuConfigPath(c.debug, c.programFolder), c.path) << c.programFolder << c.windows;
  }
}

TEST(DiscFolder, ParentOfTheProgramFolder) {
  const std::pair<std::string, std::string> cases[] = {
      {"D:\\AUTORUN\\", "D:\\"},
      {"D:\\AUTORUN", "D:\\"},
      {"D:\\MB\\AUTORUN\\", "D:\\MB\\"},
      {"D:\\", "D:\\"},  // a program at the root: the root is the disc
  };
  for (const auto& [program, disc] : cases) EXPECT_EQ(DiscFolder(program), disc) << program;
}

// Every message that ends loading, and nothing shown after it. Each file
// also holds faults further on that would be reported if loading went on.
TEST(LoadMenuConfiguration, FatalMessagesStopLoading) {
  struct Case {
    const char* name;
    const char* ini;
    std::vector<Msg> messages;
  };
  const Msg noItems{"No items supporting this Operating System", mb::IconInformation};
  const Msg wrongNum{"Wrong NUM in TABS_INFO!", mb::IconError};
  const char* const laterFaults = "[COLORS]\nTabUp=1,2\n[SETUP_ITEM]\nItemNumber=2\n(1)Tab=-2\n";
  const std::string noNum = std::string("[TABS_INFO]\nTAB0=Drivers\n") + laterFaults;
  const std::string zeroNum = std::string("[TABS_INFO]\nNUM=0\n") + laterFaults;
  const std::string textNum = std::string("[TABS_INFO]\nNUM=two\n") + laterFaults;
  const std::string negativeNum = std::string("[TABS_INFO]\nNUM=-1\n") + laterFaults;
  const Case cases[] = {
      {"missing file", nullptr, {{kPath + " not found...", mb::IconError}}},
      {"no NUM", noNum.c_str(), {wrongNum}},
      {"NUM 0", zeroNum.c_str(), {wrongNum}},
      {"NUM not a number", textNum.c_str(), {wrongNum}},
      {"NUM negative", negativeNum.c_str(), {wrongNum}},
      {"no ItemNumber", "[TABS_INFO]\nNUM=1\n[SETUP_ITEM]\n(1)Tab=-2\n", {noItems}},
      {"ItemNumber 0", "[TABS_INFO]\nNUM=1\n[SETUP_ITEM]\nItemNumber=0\n(1)Tab=-2\n", {noItems}},
      {"ItemNumber negative", "[TABS_INFO]\nNUM=1\n[SETUP_ITEM]\nItemNumber=-3\n", {noItems}},
      {"bad colour, then no items",
       "[TABS_INFO]\nNUM=1\n[COLORS]\nTabUp=9\n",
       {{kWarn + "9", mb::IconWarning}, noItems}},
      {"Fullkit item without a tab",
       "[TABS_INFO]\nNUM=2\n[SETUP_ITEM]\nItemNumber=4\n(3)IsZekaFullkit=1\n(4)Tab=7\n",
       {{"Incorrect value: (3)Tab", mb::IconError}}},
      {"Fullkit item on tab NUM",
       "[TABS_INFO]\nNUM=2\n[SETUP_ITEM]\nItemNumber=4\n(1)Tab=9\n(3)IsZekaFullkit=1\n(3)Tab=2\n"
       "(4)Tab=7\n",
       {{"Incorrect value of (1)Tab", mb::IconWarning},
        {"Incorrect value: (3)Tab", mb::IconError}}},
      {"Fullkit item on tab -2",
       "[TABS_INFO]\nNUM=2\n[SETUP_ITEM]\nItemNumber=2\n(2)IsZekaFullkit=1\n(2)Tab=-2\n",
       {{"Incorrect value: (2)Tab", mb::IconError}}},
      {"Fullkit item on tab 6 of a clamped NUM 9",
       "[TABS_INFO]\nNUM=9\n[SETUP_ITEM]\nItemNumber=1\n(1)IsZekaFullkit=1\n(1)Tab=6\n",
       {{"Incorrect value: (1)Tab", mb::IconError}}},
  };
  for (const Case& c : cases) {
    const Loaded r = Load(c.ini);
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_EQ(r.messages, c.messages) << c.name;
    EXPECT_TRUE(r.manualsOpened.empty()) << c.name;
    EXPECT_TRUE(r.manualQuestions.empty()) << c.name;
  }
}

TEST(LoadMenuConfiguration, TabCountAndCaptions) {
  struct Case {
    const char* tabs;
    int count;
    std::vector<std::string> captions;
  };
  const Case cases[] = {
      {"NUM=1\nTAB0=Drivers", 1, {"Drivers"}},
      {"NUM=3\nTAB0=Drivers\nTAB1=\nTAB2=Tools", 3, {"Drivers", "NoTabName", "Tools"}},
      {"NUM=0x2\nTAB1=Tools\nTAB2=Unused", 2, {"NoTabName", "Tools"}},
      {"NUM= 6", 6, std::vector<std::string>(6, "NoTabName")},
      // More tabs than the bar's six places: the first six are shown.
      {"NUM=9\nTAB5=Six\nTAB6=Seven",
       6,
       {"NoTabName", "NoTabName", "NoTabName", "NoTabName", "NoTabName", "Six"}},
  };
  for (const Case& c : cases) {
    const std::string ini =
        std::string("[TABS_INFO]\n") + c.tabs + "\n[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n";
    const Loaded r = Load(ini.c_str());
    ASSERT_TRUE(r.ok) << c.tabs;
    EXPECT_EQ(r.model.TabCount, c.count) << c.tabs;
    std::vector<std::string> captions;
    for (const MenuTab& tab : r.model.Tabs) captions.push_back(tab.Caption);
    EXPECT_EQ(captions, c.captions) << c.tabs;
  }
}

// A caption wraps onto two lines only when it is wider than the 95-pixel label.
TEST(LoadMenuConfiguration, TabCaptionWraps) {
  const char* ini =
      "[TABS_INFO]\nNUM=4\nTAB0=wide-96\nTAB1=fits-95\nTAB2=x\nTAB3=wide-200\n"
      "[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n";
  MenuConfigSeams seams;
  std::vector<std::string> measured;
  seams.measureTabCaption = [&measured](const std::string& caption) {
    measured.push_back(caption);
    return caption == "x" ? 10 : std::stoi(caption.substr(caption.find('-') + 1));
  };
  const Loaded r = Load(ini, seams);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.model.TabCaptionWraps, (std::array<bool, 6>{true, false, false, true, false, false}));
  EXPECT_EQ(measured, (std::vector<std::string>{"wide-96", "fits-95", "x", "wide-200"}));
  // Without a measure every caption is taken to fit.
  EXPECT_EQ(Load(ini).model.TabCaptionWraps, (std::array<bool, 6>{}));
}

TEST(LoadMenuConfiguration, SideButtonsCloseUp) {
  struct Case {
    const char* buttons;
    std::array<bool, 5> shown;
    std::array<int, 5> shift;
  };
  const Case cases[] = {
      {"Button0=a\nButton1=b\nButton2=c\nButton3=d\nButton4=e", {1, 1, 1, 1, 1}, {0, 0, 0, 0, 0}},
      {"Button0=a\nButton1=-\nButton2=c\nButton3=d\nButton4=e",
       {1, 0, 1, 1, 1},
       {0, 0, 55, 55, 55}},
      {"Button0=-\nButton2=c\nButton4=e", {0, 0, 1, 0, 1}, {0, 0, 110, 0, 165}},
      {"", {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
      {"Button3=--\nButton4=", {0, 0, 0, 1, 1}, {0, 0, 0, 165, 165}},  // only "-" is absent
  };
  for (const Case& c : cases) {
    const std::string ini = std::string("[TABS_INFO]\nNUM=1\n[BUTTONS]\n") + c.buttons +
                            "\n[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n";
    const Loaded r = Load(ini.c_str());
    ASSERT_TRUE(r.ok) << c.buttons;
    EXPECT_EQ(r.model.ButtonShown, c.shown) << c.buttons;
    EXPECT_EQ(r.model.ButtonShift, c.shift) << c.buttons;
  }
  const Loaded r = Load(
      "[TABS_INFO]\nNUM=1\n[BUTTONS]\nButton0=System report\nButton1=-\nButton2=Support\n"
      "[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n");
  EXPECT_EQ(r.model.ButtonTexts,
            (std::array<std::string, 5>{"System report", "", "Support", "", ""}));
}

// Which items a tab lists, which is its batch-install item, and what is
// reported on the way (two tabs).
TEST(LoadMenuConfiguration, ItemScan) {
  struct Case {
    const char* name;
    const char* items;
    std::vector<int> tab0, tab1;
    int fullkit0, fullkit1;
    std::vector<Msg> messages;
  };
  const Msg warn1{"Incorrect value of (1)Tab", mb::IconWarning};
  const Msg warn3{"Incorrect value of (3)Tab", mb::IconWarning};
  // clang-format off
  const Case cases[] = {
      {"ascending order", "ItemNumber=3\n(3)Tab=0\n(1)Tab=0\n(2)Tab=1",
       {1, 3}, {2}, -1, -1, {}},
      {"hexadecimal tab", "ItemNumber=1\n(1)Tab=0x1",
       {}, {1}, -1, -1, {}},
      {"-2 warns, -1 and -5 are quiet", "ItemNumber=4\n(1)Tab=-2\n(2)Tab=-1\n(3)Tab=-5\n(4)Tab=0",
       {4}, {}, -1, -1, {warn1}},
      {"no tab or not a number: quiet", "ItemNumber=2\n(1)Title=x\n(2)Tab=one",
       {}, {}, -1, -1, {}},
      {"tab NUM and beyond warn", "ItemNumber=3\n(1)Tab=2\n(2)Tab=1\n(3)Tab=6",
       {}, {2}, -1, -1, {warn1, warn3}},
      {"hidden item with a bad tab: no warning",
       "ItemNumber=3\n(1)HideInAutorun=1\n(1)Tab=9\n(2)HideInAutorun=0\n(2)Tab=0\n"
       "(3)HideInAutorun=yes\n(3)Tab=1",
       {2}, {3}, -1, -1, {}},
      {"demo items",
       "ItemNumber=4\n(1)Demoshield_Item=1\n(1)Tab=-2\n(2)Demoshield_Item=0x0\n(2)Tab=0\n"
       "(3)Demoshield_Item=no\n(3)Tab=0\n(4)Demoshield_Item=-1\n(4)Tab=0",
       {2, 3}, {}, -1, -1, {}},
      {"Fullkit items are not listed; a later one wins",
       "ItemNumber=5\n(1)IsZekaFullkit=1\n(1)Tab=1\n(2)Tab=1\n(3)IsZekaFullkit=1\n(3)Tab=1\n"
       "(4)IsZekaFullkit=1\n(4)Tab=0\n(4)HideInAutorun=1\n(5)IsZekaFullkit=0\n(5)Tab=0",
       {5}, {2}, 4, 3, {}},
      {"ItemNumber bounds the scan", "ItemNumber=1\n(1)Tab=0\n(2)Tab=0\n(3)Tab=9",
       {1}, {}, -1, -1, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    const std::string ini = std::string("[TABS_INFO]\nNUM=2\n[SETUP_ITEM]\n") + c.items + "\n";
    const Loaded r = Load(ini.c_str());
    ASSERT_TRUE(r.ok) << c.name;
    ASSERT_EQ(r.model.Tabs.size(), 2u) << c.name;
    EXPECT_EQ(Numbers(r.model.Tabs[0]), c.tab0) << c.name;
    EXPECT_EQ(Numbers(r.model.Tabs[1]), c.tab1) << c.name;
    EXPECT_EQ(r.model.Tabs[0].FullkitItem, c.fullkit0) << c.name;
    EXPECT_EQ(r.model.Tabs[1].FullkitItem, c.fullkit1) << c.name;
    EXPECT_EQ(r.messages, c.messages) << c.name;
  }
}

TEST(LoadMenuConfiguration, ItemDetailsAndManuals) {
  const Loaded r = Load(
      "[TABS_INFO]\nNUM=2\n[SETUP_ITEM]\nItemNumber=4\n"
      "(1)Tab=1\n(1)Title=Audio\n(1)Description=Sound driver.@@Needs a restart.\n"
      "(1)AD=VendorAD\\audio.htm\n(1)Path=Drivers\\Audio\\manual\n"
      "(2)Tab=0\n(2)Path=Drivers\\LAN\n"
      "(3)Tab=0\n(3)Title=\n(3)Description=\n"
      "(4)IsZekaFullkit=1\n(4)Tab=0\n(4)Path=Fullkit\\manual\n");
  ASSERT_TRUE(r.ok);
  const SetupItem& audio = r.model.Tabs[1].Items.at(0);
  EXPECT_EQ(audio.Title, "Audio");
  EXPECT_EQ(audio.Description, "Sound driver.\nNeeds a restart.");
  EXPECT_EQ(audio.AdPage, "VendorAD\\audio.htm");
  EXPECT_EQ(audio.ManualPath, "Drivers\\Audio\\manual");
  const SetupItem& lan = r.model.Tabs[0].Items.at(0);
  EXPECT_EQ(lan.Title, "No Title");
  EXPECT_EQ(lan.Description, "No Description");
  EXPECT_EQ(lan.AdPage, "");
  EXPECT_EQ(lan.ManualPath, "");  // a path without a manual
  const SetupItem& blank = r.model.Tabs[0].Items.at(1);
  EXPECT_EQ(blank.Title, "");
  EXPECT_EQ(blank.Description, "");
  // Asked in tab order; an item without a path and the Fullkit item are not asked.
  EXPECT_EQ(r.manualQuestions,
            (std::vector<std::string>{"Drivers\\LAN", "Drivers\\Audio\\manual"}));
  EXPECT_EQ(r.manualsOpened, (std::vector<std::string>{"D:\\", "D:\\BIN\\ManualSetting.ini"}));
}

// [COLORS]: a good value is applied, an empty one is kept quietly, a bad one
// is kept with a warning that quotes it as written.
TEST(LoadMenuConfiguration, Colours) {
  struct Case {
    const char* line;
    TColor itemUp;
    std::vector<Msg> messages;
  };
  const TColor start = StartColours().ItemColorUp;
  const Case cases[] = {
      {"TitleMouseUp=0,0,0", 0x000000, {}},
      {"TitleMouseUp=255, 128, 0", 0x0080FF, {}},
      {"TitleMouseUp=", start, {}},
      {"", start, {}},
      {"TitleMouseUp=1,2", start, {{kWarn + "1,2", mb::IconWarning}}},
      {"TitleMouseUp=-1,0,0", start, {}},  // parses to -1: ignored silently
      {"TitleMouseUp=0,-1,0", start, {{kWarn + "0,-1,0", mb::IconWarning}}},
      {"TitleMouseUp=0,0,256", 0x1000000, {}},  // no range check: carries past blue
      {"TitleMouseUp=red", start, {{kWarn + "red", mb::IconWarning}}},
  };
  for (const Case& c : cases) {
    const std::string ini = std::string("[TABS_INFO]\nNUM=1\n[COLORS]\n") + c.line +
                            "\n[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n";
    const Loaded r = Load(ini.c_str());
    ASSERT_TRUE(r.ok) << c.line;
    EXPECT_EQ(r.colours.ItemColorUp, c.itemUp) << c.line;
    EXPECT_EQ(r.messages, c.messages) << c.line;
  }
}

TEST(LoadMenuConfiguration, EveryColourKeyInOrder) {
  const Loaded good = Load(
      "[TABS_INFO]\nNUM=1\n[COLORS]\nTitleMouseUp=1,0,0\nTitleMouseMove=2,0,0\n"
      "TitleMouseDown=3,0,0\nDescription=4,0,0\nWindowCaption=5,0,0\nTabUp=6,0,0\nTabDown=7,0,0\n"
      "[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n");
  const MenuColours& c = good.colours;
  EXPECT_EQ((std::vector<TColor>{c.ItemColorUp, c.ItemColorMove, c.ItemColorDown,
                                 c.Description.value_or(0), c.WindowCaption.value_or(0),
                                 c.TabColorUp, c.TabColorDown}),
            (std::vector<TColor>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_TRUE(good.messages.empty());

  const Loaded bad = Load(
      "[TABS_INFO]\nNUM=1\n[COLORS]\nTabDown=7\nTabUp=6\nWindowCaption=5\nDescription=4\n"
      "TitleMouseDown=3\nTitleMouseMove=2\nTitleMouseUp=1\n[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n");
  std::vector<std::string> texts;
  for (const Msg& m : bad.messages) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{kWarn + "1", kWarn + "2", kWarn + "3", kWarn + "4",
                                             kWarn + "5", kWarn + "6", kWarn + "7"}));
  EXPECT_FALSE(bad.colours.Description.has_value());
  EXPECT_FALSE(bad.colours.WindowCaption.has_value());
  EXPECT_EQ(bad.colours.TabColorDown, StartColours().TabColorDown);
}

// The menu-wide values outside the tabs and items.
TEST(LoadMenuConfiguration, MenuWideValues) {
  struct Case {
    const char* extra;  // sections before [TABS_INFO]
    const char* tabsInfo;
    const char* setup;  // keys beside ItemNumber and (1)Tab
    std::function<void(const MenuModel&)> check;
  };
  const Case cases[] = {
      {"", "", "",
       [](const MenuModel& m) {
         EXPECT_EQ(m.Language, "English");
         EXPECT_FALSE(m.NoContact);
         EXPECT_EQ(m.NoItemText, "There is no item.");
         EXPECT_EQ(m.FontName, "");
         EXPECT_EQ(m.FontSize, -1);
         EXPECT_FALSE(m.HasCdTitle);
         EXPECT_EQ(m.CdTitle, "");
         EXPECT_EQ(m.CdDescription, "");
         EXPECT_FALSE(m.SupportFullkit);
         EXPECT_EQ(m.ItemNumber, 1);
       }},
      {"[PLATFORM]\nSpecified OS=WNT_6.1P_64, French \n", "", "",
       [](const MenuModel& m) { EXPECT_EQ(m.Language, "French"); }},
      {"[PLATFORM]\nSpecified OS=WNT_6.1P_64,Chinese,Traditional\n", "", "",
       [](const MenuModel& m) { EXPECT_EQ(m.Language, "Chinese,Traditional"); }},
      {"[PLATFORM]\nSpecified OS=WNT_6.1P_64\n", "", "",
       [](const MenuModel& m) { EXPECT_EQ(m.Language, "English"); }},
      {"[PLATFORM]\nSpecified OS=WNT_6.1P_64,  \n", "", "",
       [](const MenuModel& m) { EXPECT_EQ(m.Language, "English"); }},
      {"", "NOCONTACT=1\nNoItem=Nothing here.\n", "",
       [](const MenuModel& m) {
         EXPECT_TRUE(m.NoContact);
         EXPECT_EQ(m.NoItemText, "Nothing here.");
       }},
      {"", "NOCONTACT=01\n", "", [](const MenuModel& m) { EXPECT_FALSE(m.NoContact); }},
      {"", "", "FontName=Tahoma\nFontSize=12\n",
       [](const MenuModel& m) {
         EXPECT_EQ(m.FontName, "Tahoma");
         EXPECT_EQ(m.FontSize, 12);
       }},
      {"", "", "FontName=NoFontName\nFontSize=big\n",
       [](const MenuModel& m) {
         EXPECT_EQ(m.FontName, "");
         EXPECT_EQ(m.FontSize, -1);
       }},
      {"", "", "CD_Title=\n",
       [](const MenuModel& m) {
         EXPECT_TRUE(m.HasCdTitle);
         EXPECT_EQ(m.CdTitle, "");
       }},
      {"", "", "CD_Title=Board Support CD\nCD_Description=Drivers.@@Utilities.\n",
       [](const MenuModel& m) {
         EXPECT_TRUE(m.HasCdTitle);
         EXPECT_EQ(m.CdTitle, "Board Support CD");
         EXPECT_EQ(m.CdDescription, "Drivers.\nUtilities.");
       }},
      {"", "", "Support Fullkit=0x1\n", [](const MenuModel& m) { EXPECT_TRUE(m.SupportFullkit); }},
      {"", "", "Support Fullkit=yes\n", [](const MenuModel& m) { EXPECT_FALSE(m.SupportFullkit); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.extra) + c.tabsInfo + c.setup);
    const std::string ini = std::string(c.extra) + "[TABS_INFO]\nNUM=1\n" + c.tabsInfo +
                            "[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n" + c.setup;
    const Loaded r = Load(ini.c_str());
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.empty());
    c.check(r.model);
  }
}

// The exception-model list is asked only about a board whose model name and
// processor maker are both known.
TEST(LoadMenuConfiguration, ExceptionModel) {
  struct Case {
    const char* dmi;
    bool listed;
    bool asked, exception;
  };
  const Case cases[] = {
      {"MB_PRODUCTNAME=Z77X\nCPU_MANUFACTURER=Intel", true, true, true},
      {"MB_PRODUCTNAME=Z77X\nCPU_MANUFACTURER=Intel", false, true, false},
      {"MB_PRODUCTNAME=Z77X", true, false, false},
      {"CPU_MANUFACTURER=Intel", true, false, false},
      {"MB_PRODUCTNAME=\nCPU_MANUFACTURER=Intel", true, false, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> asked;
    MenuConfigSeams seams;
    seams.isExceptionModel = [&](const std::string& product, const std::string& cpu) {
      asked = {product, cpu};
      return c.listed;
    };
    const std::string ini = std::string("[DMI_Info]\n") + c.dmi +
                            "\n[TABS_INFO]\nNUM=1\n[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n";
    const Loaded r = Load(ini.c_str(), seams);
    ASSERT_TRUE(r.ok) << c.dmi;
    EXPECT_EQ(r.model.ExceptionModel, c.exception) << c.dmi;
    const std::vector<std::string> expected = {"Z77X", "Intel"};
    EXPECT_EQ(asked, c.asked ? expected : std::vector<std::string>{}) << c.dmi;
  }
  // Without a list nothing is an exception.
  EXPECT_FALSE(Load("[DMI_Info]\nMB_PRODUCTNAME=Z77X\nCPU_MANUFACTURER=Intel\n[TABS_INFO]\n"
                    "NUM=1\n[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n")
                   .model.ExceptionModel);
}

TEST(ParseRgb, Table) {
  const std::pair<std::string, int> cases[] = {
      {"", -1},
      {"255,128,0", 0x0080FF},
      {"255 128 0", 0x0080FF},           // blanks separate too
      {"  255 ,\t128 , 0  ", 0x0080FF},  // blanks around a comma belong to it
      {"$FF,0x80,x0", 0x0080FF},
      {"0,0,255", 0xFF0000},
      {"\"255\",\"128\",\"0\"", 0x0080FF},
      {"\" 255\" 128 0", 0x0080FF},  // a quoted item keeps its blank; conversion skips it
      {"\"1,2\",3", -2},             // a quoted comma separates nothing
      {"\"1 2\",3,4", -3},           // a quoted blank neither
      {"0,0,\"255", 0xFF0000},       // an unterminated quote takes the rest
      {"1,2", -2},
      {"1,2,3,4", -2},
      {"   ", -2},
      {"1,,2", -3},  // two commas enclose an empty item
      {"1, ,2", -3},
      {"1,2,", -3},  // a trailing comma adds one
      {",1,2", -3},
      {"1,,2,3", -2},
      {"a,0,0", -3},
      {"-1,0,0", -1},   // no range check: adds up to -1, read as an empty value
      {"0,-1,0", -256},  // below -1: a wrong value
      {"256,0,0", 256},  // carries into green
      {"255,255,255", 0xFFFFFF},
  };
  for (const auto& [text, rgb] : cases) EXPECT_EQ(ParseRgb(text), rgb) << text;
}

TEST(ExpandLineBreaks, Table) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},       {"a@@b", "a\nb"}, {"@@@@", "\n\n"},   {"@@@", "\n@"},
      {"a@b", "a@b"}, {"@", "@"},       {"@@x@@", "\nx\n"}, {"x@@@@@y", "x\n\n@y"},
  };
  for (const auto& [text, expanded] : cases) EXPECT_EQ(ExpandLineBreaks(text), expanded) << text;
}

// A menu of many items asks the system no more than one of a few: the menu
// file and the manual settings are each read once, however many items ask
// for their manual (the form holds the menu file's snapshot, as here).
TEST(LoadMenuConfiguration, ReadsTheFilesOnceForAnyNumberOfItems) {
  auto load = [](int items, std::vector<std::string>& manualPaths) {
    std::string menu = "[TABS_INFO]\nNUM=1\n[SETUP_ITEM]\nItemNumber=" + std::to_string(items) + "\n";
    std::string settings = "[ManualFolder]\n";
    for (int i = 1; i <= items; ++i) {
      const std::string n = std::to_string(i);
      menu += "(" + n + ")Tab=0\n(" + n + ")Path=Drivers\\D" + n + "\n";
      if (i % 2 == 0) settings += "Drivers\\D" + n + "=D" + n + "\n";
    }
    fakes::FakeSystem sys;
    sys.files.AddFile(kPath, menu);
    sys.files.AddFile("D:\\BIN\\ManualSetting.ini", settings);
    ManualIni::ResetForTests();
    MenuConfigSeams seams;
    seams.openManuals = [](const std::string& disc, const std::string& file) {
      ManualIni::Instance(disc, file);
    };
    seams.hasManual = [](const std::string& key) { return ManualIni::Existing()->HasManual(key); };
    MenuModel model;
    MenuColours colours = StartColours();
    ScopedIniSnapshot snapshot(kPath);
    EXPECT_TRUE(LoadMenuConfiguration(kPath, kProgramFolder, kOwner, seams, model, colours));
    manualPaths.clear();
    for (const SetupItem& item : model.Tabs.at(0).Items) manualPaths.push_back(item.ManualPath);
    ManualIni::ResetForTests();
    return sys.files.iniReads;
  };
  std::vector<std::string> few, many;
  const int readsFew = load(4, few);
  const int readsMany = load(400, many);
  EXPECT_EQ(readsMany, readsFew);
  EXPECT_EQ(few, (std::vector<std::string>{"", "Drivers\\D2", "", "Drivers\\D4"}));
  ASSERT_EQ(many.size(), 400u);
  EXPECT_EQ(many[399], "Drivers\\D400");
  EXPECT_EQ(many[398], "");
}

}  // namespace
}  // namespace pikko
