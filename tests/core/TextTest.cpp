#include "env/Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

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

// The numbered names of the menu's files: tabs of the ads, promotion pages
// and the items' keys all read their numbers through one parser.
TEST(NumberAfterPrefix, Table) {
  struct Case {
    const char* name;
    const char* prefix;
    bool withRest;
    std::optional<int> expected;
    const char* rest;
  } cases[] = {
      {"Tab3", "Tab", false, 3, ""},
      {"tAB12", "Tab", false, 12, ""},
      {"Tab0", "Tab", false, 0, ""},
      {"Tab00", "Tab", false, std::nullopt, ""},
      {"Tab03", "Tab", false, std::nullopt, ""},
      {"Tab", "Tab", false, std::nullopt, ""},
      {"Tab+3", "Tab", false, std::nullopt, ""},
      {"Tab-3", "Tab", false, std::nullopt, ""},
      {"Tab 3", "Tab", false, std::nullopt, ""},
      {"Tab3x", "Tab", false, std::nullopt, ""},
      {"Tb3", "Tab", false, std::nullopt, ""},
      {"Page2147483647", "Page", false, 2147483647, ""},
      {"Page2147483648", "Page", false, std::nullopt, ""},
      {"Page99999999999", "Page", false, std::nullopt, ""},
      {"Page12345678901", "Page", false, std::nullopt, ""},
      {"(12)Title", "(", true, 12, ")Title"},
      {"(7", "(", true, 7, ""},
      {"()Title", "(", true, std::nullopt, ""},
      {"(01)Title", "(", true, std::nullopt, ""},
      {"12)Title", "(", true, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    std::string_view rest = "untouched";
    const std::optional<int> n = NumberAfterPrefix(c.name, c.prefix, c.withRest ? &rest : nullptr);
    EXPECT_EQ(n, c.expected) << c.name;
    if (c.withRest && c.expected) {
      EXPECT_EQ(rest, c.rest) << c.name;
    }
  }
}

// The crash report's addresses and codes and the system's language code.
TEST(HexDigits, Table) {
  const struct {
    std::uint64_t value;
    int minDigits;
    const char* expected;
  } cases[] = {
      {0, 1, "0"},
      {0, 0, "0"},
      {0, 8, "00000000"},
      {0x409, 4, "0409"},
      {0xABCDEF, 1, "ABCDEF"},
      {0x12345, 4, "12345"},
      {0xC0000005u, 8, "C0000005"},
      {0xFFFFFFFFFFFFFFFFull, 1, "FFFFFFFFFFFFFFFF"},
      {0x7, 20, "0000000000000007"},
      {0x10, -3, "10"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HexDigits(c.value, c.minDigits), c.expected) << c.expected;
  }
}

}  // namespace
}  // namespace pikko
