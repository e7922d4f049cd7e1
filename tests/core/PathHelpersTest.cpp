#include <gtest/gtest.h>

#include "env/Miscfunctions.h"
#include "env/Text.h"
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

// Names in the double-byte code pages, as the disc's INI files hold them.
// TABLE is "一覧表" in Shift-JIS (932), whose last byte is a backslash; so
// are the trail bytes of "ソ" 0x83 0x5C (932), "乗" 0x81 0x5C (936) and
// 0xA1 0x5C (950).
#define TABLE "\x88\xEA\x97\x97\x95\x5C"

TEST(DoubleBytePaths, OneTrailingBackslashGoesNeverATrailByte) {
  struct Case {
    unsigned codePage;
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {932, "C:\\" TABLE "\\", "C:\\" TABLE},
      {932, "C:\\" TABLE, "C:\\" TABLE},
      {932, "C:\\a\\\\", "C:\\a\\"},  // one separator only
      {932, "D:\\", "D:"},
      {932, "\x95\x5C", "\x95\x5C"},
      {932, "C:\\a\x95", "C:\\a\x95"},  // a lead byte at the end stands alone
      {936, "C:\\\x81\x5C", "C:\\\x81\x5C"},
      {950, "C:\\\xA1\x5C", "C:\\\xA1\x5C"},
      {1252, "C:\\a\x95\x5C", "C:\\a\x95"},  // a single-byte code page has no trail bytes
      {0, "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WithoutTrailingBackslash(c.in, c.codePage), c.out) << c.codePage << " " << c.in;
}

TEST(DoubleBytePaths, FileNamesAndFoldersCutAtASeparatorOfItsOwn) {
  struct Case {
    unsigned codePage;
    std::string path;
    std::string name;
    std::string folder;
  };
  const Case cases[] = {
      {932, "D:\\manual\\" TABLE ".pdf", TABLE ".pdf", "D:\\manual\\"},
      {932, "D:\\" TABLE "\\Guide.pdf", "Guide.pdf", "D:\\" TABLE "\\"},
      {932, "D:\\" TABLE, TABLE, "D:\\"},
      {932, TABLE, TABLE, ""},
      {932, "D:\\\x83\x5C\x83\x74\x83\x67", "\x83\x5C\x83\x74\x83\x67", "D:\\"},
      {932, "D:\\a/\x95\x5C", "\x95\x5C", "D:\\a/"},
      {936, "D:\\\x81\x5C.txt", "\x81\x5C.txt", "D:\\"},
      {1252, "D:\\a\x95\\b", "b", "D:\\a\x95\\"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFileName(c.path, c.codePage), c.name) << c.codePage << " " << c.path;
    EXPECT_EQ(ExtractFilePath(c.path, c.codePage), c.folder) << c.codePage << " " << c.path;
  }
}

TEST(DoubleBytePaths, NormalizePathStepsOverTrailBytes) {
  const char* const cases[][2] = {
      {"D:\\" TABLE "\\..\\x", "D:\\x"},
      {"D:\\a\\" TABLE "\\..", "D:\\a"},
      {"D:\\" TABLE "\\.\\b", "D:\\" TABLE "\\b"},
      {"D:\\" TABLE "\\.", "D:\\" TABLE},
      {"D:\\" TABLE ".", "D:\\" TABLE "."},          // a name's dot, not a current step
      {"D:\\" TABLE "..\\x", "D:\\" TABLE "..\\x"},  // nor a parent step
      {"D:\\" TABLE ".\\x", "D:\\" TABLE ".\\x"},
      {"D:\\a\\b\\..\\c", "D:\\a\\c"},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizePath(c[0], 932), c[1]) << c[0];
  // Byte by byte, the same trail byte is a separator.
  EXPECT_EQ(NormalizePath("D:\\a\x95\\..\\x", 1252), "D:\\x");
  EXPECT_EQ(NormalizePath("D:\\a\x95\\..\\x"), "D:\\x");
}

#undef TABLE

}  // namespace
}  // namespace pikko
