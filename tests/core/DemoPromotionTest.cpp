// The demo disc's promotion and vendor advertisements, read by the menu's
// own loaders over the generated files: what a user of the demo disc sees.
#include "demo/DemoPromotion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "actions/VendorAds.h"
#include "app/MenuConfig.h"
#include "platform/IniReader.h"
#include "platform/fakes/FakePorts.h"
#include "promotion/Hometabpromotion.h"
#include "promotion/ProductProbe.h"
#include "tests/TempFolder.h"
#include "tests/core/FakeHomeTabView.h"

namespace pikko::demo {
namespace {

namespace fs = std::filesystem;

constexpr char kProgram[] = "D:\\AUTORUN\\";

std::int32_t PIKKO_CDECL Present(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                 std::uint32_t, std::uint32_t*, std::uint8_t*) {
  return 1;
}
std::int32_t PIKKO_CDECL Absent(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                std::uint32_t, std::uint32_t*, std::uint8_t*) {
  return 0;
}

// The demo's files in the fake file system, and the probe copies answering
// as their settings files tell the stand-in.
class DemoPromotion : public ::testing::Test {
 protected:
  void SetUp() override {
    sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n");
    for (const DiscFiles* files : {&PromotionFiles(), &VendorAdFiles()}) {
      for (const auto& [relative, bytes] : *files) {
        sys_.files.AddFile(kProgram + relative, bytes);
        names_.insert(relative);
      }
    }
    for (const std::string& dll : PromotionProbeLibraries()) {
      const std::string settings = Bytes(dll.substr(0, dll.size() - 4) + ".ini");
      const bool present = IniDocument::Parse(settings).ReadString("Products", "Present", "") == "1";
      sys_.libraries.Add(kProgram + dll,
                         {{kProbeExport, reinterpret_cast<void*>(present ? &Present : &Absent)}});
    }
  }
  std::string Bytes(const std::string& relative) const {
    for (const DiscFiles* files : {&PromotionFiles(), &VendorAdFiles()})
      for (const auto& [name, bytes] : *files)
        if (name == relative) return bytes;
    ADD_FAILURE() << "no demo file " << relative;
    return {};
  }
  // A file of the demo by its full path, as a BMP of that size.
  void ExpectBitmap(const std::string& path, int width, int height) const {
    ASSERT_EQ(path.rfind(kProgram, 0), 0u) << path;
    const std::string relative = path.substr(std::string(kProgram).size());
    ASSERT_TRUE(names_.count(relative)) << relative;
    const auto bmp = DecodeBmp(Bytes(relative));
    ASSERT_TRUE(bmp) << relative;
    EXPECT_EQ(bmp->image.Width(), width) << relative;
    EXPECT_EQ(bmp->image.Height(), height) << relative;
  }
  bool Exists(const std::string& path) const {
    return path.rfind(kProgram, 0) == 0 && names_.count(path.substr(std::string(kProgram).size()));
  }

  fakes::FakeSystem sys_;
  std::set<std::string> names_;
};

TEST_F(DemoPromotion, HomeTabShowsThreeRotatingPages) {
  testing::FakeHomeTabView view;
  HomeTab home;
  ASSERT_TRUE(home.Init(reinterpret_cast<WindowHandle>(1), std::string(kProgram) + "HomeTab", &view));
  EXPECT_TRUE(sys_.messages.shown.empty());
  EXPECT_EQ(home.HomeTabNumber(), kDemoHomeTab);
  EXPECT_TRUE(home.IsHomeTabWithin(kDemoHomeTab));
  EXPECT_EQ(view.timerInterval, 5000);
  const auto& pages = home.Pages();
  ASSERT_EQ(pages.size(), 3u);
  // The product the probe reports, one it does not, and a page of information.
  EXPECT_TRUE(pages[0]->HasInstallButton);
  EXPECT_EQ(pages[0]->ShowType, "ByDynamic");
  EXPECT_FALSE(pages[1]->HasInstallButton);
  EXPECT_EQ(pages[1]->ShowType, "ByDynamic");
  EXPECT_FALSE(pages[2]->HasInstallButton);
  for (const auto& page : pages) EXPECT_TRUE(Exists(page->PagePath)) << page->PagePath;

  ASSERT_TRUE(view.installVisible);
  ExpectBitmap(view.installLook.raised, view.installLook.width, view.installLook.height);
  ExpectBitmap(view.installLook.sunken, 180, 44);
  ExpectBitmap(view.installLook.focused, 180, 44);
  // The install button and the page buttons lie inside the 625 x 378 panel.
  EXPECT_LE(view.installLook.left + view.installLook.width, 625);
  EXPECT_LE(view.installLook.top + view.installLook.height, 378);
  for (const PageButtonLook* b : {&view.next, &view.previous}) {
    for (const std::string* picture : {&b->raised, &b->sunken, &b->focused, &b->disabled})
      ExpectBitmap(*picture, 40, 20);
    EXPECT_LE(b->left + 40, 625);
    EXPECT_LE(b->top + 20, 378);
  }
  const std::string installer = home.CurrentInstaller();
  EXPECT_EQ(installer, std::string(kProgram) + PromotionInstallers()[0]);
}

TEST_F(DemoPromotion, VendorAdsMakeTheFirstTabAnAdvertisementForARealItem) {
  std::vector<std::string> pictures;
  VendorAdSeams seams;
  seams.loadInstallPicture = [&](InstallPicture, const std::string& file) {
    pictures.push_back(file);
    return Exists(file);
  };
  const VendorAds ads = LoadVendorAds(kProgram, "French", nullptr, seams);  // English serves all
  EXPECT_TRUE(sys_.messages.shown.empty());
  ASSERT_TRUE(ads.Ok()) << ads.FailedPicture;
  for (const std::string& p : pictures) ExpectBitmap(p, 108, 27);
  ASSERT_EQ(ads.AdPages.size(), 1u);
  EXPECT_TRUE(Exists(ads.AdPages[0])) << ads.AdPages[0];

  // The menu as it loads the demo configuration: "Install Now" on the
  // advertisement tab starts its first item, whose setup program the demo
  // disc carries.
  sys_.files.AddFile("D:\\AUTORUN\\zkcd_dbg.ini", DemoMenuIni());
  MenuModel model;
  MenuColours colours;
  ASSERT_TRUE(LoadMenuConfiguration("D:\\AUTORUN\\zkcd_dbg.ini", kProgram, nullptr, {}, model,
                                    colours));
  ASSERT_GE(model.Tabs.size(), ads.AdPages.size());
  EXPECT_TRUE(AdInstallStartsFirstItem(&model.Tabs[0], nullptr));
  EXPECT_EQ(model.Tabs[0].Items.front().Title, "Chipset Driver");
  int itemAds = 0;
  for (const MenuTab& tab : model.Tabs) {
    for (const SetupItem& item : tab.Items) {
      const auto page = ItemAdPage(ads.VendorAdMode, &item, kProgram);
      if (!page) continue;
      ++itemAds;
      EXPECT_TRUE(Exists(*page)) << *page;
      EXPECT_NE(&tab, &model.Tabs[0]);  // on another tab than the advertisement
    }
  }
  EXPECT_EQ(itemAds, 2);
}

TEST(DemoPromotionFiles, PagesWorkOfflineInStandardsMode) {
  int pages = 0;
  for (const DiscFiles* files : {&PromotionFiles(), &VendorAdFiles()}) {
    for (const auto& [name, bytes] : *files) {
      if (name.size() < 4 || name.compare(name.size() - 4, 4, ".htm") != 0) continue;
      ++pages;
      SCOPED_TRACE(name);
      EXPECT_EQ(bytes.rfind("<!DOCTYPE html>", 0), 0u);
      EXPECT_NE(bytes.find("X-UA-Compatible\" content=\"IE=edge\""), std::string::npos);
      EXPECT_EQ(bytes.find("://"), std::string::npos);
      EXPECT_EQ(bytes.find("src="), std::string::npos);
    }
  }
  EXPECT_EQ(pages, 6);
}

TEST(DemoPromotionFiles, TestDiscsCarryThemOnlyWhenAsked) {
  for (bool on : {false, true}) {
    testing::TempFolder temp;
    TestDiscOptions options;
    options.promotion = on;
    options.vendorAds = on;
    ASSERT_TRUE(WriteTestDisc(temp.Path().string(), "[TABS_INFO]\r\nNUM=1\r\n", options));
    for (const DiscFiles* files : {&PromotionFiles(), &VendorAdFiles()})
      for (const auto& [name, bytes] : *files)
        EXPECT_EQ(ReadFileBytes(JoinPath(temp.Path().string(), name)),
                  on ? std::optional<std::string>(bytes) : std::nullopt)
            << name;
  }
}

TEST(DemoPromotionFiles, DemoDiscHoldsThemAndTheInstallers) {
  testing::TempFolder temp;
  const std::string autorun = (temp.Path() / "AUTORUN").string();
  ASSERT_TRUE(WriteDemoDisc(autorun));
  EXPECT_TRUE(fs::is_regular_file(JoinPath(autorun, "HomeTab\\HomeTab.ini")));
  EXPECT_TRUE(fs::is_regular_file(JoinPath(autorun, "VendorAD\\VendorAD.ini")));
  ASSERT_TRUE(PlaceSetupStubs(autorun, "stub"));
  for (const std::string& installer : PromotionInstallers())
    EXPECT_EQ(ReadFileBytes(JoinPath(autorun, installer)), "stub") << installer;
}

}  // namespace
}  // namespace pikko::demo
