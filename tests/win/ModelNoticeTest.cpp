// The model notice of listed boards: on the first two tabs only, never with
// a batch-install item, in the French layout and the amber colour when asked.
#include <gtest/gtest.h>

#include <filesystem>

#include "env/Translation.h"
#include "tests/win/FormHarness.h"

namespace pikko::testing {
namespace {

const char kNotice[] =
    "Based on Intel specification, this model supports Windows XP, Windows 7, and later version. "
    "Install the drivers and utilities when needed.";

// Three tabs with items; tab 1 has a batch-install item.
std::string NoticeMenu(const std::string& product) {
  return "[DMI_Info]\r\nMB_PRODUCTNAME=" + product + "\r\nCPU_MANUFACTURER=Intel\r\n" +
         "[TABS_INFO]\r\nNUM=3\r\nNOCONTACT=1\r\nTAB0=A\r\nTAB1=B\r\nTAB2=C\r\n"
         "[SETUP_ITEM]\r\nItemNumber=4\r\n(1)Tab=0\r\n(1)Title=One\r\n(2)Tab=1\r\n"
         "(2)IsZekaFullkit=1\r\n(3)Tab=1\r\n(3)Title=Three\r\n(4)Tab=2\r\n(4)Title=Four\r\n";
}

void Prepare(FormHarness& h, const std::string& product) {
  h.Disc(NoticeMenu(product));
  h.WriteFile("ExceptionModel.ini", "[Intel]\r\nNum=2\r\nModel2=Z77X\r\n");
}

TEST(ModelNotice, ListedModelsOnTheFirstTwoTabs) {
  struct Case {
    const char* product;
    int tab;
    bool notice;
    bool fullkit;
  };
  const Case cases[] = {
      {"Z77X", 0, true, false},
      {"Z77X", 1, false, true},   // a tab with a batch-install item never
      {"Z77X", 2, false, false},  // the third tab never
      {"z77x", 0, false, false},  // the comparison keeps case
      {"H61M", 0, false, false},  // not listed
  };
  for (const Case& c : cases) {
    FormHarness h;
    Prepare(h, c.product);
    TZkAutorunForm& f = h.Start();
    h.Click(*f.TabCaptions[c.tab]);
    EXPECT_EQ(f.lblFullkitError->Visible(), c.notice) << c.product << " tab " << c.tab;
    EXPECT_EQ(f.zkbFullkit->Visible(), c.fullkit) << c.product << " tab " << c.tab;
    if (!c.notice) continue;
    EXPECT_EQ(f.lblFullkitError->Caption(), kNotice);
    EXPECT_EQ(f.lblFullkitError->Left(), 28);
    EXPECT_EQ(f.lblFullkitError->Top(), 73);
    EXPECT_EQ(f.lblFullkitError->Width(), 321);
    EXPECT_EQ(f.lblFullkitError->GetFont().Style().colour, 0x0000FFu);  // red
  }
}

// With the translation library set to French the notice takes the wider
// French layout and the French text.
TEST(ModelNotice, FrenchLayout) {
  FormHarness h;
  Prepare(h, "Z77X");
  const std::string payload = BuildPath("stand-ins-payload");
  // The stand-in translation library and its language folders beside the
  // program, as on a disc.
  namespace fs = std::filesystem;
  for (const auto& entry : fs::recursive_directory_iterator(payload)) {
    const fs::path target = fs::path(h.ProgramFolder()) / fs::relative(entry.path(), payload);
    if (entry.is_directory()) {
      fs::create_directories(target);
    } else {
      ASSERT_TRUE(::CopyFileA(entry.path().string().c_str(), target.string().c_str(), FALSE))
          << target.string();
    }
  }
  h.WriteFile("ZkMultiLang.ini", "[Settings]\r\nLanguage=French\r\n");
  ForgetTranslationLibraryForTests();
  TZkAutorunForm& f = h.Start();
  ASSERT_TRUE(f.lblFullkitError->Visible());
  EXPECT_EQ(f.lblFullkitError->Left(), 28);
  EXPECT_EQ(f.lblFullkitError->Top(), 63);
  EXPECT_EQ(f.lblFullkitError->Width(), 335);
  EXPECT_EQ(f.lblFullkitError->Height(), 52);
  EXPECT_NE(f.lblFullkitError->Caption(), kNotice);
  EXPECT_FALSE(f.lblFullkitError->Caption().empty());
  h.form.reset();
  ForgetTranslationLibraryForTests();
}

// The board's device status 2 colours the notice amber (and takes the
// gaming look).
std::uint8_t PIKKO_STDCALL FakeOpen() { return 1; }
std::uint8_t PIKKO_STDCALL FakeStatus(const Utf16Char*, std::uint32_t, std::uint32_t,
                                      std::uint32_t* out, std::uint32_t) {
  *out = 2;
  return 1;
}

TEST(ModelNotice, AmberWhenTheBoardSaysSo) {
  FormHarness h;
  Prepare(h, "Z77X");
  fakes::FakeLibraries libraries;
  libraries.Add("zkwmiacpi.dll", {{"ZkWMI_Open", reinterpret_cast<void*>(&FakeOpen)},
                                  {"ExecACPIMethod", reinterpret_cast<void*>(&FakeStatus)}});
  CurrentPorts().libraries = &libraries;
  TZkAutorunForm& f = h.Start();
  EXPECT_TRUE(f.GamingMode);
  ASSERT_TRUE(f.lblFullkitError->Visible());
  EXPECT_EQ(f.lblFullkitError->GetFont().Style().colour, 0x00CCFFu);
}

}  // namespace
}  // namespace pikko::testing
