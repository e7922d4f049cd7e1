// The contract of the INI name lists (the sections of a file, the keys of a
// section), run against the platform's profile functions under Wine and the
// portable reader everywhere. The platform is the truth.
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
  return {
      {"sections in file order, trimmed, as written",
       "top=1\n[Setting]\nTab=1\n[ Page1 ]\n[page3] x\n",
       false,
       nullptr,
       {"Setting", "Page1", "page3"}},
      {"no sections", "a=1\n", false, nullptr, {}},
      {"missing file: no sections", "", true, nullptr, {}},
      {"keys in file order, without comments",
       "[S]\nB=1\n; X=1\n  A = 2 \nC=\n",
       false,
       "S",
       {"B", "A", "C"}},
      {"section found in other case, its keys only", "[s]\nA=1\n[T]\nB=2\n", false, "S", {"A"}},
      {"missing section", "[S]\nA=1\n", false, "T", {}},
      {"missing file: no keys", "", true, "S", {}},
  };
}

}  // namespace pikko::testing
