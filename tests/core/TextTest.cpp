#include "env/Text.h"

#include <gtest/gtest.h>

namespace pikko {
namespace {

// The one integer conversion of the disc's files.
TEST(StrToIntDef, Table) {
  struct Case {
    const char* text;
    int expected;
  };
  const int def = -77;
  const Case cases[] = {
      {"0", 0},
      {"42", 42},
      {"   42", 42},
      {"+7", 7},
      {"-7", -7},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", def},  // overflow gives the default, never a wrapped value
      {"-2147483649", def},
      {"99999999999999999999", def},
      {"$1F", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x10", 16},
      {"0X10", 16},
      {"0xFFFFFFFF", -1},  // 32 hexadecimal bits read as a signed value
      {"0x100000000", def},
      {"0x0000000001", 1},  // leading zeros do not overflow
      {"", def},
      {"   ", def},
      {"+", def},
      {"-", def},
      {"$", def},
      {"0x", def},
      {"12 ", def},  // trailing text does not convert
      {"12a", def},
      {"1.5", def},
      {"abc", def},
      {"-0x10", def},  // a sign goes with decimal digits only
      {"0xG", def},
      {"\t5", def},  // only blanks are skipped
  };
  for (const Case& c : cases) EXPECT_EQ(StrToIntDef(c.text, def), c.expected) << '"' << c.text << '"';
}

TEST(Text, CaseAndTrim) {
  EXPECT_TRUE(SameText("SETUP_Item", "setup_ITEM"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_TRUE(StartsWithText("-m_WB", "-M_"));
  EXPECT_TRUE(EndsWithText("C:\\lang\\french", "French"));
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(ReplaceAll("a@@b@@", "@@", "\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(ExtractFileName("C:\\a\\Japanese"), "Japanese");
  EXPECT_EQ(ExtractFileName("Japanese"), "Japanese");
  EXPECT_EQ(ExtractFilePath("D:\\disc\\Pikko.exe"), "D:\\disc\\");
  EXPECT_EQ(ExtractFilePath("Pikko.exe"), "");
}

}  // namespace
}  // namespace pikko
