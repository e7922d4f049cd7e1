// The contract of the INI name lists: which sections a file has and which
// keys a section has, run against the platform's profile functions under
// Wine and against the portable reader everywhere. The platform is the truth.
#pragma once

#include <string>
#include <vector>

namespace pikko::testing {

struct IniNameCase {
  const char* name;
  std::string contents;
  bool missing;         // the file does not exist
  const char* section;  // nullptr: the section names; else that section's keys
  std::vector<std::string> expected;
};

inline std::vector<IniNameCase> IniNameCases() {
  const std::string sample = "top=1\n[Setting]\nTab=1\n[ Page1 ]\nHTML=a\n[page3]\n\n[Other] x\n";
  return {
      {"sections in file order, as written", sample, false, nullptr,
       {"Setting", "Page1", "page3", "Other"}},
      {"no sections", "a=1\nb=2\n", false, nullptr, {}},
      {"empty file", "", false, nullptr, {}},
      {"missing file: no sections", "", true, nullptr, {}},
      {"keys in file order", "[S]\nB=1\n  A = 2 \nC=\n", false, "S", {"B", "A", "C"}},
      {"comment lines are no keys", "[S]\n; X=1\nA=1\n;B\n", false, "S", {"A"}},
      {"section found in other case", "[setting]\nTab=1\n", false, "SETTING", {"Tab"}},
      {"keys of one section only", "[S]\nA=1\n[T]\nB=2\n", false, "T", {"B"}},
      {"missing section", "[S]\nA=1\n", false, "T", {}},
      {"section without keys", "[S]\n[T]\nA=1\n", false, "S", {}},
      {"missing file: no keys", "", true, "S", {}},
  };
}

}  // namespace pikko::testing
