#include "actions/LaunchPlanner.h"

#include <gtest/gtest.h>

namespace pikko {
namespace {

TEST(BuildItemCommand, Table) {
  struct Case {
    const char* run;
    const char* path;
    const char* program;
    const char* parameters;
    const char* folder;
  };
  const Case cases[] = {
      {"setup.exe -s -a", "Drivers\\Chipset", "D:\\Menu\\Drivers\\Chipset\\setup.exe", "-s -a",
       "D:\\Menu\\Drivers\\Chipset\\"},
      {"setup.exe", "Drivers\\Chipset\\", "D:\\Menu\\Drivers\\Chipset\\setup.exe", "",
       "D:\\Menu\\Drivers\\Chipset\\"},
      {"setup.exe", "", "D:\\Menu\\\\setup.exe", "", "D:\\Menu\\\\"},  // doubled, kept
      {"x.exe", "..\\Tools", "D:\\Tools\\x.exe", "", "D:\\Tools\\"},
      {"x.exe", ".\\Tools\\.", "D:\\Menu\\Tools\\x.exe", "", "D:\\Menu\\Tools\\"},
      {"setup.exe  two  blanks", "A", "D:\\Menu\\A\\setup.exe", " two  blanks", "D:\\Menu\\A\\"},
      {"", "Drivers", "D:\\Menu\\Drivers\\", "", "D:\\Menu\\Drivers\\"},  // the folder itself
      {" -s", "A", "D:\\Menu\\A\\", "-s", "D:\\Menu\\A\\"},
      {"..\\..\\..\\x.exe", "A", "", "", ""},  // above the drive: nothing sensible is left
  };
  for (const Case& c : cases) {
    const ProgramCommand cmd = BuildItemCommand("D:\\Menu\\", c.run, c.path);
    EXPECT_EQ(cmd.program, c.program) << c.run << " | " << c.path;
    EXPECT_EQ(cmd.parameters, c.parameters) << c.run << " | " << c.path;
    EXPECT_EQ(WorkingFolderOf(cmd.program), c.folder) << c.run << " | " << c.path;
  }
}

TEST(ApplyDependency, Table) {
  struct Case {
    const char* dependency;
    const char* tab;
    bool installerExists;
    bool refused;
    const char* refusal;
    const char* program;  // "own": the item's own command
    const char* parameters;
    const char* prepared;
  };
  const Case cases[] = {
      {"", "0", true, false, "", "own", "-s", ""},      // missing counts as 0xff
      {"0xff", "0", true, false, "", "own", "-s", ""},
      {"0xFF", "1", true, false, "", "own", "-s", ""},  // letters in either case
      {"0XFF", "0", true, true, "Error:(12)Dependency = 0XFF", "", "", ""},  // "0x" as written
      {"1", "0", true, true, "Error:(12)Dependency = 1", "", "", ""},
      {"xff", "0", true, true, "Error:(12)Dependency = xff", "", "", ""},
      {"0x01", "0", true, false, "", "D:\\Menu\\ZEKAFullkit\\Fullkit.exe", "00 -i12", ""},
      {"0x01", "1", true, false, "", "D:\\Menu\\ZEKAFullkit\\Fullkit.exe", "01 -i12", ""},
      {"0x01", "", true, false, "", "D:\\Menu\\ZEKAFullkit\\Fullkit.exe", "01 -i12", ""},
      {"0x01", "00", true, false, "", "D:\\Menu\\ZEKAFullkit\\Fullkit.exe", "01 -i12", ""},  // exactly "0"
      {"0x", "0", true, false, "", "D:\\Menu\\ZEKAFullkit\\Fullkit.exe", "00 -i12", ""},
      {"0xff ", "0", true, false, "", "D:\\Menu\\ZEKAFullkit\\Fullkit.exe", "00 -i12", ""},
      {"0x02", "2", false, false, "", "D:\\Menu\\ZEKAFullkit\\Fullkit.exe", "01 -i12",
       "ZEKA Fullkit needed ... (D:\\Menu\\ZEKAFullkit\\Fullkit.exe)"},
  };
  const ProgramCommand own{"D:\\Menu\\A\\setup.exe", "-s"};
  for (const Case& c : cases) {
    const DependencyDecision d = ApplyDependency(12, c.dependency, c.tab, "D:\\Menu\\", own, c.installerExists);
    const std::string what = std::string(c.dependency) + " tab " + c.tab;
    EXPECT_EQ(d.refused, c.refused) << what;
    EXPECT_EQ(d.refusal, c.refusal) << what;
    if (c.refused) continue;
    const bool isOwn = std::string(c.program) == "own";
    EXPECT_EQ(d.command.program, isOwn ? own.program : c.program) << what;
    EXPECT_EQ(d.command.parameters, c.parameters) << what;
    EXPECT_EQ(d.preparedFailure, c.prepared) << what;
  }
}

TEST(FillInstallerNotice, Table) {
  const std::pair<std::string, std::string> cases[] = {
      {"%1 is still running. Please close %2 first !",
       "ZEKA Fullkit is still running. Please close ZEKA Fullkit first !"},
      {"%1 läuft noch.", "ZEKA Fullkit läuft noch."},  // no "%2": only "%1" filled
      {"Please close %2 first", "ZEKA FullkitPlease close ZEKA Fullkit first"},  // no "%1": in front
      {"%1 %1 %2 %2", "ZEKA Fullkit %1 ZEKA Fullkit %2"},  // only the first of each
      {"", "ZEKA Fullkit"},
  };
  for (const auto& [text, filled] : cases) EXPECT_EQ(FillInstallerNotice(text, "ZEKA Fullkit"), filled) << text;
}

TEST(StartTexts, FailureAndReaderQuestion) {
  EXPECT_EQ(StartFailureText(2, {"D:\\Menu\\A\\setup.exe", "-s"}),
            "Error:2 - Cannot execute D:\\Menu\\A\\setup.exe -s");
  EXPECT_EQ(StartFailureText(31, {"D:\\x.exe", ""}), "Error:31 - Cannot execute D:\\x.exe ");
  EXPECT_EQ(FillReaderQuestion("Install %1 to open this. Install %1 now?", "Adobe Reader"),
            "Install Adobe Reader to open this. Install Adobe Reader now?");
  // A name that holds the placeholder itself does not loop for ever.
  EXPECT_EQ(FillReaderQuestion("a %1 b", "x%1y"), "a x%1y b");
}

}  // namespace
}  // namespace pikko
