#include "platform/FileReader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/TempFolder.h"

namespace pikko {
namespace {

// The one reader of the program, on the host through the C library and
// under Wine through the system: whole files, a room that cuts, files
// larger than one block, and what cannot be opened.
TEST(FileReader, ReadsWhatTheRoomHolds) {
  testing::TempFolder temp;
  std::string big(200 * 1024 + 7, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31 % 251);
  struct Case {
    const char* name;
    std::string contents;
    std::size_t room;
    std::string expected;
  } cases[] = {
      {"whole", "[S]\r\nK=V\r\n\x1a\xff", kWholeFile, "[S]\r\nK=V\r\n\x1a\xff"},
      {"empty", "", kWholeFile, ""},
      {"cut", "0123456789", 4, "0123"},
      {"room beyond the end", "0123", 100, "0123"},
      {"no room", "0123", 0, ""},
      {"beyond one block", big, kWholeFile, big},
      {"cut beyond one block", big, 70000, big.substr(0, 70000)},
  };
  for (const Case& c : cases) {
    bool exists = false;
    const auto bytes = ReadFileBytes(temp.Write("file.bin", c.contents), exists, c.room);
    EXPECT_TRUE(exists) << c.name;
    ASSERT_TRUE(bytes.has_value()) << c.name;
    EXPECT_EQ(*bytes, c.expected) << c.name;
  }
}

TEST(FileReader, WhatCannotBeOpenedIsNotThere) {
  testing::TempFolder temp;
  for (const std::string& path : {(temp.Path() / "absent.ini").string(), temp.Path().string(),
                                  (temp.Path() / "absent" / "x.ini").string()}) {
    bool exists = true;
    EXPECT_FALSE(ReadFileBytes(path, exists).has_value()) << path;
    EXPECT_FALSE(exists) << path;
  }
}

}  // namespace
}  // namespace pikko
