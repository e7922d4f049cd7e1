#include "Manual_Opener/OpenWith.h"

#include <gtest/gtest.h>

#include "platform/fakes/FakePorts.h"

namespace pikko {
namespace {

class OpenWithTest : public ::testing::Test {
 protected:
  fakes::FakeSystem sys;

  void List(const std::string& type, const std::vector<std::string>& programs) {
    sys.classes.AddKey(type + "\\OpenWithList");
    const std::string list = type + "\\OpenWithList\\";
    for (const std::string& p : programs) sys.classes.AddKey(list + p);
  }
  void Verb(const std::string& program, const std::string& verb, const std::string& command) {
    sys.classes.SetString("Applications\\" + program + "\\Shell\\" + verb + "\\command", "",
                          command);
  }
};

TEST_F(OpenWithTest, FindOpenCommandPrefersTheNamedPrograms) {
  struct Case {
    const char* what;
    std::vector<std::string> programs;  // each gets the verb "open" with command "<name> %1"
    const char* expected;               // "" for no command
  };
  const Case cases[] = {
      {"preferred first name, late in the list",
       {"foo.exe", "bar.exe", "AcroRd32.EXE"},
       "AcroRd32.EXE %1"},
      {"first name wins over the second", {"acrobat.exe", "acrord32.exe"}, "acrord32.exe %1"},
      {"second name without the first", {"foo.exe", "Acrobat.exe"}, "Acrobat.exe %1"},
      {"neither: the first in the registry's order", {"zed.exe", "alpha.exe"}, "zed.exe %1"},
      {"whole names only", {"other.exe", "xacrord32.exe", "acrord32.exe.old"}, "other.exe %1"},
      {"an empty list", {}, ""},
  };
  int n = 0;
  for (const Case& c : cases) {
    // One file type a case; a program has the same command in every case.
    const std::string type = ".t" + std::to_string(++n);
    List(type, c.programs);
    for (const std::string& p : c.programs) Verb(p, "open", p + " %1");
    const auto command = FindOpenCommand(type, {"acrord32.exe", "acrobat.exe"});
    EXPECT_EQ(command.value_or(""), c.expected) << c.what;
    EXPECT_EQ(sys.classes.OpenHandles(), 0) << c.what;
  }
}

TEST_F(OpenWithTest, FindOpenCommandWithoutAListHasNone) {
  EXPECT_FALSE(FindOpenCommand(".pdf", {"acrord32.exe"}).has_value());
}

TEST_F(OpenWithTest, OnlyTheChosenProgramsVerbsAreTried) {
  // The first program has no verbs at all; the second would have one.
  List(".pdf", {"broken.exe", "fine.exe"});
  Verb("fine.exe", "open", "fine.exe %1");
  EXPECT_FALSE(FindOpenCommand(".pdf", {}).has_value());
}

TEST_F(OpenWithTest, TheFirstVerbWithAStringCommandCounts) {
  List("*", {"iexplore.exe"});
  Verb("iexplore.exe", "edit", "");
  sys.classes.SetValue("Applications\\iexplore.exe\\Shell\\print\\command", "", reg::TypeDword,
                       std::string(4, '\0'));
  sys.classes.AddKey("Applications\\iexplore.exe\\Shell\\nocommand");
  Verb("iexplore.exe", "open", "\"C:\\IE\\iexplore.exe\" %1");
  Verb("iexplore.exe", "later", "later %1");
  EXPECT_EQ(FindOpenCommand("*", {"iexplore.exe"}).value_or(""), "\"C:\\IE\\iexplore.exe\" %1");
}

TEST(BuildCommandLine, Table) {
  const char* const cases[][3] = {
      {"\"C:\\R\\r.exe\" \"%1\"", "D:\\My Manual.pdf", "\"C:\\R\\r.exe\" \"D:\\My Manual.pdf\""},
      {"r.exe %1", "D:\\a b.pdf", "r.exe D:\\a b.pdf"},  // no quotes are added
      {"r.exe %1 /p %1", "x", "r.exe x /p %1"},          // the first only
      {"%1", "x", "x"},
      {"r.exe", "x", ""},  // no place for the path
      {"r.exe %", "x", ""},
      {"", "x", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildCommandLine(c[0], c[1]), c[2]) << c[0];
}

TEST_F(OpenWithTest, RunCommandLineKeepsToItsRoom) {
  const std::string fits(kCommandLineRoom - 1, 'x');
  EXPECT_TRUE(RunCommandLine(fits, 0));
  ASSERT_EQ(sys.processes.created.size(), 1u);
  const ProcessStart& s = sys.processes.created[0];
  EXPECT_EQ(s.commandLine, fits);
  EXPECT_EQ(s.creationFlags, 0x08000000u);
  EXPECT_EQ(s.workingFolder, "");
  EXPECT_EQ(s.waitMilliseconds, 0u);

  EXPECT_FALSE(RunCommandLine(fits + "x", 0));  // refused: it would not fit with its zero
  EXPECT_FALSE(RunCommandLine("", 0));
  EXPECT_EQ(sys.processes.created.size(), 1u);

  EXPECT_TRUE(RunCommandLine("r.exe x", 5000));
  EXPECT_EQ(sys.processes.created.back().waitMilliseconds, 5000u);
  sys.processes.createResult = false;
  EXPECT_FALSE(RunCommandLine("r.exe x", 0));
}

TEST_F(OpenWithTest, OpenWithHandlerAnswersZeroOnlyForAStartedProcess) {
  List(".pdf", {"r.exe"});
  Verb("r.exe", "open", "r.exe \"%1\"");
  EXPECT_EQ(OpenWithHandler("D:\\m.pdf", ".pdf", {"acrord32.exe"}), 0);
  ASSERT_EQ(sys.processes.created.size(), 1u);
  EXPECT_EQ(sys.processes.created[0].commandLine, "r.exe \"D:\\m.pdf\"");
  EXPECT_EQ(sys.processes.created[0].waitMilliseconds, 0u);

  sys.processes.createResult = false;
  EXPECT_EQ(OpenWithHandler("D:\\m.pdf", ".pdf", {}), 1);
  EXPECT_EQ(OpenWithHandler("D:\\m.pdf", ".txt", {}), 1);  // no list
  EXPECT_EQ(sys.processes.created.size(), 2u);

  sys.processes.createResult = true;
  Verb("r.exe", "open", "r.exe");  // a template without "%1" starts nothing
  EXPECT_EQ(OpenWithHandler("D:\\m.pdf", ".pdf", {}), 1);
  EXPECT_EQ(sys.processes.created.size(), 2u);
  // A path that makes the line too long is refused, not cut.
  Verb("r.exe", "open", "r.exe %1");
  EXPECT_EQ(OpenWithHandler(std::string(600, 'p'), ".pdf", {}), 1);
  EXPECT_EQ(sys.processes.created.size(), 2u);
}

}  // namespace
}  // namespace pikko
