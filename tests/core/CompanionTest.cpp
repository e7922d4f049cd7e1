// The companion program's choice of items: patterns, the board and maker
// from SMBIOS, and the menu file it writes, read back by the menu's loader.
#include "stand-ins/Companion.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/MenuConfig.h"
#include "demo/DemoDisc.h"
#include "demo/DemoMasterList.h"
#include "platform/fakes/FakePorts.h"

namespace pikko::companion {
namespace {

TEST(CompanionPatterns, MatchAndAdmit) {
  struct Case {
    const char* list;
    const char* value;
    bool admitted;
  };
  const Case cases[] = {
      {"", "WNT_6.2P_64", true},
      {"  ,  ", "WNT_6.2P_64", true},
      {"WNT_6.2P_64", "wnt_6.2p_64", true},
      {"WNT_6.*", "WNT_6.1H_32", true},
      {"WNT_6.*", "WNT_5.1P", false},
      {"WNT_5.*, WNT_6.0*", "WNT_6.0_32", true},
      {"*_64", "WNT_6.1P_64_MCE", false},
      {"*_64*", "WNT_6.1P_64_MCE", true},
      {"!WNT_5.*", "WNT_6.2P_64", true},
      {"!WNT_5.*", "WNT_5.1P", false},
      {"WNT_6.*,!WNT_6.0*", "WNT_6.0_32", false},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXbYY", false},
      {"**", "", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ListAdmits(c.list, c.value), c.admitted) << c.list << " / " << c.value;
}

TEST(CompanionFacts, MakersAndBoardFromSmbios) {
  const std::pair<const char*, const char*> makers[] = {
      {"GenuineIntel", "Intel"},           {"Intel(R) Corporation", "Intel"},
      {"AuthenticAMD", "AMD"},             {"Advanced Micro Devices, Inc.", "AMD"},
      {"  ExampleCPU  ", "ExampleCPU"},    {"", ""}};
  for (const auto& [raw, name] : makers) EXPECT_EQ(CpuMakerName(raw), name) << raw;

  SmbiosTable table;
  table.boards.push_back({{"Maker"}, {"  "}, {}, {}, {}});
  table.systems.push_back({{"Maker"}, {"EX-M1000 PRO"}, {}, {}, {}, {}, {}});
  SmbiosProcessor empty;
  empty.populated = false;
  empty.manufacturer = "AuthenticAMD";
  SmbiosProcessor cpu;
  cpu.manufacturer = "GenuineIntel";
  table.processors = {empty, cpu};
  SystemFacts facts;
  FactsFromSmbios(table, facts);
  EXPECT_EQ(facts.board, "EX-M1000 PRO");  // the blank board product gives way to the system's
  EXPECT_EQ(facts.cpuMaker, "Intel");      // the empty socket is passed over
}

class CompanionMenu : public ::testing::Test {
 protected:
  const std::string master = "D:\\AUTORUN\\BIN\\MasterList.ini";
  fakes::FakeSystem sys_;

  MenuModel Load(const std::string& text) {
    sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", text);
    MenuModel model;
    MenuColours colours;
    EXPECT_TRUE(LoadMenuConfiguration("C:\\WINDOWS\\Zkcd_tmp.ini", "D:\\AUTORUN\\", nullptr, {},
                                      model, colours));
    return model;
  }
};

TEST_F(CompanionMenu, SuitedItemsAreRenumberedAndReadByTheMenu) {
  sys_.files.AddFile(master,
                     "[PLATFORM]\nSpecified OS=stale,German\n[TABS_INFO]\nNUM=2\nTAB0=A\nTAB1=B\n"
                     "[SETUP_ITEM]\nCD_Title=\"  Disc  \"\nItemNumber=4\n"
                     "(1)Tab=0\n(1)Title=XP only\n(1)Platforms=WNT_5.*\n"
                     "(2)Tab=1\n(2)Title=Everyone\n(2)Run=setup.exe -s\n"
                     "(3)Tab=0\n(3)Title=Japanese\n(3)Languages=Japanese\n"
                     "(4)Tab=0\n(4)Title=Intel boards\n(4)CpuMakers=Intel\n(4)Boards=EX-*\n"
                     "(5)Tab=0\n(5)Title=Beyond the count\n"
                     "[OS_Language_Tag]\n0411=Japanese ; comment\n09=English\n");
  const SystemFacts facts{"WNT_6.2P_64", "0809", "EX-M1000", "Intel"};
  const MenuFile file = BuildMenuFile(master, facts);
  EXPECT_EQ(file.sourceNumbers, (std::vector<int>{2, 4}));
  EXPECT_EQ(file.language, "English");
  EXPECT_EQ(file.text.find("Platforms"), std::string::npos);
  EXPECT_EQ(file.text.find("stale"), std::string::npos);
  EXPECT_NE(file.text.find("(1)Run=setup.exe -s"), std::string::npos);

  const MenuModel model = Load(file.text);
  EXPECT_EQ(model.Language, "English");
  EXPECT_EQ(model.ProductName, "EX-M1000");
  EXPECT_EQ(model.CpuMaker, "Intel");
  EXPECT_EQ(model.CdTitle, "  Disc  ");  // the blanks come back through the quotes
  EXPECT_EQ(model.ItemNumber, 2);
  ASSERT_EQ(model.Tabs[0].Items.size(), 1u);
  EXPECT_EQ(model.Tabs[0].Items[0].Title, "Intel boards");
  EXPECT_EQ(model.Tabs[0].Items[0].Number, 2);
  ASSERT_EQ(model.Tabs[1].Items.size(), 1u);
  EXPECT_EQ(model.Tabs[1].Items[0].Title, "Everyone");

  // A Japanese system with another board gets the Japanese item instead.
  const MenuFile japanese = BuildMenuFile(master, {"WNT_6.2P_64", "0411", "OTHER", "AMD"});
  EXPECT_EQ(japanese.sourceNumbers, (std::vector<int>{2, 3}));
  EXPECT_EQ(japanese.language, "Japanese");
}

TEST_F(CompanionMenu, NothingSuitsGivesNoItems) {
  sys_.files.AddFile(master, "[SETUP_ITEM]\nItemNumber=1\n(1)Tab=0\n(1)Platforms=WNT_5.*\n");
  EXPECT_TRUE(BuildMenuFile(master, {"WNT_6.2P_64", "0409", "", ""}).sourceNumbers.empty());
  EXPECT_TRUE(BuildMenuFile("D:\\missing.ini", {"WNT_6.2P_64", "0409", "", ""}).sourceNumbers.empty());
}

TEST_F(CompanionMenu, DemoListLeavesOutTheOtherSystemsItems) {
  sys_.files.AddFile(master, demo::DemoMasterListIni());
  const MenuFile file = BuildMenuFile(master, {"WNT_6.2P_32", "0409", "EX-M1000 PRO", "Intel"});
  const MenuModel model = Load(file.text);
  std::vector<std::string> titles;
  for (const MenuTab& tab : model.Tabs)
    for (const SetupItem& item : tab.Items) titles.push_back(item.Title);
  for (const std::string& other : demo::OtherSystemsTitles())
    EXPECT_EQ(std::count(titles.begin(), titles.end(), other), 0) << other;
  EXPECT_EQ(std::count(titles.begin(), titles.end(), "Legacy Floppy Driver"), 0);
  EXPECT_EQ(std::count(titles.begin(), titles.end(), "Chipset Driver"), 1);
  // Every demo item but the floppy driver (hidden and for old systems) reaches the menu.
  EXPECT_EQ(file.sourceNumbers.size(), demo::DemoItems().size() - 1);
}

}  // namespace
}  // namespace pikko::companion
