#include <gtest/gtest.h>

#include "platform/IniReader.h"
#include "platform/fakes/FakePorts.h"
#include "tests/IniNameCases.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

// The portable reader and the in-memory fake list names as the platform does.
TEST(IniNames, ContractTable) {
  testing::TempFolder temp;
  PortableIniReader reader;
  for (const auto& c : testing::IniNameCases()) {
    const std::string file = temp.Write("case.ini", c.contents);
    fakes::FakeSystem sys;
    if (!c.missing) sys.files.AddFile(file, c.contents);
    for (IniPort* port : {static_cast<IniPort*>(&reader), static_cast<IniPort*>(&sys.files)}) {
      const std::string path = c.missing ? file + ".absent" : file;
      EXPECT_EQ(c.section ? port->KeyNames(path, c.section) : port->SectionNames(path), c.expected)
          << c.name;
    }
  }
}

}  // namespace
}  // namespace pikko
