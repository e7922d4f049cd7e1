// The product probe over the real stand-in probe library, copied into a
// temporary program folder as a disc carries it; and the demo disc's
// promotion files on this system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "demo/DemoPromotion.h"
#include "env/PlatformTags.h"
#include "platform/Win32Ports.h"
#include "promotion/ProductProbe.h"
#include "tests/TempFolder.h"
#include "tests/win/WinTestSupport.h"

namespace pikko {
namespace {

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
    // Loaded libraries lock their files: let go so that the folder can go.
    for (const std::string& dll : copies_)
      while (const HMODULE m = ::GetModuleHandleA(dll.c_str())) ::FreeLibrary(m);
  }
  // A copy of a built library as name (in the program folder), with its
  // settings file when given.
  void Place(const char* built, const std::string& name, const char* present) {
    const std::string target = program_ + name;
    ASSERT_TRUE(::CopyFileA(testing::BuildPath(built).c_str(), target.c_str(), FALSE)) << target;
    copies_.push_back(target);
    if (present) SetPresent(name, present);
  }
  void SetPresent(const std::string& name, const char* present) {
    temp_.Write(name.substr(0, name.rfind('.')) + ".ini",
                std::string("[Products]\r\nPresent=") + present);
  }

  testing::TempFolder temp_;
  std::string program_;
  std::optional<testing::ProgramInFolder> folders_;
  std::optional<ScopedPorts> scope_;
  std::vector<std::string> copies_;
};

TEST_F(ProbeLibrary, AnswersFromTheSettingsBesideEachCopy) {
  Place("stand-ins/ZkProbe.dll", "Present.dll", "1");
  Place("stand-ins/ZkProbe.dll", "Absent.dll", "0");
  Place("stand-ins/ZkProbe.dll", "Unset.dll", nullptr);
  Place("stand-ins-payload/zkwmiacpi.dll", "NoExport.dll", nullptr);
  const std::pair<const char*, bool> cases[] = {{"Present.dll", true},
                                                {"Absent.dll", false},
                                                {"Unset.dll", false},
                                                {"NoExport.dll", false},
                                                {"Missing.dll", false}};
  for (const auto& [dll, present] : cases) EXPECT_EQ(ProbeReportsProduct(dll), present) << dll;
  // The library stays loaded and reads its settings afresh at every call.
  SetPresent("Present.dll", "0");
  EXPECT_FALSE(ProbeReportsProduct("Present.dll"));
  // The export fills its slots for the known request only.
  const auto probe = reinterpret_cast<ZekaIoControlProc>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA((program_ + "Absent.dll").c_str()), kProbeExport)));
  ASSERT_NE(probe, nullptr);
  SetPresent("Absent.dll", "1");
  std::uint32_t status = 7;
  std::uint8_t flag = 7;
  EXPECT_EQ(probe(0, 0, 0, 0, 1, &status, &flag), 0);
  EXPECT_EQ(std::make_pair(status, flag), std::make_pair(7u, std::uint8_t{7}));
  EXPECT_EQ(probe(0, 0, 0, 0, 0, &status, &flag), 1);
  EXPECT_EQ(std::make_pair(status, flag), std::make_pair(1u, std::uint8_t{1}));
  EXPECT_EQ(probe(0, 0, 0, 0, 0, nullptr, nullptr), 1);
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
  for (const auto* files : {&demo::PromotionProbeLibraries(), &demo::PromotionInstallers()})
    for (const std::string& file : *files)
      EXPECT_NE(::GetFileAttributesA((disc + file).c_str()), INVALID_FILE_ATTRIBUTES) << file;
}

}  // namespace
}  // namespace pikko
