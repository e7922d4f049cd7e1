// One promotion page: which pages are shown, with or without their install
// button, the button's settings, and the probe of "ByDynamic" pages.
#include "promotion/PromotionPage.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "platform/fakes/FakePorts.h"
#include "promotion/ProductProbe.h"

namespace pikko {
namespace {

constexpr char kHome[] = "D:\\AUTORUN\\HomeTab";
constexpr char kFile[] = "D:\\AUTORUN\\HomeTab\\HomeTab.ini";
constexpr char kSpecifiedOs[] = "C:\\WINDOWS\\Zkcd_tmp.ini";
// What the fake system detects: Windows 7, a 64-bit process, English.
constexpr char kPlatform[] = "WNT_6.1P_32";

// The probes the fake libraries export, and what they were last given.
struct ProbeCall {
  std::uint32_t words[5];
  bool slots;
};
ProbeCall g_lastProbe;
int g_probeCalls = 0;
std::int32_t Answer(std::int32_t answer, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                    std::uint32_t d, std::uint32_t e, std::uint32_t* s, std::uint8_t* f) {
  ++g_probeCalls;
  g_lastProbe = {{a, b, c, d, e}, s != nullptr && f != nullptr};
  if (s) *s = 0xDEAD;  // the menu never reads the slots back
  if (f) *f = 0xEE;
  return answer;
}
std::int32_t PIKKO_CDECL ProbeYes(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                  std::uint32_t d, std::uint32_t e, std::uint32_t* s,
                                  std::uint8_t* f) {
  return Answer(1, a, b, c, d, e, s, f);
}
std::int32_t PIKKO_CDECL ProbeNo(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                 std::uint32_t d, std::uint32_t e, std::uint32_t* s,
                                 std::uint8_t* f) {
  return Answer(0, a, b, c, d, e, s, f);
}
std::int32_t PIKKO_CDECL ProbeTwo(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                  std::uint32_t d, std::uint32_t e, std::uint32_t* s,
                                  std::uint8_t* f) {
  return Answer(2, a, b, c, d, e, s, f);
}
static_assert(std::is_same_v<decltype(&ProbeYes), ZekaIoControlProc>);

void* Export(ZekaIoControlProc p) { return reinterpret_cast<void*>(p); }

struct AcceptCase {
  const char* what;
  std::string keys;   // page keys besides HTML and InstallPath
  const char* setup;  // the setup file's support section; nullptr: no file
  bool accepted, button;
};

class PromotionPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys_.files.AddFile(kSpecifiedOs, "[PLATFORM]\nSpecified OS=WNT_5.1P,German\n");
    sys_.libraries.Add("D:\\AUTORUN\\yes.dll", {{kProbeExport, Export(&ProbeYes)}});
    sys_.libraries.Add("D:\\AUTORUN\\no.dll", {{kProbeExport, Export(&ProbeNo)}});
    sys_.libraries.Add("D:\\AUTORUN\\two.dll", {{kProbeExport, Export(&ProbeTwo)}});
    sys_.libraries.Add("D:\\AUTORUN\\other.dll", {{"SomethingElse", Export(&ProbeYes)}});
    g_probeCalls = 0;
  }
  // Page 1 with these keys, and a product setup file in HomeTab\Prod\ with
  // this support section (none: no setup file).
  void Write(const std::string& pageKeys, const char* setupSection = nullptr) {
    sys_.files.AddFile(kFile, "[Setting]\nNumber=1\n[Page1]\nHTML=p1.htm\nInstallPath=Prod\n" +
                                  pageKeys);
    if (setupSection)
      sys_.files.AddFile("D:\\AUTORUN\\HomeTab\\Prod\\ZekaSetup.ini",
                         std::string("[OS_Language_Tag]\n") + setupSection);
  }
  bool Load() { return page_.Load(kFile, "English\\", 1, kHome); }
  void RunAcceptTable(const std::vector<AcceptCase>& cases) {
    for (const AcceptCase& c : cases) {
      SCOPED_TRACE(c.what);
      sys_.files.Remove("D:\\AUTORUN\\HomeTab\\Prod\\ZekaSetup.ini");
      Write(c.keys, c.setup);
      EXPECT_EQ(Load(), c.accepted);
      if (c.accepted) {
        EXPECT_EQ(page_.HasInstallButton, c.button);
      }
    }
  }

  fakes::FakeSystem sys_;
  PromotionPage page_;
};

const std::string kSupported = std::string(kPlatform) + "=Supported on this system\n";

TEST_F(PromotionPageTest, AlwaysIsShownWithAButtonOnlyWhenTheProductSupportsThePlatform) {
  RunAcceptTable({
                     {"no setup file", "ShowType=Always\n", nullptr, true, false},
                     {"setup file without support text", "ShowType=Always\n", "WNT_5.1P=XP\n",
                      true, false},
                     {"support text for this platform", "ShowType=Always\n", kSupported.c_str(),
                      true, true},
                     {"support text that is only a comment", "ShowType=Always\n",
                      "WNT_6.1P_32=  ; later\n", true, false},
                     {"a probe named changes nothing", "ShowType=Always\nDllName=no.dll\n",
                      kSupported.c_str(), true, true},
  });
  EXPECT_EQ(g_probeCalls, 0);
}

TEST_F(PromotionPageTest, ByDynamicAsksTheProbeAndShowsThePageEitherWay) {
  RunAcceptTable({
                     {"probe answers 1", "ShowType=ByDynamic\nDllName=yes.dll\n", "", true, true},
                     {"probe answers 0", "ShowType=ByDynamic\nDllName=no.dll\n", kSupported.c_str(),
                      true, false},
                     {"probe answers 2", "ShowType=ByDynamic\nDllName=two.dll\n", "", true, false},
                     {"library missing", "ShowType=ByDynamic\nDllName=absent.dll\n", "", true,
                      false},
                     {"export missing", "ShowType=ByDynamic\nDllName=other.dll\n", "", true, false},
                     {"no setup file: not shown", "ShowType=ByDynamic\nDllName=yes.dll\n", nullptr,
                      false, false},
                     {"no probe named: as ByScript, unsupported", "ShowType=ByDynamic\n", "",
                      false, false},
                     {"no probe named: as ByScript, supported", "ShowType=ByDynamic\n",
                      kSupported.c_str(), true, true},
  });
  EXPECT_EQ(g_probeCalls, 3);
}

TEST_F(PromotionPageTest, ByScriptAndEveryOtherTypeNeedTheSupportText) {
  RunAcceptTable({
                     {"ByScript supported", "ShowType=ByScript\n", kSupported.c_str(), true, true},
                     {"ByScript unsupported", "ShowType=ByScript\n", "WNT_10.0P=x\n", false, false},
                     {"ByScript without setup file", "ShowType=ByScript\n", nullptr, false, false},
                     {"no show type is ByScript", "", kSupported.c_str(), true, true},
                     {"no show type, no setup file", "", nullptr, false, false},
                     {"lower-case always is not Always", "ShowType=always\n", nullptr, false,
                      false},
                     {"lower-case always, supported", "ShowType=always\n", kSupported.c_str(), true,
                      true},
                     {"unknown type, unsupported", "ShowType=Sometimes\n", "", false, false},
                     {"bydynamic in lower case asks no probe", "ShowType=bydynamic\nDllName=yes.dll\n",
                      "", false, false},
  });
  EXPECT_EQ(g_probeCalls, 0);
}

TEST_F(PromotionPageTest, FillsTheFieldsFromItsSection) {
  sys_.files.AddFile(kFile,
                     "[Page4]\nHTML=promo\\four.htm\nShowType=Always\nInstallPath = Tools\\X \n"
                     "DllName=x.dll\n");
  sys_.files.AddFile("D:\\AUTORUN\\HomeTab\\Tools\\X\\ZekaSetup.ini",
                     "[OS_Language_Tag]\nWNT_6.1P_32=Windows 7 ; note\n0409=English  ; us\n");
  ASSERT_TRUE(page_.Load(kFile, "Pages\\en\\", 4, kHome));
  EXPECT_EQ(page_.PagePath, "D:\\AUTORUN\\HomeTab\\Pages\\en\\promo\\four.htm");
  EXPECT_EQ(page_.ShowType, "Always");
  EXPECT_EQ(page_.InstallPath, "Tools\\X");
  EXPECT_EQ(page_.DllName, "x.dll");
  EXPECT_EQ(page_.PlatformTag, kPlatform);  // detected, not the record's WNT_5.1P
  EXPECT_EQ(page_.LanguageId, "0409");
  EXPECT_EQ(page_.SupportText, "Windows 7");
  EXPECT_EQ(page_.LanguageTag, "English");  // the setup file's, not the record's German
  EXPECT_TRUE(page_.HasInstallButton);
  EXPECT_EQ(page_.ProductFolder(kHome), "D:\\AUTORUN\\HomeTab\\Tools\\X\\");
}

TEST_F(PromotionPageTest, MissingFileOrSectionIsNotAPage) {
  EXPECT_FALSE(page_.Load(kFile, "", 1, kHome));  // no promotion file
  sys_.files.AddFile(kFile, "[Page1]\nShowType=Always\n[Page10]\nShowType=Always\n");
  EXPECT_FALSE(page_.Load(kFile, "", 2, kHome));
  EXPECT_FALSE(page_.Load(kFile, "", 0, kHome));
  EXPECT_TRUE(page_.Load(kFile, "", 10, kHome));
  // A section of that name with no keys at all is still the page's.
  sys_.files.AddFile(kFile, "[page3]\n[Other]\n");
  sys_.files.AddFile("D:\\AUTORUN\\HomeTab\\ZekaSetup.ini",
                     "[OS_Language_Tag]\nWNT_6.1P_32=yes\n");
  ASSERT_TRUE(page_.Load(kFile, "", 3, kHome));
  EXPECT_EQ(page_.ShowType, "ByScript");
  EXPECT_EQ(page_.PagePath, "D:\\AUTORUN\\HomeTab\\");
}

TEST_F(PromotionPageTest, PlatformRecordAndDetection) {
  // No Specified OS file: a warning, and no platform to find support for.
  sys_.files.Remove(kSpecifiedOs);
  Write("ShowType=ByScript\n", kSupported.c_str());
  EXPECT_FALSE(Load());
  Write("ShowType=Always\n", kSupported.c_str());
  ASSERT_TRUE(Load());
  EXPECT_FALSE(page_.HasInstallButton);
  EXPECT_EQ(page_.PlatformTag, "");
  EXPECT_EQ(page_.LanguageId, "");
  EXPECT_EQ(sys_.messages.shown.size(), 2u);  // once per page with a setup file
  // A page without a setup file does not look for the record at all.
  Write("ShowType=Always\n");
  sys_.files.Remove("D:\\AUTORUN\\HomeTab\\Prod\\ZekaSetup.ini");
  EXPECT_TRUE(Load());
  EXPECT_EQ(sys_.messages.shown.size(), 2u);
  // The record is there but the running system cannot be told: no page.
  sys_.files.AddFile(kSpecifiedOs, "[PLATFORM]\nSpecified OS=WNT_5.1P,German\n");
  sys_.version.version.reset();
  Write("ShowType=Always\n", kSupported.c_str());
  EXPECT_FALSE(Load());
}

TEST_F(PromotionPageTest, ButtonSettings) {
  struct Case {
    const char* what;
    const char* keys;
    std::vector<std::string> images;
    int left, top, width, height;
  };
  const Case cases[] = {
      {"all given", "ButtonImages=n.bmp,d.bmp,o.bmp\nButtonPosition=40,300\nButtonSize=150,44\n",
       {"n.bmp", "d.bmp", "o.bmp"}, 40, 300, 150, 44},
      {"blank part dropped, first repeated", "ButtonImages=a.bmp, ,b.bmp\n",
       {"a.bmp", "b.bmp", "a.bmp"}, 0, 0, 0, 0},
      {"no images", "", {"DefalutButtonImg.bmp", "DefalutButtonImg.bmp", "DefalutButtonImg.bmp"},
       0, 0, 0, 0},
      {"only commas", "ButtonImages=, ,,\n",
       {"DefalutButtonImg.bmp", "DefalutButtonImg.bmp", "DefalutButtonImg.bmp"}, 0, 0, 0, 0},
      {"one image", "ButtonImages= one.bmp \n", {"one.bmp", "one.bmp", "one.bmp"}, 0, 0, 0, 0},
      {"four images are kept", "ButtonImages=a,b,c,d\n", {"a", "b", "c", "d"}, 0, 0, 0, 0},
      {"single number places at the corner", "ButtonImages=a\nButtonPosition=40\nButtonSize=9,9\n",
       {"a", "a", "a"}, 0, 0, 9, 9},
      {"non-numeric part", "ButtonImages=a\nButtonPosition=40,top\nButtonSize=x,10\n",
       {"a", "a", "a"}, 0, 0, 0, 0},
      {"negative part", "ButtonImages=a\nButtonPosition=-5,10\nButtonSize=10,-1\n",
       {"a", "a", "a"}, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write(std::string("ShowType=Always\n") + c.keys, kSupported.c_str());
    ASSERT_TRUE(Load());
    ASSERT_TRUE(page_.HasInstallButton);
    EXPECT_EQ(page_.ButtonImages, c.images);
    EXPECT_EQ(page_.ButtonLeft, c.left);
    EXPECT_EQ(page_.ButtonTop, c.top);
    EXPECT_EQ(page_.ButtonWidth, c.width);
    EXPECT_EQ(page_.ButtonHeight, c.height);
  }
  // A page without a button reads none of them.
  Write("ShowType=Always\nButtonImages=a\nButtonPosition=1,2\n", "");
  ASSERT_TRUE(Load());
  EXPECT_TRUE(page_.ButtonImages.empty());
  EXPECT_EQ(page_.ButtonLeft, 0);
}

TEST(ParseButtonPair, Table) {
  struct Case {
    const char* text;
    int first, second;
  };
  const Case cases[] = {
      {"10,20", 10, 20},     {" 7 , 8 ", 7, 8},      {"0x10,$20", 16, 32}, {",,5,,6,,", 5, 6},
      {"0,0", 0, 0},         {"32767,1", 32767, 1},  {"10", 0, 0},         {"", 0, 0},
      {"1,2,3", 0, 0},       {"x,5", 0, 0},          {"5,5px", 0, 0},      {"-5,5", 0, 0},
      {"32768,1", 0, 0},     {"99999999999,1", 0, 0}, {",", 0, 0},
  };
  for (const Case& c : cases) {
    const ButtonPair p = ParseButtonPair(c.text);
    EXPECT_EQ(p.first, c.first) << '"' << c.text << '"';
    EXPECT_EQ(p.second, c.second) << '"' << c.text << '"';
  }
}

TEST(PageNumberOfSection, Table) {
  struct Case {
    const char* name;
    int n;
  };
  const Case cases[] = {{"Page1", 1},    {"page12", 12},          {"PAGE3", 3},
                        {"Page", 0},     {"Page0", 0},            {"Page01", 0},
                        {"Page-1", 0},   {"Page+1", 0},           {"Page1a", 0},
                        {"Pages1", 0},   {"Setting", 0},          {"Page2147483647", 2147483647},
                        {"Page2147483648", 0}, {"Page99999999999", 0}, {"", 0}};
  for (const Case& c : cases) EXPECT_EQ(PageNumberOfSection(c.name), c.n) << c.name;
}

TEST(ProductFolderOf, Table) {
  EXPECT_EQ(ProductFolderOf("D:\\H", ""), "D:\\H\\");
  EXPECT_EQ(ProductFolderOf("D:\\H", "P"), "D:\\H\\P\\");
  EXPECT_EQ(ProductFolderOf("D:\\H", "P\\"), "D:\\H\\P\\");
  EXPECT_EQ(ProductFolderOf("D:\\H", "A\\B"), "D:\\H\\A\\B\\");
}

TEST(ProbeReportsProduct, CallsTheExportFromTheProgramFolder) {
  fakes::FakeSystem sys;
  sys.libraries.Add("D:\\AUTORUN\\Probes\\yes.dll", {{kProbeExport, Export(&ProbeYes)}});
  g_lastProbe = {{9, 9, 9, 9, 9}, false};
  EXPECT_TRUE(ProbeReportsProduct("Probes\\yes.dll"));
  EXPECT_EQ(sys.libraries.loads, std::vector<std::string>{"D:\\AUTORUN\\Probes\\yes.dll"});
  for (std::uint32_t w : g_lastProbe.words) EXPECT_EQ(w, 0u);
  EXPECT_TRUE(g_lastProbe.slots);

  // No name, or no folder to look in: nothing is loaded at all.
  EXPECT_FALSE(ProbeReportsProduct(""));
  sys.folders.program.clear();
  EXPECT_FALSE(ProbeReportsProduct("Probes\\yes.dll"));
  EXPECT_EQ(sys.libraries.loads.size(), 1u);
}

}  // namespace
}  // namespace pikko
