#include <gtest/gtest.h>

#include "env/Miscfunctions.h"
#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

TEST(NormalizePath, Table) {
  struct Case {
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"D:\\Menu\\Drivers\\..\\Tools\\x.exe", "D:\\Menu\\Tools\\x.exe"},
      {"D:\\a\\b\\..\\..\\c", "D:\\c"},
      {"D:\\a\\.\\b\\.\\c", "D:\\a\\b\\c"},
      {"D:\\a\\.\\.\\.\\b", "D:\\a\\b"},  // a run of current-folder steps collapses
      {"D:\\a\\.", "D:\\a"},
      {"D:\\a\\..\\..\\x", ""},  // no folder left before the second parent step
      {"\\..\\x", ""},
      {"..\\x", "..\\x"},  // no backslash before the dots: not a parent step
      {"D:\\a\\b\\...\\c", "D:\\a.\\c"},  // the match is textual
      {"D:\\a\\b\\..", "D:\\a"},
      {"D:\\a\\\\b\\c", "D:\\a\\\\b\\c"},  // doubled backslashes stay
      {"D:\\a\\\\..\\b", "D:\\a\\b"},  // an empty folder name is a folder too
      {"D:\\a\\.\\..\\b", "D:\\b"},  // current steps go before parent steps
      {"D:\\Menu\\Drivers\\.\\..\\.", "D:\\Menu"},
      {"", ""},
      {".", "."},
      {"\\.", ""},  // the trailing step of a two-character path
      {"\\\\\\", "\\\\\\"},  // only separators
      {"C:\\", "C:\\"},
      {"x.exe", "x.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizePath(c.in), c.out) << c.in;
}

// A path longer than the platform's 260 characters is normalised whole.
TEST(NormalizePath, PathLongerThanMaxPath) {
  std::string deep = "D:";
  for (int i = 0; i < 60; ++i) deep += "\\folder";
  const std::string path = deep + "\\sub\\..\\setup.exe";
  EXPECT_GT(path.size(), 260u);
  EXPECT_EQ(NormalizePath(path), deep + "\\setup.exe");
}

TEST(CopyFrom, Table) {
  struct Case {
    std::string text;
    int from;
    std::string out;
  };
  const Case cases[] = {
      {"abcdef", 1, "abcdef"}, {"abcdef", 3, "cdef"}, {"abcdef", 6, "f"}, {"abcdef", 7, ""},
      {"abcdef", 0, ""},       {"abcdef", -4, ""},    {"", 1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CopyFrom(c.text, c.from), c.out) << c.text << " " << c.from;
}

TEST(WindowsFolder, Table) {
  struct Case {
    std::string reported;
    std::string folder;
    std::string slash;
  };
  const Case cases[] = {
      {"C:\\WINDOWS", "C:\\WINDOWS", "C:\\WINDOWS\\"},
      {"C:\\", "C:", "C:\\"},
      {"C:\\WINDOWS\\", "C:\\WINDOWS\\", "C:\\WINDOWS\\"},
      {"", "", "\\"},  // a failed query leaves only the separator
  };
  for (const Case& c : cases) {
    fakes::FakeSystem sys;
    sys.folders.windows = c.reported;
    EXPECT_EQ(WindowsFolder(), c.folder) << c.reported;
    EXPECT_EQ(WindowsFolderSlash(), c.slash) << c.reported;
  }
}

TEST(WindowsFile, AppendsTheNameToTheFolder) {
  fakes::FakeSystem sys;
  EXPECT_EQ(WindowsFile("Zkcd_tmp.ini"), "C:\\WINDOWS\\Zkcd_tmp.ini");
  sys.folders.windows = "C:\\";
  EXPECT_EQ(WindowsFile("Zkcd_tmp.ini"), "C:\\Zkcd_tmp.ini");
}

// A Windows folder that does not fit the 255-character room reads as empty
// rather than as a cut path.
TEST(WindowsFolder, TooLongForTheRoom) {
  fakes::FakeSystem sys;
  sys.folders.windows = "C:\\" + std::string(300, 'w');
  EXPECT_EQ(WindowsFolder(), "");
}

}  // namespace
}  // namespace pikko
