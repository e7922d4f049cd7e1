// The vendor advertisement configuration, its warnings, the "Install Now"
// pictures and click, and the per-item pages.
#include "actions/VendorAds.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

constexpr char kProgram[] = "D:\\AUTORUN\\";
constexpr char kFile[] = "D:\\AUTORUN\\VendorAD\\VendorAD.ini";
WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x77);

class VendorAdsTest : public ::testing::Test {
 protected:
  VendorAdsTest() {
    seams_.hideDescription = [this] { ++hidden_; };
    seams_.loadInstallPicture = [this](InstallPicture state, const std::string& file) {
      loaded_.push_back({state, file});
      return file != failing_;
    };
  }
  VendorAds Load(const std::string& language = "English") {
    return LoadVendorAds(kProgram, language, kOwner, seams_);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : sys_.messages.shown) texts.push_back(m.text);
    return texts;
  }

  fakes::FakeSystem sys_;
  VendorAdSeams seams_;
  int hidden_ = 0;
  std::vector<std::pair<InstallPicture, std::string>> loaded_;
  std::string failing_;
};

TEST_F(VendorAdsTest, WithoutTheFileTheModeStaysOff) {
  const VendorAds ads = Load();
  EXPECT_FALSE(ads.VendorAdMode);
  EXPECT_TRUE(ads.AdPages.empty());
  EXPECT_TRUE(ads.Ok());
  EXPECT_EQ(hidden_, 0);
  EXPECT_TRUE(loaded_.empty());  // the button keeps its pictures
}

TEST_F(VendorAdsTest, ModeHidesTheDescriptionAndLoadsThePicturesInOrder) {
  sys_.files.AddFile(kFile, "[AD_TABS]\nMaxADTabs=0\n");
  const VendorAds ads = LoadVendorAds("D:\\AUTORUN", "English", kOwner, seams_);  // no backslash
  EXPECT_TRUE(ads.VendorAdMode);
  EXPECT_TRUE(ads.Ok());
  EXPECT_EQ(hidden_, 1);
  const std::vector<std::pair<InstallPicture, std::string>> expected = {
      {InstallPicture::Focused, "D:\\AUTORUN\\VendorAD\\install_o.bmp"},
      {InstallPicture::Raised, "D:\\AUTORUN\\VendorAD\\install_n.bmp"},
      {InstallPicture::Sunken, "D:\\AUTORUN\\VendorAD\\install_d.bmp"}};
  EXPECT_EQ(loaded_, expected);
}

TEST_F(VendorAdsTest, AMissingPictureEndsTheLoadThere) {
  sys_.files.AddFile(kFile, "[AD_TABS]\nMaxADTabs=1\nTab0=T\n[T]\nEnglish=a.htm\n");
  failing_ = "D:\\AUTORUN\\VendorAD\\install_n.bmp";
  const VendorAds ads = Load();
  EXPECT_TRUE(ads.VendorAdMode);
  EXPECT_FALSE(ads.Ok());
  EXPECT_EQ(ads.FailedPicture, failing_);
  EXPECT_EQ(loaded_.size(), 2u);  // the sunken picture is not tried
  EXPECT_TRUE(ads.AdPages.empty());
  EXPECT_TRUE(sys_.messages.shown.empty());
  // A window that cannot load pictures at all fails at the first one.
  seams_.loadInstallPicture = nullptr;
  EXPECT_EQ(Load().FailedPicture, "D:\\AUTORUN\\VendorAD\\install_o.bmp");
}

TEST_F(VendorAdsTest, TabsPagesAndWarnings) {
  struct Case {
    const char* what;
    std::string ini;
    const char* language;
    std::vector<std::string> pages;  // relative to VendorAD\ .
    std::vector<std::string> messages;
  };
  const std::string targets = "[A]\nEnglish=a.htm\n[B]\nEnglish=b.htm\nFrench=b_fr.htm\n[C]\nFrench=c.htm\n";
  const Case cases[] = {
      {"two tabs", "[AD_TABS]\nMaxADTabs=2\nTab0=A\nTab1=B\n" + targets, "English",
       {"a.htm", "b.htm"}, {}},
      {"the language's page first", "[AD_TABS]\nMaxADTabs=2\nTab0=A\nTab1=B\n" + targets, "French",
       {"a.htm", "b_fr.htm"}, {}},
      {"a missing key shifts later pages", "[AD_TABS]\nMaxADTabs=3\nTab0=A\nTab2=B\n" + targets,
       "English", {"a.htm", "b.htm"}, {}},
      {"an empty key warns", "[AD_TABS]\nMaxADTabs=3\nTab0=\nTab1=A\nTab2=B\n" + targets, "English",
       {"a.htm", "b.htm"}, {"Wrong value in Tab0"}},
      {"a target without the language or English",
       "[AD_TABS]\nMaxADTabs=2\nTab0=C\nTab1=A\n" + targets, "German", {"a.htm"},
       {"Target not found.\r\n\r\n[C]\r\nEnglish ="}},
      {"a target section that does not exist", "[AD_TABS]\nMaxADTabs=1\nTab0=Nowhere\n", "English",
       {}, {"Target not found.\r\n\r\n[Nowhere]\r\nEnglish ="}},
      {"keys at and beyond MaxADTabs are not read", "[AD_TABS]\nMaxADTabs=1\nTab0=A\nTab1=B\n" + targets,
       "English", {"a.htm"}, {}},
      {"MaxADTabs missing", "[AD_TABS]\nTab0=A\n" + targets, "English", {}, {}},
      {"MaxADTabs not a number", "[AD_TABS]\nMaxADTabs=many\nTab0=A\n" + targets, "English", {}, {}},
      {"MaxADTabs negative", "[AD_TABS]\nMaxADTabs=-4\nTab0=A\n" + targets, "English", {}, {}},
      {"MaxADTabs in hexadecimal", "[AD_TABS]\nMaxADTabs=0x2\nTab1=B\nTab0=A\n" + targets, "English",
       {"a.htm", "b.htm"}, {}},
      {"MaxADTabs huge", "[AD_TABS]\nMaxADTabs=2147483647\nTab7=A\nTab100000=B\n" + targets,
       "English", {"a.htm", "b.htm"}, {}},
      {"key names in other case", "[ad_tabs]\nMaxADTabs=1\ntab0=A\n" + targets, "English",
       {"a.htm"}, {}},
      {"a leading zero names another key", "[AD_TABS]\nMaxADTabs=2\nTab01=A\n" + targets, "English",
       {}, {}},
      {"a key without a value is skipped", "[AD_TABS]\nMaxADTabs=2\nTab0\nTab1=A\n" + targets,
       "English", {"a.htm"}, {}},
      {"an empty language tag falls back to English", "[AD_TABS]\nMaxADTabs=1\nTab0=B\n" + targets,
       "", {"b.htm"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sys_.messages.shown.clear();
    sys_.files.AddFile(kFile, c.ini);
    const int readsBefore = sys_.files.iniReads;
    const VendorAds ads = Load(c.language);
    EXPECT_LT(sys_.files.iniReads - readsBefore, 30);
    EXPECT_TRUE(ads.VendorAdMode);
    std::vector<std::string> pages;
    for (const std::string& page : c.pages) pages.push_back("D:\\AUTORUN\\VendorAD\\" + page);
    EXPECT_EQ(ads.AdPages, pages);
    EXPECT_EQ(Texts(), c.messages);
    for (const auto& m : sys_.messages.shown) {
      EXPECT_EQ(m.caption, "ADVendor.ini");
      EXPECT_EQ(m.style, mb::IconWarning);
      EXPECT_EQ(m.owner, kOwner);
    }
  }
}

TEST(AdInstall, StartsTheFirstItemOrRefuses) {
  fakes::FakeSystem sys;
  MenuTab withItems;
  withItems.Items.push_back(SetupItem{12, "Chipset", "", "", ""});
  EXPECT_TRUE(AdInstallStartsFirstItem(&withItems, kOwner));
  EXPECT_TRUE(sys.messages.shown.empty());
  MenuTab empty;
  for (const MenuTab* tab : {static_cast<const MenuTab*>(&empty), static_cast<const MenuTab*>(nullptr)}) {
    sys.messages.shown.clear();
    EXPECT_FALSE(AdInstallStartsFirstItem(tab, kOwner));
    ASSERT_EQ(sys.messages.shown.size(), 1u);
    EXPECT_EQ(sys.messages.shown[0].text, "Does not support this OS.");
    EXPECT_EQ(sys.messages.shown[0].caption, "Setup");
    EXPECT_EQ(sys.messages.shown[0].style, mb::IconError);
  }
}

TEST(ItemAdPage, OnlyInTheModeAndForItemsWithAPage) {
  SetupItem withPage{3, "", "", "VendorAD\\items\\x.htm", ""};
  SetupItem without{4, "", "", "", ""};
  EXPECT_EQ(ItemAdPage(true, &withPage, kProgram), "D:\\AUTORUN\\VendorAD\\items\\x.htm");
  EXPECT_FALSE(ItemAdPage(false, &withPage, kProgram));
  EXPECT_FALSE(ItemAdPage(true, &without, kProgram));
  EXPECT_FALSE(ItemAdPage(true, nullptr, kProgram));
}

}  // namespace
}  // namespace pikko
