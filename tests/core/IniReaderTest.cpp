#include "platform/IniReader.h"

#include <gtest/gtest.h>

#include "tests/IniContractCases.h"
#include "tests/TempFolder.h"

namespace pikko {
namespace {

// The portable reader keeps the contract of the platform's profile functions.
TEST(IniReader, ContractTable) {
  testing::TempFolder temp;
  PortableIniReader reader;
  for (const auto& c : testing::IniContractCases()) {
    const std::string file =
        c.missing ? (temp.Path() / "absent.ini").string() : temp.Write("case.ini", c.contents);
    EXPECT_EQ(reader.ReadString(file, c.section, c.key, c.def), c.expected) << c.name;
  }
}

// A file whose lines end in CR alone still splits into lines.
TEST(IniReader, ClassicMacLineEnds) {
  EXPECT_EQ(ReadIniFromText("[S]\rA=1\rK=V\r", true, "S", "K", "d"), "V");
}

// A quoted value longer than the room keeps its text and is cut.
TEST(IniReader, LongQuotedValueIsCutWithoutLosingText) {
  const std::string value = "\"" + std::string(3000, 'q') + "\"";
  EXPECT_EQ(ReadIniFromText("[S]\nK=" + value, true, "S", "K", "d"), "" + std::string(2047, 'q'));
}

}  // namespace
}  // namespace pikko
