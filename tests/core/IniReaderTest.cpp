#include "platform/IniReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The flat name table under load: names that differ only in case are one
// name and the first wins, every name is found after the probes wrap
// around the table, and a name that was never added is not found.
TEST(NameIndexTest, FirstOfEqualNamesWinsAcrossManyNames) {
  std::vector<std::string> names;
  for (int n = 0; n < 5000; ++n) names.push_back("(" + std::to_string(n) + ")Title");
  for (int n = 0; n < 5000; n += 7) names.push_back("(" + std::to_string(n) + ")TITLE");
  NameIndex index;
  index.Build(names.size(), [&](std::size_t i) { return std::string_view(names[i]); });
  const auto at = [&](std::string_view name) {
    return index.Find(name, [&](std::size_t i) { return std::string_view(names[i]); });
  };
  for (int n = 0; n < 5000; ++n) {
    const auto found = at("(" + std::to_string(n) + ")tItLe");
    ASSERT_TRUE(found.has_value()) << n;
    EXPECT_EQ(*found, static_cast<std::size_t>(n));
  }
  for (const char* absent : {"(5000)Title", "Title", "", "(1)Titl", "(1)Title "})
    EXPECT_FALSE(at(absent).has_value()) << absent;
  NameIndex empty;
  EXPECT_FALSE(empty.Find("x", [](std::size_t) { return std::string_view(); }).has_value());
}

}  // namespace
}  // namespace pikko

