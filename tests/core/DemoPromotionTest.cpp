// The demo disc's promotion and vendor advertisements, read by the menu's
// own loaders over the generated files: what a user of the demo disc sees.
#include "demo/DemoPromotion.h"

#include <gtest/gtest.h>

#include <map>

#include "actions/VendorAds.h"
#include "app/MenuConfig.h"
#include "platform/IniReader.h"
#include "platform/fakes/FakePorts.h"
#include "promotion/Hometabpromotion.h"
#include "promotion/ProductProbe.h"
#include "promotion/fakes/FakeHomeTabView.h"

namespace pikko::demo {
namespace {

const std::string kProgram = "D:\\AUTORUN\\";

template <std::int32_t answer>
std::int32_t PIKKO_CDECL Probe(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                               std::uint32_t, std::uint32_t*, std::uint8_t*) {
  return answer;
}

class DemoPromotion : public ::testing::Test {
 protected:
  void SetUp() override {
    sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,\r\n");
    sys_.files.AddFile(kProgram + "zkcd_dbg.ini", DemoMenuIni());
    for (const DiscFiles* files : {&PromotionFiles(), &VendorAdFiles()})
      for (const auto& [name, bytes] : *files) {
        sys_.files.AddFile(kProgram + name, bytes);
        files_[kProgram + name] = bytes;
      }
    // Each probe copy answers as its settings file tells the stand-in.
    for (const std::string& dll : PromotionProbeLibraries()) {
      const std::string ini = files_[kProgram + dll.substr(0, dll.size() - 4) + ".ini"];
      const bool present = IniDocument::Parse(ini).ReadString("Products", "Present", "") == "1";
      sys_.libraries.Add(
          kProgram + dll,
          {{kProbeExport, reinterpret_cast<void*>(present ? &Probe<1> : &Probe<0>)}});
    }
  }
  // The demo file at path decodes as a bitmap of that size.
  void ExpectBitmap(const std::string& path, int width, int height) {
    const auto bmp = DecodeBmp(files_[path]);
    ASSERT_TRUE(bmp) << path;
    EXPECT_EQ(std::make_pair(bmp->image.Width(), bmp->image.Height()),
              std::make_pair(width, height))
        << path;
  }

  fakes::FakeSystem sys_;
  std::map<std::string, std::string> files_;
};

TEST_F(DemoPromotion, HomeTabShowsThreeRotatingPages) {
  testing::FakeHomeTabView view;
  HomeTab home;
  ASSERT_TRUE(home.Init(reinterpret_cast<WindowHandle>(1), kProgram + "HomeTab", &view));
  EXPECT_TRUE(sys_.messages.shown.empty());
  EXPECT_TRUE(home.IsHomeTabWithin(kDemoHomeTab));
  EXPECT_EQ(home.TimerIntervalMs(), 5000);
  // The product the probe reports, one it does not, and a page of information.
  ASSERT_EQ(home.Pages().size(), 3u);
  EXPECT_TRUE(home.Pages()[0]->HasInstallButton);
  EXPECT_FALSE(home.Pages()[1]->HasInstallButton);
  EXPECT_FALSE(home.Pages()[2]->HasInstallButton);
  for (const auto& page : home.Pages()) EXPECT_EQ(files_.count(page->PagePath), 1u);
  for (const std::string* p : {&view.install.raised, &view.install.sunken, &view.install.focused})
    ExpectBitmap(*p, view.install.width, view.install.height);
  EXPECT_LE(view.install.left + view.install.width, 625);  // inside the panel
  for (const PageButtonLook* b : {&view.next, &view.previous})
    for (const std::string* p : {&b->raised, &b->sunken, &b->focused, &b->disabled})
      ExpectBitmap(*p, 40, 20);
  EXPECT_EQ(home.CurrentInstaller(), kProgram + PromotionInstallers()[0]);
}

TEST_F(DemoPromotion, FirstTabAdvertisesARealItemAndOthersHaveItemPages) {
  VendorAdSeams seams;
  seams.loadInstallPicture = [&](InstallPicture, const std::string& file) {
    ExpectBitmap(file, 108, 27);
    return files_.count(file) == 1;
  };
  const VendorAds ads = LoadVendorAds(kProgram, "French", nullptr, seams);  // English serves all
  ASSERT_TRUE(ads.Ok()) << ads.FailedPicture;
  ASSERT_EQ(ads.AdPages.size(), 1u);
  EXPECT_EQ(files_.count(ads.AdPages[0]), 1u);
  MenuModel model;
  MenuColours colours;
  ASSERT_TRUE(
      LoadMenuConfiguration(kProgram + "zkcd_dbg.ini", kProgram, nullptr, {}, model, colours));
  EXPECT_TRUE(AdInstallStartsFirstItem(&model.Tabs[0], nullptr));
  EXPECT_EQ(model.Tabs[0].Items.front().Title, "Chipset Driver");
  int itemPages = 0;
  for (std::size_t t = 1; t < model.Tabs.size(); ++t)
    for (const SetupItem& item : model.Tabs[t].Items)
      if (const auto page = ItemAdPage(ads.VendorAdMode, &item, kProgram)) {
        ++itemPages;
        EXPECT_EQ(files_.count(*page), 1u) << *page;
      }
  EXPECT_EQ(itemPages, 2);
  EXPECT_TRUE(sys_.messages.shown.empty());
  // Every page works offline and asks for the control's standards mode.
  for (const auto& [name, bytes] : files_) {
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".htm") != 0) continue;
    EXPECT_TRUE(bytes.find("IE=edge") != std::string::npos &&
                bytes.find("://") == std::string::npos && bytes.find("src=") == std::string::npos)
        << name;
  }
}

}  // namespace
}  // namespace pikko::demo
