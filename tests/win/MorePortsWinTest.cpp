// The Win32 adapters of the process, extended shell and file-write ports.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/Win32Ports.h"
#include "tests/TempFolder.h"
#include "tests/win/ManualsTestSupport.h"

namespace pikko {
namespace {

namespace fs = std::filesystem;

class MorePortsWin : public ::testing::Test {
 protected:
  ScopedPorts ports_{Win32Ports()};
  testing::TempFolder temp_;
};

TEST_F(MorePortsWin, ProcessesStartInTheirFolderAndAreWaitedFor) {
  const std::string stub = testing::PlaceStub(temp_.Path() / "bin", "Tool.exe");
  fs::create_directories(temp_.Path() / "work dir");
  ProcessStart start;
  start.commandLine = "\"" + stub + "\" one \"two three\"";
  start.workingFolder = (temp_.Path() / "work dir").string();
  start.creationFlags = kCreateNoWindow;
  start.waitMilliseconds = 15000;
  ASSERT_TRUE(Processes().Create(start));
  // Waited for: the log is complete once Create returns.
  const std::string log = testing::WaitForStubLog(temp_.Path() / "bin", 1);
  EXPECT_NE(log.find("\tone \"two three\"\t" + start.workingFolder), std::string::npos) << log;

  start.commandLine = "\"" + (temp_.Path() / "missing.exe").string() + "\"";
  EXPECT_FALSE(Processes().Create(start));
  EXPECT_LE(Processes().StartWithShow(start.commandLine, 5), 31u);
}

TEST_F(MorePortsWin, TheCurrentFolderChanges) {
  const std::string before = Processes().CurrentFolder();
  ASSERT_TRUE(Processes().SetCurrentFolder(temp_.Path().string()));
  EXPECT_TRUE(fs::equivalent(Processes().CurrentFolder(), temp_.Path()));
  EXPECT_FALSE(Processes().SetCurrentFolder((temp_.Path() / "missing").string()));
  ASSERT_TRUE(Processes().SetCurrentFolder(before));
}

TEST_F(MorePortsWin, TheExtendedExecuteStartsAndReportsFailure) {
  const std::string stub = testing::PlaceStub(temp_.Path() / "bin", "Opened.exe");
  ShellExecuteRequest request;
  request.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
  request.verb = "open";
  request.file = stub;
  request.parameters = "by-the-shell";
  EXPECT_TRUE(ShellEx().ExecuteEx(request));
  EXPECT_NE(testing::WaitForStubLog(temp_.Path() / "bin").find("by-the-shell"), std::string::npos);
  request.file = (temp_.Path() / "missing.exe").string();
  EXPECT_FALSE(ShellEx().ExecuteEx(request));
}

TEST_F(MorePortsWin, TheShellCopiesAFolderIntoAnother) {
  temp_.Write("from/Pages/a.htm", "page a");
  temp_.Write("to/Pages/a.htm", "old");
  fs::create_directories(temp_.Path() / "to");
  EXPECT_EQ(
      ShellEx().CopyFiles(nullptr, (temp_.Path() / "from" / "Pages").string(),
                          (temp_.Path() / "to").string() + "\\", kFofNoConfirmation | kFofSilent),
      0);
  std::ifstream in(temp_.Path() / "to" / "Pages" / "a.htm");
  std::string text;
  std::getline(in, text);
  EXPECT_EQ(text, "page a");
  EXPECT_NE(
      ShellEx().CopyFiles(nullptr, (temp_.Path() / "nothing").string(),
                          (temp_.Path() / "to").string() + "\\", kFofNoConfirmation | kFofSilent),
      0);
}

TEST_F(MorePortsWin, FilesAreWrittenExactlyAndCopiesNeverReplace) {
  const std::string file = (temp_.Path() / "a.bat").string();
  ASSERT_TRUE(FileWrites().WriteFile(file, "\"C:\\x y.pdf\""));
  ASSERT_TRUE(FileWrites().WriteFile(file, "\"C:\\z.pdf\""));  // replaced
  std::string text;
  {
    std::ifstream in(file, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EXPECT_EQ(text, "\"C:\\z.pdf\"");
  const std::string copy = (temp_.Path() / "b.bat").string();
  EXPECT_TRUE(FileWrites().CopyFileNoOverwrite(file, copy));
  ASSERT_TRUE(FileWrites().WriteFile(file, "new"));
  EXPECT_FALSE(FileWrites().CopyFileNoOverwrite(file, copy));
  EXPECT_EQ(fs::file_size(copy), text.size());
  EXPECT_FALSE(FileWrites().WriteFile((temp_.Path() / "no" / "such" / "c.bat").string(), "x"));
}

}  // namespace
}  // namespace pikko
