// One promotion page: the show types' acceptance rules, the button
// settings, and the probe of "ByDynamic" pages.
#include "promotion/PromotionPage.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"
#include "promotion/ProductProbe.h"

namespace pikko {
namespace {

constexpr char kHome[] = "D:\\AUTORUN\\HomeTab";
constexpr char kFile[] = "D:\\AUTORUN\\HomeTab\\HomeTab.ini";
constexpr char kSetup[] = "D:\\AUTORUN\\HomeTab\\Prod\\ZekaSetup.ini";
// The fake system is Windows 7 run by a 64-bit process: WNT_6.1P_32.
constexpr char kSupported[] = "WNT_6.1P_32=Windows 7\n";

int g_probeCalls = 0;
bool g_probeArgsRight = false;
template <std::int32_t answer>
std::int32_t PIKKO_CDECL Probe(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                               std::uint32_t e, std::uint32_t* s, std::uint8_t* f) {
  ++g_probeCalls;
  g_probeArgsRight = (a | b | c | d | e) == 0 && s != nullptr && f != nullptr;
  return answer;
}
void* Export(ZekaIoControlProc p) { return reinterpret_cast<void*>(p); }

struct AcceptCase {
  const char* what;
  std::string keys;   // page keys besides HTML and InstallPath
  const char* setup;  // the product's support section; nullptr: no setup file
  bool accepted, button;
};

class PromotionPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", "[PLATFORM]\nSpecified OS=WNT_5.1P,German\n");
    sys_.libraries.Add("D:\\AUTORUN\\yes.dll", {{kProbeExport, Export(&Probe<1>)}});
    sys_.libraries.Add("D:\\AUTORUN\\no.dll", {{kProbeExport, Export(&Probe<0>)}});
    sys_.libraries.Add("D:\\AUTORUN\\two.dll", {{kProbeExport, Export(&Probe<2>)}});
    sys_.libraries.Add("D:\\AUTORUN\\other.dll", {{"SomethingElse", Export(&Probe<1>)}});
    g_probeCalls = 0;
  }
  void Write(const std::string& keys, const char* setup) {
    sys_.files.AddFile(kFile, "[Page1]\nHTML=p1.htm\nInstallPath=Prod\n" + keys);
    sys_.files.Remove(kSetup);
    if (setup) sys_.files.AddFile(kSetup, std::string("[OS_Language_Tag]\n") + setup);
  }
  bool Load() { return page_.Load(kFile, "English\\", 1, kHome); }
  void RunAcceptTable(const std::vector<AcceptCase>& cases) {
    for (const AcceptCase& c : cases) {
      Write(c.keys, c.setup);
      EXPECT_EQ(Load(), c.accepted) << c.what;
      if (c.accepted) {
        EXPECT_EQ(page_.HasInstallButton, c.button) << c.what;
      }
    }
  }

  fakes::FakeSystem sys_;
  PromotionPage page_;
};

TEST_F(PromotionPageTest, Always) {
  RunAcceptTable({
      {"no setup file", "ShowType=Always\n", nullptr, true, false},
      {"no support text", "ShowType=Always\n", "WNT_5.1P=XP\n", true, false},
      {"support text", "ShowType=Always\n", kSupported, true, true},
      {"support text only a comment", "ShowType=Always\n", "WNT_6.1P_32= ; later\n", true, false},
      {"a probe named is not asked", "ShowType=Always\nDllName=no.dll\n", kSupported, true, true},
  });
  EXPECT_EQ(g_probeCalls, 0);
}

TEST_F(PromotionPageTest, ByDynamic) {
  RunAcceptTable({
      {"probe answers 1", "ShowType=ByDynamic\nDllName=yes.dll\n", "", true, true},
      {"probe answers 0", "ShowType=ByDynamic\nDllName=no.dll\n", kSupported, true, false},
      {"probe answers 2", "ShowType=ByDynamic\nDllName=two.dll\n", "", true, false},
      {"library missing", "ShowType=ByDynamic\nDllName=absent.dll\n", "", true, false},
      {"export missing", "ShowType=ByDynamic\nDllName=other.dll\n", "", true, false},
      {"no setup file", "ShowType=ByDynamic\nDllName=yes.dll\n", nullptr, false, false},
      {"no probe: as ByScript", "ShowType=ByDynamic\n", "", false, false},
      {"no probe: as ByScript, supported", "ShowType=ByDynamic\n", kSupported, true, true},
  });
  EXPECT_EQ(g_probeCalls, 3);
  EXPECT_TRUE(g_probeArgsRight);  // five zeros and two result slots
}

TEST_F(PromotionPageTest, ByScriptAndEveryOtherType) {
  RunAcceptTable({
      {"supported", "ShowType=ByScript\n", kSupported, true, true},
      {"unsupported", "ShowType=ByScript\n", "WNT_10.0P=x\n", false, false},
      {"no setup file", "ShowType=ByScript\n", nullptr, false, false},
      {"no show type", "", kSupported, true, true},
      {"lower-case always", "ShowType=always\n", nullptr, false, false},
      {"lower-case bydynamic", "ShowType=bydynamic\nDllName=yes.dll\n", "", false, false},
  });
  EXPECT_EQ(g_probeCalls, 0);
}

TEST_F(PromotionPageTest, FieldsPathsAndTags) {
  sys_.files.AddFile(kFile,
                     "[page4]\nHTML=promo\\four.htm\nShowType=Always\nInstallPath = X\\Y \n");
  sys_.files.AddFile("D:\\AUTORUN\\HomeTab\\X\\Y\\ZekaSetup.ini",
                     "[OS_Language_Tag]\nWNT_6.1P_32=Windows 7 ; note\n09=English ; us\n");
  ASSERT_TRUE(page_.Load(kFile, "Pages\\en\\", 4, kHome));
  EXPECT_EQ(page_.PagePath, "D:\\AUTORUN\\HomeTab\\Pages\\en\\promo\\four.htm");
  EXPECT_EQ(page_.InstallPath, "X\\Y");         // asked for as "InstallPath " with its blank
  EXPECT_EQ(page_.PlatformTag, "WNT_6.1P_32");  // detected, not the record's WNT_5.1P
  EXPECT_EQ(page_.SupportText, "Windows 7");
  EXPECT_EQ(page_.LanguageTag, "English");  // the setup file's, not the record's German
  EXPECT_EQ(page_.ProductFolder(kHome), "D:\\AUTORUN\\HomeTab\\X\\Y\\");
  EXPECT_EQ(ProductFolderOf(kHome, ""), "D:\\AUTORUN\\HomeTab\\");
  EXPECT_EQ(ProductFolderOf(kHome, "P\\"), "D:\\AUTORUN\\HomeTab\\P\\");
  // No such section, or no file: no page.
  EXPECT_FALSE(page_.Load(kFile, "", 40, kHome));
  EXPECT_FALSE(page_.Load("D:\\none.ini", "", 4, kHome));
}

TEST_F(PromotionPageTest, PlatformRecordAndDetection) {
  sys_.files.Remove("C:\\WINDOWS\\Zkcd_tmp.ini");
  Write("ShowType=ByScript\n", kSupported);
  EXPECT_FALSE(Load());  // no record, no platform, no support text
  Write("ShowType=Always\n", kSupported);
  ASSERT_TRUE(Load());
  EXPECT_FALSE(page_.HasInstallButton);
  Write("ShowType=Always\n", nullptr);
  EXPECT_TRUE(Load());
  EXPECT_EQ(sys_.messages.shown.size(), 2u);  // once per page with a setup file
  sys_.files.AddFile("C:\\WINDOWS\\Zkcd_tmp.ini", "[PLATFORM]\nSpecified OS=WNT_5.1P,German\n");
  sys_.version.version.reset();
  Write("ShowType=Always\n", kSupported);
  EXPECT_FALSE(Load());  // a record, but the running system cannot be told
}

TEST_F(PromotionPageTest, ButtonImages) {
  const std::string d = kDefaultButtonImage;
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"ButtonImages=n.bmp,d.bmp,o.bmp\n", {"n.bmp", "d.bmp", "o.bmp"}},
      {"ButtonImages=a.bmp, ,b.bmp\n", {"a.bmp", "b.bmp", "a.bmp"}},
      {"ButtonImages=, ,,\n", {d, d, d}},
      {"", {d, d, d}},
      {"ButtonImages=a,b,c,d\n", {"a", "b", "c", "d"}},
  };
  for (const auto& [keys, images] : cases) {
    Write(std::string("ShowType=Always\nButtonPosition=40,300\nButtonSize=150,44\n") + keys,
          kSupported);
    ASSERT_TRUE(Load());
    EXPECT_EQ(page_.ButtonImages, images) << keys;
    EXPECT_EQ(page_.ButtonLeft + page_.ButtonTop + page_.ButtonWidth + page_.ButtonHeight, 534);
  }
}

TEST(ParseButtonPair, Table) {
  const std::pair<const char*, ButtonPair> cases[] = {
      {"10,20", {10, 20}},
      {" 7 , 8 ", {7, 8}},
      {"0x10,$20", {16, 32}},
      {",,5,,6,,", {5, 6}},
      {"32767,1", {32767, 1}},
      {"10", {}},
      {"", {}},
      {"1,2,3", {}},
      {"x,5", {}},
      {"5,5px", {}},
      {"-5,5", {}},
      {"32768,1", {}},
  };
  for (const auto& [text, pair] : cases) {
    const ButtonPair p = ParseButtonPair(text);
    EXPECT_TRUE(p.first == pair.first && p.second == pair.second) << '"' << text << '"';
  }
}

TEST(ProbeReportsProduct, OnlyFromTheProgramFolder) {
  fakes::FakeSystem sys;
  sys.libraries.Add("D:\\AUTORUN\\Probes\\yes.dll", {{kProbeExport, Export(&Probe<1>)}});
  EXPECT_TRUE(ProbeReportsProduct("Probes\\yes.dll"));
  EXPECT_FALSE(ProbeReportsProduct(""));
  sys.folders.program.clear();  // no folder: nothing goes through the search path
  EXPECT_FALSE(ProbeReportsProduct("Probes\\yes.dll"));
  EXPECT_EQ(sys.libraries.loads, std::vector<std::string>{"D:\\AUTORUN\\Probes\\yes.dll"});
}

}  // namespace
}  // namespace pikko
