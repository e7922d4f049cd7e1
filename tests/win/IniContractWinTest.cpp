#include <gtest/gtest.h>

#include "platform/IniReader.h"
#include "platform/IniSnapshot.h"
#include "platform/Win32Ports.h"
#include "tests/IniContractCases.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

// The platform's profile functions and the portable reader answer every
// contract case alike; the platform is the truth.
TEST(IniContract, PlatformAndPortableReaderAgree) {
  testing::TempFolder temp;
  IniPort& platform = *Win32Ports().ini;
  PortableIniReader portable;
  int n = 0;
  for (const auto& c : testing::IniContractCases()) {
    // A fresh file name per case: the platform caches profiles by name.
    const std::string name = "case" + std::to_string(n++) + ".ini";
    const std::string file =
        c.missing ? (temp.Path() / ("absent-" + name)).string() : temp.Write(name, c.contents);
    EXPECT_EQ(platform.ReadString(file, c.section, c.key, c.def), c.expected)
        << "platform: " << c.name;
    EXPECT_EQ(portable.ReadString(file, c.section, c.key, c.def), c.expected)
        << "portable: " << c.name;
    // The file read once and answered from memory, as the menu file is.
    Ports ports = Win32Ports();
    ScopedPorts scope(ports);
    ScopedIniSnapshot snapshot(file);
    EXPECT_EQ(Ini().ReadString(file, c.section, c.key, c.def), c.expected) << "snapshot: " << c.name;
  }
}

}  // namespace
}  // namespace pikko
