#include <gtest/gtest.h>

#include "platform/IniReader.h"
#include "platform/Win32Ports.h"
#include "tests/IniNameCases.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

// The platform's profile functions and the portable reader list the same
// names; and a list longer than the adapter's first room comes back whole.
TEST(IniNames, PlatformAndPortableReaderAgree) {
  testing::TempFolder temp;
  IniPort& platform = *Win32Ports().ini;
  PortableIniReader portable;
  int n = 0;
  for (const auto& c : testing::IniNameCases()) {
    // A fresh file name per case: the platform caches profiles by name.
    const std::string name = "names" + std::to_string(n++) + ".ini";
    const std::string file =
        c.missing ? (temp.Path() / ("absent-" + name)).string() : temp.Write(name, c.contents);
    for (IniPort* port : {&platform, static_cast<IniPort*>(&portable)})
      EXPECT_EQ(c.section ? port->KeyNames(file, c.section) : port->SectionNames(file), c.expected)
          << (port == &platform ? "platform: " : "portable: ") << c.name;
  }
  std::string contents;
  for (int i = 1; i <= 3000; ++i) contents += "[Page" + std::to_string(i) + "]\n";
  contents += "[Keys]\n";
  for (int i = 0; i < 3000; ++i) contents += "Tab" + std::to_string(i) + "=x\n";
  const std::string file = temp.Write("long.ini", contents);
  const auto sections = platform.SectionNames(file);
  ASSERT_EQ(sections.size(), 3001u);
  EXPECT_EQ(sections[2999], "Page3000");
  const auto keys = platform.KeyNames(file, "Keys");
  ASSERT_EQ(keys.size(), 3000u);
  EXPECT_EQ(keys.back(), "Tab2999");
}

}  // namespace
}  // namespace pikko
