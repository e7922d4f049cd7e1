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
    seams_.hideDescription = [this] { loaded_.push_back("hide description"); };
    seams_.loadInstallPicture = [this](InstallPicture state, const std::string& file) {
      loaded_.push_back(std::to_string(static_cast<int>(state)) + " " + file);
      return file != failing_;
    };
  }
  VendorAds Load(const std::string& language = "English") {
    return LoadVendorAds(kProgram, language, kOwner, seams_);
  }

  fakes::FakeSystem sys_;
  VendorAdSeams seams_;
  std::vector<std::string> loaded_;
  std::string failing_;
};

TEST_F(VendorAdsTest, ModeAndPictures) {
  EXPECT_FALSE(Load().VendorAdMode);  // no file: off, and the button keeps its pictures
  EXPECT_TRUE(loaded_.empty());
  sys_.files.AddFile(kFile, "[AD_TABS]\nMaxADTabs=1\nTab0=T\n[T]\nEnglish=a.htm\n");
  const VendorAds ads = LoadVendorAds("D:\\AUTORUN", "English", kOwner, seams_);
  EXPECT_TRUE(ads.VendorAdMode && ads.Ok());
  EXPECT_EQ(loaded_,
            (std::vector<std::string>{"hide description", "0 D:\\AUTORUN\\VendorAD\\install_o.bmp",
                                      "1 D:\\AUTORUN\\VendorAD\\install_n.bmp",
                                      "2 D:\\AUTORUN\\VendorAD\\install_d.bmp"}));
  // A picture that cannot be read ends the load there: no pages, no warnings.
  failing_ = "D:\\AUTORUN\\VendorAD\\install_n.bmp";
  loaded_.clear();
  const VendorAds failed = Load();
  EXPECT_TRUE(failed.VendorAdMode);
  EXPECT_EQ(failed.FailedPicture, failing_);
  EXPECT_EQ(loaded_.size(), 3u);  // the sunken picture is not tried
  EXPECT_TRUE(failed.AdPages.empty());
  EXPECT_TRUE(sys_.messages.shown.empty());
}

TEST_F(VendorAdsTest, TabsPagesAndWarnings) {
  const std::string targets =
      "[A]\nEnglish=a.htm\n[B]\nEnglish=b.htm\nFrench=b_fr.htm\n[C]\nFrench=c.htm\n";
  const std::string nothing = "Target not found.\r\n\r\n[";
  const std::tuple<const char*, std::string, const char*, std::vector<std::string>,
                   std::vector<std::string>>
      cases[] = {
          {"two tabs", "MaxADTabs=2\nTab0=A\nTab1=B\n", "English", {"a", "b"}, {}},
          {"the language's page first",
           "MaxADTabs=2\nTab0=A\nTab1=B\n",
           "French",
           {"a", "b_fr"},
           {}},
          {"an empty language: English", "MaxADTabs=1\nTab0=B\n", "", {"b"}, {}},
          {"a missing key shifts later pages",
           "MaxADTabs=3\nTab0=A\nTab2=B\n",
           "English",
           {"a", "b"},
           {}},
          {"a key without value is skipped", "MaxADTabs=2\nTab0\nTab1=A\n", "English", {"a"}, {}},
          {"an empty key warns",
           "MaxADTabs=2\nTab0=\nTab1=A\n",
           "English",
           {"a"},
           {"Wrong value in Tab0"}},
          {"no page for the language or English",
           "MaxADTabs=2\nTab0=C\nTab1=Z\n",
           "German",
           {},
           {nothing + "C]\r\nEnglish =", nothing + "Z]\r\nEnglish ="}},
          {"keys from MaxADTabs on are not read",
           "MaxADTabs=1\nTab0=A\nTab1=B\n",
           "English",
           {"a"},
           {}},
          {"MaxADTabs missing", "Tab0=A\n", "English", {}, {}},
          {"MaxADTabs not a number", "MaxADTabs=many\nTab0=A\n", "English", {}, {}},
          {"MaxADTabs negative", "MaxADTabs=-4\nTab0=A\n", "English", {}, {}},
          {"MaxADTabs in hexadecimal",
           "MaxADTabs=0x2\nTab1=B\nTab0=A\n",
           "English",
           {"a", "b"},
           {}},
          {"MaxADTabs huge",
           "MaxADTabs=2147483647\nTab7=A\nTab100000=B\n",
           "English",
           {"a", "b"},
           {}},
          {"key names in other case, no leading zeros",
           "MaxADTabs=3\ntab0=A\nTab01=B\n",
           "English",
           {"a"},
           {}},
      };
  for (const auto& [what, tabs, language, pages, messages] : cases) {
    sys_.messages.shown.clear();
    sys_.files.AddFile(kFile, "[AD_TABS]\n" + tabs + targets);
    const int reads = sys_.files.iniReads;
    const VendorAds ads = Load(language);
    EXPECT_LT(sys_.files.iniReads - reads, 20) << what;
    std::vector<std::string> expected, shown;
    for (const std::string& page : pages)
      expected.push_back("D:\\AUTORUN\\VendorAD\\" + page + ".htm");
    EXPECT_EQ(ads.AdPages, expected) << what;
    for (const auto& m : sys_.messages.shown) {
      shown.push_back(m.text);
      EXPECT_TRUE(m.caption == "ADVendor.ini" && m.style == mb::IconWarning && m.owner == kOwner);
    }
    EXPECT_EQ(shown, messages) << what;
  }
}

TEST(AdInstall, StartsTheFirstItemOrRefuses) {
  fakes::FakeSystem sys;
  MenuTab withItems, empty;
  withItems.Items.push_back(SetupItem{12, "Chipset", "", "", ""});
  EXPECT_TRUE(AdInstallStartsFirstItem(&withItems, kOwner));
  EXPECT_TRUE(sys.messages.shown.empty());
  EXPECT_FALSE(AdInstallStartsFirstItem(&empty, kOwner));
  EXPECT_FALSE(AdInstallStartsFirstItem(nullptr, kOwner));
  ASSERT_EQ(sys.messages.shown.size(), 2u);
  EXPECT_EQ(sys.messages.shown[0].text, "Does not support this OS.");
  EXPECT_EQ(sys.messages.shown[0].caption, "Setup");
  EXPECT_EQ(sys.messages.shown[0].style, mb::IconError);
}

}  // namespace
}  // namespace pikko
