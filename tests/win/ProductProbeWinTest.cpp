// The product probe and the promotion over the real stand-in probe library,
// the platform's profile functions and real files, laid out in a temporary
// disc folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "demo/DemoPromotion.h"
#include "env/PlatformTags.h"
#include "platform/Win32Ports.h"
#include "promotion/Hometabpromotion.h"
#include "promotion/ProductProbe.h"
#include "tests/TempFolder.h"
#include "tests/core/FakeHomeTabView.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;

class ProbeLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = temp_.Path().string() + "\\";
    Ports ports = Win32Ports();
    folders_.emplace(*ports.folders, program_ + "Pikko.exe", program_ + "WINDOWS");
    ports.folders = &*folders_;
    scope_.emplace(ports);
    temp_.Write("WINDOWS/Zkcd_tmp.ini", "[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n");
  }
  void TearDown() override {
    // Loaded libraries lock their files: let go so the folder can go.
    for (const std::string& dll : copies_) {
      for (int i = 0; i < 100; ++i) {
        const HMODULE m = ::GetModuleHandleA(dll.c_str());
        if (m == nullptr) break;
        ::FreeLibrary(m);
      }
    }
    scope_.reset();
  }
  // A copy of a built library at relative (with backslashes), and its
  // settings file beside it when given.
  void Place(const std::string& built, const std::string& relative, const char* settings) {
    const std::string target = program_ + relative;
    fs::create_directories(fs::path(target).parent_path());
    ASSERT_TRUE(::CopyFileA(testing::BuildPath(built).c_str(), target.c_str(), FALSE)) << target;
    copies_.push_back(target);
    if (settings) SetPresent(relative, settings);
  }
  void SetPresent(const std::string& relative, const char* settings) {
    std::string ini = relative.substr(0, relative.rfind('.')) + ".ini";
    for (char& c : ini) c = c == '\\' ? '/' : c;
    temp_.Write(ini, settings);
  }

  testing::TempFolder temp_;
  std::string program_;
  std::optional<testing::ProgramInFolder> folders_;
  std::optional<ScopedPorts> scope_;
  std::vector<std::string> copies_;
};

TEST_F(ProbeLibrary, AnswersFromTheSettingsBesideEachCopy) {
  Place("stand-ins/ZkProbe.dll", "Probes\\Present.dll", "[Products]\r\nPresent=1\r\n");
  Place("stand-ins/ZkProbe.dll", "Probes\\Absent.dll", "[Products]\r\nPresent=0\r\n");
  Place("stand-ins/ZkProbe.dll", "Probes\\Unset.dll", nullptr);
  Place("stand-ins/ZkProbe.dll", "Probes\\Wordy.dll", "[Products]\r\nPresent=yes\r\n");
  Place("stand-ins-payload/zkwmiacpi.dll", "Probes\\NoExport.dll", nullptr);
  struct Case {
    const char* dll;
    bool present;
  };
  const Case cases[] = {{"Probes\\Present.dll", true},  {"Probes\\Absent.dll", false},
                        {"Probes\\Unset.dll", false},   {"Probes\\Wordy.dll", false},
                        {"Probes\\NoExport.dll", false}, {"Probes\\Missing.dll", false},
                        {"", false}};
  for (const Case& c : cases) EXPECT_EQ(ProbeReportsProduct(c.dll), c.present) << c.dll;
  // The library stays loaded and reads its settings afresh at every call.
  SetPresent("Probes\\Present.dll", "[Products]\r\nPresent=0\r\n");
  EXPECT_FALSE(ProbeReportsProduct("Probes\\Present.dll"));
  SetPresent("Probes\\Absent.dll", "[Products]\r\nPresent=1\r\n");
  EXPECT_TRUE(ProbeReportsProduct("Probes\\Absent.dll"));
}

TEST_F(ProbeLibrary, ExportFillsItsSlotsOnlyForTheKnownRequest) {
  Place("stand-ins/ZkProbe.dll", "Probe.dll", "[Products]\r\nPresent=1\r\n");
  const HMODULE module = ::LoadLibraryA((program_ + "Probe.dll").c_str());
  ASSERT_NE(module, nullptr);
  const auto probe = reinterpret_cast<ZekaIoControlProc>(
      reinterpret_cast<void*>(::GetProcAddress(module, kProbeExport)));
  ASSERT_NE(probe, nullptr);
  std::uint32_t status = 7;
  std::uint8_t flag = 7;
  EXPECT_EQ(probe(0, 0, 0, 0, 1, &status, &flag), 0);
  EXPECT_EQ(status, 7u);
  EXPECT_EQ(flag, 7);
  EXPECT_EQ(probe(0, 0, 0, 0, 0, &status, &flag), 1);
  EXPECT_EQ(status, 1u);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(probe(0, 0, 0, 0, 0, nullptr, nullptr), 1);  // no slots: still an answer
  ::FreeLibrary(module);
}

// The promotion read by the platform's profile functions, its ByDynamic
// pages asking the real probe.
TEST_F(ProbeLibrary, PromotionAcceptsPagesByTheRealProbe) {
  Place("stand-ins/ZkProbe.dll", "HomeTab\\Yes.dll", "[Products]\r\nPresent=1\r\n");
  Place("stand-ins/ZkProbe.dll", "HomeTab\\No.dll", "[Products]\r\nPresent=0\r\n");
  temp_.Write("HomeTab/HomeTab.ini",
              "[Setting]\r\nTab=2\r\nNumber=100000\r\nInterval=5\r\n"
              "[HtmlPath]\r\nDefault=Pages\\\r\n"
              "[Page1]\r\nHTML=one.htm\r\nShowType=ByDynamic\r\nInstallPath=A\r\n"
              "DllName=HomeTab\\Yes.dll\r\nButtonPosition=40,300\r\nButtonSize=150,44\r\n"
              "[Page2]\r\nHTML=two.htm\r\nShowType=ByDynamic\r\nInstallPath=B\r\n"
              "DllName=HomeTab\\No.dll\r\n"
              "[Page3]\r\nHTML=three.htm\r\nShowType=ByScript\r\nInstallPath=B\r\n");
  temp_.Write("HomeTab/A/ZekaSetup.ini", "[OS_Language_Tag]\r\n");
  temp_.Write("HomeTab/B/ZekaSetup.ini", "[OS_Language_Tag]\r\n");
  testing::FakeHomeTabView view;
  HomeTab home;
  const DWORD start = ::GetTickCount();
  ASSERT_TRUE(home.Init(reinterpret_cast<WindowHandle>(1), program_ + "HomeTab", &view));
  EXPECT_LT(::GetTickCount() - start, 3000u);  // 100000 page numbers, three sections
  ASSERT_EQ(home.Pages().size(), 2u);
  EXPECT_TRUE(home.Pages()[0]->HasInstallButton);
  EXPECT_FALSE(home.Pages()[1]->HasInstallButton);
  EXPECT_EQ(home.Pages()[1]->PagePath, program_ + "HomeTab\\Pages\\two.htm");
  EXPECT_EQ(view.installLook.left, 40);
  EXPECT_EQ(view.timerInterval, 5000);
  EXPECT_TRUE(home.IsHomeTabWithin(2));
}

// The demo products support the platform this system reports, and the
// demo disc carries the probe copies and installers its promotion names.
TEST(DemoPromotionHere, ProductsSupportThisPlatformAndTheirFilesAreInPlace) {
  const ScopedPorts ports(Win32Ports());
  std::string tag, language;
  ASSERT_TRUE(DetectPlatform(tag, language));
  const auto& supported = demo::DemoSupportedPlatforms();
  EXPECT_NE(std::find(supported.begin(), supported.end(), tag), supported.end()) << tag;
  const std::string disc = testing::BuildPath("demo-disc/AUTORUN") + "\\";
  for (const auto* list : {&demo::PromotionProbeLibraries(), &demo::PromotionInstallers()}) {
    for (const std::string& file : *list) {
      const DWORD a = ::GetFileAttributesA((disc + file).c_str());
      EXPECT_TRUE(a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY)) << file;
    }
  }
}

}  // namespace
}  // namespace pikko
