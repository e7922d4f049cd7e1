// The contract of the INI reader: one table that runs against the platform's
// profile functions under Wine and against the portable reader everywhere.
// Where the two differ, the platform is the truth.
#pragma once

#include <string>
#include <vector>

namespace pikko::testing {

struct IniContractCase {
  const char* name;
  std::string contents;  // file contents; the file is absent when missing
  bool missing;
  const char* section;
  const char* key;
  const char* def;
  std::string expected;
};

inline std::vector<IniContractCase> IniContractCases() {
  const std::string longValue(5000, 'v');
  return {
      {"plain", "[S]\nK=V\n", false, "S", "K", "d", "V"},
      {"blanks around the equals sign", "[S]\n  K  =   V W  \n", false, "S", "K", "d", "V W"},
      {"tabs around the equals sign", "[S]\n\tK\t=\tV\t\n", false, "S", "K", "d", "V"},
      {"comment line is not the key", "[S]\n; K=X\nK=V\n", false, "S", "K", "d", "V"},
      {"comment after a value stays", "[S]\nK=English ; note\n", false, "S", "K", "d",
       "English ; note"},
      {"double quotes are removed", "[S]\nK=\"quoted value\"\n", false, "S", "K", "d",
       "quoted value"},
      {"single quotes are removed", "[S]\nK='single'\n", false, "S", "K", "d", "single"},
      {"a lone opening quote stays", "[S]\nK=\"half\n", false, "S", "K", "d", "\"half"},
      {"mismatched quotes stay", "[S]\nK=\"a'\n", false, "S", "K", "d", "\"a'"},
      {"empty quotes give empty", "[S]\nK=\"\"\n", false, "S", "K", "d", ""},
      {"only the outer quotes go", "[S]\nK=\"a\" \"b\"\n", false, "S", "K", "d", "a\" \"b"},
      {"first duplicate key wins", "[S]\nK=1\nK=2\n", false, "S", "K", "d", "1"},
      {"first duplicate section wins", "[S]\nA=1\n[T]\nX=0\n[S]\nB=2\n", false, "S", "A", "d",
       "1"},
      {"second duplicate section is not searched", "[S]\nA=1\n[T]\nX=0\n[S]\nB=2\n", false, "S",
       "B", "d", "d"},
      {"empty value is not the default", "[S]\nK=\n", false, "S", "K", "d", ""},
      {"key without equals sign gives default", "[S]\nK\n", false, "S", "K", "d", "d"},
      {"value with an equals sign", "[S]\nK=a=b\n", false, "S", "K", "d", "a=b"},
      {"missing file", "", true, "S", "K", "dflt", "dflt"},
      {"missing section", "[S]\nK=V\n", false, "T", "K", "d", "d"},
      {"missing key", "[S]\nK=V\n", false, "S", "L", "d", "d"},
      {"names in other case", "[setup_item]\n(1)run=x.exe\n", false, "SETUP_ITEM", "(1)Run", "d",
       "x.exe"},
      {"section names in other case", "[Colors]\nItem=1\n", false, "COLORS", "ITEM", "d", "1"},
      {"5000-character value is cut to 2047", "[S]\nK=" + longValue + "\n", false, "S", "K", "d",
       std::string(2047, 'v')},
      {"CRLF file", "[S]\r\nA=1\r\nK=V\r\n", false, "S", "K", "d", "V"},
      {"LF file", "[S]\nA=1\nK=V\n", false, "S", "K", "d", "V"},
      {"no trailing newline", "[S]\nK=V", false, "S", "K", "d", "V"},
      {"blank and whitespace lines", "\n\n[S]\n   \n\t\nK=V\n\n", false, "S", "K", "d", "V"},
      {"indented section header", "   [S]\nK=V\n", false, "S", "K", "d", "V"},
      {"blanks inside brackets are trimmed", "[ S ]\nK=V\n", false, "S", "K", "d", "V"},
      {"text after the closing bracket is ignored", "[S] x\nK=V\n", false, "S", "K", "d", "V"},
      {"header without bracket is a key line", "[S]\nK=V\n[T\nL=W\n", false, "S", "L", "d", "W"},
      {"default loses trailing blanks", "[S]\n", false, "S", "K", "abc   ", "abc"},
      {"default loses trailing blanks without a file", "", true, "S", "K", "abc   ", "abc"},
      {"empty default", "[S]\n", false, "S", "K", "", ""},
      {"empty file", "", false, "S", "K", "d", "d"},
      {"key with a leading blank in the request", "[S]\nK=V\n", false, " S ", " K ", "d", "V"},
  };
}

}  // namespace pikko::testing
