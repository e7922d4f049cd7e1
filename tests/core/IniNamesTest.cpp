#include <gtest/gtest.h>

#include "platform/IniReader.h"
#include "platform/fakes/FakePorts.h"
#include "tests/IniNameCases.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

std::vector<std::string> Names(IniPort& port, const std::string& file, const char* section) {
  return section ? port.KeyNames(file, section) : port.SectionNames(file);
}

// The portable reader and the in-memory fake list names as the platform does.
TEST(IniNames, ContractTable) {
  testing::TempFolder temp;
  PortableIniReader reader;
  for (const auto& c : testing::IniNameCases()) {
    const std::string file =
        c.missing ? (temp.Path() / "absent.ini").string() : temp.Write("case.ini", c.contents);
    EXPECT_EQ(Names(reader, file, c.section), c.expected) << "portable: " << c.name;
    fakes::FakeSystem sys;
    if (!c.missing) sys.files.AddFile("D:\\case.ini", c.contents);
    EXPECT_EQ(Names(sys.files, "D:\\case.ini", c.section), c.expected) << "fake: " << c.name;
  }
}

}  // namespace
}  // namespace pikko
