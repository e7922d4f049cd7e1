#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace pikko {
namespace {

TEST(CommandLine, Table) {
  struct Case {
    const char* text;
    bool debug;
    const char* board;  // value of -M_
    bool waiting;
  };
  const Case cases[] = {
      {"", false, "", false},
      {"debug", true, "", false},
      {"DEBUG", true, "", false},
      {"  Debug  ", true, "", false},  // the system may leave blanks around it
      {"debug -M_WB", false, "WB", false},  // the whole text must be "debug"
      {"-m_wb", false, "wb", false},        // the value keeps its own case
      {"-M_", false, "", false},
      {"-M_A -M_B", false, "A", false},  // the first matching argument wins
      {"-waiting", false, "", true},
      {"-WAITING -M_WB", false, "WB", true},
      {"/WAITING", false, "", false},  // only "-" introduces the switch
      {"-WAITINGX", false, "", false},
      {"\"-M_Two Words\"", false, "Two Words", false},
  };
  for (const Case& c : cases) {
    const CommandLine cl(c.text);
    EXPECT_EQ(cl.DebugMode(), c.debug) << c.text;
    EXPECT_EQ(cl.GetOptionValue("-M_"), c.board) << c.text;
    EXPECT_EQ(cl.Waiting(), c.waiting) << c.text;
  }
}

TEST(CommandLine, ArgumentTextDropsTheProgramName) {
  EXPECT_EQ(ArgumentText("\"D:\\AUTORUN\\Pikko.exe\" debug"), "debug");
  EXPECT_EQ(ArgumentText("D:\\AUTORUN\\Pikko.exe   -M_WB -waiting"), "-M_WB -waiting");
  EXPECT_EQ(ArgumentText("Pikko.exe"), "");
  EXPECT_EQ(ArgumentText("\"C:\\Program Files\\x.exe"), "");  // unclosed quote
}

}  // namespace
}  // namespace pikko
